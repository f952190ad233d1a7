#include "cabrillo/lectura_concurso.h"

#include "cabrillo/contexto_concurso.h"
#include "plataforma/dao.h"
#include "plataforma/texto.h"

namespace cabrillo {

namespace {

Logico LeeLogico(const dao::Field& campo) {
  const dao::Variant valor = campo.Value();
  if (valor.IsNull()) return std::nullopt;
  return valor.CBool();
}

}  // namespace

std::optional<FilaResumenCabrillo> LeeFilaResumenCabrillo(dao::Database& base, std::int32_t numero_orden) {
  dao::Recordset rs =
      base.OpenRecordset("Select * From ResumenCabrillo Where NumeroOrden = ?", {dao::Variant(numero_orden)});
  if (rs.Eof()) {
    rs.Close();
    return std::nullopt;
  }
  FilaResumenCabrillo fila;
  const dao::Fields campos = rs.Fields();
  for (int i = 0; i < campos.Count(); ++i) {
    const dao::Field campo = campos[i];
    if (Logico* destino = fila.Campo(campo.Name())) *destino = LeeLogico(campo);
  }
  rs.Close();
  return fila;
}

CodigosReferencia LeeProvinciasConcurso(dao::Database& base, std::int32_t numero_orden) {
  CodigosReferencia provincias;
  dao::Recordset rs = base.OpenRecordset("Select * From ListaProv Where NumeroOrden = ?", {dao::Variant(numero_orden)});
  while (!rs.Eof()) {
    provincias.insert(rs["CodigoProv"].CStr());
    rs.MoveNext();
  }
  rs.Close();
  return provincias;
}

bool LeeDatosConcursoLog(dao::Database& base, std::int32_t numero_orden, DatosConcursoLog& datos) {
  dao::Recordset rs =
      base.OpenRecordset("Select * From Concursos Where NumeroOrden = ?", {dao::Variant(numero_orden)});
  if (rs.Eof()) {
    rs.Close();
    return false;
  }
  datos.NumeroOrden = numero_orden;
  datos.Concurso = rs["Concurso"].CStr();
  const dao::Fields campos = rs.Fields();
  for (int i = 0; i < campos.Count(); ++i) {
    const dao::Field campo = campos[i];
    if (Logico* destino = datos.CampoConcurso(campo.Name()))
      *destino = LeeLogico(campo);
    else if (plataforma::Mayusculas(campo.Name()) == "EDICION" && !campo.Value().IsNull())
      datos.Edicion = campo.Value().CStr();
  }
  rs.Close();

  const std::optional<FilaResumenCabrillo> fila = LeeFilaResumenCabrillo(base, numero_orden);
  datos.HayResumen = fila.has_value();
  datos.Resumen = fila.value_or(FilaResumenCabrillo{});
  datos.Provincias = LeeProvinciasConcurso(base, numero_orden);
  return true;
}

CategoriasAdmitidas GeneraCategoriasAdmitidas(dao::Database& base, std::string_view nombre_concurso,
                                              std::int32_t numero_orden) {
  // The fixed tables need no row.
  CategoriasAdmitidas fija = GeneraCategoriasAdmitidas(nombre_concurso, nullptr);
  if (fija.Numero() > 0) return fija;
  const std::optional<FilaResumenCabrillo> fila = LeeFilaResumenCabrillo(base, numero_orden);
  return GeneraCategoriasAdmitidas(nombre_concurso, fila ? &*fila : nullptr);
}

void GeneraCategoriasAdmitidas(ContextoConcurso& contexto, dao::Database& base) {
  contexto.CategoriasAdmitidasConcurso =
      GeneraCategoriasAdmitidas(base, contexto.NombreConcurso, contexto.NumeroConcursoActual);
}

}  // namespace cabrillo

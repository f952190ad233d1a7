#include "rules/resumen_cabrillo_bd.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "plataforma/dao.h"
#include "plataforma/rutas.h"

namespace rules {
namespace {

std::string Consulta(std::int32_t numero) {
  return "Select * From ResumenCabrillo Where NumeroOrden = " + std::to_string(numero);
}

bool TieneCampo(const dao::Recordset& rs, std::string_view nombre) {
  dao::Fields campos = rs.Fields();
  for (int i = 0; i < campos.Count(); ++i) {
    const std::string n = campos[i].Name();
    if (n.size() == nombre.size() &&
        std::equal(n.begin(), n.end(), nombre.begin(), [](char a, char b) {
          return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
        })) {
      return true;
    }
  }
  return false;
}

// True only when the field holds True; no value reads false.
bool Logico(const dao::Recordset& rs, std::string_view nombre) {
  dao::Variant v = rs[nombre].Value();
  return !v.IsNull() && v.CBool();
}

int Entero(const dao::Recordset& rs, std::string_view nombre) {
  dao::Variant v = rs[nombre].Value();
  return v.IsNull() ? 0 : v.CLng();
}

// Runs an operation on a connection of its own, closed before returning;
// a failure of the database comes out as ErrorResumenCabrillo.
template <typename Operacion>
auto ConConexion(const std::string& carpetaTrabajo, Operacion operacion) {
  try {
    dao::Database db = dao::OpenDatabase(RutaBaseConcursos(carpetaTrabajo));
    struct Cierre {
      dao::Database& db;
      ~Cierre() { db.Close(); }
    } cierre{db};
    return operacion(db);
  } catch (const dao::Error& error) {
    throw ErrorResumenCabrillo(error.Description());
  }
}

}  // namespace

std::string RutaBaseConcursos(const std::string& carpetaTrabajo) {
  return plataforma::UneRuta(carpetaTrabajo, "Ledrima");
}

std::optional<ResumenCabrillo> CargaResumenCabrillo(const std::string& carpetaTrabajo, std::int32_t numero) {
  return ConConexion(carpetaTrabajo, [&](dao::Database& db) -> std::optional<ResumenCabrillo> {
    dao::Recordset rs = db.OpenRecordset(Consulta(numero));
    if (rs.Eof()) {
      rs.Close();
      return std::nullopt;
    }
    ResumenCabrillo fila;
    for (std::size_t i = 0; i < kNumeroColumnasCategoria; ++i) fila.categorias[i] = Logico(rs, ColumnasCategoria()[i].campo);
    for (std::size_t i = 0; i < 8; ++i) fila.elementos[i] = Logico(rs, CamposElemento()[i]);
    for (std::size_t i = 0; i < 10; ++i) fila.columnas[i] = Entero(rs, CamposColumna()[i]);
    fila.EMailConcurso = rs["EMailConcurso"].CStr();
    fila.AsuntoConcurso = rs["AsuntoConcurso"].CStr();
    if (TieneCampo(rs, "PuntosEnviados")) fila.PuntosEnviados = Logico(rs, "PuntosEnviados");
    if (TieneCampo(rs, "PuntosRecibidos")) fila.PuntosRecibidos = Logico(rs, "PuntosRecibidos");
    if (TieneCampo(rs, "MisPuntos") && !rs["MisPuntos"].IsNull()) fila.MisPuntos = rs["MisPuntos"].CLng();
    if (TieneCampo(rs, "SusPuntos") && !rs["SusPuntos"].IsNull()) fila.SusPuntos = rs["SusPuntos"].CLng();
    rs.Close();
    return fila;
  });
}

LectorCampoLogico LectorDe(const dao::Recordset& fila) {
  return [fila](std::string_view campo) { return Logico(fila, campo); };
}

void GrabaResumenCabrillo(const std::string& carpetaTrabajo, std::int32_t numero, const ResumenCabrillo& fila) {
  ConConexion(carpetaTrabajo, [&](dao::Database& db) {
    dao::Recordset rs = db.OpenRecordset(Consulta(numero));
    if (rs.Eof()) {
      rs.AddNew();
      rs["NumeroOrden"] = dao::Variant(numero);
    } else {
      rs.Edit();
    }
    for (std::size_t i = 0; i < kNumeroColumnasCategoria; ++i) {
      rs[ColumnasCategoria()[i].campo] = dao::Variant(fila.categorias[i]);
    }
    for (std::size_t i = 0; i < 8; ++i) rs[CamposElemento()[i]] = dao::Variant(fila.elementos[i]);
    for (std::size_t i = 0; i < 10; ++i) rs[CamposColumna()[i]] = dao::Variant(fila.columnas[i]);
    rs["EMailConcurso"] = dao::Variant(fila.EMailConcurso);
    rs["AsuntoConcurso"] = dao::Variant(fila.AsuntoConcurso);
    if (fila.PuntosRecibidos) rs["PuntosRecibidos"] = dao::Variant(*fila.PuntosRecibidos);
    if (fila.PuntosEnviados) rs["PuntosEnviados"] = dao::Variant(*fila.PuntosEnviados);
    if (fila.MisPuntos) rs["MisPuntos"] = dao::Variant(*fila.MisPuntos);
    if (fila.SusPuntos) rs["SusPuntos"] = dao::Variant(*fila.SusPuntos);
    rs.Update();
    rs.Close();
  });
}

}  // namespace rules

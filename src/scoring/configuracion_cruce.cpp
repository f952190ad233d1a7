#include "scoring/configuracion_cruce.h"

#include <array>
#include <utility>

#include "cabrillo/lectura_concurso.h"
#include "plataforma/dao.h"
#include "plataforma/texto.h"
#include "scoring/lectura_qso.h"

namespace scoring {

namespace {

// Boolean columns of `Concursos` that the cross-check reads, by name.
using CampoRepeticion = bool ReglasRepeticion::*;
using CampoAnulacion = bool OpcionesAnulacion::*;

constexpr std::array<std::pair<std::string_view, CampoRepeticion>, 5> kRepeticion = {{
    {"RepetirEstacion", &ReglasRepeticion::RepetirEstacion},
    {"RepetirEnCadaBanda", &ReglasRepeticion::RepetirEnCadaBanda},
    {"RepetirEnCadaModo", &ReglasRepeticion::RepetirEnCadaModo},
    {"RepetirCadaHoras", &ReglasRepeticion::RepetirCadaHoras},
    {"NoRepetir", &ReglasRepeticion::NoRepetir},
}};

constexpr std::array<std::pair<std::string_view, CampoAnulacion>, 14> kAnulacion = {{
    {"AnularQSO", &OpcionesAnulacion::AnularQSO},
    {"AnularDos", &OpcionesAnulacion::AnularDos},
    {"AnularCinco", &OpcionesAnulacion::AnularCinco},
    {"AnularDiez", &OpcionesAnulacion::AnularDiez},
    {"AnularQuince", &OpcionesAnulacion::AnularQuince},
    {"AnularPorBandaDistinta", &OpcionesAnulacion::AnularPorBandaDistinta},
    {"AnularPorModoDistinto", &OpcionesAnulacion::AnularPorModoDistinto},
    {"AnularPorNoExistir", &OpcionesAnulacion::AnularPorNoExistir},
    {"AnularPorControlesDistintos", &OpcionesAnulacion::AnularPorControlesDistintos},
    {"AnularPorFecha", &OpcionesAnulacion::AnularPorFecha},
    {"AnularPorFechaDistinta", &OpcionesAnulacion::AnularPorFechaDistinta},
    {"AnularPorRSTDistinto", &OpcionesAnulacion::AnularPorRstDistinto},
    {"AnularQSOSiNoEstaEN", &OpcionesAnulacion::AnularQSOSiNoEstaEN},
    {"AnularPorPortableDistinto", &OpcionesAnulacion::AnularPorPortableDistinto},
}};

// True only when the column holds True.
bool Cierto(const dao::Variant& v) {
  if (v.IsNull()) return false;
  try {
    return v.CBool();
  } catch (const dao::Error&) {
    return false;
  }
}

std::optional<plataforma::Fecha> Dia(const dao::Variant& v) {
  if (v.IsNull()) return std::nullopt;
  try {
    const dao::Fecha f = v.CDate();
    if (!plataforma::EsFechaReal(f.anio, f.mes, f.dia)) return std::nullopt;
    return plataforma::Fecha{f.anio, f.mes, f.dia};
  } catch (const dao::Error&) {
    return std::nullopt;
  }
}

}  // namespace

int OpcionesAnulacion::NumeroListasRequerido() const { return NumeroDeTexto(NumeroListas); }

bool LeeDatosCruce(dao::Database& base, std::int32_t numero_orden, DatosCruce& datos) {
  dao::Recordset rs =
      base.OpenRecordset("Select * From Concursos Where NumeroOrden = ?", {dao::Variant(numero_orden)});
  if (rs.Eof()) {
    rs.Close();
    return false;
  }
  datos = DatosCruce{};
  const dao::Fields campos = rs.Fields();
  for (int i = 0; i < campos.Count(); ++i) {
    const dao::Field campo = campos[i];
    const std::string nombre = campo.Name();
    auto es = [&](std::string_view n) { return plataforma::IgualesSinCaso(nombre, n); };
    const dao::Variant valor = campo.Value();
    if (es("Concurso")) datos.NombreConcurso = valor.CStr();
    else if (es("DesdeDia")) datos.Periodo.DesdeDia = Dia(valor);
    else if (es("HastaDia")) datos.Periodo.HastaDia = Dia(valor);
    else if (es("DesdeHora")) datos.Periodo.DesdeHora = valor.IsNull() ? "" : valor.CStr();
    else if (es("HastaHora")) datos.Periodo.HastaHora = valor.IsNull() ? "" : valor.CStr();
    else if (es("NumeroListas")) datos.AnulacionGuardada.NumeroListas = valor.IsNull() ? "" : valor.CStr();
    for (const auto& [n, miembro] : kRepeticion)
      if (es(n)) datos.Repeticion.*miembro = Cierto(valor);
    for (const auto& [n, miembro] : kAnulacion)
      if (es(n)) datos.AnulacionGuardada.*miembro = Cierto(valor);
  }
  rs.Close();

  const std::optional<cabrillo::FilaResumenCabrillo> fila = cabrillo::LeeFilaResumenCabrillo(base, numero_orden);
  datos.HayResumen = fila.has_value();
  if (fila) {
    using cabrillo::EsCierto;
    database::PerfilIntercambio& p = datos.Intercambio;
    p.enviado = {EsCierto(fila->RstEnviado), EsCierto(fila->NumeralEnviado), EsCierto(fila->LetrasEnviadas),
                 EsCierto(fila->PuntosEnviados), EsCierto(fila->LocatorEnviado)};
    p.recibido = {EsCierto(fila->RstRecibido), EsCierto(fila->NumeralRecibido), EsCierto(fila->LetrasRecibidas),
                  EsCierto(fila->PuntosRecibidos), EsCierto(fila->LocatorRecibido)};
  }
  return true;
}

}  // namespace scoring

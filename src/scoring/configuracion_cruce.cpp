#include "scoring/configuracion_cruce.h"

#include <array>
#include <utility>

#include "cabrillo/lectura_concurso.h"
#include "plataforma/dao.h"
#include "plataforma/texto.h"
#include "scoring/fila_concurso.h"
#include "scoring/lectura_qso.h"

namespace scoring {

namespace {

// Boolean columns of `Concursos` that the cross-check reads, by name.
using CampoRepeticion = bool ReglasRepeticion::*;

constexpr std::array<std::pair<std::string_view, CampoRepeticion>, 5> kRepeticion = {{
    {"RepetirEstacion", &ReglasRepeticion::RepetirEstacion},
    {"RepetirEnCadaBanda", &ReglasRepeticion::RepetirEnCadaBanda},
    {"RepetirEnCadaModo", &ReglasRepeticion::RepetirEnCadaModo},
    {"RepetirCadaHoras", &ReglasRepeticion::RepetirCadaHoras},
    {"NoRepetir", &ReglasRepeticion::NoRepetir},
}};

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
  DatosCruce leidos;
  const bool hay = RecorreFilaConcurso(base, numero_orden, [&](std::string_view nombre, const dao::Variant& valor) {
    auto es = [&](std::string_view n) { return plataforma::IgualesSinCaso(nombre, n); };
    if (es("Concurso"))
      leidos.NombreConcurso = valor.CStr();
    else if (es("DesdeDia"))
      leidos.Periodo.DesdeDia = Dia(valor);
    else if (es("HastaDia"))
      leidos.Periodo.HastaDia = Dia(valor);
    else if (es("DesdeHora"))
      leidos.Periodo.DesdeHora = TextoColumna(valor);
    else if (es("HastaHora"))
      leidos.Periodo.HastaHora = TextoColumna(valor);
    else if (es("NumeroListas"))
      leidos.AnulacionGuardada.NumeroListas = TextoColumna(valor);
    for (const auto& [n, miembro] : kRepeticion)
      if (es(n)) leidos.Repeticion.*miembro = Cierto(valor);
    for (const auto& [n, miembro] : kColumnasAnulacion)
      if (es(n)) leidos.AnulacionGuardada.*miembro = Cierto(valor);
  });
  if (!hay) return false;
  datos = std::move(leidos);

  const std::optional<cabrillo::FilaResumenCabrillo> fila = cabrillo::LeeFilaResumenCabrillo(base, numero_orden);
  datos.HayResumen = fila.has_value();
  if (fila) {
    using cabrillo::EsCierto;
    reglas::PerfilIntercambio& p = datos.Intercambio;
    p.enviado = {EsCierto(fila->RstEnviado), EsCierto(fila->NumeralEnviado), EsCierto(fila->LetrasEnviadas),
                 EsCierto(fila->PuntosEnviados), EsCierto(fila->LocatorEnviado)};
    p.recibido = {EsCierto(fila->RstRecibido), EsCierto(fila->NumeralRecibido), EsCierto(fila->LetrasRecibidas),
                  EsCierto(fila->PuntosRecibidos), EsCierto(fila->LocatorRecibido)};
  }
  return true;
}

}  // namespace scoring

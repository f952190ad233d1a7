#pragma once
// What the cross-check reads of the contest in hand, as plain values: a
// snapshot taken once per run, so that duplicate marking and the crossing of
// each QSO read no database and no window.
//
// The rules for repeated contacts, the period and the exchange flags come
// from the stored rows (`Concursos`, `ResumenCabrillo`). The annulment
// options that the crossing applies are those the cross-check window shows;
// `LeeDatosCruce` also gives the stored ones, which the window loads.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/reglas_qso.h"
#include "plataforma/lenguaje.h"

namespace dao {
class Database;
}

namespace scoring {

// The rules for repeated contacts (`Concursos`; an option counts only when
// the column holds True).
struct ReglasRepeticion {
  bool RepetirEstacion = false;     // every repeat allowed: nothing is marked
  bool RepetirEnCadaBanda = false;  // a repeat on another band is allowed
  bool RepetirEnCadaModo = false;   // a repeat in another mode is allowed
  bool RepetirCadaHoras = false;    // a repeat on another date is allowed
  bool NoRepetir = false;           // with none of the three above: every repeat is a duplicate
};

// The annulment options, named as the boxes of the cross-check window.
// `AnularPorBandaDistinta` and `AnularPorModoDistinto` are carried with the
// others but no test consults them: "NUL06" follows no option.
struct OpcionesAnulacion {
  bool AnularQSO = false;     // NUL01: the worked station sent no log
  bool AnularDos = false;     // NUL02: in fewer than 2 other logs
  bool AnularCinco = false;   // NUL03: fewer than 5
  bool AnularDiez = false;    // NUL04: fewer than 10
  bool AnularQuince = false;  // NUL05: fewer than 15
  bool AnularPorBandaDistinta = false;
  bool AnularPorModoDistinto = false;
  bool AnularPorNoExistir = false;           // NUL10: its log holds no QSO with us
  bool AnularPorControlesDistintos = false;  // NUL14, NUL12, NUL18, NUL13
  bool AnularPorFecha = false;               // NUL07: outside the contest period
  bool AnularPorFechaDistinta = false;       // NUL15: date or time disagree
  bool AnularPorRstDistinto = false;         // NUL16 (column `AnularPorRSTDistinto`)
  bool AnularQSOSiNoEstaEN = false;          // NUL17, with `NumeroListas`
  bool AnularPorPortableDistinto = false;    // portable parts compared; NUL19
  std::string NumeroListas;                  // the box's text (digits, at most 2)

  // The number of other logs that `NumeroListas` asks for (0 when empty).
  int NumeroListasRequerido() const;

  bool operator==(const OpcionesAnulacion&) const = default;
};

// The 14 Boolean columns of the options in `Concursos`, in the order the
// cross-check window loads its boxes (each box is named as its column, but
// for letter case).
inline constexpr std::array<std::pair<std::string_view, bool OpcionesAnulacion::*>, 14> kColumnasAnulacion = {{
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

// The contest period: first and last day, and start and end times as
// "hh:mm" texts. A day or time that is missing or unreadable leaves that end
// of the period open.
struct PeriodoConcurso {
  std::optional<plataforma::Fecha> DesdeDia, HastaDia;
  std::string DesdeHora, HastaHora;
};

// The contest in hand as the cross-check reads it; fixed for a run.
struct DatosCruce {
  std::string NombreConcurso;               // `Concurso`, compared whole and with case
  reglas::PerfilIntercambio Intercambio;    // the ten exchange flags of `ResumenCabrillo`
  bool HayResumen = false;                  // false: the contest has no `ResumenCabrillo` row (no flag set)
  ReglasRepeticion Repeticion;
  PeriodoConcurso Periodo;
  OpcionesAnulacion AnulacionGuardada;  // the stored annulment columns and `NumeroListas`
};

// Reads the contest's rows of `Concursos` and `ResumenCabrillo` by
// `NumeroOrden`. Columns are found by name without regard to case; a column
// the row lacks, or that holds no value, reads False (a text: empty). False
// when `Concursos` has no row of that number. A database failure reaches the
// caller as dao::Error.
bool LeeDatosCruce(dao::Database& base, std::int32_t numero_orden, DatosCruce& datos);

}  // namespace scoring

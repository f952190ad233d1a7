#pragma once
// The rules of the cross-check that compare two QSO records, shared by the
// indexed engine (scoring/cruce.h) and the line-by-line reference
// (scoring/cruce_literal.h): the two differ only in how they find the lines
// to compare, never in how they compare them.
#include <optional>
#include <string>
#include <string_view>

#include "common/reglas_qso.h"
#include "database/concursos_especiales.h"
#include "plataforma/lenguaje.h"
#include "scoring/configuracion_cruce.h"

namespace scoring {

// --------------------------------------------------------------- marks

// The duplicate mark and the annulment codes ("NUL09" and "NUL11" exist in
// the legend of the annulled-QSO file but are never given).
inline constexpr std::string_view kDup00 = "DUP00";
inline constexpr std::string_view kNul01 = "NUL01", kNul02 = "NUL02", kNul03 = "NUL03", kNul04 = "NUL04",
                                  kNul05 = "NUL05", kNul06 = "NUL06", kNul07 = "NUL07", kNul08 = "NUL08",
                                  kNul10 = "NUL10", kNul12 = "NUL12", kNul13 = "NUL13", kNul14 = "NUL14",
                                  kNul15 = "NUL15", kNul16 = "NUL16", kNul17 = "NUL17", kNul18 = "NUL18",
                                  kNul19 = "NUL19";

// A line with a mark in front: the code, a colon and the line, no blank
// ("NUL06:QSO: 14025 ...").
std::string LineaMarcada(std::string_view codigo, std::string_view linea);

// ---------------------------------------------------- one QSO, read once

// A QSO line with the values the cross-check compares.
struct QsoLeido {
  reglas::TokensQso tokens;
  std::string banda;                        // ObtieneBanda of the frequency
  std::string modo;                         // ModoCruce of the mode token
  std::optional<plataforma::Fecha> fecha;   // no value: not a valid date
  std::optional<int> minutos;               // time of day; no value: not a time
};
QsoLeido LeeQso(std::string_view linea, const reglas::PerfilIntercambio& flags);

// The base call of a callsign (its portable part split off) and, with
// `con_portable`, the base call followed by the portable part.
std::string IndicativoComparable(std::string_view indicativo, bool con_portable);

// True when the QSO lies outside the contest period: before the start day
// and time, or more than 10 minutes after the end day and time. A QSO whose
// time is not a time of day cannot be placed in the period and lies outside.
bool FueraDelPeriodo(const QsoLeido& qso, const PeriodoConcurso& periodo);
// The limits of a period as moments (MinutoAbsoluto), worked out once for
// many QSOs: no value where the period gives none (a start or end day
// without a valid time leaves that side open).
struct LimitesPeriodo {
  std::optional<long long> desde, hasta;
};
LimitesPeriodo LimitesDe(const PeriodoConcurso& periodo);
// The same test from a QSO's date and time, against the limits.
bool FueraDelPeriodo(const std::optional<plataforma::Fecha>& fecha, std::optional<int> minutos,
                     const LimitesPeriodo& limites);

// Whether two records of one QSO agree in date and time: true when the
// option `AnularPorFechaDistinta` is clear; otherwise the dates must be the
// same calendar day and the times less than 10 minutes apart (no wrap at
// midnight). A date or time without a value agrees with nothing.
bool CoincidenFechaYHora(bool anular_por_fecha_distinta, const std::optional<plataforma::Fecha>& fecha_propia,
                         const std::optional<plataforma::Fecha>& fecha_otra, std::optional<int> hora_propia,
                         std::optional<int> hora_otra);

// A contest of one log per band (`log_por_banda` of its profile): the part
// of a log's file name that the worked call is extended with: upper-cased, from its first "-" on, at most 10
// characters (the whole name when it holds no "-"), cut before its first ".".
std::string SufijoSegovia(std::string_view entrada);

// The count rule: the first of `AnularDos`, `AnularCinco`, `AnularDiez`,
// `AnularQuince` that is set gives the number of other logs required and
// the code; none set: {0, ""}.
struct ReglaCuenta {
  int requeridas = 0;
  std::string_view codigo;
};
ReglaCuenta ReglaDeCuenta(const OpcionesAnulacion& opciones);

// What the worked station sent, from its own QSO line.
struct IntercambioEnviado {
  std::string rst, numeral, letras, puntos, locator;
};
IntercambioEnviado EnviadoDe(const reglas::TokensQso& tokens);

// The exchange test of a QSO whose counterpart was found: what we received
// against what the other station sent. The first rule that holds gives its
// code: RST ("NUL16", under `AnularPorRstDistinto` with both RST flags);
// then, under `AnularPorControlesDistintos`, serial ("NUL14", as numbers),
// letters ("NUL12", numeric letters without leading zeros), points ("NUL18",
// as numbers) and locator ("NUL13"), each only when both of its flags are
// set. A serial or points value that is not a number disagrees. Empty: the
// QSO stands.
std::string_view CodigoIntercambio(const reglas::TokensQso& nuestro, const IntercambioEnviado& suyo,
                                   const reglas::PerfilIntercambio& flags, const OpcionesAnulacion& opciones);
// The same test over the texts themselves: what we received (RST, serial,
// letters, points, locator) and what the other station sent.
struct IntercambioVisto {
  std::string_view rst, numeral, letras, puntos, locator;
};
std::string_view CodigoIntercambio(const IntercambioVisto& recibido, const IntercambioVisto& enviado,
                                   const reglas::PerfilIntercambio& flags, const OpcionesAnulacion& opciones);

// ----------------------------------------------------------- duplicates

// What the duplicate test compares of one QSO line.
struct QsoRepeticion {
  std::string trabajado;  // the worked call as written
  std::string banda;      // folded
  std::string modo;       // the mode token as written
  std::string fecha;      // the date token as written
  std::string letras;     // the received letters token
};
QsoRepeticion LeeQsoRepeticion(std::string_view linea, const reglas::PerfilIntercambio& flags);

// The special station of `repeticion_estacion_especial`.
inline constexpr std::string_view kEstacionLaPalma = concursos::kLaPalma.estacion_especial;

// Whether the later line `j` repeats the earlier line `i` (their worked
// calls being equal without regard to case) against the rules for repeated
// contacts. `RepetirEstacion` is not consulted here: with it set nothing is
// compared at all.
bool EsRepeticion(const QsoRepeticion& i, const QsoRepeticion& j, const ReglasRepeticion& reglas,
                  std::string_view nombre_concurso);

// ------------------------------------------------------------ presence

// The presence count of a station (how many other valid logs it figures in)
// compares whole calls, never text inside a longer call: a valid log counts
// when one of its QSO lines (up to its "END-OF-LOG" line) has the station's
// call as its worked call or as its own call, each token taken as its base
// call (its portable part split off: QQ1AB/P and QQ8/QQ1AB are QQ1AB),
// letter case included. A line whose date token is not a valid date names
// no station, as it is never a QSO with anyone when a QSO is crossed. The call searched for is the call up to its first
// "-" (with `log_por_banda` the worked call carries the part of the log's
// name). The station's own logs never count.

// The call a presence count searches for: the call up to its first "-".
std::string_view IndicativoPresencia(std::string_view indicativo);

// Whether the valid log `entrada` (a file name) is one of the station's own
// logs: its name up to its first "-", less its extension, is the call
// `buscado`, letter case aside (QQ1TLM.LOG, QQ1TLM-2.LOG for QQ1TLM; not
// QQ1TLMA.LOG).
bool EsListaDeLaEstacion(std::string_view entrada, std::string_view buscado);

// --------------------------------------------------------------- names

// A callsign that can name a log file of the folder: it holds no path
// separator, so that "<call>.LOG" stays inside the folder.
bool EsNombreDeLog(std::string_view indicativo);

}  // namespace scoring

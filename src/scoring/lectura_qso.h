#pragma once
// Reading the QSO lines of a valid log for the cross-check and the scoring.
//
// A QSO line is read by counting tokens after "QSO:" (never by column): the
// frequency, mode, date, time and own call; one token for each sent exchange
// element of the contest's Cabrillo profile, in the order RST, serial,
// letters, points, locator; the worked call; then one token for each
// received element in the same order. A token the line lacks is empty and
// tokens after the last expected one are ignored. The tokens are those of
// the log validation's tokenizer (`cabrillo::ObtieneSiguienteCampo`) from
// position 5, so every reader of the program splits a line the same way.
//
// The values derived from the tokens (band, mode, date, time, numbers) are
// worked out here once, with defensive conversions: a token that does not
// convert gives "no value" (std::nullopt), never an exception, and the
// comparisons treat "no value" as a mismatch.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/reglas_qso.h"
#include "plataforma/lenguaje.h"

namespace scoring {

// A line that is a QSO line for the readers of the cross-check: its text,
// letter case ignored, begins "QSO:". A line with a mark in front
// ("DUP00:QSO:", "NUL06:QSO:") is not one.
bool EsLineaQso(std::string_view linea);
// A line that ends the QSO lines of a log: its text, letter case ignored,
// begins "END-OF-LOG".
bool EsFinDeLog(std::string_view linea);

// Band text of a frequency token: the folding that log validation applies
// ("1.2G" is "1.2"; kHz inside a band's range become the range's text, the
// 20 m range ending below 14500; anything else stays as written). Both sides
// of every band comparison go through this one function.
std::string ObtieneBanda(std::string_view frecuencia);

// The sixteen tokens of a QSO line under the contest's exchange flags, read
// from position 5 (just after "QSO:"). A token whose flag is false, or that
// the line lacks, is empty.
reglas::TokensQso DesglosaLineaQso(std::string_view linea, const reglas::PerfilIntercambio& flags);
// The same tokens as views into the line (valid while it is), indexed by
// reglas::TokenQso: for a reader that keeps none of them.
using VistasQso = std::array<std::string_view, reglas::kNumTokensQso>;
VistasQso DesglosaLineaQsoVistas(std::string_view linea, const reglas::PerfilIntercambio& flags);

// Mode as the cross-check compares it: "RY" counts as "PS".
std::string ModoCruce(std::string_view modo);

// Date token "yyyy-mm-dd" of a real calendar day; no value otherwise
// ("2009-02-30", "30-12-2009", "").
std::optional<plataforma::Fecha> FechaQso(std::string_view token);

// Time of day, in minutes after midnight, of a time token ("1648") or of a
// period time ("16:48"): its first two characters are the hours (00 to 23)
// and its last two the minutes (00 to 59). No value when they are not.
std::optional<int> MinutosDelDia(std::string_view token);

// A moment as minutes counted from a fixed day, for comparing a date and a
// time with the contest period.
long long MinutoAbsoluto(const plataforma::Fecha& fecha, int minutos);

// A serial number or points value as a 16-bit whole number: a numeric text
// (blanks around, a sign, at most one ".") rounded half to even. No value
// for a text that is not numeric or falls outside -32768..32767.
std::optional<int> Entero16(std::string_view texto);

// A letters token as the cross-check compares it: a numeric token is written
// as its whole value without leading zeros ("007" is "7"; a zero value is the
// empty text; a fraction rounds half away from zero); any other token is
// kept as written.
std::string LetrasComparables(std::string_view letras);

// The whole number that a count box holds ("12"; leading blanks skipped,
// reading stops at the first character that is not a digit); 0 for a text
// without leading digits, at most 32767.
int NumeroDeTexto(std::string_view texto);

}  // namespace scoring

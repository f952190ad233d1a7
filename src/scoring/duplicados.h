#pragma once
// Duplicate marking of one participant's log before it is crossed.
#include <string>
#include <vector>

#include "scoring/configuracion_cruce.h"

namespace scoring {

// Marks the repeated contacts of a log held as its lines (header and all,
// in file order), in place:
// - with `RepetirEstacion` set nothing is changed, not even old marks;
// - otherwise every line that begins "DUP00:" first loses that mark;
// - the QSO lines run from the first line that begins "QSO:" up to the first
//   line that begins "END-OF-LOG" (letter case ignored) or the end; header
//   lines and lines after the end are never read or marked;
// - a QSO line becomes "DUP00:" followed by its text when an earlier QSO line
//   with the same worked call (letter case ignored) that is itself unmarked
//   repeats it under the rules (`EsRepeticion` in scoring/reglas_cruce.h):
//   a repeat on another band, in another mode or on another date is allowed
//   by `RepetirEnCadaBanda`, `RepetirEnCadaModo` and `RepetirCadaHoras`;
//   with none of the three set every repeat is a duplicate exactly when
//   `NoRepetir` is set; in a contest with `repeticion_estacion_especial` a
//   repeat of its special station is a duplicate when band, received
//   letters and date are all equal.
// The first QSO with each station always stays unmarked. The work is
// linear in the lines of the log: the unmarked QSOs are kept by worked call
// and by the values the rules compare.
void MarcaQsoDuplicados(std::vector<std::string>& lineas, const DatosCruce& datos);

}  // namespace scoring

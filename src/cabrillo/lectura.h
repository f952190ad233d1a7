#pragma once
// Reading a Cabrillo log: header lines by tag, header values, the tokens of
// a QSO line and the numbered suffix of a log's file name.
//
// Positions are 1-based offsets into the UTF-8 text of a line. Only the
// ASCII blank and TAB separate tokens, and neither can occur inside a
// multi-byte character, so the tokens are the same as if counted in
// characters. Positions and line indexes are 64-bit: a line of any length
// is read without overflow.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/campos_linea.h"

namespace cabrillo {

// Searches the header of the log for the first line that starts with the tag
// (case-sensitive, from the first character). The header ends at the first
// line that starts with "QSO:"; the tag is tested before that. Returns true
// and the line in `linea` when found; otherwise false, and `linea` holds the
// last line examined.
bool BuscaParametroCabrillo(const std::vector<std::string>& lineas, std::string_view etiqueta, std::string& linea);

// Value of a header line: the text after its first ":", blanks around it
// removed (a TAB is not a blank), in upper case. A line without ":" leaves
// `valor` untouched.
void ObtieneValorParametro(std::string_view linea, std::string& valor);

// The splitter of QSO lines (common/campos_linea.h).
using ::ObtieneSiguienteCampo;

// Drops a "-" suffix from the base name of a file: "QQ1ABC-2.LOG" gives
// "QQ1ABC.LOG". A name without "-" is unchanged; a name with "-" and no "."
// loses everything from the "-" on. The extension is the text from the first
// "." of the whole name.
void QuitaSufijoNombre(std::string_view nombre, std::string& resultado);

}  // namespace cabrillo

#pragma once
// The fields of a log line as the validation, the cross-check and the award
// count read them.
#include <cstdint>
#include <string>
#include <string_view>

// Takes the next token of a line from `posicion` (1-based, at least 1) and
// moves `posicion` past it. Tokens are separated by runs of blanks, by one
// TAB, or by one TAB followed by blanks; a TAB that follows a run of blanks
// starts the next token and is dropped from it. At or past the end of the
// line the token is empty and the position moves on by 2.
void ObtieneSiguienteCampo(std::string_view linea, std::int64_t& posicion, std::string& campo);

// The same token and the same move of `posicion`, as a view into `linea`
// (valid while the line is): for the checks that read every QSO line and
// keep no field.
std::string_view SiguienteCampo(std::string_view linea, std::int64_t& posicion);

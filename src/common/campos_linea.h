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
inline std::string_view SiguienteCampo(std::string_view linea, std::int64_t& posicion) {
  const char* const inicio = linea.data();
  const char* const fin = inicio + linea.size();
  const auto longitud = static_cast<std::int64_t>(linea.size());
  const std::int64_t desde = posicion < 1 ? 1 : posicion;
  if (desde > longitud) {
    // Nothing left: an empty token, two positions on.
    posicion = desde + 2;
    return {};
  }
  const char* a = inicio + (desde - 1);
  while (a < fin && *a == ' ') ++a;
  if (a == fin) {
    posicion = longitud + 3;
    return {};
  }
  // The character at `a` itself is never taken as a separator; the token
  // runs up to the next blank or TAB, or to the end of the line.
  const char* j = a + 1;
  if (j == fin) {
    // A token of one character that ends the line (a TAB is dropped).
    posicion = longitud + 2;
    return *a == '\t' ? std::string_view() : std::string_view(a, 1);
  }
  while (j < fin && *j != ' ' && *j != '\t') ++j;
  std::string_view trozo(a, static_cast<std::size_t>(j - a));
  // A leading TAB is dropped (a token never starts or ends with a blank).
  if (*a == '\t') trozo.remove_prefix(1);
  if (j < fin && *j == '\t') ++j;
  while (j < fin && *j == ' ') ++j;
  posicion = (j - inicio) + 1;
  return trozo;
}

#include "common/campos_linea.h"

std::string_view SiguienteCampo(std::string_view linea, std::int64_t& posicion) {
  // Positions are 1-based: the character at position p is linea[p - 1].
  const auto longitud = static_cast<std::int64_t>(linea.size());
  const char* c = linea.data() - 1;
  std::int64_t a = posicion < 1 ? 1 : posicion;
  while (a <= longitud && c[a] == ' ') ++a;
  if (a > longitud) {
    // Nothing left: an empty token, two positions on.
    posicion = a + 2;
    return {};
  }

  // The character at `a` itself is never taken as a separator; the token
  // runs up to the next blank or TAB, or to the end of the line.
  std::int64_t j = a + 1;
  bool acabo_en_tab = false;
  if (j > longitud) {
    j = longitud + 2;  // a token of one character that ends the line
  } else {
    for (; j <= longitud; ++j) {
      if (c[j] == ' ') break;
      if (c[j] == '\t') {
        acabo_en_tab = true;
        break;
      }
    }
  }
  const std::int64_t fin = j - 1 < longitud ? j - 1 : longitud;
  std::string_view trozo = linea.substr(static_cast<std::size_t>(a - 1), static_cast<std::size_t>(fin - (a - 1)));
  // A leading TAB is dropped (a token never starts or ends with a blank).
  if (trozo.front() == '\t') trozo.remove_prefix(1);

  if (acabo_en_tab) ++j;
  while (j >= 1 && j <= longitud && c[j] == ' ') ++j;
  posicion = j;
  return trozo;
}

void ObtieneSiguienteCampo(std::string_view linea, std::int64_t& posicion, std::string& campo) {
  campo.assign(SiguienteCampo(linea, posicion));
}

#include "common/campos_linea.h"

#include <algorithm>

namespace {

// Character at a 1-based position; 0 stands for "no character".
char Caracter(std::string_view linea, std::int64_t posicion) {
  if (posicion < 1 || posicion > static_cast<std::int64_t>(linea.size())) return '\0';
  return linea[static_cast<std::size_t>(posicion - 1)];
}

}  // namespace

void ObtieneSiguienteCampo(std::string_view linea, std::int64_t& posicion, std::string& campo) {
  const auto longitud = static_cast<std::int64_t>(linea.size());
  std::int64_t a = posicion < 1 ? 1 : posicion;
  while (Caracter(linea, a) == ' ') ++a;

  // The character at `a` itself is never taken as a separator.
  std::int64_t j = a + 1;
  bool acabo_en_tab = false;
  for (;;) {
    const char c = Caracter(linea, j);
    if (c == ' ') break;
    if (c == '\t') {
      acabo_en_tab = true;
      break;
    }
    ++j;
    if (j - 1 >= longitud) break;
  }

  std::string_view trozo;
  if (a <= longitud) {
    const auto inicio = static_cast<std::size_t>(a - 1);
    const auto fin = static_cast<std::size_t>(std::min(j - 1, longitud));
    trozo = linea.substr(inicio, fin - inicio);
  }
  // Blanks trimmed at both ends (a TAB is not a blank), then a leading TAB
  // dropped.
  while (!trozo.empty() && trozo.front() == ' ') trozo.remove_prefix(1);
  while (!trozo.empty() && trozo.back() == ' ') trozo.remove_suffix(1);
  if (!trozo.empty() && trozo.front() == '\t') trozo.remove_prefix(1);
  campo.assign(trozo);

  if (acabo_en_tab) ++j;
  while (Caracter(linea, j) == ' ') ++j;
  posicion = j;
}

#include "common/campos_linea.h"

#include <algorithm>

void ObtieneSiguienteCampo(std::string_view linea, std::int64_t& posicion, std::string& campo) {
  // Positions are 1-based: the character at k is p[k - 1], for k up to
  // `longitud`; past the end there is no character.
  const auto longitud = static_cast<std::int64_t>(linea.size());
  const char* const p = linea.data();
  std::int64_t a = posicion < 1 ? 1 : posicion;
  while (a <= longitud && p[a - 1] == ' ') ++a;

  // The character at `a` itself is never taken as a separator. Starting
  // past the end, the end is one further on.
  std::int64_t j = a + 1;
  if (j > longitud)
    ++j;
  else
    while (j <= longitud && p[j - 1] != ' ' && p[j - 1] != '\t') ++j;
  const bool acabo_en_tab = j <= longitud && p[j - 1] == '\t';

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
  while (j <= longitud && p[j - 1] == ' ') ++j;
  posicion = j;
}

#include "cabrillo/indicativo_base.h"

#include <array>

#include "plataforma/texto.h"

namespace cabrillo {

// Same rules as the shared callsign lookups use to split a portable part
// off a call.
std::string IndicativoBase(std::string_view indicativo) {
  const std::size_t barra = indicativo.find('/');
  if (barra == std::string_view::npos) return std::string(indicativo);
  const std::string_view izquierda = indicativo.substr(0, barra);
  const std::string_view derecha = indicativo.substr(barra + 1);
  static constexpr std::array<std::string_view, 9> kSufijos = {"P",     "M",      "MM",     "MA",    "QRP",
                                                               "P/QRP", "M/QRP", "MM/QRP", "MA/QRP"};
  for (std::string_view s : kSufijos)
    if (derecha == s) return std::string(izquierda);
  const std::size_t otra = derecha.find('/');
  if (otra != std::string_view::npos) {
    if (plataforma::Longitud(izquierda) <= 3) return std::string(derecha.substr(0, otra));
    return std::string(izquierda);
  }
  if (plataforma::Longitud(derecha) <= 3 && plataforma::Longitud(izquierda) > 3) return std::string(izquierda);
  return std::string(derecha);
}

}  // namespace cabrillo

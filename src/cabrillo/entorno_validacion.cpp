#include "cabrillo/entorno_validacion.h"

#include "common/paises.h"

namespace cabrillo {

std::string PaisDeIndicativo(const TablasPaises* paises, const std::string& indicativo) {
  std::string dxcc, waz, continente;
  if (indicativo.empty() || indicativo.size() > kLongitudMaximaIndicativo) return dxcc;
  ObtienePaisZonaContinente(PaisesRequeridos(paises), indicativo, dxcc, waz, continente);
  return dxcc;
}

const std::string& PaisPerezoso::Valor() const {
  if (!hallado_) {
    valor_ = PaisDeIndicativo(paises_, indicativo_);
    hallado_ = true;
  }
  return valor_;
}

}  // namespace cabrillo

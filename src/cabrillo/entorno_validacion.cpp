#include "cabrillo/entorno_validacion.h"

#include "common/paises.h"

namespace cabrillo {

std::string PaisDeIndicativo(const TablasPaises* paises, const std::string& indicativo) {
  std::string dxcc, waz, continente;
  if (indicativo.empty() || indicativo.size() > kLongitudMaximaIndicativo) return dxcc;
  ObtienePaisZonaContinente(PaisesRequeridos(paises), indicativo, dxcc, waz, continente);
  return dxcc;
}

std::string MemoriaPaises::Pais(const TablasPaises* paises, const std::string& indicativo) {
  const auto hallado = paises_.find(indicativo);
  if (hallado != paises_.end()) return hallado->second;
  std::string pais = PaisDeIndicativo(paises, indicativo);
  if (paises_.size() < kMaximo) paises_.emplace(indicativo, pais);
  return pais;
}

const std::string& PaisPerezoso::Valor() const {
  if (!hallado_) {
    const std::string indicativo(indicativo_);
    valor_ = memoria_ ? memoria_->Pais(paises_, indicativo) : PaisDeIndicativo(paises_, indicativo);
    hallado_ = true;
  }
  return valor_;
}

}  // namespace cabrillo

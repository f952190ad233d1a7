#include "cabrillo/indicativo_base.h"

#include "common/paises.h"

namespace cabrillo {

std::string IndicativoBase(std::string_view indicativo) {
  std::string base(indicativo);
  std::string portable;
  SeparaPortable(base, portable);
  return base;
}

}  // namespace cabrillo

#include "cabrillo/cabecera_log.h"

namespace cabrillo {

CabeceraLog& CabeceraLogEnCurso() {
  static CabeceraLog cabecera;
  return cabecera;
}

}  // namespace cabrillo

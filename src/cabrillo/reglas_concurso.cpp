#include "cabrillo/reglas_concurso.h"

namespace cabrillo {

// No contest has a rule of its own yet: every point takes the default rule.
ResultadoReglaConcurso AplicaReglaConcurso(PuntoReglaConcurso, LineaQsoEnCurso&) {
  return ResultadoReglaConcurso::SinReglaEspecifica;
}

}  // namespace cabrillo

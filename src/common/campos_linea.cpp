#include "common/campos_linea.h"

void ObtieneSiguienteCampo(std::string_view linea, std::int64_t& posicion, std::string& campo) {
  campo.assign(SiguienteCampo(linea, posicion));
}

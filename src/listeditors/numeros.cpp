#include "listeditors/numeros.h"

#include "plataforma/lenguaje.h"

namespace listeditors {

bool EsNumeroPositivo(std::string_view texto) {
  if (!plataforma::EsNumerico(texto)) return false;
  // A numeric text is blanks, an optional sign, digits with at most one
  // point: its value is greater than 0 when it has no minus sign and some
  // digit other than 0.
  bool negativo = false, distintoDeCero = false;
  for (char c : texto) {
    if (c == '-') negativo = true;
    if (c >= '1' && c <= '9') distintoDeCero = true;
  }
  return !negativo && distintoDeCero;
}

}  // namespace listeditors

// crear_terravia FICHERO_PAISES SALIDA: builds the countries database from
// the amateur-radio country file (cty.dat). Never overwrites SALIDA.
#include <cstdio>

#include "common/paises.h"
#include "common/terravia.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "Uso: %s FICHERO_PAISES SALIDA\n", argv[0]);
    return 2;
  }
  try {
    ResumenTerravia r = CreaTerravia(argv[1], argv[2]);
    std::printf("%s: %zu países, %zu prefijos, %zu regiones\n", argv[2], r.Paises, r.Prefijos, r.Regiones);
    return 0;
  } catch (const ErrorPaises& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}

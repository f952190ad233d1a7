// Fuzz target: one incoming mail read from memory as the mail window reads
// it (see tests/plataforma/correo/lectura_hostil.h): the parse, its fields,
// the names its attachments are filed under and the attachments decoded;
// anything unsound stops the run. The store on disk has a target of its own,
// fuzz_almacen_correo.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "plataforma/correo/lectura_hostil.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  const std::string fallo =
      pruebas_correo::LeeCorreoEnMemoria(std::string_view(reinterpret_cast<const char*>(datos), tam));
  if (!fallo.empty()) {
    std::fprintf(stderr, "%s\n", fallo.c_str());
    __builtin_trap();
  }
  return 0;
}

// Fuzz target: one participant's log validated against the test contest as
// the mail intake validates it (see tests/cabrillo/validacion_hostil.h);
// anything unsound stops the run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "cabrillo/validacion_hostil.h"

namespace {
cabrillo::prueba::ValidacionHostil* validacion = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  validacion = new cabrillo::prueba::ValidacionHostil;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  const std::string fallo = validacion->Valida(std::string_view(reinterpret_cast<const char*>(datos), tam));
  if (!fallo.empty()) {
    std::fprintf(stderr, "%s\n", fallo.c_str());
    __builtin_trap();
  }
  return 0;
}

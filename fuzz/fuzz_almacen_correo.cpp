// Fuzz target: the store. One incoming mail read from a Maildir on disk as
// the mail window reads it (see tests/plataforma/correo/lectura_hostil.h):
// arrival, attachments saved under their safe names, the mail left unread;
// anything unsound stops the run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "plataforma/correo/lectura_hostil.h"
#include "soporte/carpeta_temporal.h"

namespace {
soporte::CarpetaTemporal* carpeta = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  carpeta = new soporte::CarpetaTemporal;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  const std::string fallo =
      pruebas_correo::LeeCorreoHostil(carpeta->Ruta(), std::string_view(reinterpret_cast<const char*>(datos), tam));
  if (!fallo.empty()) {
    std::fprintf(stderr, "%s\n", fallo.c_str());
    __builtin_trap();
  }
  return 0;
}

// The mails kept from fuzzing (tests/datos/fuzz/correo) and the sample mails
// are read soundly, from memory and from a Maildir: fields on one line,
// attachment names that fit, attachments saved inside the folder, the mail
// left unread.
#include <gtest/gtest.h>

#include <filesystem>

#include "plataforma/correo/lectura_hostil.h"
#include "plataforma/correo/servidores.h"

namespace fs = std::filesystem;
using namespace pruebas_correo;

namespace {

TEST(EntradasHostiles, EveryKeptMailIsReadSoundly) {
  CarpetaTemporal tmp;
  int leidos = 0;
  for (const char* sub : {"/fuzz/correo", "/correo"}) {
    for (const auto& e : fs::directory_iterator(std::string(TROVALIS_DATOS_PRUEBA) + sub)) {
      if (!e.is_regular_file() || e.path().filename().string()[0] == '.') continue;
      if (e.path().extension() == ".esperado") continue;
      const std::string correo = LeeFichero(e.path().string());
      EXPECT_EQ(LeeCorreoEnMemoria(correo), "") << e.path();
      EXPECT_EQ(LeeCorreoHostil(tmp.Ruta(), correo), "") << e.path();
      ++leidos;
    }
  }
  EXPECT_GE(leidos, 10);
}

}  // namespace

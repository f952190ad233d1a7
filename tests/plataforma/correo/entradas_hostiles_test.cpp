// The mails kept from fuzzing (tests/datos/fuzz/correo) and the sample mails
// are read soundly: fields on one line, attachments saved inside the folder,
// the mail left unread.
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
      EXPECT_EQ(LeeCorreoHostil(tmp.Ruta(), LeeFichero(e.path().string())), "") << e.path();
      ++leidos;
    }
  }
  EXPECT_GE(leidos, 10);
}

}  // namespace

// The logs kept from fuzzing (tests/datos/fuzz/cabrillo) and the sample logs
// are handled soundly: accepted with their copy, or refused with a reason in
// the report; one after another, with nothing left over from the one before.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "cabrillo/validacion_hostil.h"

namespace fs = std::filesystem;

namespace {

std::string Lee(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

TEST(EntradasHostiles, EveryKeptLogIsAcceptedOrRefusedWithAReason) {
  cabrillo::prueba::ValidacionHostil validacion;
  int vistos = 0;
  for (const char* sub : {"/fuzz/cabrillo", "/cabrillo/validacion"}) {
    for (const auto& e : fs::directory_iterator(std::string(TROVALIS_DATOS_PRUEBA) + sub)) {
      if (!e.is_regular_file() || e.path().filename().string()[0] == '.') continue;
      if (sub[1] == 'c' && e.path().extension() != ".LOG") continue;
      EXPECT_EQ(validacion.Valida(Lee(e.path())), "") << e.path();
      ++vistos;
    }
  }
  EXPECT_GE(vistos, 14);
}

}  // namespace

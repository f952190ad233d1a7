// Main of the tests on a real X server: starts a private Xvfb before the
// application connects to it, so that the windows are drawn by the xcb
// platform as on the operator's screen. Without Xvfb every test is skipped.
#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "pantalla/servidor_x.h"

namespace pantalla {
namespace {
ServidorX* servidor = nullptr;
std::string motivo;
}  // namespace
ServidorX* Servidor() { return servidor; }
const std::string& MotivoSinServidor() { return motivo; }
}  // namespace pantalla

namespace {

// Screen size of the server, "1366x768" unless TROVALIS_PANTALLA says
// another.
void TamanoPantalla(int& anchura, int& altura) {
  anchura = 1366;
  altura = 768;
  if (const char* t = std::getenv("TROVALIS_PANTALLA")) {
    int a = 0, h = 0;
    if (std::sscanf(t, "%dx%d", &a, &h) == 2 && a >= 640 && h >= 480 && a <= 8192 && h <= 8192) {
      anchura = a;
      altura = h;
    }
  }
}

bool SoloLista(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--gtest_list_tests") == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<pantalla::ServidorX> servidor;
  if (SoloLista(argc, argv)) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  } else {
    int anchura = 0, altura = 0;
    TamanoPantalla(anchura, altura);
    servidor = std::make_unique<pantalla::ServidorX>(anchura, altura);
    if (servidor->Disponible()) {
      setenv("DISPLAY", servidor->Pantalla().c_str(), 1);
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      pantalla::servidor = servidor.get();
    } else {
      pantalla::motivo = servidor->Motivo();
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int resultado = RUN_ALL_TESTS();
  return resultado;
}

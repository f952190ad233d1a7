#pragma once
// A private X server (Xvfb) for the tests that look at what a real display
// shows, and a window manager started on it on request. Both are children of
// the test process and end with it.
#include <string>
#include <sys/types.h>

namespace pantalla {

class ServidorX {
 public:
  // Starts Xvfb with one screen of that size on a free display number.
  // Disponible() tells whether it runs; Motivo() why not.
  ServidorX(int anchura, int altura);
  ~ServidorX();
  ServidorX(const ServidorX&) = delete;
  ServidorX& operator=(const ServidorX&) = delete;

  bool Disponible() const { return pid_ > 0; }
  const std::string& Motivo() const { return motivo_; }
  // ":N", for DISPLAY.
  const std::string& Pantalla() const { return pantalla_; }

 private:
  pid_t pid_ = -1;
  std::string pantalla_;
  std::string motivo_;
};

// A window manager on the display in DISPLAY, for as long as the object
// lives.
class GestorVentanas {
 public:
  GestorVentanas();
  ~GestorVentanas();
  GestorVentanas(const GestorVentanas&) = delete;
  GestorVentanas& operator=(const GestorVentanas&) = delete;
  bool Disponible() const { return pid_ > 0; }
  const std::string& Motivo() const { return motivo_; }

 private:
  pid_t pid_ = -1;
  std::string motivo_;
};

// Whether a window manager has taken the application's X display.
bool HayGestorDeVentanas();

// Where a program of that name is in PATH; empty when it is nowhere.
std::string BuscaEnPath(const std::string& programa);

// The server of the whole test run (nullptr when Xvfb is missing or could not
// start) and the reason why it is missing.
ServidorX* Servidor();
const std::string& MotivoSinServidor();

}  // namespace pantalla

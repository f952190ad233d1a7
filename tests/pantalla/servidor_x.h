#pragma once
// A private X server (Xvfb) for the tests that look at what a real display
// shows, and a window manager started on it on request. Both are children of
// the test process and end with it.
#include <QImage>
#include <QRect>
#include <functional>
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

// Waits, serving the application's events every `paso` ms, until `listo`
// holds or `ms` have passed; whether it holds.
bool EsperaA(const std::function<bool()>& listo, int ms = 5000, int paso = 20);

// The pixels of that part of the screen (all of it when `zona` is empty), as
// the server holds them: one GetImage of the root window. Where top-level
// windows have colormaps of their own (every Qt window has one), a read of
// each window pasted together (as xwd does) can show a message box over
// another window black although the screen shows it painted. A null image
// when the application is not on an X server.
QImage CapturaPantalla(const QRect& zona = {});

// Saves a grab as <nombre>-<width>x<height of the screen>.png into the folder
// TROVALIS_CAPTURAS names, to look at; nothing when it names none.
void GuardaCaptura(const QImage& imagen, const std::string& nombre);

// The server of the whole test run (nullptr when Xvfb is missing or could not
// start) and the reason why it is missing.
ServidorX* Servidor();
const std::string& MotivoSinServidor();

}  // namespace pantalla

#pragma once
// Scripted message boxes for the tests. The test main installs one for the
// whole run and empties it before every test. A test queues the answers of
// the boxes it expects; every box shown is recorded; a box with no answer
// queued fails the current test with its text and gets the default answer.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "plataforma/mensajes.h"

namespace soporte {

struct CajaMostrada {
  std::string texto;
  std::string titulo;
  plataforma::Icono icono;
  plataforma::Botones botones;
  plataforma::Respuesta respuesta;
};

class MensajeroGuion : public plataforma::Mensajero {
 public:
  // Queues the answer of the next box; with a text, that box must show
  // exactly that text (else the test fails).
  void Espera(plataforma::Respuesta respuesta = plataforma::Respuesta::Aceptar,
              std::optional<std::string> texto = std::nullopt);
  plataforma::Respuesta Muestra(const std::string& texto, const std::string& titulo,
                                plataforma::Icono icono, plataforma::Botones botones) override;

  const std::vector<CajaMostrada>& Cajas() const { return cajas_; }
  std::size_t Pendientes() const { return cola_.size(); }
  // Forgets the boxes and the answers not used.
  void Reinicia();

 private:
  struct Respuesta {
    plataforma::Respuesta respuesta;
    std::optional<std::string> texto;
  };
  std::deque<Respuesta> cola_;
  std::vector<CajaMostrada> cajas_;
};

// The instance the test main installs.
MensajeroGuion& Mensajes();

// Registers the test-event listener that empties Mensajes() before each test
// and fails a test that leaves queued answers unused. Called by the test main.
void InstalaMensajesDePrueba();

}  // namespace soporte

#pragma once
// What the mail window reads and does of the window that opens it (the main
// window): the context of the run with the contest in hand, the intake mode
// and the two validation options of the main window, read afresh each time,
// and the main window's return when the mail window closes. The main window
// implements it; the tests implement it with a plain struct.
#include <functional>

#include "cabrillo/contexto_concurso.h"
#include "cabrillo/verificacion_fichero.h"

namespace mail {

class EnlaceGesAutomatica {
 public:
  virtual ~EnlaceGesAutomatica() = default;
  // The run's context: contest name, edition and number, the working
  // folder, the contest database, the countries database and the flag of
  // logs received since the last cross-check. The mail window sets its
  // CarpetaConcurso when it loads.
  virtual ContextoConcurso& Contexto() = 0;
  // The main window's intake mode (exactly one of the two is set).
  virtual bool GestionAutomatica() const = 0;
  virtual bool GestionManual() const = 0;
  // The main window's boxes that the validation of a log reads.
  virtual cabrillo::AjustesVentanaPrincipal Ajustes() const = 0;
  // Shows the main window again (the mail window has closed).
  virtual void MuestraVentanaPrincipal() = 0;
  // Opens the award window for the award contest (the mail window has
  // hidden itself); `al_cerrar` is to be called when it closes and shows
  // the mail window again. Until an award window is given, the mail window
  // comes back at once.
  virtual void AbreGesDiploma(std::function<void()> al_cerrar) {
    if (al_cerrar) al_cerrar();
  }
};

}  // namespace mail

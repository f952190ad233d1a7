// Trovalis: contest manager for amateur-radio contests. The program is its
// main window, started in the current folder.
#include <cstdio>

#include "mainwindow/trovalis.h"
#include "plataforma/aplicacion.h"
#include "plataforma/bloqueo_carpeta.h"
#include "plataforma/mensajes.h"
#include "plataforma/rutas.h"

int main(int argc, char** argv) {
  // One program per working folder, held until the process ends. A refusal
  // goes to the error output too, where a box cannot be seen.
  plataforma::BloqueoCarpeta bloqueo(plataforma::CarpetaActual());
  if (!bloqueo.Tomado()) std::fprintf(stderr, "%s\n", bloqueo.Mensaje().c_str());
  plataforma::Aplicacion app(argc, argv);
  plataforma::MensajeroQt mensajero;
  plataforma::InstalaMensajero(&mensajero);
  if (!bloqueo.Tomado()) {
    plataforma::MsgBox(bloqueo.Mensaje(), bloqueo.Titulo(), plataforma::Icono::Error);
    return 1;
  }
  return plataforma::EjecutaProtegido([&app] {
    Trovalis ventana(principal::CreaServiciosPrograma());
    if (!ventana.Form_Load()) return 1;
    ventana.show();
    return app.exec();
  });
}

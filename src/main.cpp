// Trovalis: contest manager for amateur-radio contests. The program is its
// main window, started in the current folder.
#include "mainwindow/trovalis.h"
#include "plataforma/aplicacion.h"
#include "plataforma/mensajes.h"

int main(int argc, char** argv) {
  plataforma::Aplicacion app(argc, argv);
  plataforma::MensajeroQt mensajero;
  plataforma::InstalaMensajero(&mensajero);
  return plataforma::EjecutaProtegido([&app] {
    Trovalis ventana(principal::CreaServiciosPrograma());
    if (!ventana.Form_Load()) return 1;
    ventana.show();
    return app.exec();
  });
}

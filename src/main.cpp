// Trovalis: contest manager for amateur-radio contests.
#include "plataforma/aplicacion.h"
#include "plataforma/mensajes.h"

int main(int argc, char** argv) {
  plataforma::Aplicacion app(argc, argv);
  plataforma::MensajeroQt mensajero;
  plataforma::InstalaMensajero(&mensajero);
  return plataforma::EjecutaProtegido([] {
    plataforma::MsgBox("La ventana principal todavía no está disponible en esta versión.",
                       "TROVALIS", plataforma::Icono::Informacion);
    return 0;
  });
}

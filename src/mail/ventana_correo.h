#pragma once
// What the mail window offers the intake of logs and the answer mails,
// besides the lists, labels and progress panel of every work window
// (VentanaProceso): the lists `FicheroCabrillo`, `FicherosManuales`,
// `ListasDeSWL`, `ListaBorrarManuales`, `FicheroAdmitidas`,
// `FicherosConfirmacion`, `ListaCorreoEntrante` and the folder lists; the
// labels `LProceso`, `LEntrada` and the frame `Lista`.
#include <string>

#include "common/ventana_proceso.h"

namespace mail {

class VentanaCorreo : public VentanaProceso {
 public:
  // The main window's intake mode: true for mail intake (processed mails
  // are deleted and answered), false for the manual folder. Read each time.
  virtual bool GestionAutomatica() const = 0;
  // Box `NoEnviarNotificaciones`: ticked, no answer mail goes out.
  virtual bool NoEnviarNotificaciones() const = 0;
  // Enables or disables `Conectar`, `CruzarListas` and `FinClientes`.
  virtual void HabilitaBotones(bool /*habilitados*/) {}
  // A message box with an OK button and no title of its own (a failed send).
  virtual void Aviso(const std::string& texto) = 0;
  // A log that could not be taken in (a file that could not be read, copied
  // or written): the window tells the operator without stopping the intake.
  virtual void InformaFallo(const std::string& texto) = 0;
};

}  // namespace mail

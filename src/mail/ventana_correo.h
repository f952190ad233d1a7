#pragma once
// What the caller of the intake (the mail window, a test, a benchmark)
// offers it and is told by it, besides the contest edition whose lists the
// intake keeps up to date and the progress of the intake (ProgresoEtapa:
// step, percentage, yield, failures).
#include <string>
#include <vector>

namespace mail {

struct ResultadoRecepcion;

class VentanaCorreo {
 public:
  virtual ~VentanaCorreo() = default;
  // The main window's intake mode: true for mail intake (processed mails
  // are deleted and answered), false for the manual folder. Read each time.
  virtual bool GestionAutomatica() const = 0;
  // No answer mail goes out (the operator's choice).
  virtual bool NoEnviarNotificaciones() const = 0;
  // Enables or disables the operator's commands while a manual pass runs.
  virtual void HabilitaBotones(bool /*habilitados*/) {}
  // The log in hand: named when its validation starts, then with its lines
  // once validated, and with the station's merged log once merged (award).
  virtual void EmpiezaLog(const std::string& /*nombre_fichero*/) {}
  virtual void MuestraLog(const ResultadoRecepcion& /*log*/) {}
  // The mails of the inbox walk taken in so far, each as listed ("LISTA
  // QQ1ABC", and why it went unanswered); called on every change.
  virtual void MuestraCorreos(const std::vector<std::string>& /*correos*/) {}
};

}  // namespace mail

#pragma once
// What the mail window reads of the main window: the run's context, the
// intake mode and the validation boxes, read afresh at every call; and the
// main window shown again when the mail window closes; the award window,
// opened for the award contest.
#include <QPointer>

#include "mail/enlace_ges_automatica.h"

class Trovalis;

namespace principal {

class EnlaceCorreoTrovalis : public mail::EnlaceGesAutomatica {
 public:
  explicit EnlaceCorreoTrovalis(Trovalis* ventana);

  ContextoConcurso& Contexto() override { return contexto_; }
  bool GestionAutomatica() const override;
  bool GestionManual() const override;
  cabrillo::AjustesVentanaPrincipal Ajustes() const override;
  void MuestraVentanaPrincipal() override;
  void AbreGesDiploma(std::function<void()> al_cerrar) override;

 private:
  QPointer<Trovalis> ventana_;
  // The run's context, which lives as long as the program.
  ContextoConcurso& contexto_;
};

}  // namespace principal

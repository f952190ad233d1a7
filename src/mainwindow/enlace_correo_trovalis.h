#pragma once
// What the mail window reads of the main window: the run's context, the
// intake mode and the validation boxes, read afresh at every call; and the
// main window shown again when the mail window closes; the award window,
// opened for the award contest.
#include <QPointer>
#include <QWidget>

#include "mail/enlace_ges_automatica.h"

namespace principal {

class EditorPrincipal;

class EnlaceCorreoTrovalis : public mail::EnlaceGesAutomatica {
 public:
  EnlaceCorreoTrovalis(QWidget* ventana, EditorPrincipal& editor);

  ContextoConcurso& Contexto() override { return contexto_; }
  bool GestionAutomatica() const override;
  bool GestionManual() const override;
  cabrillo::AjustesVentanaPrincipal Ajustes() const override;
  void MuestraVentanaPrincipal() override;
  void AbreGesDiploma(std::function<void()> al_cerrar) override;

 private:
  // The main window, while it lives, and its editor.
  QPointer<QWidget> ventana_;
  EditorPrincipal& editor_;
  // The run's context, which lives as long as the program.
  ContextoConcurso& contexto_;
};

}  // namespace principal

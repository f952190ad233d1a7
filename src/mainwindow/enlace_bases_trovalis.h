#pragma once
// What the contest-rules window reads of the main window: the contest in
// hand, its folders and admitted categories; and the main window shown again
// when the rules window closes.
#include <QPointer>
#include <QWidget>

#include "cabrillo/contexto_concurso.h"
#include "rules/enlace_bases_concurso.h"

namespace principal {

class EnlaceBasesTrovalis : public rules::EnlaceBasesConcurso {
 public:
  EnlaceBasesTrovalis(QWidget* ventana, ContextoConcurso& contexto) : ventana_(ventana), contexto_(contexto) {}

  std::string NombreConcurso() const override;
  std::string EdicionConcurso() const override;
  std::int32_t NumeroConcurso() const override;
  std::string CarpetaTrabajo() const override;
  std::string CarpetaConcurso() const override;
  std::vector<std::string> CategoriasAdmitidas() const override;
  const plataforma::EleccionImpresora& Impresora() const override { return contexto_.Impresora; }
  void MuestraVentanaPrincipal() override;

 private:
  QPointer<QWidget> ventana_;
  // The run's context, which lives as long as the main window.
  ContextoConcurso& contexto_;
};

}  // namespace principal

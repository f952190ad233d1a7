#pragma once
// What the Cabrillo format window reads and writes of the main window: the
// contest in hand, the view-only flag, the exchange options of the editor and
// the claims and web texts of the contest in hand.
#include "rules/enlace_formato_cabrillo.h"

namespace principal {

class EditorPrincipal;

class EnlaceFormatoTrovalis : public rules::EnlaceFormatoCabrillo {
 public:
  explicit EnlaceFormatoTrovalis(EditorPrincipal& editor) : editor_(editor) {}

  int ListasSoloConsulta() const override;
  std::int32_t NumeroConcursoActual() const override;
  std::string NombreConcurso() const override;
  std::string TextoNombreConcurso() const override;
  std::string CarpetaTrabajo() const override;
  rules::OpcionesIntercambio Intercambio() const override;
  std::string CorreoReclamaciones() const override;
  void PonCorreoReclamaciones(const std::string& texto) override;
  std::string DireccionWebConcurso() const override;
  void PonDireccionWebConcurso(const std::string& texto) override;

 private:
  EditorPrincipal& editor_;
};

}  // namespace principal

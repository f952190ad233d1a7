#include "mainwindow/enlace_bases_trovalis.h"

namespace principal {

std::string EnlaceBasesTrovalis::NombreConcurso() const { return contexto_.NombreConcurso; }
std::string EnlaceBasesTrovalis::EdicionConcurso() const { return contexto_.EdicionConcurso; }
std::int32_t EnlaceBasesTrovalis::NumeroConcurso() const { return contexto_.NumeroConcursoActual; }
std::string EnlaceBasesTrovalis::CarpetaTrabajo() const { return contexto_.CarpetaTrabajo; }
std::string EnlaceBasesTrovalis::CarpetaConcurso() const { return contexto_.CarpetaConcurso; }

std::vector<std::string> EnlaceBasesTrovalis::CategoriasAdmitidas() const {
  return contexto_.CategoriasAdmitidasConcurso.Entradas();
}

void EnlaceBasesTrovalis::MuestraVentanaPrincipal() {
  if (!ventana_) return;
  ventana_->show();
  ventana_->activateWindow();
}

}  // namespace principal

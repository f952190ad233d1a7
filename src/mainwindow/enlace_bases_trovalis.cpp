#include "mainwindow/enlace_bases_trovalis.h"

#include "cabrillo/categorias_admitidas.h"
#include "database/estado.h"

namespace principal {

std::string EnlaceBasesTrovalis::NombreConcurso() const { return ::NombreConcurso; }
std::string EnlaceBasesTrovalis::EdicionConcurso() const { return ::EdicionConcurso; }
std::int32_t EnlaceBasesTrovalis::NumeroConcurso() const { return ::NumeroConcursoActual; }
std::string EnlaceBasesTrovalis::CarpetaTrabajo() const { return ::CarpetaTrabajo; }
std::string EnlaceBasesTrovalis::CarpetaConcurso() const { return ::CarpetaConcurso; }

std::vector<std::string> EnlaceBasesTrovalis::CategoriasAdmitidas() const {
  return cabrillo::CategoriasAdmitidasConcurso().Entradas();
}

void EnlaceBasesTrovalis::MuestraVentanaPrincipal() {
  if (!ventana_) return;
  ventana_->show();
  ventana_->activateWindow();
}

}  // namespace principal

#include "mainwindow/enlace_formato_trovalis.h"

#include <QCheckBox>
#include <QLineEdit>

#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"

namespace principal {

int EnlaceFormatoTrovalis::ListasSoloConsulta() const { return ventana_.Contexto().ListasSoloConsulta; }
std::int32_t EnlaceFormatoTrovalis::NumeroConcursoActual() const { return ventana_.Contexto().NumeroConcursoActual; }
std::string EnlaceFormatoTrovalis::NombreConcurso() const { return ventana_.Contexto().NombreConcurso; }
std::string EnlaceFormatoTrovalis::TextoNombreConcurso() const { return ventana_.Text3[1]->text().toStdString(); }
std::string EnlaceFormatoTrovalis::CarpetaTrabajo() const { return ventana_.Contexto().CarpetaTrabajo; }

rules::OpcionesIntercambio EnlaceFormatoTrovalis::Intercambio() const {
  rules::OpcionesIntercambio o;
  o.EnviarNumeral = ventana_.EnviarNumeral->isChecked();
  o.EnviarSiglas = ventana_.EnviarSiglas->isChecked();
  o.EnviarLocator = ventana_.EnviarLocator->isChecked();
  o.RecibirNumeral = ventana_.RecibirNumeral->isChecked();
  o.RecibirSiglas = ventana_.RecibirSiglas->isChecked();
  o.RecibirLocator = ventana_.RecibirLocator->isChecked();
  o.SiglasONumeral = ventana_.SiglasONumeral->isChecked();
  return o;
}

std::string EnlaceFormatoTrovalis::CorreoReclamaciones() const { return ventana_.Contexto().CorreoReclamaciones; }
void EnlaceFormatoTrovalis::PonCorreoReclamaciones(const std::string& texto) {
  ventana_.Contexto().CorreoReclamaciones = texto;
}
std::string EnlaceFormatoTrovalis::DireccionWebConcurso() const { return ventana_.Contexto().DireccionWebConcurso; }
void EnlaceFormatoTrovalis::PonDireccionWebConcurso(const std::string& texto) {
  ventana_.Contexto().DireccionWebConcurso = texto;
}

}  // namespace principal

#include "mainwindow/enlace_formato_trovalis.h"

#include "mainwindow/editor_principal.h"

namespace principal {

int EnlaceFormatoTrovalis::ListasSoloConsulta() const { return editor_.Contexto().ListasSoloConsulta; }
std::int32_t EnlaceFormatoTrovalis::NumeroConcursoActual() const { return editor_.Contexto().NumeroConcursoActual; }
std::string EnlaceFormatoTrovalis::NombreConcurso() const { return editor_.Contexto().NombreConcurso; }
std::string EnlaceFormatoTrovalis::TextoNombreConcurso() const { return editor_.Concurso().Textos[1]; }
std::string EnlaceFormatoTrovalis::CarpetaTrabajo() const { return editor_.Contexto().CarpetaTrabajo; }

rules::OpcionesIntercambio EnlaceFormatoTrovalis::Intercambio() const {
  const EditorPrincipal& c = editor_;
  rules::OpcionesIntercambio o;
  o.EnviarNumeral = c.OpcionMarcada(Opcion::EnviarNumeral);
  o.EnviarSiglas = c.OpcionMarcada(Opcion::EnviarSiglas);
  o.EnviarLocator = c.OpcionMarcada(Opcion::EnviarLocator);
  o.RecibirNumeral = c.OpcionMarcada(Opcion::RecibirNumeral);
  o.RecibirSiglas = c.OpcionMarcada(Opcion::RecibirSiglas);
  o.RecibirLocator = c.OpcionMarcada(Opcion::RecibirLocator);
  o.SiglasONumeral = c.OpcionMarcada(Opcion::SiglasONumeral);
  return o;
}

std::string EnlaceFormatoTrovalis::CorreoReclamaciones() const { return editor_.Contexto().CorreoReclamaciones; }
void EnlaceFormatoTrovalis::PonCorreoReclamaciones(const std::string& texto) {
  editor_.Contexto().CorreoReclamaciones = texto;
}
std::string EnlaceFormatoTrovalis::DireccionWebConcurso() const { return editor_.Contexto().DireccionWebConcurso; }
void EnlaceFormatoTrovalis::PonDireccionWebConcurso(const std::string& texto) {
  editor_.Contexto().DireccionWebConcurso = texto;
}

}  // namespace principal

#include "database/carpetas.h"

#include "database/estado.h"
#include "plataforma/mensajes.h"
#include "plataforma/rutas.h"

const std::vector<std::string>& SubcarpetasComunes() {
  static const std::vector<std::string> nombres = {
      "FicherosRecibidos", "FicherosErrores", "FicherosConfirmacion",
      "FicherosManuales",  "BasesConcurso",   "ListasEmail"};
  return nombres;
}

const std::vector<std::string>& SubcarpetasConcurso() {
  static const std::vector<std::string> nombres = {
      "ListasValidas",  "ListasDeSWL",       "ListasDeControl",    "ListasNoEnviadas",
      "ListasCruzadas", "ListasQsoAnulados", "ListasPuntuaciones", "ListasClasificacion"};
  return nombres;
}

const std::vector<std::string>& SubcarpetasDiploma() {
  static const std::vector<std::string> nombres = {
      "ListasAdmitidas",         "DiplomasBroncePendientes", "DiplomasPlataPendientes",
      "DiplomasOroPendientes",   "DiplomasBronceExpedidos",  "DiplomasPlataExpedidos",
      "DiplomasOroExpedidos"};
  return nombres;
}

bool TextoValidoParaCarpeta(std::string_view texto) {
  if (texto.find("..") != std::string_view::npos) return false;
  for (char c : texto) {
    auto u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) return false;
  }
  return true;
}

std::string RutaCarpetaConcurso(const EstadoConcurso& estado, std::string_view nombre, std::string_view edicion) {
  std::string carpeta(nombre);
  carpeta += '_';
  carpeta += edicion;
  return plataforma::ResuelveRuta(plataforma::UneRuta(estado.CarpetaTrabajo, plataforma::NombreSeguro(carpeta)));
}

std::vector<std::string> CreaArbolCarpetasConcurso(EstadoConcurso& estado, std::string_view nombre,
                                                   std::string_view edicion) {
  estado.CarpetaConcurso = RutaCarpetaConcurso(estado, nombre, edicion);
  std::vector<std::string> fallidas;
  auto crea = [&fallidas](const std::string& ruta) {
    if (!plataforma::CreaCarpeta(plataforma::ResuelveRuta(ruta))) fallidas.push_back(ruta);
  };
  crea(estado.CarpetaConcurso);
  for (const auto& sub : SubcarpetasComunes()) crea(plataforma::UneRuta(estado.CarpetaConcurso, sub));
  const auto& propias = estado.EsConcursoDiploma() ? SubcarpetasDiploma() : SubcarpetasConcurso();
  for (const auto& sub : propias) crea(plataforma::UneRuta(estado.CarpetaConcurso, sub));
  return fallidas;
}

void CrearCarpetasConcurso(EstadoConcurso& estado, std::string_view nombre, std::string_view edicion) {
  auto fallidas = CreaArbolCarpetasConcurso(estado, nombre, edicion);
  if (fallidas.empty()) return;
  std::string texto = "No se han podido crear estas carpetas del concurso:\n";
  for (const auto& ruta : fallidas) texto += "\n" + ruta;
  plataforma::MsgBox(texto, "ERROR", plataforma::Icono::Error);
}

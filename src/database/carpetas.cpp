#include "database/carpetas.h"

#include "database/estado.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

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
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const char c = texto[i];
    const auto u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) return false;
    // U+0080 to U+009F: 0xC2 followed by 0x80 to 0x9F.
    if (u == 0xC2 && i + 1 < texto.size()) {
      const auto siguiente = static_cast<unsigned char>(texto[i + 1]);
      if (siguiente >= 0x80 && siguiente <= 0x9F) return false;
    }
  }
  return true;
}

std::string NombreCarpetaConcurso(std::string_view nombre, std::string_view edicion) {
  std::string carpeta(nombre);
  carpeta += '_';
  carpeta += edicion;
  return plataforma::NombreSeguro(carpeta);
}

bool CompartenCarpeta(std::string_view nombreA, std::string_view edicionA, std::string_view nombreB,
                      std::string_view edicionB) {
  return plataforma::IgualesSinCaso(NombreCarpetaConcurso(nombreA, edicionA), NombreCarpetaConcurso(nombreB, edicionB));
}

std::string RutaCarpetaConcurso(const EstadoConcurso& estado, std::string_view nombre, std::string_view edicion) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(estado.CarpetaTrabajo, NombreCarpetaConcurso(nombre, edicion)));
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

std::string TextoCarpetasNoCreadas(const std::vector<std::string>& fallidas) {
  std::string texto = "No se han podido crear estas carpetas del concurso:\n";
  for (const auto& ruta : fallidas) texto += "\n" + ruta;
  return texto;
}

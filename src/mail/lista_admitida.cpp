// The award's merged log of one station.
#include <string>
#include <vector>

#include "common/listas_carpetas.h"
#include "common/ventana_proceso.h"
#include "mail/recepcion.h"
#include "plataforma/errores.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace mail {

namespace {

bool EmpiezaPor(std::string_view texto, std::string_view inicio) { return texto.substr(0, inicio.size()) == inicio; }

// The closing line of a log, also when the participant wrote blanks before
// it (the validation accepts it so, and later QSO lines must never end up
// after it).
bool EsFinDeLog(std::string_view linea) {
  while (!linea.empty() && linea.front() == ' ') linea.remove_prefix(1);
  return EmpiezaPor(linea, "END-OF-LOG:");
}

std::vector<std::string> Elementos(const ListaVentana* lista) {
  std::vector<std::string> v;
  if (lista)
    for (std::size_t i = 0; i < lista->Cuenta(); ++i) v.push_back(lista->Elemento(i));
  return v;
}

}  // namespace

void GeneraListaAdmitida(VentanaProceso& ventana, const std::string& carpeta_concurso, const std::string& nombre) {
  ventana.PonProgreso(0);
  ventana.PonTexto("LProceso", "Generando LISTA VALIDA");
  ListaVentana* admitidas = ventana.Lista("FicheroAdmitidas");
  if (admitidas) admitidas->Limpia();

  const std::string ruta = plataforma::ResuelveRuta(plataforma::UneRuta(
      plataforma::UneRuta(carpeta_concurso, "ListasAdmitidas"), plataforma::NombreSeguro(nombre)));
  std::vector<std::string> fusion;
  if (plataforma::ExisteFichero(ruta)) {
    std::vector<std::string> lineas;
    if (!plataforma::LeerLineas(ruta, lineas)) throw plataforma::ErrorFichero(ruta, "No se puede leer la lista");
    for (const std::string& l : lineas) {
      if (EsFinDeLog(l)) break;
      fusion.push_back(l);
    }
  }
  const std::size_t m = fusion.size();
  const std::vector<std::string> log = Elementos(ventana.Lista("FicheroCabrillo"));
  if (m == 0) {
    fusion = log;
  } else {
    for (const std::string& l : log) {
      if (!EmpiezaPor(l, "QSO:")) continue;
      bool ya = false;
      for (std::size_t k = 0; k < m && !ya; ++k) ya = fusion[k] == l;
      if (!ya) fusion.push_back(l);
    }
    fusion.push_back("END-OF-LOG:");
  }
  if (admitidas)
    for (const std::string& l : fusion) admitidas->Agrega(l);

  ventana.PonProgreso(0);
  ventana.PonTexto("LProceso", "Generando LISTA VALIDA");
  if (!plataforma::EscribirLineas(ruta, fusion)) throw plataforma::ErrorFichero(ruta, "No se puede escribir la lista");
  for (std::size_t k = 0; k < fusion.size(); ++k) {
    ventana.PonProgreso(static_cast<int>((k + 1) * 100 / fusion.size()));
    ventana.Cede();
  }
  ventana.PonTexto("LProceso", "FIN PROCESO");
  CargaListasAdmitidas(EstadoCarpetaConcurso(carpeta_concurso, std::string(kConcursoDiploma)), ventana);
}

}  // namespace mail

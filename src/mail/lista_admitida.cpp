#include "mail/lista_admitida.h"

#include <string>
#include <vector>

#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
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

}  // namespace

ResultadoListaAdmitida FusionaListaAdmitida(EdicionConcurso& edicion, ProgresoEtapa& progreso,
                                            const std::string& nombre, const std::vector<std::string>& aceptada) {
  progreso.Porcentaje(0);
  progreso.Paso("Generando LISTA VALIDA");

  const std::string ruta = plataforma::ResuelveRuta(
      plataforma::UneRuta(plataforma::UneRuta(edicion.Carpeta(), "ListasAdmitidas"), plataforma::NombreSeguro(nombre)));
  ResultadoListaAdmitida resultado;
  std::vector<std::string>& fusion = resultado.Lineas;
  if (plataforma::ExisteFichero(ruta)) {
    std::vector<std::string> lineas;
    if (!plataforma::LeerLineas(ruta, lineas)) throw plataforma::ErrorFichero(ruta, "No se puede leer la lista");
    for (const std::string& l : lineas) {
      if (EsFinDeLog(l)) break;
      fusion.push_back(l);
    }
  }
  const std::size_t m = fusion.size();
  if (m == 0) {
    fusion = aceptada;
  } else {
    for (const std::string& l : aceptada) {
      if (!EmpiezaPor(l, "QSO:")) continue;
      bool ya = false;
      for (std::size_t k = 0; k < m && !ya; ++k) ya = fusion[k] == l;
      if (!ya) fusion.push_back(l);
    }
    fusion.push_back("END-OF-LOG:");
  }

  progreso.Porcentaje(0);
  progreso.Paso("Generando LISTA VALIDA");
  if (!plataforma::EscribirLineas(ruta, fusion)) throw plataforma::ErrorFichero(ruta, "No se puede escribir la lista");
  for (std::size_t k = 0; k < fusion.size(); ++k) {
    progreso.Porcentaje(static_cast<int>((k + 1) * 100 / fusion.size()));
    progreso.Cede();
  }
  progreso.Paso("FIN PROCESO");
  edicion.Lee(ListaEdicion::Admitidas);
  return resultado;
}

}  // namespace mail

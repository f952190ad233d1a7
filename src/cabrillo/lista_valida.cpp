#include "cabrillo/lista_valida.h"

#include <cstdint>
#include <vector>

#include "cabrillo/lectura.h"
#include "common/ventana_proceso.h"
#include "database/estado.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace cabrillo {

bool GeneraListaValida(VentanaProceso& ventana, const std::string& carpeta_concurso, std::string_view nombre_fichero) {
  ventana.PonProgreso(0);
  ventana.PonTexto("LProceso", "Generando LISTA VALIDA");
  const ListaVentana* lista = ventana.Lista(kListaFicheroCabrillo);
  const std::size_t n = lista ? lista->Cuenta() : 0;

  const std::string ruta = plataforma::ResuelveRuta(plataforma::UneRuta(
      plataforma::UneRuta(carpeta_concurso, "ListasValidas"), plataforma::NombreSeguro(nombre_fichero)));
  // The window's own lines when it keeps them, else a copy of each item.
  const std::vector<std::string>* textos = lista ? lista->Textos() : nullptr;
  std::vector<std::string> copia;
  if (!textos || textos->size() != n) {
    copia.reserve(n);
    for (std::size_t i = 0; i < n; ++i) copia.push_back(lista->Elemento(i));
    textos = &copia;
  }
  int mostrado = -1;
  for (std::size_t i = 0; i < n; ++i) {
    // The panel and the window system are served when the figure moves.
    const int porcentaje = static_cast<int>((static_cast<std::uint64_t>(i) + 1) * 100 / n);
    if (porcentaje != mostrado) {
      mostrado = porcentaje;
      ventana.PonProgreso(porcentaje);
      ventana.Cede();
    }
  }
  // Written whole or not at all: a cut-off copy would pass for a valid log.
  if (!plataforma::EscribirLineas(ruta, *textos)) return false;
  ventana.PonTexto("LProceso", "FIN PROCESO");
  return true;
}

bool GeneraListaValida(VentanaProceso& ventana, const EstadoConcurso& estado, std::string_view nombre_fichero) {
  return GeneraListaValida(ventana, estado.CarpetaConcurso, nombre_fichero);
}

}  // namespace cabrillo

#include "cabrillo/lista_valida.h"

#include <cstdint>

#include "common/progreso_etapa.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace cabrillo {

bool GeneraListaValida(ProgresoEtapa& progreso, const std::string& carpeta_concurso, std::string_view nombre_fichero,
                       const std::vector<std::string>& lineas) {
  progreso.Porcentaje(0);
  progreso.Paso("Generando LISTA VALIDA");
  const std::size_t n = lineas.size();
  // Resolved (without regard to letter case) where it is written.
  const std::string ruta =
      plataforma::UneRuta(plataforma::UneRuta(carpeta_concurso, "ListasValidas"), plataforma::NombreSeguro(nombre_fichero));
  int mostrado = -1;
  for (std::size_t i = 0; i < n; ++i) {
    // The progress and the caller's window are served when the figure moves.
    const int porcentaje = static_cast<int>((static_cast<std::uint64_t>(i) + 1) * 100 / n);
    if (porcentaje != mostrado) {
      mostrado = porcentaje;
      progreso.Porcentaje(porcentaje);
      progreso.Cede();
    }
  }
  // Written whole or not at all: a cut-off copy would pass for a valid log.
  if (!plataforma::EscribirLineas(ruta, lineas)) return false;
  progreso.Paso("FIN PROCESO");
  return true;
}

}  // namespace cabrillo

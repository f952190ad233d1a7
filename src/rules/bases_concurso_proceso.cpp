#include "rules/bases_concurso_proceso.h"

#include <optional>

#include "plataforma/rutas.h"
#include "rules/bases_concurso_texto.h"
#include "rules/resumen_cabrillo_bd.h"

namespace rules {

ResultadoBases GeneraFicheroBasesConcurso(const EnlaceBasesConcurso& enlace) {
  ResultadoBases resultado;
  const std::string carpeta = enlace.CarpetaConcurso();
  // A text that cannot be generated anew leaves no earlier one behind.
  if (!carpeta.empty()) plataforma::BorraFichero(RutaFicheroBasesConcurso(carpeta));

  std::optional<ResumenCabrillo> perfil;
  try {
    perfil = CargaResumenCabrillo(enlace.CarpetaTrabajo(), enlace.NumeroConcurso());
  } catch (const ErrorResumenCabrillo& error) {
    resultado.error = "No se ha podido leer el formato cabrillo del concurso: " + std::string(error.what());
    return resultado;
  }
  if (!perfil) {
    resultado.error =
        "El concurso no tiene configurado su FORMATO CABRILLO (Configurar CATEGORÍAS concurso): no se pueden "
        "generar las bases.";
    return resultado;
  }

  DatosBasesConcurso datos;
  datos.NombreConcurso = enlace.NombreConcurso();
  datos.EdicionConcurso = enlace.EdicionConcurso();
  datos.perfil = std::move(*perfil);
  datos.categoriasAdmitidas = enlace.CategoriasAdmitidas();
  resultado.error = EscribeBasesConcurso(carpeta, GeneraBasesConcurso(datos));
  if (!resultado.error.empty()) return resultado;
  if (!LeeBasesConcurso(carpeta, resultado.lineas)) {
    resultado.error = "No se puede leer el fichero " + RutaFicheroBasesConcurso(carpeta);
    resultado.lineas.clear();
  }
  return resultado;
}

}  // namespace rules

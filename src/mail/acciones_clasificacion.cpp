#include "mail/acciones_clasificacion.h"

#include "mail/envios_resultados.h"
#include "scoring/calculo_puntuaciones.h"
#include "scoring/clasifica.h"

namespace mail {

std::unique_ptr<scoring::AccionesPuntuacion> CreaAccionesPuntuacion(scoring::EnlaceGesPuntos& enlace,
                                                                    AvisoFalloEnvio al_fallar_envio) {
  // The mailings read the contest afresh at every opening of the rankings.
  auto envios = [&enlace, al_fallar_envio]() -> std::shared_ptr<scoring::EnviosClasificacion> {
    ConcursoEnvios concurso;
    if (!LeeConcursoEnvios(enlace.BaseConcursos(), enlace.NumeroConcurso(), enlace.CarpetaConcurso(),
                           enlace.CarpetaTrabajo(), concurso))
      return nullptr;
    return std::make_shared<EnviosResultados>(std::move(concurso), al_fallar_envio);
  };
  return std::make_unique<scoring::AccionesCalculoPuntuaciones>(
      enlace, std::make_unique<scoring::AccionesClasificacion>(enlace, std::move(envios)));
}

}  // namespace mail

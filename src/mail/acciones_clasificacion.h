#pragma once
// The actions of the cross-check window with everything behind them: the
// scoring run, and the rankings window with the result, annulled-QSO and
// communiqué mailings through the program's mail session. The mail window
// builds the cross-check window with them:
//
//   auto enlace = std::make_unique<MiEnlace>(...);
//   auto acciones = mail::CreaAccionesPuntuacion(*enlace, al_fallar_envio);
//   scoring::AbreGesPuntos(std::move(enlace), std::move(acciones));
//
// The actions keep a reference to the link, which the cross-check window
// owns and outlives them. A mail of the mailings that cannot go out is
// reported to `al_fallar_envio`.
#include <memory>

#include "mail/envios_resultados.h"
#include "scoring/enlace_ges_puntos.h"

namespace mail {

std::unique_ptr<scoring::AccionesPuntuacion> CreaAccionesPuntuacion(scoring::EnlaceGesPuntos& enlace,
                                                                    AvisoFalloEnvio al_fallar_envio);

}  // namespace mail

#pragma once
// The scoring run: every crossed log (`ListasCruzadas`) becomes a score file
// (`ListasPuntuaciones`, scoring/fichero_puntuacion.h).
//
// Per crossed log, in the order of the edition's listing of crossed logs: the
// header gives the category key and the callsign; the table `ListaQso` is
// refilled with the log's valid QSO lines (those that begin "QSO:"; lines
// marked "DUP00:" or "NULnn:" make no row); the per-QSO pass scores every
// row in `NumeroQso` order with the multiplier engine and the QSO points
// and stores the results in the row; the score file is written from the
// rows and the crossed log. `ListaQso` is a scratch table: after the run it
// holds the rows of the last log scored.
//
// A crossed log that cannot be read, or a QSO line with a token that its
// column cannot hold (a date that is no date, a band text too long, points
// that are no number...), leaves no score file: the log is named in the
// run's answer with the reason, and the other logs are still scored.
//
// The run needs no window: it takes the contest edition, tells its step
// ("Calculando <log>", at the end "FIN DE CÁLCULOS") and progress through a
// `ProgresoEtapa`, and reads the edition's listing of score files again as
// it goes.
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "scoring/enlace_ges_puntos.h"
#include "scoring/fichero_puntuacion.h"
#include "scoring/multiplicadores.h"
#include "scoring/puntos_qso.h"

class EdicionConcurso;
class ProgresoEtapa;
class TablasPaises;

namespace dao {
class Database;
}

namespace scoring {

// The contest is not in the contest database (or no database was given).
class ErrorPuntuacion : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The contest in hand as the run needs it.
struct ConcursoPuntuacion {
  dao::Database* Base = nullptr;              // the contest database
  std::int32_t NumeroOrden = 0;               // the contest's number
  const TablasPaises* Paises = nullptr;       // the countries database (nullptr: ErrorPaises)
  std::span<const std::string> SociosZurozi;  // members of the ZUROZI club
  DistanciaLocators Distancia = DistanciaEntreLocators;
};

// A crossed log the run could not score, and why.
struct ListaNoPuntuada {
  std::string Lista;
  std::string Motivo;
};

// The per-QSO pass over the rows of `ListaQso` in `NumeroQso` order: fills
// the QSO record from each row, asks the multiplier engine and (when the
// country is known) the QSO points, and stores `Multiplicador` and
// `PuntosRecibidos` (a fraction rounded half to even; a text that is no
// number as 0). Tells the progress after every QSO (nothing when the table
// is empty). Gives back the stored rows.
std::vector<FilaPuntuada> CalculaPuntosListaQso(ProgresoEtapa& progreso, dao::Database& base,
                                                MotorMultiplicadores& motor, const ContextoPuntos& puntos,
                                                const DatosConcursante& concursante);

// What the run gives back: the crossed logs it had to leave unscored.
struct ResultadoPuntuaciones {
  std::vector<ListaNoPuntuada> NoPuntuadas;
};

// The run over `edicion`'s listing of crossed logs, as it stands. Reads the
// listing of score files again after the last log and, while it goes on, at
// most once a second. Throws ErrorPuntuacion when the contest is not in the
// database.
ResultadoPuntuaciones CalculaPuntuaciones(EdicionConcurso& edicion, ProgresoEtapa& progreso,
                                          const ConcursoPuntuacion& concurso);

// The message that names the logs left unscored.
std::string TextoListasNoPuntuadas(const std::vector<ListaNoPuntuada>& listas);

// What the cross-check window's `Calcular` runs: the scoring run over the
// contest its opener gives; the logs left unscored are reported as one
// failure ("ADVERTENCIA"). The rankings are opened by `siguiente`: the rankings window's
// action (AccionesClasificacion, scoring/clasifica.h), or a stand-in that
// closes at once when none is given.
class AccionesCalculoPuntuaciones : public AccionesPuntuacion {
 public:
  AccionesCalculoPuntuaciones(EnlaceGesPuntos& enlace, std::unique_ptr<AccionesPuntuacion> siguiente = nullptr);
  void CalculaPuntuaciones(EdicionConcurso& edicion, ProgresoEtapa& progreso) override;
  void AbreClasificaciones(std::function<void()> al_cerrar) override;

 private:
  EnlaceGesPuntos& enlace_;
  std::unique_ptr<AccionesPuntuacion> siguiente_;
};

}  // namespace scoring

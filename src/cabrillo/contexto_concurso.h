#pragma once
// The one context of the run: the contest in hand as the database layer
// knows it (EstadoConcurso: folders, connections, the contest's row and
// number, the options other subsystems read) and what the checks of the log
// in hand share (its error report and header), the admitted categories of
// the contest and the countries database. The program makes one at start-up
// and passes it down; tests make their own. Procedures below this folder take
// only the EstadoConcurso part.
#include <memory>

#include "cabrillo/cabecera_log.h"
#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/datos_concurso.h"
#include "cabrillo/fichero_errores.h"
#include "common/paises.h"
#include "database/estado.h"
#include "plataforma/dao.h"

namespace cabrillo {

// The contest's rows as the checks of the last log read them, and what they
// were read from. They serve the next log while the same contest of the
// same database is in hand and nothing has been written to that database
// since (its stamp): the intake of a batch reads the contest once. Emptied
// (Olvida) it makes the next log read them again.
struct ConcursoLeido {
  bool leido = false;
  std::int32_t numero = 0;
  dao::Database::SelloContenido sello;
  DatosConcursoLog datos;
  void Olvida() { *this = ConcursoLeido{}; }
};

}  // namespace cabrillo

struct ContextoConcurso : EstadoConcurso {
  // The report of the log in hand, shared by the intake and the checks of
  // that log (at most one report is open at a time).
  cabrillo::FicheroErrores FicheroErroresEnCurso;
  // The header of the log in hand; every log starts from an empty one.
  cabrillo::CabeceraLog CabeceraLogEnCurso;
  // The admitted-category table of the contest in hand, shared by the error
  // report and the contest-rules text; rebuilt when a contest is created,
  // saved or selected.
  cabrillo::CategoriasAdmitidas CategoriasAdmitidasConcurso;
  // The contest in hand as the last log's checks read it (see
  // cabrillo::ConcursoLeido).
  cabrillo::ConcursoLeido ConcursoLeidoEnCurso;
  // The countries database of the run, read into memory once at start-up
  // (nullptr until then).
  std::unique_ptr<TablasPaises> Paises;
};

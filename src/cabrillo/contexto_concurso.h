#pragma once
// The one context of the run: the contest in hand as the database layer
// knows it (EstadoConcurso: folders, connections, the contest's row and
// number, the options other subsystems read), the admitted categories of
// the contest, the countries database and the printer chosen for the run. The program makes one at start-up
// and passes it down; tests make their own. Procedures below this folder take
// only the EstadoConcurso part.
#include <memory>

#include "cabrillo/categorias_admitidas.h"
#include "common/paises.h"
#include "database/estado.h"
#include "plataforma/eleccion_impresora.h"

struct ContextoConcurso : EstadoConcurso {
  // The admitted-category table of the contest in hand, shared by the error
  // report and the contest-rules text; rebuilt when a contest is created,
  // saved or selected.
  cabrillo::CategoriasAdmitidas CategoriasAdmitidasConcurso;
  // The countries database of the run, read into memory once at start-up
  // (nullptr until then).
  std::unique_ptr<TablasPaises> Paises;
  // The printer the windows print on ("Selección Impresora" of the main
  // window); the default one until the operator chooses.
  plataforma::EleccionImpresora Impresora;
};

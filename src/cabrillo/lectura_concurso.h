#pragma once
// Reading, from the contest database, what the validation of a log and the
// admitted-category table need of a contest. Every column is read by its
// name, so a table whose columns were appended by the start-up upgrade
// (such as `ServerOp` at the end of `ResumenCabrillo`) reads the same.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/datos_concurso.h"

namespace dao {
class Database;
}

struct ContextoConcurso;

namespace cabrillo {

// The contest's row of `ResumenCabrillo`; nullopt when it has none.
std::optional<FilaResumenCabrillo> LeeFilaResumenCabrillo(dao::Database& base, std::int32_t numero_orden);

// The contest's province codes (`ListaProv.CodigoProv`), compared as the
// column compares them.
CodigosReferencia LeeProvinciasConcurso(dao::Database& base, std::int32_t numero_orden);

// The contest's rows of `Concursos` and `ResumenCabrillo` and its province
// list, read once for the log in hand. False when `Concursos` has no row of
// that number. The main window's options (`SiglasONumeral`,
// `VerificarNombreExacto`) are left for the caller to set.
bool LeeDatosConcursoLog(dao::Database& base, std::int32_t numero_orden, DatosConcursoLog& datos);

// Builds the admitted-category table of a contest from its row of
// `ResumenCabrillo` (the three contests with fixed tables read nothing).
CategoriasAdmitidas GeneraCategoriasAdmitidas(dao::Database& base, std::string_view nombre_concurso,
                                              std::int32_t numero_orden);
// Rebuilds the context's table `CategoriasAdmitidasConcurso` for the contest
// in hand (`NombreConcurso`, `NumeroConcursoActual`).
void GeneraCategoriasAdmitidas(ContextoConcurso& contexto, dao::Database& base);

}  // namespace cabrillo

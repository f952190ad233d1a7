#pragma once
// The annulment options of a contest as stored in its `Concursos` row: the
// 14 Boolean columns and `NumeroListas`. The cross-check window loads them
// into its boxes when it opens and writes them back when the operator
// leaves it with its exit button.
#include <cstdint>

#include "scoring/configuracion_cruce.h"

namespace dao {
class Database;
}

namespace scoring {

// The stored options of contest `numero_orden`: a column that holds no
// value reads False, a `NumeroListas` without a value reads "". False when
// the contest has no row.
bool CargaOpcionesAnulacion(dao::Database& base, std::int32_t numero_orden, OpcionesAnulacion& opciones);

// Writes the 14 columns and `NumeroListas` (the text as given, at most its
// first two characters) into the contest's row in one update. False when
// the contest has no row. A database failure reaches the caller.
bool GuardaOpcionesAnulacion(dao::Database& base, std::int32_t numero_orden, const OpcionesAnulacion& opciones);

}  // namespace scoring

#pragma once
// Load and save of a contest's ResumenCabrillo row, each on a connection of
// its own to the contest database "Ledrima" of the working folder, closed
// before returning.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "plataforma/dao.h"
#include "rules/perfil_cabrillo.h"

namespace rules {

// A failure of the contest database (missing or locked file, missing table
// or column, refused write), with the engine's text.
class ErrorResumenCabrillo : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Path of the contest database in a working folder (the file name is found
// without regard to letter case).
std::string RutaBaseConcursos(const std::string& carpetaTrabajo);

// The first row whose NumeroOrden is `numero`; nullopt when there is none.
// A column holding no value reads as False, 0 or the empty text; the points
// columns read as nullopt then.
std::optional<ResumenCabrillo> CargaResumenCabrillo(const std::string& carpetaTrabajo, std::int32_t numero);

// Adds the row (with its NumeroOrden) when the contest has none, otherwise
// edits the first one found: every category, element flag, column, mailbox
// and subject; the points columns only when `fila` holds them.
void GrabaResumenCabrillo(const std::string& carpetaTrabajo, std::int32_t numero, const ResumenCabrillo& fila);

// A reader of the Boolean columns of the row a recordset stands on, for the
// ValorCategoria* keywords (the recordset is shared, not copied).
LectorCampoLogico LectorDe(const dao::Recordset& fila);

}  // namespace rules

#pragma once
// Making the tables of the contest database and bringing an older contest
// database up to date at start-up. Every operation takes the path of the
// contest database file (the working folder's "Ledrima").
#include <string>
#include <string_view>
#include <vector>

#include "database/esquema.h"
#include "plataforma/dao.h"

namespace database {

// Creates `tabla` with its creation layout in an open database, dropping a
// table of that name first (an absent table is no error). No index, key or
// default value is made. Errors of the layer (dao::Error) propagate.
void CreaTabla(dao::Database& base, std::string_view tabla);

// The table-creation operations: each opens the database, rebuilds its
// table empty with the creation layout and closes the database. Start-up
// runs none of them.
void CrearTablaConcursos(const std::string& ruta);
void CrearTablaResumenCabrillo(const std::string& ruta);
void CrearTablaListaQso(const std::string& ruta);
void CrearTablaClasificaciones(const std::string& ruta);
void CrearTablaMultEstacionesEspeciales(const std::string& ruta);  // ListaMultEspeciales

// A column appended by the upgrade.
struct ColumnaAnadida {
  std::string tabla;
  std::string columna;
  bool operator==(const ColumnaAnadida&) const = default;
};

// Runs one upgrade step on a connection of its own, in one transaction:
// each column of the step that the table lacks (names compared without
// regard to letter case) is appended at the end of the table, in the
// step's order. Old rows read False in an appended Boolean column and Null
// in the others, except `Modo` of ListaEspeciales, which rows without a
// value get as "*" (any mode). A missing table or database is an error
// (dao::Error).
std::vector<ColumnaAnadida> EjecutaPasoActualizacion(const std::string& ruta,
                                                     const PasoActualizacion& paso);

// Creates table MultEspeciales with its layout when the database has no
// table of that name (in any letter case). True when it was created.
bool CrearTablaMultEspeciales(const std::string& ruta);

struct ResultadoActualizacion {
  std::vector<ColumnaAnadida> anadidas;  // in the order appended
  bool creadaMultEspeciales = false;
};
// The start-up upgrade: the thirteen steps in order, then
// CrearTablaMultEspeciales. Running it again changes nothing.
ResultadoActualizacion ActualizaEsquema(const std::string& ruta);

// The empty contest database of a new installation: a new file at `ruta`
// with every table in its full layout (created, then brought up to date by
// the upgrade) and no rows. Refuses (dao::Error errTablaYaExiste, file
// untouched) when a file already stands at that path.
void CreaBaseConcursosVacia(const std::string& ruta);

}  // namespace database

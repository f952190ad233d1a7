#pragma once
// Layout of every table of the contest database: one list of columns per
// table, in column order. Table creation, the start-up upgrade, the setup
// program and the editors' field lengths all read these lists.
#include <span>
#include <string_view>
#include <vector>

namespace database {

// Column types of the contest database.
enum class TipoColumna {
  Booleano,  // True (-1) or False (0)
  Entero,    // 16-bit signed integer
  Largo,     // 32-bit signed integer
  Doble,     // double
  Fecha,     // calendar date
  Texto,     // text of at most `tamano` characters
};

struct Columna {
  std::string_view nombre;
  TipoColumna tipo;
  int tamano = 0;             // characters, Text only
  bool permiteVacio = false;  // Text only: the empty text is accepted
};

// A table as its creation operation makes it.
struct Tabla {
  std::string_view nombre;
  std::span<const Columna> columnas;
};

// Table names.
inline constexpr std::string_view kConcursos = "Concursos";
inline constexpr std::string_view kResumenCabrillo = "ResumenCabrillo";
inline constexpr std::string_view kListaQso = "ListaQso";
inline constexpr std::string_view kClasificaciones = "Clasificaciones";
inline constexpr std::string_view kControlConcursos = "ControlConcursos";
inline constexpr std::string_view kListaProv = "ListaProv";
inline constexpr std::string_view kListaDistritos = "ListaDistritos";
inline constexpr std::string_view kListaPaises = "ListaPaises";
inline constexpr std::string_view kListaPrefijos = "ListaPrefijos";
inline constexpr std::string_view kListaCq = "ListaCq";
inline constexpr std::string_view kListaMultEspeciales = "ListaMultEspeciales";
inline constexpr std::string_view kListaEspeciales = "ListaEspeciales";
inline constexpr std::string_view kMultEspeciales = "MultEspeciales";

// Layout of each table as created (before any upgrade step appends to it).
// Concursos: 129 columns; ResumenCabrillo: 79; ListaQso: 33;
// Clasificaciones: 3; ListaEspeciales without its appended `Modo`.
std::span<const Columna> ColumnasConcursos();
std::span<const Columna> ColumnasResumenCabrillo();
std::span<const Columna> ColumnasListaQso();
std::span<const Columna> ColumnasClasificaciones();
std::span<const Columna> ColumnasControlConcursos();
std::span<const Columna> ColumnasListaProv();
std::span<const Columna> ColumnasListaDistritos();
std::span<const Columna> ColumnasListaPaises();
std::span<const Columna> ColumnasListaPrefijos();
std::span<const Columna> ColumnasListaCq();
std::span<const Columna> ColumnasListaMultEspeciales();
std::span<const Columna> ColumnasListaEspeciales();
std::span<const Columna> ColumnasMultEspeciales();

// Every table of a contest database, in the order the setup program makes
// them.
std::span<const Tabla> Tablas();
// The creation layout of a table by name (letter case ignored); empty when
// the name is not a table of the contest database.
std::span<const Columna> ColumnasDeTabla(std::string_view tabla);

// One upgrade step of the start-up: appends `columnas` to `tabla`, each
// column that the table lacks (names compared without regard to case).
struct PasoActualizacion {
  std::string_view operacion;  // name of the step, e.g. "CrearCampoServerOp"
  std::string_view tabla;
  std::span<const Columna> columnas;
};
// The thirteen steps, in the order they run.
std::span<const PasoActualizacion> PasosActualizacion();

// The layout a table has once created and brought up to date by the upgrade
// steps: its creation layout followed by the appended columns it did not
// have, in the order of the steps. Concursos: 140 columns, ResumenCabrillo: 83.
std::vector<Columna> LayoutCompleto(std::string_view tabla);

// Ordinal of a column in a layout, names compared without regard to case;
// -1 when absent.
int OrdinalColumna(std::span<const Columna> columnas, std::string_view nombre);

// Names compared without regard to letter case (ASCII letters; the names of
// the schema are ASCII).
bool MismoNombre(std::string_view a, std::string_view b);

}  // namespace database

#pragma once
// The rankings of the contest in hand, rebuilt from the score files of the
// last scoring run (`ListasPuntuaciones`): table `Clasificaciones` gets one
// row per score file; two fixed-width listings of its rows, one by category
// and one by points, are given back (the rankings window shows them in its
// lists `ListaPorCategoria` and `ListaPorPuntos`) and go to the files
// "ListaPorCategoria.lst" and "ListaPorPuntos.lst" of `ListasClasificacion`.
//
// Each score file is read on its own: a file that does not name its
// participant ("CONCURSANTE: "), lacks its final score ("TOTAL PUNTOS:"),
// gives a score that is no 32-bit number, or a name or category longer than
// the table holds, is left out of the ranking and named in the answer; it
// never takes values of another file.
//
// The QSO and annulled-QSO figures come from the participant's crossed log
// (`ListasCruzadas` + participant + ".LOG"; both 0 without it). By category
// a duplicate ("DUP") counts as annulled and among the QSOs; by points only
// the annulled QSOs ("NUL") count, and duplicates in neither figure.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class EdicionConcurso;

namespace dao {
class Database;
}

namespace scoring {

// One row of the ranking.
struct FilaClasificacion {
  std::string Concursante;
  std::string Categoria;
  std::int32_t Puntos = 0;
};

// The figures of a crossed log: unmarked QSO lines ("QSO:") and the lines
// marked as duplicates ("DUP...") or annulled ("NUL...").
struct CuentasListaCruzada {
  int Qsos = 0;
  int Duplicados = 0;
  int Nulos = 0;
};

// A score file left out of the ranking, and why.
struct PuntuacionOmitida {
  std::string Fichero;
  std::string Motivo;
};

// Reads the row of one score file (its lines, UTF-8). nullopt with the
// reason in `motivo` when the file cannot make a row.
std::optional<FilaClasificacion> LeeFilaClasificacion(const std::vector<std::string>& lineas, std::string& motivo);

// Counts the lines of a crossed log, given as the file's bytes (lines end
// in CR LF, CR or LF; case-sensitive tests on the start of each line).
CuentasListaCruzada CuentaLineasCruzadas(std::string_view bytes);
// The same from the participant's crossed log in the contest's folder; all
// 0 when there is none (or the name could not be a file of that folder).
CuentasListaCruzada CuentaListaCruzada(const std::string& carpeta_concurso, const std::string& concursante);

// The items of the two lists: every value left-aligned and padded to its
// width (a longer value is kept whole); 100 characters when every value
// fits.
std::string ElementoPorCategoria(const FilaClasificacion& fila, const CuentasListaCruzada& cuentas);
std::string ElementoPorPuntos(const FilaClasificacion& fila, const CuentasListaCruzada& cuentas);

// The two rankings of a rebuild, and the score files left out.
struct ResultadoClasificaciones {
  // By category ascending, points descending, participant ascending.
  std::vector<std::string> PorCategoria;
  // By points descending, category descending, participant ascending.
  std::vector<std::string> PorPuntos;
  std::vector<PuntuacionOmitida> Omitidas;
};

// Builds the ranking of the edition's score files: empties table
// `Clasificaciones` and refills it (in one transaction), and gives back its
// two listings. A database error (dao::Error) reaches the caller.
ResultadoClasificaciones CalculaClasificaciones(dao::Database& base, const EdicionConcurso& edicion);

// Deletes every file of `ListasClasificacion` and writes the two rankings to
// "ListaPorCategoria.lst" and "ListaPorPuntos.lst" (Windows-1252, CR LF).
// Throws plataforma::ErrorFichero when a file cannot be written.
void GuardaListasClasificacion(const ResultadoClasificaciones& clasificaciones, const EdicionConcurso& edicion);

// Rebuilds the ranking: CalculaClasificaciones, then GuardaListasClasificacion.
ResultadoClasificaciones GeneraClasificaciones(dao::Database& base, const EdicionConcurso& edicion);

// The message that names the score files left out.
std::string TextoPuntuacionesOmitidas(const std::vector<PuntuacionOmitida>& omitidas);

}  // namespace scoring

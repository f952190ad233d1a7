#pragma once
// The rankings of the contest in hand, rebuilt from the score files of the
// last scoring run (`ListasPuntuaciones`): table `Clasificaciones` gets one
// row per score file; two fixed-width listings of its rows, one by category
// and one by points, go to the lists `ListaPorCategoria` and
// `ListaPorPuntos` of the window and to the files "ListaPorCategoria.lst"
// and "ListaPorPuntos.lst" of `ListasClasificacion`.
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

class VentanaProceso;

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

// Rebuilds the ranking: empties table `Clasificaciones` and refills it
// (in one transaction), fills the window's lists `ListaPorCategoria` (by
// category ascending, points descending, participant ascending) and
// `ListaPorPuntos` (points descending, category descending, participant
// ascending), and saves both (GuardaListasClasificacion). Gives back the
// score files left out. A database error (dao::Error) or a file that
// cannot be written (plataforma::ErrorFichero) reaches the caller.
std::vector<PuntuacionOmitida> GeneraClasificaciones(VentanaProceso& ventana, dao::Database& base,
                                                     const std::string& carpeta_concurso);

// Deletes every file of `ListasClasificacion` and writes the window's two
// lists to "ListaPorCategoria.lst" and "ListaPorPuntos.lst" (Windows-1252,
// CR LF). Throws plataforma::ErrorFichero when a file cannot be written.
void GuardaListasClasificacion(VentanaProceso& ventana, const std::string& carpeta_concurso);

// The message that names the score files left out.
std::string TextoPuntuacionesOmitidas(const std::vector<PuntuacionOmitida>& omitidas);

}  // namespace scoring

#pragma once
// Validation of one participant's log: loads the file into the window's
// list `FicheroCabrillo`, checks its framing and version, then the header,
// the categories and every QSO line, each stage only when the earlier ones
// passed, and stops the analysis at the sixth faulty QSO line. Every fault
// is written to the open error report; the answer is true when the log is
// accepted. No window is needed: any VentanaProceso will do.
#include <string>
#include <string_view>
#include <vector>

#include "cabrillo/entorno_validacion.h"

class VentanaProceso;

namespace dao {
class Database;
}

struct ContextoConcurso;

namespace cabrillo {

// What the validation reads of the main window, as shown when the log is
// checked.
struct AjustesVentanaPrincipal {
  bool SiglasONumeral = false;         // box `SiglasONumeral`
  bool VerificarNombreExacto = false;  // box `VerificaNombre`
};

// The lines of a log file as the validation loads them: Windows-1252 bytes
// to text, a line ending at CR LF, a lone CR or a lone LF, up to and
// including the first line that, blanks trimmed, is "END-OF-LOG:".
std::vector<std::string> LineasDelLog(std::string_view bytes);
// The same lines read in pieces (never holding the file's bytes whole) from
// a path resolved already (plataforma::ResuelveRuta). Throws
// plataforma::ErrorFichero when the file cannot be read.
std::vector<std::string> LeeLineasDelLog(const std::string& ruta);

// Validates `carpeta_concurso`/FicherosRecibidos/`nombre_fichero`. The
// error report must be open and the header in the environment empty. Throws
// plataforma::ErrorFichero when the file cannot be read.
bool VerificaFicheroCabrillo(VentanaProceso& ventana, const std::string& carpeta_concurso,
                             std::string_view nombre_fichero, const EntornoValidacion& entorno);

// The same for the contest in hand: its rows are read from the contest
// database, or taken as the previous log read them when that database has
// not changed since (ContextoConcurso::ConcursoLeidoEnCurso), with the main
// window's options as given; the
// context's report, admitted-category table, `CarpetaConcurso` and
// countries database are used, and its header starts empty for this log.
// Throws std::runtime_error when the contest in hand has no row in
// `Concursos`.
bool VerificaFicheroCabrillo(VentanaProceso& ventana, ContextoConcurso& contexto, std::string_view nombre_fichero,
                             dao::Database& base, const AjustesVentanaPrincipal& ajustes);

// The QSO stage: every line from the first one that starts with "QSO:" up
// to "END-OF-LOG:" is checked; the sixth faulty line writes the stop block
// and ends the analysis. A listener log passes unchecked. The progress
// panel follows the lines.
bool VerificaLineasQso(VentanaProceso& ventana, const std::vector<std::string>& lineas,
                       const EntornoValidacion& entorno);

}  // namespace cabrillo

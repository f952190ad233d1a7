#pragma once
// Validation of one participant's log: loads its lines, checks its framing
// and version, then the header, the categories and every QSO line, each
// stage only when the earlier ones passed, and stops the analysis at the
// sixth faulty QSO line. Every fault is written to the open error report;
// the header found is left in the environment; the result says whether the
// log is accepted and holds its lines.
#include <string>
#include <string_view>
#include <vector>

#include "cabrillo/entorno_validacion.h"

class ProgresoEtapa;

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

// What the validation of one log gives back.
struct ResultadoVerificacion {
  std::string NombreFichero;        // as given
  bool Aceptada = false;            // no fault found
  std::vector<std::string> Lineas;  // the log as loaded (LeeLineasDelLog)
};

// Validates `carpeta_concurso`/FicherosRecibidos/`nombre_fichero`. The
// error report must be open and the header in the environment empty; the
// checks fill the header. Throws plataforma::ErrorFichero when the file
// cannot be read.
ResultadoVerificacion VerificaFicheroCabrillo(ProgresoEtapa& progreso, const std::string& carpeta_concurso,
                                              std::string_view nombre_fichero, const EntornoValidacion& entorno);

// The QSO stage: every line from the first one that starts with "QSO:" up
// to "END-OF-LOG:" is checked; the sixth faulty line writes the stop block
// and ends the analysis. A listener log passes unchecked. The percentage
// follows the lines.
bool VerificaLineasQso(ProgresoEtapa& progreso, const std::vector<std::string>& lineas,
                       const EntornoValidacion& entorno);

}  // namespace cabrillo

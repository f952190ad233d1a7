#pragma once
// The accepted copy of a log: the lines of the window's list
// `FicheroCabrillo` (the log up to and including its "END-OF-LOG:" line),
// written to `ListasValidas` of the contest folder, each line ended by CR LF.
#include <string>
#include <string_view>

class VentanaProceso;

struct EstadoConcurso;

namespace cabrillo {

// Writes `carpeta_concurso`/ListasValidas/`nombre_fichero`, replacing any
// earlier content, with the progress panel moving line by line
// ("Generando LISTA VALIDA", then "FIN PROCESO"). The file name is reduced
// to a plain name (no folder parts). The file is replaced whole: false when
// it cannot be written, and then no cut-off copy is left.
bool GeneraListaValida(VentanaProceso& ventana, const std::string& carpeta_concurso,
                       std::string_view nombre_fichero);
// The same in the folder of the contest in hand, `CarpetaConcurso`.
bool GeneraListaValida(VentanaProceso& ventana, const EstadoConcurso& estado, std::string_view nombre_fichero);

}  // namespace cabrillo

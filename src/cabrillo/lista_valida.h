#pragma once
// The accepted copy of a log: its lines as the validation loaded them (the
// log up to and including its "END-OF-LOG:" line), written to
// `ListasValidas` of the contest folder, each line ended by CR LF.
#include <string>
#include <string_view>
#include <vector>

class ProgresoEtapa;

namespace cabrillo {

// Writes `carpeta_concurso`/ListasValidas/`nombre_fichero`, replacing any
// earlier content, with the progress moving line by line ("Generando LISTA
// VALIDA", then "FIN PROCESO"). The file name is reduced to a plain name (no
// folder parts). The file is replaced whole: false when it cannot be
// written, and then no cut-off copy is left.
bool GeneraListaValida(ProgresoEtapa& progreso, const std::string& carpeta_concurso, std::string_view nombre_fichero,
                       const std::vector<std::string>& lineas);

}  // namespace cabrillo

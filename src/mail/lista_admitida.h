#pragma once
// The award's merged log of one station, `ListasAdmitidas` + name: the first
// accepted sending whole; later sendings add only the QSO lines it did not
// hold, and the log then closes with "END-OF-LOG:". The END-OF-LOG line is
// recognised with blanks before it.
#include <string>
#include <vector>

class EdicionConcurso;
class ProgresoEtapa;

namespace mail {

// What the merge gives back: the station's merged log as written.
struct ResultadoListaAdmitida {
  std::vector<std::string> Lineas;
};

// Merges `aceptada` (the lines of the accepted log, as the intake checked
// them) into the merged log `nombre` of the edition, tells its steps
// ("Generando LISTA VALIDA", "FIN PROCESO") and progress, and reads the
// edition's listing of admitted logs again. Throws plataforma::ErrorFichero
// when the merged log cannot be read or written.
ResultadoListaAdmitida FusionaListaAdmitida(EdicionConcurso& edicion, ProgresoEtapa& progreso,
                                            const std::string& nombre, const std::vector<std::string>& aceptada);

}  // namespace mail

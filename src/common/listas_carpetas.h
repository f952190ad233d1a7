#pragma once
// Folder lists, list files and clearing of earlier results of the contest in
// hand (its CarpetaConcurso), for the windows whose runs still reach their
// list boxes by name: each procedure reads or writes the edition's list
// (common/edicion_concurso.h) and fills or empties the calling window's list
// box of the same name and its count label.
//
// A list box that the window lacks raises ErrorVentana; a missing label is
// ignored by the window. A missing subfolder lists as empty and a missing list
// file loads as an empty list; a list file that exists but cannot be read, or
// that cannot be written, raises plataforma::ErrorFichero.
#include <stdexcept>
#include <string>
#include <vector>

#include "common/edicion_concurso.h"
#include "database/estado.h"
#include "plataforma/errores.h"

class VentanaProceso;

// The calling window has no list box of the name a procedure needs.
class ErrorVentana : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Folder loaders: clear the list box, add the name of every file of the
// subfolder of the same name, set the count label ("n Listas").
void CargaListasValidas(const EstadoConcurso& estado, VentanaProceso& ventana);    // ListasValidas / LValidas
void CargaListasAdmitidas(const EstadoConcurso& estado, VentanaProceso& ventana);  // ListasAdmitidas / LAdmitidas
void CargaListasAdmitidasDiploma(const EstadoConcurso& estado,
                                 VentanaProceso& ventana);                           // same, leaves nothing selected
void CargaListasCruzadas(const EstadoConcurso& estado, VentanaProceso& ventana);     // ListasCruzadas / LCruzadas
void CargaListasQsoAnulados(const EstadoConcurso& estado, VentanaProceso& ventana);  // ListasQsoAnulados / LAnulados
void CargaListasPuntuaciones(const EstadoConcurso& estado,
                             VentanaProceso& ventana);  // ListasPuntuaciones / LPuntuaciones
void CargaFicherosRecibidos(const EstadoConcurso& estado, VentanaProceso& ventana);  // FicherosRecibidos / LRecibidos
void CargaFicherosConfirmacion(const EstadoConcurso& estado,
                               VentanaProceso& ventana);  // FicherosConfirmacion / LConfirmaciones
void CargaFicherosErrores(const EstadoConcurso& estado, VentanaProceso& ventana);  // FicherosErrores / LErrores

// FicherosManuales / LManuales. First renames every log whose extension (from
// the first ".") is ".CBR" in any letter case to the same name with "LOG"
// ("QQ1ABC.cbr" becomes "QQ1ABC.LOG"); a log whose new name is taken already
// keeps its name, so the earlier file is never overwritten. Then lists the
// folder. Returns the names that could not be renamed, which the window
// reports to the operator in one message (TextoCbrNoRenombrados).
std::vector<std::string> CargaFicherosManuales(const EstadoConcurso& estado, VentanaProceso& ventana);
// Text of that message: the names, one a line.
std::string TextoCbrNoRenombrados(const std::vector<std::string>& nombres);

// List-file loaders: clear the list box and add every line of the file when
// it exists; then set the count label, when the member has one.
void CargaListasNoEnviadasPorIndicativo(const EstadoConcurso& estado,
                                        VentanaProceso& ventana);                            // Label6, "n NO ENVIADAS"
void CargaListasNoEnviadasPorNumero(const EstadoConcurso& estado, VentanaProceso& ventana);  // no label
void CargaListasDeControl(const EstadoConcurso& estado, VentanaProceso& ventana);            // LDeControl
void CargaListasDeSWL(const EstadoConcurso& estado, VentanaProceso& ventana);                // LDESWL
// ListaBasesConcurso from BasesConcurso/FicheroBasesConcurso.lst; the file
// must exist (it was just written).
void CargaFicheroBasesConcurso(const EstadoConcurso& estado, VentanaProceso& ventana);

// List-file writers: write every item of the list box to its file, replacing
// it (Windows-1252, CR LF after every line), then set the count label.
void GuardaListasNoEnviadasPorIndicativo(const EstadoConcurso& estado, VentanaProceso& ventana);  // Label6
void GuardaListasNoEnviadasPorNumero(const EstadoConcurso& estado,
                                     VentanaProceso& ventana);                      // Label6, this list's count
void GuardaListasDeControl(const EstadoConcurso& estado, VentanaProceso& ventana);  // LDeControl
// LDESWL; does nothing at all for the award contest.
void GuardaListasDeSWL(const EstadoConcurso& estado, VentanaProceso& ventana);

// Deletes the results of the cross-check and the scoring: empties the lists
// and labels of crossed logs, annulled QSOs, scores and control logs, sets
// Label6 to "NO ENVIADAS", and deletes every file of ListasCruzadas,
// ListasQsoAnulados, ListasPuntuaciones, ListasNoEnviadas, ListasDeControl
// and ListasDeSWL. A file that cannot be deleted is skipped.
void BorraResultadosCruce(const EstadoConcurso& estado, VentanaProceso& ventana);
// Empties the list ListasPuntuaciones (not its label) and deletes every file
// of ListasPuntuaciones, skipping those that cannot be deleted.
void BorraListasPuntuaciones(const EstadoConcurso& estado, VentanaProceso& ventana);

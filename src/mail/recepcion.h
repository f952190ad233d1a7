#pragma once
// Intake of one participant's log, from a mail of the contest's mailbox or
// from the folder of manual files: the attachment and subject checks, the
// copy into `FicherosRecibidos`, the deletion of the earlier results of the
// same log, the validation, the filing (valid log, award merge or listener
// list) and the answer (error report or confirmation). Also the inbox walk
// of one mail session.
//
// Everything runs without a window: the intake takes the contest edition
// (whose folder listings, listeners' list and queue of merged manual files it
// keeps up to date), a ProgresoEtapa and the caller's VentanaCorreo, and
// returns for each log a ResultadoRecepcion. A log that cannot be read,
// copied or written is reported as a failure (ProgresoEtapa::Fallo, titled
// "ERROR") for that log only; its mail stays unread for a later session and
// the intake goes on with the next one.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cabrillo/cabecera_log.h"
#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/datos_concurso.h"
#include "cabrillo/fichero_errores.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/edicion_concurso.h"
#include "database/concursos_especiales.h"
#include "database/estado.h"

class EdicionConcurso;
class ProgresoEtapa;
class TablasPaises;

namespace dao {
class Database;
}
namespace plataforma::correo {
class SesionCorreo;
}

namespace mail {

class DiarioRespuestas;
class LimiteRespuestas;
class VentanaCorreo;

// The award contest: its logs are merged per station, never listed as valid
// (its profile's name).
inline constexpr std::string_view kConcursoDiploma = concursos::kDiplomaMunicipios.nombre;

// Subjects of the answer mails.
inline constexpr std::string_view kAsuntoErrores = "Errores en el E-MAIL enviado";
inline constexpr std::string_view kAsuntoConfirmacion = "Confirmando LISTA ";

// The contest's mailbox and subject pattern ("$" stands for the callsign),
// from its row of `ResumenCabrillo`; empty when the column is empty or Null.
struct ConfiguracionCorreo {
  std::string EMailConcurso;
  std::string AsuntoConcurso;
};

// The contest in hand as the intake works with it, read once per intake
// session or manual pass.
struct ConcursoRecepcion {
  cabrillo::DatosConcursoLog datos;  // datos.Concurso is the contest's name
  cabrillo::CategoriasAdmitidas categorias;
  ConfiguracionCorreo correo;
  std::string carpetaConcurso;           // the contest's folder
  std::string carpetaTrabajo;            // where the working error report is written
  // The mailbox of every contest of the contest database, upper-cased: a
  // mail from one of them is never answered.
  std::set<std::string> buzonesConcursos;
  const TablasPaises* paises = nullptr;  // nullptr: the countries database of the run

  const std::string& Nombre() const { return datos.Concurso; }
  bool EsDiploma() const { return concursos::EsDiploma(datos.Concurso); }
};

// Reads the mailbox and subject pattern of a contest. False when the
// contest has no row in `ResumenCabrillo` (intake cannot start).
bool CargaConfiguracionCorreo(dao::Database& base, std::int32_t numero_orden, ConfiguracionCorreo& configuracion);

// Reads everything the intake needs of a contest from the contest database.
// False when the contest has no row in `Concursos` or in `ResumenCabrillo`.
bool CargaConcursoRecepcion(dao::Database& base, std::int32_t numero_orden,
                            const cabrillo::AjustesVentanaPrincipal& ajustes, const std::string& carpeta_concurso,
                            const std::string& carpeta_trabajo, ConcursoRecepcion& concurso);

// Base name of a log: the name up to and including the dot of its first
// ".LOG" (case-sensitive); empty when the name holds no ".LOG".
std::string BaseNombreLog(std::string_view nombre_fichero_log);

// The edition's listeners' list (ListaEdicion::Oyentes), compared exactly:
// removes the first line equal to the call / adds the call in its
// alphabetical place (letter case ignored) unless it is listed already.
void QuitaListaSWL(EdicionConcurso& edicion, const std::string& indicativo);
void AnotaListaSWL(EdicionConcurso& edicion, const std::string& indicativo);

// Titles of the failures the intake reports (ProgresoEtapa::Fallo): a log
// or a mail that could not be handled, and a plain notice (a failed send).
// Manual logs that could not be renamed are reported under
// kTituloAdvertencia (mail/ges_automatica_textos.h).
inline constexpr std::string_view kTituloFallo = "ERROR";
inline constexpr std::string_view kTituloAviso = "";

// What the intake of one log gives back.
enum class VeredictoRecepcion {
  SinProcesar,  // not taken in: a mail for nobody, already answered, or a failure
  Aceptada,     // validated and filed (valid log, merged log or listener)
  Rechazada,    // answered with its error report
};

struct ResultadoRecepcion {
  std::string NombreFichero;  // the log as filed ("QQ1ABC.LOG"); empty when the mail held none
  VeredictoRecepcion Veredicto = VeredictoRecepcion::SinProcesar;
  std::vector<std::string> Lineas;  // the log as validated
  cabrillo::CabeceraLog Cabecera;   // its header as the checks found it
  // The filed error report (FicherosErrores) of a refused log or mail;
  // empty otherwise.
  std::string NombreFicheroErrores;
  // Award: the station's merged log as written (ListasAdmitidas).
  std::vector<std::string> LineasAdmitidas;
  // The answer: to whom, and why it was held back (empty when it went out
  // or none was due).
  std::string DireccionRemitente;
  std::string SinRespuesta;

  bool EsOyente() const { return !Cabecera.MarcaSwl.empty(); }
};

// At most this many characters of what a sender wrote (subject, names,
// addresses, header values) go into a report or an answer at a time.
inline constexpr std::size_t kMaximoEco = 256;
std::string Eco(std::string_view texto);

// Why a mail must not be answered (RFC 3834 and common practice), as the
// list of mails shows it; empty when it may be. Read from the selected mail
// of the session: `Auto-Submitted` other than "no", `Precedence` bulk, junk
// or list, a `List-Id`, an empty return path, a sender MAILER-DAEMON or
// postmaster, or a sender that is a contest's own mailbox (`concurso`'s
// list, its own, or the session's sender).
std::string MotivoSinRespuesta(const plataforma::correo::SesionCorreo& sesion, const ConcursoRecepcion& concurso);
inline constexpr std::string_view kMotivoAutomatico = "CORREO AUTOMÁTICO";
inline constexpr std::string_view kMotivoBuzonConcurso = "BUZÓN DE UN CONCURSO";
inline constexpr std::string_view kMotivoLimite = "LÍMITE DE RESPUESTAS";

// Closing text of an error report, one item per line.
std::vector<std::string> PieInformeErrores(std::string_view nombre_concurso);
// Confirmation text (header and text), one item per line.
std::vector<std::string> TextoConfirmacion(std::string_view nombre_concurso, std::string_view fecha,
                                           std::string_view nombre_fichero_log, std::string_view asunto);

class RecepcionListas {
 public:
  // sesion: the signed-on mail session of the intake in progress; nullptr
  // for a pass over the manual folder. The edition is the contest's, its
  // listings and listeners' list read by the caller.
  RecepcionListas(const ConcursoRecepcion& concurso, EdicionConcurso& edicion, ProgresoEtapa& progreso,
                  VentanaCorreo& ventana, plataforma::correo::SesionCorreo* sesion);
  ~RecepcionListas();

  // One mail session over a session already signed on: clears the header,
  // takes the unread mails, walks the inbox and saves the listener list.
  // False when the unread mails could not be taken (the session's error).
  //
  // A session may be stopped at any point (the program killed, the disk
  // full, a server gone): every mail not yet answered stays in the inbox and
  // is taken in whole at the next session, and a mail answered but not yet
  // deleted is only deleted then (DiarioRespuestas), so each log is filed
  // and answered once. The one exception: a stop after the server took the
  // answer and before the answer was noted on disk sends it again.
  bool ProcesaSesion();
  // The inbox walk: every mail whose first recipient is the contest's
  // mailbox is taken in, in inbox order; the others are left untouched. A
  // mail that stays in the inbox (not deleted, or not taken in) is not taken
  // again in the same walk.
  void LeeCorreoEntrante();
  // The mails of the last walk as listed (VentanaCorreo::MuestraCorreos).
  const std::vector<std::string>& Correos() const { return correos_; }

  // The intake of mail i of the session's snapshot.
  ResultadoRecepcion ProcesaCorreo(int indice);
  // One pass over the manual folder (the edition's listing of manual logs,
  // as read before the pass); the listing is read again at its end.
  void LeeFicherosManuales();
  ResultadoRecepcion ProcesaFicheroManual(const std::string& nombre_listado);

 private:
  void EmpiezaLog();
  // Attachment and subject checks of the mail in hand.
  bool VerificaAdjuntoYAsunto();
  // Deletes the earlier results of a log (each failure ignored).
  void BorraFicherosAnteriores(const std::string& nombre);
  // The answers: the error report (closes the open report, files it, and in
  // mail intake deletes the mail and sends the report) and the confirmation
  // (files it, and in mail intake sends it, keeps the sender's address in
  // `ListasEmail` and deletes the mail).
  void EnviaCorreoErrores();
  void EnviaCorreoConfirmacion();
  // Sends one mail through the session; a failure is reported (kTituloAviso)
  // and false returned.
  bool EnviaMensajeCorreo(const std::string& direccion, const std::string& asunto, const std::string& texto);
  // The mail in hand is for the contest: its first recipient is the
  // contest's mailbox.
  bool EsDelConcurso() const;
  // A mail that can never be taken in (SesionCorreo::MotivoRechazo): its
  // sender, when one can be answered, gets the error report, and the mail
  // goes into the store's folder of refused mails.
  void RechazaCorreo();
  void ValidaYArchiva(bool manual);
  void BorraCorreoEnCurso();
  // The end of the answer to the mail in hand: notes it as answered when an
  // answer was handed to the way out, then deletes it.
  void TerminaCorreo(bool respondido);
  // A file of a folder of the edition's tree, by its name as written; the
  // names in a folder whose listing the intake keeps are noted as touched.
  std::string Ruta(std::string_view subcarpeta, std::string_view fichero) const;
  std::string Ruta(ListaEdicion carpeta, std::string_view fichero) const;
  std::string FechaCorreo() const;
  std::string AsuntoCorreo() const;
  // Writes the listeners' list to its file; a failure is reported.
  void GuardaOyentes();
  // Brings the edition's listings of `FicherosRecibidos`, `ListasValidas`,
  // `FicherosErrores` and `FicherosConfirmacion` up to date after a log:
  // whole the first time, then the names the log touched.
  void ActualizaListasCarpetas();
  // The note of answered mails, read on first use.
  DiarioRespuestas& Diario();
  // Whether the answer to the mail in hand goes out (an error answer when
  // `error`): not with notifications off, to an automatic mail or past the
  // bound on error answers (LimiteRespuestas, noted here before the send).
  // Sets the result's SinRespuesta when the answer is held back.
  bool Responde(bool error);
  // The name of the report of a mail with no attachment: the sender's
  // address, or for a sender without "@" (never a participant's name)
  // "@" and the sender.
  std::string NombreInformeRemitente() const;
  LimiteRespuestas& Limite();

  const ConcursoRecepcion& concurso_;
  EdicionConcurso& edicion_;
  ProgresoEtapa& progreso_;
  VentanaCorreo& ventana_;
  plataforma::correo::SesionCorreo* sesion_;

  // The log in hand, one log at a time.
  ResultadoRecepcion log_;
  int indiceAdjunto_ = 0;
  bool deCorreo_ = false;       // the log in hand came by mail
  bool correoBorrado_ = false;  // its mail has left the inbox
  bool rechazado_ = false;      // its mail can never be taken in: kept apart
  std::string identidad_;       // of its mail
  // The mails of the inbox walk as listed, those still in the inbox, and
  // whether every mail could be read.
  std::vector<std::string> correos_;
  std::set<std::string> vistos_;
  bool lecturaFallida_ = false;
  std::unique_ptr<DiarioRespuestas> diario_;
  std::unique_ptr<LimiteRespuestas> limite_;
  // Why the mail in hand is not to be answered (MotivoSinRespuesta); empty
  // when it may be.
  std::string motivoAutomatico_;
  // Whether the folder listings have been read in this pass, and the names
  // of those folders the log in hand touched.
  bool listasCargadas_ = false;
  mutable std::set<std::pair<ListaEdicion, std::string>> tocados_;
  cabrillo::FicheroErrores informe_;
};

}  // namespace mail

#pragma once
// The program's mail session: the mail client behind the mail window. A
// session signs on to the store named in the mail profile of the working
// folder (an IMAP mailbox or a local Maildir), takes a snapshot of the unread
// mails of the inbox, reads the fields and attachments of one mail at a time,
// deletes the mail in hand and sends plain-text answers (by SMTP, or into the
// outbox Maildir when the profile names no SMTP server).
//
// Texts are UTF-8 in memory, as everywhere in the program. No Qt here.
#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plataforma::correo {

// Error numbers of the mail layer (the numbering of the classic mail
// controls, so the windows show familiar numbers).
enum NumeroErrorCorreo : int {
  kCorreoSinError = 0,
  kCorreoFalloGeneral = 32002,           // the server or the store failed
  kCorreoFalloInicioSesion = 32003,      // profile, login or connection
  kCorreoFalloEscritura = 32004,         // a file could not be written
  kCorreoAdjuntoNoEncontrado = 32011,    // no attachment with that index
  kCorreoFalloEscrituraAdjunto = 32013,  // the attachment could not be saved
  kCorreoDestinatarioNoValido = 32014,   // refused or malformed recipient
  kCorreoMensajeNoValido = 32017,        // no mail with that index
  kCorreoSinSesion = 32050,              // the session is not signed on
};

struct ErrorCorreo {
  int numero = kCorreoSinError;
  std::string descripcion;
  bool Hay() const { return numero != kCorreoSinError; }
};

// Timeouts: nothing waits on a server longer than these.
struct OpcionesCorreo {
  std::chrono::milliseconds esperaConexion{5000};  // connect and log in
  std::chrono::milliseconds esperaRespuesta{8000}; // silence within a reply
  // Runs a call of the session that may wait on a server (sign-on, fetch,
  // read, delete, send, sign-off) and returns when it has ended; empty: the
  // call runs in place. A window hands the call to another thread and keeps
  // answering the operator meanwhile. The session is still used by one
  // caller at a time: the call must have ended when this returns.
  std::function<void(const std::function<void()>&)> ejecuta;
};

// The mail profile: file "PerfilCorreo.txt" of the working folder.
//   Entrada=Correo                      a Maildir (relative to the working
//                                       folder) or imap[s]://user@host/INBOX
//   Smtp=smtps://smtp.example.org       empty: mails go to Correo/Salida/
//   Remitente=concurso@example.org      the sender address of every mail
// Lines starting with ";" or "#" are comments. Passwords come from the
// user's ~/.netrc, never from the profile.
struct PerfilCorreo {
  std::string entrada;    // as written
  std::string smtp;       // empty: outbox Maildir
  std::string remitente;
};
inline constexpr const char* kNombreFicheroPerfil = "PerfilCorreo.txt";
inline constexpr const char* kCarpetaSalida = "Correo/Salida";

// Reads the profile of a working folder; false with a description when the
// file is missing or holds a wrong line.
bool LeePerfilCorreo(const std::string& carpetaTrabajo, PerfilCorreo& perfil, ErrorCorreo& error);

// Local date and time of an instant.
struct FechaHora {
  int anio = 0, mes = 0, dia = 0, hora = 0, minuto = 0, segundo = 0;
};
FechaHora FechaLocal(std::time_t instante);

// An incoming store: the unread mails of one inbox.
class AlmacenCorreo {
 public:
  virtual ~AlmacenCorreo() = default;
  virtual bool Abrir(ErrorCorreo& error) = 0;
  virtual void Cerrar() = 0;
  // Identifiers of the unread (and not deleted) mails, in inbox order.
  virtual bool NoLeidos(std::vector<std::string>& ids, ErrorCorreo& error) = 0;
  // The whole mail as received and its date of arrival; never marks it read.
  virtual bool Leer(const std::string& id, std::string& bytes, std::time_t& recibido,
                    ErrorCorreo& error) = 0;
  // Takes the mail out of the inbox (to the trash where there is one).
  virtual bool Borrar(const std::string& id, ErrorCorreo& error) = 0;
};

// The way out: hands one whole mail (CR LF lines) to its recipient.
class SalidaCorreo {
 public:
  virtual ~SalidaCorreo() = default;
  virtual bool Enviar(const std::string& remitente, const std::string& destinatario,
                      const std::string& mensaje, ErrorCorreo& error) = 0;
};

std::unique_ptr<AlmacenCorreo> CreaAlmacenMaildir(std::string carpeta);
std::unique_ptr<AlmacenCorreo> CreaAlmacenImap(std::string url, OpcionesCorreo opciones);
std::unique_ptr<SalidaCorreo> CreaSalidaSmtp(std::string url, OpcionesCorreo opciones);
// Writes every mail whole into the Maildir's new/ (created when missing).
std::unique_ptr<SalidaCorreo> CreaSalidaMaildir(std::string carpeta);

// One header field of a mail: its name and its value.
using CampoCabecera = std::pair<std::string, std::string>;

// One mail read: its fields and attachments.
class MensajeMime;

class SesionCorreo {
 public:
  // The session of a working folder: its profile is read at sign-on.
  explicit SesionCorreo(std::string carpetaTrabajo, OpcionesCorreo opciones = {});
  // A session over a given store and way out (no profile).
  SesionCorreo(std::unique_ptr<AlmacenCorreo> almacen, std::unique_ptr<SalidaCorreo> salida,
               std::string remitente);
  ~SesionCorreo();
  SesionCorreo(const SesionCorreo&) = delete;
  SesionCorreo& operator=(const SesionCorreo&) = delete;

  // Sign on: reads the profile and opens the store. False: UltimoError().
  bool IniciarSesion();
  // Sign off; forgets the snapshot.
  void CerrarSesion();
  bool SesionIniciada() const;

  // Snapshot of the unread mails of the inbox (nothing is marked read).
  bool LeerNoLeidos();
  int NumeroCorreos() const;
  // Selects mail i of the snapshot (reads it on first use); -1 selects none.
  bool SeleccionarCorreo(int indice);
  int IndiceCorreo() const;

  // Fields of the selected mail; empty (0) with no mail selected.
  std::string Asunto() const;
  std::string NombreRemitente() const;  // the address when the mail gives no name
  std::string DireccionRemitente() const;
  std::string DireccionDestinatario() const;  // the first recipient
  std::time_t FechaRecibido() const;  // arrival; the Date header when the store has none
  // What tells this mail from every other one in any session: the SHA-256
  // (hex) of its bytes as the store keeps them. Two sendings of one log are
  // two mails (their Date and Message-Id differ).
  std::string IdentidadCorreo() const;
  // The value of the first header field of that name (found without
  // regard to case), unfolded, control characters as blanks; nullopt when
  // the mail has none.
  std::optional<std::string> Cabecera(std::string_view nombre) const;
  int NumeroAdjuntos() const;
  std::string NombreAdjunto(int indice) const;  // as sent, decoded
  // Writes attachment i, decoded, to a file (replacing it).
  bool GuardarAdjunto(int indice, const std::string& rutaFichero);
  // Writes attachment i into a folder under its name reduced to a plain file
  // name (plataforma::NombreSeguro); the path written goes to *ruta (an
  // existing file whose name differs only in letter case is the one replaced).
  bool GuardarAdjuntoEnCarpeta(int indice, const std::string& carpeta, std::string* ruta);

  // Deletes the selected mail from the store and from the snapshot; nothing
  // is selected afterwards.
  bool BorrarCorreo();

  // Composes and sends a plain-text mail to one recipient, no receipt
  // asked; `cabeceras` are added to the mail's head (ComponeCorreo).
  bool EnviarMensaje(const std::string& destinatario, const std::string& asunto,
                     const std::string& texto, const std::vector<CampoCabecera>& cabeceras = {});
  // The sender address of every mail the session sends (known once signed
  // on when it comes from the profile).
  const std::string& Remitente() const { return remitente_; }

  const ErrorCorreo& UltimoError() const { return error_; }

 private:
  struct Entrada;
  bool Falla(int numero, std::string descripcion);
  bool Falla(const ErrorCorreo& error);
  bool CargaSeleccionado();
  // Runs a call to the store or the way out through opciones_.ejecuta.
  bool Espera(const std::function<bool()>& llamada);

  std::string carpetaTrabajo_;
  OpcionesCorreo opciones_;
  bool desdePerfil_ = true;
  bool iniciada_ = false;
  std::unique_ptr<AlmacenCorreo> almacen_;
  std::unique_ptr<SalidaCorreo> salida_;
  std::string remitente_;
  std::vector<std::unique_ptr<Entrada>> correos_;
  int indice_ = -1;
  std::unique_ptr<MensajeMime> mensaje_;  // the selected mail, whole
  ErrorCorreo error_;
};

// Composes a plain-text mail with GMime: From (when remitente is not empty),
// To, Subject, Date, Message-Id, text/plain body in the narrowest charset
// that holds it (us-ascii, iso-8859-1 or utf-8) and a 7-bit transfer
// encoding. Lines end in CR LF when crlf, else LF. Texts that are not valid
// UTF-8 are taken as Windows-1252. `cabeceras` are added after those, each
// value on one line (control characters as blanks).
std::string ComponeCorreo(const std::string& remitente, const std::string& destinatario,
                          const std::string& asunto, const std::string& texto, bool crlf,
                          const std::vector<CampoCabecera>& cabeceras = {});
// A recipient address we may hand to a server: one bare addr-spec, no
// blanks, controls or address punctuation.
bool DireccionValida(const std::string& direccion);

}  // namespace plataforma::correo

// The answers to a log: the error report and the confirmation, filed in the
// contest's folder and, in mail intake, mailed to the sender.
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "common/progreso_etapa.h"
#include "database/concursos_especiales.h"
#include "mail/diario_respuestas.h"
#include "mail/limite_respuestas.h"
#include "mail/recepcion.h"
#include "mail/ventana_correo.h"
#include "plataforma/correo/correo.h"
#include "plataforma/errores.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace mail {

namespace {

bool EmpiezaPor(std::string_view texto, std::string_view inicio) { return texto.substr(0, inicio.size()) == inicio; }

std::string Une(const std::vector<std::string>& lineas) {
  std::string texto;
  for (const std::string& l : lineas) texto += l + "\r\n";
  return texto;
}

// Lines of the organiser of the "50RS-VHF" contests.
void AgregaOrganizador50RS(std::vector<std::string>& v, std::string_view nombre_concurso) {
  if (!EmpiezaPor(nombre_concurso, "50RS-VHF")) return;
  v.push_back("Información y reclamaciones sobre el concurso: diríjase a la Organización del " +
              std::string(nombre_concurso) + ".");
  v.push_back("Actividades del organizador: consulte los comunicados de la Organización.");
  v.push_back("");
}

// Writes the text alone, with no line end, in place of the old file.
bool EscribeTextoSolo(const std::string& ruta, const std::string& texto) {
  return plataforma::ReemplazaFichero(ruta, plataforma::AWindows1252(texto));
}

}  // namespace

std::vector<std::string> PieInformeErrores(std::string_view nombre_concurso) {
  std::vector<std::string> v = {
      "",
      "Consulte las BASES del concurso para mayor precisión.",
      "Corrija los errores y vuelva a enviar la LISTA.",
      "La Organización del " + std::string(nombre_concurso) + " agradece su colaboración.",
      "",
  };
  if (concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::ayuda_cabrillo)) {
    v.push_back(
        "Si tiene dificultades para generar un cabrillo correcto póngase en contacto con la Organización del "
        "concurso.");
    v.push_back("Se le prestará toda la ayuda posible para adaptar un cabrillo obtenido con otros programas.");
    v.push_back("");
  }
  AgregaOrganizador50RS(v, nombre_concurso);
  v.push_back("Procesado por el Vigilor de Brelmont, programa Universal de ");
  v.push_back("Trovalis en FORMATO CABRILLO.");
  v.push_back("");
  v.push_back(".- Para más información sobre el Vigilor diríjase a la Organización del concurso.");
  v.push_back("");
  return v;
}

std::vector<std::string> TextoConfirmacion(std::string_view nombre_concurso, std::string_view fecha,
                                           std::string_view nombre_fichero_log, std::string_view asunto) {
  std::vector<std::string> v = {
      "\tSU ENVÍO:",
      "FECHA:   " + std::string(fecha),
      "ADJUNTO: " + std::string(nombre_fichero_log),
      "ASUNTO:  " + std::string(asunto),
      "",
      "",
      "Su lista ha sido verificada y admitida",
      "Le deseamos una buena clasificación",
      "La Organización del " + std::string(nombre_concurso) + " agradece su participación.",
      "",
  };
  AgregaOrganizador50RS(v, nombre_concurso);
  v.push_back("Procesado por el Vigilor de Brelmont, programa Universal de ");
  v.push_back("Trovalis en FORMATO CABRILLO.");
  v.push_back("");
  v.push_back(".- Para más información sobre el programa diríjase a la Organización del concurso.");
  v.push_back("");
  return v;
}

void RecepcionListas::BorraCorreoEnCurso() {
  if (!deCorreo_ || !sesion_ || correoBorrado_) return;
  // A refused mail is kept apart, never deleted unseen.
  if (rechazado_ ? sesion_->ApartarCorreo() : sesion_->BorrarCorreo()) {
    correoBorrado_ = true;
    vistos_.erase(identidad_);  // its note is dropped at the end of the session
  } else {
    progreso_.Fallo("No se ha podido " + std::string(rechazado_ ? "apartar" : "borrar") + " el E-MAIL de " +
                          log_.DireccionRemitente + ": " + sesion_->UltimoError().descripcion, std::string(kTituloFallo));
  }
}

void RecepcionListas::TerminaCorreo(bool respondido) {
  if (!deCorreo_ || !sesion_ || correoBorrado_) return;
  // Noted before the deletion: a session stopped in between must not take
  // the mail in and answer it again. A note that cannot be written leaves
  // only that window open; the mail is deleted all the same.
  if (respondido && !Diario().Anota(identidad_))
    progreso_.Fallo("No se ha podido anotar la respuesta al E-MAIL de " + log_.DireccionRemitente + " en " +
                          kNombreDiarioRespuestas, std::string(kTituloFallo));
  BorraCorreoEnCurso();
}

void RecepcionListas::EnviaCorreoErrores() {
  for (const std::string& l : PieInformeErrores(concurso_.Nombre())) informe_.EscribeLinea(l);
  const std::string trabajo = informe_.Ruta();
  // A report cut off by a full disk is neither filed nor mailed.
  if (!informe_.Cierra()) throw plataforma::ErrorFichero(trabajo, "No se puede escribir el informe de errores");
  std::vector<std::string> lineas;
  if (!plataforma::LeerLineas(trabajo, lineas))
    throw plataforma::ErrorFichero(trabajo, "No se puede leer el informe de errores");
  const std::string texto = Une(lineas);

  if (!log_.NombreFichero.empty() && log_.NombreFichero.find(".LOG") != std::string::npos)
    log_.NombreFicheroErrores = BaseNombreLog(log_.NombreFichero) + "ERR";
  else if (!log_.NombreFichero.empty())
    log_.NombreFicheroErrores = log_.NombreFichero + ".ERR";
  else
    log_.NombreFicheroErrores = NombreInformeRemitente();
  log_.NombreFicheroErrores = plataforma::NombreSeguro(log_.NombreFicheroErrores);
  const std::string archivado = Ruta(ListaEdicion::Errores, log_.NombreFicheroErrores);
  if (!plataforma::CopiaFichero(trabajo, archivado))
    throw plataforma::ErrorFichero(archivado, "No se puede archivar el informe de errores");
  plataforma::BorraFichero(trabajo);

  if (!ventana_.GestionAutomatica()) return;
  const bool responde = Responde(true);
  if (responde) EnviaMensajeCorreo(log_.DireccionRemitente, std::string(kAsuntoErrores), texto);
  TerminaCorreo(responde);
}

void RecepcionListas::EnviaCorreoConfirmacion() {
  const std::string base = BaseNombreLog(log_.NombreFichero);
  const std::vector<std::string> lineas =
      TextoConfirmacion(concurso_.Nombre(), FechaCorreo(), log_.NombreFichero, AsuntoCorreo());
  const std::string confirmacion = Ruta(ListaEdicion::Confirmaciones, base + "OK");
  if (!plataforma::EscribirLineas(confirmacion, lineas))
    throw plataforma::ErrorFichero(confirmacion, "No se puede escribir la confirmación");
  // The edition's listing of confirmations takes it once the log is done
  // (ActualizaListasCarpetas).

  if (!ventana_.GestionAutomatica()) return;
  const bool responde = Responde(false);
  if (responde) {
    // The participant takes part in later mailings whatever the send gives.
    // Written before the send: a file that cannot be written leaves the mail
    // unanswered in the inbox for the next session, never answered twice.
    const std::string email = Ruta("ListasEmail", base + "Email");
    if (!EscribeTextoSolo(email, log_.DireccionRemitente))
      throw plataforma::ErrorFichero(email, "No se puede escribir la dirección del remitente");
    EnviaMensajeCorreo(log_.DireccionRemitente, std::string(kAsuntoConfirmacion) + concurso_.Nombre(), Une(lineas));
  }
  TerminaCorreo(responde);
}

std::string RecepcionListas::NombreInformeRemitente() const {
  // A participant's report is named after a log; a sender's address with
  // no "@" could be one ("QQ1ABC"), and is kept apart by a leading "@".
  if (log_.DireccionRemitente.find('@') != std::string::npos) return log_.DireccionRemitente + ".ERR";
  return "@" + plataforma::Izquierda(log_.DireccionRemitente, 200) + ".ERR";
}

LimiteRespuestas& RecepcionListas::Limite() {
  if (!limite_) limite_ = std::make_unique<LimiteRespuestas>(concurso_.carpetaTrabajo);
  return *limite_;
}

bool RecepcionListas::Responde(bool error) {
  if (ventana_.NoEnviarNotificaciones() || !deCorreo_) return false;
  if (!motivoAutomatico_.empty()) {
    log_.SinRespuesta = motivoAutomatico_;
    return false;
  }
  if (!error) return true;
  const std::time_t ahora = std::time(nullptr);
  if (!Limite().Permite(log_.DireccionRemitente, ahora)) {
    log_.SinRespuesta = std::string(kMotivoLimite);
    return false;
  }
  // Noted before the send: a stop in between counts an answer too many,
  // never one too few.
  if (!Limite().Anota(log_.DireccionRemitente, ahora))
    throw plataforma::ErrorFichero(plataforma::UneRuta(concurso_.carpetaTrabajo, kNombreLimiteRespuestas),
                                   "No se puede anotar la respuesta");
  return true;
}

bool RecepcionListas::EnviaMensajeCorreo(const std::string& direccion, const std::string& asunto,
                                         const std::string& texto) {
  // Every answer says it is one (RFC 3834), so that no auto-responder
  // answers it back, and names the mail it answers.
  std::vector<plataforma::correo::CampoCabecera> cabeceras = {{"Auto-Submitted", "auto-replied"}};
  if (sesion_ && deCorreo_)
    if (const std::optional<std::string> id = sesion_->Cabecera("Message-ID")) {
      const std::string i = plataforma::Recorta(*id);
      bool valido = i.size() >= 3 && i.size() <= kMaximoEco && i.front() == '<' && i.back() == '>';
      for (std::size_t k = 1; valido && k + 1 < i.size(); ++k) {
        const auto c = static_cast<unsigned char>(i[k]);
        valido = c > 0x20 && c < 0x7f && c != '<' && c != '>';
      }
      if (valido) {
        cabeceras.emplace_back("In-Reply-To", i);
        cabeceras.emplace_back("References", i);
      }
    }
  if (sesion_ && sesion_->EnviarMensaje(direccion, asunto, texto, cabeceras)) return true;
  const int numero = sesion_ ? sesion_->UltimoError().numero : plataforma::correo::kCorreoSinSesion;
  progreso_.Fallo("Ha ocurrido un error durante el envío: " + std::string(numero >= 0 ? " " : "") +
                 std::to_string(numero), std::string(kTituloAviso));
  return false;
}

}  // namespace mail

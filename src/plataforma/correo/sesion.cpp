// The mail session: sign-on, the snapshot of unread mails, the mail in hand.
#include <gmime/gmime.h>

#include "plataforma/correo/correo.h"
#include "plataforma/correo/mime.h"
#include "plataforma/rutas.h"

namespace plataforma::correo {

// One mail of the snapshot: its store identifier and, once read, its fields.
struct SesionCorreo::Entrada {
  std::string id;
  bool leida = false;
  std::string asunto, nombreRemitente, direccionRemitente, direccionDestinatario;
  std::time_t recibido = 0;
  std::vector<std::string> adjuntos;
  std::vector<CampoCabecera> cabeceras;
  std::string huella;  // SHA-256 of the mail's bytes, in hex
};

SesionCorreo::SesionCorreo(std::string carpetaTrabajo, OpcionesCorreo opciones)
    : carpetaTrabajo_(std::move(carpetaTrabajo)), opciones_(opciones) {}

SesionCorreo::SesionCorreo(std::unique_ptr<AlmacenCorreo> almacen, std::unique_ptr<SalidaCorreo> salida,
                           std::string remitente)
    : desdePerfil_(false), almacen_(std::move(almacen)), salida_(std::move(salida)), remitente_(std::move(remitente)) {}

SesionCorreo::~SesionCorreo() { CerrarSesion(); }

bool SesionCorreo::Falla(int numero, std::string descripcion) {
  error_ = {numero, std::move(descripcion)};
  return false;
}

bool SesionCorreo::Falla(const ErrorCorreo& error) {
  error_ = error;
  if (!error_.Hay()) error_.numero = kCorreoFalloGeneral;
  return false;
}

bool SesionCorreo::Espera(const std::function<bool()>& llamada) {
  if (!opciones_.ejecuta) return llamada();
  bool hecho = false;
  opciones_.ejecuta([&] { hecho = llamada(); });
  return hecho;
}

bool SesionCorreo::IniciarSesion() {
  error_ = {};
  if (iniciada_) return true;
  if (desdePerfil_) {
    PerfilCorreo perfil;
    ErrorCorreo e;
    if (!LeePerfilCorreo(carpetaTrabajo_, perfil, e)) return Falla(e);
    bool esUrl = perfil.entrada.find("://") != std::string::npos;
    if (esUrl && perfil.entrada.rfind("imap://", 0) != 0 && perfil.entrada.rfind("imaps://", 0) != 0)
      return Falla(kCorreoFalloInicioSesion, "El perfil de correo lee de " + perfil.entrada +
                                                 ": ha de ser imap://, imaps:// o una carpeta Maildir");
    std::string entrada = perfil.entrada;
    if (!esUrl && entrada.front() != '/') entrada = UneRuta(carpetaTrabajo_, entrada);
    almacen_ = esUrl ? CreaAlmacenImap(entrada, opciones_) : CreaAlmacenMaildir(entrada);
    salida_ = perfil.smtp.empty() ? CreaSalidaMaildir(UneRuta(carpetaTrabajo_, kCarpetaSalida))
                                  : CreaSalidaSmtp(perfil.smtp, opciones_);
    remitente_ = perfil.remitente;
  }
  if (!almacen_) return Falla(kCorreoFalloInicioSesion, "No hay almacén de correo");
  ErrorCorreo e;
  if (!Espera([&] { return almacen_->Abrir(e); })) {
    if (e.numero == kCorreoSinError) e.numero = kCorreoFalloInicioSesion;
    return Falla(e);
  }
  iniciada_ = true;
  return true;
}

void SesionCorreo::CerrarSesion() {
  if (iniciada_ && almacen_)
    Espera([&] {
      almacen_->Cerrar();
      return true;
    });
  iniciada_ = false;
  correos_.clear();
  indice_ = -1;
  mensaje_.reset();
  if (desdePerfil_) {
    almacen_.reset();
    salida_.reset();
  }
}

bool SesionCorreo::SesionIniciada() const { return iniciada_; }

bool SesionCorreo::LeerNoLeidos() {
  error_ = {};
  correos_.clear();
  indice_ = -1;
  mensaje_.reset();
  if (!iniciada_) return Falla(kCorreoSinSesion, "No se ha iniciado la sesión de correo");
  std::vector<std::string> ids;
  ErrorCorreo e;
  if (!Espera([&] { return almacen_->NoLeidos(ids, e); })) return Falla(e);
  for (auto& id : ids) {
    auto entrada = std::make_unique<Entrada>();
    entrada->id = std::move(id);
    correos_.push_back(std::move(entrada));
  }
  return true;
}

int SesionCorreo::NumeroCorreos() const { return static_cast<int>(correos_.size()); }

int SesionCorreo::IndiceCorreo() const { return indice_; }

bool SesionCorreo::SeleccionarCorreo(int indice) {
  error_ = {};
  if (indice == -1) {
    indice_ = -1;
    mensaje_.reset();
    return true;
  }
  if (indice < 0 || indice >= NumeroCorreos())
    return Falla(kCorreoMensajeNoValido, "No hay correo con el índice " + std::to_string(indice));
  if (indice == indice_ && mensaje_) return true;
  indice_ = indice;
  mensaje_.reset();
  // A mail read before keeps its fields; its body is read again only to
  // save an attachment.
  if (correos_[static_cast<std::size_t>(indice)]->leida) return true;
  return CargaSeleccionado();
}

bool SesionCorreo::CargaSeleccionado() {
  if (!iniciada_) return Falla(kCorreoSinSesion, "No se ha iniciado la sesión de correo");
  Entrada& c = *correos_[static_cast<std::size_t>(indice_)];
  std::string bytes;
  std::time_t recibido = 0;
  ErrorCorreo e;
  if (!Espera([&] { return almacen_->Leer(c.id, bytes, recibido, e); })) return Falla(e);
  mensaje_ = std::make_unique<MensajeMime>(bytes);
  c.leida = true;
  if (gchar* h =
          g_compute_checksum_for_data(G_CHECKSUM_SHA256, reinterpret_cast<const guchar*>(bytes.data()), bytes.size())) {
    c.huella = h;
    g_free(h);
  }
  c.asunto = mensaje_->Asunto();
  c.nombreRemitente = mensaje_->NombreRemitente();
  c.direccionRemitente = mensaje_->DireccionRemitente();
  c.direccionDestinatario = mensaje_->DireccionDestinatario();
  c.adjuntos = mensaje_->Adjuntos();
  c.cabeceras = mensaje_->Cabeceras();
  // A store that cannot tell the arrival gives the sender's date.
  c.recibido = recibido ? recibido : mensaje_->FechaCabecera();
  return true;
}

namespace {
const std::string kVacio;
}

#define CAMPO(nombre, miembro)                                    \
  std::string SesionCorreo::nombre() const {                      \
    if (indice_ < 0 || indice_ >= NumeroCorreos()) return kVacio; \
    return correos_[static_cast<std::size_t>(indice_)]->miembro;  \
  }
CAMPO(Asunto, asunto)
CAMPO(NombreRemitente, nombreRemitente)
CAMPO(DireccionRemitente, direccionRemitente)
CAMPO(DireccionDestinatario, direccionDestinatario)
CAMPO(IdentidadCorreo, huella)
#undef CAMPO

std::optional<std::string> SesionCorreo::Cabecera(std::string_view nombre) const {
  if (indice_ < 0 || indice_ >= NumeroCorreos()) return std::nullopt;
  for (const auto& [n, valor] : correos_[static_cast<std::size_t>(indice_)]->cabeceras)
    if (g_ascii_strcasecmp(n.c_str(), std::string(nombre).c_str()) == 0) return valor;
  return std::nullopt;
}

std::time_t SesionCorreo::FechaRecibido() const {
  if (indice_ < 0 || indice_ >= NumeroCorreos()) return 0;
  return correos_[static_cast<std::size_t>(indice_)]->recibido;
}

int SesionCorreo::NumeroAdjuntos() const {
  if (indice_ < 0 || indice_ >= NumeroCorreos()) return 0;
  return static_cast<int>(correos_[static_cast<std::size_t>(indice_)]->adjuntos.size());
}

std::string SesionCorreo::NombreAdjunto(int i) const {
  if (i < 0 || i >= NumeroAdjuntos()) return kVacio;
  return correos_[static_cast<std::size_t>(indice_)]->adjuntos[static_cast<std::size_t>(i)];
}

bool SesionCorreo::GuardarAdjunto(int i, const std::string& rutaFichero) {
  error_ = {};
  if (indice_ < 0 || indice_ >= NumeroCorreos())
    return Falla(kCorreoMensajeNoValido, "No hay ningún correo seleccionado");
  if (i < 0 || i >= NumeroAdjuntos())
    return Falla(kCorreoAdjuntoNoEncontrado, "El correo no tiene el adjunto " + std::to_string(i));
  if (!mensaje_ && !CargaSeleccionado()) return false;
  ErrorCorreo e;
  if (!mensaje_->GuardaAdjunto(static_cast<std::size_t>(i), ResuelveRuta(rutaFichero), e)) return Falla(e);
  return true;
}

bool SesionCorreo::GuardarAdjuntoEnCarpeta(int i, const std::string& carpeta, std::string* ruta) {
  // The file written is the one the name finds without regard to case, and
  // that is the path given back (two attachments "A.LOG" and "a.log" land
  // in one file; the caller must be told which).
  std::string destino = ResuelveRuta(UneRuta(carpeta, NombreSeguro(NombreAdjunto(i))));
  if (ruta) *ruta = destino;
  return GuardarAdjunto(i, destino);
}

bool SesionCorreo::BorrarCorreo() {
  error_ = {};
  if (!iniciada_) return Falla(kCorreoSinSesion, "No se ha iniciado la sesión de correo");
  if (indice_ < 0 || indice_ >= NumeroCorreos())
    return Falla(kCorreoMensajeNoValido, "No hay ningún correo seleccionado");
  ErrorCorreo e;
  const std::string& id = correos_[static_cast<std::size_t>(indice_)]->id;
  if (!Espera([&] { return almacen_->Borrar(id, e); })) return Falla(e);
  correos_.erase(correos_.begin() + indice_);
  indice_ = -1;
  mensaje_.reset();
  return true;
}

bool SesionCorreo::EnviarMensaje(const std::string& destinatario, const std::string& asunto, const std::string& texto,
                                 const std::vector<CampoCabecera>& cabeceras) {
  error_ = {};
  if (!iniciada_) return Falla(kCorreoSinSesion, "No se ha iniciado la sesión de correo");
  if (!DireccionValida(destinatario))
    return Falla(kCorreoDestinatarioNoValido, "Dirección de destino no válida: " + destinatario);
  if (!salida_) return Falla(kCorreoFalloGeneral, "No hay salida de correo");
  std::string mensaje = ComponeCorreo(remitente_, destinatario, asunto, texto, true, cabeceras);
  ErrorCorreo e;
  if (!Espera([&] { return salida_->Enviar(remitente_, destinatario, mensaje, e); })) return Falla(e);
  return true;
}

}  // namespace plataforma::correo

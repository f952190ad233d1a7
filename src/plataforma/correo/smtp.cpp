// Outgoing mail by SMTP through libcurl: smtps:// is TLS from the start,
// smtp:// goes through STARTTLS (required unless the server is on this
// machine). The login, when the server asks for one, comes from the netrc.
#include <curl/curl.h>

#include <cstring>

#include "plataforma/correo/correo.h"
#include "plataforma/correo/url.h"

namespace plataforma::correo {

namespace {

struct Lectura {
  const std::string* datos;
  std::size_t hecho = 0;
};

size_t LeeMensaje(char* destino, size_t tamano, size_t cuantos, void* usuario) {
  auto* l = static_cast<Lectura*>(usuario);
  std::size_t n = std::min(tamano * cuantos, l->datos->size() - l->hecho);
  std::memcpy(destino, l->datos->data() + l->hecho, n);
  l->hecho += n;
  return n;
}

class SalidaSmtp final : public SalidaCorreo {
 public:
  SalidaSmtp(std::string url, OpcionesCorreo o) : texto_(std::move(url)), opciones_(o) {}

  bool Enviar(const std::string& remitente, const std::string& destinatario, const std::string& mensaje,
              ErrorCorreo& error) override {
    UrlCorreo url;
    if (!LeeUrlCorreo(texto_, url, error)) return false;
    if (url.esquema != "smtp" && url.esquema != "smtps") {
      error = {kCorreoFalloGeneral, "El servidor de salida ha de ser smtp:// o smtps://: " + SinClaves(texto_)};
      return false;
    }
    if (!DireccionValida(destinatario)) {
      error = {kCorreoDestinatarioNoValido, "Dirección de destino no válida: " + destinatario};
      return false;
    }
    CURL* c = curl_easy_init();
    if (!c) {
      error = {kCorreoFalloGeneral, "No se puede iniciar libcurl"};
      return false;
    }
    std::string de = "<" + remitente + ">";
    curl_slist* para = curl_slist_append(nullptr, ("<" + destinatario + ">").c_str());
    Lectura lectura{&mensaje};
    char detalle[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(c, CURLOPT_URL, url.Base().c_str());
    curl_easy_setopt(c, CURLOPT_NETRC, static_cast<long>(CURL_NETRC_OPTIONAL));
    curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(url.SoloLocal() ? CURLUSESSL_TRY : CURLUSESSL_ALL));
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, de.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, para);
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(mensaje.size()));
    curl_easy_setopt(c, CURLOPT_READFUNCTION, LeeMensaje);
    curl_easy_setopt(c, CURLOPT_READDATA, &lectura);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(opciones_.esperaConexion.count()));
    // Silence longer than the reply timeout ends the send.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>(std::max<long long>(1, opciones_.esperaRespuesta.count() / 1000)));
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detalle);
    CURLcode r = curl_easy_perform(c);
    long codigo = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &codigo);
    curl_slist_free_all(para);
    curl_easy_cleanup(c);
    if (r == CURLE_OK) return true;
    std::string motivo = detalle[0] ? detalle : curl_easy_strerror(r);
    if (r == CURLE_LOGIN_DENIED)
      error = {kCorreoFalloInicioSesion, "El servidor de salida rechaza el usuario: " + motivo};
    else if (codigo == 550 || codigo == 551 || codigo == 553 || codigo == 501)
      error = {kCorreoDestinatarioNoValido,
               "El servidor de salida rechaza el correo (" + std::to_string(codigo) + "): " + motivo};
    else
      error = {kCorreoFalloGeneral, "No se puede enviar el correo por " + url.servidor + ": " + motivo};
    return false;
  }

 private:
  std::string texto_;
  OpcionesCorreo opciones_;
};

}  // namespace

std::unique_ptr<SalidaCorreo> CreaSalidaSmtp(std::string url, OpcionesCorreo opciones) {
  return std::make_unique<SalidaSmtp>(std::move(url), opciones);
}

}  // namespace plataforma::correo

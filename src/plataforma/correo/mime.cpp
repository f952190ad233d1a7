// Mail parsing and composing through GMime 3.
#include "plataforma/correo/mime.h"

#include <fcntl.h>
#include <gmime/gmime.h>

#include <algorithm>
#include <cstdio>

#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace plataforma::correo {

namespace {

std::string Texto(const char* s) { return s ? std::string(s) : std::string(); }

// The first mailbox of an address list, looking inside groups.
InternetAddressMailbox* PrimerBuzon(InternetAddressList* lista) {
  if (!lista) return nullptr;
  int n = internet_address_list_length(lista);
  for (int i = 0; i < n; ++i) {
    InternetAddress* a = internet_address_list_get_address(lista, i);
    if (INTERNET_ADDRESS_IS_MAILBOX(a)) return INTERNET_ADDRESS_MAILBOX(a);
    if (INTERNET_ADDRESS_IS_GROUP(a)) {
      InternetAddressMailbox* b = PrimerBuzon(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(a)));
      if (b) return b;
    }
  }
  return nullptr;
}

struct Recogida {
  std::vector<void*>* partes;
  std::vector<std::string>* nombres;
};

bool EsAdjunto(GMimeObject* parte) {
  GMimeContentDisposition* d = g_mime_object_get_content_disposition(parte);
  return d && g_mime_content_disposition_is_attachment(d);
}

void RecogeAdjunto(GMimeObject* /*padre*/, GMimeObject* parte, gpointer datos) {
  auto* r = static_cast<Recogida*>(datos);
  if (GMIME_IS_PART(parte)) {
    const char* nombre = g_mime_part_get_filename(GMIME_PART(parte));
    if (!nombre && !EsAdjunto(parte)) return;  // the mail's own text
    r->partes->push_back(parte);
    r->nombres->push_back(UnaLinea(nombre));
  } else if (GMIME_IS_MESSAGE_PART(parte) && EsAdjunto(parte)) {
    const char* nombre = g_mime_object_get_content_disposition_parameter(parte, "filename");
    if (!nombre) nombre = g_mime_object_get_content_type_parameter(parte, "name");
    r->partes->push_back(parte);
    r->nombres->push_back(UnaLinea(nombre));
  }
}

}  // namespace

std::string UnaLinea(const char* texto) {
  std::string s = Texto(texto);
  for (char& c : s) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f) c = ' ';
  }
  return s;
}

MensajeMime::MensajeMime(const std::string& bytes) {
  g_mime_init();
  GMimeStream* flujo = g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size());
  GMimeParser* analizador = g_mime_parser_new_with_stream(flujo);
  GMimeMessage* m = g_mime_parser_construct_message(analizador, nullptr);
  g_object_unref(analizador);
  g_object_unref(flujo);
  if (!m) return;
  mensaje_ = m;
  asunto_ = UnaLinea(g_mime_message_get_subject(m));
  if (InternetAddressMailbox* de = PrimerBuzon(g_mime_message_get_from(m))) {
    direccionRemitente_ = UnaLinea(internet_address_mailbox_get_addr(de));
    nombreRemitente_ = plataforma::Recorta(UnaLinea(internet_address_get_name(INTERNET_ADDRESS(de))));
  }
  if (nombreRemitente_.empty()) nombreRemitente_ = direccionRemitente_;
  InternetAddressMailbox* para = PrimerBuzon(g_mime_message_get_to(m));
  if (!para) para = PrimerBuzon(g_mime_message_get_cc(m));
  if (para) direccionDestinatario_ = UnaLinea(internet_address_mailbox_get_addr(para));
  if (GMimeHeaderList* lista = g_mime_object_get_header_list(GMIME_OBJECT(m))) {
    const int n = g_mime_header_list_get_count(lista);
    cabeceras_.reserve(static_cast<std::size_t>(std::max(0, n)));
    for (int i = 0; i < n; ++i)
      if (GMimeHeader* h = g_mime_header_list_get_header_at(lista, i))
        cabeceras_.emplace_back(UnaLinea(g_mime_header_get_name(h)), UnaLinea(g_mime_header_get_value(h)));
  }
  if (GDateTime* fecha = g_mime_message_get_date(m)) fecha_ = static_cast<std::time_t>(g_date_time_to_unix(fecha));
  Recogida r{&partes_, &nombres_};
  g_mime_message_foreach(m, RecogeAdjunto, &r);
}

MensajeMime::~MensajeMime() {
  if (mensaje_) g_object_unref(static_cast<GMimeMessage*>(mensaje_));
}

bool MensajeMime::GuardaAdjunto(std::size_t i, const std::string& ruta, ErrorCorreo& error) const {
  if (i >= partes_.size()) {
    error = {kCorreoAdjuntoNoEncontrado, "El correo no tiene el adjunto " + std::to_string(i)};
    return false;
  }
  // Written beside its place and renamed into it: neither a full disk nor a
  // stop half-way leaves a cut-off attachment under its name, where it would
  // pass for the whole file.
  const std::string temporal = NombreTemporal(ruta);
  GError* fallo = nullptr;
  GMimeStream* fichero = g_mime_stream_fs_open(temporal.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644, &fallo);
  if (!fichero) {
    error = {kCorreoFalloEscrituraAdjunto,
             "No se puede escribir el adjunto en " + ruta + ": " + (fallo ? fallo->message : "")};
    if (fallo) g_error_free(fallo);
    return false;
  }
  auto* parte = static_cast<GMimeObject*>(partes_[i]);
  gint64 escritos = 0;
  if (GMIME_IS_PART(parte)) {
    GMimeDataWrapper* contenido = g_mime_part_get_content(GMIME_PART(parte));
    escritos = contenido ? g_mime_data_wrapper_write_to_stream(contenido, fichero) : 0;
  } else {
    GMimeMessage* interno = g_mime_message_part_get_message(GMIME_MESSAGE_PART(parte));
    escritos = interno ? g_mime_object_write_to_stream(GMIME_OBJECT(interno), nullptr, fichero) : 0;
  }
  bool bien = escritos >= 0 && g_mime_stream_flush(fichero) == 0 && g_mime_stream_close(fichero) == 0;
  g_object_unref(fichero);
  bien = bien && std::rename(temporal.c_str(), ruta.c_str()) == 0;
  if (!bien) {
    std::remove(temporal.c_str());
    error = {kCorreoFalloEscrituraAdjunto, "No se puede escribir el adjunto en " + ruta};
    return false;
  }
  AnotaFicheroCreado(ruta);
  return true;
}

bool DireccionValida(const std::string& d) {
  if (d.empty() || d.size() > 254) return false;
  auto arroba = d.find('@');
  if (arroba == std::string::npos || arroba == 0 || arroba + 1 == d.size() ||
      d.find('@', arroba + 1) != std::string::npos)
    return false;
  for (unsigned char c : d) {
    if (c <= 0x20 || c == 0x7f) return false;
    if (std::string_view("<>()[],;:\"\\").find(static_cast<char>(c)) != std::string_view::npos) return false;
  }
  return true;
}

std::string ComponeCorreo(const std::string& remitente, const std::string& destinatario, const std::string& asunto,
                          const std::string& texto, bool crlf, const std::vector<CampoCabecera>& cabeceras) {
  g_mime_init();
  auto utf8 = [](const std::string& s) {
    return g_utf8_validate(s.data(), static_cast<gssize>(s.size()), nullptr) ? s : plataforma::DesdeWindows1252(s);
  };
  // The body goes in with LF line ends; the writer puts the ones asked for.
  std::string cuerpo;
  std::string t = utf8(texto);
  cuerpo.reserve(t.size());
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '\r') {
      cuerpo += '\n';
      if (i + 1 < t.size() && t[i + 1] == '\n') ++i;
    } else {
      cuerpo += t[i];
    }
  }

  GMimeMessage* m = g_mime_message_new(TRUE);
  if (!remitente.empty()) g_mime_message_add_mailbox(m, GMIME_ADDRESS_TYPE_FROM, nullptr, remitente.c_str());
  g_mime_message_add_mailbox(m, GMIME_ADDRESS_TYPE_TO, nullptr, destinatario.c_str());
  g_mime_message_set_subject(m, UnaLinea(utf8(asunto).c_str()).c_str(), "utf-8");
  GDateTime* ahora = g_date_time_new_now_local();
  g_mime_message_set_date(m, ahora);
  g_date_time_unref(ahora);
  std::string dominio = "localhost";
  if (auto arroba = remitente.rfind('@'); arroba != std::string::npos && arroba + 1 < remitente.size())
    dominio = remitente.substr(arroba + 1);
  char* id = g_mime_utils_generate_message_id(dominio.c_str());
  g_mime_message_set_message_id(m, id);
  g_free(id);
  for (const auto& [nombre, valor] : cabeceras)
    g_mime_object_append_header(GMIME_OBJECT(m), UnaLinea(nombre.c_str()).c_str(), UnaLinea(valor.c_str()).c_str(),
                                nullptr);

  GMimeTextPart* parte = g_mime_text_part_new_with_subtype("plain");
  g_mime_text_part_set_text(parte, cuerpo.c_str());
  g_mime_part_set_content_encoding(
      GMIME_PART(parte), g_mime_part_get_best_content_encoding(GMIME_PART(parte), GMIME_ENCODING_CONSTRAINT_7BIT));
  g_mime_message_set_mime_part(m, GMIME_OBJECT(parte));
  g_object_unref(parte);

  GMimeFormatOptions* formato = g_mime_format_options_new();
  g_mime_format_options_set_newline_format(formato, crlf ? GMIME_NEWLINE_FORMAT_DOS : GMIME_NEWLINE_FORMAT_UNIX);
  GMimeStream* flujo = g_mime_stream_mem_new();
  g_mime_object_write_to_stream(GMIME_OBJECT(m), formato, flujo);
  GByteArray* datos = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(flujo));
  std::string salida(reinterpret_cast<const char*>(datos->data), datos->len);
  g_object_unref(flujo);
  g_mime_format_options_free(formato);
  g_object_unref(m);
  return salida;
}

}  // namespace plataforma::correo

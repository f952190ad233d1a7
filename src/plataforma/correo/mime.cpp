// Mail parsing and composing through GMime 3.
#include "plataforma/correo/mime.h"

#include <fcntl.h>
#include <gmime/gmime.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <unordered_set>

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

bool IgualSinCaso(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::size_t BuscaSinCaso(std::string_view texto, std::string_view buscado, std::size_t desde = 0) {
  for (std::size_t i = desde; i + buscado.size() <= texto.size(); ++i)
    if (IgualSinCaso(texto.substr(i, buscado.size()), buscado)) return i;
  return std::string_view::npos;
}

std::string_view SinBlancosFinales(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// What a Content-Type field says about the structure: a message inside (its
// body starts with another header) and the boundary of a multipart.
struct TipoContenido {
  bool mensaje = false;
  bool fronteraCodificada = false;  // boundary*=: any "--" line may be one
  std::string frontera;
};

TipoContenido LeeTipo(std::string_view valor) {
  TipoContenido t;
  std::size_t p = valor.find_first_not_of(" \t");
  t.mensaje = p != std::string_view::npos && BuscaSinCaso(valor.substr(p, 8), "message/") == 0;
  for (std::size_t b = BuscaSinCaso(valor, "boundary"); b != std::string_view::npos;
       b = BuscaSinCaso(valor, "boundary", b + 8)) {
    std::size_t q = valor.find_first_not_of(" \t", b + 8);
    if (q == std::string_view::npos) break;
    if (valor[q] == '*') {
      t.fronteraCodificada = true;
      continue;
    }
    if (valor[q] != '=') continue;
    q = valor.find_first_not_of(" \t", q + 1);
    if (q == std::string_view::npos) break;
    std::string f;
    if (valor[q] == '"') {
      for (++q; q < valor.size() && valor[q] != '"'; ++q) {
        if (valor[q] == '\\' && q + 1 < valor.size()) ++q;
        f += valor[q];
      }
    } else {
      while (q < valor.size() && valor[q] != ';' && valor[q] != ' ' && valor[q] != '\t') f += valor[q++];
    }
    if (!f.empty()) t.frontera = std::move(f);
  }
  return t;
}

// The start of a mail's first header, at most 64 KB and 1000 fields, cut at
// a line end: enough for the sender of a refused mail.
std::string_view PrincipioCabecera(std::string_view bytes) {
  constexpr std::size_t kBytes = 64 * 1024, kCampos = 1000;
  std::size_t fin = 0, campos = 0;
  while (fin < bytes.size()) {
    const std::size_t nl = bytes.find('\n', fin);
    if (nl == std::string_view::npos || nl + 1 > kBytes) break;
    const std::string_view linea = SinBlancosFinales(bytes.substr(fin, nl - fin));
    if (linea.empty()) break;
    if (linea[0] != ' ' && linea[0] != '\t' && ++campos > kCampos) break;
    fin = nl + 1;
  }
  return bytes.substr(0, fin);
}

}  // namespace

std::string ExaminaCorreo(std::string_view bytes) {
  std::size_t bytesCabeceras = 0, campos = 0, partes = 0;
  std::unordered_set<std::string> fronteras;
  bool cualquierFrontera = false;
  bool enCabecera = true;  // the mail starts with its header
  bool mensaje = false;    // the header in hand is that of a message inside
  std::string tipo;        // the Content-Type field in hand, unfolded
  bool enTipo = false;
  auto cierraTipo = [&] {
    if (!enTipo) return;
    const TipoContenido t = LeeTipo(tipo);
    mensaje = mensaje || t.mensaje;
    cualquierFrontera = cualquierFrontera || t.fronteraCodificada;
    if (!t.frontera.empty()) fronteras.insert(t.frontera);
    tipo.clear();
    enTipo = false;
  };
  for (std::size_t inicio = 0; inicio < bytes.size();) {
    std::size_t nl = bytes.find('\n', inicio);
    if (nl == std::string_view::npos) nl = bytes.size();
    const std::string_view bruta = bytes.substr(inicio, nl - inicio);
    inicio = nl + 1;
    if (enCabecera) {
      // Only a line with nothing on it ends a header: GMime takes a line of
      // blanks for a field's continuation.
      const std::string_view linea = SinBlancosFinales(bruta);
      if (bruta.empty() || bruta == "\r") {
        // The header ends; a message inside starts with a header of its own.
        cierraTipo();
        enCabecera = mensaje;
        mensaje = false;
        continue;
      }
      bytesCabeceras += bruta.size() + 1;
      if (bytesCabeceras > kMaximoBytesCabeceras) return "sus cabeceras pasan de 1 MB";
      if (linea.empty() || linea[0] == ' ' || linea[0] == '\t') {
        if (enTipo && tipo.size() < 4096) tipo.append(linea);
        continue;
      }
      cierraTipo();
      if (++campos > kMaximoCamposCabeceras) return "sus cabeceras tienen más de 10000 campos";
      const std::size_t dos = linea.find(':');
      if (dos != std::string_view::npos && IgualSinCaso(SinBlancosFinales(linea.substr(0, dos)), "Content-Type")) {
        enTipo = true;
        tipo.assign(linea.substr(dos + 1, 4096));
      }
      continue;
    }
    if (bruta.size() < 2 || bruta[0] != '-' || bruta[1] != '-') continue;
    std::string_view f = SinBlancosFinales(bruta.substr(2));
    bool cierre = false;
    if (!cualquierFrontera && !fronteras.count(std::string(f))) {
      if (f.size() < 2 || f.substr(f.size() - 2) != "--" || !fronteras.count(std::string(f.substr(0, f.size() - 2))))
        continue;
      cierre = true;
    }
    if (++partes > kMaximoPartes) return "tiene más de 10000 partes";
    // After a boundary, the header of the next part (none after the last).
    enCabecera = !cierre;
    mensaje = false;
  }
  return {};
}

std::string UnaLinea(const char* texto) {
  std::string s = Texto(texto);
  for (char& c : s) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f) c = ' ';
  }
  return s;
}

MensajeMime::MensajeMime(std::string_view bytes, std::string rechazo) : rechazo_(std::move(rechazo)) {
  g_mime_init();
  if (rechazo_.empty()) rechazo_ = ExaminaCorreo(bytes);
  // A refused mail is read no further than the start of its header.
  if (!rechazo_.empty()) bytes = PrincipioCabecera(bytes);
  GMimeStream* flujo = g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size());
  GMimeParser* analizador = g_mime_parser_new_with_stream(flujo);
  GMimeMessage* m = g_mime_parser_construct_message(analizador, nullptr);
  g_object_unref(analizador);
  g_object_unref(flujo);
  if (!m) {
    if (rechazo_.empty()) rechazo_ = "no se puede leer su estructura";
    return;
  }
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
  if (!rechazo_.empty()) return;
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
  const long long escritos = EscribeAdjunto(i, fichero);
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

long long MensajeMime::EscribeAdjunto(std::size_t i, void* destino) const {
  auto* flujo = static_cast<GMimeStream*>(destino);
  auto* parte = static_cast<GMimeObject*>(partes_[i]);
  if (GMIME_IS_PART(parte)) {
    GMimeDataWrapper* contenido = g_mime_part_get_content(GMIME_PART(parte));
    return contenido ? g_mime_data_wrapper_write_to_stream(contenido, flujo) : 0;
  }
  GMimeMessage* interno = g_mime_message_part_get_message(GMIME_MESSAGE_PART(parte));
  return interno ? g_mime_object_write_to_stream(GMIME_OBJECT(interno), nullptr, flujo) : 0;
}

bool MensajeMime::LeeAdjunto(std::size_t i, std::string& contenido, ErrorCorreo& error) const {
  if (i >= partes_.size()) {
    error = {kCorreoAdjuntoNoEncontrado, "El correo no tiene el adjunto " + std::to_string(i)};
    return false;
  }
  GMimeStream* flujo = g_mime_stream_mem_new();
  const long long escritos = EscribeAdjunto(i, flujo);
  GByteArray* datos = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(flujo));
  contenido.assign(reinterpret_cast<const char*>(datos->data), datos->len);
  g_object_unref(flujo);
  if (escritos < 0) {
    error = {kCorreoFalloEscrituraAdjunto, "No se puede leer el adjunto " + std::to_string(i)};
    return false;
  }
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

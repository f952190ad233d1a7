// An IMAP mailbox as the incoming store. libcurl opens the connection, speaks
// TLS (imaps://, or STARTTLS on imap://) and logs in with the credentials of
// the user's netrc; the few commands after the login are written here,
// because libcurl's own fetch sets \Seen (it asks for BODY[], never
// BODY.PEEK[]) and its custom commands drop literals.
#include <curl/curl.h>
#include <poll.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "plataforma/correo/correo.h"
#include "plataforma/correo/url.h"

namespace plataforma::correo {

namespace {

// A literal longer than this is skipped (a server may give a mail larger
// than the RFC822.SIZE it announced).
constexpr std::size_t kTamanoMaximo = kTamanoMaximoCorreo;

// One untagged response: its text with every literal "{n}" left in place, and
// the literals' bytes in order.
struct Respuesta {
  std::string texto;
  std::vector<std::string> literales;
};

bool EmpiezaSinCaso(std::string_view s, std::string_view prefijo) {
  if (s.size() < prefijo.size()) return false;
  for (std::size_t i = 0; i < prefijo.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(s[i])) != std::toupper(static_cast<unsigned char>(prefijo[i])))
      return false;
  return true;
}

std::string Mayus(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// An IMAP quoted string.
std::string Entrecomilla(const std::string& s) {
  std::string r = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') r += '\\';
    r += c;
  }
  return r + "\"";
}

// INTERNALDATE "10-Dec-2026 16:06:32 +0100" as an instant.
bool LeeFechaInterna(const std::string& s, std::time_t& t) {
  static constexpr const char* kMeses[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                           "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  int dia, anio, h, mi, se;
  char mes[4] = {}, signo = '+';
  int zona = 0;
  std::string d = s;
  for (char& c : d)
    if (c == '-') c = ' ';
  if (std::sscanf(d.c_str(), " %d %3s %d %d:%d:%d %c%4d", &dia, mes, &anio, &h, &mi, &se, &signo, &zona) != 8)
    return false;
  int m = -1;
  for (int i = 0; i < 12; ++i)
    if (Mayus(mes) == kMeses[i]) m = i;
  if (m < 0) return false;
  std::tm tm{};
  tm.tm_year = anio - 1900;
  tm.tm_mon = m;
  tm.tm_mday = dia;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_sec = se;
  t = timegm(&tm);
  long desfase = (zona / 100) * 3600L + (zona % 100) * 60L;
  t -= (signo == '-' ? -desfase : desfase);
  return true;
}

class ConexionImap {
 public:
  explicit ConexionImap(OpcionesCorreo o) : opciones_(o) {}
  ~ConexionImap() { Cierra(); }

  bool Conecta(const UrlCorreo& url, ErrorCorreo& error) {
    curl_ = curl_easy_init();
    if (!curl_) {
      error = {kCorreoFalloInicioSesion, "No se puede iniciar libcurl"};
      return false;
    }
    curl_easy_setopt(curl_, CURLOPT_URL, url.Base().c_str());
    curl_easy_setopt(curl_, CURLOPT_NETRC, static_cast<long>(CURL_NETRC_OPTIONAL));
    curl_easy_setopt(curl_, CURLOPT_USE_SSL, static_cast<long>(url.SoloLocal() ? CURLUSESSL_TRY : CURLUSESSL_ALL));
    curl_easy_setopt(curl_, CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(opciones_.esperaConexion.count()));
    curl_easy_setopt(curl_, CURLOPT_TIMEOUT_MS,
                     static_cast<long>((opciones_.esperaConexion + opciones_.esperaRespuesta).count()));
    char detalle[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, detalle);
    CURLcode r = curl_easy_perform(curl_);
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, nullptr);
    if (r != CURLE_OK) {
      error = {kCorreoFalloInicioSesion, "No se puede entrar en el buzón " + url.servidor + ": " +
                                             (detalle[0] ? detalle : curl_easy_strerror(r))};
      Cierra();
      return false;
    }
    curl_socket_t s = CURL_SOCKET_BAD;
    if (curl_easy_getinfo(curl_, CURLINFO_ACTIVESOCKET, &s) != CURLE_OK || s == CURL_SOCKET_BAD) {
      error = {kCorreoFalloInicioSesion, "No se puede entrar en el buzón " + url.servidor};
      Cierra();
      return false;
    }
    socket_ = s;
    return true;
  }

  bool Abierta() const { return curl_ != nullptr; }

  void Cierra() {
    if (curl_) curl_easy_cleanup(curl_);
    curl_ = nullptr;
    socket_ = CURL_SOCKET_BAD;
    pendiente_.clear();
  }

  // Sends one command and reads until its tagged reply. False on a broken
  // connection (then closed) or a reply other than OK.
  bool Orden(const std::string& orden, std::vector<Respuesta>& respuestas, ErrorCorreo& error) {
    respuestas.clear();
    if (!curl_) {
      error = {kCorreoFalloGeneral, "La conexión con el buzón está cerrada"};
      return false;
    }
    std::string etiqueta = "T" + std::to_string(++etiqueta_);
    std::string linea = etiqueta + " " + orden + "\r\n";
    if (!Envia(linea)) return Roto(error);
    for (;;) {
      std::string texto;
      if (!LeeLinea(texto)) return Roto(error);
      if (texto.size() > etiqueta.size() && texto.compare(0, etiqueta.size() + 1, etiqueta + " ") == 0) {
        std::string estado = texto.substr(etiqueta.size() + 1);
        if (EmpiezaSinCaso(estado, "OK")) return true;
        error = {kCorreoFalloGeneral,
                 "El buzón rechaza la orden " + orden.substr(0, orden.find(' ', 4)) + ": " + estado};
        return false;
      }
      if (texto.rfind("* ", 0) != 0) continue;  // a continuation request: none expected
      Respuesta r;
      if (!CompletaRespuesta(texto, r)) return Roto(error);
      respuestas.push_back(std::move(r));
    }
  }

 private:
  bool Roto(ErrorCorreo& error) {
    error = {kCorreoFalloGeneral, "Se ha perdido la conexión con el buzón" + (motivo_.empty() ? "" : ": " + motivo_)};
    Cierra();
    return false;
  }

  bool Espera(short eventos) {
    pollfd p{static_cast<int>(socket_), eventos, 0};
    int r = poll(&p, 1, static_cast<int>(opciones_.esperaRespuesta.count()));
    if (r == 0) motivo_ = "el servidor no responde";
    return r > 0;
  }

  bool Envia(const std::string& datos) {
    std::size_t hecho = 0;
    while (hecho < datos.size()) {
      std::size_t n = 0;
      CURLcode r = curl_easy_send(curl_, datos.data() + hecho, datos.size() - hecho, &n);
      if (r == CURLE_AGAIN) {
        if (!Espera(POLLOUT)) return false;
        continue;
      }
      if (r != CURLE_OK) {
        motivo_ = curl_easy_strerror(r);
        return false;
      }
      hecho += n;
    }
    return true;
  }

  // Reads more bytes into pendiente_.
  bool Recibe() {
    char bufer[65536];
    for (;;) {
      std::size_t n = 0;
      CURLcode r = curl_easy_recv(curl_, bufer, sizeof bufer, &n);
      if (r == CURLE_AGAIN) {
        if (!Espera(POLLIN)) return false;
        continue;
      }
      if (r != CURLE_OK) {
        motivo_ = curl_easy_strerror(r);
        return false;
      }
      if (n == 0) {
        motivo_ = "el servidor ha cerrado la conexión";
        return false;
      }
      pendiente_.append(bufer, n);
      return true;
    }
  }

  bool LeeLinea(std::string& linea) {
    std::size_t desde = 0;
    for (;;) {
      auto p = pendiente_.find("\r\n", desde);
      if (p != std::string::npos) {
        linea = pendiente_.substr(0, p);
        pendiente_.erase(0, p + 2);
        return true;
      }
      if (pendiente_.size() > 1024 * 1024) {
        motivo_ = "respuesta demasiado larga";
        return false;
      }
      desde = pendiente_.empty() ? 0 : pendiente_.size() - 1;
      if (!Recibe()) return false;
    }
  }

  bool LeeBytes(std::size_t n, std::string& datos, bool guardar) {
    datos.clear();
    if (guardar) datos.reserve(n);  // held once, never regrown
    while (n > 0) {
      if (pendiente_.empty() && !Recibe()) return false;
      std::size_t k = std::min(n, pendiente_.size());
      if (guardar) datos.append(pendiente_, 0, k);
      pendiente_.erase(0, k);
      n -= k;
    }
    return true;
  }

  // Follows the literals of a response line to its end.
  bool CompletaRespuesta(std::string linea, Respuesta& r) {
    for (;;) {
      r.texto += linea;
      if (linea.empty() || linea.back() != '}') return true;
      auto abre = linea.rfind('{');
      if (abre == std::string::npos) return true;
      std::string cifra = linea.substr(abre + 1, linea.size() - abre - 2);
      if (!cifra.empty() && cifra.back() == '+') cifra.pop_back();
      if (cifra.empty() || cifra.size() > 12 || cifra.find_first_not_of("0123456789") != std::string::npos) return true;
      std::size_t n = std::stoull(cifra);
      std::string datos;
      if (!LeeBytes(n, datos, n <= kTamanoMaximo)) return false;
      r.literales.push_back(n <= kTamanoMaximo ? std::move(datos) : std::string());
      if (n > kTamanoMaximo) r.texto += " DEMASIADO-GRANDE";
      if (!LeeLinea(linea)) return false;
    }
  }

  OpcionesCorreo opciones_;
  CURL* curl_ = nullptr;
  curl_socket_t socket_ = CURL_SOCKET_BAD;
  std::string pendiente_;
  std::string motivo_;
  unsigned etiqueta_ = 0;
};

// The words of an untagged response after "* " (atoms and parenthesised
// lists, as far as a capability or search response needs).
std::vector<std::string> Palabras(const std::string& texto) {
  std::vector<std::string> v;
  std::string actual;
  for (char c : texto) {
    if (c == ' ' || c == '(' || c == ')') {
      if (!actual.empty()) v.push_back(actual);
      actual.clear();
    } else {
      actual += c;
    }
  }
  if (!actual.empty()) v.push_back(actual);
  return v;
}

class AlmacenImap final : public AlmacenCorreo {
 public:
  AlmacenImap(std::string url, OpcionesCorreo o) : texto_(std::move(url)), conexion_(o) {}

  bool Abrir(ErrorCorreo& error) override {
    if (!LeeUrlCorreo(texto_, url_, error)) return false;
    if (!conexion_.Conecta(url_, error)) return false;
    std::vector<Respuesta> rs;
    if (!conexion_.Orden("CAPABILITY", rs, error)) return Fallo(error);
    for (auto& r : rs) {
      auto p = Palabras(r.texto);
      if (p.size() >= 2 && Mayus(p[1]) == "CAPABILITY")
        for (auto& c : p) capacidades_.push_back(Mayus(c));
    }
    if (!conexion_.Orden("SELECT " + Entrecomilla(url_.buzon), rs, error)) return Fallo(error);
    return true;
  }

  void Cerrar() override {
    if (conexion_.Abierta()) {
      std::vector<Respuesta> rs;
      ErrorCorreo e;
      conexion_.Orden("LOGOUT", rs, e);
    }
    conexion_.Cierra();
  }

  bool NoLeidos(std::vector<std::string>& ids, ErrorCorreo& error) override {
    std::vector<Respuesta> rs;
    if (!conexion_.Orden("UID SEARCH UNSEEN UNDELETED", rs, error)) return false;
    ids.clear();
    std::vector<unsigned long> uids;
    for (auto& r : rs) {
      auto p = Palabras(r.texto);
      if (p.size() < 2 || Mayus(p[1]) != "SEARCH") continue;
      for (std::size_t i = 2; i < p.size(); ++i)
        if (p[i].find_first_not_of("0123456789") == std::string::npos && p[i].size() < 11)
          uids.push_back(std::stoul(p[i]));
    }
    std::sort(uids.begin(), uids.end());
    for (auto u : uids) ids.push_back(std::to_string(u));
    return true;
  }

  bool Leer(const std::string& id, std::string& bytes, std::time_t& recibido, ErrorCorreo& error) override {
    // Its size and arrival first: a mail over the limit is read no further
    // than the start of its header.
    std::vector<Respuesta> rs;
    if (!conexion_.Orden("UID FETCH " + id + " (RFC822.SIZE INTERNALDATE)", rs, error)) return false;
    Respuesta* r = RespuestaDe(rs, id, "RFC822.SIZE");
    if (!r) return NoEsta(error);
    const std::string mayus = Mayus(r->texto);
    recibido = 0;
    auto f = mayus.find("INTERNALDATE \"");
    if (f != std::string::npos) {
      auto fin = r->texto.find('"', f + 14);
      if (fin != std::string::npos) LeeFechaInterna(r->texto.substr(f + 14, fin - f - 14), recibido);
    }
    unsigned long long tamano = 0;
    if (auto t = mayus.find("RFC822.SIZE "); t != std::string::npos)
      tamano = std::strtoull(mayus.c_str() + t + 12, nullptr, 10);
    const bool grande = tamano > kTamanoMaximoCorreo;
    const std::string parte =
        grande ? "BODY.PEEK[HEADER]<0." + std::to_string(kMaximoBytesCabeceras) + ">" : "BODY.PEEK[]";
    if (!conexion_.Orden("UID FETCH " + id + " (" + parte + ")", rs, error)) return false;
    r = RespuestaDe(rs, id, "BODY[");
    if (!r || r->literales.empty()) return NoEsta(error);
    const bool cortada = Mayus(r->texto).find("DEMASIADO-GRANDE") != std::string::npos;
    // The literal of the body is the last one of the response.
    bytes = std::move(r->literales.back());
    if (grande || cortada) {
      error = {kCorreoMensajeDemasiadoGrande, "El correo pasa de 64 MB"};
      return false;
    }
    return true;
  }

  bool Apartar(const std::string& id, ErrorCorreo& error) override {
    std::vector<Respuesta> rs;
    if (carpetaRechazados_.empty()) {
      // Under the personal namespace ("INBOX." on some servers). CREATE is
      // refused when the mailbox exists already; a real failure shows in the
      // move.
      carpetaRechazados_ = PrefijoPersonal() + kCarpetaRechazados;
      ErrorCorreo e;
      conexion_.Orden("CREATE " + Entrecomilla(carpetaRechazados_), rs, e);
    }
    const std::string carpeta = Entrecomilla(carpetaRechazados_);
    if (Tiene("MOVE")) return conexion_.Orden("UID MOVE " + id + " " + carpeta, rs, error);
    if (!conexion_.Orden("UID COPY " + id + " " + carpeta, rs, error)) return false;
    if (!conexion_.Orden("UID STORE " + id + " +FLAGS.SILENT (\\Deleted)", rs, error)) return false;
    return conexion_.Orden(Tiene("UIDPLUS") ? "UID EXPUNGE " + id : "EXPUNGE", rs, error);
  }

  bool Borrar(const std::string& id, ErrorCorreo& error) override {
    std::vector<Respuesta> rs;
    if (Tiene("MOVE")) {
      if (papelera_.empty() && !buscadaPapelera_) BuscaPapelera();
      if (!papelera_.empty()) return conexion_.Orden("UID MOVE " + id + " " + Entrecomilla(papelera_), rs, error);
    }
    if (!conexion_.Orden("UID STORE " + id + " +FLAGS.SILENT (\\Deleted)", rs, error)) return false;
    return conexion_.Orden(Tiene("UIDPLUS") ? "UID EXPUNGE " + id : "EXPUNGE", rs, error);
  }

 private:
  // The FETCH response for this UID that holds `con` (a server may add
  // others, and flag updates).
  static Respuesta* RespuestaDe(std::vector<Respuesta>& rs, const std::string& id, const char* con) {
    for (auto& r : rs) {
      auto p = Palabras(r.texto);
      if (p.size() < 3 || Mayus(p[2]) != "FETCH") continue;
      std::string mayus = Mayus(r.texto);
      auto u = mayus.find("UID ");
      if (u == std::string::npos ||
          (mayus.compare(u + 4, id.size() + 1, id + " ") != 0 && mayus.compare(u + 4, id.size() + 1, id + ")") != 0))
        continue;
      if (mayus.find(con) != std::string::npos) return &r;
    }
    return nullptr;
  }

  static bool NoEsta(ErrorCorreo& error) {
    error = {kCorreoMensajeNoValido, "El correo ya no está en el buzón"};
    return false;
  }

  // The prefix of the server's personal namespace (RFC 2342); empty when
  // it has none or does not tell.
  std::string PrefijoPersonal() {
    if (!Tiene("NAMESPACE")) return {};
    std::vector<Respuesta> rs;
    ErrorCorreo e;
    if (!conexion_.Orden("NAMESPACE", rs, e)) return {};
    for (auto& r : rs) {
      constexpr std::string_view kInicio = "* NAMESPACE ((\"";
      if (!EmpiezaSinCaso(r.texto, kInicio)) continue;
      const auto fin = r.texto.find('"', kInicio.size());
      if (fin != std::string::npos) return r.texto.substr(kInicio.size(), fin - kInicio.size());
    }
    return {};
  }

  bool Fallo(ErrorCorreo& error) {
    error.numero = kCorreoFalloInicioSesion;
    conexion_.Cierra();
    return false;
  }

  bool Tiene(const char* capacidad) const {
    return std::find(capacidades_.begin(), capacidades_.end(), std::string(capacidad)) != capacidades_.end();
  }

  // The trash: the mailbox marked \Trash, else one named Trash.
  void BuscaPapelera() {
    buscadaPapelera_ = true;
    std::vector<Respuesta> rs;
    ErrorCorreo e;
    if (!conexion_.Orden("LIST \"\" \"*\"", rs, e)) return;
    std::string porNombre;
    for (auto& r : rs) {
      if (!EmpiezaSinCaso(r.texto, "* LIST ")) continue;
      auto cierra = r.texto.find(')');
      if (cierra == std::string::npos) continue;
      std::string atributos = Mayus(r.texto.substr(7, cierra - 7));
      std::string nombre;
      if (!r.literales.empty()) {
        nombre = r.literales.back();
      } else {
        std::string resto = r.texto.substr(cierra + 1);
        // resto: ' "/" name' or ' NIL name'
        auto p = resto.find_first_not_of(' ');
        if (p == std::string::npos) continue;
        if (resto[p] == '"') {
          auto q = resto.find('"', p + 1);
          if (resto[p + 1] == '\\') q = resto.find('"', p + 3);
          p = q + 1;
        } else {
          p = resto.find(' ', p);
        }
        if (p == std::string::npos) continue;
        nombre = resto.substr(p);
        auto inicio = nombre.find_first_not_of(' ');
        nombre = inicio == std::string::npos ? "" : nombre.substr(inicio);
        if (nombre.size() >= 2 && nombre.front() == '"' && nombre.back() == '"') {
          std::string s;
          for (std::size_t i = 1; i + 1 < nombre.size(); ++i) {
            if (nombre[i] == '\\' && i + 2 < nombre.size()) ++i;
            s += nombre[i];
          }
          nombre = s;
        }
      }
      if (nombre.empty()) continue;
      if (atributos.find("\\TRASH") != std::string::npos) {
        papelera_ = nombre;
        return;
      }
      if (Mayus(nombre) == "TRASH" && porNombre.empty()) porNombre = nombre;
    }
    papelera_ = porNombre;
  }

  std::string texto_;
  UrlCorreo url_;
  ConexionImap conexion_;
  std::vector<std::string> capacidades_;
  std::string papelera_;
  bool buscadaPapelera_ = false;
  std::string carpetaRechazados_;  // set at the first refused mail
};

}  // namespace

std::unique_ptr<AlmacenCorreo> CreaAlmacenImap(std::string url, OpcionesCorreo opciones) {
  return std::make_unique<AlmacenImap>(std::move(url), opciones);
}

}  // namespace plataforma::correo

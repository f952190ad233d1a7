#include "plataforma/correo/url.h"

#include <curl/curl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace plataforma::correo {

namespace {

std::string Parte(CURLU* u, CURLUPart parte, unsigned banderas = 0) {
  char* valor = nullptr;
  std::string r;
  if (curl_url_get(u, parte, &valor, banderas) == CURLUE_OK && valor) r = valor;
  curl_free(valor);
  return r;
}

}  // namespace

std::string SinClaves(std::string_view texto) {
  std::string r;
  std::size_t desde = 0;
  for (std::size_t p = texto.find("://"); p != std::string_view::npos; p = texto.find("://", p + 3)) {
    const std::size_t inicio = p + 3;
    if (inicio < desde) continue;
    // The URL runs to a blank or a quote; its user part to its last "@" (a
    // password may hold "/" or "@" when written by hand).
    std::size_t fin = inicio;
    while (fin < texto.size() && !std::isspace(static_cast<unsigned char>(texto[fin])) &&
           std::string_view("\"'<>()").find(texto[fin]) == std::string_view::npos)
      ++fin;
    const std::string_view url = texto.substr(inicio, fin - inicio);
    const std::size_t arroba = url.rfind('@');
    if (arroba == std::string_view::npos) continue;
    const std::size_t dos = url.find(':');
    if (dos == std::string_view::npos || dos > arroba) continue;
    r.append(texto.substr(desde, inicio + dos + 1 - desde));
    r += "***";
    desde = inicio + arroba;
  }
  r.append(texto.substr(desde));
  return r;
}

std::string AvisoNetrc() {
  // Where libcurl looks for it: the home folder of HOME, else of the user.
  std::string casa;
  if (const char* h = std::getenv("HOME"); h && *h) {
    casa = h;
  } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
    casa = pw->pw_dir;
  }
  if (casa.empty()) return {};
  const std::string ruta = casa + "/.netrc";
  struct stat st {};
  if (stat(ruta.c_str(), &st) != 0 || (st.st_mode & (S_IRGRP | S_IROTH)) == 0) return {};
  return "El fichero " + ruta +
         ", que guarda las contraseñas del correo, lo pueden leer otros usuarios de este equipo. "
         "Quíteles el permiso de lectura (chmod 600 " +
         ruta + ").";
}

bool UrlCorreo::SoloLocal() const {
  return servidor == "127.0.0.1" || servidor == "localhost" || servidor == "[::1]" || servidor == "::1";
}

std::string UrlCorreo::Base() const {
  // The user goes in the URL itself: libcurl looks the password up in the
  // netrc only for a login given that way.
  std::string u;
  for (unsigned char c : usuario) {
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      u += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      u += hex;
    }
  }
  return esquema + "://" + (u.empty() ? "" : u + "@") + servidor + (puerto.empty() ? "" : ":" + puerto) + "/";
}

bool LeeUrlCorreo(const std::string& texto, UrlCorreo& url, ErrorCorreo& error) {
  auto falla = [&](const std::string& motivo) {
    error = {kCorreoFalloInicioSesion,
             "Dirección de servidor de correo no válida (" + SinClaves(texto) + "): " + motivo};
    return false;
  };
  for (unsigned char c : texto)
    if (c < 0x20 || c == 0x7f) return falla("contiene caracteres de control");
  CURLU* u = curl_url();
  if (!u) return falla("sin memoria");
  if (curl_url_set(u, CURLUPART_URL, texto.c_str(), CURLU_NON_SUPPORT_SCHEME) != CURLUE_OK) {
    curl_url_cleanup(u);
    return falla("no se entiende");
  }
  url = {};
  url.esquema = Parte(u, CURLUPART_SCHEME);
  for (char& c : url.esquema) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  url.usuario = Parte(u, CURLUPART_USER, CURLU_URLDECODE);
  url.servidor = Parte(u, CURLUPART_HOST);
  url.puerto = Parte(u, CURLUPART_PORT);
  std::string clave = Parte(u, CURLUPART_PASSWORD);
  std::string camino = Parte(u, CURLUPART_PATH, CURLU_URLDECODE);
  curl_url_cleanup(u);
  if (!clave.empty()) return falla("la contraseña no va en el perfil, sino en el fichero .netrc del usuario");
  if (url.servidor.empty()) return falla("falta el servidor");
  if (url.esquema != "imap" && url.esquema != "imaps" && url.esquema != "smtp" && url.esquema != "smtps")
    return falla("el esquema ha de ser imap, imaps, smtp o smtps");
  while (!camino.empty() && camino.front() == '/') camino.erase(0, 1);
  if (auto p = camino.find(';'); p != std::string::npos) camino.erase(p);
  url.buzon = camino.empty() ? "INBOX" : camino;
  return true;
}

}  // namespace plataforma::correo

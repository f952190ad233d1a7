#pragma once
// The server URLs of the mail profile, taken apart by libcurl's URL parser.
#include <string>

#include "plataforma/correo/correo.h"

namespace plataforma::correo {

struct UrlCorreo {
  std::string esquema;   // imap, imaps, smtp, smtps (lower case)
  std::string usuario;   // may be empty: netrc then gives the login too
  std::string servidor;
  std::string puerto;    // empty: the scheme's own
  std::string buzon;     // IMAP: the mailbox of the path, INBOX by default
  // A server on this machine: the only one reached without TLS.
  bool SoloLocal() const;
  // The URL for libcurl: scheme, user, host and port.
  std::string Base() const;
};

// Reads an imap(s) or smtp(s) URL; a URL with a password, another scheme or
// no host is refused (kCorreoFalloInicioSesion, with the reason).
bool LeeUrlCorreo(const std::string& texto, UrlCorreo& url, ErrorCorreo& error);

}  // namespace plataforma::correo

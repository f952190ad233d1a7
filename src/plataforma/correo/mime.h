#pragma once
// One mail parsed by GMime: the fields the session gives and its attachments.
#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "plataforma/correo/correo.h"

namespace plataforma::correo {

class MensajeMime {
 public:
  // Parses a whole mail. A mail GMime cannot make sense of gives empty fields
  // and no attachments; parsing never fails.
  explicit MensajeMime(const std::string& bytes);
  ~MensajeMime();
  MensajeMime(const MensajeMime&) = delete;
  MensajeMime& operator=(const MensajeMime&) = delete;

  const std::string& Asunto() const { return asunto_; }
  const std::string& NombreRemitente() const { return nombreRemitente_; }
  const std::string& DireccionRemitente() const { return direccionRemitente_; }
  const std::string& DireccionDestinatario() const { return direccionDestinatario_; }
  const std::vector<std::string>& Adjuntos() const { return nombres_; }
  // Every header field of the mail, in order: name as written and value
  // unfolded, with control characters as blanks.
  const std::vector<CampoCabecera>& Cabeceras() const { return cabeceras_; }
  // The Date header as an instant; 0 when missing or unreadable.
  std::time_t FechaCabecera() const { return fecha_; }
  // Writes attachment i, transfer encoding undone, to the file.
  bool GuardaAdjunto(std::size_t i, const std::string& ruta, ErrorCorreo& error) const;

 private:
  void* mensaje_ = nullptr;     // GMimeMessage*
  std::vector<void*> partes_;   // GMimeObject* of each attachment
  std::vector<std::string> nombres_;
  std::vector<CampoCabecera> cabeceras_;
  std::time_t fecha_ = 0;
  std::string asunto_, nombreRemitente_, direccionRemitente_, direccionDestinatario_;
};

// A header text fit for one line: control characters become blanks.
std::string UnaLinea(const char* texto);

}  // namespace plataforma::correo

#pragma once
// One mail parsed by GMime: the fields the session gives and its attachments.
#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "plataforma/correo/correo.h"

namespace plataforma::correo {

// Why a mail can never be taken in, judged on its bytes before GMime reads
// them (GMime's memory grows with every header field and every part): its
// header sections together over kMaximoBytesCabeceras bytes or
// kMaximoCamposCabeceras fields, or more than kMaximoPartes parts. A clause
// that completes "no se puede procesar porque ..."; empty when it can be
// read. Counts what GMime could take for a header or a part, never less.
std::string ExaminaCorreo(std::string_view bytes);

class MensajeMime {
 public:
  // Parses a whole mail. A mail refused by ExaminaCorreo, by the store
  // (`rechazo` says why) or by GMime gives only the fields of the first part
  // of its header and no attachments (MotivoRechazo says why); parsing never
  // fails.
  explicit MensajeMime(std::string_view bytes, std::string rechazo = {});
  ~MensajeMime();
  MensajeMime(const MensajeMime&) = delete;
  MensajeMime& operator=(const MensajeMime&) = delete;

  const std::string& Asunto() const { return asunto_; }
  const std::string& NombreRemitente() const { return nombreRemitente_; }
  const std::string& DireccionRemitente() const { return direccionRemitente_; }
  const std::string& DireccionDestinatario() const { return direccionDestinatario_; }
  const std::vector<std::string>& Adjuntos() const { return nombres_; }
  const std::string& MotivoRechazo() const { return rechazo_; }
  // Every header field of the mail, in order: name as written and value
  // unfolded, with control characters as blanks.
  const std::vector<CampoCabecera>& Cabeceras() const { return cabeceras_; }
  // The Date header as an instant; 0 when missing or unreadable.
  std::time_t FechaCabecera() const { return fecha_; }
  // Writes attachment i, transfer encoding undone, to the file.
  bool GuardaAdjunto(std::size_t i, const std::string& ruta, ErrorCorreo& error) const;
  // Attachment i, transfer encoding undone, in memory.
  bool LeeAdjunto(std::size_t i, std::string& contenido, ErrorCorreo& error) const;

 private:
  // Writes attachment i into a GMimeStream*; the bytes written, -1 on failure.
  long long EscribeAdjunto(std::size_t i, void* flujo) const;

  void* mensaje_ = nullptr;    // GMimeMessage*
  std::vector<void*> partes_;  // GMimeObject* of each attachment
  std::vector<std::string> nombres_;
  std::vector<CampoCabecera> cabeceras_;
  std::time_t fecha_ = 0;
  std::string rechazo_;
  std::string asunto_, nombreRemitente_, direccionRemitente_, direccionDestinatario_;
};

// A header text fit for one line: control characters become blanks.
std::string UnaLinea(const char* texto);

}  // namespace plataforma::correo

#pragma once
// One incoming mail read as the mail window reads it: from memory (the
// parse, the fields, the attachment names as the intake files them and the
// attachments decoded) and from a Maildir (the store: arrival, attachments
// saved under their safe names in a folder). Shared by the fuzz targets and
// the tests that replay the inputs they found.
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "plataforma/correo/correo.h"
#include "plataforma/correo/mime.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace pruebas_correo {

// Gives an empty text when the mail was read soundly, else what went wrong.
inline std::string LeeCorreoEnMemoria(std::string_view bytes) {
  using namespace plataforma::correo;
  const MensajeMime mensaje(bytes);
  for (const std::string& s :
       {mensaje.Asunto(), mensaje.NombreRemitente(), mensaje.DireccionRemitente(), mensaje.DireccionDestinatario()})
    if (s.find_first_of("\r\n") != std::string::npos) return "texto de una línea con salto: " + s;
  if (!mensaje.MotivoRechazo().empty() && !mensaje.Adjuntos().empty()) return "correo rechazado con adjuntos";
  for (std::size_t i = 0; i < mensaje.Adjuntos().size(); ++i) {
    // The name the intake files it under.
    const std::string nombre = mensaje.Adjuntos()[i];
    if (!nombre.empty()) {
      const std::string fichero = plataforma::AcortaNombre(plataforma::Mayusculas(plataforma::NombreSeguro(nombre)));
      if (fichero.size() > plataforma::kMaximoNombreFichero) return "nombre demasiado largo: " + fichero;
      if (fichero.find('/') != std::string::npos || fichero == "." || fichero == "..")
        return "nombre fuera de la carpeta: " + fichero;
      if (plataforma::DesdeCodigos(plataforma::ACodigos(fichero)) != fichero)
        return "nombre cortado a medias: " + fichero;
    }
    std::string contenido;
    ErrorCorreo error;
    if (!mensaje.LeeAdjunto(i, contenido, error)) return "adjunto ilegible: " + error.descripcion;
  }
  return {};
}

// `carpeta` holds Correo/{new,cur,tmp}/ and Adjuntos/, emptied here first.
// Gives an empty text when the mail was read soundly, else what went wrong.
inline std::string LeeCorreoHostil(const std::string& carpeta, std::string_view bytes) {
  namespace fs = std::filesystem;
  using namespace plataforma::correo;
  const std::string maildir = carpeta + "/Correo";
  const std::string adjuntos = carpeta + "/Adjuntos";
  std::error_code ec;
  for (const std::string& c : {maildir + "/new", maildir + "/cur", adjuntos}) {
    fs::remove_all(c, ec);
    fs::create_directories(c, ec);
  }
  fs::create_directories(maildir + "/tmp", ec);
  {
    std::FILE* f = std::fopen((maildir + "/new/1765400000.M1P1.prueba").c_str(), "wb");
    if (!f) return "no se puede escribir el correo";
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  SesionCorreo sesion(CreaAlmacenMaildir(maildir), CreaSalidaMaildir(carpeta + "/Salida"), "concurso@example.org");
  if (!sesion.IniciarSesion() || !sesion.LeerNoLeidos()) return "sesión: " + sesion.UltimoError().descripcion;
  if (sesion.NumeroCorreos() != 1) return "no se ve el correo";
  if (!sesion.SeleccionarCorreo(0)) return "no se lee el correo: " + sesion.UltimoError().descripcion;
  for (const std::string& s : {sesion.Asunto(), sesion.NombreRemitente()})
    if (s.find_first_of("\r\n") != std::string::npos) return "texto de una línea con salto: " + s;
  (void)sesion.DireccionRemitente();
  (void)sesion.DireccionDestinatario();
  (void)sesion.FechaRecibido();
  const fs::path base = fs::weakly_canonical(adjuntos);
  for (int i = 0; i < sesion.NumeroAdjuntos(); ++i) {
    const std::string nombre = sesion.NombreAdjunto(i);
    std::string ruta;
    if (!sesion.GuardarAdjuntoEnCarpeta(i, adjuntos, &ruta)) continue;
    if (fs::weakly_canonical(ruta, ec).parent_path() != base) return "adjunto fuera de la carpeta: " + ruta;
    if (!fs::is_regular_file(ruta)) return "adjunto no guardado como fichero: " + ruta;
  }
  sesion.CerrarSesion();
  // Reading never marks the mail read nor takes it out of the inbox.
  if (!fs::exists(maildir + "/new/1765400000.M1P1.prueba")) return "el correo ha dejado new/";
  return {};
}

}  // namespace pruebas_correo

#pragma once
// One incoming mail read from a Maildir as the mail window reads it: subject,
// sender, recipient, arrival, attachment names, and every attachment saved
// under its safe name in a folder. Shared by the fuzz target and the tests
// that replay the inputs it found.
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "plataforma/correo/correo.h"

namespace pruebas_correo {

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

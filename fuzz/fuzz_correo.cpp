// Fuzz target: one incoming mail read from a Maildir as the mail window
// reads it: subject, sender, recipient, arrival, attachment names, and every
// attachment saved under its safe name in a folder, which must hold it.
// Every run starts from an empty Maildir and an empty folder.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "plataforma/correo/correo.h"
#include "soporte/carpeta_temporal.h"

namespace fs = std::filesystem;
using namespace plataforma::correo;

namespace {

soporte::CarpetaTemporal* carpeta = nullptr;

void Vacia(const std::string& ruta) {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(ruta, ec)) fs::remove_all(e.path(), ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  carpeta = new soporte::CarpetaTemporal;
  for (const char* c : {"Correo/new", "Correo/cur", "Correo/tmp", "Adjuntos"}) carpeta->CreaCarpeta(c);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  const std::string maildir = carpeta->En("Correo");
  const std::string adjuntos = carpeta->En("Adjuntos");
  Vacia(maildir + "/new");
  Vacia(maildir + "/cur");
  Vacia(adjuntos);
  carpeta->EscribeBytes("Correo/new/1765400000.M1P1.prueba",
                        std::string_view(reinterpret_cast<const char*>(datos), tam));

  SesionCorreo sesion(CreaAlmacenMaildir(maildir), CreaSalidaMaildir(carpeta->En("Salida")), "concurso@example.org");
  if (!sesion.IniciarSesion() || !sesion.LeerNoLeidos()) __builtin_trap();
  if (sesion.NumeroCorreos() != 1 || !sesion.SeleccionarCorreo(0)) __builtin_trap();
  std::string campos = sesion.Asunto() + sesion.NombreRemitente() + sesion.DireccionRemitente() +
                       sesion.DireccionDestinatario();
  (void)sesion.FechaRecibido();
  const fs::path base = fs::weakly_canonical(adjuntos);
  for (int i = 0; i < sesion.NumeroAdjuntos(); ++i) {
    campos += sesion.NombreAdjunto(i);
    std::string ruta;
    if (!sesion.GuardarAdjuntoEnCarpeta(i, adjuntos, &ruta)) continue;
    // The attachment landed in the folder itself, never beside or below it.
    if (fs::weakly_canonical(ruta).parent_path() != base) __builtin_trap();
  }
  // A header text the window shows on one line holds no line break.
  for (const std::string& s : {sesion.Asunto(), sesion.NombreRemitente()})
    if (s.find_first_of("\r\n") != std::string::npos) __builtin_trap();
  sesion.CerrarSesion();
  return 0;
}

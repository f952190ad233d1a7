// The mail profile of a working folder.
#include "plataforma/correo/correo.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace plataforma::correo {

bool LeePerfilCorreo(const std::string& carpetaTrabajo, PerfilCorreo& perfil, ErrorCorreo& error) {
  const std::string ruta = UneRuta(carpetaTrabajo, kNombreFicheroPerfil);
  std::vector<std::string> lineas;
  if (!ExisteFichero(ruta) || !LeerLineas(ruta, lineas)) {
    error = {kCorreoFalloInicioSesion, "No se encuentra el perfil de correo " + ruta};
    return false;
  }
  perfil = {};
  bool hayEntrada = false;
  int numero = 0;
  for (const std::string& bruta : lineas) {
    ++numero;
    std::string linea = Recorta(bruta);
    if (linea.empty() || linea[0] == ';' || linea[0] == '#') continue;
    auto igual = linea.find('=');
    std::string clave = igual == std::string::npos ? linea : Recorta(linea.substr(0, igual));
    std::string valor = igual == std::string::npos ? "" : Recorta(linea.substr(igual + 1));
    auto mal = [&](const std::string& motivo) {
      error = {kCorreoFalloInicioSesion,
               "Perfil de correo " + ruta + ", línea " + std::to_string(numero) + ": " + motivo};
      return false;
    };
    if (igual == std::string::npos) return mal("falta el signo =");
    if (IgualesSinCaso(clave, "Entrada")) {
      perfil.entrada = valor;
      hayEntrada = true;
    } else if (IgualesSinCaso(clave, "Smtp")) {
      perfil.smtp = valor;
    } else if (IgualesSinCaso(clave, "Remitente")) {
      if (!valor.empty() && !DireccionValida(valor)) return mal("dirección del remitente no válida");
      perfil.remitente = valor;
    } else {
      return mal("clave desconocida \"" + clave + "\" (se esperan Entrada, Smtp y Remitente)");
    }
  }
  if (!hayEntrada || perfil.entrada.empty()) {
    error = {kCorreoFalloInicioSesion, "El perfil de correo " + ruta + " no dice de dónde se lee el correo (Entrada=)"};
    return false;
  }
  if (!perfil.smtp.empty() && perfil.remitente.empty()) {
    error = {kCorreoFalloInicioSesion, "El perfil de correo " + ruta + " tiene servidor de salida pero no remitente"};
    return false;
  }
  return true;
}

FechaHora FechaLocal(std::time_t instante) {
  std::tm tm{};
  localtime_r(&instante, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace plataforma::correo

#include "mail/ges_automatica_textos.h"

#include "plataforma/texto.h"

namespace mail {

std::string TextoAdvertenciaSinNotificaciones() {
  return "Tiene activada la opción de NO ENVIAR NOTIFICACIONES\r\n\r\n"
         "Esta opción es para usar en pruebas con los E-MAIL ya recibidos y marcados como NO LEIDOS\r\n\r\n"
         "Deberá tener el MODEM-ROUTER apagado o el cable de INTERNET desconectado, ya que en caso contrario "
         "puede llegar un E-MAIL con un LOG que sería procesado pero sin enviar NINGUNA notificación al "
         "concursante\r\n\r\n"
         "Si no está seguro de lo que hace pulse CANCELAR";
}

std::string TextoReconexion() {
  return "Si ha apagado el MODEM-ROUTER o desconectado el cable internet debe conectarlo ahora\r\n\r\n"
         "¿Está todo conectado?";
}

std::string TextoFalloInicioSesion(const plataforma::correo::ErrorCorreo& error) {
  return ".- ERROR de inicio de sesión: " + error.descripcion + "-Error:" + std::to_string(error.numero) +
         "\r\n.- Debe reiniciar el PC y NO ejecutar el gestor de correo cuando vaya ejecutar el Programa";
}

namespace {

struct FilaVisor {
  ListaEdicion lista;
  bool mayusculas;             // the caption is built from the upper-cased line
  std::string_view extension;  // sought at its first occurrence
  std::string_view titulo;
  std::string_view tituloSinExtension;  // empty: the same caption text
};

constexpr FilaVisor kVisores[] = {
    {ListaEdicion::Manuales, true, ".LOG", "Fichero INSERTADO MANUALMENTE de ", ""},
    {ListaEdicion::Recibidos, true, ".LOG", "Fichero CABRILLO RECIBIDO de ", "Fichero INSERTADO MANUALMENTE de "},
    {ListaEdicion::Errores, false, ".ERR", "Fichero de ERRORES de ", ""},
    {ListaEdicion::Confirmaciones, false, ".OK", "Fichero de CONFIRMACIÓN de ", ""},
    {ListaEdicion::Validas, true, ".LOG", "Lista VÁLIDA de ", ""},
    {ListaEdicion::Admitidas, true, ".LOG", "Lista ADMITIDA de ", ""},
};

}  // namespace

bool VisorDeFichero(ListaEdicion lista, const std::string& linea, VisorFichero& visor) {
  for (const FilaVisor& f : kVisores) {
    if (f.lista != lista) continue;
    const std::string texto = f.mayusculas ? plataforma::Mayusculas(linea) : linea;
    const std::size_t p = texto.find(f.extension);
    if (p != std::string::npos)
      visor.titulo = std::string(f.titulo) + texto.substr(0, p);
    else
      visor.titulo = std::string(f.tituloSinExtension.empty() ? f.titulo : f.tituloSinExtension) + texto;
    visor.carpeta = CarpetaDeLista(f.lista);
    return true;
  }
  return false;
}

std::string TextoPerfilCorreo(const plataforma::correo::PerfilCorreo& perfil) {
  if (!perfil.smtp.empty()) return {};
  std::string texto = "PerfilCorreo.txt no tiene servidor de salida (Smtp=): las respuestas se guardan en " +
                      std::string(plataforma::correo::kCarpetaSalida) + "/ y no se envían";
  if (perfil.remitente.empty()) texto += ", y sin remitente (From:) mientras Remitente= esté vacío";
  return texto + ".";
}

}  // namespace mail

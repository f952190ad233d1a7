#pragma once
// The fixed texts of the mail window and the captions of its file viewer.
#include <string>
#include <string_view>

#include "common/edicion_concurso.h"
#include "plataforma/correo/correo.h"

namespace mail {

inline constexpr std::string_view kTituloGesAutomatica = "Gestión de Correo para FICHEROS CABRILLO";
// The time between the end of one mail session and the start of the next.
inline constexpr int kIntervaloSesiones = 60000;  // ms

// The contest has no row of mailbox and subject: intake cannot start.
inline constexpr std::string_view kSinConfiguracionCorreo =
    "No se ha podido abrir la configuración para el fichero cabrillo";
// Automatic intake with "No enviar notificaciones" ticked: the warning (OK
// and Cancel, titled kTituloAdvertencia) and the confirmation that follows.
std::string TextoAdvertenciaSinNotificaciones();
inline constexpr std::string_view kTituloAdvertencia = "ADVERTENCIA";
inline constexpr std::string_view kConfirmaDesconexion =
    "¿Ha apagado el MODEM-ROUTER o desconectado el cable de internet";
inline constexpr std::string_view kTituloConfirmar = "CONFIRMAR";
// The box is unticked again: the answers will go out.
std::string TextoReconexion();
// The mail session could not sign on.
std::string TextoFalloInicioSesion(const plataforma::correo::ErrorCorreo& error);
// What the mail window says of the mail profile of the working folder: where
// the answers go when the profile names no SMTP server (the outbox, which
// nothing sends), and that they carry no sender until the profile names
// one; empty when the answers are sent (the profile then names both).
std::string TextoPerfilCorreo(const plataforma::correo::PerfilCorreo& perfil);

// What the viewer shows for a line of one of the six folder lists: the
// caption of the frame `Lista` and the subfolder the file is read from.
struct VisorFichero {
  std::string titulo;
  std::string carpeta;
};
// False for a list without viewer.
bool VisorDeFichero(ListaEdicion lista, const std::string& linea, VisorFichero& visor);

}  // namespace mail

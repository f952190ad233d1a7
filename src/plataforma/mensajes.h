#pragma once
// Message boxes. Every window reports to the operator through MsgBox; the
// program installs the Qt implementation, the tests a scripted one.
#include <string>
#include <string_view>

namespace plataforma {

enum class Icono { Ninguno, Error, Pregunta, Informacion };
enum class Botones {
  Aceptar,          // OK
  AceptarCancelar,  // OK and Cancel, OK the default
  SiNo,             // Yes and No, No the default
};
enum class Respuesta { Aceptar, Cancelar, Si, No };

// Shows one modal box and returns the operator's answer.
class Mensajero {
 public:
  virtual ~Mensajero() = default;
  virtual Respuesta Muestra(const std::string& texto, const std::string& titulo, Icono icono,
                            Botones botones) = 0;
};

// Installs the implementation MsgBox uses (not owned) and returns the one
// installed before. With none installed MsgBox writes the box to the error
// output and gives the default answer.
Mensajero* InstalaMensajero(Mensajero* m);
Mensajero* MensajeroInstalado();

Respuesta MsgBox(const std::string& texto, const std::string& titulo = {},
                 Icono icono = Icono::Ninguno, Botones botones = Botones::Aceptar);

// The answer of the default button: OK, or No for Yes and No.
Respuesta RespuestaPorDefecto(Botones botones);
// Whether an answer is one of the buttons of the box.
bool RespuestaPosible(Botones botones, Respuesta r);

// Names for test output ("Error", "Sí/No", ...).
const char* NombreIcono(Icono i);
const char* NombreBotones(Botones b);
const char* NombreRespuesta(Respuesta r);

// Implementation on QMessageBox. Closing the box with Esc or the window's
// close button answers Cancel (OK and Cancel), No (Yes and No) or OK.
class MensajeroQt : public Mensajero {
 public:
  Respuesta Muestra(const std::string& texto, const std::string& titulo, Icono icono,
                    Botones botones) override;
};

// Unhandled errors. The text of the box shown for an error that no
// procedure handled.
std::string TextoErrorNoControlado(std::string_view detalle);
// Shows that box (error icon, OK) and ends the program with exit code 1.
[[noreturn]] void TerminaPorErrorNoControlado(std::string_view detalle);

}  // namespace plataforma

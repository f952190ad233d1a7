#pragma once
// What the grid editor windows share on the Qt side: the rows of cells made
// from the designed first row, the cell colours, the editor's key codes and
// the cell text mirrored without moving the operator's cursor.
#include <QColor>
#include <Qt>
#include <string>
#include <vector>

#include "plataforma/mensajes.h"

class QGridLayout;
class QLineEdit;

namespace listeditors {

inline const QColor kCian(0, 255, 255);
inline const QColor kAmarillo(255, 255, 0);

// The message boxes of an editor window, which its editor's messages to the
// operator go to (EditorCuadricula::PonMensajero): the program's boxes,
// plataforma::MsgBox.
class CajasMensajeVentana : public plataforma::Mensajero {
 public:
  plataforma::Respuesta Muestra(const std::string& texto, const std::string& titulo, plataforma::Icono icono,
                                plataforma::Botones botones) override {
    return plataforma::MsgBox(texto, titulo, icono, botones);
  }
};

// Paints a cell's background (nothing happens when it already has the colour).
void PonFondo(QLineEdit* celda, const QColor& color);

// The editor's code of a key; -1 for a key the editors do not handle.
int CodigoTecla(int tecla);
// Shift, Ctrl and Alt as the editors' modifier flags.
int Modificadores(Qt::KeyboardModifiers m);

// A row of a grid: its number cell and its value cells.
struct FilaCeldas {
  QLineEdit* serie = nullptr;
  std::vector<QLineEdit*> celdas;
};

// Rows 1 to `filas` - 1 of a grid, made like the designed row 0 (its cells
// named "Estacion_0" and so on: the copies of row 7 are "Estacion_7"), each
// cell placed `fila` rows below its model. Every copy takes its model's
// length, size, font, read-only state and focus policy.
std::vector<FilaCeldas> AgregaFilas(QGridLayout* rejilla, const FilaCeldas& modelo, int filas);

// Shows `texto` in the cell when it shows something else, keeping the cursor
// where the operator left it (or at the end of a shorter text).
void PonTextoCelda(QLineEdit* celda, const std::string& texto);

// The keys a grid editor window takes itself, whoever has the focus: Enter
// never presses a default button and Esc never closes the window.
inline bool EsTeclaDeVentana(int tecla) {
  return tecla == Qt::Key_Escape || tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}

}  // namespace listeditors

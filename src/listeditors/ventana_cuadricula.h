#pragma once
// The window of a grid list editor: a thin layer over EditorCuadricula. It
// creates the grid rows from the designed first row, hands the editor the
// operator's keys (window-level preview), typing, Enter, focus changes and
// button clicks, and after each one mirrors the editor's cell texts,
// colours, locks, button states, help text, focus and beeps. It closes when
// the editor has accepted or cancelled.
#include <QDialog>
#include <array>
#include <vector>

#include "listeditors/celdas_qt.h"
#include "listeditors/editor_cuadricula.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace listeditors {

class VentanaCuadricula : public QDialog {
  Q_OBJECT

 public:
  VentanaCuadricula(EditorCuadricula& editor, QWidget* padre);

  EditorCuadricula& Editor() { return editor_; }
  // Cells of the grid (rows 0-based; columns as the editor numbers them).
  QLineEdit* Celda(int fila, int columna) const;
  QLineEdit* Serie(int fila) const;
  QPushButton* BotonDe(Boton b) const { return botones_[static_cast<int>(b)]; }

 protected:
  struct Controles {
    QGridLayout* rejilla = nullptr;
    QLineEdit* serie = nullptr;        // number cell of row 1
    std::vector<QLineEdit*> columnas;  // value cells of row 1
    QLabel* informacion = nullptr;
    std::array<QPushButton*, kNumeroBotones> botones{};
    // Cells that a browsed row locks besides the number cell.
    std::vector<int> celdasBloqueo;
    // Typing in a number cell beeps (else it is only read-only).
    bool seriePita = false;
  };
  // Loads the editor (field lengths), creates the grid rows and connects
  // everything. Called by the window once its design is set up.
  void Monta(const Controles& c);

  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  void Sincroniza();
  void AplicaFoco();
  QWidget* WidgetDe(const Foco& f) const;
  bool FocoDe(QObject* objeto, Foco& f) const;
  // The column headers (the labels of the grid's first row) are as high as
  // their wrapped text asks at the width their column gives them.
  void AjustaCabeceras();

  EditorCuadricula& editor_;
  CajasMensajeVentana cajas_;
  Controles c_;
  std::vector<QLineEdit*> series_;
  std::vector<std::vector<QLineEdit*>> celdas_;  // [fila][columna]
  std::array<QPushButton*, kNumeroBotones> botones_{};
  std::vector<QLabel*> cabeceras_;
  int pitidos_ = 0;
  bool activada_ = false;
  bool sincronizando_ = false;
};

}  // namespace listeditors

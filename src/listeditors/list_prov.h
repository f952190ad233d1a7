#pragma once
// The multiplier reference lists window "Configuración avanzada": a thin
// layer over EditorListProv. It creates the rows of the six grids from
// their designed first rows, hands the model the operator's keys (window
// level preview), typing, Enter, focus changes, clicks and ticks, and after
// each one mirrors the model's cells, colours, locks, button and frame
// states, check boxes, help text, focus and beeps. It closes when the model
// has accepted or cancelled.
#include <QDialog>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "listeditors/celdas_qt.h"
#include "listeditors/listas_referencia.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class ListProv;
}

namespace listeditors {

class ListProv : public QDialog {
  Q_OBJECT

 public:
  explicit ListProv(EnlaceListProv& principal, QWidget* padre = nullptr);
  ~ListProv() override;

  EditorListProv& Modelo() { return modelo_; }
  // Cells of a list's grid (rows 0-based), by ModoLista.
  QLineEdit* Serie(int modo, int fila) const;
  QLineEdit* Celda(int modo, int fila, int columna) const;
  QPushButton* BotonDe(EditorListProv::BotonProv b) const { return botones_[static_cast<std::size_t>(b)]; }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  struct Rejilla {
    QGroupBox* marco = nullptr;
    QGridLayout* rejilla = nullptr;
    std::vector<QLineEdit*> series;
    std::vector<std::vector<QLineEdit*>> celdas;  // [fila][columna]
    std::vector<std::string> seriesMostradas;
  };
  void CreaCuadriculas();
  void Sincroniza();
  void AplicaFoco();
  QWidget* WidgetDe(const EditorListProv::FocoProv& f) const;
  bool FocoDe(QObject* objeto, EditorListProv::FocoProv& f) const;

  CajasMensajeVentana cajas_;
  EditorListProv modelo_;
  std::unique_ptr<Ui::ListProv> ui_;
  std::array<Rejilla, kNumeroListasProv> rejillas_;
  std::array<QPushButton*, EditorListProv::kNumeroBotones> botones_{};
  std::array<QCheckBox*, 5> sufijos_{};
  std::array<QCheckBox*, 5> excluir_{};
  int pitidos_ = 0;
  bool activada_ = false;
  bool sincronizando_ = false;
};

}  // namespace listeditors

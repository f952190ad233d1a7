#pragma once
// The main window's multipliers panel: the master box, the period boxes,
// for each type of multiplier its box, its period variants, its exclude box
// and the button of its reference list. The boxes are the multiplier
// options of the contest in the editor (TROVALIS_OPCIONES_MULTIPLICADORES);
// the window runs their rules.
#include <QGroupBox>
#include <memory>

namespace Ui {
class PanelMultiplicadores;
}

class PanelMultiplicadores : public QGroupBox {
  Q_OBJECT

 public:
  explicit PanelMultiplicadores(QWidget* padre = nullptr);
  ~PanelMultiplicadores() override;

  // The panel's generated form, for the window it belongs to.
  const Ui::PanelMultiplicadores& Formulario() const { return *ui_; }

 private:
  std::unique_ptr<Ui::PanelMultiplicadores> ui_;
};

#pragma once
// The main window's panel where the operator picks the printer: one option
// per installed printer with the current one ticked, or a notice when none
// is installed, and its accept button.
#include <QGroupBox>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;

namespace Ui {
class PanelImpresoras;
}

class PanelImpresoras : public QGroupBox {
  Q_OBJECT

 public:
  explicit PanelImpresoras(QWidget* padre = nullptr);
  ~PanelImpresoras() override;

  // One option per printer, in the platform's order, the current one
  // ticked; `filtro` sees the keys of every option.
  void Carga(const std::vector<std::string>& nombres, const std::string& actual, QObject* filtro);
  // Shows the panel with the focus on the option last ticked.
  void Abre();
  // The printer of the option ticked, if one is.
  std::optional<std::string> Elegida() const;
  QPushButton* Aceptar() const;

 private:
  std::unique_ptr<Ui::PanelImpresoras> ui_;
  std::vector<QRadioButton*> opciones_;
  std::size_t elegida_ = 0;          // the option last ticked
  QLabel* sinImpresoras_ = nullptr;  // the notice of a machine without printers
};

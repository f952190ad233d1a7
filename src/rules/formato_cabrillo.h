#pragma once
// The Cabrillo format window: the contest's admitted Cabrillo categories,
// the exchange elements with their columns in a QSO line, the contest's
// mailbox and subject pattern, and the two optional texts of the contest
// (claims mailbox, results web address). Built afresh at every opening.
#include <QDialog>
#include <memory>

#include "rules/enlace_formato_cabrillo.h"
#include "rules/verificacion_formato.h"

class QCheckBox;
class QLineEdit;

namespace Ui {
class FormatoCabrillo;
}

namespace rules {

class FormatoCabrillo : public QDialog {
  Q_OBJECT

 public:
  explicit FormatoCabrillo(EnlaceFormatoCabrillo& principal, QWidget* padre = nullptr);
  ~FormatoCabrillo() override;

  // What the window holds now (category boxes, elements, columns, mailbox
  // and subject).
  FormularioCabrillo Formulario() const;

 protected:
  // The window has no keys of its own: Esc does not close it.
  void keyPressEvent(QKeyEvent* evento) override;

 private:
  void Form_Load();
  void CargaFormatoCabrillo();
  bool VerificaFormatoCabrillo();
  void AceptarCabrillo_Click();
  void CancelarCabrillo_Click();
  void Categoria_Click(QCheckBox* casilla, bool valor);
  void Elemento_Click(Elemento e, bool valor);
  void AsignaControlesPorDefecto();

  EstadoIntercambio LeeIntercambio() const;
  void PonIntercambio(const EstadoIntercambio& estado);
  QCheckBox* Casilla(std::string_view nombre) const;
  QLineEdit* CampoColumna(Columna c) const;
  QWidget* Control(std::string_view nombre) const;

  EnlaceFormatoCabrillo& principal_;
  std::unique_ptr<Ui::FormatoCabrillo> ui_;
  std::array<QCheckBox*, 8> elementos_{};
};

// Opens the window modally on behalf of the main window: hides the main
// window, shows the format window and shows the main window again when it
// has closed. Returns true when the operator accepted and the row was written.
bool AbreFormatoCabrillo(QWidget* ventanaPrincipal, EnlaceFormatoCabrillo& principal);

}  // namespace rules

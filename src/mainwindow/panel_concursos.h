#pragma once
// The main window's panel where the operator picks a contest to query: the
// list of every stored contest, sorted by its text without regard to case,
// each entry carrying its contest number. The open list is as wide as its
// longest entry, and the closed one shows the whole selected entry as its
// tip.
#include <QGroupBox>
#include <cstdint>
#include <memory>
#include <string>

#include "database/conexiones.h"

namespace Ui {
class PanelConcursos;
}

class PanelConcursos : public QGroupBox, public ::ListaConcursos {
  Q_OBJECT

 public:
  explicit PanelConcursos(QWidget* padre = nullptr);
  ~PanelConcursos() override;

  // The contest list.
  void Limpia() override;
  int Agrega(const std::string& texto, std::int32_t numero) override;
  int Cuenta() const override;
  std::string Texto(int indice) const override;
  std::int32_t Numero(int indice) const override;
  void Selecciona(int indice) override;
  int Seleccionado() const override;

  // The entry of contest `numero` gets a new text, or goes.
  void CambiaTexto(std::int32_t numero, const std::string& texto);
  void Quita(std::int32_t numero);
  // The focus to the list.
  void Enfoca();

 private:
  void AjustaAnchos();
  int Indice(std::int32_t numero) const;

  std::unique_ptr<Ui::PanelConcursos> ui_;
};

#pragma once
// The contest-rules window: generates the rules text of the contest in hand
// each time it opens, shows it in a fixed-pitch list and prints it. Not
// modal; it takes the main window's place while it is shown and brings it
// back when it closes. Built afresh at every opening, discarded on close.
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "rules/enlace_bases_concurso.h"

namespace Ui {
class BasesConcurso;
}

namespace rules {

class BasesConcurso : public QWidget {
  Q_OBJECT

 public:
  explicit BasesConcurso(std::unique_ptr<EnlaceBasesConcurso> principal, QWidget* padre = nullptr);
  ~BasesConcurso() override;

  // Centres the window, completes its heading, shows it and generates the
  // text into the list.
  void Form_Load();
  // The lines the list shows.
  std::vector<std::string> Lineas() const;

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void GeneraBasesConcurso();
  void Cruzar_Click();
  void FinClientes_Click();
  void Form_Unload();

  std::unique_ptr<EnlaceBasesConcurso> principal_;
  std::unique_ptr<Ui::BasesConcurso> ui_;
  bool descargada_ = false;
};

// Opens the window on behalf of the main window (which hides itself): the
// window deletes itself when it closes, after showing the main window again.
BasesConcurso* AbreBasesConcurso(std::unique_ptr<EnlaceBasesConcurso> principal);

}  // namespace rules

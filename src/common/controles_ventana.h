#pragma once
// What the windows that run the shared procedures have in common: their list
// boxes and captions found by name, their command keys, and the text of their
// controls from the program's UTF-8 strings.
#include <QFont>
#include <QString>
#include <Qt>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "common/ventana_proceso.h"

class QListWidget;
class QPushButton;
class QWidget;

// A control's text from a UTF-8 string.
QString Q(std::string_view texto);

// The platform's fixed-pitch face, for lists and texts whose characters
// must line up in columns.
QFont FuenteFija();

// A window's list box as the shared procedures see it. With
// `seleccion_silenciosa`, clearing the selection tells nobody (a window that
// loads a viewer on every change of selection).
class ListaQt : public ListaVentana {
 public:
  explicit ListaQt(QListWidget* lista, bool seleccion_silenciosa = false);
  void Limpia() override;
  void Agrega(const std::string& texto) override;
  std::size_t Cuenta() const override;
  std::string Elemento(std::size_t i) const override;
  void Quita(std::size_t i) override;
  void Inserta(std::size_t i, const std::string& texto) override;
  void QuitaSeleccion() override;

 private:
  QListWidget* lista_;
  bool seleccion_silenciosa_;
};

// The list boxes, labels and frames below a window, found by name without
// regard to case. A label's text and a frame's title are its caption.
class ControlesVentana {
 public:
  explicit ControlesVentana(QWidget* ventana, bool seleccion_silenciosa = false);

  ListaVentana* Lista(std::string_view nombre);
  // Nothing happens for a name the window does not have.
  void PonTexto(std::string_view nombre, const std::string& texto);
  // Empty for a name the window does not have.
  std::string Texto(std::string_view nombre) const;

 private:
  std::map<std::string, std::unique_ptr<ListaQt>, std::less<>> listas_;
  std::map<std::string, QWidget*, std::less<>> rotulos_;
};

// Prints the items of a list box reached by name, as ImprimeLista of
// common/ventanas.h prints a list box.
void ImprimeLista(const ListaVentana& lista, const std::string& titulo);

// A window's command keys: with no Shift, Ctrl or Alt held, a key of the
// table takes the focus to its button and clicks it if it is enabled; the key
// is used up either way. False for any other key.
bool PulsaBotonDeTecla(int tecla, Qt::KeyboardModifiers modificadores,
                       std::initializer_list<std::pair<int, QPushButton*>> teclas);

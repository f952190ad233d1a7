#include "common/controles_ventana.h"

#include <algorithm>

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "common/ventanas.h"
#include "plataforma/texto.h"

QString Q(std::string_view texto) { return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())); }

QFont FuenteFija() {
  QFont fuente("Monospace");
  fuente.setStyleHint(QFont::TypeWriter);
  fuente.setFixedPitch(true);
  return fuente;
}

ListaQt::ListaQt(QListWidget* lista, bool seleccion_silenciosa)
    : lista_(lista), seleccion_silenciosa_(seleccion_silenciosa) {}

void ListaQt::Limpia() { lista_->clear(); }

void ListaQt::Agrega(const std::string& texto) { lista_->addItem(Q(texto)); }

std::size_t ListaQt::Cuenta() const { return static_cast<std::size_t>(lista_->count()); }

std::string ListaQt::Elemento(std::size_t i) const {
  const QListWidgetItem* e = lista_->item(static_cast<int>(i));
  return e ? e->text().toStdString() : std::string();
}

void ListaQt::Quita(std::size_t i) { delete lista_->takeItem(static_cast<int>(i)); }

void ListaQt::Inserta(std::size_t i, const std::string& texto) {
  lista_->insertItem(static_cast<int>(std::min<std::size_t>(i, Cuenta())), Q(texto));
}

void ListaQt::QuitaSeleccion() {
  const QSignalBlocker bloqueo(seleccion_silenciosa_ ? lista_ : nullptr);
  lista_->clearSelection();
}

ControlesVentana::ControlesVentana(QWidget* ventana, bool seleccion_silenciosa) {
  for (QListWidget* l : ventana->findChildren<QListWidget*>())
    listas_[plataforma::Mayusculas(l->objectName().toStdString())] = std::make_unique<ListaQt>(l, seleccion_silenciosa);
  for (QLabel* l : ventana->findChildren<QLabel*>())
    rotulos_[plataforma::Mayusculas(l->objectName().toStdString())] = l;
  for (QGroupBox* g : ventana->findChildren<QGroupBox*>())
    rotulos_[plataforma::Mayusculas(g->objectName().toStdString())] = g;
}

ListaVentana* ControlesVentana::Lista(std::string_view nombre) {
  auto it = listas_.find(plataforma::Mayusculas(nombre));
  return it == listas_.end() ? nullptr : it->second.get();
}

void ControlesVentana::PonTexto(std::string_view nombre, const std::string& texto) {
  auto it = rotulos_.find(plataforma::Mayusculas(nombre));
  if (it == rotulos_.end()) return;
  if (auto* l = qobject_cast<QLabel*>(it->second))
    l->setText(Q(texto));
  else if (auto* g = qobject_cast<QGroupBox*>(it->second))
    g->setTitle(Q(texto));
}

std::string ControlesVentana::Texto(std::string_view nombre) const {
  auto it = rotulos_.find(plataforma::Mayusculas(nombre));
  if (it == rotulos_.end()) return {};
  if (auto* l = qobject_cast<QLabel*>(it->second)) return l->text().toStdString();
  if (auto* g = qobject_cast<QGroupBox*>(it->second)) return g->title().toStdString();
  return {};
}

void ImprimeLista(const ListaVentana& lista, const std::string& titulo) {
  std::vector<std::string> lineas;
  lineas.reserve(lista.Cuenta());
  for (std::size_t i = 0; i < lista.Cuenta(); ++i) lineas.push_back(lista.Elemento(i));
  ImprimeLista(lineas, titulo);
}

bool PulsaBotonDeTecla(int tecla, Qt::KeyboardModifiers modificadores,
                       std::initializer_list<std::pair<int, QPushButton*>> teclas) {
  if (modificadores & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return false;
  for (const auto& [clave, boton] : teclas) {
    if (clave != tecla) continue;
    if (boton->isEnabled()) {
      boton->setFocus();
      boton->click();
    }
    return true;
  }
  return false;
}

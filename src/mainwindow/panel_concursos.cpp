#include "mainwindow/panel_concursos.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <algorithm>

#include "ui_panel_concursos.h"

PanelConcursos::PanelConcursos(QWidget* padre) : QGroupBox(padre), ui_(std::make_unique<Ui::PanelConcursos>()) {
  ui_->setupUi(this);
  QComboBox* lista = ui_->Combo1;
  connect(lista->model(), &QAbstractItemModel::rowsInserted, this, [this] { AjustaAnchos(); });
  connect(lista->model(), &QAbstractItemModel::dataChanged, this, [this] { AjustaAnchos(); });
  connect(lista, &QComboBox::currentIndexChanged, this, [this] { AjustaAnchos(); });
}

PanelConcursos::~PanelConcursos() = default;

void PanelConcursos::AjustaAnchos() {
  // The list opens wide enough for the longest entry, edition included; the
  // closed list shows the whole selected entry as its tip.
  QComboBox* lista = ui_->Combo1;
  int ancho = 0;
  const QFontMetrics metricas = lista->view()->fontMetrics();
  for (int i = 0; i < lista->count(); ++i) ancho = std::max(ancho, metricas.horizontalAdvance(lista->itemText(i)));
  lista->view()->setMinimumWidth(ancho + 2 * lista->view()->frameWidth() + 40);
  lista->setToolTip(lista->currentText());
}

void PanelConcursos::Limpia() { ui_->Combo1->clear(); }

int PanelConcursos::Agrega(const std::string& texto, std::int32_t numero) {
  const int i = PosicionOrdenada(*this, texto);
  ui_->Combo1->insertItem(i, QString::fromStdString(texto), QVariant(static_cast<int>(numero)));
  return i;
}

int PanelConcursos::Cuenta() const { return ui_->Combo1->count(); }
std::string PanelConcursos::Texto(int i) const { return ui_->Combo1->itemText(i).toStdString(); }
std::int32_t PanelConcursos::Numero(int i) const { return ui_->Combo1->itemData(i).toInt(); }
void PanelConcursos::Selecciona(int i) { ui_->Combo1->setCurrentIndex(i); }
int PanelConcursos::Seleccionado() const { return ui_->Combo1->currentIndex(); }

int PanelConcursos::Indice(std::int32_t numero) const {
  for (int i = 0; i < ui_->Combo1->count(); ++i)
    if (ui_->Combo1->itemData(i).toInt() == numero) return i;
  return -1;
}

void PanelConcursos::CambiaTexto(std::int32_t numero, const std::string& texto) {
  if (const int i = Indice(numero); i >= 0) ui_->Combo1->setItemText(i, QString::fromStdString(texto));
}

void PanelConcursos::Quita(std::int32_t numero) {
  if (const int i = Indice(numero); i >= 0) ui_->Combo1->removeItem(i);
}

void PanelConcursos::Enfoca() { ui_->Combo1->setFocus(); }

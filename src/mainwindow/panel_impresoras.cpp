#include "mainwindow/panel_impresoras.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui_panel_impresoras.h"

PanelImpresoras::PanelImpresoras(QWidget* padre) : QGroupBox(padre), ui_(std::make_unique<Ui::PanelImpresoras>()) {
  ui_->setupUi(this);
  opciones_.push_back(ui_->Impresora_0);
  connect(ui_->Impresora_0, &QRadioButton::toggled, this, [this](bool v) {
    if (v) elegida_ = 0;
  });
}

PanelImpresoras::~PanelImpresoras() = default;

QPushButton* PanelImpresoras::Aceptar() const { return ui_->AceptarImpresora; }

void PanelImpresoras::Carga(const std::vector<std::string>& nombres, const std::string& actual, QObject* filtro) {
  QRadioButton* primera = opciones_[0];
  if (nombres.empty()) {
    // No printer installed: the panel says so instead of showing no option.
    primera->setText(QString());
    primera->hide();
    if (!sinImpresoras_) {
      sinImpresoras_ = new QLabel("No hay ninguna impresora instalada", this);
      sinImpresoras_->setObjectName("SinImpresoras");
      ui_->ListaImpresoras->addWidget(sinImpresoras_);
    }
    return;
  }
  primera->setText(QString::fromStdString(nombres[0]));
  primera->show();
  for (std::size_t i = 1; i < nombres.size(); ++i) {
    auto* opcion = new QRadioButton(QString::fromStdString(nombres[i]), this);
    opcion->setObjectName(QString("Impresora_%1").arg(i));
    ui_->ListaImpresoras->addWidget(opcion);
    if (filtro) opcion->installEventFilter(filtro);
    connect(opcion, &QRadioButton::toggled, this, [this, i](bool v) {
      if (v) elegida_ = i;
    });
    opciones_.push_back(opcion);
  }
  for (QRadioButton* opcion : opciones_)
    if (opcion->text().toStdString() == actual) opcion->setChecked(true);
}

void PanelImpresoras::Abre() {
  show();
  if (opciones_[0]->isVisibleTo(window())) opciones_[elegida_]->setFocus();
}

std::optional<std::string> PanelImpresoras::Elegida() const {
  for (QRadioButton* opcion : opciones_)
    if (opcion->isVisibleTo(window()) && opcion->isChecked()) return opciones_[elegida_]->text().toStdString();
  return std::nullopt;
}

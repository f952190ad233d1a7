#include "mainwindow/panel_multiplicadores.h"

#include "ui_panel_multiplicadores.h"

PanelMultiplicadores::PanelMultiplicadores(QWidget* padre)
    : QGroupBox(padre), ui_(std::make_unique<Ui::PanelMultiplicadores>()) {
  ui_->setupUi(this);
}

PanelMultiplicadores::~PanelMultiplicadores() = default;

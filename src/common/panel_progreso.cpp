#include "common/panel_progreso.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

PanelProgreso::PanelProgreso(QLabel* etiqueta, QProgressBar* barra, bool cede_en_cada_paso)
    : etiqueta_(etiqueta), barra_(barra), cede_en_cada_paso_(cede_en_cada_paso) {}

void PanelProgreso::Empieza(const std::vector<std::string>& entradas) {
  lote_.Empieza(entradas);
  Muestra(0);
}

void PanelProgreso::Empieza(std::size_t total) {
  lote_.Empieza(total);
  Muestra(0);
}

void PanelProgreso::Termina(const std::string& texto) {
  lote_.Termina();
  if (etiqueta_) etiqueta_->setText(QString::fromStdString(texto.empty() ? crudo_ : texto));
  Muestra(100);
}

void PanelProgreso::Abandona() {
  lote_.Termina();
  if (etiqueta_) etiqueta_->setText(QString::fromStdString(crudo_));
  if (pendiente_ >= 0) Muestra(pendiente_);
}

void PanelProgreso::PonTexto(const std::string& texto) {
  crudo_ = texto;
  if (etiqueta_) etiqueta_->setText(QString::fromStdString(lote_.Texto(texto)));
  texto_nuevo_ = cede_en_cada_paso_;
}

void PanelProgreso::PonProgreso(int porcentaje) {
  const int valor = lote_.Porcentaje(porcentaje);
  if (!barra_ || valor == barra_->value()) {
    pendiente_ = -1;
    return;
  }
  if (repintado_.isValid() && repintado_.elapsed() < kIntervaloMs) {
    pendiente_ = valor;
    return;
  }
  Muestra(valor);
}

void PanelProgreso::Muestra(int valor) {
  pendiente_ = -1;
  if (!barra_) return;
  barra_->setValue(valor);
  repintado_.start();
}

void PanelProgreso::Cede() {
  if (!texto_nuevo_ && cedido_.isValid() && cedido_.elapsed() < kIntervaloMs) return;
  QCoreApplication::processEvents();
  cedido_.start();
  texto_nuevo_ = false;
}

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "plataforma/mensajes.h"

namespace plataforma {

Respuesta MensajeroQt::Muestra(const std::string& texto, const std::string& titulo, Icono icono,
                               Botones botones) {
  QMessageBox caja(QApplication::activeWindow());
  caja.setText(QString::fromStdString(texto));
  caja.setWindowTitle(QString::fromStdString(titulo));
  switch (icono) {
    case Icono::Ninguno: caja.setIcon(QMessageBox::NoIcon); break;
    case Icono::Error: caja.setIcon(QMessageBox::Critical); break;
    case Icono::Pregunta: caja.setIcon(QMessageBox::Question); break;
    case Icono::Informacion: caja.setIcon(QMessageBox::Information); break;
  }
  QPushButton* aceptar = nullptr;
  QPushButton* cancelar = nullptr;
  QPushButton* si = nullptr;
  QPushButton* no = nullptr;
  switch (botones) {
    case Botones::Aceptar:
      aceptar = caja.addButton("Aceptar", QMessageBox::AcceptRole);
      caja.setDefaultButton(aceptar);
      caja.setEscapeButton(aceptar);
      break;
    case Botones::AceptarCancelar:
      aceptar = caja.addButton("Aceptar", QMessageBox::AcceptRole);
      cancelar = caja.addButton("Cancelar", QMessageBox::RejectRole);
      caja.setDefaultButton(aceptar);
      caja.setEscapeButton(cancelar);
      break;
    case Botones::SiNo:
      si = caja.addButton("Sí", QMessageBox::YesRole);
      no = caja.addButton("No", QMessageBox::NoRole);
      caja.setDefaultButton(no);
      caja.setEscapeButton(no);
      break;
  }
  caja.exec();
  const auto* pulsado = caja.clickedButton();
  if (pulsado == nullptr)
    return botones == Botones::AceptarCancelar ? Respuesta::Cancelar : RespuestaPorDefecto(botones);
  if (pulsado == cancelar) return Respuesta::Cancelar;
  if (pulsado == si) return Respuesta::Si;
  if (pulsado == no) return Respuesta::No;
  return Respuesta::Aceptar;
}

}  // namespace plataforma

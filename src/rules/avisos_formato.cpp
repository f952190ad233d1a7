#include "rules/avisos_formato.h"

#include <QMessageBox>
#include <QString>

namespace rules {
namespace {
MostradorAvisos& Mostrador() {
  static MostradorAvisos mostrador;
  return mostrador;
}
}  // namespace

void PonMostradorAvisos(MostradorAvisos mostrador) { Mostrador() = std::move(mostrador); }

void MuestraAviso(QWidget* padre, const FalloVerificacion& aviso) {
  if (Mostrador()) {
    Mostrador()(aviso);
    return;
  }
  QMessageBox::Icon icono = QMessageBox::NoIcon;
  switch (aviso.icono) {
    case IconoAviso::Error: icono = QMessageBox::Critical; break;
    case IconoAviso::Pregunta: icono = QMessageBox::Question; break;
    case IconoAviso::Informacion: icono = QMessageBox::Information; break;
    case IconoAviso::Ninguno: break;
  }
  QMessageBox caja(icono, QString::fromStdString(aviso.titulo), QString::fromStdString(aviso.mensaje),
                   QMessageBox::Ok, padre);
  caja.exec();
}

}  // namespace rules

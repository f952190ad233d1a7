#include "listeditors/celdas_qt.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPalette>
#include <algorithm>

#include "common/controles_ventana.h"
#include "listeditors/editor_cuadricula.h"

namespace listeditors {

void PonFondo(QLineEdit* celda, const QColor& color) {
  if (celda->palette().color(QPalette::Base) == color) return;
  QPalette p = celda->palette();
  p.setColor(QPalette::Base, color);
  celda->setPalette(p);
}

int CodigoTecla(int t) {
  switch (t) {
    case Qt::Key_Escape: return tecla::Esc;
    case Qt::Key_PageUp: return tecla::RePag;
    case Qt::Key_PageDown: return tecla::AvPag;
    case Qt::Key_End: return tecla::Fin;
    case Qt::Key_Home: return tecla::Inicio;
    case Qt::Key_Up: return tecla::Arriba;
    case Qt::Key_Down: return tecla::Abajo;
    case Qt::Key_F3: return tecla::F3;
    case Qt::Key_F4: return tecla::F4;
    case Qt::Key_F10: return tecla::F10;
    case Qt::Key_F12: return tecla::F12;
    default: return -1;
  }
}

int Modificadores(Qt::KeyboardModifiers m) {
  int r = 0;
  if (m & Qt::ShiftModifier) r |= EditorCuadricula::kShift;
  if (m & Qt::ControlModifier) r |= EditorCuadricula::kCtrl;
  if (m & Qt::AltModifier) r |= EditorCuadricula::kAlt;
  return r;
}

namespace {

QLineEdit* CopiaCelda(QLineEdit* modelo, int fila) {
  auto* celda = new QLineEdit(modelo->parentWidget());
  QString base = modelo->objectName();
  base.truncate(base.lastIndexOf('_'));
  celda->setObjectName(base + "_" + QString::number(fila));
  celda->setMaxLength(modelo->maxLength());
  celda->setMinimumSize(modelo->minimumSize());
  celda->setMaximumSize(modelo->maximumSize());
  celda->setSizePolicy(modelo->sizePolicy());
  celda->setFont(modelo->font());
  celda->setReadOnly(modelo->isReadOnly());
  celda->setFocusPolicy(modelo->focusPolicy());
  return celda;
}

}  // namespace

std::vector<std::vector<QLineEdit*>> AgregaFilas(QGridLayout* rejilla, const std::vector<QLineEdit*>& modelos,
                                                 int filas) {
  std::vector<std::vector<QLineEdit*>> nuevas;
  int filaRejilla = 0, columnaRejilla = 0, ocupaFilas = 0, ocupaColumnas = 0;
  for (int fila = 1; fila < filas; ++fila) {
    std::vector<QLineEdit*> celdas;
    for (QLineEdit* modelo : modelos) {
      QLineEdit* celda = CopiaCelda(modelo, fila);
      rejilla->getItemPosition(rejilla->indexOf(modelo), &filaRejilla, &columnaRejilla, &ocupaFilas, &ocupaColumnas);
      rejilla->addWidget(celda, filaRejilla + fila, columnaRejilla);
      celdas.push_back(celda);
    }
    nuevas.push_back(std::move(celdas));
  }
  return nuevas;
}

void PonTextoCelda(QLineEdit* celda, const std::string& texto) {
  if (celda->text().toStdString() == texto) return;
  const int cursor = celda->cursorPosition();
  celda->setText(Q(texto));
  celda->setCursorPosition(std::min(cursor, static_cast<int>(celda->text().size())));
}

}  // namespace listeditors

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

std::vector<FilaCeldas> AgregaFilas(QGridLayout* rejilla, const FilaCeldas& modelo, int filas) {
  int filaRejilla = 0, columnaRejilla = 0, ocupaFilas = 0, ocupaColumnas = 0;
  auto copia = [&](QLineEdit* celda_modelo, int fila) {
    QLineEdit* celda = CopiaCelda(celda_modelo, fila);
    rejilla->getItemPosition(rejilla->indexOf(celda_modelo), &filaRejilla, &columnaRejilla, &ocupaFilas,
                             &ocupaColumnas);
    rejilla->addWidget(celda, filaRejilla + fila, columnaRejilla);
    return celda;
  };
  std::vector<FilaCeldas> nuevas;
  for (int fila = 1; fila < filas; ++fila) {
    FilaCeldas f{copia(modelo.serie, fila), {}};
    for (QLineEdit* celda_modelo : modelo.celdas) f.celdas.push_back(copia(celda_modelo, fila));
    nuevas.push_back(std::move(f));
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

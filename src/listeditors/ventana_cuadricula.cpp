#include "listeditors/ventana_cuadricula.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/controles_ventana.h"
#include "common/ventanas.h"

namespace listeditors {
namespace {

const QColor kCian(0, 255, 255);
const QColor kAmarillo(255, 255, 0);

void PonFondo(QLineEdit* celda, const QColor& color) {
  if (celda->palette().color(QPalette::Base) == color) return;
  QPalette p = celda->palette();
  p.setColor(QPalette::Base, color);
  celda->setPalette(p);
}

// The key codes the editor knows; -1 for any other key.
int CodigoTecla(int tecla) {
  switch (tecla) {
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

// A new cell of a column, made like the designed one of row 1.
QLineEdit* CopiaCelda(QLineEdit* modelo, const QString& nombre) {
  auto* celda = new QLineEdit(modelo->parentWidget());
  celda->setObjectName(nombre);
  celda->setMaxLength(modelo->maxLength());
  celda->setMinimumSize(modelo->minimumSize());
  celda->setMaximumSize(modelo->maximumSize());
  celda->setSizePolicy(modelo->sizePolicy());
  celda->setFont(modelo->font());
  celda->setReadOnly(modelo->isReadOnly());
  celda->setAutoFillBackground(true);
  celda->setFocusPolicy(Qt::ClickFocus);
  return celda;
}

// "Estacion_0" -> "Estacion_7".
QString NombreFila(const QLineEdit* modelo, int fila) {
  QString base = modelo->objectName();
  base.truncate(base.lastIndexOf('_'));
  return base + "_" + QString::number(fila);
}

}  // namespace

VentanaCuadricula::VentanaCuadricula(EditorCuadricula& editor, QWidget* padre) : QDialog(padre), editor_(editor) {}

void VentanaCuadricula::Monta(const Controles& c) {
  c_ = c;
  botones_ = c.botones;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  editor_.Form_Load();

  // Field lengths on the first row; the rows created from it carry them.
  const int columnas = editor_.NumeroColumnas();
  for (int col = 0; col < columnas; ++col)
    c.columnas[static_cast<std::size_t>(col)]->setMaxLength(editor_.Longitud(col));
  const int longitudSerie = editor_.Definicion().longitudSerie;
  if (longitudSerie > 0) c.serie->setMaxLength(longitudSerie);
  c.serie->setReadOnly(true);
  c.serie->setFocusPolicy(Qt::NoFocus);

  // CreaCuadriculas: rows 2 to NumeroLineas below the first.
  int filaRejilla = 0, columnaRejilla = 0, ocupaFilas = 0, ocupaColumnas = 0;
  auto posicion = [&](QWidget* w, int& fila, int& columna) {
    c.rejilla->getItemPosition(c.rejilla->indexOf(w), &fila, &columna, &ocupaFilas, &ocupaColumnas);
  };
  series_.assign(1, c.serie);
  celdas_.assign(1, c.columnas);
  for (int fila = 1; fila < editor_.NumeroLineas; ++fila) {
    std::vector<QLineEdit*> celdasFila;
    QLineEdit* serie = CopiaCelda(c.serie, NombreFila(c.serie, fila));
    serie->setFocusPolicy(Qt::NoFocus);
    posicion(c.serie, filaRejilla, columnaRejilla);
    c.rejilla->addWidget(serie, filaRejilla + fila, columnaRejilla);
    series_.push_back(serie);
    for (QLineEdit* modelo : c.columnas) {
      QLineEdit* celda = CopiaCelda(modelo, NombreFila(modelo, fila));
      posicion(modelo, filaRejilla, columnaRejilla);
      c.rejilla->addWidget(celda, filaRejilla + fila, columnaRejilla);
      celdasFila.push_back(celda);
    }
    celdas_.push_back(std::move(celdasFila));
  }

  for (QLineEdit* serie : series_) {
    serie->setAutoFillBackground(true);
    serie->installEventFilter(this);
  }
  for (int fila = 0; fila < static_cast<int>(celdas_.size()); ++fila) {
    for (int col = 0; col < columnas; ++col) {
      QLineEdit* celda = celdas_[static_cast<std::size_t>(fila)][static_cast<std::size_t>(col)];
      celda->setAutoFillBackground(true);
      celda->installEventFilter(this);
      connect(celda, &QLineEdit::textEdited, this, [this, fila, col](const QString& texto) {
        editor_.Escribe(fila, col, texto.toStdString());
        Sincroniza();
      });
    }
  }
  for (int b = 0; b < kNumeroBotones; ++b) {
    QPushButton* boton = botones_[static_cast<std::size_t>(b)];
    boton->setAutoDefault(false);
    boton->setDefault(false);
    boton->installEventFilter(this);
    connect(boton, &QPushButton::clicked, this, [this, b] {
      editor_.Pulsa(static_cast<Boton>(b));
      Sincroniza();
    });
  }

  c.informacion->setTextFormat(Qt::PlainText);
  BotonDe(Boton::ConfProv)->setText(Q(editor_.TituloConfProv()));
  BotonDe(Boton::Finalizar)->setText(Q(editor_.TituloFinalizar()));
  adjustSize();
  ::CentraFormulario(this);
  QApplication::restoreOverrideCursor();
  Sincroniza();
}

QLineEdit* VentanaCuadricula::Celda(int fila, int columna) const {
  return celdas_.at(static_cast<std::size_t>(fila)).at(static_cast<std::size_t>(columna));
}
QLineEdit* VentanaCuadricula::Serie(int fila) const { return series_.at(static_cast<std::size_t>(fila)); }

void VentanaCuadricula::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  if (activada_) return;
  activada_ = true;
  editor_.Form_Activate();
  Sincroniza();
}

void VentanaCuadricula::keyPressEvent(QKeyEvent* evento) {
  // Esc undoes a modification (through the preview); it never closes the
  // window, and Enter presses no default button.
  const int codigo = CodigoTecla(evento->key());
  if (codigo >= 0 && editor_.Form_KeyDown(codigo, Modificadores(evento->modifiers()))) Sincroniza();
  if (evento->key() == Qt::Key_Escape || evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
    evento->accept();
    return;
  }
  QDialog::keyPressEvent(evento);
}

bool VentanaCuadricula::FocoDe(QObject* objeto, Foco& f) const {
  for (int fila = 0; fila < static_cast<int>(series_.size()); ++fila) {
    if (series_[static_cast<std::size_t>(fila)] == objeto) {
      f = Foco::EnSerie(fila);
      return true;
    }
    const auto& celdas = celdas_[static_cast<std::size_t>(fila)];
    for (int col = 0; col < static_cast<int>(celdas.size()); ++col) {
      if (celdas[static_cast<std::size_t>(col)] == objeto) {
        f = Foco::EnCelda(fila, col);
        return true;
      }
    }
  }
  for (int b = 0; b < kNumeroBotones; ++b) {
    if (botones_[static_cast<std::size_t>(b)] == objeto) {
      f = Foco::EnBoton(static_cast<Boton>(b));
      return true;
    }
  }
  return false;
}

bool VentanaCuadricula::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::FocusIn && !sincronizando_) {
    Foco f;
    if (FocoDe(objeto, f)) {
      editor_.PonFoco(f);
      Sincroniza();
    }
    return false;
  }
  if (evento->type() != QEvent::KeyPress) return QDialog::eventFilter(objeto, evento);

  auto* tecla = static_cast<QKeyEvent*>(evento);
  // Key preview: the window sees every key before the focused control.
  const int codigo = CodigoTecla(tecla->key());
  if (codigo >= 0 && editor_.Form_KeyDown(codigo, Modificadores(tecla->modifiers()))) {
    Sincroniza();
    return true;
  }
  if (tecla->key() == Qt::Key_Escape) return true;
  Foco f;
  if (!FocoDe(objeto, f)) return false;
  if (f.tipo == Foco::Tipo::Celda && (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)) {
    editor_.Intro(f.fila, f.columna);
    Sincroniza();
    return true;
  }
  if (f.tipo == Foco::Tipo::Serie && c_.seriePita && !tecla->text().isEmpty() && tecla->text()[0].isPrint()) {
    QApplication::beep();
    return true;
  }
  return false;
}

QWidget* VentanaCuadricula::WidgetDe(const Foco& f) const {
  switch (f.tipo) {
    case Foco::Tipo::Serie: return Serie(f.fila);
    case Foco::Tipo::Celda: return Celda(f.fila, f.columna);
    case Foco::Tipo::Boton: return BotonDe(f.boton);
    case Foco::Tipo::Ninguno: break;
  }
  return nullptr;
}

void VentanaCuadricula::Sincroniza() {
  if (sincronizando_) return;
  sincronizando_ = true;
  const Foco foco = editor_.FocoActual();
  for (int fila = 0; fila < static_cast<int>(series_.size()); ++fila) {
    QLineEdit* serie = series_[static_cast<std::size_t>(fila)];
    if (serie->text().toStdString() != editor_.Serie(fila)) serie->setText(Q(editor_.Serie(fila)));
    PonFondo(serie, editor_.Marcada(fila) ? kAmarillo : QColor(Qt::white));
    const auto& celdas = celdas_[static_cast<std::size_t>(fila)];
    for (int col = 0; col < static_cast<int>(celdas.size()); ++col) {
      QLineEdit* celda = celdas[static_cast<std::size_t>(col)];
      const std::string& texto = editor_.Celda(fila, col);
      if (celda->text().toStdString() != texto) {
        const int cursor = celda->cursorPosition();
        celda->setText(Q(texto));
        celda->setCursorPosition(std::min(cursor, static_cast<int>(celda->text().size())));
      }
      const bool cian = !editor_.Definicion().celdasLibres && foco == Foco::EnCelda(fila, col);
      PonFondo(celda, cian ? kCian : QColor(Qt::white));
    }
    for (int col : c_.celdasBloqueo) {
      QLineEdit* celda = celdas[static_cast<std::size_t>(col)];
      celda->setFocusPolicy(editor_.Bloqueada(fila) ? Qt::NoFocus : Qt::StrongFocus);
    }
  }
  for (int b = 0; b < kNumeroBotones; ++b)
    botones_[static_cast<std::size_t>(b)]->setEnabled(editor_.Habilitado(static_cast<Boton>(b)));
  c_.informacion->setText(Q(editor_.Informacion()));
  for (; pitidos_ < editor_.Pitidos(); ++pitidos_) QApplication::beep();
  AplicaFoco();
  sincronizando_ = false;
  if (editor_.Cerrada() && isVisible()) done(QDialog::Accepted);
}

void VentanaCuadricula::AplicaFoco() {
  QWidget* w = WidgetDe(editor_.FocoActual());
  if (w && w->isEnabled() && QApplication::focusWidget() != w) w->setFocus(Qt::OtherFocusReason);
}

}  // namespace listeditors

#include "listeditors/ventana_cuadricula.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "common/controles_ventana.h"
#include "common/ventanas.h"
#include "listeditors/celdas_qt.h"

namespace listeditors {

VentanaCuadricula::VentanaCuadricula(EditorCuadricula& editor, QWidget* padre) : QDialog(padre), editor_(editor) {}

void VentanaCuadricula::Monta(const Controles& c) {
  c_ = c;
  botones_ = c.botones;
  editor_.PonMensajero(&cajas_);
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
  series_.assign(1, c.serie);
  celdas_.assign(1, c.columnas);
  for (FilaCeldas& nueva : AgregaFilas(c.rejilla, {c.serie, c.columnas}, editor_.NumeroLineas)) {
    series_.push_back(nueva.serie);
    // The created value cells take the focus only when clicked.
    for (QLineEdit* celda : nueva.celdas) celda->setFocusPolicy(Qt::ClickFocus);
    celdas_.push_back(std::move(nueva.celdas));
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

  // The column headers wrap over up to three lines; they follow the width
  // of their column (which changes with the window and its fonts).
  for (int col = 0; col < c.rejilla->columnCount(); ++col)
    if (QLayoutItem* item = c.rejilla->itemAtPosition(0, col))
      if (auto* cabecera = qobject_cast<QLabel*>(item->widget())) {
        cabeceras_.push_back(cabecera);
        cabecera->installEventFilter(this);
      }

  c.informacion->setTextFormat(Qt::PlainText);
  BotonDe(Boton::ConfProv)->setText(Q(editor_.TituloConfProv()));
  BotonDe(Boton::Finalizar)->setText(Q(editor_.TituloFinalizar()));
  adjustSize();
  AjustaCabeceras();
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
  if (EsTeclaDeVentana(evento->key())) {
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

void VentanaCuadricula::AjustaCabeceras() {
  int alto = 0;
  for (QLabel* cabecera : cabeceras_) {
    const QRect sitio = cabecera->contentsRect();
    const int margen = cabecera->height() - sitio.height();
    const QRect texto = cabecera->fontMetrics().boundingRect(
        QRect(0, 0, std::max(1, sitio.width()), 10000), Qt::TextWordWrap | cabecera->alignment(), cabecera->text());
    alto = std::max(alto, texto.height() + margen);
  }
  for (QLabel* cabecera : cabeceras_)
    if (cabecera->minimumHeight() != alto) cabecera->setMinimumHeight(alto);
}

bool VentanaCuadricula::eventFilter(QObject* objeto, QEvent* evento) {
  if ((evento->type() == QEvent::Resize || evento->type() == QEvent::FontChange) &&
      std::find(cabeceras_.begin(), cabeceras_.end(), objeto) != cabeceras_.end()) {
    AjustaCabeceras();
    return false;
  }
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
      PonTextoCelda(celda, editor_.Celda(fila, col));
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

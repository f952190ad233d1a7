#include "common/panel_progreso.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <ctime>
#include <utility>
#include <vector>

// Holds back the repaints of a window and the layouts of its list boxes: a
// repaint asked for less than kIntervaloMs after the last one is done when
// that time is up, with everything that changed meanwhile. The window system
// asks a window to repaint with one UpdateRequest event at a time and asks no
// more until it has been served; the event held back here is delivered again
// later. A list box lays out all its items again after every item added, at
// the next timer event it gets or when it is painted; during the panel's own
// yields its timer events pass only with the repaints, and the timers held
// back fire again at a later turn. (In an event loop that waits, as on a mail
// server, they pass: a timer held back there would fire again at once and
// keep the loop spinning.) A label whose text changed asks for the layout of
// its window once, and no more until it is done: that request is held back
// too during the yields and done before the next repaint (the new text
// shows, laid out, when the window is painted), not once per step of a run.
class PanelProgreso::LimitadorRepintado : public QObject {
 public:
  LimitadorRepintado(QWidget* ventana, PanelProgreso& panel) : ventana_(ventana), panel_(panel) {
    reloj_.setSingleShot(true);
    connect(&reloj_, &QTimer::timeout, this, [this] { Suelta(); });
  }
  ~LimitadorRepintado() override { Desactiva(); }

  void Activa() {
    if (activo_ || !ventana_) return;
    ventana_->installEventFilter(this);
    for (QAbstractItemView* vista : ventana_->findChildren<QAbstractItemView*>()) {
      vista->installEventFilter(this);
      vistas_.push_back(vista);
    }
    // A widget's layout sees its requests before the widget's own filters.
    QCoreApplication::instance()->installEventFilter(&disposicion_);
    activo_ = true;
    // The run's first turn opens one interval after it starts: what the
    // start changed (the controls disabled, the bar back at 0) is painted
    // then with the run's first steps, not in a repaint of its own.
    abierto_.start();
    pintadoEnVuelta_ = true;
  }

  // The repaint held back, if any, comes at the next turn of the event loop.
  void Desactiva() {
    if (!activo_) return;
    activo_ = false;
    reloj_.stop();
    for (QWidget* vista : vistas_)
      if (vista) vista->removeEventFilter(this);
    vistas_.clear();
    QCoreApplication::instance()->removeEventFilter(&disposicion_);
    for (QWidget* w : disposiciones_)
      if (w) QCoreApplication::postEvent(w, new QEvent(QEvent::LayoutRequest));
    disposiciones_.clear();
    if (!ventana_) return;
    ventana_->removeEventFilter(this);
    if (retenido_) {
      retenido_ = false;
      QCoreApplication::postEvent(ventana_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    }
  }

  // Set while the panel yields.
  bool cediendo = false;

  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() == QEvent::Timer && objeto != ventana_)
      return cediendo && qobject_cast<QAbstractItemView*>(objeto) && !Abierto();
    if (objeto != ventana_ || evento->type() != QEvent::UpdateRequest || soltando_) return false;
    if (Abierto() && !pintadoEnVuelta_) {
      pintadoEnVuelta_ = true;
      retenido_ = false;
      panel_.PonAlDia();
      EntregaDisposiciones();
      return false;
    }
    retenido_ = true;
    if (!reloj_.isActive())
      reloj_.start(static_cast<int>(std::max<qint64>(1, kIntervaloMs - abierto_.elapsed())));
    return true;
  }

 private:
  // Whether the window may be laid out and repainted now: once every
  // kIntervaloMs a turn of the event loop opens, and what comes in it (the
  // repaint, the list boxes' timers) passes together.
  bool Abierto() {
    if (!abierto_.isValid() || abierto_.elapsed() >= kIntervaloMs) {
      abierto_.start();
      pintadoEnVuelta_ = false;
      return true;
    }
    return abierto_.elapsed() < kMismaVuelta;
  }

  static constexpr qint64 kMismaVuelta = 2;

  // A layout request of a widget of the window during a yield, outside the
  // open turn: held back.
  bool RetieneDisposicion(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::LayoutRequest || entregando_ || !cediendo || !objeto->isWidgetType() || !ventana_)
      return false;
    QWidget* w = static_cast<QWidget*>(objeto);
    if (w->window() != ventana_ || Abierto()) return false;
    if (std::find(disposiciones_.begin(), disposiciones_.end(), w) == disposiciones_.end())
      disposiciones_.emplace_back(w);
    return true;
  }

  // The filter on the application that sees the layout requests.
  class FiltroDisposicion : public QObject {
   public:
    explicit FiltroDisposicion(LimitadorRepintado* l) : l_(l) {}
    bool eventFilter(QObject* objeto, QEvent* evento) override { return l_->RetieneDisposicion(objeto, evento); }

   private:
    LimitadorRepintado* l_;
  };

  // The layouts held back, done now (before a repaint).
  void EntregaDisposiciones() {
    if (disposiciones_.empty()) return;
    std::vector<QPointer<QWidget>> pendientes;
    pendientes.swap(disposiciones_);
    entregando_ = true;
    for (QWidget* w : pendientes) {
      if (!w) continue;
      QEvent dispon(QEvent::LayoutRequest);
      QCoreApplication::sendEvent(w, &dispon);
    }
    entregando_ = false;
  }

  void Suelta() {
    if (!retenido_ || !ventana_) return;
    retenido_ = false;
    abierto_.start();
    pintadoEnVuelta_ = true;
    panel_.PonAlDia();
    EntregaDisposiciones();
    soltando_ = true;
    QEvent repinta(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(ventana_, &repinta);
    soltando_ = false;
  }

  QPointer<QWidget> ventana_;
  PanelProgreso& panel_;
  std::vector<QPointer<QWidget>> vistas_;         // the list boxes
  std::vector<QPointer<QWidget>> disposiciones_;  // their layouts held back, in the order asked
  bool entregando_ = false;
  FiltroDisposicion disposicion_{this};
  QTimer reloj_;
  QElapsedTimer abierto_;  // since the last turn that could lay out and repaint
  bool activo_ = false;
  bool retenido_ = false;         // a repaint is held back
  bool pintadoEnVuelta_ = false;  // the open turn has repainted
  bool soltando_ = false;
};

namespace {

// A clock of a few milliseconds' grain that costs a fraction of a precise
// reading (the runs ask for a yield at every QSO): the precise clock is read
// only once this one says the interval may be over. Milliseconds; 0, and a
// grain of the whole interval, where there is no such clock.
qint64 MsGruesos() {
#ifdef CLOCK_MONOTONIC_COARSE
  timespec t;
  if (clock_gettime(CLOCK_MONOTONIC_COARSE, &t) == 0) return static_cast<qint64>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
#endif
  return 0;
}

// How far behind the precise clock a reading of MsGruesos may be.
qint64 GranoGrueso() {
  static const qint64 grano = [] {
#ifdef CLOCK_MONOTONIC_COARSE
    timespec r;
    if (clock_getres(CLOCK_MONOTONIC_COARSE, &r) == 0 && r.tv_sec == 0)
      return static_cast<qint64>(r.tv_nsec / 1000000 + 2);
#endif
    return static_cast<qint64>(PanelProgreso::kIntervaloMs);
  }();
  return grano;
}

}  // namespace

PanelProgreso::PanelProgreso(QLabel* etiqueta, QProgressBar* barra, bool cede_en_cada_paso)
    : etiqueta_(etiqueta), barra_(barra), cede_en_cada_paso_(cede_en_cada_paso) {
  QWidget* control = etiqueta_ ? static_cast<QWidget*>(etiqueta_) : barra_;
  if (control) limitador_ = std::make_unique<LimitadorRepintado>(control->window(), *this);
}

PanelProgreso::~PanelProgreso() = default;

void PanelProgreso::Empieza(const std::vector<std::string>& entradas) {
  lote_.Empieza(entradas);
  if (limitador_) limitador_->Activa();
  Muestra(0);
}

void PanelProgreso::Empieza(std::size_t total) {
  lote_.Empieza(total);
  if (limitador_) limitador_->Activa();
  Muestra(0);
}

void PanelProgreso::AntesDeRepintar(std::function<void()> al_dia) { al_dia_ = std::move(al_dia); }

void PanelProgreso::PonAlDia() {
  if (al_dia_) al_dia_();
}

void PanelProgreso::Termina(const std::string& texto) {
  PonAlDia();
  lote_.Termina();
  if (limitador_) limitador_->Desactiva();
  if (etiqueta_) etiqueta_->setText(QString::fromStdString(texto.empty() ? crudo_ : texto));
  Muestra(100);
}

void PanelProgreso::Abandona() {
  PonAlDia();
  lote_.Termina();
  if (limitador_) limitador_->Desactiva();
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
  // A value already waiting is shown at the next yield (or with the next
  // value): the clock is not read again at every QSO.
  if (valor == pendiente_) return;
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
  if (!texto_nuevo_ && cedido_.isValid() && (MsGruesos() - cedido_grueso_ < kIntervaloMs - GranoGrueso() ||
                                             cedido_.elapsed() < kIntervaloMs))
    return;
  if (pendiente_ >= 0 && (!repintado_.isValid() || repintado_.elapsed() >= kIntervaloMs)) Muestra(pendiente_);
  if (limitador_) limitador_->cediendo = true;
  QCoreApplication::processEvents();
  if (limitador_) limitador_->cediendo = false;
  cedido_.start();
  cedido_grueso_ = MsGruesos();
  texto_nuevo_ = false;
}

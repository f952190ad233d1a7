#pragma once
// The step label and progress bar of a work window (`LProceso`, `Proceso`)
// over a ProgresoLote: the label names the log in hand and the count while
// a run goes on, and the bar shows the share of the whole run. The runs set
// the bar once per QSO; the bar is repainted, and the window yields to the
// window system, at most about 20 times a second, whatever the runs ask.
// While a run goes on the whole window is repainted at most that often too:
// what changed meanwhile (the label, the bar, the lists the run fills) is
// painted together when the time is up.
#include <QElapsedTimer>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/progreso_lote.h"

class QLabel;
class QProgressBar;

class PanelProgreso {
 public:
  // With `cede_en_cada_paso` a yield after a new step text always happens,
  // so that every step is drawn (a mail session: few logs, each worth
  // seeing); without it yields are spaced like the repaints (the
  // cross-check and the scoring, thousands of logs).
  PanelProgreso(QLabel* etiqueta, QProgressBar* barra, bool cede_en_cada_paso);
  ~PanelProgreso();
  PanelProgreso(const PanelProgreso&) = delete;
  PanelProgreso& operator=(const PanelProgreso&) = delete;

  // A run over the logs of that list, or over `total` logs taken as they
  // come (see ProgresoLote).
  void Empieza(const std::vector<std::string>& entradas);
  void Empieza(std::size_t total);
  // The run is over: the bar stands at 100 and the label shows `texto`
  // (the run's last text, uncompleted, when `texto` is empty).
  void Termina(const std::string& texto = {});
  // The run ended in a failure: the label shows the run's last text and the
  // bar stays where it was.
  void Abandona();

  // The run's step text and share of the log in hand.
  void PonTexto(const std::string& texto);
  void PonProgreso(int porcentaje);
  // Yields to the window system, unless it did so a moment ago (and, with
  // `cede_en_cada_paso`, the label has not changed since).
  void Cede();

  const ProgresoLote& Lote() const { return lote_; }

  // What the window shows of the run that is set only when it is about to
  // be seen (a viewer of the log in hand, refilled at every log): called
  // just before each repaint while a run goes on, and when it ends or is
  // abandoned. The window calls it too before it shows a message box.
  void AntesDeRepintar(std::function<void()> al_dia);
  // Calls it now: what is shown is that of the run's last step.
  void PonAlDia();

  // The least time between two repaints of the bar and between two yields:
  // often enough for a bar that moves smoothly and a label that can be read,
  // seldom enough that painting the window costs a few hundredths of a run
  // that takes in a log a millisecond.
  static constexpr int kIntervaloMs = 50;

 private:
  class LimitadorRepintado;

  void Muestra(int valor);

  QLabel* etiqueta_;
  QProgressBar* barra_;
  ProgresoLote lote_;
  QElapsedTimer repintado_;
  QElapsedTimer cedido_;
  qint64 cedido_grueso_ = 0;  // the coarse clock at the last yield
  bool cede_en_cada_paso_;
  std::string crudo_;         // the run's last step text, as it gave it
  bool texto_nuevo_ = false;  // the label changed since the last yield
  int pendiente_ = -1;        // a value not shown yet because the last repaint was too recent
  std::function<void()> al_dia_;
  std::unique_ptr<LimitadorRepintado> limitador_;  // the window's repaints while a run goes on
};

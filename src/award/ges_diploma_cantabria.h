#pragma once
// The award window "Gestión Diploma". Each time it opens it evaluates every
// station's merged award log against the three levels, lists per level the
// stations pending a diploma beside those already issued it, and lets the
// manager issue the selected pending diploma. For the station selected in
// the list of merged logs it shows the municipalities contacted, the count
// per district and the municipalities of the selected district.
//
// Opened by the mail window when the contest in hand is the award; it takes
// the mail window's place while it is shown, closes only through `Salir`,
// and calls back its opener when it closes. Built afresh at every opening.
//
// The window holds the edition (common/edicion_concurso.h) and shows its
// listing of merged logs in `ListasAdmitidas` and `LAdmitidas`; it is the
// `ProgresoEtapa` of the evaluation: its step label `LProceso` and progress
// panel `Proceso`. The evaluation works on its own data; while it runs the
// buttons and the lists take no input. The issued lists are read from their files before
// anything is written, so no opening and no issuing loses a diploma issued
// earlier; when they cannot be read the window writes nothing and cannot
// issue.
#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "award/diplomas.h"
#include "award/recuento_municipios.h"
#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"

class QListWidget;

namespace Ui {
class GesDiplomaCantabria;
}

namespace award {

class GesDiplomaCantabria : public QWidget, public ProgresoEtapa {
  Q_OBJECT

 public:
  // `carpeta_concurso`: folder of the award's edition; `carpeta_trabajo`: the
  // working folder; `al_cerrar`: shows the opener again once the window has
  // closed.
  GesDiplomaCantabria(std::string carpeta_concurso, std::string carpeta_trabajo, std::function<void()> al_cerrar,
                      QWidget* padre = nullptr);
  ~GesDiplomaCantabria() override;

  // Sizes and centres the window, shows it, lists the merged logs, runs the
  // evaluation and shows the first station's statistics.
  void Form_Load();

  // The diploma lists as the window holds them.
  const ListasDiplomas& Listas() const { return listas_; }
  // The column factor of the entry lines at the window's present width.
  int FactorColumnasActual() const;
  // The evaluation is running.
  bool Evaluando() const { return evaluando_; }

  // ProgresoEtapa.
  void Paso(const std::string& texto) override;
  void Porcentaje(int porcentaje) override;
  void Cede() override;
  void Fallo(const std::string& texto, const std::string& titulo) override;
  bool Pregunta(const std::string& texto, const std::string& titulo) override;

 protected:
  void closeEvent(QCloseEvent* evento) override;

 private:
  void EvaluaDiplomas();
  // Shows a list of the edition: the merged logs in their list box and
  // count label.
  void MuestraLista(ListaEdicion lista);
  void MuestraListasDiplomas();
  void PonControlesDeEvaluacion(bool habilitados);
  void Salir_Click();
  void ExpedirDiploma_Click();
  void ListasAdmitidas_Click();
  void ListaComarcas_Click();
  void ListaPendientes_Click(QListWidget* lista);
  static void Llena(QListWidget* lista, const std::vector<std::string>& entradas);

  std::string carpeta_concurso_;
  std::string carpeta_trabajo_;
  std::function<void()> al_cerrar_;
  std::unique_ptr<Ui::GesDiplomaCantabria> ui_;
  EdicionConcurso edicion_;
  ListasDiplomas listas_;
  RecuentoMunicipios recuento_;  // of the station shown
  bool SalirPulsado = false;
  bool listas_leidas_ = false;  // the issued lists were read from their files
  bool evaluando_ = false;
  bool descargada_ = false;
  QElapsedTimer desde_cesion_;
};

// Opens the window on behalf of the mail window (which hides itself): the
// window deletes itself when it closes, after calling `al_cerrar`.
GesDiplomaCantabria* AbreGesDiplomaCantabria(std::string carpeta_concurso, std::string carpeta_trabajo,
                                             std::function<void()> al_cerrar, QWidget* padre = nullptr);

}  // namespace award

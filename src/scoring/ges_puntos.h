#pragma once
// The cross-check window "Cruzar Listas y Calcular Puntos": the result
// folders of the contest in hand as lists with a viewer, the contest's
// annulment options, and the buttons that start the cross-check, the
// scoring run and the rankings window. Opened by the mail window, which it
// replaces on the screen while it is shown; built afresh at every opening.
//
// The window holds the contest edition (common/edicion_concurso.h) and
// shows its result listings and lists in its list boxes and count labels
// whenever they change. It is the `ProgresoEtapa` of the cross-check and
// the scoring run: its step label `LProceso` (completed with the log in
// hand and the count), progress panel `Proceso` (the share of the whole
// run) and message boxes. While a run goes on, the run buttons, the exit
// button, every
// option frame and the file lists are disabled, so nothing the run reads or
// writes can change under it, and the window cannot be closed.
#include <QWidget>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "scoring/configuracion_cruce.h"
#include "scoring/enlace_ges_puntos.h"

class QCheckBox;
class QListWidget;
class QPushButton;

class PanelProgreso;

namespace Ui {
class GesPuntos;
}

namespace scoring {

class GesPuntos : public QWidget, public ProgresoEtapa {
  Q_OBJECT

 public:
  explicit GesPuntos(std::unique_ptr<EnlaceGesPuntos> correo, std::unique_ptr<AccionesPuntuacion> acciones = nullptr,
                     QWidget* padre = nullptr);
  ~GesPuntos() override;

  // Centres the window, fills its lists, loads the contest's annulment
  // options, discards the results when logs may have arrived since the last
  // cross-check, and shows the window.
  void Form_Load();

  // The annulment options as the boxes show them now.
  OpcionesAnulacion Opciones() const;
  // A run is going on.
  bool Ejecutando() const { return ejecutando_; }

  // ProgresoEtapa.
  void Paso(const std::string& texto) override;
  void Porcentaje(int porcentaje) override;
  void Cede() override;
  void Fallo(const std::string& texto, const std::string& titulo) override;
  bool Pregunta(const std::string& texto, const std::string& titulo) override;

 protected:
  void closeEvent(QCloseEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void Cruzar_Click();
  void Calcular_Click();
  void Clasificaciones_Click();
  void FinClientes_Click();
  void Imprimir_Click();
  void DeshabilitaControles();
  void HabilitaControles();
  void PonControlesDeEjecucion(bool habilitados);
  bool Form_KeyDown(int tecla, Qt::KeyboardModifiers modificadores);
  bool FaltaNumeroListas();

  void CargaOpcionesAnulacion();
  void ConectaOpciones();
  void Opcion_Click(QCheckBox* casilla, bool valor);
  QCheckBox* Casilla(std::string_view nombre) const;

  void MuestraFichero(QListWidget* lista);
  // The viewer shows the lines of the last crossed log, if it does not yet.
  void MuestraCruzada();
  // Shows a list of the edition in its list box and count label.
  void MuestraLista(ListaEdicion lista);
  void Form_Unload();

  std::unique_ptr<EnlaceGesPuntos> correo_;
  std::unique_ptr<AccionesPuntuacion> acciones_;
  std::unique_ptr<Ui::GesPuntos> ui_;
  std::unique_ptr<PanelProgreso> progreso_;      // `LProceso` and `Proceso`
  // The box of each column of kColumnasAnulacion, in its order: a run reads
  // the options once per QSO.
  std::array<QCheckBox*, kColumnasAnulacion.size()> casillas_{};
  // The options as the boxes show them, read again after any box or the
  // number of logs changed.
  OpcionesAnulacion opciones_;
  bool opciones_al_dia_ = false;
  // The lines of the last crossed log, kept until the window is about to be
  // repainted (see PanelProgreso::AntesDeRepintar).
  std::vector<std::string> cruzada_;  // its first lineas_cruzada_
  std::size_t lineas_cruzada_ = 0;
  bool cruzada_pendiente_ = false;
  EdicionConcurso edicion_;
  bool CargandoOpciones = false;
  bool ejecutando_ = false;
  bool descargada_ = false;
};

// Opens the window on behalf of the mail window (which hides itself): the
// window deletes itself when it closes, after showing the mail window again.
GesPuntos* AbreGesPuntos(std::unique_ptr<EnlaceGesPuntos> correo,
                         std::unique_ptr<AccionesPuntuacion> acciones = nullptr);

}  // namespace scoring

#pragma once
// The mail window "Gestión de Correo para FICHEROS CABRILLO": the contest's
// result folders side by side as lists with a viewer, the start and stop of
// intake (a mail session at once and then one a minute, or one pass over the
// manual folder) and the way on to the cross-check window, or to the award
// window for the award contest. Opened by the main window, which it replaces
// on the screen while it is open.
//
// The window holds the contest edition and shows it in its list boxes and
// count labels (MuestraLista, on every change of a list); it is the
// `VentanaCorreo` of the intake, showing the log in hand and the mails taken
// in, and its `ProgresoEtapa`, feeding its step label `LProceso` and progress
// panel `Proceso` and showing failures in message boxes; the window
// completes the label with the log in hand and the count, shows the share of
// the whole session or pass, and, between two mail sessions, says when the
// next one is due. The calls of a mail session that wait on a server run on
// another thread while the window keeps answering; everything else of the
// intake runs on the window's own thread, one step at a time. While a
// session or a pass runs the folder lists are still and the window cannot
// be closed.
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include <string_view>

#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "mail/enlace_ges_automatica.h"
#include "mail/recepcion.h"
#include "mail/ventana_correo.h"

namespace plataforma::correo {
class SesionCorreo;
}

class QListWidget;
class QTimer;

class PanelProgreso;

namespace Ui {
class GesAutomatica;
}

namespace scoring {
class AccionesPuntuacion;
class EnlaceGesPuntos;
}  // namespace scoring

namespace mail {

class GesAutomatica : public QWidget, public VentanaCorreo, public ProgresoEtapa {
  Q_OBJECT

 public:
  explicit GesAutomatica(std::unique_ptr<EnlaceGesAutomatica> enlace, QWidget* padre = nullptr);
  ~GesAutomatica() override;

  // Centres the window, sets the captions of the intake mode and of the
  // award, sets the contest's folder, fills the folder lists and shows the
  // window.
  void Form_Load();

  // The time between two mail sessions (60000 ms; the tests shorten it).
  void PonIntervaloSesiones(int milisegundos);
  // A mail session or a manual pass is running.
  bool Ocupada() const { return ocupada_; }
  // Automatic intake is on: a session runs or the next one is due.
  bool RecepcionActiva() const;

  // VentanaCorreo.
  bool GestionAutomatica() const override;
  bool NoEnviarNotificaciones() const override;
  void HabilitaBotones(bool habilitados) override;
  void EmpiezaLog(const std::string& nombre_fichero) override;
  void MuestraLog(const ResultadoRecepcion& log) override;
  void MuestraCorreos(const std::vector<std::string>& correos) override;

  // ProgresoEtapa. A failure titled "ERROR" shows with the error icon, an
  // untitled one as a plain message, any other with the information icon.
  void Paso(const std::string& texto) override;
  void Porcentaje(int porcentaje) override;
  void Cede() override;
  void Fallo(const std::string& texto, const std::string& titulo) override;
  bool Pregunta(const std::string& texto, const std::string& titulo) override;

 protected:
  void closeEvent(QCloseEvent* evento) override;
  void changeEvent(QEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  class EnlaceCruce;

  void Conectar_Click();
  void Cancelar_Click();
  void CruzarListas_Click();
  void FinClientes_Click();
  void Imprimir_Click();
  void NoEnviarNotificaciones_Click(bool marcada);
  void Timer1_Timer();
  bool Form_KeyDown(int tecla, Qt::KeyboardModifiers modificadores);
  void Form_Resize();
  void Form_Unload();

  bool CargaConfiguracionCorreo();
  void ConectaCorreo();
  void LeeFicherosManuales();
  // Refills the folder lists from the disk (the manual folder too, with its
  // ".CBR" logs renamed, when `manuales`).
  void CargaListas(bool manuales);
  // Shows a list of the edition in its list box and count label.
  void MuestraLista(ListaEdicion lista);
  void Aviso(const std::string& texto);
  void InformaFallo(const std::string& texto);
  // The folder lists are still while intake writes to their folders.
  void PonListasQuietas(bool quietas);
  // The file of a line chosen in the box of a list of the edition.
  void MuestraFichero(QListWidget* lista, ListaEdicion de);
  // The viewer shows the log in hand (its title, its lines and the award's
  // admitted list), if it does not yet.
  void MuestraLogEnCurso();

  std::unique_ptr<EnlaceGesAutomatica> enlace_;
  std::unique_ptr<Ui::GesAutomatica> ui_;
  QTimer* Timer1 = nullptr;
  std::unique_ptr<EdicionConcurso> edicion_;                  // the contest's, from Form_Load
  bool cargando_ = false;                                     // CargaListas is reading the edition
  std::unique_ptr<PanelProgreso> progreso_;                   // `LProceso` and `Proceso`
  const plataforma::correo::SesionCorreo* sesion_ = nullptr;  // the mail session in hand
  ConcursoRecepcion concurso_;                                // loaded at each press of `Conectar`
  std::int16_t ContadorTemporizador = 0;
  int alturaNormal_ = 0, anchuraNormal_ = 0;
  bool maximizada_ = false;  // the state the controls were last rescaled for
  bool ocupada_ = false;
  bool cancelada_ = false;       // `Cancelar` pressed while a session ran
  bool avisoNetrcDado_ = false;  // the netrc warning is shown once per window
  bool descargada_ = false;
  std::vector<std::string> correos_mostrados_;  // what ListaCorreoEntrante shows
  // The log in hand as the viewer is to show it, kept until the window is
  // about to be repainted (see PanelProgreso::AntesDeRepintar).
  std::string titulo_log_;
  std::vector<std::string> lineas_log_, admitidas_log_;
  bool log_pendiente_ = false;
  bool admitidas_pendientes_ = false;
};

// Opens the mail window on behalf of the main window (which hides itself):
// the window deletes itself when it closes, after showing the main window.
GesAutomatica* AbreGesAutomatica(std::unique_ptr<EnlaceGesAutomatica> enlace);

}  // namespace mail

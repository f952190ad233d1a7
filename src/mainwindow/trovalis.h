#pragma once
// The main window: the program's entry point, the contest editor and the
// buttons that open every other window. It shows the contest in the editor
// (principal::ConcursoEnEdicion) in the controls of its generated form; what
// the other windows read and write of it goes through its links.
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/campos_editor.h"
#include "mainwindow/concurso_en_edicion.h"
#include "mainwindow/editor_principal.h"
#include "mainwindow/servicios_principal.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class Trovalis;
}

class Trovalis : public QWidget, public principal::EnlacesVentanaPrincipal, private principal::EditorPrincipal {
  Q_OBJECT

 public:
  explicit Trovalis(std::unique_ptr<principal::ServiciosPrincipal> servicios, QWidget* parent = nullptr);
  ~Trovalis() override;

  // Start-up: working folder, caption, database layout, databases, contest
  // list, printers, field lengths. False when a database file could not be
  // opened (the operator has been told which one); the program then ends.
  bool Form_Load();
  // The first activation shows the contest selected in the list. Runs once;
  // later calls do nothing.
  void Form_Activate();

  // The context of the run, held by the services.
  ContextoConcurso& Contexto() override { return servicios_->Contexto(); }
  // What the editor is doing; the buttons change it.
  principal::OperacionEditor Operacion() const { return OperacionRegistro; }
  // The contest in the editor as the window shows it now.
  principal::ConcursoEnEdicion Concurso() const override { return LeeModelo(); }

  // The links of the windows it opens.
  QWidget* Widget() override { return this; }
  std::unique_ptr<rules::EnlaceFormatoCabrillo> EnlaceFormato() override;
  std::unique_ptr<rules::EnlaceBasesConcurso> EnlaceBases() override;
  std::unique_ptr<listeditors::EnlaceListProv> EnlaceListas() override;
  std::unique_ptr<mail::EnlaceGesAutomatica> EnlaceCorreo() override;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void changeEvent(QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

 private:
  // ---- The editor as its links see it.
  bool OpcionMarcada(principal::Opcion o) const override;
  void PonLista(std::string_view nombre, const std::vector<std::string>& items) override;
  void PonSufijo(const principal::FormatoSufijoConcurso& formato) override { concurso_.Sufijo = formato; }
  std::string TituloBanda(int indice) const override;
  bool GestionAutomatica() const override;
  bool GestionManual() const override;
  bool VerificaNombreExacto() const override;
  void MuestraDeNuevo() override;

  // ---- Controls.
  void ConstruyeControles();
  void AjustaAnchosDeTexto();
  void ConectaSenales();
  int IndiceTexto(QObject* objeto) const;
  // The box of an option.
  QCheckBox* Casilla(principal::Opcion o) const { return casillas_[static_cast<std::size_t>(o)]; }

  // ---- Record binding.
  void CargaCamposConcurso();
  void CargaOpcionesConcurso();
  void CargaFormatoSufijo();
  // Writes the text boxes, bands, modes, exclude-own options, suffix format
  // and the claims and web texts into the row (the caller adds or edits it
  // before and stores it after, with GrabaOpcionesConcurso last).
  void GrabaCamposConcurso(principal::RegistroConcurso& fila);
  void GrabaOpcionesConcurso(principal::RegistroConcurso& fila);
  void AjustaLongitudCampos(int extra);

  // ---- Field and button states.
  // Input lock of a text box: a closed box refuses typing and shows the
  // read-only look, but takes the focus so that it can be browsed.
  void PonBloqueo(int indice, bool cerrado);
  bool Bloqueado(int indice) const;
  // Background of a text box for its focus and its input lock.
  void PintaCampo(int indice, bool enfocado);
  void DesactivarBotones();
  void ActualizaBotones();
  void BloqueaCampos(int bloqueo);
  void BloqueaPuntos(int bloqueo);
  void HabilitaBandas(bool habilitar);
  void HabilitaModos(bool habilitar);
  void HabilitaIntercambio(bool habilitar);
  void HabilitaRepeticiones(bool habilitar);
  void HabilitaMultiplicadores(int habilitar);
  void DeshabilitaOpciones();
  void LimpiaBandas();
  void LimpiaModos();
  void LimpiaIntercambio();
  void LimpiaRepeticiones();
  void DesmarcarMultiplicadores();
  void LimpiaFormulario();
  void LimpiaListas();
  void Text3_GotFocus(int indice);
  void Text3_LostFocus(int indice);
  // A typed character: Enter moves the focus and comes back 0; any other
  // character comes back upper-cased.
  char32_t Text3_KeyPress(int indice, char32_t tecla);

  // ---- Shell.
  // Function keys and arrow keys; true when the key was taken.
  bool Form_KeyDown(int tecla, Qt::KeyboardModifiers modificadores);
  // Up and Down between the text boxes; true when taken.
  bool MueveFoco(int tecla);
  void MueveFocoA(int destino, const std::function<int(int)>& paso);
  void CargaImpresoras();
  void Form_Resize();

  // ---- Contest life cycle.
  bool CargaConcursoSeleccionado();
  void ActualizaFicherosListasNoEnviadas();
  void CargaListasConcurso();
  void AltaConcurso();
  void ModificaConcurso();
  void BorraConcurso();
  // Drops the trailing blanks of the name and edition boxes before a create
  // or a save: they would end up in the contest's folder name.
  void QuitaBlancosFinalesNombre();
  // The checks before a create or a save (principal::CompruebaConcurso),
  // shown: the normalised texts, the notice, the focus.
  bool VerificaEditor();
  bool ExisteConcurso(const std::string& Nombre, const std::string& Edicion);
  void TerminaEdicion();
  void AbreVentanaListas(principal::VentanaSecundaria ventana);

  // ---- Buttons.
  void AltaReg_Click();
  void ConsultaReg_Click();
  void ModificarReg_Click();
  void BorrarReg_Click();
  void Aceptar_Click();
  void Cancelar_Click();
  void GestionListas_Click();
  void Bases_Click();
  void FinClientes_Click();
  void SeleccionarImpresora_Click();
  void AceptarImpresora_Click();
  void VerificaNombre_Click();

  // ---- Options. OpcionCambiada runs on every change of a box's value
  // (Qt's toggled), with the box and its new value. The interlocks are the
  // editor model's (ConcursoEnEdicion): the window reads its boxes into the
  // model, runs the rule and shows the model again.
  void OpcionCambiada(QCheckBox* casilla, bool valor);
  // The editor's state as the model sees it, and back: only what differs
  // from `antes` is written, with the boxes' signals held.
  principal::ConcursoEnEdicion LeeModelo() const;
  void MuestraModelo(const principal::ConcursoEnEdicion& antes, const principal::ConcursoEnEdicion& modelo);
  // Reads the model, runs `reglas` on it and shows the result.
  void AplicaReglas(const std::function<void(principal::ConcursoEnEdicion&)>& reglas);

  std::unique_ptr<Ui::Trovalis> ui_;
  std::unique_ptr<principal::ServiciosPrincipal> servicios_;
  // The text boxes, bands, modes and option boxes of the form,
  // by index; the list buttons and the period boxes in the model's order.
  std::array<QLineEdit*, principal::kNumeroCamposTexto> textos_{};
  std::array<QCheckBox*, principal::kNumeroBandas> bandas_{};
  std::array<QCheckBox*, principal::kNumeroModos> modos_{};
  std::array<QCheckBox*, principal::kNumeroOpciones> casillas_{};
  std::array<QPushButton*, principal::kNumeroBotonesLista> botonesLista_{};
  std::array<QCheckBox*, 3> leyendasPeriodo_{};

  // ---- State of the editor.
  principal::OperacionEditor OperacionRegistro = principal::OperacionEditor::Ninguna;
  // What the editor keeps of the contest besides its controls: the suffix
  // format and the working lists.
  principal::ConcursoEnEdicion concurso_;
  std::array<bool, principal::kNumeroCamposTexto> bloqueo_{};
  std::int16_t CampoActual = 0;
  bool PrimeraActivacion = false;
  int AlturaNormal = 0, AnchuraNormal = 0;
  int UltimoEstadoVentana = 0;
  // The number that the create in progress proposed (and will store).
  std::int32_t NumeroPropuesto = 0;
  bool reenviando_ = false;
};

#pragma once
// The main window: the program's entry point, the contest editor and the
// buttons that open every other window.
#include <QWidget>
#include <array>
#include <functional>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/campos_editor.h"
#include "mainwindow/concurso_en_edicion.h"
#include "mainwindow/servicios_principal.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace Ui {
class Trovalis;
}

class Trovalis : public QWidget, public principal::EnlacesVentanaPrincipal {
  Q_OBJECT

 public:
  explicit Trovalis(std::unique_ptr<principal::ServiciosPrincipal> servicios, QWidget* parent = nullptr);
  ~Trovalis() override;

  // Start-up: working folder, caption, database layout, databases, contest
  // list, printers, field lengths. False when a database file could not be
  // opened (the operator has been told which one); the program then ends.
  bool Form_Load();
  // The first activation loads the contest selected in the list. Runs once;
  // later calls do nothing.
  void Form_Activate();

  principal::ServiciosPrincipal& Servicios() { return *servicios_; }
  // The context of the run, held by the services.
  ContextoConcurso& Contexto() { return servicios_->Contexto(); }

  // The links of the windows it opens.
  QWidget* Widget() override { return this; }
  std::unique_ptr<rules::EnlaceFormatoCabrillo> EnlaceFormato() override;
  std::unique_ptr<rules::EnlaceBasesConcurso> EnlaceBases() override;
  std::unique_ptr<listeditors::EnlaceListProv> EnlaceListas() override;
  std::unique_ptr<mail::EnlaceGesAutomatica> EnlaceCorreo() override;
  // Combo1 as the contest list that the start-up fills.
  ::ListaConcursos& ListaDeConcursos() { return *listaConcursos_; }

  // ---- Controls, under their own names.
  std::array<QLineEdit*, principal::kNumeroCamposTexto> Text3{};
  std::array<QCheckBox*, principal::kNumeroBandas> Banda{};
  std::array<QCheckBox*, principal::kNumeroModos> Modo{};
  std::vector<QRadioButton*> Impresora;
  QComboBox* Combo1 = nullptr;
  QGroupBox* SeleccionConcurso = nullptr;
  QGroupBox* PanelImpresora = nullptr;
  QPushButton *AltaReg, *ConsultaReg, *ModificarReg, *BorrarReg, *Aceptar, *Cancelar, *Bases, *GestionListas,
      *FinClientes, *SeleccionarImpresora, *AceptarImpresora;
  QPushButton *ConfDistritosValidos, *ConfEstEsp, *ConfPaisesExc, *ConfPrefijos, *ConfSiglasValidas, *ConfSufijo,
      *ConfZonaExcluida, *ConfMultEstacionesEspeciales, *Especiales, *ConfigurarCabrillo;
  QRadioButton *GestionAutomatica, *GestionManual;
  QCheckBox* VerificaNombre;
  // Option boxes, named after their columns.
  QCheckBox *EnviarNumeral, *EnviarLocator, *EnviarSiglas, *RecibirNumeral, *RecibirLocator, *RecibirSiglas,
      *RecibirPuntos, *RecibirPuntosPorKM, *SiglasONumeral;
  QCheckBox *NoRepetir, *RepetirEstacion, *RepetirEnCadaBanda, *RepetirEnCadaModo, *RepetirCadaHoras;
  QCheckBox *Multiplicadores, *CadaModo, *CadaDia, *CadaBanda, *CadaCuadricula, *CadaEstacion, *CadaPais,
      *CadaPrefijo, *CadaSufijo, *CadaProv, *CadaDistrito, *CadaCq, *Otros;
  QCheckBox *CuadriculaPorBanda, *EstacionPorBanda, *PaisPorBanda, *PrefijoPorBanda, *SufijoPorBanda,
      *ProvPorBanda, *DistritoPorBanda, *OtrosPorBanda, *CqPorBanda;
  QCheckBox *CuadriculaPorDia, *EstacionPorDia, *PaisPorDia, *PrefijoPorDia, *SufijoPorDia, *ProvPorDia,
      *DistritoPorDia, *OtrosPorDia, *CQPorDia;
  QCheckBox *CuadriculaPorModo, *EstacionPorModo, *PaisPorModo, *PrefijoPorModo, *SufijoPorModo, *ProvPorModo,
      *DistritoPorModo, *OtrosPorModo, *CqPorModo;
  QCheckBox *ExcluirPais, *ExcluirPrefijo, *ExcluirProv, *ExcluirDistrito, *ExcluirCq;

  // The option boxes bound by name: box and column, in the order the load
  // sets them.
  struct OpcionEnlazada {
    QCheckBox* Casilla;
    const char* Columna;
  };
  const std::vector<OpcionEnlazada>& OpcionesConcurso() const { return opciones_; }
  // Box of an option column by name, without regard to case; nullptr if none.
  QCheckBox* CasillaOpcion(std::string_view columna) const;

  // Hidden working lists of the contest in hand, by name.
  QListWidget* ListaOculta(std::string_view nombre) const;
  const std::vector<QListWidget*>& ListasOcultas() const { return listasOcultas_; }

  // ---- State of the editor.
  // What the editor is doing; the buttons change it.
  principal::OperacionEditor Operacion() const { return OperacionRegistro; }
  std::int16_t CampoActual = 0;
  std::int16_t MiImpresora = 0;
  bool PrimeraActivacion = false;
  int AlturaNormal = 0, AnchuraNormal = 0;
  int UltimoEstadoVentana = 0;
  // Suffix format of the contest in hand.
  bool PrimerNumero = false, PrimeraLetra = false, SegundaLetra = false, TerceraLetra = false,
       UltimaLetra = false;

  // Input lock of a text box: a closed box refuses typing and shows the
  // read-only look, but takes the focus so that it can be browsed.
  void PonBloqueo(int indice, bool cerrado);
  bool Bloqueado(int indice) const;

  // ---- Record binding.
  void CargaCamposConcurso();
  void CargaOpcionesConcurso();
  void CargaFormatoSufijo();
  void LimpiaFormatoSufijo();
  // Writes the text boxes, bands, modes, exclude-own options, suffix format
  // and the claims and web texts into the row (the caller adds or edits it
  // before and stores it after, with GrabaOpcionesConcurso last).
  void GrabaCamposConcurso(principal::RegistroConcurso& fila);
  void GrabaOpcionesConcurso(principal::RegistroConcurso& fila);
  void AjustaLongitudCampos(int extra);

  // ---- Field and button states.
  void DesactivarBotones();
  void ActualizaBotones();
  void BloqueaCampos(int bloqueo);
  void BloqueaPuntos(int bloqueo);
  void HabilitaBandas(bool habilitar);
  void HabilitaModos(bool habilitar);
  void HabilitaIntercambio(bool habilitar);
  void HabilitaRepeticiones(bool habilitar);
  void HabilitaMultiplicadores(int habilitar);
  void LimpiaBandas();
  void LimpiaModos();
  void LimpiaIntercambio();
  void LimpiaRepeticiones();
  void DesmarcarMultiplicadores();
  void LimpiaFormulario();
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
  void CargaImpresoras();
  void Form_Resize();

  // ---- Contest life cycle: the loading of the selected contest is used by
  // the first activation; the rest is wired to its buttons.
  bool CargaConcursoSeleccionado();
  void ActualizaFicherosListasNoEnviadas();
  void LimpiaListas();
  void CargaListasConcurso();
  void AltaConcurso();
  void ModificaConcurso();
  void BorraConcurso();
  // The number that the create in progress proposed (and will store).
  std::int32_t NumeroPropuesto = 0;

  // ---- Contest validation before a create or a save. CamposConcurso holds
  // the 27 editor texts (copied from Text3 by the create and the save),
  // checked and normalised in place.
  std::vector<std::string> CamposConcurso = std::vector<std::string>(81);
  bool VerificarCampoVacio(std::string& Valor);
  bool VerificaFormatoFecha(std::string& Campo);
  bool VerificaFormatoHora(std::string& Hora);
  bool VerificaFormatoCampos(const dao::TableDef& Tdef, std::vector<std::string>& Texto, std::int16_t& I);
  bool VerificaDatosConcurso(std::vector<std::string>& Campos);
  bool VerificaBandas();
  bool VerificaModos();
  bool VerificaListasMultiplicadores();
  bool ExisteConcurso(const std::string& Nombre, const std::string& Edicion);

  // Option handlers: OpcionCambiada runs on every change of a box's value
  // (Qt's toggled), with the box and its new value. The interlocks are the
  // editor model's (ConcursoEnEdicion): the window reads its boxes into the
  // model, runs the rule and shows the model again.
  void OpcionCambiada(QCheckBox* casilla, bool valor);
  void ActualizaExclusiones();
  void ActualizaBotonesConfiguracion();
  // The box of an option.
  QCheckBox* Casilla(principal::Opcion o) const { return casillas_[static_cast<std::size_t>(o)]; }
  void VerificaNombre_Click();

 public slots:
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
  void Impresora_Click(int indice, bool valor);
  void ConfDistritosValidos_Click();
  void ConfEstEsp_Click();
  void ConfPaisesExc_Click();
  void ConfPrefijos_Click();
  void ConfSiglasValidas_Click();
  void ConfSufijo_Click();
  void ConfZonaExcluida_Click();
  void ConfMultEstacionesEspeciales_Click();
  void Especiales_Click();
  void ConfigurarCabrillo_Click();

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void changeEvent(QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

 private:
  void ConstruyeControles();
  void AjustaAnchosDeTexto();
  void DeshabilitaOpciones();
  // Drops the trailing blanks of the name and edition boxes before a create
  // or a save: they would end up in the contest's folder name.
  void QuitaBlancosFinalesNombre();
  bool VerificaEditor();
  void TerminaEdicion();
  void ConectaSenales();
  int IndiceTexto(QObject* objeto) const;
  // Background of a text box for its focus and its input lock.
  void PintaCampo(int indice, bool enfocado);
  void MueveFocoA(int destino, const std::function<int(int)>& paso);
  void AbreVentanaListas(principal::VentanaSecundaria ventana);
  // The editor's state as the model sees it, and back: only what differs
  // from `antes` is written, with the boxes' signals held.
  principal::ConcursoEnEdicion LeeModelo();
  void MuestraModelo(const principal::ConcursoEnEdicion& antes, const principal::ConcursoEnEdicion& modelo);
  // Reads the model, runs `reglas` on it and shows the result.
  void AplicaReglas(const std::function<void(principal::ConcursoEnEdicion&)>& reglas);

  principal::OperacionEditor OperacionRegistro = principal::OperacionEditor::Ninguna;
  std::unique_ptr<Ui::Trovalis> ui_;
  std::unique_ptr<principal::ServiciosPrincipal> servicios_;
  std::vector<OpcionEnlazada> opciones_;
  std::array<QCheckBox*, principal::kNumeroOpciones> casillas_{};
  std::array<QPushButton*, principal::kNumeroBotonesLista> botonesLista_{};
  std::array<QCheckBox*, 3> leyendasPeriodo_{};
  std::unique_ptr<::ListaConcursos> listaConcursos_;
  std::vector<QListWidget*> listasOcultas_;
  std::array<bool, principal::kNumeroCamposTexto> bloqueo_{};
  bool reenviando_ = false;
  QLabel* sinImpresoras_ = nullptr;  // the notice of a machine without printers
};

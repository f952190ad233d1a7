// The main window: controls, start-up, keys, navigation and printer choice.
#include "mainwindow/trovalis.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <algorithm>

#include "cabrillo/contexto_concurso.h"
#include "common/ventanas.h"
#include "mainwindow/enlace_bases_trovalis.h"
#include "mainwindow/enlace_correo_trovalis.h"
#include "mainwindow/enlace_formato_trovalis.h"
#include "mainwindow/enlace_listas_trovalis.h"
#include "ui_panel_multiplicadores.h"
#include "ui_trovalis.h"

using principal::VentanaSecundaria;

Trovalis::Trovalis(std::unique_ptr<principal::ServiciosPrincipal> servicios, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::Trovalis>()), servicios_(std::move(servicios)) {
  ui_->setupUi(this);
  ConstruyeControles();
  ConectaSenales();
}

Trovalis::~Trovalis() = default;

void Trovalis::ConstruyeControles() {
  Ui::Trovalis& f = *ui_;
  textos_ = {f.Text3_0,  f.Text3_1,  f.Text3_2,  f.Text3_3,  f.Text3_4,  f.Text3_5,  f.Text3_6,
             f.Text3_7,  f.Text3_8,  f.Text3_9,  f.Text3_10, f.Text3_11, f.Text3_12, f.Text3_13,
             f.Text3_14, f.Text3_15, f.Text3_16, f.Text3_17, f.Text3_18, f.Text3_19, f.Text3_20,
             f.Text3_21, f.Text3_22, f.Text3_23, f.Text3_24, f.Text3_25, f.Text3_26};
  bandas_ = {f.Banda_0, f.Banda_1, f.Banda_2, f.Banda_3,  f.Banda_4,  f.Banda_5,  f.Banda_6,
             f.Banda_7, f.Banda_8, f.Banda_9, f.Banda_10, f.Banda_11, f.Banda_12, f.Banda_13};
  modos_ = {f.Modo_0, f.Modo_1, f.Modo_2, f.Modo_3, f.Modo_4,  f.Modo_5,
            f.Modo_6, f.Modo_7, f.Modo_8, f.Modo_9, f.Modo_10, f.Modo_11};

  // The option boxes in the order of their options (each box is named after
  // its option, two after another spelling of it), and the list buttons and
  // period boxes in the order of theirs.
  const Ui::PanelMultiplicadores& m = f.MarcoMultiplicadores->Formulario();
#define TROVALIS_CASILLA(nombre) f.nombre,
#define TROVALIS_CASILLA_D(columna, casilla) f.casilla,
#define TROVALIS_CASILLA_MULTIPLICADOR(nombre) m.nombre,
#define TROVALIS_CASILLA_MULTIPLICADOR_D(columna, casilla) m.casilla,
  casillas_ = {TROVALIS_OPCIONES_INTERCAMBIO(TROVALIS_CASILLA, TROVALIS_CASILLA_D)
                   TROVALIS_OPCIONES_MULTIPLICADORES(TROVALIS_CASILLA_MULTIPLICADOR, TROVALIS_CASILLA_MULTIPLICADOR_D)};
#undef TROVALIS_CASILLA_MULTIPLICADOR_D
#undef TROVALIS_CASILLA_MULTIPLICADOR
#undef TROVALIS_CASILLA_D
#undef TROVALIS_CASILLA
  botonesLista_ = {m.ConfPaisesExc,    m.ConfPrefijos, m.ConfSiglasValidas, m.ConfDistritosValidos,
                   m.ConfZonaExcluida, m.ConfSufijo,   m.ConfEstEsp};
  leyendasPeriodo_ = {m.CadaBanda, m.CadaDia, m.CadaModo};

  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) {
    textos_[static_cast<std::size_t>(i)]->setAutoFillBackground(true);
    PintaCampo(i, false);
  }
  setWindowTitle("Trovalis");
  AjustaAnchosDeTexto();
}

void Trovalis::AjustaAnchosDeTexto() {
  // The name box shows the 64 characters of its column: typed text is upper
  // case, so the width is that of 64 capitals and digits.
  const QString muestra = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ 0");
  QLineEdit* nombre = textos_[1];
  nombre->setMinimumWidth(nombre->fontMetrics().horizontalAdvance(muestra.left(64)) + 12);
}

void Trovalis::ConectaSenales() {
  // The window sees every key before the control that has it.
  installEventFilter(this);
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

  for (QCheckBox* casilla : casillas_) {
    connect(casilla, &QCheckBox::toggled, this, [this, casilla](bool v) { OpcionCambiada(casilla, v); });
  }
  connect(ui_->VerificaNombre, &QCheckBox::clicked, this, [this] { VerificaNombre_Click(); });

  connect(ui_->AltaReg, &QPushButton::clicked, this, &Trovalis::AltaReg_Click);
  connect(ui_->ConsultaReg, &QPushButton::clicked, this, &Trovalis::ConsultaReg_Click);
  connect(ui_->ModificarReg, &QPushButton::clicked, this, &Trovalis::ModificarReg_Click);
  connect(ui_->BorrarReg, &QPushButton::clicked, this, &Trovalis::BorrarReg_Click);
  connect(ui_->Aceptar, &QPushButton::clicked, this, &Trovalis::Aceptar_Click);
  connect(ui_->Cancelar, &QPushButton::clicked, this, &Trovalis::Cancelar_Click);
  connect(ui_->GestionListas, &QPushButton::clicked, this, &Trovalis::GestionListas_Click);
  connect(ui_->Bases, &QPushButton::clicked, this, &Trovalis::Bases_Click);
  connect(ui_->FinClientes, &QPushButton::clicked, this, &Trovalis::FinClientes_Click);
  connect(ui_->SeleccionarImpresora, &QPushButton::clicked, this, &Trovalis::SeleccionarImpresora_Click);
  connect(ui_->PanelImpresora->Aceptar(), &QPushButton::clicked, this, &Trovalis::AceptarImpresora_Click);
  // The list buttons open their editors: those of the multiplier types
  // the reference lists, the three others their own windows.
  for (QPushButton* boton : botonesLista_)
    connect(boton, &QPushButton::clicked, this, [this] { AbreVentanaListas(VentanaSecundaria::ListasProvincias); });
  const std::pair<QPushButton*, VentanaSecundaria> otras[] = {
      {ui_->ConfMultEstacionesEspeciales, VentanaSecundaria::MultEspeciales},
      {ui_->Especiales, VentanaSecundaria::EstacionesEspeciales},
      {ui_->ConfigurarCabrillo, VentanaSecundaria::FormatoCabrillo},
  };
  for (const auto& [boton, ventana] : otras)
    connect(boton, &QPushButton::clicked, this, [this, v = ventana] { AbreVentanaListas(v); });
}

int Trovalis::IndiceTexto(QObject* objeto) const {
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i)
    if (textos_[static_cast<std::size_t>(i)] == objeto) return i;
  return -1;
}

// ---------------------------------------------------------------- start-up

bool Trovalis::Form_Load() {
  Contexto().CarpetaTrabajo = QDir::currentPath().toStdString();
  while (Contexto().CarpetaTrabajo.size() > 1 && Contexto().CarpetaTrabajo.back() == '/')
    Contexto().CarpetaTrabajo.pop_back();
  // As large as its controls ask for, within the screen: the controls
  // scroll above the command buttons when the screen is smaller.
  AjustaVentanaAPantalla(this, ui_->AreaEditor);
  CentraFormulario(this);
  setWindowTitle(QString::fromStdString("Trovalis - Versión " + servicios_->VersionPrograma()));
  PrimeraActivacion = true;
  AlturaNormal = height();
  AnchuraNormal = width();
  UltimoEstadoVentana = 0;
  try {
    servicios_->ActualizaEsquema();

    LimpiaFormulario();
    BloqueaCampos(1);
    DeshabilitaOpciones();

    servicios_->AbrirBasesDeDatos();
    servicios_->AbrirControlConcursos();
    Contexto().HayConcursoCargado = servicios_->CargarComboConcursos(*ui_->SeleccionConcurso);
    ui_->Bases->setEnabled(Contexto().HayConcursoCargado);
  } catch (const principal::ErrorArranque& e) {
    PrimeraActivacion = false;
    servicios_->Mensaje(std::string(e.what()) + ":\n" + e.Fichero() + "\n\nEl programa no puede continuar.",
                        "ERROR", principal::IconoMensaje::Error);
    return false;
  }
  CargaImpresoras();
  AjustaLongitudCampos(0);
  // Deleting needs a contest in hand.
  ui_->BorrarReg->setEnabled(Contexto().HayConcursoCargado);
  return true;
}

void Trovalis::showEvent(QShowEvent* evento) {
  QWidget::showEvent(evento);
  if (PrimeraActivacion) QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void Trovalis::Form_Activate() {
  if (!PrimeraActivacion) return;
  OperacionRegistro = principal::OperacionEditor::Ninguna;
  if (!CargaConcursoSeleccionado()) LimpiaFormulario();
  if (Contexto().EsConcursoDiploma()) {
    servicios_->CargaTablaMunicipios();
    ui_->GestionAutomatica->setChecked(false);
    ui_->GestionManual->setChecked(true);
  }
  ActualizaFicherosListasNoEnviadas();
  ActualizaBotones();
  ui_->AltaReg->setFocus();
  PrimeraActivacion = false;
}

// ---------------------------------------------------------------- keys

bool Trovalis::eventFilter(QObject* objeto, QEvent* evento) {
  int indice = IndiceTexto(objeto);
  switch (evento->type()) {
    case QEvent::FocusIn:
      if (indice >= 0) Text3_GotFocus(indice);
      break;
    case QEvent::FocusOut: {
      auto razon = static_cast<QFocusEvent*>(evento)->reason();
      // Another window coming to the front does not move the focus here.
      if (indice >= 0 && razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason)
        Text3_LostFocus(indice);
      break;
    }
    case QEvent::KeyPress: {
      if (reenviando_) break;
      auto* tecla = static_cast<QKeyEvent*>(evento);
      if (Form_KeyDown(tecla->key(), tecla->modifiers())) return true;
      if (indice < 0) break;
      if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
        Text3_KeyPress(indice, 13);
        return true;
      }
      QString texto = tecla->text();
      if (texto.size() != 1 || !texto[0].isPrint()) break;
      char32_t original = texto[0].unicode();
      char32_t mayuscula = Text3_KeyPress(indice, original);
      if (mayuscula == original) break;
      QKeyEvent copia(tecla->type(), tecla->key(), tecla->modifiers(), QString(QChar(mayuscula)),
                      tecla->isAutoRepeat(), static_cast<ushort>(tecla->count()));
      reenviando_ = true;
      QApplication::sendEvent(objeto, &copia);
      reenviando_ = false;
      return true;
    }
    default:
      break;
  }
  return QWidget::eventFilter(objeto, evento);
}

bool Trovalis::Form_KeyDown(int tecla, Qt::KeyboardModifiers modificadores) {
  if (modificadores & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return MueveFoco(tecla);
  QPushButton* boton = nullptr;
  switch (tecla) {
    case Qt::Key_F2: boton = ui_->AltaReg; break;
    case Qt::Key_F3: boton = ui_->ConsultaReg; break;
    case Qt::Key_F4: boton = ui_->ModificarReg; break;
    case Qt::Key_F5: boton = ui_->BorrarReg; break;
    case Qt::Key_F6: boton = ui_->Bases; break;
    case Qt::Key_F7: boton = ui_->GestionListas; break;
    case Qt::Key_F12: boton = ui_->Aceptar; break;
    case Qt::Key_Escape: boton = ui_->Cancelar; break;
    default: return MueveFoco(tecla);
  }
  if (boton->isEnabled() && boton->isVisibleTo(this)) {
    boton->setFocus();
    boton->click();
    return true;
  }
  // A key whose button is disabled does nothing here and goes on to the
  // control, except F7, which is always taken.
  return tecla == Qt::Key_F7;
}

bool Trovalis::MueveFoco(int tecla) {
  if (tecla != Qt::Key_Up && tecla != Qt::Key_Down) return false;
  // Only the editor's text boxes move this way; lists keep their arrows.
  if (IndiceTexto(QApplication::focusWidget()) < 0) return false;
  bool consulta = OperacionRegistro == principal::OperacionEditor::Consulta;
  if (tecla == Qt::Key_Up)
    MueveFocoA(CampoActual, [consulta](int i) { return principal::CampoArriba(i, consulta); });
  else
    MueveFocoA(CampoActual, [consulta](int i) { return principal::CampoAbajo(i, consulta); });
  return true;
}

void Trovalis::MueveFocoA(int desde, const std::function<int(int)>& paso) {
  int destino = principal::PrimerCampoDisponible(desde, paso, [this](int i) {
    QLineEdit* t = textos_[static_cast<std::size_t>(i)];
    return t->isEnabled() && t->isVisibleTo(this);
  });
  if (destino >= 0) textos_[static_cast<std::size_t>(destino)]->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- resize

void Trovalis::changeEvent(QEvent* evento) {
  QWidget::changeEvent(evento);
  if (evento->type() == QEvent::WindowStateChange) QTimer::singleShot(0, this, [this] { Form_Resize(); });
}

void Trovalis::Form_Resize() {
  if (isMinimized()) return;
  if (isMaximized()) {
    if (UltimoEstadoVentana != 2) {
      RedimensionaControles(this, AlturaNormal, AnchuraNormal, true);
      UltimoEstadoVentana = 2;
    }
  } else if (UltimoEstadoVentana != 0) {
    RedimensionaControles(this, AlturaNormal, AnchuraNormal, false);
    UltimoEstadoVentana = 0;
    // The window comes back to the size it had before it was maximised,
    // whatever the larger fonts asked for meanwhile.
    const QRect normal = normalGeometry();
    if (normal.isValid() && size() != normal.size()) resize(normal.size());
  }
}

// ---------------------------------------------------------------- printers

void Trovalis::CargaImpresoras() {
  ui_->PanelImpresora->Carga(servicios_->Impresoras(), servicios_->ImpresoraActual(), this);
}

void Trovalis::SeleccionarImpresora_Click() {
  DesactivarBotones();
  ui_->PanelImpresora->Abre();
}

void Trovalis::AceptarImpresora_Click() {
  if (auto impresora = ui_->PanelImpresora->Elegida()) servicios_->EstableceImpresora(*impresora);
  ui_->PanelImpresora->hide();
  ActualizaBotones();
}

// ---------------------------------------------------------------- other windows

void Trovalis::GestionListas_Click() {
  Contexto().NombreConcurso = textos_[1]->text().toStdString();
  Contexto().EdicionConcurso = textos_[2]->text().toStdString();
  if (servicios_->AbreVentana(VentanaSecundaria::GestionCorreo, *this)) hide();
  QDir::setCurrent(QString::fromStdString(Contexto().CarpetaTrabajo));
}

void Trovalis::Bases_Click() {
  // The rules window takes this window's place and shows it again on close.
  hide();
  if (!servicios_->AbreVentana(VentanaSecundaria::BasesConcurso, *this)) show();
}

std::unique_ptr<rules::EnlaceFormatoCabrillo> Trovalis::EnlaceFormato() {
  return std::make_unique<principal::EnlaceFormatoTrovalis>(static_cast<principal::EditorPrincipal&>(*this));
}

std::unique_ptr<rules::EnlaceBasesConcurso> Trovalis::EnlaceBases() {
  return std::make_unique<principal::EnlaceBasesTrovalis>(this, Contexto());
}

std::unique_ptr<listeditors::EnlaceListProv> Trovalis::EnlaceListas() {
  return std::make_unique<principal::EnlaceListasTrovalis>(static_cast<principal::EditorPrincipal&>(*this));
}

std::unique_ptr<mail::EnlaceGesAutomatica> Trovalis::EnlaceCorreo() {
  return std::make_unique<principal::EnlaceCorreoTrovalis>(this, static_cast<principal::EditorPrincipal&>(*this));
}

// ---------------------------------------------------------------- the editor for the links

bool Trovalis::OpcionMarcada(principal::Opcion o) const { return Casilla(o)->isChecked(); }

void Trovalis::PonLista(std::string_view nombre, const std::vector<std::string>& items) {
  concurso_.PonLista(nombre, items);
}

std::string Trovalis::TituloBanda(int indice) const {
  if (indice < 0 || indice >= static_cast<int>(bandas_.size())) return {};
  return bandas_[static_cast<std::size_t>(indice)]->text().toStdString();
}

bool Trovalis::GestionAutomatica() const { return ui_->GestionAutomatica->isChecked(); }
bool Trovalis::GestionManual() const { return ui_->GestionManual->isChecked(); }
bool Trovalis::VerificaNombreExacto() const { return ui_->VerificaNombre->isChecked(); }

void Trovalis::MuestraDeNuevo() {
  show();
  activateWindow();
}

void Trovalis::AbreVentanaListas(VentanaSecundaria ventana) {
  if (Contexto().NombreConcurso.empty() || OperacionRegistro == principal::OperacionEditor::Consulta) return;
  bool editable = OperacionRegistro == principal::OperacionEditor::Alta ||
                  OperacionRegistro == principal::OperacionEditor::Modificar;
  Contexto().ListasSoloConsulta = editable ? 0 : 1;
  hide();
  servicios_->AbreVentana(ventana, *this);
  show();
  activateWindow();
  if (editable)
    textos_[1]->setFocus();
  else
    ui_->AltaReg->setFocus();
}

void Trovalis::FinClientes_Click() {
  QDir::setCurrent(QString::fromStdString(Contexto().CarpetaTrabajo));
  close();
}

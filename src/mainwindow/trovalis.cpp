// The main window: controls, start-up, keys, navigation and printer choice.
#include "mainwindow/trovalis.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "common/ventanas.h"
#include "mainwindow/enlace_correo_trovalis.h"
#include "mainwindow/enlace_bases_trovalis.h"
#include "mainwindow/enlace_formato_trovalis.h"
#include "mainwindow/enlace_listas_trovalis.h"
#include "cabrillo/contexto_concurso.h"
#include "ui_trovalis.h"

using principal::VentanaSecundaria;

namespace {

// Combo1 as the contest list: entries sorted by text without regard to case.
class ComboConcursos : public ::ListaConcursos {
 public:
  explicit ComboConcursos(QComboBox* combo) : combo_(combo) {}
  void Limpia() override { combo_->clear(); }
  int Agrega(const std::string& texto, std::int32_t numero) override {
    const int i = PosicionOrdenada(*this, texto);
    combo_->insertItem(i, QString::fromStdString(texto), QVariant(static_cast<int>(numero)));
    return i;
  }
  int Cuenta() const override { return combo_->count(); }
  std::string Texto(int i) const override { return combo_->itemText(i).toStdString(); }
  std::int32_t Numero(int i) const override { return combo_->itemData(i).toInt(); }
  void Selecciona(int i) override { combo_->setCurrentIndex(i); }
  int Seleccionado() const override { return combo_->currentIndex(); }

 private:
  QComboBox* combo_;
};

const char* const kListasOcultas[] = {
    "ListaProv",        "ListaExProv",         "ListaDistritos",       "ListaExDistritos",
    "ListaMultEstEsp",  "ListaExPaises",       "ListaExPrefijos",      "ListaExZonasCq",
    "ListaEstEsp",      "ListaPreEsp",         "ListaDistEsp",         "ListaProvEsp",
    "ListaBandaEsp",    "ListaModoEsp",        "ListaPuntosEsp",       "ListaPuntosRefEsp",
    "ListaEstMultEsp",  "ListaPaisMultEsp",    "ListaDistritoMultEsp", "ListaPrefijoMultEsp",
    "ListaProvinciasMultEsp", "ListaZonaCqMultEsp", "ListaOtrosMultEsp", "ListaPuntosMultEsp",
};

bool IgualSinCaso(std::string_view a, std::string_view b) {
  return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()))
             .compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())), Qt::CaseInsensitive) == 0;
}

}  // namespace

Trovalis::Trovalis(std::unique_ptr<principal::ServiciosPrincipal> servicios, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::Trovalis>()), servicios_(std::move(servicios)) {
  ui_->setupUi(this);
  ConstruyeControles();
  ConectaSenales();
}

Trovalis::~Trovalis() = default;

void Trovalis::ConstruyeControles() {
  Ui::Trovalis& f = *ui_;
  Text3 = {f.Text3_0,  f.Text3_1,  f.Text3_2,  f.Text3_3,  f.Text3_4,  f.Text3_5,  f.Text3_6,  f.Text3_7,  f.Text3_8,
           f.Text3_9,  f.Text3_10, f.Text3_11, f.Text3_12, f.Text3_13, f.Text3_14, f.Text3_15, f.Text3_16, f.Text3_17,
           f.Text3_18, f.Text3_19, f.Text3_20, f.Text3_21, f.Text3_22, f.Text3_23, f.Text3_24, f.Text3_25, f.Text3_26};
  Banda = {f.Banda_0, f.Banda_1, f.Banda_2, f.Banda_3,  f.Banda_4,  f.Banda_5,  f.Banda_6,
           f.Banda_7, f.Banda_8, f.Banda_9, f.Banda_10, f.Banda_11, f.Banda_12, f.Banda_13};
  Modo = {f.Modo_0, f.Modo_1, f.Modo_2, f.Modo_3, f.Modo_4,  f.Modo_5,
          f.Modo_6, f.Modo_7, f.Modo_8, f.Modo_9, f.Modo_10, f.Modo_11};
  Impresora.push_back(f.Impresora_0);
  Combo1 = f.Combo1;
  SeleccionConcurso = f.SeleccionConcurso;
  PanelImpresora = f.PanelImpresora;
  AltaReg = f.AltaReg;
  ConsultaReg = f.ConsultaReg;
  ModificarReg = f.ModificarReg;
  BorrarReg = f.BorrarReg;
  Aceptar = f.Aceptar;
  Cancelar = f.Cancelar;
  Bases = f.Bases;
  GestionListas = f.GestionListas;
  FinClientes = f.FinClientes;
  SeleccionarImpresora = f.SeleccionarImpresora;
  AceptarImpresora = f.AceptarImpresora;
  ConfDistritosValidos = f.ConfDistritosValidos;
  ConfEstEsp = f.ConfEstEsp;
  ConfPaisesExc = f.ConfPaisesExc;
  ConfPrefijos = f.ConfPrefijos;
  ConfSiglasValidas = f.ConfSiglasValidas;
  ConfSufijo = f.ConfSufijo;
  ConfZonaExcluida = f.ConfZonaExcluida;
  ConfMultEstacionesEspeciales = f.ConfMultEstacionesEspeciales;
  Especiales = f.Especiales;
  ConfigurarCabrillo = f.ConfigurarCabrillo;
  GestionAutomatica = f.GestionAutomatica;
  GestionManual = f.GestionManual;
  VerificaNombre = f.VerificaNombre;
  EnviarNumeral = f.EnviarNumeral;
  EnviarLocator = f.EnviarLocator;
  EnviarSiglas = f.EnviarSiglas;
  RecibirNumeral = f.RecibirNumeral;
  RecibirLocator = f.RecibirLocator;
  RecibirSiglas = f.RecibirSiglas;
  RecibirPuntos = f.RecibirPuntos;
  RecibirPuntosPorKM = f.RecibirPuntosPorKM;
  SiglasONumeral = f.SiglasONumeral;
  NoRepetir = f.NoRepetir;
  RepetirEstacion = f.RepetirEstacion;
  RepetirEnCadaBanda = f.RepetirEnCadaBanda;
  RepetirEnCadaModo = f.RepetirEnCadaModo;
  RepetirCadaHoras = f.RepetirCadaHoras;
  Multiplicadores = f.Multiplicadores;
  CadaModo = f.CadaModo;
  CadaDia = f.CadaDia;
  CadaBanda = f.CadaBanda;
  CadaCuadricula = f.CadaCuadricula;
  CadaEstacion = f.CadaEstacion;
  CadaPais = f.CadaPais;
  CadaPrefijo = f.CadaPrefijo;
  CadaSufijo = f.CadaSufijo;
  CadaProv = f.CadaProv;
  CadaDistrito = f.CadaDistrito;
  CadaCq = f.CadaCq;
  Otros = f.Otros;
  CuadriculaPorBanda = f.CuadriculaPorBanda;
  EstacionPorBanda = f.EstacionPorBanda;
  PaisPorBanda = f.PaisPorBanda;
  PrefijoPorBanda = f.PrefijoPorBanda;
  SufijoPorBanda = f.SufijoPorBanda;
  ProvPorBanda = f.ProvPorBanda;
  DistritoPorBanda = f.DistritoPorBanda;
  OtrosPorBanda = f.OtrosPorBanda;
  CqPorBanda = f.CqPorBanda;
  CuadriculaPorDia = f.CuadriculaPorDia;
  EstacionPorDia = f.EstacionPorDia;
  PaisPorDia = f.PaisPorDia;
  PrefijoPorDia = f.PrefijoPorDia;
  SufijoPorDia = f.SufijoPorDia;
  ProvPorDia = f.ProvPorDia;
  DistritoPorDia = f.DistritoPorDia;
  OtrosPorDia = f.OtrosPorDia;
  CQPorDia = f.CQPorDia;
  CuadriculaPorModo = f.CuadriculaPorModo;
  EstacionPorModo = f.EstacionPorModo;
  PaisPorModo = f.PaisPorModo;
  PrefijoPorModo = f.PrefijoPorModo;
  SufijoPorModo = f.SufijoPorModo;
  ProvPorModo = f.ProvPorModo;
  DistritoPorModo = f.DistritoPorModo;
  OtrosPorModo = f.OtrosPorModo;
  CqPorModo = f.CqPorModo;
  ExcluirPais = f.ExcluirPais;
  ExcluirPrefijo = f.ExcluirPrefijo;
  ExcluirProv = f.ExcluirProv;
  ExcluirDistrito = f.ExcluirDistrito;
  ExcluirCq = f.ExcluirCq;

  listaConcursos_ = std::make_unique<ComboConcursos>(Combo1);

  // The option boxes in the order of their options (the order a load sets
  // them), and the list buttons in the order of theirs.
  casillas_ = {EnviarNumeral,
               EnviarLocator,
               EnviarSiglas,
               RecibirNumeral,
               RecibirLocator,
               RecibirSiglas,
               RecibirPuntos,
               RecibirPuntosPorKM,
               SiglasONumeral,
               NoRepetir,
               RepetirEstacion,
               RepetirEnCadaBanda,
               RepetirEnCadaModo,
               RepetirCadaHoras,
               Multiplicadores,
               CadaModo,
               CadaDia,
               CadaBanda,
               CadaCuadricula,
               CadaEstacion,
               CadaPais,
               CadaPrefijo,
               CadaSufijo,
               CadaProv,
               CadaDistrito,
               CadaCq,
               Otros,
               CuadriculaPorBanda,
               EstacionPorBanda,
               PaisPorBanda,
               PrefijoPorBanda,
               SufijoPorBanda,
               ProvPorBanda,
               DistritoPorBanda,
               OtrosPorBanda,
               CqPorBanda,
               CuadriculaPorDia,
               EstacionPorDia,
               PaisPorDia,
               PrefijoPorDia,
               SufijoPorDia,
               ProvPorDia,
               DistritoPorDia,
               OtrosPorDia,
               CQPorDia,
               CuadriculaPorModo,
               EstacionPorModo,
               PaisPorModo,
               PrefijoPorModo,
               SufijoPorModo,
               ProvPorModo,
               DistritoPorModo,
               OtrosPorModo,
               CqPorModo,
               ExcluirPais,
               ExcluirPrefijo,
               ExcluirProv,
               ExcluirDistrito,
               ExcluirCq};
  botonesLista_ = {ConfPaisesExc,    ConfPrefijos, ConfSiglasValidas, ConfDistritosValidos,
                   ConfZonaExcluida, ConfSufijo,   ConfEstEsp};
  leyendasPeriodo_ = {CadaBanda, CadaDia, CadaModo};
  for (principal::Opcion o : principal::OpcionesEnOrdenDeCarga())
    opciones_.push_back({Casilla(o), principal::ColumnaOpcion(o).data()});

  // The working lists of the contest in hand: never shown.
  for (const char* nombre : kListasOcultas) {
    auto* lista = new QListWidget(this);
    lista->setObjectName(nombre);
    lista->hide();
    listasOcultas_.push_back(lista);
  }

  for (int i = 0; i < principal::kNumeroCamposTexto; ++i) {
    Text3[static_cast<std::size_t>(i)]->setAutoFillBackground(true);
    PintaCampo(i, false);
  }
  setWindowTitle("Trovalis");
  AjustaAnchosDeTexto();
}

void Trovalis::AjustaAnchosDeTexto() {
  // The name box shows the 64 characters of its column: typed text is upper
  // case, so the width is that of 64 capitals and digits.
  const QString muestra = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ 0");
  QLineEdit* nombre = Text3[1];
  nombre->setMinimumWidth(nombre->fontMetrics().horizontalAdvance(muestra.left(64)) + 12);

  // The contest list opens wide enough for the longest entry, edition
  // included; the closed list shows the whole selected entry as its tip.
  auto ajustaLista = [this] {
    int ancho = 0;
    const QFontMetrics metricas = Combo1->view()->fontMetrics();
    for (int i = 0; i < Combo1->count(); ++i) ancho = std::max(ancho, metricas.horizontalAdvance(Combo1->itemText(i)));
    Combo1->view()->setMinimumWidth(ancho + 2 * Combo1->view()->frameWidth() + 40);
    Combo1->setToolTip(Combo1->currentText());
  };
  connect(Combo1->model(), &QAbstractItemModel::rowsInserted, this, ajustaLista);
  connect(Combo1->model(), &QAbstractItemModel::dataChanged, this, ajustaLista);
  connect(Combo1, &QComboBox::currentIndexChanged, this, ajustaLista);
}

void Trovalis::ConectaSenales() {
  // The window sees every key before the control that has it.
  installEventFilter(this);
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

  for (const OpcionEnlazada& o : opciones_) {
    QCheckBox* casilla = o.Casilla;
    connect(casilla, &QCheckBox::toggled, this, [this, casilla](bool v) { OpcionCambiada(casilla, v); });
  }
  connect(VerificaNombre, &QCheckBox::clicked, this, [this] { VerificaNombre_Click(); });
  connect(Impresora[0], &QRadioButton::toggled, this, [this](bool v) { Impresora_Click(0, v); });

  connect(AltaReg, &QPushButton::clicked, this, &Trovalis::AltaReg_Click);
  connect(ConsultaReg, &QPushButton::clicked, this, &Trovalis::ConsultaReg_Click);
  connect(ModificarReg, &QPushButton::clicked, this, &Trovalis::ModificarReg_Click);
  connect(BorrarReg, &QPushButton::clicked, this, &Trovalis::BorrarReg_Click);
  connect(Aceptar, &QPushButton::clicked, this, &Trovalis::Aceptar_Click);
  connect(Cancelar, &QPushButton::clicked, this, &Trovalis::Cancelar_Click);
  connect(GestionListas, &QPushButton::clicked, this, &Trovalis::GestionListas_Click);
  connect(Bases, &QPushButton::clicked, this, &Trovalis::Bases_Click);
  connect(FinClientes, &QPushButton::clicked, this, &Trovalis::FinClientes_Click);
  connect(SeleccionarImpresora, &QPushButton::clicked, this, &Trovalis::SeleccionarImpresora_Click);
  connect(AceptarImpresora, &QPushButton::clicked, this, &Trovalis::AceptarImpresora_Click);
  connect(ConfDistritosValidos, &QPushButton::clicked, this, &Trovalis::ConfDistritosValidos_Click);
  connect(ConfEstEsp, &QPushButton::clicked, this, &Trovalis::ConfEstEsp_Click);
  connect(ConfPaisesExc, &QPushButton::clicked, this, &Trovalis::ConfPaisesExc_Click);
  connect(ConfPrefijos, &QPushButton::clicked, this, &Trovalis::ConfPrefijos_Click);
  connect(ConfSiglasValidas, &QPushButton::clicked, this, &Trovalis::ConfSiglasValidas_Click);
  connect(ConfSufijo, &QPushButton::clicked, this, &Trovalis::ConfSufijo_Click);
  connect(ConfZonaExcluida, &QPushButton::clicked, this, &Trovalis::ConfZonaExcluida_Click);
  connect(ConfMultEstacionesEspeciales, &QPushButton::clicked, this, &Trovalis::ConfMultEstacionesEspeciales_Click);
  connect(Especiales, &QPushButton::clicked, this, &Trovalis::Especiales_Click);
  connect(ConfigurarCabrillo, &QPushButton::clicked, this, &Trovalis::ConfigurarCabrillo_Click);
}

QCheckBox* Trovalis::CasillaOpcion(std::string_view columna) const {
  for (const OpcionEnlazada& o : opciones_)
    if (IgualSinCaso(o.Columna, columna)) return o.Casilla;
  return nullptr;
}

QListWidget* Trovalis::ListaOculta(std::string_view nombre) const {
  for (QListWidget* l : listasOcultas_)
    if (IgualSinCaso(l->objectName().toStdString(), nombre)) return l;
  return nullptr;
}

int Trovalis::IndiceTexto(QObject* objeto) const {
  for (int i = 0; i < principal::kNumeroCamposTexto; ++i)
    if (Text3[static_cast<std::size_t>(i)] == objeto) return i;
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
    Contexto().HayConcursoCargado = servicios_->CargarComboConcursos(*listaConcursos_);
    Bases->setEnabled(Contexto().HayConcursoCargado);
  } catch (const principal::ErrorArranque& e) {
    PrimeraActivacion = false;
    servicios_->Mensaje(std::string(e.what()) + ":\n" + e.Fichero() + "\n\nEl programa no puede continuar.",
                        "ERROR", principal::IconoMensaje::Error);
    return false;
  }
  CargaImpresoras();
  AjustaLongitudCampos(0);
  // Deleting needs a contest in hand.
  BorrarReg->setEnabled(Contexto().HayConcursoCargado);
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
  if (Contexto().NombreConcurso == NombreConcursoDiploma) {
    servicios_->CargaTablaMunicipios();
    GestionAutomatica->setChecked(false);
    GestionManual->setChecked(true);
  }
  ActualizaFicherosListasNoEnviadas();
  ActualizaBotones();
  AltaReg->setFocus();
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
    case Qt::Key_F2: boton = AltaReg; break;
    case Qt::Key_F3: boton = ConsultaReg; break;
    case Qt::Key_F4: boton = ModificarReg; break;
    case Qt::Key_F5: boton = BorrarReg; break;
    case Qt::Key_F6: boton = Bases; break;
    case Qt::Key_F7: boton = GestionListas; break;
    case Qt::Key_F12: boton = Aceptar; break;
    case Qt::Key_Escape: boton = Cancelar; break;
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
    QLineEdit* t = Text3[static_cast<std::size_t>(i)];
    return t->isEnabled() && t->isVisibleTo(this);
  });
  if (destino >= 0) Text3[static_cast<std::size_t>(destino)]->setFocus(Qt::OtherFocusReason);
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
  std::vector<std::string> nombres = servicios_->Impresoras();
  std::string actual = servicios_->ImpresoraActual();
  QVBoxLayout* capa = ui_->ListaImpresoras;
  if (nombres.empty()) {
    // No printer installed: the panel says so instead of showing no option.
    Impresora[0]->setText(QString());
    Impresora[0]->hide();
    if (!sinImpresoras_) {
      sinImpresoras_ = new QLabel("No hay ninguna impresora instalada", PanelImpresora);
      sinImpresoras_->setObjectName("SinImpresoras");
      capa->addWidget(sinImpresoras_);
    }
    return;
  }
  Impresora[0]->setText(QString::fromStdString(nombres[0]));
  Impresora[0]->show();
  for (std::size_t i = 1; i < nombres.size(); ++i) {
    auto* opcion = new QRadioButton(QString::fromStdString(nombres[i]), PanelImpresora);
    opcion->setObjectName(QString("Impresora_%1").arg(i));
    capa->addWidget(opcion);
    opcion->installEventFilter(this);
    int indice = static_cast<int>(i);
    connect(opcion, &QRadioButton::toggled, this, [this, indice](bool v) { Impresora_Click(indice, v); });
    Impresora.push_back(opcion);
  }
  for (QRadioButton* opcion : Impresora)
    if (opcion->text().toStdString() == actual) opcion->setChecked(true);
}

void Trovalis::Impresora_Click(int indice, bool valor) {
  if (valor) MiImpresora = static_cast<std::int16_t>(indice);
}

void Trovalis::SeleccionarImpresora_Click() {
  DesactivarBotones();
  PanelImpresora->show();
  if (!Impresora.empty() && Impresora[0]->isVisibleTo(this)) Impresora[static_cast<std::size_t>(MiImpresora)]->setFocus();
}

void Trovalis::AceptarImpresora_Click() {
  for (QRadioButton* opcion : Impresora) {
    if (opcion->isVisibleTo(this) && opcion->isChecked()) {
      servicios_->EstableceImpresora(Impresora[static_cast<std::size_t>(MiImpresora)]->text().toStdString());
      break;
    }
  }
  PanelImpresora->hide();
  ActualizaBotones();
}

// ---------------------------------------------------------------- other windows

void Trovalis::GestionListas_Click() {
  Contexto().NombreConcurso = Text3[1]->text().toStdString();
  Contexto().EdicionConcurso = Text3[2]->text().toStdString();
  if (servicios_->AbreVentana(VentanaSecundaria::GestionCorreo, *this)) hide();
  QDir::setCurrent(QString::fromStdString(Contexto().CarpetaTrabajo));
}

void Trovalis::Bases_Click() {
  // The rules window takes this window's place and shows it again on close.
  hide();
  if (!servicios_->AbreVentana(VentanaSecundaria::BasesConcurso, *this)) show();
}

std::unique_ptr<rules::EnlaceFormatoCabrillo> Trovalis::EnlaceFormato() {
  return std::make_unique<principal::EnlaceFormatoTrovalis>(*this);
}

std::unique_ptr<rules::EnlaceBasesConcurso> Trovalis::EnlaceBases() {
  return std::make_unique<principal::EnlaceBasesTrovalis>(this, Contexto());
}

std::unique_ptr<listeditors::EnlaceListProv> Trovalis::EnlaceListas() {
  return std::make_unique<principal::EnlaceListasTrovalis>(*this);
}

std::unique_ptr<mail::EnlaceGesAutomatica> Trovalis::EnlaceCorreo() {
  return std::make_unique<principal::EnlaceCorreoTrovalis>(this);
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
    Text3[1]->setFocus();
  else
    AltaReg->setFocus();
}

void Trovalis::ConfDistritosValidos_Click() { AbreVentanaListas(VentanaSecundaria::ListasProvincias); }
void Trovalis::ConfEstEsp_Click() { AbreVentanaListas(VentanaSecundaria::ListasProvincias); }
void Trovalis::ConfPaisesExc_Click() { AbreVentanaListas(VentanaSecundaria::ListasProvincias); }
void Trovalis::ConfPrefijos_Click() { AbreVentanaListas(VentanaSecundaria::ListasProvincias); }
void Trovalis::ConfSiglasValidas_Click() { AbreVentanaListas(VentanaSecundaria::ListasProvincias); }
void Trovalis::ConfSufijo_Click() { AbreVentanaListas(VentanaSecundaria::ListasProvincias); }
void Trovalis::ConfZonaExcluida_Click() { AbreVentanaListas(VentanaSecundaria::ListasProvincias); }
void Trovalis::ConfMultEstacionesEspeciales_Click() { AbreVentanaListas(VentanaSecundaria::MultEspeciales); }
void Trovalis::Especiales_Click() { AbreVentanaListas(VentanaSecundaria::EstacionesEspeciales); }
void Trovalis::ConfigurarCabrillo_Click() { AbreVentanaListas(VentanaSecundaria::FormatoCabrillo); }

void Trovalis::FinClientes_Click() {
  QDir::setCurrent(QString::fromStdString(Contexto().CarpetaTrabajo));
  close();
}

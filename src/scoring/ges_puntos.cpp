#include "scoring/ges_puntos.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <exception>
#include <span>
#include <vector>

#include "common/controles_ventana.h"
#include "common/panel_progreso.h"
#include "common/ventanas.h"
#include "common/vista_edicion.h"
#include "database/estado.h"
#include "plataforma/mensajes.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/calculo_puntuaciones.h"
#include "scoring/cruce_listas.h"
#include "scoring/opciones_anulacion.h"
#include "ui_ges_puntos.h"

namespace scoring {

namespace {

// The caption of a shown file: the name up to, not including, its
// extension; the whole name when it has none.
std::string HastaExtension(const std::string& nombre, const std::string& donde, std::string_view extension) {
  const std::size_t p = donde.find(extension);
  return p == std::string::npos ? nombre : nombre.substr(0, p);
}

}  // namespace

GesPuntos::GesPuntos(std::unique_ptr<EnlaceGesPuntos> correo, std::unique_ptr<AccionesPuntuacion> acciones,
                     QWidget* padre)
    : QWidget(padre),
      correo_(std::move(correo)),
      acciones_(acciones ? std::move(acciones) : std::make_unique<AccionesCalculoPuntuaciones>(*correo_)),
      ui_(std::make_unique<Ui::GesPuntos>()),
      edicion_(correo_->CarpetaConcurso(), {}) {
  ui_->setupUi(this);
  ui_->FicheroCabrillo->setFont(FuenteFija());
  ui_->AnularPorModoDistinto->setVisible(false);
  // Digits only, also when text is pasted.
  ui_->NumeroListas->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), ui_->NumeroListas));

  MideTextosUnaVez(this);
  progreso_ = std::make_unique<PanelProgreso>(ui_->LProceso, ui_->Proceso, false);
  progreso_->AntesDeRepintar([this] { MuestraCruzada(); });
  edicion_.AlCambiar = [this](ListaEdicion lista) { MuestraLista(lista); };

  connect(ui_->Cruzar, &QPushButton::clicked, this, &GesPuntos::Cruzar_Click);
  connect(ui_->Calcular, &QPushButton::clicked, this, &GesPuntos::Calcular_Click);
  connect(ui_->Clasificaciones, &QPushButton::clicked, this, &GesPuntos::Clasificaciones_Click);
  connect(ui_->FinClientes, &QPushButton::clicked, this, &GesPuntos::FinClientes_Click);
  connect(ui_->Imprimir, &QPushButton::clicked, this, &GesPuntos::Imprimir_Click);
  for (QListWidget* visor : {ui_->ListasValidas, ui_->ListasCruzadas, ui_->ListasQsoAnulados, ui_->ListasPuntuaciones})
    connect(visor, &QListWidget::itemSelectionChanged, this, [this, visor] { MuestraFichero(visor); });
  // The lists for reading only keep no selection.
  for (QListWidget* lectura :
       {ui_->ListasDeControl, ui_->ListasNoEnviadasPorIndicativo, ui_->ListasNoEnviadasPorNumero})
    connect(lectura, &QListWidget::itemClicked, lectura, [lectura] { lectura->clearSelection(); });
  for (std::size_t i = 0; i < kColumnasAnulacion.size(); ++i) casillas_[i] = Casilla(kColumnasAnulacion[i].first);
  ConectaOpciones();
  for (QCheckBox* casilla : casillas_)
    connect(casilla, &QCheckBox::toggled, this, [this] { opciones_al_dia_ = false; });
  connect(ui_->NumeroListas, &QLineEdit::textChanged, this, [this] { opciones_al_dia_ = false; });

  installEventFilter(this);
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

GesPuntos::~GesPuntos() = default;

// ------------------------------------------------------------- loading

void GesPuntos::Form_Load() {
  // As large as its controls ask, within the screen's free area.
  QSize tamano = sizeHint();
  if (QScreen* pantalla = screen()) tamano = tamano.boundedTo(pantalla->availableGeometry().size());
  resize(tamano);
  ::CentraFormulario(this);
  CargandoOpciones = true;
  for (ListaEdicion lista :
       {ListaEdicion::Validas, ListaEdicion::Cruzadas, ListaEdicion::QsoAnulados, ListaEdicion::Puntuaciones,
        ListaEdicion::NoEnviadasPorIndicativo, ListaEdicion::NoEnviadasPorNumero, ListaEdicion::DeControl})
    edicion_.Lee(lista);
  CargaOpcionesAnulacion();
  CargandoOpciones = false;
  if (correo_->HayListasNuevas()) edicion_.DescartaResultadosCruce();
  show();
}

void GesPuntos::CargaOpcionesAnulacion() {
  OpcionesAnulacion guardadas;
  scoring::CargaOpcionesAnulacion(correo_->BaseConcursos(), correo_->NumeroConcurso(), guardadas);
  for (std::size_t i = 0; i < kColumnasAnulacion.size(); ++i)
    casillas_[i]->setChecked(guardadas.*kColumnasAnulacion[i].second);
  ui_->NumeroListas->setText(Q(guardadas.NumeroListas));
}

OpcionesAnulacion GesPuntos::Opciones() const {
  OpcionesAnulacion o;
  for (std::size_t i = 0; i < kColumnasAnulacion.size(); ++i) o.*kColumnasAnulacion[i].second = casillas_[i]->isChecked();
  o.NumeroListas = ui_->NumeroListas->text().toStdString();
  return o;
}

QCheckBox* GesPuntos::Casilla(std::string_view nombre) const {
  for (QCheckBox* casilla : findChildren<QCheckBox*>())
    if (plataforma::IgualesSinCaso(casilla->objectName().toStdString(), nombre)) return casilla;
  return nullptr;
}

// ------------------------------------------------------------- options

void GesPuntos::ConectaOpciones() {
  for (const auto& columna : kColumnasAnulacion) {
    QCheckBox* casilla = Casilla(columna.first);
    connect(casilla, &QCheckBox::toggled, this, [this, casilla](bool valor) { Opcion_Click(casilla, valor); });
  }
}

void GesPuntos::Opcion_Click(QCheckBox* casilla, bool valor) {
  Ui::GesPuntos& u = *ui_;
  const bool propia_de_carga = casilla == u.AnularQSO || casilla == u.AnularQSOSiNoEstaEN;
  // While loading, these two do nothing at all.
  if (CargandoOpciones && propia_de_carga) return;
  if (!CargandoOpciones) edicion_.DescartaResultadosCruce();

  QCheckBox* const cuentas[] = {u.AnularDos, u.AnularCinco, u.AnularDiez, u.AnularQuince};
  if (std::find(std::begin(cuentas), std::end(cuentas), casilla) != std::end(cuentas)) {
    if (valor)
      for (QCheckBox* otra : cuentas)
        if (otra != casilla) otra->setChecked(false);
  } else if (casilla == u.AnularPorBandaDistinta) {
    if (valor) {
      u.AnularPorControlesDistintos->setChecked(true);
    } else {
      u.AnularPorControlesDistintos->setChecked(false);
      u.AnularPorRstDistinto->setChecked(false);
    }
  } else if (casilla == u.AnularPorControlesDistintos) {
    u.AnularPorBandaDistinta->setChecked(valor);
  } else if (casilla == u.AnularPorRstDistinto) {
    if (valor && !u.AnularPorBandaDistinta->isChecked()) u.AnularPorBandaDistinta->setChecked(true);
  } else if (casilla == u.AnularQSO) {
    if (valor) {
      u.AnularQSOSiNoEstaEN->setChecked(false);
      u.NumeroListas->clear();
      u.NumeroListas->setEnabled(false);
    }
  } else if (casilla == u.AnularQSOSiNoEstaEN) {
    if (valor) {
      u.AnularQSO->setChecked(false);
      u.NumeroListas->setEnabled(true);
      u.NumeroListas->setFocus();
    }
  }
}

// ------------------------------------------------------------- buttons

bool GesPuntos::FaltaNumeroListas() {
  if (!ui_->AnularQSOSiNoEstaEN->isChecked() || !ui_->NumeroListas->text().isEmpty()) return false;
  plataforma::MsgBox("Falta el número de listas", "ERROR EN NÚMERO DE LISTAS", plataforma::Icono::Error);
  ui_->NumeroListas->setFocus();
  return true;
}

void GesPuntos::Cruzar_Click() {
  if (FaltaNumeroListas()) return;
  if (ui_->ListasValidas->count() == 0) {
    plataforma::MsgBox("No hay LISTAS VÁLIDAS", "ERROR", plataforma::Icono::Error);
    return;
  }
  DeshabilitaControles();
  ui_->FicheroCabrillo->clear();
  ConcursoCruce concurso;
  concurso.Base = &correo_->BaseConcursos();
  concurso.NumeroOrden = correo_->NumeroConcurso();
  concurso.Paises = correo_->Paises();
  concurso.SociosZurozi = SociosZurozi();
  bool hecho = false;
  progreso_->Empieza(edicion_.Lista(ListaEdicion::Validas));
  try {
    // The run reads the options at every QSO: they are read from the boxes
    // only when one has changed. Each crossed log's lines are shown in the
    // viewer when the window is next repainted (and when the run ends).
    CruzaListas(
        edicion_, *this, concurso,
        [this] {
          if (!opciones_al_dia_) {
            opciones_ = Opciones();
            opciones_al_dia_ = true;
          }
          return opciones_;
        },
        MetodoCruce::Indexado,
        [this](const std::string&, const std::vector<std::string>& lineas) {
          // Into the texts kept from the logs before, which only grow.
          if (cruzada_.size() < lineas.size()) cruzada_.resize(lineas.size());
          for (std::size_t i = 0; i < lineas.size(); ++i) cruzada_[i].assign(lineas[i]);
          lineas_cruzada_ = lineas.size();
          if (!cruzada_pendiente_) ui_->FicheroCabrillo->viewport()->update();
          cruzada_pendiente_ = true;
        });
    progreso_->Termina();
    hecho = true;
  } catch (const std::exception& error) {
    progreso_->Abandona();
    ui_->LProceso->setText(QStringLiteral("Procesando"));
    plataforma::MsgBox(std::string("No se ha podido completar el cruce de listas: ") + error.what(), "ERROR",
                       plataforma::Icono::Error);
  }
  if (hecho) correo_->PonHayListasNuevas(false);
  HabilitaControles();
}

void GesPuntos::Calcular_Click() {
  if (ui_->ListasCruzadas->count() == 0) {
    plataforma::MsgBox("No se han cruzado las listas de los concursantes", "ERROR", plataforma::Icono::Error);
    return;
  }
  edicion_.DescartaPuntuaciones();
  DeshabilitaControles();
  progreso_->Empieza(edicion_.Lista(ListaEdicion::Cruzadas));
  try {
    acciones_->CalculaPuntuaciones(edicion_, *this);
    progreso_->Termina();
  } catch (const std::exception& error) {
    progreso_->Abandona();
    plataforma::MsgBox(std::string("No se ha podido completar el cálculo de puntos: ") + error.what(), "ERROR",
                       plataforma::Icono::Error);
  }
  HabilitaControles();
}

void GesPuntos::Clasificaciones_Click() {
  if (ui_->ListasPuntuaciones->count() == 0) {
    plataforma::MsgBox("No se ha calculado las puntuaciones de los concursantes", "ERROR", plataforma::Icono::Error);
    return;
  }
  hide();
  QPointer<GesPuntos> yo(this);
  acciones_->AbreClasificaciones([yo] {
    if (yo) yo->show();
  });
}

void GesPuntos::FinClientes_Click() {
  GuardaOpcionesAnulacion(correo_->BaseConcursos(), correo_->NumeroConcurso(), Opciones());
  if (FaltaNumeroListas()) return;
  close();
}

void GesPuntos::Imprimir_Click() {
  ::ImprimeLista(correo_->Impresora(), *ui_->FicheroCabrillo, ui_->Lista->title().toStdString());
}

void GesPuntos::DeshabilitaControles() { PonControlesDeEjecucion(false); }
void GesPuntos::HabilitaControles() { PonControlesDeEjecucion(true); }

void GesPuntos::PonControlesDeEjecucion(bool habilitados) {
  ejecutando_ = !habilitados;
  for (QWidget* w : std::initializer_list<QWidget*>{ui_->Cruzar, ui_->Calcular, ui_->Clasificaciones, ui_->FinClientes,
                                                    ui_->SSFrame2, ui_->SSFrame3, ui_->SSFrame4,
                                                    // What the run walks or writes, kept still while it yields.
                                                    ui_->SSFrame5, ui_->ListasValidas, ui_->ListasCruzadas,
                                                    ui_->ListasQsoAnulados, ui_->ListasPuntuaciones})
    w->setEnabled(habilitados);
}

// ------------------------------------------------------------- viewers

void GesPuntos::MuestraFichero(QListWidget* lista) {
  const QList<QListWidgetItem*> elegidos = lista->selectedItems();
  if (elegidos.isEmpty()) return;
  const std::string nombre = elegidos.front()->text().toStdString();
  const std::string mayusculas = plataforma::Mayusculas(nombre);
  Ui::GesPuntos& u = *ui_;
  std::string titulo, carpeta;
  if (lista == u.ListasValidas) {
    titulo = "Lista VÁLIDA de " + HastaExtension(mayusculas, mayusculas, ".LOG");
    carpeta = "ListasValidas";
  } else if (lista == u.ListasCruzadas) {
    titulo = "Lista CRUZADA de " + HastaExtension(mayusculas, mayusculas, ".LOG");
    carpeta = "ListasCruzadas";
  } else if (lista == u.ListasQsoAnulados) {
    titulo = "Lista de QSO ANULADOS de " + HastaExtension(nombre, nombre, ".NUL");
    carpeta = "ListasQsoAnulados";
  } else {
    titulo = "PUNTOS de " + HastaExtension(nombre, mayusculas, ".PTS");
    carpeta = "ListasPuntuaciones";
  }
  for (QListWidget* otra : {u.ListasValidas, u.ListasCruzadas, u.ListasQsoAnulados, u.ListasPuntuaciones})
    if (otra != lista) {
      const QSignalBlocker bloqueo(otra);
      otra->clearSelection();
    }
  u.FicheroCabrillo->clear();
  u.Lista->setTitle(Q(titulo));
  std::vector<std::string> lineas;
  const std::string ruta = plataforma::ResuelveRuta(
      plataforma::UneRuta(plataforma::UneRuta(correo_->CarpetaConcurso(), carpeta), plataforma::NombreSeguro(nombre)));
  plataforma::LeerLineas(ruta, lineas);  // a file gone meanwhile shows empty
  LlenaLista(u.FicheroCabrillo, lineas);
}

void GesPuntos::MuestraCruzada() {
  if (!cruzada_pendiente_) return;
  cruzada_pendiente_ = false;
  LlenaLista(ui_->FicheroCabrillo, std::span<const std::string>(cruzada_.data(), lineas_cruzada_));
}

// ------------------------------------------------------------- the edition

void GesPuntos::MuestraLista(ListaEdicion lista) {
  Ui::GesPuntos& u = *ui_;
  // The list boxes of the window and their count labels.
  const struct {
    ListaEdicion lista;
    QListWidget* caja;
    QLabel* cuenta;
  } controles[] = {
      {ListaEdicion::Validas, u.ListasValidas, u.LValidas},
      {ListaEdicion::Cruzadas, u.ListasCruzadas, u.LCruzadas},
      {ListaEdicion::QsoAnulados, u.ListasQsoAnulados, u.LAnulados},
      {ListaEdicion::Puntuaciones, u.ListasPuntuaciones, u.LPuntuaciones},
      {ListaEdicion::NoEnviadasPorIndicativo, u.ListasNoEnviadasPorIndicativo, u.Label6},
      {ListaEdicion::NoEnviadasPorNumero, u.ListasNoEnviadasPorNumero, nullptr},
      {ListaEdicion::DeControl, u.ListasDeControl, u.LDeControl},
  };
  for (const auto& c : controles) {
    if (c.lista != lista) continue;
    // Discarded results show no count; "NO ENVIADAS" for the stations
    // without log.
    MuestraListaEdicion(edicion_, lista, c.caja, c.cuenta,
                        c.cuenta == u.Label6 ? QStringLiteral("NO ENVIADAS") : QString());
    return;
  }
}

// ------------------------------------------------------------- ProgresoEtapa

void GesPuntos::Paso(const std::string& texto) { progreso_->PonTexto(texto); }

void GesPuntos::Porcentaje(int porcentaje) { progreso_->PonProgreso(porcentaje); }

void GesPuntos::Fallo(const std::string& texto, const std::string& titulo) {
  progreso_->PonAlDia();
  plataforma::MsgBox(texto, titulo, plataforma::Icono::Error);
}

bool GesPuntos::Pregunta(const std::string& texto, const std::string& titulo) {
  progreso_->PonAlDia();
  return plataforma::MsgBox(texto, titulo, plataforma::Icono::Pregunta, plataforma::Botones::SiNo) ==
         plataforma::Respuesta::Si;
}

void GesPuntos::Cede() { progreso_->Cede(); }


// ------------------------------------------------------------- keys, closing

bool GesPuntos::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    if (Form_KeyDown(tecla->key(), tecla->modifiers())) return true;
    if (objeto == ui_->NumeroListas) {
      // Digits and Backspace; any other character beeps and is dropped.
      const QString texto = tecla->text();
      if (tecla->key() != Qt::Key_Backspace && texto.size() == 1 && texto[0].isPrint() && !texto[0].isDigit()) {
        QApplication::beep();
        return true;
      }
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

bool GesPuntos::Form_KeyDown(int tecla, Qt::KeyboardModifiers modificadores) {
  return PulsaBotonDeTecla(
      tecla, modificadores,
      {{Qt::Key_F2, ui_->Cruzar}, {Qt::Key_F3, ui_->Calcular}, {Qt::Key_F4, ui_->Clasificaciones}});
}

void GesPuntos::closeEvent(QCloseEvent* evento) {
  // A run in progress keeps its window.
  if (ejecutando_) {
    evento->ignore();
    return;
  }
  Form_Unload();
  evento->accept();
}

void GesPuntos::Form_Unload() {
  if (descargada_) return;
  descargada_ = true;
  correo_->MuestraVentanaCorreo();
}

GesPuntos* AbreGesPuntos(std::unique_ptr<EnlaceGesPuntos> correo, std::unique_ptr<AccionesPuntuacion> acciones) {
  auto* ventana = new GesPuntos(std::move(correo), std::move(acciones));
  ventana->setAttribute(Qt::WA_DeleteOnClose);
  ventana->Form_Load();
  return ventana;
}

}  // namespace scoring

#include "award/ges_diploma_cantabria.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <exception>

#include "common/controles_ventana.h"
#include "common/ventanas.h"
#include "common/vista_edicion.h"
#include "database/concursos_especiales.h"
#include "database/estado.h"
#include "plataforma/fuente_fija.h"
#include "plataforma/mensajes.h"
#include "plataforma/texto.h"
#include "ui_ges_diploma_cantabria.h"

namespace award {

namespace {

// Widest texts the statistics lists show, in characters at the design's
// column factor: a code and the longest district name from column 24; a
// district name with its count from column 20; a code and the longest
// municipality name from column 8.
// Outer width of the window as designed, in twips (1/1440 inch).
constexpr int kAnchoDisenoTwips = 13200;

constexpr int kAnchoListaDME = 24 + 17;
constexpr int kAnchoListaComarcas = 20 + 10;
constexpr int kAnchoListaMunicipios = 8 + 27;

int SeleccionDe(const QListWidget* lista) {
  const QList<QListWidgetItem*> elegidos = lista->selectedItems();
  return elegidos.isEmpty() ? -1 : lista->row(elegidos.front());
}

}  // namespace

GesDiplomaCantabria::GesDiplomaCantabria(std::string carpeta_concurso, std::string carpeta_trabajo,
                                         std::function<void()> al_cerrar, QWidget* padre)
    : QWidget(padre, Qt::Window),
      carpeta_concurso_(std::move(carpeta_concurso)),
      carpeta_trabajo_(std::move(carpeta_trabajo)),
      al_cerrar_(std::move(al_cerrar)),
      ui_(std::make_unique<Ui::GesDiplomaCantabria>()),
      edicion_(carpeta_concurso_, std::string(concursos::NombreDiploma())) {
  ui_->setupUi(this);
  ui_->FicheroCabrillo->setVisible(false);

  const QFont fija = plataforma::FuenteDePasoFijo(9, false);
  const QFontMetrics medidas(fija);
  const int barra = ui_->ListaDME->verticalScrollBar()->sizeHint().width();
  for (QWidget* w : std::initializer_list<QWidget*>{ui_->ListasAdmitidas, ui_->ListaDME, ui_->ListaComarcas,
                                                    ui_->ListaMunicipios, ui_->FicheroCabrillo, ui_->CabeceraListaDME,
                                                    ui_->CabeceraListaComarcas, ui_->CabeceraListaMunicipios})
    w->setFont(fija);
  auto ancho = [&](int caracteres) { return medidas.horizontalAdvance(QString(caracteres + 2, QChar('0'))) + barra; };
  ui_->ListaDME->setMinimumWidth(ancho(kAnchoListaDME));
  ui_->ListaComarcas->setMinimumWidth(ancho(kAnchoListaComarcas));
  ui_->ListaMunicipios->setMinimumWidth(ancho(kAnchoListaMunicipios));
  ui_->ListasAdmitidas->setMinimumWidth(ancho(14));
  // Ten districts in sight without scrolling.
  ui_->ListaComarcas->setMinimumHeight(medidas.lineSpacing() * 11 + 2 * ui_->ListaComarcas->frameWidth());
  for (QListWidget* l : findChildren<QListWidget*>()) l->setSelectionMode(QAbstractItemView::SingleSelection);

  edicion_.AlCambiar = [this](ListaEdicion lista) { MuestraLista(lista); };

  connect(ui_->ExpedirDiploma, &QPushButton::clicked, this, &GesDiplomaCantabria::ExpedirDiploma_Click);
  connect(ui_->Salir, &QPushButton::clicked, this, &GesDiplomaCantabria::Salir_Click);
  connect(ui_->ListasAdmitidas, &QListWidget::itemSelectionChanged, this, &GesDiplomaCantabria::ListasAdmitidas_Click);
  connect(ui_->ListaComarcas, &QListWidget::itemSelectionChanged, this, &GesDiplomaCantabria::ListaComarcas_Click);
  for (QListWidget* l : {ui_->ListaBroncePendientes, ui_->ListaPlataPendientes, ui_->ListaOroPendientes})
    connect(l, &QListWidget::itemSelectionChanged, this, [this, l] { ListaPendientes_Click(l); });
}

GesDiplomaCantabria::~GesDiplomaCantabria() = default;

// ------------------------------------------------------------- opening

void GesDiplomaCantabria::Form_Load() {
  // The design width keeps the column factor of the entries at 1; the
  // height is what the controls ask, within the screen's free area.
  const int ppp = logicalDpiX() > 0 ? logicalDpiX() : 96;
  const int ancho_diseno = kAnchoDisenoTwips * ppp / 1440;
  QSize tamano(std::max(minimumSizeHint().width(), std::min(sizeHint().width(), ancho_diseno)), 0);
  tamano.setHeight(std::max(sizeHint().height(), heightForWidth(tamano.width())));
  if (QScreen* pantalla = screen()) tamano = tamano.boundedTo(pantalla->availableGeometry().size());
  resize(tamano);
  ::CentraFormulario(this);
  show();
  SalirPulsado = false;
  edicion_.Lee(ListaEdicion::Admitidas);
  ui_->ListasAdmitidas->clearSelection();
  EvaluaDiplomas();
}

void GesDiplomaCantabria::EvaluaDiplomas() {
  const std::vector<std::string> admitidas = edicion_.Lista(ListaEdicion::Admitidas);

  PonControlesDeEvaluacion(false);
  std::vector<std::string> ilegibles;
  std::string error;
  listas_leidas_ = false;
  try {
    // Read on their own first: a list that cannot be written later on leaves
    // the issued lists in hand, and issuing can go on over them.
    CargaDiplomasExpedidos(carpeta_concurso_, listas_);
    listas_leidas_ = true;
    ilegibles = award::EvaluaDiplomas(carpeta_concurso_, admitidas, listas_, *this);
  } catch (const std::exception& e) {
    error = e.what();
  }
  PonControlesDeEvaluacion(true);
  ui_->ExpedirDiploma->setEnabled(listas_leidas_);
  MuestraListasDiplomas();

  if (!error.empty())
    plataforma::MsgBox("No se han podido guardar o leer las listas de diplomas: " + error, "ERROR",
                       plataforma::Icono::Error);
  if (!ilegibles.empty()) {
    std::string texto = "No se han podido leer estas listas admitidas; no se han evaluado:\n";
    for (const std::string& n : ilegibles) texto += "\n" + n;
    plataforma::MsgBox(texto, "ERROR", plataforma::Icono::Error);
  }
  if (ui_->ListasAdmitidas->count() > 0) ui_->ListasAdmitidas->setCurrentRow(0);
}

void GesDiplomaCantabria::MuestraListasDiplomas() {
  QListWidget* const pendientes[] = {ui_->ListaBroncePendientes, ui_->ListaPlataPendientes, ui_->ListaOroPendientes};
  QListWidget* const expedidos[] = {ui_->ListaExpedidosBronce, ui_->ListaExpedidosPlata, ui_->ListaExpedidosOro};
  for (Nivel n : kNiveles) {
    Llena(pendientes[static_cast<int>(n)], listas_.PendientesDe(n));
    Llena(expedidos[static_cast<int>(n)], listas_.ExpedidosDe(n));
  }
}

void GesDiplomaCantabria::Llena(QListWidget* lista, const std::vector<std::string>& entradas) {
  const QSignalBlocker bloqueo(lista);
  lista->clear();
  for (const std::string& e : entradas) lista->addItem(Q(plataforma::RecortaDer(e)));
}

void GesDiplomaCantabria::PonControlesDeEvaluacion(bool habilitados) {
  evaluando_ = !habilitados;
  for (QWidget* w : std::initializer_list<QWidget*>{
           ui_->ExpedirDiploma, ui_->Salir, ui_->ListasAdmitidas, ui_->ListaBroncePendientes, ui_->ListaPlataPendientes,
           ui_->ListaOroPendientes, ui_->ListaExpedidosBronce, ui_->ListaExpedidosPlata, ui_->ListaExpedidosOro,
           ui_->ListaDME, ui_->ListaComarcas, ui_->ListaMunicipios})
    w->setEnabled(habilitados);
}

int GesDiplomaCantabria::FactorColumnasActual() const {
  const int ppp = logicalDpiX() > 0 ? logicalDpiX() : 96;
  return FactorColumnas(static_cast<long>(frameGeometry().width()) * 1440 / ppp);
}

// ------------------------------------------------------------- buttons

void GesDiplomaCantabria::ExpedirDiploma_Click() {
  if (!listas_leidas_) return;
  QListWidget* const pendientes[] = {ui_->ListaBroncePendientes, ui_->ListaPlataPendientes, ui_->ListaOroPendientes};
  for (Nivel n : kNiveles) {
    const int fila = SeleccionDe(pendientes[static_cast<int>(n)]);
    if (fila >= 0) ExpideDiploma(listas_, n, static_cast<std::size_t>(fila));
  }
  MuestraListasDiplomas();
  try {
    GuardaListasDiplomas(carpeta_concurso_, listas_);
  } catch (const std::exception& e) {
    plataforma::MsgBox(std::string("No se han podido guardar las listas de diplomas: ") + e.what(), "ERROR",
                       plataforma::Icono::Error);
  }
}

void GesDiplomaCantabria::Salir_Click() {
  SalirPulsado = true;
  close();
}

// ------------------------------------------------------------- selections

void GesDiplomaCantabria::ListaPendientes_Click(QListWidget* lista) {
  if (SeleccionDe(lista) < 0) return;
  for (QListWidget* otra : {ui_->ListaBroncePendientes, ui_->ListaPlataPendientes, ui_->ListaOroPendientes})
    if (otra != lista) {
      const QSignalBlocker bloqueo(otra);
      otra->clearSelection();
    }
}

void GesDiplomaCantabria::ListasAdmitidas_Click() {
  const int fila = SeleccionDe(ui_->ListasAdmitidas);
  if (fila < 0) return;
  const int k = FactorColumnasActual();
  const std::string nombre = ui_->ListasAdmitidas->item(fila)->text().toStdString();
  {
    const QSignalBlocker bloqueo(ui_->ListaComarcas);
    ui_->ListaDME->clear();
    ui_->ListaComarcas->clear();
    ui_->ListaMunicipios->clear();
    ui_->FicheroCabrillo->clear();
  }
  std::vector<std::string> lineas;
  LeeListaAdmitida(carpeta_concurso_, nombre, lineas);  // a log gone meanwhile counts nothing
  for (const std::string& l : lineas) ui_->FicheroCabrillo->addItem(Q(l));
  recuento_ = CargaMunicipiosContactados(lineas, k);
  Llena(ui_->ListaDME, recuento_.ListaDME);
  Llena(ui_->ListaComarcas, EntradasComarcas(recuento_, k));
  ui_->CabeceraListaDME->setText(Q(CabeceraListaDME(k)));
  ui_->CabeceraListaComarcas->setText(Q(CabeceraListaComarcas(k)));
  ui_->Label6->setText(Q("ESTACIÓN " + IndicativoDeLista(nombre) + " - MUNICIPIOS CONTACTADOS " +
                         std::to_string(recuento_.ListaDME.size())));
  ui_->ListaComarcas->setCurrentRow(0);
}

void GesDiplomaCantabria::ListaComarcas_Click() {
  const int k = FactorColumnasActual();
  ui_->ListaMunicipios->clear();
  ui_->CabeceraListaMunicipios->setText(Q(CabeceraListaMunicipios(k)));
  const int fila = SeleccionDe(ui_->ListaComarcas);
  if (fila < 0) return;
  Llena(ui_->ListaMunicipios, EntradasMunicipiosComarca(recuento_, fila + 1, k));
}

// ------------------------------------------------------------- the edition

void GesDiplomaCantabria::MuestraLista(ListaEdicion lista) {
  if (lista == ListaEdicion::Admitidas) MuestraListaEdicion(edicion_, lista, ui_->ListasAdmitidas, ui_->LAdmitidas);
}

// ------------------------------------------------------------- ProgresoEtapa

void GesDiplomaCantabria::Paso(const std::string& texto) { ui_->LProceso->setText(Q(texto)); }

void GesDiplomaCantabria::Porcentaje(int porcentaje) { ui_->Proceso->setValue(porcentaje); }

void GesDiplomaCantabria::Fallo(const std::string& texto, const std::string& titulo) {
  plataforma::MsgBox(texto, titulo, plataforma::Icono::Error);
}

bool GesDiplomaCantabria::Pregunta(const std::string& texto, const std::string& titulo) {
  return plataforma::MsgBox(texto, titulo, plataforma::Icono::Pregunta, plataforma::Botones::SiNo) ==
         plataforma::Respuesta::Si;
}

void GesDiplomaCantabria::Cede() {
  // Often enough to keep the window painted, not after every one of many
  // thousand lines.
  if (desde_cesion_.isValid() && desde_cesion_.elapsed() < 15) return;
  QCoreApplication::processEvents();
  desde_cesion_.start();
}

// ------------------------------------------------------------- closing

void GesDiplomaCantabria::closeEvent(QCloseEvent* evento) {
  // Only `Salir` closes the window, and never while the evaluation runs.
  if (!SalirPulsado || evaluando_) {
    SalirPulsado = false;
    evento->ignore();
    return;
  }
  evento->accept();
  if (descargada_) return;
  descargada_ = true;
  if (al_cerrar_) al_cerrar_();
}

GesDiplomaCantabria* AbreGesDiplomaCantabria(std::string carpeta_concurso, std::string carpeta_trabajo,
                                             std::function<void()> al_cerrar, QWidget* padre) {
  auto* ventana =
      new GesDiplomaCantabria(std::move(carpeta_concurso), std::move(carpeta_trabajo), std::move(al_cerrar), padre);
  ventana->setAttribute(Qt::WA_DeleteOnClose);
  ventana->Form_Load();
  return ventana;
}

}  // namespace award

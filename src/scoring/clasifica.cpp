#include "scoring/clasifica.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <exception>
#include <initializer_list>

#include "common/controles_ventana.h"
#include "common/edicion_concurso.h"
#include "common/ventanas.h"
#include "plataforma/dao.h"
#include "plataforma/fuente_fija.h"
#include "plataforma/mensajes.h"
#include "plataforma/texto.h"
#include "scoring/clasificaciones.h"
#include "ui_clasifica.h"

namespace scoring {

namespace {

constexpr const char* kPregunta = "CONTINUAR O CANCELAR";
// Room left around the window for the frame of a window manager.
constexpr int kMarcoVentana = 24;

// Asks whether to send although a part of the communiqué is empty.
bool ContinuaEnvio(const std::string& falta) {
  return plataforma::MsgBox(falta + "\n\n¿Continuamos el ENVÍO?", kPregunta, plataforma::Icono::Pregunta,
                            plataforma::Botones::SiNo) == plataforma::Respuesta::Si;
}

}  // namespace

DatosClasifica LeeDatosClasifica(EnlaceGesPuntos& enlace) {
  DatosClasifica datos;
  datos.Base = &enlace.BaseConcursos();
  datos.CarpetaConcurso = enlace.CarpetaConcurso();
  datos.Impresora = &enlace.Impresora();
  dao::Recordset rs = datos.Base->OpenRecordset("Select * From Concursos Where NumeroOrden = ?",
                                                dao::TipoRecordset::Snapshot, {dao::Variant(enlace.NumeroConcurso())});
  if (!rs.Eof()) {
    if (!rs["Concurso"].IsNull()) datos.NombreConcurso = rs["Concurso"].CStr();
    if (!rs["Edicion"].IsNull()) datos.EdicionConcurso = rs["Edicion"].CStr();
  }
  rs.Close();
  return datos;
}

Clasifica::Clasifica(DatosClasifica datos, std::shared_ptr<EnviosClasificacion> envios, std::function<void()> al_cerrar,
                     QWidget* padre)
    : QWidget(padre),
      datos_(std::move(datos)),
      envios_(std::move(envios)),
      al_cerrar_(std::move(al_cerrar)),
      ui_(std::make_unique<Ui::Clasifica>()) {
  ui_->setupUi(this);
  // The fixed-width items stay in columns.
  const QFont fija = plataforma::FuenteDePasoFijo(10, false);
  ui_->ListaPorPuntos->setFont(fija);
  ui_->ListaPorCategoria->setFont(fija);

  // Browsing: the panel hidden, its buttons disabled.
  ui_->PanelComunicado->setVisible(false);
  ui_->Aceptar->setEnabled(false);
  ui_->Cancelar->setEnabled(false);
  if (!envios_)
    for (QPushButton* b : {ui_->EnviarResultados, ui_->EnviarComunicado, ui_->EnviarNulos}) b->setEnabled(false);

  connect(ui_->ImprimirPuntos, &QPushButton::clicked, this, &Clasifica::ImprimirPuntos_Click);
  connect(ui_->ImprimirCategoria, &QPushButton::clicked, this, &Clasifica::ImprimirCategoria_Click);
  connect(ui_->EnviarResultados, &QPushButton::clicked, this, [this] { Envia(Envio::Resultados); });
  connect(ui_->EnviarNulos, &QPushButton::clicked, this, [this] { Envia(Envio::Nulos); });
  connect(ui_->EnviarComunicado, &QPushButton::clicked, this, &Clasifica::EnviarComunicado_Click);
  connect(ui_->Aceptar, &QPushButton::clicked, this, &Clasifica::Aceptar_Click);
  connect(ui_->Cancelar, &QPushButton::clicked, this, &Clasifica::Cancelar_Click);
  connect(ui_->FinClientes, &QPushButton::clicked, this, &QWidget::close);

  installEventFilter(this);
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

Clasifica::~Clasifica() { Form_Unload(); }

// ------------------------------------------------------------- loading

void Clasifica::Form_Load() {
  try {
    if (!datos_.Base) throw std::runtime_error("no hay base de datos de concursos");
    const ::EdicionConcurso edicion(datos_.CarpetaConcurso, datos_.NombreConcurso);
    const ResultadoClasificaciones clasificaciones = CalculaClasificaciones(*datos_.Base, edicion);
    MuestraClasificaciones(clasificaciones);
    GuardaListasClasificacion(clasificaciones, edicion);
    if (!clasificaciones.Omitidas.empty())
      plataforma::MsgBox(TextoPuntuacionesOmitidas(clasificaciones.Omitidas), "ADVERTENCIA", plataforma::Icono::Error);
  } catch (const std::exception& error) {
    plataforma::MsgBox(std::string("No se han podido generar las clasificaciones: ") + error.what(), "ERROR",
                       plataforma::Icono::Error);
  }
  ui_->LConcurso->setText(Q(datos_.NombreConcurso + " EDICIÓN " + datos_.EdicionConcurso));
  AjustaAPantalla();
  show();
}

void Clasifica::MuestraClasificaciones(const ResultadoClasificaciones& clasificaciones) {
  for (auto [caja, lista] : {std::pair{ui_->ListaPorCategoria, &clasificaciones.PorCategoria},
                             std::pair{ui_->ListaPorPuntos, &clasificaciones.PorPuntos}}) {
    caja->clear();
    for (const std::string& e : *lista) caja->addItem(Q(e));
  }
}

void Clasifica::AjustaAPantalla() {
  // Each ranking list as wide as its longest line (its closing blanks
  // included, which the list also lays out) and its vertical scroll bar:
  // no column of the listing hides under the bar.
  for (QListWidget* lista : {ui_->ListaPorPuntos, ui_->ListaPorCategoria}) {
    const QFontMetrics medida(lista->font());
    int ancho = 0;
    for (int i = 0; i < lista->count(); ++i) ancho = std::max(ancho, medida.horizontalAdvance(lista->item(i)->text()));
    const int barra = lista->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lista);
    // The item's own margins and a character of room.
    const int necesario = ancho + barra + 2 * lista->frameWidth() + 8 + medida.horizontalAdvance(QLatin1Char('0'));
    lista->setMinimumWidth(std::max(lista->minimumWidth(), necesario));
  }
  // As wide as that asks and as high as the screen's free area, leaving
  // room for the frame a window manager adds.
  layout()->activate();
  QSize tamano(sizeHint().width(), sizeHint().height());
  if (QScreen* pantalla = screen()) {
    const QRect libre = pantalla->availableGeometry();
    const QSize disponible = libre.size() - QSize(kMarcoVentana, 2 * kMarcoVentana);
    tamano = QSize(std::min(tamano.width(), disponible.width()), disponible.height());
    resize(tamano.expandedTo(minimumSizeHint()).boundedTo(disponible));
    move(libre.left() + (libre.width() - frameGeometry().width()) / 2, libre.top());
  } else {
    resize(tamano);
  }
}

// ------------------------------------------------------------- printing

void Clasifica::ImprimirPuntos_Click() {
  ::ImprimeLista(Impresora(), *ui_->ListaPorPuntos, "CLASIFICACIÓN POR PUNTOS");
}

void Clasifica::ImprimirCategoria_Click() {
  ::ImprimeLista(Impresora(), *ui_->ListaPorCategoria, "CLASIFICACIÓN POR CATEGORÍA");
}

const plataforma::EleccionImpresora& Clasifica::Impresora() const {
  return datos_.Impresora ? *datos_.Impresora : predeterminada_;
}

// ------------------------------------------------------------- mailings

void Clasifica::Envia(Envio envio) {
  if (!envios_) return;
  const std::initializer_list<QPushButton*> botones = {ui_->EnviarResultados, ui_->ImprimirPuntos, ui_->FinClientes,
                                                       ui_->EnviarComunicado, ui_->EnviarNulos};
  for (QPushButton* b : botones) b->setEnabled(false);
  enviando_ = true;
  ui_->ListaPorEmail->clear();
  try {
    const std::vector<std::string> destinatarios = MuestraDestinatarios();
    if (envio == Envio::Resultados)
      envios_->EnviaResultadosPorEmail(destinatarios);
    else
      envios_->EnviaQsoAnuladosPorEmail(destinatarios);
  } catch (const std::exception& error) {
    plataforma::MsgBox(std::string("No se ha podido completar el envío: ") + error.what(), "ERROR",
                       plataforma::Icono::Error);
  }
  enviando_ = false;
  for (QPushButton* b : botones) b->setEnabled(true);
}

std::vector<std::string> Clasifica::MuestraDestinatarios() {
  std::vector<std::string> destinatarios = envios_->Destinatarios();
  for (const std::string& d : destinatarios) ui_->ListaPorEmail->addItem(Q(d));
  return destinatarios;
}

void Clasifica::EnviarComunicado_Click() {
  if (!envios_) return;
  for (QPushButton* b : {ui_->EnviarResultados, ui_->EnviarComunicado, ui_->FinClientes, ui_->EnviarNulos})
    b->setEnabled(false);
  ui_->Aceptar->setEnabled(true);
  ui_->Cancelar->setEnabled(true);
  ui_->PanelComunicado->setVisible(true);
  ui_->TextoComunicado->setFocus();
}

void Clasifica::Aceptar_Click() {
  const std::string asunto = ui_->AsuntoComunicado->text().toStdString();
  const std::string texto = ui_->TextoComunicado->toPlainText().toStdString();
  if (asunto.empty() && !ContinuaEnvio("Falta el ASUNTO del comunicado")) {
    ui_->AsuntoComunicado->setFocus();
    return;
  }
  if (texto.empty() && !ContinuaEnvio("El cuerpo del MENSAJE está en blanco")) {
    ui_->TextoComunicado->setFocus();
    return;
  }
  ui_->ListaPorEmail->clear();
  enviando_ = true;
  try {
    envios_->EnviaComunicadoPorEmail(MuestraDestinatarios(), asunto, texto);
  } catch (const std::exception& error) {
    plataforma::MsgBox(std::string("No se ha podido completar el envío: ") + error.what(), "ERROR",
                       plataforma::Icono::Error);
  }
  enviando_ = false;
  CierraComunicado();
}

void Clasifica::Cancelar_Click() { CierraComunicado(); }

void Clasifica::CierraComunicado() {
  for (QPushButton* b : {ui_->EnviarResultados, ui_->EnviarComunicado, ui_->FinClientes, ui_->EnviarNulos})
    b->setEnabled(true);
  ui_->Aceptar->setEnabled(false);
  ui_->Cancelar->setEnabled(false);
  ui_->PanelComunicado->setVisible(false);
}

// ------------------------------------------------------------- keys, closing

bool Clasifica::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    if (Form_KeyDown(tecla->key(), tecla->modifiers())) return true;
  }
  return QWidget::eventFilter(objeto, evento);
}

bool Clasifica::Form_KeyDown(int tecla, Qt::KeyboardModifiers modificadores) {
  return PulsaBotonDeTecla(tecla, modificadores,
                           {{Qt::Key_F2, ui_->EnviarResultados},
                            {Qt::Key_F3, ui_->EnviarComunicado},
                            {Qt::Key_F4, ui_->EnviarNulos},
                            {Qt::Key_F12, ui_->Aceptar},
                            {Qt::Key_Escape, ui_->Cancelar}});
}

void Clasifica::closeEvent(QCloseEvent* evento) {
  // A mailing in progress keeps its window.
  if (enviando_) {
    evento->ignore();
    return;
  }
  Form_Unload();
  evento->accept();
}

void Clasifica::Form_Unload() {
  if (descargada_) return;
  descargada_ = true;
  if (al_cerrar_) al_cerrar_();
}

Clasifica* AbreClasifica(DatosClasifica datos, std::shared_ptr<EnviosClasificacion> envios,
                         std::function<void()> al_cerrar) {
  auto* ventana = new Clasifica(std::move(datos), std::move(envios), std::move(al_cerrar));
  ventana->setAttribute(Qt::WA_DeleteOnClose);
  ventana->Form_Load();
  return ventana;
}

// ------------------------------------------------------------- the action

AccionesClasificacion::AccionesClasificacion(EnlaceGesPuntos& enlace, CreaEnvios crea_envios)
    : enlace_(enlace), crea_envios_(std::move(crea_envios)) {}

void AccionesClasificacion::AbreClasificaciones(std::function<void()> al_cerrar) {
  DatosClasifica datos;
  std::shared_ptr<EnviosClasificacion> envios;
  try {
    datos = LeeDatosClasifica(enlace_);
    if (crea_envios_) envios = crea_envios_();
  } catch (const std::exception& error) {
    plataforma::MsgBox(std::string("No se puede abrir la ventana de clasificaciones: ") + error.what(), "ERROR",
                       plataforma::Icono::Error);
    if (al_cerrar) al_cerrar();
    return;
  }
  ventana_ = AbreClasifica(std::move(datos), std::move(envios), std::move(al_cerrar));
}

Clasifica* AccionesClasificacion::Ventana() const { return ventana_.data(); }

}  // namespace scoring

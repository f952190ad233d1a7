#include "mail/ges_automatica.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <vector>

#include "common/controles_ventana.h"
#include "common/panel_progreso.h"
#include "common/ventanas.h"
#include "database/carpetas.h"
#include "mail/acciones_clasificacion.h"
#include "mail/ges_automatica_textos.h"
#include "mail/ventana_correo.h"
#include "plataforma/correo/correo.h"
#include "plataforma/mensajes.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/calculo_puntuaciones.h"
#include "scoring/enlace_ges_puntos.h"
#include "scoring/ges_puntos.h"
#include "ui_ges_automatica.h"

namespace mail {

namespace {

// Room left around the window for the frame of a window manager.
constexpr int kMargenMarco = 24;

// Runs a call of the mail session on a thread of its own and keeps the
// window system answering until it has ended. A call that ends within the
// time of one repaint of the progress panel (a local inbox) is simply
// waited for: the window answers at the intake's next yield.
void EsperaEnOtroHilo(const std::function<void()>& llamada) {
  QEventLoop bucle;
  std::unique_ptr<QThread> hilo(QThread::create(llamada));
  QObject::connect(hilo.get(), &QThread::finished, &bucle, &QEventLoop::quit, Qt::QueuedConnection);
  hilo->start();
  if (!hilo->wait(QDeadlineTimer(PanelProgreso::kIntervaloMs))) bucle.exec();
  hilo->wait();
}

// Brings a list box of `n` items to the texts given, touching only the
// items that differ (the intake changes one entry at a time); igual(i, j)
// says whether item i of the box shows textos[j].
template <typename Igual>
void Sincroniza(QListWidget* caja, int n, const std::vector<std::string>& textos, Igual igual) {
  const int m = static_cast<int>(textos.size());
  int inicio = 0;
  while (inicio < n && inicio < m && igual(inicio, inicio)) ++inicio;
  int fin_caja = n, fin_textos = m;
  while (fin_caja > inicio && fin_textos > inicio && igual(fin_caja - 1, fin_textos - 1)) {
    --fin_caja;
    --fin_textos;
  }
  for (int i = fin_caja - 1; i >= inicio; --i) delete caja->takeItem(i);
  for (int j = inicio; j < fin_textos; ++j) caja->insertItem(j, Q(textos[static_cast<std::size_t>(j)]));
}

// The same, comparing the items' own texts.
void Sincroniza(QListWidget* caja, const std::vector<std::string>& textos) {
  Sincroniza(caja, caja->count(), textos,
             [&](int i, int j) { return caja->item(i)->text() == Q(textos[static_cast<std::size_t>(j)]); });
}

// The same for a box known to show `antes`: the texts are compared as they
// are kept, not read back from the box (a mail session shows its list after
// every mail). `antes` becomes `textos`.
void Sincroniza(QListWidget* caja, std::vector<std::string>& antes, const std::vector<std::string>& textos) {
  if (static_cast<std::size_t>(caja->count()) == antes.size())
    Sincroniza(caja, caja->count(), textos, [&](int i, int j) {
      return antes[static_cast<std::size_t>(i)] == textos[static_cast<std::size_t>(j)];
    });
  else
    Sincroniza(caja, textos);
  antes = textos;
}

// Brings a list box to the texts given after the change `cambio`: one entry
// put in or taken out is done alone; any other change, or a box that was not
// in step with the list before it, is brought over by Sincroniza.
void Aplica(QListWidget* caja, const std::vector<std::string>& textos, const CambioLista& cambio) {
  const std::size_t n = static_cast<std::size_t>(caja->count());
  const std::size_t i = cambio.indice;
  if (cambio.clase == CambioLista::Clase::Insercion && n + 1 == textos.size() && i <= n) {
    caja->insertItem(static_cast<int>(i), Q(textos[i]));
    return;
  }
  if (cambio.clase == CambioLista::Clase::Retirada && n == textos.size() + 1 && i < n) {
    delete caja->takeItem(static_cast<int>(i));
    return;
  }
  Sincroniza(caja, textos);
}

}  // namespace

// What the cross-check window reads of the mail window and the run.
class GesAutomatica::EnlaceCruce : public scoring::EnlaceGesPuntos {
 public:
  EnlaceCruce(GesAutomatica* ventana, ContextoConcurso& contexto) : ventana_(ventana), contexto_(contexto) {}
  dao::Database& BaseConcursos() override { return contexto_.BaseConcursos; }
  std::int32_t NumeroConcurso() const override { return contexto_.NumeroConcursoActual; }
  std::string CarpetaTrabajo() const override { return contexto_.CarpetaTrabajo; }
  std::string CarpetaConcurso() const override { return contexto_.CarpetaConcurso; }
  const TablasPaises* Paises() const override { return contexto_.Paises.get(); }
  const plataforma::EleccionImpresora& Impresora() const override { return contexto_.Impresora; }
  bool HayListasNuevas() const override { return contexto_.HayListasNuevas; }
  void PonHayListasNuevas(bool valor) override { contexto_.HayListasNuevas = valor; }
  void MuestraVentanaCorreo() override {
    if (!ventana_) return;
    ventana_->show();
    ventana_->activateWindow();
  }

 private:
  QPointer<GesAutomatica> ventana_;
  ContextoConcurso& contexto_;
};

GesAutomatica::GesAutomatica(std::unique_ptr<EnlaceGesAutomatica> enlace, QWidget* padre)
    : QWidget(padre), enlace_(std::move(enlace)), ui_(std::make_unique<Ui::GesAutomatica>()) {
  ui_->setupUi(this);
  ui_->FicheroCabrillo->setFont(FuenteFija());
  ui_->FicheroAdmitidas->setFont(FuenteFija());

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kIntervaloSesiones);
  connect(Timer1, &QTimer::timeout, this, &GesAutomatica::Timer1_Timer);

  MideTextosUnaVez(this);
  progreso_ = std::make_unique<PanelProgreso>(ui_->LProceso, ui_->Proceso, true);
  progreso_->AntesDeRepintar([this] { MuestraLogEnCurso(); });

  connect(ui_->Conectar, &QPushButton::clicked, this, &GesAutomatica::Conectar_Click);
  connect(ui_->Cancelar, &QPushButton::clicked, this, &GesAutomatica::Cancelar_Click);
  connect(ui_->CruzarListas, &QPushButton::clicked, this, &GesAutomatica::CruzarListas_Click);
  connect(ui_->FinClientes, &QPushButton::clicked, this, &GesAutomatica::FinClientes_Click);
  connect(ui_->Imprimir, &QPushButton::clicked, this, &GesAutomatica::Imprimir_Click);
  connect(ui_->NoEnviarNotificaciones, &QCheckBox::toggled, this, &GesAutomatica::NoEnviarNotificaciones_Click);
  const std::pair<QListWidget*, ListaEdicion> visores[] = {
      {ui_->FicherosManuales, ListaEdicion::Manuales},     {ui_->FicherosRecibidos, ListaEdicion::Recibidos},
      {ui_->FicherosErrores, ListaEdicion::Errores},       {ui_->FicherosConfirmacion, ListaEdicion::Confirmaciones},
      {ui_->ListasValidas, ListaEdicion::Validas},         {ui_->ListasAdmitidas, ListaEdicion::Admitidas}};
  for (const auto& [visor, lista] : visores)
    connect(visor, &QListWidget::itemSelectionChanged, this, [this, visor, lista] { MuestraFichero(visor, lista); });
  // The lists for reading only keep no selection.
  for (QListWidget* lectura : {ui_->ListaCorreoEntrante, ui_->ListasDeSWL, ui_->FicheroCabrillo})
    connect(lectura, &QListWidget::itemClicked, lectura, [lectura] { lectura->clearSelection(); });

  installEventFilter(this);
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

GesAutomatica::~GesAutomatica() = default;

// ------------------------------------------------------------- loading

void GesAutomatica::Form_Load() {
  // As large as its controls ask, within the screen's free area and room
  // for the frame a window manager adds.
  QSize tamano = sizeHint();
  if (QScreen* pantalla = screen())
    tamano = tamano.boundedTo(pantalla->availableGeometry().size() - QSize(kMargenMarco, 3 * kMargenMarco));
  resize(tamano);
  ::CentraFormulario(this);
  alturaNormal_ = height();
  anchuraNormal_ = width();
  maximizada_ = false;
  ContadorTemporizador = 0;

  // Nothing to cancel before the first session.
  ui_->Cancelar->setEnabled(false);
  if (enlace_->GestionManual()) {
    ui_->NoEnviarNotificaciones->setEnabled(false);
    ui_->Conectar->setText(QStringLiteral("LEER Fich. Manuales"));
    ui_->Cancelar->setText(QStringLiteral("CANCELAR"));
  }
  ContextoConcurso& contexto = enlace_->Contexto();
  if (enlace_->GestionAutomatica()) {
    // Where the answers go, when they are not sent (a wrong profile is
    // reported by the session's sign-on).
    plataforma::correo::PerfilCorreo perfil;
    plataforma::correo::ErrorCorreo error;
    const std::string nota =
        plataforma::correo::LeePerfilCorreo(contexto.CarpetaTrabajo, perfil, error) ? TextoPerfilCorreo(perfil) : "";
    ui_->LPerfilCorreo->setText(Q(nota));
    ui_->LPerfilCorreo->setVisible(!nota.empty());
  }
  ui_->LConcurso->setText(Q(contexto.NombreConcurso + " EDICIÓN " + contexto.EdicionConcurso));
  contexto.CarpetaConcurso = RutaCarpetaConcurso(contexto, contexto.NombreConcurso, contexto.EdicionConcurso);
  edicion_ = std::make_unique<EdicionConcurso>(contexto);
  edicion_->AlCambiar = [this](ListaEdicion lista) { MuestraLista(lista); };
  if (contexto.EsConcursoDiploma()) {
    ui_->ListasValidas->setVisible(false);
    ui_->LValidas->setVisible(false);
    ui_->ListasAdmitidas->setVisible(true);
    ui_->LAdmitidas->setVisible(true);
    ui_->Label5->setText(QStringLiteral("LISTAS ADMITIDAS"));
    ui_->CruzarListas->setText(QStringLiteral("Gestionar DIPLOMA"));
  }
  CargaListas(true);
  show();
}

void GesAutomatica::CargaListas(bool manuales) {
  const ContextoConcurso& contexto = enlace_->Contexto();
  cargando_ = true;
  try {
    edicion_->Lee(contexto.EsConcursoDiploma() ? ListaEdicion::Admitidas : ListaEdicion::Validas);
    for (ListaEdicion lista : {ListaEdicion::Oyentes, ListaEdicion::Recibidos, ListaEdicion::Errores,
                               ListaEdicion::Confirmaciones})
      edicion_->Lee(lista);
    if (manuales) {
      const std::vector<std::string> sin_renombrar = edicion_->RenombraCbrManuales();
      edicion_->Lee(ListaEdicion::Manuales);
      if (!sin_renombrar.empty()) Fallo(TextoCbrNoRenombrados(sin_renombrar), std::string(kTituloAdvertencia));
    }
  } catch (const std::exception& e) {
    InformaFallo(e.what());
  }
  cargando_ = false;
}

void GesAutomatica::MuestraLista(ListaEdicion lista) {
  Ui::GesAutomatica& u = *ui_;
  const struct {
    ListaEdicion lista;
    QListWidget* caja;
    QLabel* cuenta;
  } controles[] = {
      {ListaEdicion::Manuales, u.FicherosManuales, u.LManuales},
      {ListaEdicion::Recibidos, u.FicherosRecibidos, u.LRecibidos},
      {ListaEdicion::Validas, u.ListasValidas, u.LValidas},
      {ListaEdicion::Admitidas, u.ListasAdmitidas, u.LAdmitidas},
      {ListaEdicion::Errores, u.FicherosErrores, u.LErrores},
      {ListaEdicion::Confirmaciones, u.FicherosConfirmacion, u.LConfirmaciones},
      {ListaEdicion::Oyentes, u.ListasDeSWL, u.LDESWL},
      {ListaEdicion::ManualesPorBorrar, u.ListaBorrarManuales, nullptr},
  };
  for (const auto& c : controles) {
    if (c.lista != lista) continue;
    Aplica(c.caja, edicion_->Lista(lista), edicion_->UltimoCambio());
    // The award keeps no listeners' file: its count shows as read.
    if (!c.cuenta || edicion_->Estado(lista) != EstadoLista::Leida) return;
    if (lista == ListaEdicion::Oyentes && edicion_->EsDiploma() && !cargando_) return;
    c.cuenta->setText(Q(edicion_->TextoCuenta(lista)));
    return;
  }
}

// ------------------------------------------------------------- intake

bool GesAutomatica::RecepcionActiva() const { return ocupada_ || Timer1->isActive(); }

void GesAutomatica::PonIntervaloSesiones(int milisegundos) { Timer1->setInterval(milisegundos); }

void GesAutomatica::Conectar_Click() {
  // One session or pass at a time, whatever a yield lets through.
  if (ocupada_) return;
  ContextoConcurso& contexto = enlace_->Contexto();
  contexto.HayListasNuevas = true;
  if (!CargaConfiguracionCorreo()) {
    plataforma::MsgBox(std::string(kSinConfiguracionCorreo));
    close();
    return;
  }
  if (enlace_->GestionAutomatica()) {
    if (ui_->NoEnviarNotificaciones->isChecked()) {
      if (plataforma::MsgBox(TextoAdvertenciaSinNotificaciones(), std::string(kTituloAdvertencia),
                             plataforma::Icono::Ninguno,
                             plataforma::Botones::AceptarCancelar) != plataforma::Respuesta::Aceptar)
        return;
      if (plataforma::MsgBox(std::string(kConfirmaDesconexion), std::string(kTituloConfirmar),
                             plataforma::Icono::Pregunta, plataforma::Botones::SiNo) != plataforma::Respuesta::Si)
        return;
    }
    ContadorTemporizador = 0;
    ui_->NoEnviarNotificaciones->setEnabled(false);
    ConectaCorreo();
  }
  if (enlace_->GestionManual()) LeeFicherosManuales();
}

bool GesAutomatica::CargaConfiguracionCorreo() {
  ContextoConcurso& contexto = enlace_->Contexto();
  try {
    ConcursoRecepcion concurso;
    if (!CargaConcursoRecepcion(contexto.BaseConcursos, contexto.NumeroConcursoActual, enlace_->Ajustes(),
                                contexto.CarpetaConcurso, contexto.CarpetaTrabajo, concurso))
      return false;
    concurso.paises = contexto.Paises.get();
    concurso_ = std::move(concurso);
    return true;
  } catch (const std::exception& e) {
    InformaFallo(e.what());
    return false;
  }
}

void GesAutomatica::ConectaCorreo() {
  ContextoConcurso& contexto = enlace_->Contexto();
  plataforma::correo::OpcionesCorreo opciones;
  // A session with its inbox and its outbox on the disk (a Maildir, and the
  // answers left in the outbox) waits on no server: its calls run in place
  // and the window answers at each step of the intake.
  plataforma::correo::PerfilCorreo perfil;
  plataforma::correo::ErrorCorreo error_perfil;
  const bool local = plataforma::correo::LeePerfilCorreo(contexto.CarpetaTrabajo, perfil, error_perfil) &&
                     perfil.entrada.find("://") == std::string::npos && perfil.smtp.empty();
  if (!local) opciones.ejecuta = EsperaEnOtroHilo;
  plataforma::correo::SesionCorreo sesion(contexto.CarpetaTrabajo, opciones);

  // While the sign-on waits on the server nothing else may start; a failed
  // sign-on leaves the buttons as they were.
  ocupada_ = true;
  const bool habilitados[] = {ui_->Conectar->isEnabled(), ui_->CruzarListas->isEnabled(),
                              ui_->FinClientes->isEnabled()};
  HabilitaBotones(false);
  PonListasQuietas(true);
  const bool iniciada = sesion.IniciarSesion();
  if (!avisoNetrcDado_ && !sesion.AvisoSeguridad().empty()) {
    // Once: the robot signs on every minute.
    avisoNetrcDado_ = true;
    Aviso(sesion.AvisoSeguridad());
  }
  if (!iniciada) {
    ocupada_ = false;
    PonListasQuietas(false);
    ui_->Conectar->setEnabled(habilitados[0]);
    ui_->CruzarListas->setEnabled(habilitados[1]);
    ui_->FinClientes->setEnabled(habilitados[2]);
    Timer1->stop();
    plataforma::MsgBox(TextoFalloInicioSesion(sesion.UltimoError()));
    return;
  }
  // A stop asked for during the session (`Cancelar` or Esc) is honoured
  // when it ends.
  ui_->Cancelar->setEnabled(!cancelada_);
  Cede();
  Timer1->stop();
  QApplication::setOverrideCursor(Qt::BusyCursor);
  // The count of the session is taken at its first log (see PonTexto).
  sesion_ = &sesion;
  try {
    RecepcionListas recepcion(concurso_, *edicion_, *this, *this, &sesion);
    if (!recepcion.ProcesaSesion())
      InformaFallo("No se han podido leer los E-MAIL no leídos: " + sesion.UltimoError().descripcion);
  } catch (const std::exception& e) {
    InformaFallo(e.what());
  }
  sesion_ = nullptr;
  progreso_->Termina("FIN PROCESO");
  sesion.CerrarSesion();
  QApplication::restoreOverrideCursor();
  CargaListas(true);
  PonListasQuietas(false);
  ocupada_ = false;

  if (cancelada_) {
    // `Cancelar` was pressed during the session: intake stops here.
    cancelada_ = false;
    Cancelar_Click();
    ui_->LProceso->setText(QStringLiteral("FIN PROCESO. Recepción de correo detenida"));
    return;
  }
  Timer1->start();
  ui_->Cancelar->setEnabled(true);
  ui_->LProceso->setText(
      QStringLiteral("FIN PROCESO. Próxima consulta del correo a las %1")
          .arg(QTime::currentTime().addMSecs(Timer1->interval()).toString(QStringLiteral("HH:mm:ss"))));
}

void GesAutomatica::LeeFicherosManuales() {
  ocupada_ = true;
  PonListasQuietas(true);
  progreso_->Empieza(ui_->FicherosManuales->count());
  try {
    RecepcionListas recepcion(concurso_, *edicion_, *this, *this, nullptr);
    recepcion.LeeFicherosManuales();
  } catch (const std::exception& e) {
    InformaFallo(e.what());
    HabilitaBotones(true);
  }
  progreso_->Termina("FIN PROCESO");
  // The pass has listed the manual folder again itself.
  CargaListas(false);
  PonListasQuietas(false);
  ocupada_ = false;
}

void GesAutomatica::Timer1_Timer() {
  ++ContadorTemporizador;
  if (ContadorTemporizador != 1) return;
  Timer1->stop();
  ContadorTemporizador = 0;
  ConectaCorreo();
}

void GesAutomatica::Cancelar_Click() {
  if (ocupada_) {
    // The session in progress ends its work; then intake stops.
    cancelada_ = true;
    Timer1->stop();
    ui_->Cancelar->setEnabled(false);
    return;
  }
  if (enlace_->GestionAutomatica()) ui_->NoEnviarNotificaciones->setEnabled(true);
  HabilitaBotones(true);
  ui_->Cancelar->setEnabled(false);
  Timer1->stop();
}

void GesAutomatica::NoEnviarNotificaciones_Click(bool marcada) {
  if (!marcada)
    plataforma::MsgBox(TextoReconexion(), std::string(kTituloConfirmar), plataforma::Icono::Ninguno,
                       plataforma::Botones::Aceptar);
}

// ------------------------------------------------------------- other buttons

void GesAutomatica::CruzarListas_Click() {
  hide();
  QPointer<GesAutomatica> yo(this);
  auto vuelve = [yo] {
    if (!yo) return;
    yo->show();
    yo->activateWindow();
  };
  if (enlace_->Contexto().EsConcursoDiploma()) {
    enlace_->AbreGesDiploma(vuelve);
    return;
  }
  try {
    auto enlace = std::make_unique<EnlaceCruce>(this, enlace_->Contexto());
    // A mail of the rankings' mailings that cannot go out is shown as is.
    std::unique_ptr<scoring::AccionesPuntuacion> acciones =
        CreaAccionesPuntuacion(*enlace, [](const std::string& texto) { plataforma::MsgBox(texto); });
    scoring::AbreGesPuntos(std::move(enlace), std::move(acciones));
  } catch (const std::exception& e) {
    vuelve();
    plataforma::MsgBox(std::string("No se ha podido abrir la ventana de cruce de listas: ") + e.what(), "ERROR",
                       plataforma::Icono::Error);
  }
}

void GesAutomatica::FinClientes_Click() { close(); }

void GesAutomatica::Imprimir_Click() {
  MuestraLogEnCurso();
  ::ImprimeLista(enlace_->Contexto().Impresora, *ui_->FicheroCabrillo, ui_->Lista->title().toStdString());
}

// ------------------------------------------------------------- viewer

void GesAutomatica::PonListasQuietas(bool quietas) {
  for (QListWidget* l : {ui_->FicherosManuales, ui_->FicherosRecibidos, ui_->FicherosErrores, ui_->FicherosConfirmacion,
                         ui_->ListasValidas, ui_->ListasAdmitidas})
    l->setEnabled(!quietas);
}

void GesAutomatica::MuestraFichero(QListWidget* lista, ListaEdicion de) {
  const QList<QListWidgetItem*> elegidos = lista->selectedItems();
  if (elegidos.isEmpty()) return;
  const std::string linea = elegidos.front()->text().toStdString();
  VisorFichero visor;
  if (!VisorDeFichero(de, linea, visor)) return;
  for (QListWidget* otra : {ui_->FicherosManuales, ui_->FicherosRecibidos, ui_->FicherosErrores,
                            ui_->FicherosConfirmacion, ui_->ListasValidas, ui_->ListasAdmitidas})
    if (otra != lista) {
      const QSignalBlocker bloqueo(otra);
      otra->clearSelection();
    }
  log_pendiente_ = admitidas_pendientes_ = false;
  ui_->Lista->setTitle(Q(visor.titulo));
  std::vector<std::string> lineas;
  const std::string ruta = plataforma::ResuelveRuta(plataforma::UneRuta(
      plataforma::UneRuta(enlace_->Contexto().CarpetaConcurso, visor.carpeta), plataforma::NombreSeguro(linea)));
  plataforma::LeerLineas(ruta, lineas);  // a file gone meanwhile shows empty
  LlenaLista(ui_->FicheroCabrillo, lineas);
}

// ------------------------------------------------------------- VentanaCorreo and ProgresoEtapa

void GesAutomatica::Paso(const std::string& texto) {
  // A mail session counts from its first log: the inbox then still holds
  // every unread mail it found.
  if (sesion_ && !progreso_->Lote().Activo() && texto.starts_with("Procesando "))
    progreso_->Empieza(static_cast<std::size_t>(std::max(0, sesion_->NumeroCorreos())));
  progreso_->PonTexto(texto);
}

void GesAutomatica::Porcentaje(int porcentaje) { progreso_->PonProgreso(porcentaje); }

void GesAutomatica::Cede() { progreso_->Cede(); }

void GesAutomatica::Fallo(const std::string& texto, const std::string& titulo) {
  progreso_->PonAlDia();
  if (titulo.empty())
    plataforma::MsgBox(texto);
  else
    plataforma::MsgBox(texto, titulo, titulo == kTituloFallo ? plataforma::Icono::Error : plataforma::Icono::Informacion);
}

bool GesAutomatica::Pregunta(const std::string& texto, const std::string& titulo) {
  progreso_->PonAlDia();
  return plataforma::MsgBox(texto, titulo, plataforma::Icono::Pregunta, plataforma::Botones::SiNo) ==
         plataforma::Respuesta::Si;
}

// The log in hand goes into the viewer when the window is next repainted,
// when the run ends and before a message box: only then is it seen.
void GesAutomatica::EmpiezaLog(const std::string& nombre_fichero) {
  titulo_log_ = "Fichero CABRILLO RECIBIDO de " + nombre_fichero;
  lineas_log_.clear();
  if (!log_pendiente_) ui_->FicheroCabrillo->viewport()->update();
  log_pendiente_ = true;
}

void GesAutomatica::MuestraLog(const ResultadoRecepcion& log) {
  lineas_log_ = log.Lineas;
  if (!log.LineasAdmitidas.empty()) {
    admitidas_log_ = log.LineasAdmitidas;
    admitidas_pendientes_ = true;
  }
  if (!log_pendiente_) ui_->FicheroCabrillo->viewport()->update();
  log_pendiente_ = true;
}

void GesAutomatica::MuestraLogEnCurso() {
  if (log_pendiente_) {
    log_pendiente_ = false;
    ui_->Lista->setTitle(Q(titulo_log_));
    LlenaLista(ui_->FicheroCabrillo, lineas_log_);
  }
  if (admitidas_pendientes_) {
    admitidas_pendientes_ = false;
    LlenaLista(ui_->FicheroAdmitidas, admitidas_log_);
  }
}

void GesAutomatica::MuestraCorreos(const std::vector<std::string>& correos) {
  Sincroniza(ui_->ListaCorreoEntrante, correos_mostrados_, correos);
  ui_->ListaCorreoEntrante->clearSelection();
  ui_->LEntrada->setText(Q(std::to_string(correos.size()) + " Correos"));
}

bool GesAutomatica::GestionAutomatica() const { return enlace_->GestionAutomatica(); }

bool GesAutomatica::NoEnviarNotificaciones() const { return ui_->NoEnviarNotificaciones->isChecked(); }

void GesAutomatica::HabilitaBotones(bool habilitados) {
  ui_->Conectar->setEnabled(habilitados);
  ui_->CruzarListas->setEnabled(habilitados);
  ui_->FinClientes->setEnabled(habilitados);
}

void GesAutomatica::Aviso(const std::string& texto) { Fallo(texto, std::string(kTituloAviso)); }

void GesAutomatica::InformaFallo(const std::string& texto) { Fallo(texto, std::string(kTituloFallo)); }

// ------------------------------------------------------------- keys, size, closing

bool GesAutomatica::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    if (Form_KeyDown(tecla->key(), tecla->modifiers())) return true;
  }
  return QWidget::eventFilter(objeto, evento);
}

bool GesAutomatica::Form_KeyDown(int tecla, Qt::KeyboardModifiers modificadores) {
  // Esc during a mail session asks for the stop, which the session's end
  // honours, whatever the state of the button.
  if (tecla == Qt::Key_Escape && !(modificadores & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) &&
      ocupada_ && enlace_->GestionAutomatica() && !cancelada_) {
    ui_->Cancelar->setFocus();
    Cancelar_Click();
    return true;
  }
  return PulsaBotonDeTecla(
      tecla, modificadores,
      {{Qt::Key_F2, ui_->Conectar}, {Qt::Key_F3, ui_->CruzarListas}, {Qt::Key_Escape, ui_->Cancelar}});
}

void GesAutomatica::changeEvent(QEvent* evento) {
  QWidget::changeEvent(evento);
  if (evento->type() == QEvent::WindowStateChange) Form_Resize();
}

void GesAutomatica::Form_Resize() {
  if (isMinimized()) return;
  if (isMaximized() && !maximizada_) {
    ::RedimensionaControles(this, alturaNormal_, anchuraNormal_, true);
    maximizada_ = true;
  } else if (!isMaximized() && maximizada_) {
    ::RedimensionaControles(this, alturaNormal_, anchuraNormal_, false);
    maximizada_ = false;
  }
}

void GesAutomatica::closeEvent(QCloseEvent* evento) {
  // A session or a pass in progress keeps its window.
  if (ocupada_) {
    evento->ignore();
    return;
  }
  Form_Unload();
  evento->accept();
}

void GesAutomatica::Form_Unload() {
  if (descargada_) return;
  descargada_ = true;
  Timer1->stop();
  enlace_->MuestraVentanaPrincipal();
}

GesAutomatica* AbreGesAutomatica(std::unique_ptr<EnlaceGesAutomatica> enlace) {
  auto* ventana = new GesAutomatica(std::move(enlace));
  ventana->setAttribute(Qt::WA_DeleteOnClose);
  ventana->Form_Load();
  return ventana;
}

}  // namespace mail

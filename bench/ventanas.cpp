// The windows against the same work without them: one generated contest
// (generador/concurso_sintetico.h) taken in from the manual folder and from
// a Maildir of mails, cross-checked and scored, once headless and once
// through the real windows (the mail window, then the cross-check window it
// opens), driven by their keys as the operator drives them, on the
// offscreen platform. Per run it prints the wall and CPU time of both, their
// ratio, and how many times the progress bar was painted and at what rate;
// then whether both left the same files.
//
//   bench_ventanas [LOGS=210] [--qsos N=115] [--semilla S] [--veces R=1]
//
// 210 logs of 115 QSO lines on average are about 24,000 QSOs. With --veces
// each run is repeated R times on fresh folders and its fastest time kept;
// the ratios of each repetition are printed as it ends. The folders and the
// mails are written, and flushed to the disk, before any clock starts.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest/QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cabrillo/contexto_concurso.h"
#include "common/edicion_concurso.h"
#include "common/paises.h"
#include "common/progreso_etapa.h"
#include "database/carpetas.h"
#include "database/creacion.h"
#include "database/estado.h"
#include "generador/concurso_sintetico.h"
#include "mail/enlace_ges_automatica.h"
#include "mail/ges_automatica.h"
#include "mail/recepcion.h"
#include "mail/ventana_correo.h"
#include "plataforma/correo/correo.h"
#include "plataforma/mensajes.h"
#include "plataforma/texto.h"
#include "scoring/calculo_puntuaciones.h"
#include "scoring/cruce_listas.h"
#include "scoring/enlace_ges_puntos.h"
#include "scoring/ges_puntos.h"
#include "scoring/opciones_anulacion.h"
#include "soporte/base64.h"
#include "medida_proceso.h"
#include "opciones_cruce.h"

namespace {

namespace fs = std::filesystem;
using Reloj = std::chrono::steady_clock;

const std::string kNombre(generador::kNombreConcurso);
const char* const kEdicion = "2026";

struct Tiempo {
  double pared = 0;
  double cpu = 0;
};

Tiempo Mide(const std::function<void()>& trabajo) {
  const double cpu = bancos::SegundosCpu();
  const auto inicio = Reloj::now();
  trabajo();
  return {std::chrono::duration<double>(Reloj::now() - inicio).count(), bancos::SegundosCpu() - cpu};
}

// Every message box is answered with its default button and counted.
class MensajeroBanco : public plataforma::Mensajero {
 public:
  plataforma::Respuesta Muestra(const std::string& texto, const std::string& titulo, plataforma::Icono,
                                plataforma::Botones botones) override {
    cajas.push_back(titulo.empty() ? texto.substr(0, 60) : titulo + ": " + texto.substr(0, 60));
    return plataforma::RespuestaPorDefecto(botones);
  }
  std::vector<std::string> cajas;
};

// The caller of the intake without a window: failures counted.
class VentanaSinPantalla : public mail::VentanaCorreo, public ProgresoEtapa {
 public:
  explicit VentanaSinPantalla(bool automatica) : automatica_(automatica) {}
  bool GestionAutomatica() const override { return automatica_; }
  bool NoEnviarNotificaciones() const override { return false; }
  void Paso(const std::string&) override {}
  void Porcentaje(int) override {}
  void Fallo(const std::string& texto, const std::string&) override { avisos.push_back(texto); }
  bool Pregunta(const std::string&, const std::string&) override { return false; }

  std::vector<std::string> avisos;

 private:
  bool automatica_;
};

// What the mail window reads of the main window.
struct EnlaceBanco : mail::EnlaceGesAutomatica {
  EnlaceBanco(ContextoConcurso& c, bool a) : contexto(c), automatica(a) {}
  ContextoConcurso& Contexto() override { return contexto; }
  bool GestionAutomatica() const override { return automatica; }
  bool GestionManual() const override { return !automatica; }
  cabrillo::AjustesVentanaPrincipal Ajustes() const override { return {}; }
  void MuestraVentanaPrincipal() override {}
  ContextoConcurso& contexto;
  bool automatica;
};


// Counts the paintings of a widget.
class ContadorPintado : public QObject {
 public:
  explicit ContadorPintado(QWidget* w) : w_(w) { w_->installEventFilter(this); }
  ~ContadorPintado() override {
    if (w_) w_->removeEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++pintados;
    return false;
  }
  int pintados = 0;

 private:
  QPointer<QWidget> w_;
};

// A working folder with the contest: its database (the contest, its mailbox
// and subject, the annulment options), the edition's folder tree and either
// the logs in the manual folder or one mail per log in the Maildir inbox.
struct Carpeta {
  std::string trabajo, carpeta;
};

Carpeta Prepara(const std::string& raiz, const std::string& logs, const std::vector<std::string>& ficheros,
                bool por_correo) {
  Carpeta c;
  c.trabajo = raiz + "/trabajo";
  fs::create_directories(c.trabajo);
  database::CreaBaseConcursosVacia(c.trabajo + "/Ledrima");
  {
    dao::Database base = dao::OpenDatabase(c.trabajo + "/Ledrima");
    generador::AgregaConcurso(base);
    base.Execute("UPDATE ResumenCabrillo SET EMailConcurso = 'concurso@example.org', AsuntoConcurso = 'LISTA $'");
    scoring::GuardaOpcionesAnulacion(base, generador::kNumeroConcurso, bancos::OpcionesCuidadosas());
    base.Close();
  }
  EstadoConcurso estado;
  estado.CarpetaTrabajo = c.trabajo;
  estado.NombreConcurso = kNombre;
  if (!CreaArbolCarpetasConcurso(estado, kNombre, kEdicion).empty()) std::abort();
  c.carpeta = estado.CarpetaConcurso;
  if (!por_correo) {
    for (const std::string& f : ficheros) fs::copy_file(logs + "/" + f, c.carpeta + "/FicherosManuales/" + f);
    return c;
  }
  std::ofstream(c.trabajo + "/PerfilCorreo.txt", std::ios::binary)
      << "Entrada=Correo\r\nRemitente=concurso@example.org\r\n";
  for (const char* d : {"tmp", "new", "cur"}) fs::create_directories(c.trabajo + "/Correo/" + d);
  int k = 0;
  for (const std::string& f : ficheros) {
    std::string bytes;
    plataforma::LeerBytes(logs + "/" + f, bytes);
    const std::string indicativo = f.substr(0, f.find('.'));
    char nombre[64];
    std::snprintf(nombre, sizeof nombre, "%d.M%06dP1.banco", 1773489600 + k, k);
    const std::string ruta = c.trabajo + "/Correo/new/" + nombre;
    std::ofstream(ruta, std::ios::binary)
        << "From: " << plataforma::Minusculas(indicativo) << "@example.org\r\nTo: concurso@example.org\r\nSubject: LISTA "
        << indicativo << "\r\nMessage-ID: <" << k
        << "@example.org>\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"xx\"\r\n\r\n"
           "--xx\r\nContent-Type: text/plain\r\n\r\nAdjunto mi lista.\r\n"
           "--xx\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=\""
        << f << "\"\r\nContent-Transfer-Encoding: base64\r\n\r\n"
        << soporte::Base64(bytes) << "--xx--\r\n";
    // Arrival order is the order of the logs.
    const timespec t[2] = {{1773489600 + k, 0}, {1773489600 + k, 0}};
    utimensat(AT_FDCWD, ruta.c_str(), t, 0);
    ++k;
  }
  return c;
}

// The contest's context as the main window leaves it for the mail window.
void LlenaContexto(ContextoConcurso& contexto, const Carpeta& c, const std::string& terravia) {
  contexto.BaseConcursos = dao::OpenDatabase(c.trabajo + "/Ledrima");
  contexto.CarpetaTrabajo = c.trabajo;
  contexto.NumeroConcursoActual = generador::kNumeroConcurso;
  contexto.NombreConcurso = kNombre;
  contexto.EdicionConcurso = kEdicion;
  contexto.CarpetaConcurso = c.carpeta;
  contexto.Paises = TablasPaises::Abre(terravia);
}

// What the preparation wrote goes to the disk before a clock starts, so
// that no run pays for it.
void Asienta(const std::string& carpeta) {
  const int fd = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::syncfs(fd);
  ::close(fd);
}

// ------------------------------------------------------------- headless

struct SinVentana {
  Tiempo recepcion, cruce, puntuacion;
  std::size_t avisos = 0;
};

SinVentana SinPantalla(const Carpeta& c, const std::string& terravia, bool por_correo, bool etapas) {
  SinVentana r;
  ContextoConcurso contexto;
  LlenaContexto(contexto, c, terravia);
  VentanaSinPantalla ventana(por_correo);
  // What the mail window lists when it opens.
  EdicionConcurso recibida(c.carpeta, kNombre);
  for (ListaEdicion lista : {ListaEdicion::Validas, ListaEdicion::Oyentes, ListaEdicion::Recibidos,
                             ListaEdicion::Errores, ListaEdicion::Confirmaciones, ListaEdicion::Manuales})
    recibida.Lee(lista);
  r.recepcion = Mide([&] {
    mail::ConcursoRecepcion concurso;
    if (!mail::CargaConcursoRecepcion(contexto.BaseConcursos, contexto.NumeroConcursoActual, {}, c.carpeta, c.trabajo,
                                      concurso))
      std::abort();
    concurso.paises = contexto.Paises.get();
    if (por_correo) {
      plataforma::correo::SesionCorreo sesion(c.trabajo);
      if (!sesion.IniciarSesion()) std::abort();
      mail::RecepcionListas recepcion(concurso, recibida, ventana, ventana, &sesion);
      recepcion.ProcesaSesion();
      sesion.CerrarSesion();
    } else {
      mail::RecepcionListas recepcion(concurso, recibida, ventana, ventana, nullptr);
      recepcion.LeeFicherosManuales();
    }
  });
  r.avisos = ventana.avisos.size();
  if (!etapas) return r;

  EdicionConcurso edicion(c.carpeta, kNombre);
  ProgresoSimple progreso;
  r.cruce = Mide([&] {
    edicion.Lee(ListaEdicion::Validas);
    scoring::OpcionesAnulacion op;
    scoring::CargaOpcionesAnulacion(contexto.BaseConcursos, contexto.NumeroConcursoActual, op);
    scoring::ConcursoCruce concurso;
    concurso.Base = &contexto.BaseConcursos;
    concurso.NumeroOrden = contexto.NumeroConcursoActual;
    concurso.Paises = contexto.Paises.get();
    concurso.SociosZurozi = scoring::SociosZurozi();
    scoring::CruzaListas(edicion, progreso, concurso, [&] { return op; });
  });
  r.puntuacion = Mide([&] {
    scoring::ConcursoPuntuacion concurso;
    concurso.Base = &contexto.BaseConcursos;
    concurso.NumeroOrden = contexto.NumeroConcursoActual;
    concurso.Paises = contexto.Paises.get();
    concurso.SociosZurozi = scoring::SociosZurozi();
    scoring::CalculaPuntuaciones(edicion, progreso, concurso);
  });
  return r;
}

// ------------------------------------------------------------- windows

struct ConVentana {
  Tiempo recepcion, cruce, puntuacion;
  int pintadosRecepcion = 0, pintadosCruce = 0, pintadosPuntuacion = 0;
  std::size_t cajas = 0;
};

template <typename T>
T* Visible() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* v = qobject_cast<T*>(w); v && v->isVisible()) return v;
  return nullptr;
}

ConVentana EnPantalla(const Carpeta& c, const std::string& terravia, bool por_correo, bool etapas,
                      MensajeroBanco& mensajero) {
  ConVentana r;
  const std::size_t cajas = mensajero.cajas.size();
  ContextoConcurso contexto;
  LlenaContexto(contexto, c, terravia);
  auto correo = std::make_unique<mail::GesAutomatica>(std::make_unique<EnlaceBanco>(contexto, por_correo));
  correo->Form_Load();
  if (!QTest::qWaitForWindowExposed(correo.get(), 5000)) std::abort();
  QTest::qWait(50);
  {
    ContadorPintado barra(correo->findChild<QProgressBar*>("Proceso"));
    // F2: "LEER Correo", a session at once; "LEER Fich. Manuales", one pass.
    r.recepcion = Mide([&] { QTest::keyClick(correo.get(), Qt::Key_F2); });
    r.pintadosRecepcion = barra.pintados;
  }
  // Esc: no further session on the timer.
  if (por_correo) QTest::keyClick(correo.get(), Qt::Key_Escape);
  if (etapas) {
    // F3: the cross-check window in the mail window's place.
    QTest::keyClick(correo.get(), Qt::Key_F3);
    scoring::GesPuntos* cruce = Visible<scoring::GesPuntos>();
    if (!cruce || !QTest::qWaitForWindowExposed(cruce, 5000)) std::abort();
    QTest::qWait(50);
    {
      ContadorPintado barra(cruce->findChild<QProgressBar*>("Proceso"));
      r.cruce = Mide([&] { QTest::keyClick(cruce, Qt::Key_F2); });
      r.pintadosCruce = barra.pintados;
    }
    // As before the cross-check, the window settles (lays out and paints
    // the lists the run left) before the next key, as it does for an
    // operator: what it does then is no part of the scoring run.
    QTest::qWait(50);
    {
      ContadorPintado barra(cruce->findChild<QProgressBar*>("Proceso"));
      r.puntuacion = Mide([&] { QTest::keyClick(cruce, Qt::Key_F3); });
      r.pintadosPuntuacion = barra.pintados;
    }
    cruce->findChild<QPushButton*>("FinClientes")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  correo->findChild<QPushButton*>("FinClientes")->click();
  correo.reset();
  QApplication::processEvents();
  r.cajas = mensajero.cajas.size() - cajas;
  return r;
}

// ------------------------------------------------------------- outputs

// The files of the edition that differ between two runs (by relative path).
std::vector<std::string> Diferencias(const std::string& a, const std::string& b) {
  std::map<std::string, std::string> fa, fb;
  auto lee = [](const std::string& raiz, std::map<std::string, std::string>& m) {
    for (const auto& e : fs::recursive_directory_iterator(raiz)) {
      if (!e.is_regular_file()) continue;
      std::string bytes;
      plataforma::LeerBytes(e.path().string(), bytes);
      m[fs::relative(e.path(), raiz).string()] = bytes;
    }
  };
  lee(a, fa);
  lee(b, fb);
  std::vector<std::string> d;
  for (const auto& [ruta, bytes] : fa)
    if (!fb.count(ruta) || fb[ruta] != bytes) d.push_back(ruta);
  for (const auto& [ruta, bytes] : fb)
    if (!fa.count(ruta)) d.push_back(ruta);
  return d;
}

// The bar's paintings and their rate are those of the first repetition.
void Linea(const char* nombre, const Tiempo& sin, const Tiempo& con, int pintados, double por_segundo) {
  std::printf("  %-26s %8.2f %8.2f   %8.2f %8.2f   %6.2f %6.2f   %6d %6.1f\n", nombre, sin.pared, sin.cpu, con.pared,
              con.cpu, con.pared / sin.pared, con.cpu / sin.cpu, pintados, por_segundo);
}

Tiempo Mejor(const Tiempo& a, const Tiempo& b) {
  return {std::min(a.pared, b.pared), std::min(a.cpu, b.cpu)};
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("TZ", "UTC", 1);
  tzset();
  int logs = 210, qsos = 115, veces = 1;
  std::uint32_t semilla = 2026;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--qsos") == 0 && i + 1 < argc)
      qsos = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--semilla") == 0 && i + 1 < argc)
      semilla = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    else if (std::strcmp(argv[i], "--veces") == 0 && i + 1 < argc)
      veces = std::max(1, std::atoi(argv[++i]));
    else
      logs = std::atoi(argv[i]);
  }
  QApplication aplicacion(argc, argv);
  MensajeroBanco mensajero;
  plataforma::InstalaMensajero(&mensajero);

  const std::vector<std::string> indicativos = generador::LeeIndicativos(generador::kMasterScp);
  if (indicativos.empty()) {
    std::fprintf(stderr, "No se pueden leer los indicativos de %s (paquete hamradio-files)\n", generador::kMasterScp);
    return 1;
  }
  generador::ParametrosConcurso p;
  p.Logs = logs;
  p.QsosPorLog = qsos;
  p.Semilla = semilla;
  generador::ConcursoSintetico fuente(p, indicativos);
  const std::string origen = fuente.Carpeta() + "/FicherosRecibidos";
  const std::string terravia = fuente.Raiz() + "/Terravia";
  const std::vector<std::string>& ficheros = fuente.Resumen().Ficheros;
  std::printf("%d logs, %zu líneas QSO, plataforma %s\n", logs, fuente.Resumen().LineasQso,
              qPrintable(QApplication::platformName()));
  std::printf("  %-26s %17s   %17s   %13s   %13s\n", "", "sin ventana", "con ventana", "razón", "barra pintada");
  std::printf("  %-26s %8s %8s   %8s %8s   %6s %6s   %6s %6s\n", "ejecución", "s", "CPU s", "s", "CPU s", "pared",
              "CPU", "veces", "por s");
  std::fflush(stdout);

  const std::string raiz = fuente.Raiz() + "/ejecuciones";
  SinVentana sinManual, sinCorreo;
  ConVentana conManual, conCorreo;
  std::vector<std::string> difManual, difCorreo;
  double ritmoManual[3] = {0, 0, 0}, ritmoCorreo = 0;
  for (int vez = 0; vez < veces; ++vez) {
    // Each repetition in folders of its own, all deleted at the end: a
    // file system does not give the inodes of files deleted a moment ago to
    // new files at once, and skipping them makes every file a run creates
    // dearer the more were deleted before it (the first run after each
    // deletion, the headless one, paying most).
    const std::string aqui = raiz + "/" + std::to_string(vez + 1);
    // Which of the two runs of a pair goes first alternates: the second
    // finds the disk as the first left it.
    const bool primero_sin = vez % 2 == 0;
    auto par = [&](const char* nombre, bool por_correo, bool etapas, SinVentana& s, ConVentana& v,
                   std::vector<std::string>& diferencias) {
      const Carpeta sin = Prepara(aqui + "/" + nombre + "-sin", origen, ficheros, por_correo);
      const Carpeta con = Prepara(aqui + "/" + nombre + "-con", origen, ficheros, por_correo);
      Asienta(raiz);
      if (primero_sin) s = SinPantalla(sin, terravia, por_correo, etapas);
      v = EnPantalla(con, terravia, por_correo, etapas, mensajero);
      if (!primero_sin) s = SinPantalla(sin, terravia, por_correo, etapas);
      diferencias = Diferencias(sin.carpeta, con.carpeta);
    };
    SinVentana s, sc;
    ConVentana v, vc;
    // The manual folder, then the cross-check and the scoring of its logs;
    // then a mail session over the Maildir.
    par("manual", false, true, s, v, difManual);
    par("correo", true, false, sc, vc, difCorreo);
    std::printf("  %d: razón recepción manual %.2f (%.2f/%.2f s), correo %.2f (%.2f/%.2f), cruce %.2f (%.2f/%.2f), "
                "puntuación %.2f (%.2f/%.2f)\n",
                vez + 1, v.recepcion.pared / s.recepcion.pared, v.recepcion.pared, s.recepcion.pared,
                vc.recepcion.pared / sc.recepcion.pared, vc.recepcion.pared, sc.recepcion.pared,
                v.cruce.pared / s.cruce.pared, v.cruce.pared, s.cruce.pared, v.puntuacion.pared / s.puntuacion.pared,
                v.puntuacion.pared, s.puntuacion.pared);
    std::fflush(stdout);
    if (vez == 0) {
      sinManual = s, conManual = v, sinCorreo = sc, conCorreo = vc;
      ritmoManual[0] = v.pintadosRecepcion / v.recepcion.pared;
      ritmoManual[1] = v.pintadosCruce / v.cruce.pared;
      ritmoManual[2] = v.pintadosPuntuacion / v.puntuacion.pared;
      ritmoCorreo = vc.pintadosRecepcion / vc.recepcion.pared;
      continue;
    }
    sinManual.recepcion = Mejor(sinManual.recepcion, s.recepcion);
    sinManual.cruce = Mejor(sinManual.cruce, s.cruce);
    sinManual.puntuacion = Mejor(sinManual.puntuacion, s.puntuacion);
    conManual.recepcion = Mejor(conManual.recepcion, v.recepcion);
    conManual.cruce = Mejor(conManual.cruce, v.cruce);
    conManual.puntuacion = Mejor(conManual.puntuacion, v.puntuacion);
    sinCorreo.recepcion = Mejor(sinCorreo.recepcion, sc.recepcion);
    conCorreo.recepcion = Mejor(conCorreo.recepcion, vc.recepcion);
  }
  Linea("recepción, carpeta manual", sinManual.recepcion, conManual.recepcion, conManual.pintadosRecepcion,
        ritmoManual[0]);
  Linea("recepción, correo", sinCorreo.recepcion, conCorreo.recepcion, conCorreo.pintadosRecepcion, ritmoCorreo);
  Linea("cruce", sinManual.cruce, conManual.cruce, conManual.pintadosCruce, ritmoManual[1]);
  Linea("puntuación", sinManual.puntuacion, conManual.puntuacion, conManual.pintadosPuntuacion, ritmoManual[2]);
  std::printf("  cajas de mensaje: %zu (ventanas), avisos sin ventana: %zu\n", conManual.cajas + conCorreo.cajas,
              sinManual.avisos + sinCorreo.avisos);
  for (const std::string& t : mensajero.cajas) std::printf("    %s\n", t.c_str());
  std::printf("  ficheros distintos con y sin ventana: %zu (carpeta manual), %zu (correo)\n", difManual.size(),
              difCorreo.size());
  for (const auto* d : {&difManual, &difCorreo})
    for (std::size_t i = 0; i < std::min<std::size_t>(5, d->size()); ++i) std::printf("    %s\n", (*d)[i].c_str());
  std::fflush(stdout);
  fs::remove_all(raiz);
  plataforma::InstalaMensajero(nullptr);
  return difManual.empty() && difCorreo.empty() ? 0 : 1;
}

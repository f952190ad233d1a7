#include "pantalla/servidor_x.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QtTest/QTest>
#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace pantalla {

namespace {

// Runs a program with its output thrown away, in its own process group so
// that ending it ends whatever it started. `conservar` is a descriptor the
// child keeps open (-1 for none).
pid_t Lanza(const std::vector<std::string>& argumentos, int conservar) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  setpgid(0, 0);
  int nulo = open("/dev/null", O_RDWR);
  if (nulo >= 0) {
    dup2(nulo, STDIN_FILENO);
    dup2(nulo, STDOUT_FILENO);
    dup2(nulo, STDERR_FILENO);
  }
  for (int fd = 3; fd < 1024; ++fd)
    if (fd != conservar) close(fd);
  std::vector<char*> argv;
  for (const std::string& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

void Termina(pid_t pid) {
  if (pid <= 0) return;
  kill(-pid, SIGTERM);
  for (int i = 0; i < 50; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    usleep(20000);
  }
  kill(-pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace

std::string BuscaEnPath(const std::string& programa) {
  const char* ruta = std::getenv("PATH");
  std::string path = ruta ? ruta : "/usr/bin:/bin";
  std::size_t inicio = 0;
  while (inicio <= path.size()) {
    std::size_t fin = path.find(':', inicio);
    if (fin == std::string::npos) fin = path.size();
    std::string dir = path.substr(inicio, fin - inicio);
    if (!dir.empty()) {
      std::string candidato = dir + "/" + programa;
      struct stat st {};
      if (stat(candidato.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidato.c_str(), X_OK) == 0)
        return candidato;
    }
    inicio = fin + 1;
  }
  return {};
}

ServidorX::ServidorX(int anchura, int altura) {
  const std::string xvfb = BuscaEnPath("Xvfb");
  if (xvfb.empty()) {
    motivo_ = "Xvfb no está instalado";
    return;
  }
  int tubo[2];
  if (pipe(tubo) != 0) {
    motivo_ = std::string("pipe: ") + std::strerror(errno);
    return;
  }
  const std::string pantalla = std::to_string(anchura) + "x" + std::to_string(altura) + "x24";
  // -displayfd: the server picks a free display number and writes it there.
  pid_ = Lanza({xvfb, "-displayfd", std::to_string(tubo[1]), "-screen", "0", pantalla, "-nolisten", "tcp",
                "-noreset"},
               tubo[1]);
  close(tubo[1]);
  std::string leido;
  pollfd espera{tubo[0], POLLIN, 0};
  while (pid_ > 0 && leido.find('\n') == std::string::npos && poll(&espera, 1, 20000) > 0) {
    char buf[32];
    ssize_t n = read(tubo[0], buf, sizeof buf);
    if (n <= 0) break;
    leido.append(buf, static_cast<std::size_t>(n));
  }
  close(tubo[0]);
  if (pid_ <= 0 || leido.find('\n') == std::string::npos) {
    motivo_ = "Xvfb no ha arrancado";
    Termina(pid_);
    pid_ = -1;
    return;
  }
  pantalla_ = ":" + leido.substr(0, leido.find('\n'));
}

ServidorX::~ServidorX() { Termina(pid_); }

namespace {

// The application's own connection to the X server, or nullptr.
xcb_connection_t* ConexionX() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

}  // namespace

bool EsperaA(const std::function<bool()>& listo, int ms, int paso) {
  QElapsedTimer reloj;
  reloj.start();
  while (!listo()) {
    if (reloj.elapsed() > ms) return listo();
    QTest::qWait(paso);
  }
  return true;
}

QImage CapturaPantalla(const QRect& zona) {
  xcb_connection_t* c = ConexionX();
  if (!c) return {};
  const xcb_screen_t* pantalla = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const QRect entera(0, 0, pantalla->width_in_pixels, pantalla->height_in_pixels);
  const QRect r = zona.isEmpty() ? entera : zona.intersected(entera);
  if (r.isEmpty()) return {};
  xcb_get_image_reply_t* img = xcb_get_image_reply(
      c,
      xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pantalla->root, static_cast<int16_t>(r.x()),
                    static_cast<int16_t>(r.y()), static_cast<uint16_t>(r.width()), static_cast<uint16_t>(r.height()),
                    ~0u),
      nullptr);
  if (!img) return {};
  QImage imagen;
  // A 24-bit screen keeps each pixel in 32 bits, the order of Format_RGB32.
  if (img->depth == 24 && xcb_get_image_data_length(img) == r.width() * r.height() * 4)
    imagen = QImage(xcb_get_image_data(img), r.width(), r.height(), r.width() * 4, QImage::Format_RGB32).copy();
  free(img);
  return imagen;
}

void GuardaCaptura(const QImage& imagen, const std::string& nombre) {
  const char* carpeta = std::getenv("TROVALIS_CAPTURAS");
  if (!carpeta || !*carpeta || imagen.isNull()) return;
  const QSize s = QGuiApplication::primaryScreen()->size();
  imagen.save(
      QString("%1/%2-%3x%4.png").arg(carpeta).arg(QString::fromStdString(nombre)).arg(s.width()).arg(s.height()));
}

bool HayGestorDeVentanas() {
  xcb_connection_t* c = ConexionX();
  if (!c) return false;
  // A window manager is the one client that redirects the root window's
  // substructure; the server reports the union of every client's events.
  xcb_window_t raiz = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  xcb_get_window_attributes_reply_t* a =
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, raiz), nullptr);
  if (!a) return false;
  const bool hay = (a->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
  free(a);
  return hay;
}

GestorVentanas::GestorVentanas() {
  // evilwm: small, answers the maximise requests, and brings in no fonts
  // that would change how the other tests lay out their text.
  const std::string gestor = BuscaEnPath("evilwm");
  if (gestor.empty()) {
    motivo_ = "evilwm no está instalado (scripts/instalar-dependencias)";
    return;
  }
  // Its title font: the core font "fixed" that every X server has.
  pid_ = Lanza({gestor, "-fn", "fixed"}, -1);
  if (pid_ <= 0) motivo_ = "evilwm no ha arrancado";
}

GestorVentanas::~GestorVentanas() { Termina(pid_); }

}  // namespace pantalla

// The built program itself, as `./run` starts it, on the private X server:
// a working folder prepared by scripts/preparar-carpeta, the binary started
// in it, and nothing but real X input (xdotool moves the pointer and sends
// keys and clicks through XTEST, as a keyboard and a mouse would). Each
// window it opens is then read back from the server with one GetImage of the
// root window, the pixels the screen shows, and must show its body in the
// window colour and some text (pantalla::CapturaPantalla says why one
// request on the root window).
#include <xcb/xcb.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "mainwindow/fixture_principal.h"
#include "pantalla/servidor_x.h"

namespace {

// Runs a program to its end, in `carpeta`, its output thrown away. Its exit
// code, or -1 when it could not run.
int Ejecuta(const std::vector<std::string>& argumentos, const std::string& carpeta = {}) {
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (!carpeta.empty() && chdir(carpeta.c_str()) != 0) _exit(126);
    const int nulo = open("/dev/null", O_RDWR);
    if (nulo >= 0) {
      dup2(nulo, STDIN_FILENO);
      dup2(nulo, STDOUT_FILENO);
      dup2(nulo, STDERR_FILENO);
    }
    std::vector<char*> argv;
    for (const std::string& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int estado = 0;
  if (waitpid(pid, &estado, 0) != pid) return -1;
  return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

// The program, started in a working folder, in its own process group; its
// output goes to trovalis.log there. Ended when the object goes.
class Programa {
 public:
  explicit Programa(const std::string& carpeta) {
    const std::string log = carpeta + "/trovalis.log";
    pid_ = fork();
    if (pid_ != 0) return;
    setpgid(0, 0);
    if (chdir(carpeta.c_str()) != 0) _exit(126);
    const int salida = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int nulo = open("/dev/null", O_RDONLY);
    if (nulo >= 0) dup2(nulo, STDIN_FILENO);
    if (salida >= 0) {
      dup2(salida, STDOUT_FILENO);
      dup2(salida, STDERR_FILENO);
    }
    for (int fd = 3; fd < 1024; ++fd) close(fd);
    execl(TROVALIS_PROGRAMA, TROVALIS_PROGRAMA, static_cast<char*>(nullptr));
    _exit(127);
  }
  ~Programa() {
    if (pid_ <= 0) return;
    kill(-pid_, SIGTERM);
    for (int i = 0; i < 100; ++i) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      usleep(20000);
    }
    kill(-pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  Programa(const Programa&) = delete;
  Programa& operator=(const Programa&) = delete;
  // False once the program has ended.
  bool Vivo() {
    if (pid_ <= 0) return false;
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = -1;
    return pid_ > 0;
  }

 private:
  pid_t pid_ = -1;
};

// A top-level window of the program as the server has it: its title and
// where its inside is on the screen (without a window manager's frame).
struct VentanaX {
  xcb_window_t Id = 0;
  std::string Titulo;
  QRect Geometria;
};

// The test's own connection to the server: the windows it shows.
class Servidor {
 public:
  Servidor() {
    conexion_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(conexion_)) return;
    const xcb_screen_t* pantalla = xcb_setup_roots_iterator(xcb_get_setup(conexion_)).data;
    raiz_ = pantalla->root;
    nombreUtf8_ = Atomo("_NET_WM_NAME");
    utf8_ = Atomo("UTF8_STRING");
  }
  ~Servidor() { xcb_disconnect(conexion_); }
  Servidor(const Servidor&) = delete;
  Servidor& operator=(const Servidor&) = delete;
  bool Conectado() const { return raiz_ != 0; }

  // Every viewable window that has a title, top of the stack first.
  std::vector<VentanaX> Ventanas() {
    std::vector<VentanaX> lista;
    Recorre(raiz_, lista);
    return {lista.rbegin(), lista.rend()};
  }

 private:
  xcb_atom_t Atomo(const char* nombre) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
        conexion_, xcb_intern_atom(conexion_, 0, static_cast<uint16_t>(std::strlen(nombre)), nombre), nullptr);
    const xcb_atom_t a = r ? r->atom : 0;
    free(r);
    return a;
  }

  std::string Propiedad(xcb_window_t w, xcb_atom_t nombre, xcb_atom_t tipo) {
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(conexion_, xcb_get_property(conexion_, 0, w, nombre, tipo, 0, 1024), nullptr);
    std::string valor;
    if (r && r->type == tipo)
      valor.assign(static_cast<const char*>(xcb_get_property_value(r)),
                   static_cast<std::size_t>(xcb_get_property_value_length(r)));
    free(r);
    return valor;
  }

  void Recorre(xcb_window_t padre, std::vector<VentanaX>& lista) {
    xcb_query_tree_reply_t* arbol = xcb_query_tree_reply(conexion_, xcb_query_tree(conexion_, padre), nullptr);
    if (!arbol) return;
    const xcb_window_t* hijos = xcb_query_tree_children(arbol);
    const int n = xcb_query_tree_children_length(arbol);
    // Bottom of the stack first, as the server lists them.
    for (int i = 0; i < n; ++i) {
      const xcb_window_t w = hijos[i];
      xcb_get_window_attributes_reply_t* a =
          xcb_get_window_attributes_reply(conexion_, xcb_get_window_attributes(conexion_, w), nullptr);
      const bool visible = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
      free(a);
      if (!visible) continue;
      std::string titulo = Propiedad(w, nombreUtf8_, utf8_);
      if (titulo.empty()) titulo = Propiedad(w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
      if (titulo.empty()) {
        // A window manager's frame: the program's window is inside.
        Recorre(w, lista);
        continue;
      }
      xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(conexion_, xcb_get_geometry(conexion_, w), nullptr);
      xcb_translate_coordinates_reply_t* t =
          xcb_translate_coordinates_reply(conexion_, xcb_translate_coordinates(conexion_, w, raiz_, 0, 0), nullptr);
      if (g && t) lista.push_back({w, titulo, QRect(t->dst_x, t->dst_y, g->width, g->height)});
      free(g);
      free(t);
    }
    free(arbol);
  }

  xcb_connection_t* conexion_ = nullptr;
  xcb_window_t raiz_ = 0;
  xcb_atom_t nombreUtf8_ = 0;
  xcb_atom_t utf8_ = 0;
};

// What a grab of a window shows: the share of pure black in its body, the
// share of the window colour, and how many pixels are dark enough to be
// text.
struct Vista {
  double Negro = 1;
  double Fondo = 0;
  long Oscuros = 0;
};

Vista Mira(const QImage& imagen) {
  Vista v;
  if (imagen.isNull()) return v;
  // The window colour, whether the window is active or not.
  const QPalette paleta = QApplication::palette();
  std::set<QRgb> fondos{paleta.color(QPalette::Active, QPalette::Window).rgb() & 0xffffff,
                        paleta.color(QPalette::Inactive, QPalette::Window).rgb() & 0xffffff};
  long total = 0, negros = 0, deFondo = 0;
  // The outermost pixels are the border.
  for (int y = 2; y < imagen.height() - 2; ++y)
    for (int x = 2; x < imagen.width() - 2; ++x) {
      const QRgb c = imagen.pixel(x, y) & 0xffffff;
      ++total;
      if (c == 0) ++negros;
      if (fondos.count(c)) ++deFondo;
      if (qGray(c) < 100) ++v.Oscuros;
    }
  if (total == 0) return v;
  v.Negro = double(negros) / double(total);
  v.Fondo = double(deFondo) / double(total);
  return v;
}

// Saves a grab when TROVALIS_CAPTURAS names a folder (to look at them).
void GuardaCaptura(const QImage& imagen, const std::string& nombre) {
  pantalla::GuardaCaptura(imagen, "programa-" + nombre);
}

class ProgramaEnPantalla : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (!pantalla::Servidor()) GTEST_SKIP() << pantalla::MotivoSinServidor();
    xdotool_ = pantalla::BuscaEnPath("xdotool");
    if (xdotool_.empty()) GTEST_SKIP() << "xdotool no está instalado (scripts/instalar-dependencias)";
    ASSERT_TRUE(x_.Conectado());
    if (GetParam()) {
      gestor_ = std::make_unique<pantalla::GestorVentanas>();
      ASSERT_TRUE(gestor_->Disponible()) << gestor_->Motivo();
      ASSERT_TRUE(Espera([] { return pantalla::HayGestorDeVentanas(); }, 15000))
          << "el gestor de ventanas no ha arrancado";
    }
  }
  void TearDown() override {
    programa_.reset();
    gestor_.reset();
  }

  std::string Sufijo() const { return GetParam() ? "-con-gestor" : "-sin-gestor"; }

  // Waits, polling, until `listo` holds or the time runs out (generous: a
  // loaded machine starts the program slowly).
  static bool Espera(const std::function<bool()>& listo, int ms = 20000) { return pantalla::EsperaA(listo, ms, 50); }

  // Prepares the folder as ./run does and starts the program in it.
  void Arranca(const std::string& carpeta) {
    ASSERT_EQ(Ejecuta({TROVALIS_PREPARAR_CARPETA, TROVALIS_BUILD, carpeta}), 0) << "preparar-carpeta";
    programa_ = std::make_unique<Programa>(carpeta);
  }

  // The top-most window whose title starts with `titulo`, once it is shown.
  std::optional<VentanaX> EsperaVentana(const std::string& titulo, bool exacto = true) {
    std::optional<VentanaX> hallada;
    Espera([&] {
      for (const VentanaX& v : x_.Ventanas())
        if (exacto ? v.Titulo == titulo : v.Titulo.rfind(titulo, 0) == 0) {
          hallada = v;
          return true;
        }
      return !programa_->Vivo();
    });
    if (!hallada) GuardaCaptura(pantalla::CapturaPantalla(), "sin-" + titulo + Sufijo());
    return hallada;
  }

  bool EsperaCierre(xcb_window_t id) {
    return Espera([&] {
      for (const VentanaX& v : x_.Ventanas())
        if (v.Id == id) return false;
      return true;
    });
  }

  // Real input: the pointer, keys and clicks go through XTEST, to whatever
  // window the server gives them to.
  void Xdotool(std::vector<std::string> argumentos) {
    argumentos.insert(argumentos.begin(), xdotool_);
    EXPECT_EQ(Ejecuta(argumentos), 0) << argumentos[1];
  }
  void PunteroA(const QPoint& p) { Xdotool({"mousemove", "--sync", std::to_string(p.x()), std::to_string(p.y())}); }
  void Tecla(const std::string& tecla) { Xdotool({"key", "--delay", "50", tecla}); }
  void Escribe(const std::string& texto) { Xdotool({"type", "--delay", "50", texto}); }
  void Pulsa(const QPoint& p) {
    PunteroA(p);
    Xdotool({"click", "1"});
  }

  // Grabs the window once it has had the time to paint (up to the time
  // limit: a loaded machine paints late) and checks what the screen shows.
  // `fondoMinimo`: the share of the window colour a body of that kind shows.
  void EsperaPintada(const VentanaX& v, const std::string& nombre, double fondoMinimo, long oscurosMinimos) {
    SCOPED_TRACE(nombre + Sufijo() + ": \"" + v.Titulo + "\"");
    Vista vista;
    QImage imagen;
    const bool pintada = Espera(
        [&] {
          imagen = pantalla::CapturaPantalla(v.Geometria);
          vista = Mira(imagen);
          return vista.Negro < 0.02 && vista.Fondo > fondoMinimo && vista.Oscuros >= oscurosMinimos;
        },
        10000);
    GuardaCaptura(pantalla::CapturaPantalla(), nombre + Sufijo());
    EXPECT_TRUE(pintada);
    EXPECT_LT(vista.Negro, 0.02) << "cuerpo negro";
    EXPECT_GT(vista.Fondo, fondoMinimo) << "cuerpo sin el color de ventana";
    EXPECT_GE(vista.Oscuros, oscurosMinimos) << "sin texto";
  }

  // A message box: grabbed, checked, then answered with Return with the
  // pointer over it, and gone.
  void CajaPintadaYCerrada(const std::string& titulo, const std::string& nombre) {
    const std::optional<VentanaX> caja = EsperaVentana(titulo);
    ASSERT_TRUE(caja) << "no se ha abierto la caja \"" << titulo << "\"";
    EsperaPintada(*caja, nombre, 0.5, 40);
    PunteroA(caja->Geometria.center());
    Tecla("Return");
    EXPECT_TRUE(EsperaCierre(caja->Id)) << "la caja \"" << titulo << "\" no se ha cerrado";
  }

  Servidor x_;
  std::unique_ptr<Programa> programa_;

 private:
  std::string xdotool_;
  std::unique_ptr<pantalla::GestorVentanas> gestor_;
};

// Where the clicked controls are in their window: a distance from one of
// its corners, as the layouts place them (the bottom rows of buttons follow
// the bottom edge when a larger screen makes the window taller).
struct Punto {
  int X, Y;
  bool DesdeDerecha = false, DesdeAbajo = false;
  QPoint En(const QRect& v) const {
    return {DesdeDerecha ? v.right() - X : v.left() + X, DesdeAbajo ? v.bottom() - Y : v.top() + Y};
  }
};
const Punto kMargenPrincipal{8, 8};
const Punto kCampoNombre{475, 50};
const Punto kCampoEdicion{857, 50};
const Punto kBotonCategorias{670, 81, false, true};
const Punto kBotonEstacionesEspeciales{173, 81, false, true};
const Punto kAceptarFormato{132, 39, false, true};
const Punto kCancelarFormato{133, 39, true, true};

TEST_P(ProgramaEnPantalla, LasCajasDelProgramaPintanTrasTeclasYClicsReales) {
  QTemporaryDir carpeta;
  ASSERT_TRUE(carpeta.isValid());
  ASSERT_NO_FATAL_FAILURE(Arranca(carpeta.path().toStdString()));

  // The start-up box of a folder without contests.
  ASSERT_NO_FATAL_FAILURE(CajaPintadaYCerrada("DEFINA ALGUN CONCURSO", "inicio"));
  const std::optional<VentanaX> principal = EsperaVentana("Trovalis - ", false);
  ASSERT_TRUE(principal) << "no se ha abierto la ventana principal";
  EsperaPintada(*principal, "principal", 0.15, 1000);

  // Create, then accept with every field empty: the box of the first field.
  // A click on the window's margin first: without a window manager nobody
  // else makes the window the active one.
  Pulsa(kMargenPrincipal.En(principal->Geometria));
  Tecla("F2");
  Tecla("F12");
  ASSERT_NO_FATAL_FAILURE(CajaPintadaYCerrada("Concurso", "caja-concurso"));

  // Name and edition typed, then the format window, clicked open.
  Pulsa(kCampoNombre.En(principal->Geometria));
  Escribe("PRUEBA");
  Pulsa(kCampoEdicion.En(principal->Geometria));
  Escribe("2025");
  Pulsa(kBotonCategorias.En(principal->Geometria));
  const std::optional<VentanaX> formato = EsperaVentana("Configurar FORMATO CABRILLO");
  ASSERT_TRUE(formato) << "no se ha abierto la ventana de formato";
  EsperaPintada(*formato, "formato", 0.15, 1000);

  // Accepting it with no mailbox: its box, which has no title of its own.
  Pulsa(kAceptarFormato.En(formato->Geometria));
  ASSERT_NO_FATAL_FAILURE(CajaPintadaYCerrada("trovalis", "caja-formato"));
  Pulsa(kCancelarFormato.En(formato->Geometria));
  ASSERT_TRUE(EsperaCierre(formato->Id)) << "la ventana de formato no se ha cerrado";

  // A list editor, clicked open from the main window shown again.
  ASSERT_TRUE(EsperaVentana("Trovalis - ", false)) << "la ventana principal no ha vuelto";
  Pulsa(kBotonEstacionesEspeciales.En(principal->Geometria));
  const std::optional<VentanaX> lista = EsperaVentana("Multiplicadores Especiales");
  ASSERT_TRUE(lista) << "no se ha abierto el editor de listas";
  EsperaPintada(*lista, "editor-listas", 0.15, 300);
}

TEST_P(ProgramaEnPantalla, LasVentanasDeCorreoYDeCrucePintanTrasTeclasReales) {
  // A working folder with one contest and its Cabrillo format, prepared
  // further (mail profile and Maildir) by preparar-carpeta.
  prueba::CarpetaPrueba carpeta;
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "CONCURSO PRUEBA", "2026",
                         {{"DesdeDia", "2026-03-01"},
                          {"DesdeHora", "00:00"},
                          {"HastaDia", "2026-03-01"},
                          {"HastaHora", "23:59"},
                          {"Banda14", "1"},
                          {"ModoCW", "1"},
                          {"ModoSSB", "1"}});
  carpeta.Ejecuta(
      "INSERT INTO ResumenCabrillo (NumeroOrden, EMailConcurso, AsuntoConcurso, SingleOp, CheckLog, [ALL], M20, CW, "
      "SSB, Low, AsistidoNoAplicable, TxNoAplicable, TipoEstacionNoAplicable, TimeNoAplicable, OverlayNoAplicable, "
      "RstEnviado, NumeralEnviado, RstRecibido, NumeralRecibido) VALUES (1, 'concurso@example.org', 'LISTA $', 1, 1, "
      "1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1)");
  ASSERT_NO_FATAL_FAILURE(Arranca(carpeta.Ruta()));

  const std::optional<VentanaX> principal = EsperaVentana("Trovalis - ", false);
  ASSERT_TRUE(principal) << "no se ha abierto la ventana principal";
  EsperaPintada(*principal, "principal-concurso", 0.15, 1000);

  // F7: the mail window takes the main window's place.
  Pulsa(kMargenPrincipal.En(principal->Geometria));
  Tecla("F7");
  const std::optional<VentanaX> correo = EsperaVentana("Gestión de Correo para FICHEROS CABRILLO");
  ASSERT_TRUE(correo) << "no se ha abierto la ventana de correo";
  EsperaPintada(*correo, "correo", 0.15, 1000);

  // F3 there: the cross-check window.
  PunteroA(correo->Geometria.center());
  Tecla("F3");
  const std::optional<VentanaX> cruce = EsperaVentana("Cruzar Listas y Calcular Puntos");
  ASSERT_TRUE(cruce) << "no se ha abierto la ventana de cruce";
  EsperaPintada(*cruce, "cruce", 0.15, 1000);
}

INSTANTIATE_TEST_SUITE_P(Gestor, ProgramaEnPantalla, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ConGestorDeVentanas" : "SinGestorDeVentanas"; });

}  // namespace

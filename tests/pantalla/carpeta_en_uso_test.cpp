// The built program started twice on one working folder: the second copy
// refuses to start, with a box on the screen that names the folder (answered
// with the keyboard through XTest) and the same text on its error output;
// the first copy, killed, leaves the folder free for the next start.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QtTest/QTest>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "mainwindow/fixture_principal.h"
#include "pantalla/servidor_x.h"
#include "plataforma/bloqueo_carpeta.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A copy of the program, started in a folder with its error output in a
// file; killed (SIGKILL) when the object goes unless it has ended.
class Programa {
 public:
  Programa(const std::string& carpeta, const std::string& plataforma, const std::string& salidaError) {
    // Everything the child needs is made before the fork: between fork and
    // exec it only calls what is safe there.
    std::vector<std::string> entorno;
    for (char** e = environ; *e; ++e)
      if (std::string(*e).rfind("QT_QPA_PLATFORM=", 0) != 0) entorno.emplace_back(*e);
    entorno.push_back("QT_QPA_PLATFORM=" + plataforma);
    std::vector<char*> envp;
    for (std::string& e : entorno) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_ = fork();
    if (pid_ != 0) return;
    setpgid(0, 0);
    if (chdir(carpeta.c_str()) != 0) _exit(126);
    const int nulo = open("/dev/null", O_RDWR);
    const int error = open(salidaError.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(nulo, STDIN_FILENO);
    dup2(nulo, STDOUT_FILENO);
    dup2(error, STDERR_FILENO);
    for (int fd = 3; fd < 1024; ++fd) close(fd);
    execle(TROVALIS_PROGRAMA, TROVALIS_PROGRAMA, static_cast<char*>(nullptr), envp.data());
    _exit(127);
  }
  ~Programa() { Mata(); }
  Programa(const Programa&) = delete;
  Programa& operator=(const Programa&) = delete;
  pid_t Pid() const { return pid_; }
  void Mata() {
    if (pid_ <= 0) return;
    kill(-pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  // Waits for the end; the wait status, or -1 when it has not ended in time.
  int EsperaFin(int ms) {
    for (int t = 0; t < ms; t += 20) {
      int estado = 0;
      if (waitpid(pid_, &estado, WNOHANG) == pid_) {
        pid_ = -1;
        return estado;
      }
      QTest::qWait(20);
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
};

using pantalla::EsperaA;

// Whether the process holds a lock of the file, as the system lists it.
bool TieneBloqueo(pid_t pid, const std::string& fichero) {
  struct stat st {};
  if (stat(fichero.c_str(), &st) != 0) return false;
  std::ifstream locks("/proc/locks");
  std::string linea;
  const std::string inodo = ":" + std::to_string(st.st_ino) + " ";
  while (std::getline(locks, linea)) {
    std::istringstream campos(linea);
    std::string n, clase, modo, tipo, dueno;
    campos >> n >> clase >> modo >> tipo >> dueno;
    if (clase == "FLOCK" && dueno == std::to_string(pid) && linea.find(inodo) != std::string::npos) return true;
  }
  return false;
}

std::string Ejecuta(const std::string& orden) {
  std::string salida;
  if (FILE* f = popen(orden.c_str(), "r")) {
    char trozo[256];
    while (std::fgets(trozo, sizeof trozo, f)) salida += trozo;
    pclose(f);
  }
  return salida;
}

std::string Lee(const std::string& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

TEST(CarpetaEnUso, ElSegundoProgramaEnLaMismaCarpetaSeNiegaANombrandola) {
  if (!pantalla::Servidor()) GTEST_SKIP() << pantalla::MotivoSinServidor();
  const std::string xdotool = pantalla::BuscaEnPath("xdotool");
  ASSERT_FALSE(xdotool.empty()) << "xdotool is missing (scripts/instalar-dependencias installs it)";

  prueba::CarpetaPrueba carpeta;
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "PRUEBA", "2025");
  const std::string ruta = fs::canonical(carpeta.Ruta()).string();
  const std::string fichero = ruta + "/" + plataforma::kFicheroBloqueo;
  const std::string salidas = ruta + "-salidas";
  fs::create_directory(salidas);
  struct Borra {
    std::string r;
    ~Borra() { fs::remove_all(r); }
  } borra{salidas};

  // The first copy, out of sight, holds the folder.
  auto primero = std::make_unique<Programa>(ruta, "offscreen", salidas + "/primero.txt");
  ASSERT_TRUE(EsperaA([&] { return TieneBloqueo(primero->Pid(), fichero); }, 20000)) << Lee(salidas + "/primero.txt");

  // The second, on the screen, refuses.
  Programa segundo(ruta, "xcb", salidas + "/segundo.txt");
  const std::string titulo = "CARPETA DE TRABAJO EN USO";
  std::string ventana;
  ASSERT_TRUE(EsperaA(
      [&] {
        ventana = Ejecuta(xdotool + " search --onlyvisible --name '^" + titulo + "$' 2>/dev/null");
        return !ventana.empty();
      },
      20000))
      << "no box; error output: " << Lee(salidas + "/segundo.txt");
  ventana = ventana.substr(0, ventana.find('\n'));
  QTest::qWait(500);

  // What the screen shows of the box: a painted body with text on it.
  std::istringstream geometria(Ejecuta(xdotool + " getwindowgeometry --shell " + ventana));
  int x = -1, y = -1, ancho = 0, alto = 0;
  for (std::string l; std::getline(geometria, l);) {
    if (l.rfind("X=", 0) == 0) x = std::stoi(l.substr(2));
    if (l.rfind("Y=", 0) == 0) y = std::stoi(l.substr(2));
    if (l.rfind("WIDTH=", 0) == 0) ancho = std::stoi(l.substr(6));
    if (l.rfind("HEIGHT=", 0) == 0) alto = std::stoi(l.substr(7));
  }
  ASSERT_GT(ancho, 100);
  ASSERT_GT(alto, 50);
  const QImage pantalla = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
  if (const char* capturas = std::getenv("TROVALIS_CAPTURAS"); capturas && *capturas)
    pantalla.save(QString("%1/carpeta-en-uso.png").arg(capturas));
  const QImage caja = pantalla.copy(x, y, ancho, alto);
  long negros = 0, oscuros = 0;
  for (int j = 0; j < caja.height(); ++j)
    for (int i = 0; i < caja.width(); ++i) {
      const QRgb c = caja.pixel(i, j) & 0xffffff;
      if (c == 0) ++negros;
      if (qGray(c) < 128) ++oscuros;
    }
  const long total = long(caja.width()) * caja.height();
  EXPECT_LT(negros, total / 50) << "a black box";
  EXPECT_GT(oscuros, 200) << "no text on the box";

  // Enter on the box answers it; the copy ends with a failure status and
  // the same text on its error output.
  Ejecuta(xdotool + " windowfocus --sync " + ventana + " key Return");
  const int estado = segundo.EsperaFin(10000);
  ASSERT_NE(estado, -1) << "the box did not close";
  ASSERT_TRUE(WIFEXITED(estado));
  EXPECT_EQ(WEXITSTATUS(estado), 1);
  const std::string mensaje = "La carpeta de trabajo " + ruta +
                              " ya está en uso por otro Trovalis abierto en ella.\n\nSolo puede haber un programa "
                              "en cada carpeta de trabajo (los dos leerían el mismo buzón y responderían dos veces "
                              "a cada lista): cierre el otro antes de abrir este.\n";
  EXPECT_NE(Lee(salidas + "/segundo.txt").find(mensaje), std::string::npos) << Lee(salidas + "/segundo.txt");
  EXPECT_TRUE(TieneBloqueo(primero->Pid(), fichero));

  // The first copy killed, the next start takes the folder.
  primero->Mata();
  Programa tercero(ruta, "offscreen", salidas + "/tercero.txt");
  EXPECT_TRUE(EsperaA([&] { return TieneBloqueo(tercero.Pid(), fichero); }, 20000)) << Lee(salidas + "/tercero.txt");
}

}  // namespace

// The lock of the working folder: one holder at a time, whatever path names
// the folder, and released by the system however the holder ends.
#include "plataforma/bloqueo_carpeta.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "soporte/carpeta_temporal.h"

extern char** environ;

namespace {

using plataforma::BloqueoCarpeta;
using Estado = plataforma::BloqueoCarpeta::Estado;

// A child process that tries the lock of a folder, tells the parent whether
// it got it ('T' or 'N') and then lives, holding what it got, until killed.
class Hijo {
 public:
  explicit Hijo(const std::string& carpeta) {
    int tubo[2];
    if (pipe(tubo) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(tubo[0]);
      const auto* bloqueo = new BloqueoCarpeta(carpeta);  // kept until the kill
      const char r = bloqueo->Tomado() ? 'T' : 'N';
      (void)!write(tubo[1], &r, 1);
      for (;;) pause();
    }
    close(tubo[1]);
    if (pid_ > 0 && read(tubo[0], &respuesta_, 1) != 1) respuesta_ = 0;
    close(tubo[0]);
  }
  ~Hijo() { Mata(); }
  Hijo(const Hijo&) = delete;
  Hijo& operator=(const Hijo&) = delete;
  char Respuesta() const { return respuesta_; }
  // SIGKILL: the child ends without running anything of its own.
  void Mata() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    int estado = 0;
    waitpid(pid_, &estado, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  char respuesta_ = 0;
};

TEST(BloqueoCarpeta, UnSoloDuenoPorCarpetaSeaCualSeaLaRuta) {
  soporte::CarpetaTemporal dir;
  std::filesystem::create_directory_symlink(dir.Ruta(), dir.Ruta() + "-enlace");
  struct BorraEnlace {
    std::string ruta;
    ~BorraEnlace() { std::filesystem::remove(ruta); }
  } borra{dir.Ruta() + "-enlace"};

  auto primero = std::make_unique<BloqueoCarpeta>(dir.Ruta());
  ASSERT_EQ(primero->Situacion(), Estado::Tomado);
  EXPECT_EQ(primero->Mensaje(), "");
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.En(plataforma::kFicheroBloqueo)));

  for (const std::string& ruta : {dir.Ruta(), dir.Ruta() + "/.", dir.Ruta() + "-enlace"}) {
    SCOPED_TRACE(ruta);
    BloqueoCarpeta segundo(ruta);
    EXPECT_EQ(segundo.Situacion(), Estado::EnUso);
    EXPECT_EQ(segundo.Titulo(), "CARPETA DE TRABAJO EN USO");
    EXPECT_EQ(segundo.Mensaje(),
              "La carpeta de trabajo " + ruta +
                  " ya está en uso por otro Trovalis abierto en ella.\n\nSolo puede haber un programa en cada "
                  "carpeta de trabajo (los dos leerían el mismo buzón y responderían dos veces a cada lista): "
                  "cierre el otro antes de abrir este.");
  }
  // Another folder is free.
  soporte::CarpetaTemporal otra;
  EXPECT_TRUE(BloqueoCarpeta(otra.Ruta()).Tomado());

  // Closing the holder frees the folder; the file it leaves locks nothing.
  primero.reset();
  EXPECT_TRUE(std::filesystem::exists(dir.En(plataforma::kFicheroBloqueo)));
  BloqueoCarpeta tercero(dir.Ruta());
  EXPECT_TRUE(tercero.Tomado());
}

// A holder in another process keeps the folder; killed with SIGKILL, it
// leaves it free at once.
TEST(BloqueoCarpeta, OtroProcesoLaRetieneHastaMorir) {
  soporte::CarpetaTemporal dir;
  {
    Hijo hijo(dir.Ruta());
    ASSERT_EQ(hijo.Respuesta(), 'T');
    EXPECT_EQ(BloqueoCarpeta(dir.Ruta()).Situacion(), Estado::EnUso);
    hijo.Mata();
    EXPECT_TRUE(BloqueoCarpeta(dir.Ruta()).Tomado());
  }
  // And the other way round: this process holds it, a child is refused.
  BloqueoCarpeta propio(dir.Ruta());
  ASSERT_TRUE(propio.Tomado());
  Hijo hijo(dir.Ruta());
  EXPECT_EQ(hijo.Respuesta(), 'N');
}

// A program that the holder starts (a mail or print helper) does not keep
// the folder locked once the holder has let it go.
TEST(BloqueoCarpeta, UnProgramaLanzadoNoLaHereda) {
  soporte::CarpetaTemporal dir;
  auto bloqueo = std::make_unique<BloqueoCarpeta>(dir.Ruta());
  ASSERT_TRUE(bloqueo->Tomado());
  pid_t pid = 0;
  char programa[] = "sleep";
  char segundos[] = "60";
  char* argv[] = {programa, segundos, nullptr};
  ASSERT_EQ(posix_spawnp(&pid, "sleep", nullptr, nullptr, argv, environ), 0);
  bloqueo.reset();
  // The program closes what it must not inherit as it starts, a moment after
  // posix_spawnp has returned.
  bool libre = false;
  for (int i = 0; i < 500 && !libre; ++i) {
    libre = BloqueoCarpeta(dir.Ruta()).Tomado();
    if (!libre) usleep(10000);
  }
  EXPECT_TRUE(libre);
  kill(pid, SIGKILL);
  int estado = 0;
  waitpid(pid, &estado, 0);
}

TEST(BloqueoCarpeta, UnaCarpetaQueNoSePuedeBloquearSeNombraConElMotivo) {
  soporte::CarpetaTemporal dir;
  const std::string falta = dir.En("no-existe");
  BloqueoCarpeta bloqueo(falta);
  EXPECT_EQ(bloqueo.Situacion(), Estado::Fallo);
  EXPECT_EQ(bloqueo.Titulo(), "CARPETA DE TRABAJO");
  EXPECT_EQ(bloqueo.Mensaje(), "No se ha podido comprobar que la carpeta de trabajo " + falta +
                                   " no esté en uso por otro Trovalis: el fichero Trovalis.bloqueo no se puede "
                                   "bloquear (No such file or directory).\n\nEl programa no se abre en esa carpeta.");
}

}  // namespace

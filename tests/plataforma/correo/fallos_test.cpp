// Servers that are gone or never answer: a number and a description, within
// a few seconds.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "plataforma/correo/correo.h"
#include "plataforma/correo/servidores.h"

namespace fs = std::filesystem;
using namespace plataforma::correo;
using namespace pruebas_correo;
using Reloj = std::chrono::steady_clock;

namespace {

// A server that takes connections and never says a word.
class Mudo {
 public:
  Mudo() {
    s_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(s_, 8);
    socklen_t n = sizeof a;
    getsockname(s_, reinterpret_cast<sockaddr*>(&a), &n);
    puerto_ = ntohs(a.sin_port);
  }
  ~Mudo() { close(s_); }
  int Puerto() const { return puerto_; }

 private:
  int s_ = -1;
  int puerto_ = 0;
};

const OpcionesCorreo kRapido{std::chrono::milliseconds(1000), std::chrono::milliseconds(1500)};
// Far above the timeouts, far below a hang.
constexpr auto kLimite = std::chrono::seconds(8);

class FallosTest : public testing::Test {
 protected:
  void SetUp() override {
    trabajo_ = tmp_.Ruta() + "/trabajo";
    LlenaMaildir(trabajo_ + "/Correo", {{"02-log.eml", false, 1773482400}});
    PreparaNetrc(tmp_.Ruta(), "concurso", "clave");
  }
  void Perfil(const std::string& entrada, const std::string& smtp = "") {
    std::ofstream(trabajo_ + "/PerfilCorreo.txt")
        << "Entrada=" << entrada << "\r\nSmtp=" << smtp << "\r\nRemitente=concurso@example.org\r\n";
  }
  CarpetaTemporal tmp_;
  std::string trabajo_;
};

TEST_F(FallosTest, SignOnToAStoppedOrSilentImapServerFailsWithANumber) {
  Mudo mudo;
  for (int puerto : {PuertoLibre(), mudo.Puerto()}) {
    Perfil("imap://concurso@127.0.0.1:" + std::to_string(puerto) + "/INBOX");
    SesionCorreo s(trabajo_, kRapido);
    auto t = Reloj::now();
    EXPECT_FALSE(s.IniciarSesion());
    EXPECT_LT(Reloj::now() - t, kLimite);
    EXPECT_EQ(s.UltimoError().numero, kCorreoFalloInicioSesion);
    EXPECT_NE(s.UltimoError().descripcion.find("127.0.0.1"), std::string::npos) << s.UltimoError().descripcion;
    EXPECT_FALSE(s.SesionIniciada());
  }
}

TEST_F(FallosTest, AnImapServerStoppedDuringTheSessionFailsTheNextStep) {
  ServidorImap imap(tmp_.Ruta(), "concurso", "clave", true);
  LlenaMaildir(imap.Buzon(), {{"02-log.eml", false, 1773482400}});
  ASSERT_TRUE(imap.Arranca()) << imap.Registro();
  Perfil("imap://concurso@127.0.0.1:" + std::to_string(imap.Puerto()));
  SesionCorreo s(trabajo_, kRapido);
  ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion << imap.Registro();
  ASSERT_TRUE(s.LeerNoLeidos());
  ASSERT_EQ(s.NumeroCorreos(), 1);
  imap.Para();
  auto t = Reloj::now();
  EXPECT_FALSE(s.SeleccionarCorreo(0));
  EXPECT_NE(s.UltimoError().numero, kCorreoSinError);
  EXPECT_FALSE(s.BorrarCorreo());
  EXPECT_NE(s.UltimoError().numero, kCorreoSinError);
  EXPECT_FALSE(s.LeerNoLeidos());
  EXPECT_NE(s.UltimoError().numero, kCorreoSinError);
  EXPECT_LT(Reloj::now() - t, kLimite);
  s.CerrarSesion();
  EXPECT_LT(Reloj::now() - t, kLimite);
}

TEST_F(FallosTest, SendingToAStoppedOrSilentSmtpServerFailsWithANumber) {
  Mudo mudo;
  for (int puerto : {PuertoLibre(), mudo.Puerto()}) {
    Perfil("Correo", "smtp://127.0.0.1:" + std::to_string(puerto));
    SesionCorreo s(trabajo_, kRapido);
    ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion;
    auto t = Reloj::now();
    EXPECT_FALSE(s.EnviarMensaje("ea1abc@example.org", "Asunto", "Texto"));
    EXPECT_LT(Reloj::now() - t, kLimite);
    EXPECT_EQ(s.UltimoError().numero, kCorreoFalloGeneral);
    EXPECT_FALSE(s.UltimoError().descripcion.empty());
    // The session itself goes on.
    EXPECT_TRUE(s.LeerNoLeidos());
    EXPECT_EQ(s.NumeroCorreos(), 1);
  }
  EXPECT_FALSE(fs::exists(trabajo_ + "/Correo/Salida"));
}

TEST_F(FallosTest, AWrongLoginIsASignOnFailure) {
  ServidorImap imap(tmp_.Ruta(), "concurso", "otra-clave", false);
  ASSERT_TRUE(imap.Arranca()) << imap.Registro();
  Perfil("imap://concurso@127.0.0.1:" + std::to_string(imap.Puerto()) + "/INBOX");
  SesionCorreo s(trabajo_);
  EXPECT_FALSE(s.IniciarSesion());
  EXPECT_EQ(s.UltimoError().numero, kCorreoFalloInicioSesion);
  // A mailbox that does not exist.
  PreparaNetrc(tmp_.Ruta(), "concurso", "otra-clave");
  Perfil("imap://concurso@127.0.0.1:" + std::to_string(imap.Puerto()) + "/NoExiste");
  EXPECT_FALSE(s.IniciarSesion());
  EXPECT_EQ(s.UltimoError().numero, kCorreoFalloInicioSesion);
  EXPECT_NE(s.UltimoError().descripcion.find("SELECT"), std::string::npos) << s.UltimoError().descripcion;
  Perfil("imap://concurso@127.0.0.1:" + std::to_string(imap.Puerto()) + "/INBOX");
  EXPECT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion;
}

}  // namespace

// Faults in the middle of a step: an SMTP server that refuses a mail or
// vanishes while it is being sent, an IMAP server that vanishes while a mail
// is fetched, an attachment that cannot be written and a disk that fills
// while one is saved. Each fails with a number within a few seconds, and no
// mail is marked read or taken out of the inbox.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "plataforma/correo/correo.h"
#include "plataforma/correo/servidores.h"
#include "plataforma/correo/servidores_guion.h"

namespace fs = std::filesystem;
using namespace plataforma::correo;
using namespace pruebas_correo;
using Reloj = std::chrono::steady_clock;

namespace {

const OpcionesCorreo kRapido{std::chrono::milliseconds(1000), std::chrono::milliseconds(1500)};
constexpr auto kLimite = std::chrono::seconds(8);

class Inyeccion : public testing::Test {
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

TEST_F(Inyeccion, AnSmtpServerThatRefusesOrVanishesMidSendFailsWithANumber) {
  const std::vector<std::map<std::string, std::string>> guiones = {
      {{"GREETING", "554 no se atiende"}},
      {{"GREETING", "CORTA"}},
      {{"MAIL", "451 vuelva luego"}},
      {{"MAIL", "CORTA"}},
      {{"RCPT", "550 no existe"}},
      {{"RCPT", "CORTA"}},
      {{"DATA", "554 no"}},
      {{"DATA", "CORTA"}},
      {{"DATA", "CORTA-DATOS"}},
      {{".", "552 demasiado grande"}},
      {{".", "CORTA"}},
  };
  for (const auto& guion : guiones) {
    const std::string caso = guion.begin()->first + " -> " + guion.begin()->second;
    SmtpGuion smtp(guion);
    Perfil("Correo", "smtp://127.0.0.1:" + std::to_string(smtp.Puerto()));
    SesionCorreo s(trabajo_, kRapido);
    ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion;
    auto t = Reloj::now();
    EXPECT_FALSE(s.EnviarMensaje("ea1abc@example.org", "Asunto", std::string(20000, 'x'))) << caso;
    EXPECT_LT(Reloj::now() - t, kLimite) << caso;
    EXPECT_TRUE(s.UltimoError().numero == kCorreoFalloGeneral || s.UltimoError().numero == kCorreoDestinatarioNoValido)
        << caso << ": " << s.UltimoError().numero;
    EXPECT_FALSE(s.UltimoError().descripcion.empty()) << caso;
    // The session goes on; the incoming mail is untouched.
    EXPECT_TRUE(s.LeerNoLeidos()) << caso;
    EXPECT_EQ(s.NumeroCorreos(), 1) << caso;
    s.CerrarSesion();
  }
  // The script runs to the end when nothing goes wrong.
  SmtpGuion bien({});
  Perfil("Correo", "smtp://127.0.0.1:" + std::to_string(bien.Puerto()));
  SesionCorreo s(trabajo_, kRapido);
  ASSERT_TRUE(s.IniciarSesion());
  EXPECT_TRUE(s.EnviarMensaje("ea1abc@example.org", "Asunto", "Texto")) << s.UltimoError().descripcion;
  EXPECT_FALSE(fs::exists(trabajo_ + "/Correo/Salida"));
}

bool ConMarcaDeLeido(const std::string& buzon) {
  for (const char* sub : {"/new", "/cur"})
    for (const std::string& f : Ficheros(buzon + sub)) {
      auto i = f.find(":2,");
      if (i != std::string::npos && f.find('S', i) != std::string::npos) return true;
    }
  return false;
}

TEST_F(Inyeccion, AnImapServerThatVanishesMidFetchLeavesTheMailUnread) {
  ServidorImap imap(tmp_.Ruta(), "concurso", "clave", true);
  LlenaMaildir(imap.Buzon(), {{"02-log.eml", false, 1773482400}, {"05-dos.eml", false, 1773482500}});
  ASSERT_TRUE(imap.Arranca()) << imap.Registro();
  for (std::size_t bytes : {std::size_t{0}, std::size_t{20}, std::size_t{200}}) {
    CorteImap corte(imap.Puerto(), bytes);
    Perfil("imap://concurso@127.0.0.1:" + std::to_string(corte.Puerto()) + "/INBOX");
    SesionCorreo s(trabajo_, kRapido);
    ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion << imap.Registro();
    ASSERT_TRUE(s.LeerNoLeidos()) << s.UltimoError().descripcion;
    ASSERT_EQ(s.NumeroCorreos(), 2);
    auto t = Reloj::now();
    EXPECT_FALSE(s.SeleccionarCorreo(1)) << bytes;
    EXPECT_NE(s.UltimoError().numero, kCorreoSinError) << bytes;
    EXPECT_TRUE(corte.Cortado()) << bytes;
    EXPECT_EQ(s.NumeroAdjuntos(), 0) << bytes;
    s.CerrarSesion();
    EXPECT_LT(Reloj::now() - t, kLimite) << bytes;
  }
  // Both mails are still there, unread, and are read whole at the next session.
  EXPECT_FALSE(ConMarcaDeLeido(imap.Buzon()));
  Perfil("imap://concurso@127.0.0.1:" + std::to_string(imap.Puerto()) + "/INBOX");
  SesionCorreo s(trabajo_, kRapido);
  ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion;
  ASSERT_TRUE(s.LeerNoLeidos());
  ASSERT_EQ(s.NumeroCorreos(), 2);
  ASSERT_TRUE(s.SeleccionarCorreo(1)) << s.UltimoError().descripcion;
  EXPECT_EQ(s.NumeroAdjuntos(), 2);
  s.CerrarSesion();
  EXPECT_FALSE(ConMarcaDeLeido(imap.Buzon()));
}

TEST_F(Inyeccion, AnAttachmentThatCannotBeWrittenFailsWithANumberAndTheMailStays) {
  Perfil("Correo");
  SesionCorreo s(trabajo_, kRapido);
  ASSERT_TRUE(s.IniciarSesion());
  ASSERT_TRUE(s.LeerNoLeidos());
  ASSERT_TRUE(s.SeleccionarCorreo(0));
  ASSERT_EQ(s.NumeroAdjuntos(), 1);
  fs::create_directories(tmp_.Ruta() + "/ocupado/EA1ABC.LOG");  // a folder where the file should go
  for (const std::string& destino :
       {tmp_.Ruta() + "/no/existe/EA1ABC.LOG", tmp_.Ruta() + "/ocupado/EA1ABC.LOG", std::string("/proc/EA1ABC.LOG")}) {
    EXPECT_FALSE(s.GuardarAdjunto(0, destino)) << destino;
    EXPECT_EQ(s.UltimoError().numero, kCorreoFalloEscrituraAdjunto) << destino;
  }
  EXPECT_FALSE(s.GuardarAdjuntoEnCarpeta(0, tmp_.Ruta() + "/no/existe", nullptr));
  EXPECT_EQ(s.UltimoError().numero, kCorreoFalloEscrituraAdjunto);
  s.CerrarSesion();
  EXPECT_EQ(Ficheros(trabajo_ + "/Correo/new").size(), 1u);
  EXPECT_TRUE(Ficheros(trabajo_ + "/Correo/cur").empty());
}

TEST_F(Inyeccion, ADiskThatFillsWhileSavingLeavesNoCutOffAttachment) {
  // A mail with an attachment far bigger than the room left on the disk,
  // which a child process with a file-size limit stands for.
  std::string grande =
      "From: EA1ABC <ea1abc@example.org>\r\nTo: concurso@example.org\r\nSubject: Lista ea1abc\r\n"
      "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\n"
      "Content-Type: text/plain\r\n\r\nLista\r\n--b\r\nContent-Type: application/octet-stream\r\n"
      "Content-Disposition: attachment; filename=\"EA1ABC.LOG\"\r\n\r\n";
  for (int i = 0; i < 4000; ++i) grande += "QSO: 14000 CW 2026-03-05 1000 EA1ABC 599 001 EA2XYZ 599 001\r\n";
  grande += "--b--\r\n";
  const std::string maildir = tmp_.Ruta() + "/lleno";
  fs::create_directories(maildir + "/new");
  fs::create_directories(maildir + "/cur");
  fs::create_directories(maildir + "/tmp");
  std::ofstream(maildir + "/new/1.M1P1.prueba", std::ios::binary) << grande;
  const std::string destino = tmp_.Ruta() + "/adjuntos";
  fs::create_directories(destino);

  pid_t hijo = fork();
  ASSERT_GE(hijo, 0);
  if (hijo == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit r{64 * 1024, 64 * 1024};
    setrlimit(RLIMIT_FSIZE, &r);
    SesionCorreo s(CreaAlmacenMaildir(maildir), CreaSalidaMaildir(tmp_.Ruta() + "/salida"), "concurso@example.org");
    if (!s.IniciarSesion() || !s.LeerNoLeidos() || s.NumeroCorreos() != 1 || !s.SeleccionarCorreo(0)) _exit(10);
    std::string ruta;
    if (s.GuardarAdjuntoEnCarpeta(0, destino, &ruta)) _exit(11);
    _exit(s.UltimoError().numero == kCorreoFalloEscrituraAdjunto ? 0 : 12);
  }
  int estado = 0;
  waitpid(hijo, &estado, 0);
  ASSERT_TRUE(WIFEXITED(estado)) << estado;
  EXPECT_EQ(WEXITSTATUS(estado), 0);
  // Nothing cut off passes for the log; the mail is still unread.
  EXPECT_TRUE(Ficheros(destino).empty());
  EXPECT_EQ(Ficheros(maildir + "/new").size(), 1u);

  // With room again it is saved whole.
  SesionCorreo s(CreaAlmacenMaildir(maildir), CreaSalidaMaildir(tmp_.Ruta() + "/salida"), "concurso@example.org");
  ASSERT_TRUE(s.IniciarSesion() && s.LeerNoLeidos() && s.SeleccionarCorreo(0));
  std::string ruta;
  ASSERT_TRUE(s.GuardarAdjuntoEnCarpeta(0, destino, &ruta)) << s.UltimoError().descripcion;
  EXPECT_GT(fs::file_size(ruta), 64u * 1024);
}

}  // namespace

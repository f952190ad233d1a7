// A session whose waiting calls go through the caller's executor: every call
// that reaches the store or the way out runs there, its answer comes back,
// and nothing of it runs on the caller's thread.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "plataforma/correo/correo.h"
#include "plataforma/correo/servidores.h"

namespace fs = std::filesystem;
using namespace plataforma::correo;
using namespace pruebas_correo;

namespace {

struct Ejecutor {
  int llamadas = 0;
  bool enOtroHilo = true;
  OpcionesCorreo Opciones() {
    OpcionesCorreo o;
    o.ejecuta = [this](const std::function<void()>& llamada) {
      ++llamadas;
      const std::thread::id llamante = std::this_thread::get_id();
      std::thread hilo([&] {
        enOtroHilo = enOtroHilo && std::this_thread::get_id() != llamante;
        llamada();
      });
      hilo.join();
    };
    return o;
  }
};

class EjecutorTest : public testing::Test {
 protected:
  void SetUp() override {
    trabajo_ = tmp_.Ruta() + "/trabajo";
    LlenaMaildir(trabajo_ + "/Correo", {{"02-log.eml", false, 1773489600}});
  }
  CarpetaTemporal tmp_;
  std::string trabajo_;
};

TEST_F(EjecutorTest, StoreAndOutboxCallsRunThroughTheExecutor) {
  std::ofstream(trabajo_ + "/PerfilCorreo.txt") << "Entrada=Correo\r\n";
  Ejecutor ejecutor;
  SesionCorreo s(trabajo_, ejecutor.Opciones());
  ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion;
  ASSERT_TRUE(s.LeerNoLeidos());
  ASSERT_EQ(s.NumeroCorreos(), 1);
  ASSERT_TRUE(s.SeleccionarCorreo(0));
  EXPECT_FALSE(s.Asunto().empty());
  ASSERT_TRUE(s.BorrarCorreo());
  ASSERT_TRUE(s.EnviarMensaje("ea1abc@example.org", "Asunto", "Texto\r\n"));
  s.CerrarSesion();
  // Sign-on, fetch, read, delete, send and sign-off.
  EXPECT_EQ(ejecutor.llamadas, 6);
  EXPECT_TRUE(ejecutor.enOtroHilo);
  EXPECT_TRUE(Ficheros(trabajo_ + "/Correo/new").empty());
  EXPECT_EQ(Ficheros(trabajo_ + "/Correo/Salida/new").size(), 1u);
}

TEST_F(EjecutorTest, AFailedSignOnComesBackWithItsNumber) {
  std::ofstream(trabajo_ + "/PerfilCorreo.txt")
      << "Entrada=imap://concurso@127.0.0.1:" << PuertoLibre() << "/INBOX\r\n";
  Ejecutor ejecutor;
  SesionCorreo s(trabajo_, ejecutor.Opciones());
  EXPECT_FALSE(s.IniciarSesion());
  EXPECT_EQ(s.UltimoError().numero, kCorreoFalloInicioSesion);
  EXPECT_FALSE(s.SesionIniciada());
  EXPECT_EQ(ejecutor.llamadas, 1);
}

}  // namespace

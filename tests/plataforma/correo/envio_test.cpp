// Sending: by SMTP to a real server (aiosmtpd) and into the outbox Maildir.
#include <gmime/gmime.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "plataforma/correo/correo.h"
#include "plataforma/correo/servidores.h"

namespace fs = std::filesystem;
using namespace plataforma::correo;
using namespace pruebas_correo;

namespace {

// One delivered mail, parsed.
struct Entregado {
  std::string para, asunto, texto, juego, rcpt, de;
};

Entregado Lee(const std::string& ruta) {
  g_mime_init();
  std::string bytes = LeeFichero(ruta);
  GMimeStream* flujo = g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size());
  GMimeParser* p = g_mime_parser_new_with_stream(flujo);
  GMimeMessage* m = g_mime_parser_construct_message(p, nullptr);
  g_object_unref(p);
  g_object_unref(flujo);
  Entregado e;
  if (!m) return e;
  auto direccion = [](InternetAddressList* l) {
    if (!l || internet_address_list_length(l) == 0) return std::string();
    InternetAddress* a = internet_address_list_get_address(l, 0);
    return INTERNET_ADDRESS_IS_MAILBOX(a) ? std::string(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(a)))
                                          : std::string();
  };
  e.para = direccion(g_mime_message_get_to(m));
  e.de = direccion(g_mime_message_get_from(m));
  if (const char* s = g_mime_message_get_subject(m)) e.asunto = s;
  if (const char* r = g_mime_object_get_header(GMIME_OBJECT(m), "X-RcptTo")) e.rcpt = r;
  GMimeObject* cuerpo = g_mime_message_get_mime_part(m);
  if (cuerpo && GMIME_IS_TEXT_PART(cuerpo)) {
    char* t = g_mime_text_part_get_text(GMIME_TEXT_PART(cuerpo));
    if (t) e.texto = t;
    g_free(t);
    if (const char* j = g_mime_text_part_get_charset(GMIME_TEXT_PART(cuerpo))) e.juego = j;
  }
  g_object_unref(m);
  // Line ends as stored vary (CR LF on the wire, LF in a Maildir).
  std::string sinCr;
  for (char c : e.texto)
    if (c != '\r') sinCr += c;
  e.texto = sinCr;
  return e;
}

std::string SinCr(std::string s) {
  std::string r;
  for (char c : s)
    if (c != '\r') r += c;
  return r;
}

const std::string kAsunto = "Confirmando LISTA Señal de España";
const std::string kTexto =
    "\tSU ENVÍO:\r\nFECHA:   14-03-2026\r\n.\r\nLínea con acentos: áéíóú ñ Ñ ü €\r\n"
    "La Organización agradece su colaboración.\r\n";

class EnvioTest : public testing::Test {
 protected:
  void SetUp() override {
    trabajo_ = tmp_.Ruta() + "/trabajo";
    fs::create_directories(trabajo_ + "/Correo");
    LlenaMaildir(trabajo_ + "/Correo", {});
  }
  void Perfil(const std::string& smtp) {
    std::ofstream(trabajo_ + "/PerfilCorreo.txt")
        << "Entrada=Correo\r\nSmtp=" << smtp << "\r\nRemitente=concurso@example.org\r\n";
  }
  CarpetaTemporal tmp_;
  std::string trabajo_;
};

TEST_F(EnvioTest, SmtpDeliversRecipientSubjectAndTextWithTheirAccents) {
  ServidorSmtp smtp(tmp_.Ruta());
  ASSERT_TRUE(smtp.Arranca());
  Perfil("smtp://127.0.0.1:" + std::to_string(smtp.Puerto()));
  SesionCorreo s(trabajo_);
  ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion;
  ASSERT_TRUE(s.EnviarMensaje("ea1abc@example.org", kAsunto, kTexto)) << s.UltimoError().descripcion;
  smtp.Para();
  auto entregados = Ficheros(smtp.Buzon() + "/new");
  ASSERT_EQ(entregados.size(), 1u);
  Entregado e = Lee(smtp.Buzon() + "/new/" + entregados[0]);
  EXPECT_EQ(e.rcpt, "ea1abc@example.org");
  EXPECT_EQ(e.para, "ea1abc@example.org");
  EXPECT_EQ(e.de, "concurso@example.org");
  EXPECT_EQ(e.asunto, kAsunto);
  EXPECT_EQ(e.texto, SinCr(kTexto));  // the lone "." line survives the SMTP dialogue
  EXPECT_TRUE(e.juego == "utf-8" || e.juego == "iso-8859-1") << e.juego;
  // Nothing went to the outbox.
  EXPECT_FALSE(fs::exists(trabajo_ + "/Correo/Salida"));
}

TEST_F(EnvioTest, WithoutSmtpTheWholeMailGoesIntoTheOutbox) {
  std::ofstream(trabajo_ + "/PerfilCorreo.txt") << "Entrada=Correo\r\n";
  SesionCorreo s(trabajo_);
  ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion;
  ASSERT_TRUE(s.EnviarMensaje("ea1abc@example.org", kAsunto, kTexto)) << s.UltimoError().descripcion;
  // Windows-1252 bytes (not UTF-8) are taken as such.
  ASSERT_TRUE(s.EnviarMensaje("ea2b@example.org", "Se\xf1" "al", "A\xf1o \x80\r\n")) << s.UltimoError().descripcion;
  auto salida = Ficheros(trabajo_ + "/Correo/Salida/new");
  ASSERT_EQ(salida.size(), 2u);
  EXPECT_TRUE(Ficheros(trabajo_ + "/Correo/Salida/tmp").empty());
  std::vector<Entregado> e;
  for (auto& f : salida) e.push_back(Lee(trabajo_ + "/Correo/Salida/new/" + f));
  std::sort(e.begin(), e.end(), [](auto& a, auto& b) { return a.para < b.para; });
  EXPECT_EQ(e[0].para, "ea1abc@example.org");
  EXPECT_EQ(e[0].asunto, kAsunto);
  EXPECT_EQ(e[0].texto, SinCr(kTexto));
  EXPECT_EQ(e[1].para, "ea2b@example.org");
  EXPECT_EQ(e[1].asunto, "Señal");
  EXPECT_EQ(e[1].texto, "Año €\n");
  // The outbox is not the inbox: no unread mail appeared.
  ASSERT_TRUE(s.LeerNoLeidos());
  EXPECT_EQ(s.NumeroCorreos(), 0);
}

TEST_F(EnvioTest, ARecipientThatCouldCarryCommandsIsRefusedWithANumber) {
  ServidorSmtp smtp(tmp_.Ruta());
  ASSERT_TRUE(smtp.Arranca());
  Perfil("smtp://127.0.0.1:" + std::to_string(smtp.Puerto()));
  SesionCorreo s(trabajo_);
  ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion;
  for (const std::string& malo :
       {std::string("ea1abc@example.org>\r\nRCPT TO:<otro@example.org"), std::string("a@b.org\nBcc: c@d.org"),
        std::string(""), std::string("sin-arroba"), std::string("dos@@example.org"),
        std::string("Nombre <a@example.org>"), std::string("a@example.org, b@example.org")}) {
    SCOPED_TRACE(malo);
    EXPECT_FALSE(s.EnviarMensaje(malo, "Asunto", "Texto"));
    EXPECT_EQ(s.UltimoError().numero, kCorreoDestinatarioNoValido);
    EXPECT_FALSE(s.UltimoError().descripcion.empty());
  }
  smtp.Para();
  EXPECT_TRUE(Ficheros(smtp.Buzon() + "/new").empty());
}

TEST_F(EnvioTest, SendingWithoutSignOnFails) {
  std::ofstream(trabajo_ + "/PerfilCorreo.txt") << "Entrada=Correo\r\n";
  SesionCorreo s(trabajo_);
  EXPECT_FALSE(s.EnviarMensaje("ea1abc@example.org", "A", "B"));
  EXPECT_EQ(s.UltimoError().numero, kCorreoSinSesion);
  EXPECT_FALSE(s.LeerNoLeidos());
  EXPECT_EQ(s.UltimoError().numero, kCorreoSinSesion);
  EXPECT_FALSE(fs::exists(trabajo_ + "/Correo/Salida"));
}

}  // namespace

// Composing with GMime, and a session over a store of its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <optional>

#include "plataforma/correo/correo.h"
#include "plataforma/correo/servidores.h"

using namespace plataforma::correo;
using namespace pruebas_correo;

namespace {

TEST(ComponeCorreo, TheWholeMailIsSevenBitWithCrLfLineEnds) {
  const std::string m = ComponeCorreo("concurso@example.org", "ea1abc@example.org", "Confirmación ÑÜ €",
                                      "Línea 1\r\nLínea 2\nLínea 3\rFin", true);
  for (std::size_t i = 0; i < m.size(); ++i) {
    auto c = static_cast<unsigned char>(m[i]);
    ASSERT_LT(c, 0x80u) << "byte " << i;
    if (c == '\n') {
      ASSERT_TRUE(i > 0 && m[i - 1] == '\r') << "bare LF at " << i;
    }
    if (c == '\r') {
      ASSERT_TRUE(i + 1 < m.size() && m[i + 1] == '\n') << "bare CR at " << i;
    }
  }
  EXPECT_NE(m.find("To: ea1abc@example.org\r\n"), std::string::npos) << m;
  EXPECT_NE(m.find("From: concurso@example.org\r\n"), std::string::npos) << m;
  EXPECT_NE(m.find("Subject: =?"), std::string::npos) << m;
  EXPECT_NE(m.find("Content-Type: text/plain; charset="), std::string::npos) << m;
  EXPECT_EQ(m.find("Disposition-Notification-To"), std::string::npos) << m;
  EXPECT_EQ(m.find("Return-Receipt-To"), std::string::npos) << m;
  // The LF form for a Maildir holds no CR at all.
  const std::string lf = ComponeCorreo("", "ea1abc@example.org", "A", "x\r\ny\r\n", false);
  EXPECT_EQ(lf.find('\r'), std::string::npos);
  EXPECT_EQ(lf.find("From:"), std::string::npos);
}

TEST(DireccionValida, OnlyABareAddress) {
  const std::map<std::string, bool> casos = {
      {"ea1abc@example.org", true},    {"EA1ABC@Example.ORG", true},     {"a.b+c@d-e.example", true},
      {"", false},                     {"ea1abc", false},                {"@example.org", false},
      {"ea1abc@", false},              {"a@b@c", false},                 {"a b@example.org", false},
      {"a@example.org\r\n", false},    {"<a@example.org>", false},       {"a@example.org,b@x.org", false},
      {"\"a\"@example.org", false},    {"a@example.org\x7f", false},
  };
  for (const auto& [d, valida] : casos) EXPECT_EQ(DireccionValida(d), valida) << d;
}

// A store in memory: the way a window test can drive a session.
class AlmacenEnMemoria : public AlmacenCorreo {
 public:
  std::vector<std::pair<std::string, std::string>> correos;  // id, bytes
  bool Abrir(ErrorCorreo&) override { return true; }
  void Cerrar() override {}
  bool NoLeidos(std::vector<std::string>& ids, ErrorCorreo&) override {
    ids.clear();
    for (auto& c : correos) ids.push_back(c.first);
    return true;
  }
  bool Leer(const std::string& id, std::string& bytes, std::time_t& recibido, ErrorCorreo& e) override {
    for (auto& c : correos)
      if (c.first == id) {
        bytes = c.second;
        recibido = 0;  // this store does not know the arrival
        return true;
      }
    e = {kCorreoMensajeNoValido, "no está"};
    return false;
  }
  bool Borrar(const std::string& id, ErrorCorreo& e) override {
    for (auto it = correos.begin(); it != correos.end(); ++it)
      if (it->first == id) {
        correos.erase(it);
        return true;
      }
    e = {kCorreoMensajeNoValido, "no está"};
    return false;
  }
};

TEST(SesionCorreo, WithoutAnArrivalTheDateIsTheSendersAndEmptyMailsDoNotFail) {
  auto almacen = std::make_unique<AlmacenEnMemoria>();
  almacen->correos = {{"a", LeeFichero(std::string(TROVALIS_DATOS_PRUEBA) + "/correo/02-log.eml")},
                      {"b", ""},
                      {"c", "\x01\x02 sin cabeceras"}};
  AlmacenEnMemoria* visto = almacen.get();
  SesionCorreo s(std::move(almacen), nullptr, "");
  ASSERT_TRUE(s.IniciarSesion());
  ASSERT_TRUE(s.LeerNoLeidos());
  ASSERT_EQ(s.NumeroCorreos(), 3);
  ASSERT_TRUE(s.SeleccionarCorreo(0));
  EXPECT_EQ(s.FechaRecibido(), 1773478800);  // Sat, 14 Mar 2026 10:00:00 +0100
  setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);  // no zone files needed
  tzset();
  const FechaHora f = FechaLocal(s.FechaRecibido());
  EXPECT_EQ(f.anio, 2026);
  EXPECT_EQ(f.mes, 3);
  EXPECT_EQ(f.dia, 14);
  EXPECT_EQ(f.hora, 10);
  for (int i : {1, 2}) {
    ASSERT_TRUE(s.SeleccionarCorreo(i));
    EXPECT_EQ(s.Asunto(), "");
    EXPECT_EQ(s.DireccionRemitente(), "");
    EXPECT_EQ(s.NumeroAdjuntos(), 0);
    EXPECT_EQ(s.FechaRecibido(), 0);
  }
  ASSERT_TRUE(s.BorrarCorreo());
  EXPECT_EQ(visto->correos.size(), 2u);
  // No way out: sending fails with a number instead of crashing.
  EXPECT_FALSE(s.EnviarMensaje("ea1abc@example.org", "A", "B"));
  EXPECT_NE(s.UltimoError().numero, kCorreoSinError);
}

}  // namespace

namespace {

// The header fields of a mail as the session gives them: found without
// regard to case, unfolded, the first of a name; and the fields an answer
// adds stay each on one line, whatever their values hold.
TEST(CabecerasCorreo, FieldsReadUnfoldedAndAddedOnOneLine) {
  CarpetaTemporal tmp;
  const std::string buzon = tmp.Ruta() + "/buzon";
  const std::string eml = tmp.Ruta() + "/a.eml";
  std::ofstream(eml, std::ios::binary) << "Return-Path: <>\r\nFrom: a@example.org\r\nTo: b@example.org\r\n"
                                          "Subject: x\r\nMessage-ID: <123.abc@example.org>\r\n"
                                          "Auto-Submitted: auto-replied;\r\n  ref=1\r\nPrecedence: bulk\r\n"
                                          "Precedence: list\r\n\r\ncuerpo\r\n";
  LlenaMaildir(buzon, {{eml, false, 1773489600}});
  SesionCorreo s(CreaAlmacenMaildir(buzon), CreaSalidaMaildir(tmp.Ruta() + "/salida"), "c@example.org");
  ASSERT_TRUE(s.IniciarSesion());
  ASSERT_TRUE(s.LeerNoLeidos());
  EXPECT_FALSE(s.Cabecera("Message-ID"));  // nothing selected
  ASSERT_TRUE(s.SeleccionarCorreo(0));
  EXPECT_EQ(s.Cabecera("message-id"), "<123.abc@example.org>");
  EXPECT_EQ(s.Cabecera("Return-Path"), "<>");
  EXPECT_EQ(s.Cabecera("PRECEDENCE"), "bulk");
  const std::optional<std::string> auto_submitted = s.Cabecera("Auto-Submitted");
  ASSERT_TRUE(auto_submitted);
  EXPECT_EQ(auto_submitted->find('\n'), std::string::npos);
  EXPECT_EQ(auto_submitted->rfind("auto-replied;", 0), 0u) << *auto_submitted;
  EXPECT_FALSE(s.Cabecera("List-Id"));
  EXPECT_EQ(s.Remitente(), "c@example.org");

  const std::string m = ComponeCorreo("c@example.org", "a@example.org", "Re", "texto", true,
                                      {{"Auto-Submitted", "auto-replied"},
                                       {"In-Reply-To", "<123.abc@example.org>"},
                                       {"X-Prueba", "uno\r\nBcc: intruso@example.org"}});
  EXPECT_NE(m.find("\r\nAuto-Submitted: auto-replied\r\n"), std::string::npos) << m;
  EXPECT_NE(m.find("\r\nIn-Reply-To: <123.abc@example.org>\r\n"), std::string::npos) << m;
  EXPECT_EQ(m.find("\r\nBcc:"), std::string::npos) << m;
}

}  // namespace

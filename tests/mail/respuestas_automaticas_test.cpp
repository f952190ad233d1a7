// What the intake answers, and what it never does, once hostile or
// automatic mail reaches the contest's mailbox: vacation replies, bounces,
// list mail and the contests' own mailboxes are taken in but never answered;
// every answer says it is automatic and names the mail it answers; an
// auto-responder that answers everything gets a bounded number of answers,
// also across restarts, while a participant still gets every confirmation;
// what a sender wrote goes back at most 256 characters at a time; and a
// sender without "@" never files over a participant's report. Each case runs
// from a Maildir and from a real IMAP server; the answers go to the outbox
// Maildir of the working folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "mail/buzon_prueba.h"
#include "mail/limite_respuestas.h"
#include "mail/recepcion.h"
#include "plataforma/correo/correo.h"
#include "plataforma/correo/servidores.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "soporte/concurso_prueba.h"

namespace fs = std::filesystem;
using namespace pruebas_correo;
using plataforma::correo::SesionCorreo;

namespace mail {
namespace {

using namespace prueba;


const std::string kBuzon = "concurso@example.org";

// An answer as it left: the whole mail and what it says.
struct Salida {
  std::string bytes;
  Entregado e;
};

class RespuestasAutomaticasTest : public BuzonPrueba {
 protected:
  void SetUp() override {
    BuzonPrueba::SetUp();
    // An empty inbox beside the working folder; no SMTP server: the answers
    // wait in the outbox Maildir.
    Buzon(std::vector<std::string>{}, /*aparte=*/true);
    Concurso("CONCURSO PRUEBA");
  }

  void Concurso(const std::string& nombre) {
    BuzonPrueba::Concurso(nombre);
    concurso_.buzonesConcursos = {"CONCURSO@EXAMPLE.ORG", "OTRO-CONCURSO@EXAMPLE.ORG"};
  }

  // A mail reaches the inbox: the extra header lines, then the mail. Every
  // mail is another one, even when it says the same.
  void Llega(const Correo& c, const std::string& cabeceras = "") {
    const std::string f = tmp_.Ruta() + "/eml/" + std::to_string(++llegados_) + ".eml";
    fs::create_directories(tmp_.Ruta() + "/eml");
    std::ofstream(f, std::ios::binary) << cabeceras << "X-Envio: " << llegados_ << "\r\n" << Compone(c);
    LlenaMaildir(buzon_, {{f, false, kLlegada + 60 * llegados_}});
  }

  // One mail session, as the mail window runs it, with a fresh window.
  void Sesion() {
    ventana_ = VentanaPrueba();
    BuzonPrueba::Sesion();
  }

  // Every answer in the outbox, in the order they left.
  std::vector<Salida> Salidas() const {
    std::vector<std::string> nombres = Ficheros(trabajo_ + "/Correo/Salida/new");
    std::sort(nombres.begin(), nombres.end(), [&](const std::string& a, const std::string& b) {
      const std::string ra = trabajo_ + "/Correo/Salida/new/" + a, rb = trabajo_ + "/Correo/Salida/new/" + b;
      return fs::last_write_time(ra) != fs::last_write_time(rb) ? fs::last_write_time(ra) < fs::last_write_time(rb)
                                                                : a < b;
    });
    std::vector<Salida> v;
    for (const std::string& n : nombres) {
      const std::string bytes = LeeFichero(trabajo_ + "/Correo/Salida/new/" + n);
      v.push_back({bytes, soporte::LeeEntregado(bytes)});
    }
    return v;
  }

  std::size_t A(const std::string& para) const {
    std::size_t n = 0;
    for (const Salida& s : Salidas()) n += s.e.para == para;
    return n;
  }

  std::size_t NoLeidos() const { return Ficheros(buzon_ + "/new").size() + Ficheros(buzon_ + "/cur").size(); }

  // The edition's folder listings, kept up to date log by log, are what the
  // folders hold.
  void ListasComoCarpetas() {
    const std::pair<const char*, ListaEdicion> listas[] = {{"FicherosRecibidos", ListaEdicion::Recibidos},
                                                           {"ListasValidas", ListaEdicion::Validas},
                                                           {"FicherosErrores", ListaEdicion::Errores},
                                                           {"FicherosConfirmacion", ListaEdicion::Confirmaciones}};
    for (const auto& [c, lista] : listas) {
      SCOPED_TRACE(c);
      EXPECT_EQ(edicion_->Lista(lista), plataforma::ListaFicheros(carpeta_ + "/" + c));
    }
  }

  const std::vector<std::string>& Listados() { return ventana_.correos; }

  int llegados_ = 0;
};

TEST_P(RespuestasAutomaticasTest, AutomaticMailIsTakenInButNeverAnswered) {
  const Adjunto log6{"QQ6STU.LOG", Log("QQ6STU.LOG")}, log3{"QQ3JKL.LOG", Log("QQ3JKL.LOG")};
  struct Caso {
    std::string cabeceras, remitente, asunto;
    std::vector<Adjunto> adjuntos;
    std::string motivo;  // "" : answered
  };
  const std::string automatico(kMotivoAutomatico), buzon(kMotivoBuzonConcurso);
  const std::vector<Caso> casos = {
      {"Auto-Submitted: auto-replied\r\n", "vacaciones@example.org", "LISTA QQ6STU", {log6}, automatico},
      {"Auto-Submitted: Auto-Generated; x=1\r\n", "robot@example.org", "Aviso", {}, automatico},
      {"Precedence: bulk\r\n", "boletin@example.org", "Noticias", {}, automatico},
      {"Precedence: JUNK\r\n", "junk@example.org", "Oferta", {}, automatico},
      {"Precedence: list\r\n", "lista@example.org", "Re: bases", {}, automatico},
      {"List-Id: Radio <radio.lists.example.org>\r\n", "miembro@example.org", "LISTA QQ3JKL", {log3}, automatico},
      {"Return-Path: <>\r\n", "rebote@example.org", "Undelivered", {}, automatico},
      {"", "MAILER-DAEMON@example.org", "Undelivered Mail", {}, automatico},
      {"", "Postmaster@example.org", "Delivery Status", {}, automatico},
      {"", "Concurso@Example.org", "Errores en el E-MAIL enviado", {}, buzon},
      {"", "otro-concurso@example.org", "Confirmando LISTA", {}, buzon},
      // Answered: "no" is a person's mail, and so is any other precedence.
      {"Auto-Submitted: no\r\n", "ea1sin@example.org", "LISTA X", {}, ""},
      {"Precedence: first-class\r\nReturn-Path: <ea2sin@example.org>\r\n", "ea2sin@example.org", "LISTA Y", {}, ""},
  };
  for (const Caso& c : casos) Llega({c.remitente, kBuzon, c.asunto, c.adjuntos}, c.cabeceras);
  Sesion();
  EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
  EXPECT_TRUE(ventana_.avisos.empty()) << ventana_.avisos.front();

  // Every mail was taken in and left the inbox; the logs were filed and
  // confirmed on disk, but no address was kept for later mailings.
  EXPECT_EQ(NoLeidos(), 0u);
  EXPECT_TRUE(fs::exists(carpeta_ + "/ListasValidas/QQ6STU.LOG"));
  EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosConfirmacion/QQ6STU.OK"));
  EXPECT_TRUE(fs::exists(carpeta_ + "/ListasValidas/QQ3JKL.LOG"));
  EXPECT_TRUE(Arbol(carpeta_ + "/ListasEmail").empty());
  ListasComoCarpetas();
  for (const Caso& c : casos)
    if (c.adjuntos.empty())
      EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosErrores/" + c.remitente + ".ERR")) << c.remitente;

  // Only the people were answered.
  std::vector<std::string> para;
  for (const Salida& s : Salidas()) para.push_back(s.e.para);
  std::sort(para.begin(), para.end());
  EXPECT_EQ(para, (std::vector<std::string>{"ea1sin@example.org", "ea2sin@example.org"}));

  // The list of the session tells which mails were not answered and why.
  ASSERT_EQ(Listados().size(), casos.size());
  for (std::size_t i = 0; i < casos.size(); ++i) {
    const std::string marca = "  (SIN RESPUESTA: " + casos[i].motivo + ")";
    const std::string& l = Listados()[i];
    if (casos[i].motivo.empty())
      EXPECT_EQ(l.find("SIN RESPUESTA"), std::string::npos) << l;
    else
      EXPECT_TRUE(l.size() > marca.size() && l.substr(l.size() - marca.size()) == marca) << l;
  }
}

TEST_P(RespuestasAutomaticasTest, EveryAnswerIsMarkedAutomaticAndNamesTheMailItAnswers) {
  const std::string largo = "<" + std::string(300, 'a') + "@example.org>";
  Llega({"ea1sin@example.org", kBuzon, "LISTA X", {}}, "Message-ID: <error.1@example.org>\r\n");
  Llega({"qq6stu@example.org", kBuzon, "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ6STU.LOG")}}},
        "Message-ID:\r\n <lista.2@example.org>\r\n");
  Llega({"ea2sin@example.org", kBuzon, "LISTA Y", {}}, "Message-ID: " + largo + "\r\n");
  Llega({"ea3sin@example.org", kBuzon, "LISTA Z", {}});
  Sesion();
  const std::vector<Salida> salidas = Salidas();
  ASSERT_EQ(salidas.size(), 4u);
  for (const Salida& s : salidas) {
    SCOPED_TRACE(s.e.para);
    EXPECT_NE(s.bytes.find("\nAuto-Submitted: auto-replied\n"), std::string::npos) << s.bytes;
    const std::string id = s.e.para == "ea1sin@example.org"   ? "<error.1@example.org>"
                           : s.e.para == "qq6stu@example.org" ? "<lista.2@example.org>"
                                                              : "";
    if (id.empty()) {
      // A Message-ID too long to echo, or none: the answer names nothing.
      EXPECT_EQ(s.bytes.find("In-Reply-To:"), std::string::npos) << s.bytes;
      EXPECT_EQ(s.bytes.find("References:"), std::string::npos) << s.bytes;
    } else {
      EXPECT_NE(s.bytes.find("\nIn-Reply-To: " + id + "\n"), std::string::npos) << s.bytes;
      EXPECT_NE(s.bytes.find("\nReferences: " + id + "\n"), std::string::npos) << s.bytes;
    }
  }
}

// An auto-responder that ignores the Auto-Submitted field answers every
// answer it gets, at once, without a log: the intake answers it three times
// in the hour, then holds back; the exchange ends. The bound is on disk: a
// program started again keeps it, until the hour has passed.
TEST_P(RespuestasAutomaticasTest, AnAutoResponderGetsAtMostThreeAnswersAnHourAcrossRestarts) {
  const std::string robot = "vacaciones@example.org";
  Llega({robot, kBuzon, "Fuera de la oficina", {}});
  std::size_t vistas = 0, sesiones = 0;
  for (; sesiones < 10; ++sesiones) {
    Sesion();  // a program started afresh every time
    EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
    const std::vector<Salida> salidas = Salidas();
    if (salidas.size() == vistas) break;
    for (; vistas < salidas.size(); ++vistas) Llega({robot, kBuzon, "Re: " + salidas[vistas].e.asunto, {}});
  }
  EXPECT_EQ(Salidas().size(), static_cast<std::size_t>(kMaximoRespuestasError));
  EXPECT_EQ(sesiones, static_cast<std::size_t>(kMaximoRespuestasError));
  EXPECT_EQ(NoLeidos(), 0u);
  ASSERT_EQ(Listados().size(), 1u);
  EXPECT_NE(Listados()[0].find("(SIN RESPUESTA: " + std::string(kMotivoLimite) + ")"), std::string::npos)
      << Listados()[0];
  // Its mails were taken in all the same: the last report is filed.
  EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosErrores/" + robot + ".ERR"));

  // The same hour, another start: still held back. The bound is per
  // address: another sender is answered.
  Llega({robot, kBuzon, "Fuera de la oficina", {}});
  Llega({"ea1sin@example.org", kBuzon, "LISTA X", {}});
  Sesion();
  EXPECT_EQ(A(robot), static_cast<std::size_t>(kMaximoRespuestasError));
  EXPECT_EQ(A("ea1sin@example.org"), 1u);

  // An hour later the address may be answered again.
  const std::string notas = trabajo_ + "/" + kNombreLimiteRespuestas;
  std::vector<std::string> lineas;
  std::ifstream f(notas);
  for (std::string l; std::getline(f, l);) lineas.push_back(l);
  f.close();
  ASSERT_EQ(lineas.size(), kMaximoRespuestasError + 1u);
  std::ofstream g(notas, std::ios::trunc | std::ios::binary);
  for (const std::string& l : lineas) g << std::atoll(l.c_str()) - kPeriodoLimite << l.substr(l.find(' ')) << "\n";
  g.close();
  Llega({robot, kBuzon, "Fuera de la oficina", {}});
  Sesion();
  EXPECT_EQ(A(robot), kMaximoRespuestasError + 1u);
  // The notes that no longer count have left the file.
  const std::string quedan = LeeFichero(notas);
  EXPECT_EQ(std::count(quedan.begin(), quedan.end(), '\n'), 1) << quedan;
}

// A participant who sends a faulty log four times and a corrected one five
// times within the hour: three error answers, then the fourth is held back,
// and every confirmation goes out.
TEST_P(RespuestasAutomaticasTest, AParticipantGetsEveryConfirmationWhateverTheErrors) {
  const std::string p = "qq6stu@example.org";
  const Correo mal{p, kBuzon, "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ8BAD.LOG")}}};
  const Correo bien{p, kBuzon, "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ6STU.LOG")}}};
  for (const Correo& c : {mal, bien, mal, bien, mal, bien, mal, bien, bien}) Llega(c);
  Sesion();
  EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
  std::size_t errores = 0, confirmaciones = 0;
  for (const Salida& s : Salidas()) {
    EXPECT_EQ(s.e.para, p);
    (s.e.asunto == std::string(kAsuntoErrores) ? errores : confirmaciones)++;
  }
  EXPECT_EQ(errores, 3u);
  EXPECT_EQ(confirmaciones, 5u);
  EXPECT_EQ(std::count_if(Listados().begin(), Listados().end(),
                          [](const std::string& l) { return l.find("SIN RESPUESTA") != std::string::npos; }),
            1);
  EXPECT_NE(Listados()[6].find(std::string(kMotivoLimite)), std::string::npos) << Listados()[6];
  EXPECT_TRUE(fs::exists(carpeta_ + "/ListasValidas/QQ6STU.LOG"));
  EXPECT_EQ(LeeFichero(carpeta_ + "/ListasEmail/QQ6STU.Email"), p);
  ListasComoCarpetas();
}

// A forged sender with a subject of 200 KB: the report and the answer hold
// at most 256 of its characters; so does the report of a log checked in a
// contest that takes any subject.
TEST_P(RespuestasAutomaticasTest, WhatTheSenderWroteIsEchoedAtMost256Characters) {
  const std::string asunto = "LISTA " + std::string(200 * 1024, 'x');
  Llega({"victima@example.org", kBuzon, asunto, {}});
  Sesion();
  const std::string informe = LeeFichero(carpeta_ + "/FicherosErrores/victima@example.org.ERR");
  EXPECT_NE(informe.find("\r\nASUNTO:LISTA " + std::string(250, 'X') + "\r\n"), std::string::npos) << informe;
  EXPECT_LT(informe.size(), 2048u);
  ASSERT_EQ(Salidas().size(), 1u);
  EXPECT_LT(Salidas()[0].bytes.size(), 4096u);

  Concurso("VGE SPRINT");
  Llega({"qq6stu@example.org", kBuzon, asunto, {{"QQ6STU.LOG", Log("QQ6STU.LOG")}}});
  Sesion();
  EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosRecibidos/QQ6STU.LOG"));
  const std::string log = LeeFichero(carpeta_ + "/FicherosErrores/QQ6STU.ERR");
  EXPECT_NE(log.find("\r\nASUNTO:LISTA " + std::string(250, 'X') + "\r\n"), std::string::npos) << log;
  EXPECT_LT(log.size(), 4096u);

  // Names and header values of the log itself, quoted by its check.
  Concurso("CONCURSO PRUEBA");
  std::string enorme = Log("QQ6STU.LOG");
  enorme.replace(enorme.find("NAME: "), 6, "NAME: " + std::string(200 * 1024, 'n'));
  enorme.replace(enorme.find("CATEGORY-BAND: "), 15, "CATEGORY-BAND: " + std::string(200 * 1024, 'b'));
  Llega({"qq6stu@example.org", kBuzon, "LISTA QQ6STU", {{"QQ6STU.LOG", enorme}}});
  Sesion();
  const std::string informe2 = LeeFichero(carpeta_ + "/FicherosErrores/QQ6STU.ERR");
  EXPECT_LT(informe2.size(), 4096u);
  EXPECT_NE(informe2.find("\r\nCATEGORY-BAND: " + std::string(256 - 15, 'b') + "\r\n"), std::string::npos);
  ASSERT_EQ(Salidas().size(), 3u);
  for (const Salida& s : Salidas()) EXPECT_LT(s.bytes.size(), 4096u);
}

// A sender "QQ1ABC" with no "@" and no attachment: its report is filed as
// "@QQ1ABC.ERR", never over the report of participant QQ1ABC; the answer is
// tried as before (the address cannot be mailed).
TEST_P(RespuestasAutomaticasTest, ASenderWithoutAtNeverFilesOverAParticipantsReport) {
  Llega({"qq1abc@example.org", kBuzon, "LISTA QQ1ABC", {{"QQ1ABC.LOG", Log("QQ8BAD.LOG")}}});
  Sesion();
  const std::string propio = LeeFichero(carpeta_ + "/FicherosErrores/QQ1ABC.ERR");
  ASSERT_NE(propio.find("ADJUNTO:QQ1ABC.LOG"), std::string::npos) << propio;
  Llega({"QQ1ABC", kBuzon, "LISTA QQ1ABC", {{"QQ2XYZ.LOG", Log("QQ8BAD.LOG")}}});
  Llega({"QQ1ABC", kBuzon, "LISTA QQ1ABC", {}});
  Sesion();
  EXPECT_TRUE(LeeFichero(carpeta_ + "/FicherosErrores/QQ1ABC.ERR") == propio);
  const std::string ajeno = LeeFichero(carpeta_ + "/FicherosErrores/@QQ1ABC.ERR");
  EXPECT_NE(ajeno.find(".- ERROR 1:"), std::string::npos) << ajeno;
  EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosErrores/QQ2XYZ.ERR"));
  ASSERT_EQ(ventana_.avisos.size(), 2u);
  EXPECT_EQ(ventana_.avisos[0].rfind("Ha ocurrido un error durante el envío:", 0), 0u) << ventana_.avisos[0];
  EXPECT_EQ(Salidas().size(), 1u);  // the participant's own answer
  EXPECT_EQ(NoLeidos(), 0u);
  ListasComoCarpetas();
}

INSTANTIATE_TEST_SUITE_P(Almacenes, RespuestasAutomaticasTest, testing::Values(Tipo::kMaildir, Tipo::kImap),
                         [](const testing::TestParamInfo<Tipo>& i) {
                           return i.param == Tipo::kMaildir ? "Maildir" : "Imap";
                         });

}  // namespace
}  // namespace mail

// The result, annulled-QSO and communiqué mailings against a real SMTP sink:
// one mail per sender-address file, with the exact texts; a mail that cannot
// go out is reported and the mailing goes on; without an SMTP server the
// mails wait in the outbox. Last, the whole road from the cross-check
// window's button through the actions the mail window builds in one line.
#include "mail/envios_resultados.h"

#include <gmime/gmime.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "mail/acciones_clasificacion.h"
#include "plataforma/correo/servidores.h"
#include "plataforma/dao.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/clasifica.h"
#include "scoring/clasificacion_prueba.h"
#include "scoring/ges_puntos.h"
#include "soporte/entregados.h"
#include "soporte/mensajes_guion.h"

namespace mail {
namespace {

using plataforma::Respuesta;
using scoring::prueba::ConcursoClasificacionPrueba;

using soporte::Entregado;
using soporte::Entregados;

const std::string kAsunto = "RESULTADOS CONCURSO PRUEBA";

// The closing text of the fixture contest (claims address and web page set),
// with the LF line ends the sink keeps.
const std::string kAgradecimiento =
    "\nAGRADECIMIENTO\n\n"
    "La Organización del CONCURSO CONCURSO PRUEBA agradece su participación y le invita a participar \n"
    "en la próxima edición.\n\n"
    ".- Para más información o reclamaciones sobre el concurso contacte con reclamaciones@example.org\n\n"
    ".- Para información sobre nuestras actividades y resultados del concurso acceda a https://concurso.example.org\n\n"
    "Verificación y control de listas, cálculo de puntuaciones y clasificaciones finales han sido realizadas por \n"
    "él programa AUTÓMATA 'El Vigilor' de Brelmont, programa universal y gratuito de \n"
    "Trovalis en formato Cabrillo.\n\n"
    ".- Para más información sobre este programa visite la página de la Organización del concurso.\n\n"
    ".- Para contactar con el autor dirigirse a la Organización del concurso.\n\n";

const std::string kPuntuacionEA1AAA =
    "\n------------------- PUNTUACIÓN OBTENIDA POR EL CONCURSANTE ----------------\n"
    "CONCURSANTE: EA1AAA\n\nCATEGORÍA: SINGLE-OP ALL\n\n\nTOTAL PUNTOS: 1500\n\n"
    "Mult:1 Pts:2   QSO: 14025 CW 2009-12-30 1300 EA1AAA 599 001 EA9ZZZ 599 001\n";
const std::string kPuntuacionEA3CCC =
    "\n------------------- PUNTUACIÓN OBTENIDA POR EL CONCURSANTE ----------------\n"
    "CONCURSANTE: EA3CCC\n\nCATEGORÍA: MULTI-OP\n\n\nTOTAL PUNTOS: 1500\n\n"
    "Mult:1 Pts:2   QSO: 14025 CW 2009-12-30 1300 EA3CCC 599 001 EA9ZZZ 599 001\n";
const std::string kAnuladosEA1AAA =
    "\n----------------------- RELACIÓN DE QSO ANULADOS ---------------------------\n"
    "NUL06:QSO: 14025 CW 2009-12-30 1221 EA1AAA 599 021 EA9ZZZ 599 021\n"
    "No hay QSO con esta estación en la lista del contacto\n";

class EnviosResultadosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plataforma::BorraFichero(f.En("ListasPuntuaciones/EA6FFF.PTS"));
    dao::Recordset rs =
        f.base.OpenRecordset("Select * From Concursos Where NumeroOrden = ?", dao::TipoRecordset::Dynaset,
                             {dao::Variant(ConcursoClasificacionPrueba::kNumero)});
    rs.Edit();
    rs["EMailReclamaciones"].SetValue(dao::Variant("reclamaciones@example.org"));
    rs["WEBConcurso"].SetValue(dao::Variant("https://concurso.example.org"));
    rs.Update();
    rs.Close();
    // Participants: with score and annulled files, with neither, with the
    // score file only; the address files hold no line end.
    f.tmp.EscribeBytes("CONCURSO PRUEBA/ListasEmail/EA1AAA.Email", "ea1aaa@example.org");
    f.tmp.EscribeBytes("CONCURSO PRUEBA/ListasEmail/EA9ZZZ.Email", "ea9zzz@example.org");
    f.tmp.EscribeBytes("CONCURSO PRUEBA/ListasEmail/EA3CCC.Email", "ea3ccc@example.org");
    f.tmp.EscribeBytes("CONCURSO PRUEBA/ListasQsoAnulados/EA1AAA.NUL",
                       plataforma::AWindows1252("NUL06:QSO: 14025 CW 2009-12-30 1221 EA1AAA 599 021 EA9ZZZ 599 021\r\n"
                                                "No hay QSO con esta estación en la lista del contacto\r\n"));
    pruebas_correo::LlenaMaildir(f.trabajo + "/Correo", {});
    smtp = std::make_unique<pruebas_correo::ServidorSmtp>(f.tmp.En("smtp"));
    plataforma::CreaCarpeta(f.tmp.En("smtp"));
    ASSERT_TRUE(smtp->Arranca());
    Perfil("smtp://127.0.0.1:" + std::to_string(smtp->Puerto()));
  }

  void Perfil(const std::string& smtp_url) {
    std::ofstream(f.trabajo + "/PerfilCorreo.txt")
        << "Entrada=Correo\r\nSmtp=" << smtp_url << "\r\nRemitente=concurso@example.org\r\n";
  }

  ConcursoEnvios Concurso() {
    ConcursoEnvios c;
    EXPECT_TRUE(LeeConcursoEnvios(f.base, ConcursoClasificacionPrueba::kNumero, f.carpeta, f.trabajo, c));
    return c;
  }

  std::vector<Entregado> Recibidos() {
    smtp->Para();
    return Entregados(smtp->Buzon());
  }

  // Keeps the mails that could not go out.
  AvisoFalloEnvio Anota() {
    return [this](const std::string& texto) { fallos.push_back(texto); };
  }
  std::vector<std::string> fallos;

  ConcursoClasificacionPrueba f;
  std::unique_ptr<pruebas_correo::ServidorSmtp> smtp;
};

TEST_F(EnviosResultadosTest, ThreeMailingsReachEveryParticipantWithTheirExactTexts) {
  EnviosResultados envios(Concurso(), Anota());
  const std::vector<std::string> lista = envios.Destinatarios();
  EXPECT_EQ(lista, (std::vector<std::string>{"EA1AAA.Email", "EA3CCC.Email", "EA9ZZZ.Email"}));
  envios.EnviaResultadosPorEmail(lista);
  envios.EnviaQsoAnuladosPorEmail(lista);
  envios.EnviaComunicadoPorEmail(envios.Destinatarios(), "AVISO IMPORTANTE", "Línea 1\r\nLínea 2");

  std::vector<Entregado> esperado = {
      {"ea1aaa@example.org", kAsunto, kPuntuacionEA1AAA + kAnuladosEA1AAA + kAgradecimiento},
      {"ea3ccc@example.org", kAsunto, kPuntuacionEA3CCC + kAgradecimiento},
      {"ea9zzz@example.org", kAsunto, kAgradecimiento},
      {"ea1aaa@example.org", kAsunto, kAnuladosEA1AAA + kAgradecimiento},
      {"ea3ccc@example.org", kAsunto, kAgradecimiento},
      {"ea9zzz@example.org", kAsunto, kAgradecimiento},
      {"ea1aaa@example.org", "AVISO IMPORTANTE", "Línea 1\nLínea 2"},
      {"ea3ccc@example.org", "AVISO IMPORTANTE", "Línea 1\nLínea 2"},
      {"ea9zzz@example.org", "AVISO IMPORTANTE", "Línea 1\nLínea 2"},
  };
  std::sort(esperado.begin(), esperado.end());
  const std::vector<Entregado> recibidos = Recibidos();
  ASSERT_EQ(recibidos.size(), esperado.size());
  for (std::size_t i = 0; i < esperado.size(); ++i) EXPECT_EQ(recibidos[i], esperado[i]);
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
}

TEST_F(EnviosResultadosTest, ContactLinesFollowTheContest) {
  struct Caso {
    const char* concurso;
    const char* reclamaciones;
    const char* web;
    std::vector<std::string> contacto;  // the lines between "en la próxima edición." + blank and "Verificación..."
  };
  const std::vector<Caso> casos = {
      {"CONCURSO PRUEBA", "", "", {}},
      {"CONCURSO PRUEBA",
       "",
       "https://w.example.org",
       {".- Para información sobre nuestras actividades y resultados del concurso acceda a https://w.example.org", ""}},
      {"CONCURSO PRUEBA",
       "r@example.org",
       "",
       {".- Para más información o reclamaciones sobre el concurso contacte con r@example.org", ""}},
      // The organiser's lines stand instead of the claims and web lines.
      {"50RS-VHF 2026",
       "r@example.org",
       "https://w.example.org",
       {"Información y reclamaciones sobre el concurso: diríjase a la Organización del 50RS-VHF 2026.",
        "Actividades del organizador: consulte los comunicados de la Organización.", ""}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.concurso + std::string(" ") + c.reclamaciones + " " + c.web);
    const std::vector<std::string> v = TextoAgradecimiento(c.concurso, c.reclamaciones, c.web);
    ASSERT_GE(v.size(), 6u + c.contacto.size());
    EXPECT_EQ(v[3], "La Organización del CONCURSO " + std::string(c.concurso) +
                        " agradece su participación y le invita a participar ");
    EXPECT_EQ(std::vector<std::string>(v.begin() + 6, v.begin() + 6 + static_cast<long>(c.contacto.size())),
              c.contacto);
    EXPECT_EQ(v[6 + c.contacto.size()].substr(0, 13), "Verificación");
    EXPECT_EQ(v.size(), 14u + c.contacto.size());
  }
  smtp->Para();
}

TEST_F(EnviosResultadosTest, AMailThatCannotGoOutIsReportedAndTheOthersStillGo) {
  f.tmp.EscribeBytes("CONCURSO PRUEBA/ListasEmail/EA2BBB.Email", "no es una dirección");
  EnviosResultados envios(Concurso(), Anota());
  const std::vector<std::string> lista = envios.Destinatarios();
  EXPECT_EQ(lista.size(), 4u);
  envios.EnviaComunicadoPorEmail(lista, "AVISO", "texto");
  const std::vector<Entregado> recibidos = Recibidos();
  EXPECT_EQ(recibidos.size(), 3u);
  EXPECT_EQ(fallos, std::vector<std::string>{"Ha ocurrido un error durante el envío:  32014"});
}

TEST_F(EnviosResultadosTest, AFailedSignOnIsReportedForEveryMail) {
  plataforma::BorraFichero(f.trabajo + "/PerfilCorreo.txt");
  EnviosResultados envios(Concurso(), Anota());
  envios.EnviaQsoAnuladosPorEmail(envios.Destinatarios());
  EXPECT_TRUE(Recibidos().empty());
  EXPECT_EQ(fallos, std::vector<std::string>(3, "Ha ocurrido un error durante el envío:  32003"));
}

TEST_F(EnviosResultadosTest, WithoutSmtpServerTheMailsWaitInTheOutbox) {
  Perfil("");
  EnviosResultados envios(Concurso(), Anota());
  envios.EnviaResultadosPorEmail(envios.Destinatarios());
  EXPECT_TRUE(Recibidos().empty());
  EXPECT_EQ(pruebas_correo::Ficheros(f.trabajo + "/Correo/Salida/new").size(), 3u);
}

TEST_F(EnviosResultadosTest, AnEmptyAddressFolderSendsNothing) {
  for (const std::string& e : plataforma::ListaFicheros(f.En("ListasEmail")))
    plataforma::BorraFichero(f.En("ListasEmail/" + e));
  EnviosResultados envios(Concurso(), Anota());
  const std::vector<std::string> lista = envios.Destinatarios();
  EXPECT_TRUE(lista.empty());
  envios.EnviaResultadosPorEmail(lista);
  envios.EnviaComunicadoPorEmail(lista, "AVISO", "texto");
  EXPECT_TRUE(Recibidos().empty());
  EXPECT_TRUE(fallos.empty());
}

// What the mail window gives the cross-check window.
struct EnlaceCorreo : scoring::EnlaceGesPuntos {
  ConcursoClasificacionPrueba* f = nullptr;
  dao::Database& BaseConcursos() override { return f->base; }
  std::int32_t NumeroConcurso() const override { return ConcursoClasificacionPrueba::kNumero; }
  std::string CarpetaTrabajo() const override { return f->trabajo; }
  std::string CarpetaConcurso() const override { return f->carpeta; }
  bool HayListasNuevas() const override { return false; }
  plataforma::EleccionImpresora impresora;
  const plataforma::EleccionImpresora& Impresora() const override { return impresora; }
  void PonHayListasNuevas(bool) override {}
  void MuestraVentanaCorreo() override {}
};

TEST_F(EnviosResultadosTest, CrossCheckWindowReachesTheMailingsThroughTheMailWindowsActions) {
  auto enlace = std::make_unique<EnlaceCorreo>();
  enlace->f = &f;
  auto acciones = CreaAccionesPuntuacion(*enlace, Anota());
  QPointer<scoring::GesPuntos> cruce = scoring::AbreGesPuntos(std::move(enlace), std::move(acciones));
  cruce->findChild<QPushButton*>("Clasificaciones")->click();
  QWidget* ventana = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<scoring::Clasifica*>(w) && w->isVisible()) ventana = w;
  ASSERT_NE(ventana, nullptr);
  ventana->findChild<QPushButton*>("EnviarResultados")->click();
  ventana->findChild<QPushButton*>("FinClientes")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(cruce->isVisible());
  delete cruce.data();

  const std::vector<Entregado> recibidos = Recibidos();
  ASSERT_EQ(recibidos.size(), 3u);
  EXPECT_EQ(recibidos[0],
            (Entregado{"ea1aaa@example.org", kAsunto, kPuntuacionEA1AAA + kAnuladosEA1AAA + kAgradecimiento}));
  EXPECT_TRUE(fallos.empty());
}

}  // namespace
}  // namespace mail

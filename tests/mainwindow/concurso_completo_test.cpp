// One small contest from the participants' mails to the mailed results, on a
// new working folder, through the program's own windows: the contest created
// in the main window, the logs read from the inbox (a Maildir, then a real
// IMAP server) by the mail window's session, which answers every sender
// through a real SMTP sink; then the cross-check window crosses and scores,
// and the rankings window ranks and mails the results. Each window, closed,
// gives the screen back to the one that opened it.
#include <gmime/gmime.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "award/ges_diploma_cantabria.h"
#include "common/terravia.h"
#include "database/creacion.h"
#include "fixture_principal.h"
#include "mail/ges_automatica.h"
#include "mainwindow/servicios_principal.h"
#include "mainwindow/trovalis.h"
#include "plataforma/correo/servidores.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "rules/formato_cabrillo.h"
#include "scoring/clasifica.h"
#include "scoring/ges_puntos.h"
#include "soporte/base64.h"
#include "soporte/entregados.h"
#include "soporte/mensajes_guion.h"

using prueba::Formulario;

namespace {

namespace fs = std::filesystem;
using plataforma::Respuesta;
using prueba::Control;
using pruebas_correo::CarpetaTemporal;
using pruebas_correo::CorreoFixture;
using pruebas_correo::ServidorImap;
using pruebas_correo::ServidorSmtp;

const char* const kFicheroPaises = "/usr/share/hamradio-files/cty.dat";
const std::string kConcurso = "SPRINT NAVIDAD";

// ------------------------------------------------------------- mails

using soporte::Base64;

// A participant's log of the contest: the header and its QSO lines.
std::string Log(const std::string& indicativo, const std::string& operador, const std::vector<std::string>& qsos) {
  std::string t = "START-OF-LOG: 3.0\r\nCALLSIGN: " + indicativo + "\r\nCONTEST: " + kConcurso +
                  "\r\nCATEGORY-OPERATOR: " + operador +
                  "\r\nCATEGORY-BAND: 20M\r\nCATEGORY-MODE: CW\r\nNAME: Pe\xF1"
                  "a\r\n";
  for (const std::string& q : qsos) t += "QSO: " + q + "\r\n";
  return t + "END-OF-LOG:\r\n";
}

// A participant's mail: the subject the contest asks for and the log
// attached as CALLSIGN.LOG.
std::string Correo(const std::string& indicativo, const std::string& log) {
  return "From: " + plataforma::Minusculas(indicativo) + "@example.org\r\nTo: sprint@navidad.es\r\nSubject: LOG " +
         indicativo +
         "\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"xx\"\r\n\r\n"
         "--xx\r\nContent-Type: text/plain\r\n\r\nAdjunto mi lista.\r\n"
         "--xx\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=\"" +
         indicativo + ".LOG\"\r\nContent-Transfer-Encoding: base64\r\n\r\n" + Base64(log) + "--xx--\r\n";
}

// The contest's mails: three stations that worked each other (EA3CCC also
// worked a station that sent no log), one log with a QSO on a band the
// contest does not have and an impossible time, and a listener's log.
std::vector<std::string> CorreosDelConcurso() {
  return {
      Correo("EA1AAA", Log("EA1AAA", "SINGLE-OP",
                           {"14025 CW 2026-12-24 0815 EA1AAA 599 001 EA2BBB 599 001",
                            "14026 CW 2026-12-24 0820 EA1AAA 599 002 EA3CCC 599 001"})),
      Correo("EA2BBB", Log("EA2BBB", "SINGLE-OP",
                           {"14025 CW 2026-12-24 0815 EA2BBB 599 001 EA1AAA 599 001",
                            "14027 CW 2026-12-24 0830 EA2BBB 599 002 EA3CCC 599 002"})),
      Correo("EA3CCC", Log("EA3CCC", "SINGLE-OP",
                           {"14026 CW 2026-12-24 0820 EA3CCC 599 001 EA1AAA 599 002",
                            "14027 CW 2026-12-24 0830 EA3CCC 599 002 EA2BBB 599 002",
                            "14028 CW 2026-12-24 0840 EA3CCC 599 003 EA9ZZZ 599 001"})),
      Correo("EA4DDD", Log("EA4DDD", "SINGLE-OP",
                           {"7025 CW 2026-12-24 0815 EA4DDD 599 001 EA1AAA 599 003",
                            "14030 CW 2026-12-24 2415 EA4DDD 599 002 EA2BBB 599 003"})),
      Correo("EA5SWL", Log("EA5SWL", "SWL", {"14025 CW 2026-12-24 0815 EA1AAA 599 001 EA2BBB 599 001"})),
  };
}

using soporte::Entregado;
using soporte::Entregados;

// ------------------------------------------------------------- windows

// The one visible top-level window of a class (nullptr when none or more).
template <typename T>
T* Visible() {
  T* hallada = nullptr;
  int cuantas = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* v = qobject_cast<T*>(w); v && v->isVisible()) {
      hallada = v;
      ++cuantas;
    }
  return cuantas == 1 ? hallada : nullptr;
}

template <typename T>
T* Hijo(QWidget* w, const char* nombre) {
  T* c = w ? w->findChild<T*>(nombre) : nullptr;
  EXPECT_NE(c, nullptr) << nombre;
  return c;
}

std::vector<std::string> Elementos(QWidget* w, const char* lista) {
  std::vector<std::string> v;
  if (QListWidget* l = Hijo<QListWidget>(w, lista))
    for (int i = 0; i < l->count(); ++i) v.push_back(l->item(i)->text().toStdString());
  return v;
}

void Pulsa(QWidget* w, int tecla) {
  QKeyEvent pulsada(QEvent::KeyPress, tecla, Qt::NoModifier);
  QApplication::sendEvent(w, &pulsada);
}

// The windows closed meanwhile are deleted.
void Libera() {
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<std::string> FicherosDe(const std::string& carpeta) {
  std::vector<std::string> v = plataforma::ListaFicheros(carpeta);
  std::sort(v.begin(), v.end());
  return v;
}

// ------------------------------------------------------------- fixture

class ConcursoCompleto : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kFicheroPaises)) GTEST_SKIP() << "sin " << kFicheroPaises;
    setenv("TZ", "UTC", 1);
    tzset();
    if (const char* h = std::getenv("HOME")) home_ = h;
    trabajo_ = tmp_.Ruta() + "/trabajo";
    fs::create_directories(trabajo_);
    anterior_ = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(trabajo_));
    // The working folder as the setup leaves it.
    database::CreaBaseConcursosVacia(trabajo_ + "/Ledrima");
    CreaTerravia(kFicheroPaises, trabajo_ + "/Terravia");
    smtp_ = std::make_unique<ServidorSmtp>(tmp_.Ruta());
    ASSERT_TRUE(smtp_->Arranca());
  }
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<mail::GesAutomatica*>(w) || qobject_cast<scoring::GesPuntos*>(w) ||
          qobject_cast<scoring::Clasifica*>(w) || qobject_cast<award::GesDiplomaCantabria*>(w))
        delete w;
    principal_.reset();
    if (!anterior_.isEmpty()) QDir::setCurrent(anterior_);
    if (!home_.empty()) setenv("HOME", home_.c_str(), 1);
  }

  // The main window with the program's own services, on the new folder:
  // the contest created through its editor and its Cabrillo format window
  // (14 MHz CW, RST and serial number sent and received; its mailbox and the
  // subject "LOG $").
  void CreaConcurso(const std::string& nombre) {
    soporte::Mensajes().Espera(Respuesta::Aceptar, "No hay Concursos CONFIGURADOS");
    principal_ = std::make_unique<Trovalis>(principal::CreaServiciosPrograma());
    ASSERT_TRUE(principal_->Form_Load());
    principal_->show();
    QApplication::setActiveWindow(principal_.get());
    QApplication::processEvents();
    Formulario(*principal_).AltaReg->click();
    const std::string textos[] = {"", nombre, "2026", "24-12-2026", "08:00", "24-12-2026", "20:00"};
    for (int i = 1; i <= 6; ++i)
      Formulario(*principal_).Text3[static_cast<std::size_t>(i)]->setText(QString::fromStdString(textos[i]));
    Formulario(*principal_).Banda[4]->setChecked(true);  // 14 MHz
    Formulario(*principal_).Modo[1]->setChecked(true);   // CW
    Formulario(*principal_).EnviarNumeral->setChecked(true);
    Formulario(*principal_).RecibirNumeral->setChecked(true);
    // Points by the table: 2 for a QSO within one's own country.
    Formulario(*principal_).RecibirPuntos->setChecked(true);
    Formulario(*principal_).Text3[25]->setText("2");
    Formulario(*principal_).Text3[2]->setFocus();  // the name is left
    EXPECT_TRUE(prueba::AbreFormatoCabrillo(*principal_, [](rules::FormatoCabrillo& w) {
      for (const char* casilla :
           {"CabrilloRstEnv", "CabrilloNumSerieEnv", "CabrilloRstRec", "CabrilloNumSerieRec", "M20", "CW"})
        Control<QCheckBox>(w, casilla)->setChecked(true);
      Control<QLineEdit>(w, "EMailConcurso")->setText("sprint@navidad.es");
      Control<QLineEdit>(w, "AsuntoConcurso")->setText("LOG $");
      Control<QPushButton>(w, "AceptarCabrillo")->click();
    }));
    soporte::Mensajes().Espera(Respuesta::Aceptar, "Alta del Concurso efectuada");
    Formulario(*principal_).Aceptar->click();
    ASSERT_EQ(soporte::Mensajes().Cajas().size(), 2u);
    ASSERT_EQ(principal_->Contexto().NombreConcurso, nombre);
    carpeta_ = trabajo_ + "/" + nombre + "_2026";
    ASSERT_TRUE(fs::is_directory(carpeta_));
  }

  // The mail profile: the inbox (the Maildir "Correo" or an IMAP URL) and
  // the SMTP sink.
  void Perfil(const std::string& entrada) {
    std::ofstream(trabajo_ + "/PerfilCorreo.txt", std::ios::trunc)
        << "Entrada=" << entrada << "\r\nSmtp=smtp://127.0.0.1:" << smtp_->Puerto()
        << "\r\nRemitente=sprint@navidad.es\r\n";
  }

  // Puts the mails unread into a Maildir, in order of arrival.
  void Llegan(const std::vector<std::string>& correos, const std::string& maildir) {
    std::vector<CorreoFixture> fixture;
    fs::create_directories(tmp_.Ruta() + "/eml");
    for (const std::string& c : correos) {
      ++enviados_;
      const std::string f = tmp_.Ruta() + "/eml/" + std::to_string(enviados_) + ".eml";
      std::ofstream(f, std::ios::binary) << c;
      fixture.push_back({f, false, 1798099200LL + 60 * enviados_});
    }
    pruebas_correo::LlenaMaildir(maildir, fixture);
  }

  // F7 on the main window opens the mail window in its place.
  mail::GesAutomatica* AbreCorreo() {
    Pulsa(principal_.get(), Qt::Key_F7);
    EXPECT_FALSE(principal_->isVisible());
    return Visible<mail::GesAutomatica>();
  }

  // The whole road, from the inbox the profile names.
  void RecorreElConcurso() {
    QPointer<mail::GesAutomatica> correo = AbreCorreo();
    ASSERT_TRUE(correo);
    EXPECT_EQ(Hijo<QPushButton>(correo, "Conectar")->text().toStdString(), "LEER Correo");

    // ---- One session takes the five mails and answers each sender.
    Hijo<QPushButton>(correo, "Conectar")->click();
    EXPECT_EQ(Hijo<QLabel>(correo, "LEntrada")->text().toStdString(), "5 Correos");
    Pulsa(correo, Qt::Key_Escape);  // intake off: no session on the timer
    EXPECT_FALSE(correo->RecepcionActiva());
    const std::vector<std::string> validas = {"EA1AAA.LOG", "EA2BBB.LOG", "EA3CCC.LOG"};
    EXPECT_EQ(Elementos(correo, "ListasValidas"), validas);
    EXPECT_EQ(Elementos(correo, "ListasDeSWL"), std::vector<std::string>{"EA5SWL"});
    EXPECT_EQ(Elementos(correo, "FicherosErrores"), std::vector<std::string>{"EA4DDD.ERR"});
    EXPECT_EQ(FicherosDe(carpeta_ + "/ListasValidas"), validas);
    EXPECT_EQ(FicherosDe(carpeta_ + "/FicherosConfirmacion"),
              (std::vector<std::string>{"EA1AAA.OK", "EA2BBB.OK", "EA3CCC.OK", "EA5SWL.OK"}));
    EXPECT_EQ(FicherosDe(carpeta_ + "/ListasEmail"),
              (std::vector<std::string>{"EA1AAA.Email", "EA2BBB.Email", "EA3CCC.Email", "EA5SWL.Email"}));
    EXPECT_TRUE(principal_->Contexto().HayListasNuevas);

    // ---- The cross-check window takes the mail window's place.
    Hijo<QPushButton>(correo, "CruzarListas")->click();
    EXPECT_FALSE(correo->isVisible());
    QPointer<scoring::GesPuntos> cruce = Visible<scoring::GesPuntos>();
    ASSERT_TRUE(cruce);
    EXPECT_EQ(Elementos(cruce, "ListasValidas"), validas);
    // A small contest: a QSO need not be in five logs to count.
    ASSERT_TRUE(Hijo<QCheckBox>(cruce, "AnularCinco")->isChecked());
    Hijo<QCheckBox>(cruce, "AnularCinco")->setChecked(false);
    Pulsa(cruce, Qt::Key_F2);
    EXPECT_FALSE(principal_->Contexto().HayListasNuevas);
    EXPECT_EQ(Elementos(cruce, "ListasCruzadas").size(), 3u);
    EXPECT_EQ(FicherosDe(carpeta_ + "/ListasCruzadas").size(), 3u);
    Pulsa(cruce, Qt::Key_F3);
    EXPECT_EQ(FicherosDe(carpeta_ + "/ListasPuntuaciones"),
              (std::vector<std::string>{"EA1AAA.PTS", "EA2BBB.PTS", "EA3CCC.PTS"}));
    EXPECT_EQ(Elementos(cruce, "ListasPuntuaciones").size(), 3u);

    // ---- The rankings window takes the cross-check window's place.
    Hijo<QPushButton>(cruce, "Clasificaciones")->click();
    EXPECT_FALSE(cruce->isVisible());
    QPointer<scoring::Clasifica> clasifica = Visible<scoring::Clasifica>();
    ASSERT_TRUE(clasifica);
    // Both listings: one line per scored station, 2 points for each of its
    // QSOs that stood; EA3CCC's QSO with a station without a log is annulled.
    for (const char* listado : {"ListaPorCategoria.lst", "ListaPorPuntos.lst"}) {
      SCOPED_TRACE(listado);
      std::vector<std::string> lineas;
      ASSERT_TRUE(plataforma::LeerLineas(carpeta_ + "/ListasClasificacion/" + listado, lineas));
      ASSERT_EQ(lineas.size(), 3u);
      const char* indicativos[] = {"EA1AAA", "EA2BBB", "EA3CCC"};
      for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NE(lineas[i].find(std::string("CONCURSANTE:") + indicativos[i] + " "), std::string::npos) << lineas[i];
        EXPECT_NE(lineas[i].find("PUNTOS:4 "), std::string::npos) << lineas[i];
        EXPECT_NE(lineas[i].find(i == 2 ? "QSOS:3      NULOS:1" : "QSOS:2      NULOS:0"), std::string::npos)
            << lineas[i];
      }
    }
    const std::string puntos = pruebas_correo::LeeFichero(carpeta_ + "/ListasPuntuaciones/EA1AAA.PTS");
    EXPECT_NE(puntos.find("TOTAL PUNTOS: 4\r\n"), std::string::npos) << puntos;
    EXPECT_NE(puntos.find("Pts:2    14026 CW 2026-12-24 0820 EA1AAA 599 002 EA3CCC 599 001\r\n"), std::string::npos)
        << puntos;
    EXPECT_EQ(FicherosDe(carpeta_ + "/ListasQsoAnulados"), std::vector<std::string>{"EA3CCC.NUL"});
    EXPECT_EQ(Hijo<QLabel>(clasifica, "LConcurso")->text().toStdString(), kConcurso + " EDICIÓN 2026");
    EXPECT_EQ(Elementos(clasifica, "ListaPorPuntos").size(), 3u);
    EXPECT_EQ(Elementos(clasifica, "ListaPorCategoria").size(), 3u);
    Hijo<QPushButton>(clasifica, "EnviarResultados")->click();
    EXPECT_EQ(Elementos(clasifica, "ListaPorEmail"),
              (std::vector<std::string>{"EA1AAA.Email", "EA2BBB.Email", "EA3CCC.Email", "EA5SWL.Email"}));

    // ---- Closed one by one, each window gives the screen back.
    Hijo<QPushButton>(clasifica, "FinClientes")->click();
    Libera();
    EXPECT_FALSE(clasifica);
    ASSERT_TRUE(cruce);
    EXPECT_TRUE(cruce->isVisible());
    Hijo<QPushButton>(cruce, "FinClientes")->click();
    Libera();
    EXPECT_FALSE(cruce);
    ASSERT_TRUE(correo);
    EXPECT_TRUE(correo->isVisible());
    EXPECT_FALSE(principal_->isVisible());
    Hijo<QPushButton>(correo, "FinClientes")->click();
    Libera();
    EXPECT_FALSE(correo);
    EXPECT_TRUE(principal_->isVisible());
    EXPECT_EQ(soporte::Mensajes().Cajas().size(), 2u);

    // ---- Every answer and every result reached the sink.
    smtp_->Para();
    std::vector<Entregado> recibidos = Entregados(smtp_->Buzon());
    std::sort(recibidos.begin(), recibidos.end(), [](const Entregado& a, const Entregado& b) {
      return std::tie(a.asunto, a.para, a.texto) < std::tie(b.asunto, b.para, b.texto);
    });
    std::vector<std::tuple<std::string, std::string>> cabeceras;
    for (const Entregado& e : recibidos) cabeceras.emplace_back(e.asunto, e.para);
    const std::string confirmando = "Confirmando LISTA " + kConcurso, resultados = "RESULTADOS " + kConcurso;
    EXPECT_EQ(cabeceras, (std::vector<std::tuple<std::string, std::string>>{
                             {confirmando, "ea1aaa@example.org"},
                             {confirmando, "ea2bbb@example.org"},
                             {confirmando, "ea3ccc@example.org"},
                             {confirmando, "ea5swl@example.org"},
                             {"Errores en el E-MAIL enviado", "ea4ddd@example.org"},
                             {resultados, "ea1aaa@example.org"},
                             {resultados, "ea2bbb@example.org"},
                             {resultados, "ea3ccc@example.org"},
                             {resultados, "ea5swl@example.org"},
                         }));
    ASSERT_EQ(recibidos.size(), 9u);
    // The report names the faults; a result holds the station's score; the
    // listener, who was not scored, gets the closing text alone.
    EXPECT_NE(recibidos[4].texto.find("ERROR 19"), std::string::npos) << recibidos[4].texto;
    EXPECT_NE(recibidos[4].texto.find("ERROR 22"), std::string::npos) << recibidos[4].texto;
    const std::string titulo = "PUNTUACIÓN OBTENIDA POR EL CONCURSANTE";
    EXPECT_NE(recibidos[5].texto.find(titulo), std::string::npos) << recibidos[5].texto;
    EXPECT_NE(recibidos[5].texto.find("CONCURSANTE: EA1AAA"), std::string::npos) << recibidos[5].texto;
    EXPECT_NE(recibidos[5].texto.find("TOTAL PUNTOS: 4\n"), std::string::npos) << recibidos[5].texto;
    EXPECT_EQ(recibidos[5].texto.find("QSO ANULADOS"), std::string::npos) << recibidos[5].texto;
    EXPECT_NE(recibidos[7].texto.find("CONCURSANTE: EA3CCC"), std::string::npos) << recibidos[7].texto;
    EXPECT_NE(recibidos[7].texto.find("RELACIÓN DE QSO ANULADOS"), std::string::npos) << recibidos[7].texto;
    EXPECT_NE(recibidos[7].texto.find("EA3CCC 599 003 EA9ZZZ 599 001"), std::string::npos) << recibidos[7].texto;
    EXPECT_EQ(recibidos[8].texto.find(titulo), std::string::npos) << recibidos[8].texto;
    EXPECT_NE(recibidos[8].texto.find("AGRADECIMIENTO"), std::string::npos) << recibidos[8].texto;
  }

  CarpetaTemporal tmp_;
  std::string trabajo_, carpeta_, home_;
  QString anterior_;
  std::unique_ptr<ServidorSmtp> smtp_;
  std::unique_ptr<Trovalis> principal_;
  int enviados_ = 0;
};

TEST_F(ConcursoCompleto, DesdeUnMaildirHastaLosResultadosEnviados) {
  CreaConcurso(kConcurso);
  Perfil("Correo");
  Llegan(CorreosDelConcurso(), trabajo_ + "/Correo");
  RecorreElConcurso();
  // The session took every mail out of the inbox.
  EXPECT_TRUE(pruebas_correo::Ficheros(trabajo_ + "/Correo/new").empty());
  EXPECT_TRUE(pruebas_correo::Ficheros(trabajo_ + "/Correo/cur").empty());
}

TEST_F(ConcursoCompleto, DesdeUnServidorImapHastaLosResultadosEnviados) {
  CreaConcurso(kConcurso);
  ServidorImap imap(tmp_.Ruta(), "concurso", "clave-secreta", true);
  Llegan(CorreosDelConcurso(), imap.Buzon());
  ASSERT_TRUE(imap.Arranca()) << imap.Registro();
  pruebas_correo::PreparaNetrc(tmp_.Ruta(), "concurso", "clave-secreta");
  Perfil("imap://concurso@127.0.0.1:" + std::to_string(imap.Puerto()) + "/INBOX");
  RecorreElConcurso();
  // The session took every mail out of the inbox.
  EXPECT_TRUE(pruebas_correo::Ficheros(imap.Buzon() + "/new").empty());
  EXPECT_TRUE(pruebas_correo::Ficheros(imap.Buzon() + "/cur").empty());
}

// The award contest's mail window leads to the award window instead, through
// the main window's link; its `Salir` gives the screen back to the mail
// window.
TEST_F(ConcursoCompleto, ElDiplomaSeAbreDesdeLaVentanaDeCorreoYVuelveAElla) {
  CreaConcurso("ZEDAZIV OZIRUDUZ UV ERAZUDOZO");
  QPointer<mail::GesAutomatica> correo = AbreCorreo();
  ASSERT_TRUE(correo);
  EXPECT_EQ(Hijo<QPushButton>(correo, "CruzarListas")->text().toStdString(), "Gestionar DIPLOMA");
  Hijo<QPushButton>(correo, "CruzarListas")->click();
  EXPECT_FALSE(correo->isVisible());
  EXPECT_EQ(Visible<scoring::GesPuntos>(), nullptr);
  QPointer<award::GesDiplomaCantabria> diploma = Visible<award::GesDiplomaCantabria>();
  ASSERT_TRUE(diploma);
  Hijo<QPushButton>(diploma, "Salir")->click();
  Libera();
  EXPECT_FALSE(diploma);
  ASSERT_TRUE(correo);
  EXPECT_TRUE(correo->isVisible());
  EXPECT_FALSE(principal_->isVisible());
  Hijo<QPushButton>(correo, "FinClientes")->click();
  Libera();
  EXPECT_TRUE(principal_->isVisible());
}

}  // namespace

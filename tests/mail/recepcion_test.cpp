// A whole intake over a fixture inbox, once from a Maildir and once from a
// real IMAP server, answering through a real SMTP sink: the files left in the
// contest folder and the answers delivered, byte for byte.
#include <gmime/gmime.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>

#include "common/edicion_concurso.h"
#include "mail/buzon_prueba.h"
#include "mail/recepcion.h"
#include "mail/ventana_correo.h"
#include "plataforma/correo/correo.h"
#include "plataforma/correo/servidores.h"
#include "plataforma/texto.h"
#include "soporte/concurso_prueba.h"

namespace fs = std::filesystem;
using namespace pruebas_correo;
using plataforma::correo::SesionCorreo;

namespace mail {
namespace {

using namespace prueba;

class RecepcionTest : public BuzonPrueba {
 protected:
  void SetUp() override {
    BuzonPrueba::SetUp();
    ArrancaSmtp();
  }

  // Subjects of the mails still unread in the inbox.
  std::vector<std::string> NoLeidos() {
    SesionCorreo s(trabajo_);
    EXPECT_TRUE(s.IniciarSesion());
    EXPECT_TRUE(s.LeerNoLeidos());
    std::vector<std::string> v;
    for (int i = 0; i < s.NumeroCorreos(); ++i) {
      s.SeleccionarCorreo(i);
      v.push_back(s.DireccionDestinatario() + " " + s.Asunto());
    }
    return v;
  }

  void ComparaCon(const std::string& golden) {
    auto esperado = Arbol(kDatos + "/" + golden);
    auto obtenido = Arbol(carpeta_);
    for (const auto& [nombre, bytes] : esperado) {
      SCOPED_TRACE(nombre);
      ASSERT_TRUE(obtenido.count(nombre)) << "falta";
      EXPECT_TRUE(obtenido[nombre] == bytes) << "obtenido:\n" << obtenido[nombre] << "\nesperado:\n" << bytes;
    }
    for (const auto& [nombre, bytes] : obtenido) EXPECT_TRUE(esperado.count(nombre)) << "sobra " << nombre;
  }
};

TEST_P(RecepcionTest, FixtureInboxFilesEveryLogAndAnswersEverySender) {
  Concurso("CONCURSO PRUEBA");
  Buzon(BuzonConcurso());
  Sesion();
  smtp_->Para();
  EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
  EXPECT_TRUE(ventana_.avisos.empty());

  ComparaCon("concurso");

  // The mail to another mailbox is left unread; every other one is gone.
  EXPECT_EQ(NoLeidos(), std::vector<std::string>{"otro@example.org LISTA QQ9OTR"});

  const std::string err = "Errores en el E-MAIL enviado";
  const std::string ok = "Confirmando LISTA CONCURSO PRUEBA";
  std::vector<Entregado> esperado = {
      Respuesta("ea1sin@example.org", err, "concurso/FicherosErrores/ea1sin@example.org.ERR"),
      Respuesta("qq2xyz@example.org", err, "concurso/FicherosErrores/FOTO.JPG.ERR"),
      Respuesta("qq3jkl@example.org", ok, "concurso/FicherosConfirmacion/QQ3JKL.OK"),
      Respuesta("qq4mno@example.org", err, "concurso/FicherosErrores/QQ4MNO.ERR"),
      Respuesta("qq1abc@example.org", ok, "concurso/FicherosConfirmacion/QQ1ABC.OK"),
      Respuesta("qq5pqr@example.org", ok, "concurso/FicherosConfirmacion/QQ5PQR.OK"),
      Respuesta("qq6stu@example.org", ok, "concurso/FicherosConfirmacion/QQ6STU.OK"),
      Respuesta("qq7swl@example.org", ok, "concurso/FicherosConfirmacion/QQ7SWL.OK"),
      Respuesta("qq8bad@example.org", err, "concurso/FicherosErrores/QQ8BAD.ERR"),
  };
  std::sort(esperado.begin(), esperado.end());
  const std::vector<Entregado> entregados = Entregados(smtp_->Buzon());
  ASSERT_EQ(entregados.size(), esperado.size());
  for (std::size_t i = 0; i < esperado.size(); ++i) {
    EXPECT_EQ(entregados[i].para, esperado[i].para);
    EXPECT_EQ(entregados[i].asunto, esperado[i].asunto);
    EXPECT_EQ(entregados[i].texto, esperado[i].texto) << esperado[i].para;
  }

  // The walk listed the mails it took in, in inbox order.
  const auto& lista = ventana_.correos;
  ASSERT_EQ(lista.size(), 9u);
  EXPECT_EQ(lista[2], "LISTA QQ3JKL");
}

TEST_P(RecepcionTest, AwardLogGrowsWithEachSendingPastALeadingBlankEnd) {
  Concurso(std::string(kConcursoDiploma));
  Buzon(BuzonDiploma());
  Sesion();
  smtp_->Para();
  EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
  ComparaCon("diploma");
  // The merge took the lines the intake validated, and the edition lists
  // the merged log.
  EXPECT_EQ(ventana_.ultimo.LineasAdmitidas,
            plataforma::PartirLineas(LeeFichero(carpeta_ + "/ListasAdmitidas/QQ2DIP.LOG")));
  EXPECT_EQ(edicion_->Lista(ListaEdicion::Admitidas), std::vector<std::string>{"QQ2DIP.LOG"});
  EXPECT_EQ(Entregados(smtp_->Buzon()).size(), 2u);
  EXPECT_TRUE(NoLeidos().empty());
}

// A store whose mails can be read but never deleted.
class AlmacenSinBorrado : public plataforma::correo::AlmacenCorreo {
 public:
  explicit AlmacenSinBorrado(std::unique_ptr<plataforma::correo::AlmacenCorreo> dentro) : dentro_(std::move(dentro)) {}
  bool Abrir(plataforma::correo::ErrorCorreo& e) override { return dentro_->Abrir(e); }
  void Cerrar() override { dentro_->Cerrar(); }
  bool NoLeidos(std::vector<std::string>& ids, plataforma::correo::ErrorCorreo& e) override {
    return dentro_->NoLeidos(ids, e);
  }
  bool Leer(const std::string& id, std::string& b, std::time_t& t, plataforma::correo::ErrorCorreo& e) override {
    return dentro_->Leer(id, b, t, e);
  }
  bool Borrar(const std::string&, plataforma::correo::ErrorCorreo& e) override {
    e = {plataforma::correo::kCorreoFalloGeneral, "buzón de solo lectura"};
    ++intentos;
    return false;
  }
  int intentos = 0;

 private:
  std::unique_ptr<plataforma::correo::AlmacenCorreo> dentro_;
};

class RecepcionFallosTest : public RecepcionTest {};

TEST_P(RecepcionFallosTest, ALogThatCannotBeFiledIsReportedAndItsMailStaysUnread) {
  Concurso("CONCURSO PRUEBA");
  Buzon({{"qq6stu@example.org", "concurso@example.org", "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ6STU.LOG")}}},
         {"ea1sin@example.org", "concurso@example.org", "LISTA QQ1ABC", {}}});
  // The received logs cannot be written: a file stands where the folder should.
  fs::remove_all(carpeta_ + "/FicherosRecibidos");
  std::ofstream(carpeta_ + "/FicherosRecibidos") << "no es una carpeta";
  Sesion();
  smtp_->Para();
  ASSERT_EQ(ventana_.fallos.size(), 1u);
  EXPECT_NE(ventana_.fallos[0].find("QQ6STU.LOG"), std::string::npos) << ventana_.fallos[0];
  // The next mail was still taken in and answered; the failed one waits.
  EXPECT_EQ(NoLeidos(), std::vector<std::string>{"concurso@example.org LISTA QQ6STU"});
  const auto entregados = Entregados(smtp_->Buzon());
  ASSERT_EQ(entregados.size(), 1u);
  EXPECT_EQ(entregados[0].para, "ea1sin@example.org");
  EXPECT_FALSE(fs::exists(carpeta_ + "/FicherosConfirmacion/QQ6STU.OK"));
  EXPECT_FALSE(fs::exists(carpeta_ + "/ListasEmail/QQ6STU.Email"));
}

TEST_P(RecepcionFallosTest, AMailThatCannotBeDeletedIsTakenInOnceOnly) {
  Concurso("CONCURSO PRUEBA");
  Buzon({{"qq6stu@example.org", "concurso@example.org", "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ6STU.LOG")}}},
         {"qq2xyz@example.org", "otro@example.org", "LISTA QQ2XYZ", {}},
         {"ea1sin@example.org", "concurso@example.org", "LISTA QQ1ABC", {}}});
  auto almacen = std::make_unique<AlmacenSinBorrado>(
      GetParam() == Tipo::kMaildir
          ? plataforma::correo::CreaAlmacenMaildir(buzon_)
          : plataforma::correo::CreaAlmacenImap(
                "imap://concurso@127.0.0.1:" + std::to_string(imap_->Puerto()) + "/INBOX", {}));
  AlmacenSinBorrado* vista = almacen.get();
  SesionCorreo sesion(std::move(almacen),
                      plataforma::correo::CreaSalidaSmtp("smtp://127.0.0.1:" + std::to_string(smtp_->Puerto()), {}),
                      "concurso@example.org");
  ASSERT_TRUE(sesion.IniciarSesion()) << sesion.UltimoError().descripcion;
  Sesion(sesion);
  sesion.CerrarSesion();
  smtp_->Para();
  EXPECT_EQ(vista->intentos, 2);
  EXPECT_EQ(ventana_.fallos.size(), 2u);
  EXPECT_EQ(Entregados(smtp_->Buzon()).size(), 2u);
  EXPECT_EQ(ventana_.correos.size(), 2u);
}

TEST_P(RecepcionFallosTest, AttachmentNamesAndSenderAddressesStayInsideTheirFolders) {
  Concurso("CONCURSO PRUEBA");
  Buzon({{"qq6stu@example.org", "concurso@example.org", "LISTA QQ6STU", {{"../../QQ6STU.LOG", Log("QQ6STU.LOG")}}},
         {"<../../fuera@example.org>", "concurso@example.org", "LISTA X", {}}});
  Sesion();
  smtp_->Para();
  EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
  // The report of the mail without attachment is filed under the address
  // (none, for one the mail layer cannot read) reduced to a plain name.
  EXPECT_EQ(Arbol(carpeta_ + "/FicherosErrores").size(), 1u);
  for (const auto& [nombre, bytes] : Arbol(carpeta_ + "/FicherosErrores"))
    EXPECT_EQ(nombre.find('/'), std::string::npos) << nombre;
  EXPECT_FALSE(fs::exists(tmp_.Ruta() + "/fuera@example.org.ERR"));
  // Only the last part of the name counts; nothing was written outside.
  EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosRecibidos/QQ6STU.LOG"));
  EXPECT_TRUE(fs::exists(carpeta_ + "/ListasValidas/QQ6STU.LOG"));
  EXPECT_FALSE(fs::exists(tmp_.Ruta() + "/QQ6STU.LOG"));
  EXPECT_FALSE(fs::exists(carpeta_ + "/QQ6STU.LOG"));
  for (const auto& [nombre, bytes] : Arbol(tmp_.Ruta() + "/concurso"))
    EXPECT_EQ(nombre.find(".."), std::string::npos) << nombre;
}

// A pass over the manual folder: the same filing, today's date and no
// subject in the error report, nothing mailed and no address kept.
TEST_P(RecepcionFallosTest, ManualPassFilesTheLogsAndSendsNothing) {
  if (GetParam() != Tipo::kMaildir) GTEST_SKIP() << "no mail store is used";
  Concurso("CONCURSO PRUEBA");
  ventana_.automatica = false;
  for (const char* n : {"QQ6STU.LOG", "QQ8BAD.LOG", "QQ7SWL.LOG"})
    std::ofstream(carpeta_ + "/FicherosManuales/" + n, std::ios::binary) << Log(n);
  std::ofstream(carpeta_ + "/FicherosManuales/qq1abc.cbr", std::ios::binary) << Log("QQ1ABC.LOG");
  PasadaManual();
  smtp_->Para();
  EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
  EXPECT_TRUE(Entregados(smtp_->Buzon()).empty());
  EXPECT_EQ(ventana_.botones, (std::vector<bool>{false, true}));

  const std::string g = kDatos + "/concurso/";
  for (const char* f : {"ListasValidas/QQ6STU.LOG", "ListasValidas/QQ1ABC.LOG", "FicherosRecibidos/QQ8BAD.LOG",
                        "ListasDeSWL/ListasDeSWL.txt"})
    EXPECT_TRUE(LeeFichero(carpeta_ + "/" + f) == LeeFichero(g + f)) << f;
  EXPECT_EQ(plataforma::DesdeWindows1252(LeeFichero(carpeta_ + "/FicherosConfirmacion/QQ6STU.OK")),
            plataforma::DesdeWindows1252(LeeFichero(g + "FicherosConfirmacion/QQ6STU.OK"))
                .replace(std::string("\tSU ENVÍO:\r\nFECHA:   ").size(), 10, "")
                .replace(std::string("\tSU ENVÍO:\r\nFECHA:   \r\nADJUNTO: QQ6STU.LOG\r\nASUNTO:  ").size(), 12, ""));
  std::string err = LeeFichero(g + "FicherosErrores/QQ8BAD.ERR");
  std::size_t corte = 0;
  for (int i = 0; i < 4; ++i) corte = err.find("\r\n", corte) + 2;
  char hoy[16];
  const std::time_t ahora = std::time(nullptr);
  std::strftime(hoy, sizeof hoy, "%d-%m-%Y", std::localtime(&ahora));
  err = std::string("\tSU ENV\xCDO:\r\nFECHA:") + hoy + "\r\nASUNTO:\r\nADJUNTO:QQ8BAD.LOG\r\n\r\n" + err.substr(corte);
  EXPECT_TRUE(LeeFichero(carpeta_ + "/FicherosErrores/QQ8BAD.ERR") == err)
      << LeeFichero(carpeta_ + "/FicherosErrores/QQ8BAD.ERR");
  EXPECT_TRUE(Arbol(carpeta_ + "/ListasEmail").empty());
  // The manual files of a contest stay for a later pass.
  EXPECT_EQ(Arbol(carpeta_ + "/FicherosManuales").size(), 4u);
}

// A ".cbr" manual log whose ".LOG" name is taken: the end of the pass tells
// it once.
TEST_P(RecepcionFallosTest, AManualCbrThatCannotBeRenamedIsToldOnceAtTheEndOfThePass) {
  if (GetParam() != Tipo::kMaildir) GTEST_SKIP() << "no mail store is used";
  ventana_.automatica = false;
  for (const char* n : {"QQ6STU.LOG", "qq6stu.cbr"})
    std::ofstream(carpeta_ + "/FicherosManuales/" + n, std::ios::binary) << Log("QQ6STU.LOG");
  PasadaManual();
  EXPECT_EQ(ventana_.avisos, std::vector<std::string>{TextoCbrNoRenombrados({"qq6stu.cbr"})});
  EXPECT_EQ(edicion_->Lista(ListaEdicion::Manuales), (std::vector<std::string>{"qq6stu.cbr", "QQ6STU.LOG"}));
}

// The attachment and subject checks, one small inbox per case, each into a
// fresh contest folder.
class RecepcionCasosTest : public RecepcionTest {
 protected:
  void Caso(const std::string& concurso, const std::string& patron, const std::vector<Correo>& correos) {
    fs::remove_all(carpeta_);
    for (const char* c : kCarpetas) fs::create_directories(carpeta_ + "/" + c);
    fs::remove_all(trabajo_ + "/Correo");
    ventana_ = VentanaPrueba();
    Concurso(concurso);
    concurso_.correo.AsuntoConcurso = patron;
    Buzon(correos);
    Sesion();
    EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
  }
  std::string Fichero(const std::string& relativa) {
    return plataforma::DesdeWindows1252(LeeFichero(carpeta_ + "/" + relativa));
  }
};

TEST_P(RecepcionCasosTest, AttachmentAndSubjectChecks) {
  const std::string c = "concurso@example.org";
  const Adjunto log6{"QQ6STU.LOG", Log("QQ6STU.LOG")};
  struct Esperado {
    std::string fichero;   // under the contest folder
    std::string contiene;  // "" : the file must exist
    bool existe = true;
  };
  struct Tabla {
    const char* nombre;
    std::string concurso, patron;
    std::vector<Correo> correos;
    std::vector<Esperado> esperado;
  };
  const std::vector<Tabla> casos = {
      {"callsign in the middle of the pattern, any letter case",
       "CONCURSO PRUEBA",
       "LISTA $ CONCURSO",
       {{"qq6stu@example.org", c, "  lista qq6stu concurso ", {log6}}},
       {{"ListasValidas/QQ6STU.LOG", ""}, {"FicherosErrores/QQ6STU.ERR", "", false}}},
      {"pattern without $ is the subject itself",
       "CONCURSO PRUEBA",
       "Lista del concurso",
       {{"qq6stu@example.org", c, "LISTA DEL CONCURSO", {log6}}},
       {{"ListasValidas/QQ6STU.LOG", ""}}},
      {"pattern without $, another subject",
       "CONCURSO PRUEBA",
       "Lista del concurso",
       {{"qq6stu@example.org", c, "LISTA QQ6STU", {log6}}},
       {{"FicherosErrores/QQ6STU.ERR",
         ".- ERROR 2: El ASUNTO del E-MAIL no se corresponde con el exigido por las bases.\r\n"
         ".- En el ASUNTO del E-MAIL debe poner 'LISTA DEL CONCURSO' solamente sin otros comentarios.\r\n\r\n\r\n"},
        {"FicherosRecibidos/QQ6STU.LOG", "", false}}},
      {"empty subject",
       "CONCURSO PRUEBA",
       "LISTA $",
       {{"qq6stu@example.org", c, "", {log6}}},
       {{"FicherosErrores/QQ6STU.ERR",
         "ADJUNTO:QQ6STU.LOG\r\n.- ERROR 33: El E-MAIL ha sido enviado sin el ASUNTO que exigen las bases.\r\n"
         ".- En el ASUNTO del E-MAIL debe poner 'LISTA QQ6STU' solamente sin otros comentarios.\r\n\r\n\r\n"}}},
      {"VGE SPRINT takes any subject but an empty one",
       "VGE SPRINT",
       "LISTA $",
       {{"qq6stu@example.org", c, "cualquier cosa", {log6}}, {"qq5pqr@example.org", c, "", {{"QQ5PQR.LOG", ""}}}},
       {{"FicherosRecibidos/QQ6STU.LOG", ""}, {"FicherosErrores/QQ5PQR.ERR", ".- ERROR 33:"}}},
      {"no attachment and no subject: only ERROR 1",
       "CONCURSO PRUEBA",
       "LISTA $",
       {{"qq6stu@example.org", c, "", {}}},
       {{"FicherosErrores/qq6stu@example.org.ERR",
         "ASUNTO:\r\n.- ERROR 1: No se ha incluido ningún adjunto.\r\n.- Debe adjuntar UNICAMENTE su lista como "
         "INDICATIVO.LOG sin otros adjuntos (fotos,etc.)\r\n\r\n\r\nConsulte"}}},
      {"two logs: the first is taken",
       "CONCURSO PRUEBA",
       "LISTA $",
       {{"qq6stu@example.org", c, "LISTA QQ6STU", {log6, {"QQ5PQR.LOG", Log("QQ5PQR.LOG")}}}},
       {{"ListasValidas/QQ6STU.LOG", ""}, {"FicherosRecibidos/QQ5PQR.LOG", "", false}}},
      {"a second copy named .CBR keeps its blank and (2)",
       "CONCURSO PRUEBA",
       "LISTA $",
       {{"qq6stu@example.org", c, "LISTA QQ6STU", {{"QQ6STU (2).cbr", Log("QQ6STU.LOG")}}}},
       {{"FicherosErrores/QQ6STU (2).CBR.ERR",
         "ADJUNTO:QQ6STU (2).CBR\r\n.- ERROR 2: El ASUNTO del E-MAIL no se corresponde con el exigido por las "
         "bases.\r\n.- En el ASUNTO del E-MAIL debe poner 'LISTA QQ6STU (2)' solamente"}}},
      {"a log replaces the report of the sender's mail without attachment",
       "CONCURSO PRUEBA",
       "LISTA $",
       {{"qq6stu@example.org", c, "LISTA QQ6STU", {}}, {"qq6stu@example.org", c, "LISTA QQ6STU", {log6}}},
       {{"FicherosErrores/qq6stu@example.org.ERR", "", false}, {"ListasValidas/QQ6STU.LOG", ""}}},
      {"a faulty log replaces the station's valid log and confirmation",
       "CONCURSO PRUEBA",
       "LISTA $",
       {{"qq6stu@example.org", c, "LISTA QQ6STU", {log6}},
        {"qq6stu@example.org", c, "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ8BAD.LOG")}}}},
       {{"ListasValidas/QQ6STU.LOG", "", false},
        {"FicherosConfirmacion/QQ6STU.OK", "", false},
        {"FicherosErrores/QQ6STU.ERR", ".- ERROR 34"}}},
  };
  for (const Tabla& t : casos) {
    SCOPED_TRACE(t.nombre);
    Caso(t.concurso, t.patron, t.correos);
    for (const Esperado& e : t.esperado) {
      SCOPED_TRACE(e.fichero);
      EXPECT_EQ(fs::exists(carpeta_ + "/" + e.fichero), e.existe);
      if (!e.contiene.empty()) EXPECT_NE(Fichero(e.fichero).find(e.contiene), std::string::npos) << Fichero(e.fichero);
    }
  }
}

TEST_P(RecepcionCasosTest, WithNotificationsOffMailsAreDeletedAndNobodyIsAnswered) {
  ventana_.sinNotificaciones = true;
  Concurso("CONCURSO PRUEBA");
  Buzon({{"qq6stu@example.org", "concurso@example.org", "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ6STU.LOG")}}},
         {"ea1sin@example.org", "concurso@example.org", "LISTA X", {}}});
  Sesion();
  smtp_->Para();
  EXPECT_TRUE(NoLeidos().empty());
  EXPECT_TRUE(Entregados(smtp_->Buzon()).empty());
  EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosConfirmacion/QQ6STU.OK"));
  EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosErrores/ea1sin@example.org.ERR"));
  EXPECT_TRUE(Arbol(carpeta_ + "/ListasEmail").empty());
}

TEST_P(RecepcionCasosTest, AFailedSendIsShownAndTheSenderStillJoinsLaterMailings) {
  Concurso("CONCURSO PRUEBA");
  Buzon({{"qq6stu@example.org", "concurso@example.org", "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ6STU.LOG")}}}});
  // Nobody listens on the SMTP port of the profile.
  std::ofstream(trabajo_ + "/PerfilCorreo.txt")
      << "Entrada=Correo\r\nSmtp=smtp://127.0.0.1:" << PuertoLibre() << "\r\nRemitente=concurso@example.org\r\n";
  Sesion();
  ASSERT_EQ(ventana_.avisos.size(), 1u);
  EXPECT_EQ(ventana_.avisos[0].rfind("Ha ocurrido un error durante el envío:  ", 0), 0u) << ventana_.avisos[0];
  EXPECT_EQ(LeeFichero(carpeta_ + "/ListasEmail/QQ6STU.Email"), "qq6stu@example.org");
  EXPECT_TRUE(NoLeidos().empty());
}

INSTANTIATE_TEST_SUITE_P(Maildir, RecepcionCasosTest, testing::Values(Tipo::kMaildir));

// The award's merged manual files leave the manual folder after the pass.
TEST_P(RecepcionFallosTest, ManualAwardPassMergesAndDeletesTheMergedFiles) {
  if (GetParam() != Tipo::kMaildir) GTEST_SKIP() << "no mail store is used";
  Concurso(std::string(kConcursoDiploma));
  ventana_.automatica = false;
  std::ofstream(carpeta_ + "/FicherosManuales/QQ2DIP.LOG", std::ios::binary) << Log("diploma_1.LOG");
  std::ofstream(carpeta_ + "/FicherosManuales/QQ8BAD.LOG", std::ios::binary) << Log("QQ8BAD.LOG");
  PasadaManual();
  EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
  std::string primero = Log("diploma_1.LOG");
  primero = primero.substr(0, primero.find("  END-OF-LOG:\r\n") + 15);
  EXPECT_TRUE(LeeFichero(carpeta_ + "/ListasAdmitidas/QQ2DIP.LOG") == primero);
  // The refused file stays; the merged one is gone and the list shows it.
  EXPECT_EQ(edicion_->Lista(ListaEdicion::Manuales), std::vector<std::string>{"QQ8BAD.LOG"});
  EXPECT_TRUE(edicion_->Lista(ListaEdicion::ManualesPorBorrar).empty());
  EXPECT_FALSE(fs::exists(carpeta_ + "/ListasDeSWL/ListasDeSWL.txt"));
}

INSTANTIATE_TEST_SUITE_P(Almacenes, RecepcionFallosTest, testing::Values(Tipo::kMaildir, Tipo::kImap),
                         [](const testing::TestParamInfo<Tipo>& i) {
                           return i.param == Tipo::kMaildir ? "Maildir" : "Imap";
                         });

INSTANTIATE_TEST_SUITE_P(Almacenes, RecepcionTest, testing::Values(Tipo::kMaildir, Tipo::kImap),
                         [](const testing::TestParamInfo<Tipo>& i) {
                           return i.param == Tipo::kMaildir ? "Maildir" : "Imap";
                         });

}  // namespace
}  // namespace mail

// Mails that can never be taken in, from a Maildir and from a real IMAP
// server: over the store's size limit, a header bomb, too many parts, a
// structure GMime cannot read. Each is answered once (when its sender can be
// answered) and moved into the store's folder of refused mails, unread; the
// next sessions neither answer it again nor find it in the inbox. And names
// from outside that pass the file system's limit once upper-cased: every file
// the intake writes fits, and the answer names the file the log went to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "mail/buzon_prueba.h"
#include "mail/diario_respuestas.h"
#include "mail/recepcion.h"
#include "plataforma/correo/correo.h"
#include "plataforma/correo/servidores.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "soporte/concurso_prueba.h"

namespace mail {
namespace {

using namespace prueba;
using namespace pruebas_correo;
namespace pc = plataforma::correo;

const std::string kBuzon = "concurso@example.org";

std::string Cabecera(const std::string& de, const std::string& para, const std::string& asunto) {
  return (de.empty() ? "" : "From: " + de + "\r\n") + "To: " + para + "\r\nSubject: " + asunto +
         "\r\nDate: Sat, 14 Mar 2026 12:00:00 +0000\r\n";
}

// A mail whose header section holds `campos` fields of `relleno` bytes
// each, after its sender and recipient.
std::string BombaCabeceras(const std::string& de, std::size_t campos, std::size_t relleno) {
  std::string m = Cabecera(de, kBuzon, "LISTA QQ1ABC");
  const std::string linea = "X-R: " + std::string(relleno, 'r') + "\r\n";
  m.reserve(m.size() + campos * linea.size() + 32);
  for (std::size_t i = 0; i < campos; ++i) m += linea;
  return m + "\r\nAdjunto mi lista.\r\n";
}

std::string MuchasPartes(const std::string& de, std::size_t partes) {
  std::string m = Cabecera(de, kBuzon, "LISTA QQ1ABC") +
                  "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n";
  for (std::size_t i = 0; i < partes; ++i) m += "--b\r\n\r\nx\r\n";
  return m + "--b--\r\n";
}

// A mail over the store's limit: a log attachment of 64 MB.
std::string Enorme(const std::string& de) {
  std::string m = Cabecera(de, kBuzon, "LISTA QQ1ABC") +
                  "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"xx\"\r\n\r\n"
                  "--xx\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment; "
                  "filename=\"QQ1ABC.LOG\"\r\nContent-Transfer-Encoding: base64\r\n\r\n";
  const std::string linea = std::string(76, 'A') + "\r\n";
  m.reserve(pc::kTamanoMaximoCorreo + 4096);
  while (m.size() <= pc::kTamanoMaximoCorreo) m += linea;
  return m + "--xx--\r\n";
}

class RechazosTest : public BuzonPrueba {
 protected:
  void SetUp() override {
    BuzonPrueba::SetUp();
    ArrancaSmtp();
  }

  // Mails of a Maildir folder (new/ and cur/), and whether any is marked seen.
  std::size_t Cuenta(const std::string& maildir, bool* alguno_leido = nullptr) {
    std::size_t n = 0;
    for (const char* sub : {"/new", "/cur"})
      for (const std::string& f : Ficheros(maildir + sub)) {
        ++n;
        const auto p = f.find(":2,");
        if (alguno_leido && p != std::string::npos && f.find('S', p) != std::string::npos) *alguno_leido = true;
      }
    return n;
  }
};

TEST_P(RechazosTest, APoisonMailIsAnsweredOnceAndKeptApartUnread) {
  struct Caso {
    std::string de, motivo;
  };
  const std::vector<Caso> casos = {
      {"grande@example.org", "pasa de 64 MB"},
      {"campos@example.org", "sus cabeceras tienen más de 10000 campos"},
      {"bytes@example.org", "sus cabeceras pasan de 1 MB"},
      {"partes@example.org", "tiene más de 10000 partes"},
  };
  Buzon({Enorme("grande@example.org"), BombaCabeceras("campos@example.org", pc::kMaximoCamposCabeceras + 1, 1),
         BombaCabeceras("bytes@example.org", 2000, 600), MuchasPartes("partes@example.org", pc::kMaximoPartes + 1),
         // Nobody to answer: the sender is missing, or past the part of the
         // header that is read.
         BombaCabeceras("", 20000, 1),
         // No structure at all: no sender, no recipient.
         "Esto no es un correo\r\n\r\nQSO: 14000 CW\r\n",
         // Another mailbox's mail is left alone, refused or not.
         Cabecera("otro@example.org", "otro@example.org", "NO ES PARA EL CONCURSO") +
             "X: " + std::string(pc::kMaximoBytesCabeceras, 'x') + "\r\n\r\n.\r\n",
         // Still taken in after them.
         Compone({"qq6stu@example.org", kBuzon, "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ6STU.LOG")}}})});
  Sesion();
  // The operator is told of each refused mail and where it went.
  ASSERT_EQ(ventana_.fallos.size(), casos.size() + 2);
  for (const std::string& f : ventana_.fallos)
    EXPECT_NE(f.find("se guarda sin leer en la carpeta Rechazados del buzón"), std::string::npos) << f;
  EXPECT_TRUE(ventana_.avisos.empty()) << ventana_.avisos.front();

  std::vector<Entregado> entregados = Entregados(smtp_->Buzon());
  ASSERT_EQ(entregados.size(), casos.size() + 1);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.de);
    auto e = std::find_if(entregados.begin(), entregados.end(), [&](const Entregado& x) { return x.para == c.de; });
    ASSERT_NE(e, entregados.end());
    EXPECT_EQ(e->asunto, std::string(kAsuntoErrores));
    EXPECT_NE(e->texto.find(".- ERROR: El E-MAIL no se puede procesar porque " + c.motivo), std::string::npos)
        << e->texto;
    EXPECT_NE(e->texto.find("queda guardado para la Organización del concurso"), std::string::npos);
    // The report is filed under the sender's address.
    EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosErrores/" + c.de + ".ERR"));
  }
  EXPECT_TRUE(fs::exists(carpeta_ + "/ListasValidas/QQ6STU.LOG"));

  // The inbox holds the other mailbox's mail only; the refused ones are in
  // the folder of refused mails, unread.
  bool leido = false;
  EXPECT_EQ(Cuenta(buzon_), 1u);
  EXPECT_EQ(Cuenta(buzon_ + "/.Rechazados", &leido), casos.size() + 2);
  EXPECT_FALSE(leido);
  EXPECT_FALSE(fs::exists(carpeta_ + "/" + kNombreDiarioRespuestas));

  // The next sessions find nothing to answer again.
  const auto carpeta = Arbol(carpeta_);
  ventana_ = VentanaPrueba();
  Sesion();
  Sesion();
  EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
  EXPECT_EQ(Entregados(smtp_->Buzon()).size(), casos.size() + 1);
  EXPECT_EQ(Cuenta(buzon_ + "/.Rechazados"), casos.size() + 2);
  EXPECT_TRUE(Arbol(carpeta_) == carpeta);
}

// A store that reads and deletes but cannot keep mails apart, then one
// that can: the refused mail is answered once, never taken in again, and
// the note of answered mails is trimmed once it has gone.
class AlmacenSinApartar : public pc::AlmacenCorreo {
 public:
  explicit AlmacenSinApartar(std::unique_ptr<pc::AlmacenCorreo> dentro) : dentro_(std::move(dentro)) {}
  bool Abrir(pc::ErrorCorreo& e) override { return dentro_->Abrir(e); }
  void Cerrar() override { dentro_->Cerrar(); }
  bool NoLeidos(std::vector<std::string>& ids, pc::ErrorCorreo& e) override { return dentro_->NoLeidos(ids, e); }
  bool Leer(const std::string& id, std::string& b, std::time_t& t, pc::ErrorCorreo& e) override {
    return dentro_->Leer(id, b, t, e);
  }
  bool Borrar(const std::string& id, pc::ErrorCorreo& e) override { return dentro_->Borrar(id, e); }

 private:
  std::unique_ptr<pc::AlmacenCorreo> dentro_;
};

TEST_P(RechazosTest, ARefusedMailThatCannotBeMovedIsNeverAnsweredTwiceAndTheNoteIsTrimmed) {
  Buzon({BombaCabeceras("campos@example.org", pc::kMaximoCamposCabeceras + 1, 1)});
  // A note left by an earlier session for a mail that has since gone.
  ASSERT_TRUE(DiarioRespuestas(carpeta_).Anota("ya-no-esta"));
  auto almacen = [&]() {
    return GetParam() == Tipo::kMaildir
               ? pc::CreaAlmacenMaildir(buzon_)
               : pc::CreaAlmacenImap("imap://concurso@127.0.0.1:" + std::to_string(imap_->Puerto()) + "/INBOX", {});
  };
  auto sesion = [&](std::unique_ptr<pc::AlmacenCorreo> a) {
    pc::SesionCorreo s(std::move(a), pc::CreaSalidaSmtp("smtp://127.0.0.1:" + std::to_string(smtp_->Puerto()), {}),
                       kBuzon);
    ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion;
    Sesion(s);
    s.CerrarSesion();
  };
  sesion(std::make_unique<AlmacenSinApartar>(almacen()));
  // Answered and noted; the move failed and was told.
  EXPECT_EQ(Entregados(smtp_->Buzon()).size(), 1u);
  ASSERT_EQ(ventana_.fallos.size(), 2u);
  EXPECT_NE(ventana_.fallos[1].find("No se ha podido apartar el E-MAIL de campos@example.org"), std::string::npos)
      << ventana_.fallos[1];
  EXPECT_EQ(Cuenta(buzon_), 1u);
  // The walk read every mail: the stale note is gone, the new one stays.
  EXPECT_FALSE(DiarioRespuestas(carpeta_).Contiene("ya-no-esta"));

  ventana_ = VentanaPrueba();
  sesion(std::make_unique<AlmacenSinApartar>(almacen()));
  EXPECT_EQ(Entregados(smtp_->Buzon()).size(), 1u);
  ventana_ = VentanaPrueba();
  sesion(almacen());
  EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
  EXPECT_EQ(Entregados(smtp_->Buzon()).size(), 1u);
  EXPECT_EQ(Cuenta(buzon_), 0u);
  EXPECT_EQ(Cuenta(buzon_ + "/.Rechazados"), 1u);
  // Nothing is left to note.
  EXPECT_FALSE(fs::exists(carpeta_ + "/" + kNombreDiarioRespuestas));
}

// Names from outside that pass the file system's limit: attachment names
// of 251 to 300 bytes, one that grows past it when upper-cased, a sender's
// address of 250 bytes. Nothing throws, every mail is answered and leaves
// the inbox, every file written fits, and the answer names the file.
TEST_P(RechazosTest, LongNamesAreShortenedKeepingTheirExtensionAndTheAnswerSaysSo) {
  std::string vuelta;
  for (int i = 0; i < 125; ++i) vuelta += "\u0250";  // "ɐ", 2 bytes; upper-cased "Ɐ", 3
  const std::string largo = std::string(238, 'a') + "@example.org";
  ASSERT_EQ(largo.size(), 250u);
  std::vector<std::string> nombres;
  for (std::size_t n : {251u, 255u, 256u, 300u}) nombres.push_back(std::string(n - 4, 'Q') + ".LOG");
  nombres.push_back(vuelta + ".LOG");
  std::vector<std::string> correos;
  for (std::size_t i = 0; i < nombres.size(); ++i)
    correos.push_back(Compone(
        {"qq" + std::to_string(i) + "@example.org", kBuzon, "LISTA QQ6STU", {{nombres[i], Log("QQ6STU.LOG")}}}));
  correos.push_back(Compone({largo, kBuzon, "LISTA QQ1ABC", {}}));
  Buzon(correos);
  Sesion();
  EXPECT_TRUE(ventana_.fallos.empty()) << ventana_.fallos.front();
  EXPECT_TRUE(ventana_.avisos.empty()) << ventana_.avisos.front();
  EXPECT_EQ(Cuenta(buzon_), 0u);

  // Every file the intake wrote has a name that fits, with room for its
  // temporary.
  for (const std::string& raiz : {carpeta_, trabajo_})
    for (const auto& e : fs::recursive_directory_iterator(raiz)) {
      const std::string nombre = e.path().filename().string();
      EXPECT_LE(nombre.size(), plataforma::kMaximoNombreFichero) << nombre;
      EXPECT_EQ(nombre.find(".~tmp"), std::string::npos) << nombre;
    }

  const std::vector<Entregado> entregados = Entregados(smtp_->Buzon());
  ASSERT_EQ(entregados.size(), correos.size());
  for (std::size_t i = 0; i < nombres.size(); ++i) {
    SCOPED_TRACE(i);
    const std::string para = "qq" + std::to_string(i) + "@example.org";
    auto e = std::find_if(entregados.begin(), entregados.end(), [&](const Entregado& x) { return x.para == para; });
    ASSERT_NE(e, entregados.end());
    // The name as filed: upper case, cut to fit, the extension kept (a
    // ".CBR" is filed as ".LOG").
    std::string esperado = plataforma::Mayusculas(nombres[i]);
    if (esperado.size() > plataforma::kMaximoNombreFichero) {
      const std::string extension = ".LOG";
      std::string raiz = esperado.substr(0, plataforma::kMaximoNombreFichero - 4);
      while ((static_cast<unsigned char>(esperado[raiz.size()]) & 0xC0) == 0x80) raiz.pop_back();
      esperado = raiz + extension;
    }
    // The report is a Windows-1252 text: a letter it lacks goes as "?".
    const std::string escrito = plataforma::DesdeWindows1252(plataforma::AWindows1252(esperado));
    EXPECT_NE(e->texto.find("ADJUNTO:" + escrito), std::string::npos) << e->texto;
    EXPECT_NE(
        e->texto.find(".- El nombre del fichero adjunto es demasiado largo: se ha guardado como " + escrito + "."),
        std::string::npos)
        << e->texto;
    EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosErrores/" + esperado.substr(0, esperado.size() - 3) + "ERR"));
  }
  // The report of the long sender, filed under its address cut to fit.
  auto e = std::find_if(entregados.begin(), entregados.end(), [&](const Entregado& x) { return x.para == largo; });
  ASSERT_NE(e, entregados.end());
  EXPECT_NE(e->texto.find("ERROR 1: No se ha incluido ningún adjunto"), std::string::npos);
  EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosErrores/" + plataforma::AcortaNombre(largo + ".ERR")));

  // The next session has nothing left to do.
  ventana_ = VentanaPrueba();
  Sesion();
  EXPECT_EQ(Entregados(smtp_->Buzon()).size(), correos.size());
}

INSTANTIATE_TEST_SUITE_P(Almacenes, RechazosTest, testing::Values(Tipo::kMaildir, Tipo::kImap),
                         [](const testing::TestParamInfo<Tipo>& i) {
                           return i.param == Tipo::kMaildir ? "Maildir" : "Imap";
                         });

}  // namespace
}  // namespace mail

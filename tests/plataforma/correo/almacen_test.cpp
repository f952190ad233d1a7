// The unread mails of a fixture, read once from a Maildir and once from a real
// IMAP server: fields, attachments, nothing marked read, delete.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "plataforma/correo/correo.h"
#include "plataforma/correo/servidores.h"
#include "soporte/base64.h"

namespace fs = std::filesystem;
using namespace plataforma::correo;
using namespace pruebas_correo;

namespace {

constexpr long long kPrimeraLlegada = 1773482400;  // 2026-03-14 10:00 UTC

struct Esperado {
  const char* fichero;
  const char* asunto;
  const char* nombre;
  const char* remitente;
  const char* destinatario;
  std::vector<std::string> adjuntos;
};

// The unread mails in inbox order; "10-leido.eml" arrives read and is left out.
const std::vector<Esperado>& Fixture() {
  static const std::vector<Esperado> v = {
      {"01-plano.eml", "Lista del concurso de España", "José Pérez", "ea1abc@example.org", "concurso@example.org", {}},
      {"02-log.eml", "EA1ABC", "José Pérez", "ea1abc@example.org", "concurso@example.org", {"EA1ABC.LOG"}},
      {"03-rfc2231.eml",
       "EA3 lista",
       "ea3ww@example.org",
       "ea3ww@example.org",
       "concurso@example.org",
       {"EA3ÑU concurso.cbr"}},
      {"04-palabra.eml", "EA4 lista", "José Pérez", "ea1abc@example.org", "concurso@example.org", {"Señal EA4.LOG"}},
      {"05-dos.eml", "EA5XX", "José Pérez", "ea1abc@example.org", "concurso@example.org", {"foto.jpg", "EA5XX.log"}},
      {"06-camino.eml", "EA6 camino", "José Pérez", "ea1abc@example.org", "concurso@example.org", {"../../etc/x.LOG"}},
      {"07-html.eml", "Solo HTML", "María", "ea7@example.org", "concurso@example.org", {}},
      {"08-roto.eml", "Roto", "José Pérez", "ea1abc@example.org", "concurso@example.org", {"EA8ROTO.LOG"}},
      {"09-otro.eml", "Para otro", "José Pérez", "ea1abc@example.org", "otro@example.org", {}},
      {"grande.eml", "Lista grande", "EA9ZZ", "ea9zz@example.org", "concurso@example.org", {"GRANDE.LOG"}},
  };
  return v;
}

using soporte::Base64;

// A mail with a 10 MB attachment of random bytes; returns the bytes.
std::string CreaCorreoGrande(const std::string& ruta) {
  std::mt19937 azar(21);
  std::string datos(10 * 1024 * 1024, '\0');
  for (char& c : datos) c = static_cast<char>(azar() & 0xff);
  std::ofstream f(ruta, std::ios::binary);
  f << "From: EA9ZZ <ea9zz@example.org>\r\nTo: concurso@example.org\r\nSubject: Lista grande\r\n"
       "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"g\"\r\n\r\n--g\r\n"
       "Content-Type: text/plain\r\n\r\nGrande.\r\n--g\r\nContent-Type: application/octet-stream\r\n"
       "Content-Disposition: attachment; filename=GRANDE.LOG\r\nContent-Transfer-Encoding: base64\r\n\r\n"
    << Base64(datos) << "--g--\r\n";
  return datos;
}

enum class Tipo { kMaildir, kImap, kImapSinPapelera };

std::string Nombre(const testing::TestParamInfo<Tipo>& i) {
  switch (i.param) {
    case Tipo::kMaildir: return "Maildir";
    case Tipo::kImap: return "Imap";
    default: return "ImapSinPapelera";
  }
}

class AlmacenTest : public testing::TestWithParam<Tipo> {
 protected:
  void SetUp() override {
    trabajo_ = tmp_.Ruta() + "/trabajo";
    fs::create_directories(trabajo_);
    grande_ = CreaCorreoGrande(tmp_.Ruta() + "/grande.eml");
    std::vector<CorreoFixture> correos;
    long long t = kPrimeraLlegada;
    for (const auto& e : Fixture()) {
      std::string f = e.fichero;
      if (f == "grande.eml") f = tmp_.Ruta() + "/grande.eml";
      correos.push_back({f, false, t});
      t += 60;
      if (f == "05-dos.eml") {  // a read mail among the unread ones
        correos.push_back({"10-leido.eml", true, t});
        t += 60;
      }
    }
    std::string entrada;
    if (GetParam() == Tipo::kMaildir) {
      maildir_ = trabajo_ + "/Correo";
      LlenaMaildir(maildir_, correos);
      entrada = "Correo";
    } else {
      imap_ = std::make_unique<ServidorImap>(tmp_.Ruta(), "concurso", "clave-secreta", GetParam() == Tipo::kImap);
      maildir_ = imap_->Buzon();
      LlenaMaildir(maildir_, correos);
      ASSERT_TRUE(imap_->Arranca()) << imap_->Registro();
      PreparaNetrc(tmp_.Ruta(), "concurso", "clave-secreta");
      entrada = "imap://concurso@127.0.0.1:" + std::to_string(imap_->Puerto()) + "/INBOX";
    }
    std::ofstream(trabajo_ + "/PerfilCorreo.txt") << "; perfil de prueba\r\nEntrada=" << entrada << "\r\n";
  }

  // Subjects of the unread mails, as a fresh session sees them.
  std::vector<std::string> AsuntosNoLeidos() {
    SesionCorreo s(trabajo_);
    EXPECT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion << Registro();
    EXPECT_TRUE(s.LeerNoLeidos()) << s.UltimoError().descripcion;
    std::vector<std::string> v;
    for (int i = 0; i < s.NumeroCorreos(); ++i) {
      EXPECT_TRUE(s.SeleccionarCorreo(i)) << s.UltimoError().descripcion;
      v.push_back(s.Asunto());
    }
    s.CerrarSesion();
    return v;
  }

  // The IMAP server's log, to explain a failure.
  std::string Registro() const { return imap_ ? "\n" + imap_->Registro() : std::string(); }

  std::vector<std::string> TodosLosAsuntos() {
    std::vector<std::string> v;
    for (const auto& e : Fixture()) v.push_back(e.asunto);
    return v;
  }

  CarpetaTemporal tmp_;
  std::string trabajo_, maildir_, grande_;
  std::unique_ptr<ServidorImap> imap_;
};

TEST_P(AlmacenTest, EveryFieldOfEveryUnreadMailReadsInInboxOrder) {
  SesionCorreo s(trabajo_);
  ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion << Registro();
  ASSERT_TRUE(s.LeerNoLeidos()) << s.UltimoError().descripcion;
  ASSERT_EQ(s.NumeroCorreos(), static_cast<int>(Fixture().size()));
  long long llegada = kPrimeraLlegada;
  for (int i = 0; i < s.NumeroCorreos(); ++i) {
    const Esperado& e = Fixture()[static_cast<std::size_t>(i)];
    SCOPED_TRACE(e.fichero);
    ASSERT_TRUE(s.SeleccionarCorreo(i)) << s.UltimoError().descripcion;
    EXPECT_EQ(s.IndiceCorreo(), i);
    EXPECT_EQ(s.Asunto(), e.asunto);
    EXPECT_EQ(s.NombreRemitente(), e.nombre);
    EXPECT_EQ(s.DireccionRemitente(), e.remitente);
    EXPECT_EQ(s.DireccionDestinatario(), e.destinatario);
    EXPECT_EQ(s.FechaRecibido(), static_cast<std::time_t>(llegada));
    llegada += std::string(e.fichero) == "05-dos.eml" ? 120 : 60;
    ASSERT_EQ(s.NumeroAdjuntos(), static_cast<int>(e.adjuntos.size()));
    for (int a = 0; a < s.NumeroAdjuntos(); ++a) EXPECT_EQ(s.NombreAdjunto(a), e.adjuntos[static_cast<std::size_t>(a)]);
    EXPECT_EQ(s.NombreAdjunto(s.NumeroAdjuntos()), "");
  }
  // With none selected every field is empty.
  ASSERT_TRUE(s.SeleccionarCorreo(-1));
  EXPECT_EQ(s.Asunto(), "");
  EXPECT_EQ(s.NumeroAdjuntos(), 0);
  EXPECT_FALSE(s.SeleccionarCorreo(s.NumeroCorreos()));
  EXPECT_EQ(s.UltimoError().numero, kCorreoMensajeNoValido);
}

TEST_P(AlmacenTest, AttachmentsSaveByteExactAndUnderAPlainName) {
  SesionCorreo s(trabajo_);
  ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion << Registro();
  ASSERT_TRUE(s.LeerNoLeidos());
  const std::string log = LeeFichero(std::string(TROVALIS_DATOS_PRUEBA) + "/correo/EA1ABC.LOG.esperado");
  std::string foto;
  for (int i = 0; i < 4; ++i)
    for (int b = 0; b < 256; ++b) foto += static_cast<char>(b);
  struct Caso {
    int correo, adjunto;
    std::string contenido;
  };
  const std::vector<Caso> casos = {
      {1, 0, log},     {2, 0, log}, {3, 0, "START-OF-LOG: 3.0\r\nCALLSIGN: EA4AA\r\nEND-OF-LOG:\r\n"},
      {4, 0, foto},    {4, 1, log}, {1, 0, log},  // a mail read before is read again to save
      {9, 0, grande_},
  };
  const std::string destino = tmp_.Ruta() + "/adjunto.bin";
  for (const auto& c : casos) {
    SCOPED_TRACE(std::to_string(c.correo) + "/" + std::to_string(c.adjunto));
    ASSERT_TRUE(s.SeleccionarCorreo(c.correo));
    ASSERT_TRUE(s.GuardarAdjunto(c.adjunto, destino)) << s.UltimoError().descripcion;
    std::string leido = LeeFichero(destino);
    EXPECT_EQ(leido.size(), c.contenido.size());
    EXPECT_TRUE(leido == c.contenido);
  }
  // A name written as a path saves inside the folder given, under its last part.
  const std::string carpeta = tmp_.Ruta() + "/recibidos/a/b";
  fs::create_directories(carpeta);
  ASSERT_TRUE(s.SeleccionarCorreo(5));
  std::string ruta;
  ASSERT_TRUE(s.GuardarAdjuntoEnCarpeta(0, carpeta, &ruta)) << s.UltimoError().descripcion;
  EXPECT_EQ(ruta, carpeta + "/x.LOG");
  EXPECT_EQ(LeeFichero(ruta), log);
  EXPECT_FALSE(fs::exists(tmp_.Ruta() + "/recibidos/etc"));
  EXPECT_FALSE(fs::exists(tmp_.Ruta() + "/etc"));
  // No such attachment: a number, no file.
  EXPECT_FALSE(s.GuardarAdjunto(1, tmp_.Ruta() + "/no.bin"));
  EXPECT_EQ(s.UltimoError().numero, kCorreoAdjuntoNoEncontrado);
  EXPECT_FALSE(fs::exists(tmp_.Ruta() + "/no.bin"));
  // The broken mail gives what it holds without failing.
  ASSERT_TRUE(s.SeleccionarCorreo(7));
  EXPECT_TRUE(s.GuardarAdjunto(0, destino)) << s.UltimoError().descripcion;
}

TEST_P(AlmacenTest, ReadingAndSavingMarksNothingRead) {
  {
    SesionCorreo s(trabajo_);
    ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion << Registro();
    ASSERT_TRUE(s.LeerNoLeidos());
    for (int i = 0; i < s.NumeroCorreos(); ++i) {
      ASSERT_TRUE(s.SeleccionarCorreo(i));
      for (int a = 0; a < s.NumeroAdjuntos(); ++a) s.GuardarAdjunto(a, tmp_.Ruta() + "/x");
    }
    // A second snapshot in the same session sees them all again.
    ASSERT_TRUE(s.LeerNoLeidos());
    EXPECT_EQ(s.NumeroCorreos(), static_cast<int>(Fixture().size()));
  }
  EXPECT_EQ(AsuntosNoLeidos(), TodosLosAsuntos());
  if (GetParam() == Tipo::kMaildir) {
    // Nothing moved: the unread mails are still in new/.
    EXPECT_EQ(Ficheros(maildir_ + "/new").size(), Fixture().size());
  }
}

TEST_P(AlmacenTest, DeleteTakesTheMailOutOfTheUnreadSet) {
  SesionCorreo s(trabajo_);
  ASSERT_TRUE(s.IniciarSesion()) << s.UltimoError().descripcion << Registro();
  ASSERT_TRUE(s.LeerNoLeidos());
  ASSERT_TRUE(s.SeleccionarCorreo(1));
  ASSERT_EQ(s.Asunto(), "EA1ABC");
  ASSERT_TRUE(s.BorrarCorreo()) << s.UltimoError().descripcion;
  // The snapshot shrinks; nothing is selected; the next mail moved up.
  EXPECT_EQ(s.NumeroCorreos(), static_cast<int>(Fixture().size()) - 1);
  EXPECT_EQ(s.IndiceCorreo(), -1);
  EXPECT_FALSE(s.BorrarCorreo());
  EXPECT_EQ(s.UltimoError().numero, kCorreoMensajeNoValido);
  ASSERT_TRUE(s.SeleccionarCorreo(1));
  EXPECT_EQ(s.Asunto(), "EA3 lista");
  // The last one too, after reading it.
  ASSERT_TRUE(s.SeleccionarCorreo(s.NumeroCorreos() - 1));
  EXPECT_EQ(s.Asunto(), "Lista grande");
  ASSERT_TRUE(s.BorrarCorreo()) << s.UltimoError().descripcion;
  s.CerrarSesion();

  auto esperados = TodosLosAsuntos();
  esperados.erase(esperados.begin() + 1);
  esperados.pop_back();
  EXPECT_EQ(AsuntosNoLeidos(), esperados);

  // Where the deleted mails went.
  std::size_t enPapelera = Ficheros(maildir_ + "/.Trash/cur").size() + Ficheros(maildir_ + "/.Trash/new").size();
  if (GetParam() == Tipo::kImapSinPapelera) {
    EXPECT_EQ(enPapelera, 0u);
    // Expunged: one read mail and the unread ones left.
    EXPECT_EQ(Ficheros(maildir_ + "/cur").size() + Ficheros(maildir_ + "/new").size(), Fixture().size() - 1);
  } else {
    EXPECT_EQ(enPapelera, 2u);
  }
}

INSTANTIATE_TEST_SUITE_P(Correo, AlmacenTest, testing::Values(Tipo::kMaildir, Tipo::kImap, Tipo::kImapSinPapelera),
                         Nombre);

}  // namespace

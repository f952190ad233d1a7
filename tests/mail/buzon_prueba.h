#pragma once
// What the intake tests share: a caller of the intake that records what it
// is told, mails composed with attachments, the fixture inbox of the contest,
// the files of a folder, the answers a Maildir holds, and the base fixture of
// the intake over a Maildir or a real IMAP server.
#include <gmime/gmime.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "mail/recepcion.h"
#include "mail/ventana_correo.h"
#include "plataforma/correo/correo.h"
#include "plataforma/correo/servidores.h"
#include "plataforma/texto.h"
#include "soporte/base64.h"
#include "soporte/concurso_prueba.h"
#include "soporte/entregados.h"

namespace mail::prueba {

namespace fs = std::filesystem;
using pruebas_correo::Ficheros;
using pruebas_correo::LeeFichero;

inline constexpr long long kLlegada = 1773489600;  // 2026-03-14 12:00 UTC
inline const std::string kDatos = std::string(TROVALIS_DATOS_PRUEBA) + "/mail";

inline const char* const kCarpetas[] = {"FicherosManuales",     "FicherosRecibidos", "FicherosErrores",
                                        "FicherosConfirmacion", "ListasEmail",       "ListasValidas",
                                        "ListasDeSWL",          "ListasAdmitidas"};

// The caller of the intake: the mail window's part and the progress. The
// failures titled "ERROR" go to `fallos`, any other to `avisos`.
class VentanaPrueba : public VentanaCorreo, public ProgresoEtapa {
 public:
  bool GestionAutomatica() const override { return automatica; }
  bool NoEnviarNotificaciones() const override { return sinNotificaciones; }
  void HabilitaBotones(bool h) override { botones.push_back(h); }
  void EmpiezaLog(const std::string& nombre) override { logs.push_back(nombre); }
  void MuestraLog(const ResultadoRecepcion& log) override { ultimo = log; }
  void MuestraCorreos(const std::vector<std::string>& c) override { correos = c; }
  void Paso(const std::string& texto) override { paso = texto; }
  void Porcentaje(int p) override { porcentaje = p; }
  void Fallo(const std::string& texto, const std::string& titulo) override {
    (titulo == kTituloFallo ? fallos : avisos).push_back(texto);
  }
  bool Pregunta(const std::string&, const std::string&) override { return false; }

  bool automatica = true;
  bool sinNotificaciones = false;
  std::vector<bool> botones;
  std::vector<std::string> avisos, fallos;
  std::vector<std::string> logs;     // the logs whose validation started
  ResultadoRecepcion ultimo;         // the last log shown
  std::vector<std::string> correos;  // the mails of the walk as listed
  std::string paso;
  int porcentaje = 0;
};

using soporte::Base64;

struct Adjunto {
  std::string nombre, contenido;
};

struct Correo {
  std::string remitente, destinatario, asunto;
  std::vector<Adjunto> adjuntos;
};

inline std::string Compone(const Correo& c) {
  std::string m = "From: " + c.remitente + "\r\nTo: " + c.destinatario + "\r\nSubject: " + c.asunto +
                  "\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"xx\"\r\n\r\n"
                  "--xx\r\nContent-Type: text/plain\r\n\r\nAdjunto mi lista.\r\n";
  for (const Adjunto& a : c.adjuntos)
    m += "--xx\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=\"" + a.nombre +
         "\"\r\nContent-Transfer-Encoding: base64\r\n\r\n" + Base64(a.contenido);
  return m + "--xx--\r\n";
}

inline std::string Log(const std::string& nombre) { return LeeFichero(kDatos + "/logs/" + nombre); }

// The fixture inbox of the contest, in arrival order.
inline std::vector<Correo> BuzonConcurso() {
  const std::string c = "concurso@example.org";
  const Adjunto foto{"foto.jpg", std::string("\xff\xd8\xff\xe0 no es una lista", 20)};
  return {
      {"ea1sin@example.org", c, "LISTA QQ1ABC", {}},
      {"qq2xyz@example.org", c, "LISTA QQ2XYZ", {foto}},
      {"qq3jkl@example.org", c, "Lista qq3jkl", {foto, {"QQ3JKL.LOG", Log("QQ3JKL.LOG")}}},
      {"qq4mno@example.org", c, "LISTA QQ9ZZZ", {{"QQ4MNO.LOG", Log("QQ4MNO.LOG")}}},
      {"qq1abc@example.org", c, "LISTA QQ1ABC", {{"qq1abc.cbr", Log("QQ1ABC.LOG")}}},
      {"qq5pqr@example.org", c, "LISTA QQ5PQR", {{"QQ5PQR (2).LOG", Log("QQ5PQR.LOG")}}},
      {"qq6stu@example.org", c, "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ6STU.LOG")}}},
      {"qq7swl@example.org", c, "LISTA QQ7SWL", {{"QQ7SWL.LOG", Log("QQ7SWL.LOG")}}},
      {"qq8bad@example.org", c, "LISTA QQ8BAD", {{"QQ8BAD.LOG", Log("QQ8BAD.LOG")}}},
      {"qq9otr@example.org", "otro@example.org", "LISTA QQ9OTR", {{"QQ9OTR.LOG", Log("QQ9OTR.LOG")}}},
  };
}

inline std::vector<Correo> BuzonDiploma() {
  const std::string c = "concurso@example.org";
  return {
      {"qq2dip@example.org", c, "LISTA QQ2DIP", {{"QQ2DIP.LOG", Log("diploma_1.LOG")}}},
      {"qq2dip@example.org", c, "LISTA QQ2DIP", {{"QQ2DIP.LOG", Log("diploma_2.LOG")}}},
  };
}

// Every file under a folder, relative path to bytes.
inline std::map<std::string, std::string> Arbol(const std::string& raiz) {
  std::map<std::string, std::string> v;
  if (!fs::exists(raiz)) return v;
  for (const auto& e : fs::recursive_directory_iterator(raiz))
    if (e.is_regular_file()) v[fs::relative(e.path(), raiz).generic_string()] = LeeFichero(e.path().string());
  return v;
}

using soporte::Entregado;
using soporte::Entregados;

// The expected answer: a filed copy in Windows-1252 as UTF-8 text.
inline Entregado Respuesta(const std::string& para, const std::string& asunto, const std::string& golden) {
  // The sink stores what it takes with LF line ends.
  std::string texto = plataforma::DesdeWindows1252(LeeFichero(kDatos + "/" + golden));
  for (std::size_t p; (p = texto.find("\r\n")) != std::string::npos;) texto.erase(p, 1);
  return {para, asunto, texto};
}

enum class Tipo { kMaildir, kImap };

// A working folder, a contest folder with its stage folders, the test
// contest and its edition, and the contest's inbox from a Maildir or from a
// real IMAP server (the parameter); the answers go to an SMTP sink once
// ArrancaSmtp has started it, else to the outbox Maildir of the working
// folder.
// The test contest under this name, with its contest folder and working
// folder, as the mail window hands it to the intake.
inline ConcursoRecepcion ConcursoDePrueba(const std::string& nombre, const std::string& carpeta,
                                          const std::string& trabajo) {
  ConcursoRecepcion concurso;
  concurso.datos = soporte::ConcursoPrueba();
  concurso.datos.Concurso = nombre;
  concurso.categorias = soporte::CategoriasPrueba(concurso.datos);
  concurso.correo = {"Concurso@Example.org", "LISTA $"};
  concurso.carpetaConcurso = carpeta;
  concurso.carpetaTrabajo = trabajo;
  return concurso;
}

// An empty working folder and a contest folder with its stage folders.
inline void CreaCarpetas(const std::string& trabajo, const std::string& carpeta) {
  fs::create_directories(trabajo);
  for (const char* c : kCarpetas) fs::create_directories(carpeta + "/" + c);
}

// The intake's dates are read and written in UTC.
inline void HoraUtc() {
  setenv("TZ", "UTC", 1);
  tzset();
}

class BuzonPrueba : public testing::TestWithParam<Tipo> {
 protected:
  void SetUp() override {
    HoraUtc();
    trabajo_ = tmp_.Ruta() + "/trabajo";
    carpeta_ = tmp_.Ruta() + "/concurso";
    CreaCarpetas(trabajo_, carpeta_);
    Concurso("CONCURSO PRUEBA");
  }

  void ArrancaSmtp() {
    smtp_ = std::make_unique<pruebas_correo::ServidorSmtp>(tmp_.Ruta());
    ASSERT_TRUE(smtp_->Arranca());
  }

  // The contest in hand and a fresh edition of it.
  void Concurso(const std::string& nombre) {
    concurso_ = ConcursoDePrueba(nombre, carpeta_, trabajo_);
    edicion_ = std::make_unique<EdicionConcurso>(carpeta_, nombre);
  }

  // The inbox holding these mails, arrived a minute apart: the Maildir
  // `Correo` of the working folder (or, `aparte`, a Maildir beside it named
  // by its whole path), or a real IMAP server over it.
  void Buzon(const std::vector<std::string>& correos, bool aparte = false) {
    std::vector<pruebas_correo::CorreoFixture> fixture;
    long long t = kLlegada;
    fs::create_directories(tmp_.Ruta() + "/eml");
    for (const std::string& c : correos) {
      const std::string f = tmp_.Ruta() + "/eml/" + std::to_string(fixture.size() + 1) + ".eml";
      std::ofstream(f, std::ios::binary) << c;
      fixture.push_back({f, false, t});
      t += 60;
    }
    std::string entrada;
    if (GetParam() == Tipo::kMaildir) {
      buzon_ = aparte ? tmp_.Ruta() + "/buzon" : trabajo_ + "/Correo";
      pruebas_correo::LlenaMaildir(buzon_, fixture);
      entrada = aparte ? buzon_ : "Correo";
    } else {
      imap_ = std::make_unique<pruebas_correo::ServidorImap>(tmp_.Ruta(), "concurso", "clave-secreta", true);
      buzon_ = imap_->Buzon();
      pruebas_correo::LlenaMaildir(buzon_, fixture);
      ASSERT_TRUE(imap_->Arranca()) << imap_->Registro();
      pruebas_correo::PreparaNetrc(tmp_.Ruta(), "concurso", "clave-secreta");
      entrada = "imap://concurso@127.0.0.1:" + std::to_string(imap_->Puerto()) + "/INBOX";
    }
    fs::remove_all(tmp_.Ruta() + "/eml");
    std::ofstream perfil(trabajo_ + "/PerfilCorreo.txt");
    perfil << "Entrada=" << entrada << "\r\n";
    if (smtp_) perfil << "Smtp=smtp://127.0.0.1:" << smtp_->Puerto() << "\r\n";
    perfil << "Remitente=concurso@example.org\r\n";
  }
  void Buzon(const std::vector<Correo>& correos) {
    std::vector<std::string> compuestos;
    for (const Correo& c : correos) compuestos.push_back(Compone(c));
    Buzon(compuestos);
  }

  // What the mail window reads of the edition before a session or a pass:
  // the listeners' list, and the manual folder with its ".CBR" logs renamed.
  void LeeEdicion() {
    edicion_->Lee(ListaEdicion::Oyentes);
    edicion_->RenombraCbrManuales();
    edicion_->Lee(ListaEdicion::Manuales);
  }

  // One mail session, as the mail window runs it.
  void Sesion() {
    plataforma::correo::SesionCorreo sesion(trabajo_);
    ASSERT_TRUE(sesion.IniciarSesion()) << sesion.UltimoError().descripcion;
    Sesion(sesion);
    sesion.CerrarSesion();
  }
  void Sesion(plataforma::correo::SesionCorreo& sesion) {
    LeeEdicion();
    RecepcionListas recepcion(concurso_, *edicion_, ventana_, ventana_, &sesion);
    ASSERT_TRUE(recepcion.ProcesaSesion()) << sesion.UltimoError().descripcion;
  }

  // One pass over the manual folder, as the mail window runs it.
  void PasadaManual() {
    LeeEdicion();
    RecepcionListas recepcion(concurso_, *edicion_, ventana_, ventana_, nullptr);
    recepcion.LeeFicherosManuales();
  }

  pruebas_correo::CarpetaTemporal tmp_;
  std::string trabajo_, carpeta_, buzon_;
  std::unique_ptr<pruebas_correo::ServidorImap> imap_;
  std::unique_ptr<pruebas_correo::ServidorSmtp> smtp_;
  ConcursoRecepcion concurso_;
  std::unique_ptr<EdicionConcurso> edicion_;
  VentanaPrueba ventana_;
};

}  // namespace mail::prueba

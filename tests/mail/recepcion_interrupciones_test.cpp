// A mail session stopped or failing at any point of the intake: the program
// killed, the disk filling up, a mail or its attachment that cannot be read,
// a store that cannot delete, the SMTP server refusing or vanishing in the
// middle of an answer, the IMAP server vanishing in the middle of a mail.
// Whatever happens, nothing half-written stays in the contest folder, the
// next sessions take in every mail left, and in the end each log is filed and
// answered once: the contest folder is byte for byte that of an undisturbed
// intake and the way out holds each answer once.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "common/edicion_concurso.h"
#include "database/creacion.h"
#include "database/estado.h"
#include "mail/buzon_prueba.h"
#include "mail/diario_respuestas.h"
#include "mail/recepcion.h"
#include "plataforma/correo/correo.h"
#include "plataforma/correo/servidores.h"
#include "plataforma/correo/servidores_guion.h"
#include "plataforma/dao.h"
#include "plataforma/texto.h"
#include "soporte/concurso_prueba.h"

namespace mail {
namespace {

using namespace prueba;
using namespace pruebas_correo;
namespace pc = plataforma::correo;

// The steps of a session that the store, the way out and the window see, in
// order. At step `parada` (counted from 0) `accion` runs before the step.
struct Pasos {
  std::vector<std::string> vistos;
  long parada = -1;
  std::function<void()> accion;
  std::function<void()> observa;  // runs before every step
  void Marca(const std::string& paso) {
    if (observa) observa();
    if (static_cast<long>(vistos.size()) == parada && accion) accion();
    vistos.push_back(paso);
  }
};

// A store that tells every step and fails on demand.
class AlmacenVigilado : public pc::AlmacenCorreo {
 public:
  AlmacenVigilado(std::unique_ptr<pc::AlmacenCorreo> dentro, Pasos& pasos)
      : dentro_(std::move(dentro)), pasos_(pasos) {}
  bool Abrir(pc::ErrorCorreo& e) override { return dentro_->Abrir(e); }
  void Cerrar() override { dentro_->Cerrar(); }
  bool NoLeidos(std::vector<std::string>& ids, pc::ErrorCorreo& e) override {
    pasos_.Marca("NoLeidos");
    return dentro_->NoLeidos(ids, e);
  }
  bool Leer(const std::string& id, std::string& b, std::time_t& t, pc::ErrorCorreo& e) override {
    pasos_.Marca("Leer");
    if (lecturas_++ == leerFalla) {
      e = {pc::kCorreoFalloGeneral, "el servidor se ha ido"};
      return false;
    }
    const bool r = dentro_->Leer(id, b, t, e);
    pasos_.Marca("Leido");
    return r;
  }
  bool Borrar(const std::string& id, pc::ErrorCorreo& e) override {
    pasos_.Marca("Borrar");
    if (sinBorrado) {
      e = {pc::kCorreoFalloGeneral, "buzón de solo lectura"};
      return false;
    }
    const bool r = dentro_->Borrar(id, e);
    pasos_.Marca("Borrado");
    return r;
  }
  int leerFalla = -1;  // the read (counted from 0) that fails
  bool sinBorrado = false;

 private:
  std::unique_ptr<pc::AlmacenCorreo> dentro_;
  Pasos& pasos_;
  int lecturas_ = 0;
};

class SalidaVigilada : public pc::SalidaCorreo {
 public:
  SalidaVigilada(std::unique_ptr<pc::SalidaCorreo> dentro, Pasos& pasos) : dentro_(std::move(dentro)), pasos_(pasos) {}
  bool Enviar(const std::string& r, const std::string& d, const std::string& m, pc::ErrorCorreo& e) override {
    pasos_.Marca("Enviar");
    const bool bien = dentro_->Enviar(r, d, m, e);
    pasos_.Marca(bien ? "Enviado" : "NoEnviado");
    return bien;
  }

 private:
  std::unique_ptr<pc::SalidaCorreo> dentro_;
  Pasos& pasos_;
};

class VentanaVigilada : public VentanaPrueba {
 public:
  explicit VentanaVigilada(Pasos& pasos) : pasos_(pasos) {}
  void Paso(const std::string& texto) override {
    pasos_.Marca("Paso " + texto);
    VentanaPrueba::Paso(texto);
  }

 private:
  Pasos& pasos_;
};

// The step of a change of the edition's list: a folder listing the intake
// keeps up to date is named, any other list is "Lista".
std::string PasoDeLista(ListaEdicion lista) {
  switch (lista) {
    case ListaEdicion::Recibidos:
      return "Listado FicherosRecibidos";
    case ListaEdicion::Validas:
      return "Listado ListasValidas";
    case ListaEdicion::Errores:
      return "Listado FicherosErrores";
    case ListaEdicion::Confirmaciones:
      return "Listado FicherosConfirmacion";
    default:
      return "Lista";
  }
}

const std::string kBuzon = "concurso@example.org";

// Every kind of mail: a log taken in, one sent as .CBR, a listener log, a
// refused log, a mail without attachment, and one to another mailbox.
std::vector<Correo> Correos() {
  return {
      {"qq6stu@example.org", kBuzon, "LISTA QQ6STU", {{"QQ6STU.LOG", Log("QQ6STU.LOG")}}},
      {"ea1sin@example.org", kBuzon, "LISTA QQ1ABC", {}},
      {"qq9otr@example.org", "otro@example.org", "LISTA QQ9OTR", {{"QQ9OTR.LOG", Log("QQ9OTR.LOG")}}},
      {"qq7swl@example.org", kBuzon, "LISTA QQ7SWL", {{"QQ7SWL.LOG", Log("QQ7SWL.LOG")}}},
      {"qq8bad@example.org", kBuzon, "LISTA QQ8BAD", {{"QQ8BAD.LOG", Log("QQ8BAD.LOG")}}},
      {"qq1abc@example.org", kBuzon, "LISTA QQ1ABC", {{"qq1abc.cbr", Log("QQ1ABC.LOG")}}},
  };
}

// The answers of a way out as a multiset.
std::multiset<Entregado> Respuestas(const std::string& maildir) {
  const std::vector<Entregado> v = Entregados(maildir);
  return {v.begin(), v.end()};
}

class InterrupcionTest : public testing::Test {
 protected:
  void SetUp() override {
    HoraUtc();
    trabajo_ = tmp_.Ruta() + "/trabajo";
    carpeta_ = tmp_.Ruta() + "/concurso";
    buzon_ = tmp_.Ruta() + "/buzon";
    salida_ = tmp_.Ruta() + "/salida";
    Usa("CONCURSO PRUEBA", Correos());
  }

  // The contest and the inbox of the test.
  void Usa(const std::string& nombre, const std::vector<Correo>& correos) {
    long long t = kLlegada;
    int n = 0;
    correos_.clear();
    remitentes_.clear();
    fs::remove_all(tmp_.Ruta() + "/eml");
    fs::create_directories(tmp_.Ruta() + "/eml");
    for (const Correo& c : correos) {
      const std::string f = tmp_.Ruta() + "/eml/" + std::to_string(++n) + ".eml";
      std::ofstream(f, std::ios::binary) << Compone(c);
      correos_.push_back({f, false, t});
      t += 60;
      if (c.destinatario == kBuzon) remitentes_.push_back(c.remitente);
    }
    concurso_ = ConcursoDePrueba(nombre, carpeta_, trabajo_);
  }

  // A fresh contest folder, a full inbox and an empty way out.
  void Prepara() {
    for (const std::string& c : {carpeta_, trabajo_, buzon_, salida_}) fs::remove_all(c);
    CreaCarpetas(trabajo_, carpeta_);
    LlenaMaildir(buzon_, correos_);
    if (smtp_)
      for (const std::string& f : Ficheros(smtp_->Buzon() + "/new")) fs::remove(smtp_->Buzon() + "/new/" + f);
  }

  std::string Salida() const { return smtp_ ? smtp_->Buzon() : salida_; }

  std::unique_ptr<pc::SalidaCorreo> CreaSalida() const {
    if (smtp_) return pc::CreaSalidaSmtp("smtp://127.0.0.1:" + std::to_string(smtp_->Puerto()), {});
    return pc::CreaSalidaMaildir(salida_);
  }

  // One mail session of a program just started: the window reads the
  // listener list from its file. `ajusta` sets the store's faults.
  std::vector<std::string> Sesion(Pasos& pasos, const std::function<void(AlmacenVigilado&)>& ajusta = {},
                                  std::unique_ptr<pc::AlmacenCorreo> almacen = {}) {
    VentanaVigilada ventana(pasos);
    EdicionConcurso edicion(carpeta_, concurso_.Nombre());
    edicion.Lee(ListaEdicion::Oyentes);
    edicion.AlCambiar = [&pasos](ListaEdicion lista) { pasos.Marca(PasoDeLista(lista)); };
    auto vigilado =
        std::make_unique<AlmacenVigilado>(almacen ? std::move(almacen) : pc::CreaAlmacenMaildir(buzon_), pasos);
    if (ajusta) ajusta(*vigilado);
    pc::SesionCorreo sesion(std::move(vigilado), std::make_unique<SalidaVigilada>(CreaSalida(), pasos), kBuzon);
    EXPECT_TRUE(sesion.IniciarSesion()) << sesion.UltimoError().descripcion;
    RecepcionListas recepcion(concurso_, edicion, ventana, ventana, &sesion);
    EXPECT_TRUE(recepcion.ProcesaSesion()) << sesion.UltimoError().descripcion;
    sesion.CerrarSesion();
    std::vector<std::string> fallos = ventana.fallos;
    fallos.insert(fallos.end(), ventana.avisos.begin(), ventana.avisos.end());
    return fallos;
  }
  std::vector<std::string> Sesion() {
    Pasos pasos;
    return Sesion(pasos);
  }

  // A session in a child process, which `accion` may stop or hinder at step
  // `parada`. Returns the child's wait status.
  int SesionEnHijo(long parada, const std::function<void()>& accion) {
    std::fflush(nullptr);
    const pid_t hijo = fork();
    if (hijo == 0) {
      // The child leaves only through _exit, never back into the tests.
      try {
        Pasos pasos;
        pasos.parada = parada;
        pasos.accion = accion;
        Sesion(pasos);
      } catch (...) {
        _exit(4);
      }
      _exit(testing::Test::HasFailure() ? 3 : 0);
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    return estado;
  }

  // The undisturbed intake: two sessions (the second finds nothing new).
  // Keeps its folder, its answers and the steps of its first session.
  void Referencia() {
    Prepara();
    Pasos pasos;
    versiones_.clear();
    pasos.observa = [&] {
      for (const auto& [nombre, bytes] : Arbol(carpeta_)) versiones_[nombre].insert(bytes);
    };
    EXPECT_TRUE(Sesion(pasos).empty());
    EXPECT_TRUE(Sesion().empty());
    pasos_ = pasos.vistos;
    referencia_ = Arbol(carpeta_);
    for (const auto& [nombre, bytes] : referencia_) versiones_[nombre].insert(bytes);
    respuestas_ = Respuestas(Salida());
    ASSERT_EQ(respuestas_.size(), remitentes_.size());
    ASSERT_FALSE(referencia_.count(kNombreDiarioRespuestas));
  }

  // What a stopped session left: each file whole, as the undisturbed intake
  // had it at one of its steps, no temporary file; every answer given at
  // most once.
  void NadaAMedias(const std::string& caso) {
    for (const auto& [nombre, bytes] : Arbol(carpeta_)) {
      if (nombre == kNombreDiarioRespuestas) continue;
      ASSERT_TRUE(versiones_.count(nombre)) << caso << ": sobra " << nombre;
      EXPECT_TRUE(versiones_[nombre].count(bytes)) << caso << ": " << nombre << " a medias:\n" << bytes;
    }
    const std::multiset<Entregado> dadas = Respuestas(Salida());
    for (const Entregado& e : dadas) EXPECT_LE(dadas.count(e), respuestas_.count(e)) << caso << ": " << e.para;
  }

  // After the sessions that follow: the folder of the undisturbed intake,
  // each answer once (`repetida`: the sender of an answer that went out
  // twice), only the
  // mail to another mailbox left.
  void ComoSinInterrupcion(const std::string& caso, const std::string& repetida = "") {
    const auto obtenido = Arbol(carpeta_);
    for (const auto& [nombre, bytes] : referencia_) {
      auto i = obtenido.find(nombre);
      ASSERT_NE(i, obtenido.end()) << caso << ": falta " << nombre;
      EXPECT_TRUE(i->second == bytes) << caso << ": " << nombre << "\n" << i->second;
    }
    for (const auto& [nombre, bytes] : obtenido) EXPECT_TRUE(referencia_.count(nombre)) << caso << ": sobra " << nombre;
    std::multiset<Entregado> dadas = Respuestas(Salida());
    if (!repetida.empty()) {
      auto i = std::find_if(dadas.begin(), dadas.end(), [&](const Entregado& e) { return e.para == repetida; });
      ASSERT_NE(i, dadas.end()) << caso;
      ASSERT_EQ(dadas.count(*i), respuestas_.count(*i) + 1) << caso;
      dadas.erase(i);
    }
    EXPECT_TRUE(dadas == respuestas_) << caso << ": " << dadas.size() << " respuestas";
    EXPECT_EQ(Ficheros(buzon_ + "/new").size() + Ficheros(buzon_ + "/cur").size(), correos_.size() - remitentes_.size())
        << caso;
  }

  // The steps before which a stop may find something new: the refresh of a
  // folder listing that follows another reads folders only.
  std::vector<std::size_t> PuntosDeParada() const {
    std::vector<std::size_t> v;
    auto listado = [&](std::size_t k) { return pasos_[k].rfind("Listado ", 0) == 0; };
    for (std::size_t k = 0; k < pasos_.size(); ++k)
      if (!(k > 0 && listado(k) && listado(k - 1))) v.push_back(k);
    return v;
  }

  // The sender of the answer being sent at step k of the reference session.
  std::string RemitenteEnCurso(std::size_t k) const {
    // Answers go out in inbox order of the mails to the contest.
    std::size_t enviados = 0;
    for (std::size_t i = 0; i < k; ++i)
      if (pasos_[i] == "Enviar") ++enviados;
    return enviados == 0 ? std::string() : remitentes_[enviados - 1];
  }

  // The program killed before each step of a session, one run per step.
  void MuertoEnCadaPaso() {
    for (std::size_t k : PuntosDeParada()) {
      const std::string caso = "muerto antes del paso " + std::to_string(k) + " (" + pasos_[k] + ")";
      Prepara();
      const int estado = SesionEnHijo(static_cast<long>(k), [] { raise(SIGKILL); });
      ASSERT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == SIGKILL) << caso << ": " << estado;
      NadaAMedias(caso);
      EXPECT_TRUE(Sesion().empty()) << caso;
      EXPECT_TRUE(Sesion().empty()) << caso;
      // The one window left open: the server took the answer and the program
      // died before noting it, so the next session answers again.
      ComoSinInterrupcion(caso, pasos_[k] == "Enviado" ? RemitenteEnCurso(k) : "");
    }
  }

  // The disk full from each step on, one run per step.
  void LlenoEnCadaPaso() {
    for (std::size_t k : PuntosDeParada()) {
      const rlim_t limite = k % 2 ? 0 : 2048;
      const std::string caso = "disco lleno (" + std::to_string(limite) + " bytes) desde el paso " + std::to_string(k) +
                               " (" + pasos_[k] + ")";
      Prepara();
      const int estado = SesionEnHijo(static_cast<long>(k), [limite] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limite, limite};
        setrlimit(RLIMIT_FSIZE, &r);
      });
      ASSERT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0) << caso << ": " << estado;
      NadaAMedias(caso);
      for (const auto& [nombre, bytes] : Arbol(tmp_.Ruta()))
        EXPECT_EQ(nombre.find(".~tmp"), std::string::npos) << caso << ": " << nombre;
      EXPECT_TRUE(Sesion().empty()) << caso;
      EXPECT_TRUE(Sesion().empty()) << caso;
      ComoSinInterrupcion(caso);
    }
  }

  CarpetaTemporal tmp_;
  std::string trabajo_, carpeta_, buzon_, salida_;
  std::vector<CorreoFixture> correos_;
  std::vector<std::string> remitentes_;  // of the mails to the contest, in inbox order
  ConcursoRecepcion concurso_;
  std::unique_ptr<ServidorSmtp> smtp_;
  std::vector<std::string> pasos_;
  std::map<std::string, std::string> referencia_;
  std::map<std::string, std::set<std::string>> versiones_;  // of each file, at every step
  std::multiset<Entregado> respuestas_;
};

TEST_F(InterrupcionTest, KilledAtAnyStepNoMailIsLostAndNoneIsAnsweredTwice) {
  Referencia();
  ASSERT_GT(pasos_.size(), 40u);
  MuertoEnCadaPaso();
}

// The award: a station's merged log, grown by each sending, is never cut off
// nor merged twice.
TEST_F(InterrupcionTest, KilledAtAnyStepTheAwardLogIsMergedOnce) {
  Usa(std::string(kConcursoDiploma), BuzonDiploma());
  Referencia();
  ASSERT_TRUE(referencia_.count("ListasAdmitidas/QQ2DIP.LOG"));
  MuertoEnCadaPaso();
}

// The disk fills up before a step: from there on no file can grow (or, every
// other run, grow past 2 KB, so that files are cut in the middle). The
// session goes on, refusing what it cannot write; with room again, the next
// sessions finish the work.
TEST_F(InterrupcionTest, TheDiskFillsAtAnyStepNothingIsCutOffAndTheNextSessionFinishes) {
  smtp_ = std::make_unique<ServidorSmtp>(tmp_.Ruta());
  ASSERT_TRUE(smtp_->Arranca());
  Referencia();
  LlenoEnCadaPaso();
}

TEST_F(InterrupcionTest, TheDiskFillsAtAnyStepTheAwardLogIsNeverCutOff) {
  smtp_ = std::make_unique<ServidorSmtp>(tmp_.Ruta());
  ASSERT_TRUE(smtp_->Arranca());
  Usa(std::string(kConcursoDiploma), BuzonDiploma());
  Referencia();
  LlenoEnCadaPaso();
}

// Faults of the store and of the contest folder in one session; the next
// sessions run without them.
TEST_F(InterrupcionTest, StoreAndFolderFaultsLeaveTheMailForTheNextSession) {
  Referencia();
  struct Caso {
    const char* nombre;
    std::function<void(AlmacenVigilado&)> almacen;
    std::function<void()> antes, despues;  // on the contest folder
    std::size_t fallos;                    // told to the operator
  };
  const std::string recibido = carpeta_ + "/FicherosRecibidos/QQ7SWL.LOG";
  const std::vector<Caso> casos = {
      {"a mail that cannot be read", [](AlmacenVigilado& a) { a.leerFalla = 3; }, {}, {}, 1},
      {"the first mail unreadable", [](AlmacenVigilado& a) { a.leerFalla = 0; }, {}, {}, 1},
      {"a store that cannot delete", [](AlmacenVigilado& a) { a.sinBorrado = true; }, {}, {}, 5},
      {"an attachment that cannot be written",
       {},
       [&] { fs::create_directories(recibido); },
       [&] { fs::remove_all(recibido); },
       1},
      {"a report that cannot be filed",
       {},
       [&] { fs::create_directories(carpeta_ + "/FicherosErrores/QQ8BAD.ERR"); },
       [&] { fs::remove_all(carpeta_ + "/FicherosErrores/QQ8BAD.ERR"); },
       1},
      {"an address that cannot be kept",
       {},
       [&] { fs::create_directories(carpeta_ + "/ListasEmail/QQ1ABC.Email"); },
       [&] { fs::remove_all(carpeta_ + "/ListasEmail/QQ1ABC.Email"); },
       1},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Prepara();
    if (c.antes) c.antes();
    Pasos pasos;
    EXPECT_EQ(Sesion(pasos, c.almacen).size(), c.fallos);
    if (c.despues) c.despues();
    NadaAMedias(c.nombre);
    EXPECT_TRUE(Sesion().empty());
    EXPECT_TRUE(Sesion().empty());
    ComoSinInterrupcion(c.nombre);
  }
}

// The SMTP server refuses the answer or vanishes in the middle of it: the
// operator is told, the log is filed, and the mail is not answered again
// (the failed answer is not retried).
TEST_F(InterrupcionTest, AnSmtpServerThatRefusesOrVanishesMidAnswer) {
  correos_.resize(1);  // the log of QQ6STU alone
  const std::vector<std::map<std::string, std::string>> guiones = {
      {{"GREETING", "CORTA"}},   {{"MAIL", "451 vuelva luego"}},  {{"RCPT", "550 no existe"}},
      {{"DATA", "CORTA-DATOS"}}, {{".", "552 demasiado grande"}}, {{".", "CORTA"}},
  };
  for (const auto& guion : guiones) {
    const std::string caso = guion.begin()->first + " -> " + guion.begin()->second;
    Prepara();
    SmtpGuion smtp(guion);
    VentanaPrueba ventana;
    EdicionConcurso edicion(carpeta_, concurso_.Nombre());
    pc::SesionCorreo sesion(pc::CreaAlmacenMaildir(buzon_),
                            pc::CreaSalidaSmtp("smtp://127.0.0.1:" + std::to_string(smtp.Puerto()),
                                               {std::chrono::milliseconds(1000), std::chrono::milliseconds(1500)}),
                            kBuzon);
    ASSERT_TRUE(sesion.IniciarSesion());
    RecepcionListas recepcion(concurso_, edicion, ventana, ventana, &sesion);
    ASSERT_TRUE(recepcion.ProcesaSesion());
    sesion.CerrarSesion();
    ASSERT_EQ(ventana.avisos.size(), 1u) << caso;
    EXPECT_EQ(ventana.avisos[0].rfind("Ha ocurrido un error durante el envío: ", 0), 0u) << caso;
    EXPECT_TRUE(ventana.fallos.empty()) << caso << ": " << ventana.fallos.front();
    EXPECT_TRUE(fs::exists(carpeta_ + "/ListasValidas/QQ6STU.LOG")) << caso;
    EXPECT_TRUE(fs::exists(carpeta_ + "/FicherosConfirmacion/QQ6STU.OK")) << caso;
    EXPECT_EQ(LeeFichero(carpeta_ + "/ListasEmail/QQ6STU.Email"), "qq6stu@example.org") << caso;
    EXPECT_TRUE(Ficheros(buzon_ + "/new").empty() && Ficheros(buzon_ + "/cur").empty()) << caso;
    // The next session has nothing to answer.
    EXPECT_TRUE(Sesion().empty()) << caso;
    EXPECT_TRUE(Ficheros(salida_ + "/new").empty()) << caso;
    EXPECT_FALSE(fs::exists(carpeta_ + "/" + kNombreDiarioRespuestas)) << caso;
  }
}

// The IMAP server vanishes in the middle of a mail, or stops taking
// deletions once the answers have gone out.
TEST_F(InterrupcionTest, AnImapServerThatVanishesMidFetchOrBeforeTheDeletion) {
  Referencia();
  PreparaNetrc(tmp_.Ruta(), "concurso", "clave");
  const pc::OpcionesCorreo rapido{std::chrono::milliseconds(1000), std::chrono::milliseconds(1500)};
  auto almacen = [&](int puerto) {
    return pc::CreaAlmacenImap("imap://concurso@127.0.0.1:" + std::to_string(puerto) + "/INBOX", rapido);
  };
  struct Caso {
    const char* nombre;
    long corte;  // bytes of a mail that pass before the line is cut; -1: no cut
    bool sinBorrado;
    std::size_t fallos;
  };
  const std::vector<Caso> casos = {
      {"cut as a mail is asked for", 0, false, 0},
      {"cut in the middle of a mail", 300, false, 0},
      {"deletions refused after the answers", -1, true, 5},
  };
  int n = 0;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Prepara();
    // A server of its own: the store is refilled with the same files.
    ServidorImap imap(tmp_.Ruta() + "/imap" + std::to_string(++n), "concurso", "clave", true);
    LlenaMaildir(imap.Buzon(), correos_);
    ASSERT_TRUE(imap.Arranca()) << imap.Registro();
    {
      Pasos pasos;
      std::vector<std::string> fallos;
      if (c.corte >= 0) {
        CorteImap corte(imap.Puerto(), static_cast<std::size_t>(c.corte));
        fallos = Sesion(pasos, {}, almacen(corte.Puerto()));
        EXPECT_TRUE(corte.Cortado());
        EXPECT_FALSE(fallos.empty());
      } else {
        fallos = Sesion(
            pasos, [](AlmacenVigilado& a) { a.sinBorrado = true; }, almacen(imap.Puerto()));
        EXPECT_EQ(fallos.size(), c.fallos);
        EXPECT_EQ(Respuestas(Salida()).size(), 5u);
      }
    }
    NadaAMedias(c.nombre);
    Pasos p1, p2;
    EXPECT_TRUE(Sesion(p1, {}, almacen(imap.Puerto())).empty());
    EXPECT_TRUE(Sesion(p2, {}, almacen(imap.Puerto())).empty());
    buzon_ = imap.Buzon();  // the store the checks look at is the server's
    ComoSinInterrupcion(c.nombre);
    buzon_ = tmp_.Ruta() + "/buzon";
  }
}

// Another process holds the contest database locked while the intake
// starts: the intake waits for it, reads its mailbox and takes every mail in.
TEST_F(InterrupcionTest, TheContestDatabaseLockedByAnotherProcess) {
  Referencia();
  const std::string ruta = tmp_.Ruta() + "/Concursos.db";
  database::CreaBaseConcursosVacia(ruta);
  {
    dao::Database base = dao::OpenDatabase(ruta);
    base.Execute("Insert Into ResumenCabrillo (NumeroOrden, EMailConcurso, AsuntoConcurso) Values (?, ?, ?)",
                 {dao::Variant(std::int32_t{1}), dao::Variant(std::string("Concurso@Example.org")),
                  dao::Variant(std::string("LISTA $"))});
    base.Close();
  }
  int tubo[2];
  ASSERT_EQ(pipe(tubo), 0);
  std::fflush(nullptr);
  const pid_t hijo = fork();
  ASSERT_GE(hijo, 0);
  if (hijo == 0) {
    try {
      dao::Database base = dao::OpenDatabase(ruta);
      base.Execute("BEGIN EXCLUSIVE");
      const char listo = 1;
      if (write(tubo[1], &listo, 1) != 1) _exit(2);
      usleep(800 * 1000);
      base.Execute("COMMIT");
    } catch (...) {
      _exit(3);
    }
    _exit(0);
  }
  char listo = 0;
  ASSERT_EQ(read(tubo[0], &listo, 1), 1);
  close(tubo[0]);
  close(tubo[1]);
  Prepara();
  ConfiguracionCorreo leida;
  const auto antes = std::chrono::steady_clock::now();
  {
    dao::Database base = dao::OpenDatabase(ruta);
    ASSERT_TRUE(CargaConfiguracionCorreo(base, 1, leida));
    base.Close();
  }
  // The lock was there: the read had to wait for it.
  EXPECT_GE(std::chrono::steady_clock::now() - antes, std::chrono::milliseconds(200));
  int estado = 0;
  waitpid(hijo, &estado, 0);
  EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0) << estado;
  EXPECT_EQ(leida.EMailConcurso, "Concurso@Example.org");
  EXPECT_EQ(leida.AsuntoConcurso, "LISTA $");
  concurso_.correo = leida;
  EXPECT_TRUE(Sesion().empty());
  EXPECT_TRUE(Sesion().empty());
  ComoSinInterrupcion("base bloqueada");
}

}  // namespace
}  // namespace mail

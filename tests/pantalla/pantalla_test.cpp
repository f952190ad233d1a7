// The windows as a real X server shows them: message boxes that paint their
// body and text, windows that fit a 1366x768 screen with every button in
// reach, and a maximise followed by a restore that gives the window back its
// size. The screen is grabbed from the server and its pixels checked.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QtTest/QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "award/ges_diploma_cantabria.h"
#include "database/carpetas.h"
#include "database/conexiones.h"
#include "listeditors/list_prov.h"
#include "mail/ges_automatica.h"
#include "cabrillo/contexto_concurso.h"
#include "mainwindow/fixture_principal.h"
#include "mainwindow/servicios_programa.h"
#include "mainwindow/trovalis.h"
#include "pantalla/servidor_x.h"
#include "plataforma/mensajes.h"
#include "plataforma/texto.h"
#include "rules/formato_cabrillo.h"
#include "soporte/base64.h"

using prueba::Formulario;

namespace {

using pantalla::CapturaPantalla;
using pantalla::EsperaA;
using pantalla::GuardaCaptura;

// What a grab shows of a message box: the share of pure black pixels in its
// body, the share of the window colour, and whether its text left any mark.
struct VistaCaja {
  double negro = 0;
  double fondo = 0;
  bool texto = false;
};

VistaCaja MiraCaja(const QImage& imagen, QMessageBox& caja) {
  VistaCaja v;
  const QRect cuerpo = caja.geometry().adjusted(2, 2, -2, -2);
  const QRgb colorFondo = caja.palette().color(QPalette::Window).rgb();
  long total = 0, negros = 0, deFondo = 0;
  for (int y = cuerpo.top(); y <= cuerpo.bottom(); ++y)
    for (int x = cuerpo.left(); x <= cuerpo.right(); ++x) {
      const QRgb c = imagen.pixel(x, y) & 0xffffff;
      ++total;
      if (c == 0) ++negros;
      if (c == (colorFondo & 0xffffff)) ++deFondo;
    }
  v.negro = total ? double(negros) / double(total) : 1.0;
  v.fondo = total ? double(deFondo) / double(total) : 0.0;
  if (auto* etiqueta = caja.findChild<QLabel*>("qt_msgbox_label")) {
    const QRect r(etiqueta->mapToGlobal(QPoint(0, 0)), etiqueta->size());
    int distintos = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if ((imagen.pixel(x, y) & 0xffffff) != (colorFondo & 0xffffff)) ++distintos;
    v.texto = distintos > 20;
  }
  return v;
}

// Every message box that opens while it lives is grabbed once it has been
// shown, checked and then answered with its default button.
class VigiaCajas {
 public:
  VigiaCajas() {
    QObject::connect(&reloj_, &QTimer::timeout, [this] { Mira(); });
    reloj_.start(50);
  }
  struct Vista {
    std::string texto;
    bool conPadre;
    VistaCaja vista;
  };
  const std::vector<Vista>& Vistas() const { return vistas_; }

 private:
  void Mira() {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!caja || caja == ultima_) return;
    ultima_ = caja;
    reloj_.stop();
    (void)QTest::qWaitForWindowExposed(caja, 3000);
    QTest::qWait(300);
    const QImage imagen = CapturaPantalla();
    GuardaCaptura(imagen, "caja-" + std::to_string(vistas_.size()));
    vistas_.push_back({caja->text().toStdString(), caja->parentWidget() != nullptr, MiraCaja(imagen, *caja)});
    if (QAbstractButton* b = caja->defaultButton() ? caja->defaultButton() : caja->buttons().value(0)) b->click();
    reloj_.start(50);
  }
  QTimer reloj_;
  QMessageBox* ultima_ = nullptr;
  std::vector<Vista> vistas_;
};

void EsperaCajaPintada(const VigiaCajas::Vista& v) {
  SCOPED_TRACE(v.texto);
  EXPECT_LT(v.vista.negro, 0.02) << "cuerpo negro";
  EXPECT_GT(v.vista.fondo, 0.5) << "cuerpo sin el color de ventana";
  EXPECT_TRUE(v.vista.texto) << "texto no dibujado";
}

// Every push button of the window can be brought into sight (scrolling its
// scroll area when it is in one) and is then whole on the screen.
void EsperaBotonesAlAlcance(QWidget& ventana) {
  const QRect pantalla = ventana.screen()->geometry();
  for (QPushButton* b : ventana.findChildren<QPushButton*>()) {
    if (!b->isVisibleTo(&ventana)) continue;
    SCOPED_TRACE(b->objectName().toStdString());
    for (QWidget* p = b->parentWidget(); p; p = p->parentWidget())
      if (auto* area = qobject_cast<QScrollArea*>(p)) area->ensureWidgetVisible(b, 0, 0);
    QApplication::processEvents();
    const QRect global(b->mapToGlobal(QPoint(0, 0)), b->size());
    EXPECT_TRUE(pantalla.contains(global)) << "fuera de la pantalla";
    EXPECT_EQ(b->visibleRegion(), QRegion(b->rect())) << "tapado o recortado";
  }
}

void EsperaDentroDeLaPantalla(QWidget& ventana) {
  const QRect disponible = ventana.screen()->availableGeometry();
  EXPECT_TRUE(disponible.contains(ventana.frameGeometry()))
      << ventana.frameGeometry().x() << "," << ventana.frameGeometry().y() << " " << ventana.frameGeometry().width()
      << "x" << ventana.frameGeometry().height();
}

class EnPantalla : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (!pantalla::Servidor()) GTEST_SKIP() << pantalla::MotivoSinServidor();
    if (GetParam()) {
      gestor_ = std::make_unique<pantalla::GestorVentanas>();
      ASSERT_TRUE(gestor_->Disponible()) << gestor_->Motivo();
      // Windows mapped before the manager has taken the screen would miss it.
      ASSERT_TRUE(EsperaA([] { return pantalla::HayGestorDeVentanas(); }, 15000))
          << "el gestor de ventanas no ha arrancado";
    }
    anterior_ = plataforma::InstalaMensajero(&mensajero_);
  }
  void TearDown() override {
    ventana.reset();
    plataforma::InstalaMensajero(anterior_);
    gestor_.reset();
  }
  // The main window on a working folder without contests, shown.
  void Arranca() {
    carpeta.CreaBases(-1);
    ventana = std::make_unique<Trovalis>(principal::CreaServiciosPrograma());
    ASSERT_TRUE(ventana->Form_Load());
    ventana->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana.get(), 5000));
    // With a window manager, the frame it adds.
    // Without a window manager nobody else gives the window the focus.
    ventana->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(ventana.get(), 5000));
    QTest::qWait(300);
  }
  std::string Sufijo() const { return GetParam() ? "-con-gestor" : "-sin-gestor"; }

  prueba::CarpetaPrueba carpeta;
  std::unique_ptr<Trovalis> ventana;
  VigiaCajas vigia;

 private:
  std::unique_ptr<pantalla::GestorVentanas> gestor_;
  plataforma::MensajeroQt mensajero_;
  plataforma::Mensajero* anterior_ = nullptr;
};

TEST_P(EnPantalla, LasCajasDeMensajesPintanSuCuerpoYSuTexto) {
  ASSERT_NO_FATAL_FAILURE(Arranca());
  ASSERT_EQ(vigia.Vistas().size(), 1u);
  EXPECT_EQ(vigia.Vistas()[0].texto, "No hay Concursos CONFIGURADOS");

  // Create with every field empty, accepted with the mouse and with F12:
  // both boxes have the main window as parent.
  Formulario(*ventana).AltaReg->click();
  QTest::qWait(200);
  Formulario(*ventana).Aceptar->click();
  QTest::qWait(200);
  QWidget* foco = QApplication::focusWidget() ? QApplication::focusWidget() : ventana.get();
  QTest::keyClick(foco, Qt::Key_F12);
  QTest::qWait(200);
  ASSERT_EQ(vigia.Vistas().size(), 3u);
  for (const auto& v : vigia.Vistas()) EsperaCajaPintada(v);
  EXPECT_TRUE(vigia.Vistas()[1].conPadre);
  EXPECT_EQ(vigia.Vistas()[2].texto, "Este dato no se puede dejar en blanco");
}

TEST_P(EnPantalla, LaVentanaPrincipalCabeConSusBotonesAlAlcance) {
  ASSERT_NO_FATAL_FAILURE(Arranca());
  GuardaCaptura(CapturaPantalla(), "principal" + Sufijo());
  EsperaDentroDeLaPantalla(*ventana);
  EsperaBotonesAlAlcance(*ventana);
  // The command buttons are outside the scrolling part: always in sight.
  for (QPushButton* b : {Formulario(*ventana).AltaReg, Formulario(*ventana).Aceptar, Formulario(*ventana).Cancelar,
                         Formulario(*ventana).FinClientes}) {
    bool enArea = false;
    for (QWidget* p = b->parentWidget(); p; p = p->parentWidget()) enArea |= qobject_cast<QScrollArea*>(p) != nullptr;
    EXPECT_FALSE(enArea) << b->objectName().toStdString();
  }
}

TEST_P(EnPantalla, LaVentanaDeFormatoCabeYSusMensajesPintan) {
  ASSERT_NO_FATAL_FAILURE(Arranca());
  Formulario(*ventana).AltaReg->click();
  Formulario(*ventana).Text3[1]->setText("PRUEBA");
  Formulario(*ventana).Text3[2]->setText("2025");
  Formulario(*ventana).Text3[1]->setFocus();
  Formulario(*ventana).Text3[2]->setFocus();  // the name is known once its box is left
  QApplication::processEvents();
  bool abierta = false;
  QTimer::singleShot(0, [&] {
    auto* w = qobject_cast<rules::FormatoCabrillo*>(QApplication::activeModalWidget());
    if (!w) return;
    abierta = true;
    (void)QTest::qWaitForWindowExposed(w, 5000);
    if (GetParam()) EsperaA([w] { return w->frameGeometry() != w->geometry(); });
    QTest::qWait(300);
    GuardaCaptura(CapturaPantalla(), "formato" + Sufijo());
    EsperaDentroDeLaPantalla(*w);
    EsperaBotonesAlAlcance(*w);
    // Accepting with no mailbox: its message, drawn.
    const std::size_t antes = vigia.Vistas().size();
    w->findChild<QPushButton*>("AceptarCabrillo")->click();
    QTest::qWait(200);
    EXPECT_EQ(vigia.Vistas().size(), antes + 1);
    w->findChild<QPushButton*>("CancelarCabrillo")->click();
  });
  Formulario(*ventana).ConfigurarCabrillo->click();
  ASSERT_TRUE(abierta);
  ASSERT_GE(vigia.Vistas().size(), 2u);
  EXPECT_EQ(vigia.Vistas().back().texto,
            "Deberá introducir la dirección E-MAIL en donde se van a recibir los ficheros");
  for (const auto& v : vigia.Vistas()) EsperaCajaPintada(v);
}

TEST_P(EnPantalla, LaVentanaDeListasCabeConSusBotonesAlAlcance) {
  ASSERT_NO_FATAL_FAILURE(Arranca());
  Formulario(*ventana).AltaReg->click();
  Formulario(*ventana).Text3[1]->setText("PRUEBA");
  Formulario(*ventana).Text3[2]->setText("2025");
  Formulario(*ventana).Text3[1]->setFocus();
  Formulario(*ventana).Text3[2]->setFocus();  // the name is known once its box is left
  Formulario(*ventana).Multiplicadores->setChecked(true);
  Formulario(*ventana).CadaProv->setChecked(true);
  Formulario(*ventana).CadaDistrito->setChecked(true);
  QApplication::processEvents();
  bool abierta = false;
  QTimer::singleShot(0, [&] {
    auto* w = qobject_cast<listeditors::ListProv*>(QApplication::activeModalWidget());
    if (!w) return;
    abierta = true;
    (void)QTest::qWaitForWindowExposed(w, 5000);
    if (GetParam()) EsperaA([w] { return w->frameGeometry() != w->geometry(); });
    QTest::qWait(300);
    GuardaCaptura(CapturaPantalla(), "listas" + Sufijo());
    EsperaDentroDeLaPantalla(*w);
    // The list and exit buttons are outside the scrolling part.
    for (const char* nombre : {"Modificar", "Anadir", "Borra", "Anular", "Finalizar", "Aceptar", "Cancelar"}) {
      auto* b = w->findChild<QPushButton*>(nombre);
      ASSERT_NE(b, nullptr) << nombre;
      bool enArea = false;
      for (QWidget* p = b->parentWidget(); p; p = p->parentWidget()) enArea |= qobject_cast<QScrollArea*>(p) != nullptr;
      EXPECT_FALSE(enArea) << nombre;
    }
    EsperaBotonesAlAlcance(*w);
    w->findChild<QPushButton*>("Cancelar")->click();
  });
  Formulario(*ventana).ConfSiglasValidas->click();
  ASSERT_TRUE(abierta);
}

TEST_P(EnPantalla, LaVentanaDelDiplomaCabeConSusBotonesAlAlcance) {
  // The award edition with the merged logs of the award's tests.
  const std::filesystem::path edicion = std::filesystem::path(carpeta.Ruta()) / "DIPLOMA_2026";
  std::filesystem::create_directories(edicion);
  std::filesystem::copy(std::string(TROVALIS_DATOS_PRUEBA) + "/award/ListasAdmitidas", edicion / "ListasAdmitidas");
  int mostrada = 0;
  QWidget correo;
  QPointer<award::GesDiplomaCantabria> w = award::AbreGesDiplomaCantabria(
      edicion.string(), carpeta.Ruta(), [&] { ++mostrada; }, &correo);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w, 5000));
  if (GetParam()) EsperaA([&] { return w->frameGeometry() != w->geometry(); });
  QTest::qWait(300);
  GuardaCaptura(CapturaPantalla(), "diploma" + Sufijo());
  EsperaDentroDeLaPantalla(*w);
  EsperaBotonesAlAlcance(*w);
  // The statistics lists show the first station whole: its ten districts
  // without scrolling, and the names of its municipalities uncut.
  auto* comarcas = w->findChild<QListWidget*>("ListaComarcas");
  ASSERT_EQ(comarcas->count(), 10);
  EXPECT_TRUE(comarcas->viewport()->rect().contains(comarcas->visualItemRect(comarcas->item(9))));
  for (const char* nombre : {"ListaDME", "ListaComarcas", "ListaMunicipios"}) {
    auto* lista = w->findChild<QListWidget*>(nombre);
    EXPECT_FALSE(lista->horizontalScrollBar()->isVisible()) << nombre;
  }
  w->findChild<QPushButton*>("Salir")->click();
  EXPECT_EQ(mostrada, 1);
}

using soporte::Base64;

// The mail window on a contest with an inbox of logs: it fits the screen
// with its buttons in reach, and shows the session while it runs and what
// it filed afterwards.
TEST_P(EnPantalla, LaVentanaDeCorreoCabeYMuestraLaSesion) {
  carpeta.CreaBases(1);
  carpeta.AgregaConcurso(1, "CONCURSO PRUEBA", "2026",
                         {{"DesdeDia", "2026-03-01"},
                          {"DesdeHora", "00:00"},
                          {"HastaDia", "2026-03-01"},
                          {"HastaHora", "23:59"},
                          {"Banda14", "1"},
                          {"ModoCW", "1"},
                          {"ModoSSB", "1"}});
  carpeta.Ejecuta(
      "INSERT INTO ResumenCabrillo (NumeroOrden, EMailConcurso, AsuntoConcurso, SingleOp, CheckLog, [ALL], M20, CW, "
      "SSB, Low, AsistidoNoAplicable, TxNoAplicable, TipoEstacionNoAplicable, TimeNoAplicable, OverlayNoAplicable, "
      "RstEnviado, NumeralEnviado, RstRecibido, NumeralRecibido) VALUES (1, 'concurso@example.org', 'LISTA $', 1, 1, "
      "1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1)");
  // The inbox: a Maildir of the working folder; the answers go to the outbox.
  std::ofstream(carpeta.Ruta() + "/PerfilCorreo.txt") << "Entrada=Correo\r\n";
  for (const char* d : {"tmp", "new", "cur"}) QDir().mkpath(QString::fromStdString(carpeta.Ruta() + "/Correo/" + d));
  const std::string logs = std::string(TROVALIS_DATOS_PRUEBA) + "/mail/logs/";
  int n = 0;
  for (const char* log : {"QQ6STU.LOG", "QQ1ABC.LOG", "QQ5PQR.LOG", "QQ8BAD.LOG", "QQ7SWL.LOG", "QQ3JKL.LOG"}) {
    const std::string indicativo = std::string(log).substr(0, 6);
    std::string bytes;
    plataforma::LeerBytes(logs + log, bytes);
    ++n;
    std::ofstream(
        carpeta.Ruta() + "/Correo/new/" + std::to_string(1773489600 + 60 * n) + ".M" + std::to_string(n) + ".fixture",
        std::ios::binary)
        << "From: " << indicativo << "@example.org\r\nTo: concurso@example.org\r\nSubject: LISTA " << indicativo
        << "\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"xx\"\r\n\r\n--xx\r\n"
           "Content-Type: text/plain\r\n\r\nAdjunto mi lista.\r\n--xx\r\nContent-Type: application/octet-stream\r\n"
           "Content-Disposition: attachment; filename=\""
        << log << "\"\r\nContent-Transfer-Encoding: base64\r\n\r\n"
        << Base64(bytes) << "--xx--\r\n";
  }

  ventana = std::make_unique<Trovalis>(principal::CreaServiciosPrograma());
  ASSERT_TRUE(ventana->Form_Load());
  ventana->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana.get(), 5000));
  ventana->Form_Activate();
  Formulario(*ventana).GestionAutomatica->setChecked(true);
  CreaArbolCarpetasConcurso(ventana->Contexto(), "CONCURSO PRUEBA", "2026");
  Formulario(*ventana).GestionListas->click();
  mail::GesAutomatica* correo = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* g = qobject_cast<mail::GesAutomatica*>(w); g && g->isVisible()) correo = g;
  ASSERT_NE(correo, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(correo, 5000));
  if (GetParam()) EsperaA([correo] { return correo->frameGeometry() != correo->geometry(); });
  QTest::qWait(300);
  EsperaDentroDeLaPantalla(*correo);
  EsperaBotonesAlAlcance(*correo);

  // Grabbed once the session has listed a few mails and drawn them.
  auto* entrantes = correo->findChild<QListWidget*>("ListaCorreoEntrante");
  int vistas = 0;
  bool durante = false;
  QTimer pulso;
  QObject::connect(&pulso, &QTimer::timeout, [&] {
    if (durante || !correo->Ocupada() || entrantes->count() < 3 || ++vistas < 3) return;
    durante = true;
    GuardaCaptura(CapturaPantalla(), "correo-durante" + Sufijo());
  });
  pulso.start(0);
  correo->findChild<QPushButton*>("Conectar")->click();
  pulso.stop();
  EXPECT_TRUE(durante);
  QTest::qWait(300);
  GuardaCaptura(CapturaPantalla(), "correo-despues" + Sufijo());
  EXPECT_EQ(correo->findChild<QLabel*>("LEntrada")->text().toStdString(), "6 Correos");
  EXPECT_EQ(correo->findChild<QListWidget*>("FicherosRecibidos")->count(), 6);
  correo->findChild<QPushButton*>("Cancelar")->click();
  correo->findChild<QPushButton*>("FinClientes")->click();
  EXPECT_TRUE(EsperaA([&] { return ventana->isVisible(); }));
}

INSTANTIATE_TEST_SUITE_P(Gestor, EnPantalla, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ConGestorDeVentanas" : "SinGestorDeVentanas"; });

// Maximising needs a window manager.
class MaximizarEnPantalla : public EnPantalla {};

TEST_P(MaximizarEnPantalla, MaximizarYRestaurarDevuelveLaMismaGeometria) {
  ASSERT_NO_FATAL_FAILURE(Arranca());
  const QRect antes = ventana->geometry();
  // The rescale of the controls notes the maximised size it scaled to, and
  // restoring gives the buttons their letter back.
  auto letra = [this] { return Formulario(*ventana).AltaReg->font().pointSizeF(); };
  const double letraNormal = letra();
  ventana->showMaximized();
  ASSERT_TRUE(EsperaA([&] { return ventana->isMaximized() && ventana->geometry() != antes; }, 15000));
  QTest::qWait(500);
  GuardaCaptura(CapturaPantalla(), "principal-maximizada");
  EXPECT_TRUE(EsperaA([&] { return ventana->property("AnchuraMaximizada").isValid(); }, 5000));
  // The window manager may push the border of a maximised window just off
  // the screen; the window itself is on it.
  EXPECT_TRUE(ventana->screen()->availableGeometry().contains(ventana->geometry()));
  EsperaBotonesAlAlcance(*ventana);
  // No empty band above the command buttons: the frames reach down to them.
  const int pieMarcos =
      std::max(ventana->findChild<QGroupBox*>("MarcoListas")->mapTo(ventana.get(), QPoint(0, 0)).y() +
                   ventana->findChild<QGroupBox*>("MarcoListas")->height(),
               ventana->findChild<QGroupBox*>("MarcoRepetir")->mapTo(ventana.get(), QPoint(0, 0)).y() +
                   ventana->findChild<QGroupBox*>("MarcoRepetir")->height());
  EXPECT_LT(Formulario(*ventana).AltaReg->mapTo(ventana.get(), QPoint(0, 0)).y() - pieMarcos, 40);

  ventana->showNormal();
  ASSERT_TRUE(EsperaA([&] { return !ventana->isMaximized() && letra() == letraNormal; }, 15000));
  // The size is the program's; where the window manager puts it back is its own.
  EXPECT_TRUE(EsperaA([&] { return ventana->size() == antes.size(); }, 5000))
      << ventana->width() << "x" << ventana->height() << " en vez de " << antes.width() << "x" << antes.height();
  EsperaDentroDeLaPantalla(*ventana);
  EsperaBotonesAlAlcance(*ventana);
}

INSTANTIATE_TEST_SUITE_P(Gestor, MaximizarEnPantalla, ::testing::Values(true),
                         [](const auto&) { return "ConGestorDeVentanas"; });

}  // namespace

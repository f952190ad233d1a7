// The contest-rules window opened from the main window (button and F6): it
// takes the main window's place and brings it back when it closes.
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>

#include "cabrillo/categorias_admitidas.h"
#include "database/conexiones.h"
#include "database/estado.h"
#include "fixture_principal.h"
#include "mainwindow/trovalis.h"
#include "plataforma/rutas.h"
#include "rules/bases_concurso.h"
#include "rules/resumen_cabrillo_bd.h"
#include "plataforma/impresion.h"
#include "soporte/mensajes_guion.h"
#include "soporte/texto_pdf.h"

using prueba::Formulario;

using principal::VentanaSecundaria;

namespace {

// The program's services, opening the real rules window.
class ServiciosConBases : public prueba::ServiciosGrabados {
 public:
  bool AbreVentana(VentanaSecundaria v, principal::EnlacesVentanaPrincipal& w) override {
    ventanasAbiertas.push_back(v);
    return principal::ServiciosPrograma::AbreVentana(v, w);
  }
};

class BasesDesdePrincipal : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta.CreaBases(4);
    carpeta.AgregaConcurso(4, "CONCURSO NAVIDAD", "2026");
    rules::ResumenCabrillo perfil = rules::PerfilInicial();
    perfil.EMailConcurso = "navidad@example.org";
    perfil.AsuntoConcurso = "NAVIDAD $";
    perfil.elementos[rules::kRstEnviado] = perfil.elementos[rules::kRstRecibido] = true;
    perfil.columnas = {31, 45, 0, 0, 0, 49, 63, 0, 0, 0};
    rules::GrabaResumenCabrillo(carpeta.Ruta(), 4, perfil);

    auto s = std::make_unique<ServiciosConBases>();
    servicios = s.get();
    ventana = std::make_unique<Trovalis>(std::move(s));
    ASSERT_TRUE(ventana->Form_Load());
    ventana->show();
    ventana->Form_Activate();
    QApplication::processEvents();
  }
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* bases = qobject_cast<rules::BasesConcurso*>(w)) delete bases;
    }
    ventana.reset();
  }

  static rules::BasesConcurso* VentanaBases() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* bases = qobject_cast<rules::BasesConcurso*>(w); bases && bases->isVisible()) return bases;
    }
    return nullptr;
  }

  void PulsaF6() {
    QWidget* destino = QApplication::focusWidget() ? QApplication::focusWidget() : ventana.get();
    QKeyEvent pulsada(QEvent::KeyPress, Qt::Key_F6, Qt::NoModifier);
    QApplication::sendEvent(destino, &pulsada);
    QKeyEvent soltada(QEvent::KeyRelease, Qt::Key_F6, Qt::NoModifier);
    QApplication::sendEvent(destino, &soltada);
  }

  prueba::CarpetaPrueba carpeta;
  ServiciosConBases* servicios = nullptr;
  std::unique_ptr<Trovalis> ventana;
};

}  // namespace

TEST_F(BasesDesdePrincipal, F6AbreLasBasesYAlCerrarVuelveLaPrincipal) {
  ASSERT_TRUE(Formulario(*ventana).Bases->isEnabled());
  PulsaF6();
  rules::BasesConcurso* bases = VentanaBases();
  ASSERT_NE(bases, nullptr);
  EXPECT_FALSE(bases->isModal());
  EXPECT_FALSE(ventana->isVisible());
  const std::vector<std::string> lineas = bases->Lineas();
  EXPECT_NE(std::find(lineas.begin(), lineas.end(), "CONTEST: CONCURSO NAVIDAD 2026"), lineas.end());
  EXPECT_NE(std::find(lineas.begin(), lineas.end(), ".- Asunto: NAVIDAD Indicativo (Esclusivamente  el INDICATIVO "
                                                    "de la estación sin comentarios de ningún tipo)"),
            lineas.end());
  // The admitted categories of the contest in hand head the 2.0 sample.
  const auto& categorias = ventana->Contexto().CategoriasAdmitidasConcurso;
  EXPECT_NE(std::find(lineas.begin(), lineas.end(), "CATEGORY: " + categorias.Entrada(1)), lineas.end());
  EXPECT_TRUE(plataforma::ExisteFichero(
      plataforma::UneRuta(ventana->Contexto().CarpetaConcurso, "BasesConcurso/FicheroBasesConcurso.LST")));

  bases->findChild<QPushButton*>("FinClientes")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_EQ(VentanaBases(), nullptr);

  // The button does the same, again with a freshly generated window.
  Formulario(*ventana).Bases->click();
  bases = VentanaBases();
  ASSERT_NE(bases, nullptr);
  EXPECT_FALSE(ventana->isVisible());
  bases->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_EQ(servicios->ventanasAbiertas,
            (std::vector<VentanaSecundaria>{VentanaSecundaria::BasesConcurso, VentanaSecundaria::BasesConcurso}));
}

TEST_F(BasesDesdePrincipal, SinConcursoLaTeclaNoHaceNada) {
  Formulario(*ventana).Bases->setEnabled(false);
  PulsaF6();
  EXPECT_EQ(VentanaBases(), nullptr);
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_TRUE(servicios->ventanasAbiertas.empty());
}

// On a machine without printers, "Imprimir" writes the same pages as a PDF
// file into the working folder and says where, and how to print on paper.
TEST_F(BasesDesdePrincipal, SinImpresoraImprimirDejaUnPdfEnLaCarpetaDeTrabajo) {
  if (plataforma::HayImpresoras()) GTEST_SKIP() << "esta máquina tiene impresoras instaladas";
  plataforma::UsaImpresoraPredeterminada(ventana->Contexto().Impresora);
  Formulario(*ventana).Bases->click();
  rules::BasesConcurso* bases = VentanaBases();
  ASSERT_NE(bases, nullptr);
  soporte::Mensajes().Espera(plataforma::Respuesta::Aceptar);
  bases->findChild<QPushButton*>("Cruzar")->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  const std::string texto = soporte::Mensajes().Cajas()[0].texto;
  const std::string cabeza = "No hay ninguna impresora instalada: la lista se ha guardado como PDF en\n";
  ASSERT_TRUE(texto.starts_with(cabeza)) << texto;
  const std::string ruta = texto.substr(cabeza.size(), texto.find('\n', cabeza.size()) - cabeza.size());
  EXPECT_EQ(std::filesystem::path(ruta).parent_path(), std::filesystem::path(carpeta.Ruta()));
  EXPECT_TRUE(std::filesystem::path(ruta).filename().string().starts_with("Impresion BASES CONCURSO ")) << ruta;
  EXPECT_NE(texto.find("Selección Impresora"), std::string::npos) << texto;
  EXPECT_EQ(texto.find("REINICIAR"), std::string::npos) << texto;
  const std::string pdf = soporte::UnBlanco(soporte::TextoDePdf(ruta));
  EXPECT_NE(pdf.find("BASES CONCURSO"), std::string::npos) << pdf;
  EXPECT_NE(pdf.find("CONTEST: CONCURSO NAVIDAD 2026"), std::string::npos) << pdf;
  bases->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

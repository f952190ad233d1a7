// The grid editors' column headers and the rankings window as a real X
// server shows them: every header of "Estaciones Especiales" and
// "Multiplicadores Especiales" whole, and the rankings window at the
// screen's free height with every column of its listings in sight. The
// suite runs at 1366x768 and once more at 1920x1080.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QtTest/QTest>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "listeditors/enlace_prueba.h"
#include "listeditors/list_esp.h"
#include "listeditors/lista_mult_esp.h"
#include "pantalla/servidor_x.h"
#include "scoring/clasifica.h"
#include "scoring/clasificacion_prueba.h"

namespace {

// Saves a grab of the screen when TROVALIS_CAPTURAS names a folder.
void Captura(const std::string& nombre) { pantalla::GuardaCaptura(pantalla::CapturaPantalla(), nombre); }

class EnPantallaReal : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!pantalla::Servidor()) GTEST_SKIP() << pantalla::MotivoSinServidor();
  }
};

// Every header label of the grid is whole: its text, wrapped as the label
// wraps it, fits the label's room, and the label is not covered or cut by
// its window or the screen.
void EsperaCabecerasEnteras(QWidget& ventana, const char* prefijo) {
  const QRect pantalla = ventana.screen()->geometry();
  int vistas = 0;
  for (QLabel* titulo : ventana.findChildren<QLabel*>()) {
    if (!titulo->objectName().startsWith(QString::fromLatin1(prefijo))) continue;
    ++vistas;
    SCOPED_TRACE(titulo->objectName().toStdString() + ": " + titulo->text().toStdString());
    const QRect sitio = titulo->contentsRect();
    const QRect texto = titulo->fontMetrics().boundingRect(
        QRect(0, 0, sitio.width(), 10000), Qt::TextWordWrap | static_cast<int>(titulo->alignment()), titulo->text());
    EXPECT_LE(texto.height(), sitio.height()) << "alto: el texto pide " << texto.height() << ", hay " << sitio.height();
    EXPECT_LE(texto.width(), sitio.width()) << "ancho";
    EXPECT_EQ(titulo->visibleRegion(), QRegion(titulo->rect())) << "tapado o recortado";
    EXPECT_TRUE(pantalla.contains(QRect(titulo->mapToGlobal(QPoint(0, 0)), titulo->size()))) << "fuera de la pantalla";
  }
  EXPECT_EQ(vistas, 9);
}

template <class Ventana>
void MiraEditor(const char* captura) {
  prueba::EnlacePrueba enlace;
  enlace.bandas.fill(true);
  enlace.modos.fill(true);
  Ventana ventana(enlace);
  ventana.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana, 5000));
  QTest::qWait(300);
  Captura(captura);
  EsperaCabecerasEnteras(ventana, "Titulo");
  ventana.close();
}

TEST_F(EnPantallaReal, LasCabecerasDeEstacionesEspecialesSeVenEnteras) {
  MiraEditor<listeditors::ListEsp>("estaciones-especiales");
}

TEST_F(EnPantallaReal, LasCabecerasDeMultiplicadoresEspecialesSeVenEnteras) {
  MiraEditor<listeditors::ListaMultEsp>("multiplicadores-especiales");
}

// The rankings of 210 participants: the window takes the screen's free
// height, and each listing shows its longest line whole beside its scroll
// bar, with no horizontal scrolling.
TEST_F(EnPantallaReal, LaVentanaDeClasificacionesOcupaElAltoYMuestraTodasLasColumnas) {
  scoring::prueba::ConcursoClasificacionPrueba f;
  std::filesystem::remove(f.En("ListasPuntuaciones/EA6FFF.PTS"));  // the one that cannot be ranked
  for (int i = 0; i < 203; ++i) {
    const std::string indicativo = "EA" + std::to_string(1 + i % 9) + "Z" + std::string(1, char('A' + i / 26 % 26)) +
                                   std::string(1, char('A' + i % 26));
    f.tmp.EscribeBytes("CONCURSO PRUEBA/ListasPuntuaciones/" + indicativo + ".PTS",
                       "\r\nCONCURSANTE: " + indicativo +
                           "\r\n\r\nCATEGOR\xCD"
                           "A: SINGLE-OP ALL LOW CW ASSISTED\r\n\r\n\r\n"
                           "TOTAL PUNTOS: " +
                           std::to_string(100000 + 37 * i) + "\r\n");
  }
  scoring::DatosClasifica datos;
  datos.Base = &f.base;
  datos.CarpetaConcurso = f.carpeta;
  datos.NombreConcurso = "CONCURSO DISTRITOS EA";
  datos.EdicionConcurso = "2024";
  QPointer<scoring::Clasifica> ventana = scoring::AbreClasifica(datos, nullptr, [] {});
  ASSERT_TRUE(ventana);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana, 5000));
  QTest::qWait(300);
  Captura("clasificaciones");
  const QRect libre = ventana->screen()->availableGeometry();
  EXPECT_TRUE(libre.contains(ventana->frameGeometry()));
  // The screen's free height, less the room kept for a window manager's frame.
  EXPECT_GE(ventana->frameGeometry().height(), libre.height() - 60) << ventana->frameGeometry().height();
  for (const char* nombre : {"ListaPorPuntos", "ListaPorCategoria"}) {
    SCOPED_TRACE(nombre);
    auto* lista = ventana->findChild<QListWidget*>(nombre);
    ASSERT_GT(lista->count(), 200);
    EXPECT_TRUE(lista->verticalScrollBar()->isVisible());
    EXPECT_FALSE(lista->horizontalScrollBar()->isVisible());
    int ancho = 0;
    for (int i = 0; i < lista->count(); ++i)
      ancho = std::max(ancho, lista->fontMetrics().horizontalAdvance(lista->item(i)->text()));
    // The text starts after the item's margin and ends before the bar.
    EXPECT_LE(ancho + 4, lista->viewport()->width()) << lista->viewport()->width();
    // More rows than the window used to show.
    EXPECT_GE(lista->viewport()->height() / lista->sizeHintForRow(0), 15);
  }
  ventana->close();
  pantalla::EsperaA([&] { return ventana.isNull() || !ventana->isVisible(); });
  delete ventana.data();
}

}  // namespace

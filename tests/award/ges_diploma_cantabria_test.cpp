// The award window, offscreen, over the fixture merged logs: the opening
// with its evaluation and the first station's statistics, selecting
// stations and districts, issuing diplomas, the window kept still during the
// evaluation, closing only through `Salir`, and the issued record kept when
// there is nothing to evaluate or an issued list cannot be read.
#include "award/ges_diploma_cantabria.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "diplomas_prueba.h"
#include "soporte/mensajes_guion.h"

namespace award {
namespace {

using prueba::ListaEnDisco;

// The window with what it let the operator touch whenever it yielded.
class VentanaVigilada : public GesDiplomaCantabria {
 public:
  using GesDiplomaCantabria::GesDiplomaCantabria;
  void Cede() override {
    for (const char* nombre : {"Salir", "ExpedirDiploma"})
      if (findChild<QPushButton*>(nombre)->isEnabled()) tocables.push_back(nombre);
    for (const char* nombre : {"ListasAdmitidas", "ListaBroncePendientes", "ListaComarcas"})
      if (findChild<QListWidget*>(nombre)->isEnabled()) tocables.push_back(nombre);
    // An operator's click on the way out: refused while the run goes on.
    findChild<QPushButton*>("Salir")->click();
    close();
    ++cesiones;
    GesDiplomaCantabria::Cede();
  }
  std::vector<std::string> tocables;
  int cesiones = 0;
};

class GesDiploma : public ::testing::Test {
 protected:
  void Abre() {
    ventana = std::make_unique<VentanaVigilada>(carpeta.Ruta(), "/trabajo", [this] { ++mostrada; });
    ventana->Form_Load();
  }
  QListWidget* Lista(const char* nombre) { return ventana->findChild<QListWidget*>(nombre); }
  QPushButton* Boton(const char* nombre) { return ventana->findChild<QPushButton*>(nombre); }
  std::string Rotulo(const char* nombre) { return ventana->findChild<QLabel*>(nombre)->text().toStdString(); }
  std::vector<std::string> Elementos(const char* nombre) {
    std::vector<std::string> v;
    for (int i = 0; i < Lista(nombre)->count(); ++i) v.push_back(Lista(nombre)->item(i)->text().toStdString());
    return v;
  }
  void Selecciona(const char* lista, int fila) {
    Lista(lista)->setCurrentRow(fila);
    QApplication::processEvents();
  }
  void SeleccionaEstacion(const std::string& nombre) {
    const auto encontrados = Lista("ListasAdmitidas")->findItems(QString::fromStdString(nombre), Qt::MatchExactly);
    ASSERT_EQ(encontrados.size(), 1);
    Lista("ListasAdmitidas")->setCurrentItem(encontrados.front());
  }

  soporte::CarpetaTemporal carpeta;
  std::unique_ptr<VentanaVigilada> ventana;
  int mostrada = 0;
};

using Lineas = std::vector<std::string>;

TEST_F(GesDiploma, AlAbrirEvaluaGuardaLasListasYMuestraLaPrimeraEstacion) {
  prueba::CreaEdicion(carpeta);
  Abre();
  EXPECT_EQ(ventana->windowTitle().toStdString(), "Gestión Diploma");
  EXPECT_EQ(Rotulo("LAdmitidas"), "5 Listas");
  EXPECT_EQ(Rotulo("LProceso"), "FIN PROCESO");
  EXPECT_EQ(Elementos("ListaBroncePendientes"), (Lineas{"EA1AAA.LOG", "EA1BBB.LOG", "EA1EEE.LOG"}));
  EXPECT_EQ(Elementos("ListaPlataPendientes"), (Lineas{"EA1BBB.LOG", "EA1CCC.LOG"}));
  EXPECT_EQ(Elementos("ListaOroPendientes"), (Lineas{"EA1CCC.LOG"}));
  EXPECT_EQ(Elementos("ListaExpedidosBronce"), (Lineas{"EA1CCC.LOG", "ea1eee.log"}));
  EXPECT_EQ(Elementos("ListaExpedidosPlata"), (Lineas{"EA7XYZ.LOG"}));
  EXPECT_EQ(Elementos("ListaExpedidosOro"), (Lineas{"EA9ZZZ.LOG"}));
  for (Nivel n : kNiveles)
    for (const std::string& nombre : {NombreListaPendientes(n), NombreListaExpedidos(n)})
      EXPECT_EQ(ListaEnDisco(carpeta, nombre), prueba::LeeDatos("esperado/" + nombre + ".lst")) << nombre;

  // The evaluation yielded with the window's input shut, and refused to close.
  EXPECT_GT(ventana->cesiones, 0);
  EXPECT_TRUE(ventana->tocables.empty()) << ventana->tocables.front();
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_EQ(mostrada, 0);
  EXPECT_TRUE(Boton("Salir")->isEnabled());
  EXPECT_TRUE(Boton("ExpedirDiploma")->isEnabled());

  // The first station's statistics, at the design's column factor.
  EXPECT_EQ(ventana->FactorColumnasActual(), 1);
  EXPECT_EQ(Lista("ListasAdmitidas")->currentRow(), 0);
  EXPECT_EQ(Rotulo("Label6"), "ESTACIÓN EA1AAA - MUNICIPIOS CONTACTADOS 34");
  EXPECT_EQ(Lista("ListaDME")->count(), 34);
  EXPECT_EQ(Elementos("ListaDME").front(), "39002 Ampuero          Asón-Agüera");
  EXPECT_EQ(Lista("ListaComarcas")->count(), 10);
  EXPECT_EQ(Elementos("ListaComarcas").front(), "Asón-Agüera        3");
  EXPECT_EQ(Elementos("ListaComarcas").back(), "Valles Pasiegos    4");
  EXPECT_EQ(Lista("ListaComarcas")->currentRow(), 0);
  EXPECT_EQ(Elementos("ListaMunicipios"), (Lineas{"39002  Ampuero", "39007  Arredondo", "39030  Guriezo"}));
  EXPECT_EQ(Lista("FicheroCabrillo")->count(), 47);  // the whole file, lines after the count too
  EXPECT_FALSE(Lista("FicheroCabrillo")->isVisible());
}

TEST_F(GesDiploma, SeleccionarEstacionYComarca) {
  prueba::CreaEdicion(carpeta);
  // A merged log whose name has no "." shows its whole name as the station.
  carpeta.EscribeBytes("ListasAdmitidas/EA2SIN",
                       "QSO: 14000 PH 2026-05-01 1000 EA2SIN 59 39075 EA4XYZ 59 39087\r\nEND-OF-LOG:\r\n");
  Abre();
  EXPECT_EQ(Rotulo("LAdmitidas"), "6 Listas");
  SeleccionaEstacion("EA2SIN");
  EXPECT_EQ(Rotulo("Label6"), "ESTACIÓN EA2SIN - MUNICIPIOS CONTACTADOS 1");
  EXPECT_EQ(Elementos("ListaComarcas")[0], "Asón-Agüera        0");
  EXPECT_TRUE(Elementos("ListaMunicipios").empty());  // district 1 selected, none there
  Selecciona("ListaComarcas", 1);
  EXPECT_EQ(Elementos("ListaMunicipios"), (Lineas{"39087  Torrelavega"}));

  SeleccionaEstacion("ea1eee.log");
  EXPECT_EQ(Rotulo("Label6"), "ESTACIÓN ea1eee - MUNICIPIOS CONTACTADOS 34");
  EXPECT_EQ(Lista("ListaComarcas")->currentRow(), 0);
  Selecciona("ListaComarcas", 8);
  EXPECT_EQ(Lista("ListaMunicipios")->count(), 6);

  SeleccionaEstacion("EA1DDD.LOG");  // lines after its end are not counted
  EXPECT_EQ(Elementos("ListaComarcas")[9], "Valles Pasiegos    3");

  // A window wide enough for a factor of 3 spreads the columns.
  ventana->resize(3 * 9600 * ventana->logicalDpiX() / 1440 + 10, ventana->height());
  ASSERT_EQ(ventana->FactorColumnasActual(), 3);
  SeleccionaEstacion("EA1CCC.LOG");
  EXPECT_EQ(Rotulo("Label6"), "ESTACIÓN EA1CCC - MUNICIPIOS CONTACTADOS 102");
  const std::string primera = Elementos("ListaDME").front();
  EXPECT_EQ(primera.substr(0, 5), "39100");
  EXPECT_EQ(primera.substr(5, 15), std::string(15, ' '));
  EXPECT_EQ(primera.substr(20, 10), "Villafufre");
}

TEST_F(GesDiploma, ExpedirPasaElSeleccionadoAExpedidosUnaSolaVez) {
  prueba::CreaEdicion(carpeta);
  Abre();
  // One pending entry is selected at a time.
  Selecciona("ListaPlataPendientes", 1);
  Selecciona("ListaBroncePendientes", 1);
  EXPECT_TRUE(Lista("ListaPlataPendientes")->selectedItems().isEmpty());
  Selecciona("ListaOroPendientes", 0);
  EXPECT_TRUE(Lista("ListaBroncePendientes")->selectedItems().isEmpty());
  Selecciona("ListaBroncePendientes", 1);

  Boton("ExpedirDiploma")->click();
  EXPECT_EQ(Elementos("ListaBroncePendientes"), (Lineas{"EA1AAA.LOG", "EA1EEE.LOG"}));
  EXPECT_EQ(Elementos("ListaExpedidosBronce"), (Lineas{"EA1CCC.LOG", "ea1eee.log", "EA1BBB.LOG"}));
  EXPECT_TRUE(Lista("ListaBroncePendientes")->selectedItems().isEmpty());
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasBroncePendientes"), "EA1AAA.LOG\r\nEA1EEE.LOG\r\n");
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasBronceExpedidos"), "EA1CCC.LOG\r\nea1eee.log\r\nEA1BBB.LOG\r\n");

  // A second press with nothing selected moves nothing and rewrites the
  // same contents.
  Boton("ExpedirDiploma")->click();
  EXPECT_EQ(Elementos("ListaBroncePendientes"), (Lineas{"EA1AAA.LOG", "EA1EEE.LOG"}));
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasBronceExpedidos"), "EA1CCC.LOG\r\nea1eee.log\r\nEA1BBB.LOG\r\n");
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasOroPendientes"), "EA1CCC.LOG\r\n");

  // Issuing the last gold diploma empties its pending list and file.
  Selecciona("ListaOroPendientes", 0);
  Boton("ExpedirDiploma")->click();
  EXPECT_TRUE(Elementos("ListaOroPendientes").empty());
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasOroPendientes"), "(sin fichero)");
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasOroExpedidos"), "EA9ZZZ.LOG\r\nEA1CCC.LOG\r\n");

  // The next opening keeps every issued diploma.
  ventana.reset();
  Abre();
  EXPECT_EQ(Elementos("ListaExpedidosBronce"), (Lineas{"EA1CCC.LOG", "ea1eee.log", "EA1BBB.LOG"}));
  EXPECT_EQ(Elementos("ListaExpedidosOro"), (Lineas{"EA9ZZZ.LOG", "EA1CCC.LOG"}));
  EXPECT_EQ(Elementos("ListaBroncePendientes"), (Lineas{"EA1AAA.LOG", "EA1EEE.LOG"}));
  EXPECT_TRUE(Elementos("ListaOroPendientes").empty());
}

TEST_F(GesDiploma, SinListasAdmitidasExpedirNoBorraLosExpedidos) {
  prueba::CreaEdicion(carpeta, /*con_listas=*/false);
  Abre();
  EXPECT_EQ(Rotulo("LAdmitidas"), "0 Listas");
  EXPECT_EQ(Rotulo("LProceso"), "Procesando");
  EXPECT_EQ(Rotulo("Label6"), "MUNICIPIOS CONTACTADOS");
  EXPECT_EQ(Elementos("ListaExpedidosBronce"), (Lineas{"EA1CCC.LOG", "ea1eee.log"}));
  EXPECT_TRUE(Elementos("ListaBroncePendientes").empty());
  Boton("ExpedirDiploma")->click();
  for (Nivel n : kNiveles) {
    EXPECT_EQ(ListaEnDisco(carpeta, NombreListaPendientes(n)), "(sin fichero)");
    EXPECT_EQ(ListaEnDisco(carpeta, NombreListaExpedidos(n)),
              prueba::LeeDatos("expedidos/" + NombreListaExpedidos(n) + ".lst"));
  }
}

TEST_F(GesDiploma, ListaExpedidaIlegibleSeAvisaYNoSeExpide) {
  prueba::CreaEdicion(carpeta);
  std::filesystem::remove(carpeta.En("DiplomasOroExpedidos/DiplomasOroExpedidos.lst"));
  carpeta.CreaCarpeta("DiplomasOroExpedidos/DiplomasOroExpedidos.lst");
  soporte::Mensajes().Espera();
  Abre();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_NE(soporte::Mensajes().Cajas()[0].texto.find("DiplomasOroExpedidos"), std::string::npos);
  EXPECT_FALSE(Boton("ExpedirDiploma")->isEnabled());
  EXPECT_TRUE(Boton("Salir")->isEnabled());
  for (Nivel n : kNiveles) EXPECT_EQ(ListaEnDisco(carpeta, NombreListaPendientes(n)), "(sin fichero)");
  EXPECT_EQ(ListaEnDisco(carpeta, "DiplomasBronceExpedidos"),
            prueba::LeeDatos("expedidos/DiplomasBronceExpedidos.lst"));
}

TEST_F(GesDiploma, SoloSalirCierraLaVentanaYDevuelveLaDeCorreo) {
  prueba::CreaEdicion(carpeta);
  Abre();
  ventana->close();  // the title bar's close
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_EQ(mostrada, 0);
  Boton("Salir")->click();
  EXPECT_FALSE(ventana->isVisible());
  EXPECT_EQ(mostrada, 1);
}

TEST_F(GesDiploma, AbrirDesdeLaVentanaDeCorreoYCerrarLaLibera) {
  prueba::CreaEdicion(carpeta);
  QWidget correo;
  QPointer<GesDiplomaCantabria> abierta = AbreGesDiplomaCantabria(
      carpeta.Ruta(), "/trabajo", [&] { correo.show(); }, &correo);
  ASSERT_TRUE(abierta);
  EXPECT_TRUE(abierta->isWindow());
  EXPECT_TRUE(abierta->isVisible());
  abierta->findChild<QPushButton*>("Salir")->click();
  EXPECT_TRUE(correo.isVisible());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(abierta);
}

}  // namespace
}  // namespace award

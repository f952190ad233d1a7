// The multiplier reference lists window opened from the main window: a new
// contest with province and district multipliers gets its lists from the
// built-in ones, is stored, and comes back intact after the program starts
// again, its rows in ListaProv and ListaDistritos exactly the lists shown.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "database/conexiones.h"
#include "fixture_principal.h"
#include "listeditors/list_prov.h"
#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"
#include "rules/formato_cabrillo.h"
#include "soporte/mensajes_guion.h"

using prueba::Formulario;

using plataforma::Respuesta;
using prueba::Control;
using prueba::Filas;
using principal::VentanaSecundaria;
using Lista = std::vector<std::string>;

namespace {

class ServiciosConVentanas : public prueba::ServiciosGrabados {
 public:
  bool AbreVentana(VentanaSecundaria v, principal::EnlacesVentanaPrincipal& w) override {
    ventanasAbiertas.push_back(v);
    return principal::ServiciosPrograma::AbreVentana(v, w);
  }
};

void Tecla(int tecla, const QString& texto = {}) {
  QWidget* w = QApplication::focusWidget();
  ASSERT_NE(w, nullptr);
  QKeyEvent evento(QEvent::KeyPress, tecla, Qt::NoModifier, texto);
  QApplication::sendEvent(w, &evento);
}

class ListProvDesdePrincipal : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta.CreaBases(-1);
  }
  void TearDown() override { ventana.reset(); }
  void Arranca() {
    // A new main window with its own context, as when the program starts again.
    ventana.reset();
    ventana = std::make_unique<Trovalis>(std::make_unique<ServiciosConVentanas>());
    ASSERT_TRUE(ventana->Form_Load());
    ventana->show();
    QApplication::setActiveWindow(ventana.get());
    QApplication::processEvents();
  }
  // Clicks a main window button and runs `enVentana` on the lists window
  // while it is shown modally (cancelling it afterwards if still open).
  bool Abre(QPushButton* boton, const std::function<void(listeditors::ListProv&)>& enVentana) {
    bool abierta = false;
    QTimer::singleShot(0, [&] {
      auto* w = qobject_cast<listeditors::ListProv*>(QApplication::activeModalWidget());
      if (!w) {
        ADD_FAILURE() << "the lists window is not shown";
        if (auto* otra = qobject_cast<QDialog*>(QApplication::activeModalWidget())) otra->reject();
        return;
      }
      abierta = true;
      QApplication::setActiveWindow(w);
      enVentana(*w);
      if (w->isVisible()) w->findChild<QPushButton*>("Cancelar")->click();
    });
    boton->click();
    return abierta;
  }
  Lista Items(const char* nombre) {
    Lista r;
    for (const std::string& t : ventana->EnlaceListas()->Lista(nombre)) r.push_back(t);
    return r;
  }
  // Every element of a list as its grid shows it, page by page (End, then
  // Home and PgDn through the list).
  static Lista Mostrada(listeditors::ListProv& w, int modo, int columna) {
    Lista r;
    const int filas = w.Modelo().Lista(modo).NumeroLineas;
    const int total = w.Modelo().Lista(modo).NumeroElementos;
    Tecla(Qt::Key_Home);
    while (static_cast<int>(r.size()) < total) {
      for (int f = 0; f < filas && static_cast<int>(r.size()) < total; ++f) {
        EXPECT_EQ(w.Serie(modo, f)->text().toInt(), static_cast<int>(r.size()) + 1);
        r.push_back(w.Celda(modo, f, columna)->text().toStdString());
      }
      Tecla(Qt::Key_PageDown);
    }
    return r;
  }
  Filas Lee(const std::string& sql) { return prueba::LeeFilas(carpeta.Ruta() + "/Ledrima", sql); }

  prueba::CarpetaPrueba carpeta;
  std::unique_ptr<Trovalis> ventana;
};

TEST_F(ListProvDesdePrincipal, AltaConProvinciasGrabadaYRecargada) {
  soporte::Mensajes().Espera(Respuesta::Aceptar, "No hay Concursos CONFIGURADOS");
  Arranca();
  Formulario(*ventana).AltaReg->click();
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Alta);
  const char* textos[] = {nullptr, "PROVINCIAS EA", "2026", "24-12-2026", "08:00", "24-12-2026", "20:00"};
  for (int i = 1; i <= 6; ++i) {
    Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->setFocus();
    Formulario(*ventana).Text3[static_cast<std::size_t>(i)]->setText(textos[i]);
  }
  Formulario(*ventana).Text3[1]->setFocus();
  Formulario(*ventana).Text3[2]->setFocus();
  Formulario(*ventana).Banda[4]->setChecked(true);
  Formulario(*ventana).Modo[1]->setChecked(true);
  Formulario(*ventana).EnviarNumeral->setChecked(true);
  Formulario(*ventana).RecibirSiglas->setChecked(true);
  Formulario(*ventana).Multiplicadores->setChecked(true);
  Formulario(*ventana).CadaProv->setChecked(true);
  Formulario(*ventana).CadaDistrito->setChecked(true);
  Formulario(*ventana).ExcluirProv->setChecked(true);
  ASSERT_TRUE(Formulario(*ventana).ConfSiglasValidas->isEnabled());

  Lista provincias, marcas, distritos;
  EXPECT_TRUE(Abre(Formulario(*ventana).ConfSiglasValidas, [&](listeditors::ListProv& w) {
    ASSERT_TRUE(Control<QPushButton>(w, "Aceptar")->isEnabled());
    EXPECT_FALSE(Control<QPushButton>(w, "ConfPaises")->isEnabled());
    Control<QPushButton>(w, "ConfProv")->click();
    Control<QPushButton>(w, "InsertarProv")->click();
    Control<QPushButton>(w, "InsertarProv")->click();
    // Madrid ("M", element 33, row 5 of page 3) excluded.
    Tecla(Qt::Key_PageDown);
    Tecla(Qt::Key_PageDown);
    for (int i = 0; i < 4; ++i) Tecla(Qt::Key_Down);
    ASSERT_EQ(w.Celda(listeditors::LProvincias, 4, 0)->text(), "M");
    Tecla(Qt::Key_F3);
    QLineEdit* marca = w.Celda(listeditors::LProvincias, 4, 1);
    marca->setFocus();
    Tecla(0, "s");
    Tecla(0, "i");
    Tecla(Qt::Key_F12);
    provincias = Mostrada(w, listeditors::LProvincias, 0);
    marcas = Mostrada(w, listeditors::LProvincias, 1);
    Tecla(Qt::Key_F10);
    Control<QPushButton>(w, "ConfDistritos")->click();
    Control<QPushButton>(w, "InsertarDist")->click();
    distritos = Mostrada(w, listeditors::LDistritos, 0);
    Tecla(Qt::Key_F10);
    Control<QPushButton>(w, "Aceptar")->click();
  }));
  ASSERT_EQ(provincias, listeditors::EditorListProv::MatriculasEA());
  Lista esperadas(52, "");
  esperadas[32] = "SI";
  EXPECT_EQ(marcas, esperadas);
  EXPECT_EQ(distritos, listeditors::EditorListProv::DistritosEA());
  EXPECT_EQ(Items("ListaProv"), provincias);
  EXPECT_EQ(Items("ListaExProv"), marcas);
  EXPECT_EQ(Items("ListaDistritos"), distritos);
  EXPECT_TRUE(ventana->isVisible());

  EXPECT_TRUE(prueba::AbreFormatoCabrillo(*ventana, [](rules::FormatoCabrillo& w) {
    Control<QCheckBox>(w, "M20")->setChecked(true);
    Control<QCheckBox>(w, "CW")->setChecked(true);
    Control<QLineEdit>(w, "EMailConcurso")->setText("provincias@example.org");
    Control<QLineEdit>(w, "AsuntoConcurso")->setText("Log de $");
    Control<QPushButton>(w, "AceptarCabrillo")->click();
  }));
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Alta del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  ASSERT_EQ(soporte::Mensajes().Pendientes(), 0u);

  Filas filasProv;
  for (std::size_t i = 0; i < provincias.size(); ++i)
    filasProv.push_back({provincias[i], marcas[i] == "SI" ? "-1" : "0"});
  EXPECT_EQ(Lee("SELECT CodigoProv, ProvExcluida FROM ListaProv WHERE NumeroOrden = 1 ORDER BY rowid"), filasProv);
  Filas filasDist;
  for (const std::string& d : distritos) filasDist.push_back({d, "0"});
  EXPECT_EQ(Lee("SELECT CodigoDistrito, DistritoExcluido FROM ListaDistritos WHERE NumeroOrden = 1 ORDER BY rowid"),
            filasDist);

  // ---- The program starts again: the lists come back as they were shown.
  Arranca();
  ASSERT_EQ(ventana->Contexto().NombreConcurso, "PROVINCIAS EA");
  EXPECT_EQ(Items("ListaProv"), provincias);
  EXPECT_EQ(Items("ListaExProv"), marcas);
  EXPECT_EQ(Items("ListaDistritos"), distritos);
  EXPECT_TRUE(Abre(Formulario(*ventana).ConfSiglasValidas, [&](listeditors::ListProv& w) {
    EXPECT_FALSE(Control<QPushButton>(w, "Aceptar")->isEnabled());
    EXPECT_EQ(Control<QPushButton>(w, "ConfProv")->text(), "Ver Provincias");
    Control<QPushButton>(w, "ConfProv")->click();
    EXPECT_EQ(Mostrada(w, listeditors::LProvincias, 0), provincias);
    EXPECT_EQ(Mostrada(w, listeditors::LProvincias, 1), marcas);
    Tecla(Qt::Key_F10);
    Control<QPushButton>(w, "ConfDistritos")->click();
    EXPECT_EQ(Mostrada(w, listeditors::LDistritos, 0), distritos);
    Tecla(Qt::Key_F10);
  }));
  EXPECT_EQ(Items("ListaProv"), provincias);
}

}  // namespace

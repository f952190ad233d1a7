// The special multipliers and special stations editors opened from the main
// window's buttons: editable while a contest is modified, view-only
// otherwise; Aceptar hands the lists to the main window, which stores them
// with the contest; Cancelar leaves them as they were.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "database/conexiones.h"
#include "database/listas_ocultas.h"
#include "fixture_principal.h"
#include "listeditors/list_esp.h"
#include "listeditors/lista_mult_esp.h"
#include "cabrillo/contexto_concurso.h"
#include "mainwindow/trovalis.h"
#include "soporte/mensajes_guion.h"

using prueba::Formulario;

using principal::VentanaSecundaria;
using plataforma::Respuesta;

namespace {

class ServiciosConListas : public prueba::ServiciosGrabados {
 public:
  bool AbreVentana(VentanaSecundaria v, principal::EnlacesVentanaPrincipal& w) override {
    ventanasAbiertas.push_back(v);
    return principal::ServiciosPrograma::AbreVentana(v, w);
  }
};

void Tecla(QWidget* w, int tecla, const QString& texto = {}) {
  ASSERT_NE(w, nullptr);
  QKeyEvent evento(QEvent::KeyPress, tecla, Qt::NoModifier, texto);
  QApplication::sendEvent(w, &evento);
}
void Escribe(QWidget& ventana, const char* celda, const QString& texto) {
  auto* c = ventana.findChild<QLineEdit*>(celda);
  ASSERT_NE(c, nullptr) << celda;
  c->setFocus();
  c->selectAll();
  for (QChar ch : texto) Tecla(c, 0, QString(ch));
}
void Boton(QWidget& ventana, const char* nombre) {
  auto* b = ventana.findChild<QPushButton*>(nombre);
  ASSERT_NE(b, nullptr) << nombre;
  b->click();
}

class ListasEspecialesDesdePrincipal : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta.CreaBases(4);
    carpeta.AgregaConcurso(4, "CONCURSO NAVIDAD", "2026",
                           {{"DesdeDia", "2026-12-24"}, {"DesdeHora", "08:00"}, {"HastaDia", "2026-12-25"},
                            {"HastaHora", "20:00"}, {"Banda14", "1"}, {"ModoCW", "1"},
                            {"Multiplicadores", "1"}, {"CadaPais", "1"}, {"RecibirPuntos", "1"}});
    carpeta.Ejecuta("INSERT INTO ResumenCabrillo (NumeroOrden, SingleOp, \"ALL\", EMailConcurso) VALUES "
                    "(4, 1, 1, 'navidad@example.org')");
    carpeta.Ejecuta("INSERT INTO MultEspeciales (NumeroOrden, Estacion, Pais, Distrito, Prefijo, Provincia, "
                    "ZonaCQ, OtrasSiglas, Puntos) VALUES (4, 'EA4URE', '*', '*', '*', '*', '*', '*', 2)");
    carpeta.Ejecuta("INSERT INTO ListaEspeciales (NumeroOrden, Estacion, Prefijo, Distrito, Provincia, Banda, "
                    "Modo, Puntos, PuntosRef) VALUES (4, 'EA1AA', '*', '*', '*', '*', '*', 5, '*')");
    auto s = std::make_unique<ServiciosConListas>();
    servicios = s.get();
    ventana = std::make_unique<Trovalis>(std::move(s));
    ASSERT_TRUE(ventana->Form_Load());
    ventana->show();
    QApplication::setActiveWindow(ventana.get());
    ventana->Form_Activate();
    QApplication::processEvents();
  }
  void TearDown() override { ventana.reset(); }

  // Clicks a main window button and runs `enVentana` on the editor while it
  // is shown modally (cancelling it afterwards if it is still open).
  template <typename V>
  bool Abre(QPushButton* boton, const std::function<void(QWidget&)>& enVentana) {
    bool abierta = false;
    QTimer::singleShot(0, [&] {
      auto* w = qobject_cast<V*>(QApplication::activeModalWidget());
      if (!w) {
        ADD_FAILURE() << "no editor window is shown";
        if (auto* otra = qobject_cast<QDialog*>(QApplication::activeModalWidget())) otra->reject();
        return;
      }
      abierta = true;
      QApplication::setActiveWindow(w);
      principalOculta = !ventana->isVisible();
      enVentana(*w);
      if (w->isVisible()) static_cast<QWidget*>(w)->findChild<QPushButton*>("Cancelar")->click();
    });
    boton->click();
    return abierta;
  }

  std::vector<std::string> Items(const char* nombre) {
    std::vector<std::string> r;
    for (const std::string& t : ventana->EnlaceListas()->Lista(nombre)) r.push_back(t);
    return r;
  }
  // Every working list of the main window.
  std::vector<std::vector<std::string>> Todas() {
    std::vector<std::vector<std::string>> r;
    auto enlace = ventana->EnlaceListas();
    for (const listas::DefinicionGrupo& g : listas::Grupos())
      for (std::string_view nombre : g.listas) r.push_back(enlace->Lista(nombre));
    return r;
  }
  prueba::Filas Lee(const std::string& sql) { return prueba::LeeFilas(carpeta.Ruta() + "/Ledrima", sql); }

  prueba::CarpetaPrueba carpeta;
  ServiciosConListas* servicios = nullptr;
  std::unique_ptr<Trovalis> ventana;
  bool principalOculta = false;
};

TEST_F(ListasEspecialesDesdePrincipal, MultiplicadoresAceptarYGrabarElConcurso) {
  ASSERT_EQ(Items("ListaEstMultEsp"), std::vector<std::string>{"EA4URE"});
  Formulario(*ventana).ModificarReg->click();
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Modificar);
  EXPECT_TRUE(Abre<listeditors::ListaMultEsp>(Formulario(*ventana).ConfMultEstacionesEspeciales, [&](QWidget& w) {
    EXPECT_TRUE(w.findChild<QPushButton*>("Aceptar")->isEnabled());
    Boton(w, "ConfProv");
    Tecla(QApplication::focusWidget(), Qt::Key_Down);
    Escribe(w, "ZonaCQ_1", "14");
    Escribe(w, "Puntos_1", "3");
    Tecla(QApplication::focusWidget(), Qt::Key_F12);
    Tecla(QApplication::focusWidget(), Qt::Key_F10);
    Boton(w, "Aceptar");
  }));
  EXPECT_TRUE(principalOculta);
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_EQ(ventana->focusWidget(), Formulario(*ventana).Text3[1]);
  EXPECT_EQ(Items("ListaEstMultEsp"), (std::vector<std::string>{"EA4URE", "*"}));
  EXPECT_EQ(Items("ListaZonaCqMultEsp"), (std::vector<std::string>{"*", "14"}));
  EXPECT_EQ(Items("ListaPuntosMultEsp"), (std::vector<std::string>{"2", "3"}));

  soporte::Mensajes().Espera(Respuesta::Aceptar, "Modificación del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Lee("SELECT Estacion, ZonaCQ, Puntos FROM MultEspeciales WHERE NumeroOrden = 4 ORDER BY rowid"),
            (prueba::Filas{{"EA4URE", "*", "2"}, {"*", "14", "3"}}));
}

TEST_F(ListasEspecialesDesdePrincipal, EstacionesConLasBandasYModosDelEditor) {
  Formulario(*ventana).ModificarReg->click();
  Formulario(*ventana).Banda[2]->setChecked(false);  // 7 MHz not permitted
  EXPECT_TRUE(Abre<listeditors::ListEsp>(Formulario(*ventana).Especiales, [&](QWidget& w) {
    Boton(w, "ConfProv");
    Tecla(QApplication::focusWidget(), Qt::Key_Down);
    Escribe(w, "Prefijo_1", "EA8");
    Escribe(w, "Banda_1", "7");
    Escribe(w, "Puntos_1", "4");
    soporte::Mensajes().Espera(Respuesta::Aceptar, "Banda no permitida o no existente");
    Tecla(QApplication::focusWidget(), Qt::Key_F12);
    Escribe(w, "Banda_1", "14");
    Escribe(w, "Modo_1", "PH");  // no phone mode ticked
    soporte::Mensajes().Espera(Respuesta::Aceptar, listeditors::EditorEstacionesEspeciales::TextoErrorModo());
    Tecla(QApplication::focusWidget(), Qt::Key_F12);
    Escribe(w, "Modo_1", "CW");
    Tecla(QApplication::focusWidget(), Qt::Key_F12);
    Tecla(QApplication::focusWidget(), Qt::Key_F10);
    Boton(w, "Aceptar");
  }));
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 2u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, ".- ERROR EN BANDA");
  EXPECT_EQ(soporte::Mensajes().Cajas()[1].titulo, "ERROR EN MODO");
  EXPECT_EQ(Items("ListaPreEsp"), (std::vector<std::string>{"*", "EA8"}));
  EXPECT_EQ(Items("ListaBandaEsp"), (std::vector<std::string>{"*", "14"}));
  EXPECT_EQ(Items("ListaModoEsp"), (std::vector<std::string>{"*", "CW"}));

  soporte::Mensajes().Espera(Respuesta::Aceptar, "Modificación del Concurso efectuada");
  Formulario(*ventana).Aceptar->click();
  EXPECT_EQ(Lee("SELECT Estacion, Prefijo, Banda, Modo, Puntos FROM ListaEspeciales WHERE NumeroOrden = 4 "
                "ORDER BY rowid"),
            (prueba::Filas{{"EA1AA", "*", "*", "*", "5"}, {"*", "EA8", "14", "CW", "4"}}));
}

TEST_F(ListasEspecialesDesdePrincipal, CancelarNoCambiaNada) {
  Formulario(*ventana).ModificarReg->click();
  const auto antes = Todas();
  for (QPushButton* boton : {Formulario(*ventana).ConfMultEstacionesEspeciales, Formulario(*ventana).Especiales}) {
    EXPECT_TRUE(Abre<listeditors::VentanaCuadricula>(boton, [&](QWidget& w) {
      Boton(w, "ConfProv");
      soporte::Mensajes().Espera(Respuesta::Si);
      Tecla(QApplication::focusWidget(), Qt::Key_F4);
      Tecla(QApplication::focusWidget(), Qt::Key_F10);
      Boton(w, "Cancelar");
    }));
  }
  EXPECT_EQ(Todas(), antes);
}

TEST_F(ListasEspecialesDesdePrincipal, SoloConsultaFueraDeAltaOModificacion) {
  ASSERT_EQ(ventana->Operacion(), principal::OperacionEditor::Ninguna);
  for (QPushButton* boton : {Formulario(*ventana).ConfMultEstacionesEspeciales, Formulario(*ventana).Especiales}) {
    EXPECT_TRUE(Abre<listeditors::VentanaCuadricula>(boton, [&](QWidget& w) {
      EXPECT_FALSE(w.findChild<QPushButton*>("Aceptar")->isEnabled());
      EXPECT_EQ(w.findChild<QPushButton*>("ConfProv")->text(), "Explorar Lista");
    }));
    EXPECT_EQ(ventana->focusWidget(), Formulario(*ventana).AltaReg);
  }
  EXPECT_EQ(ventana->Contexto().ListasSoloConsulta, 1);
}

}  // namespace

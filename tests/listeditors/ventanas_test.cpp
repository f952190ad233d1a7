// The two list editor windows, offscreen, over a main window kept in plain
// containers: the grid, typing, keys, checks and their boxes, accepting and
// cancelling.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "enlace_prueba.h"
#include "listeditors/list_esp.h"
#include "listeditors/lista_mult_esp.h"
#include "soporte/mensajes_guion.h"

using namespace listeditors;
using plataforma::Respuesta;

namespace {

void Pulsa(QWidget* w, int tecla, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& texto = {}) {
  ASSERT_NE(w, nullptr);
  QKeyEvent evento(QEvent::KeyPress, tecla, mod, texto);
  QApplication::sendEvent(w, &evento);
}
// A key as the operator gives it: to the control that has the focus.
void Tecla(QWidget& ventana, int tecla, Qt::KeyboardModifiers mod = Qt::NoModifier) {
  QWidget* foco = QApplication::focusWidget();
  Pulsa(foco ? foco : &ventana, tecla, mod);
}
// Gives the cell the focus, selects its text and types over it.
void Escribe(QLineEdit* celda, const QString& texto) {
  celda->setFocus();
  celda->selectAll();
  for (QChar c : texto) Pulsa(celda, 0, Qt::NoModifier, QString(c));
}
QPushButton* Boton(QWidget& w, const char* nombre) {
  auto* b = w.findChild<QPushButton*>(nombre);
  EXPECT_NE(b, nullptr) << nombre;
  return b;
}
QLineEdit* Celda(QWidget& w, const QString& nombre) {
  auto* c = w.findChild<QLineEdit*>(nombre);
  EXPECT_NE(c, nullptr) << nombre.toStdString();
  return c;
}
QColor Fondo(QLineEdit* c) { return c->palette().color(QPalette::Base); }

class Ventanas : public ::testing::Test {
 protected:
  Ventanas() {
    enlace.listas["ListaEstMultEsp"] = {"EA1A", "*"};
    enlace.listas["ListaPaisMultEsp"] = {"*", "CT"};
    for (const char* l : {"ListaDistritoMultEsp", "ListaPrefijoMultEsp", "ListaProvinciasMultEsp",
                          "ListaZonaCqMultEsp", "ListaOtrosMultEsp"})
      enlace.listas[l] = {"*", "*"};
    enlace.listas["ListaPuntosMultEsp"] = {"2", "3"};
    enlace.bandas[4] = true;
    enlace.modos[1] = true;
    antes = enlace.listas;
  }
  template <typename V>
  std::unique_ptr<V> Abre() {
    auto w = std::make_unique<V>(enlace);
    w->show();
    QApplication::setActiveWindow(w.get());
    QApplication::processEvents();
    return w;
  }
  prueba::EnlacePrueba enlace;
  decltype(enlace.listas) antes;
};

TEST_F(Ventanas, MultiplicadoresCuadriculaYTitulos) {
  auto w = Abre<ListaMultEsp>();
  EXPECT_EQ(w->windowTitle(), "Multiplicadores Especiales");
  EXPECT_EQ(Boton(*w, "ConfProv")->text(), "Insertar Especiales");
  EXPECT_EQ(Boton(*w, "Finalizar")->text(), "Finalizar Insertar");
  EXPECT_EQ(Boton(*w, "Aceptar")->text(), "Aceptar  y Salir");
  EXPECT_TRUE(Boton(*w, "Aceptar")->isEnabled());
  EXPECT_FALSE(Boton(*w, "Finalizar")->isEnabled());
  for (int fila = 0; fila < 15; ++fila)
    for (const char* col : {"SerieMultEsp", "Estacion", "Pais", "Distrito", "Prefijo", "Provincia", "ZonaCQ",
                            "OtrasSiglas", "Puntos"})
      Celda(*w, QString("%1_%2").arg(col).arg(fila));
  EXPECT_EQ(Celda(*w, "Estacion_14")->maxLength(), 10);
  EXPECT_EQ(Celda(*w, "Distrito_14")->maxLength(), 6);
  EXPECT_EQ(Celda(*w, "Puntos_7")->maxLength(), 2);
  EXPECT_EQ(Celda(*w, "Pais_1")->text(), "CT");
  EXPECT_EQ(Celda(*w, "SerieMultEsp_1")->text(), "2");
  EXPECT_EQ(w->findChild<QLabel*>("Informacion")->text().toStdString(), EditorCuadricula::TextoAyuda(1));
  EXPECT_EQ(QApplication::focusWidget(), Boton(*w, "Cancelar"));
}

TEST_F(Ventanas, MultiplicadoresAltaConTecladoYAceptar) {
  auto w = Abre<ListaMultEsp>();
  Boton(*w, "ConfProv")->click();
  EXPECT_EQ(Fondo(Celda(*w, "SerieMultEsp_0")), QColor(255, 255, 0));
  Tecla(*w, Qt::Key_End);
  Tecla(*w, Qt::Key_Down);
  EXPECT_EQ(Celda(*w, "SerieMultEsp_2")->text(), "3");
  EXPECT_EQ(QApplication::focusWidget(), Celda(*w, "Estacion_2"));
  EXPECT_EQ(Fondo(Celda(*w, "Estacion_2")), QColor(0, 255, 255));
  Escribe(Celda(*w, "Provincia_2"), "m");
  EXPECT_EQ(Celda(*w, "Provincia_2")->text(), "M");
  Tecla(*w, Qt::Key_Return);  // to ZonaCQ: Provincia's rule runs
  EXPECT_EQ(QApplication::focusWidget(), Celda(*w, "ZonaCQ_2"));
  EXPECT_EQ(Fondo(Celda(*w, "Provincia_2")), QColor(Qt::white));
  // The multiplier never entered: refused at the commit.
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Faltan los MULTIPLICADORES");
  Tecla(*w, Qt::Key_F12);
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "VERIFICAR MULTIPLICADORES ESTACIONES ESPECIALES");
  EXPECT_EQ(QApplication::focusWidget(), Celda(*w, "Puntos_2"));
  Escribe(Celda(*w, "Puntos_2"), "123");
  EXPECT_EQ(Celda(*w, "Puntos_2")->text(), "12");
  Tecla(*w, Qt::Key_F12);
  EXPECT_EQ(w->Modelo().NumeroElementos, 3);
  EXPECT_TRUE(w->isVisible());
  Tecla(*w, Qt::Key_Escape);  // no modification in hand: nothing, the window stays
  EXPECT_TRUE(w->isVisible());
  Tecla(*w, Qt::Key_F10);
  Boton(*w, "Aceptar")->click();
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(enlace.listas["ListaProvinciasMultEsp"], (std::vector<std::string>{"*", "*", "M"}));
  EXPECT_EQ(enlace.listas["ListaPuntosMultEsp"], (std::vector<std::string>{"2", "3", "12"}));
  EXPECT_EQ(enlace.listas["ListaEstMultEsp"], (std::vector<std::string>{"EA1A", "*", "*"}));
}

TEST_F(Ventanas, CancelarDejaLasListasComoEstaban) {
  auto w = Abre<ListaMultEsp>();
  Boton(*w, "ConfProv")->click();
  soporte::Mensajes().Espera(Respuesta::Si, "¿ De Verdad quiere ELIMINAR este dato ?");
  Tecla(*w, Qt::Key_F4);
  Tecla(*w, Qt::Key_F3);
  Escribe(Celda(*w, "Estacion_0"), "X");
  Tecla(*w, Qt::Key_F12);
  Boton(*w, "Finalizar")->click();
  EXPECT_EQ(w->Modelo().Lista("ListaEstMultEsp"), std::vector<std::string>{"X"});
  Boton(*w, "Cancelar")->click();
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(enlace.listas, antes);
}

TEST_F(Ventanas, SoloConsulta) {
  enlace.soloConsulta = 1;
  auto w = Abre<ListaMultEsp>();
  EXPECT_EQ(Boton(*w, "ConfProv")->text(), "Explorar Lista");
  EXPECT_EQ(Boton(*w, "Finalizar")->text(), "Finalizar Explorar");
  EXPECT_FALSE(Boton(*w, "Aceptar")->isEnabled());
  Boton(*w, "ConfProv")->click();
  EXPECT_FALSE(Boton(*w, "Modificar")->isEnabled());
  Tecla(*w, Qt::Key_F3);
  Tecla(*w, Qt::Key_Down);
  Tecla(*w, Qt::Key_Down);
  EXPECT_EQ(w->Modelo().EstadoLinea, "");
  EXPECT_EQ(w->Modelo().NumeroElementos, 2);
}

TEST_F(Ventanas, EstacionesCabecerasBandaYModo) {
  auto w = Abre<ListEsp>();
  EXPECT_EQ(w->windowTitle(), "Estaciones Especiales");
  EXPECT_EQ(w->findChild<QLabel*>("TituloPuntosRef")->text(), "Puntos por cualquiera  letra Referencia, etc. ");
  EXPECT_EQ(Celda(*w, "Banda_14")->maxLength(), 6);
  EXPECT_EQ(Celda(*w, "PuntosRef_3")->maxLength(), 2);
  Boton(*w, "ConfProv")->click();
  Tecla(*w, Qt::Key_Down);  // empty list: row 1
  EXPECT_EQ(Celda(*w, "SerieEsp_0")->text(), "1");
  EXPECT_EQ(Celda(*w, "Modo_0")->text(), "*");
  // Typing in a number cell changes nothing.
  Pulsa(Celda(*w, "SerieEsp_0"), Qt::Key_A, Qt::NoModifier, "a");
  EXPECT_EQ(Celda(*w, "SerieEsp_0")->text(), "1");

  Escribe(Celda(*w, "Banda_0"), "20");
  Escribe(Celda(*w, "Puntos_0"), "5");
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Banda no permitida o no existente");
  Boton(*w, "Anadir")->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, ".- ERROR EN BANDA");
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].icono, plataforma::Icono::Error);
  EXPECT_EQ(QApplication::focusWidget(), Celda(*w, "Banda_0"));

  Escribe(Celda(*w, "Banda_0"), "14");
  Escribe(Celda(*w, "Modo_0"), "ssb");
  soporte::Mensajes().Espera(Respuesta::Aceptar, EditorEstacionesEspeciales::TextoErrorModo());
  Tecla(*w, Qt::Key_F12);
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 2u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[1].titulo, "ERROR EN MODO");
  EXPECT_EQ(soporte::Mensajes().Cajas()[1].icono, plataforma::Icono::Ninguno);
  EXPECT_EQ(QApplication::focusWidget(), Celda(*w, "Modo_0"));

  Escribe(Celda(*w, "Modo_0"), "cw");
  Tecla(*w, Qt::Key_F12);
  EXPECT_EQ(w->Modelo().NumeroElementos, 1);
  Tecla(*w, Qt::Key_F10);
  Boton(*w, "Aceptar")->click();
  EXPECT_EQ(enlace.listas["ListaBandaEsp"], std::vector<std::string>{"14"});
  EXPECT_EQ(enlace.listas["ListaModoEsp"], std::vector<std::string>{"CW"});
  EXPECT_EQ(enlace.listas["ListaPuntosEsp"], std::vector<std::string>{"5"});
  EXPECT_EQ(enlace.listas["ListaPuntosRefEsp"], std::vector<std::string>{"*"});
  EXPECT_EQ(enlace.listas["ListaEstEsp"], std::vector<std::string>{"*"});
}

TEST_F(Ventanas, EstacionesMaximizarYRestaurar) {
  auto w = Abre<ListEsp>();
  const int ancho = Celda(*w, "Estacion_0")->font().pointSize();
  w->showMaximized();
  QApplication::processEvents();
  w->Form_Resize();
  w->showNormal();
  QApplication::processEvents();
  w->Form_Resize();
  EXPECT_EQ(Celda(*w, "Estacion_0")->font().pointSize(), ancho);
}

}  // namespace

// The multiplier reference lists window, offscreen, over a main window kept
// in plain containers: the grids, the built-in lists, a refused element and
// its box, the frames of the kinds not in use, the suffix boxes, accepting.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "enlace_prov_prueba.h"
#include "listeditors/list_prov.h"
#include "soporte/mensajes_guion.h"

using namespace listeditors;
using plataforma::Respuesta;
using Lista = std::vector<std::string>;

namespace {

void Pulsa(QWidget* w, int tecla, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& texto = {}) {
  ASSERT_NE(w, nullptr);
  QKeyEvent evento(QEvent::KeyPress, tecla, mod, texto);
  QApplication::sendEvent(w, &evento);
}
void Tecla(QWidget& ventana, int tecla, Qt::KeyboardModifiers mod = Qt::NoModifier) {
  QWidget* foco = QApplication::focusWidget();
  Pulsa(foco ? foco : &ventana, tecla, mod);
}
void Escribe(QLineEdit* celda, const QString& texto) {
  ASSERT_NE(celda, nullptr);
  celda->setFocus();
  celda->selectAll();
  for (QChar c : texto) Pulsa(celda, 0, Qt::NoModifier, QString(c));
}
template <typename T = QPushButton>
T* Control(QWidget& w, const char* nombre) {
  auto* c = w.findChild<T*>(nombre);
  EXPECT_NE(c, nullptr) << nombre;
  return c;
}
QColor Fondo(QLineEdit* c) { return c->palette().color(QPalette::Base); }

class VentanaListProv : public ::testing::Test {
 protected:
  VentanaListProv() {
    for (const char* o : {"CadaProv", "ProvPorBanda", "CadaDistrito", "CadaSufijo"}) enlace.opciones[o] = true;
    enlace.listas["ListaProv"] = {"M", "TO"};
    enlace.listas["ListaExProv"] = {"", ""};
    enlace.listas["ListaExPaises"] = {"CT"};  // countries not in use
    enlace.sufijo = {false, true, false, false, true};
  }
  ListProv& Abre() {
    w = std::make_unique<ListProv>(enlace);
    w->show();
    QApplication::setActiveWindow(w.get());
    QApplication::processEvents();
    return *w;
  }
  Lista Columna(int modo, int columna, int filas) {
    Lista r;
    for (int f = 0; f < filas; ++f) r.push_back(w->Celda(modo, f, columna)->text().toStdString());
    return r;
  }
  prueba::EnlaceProv enlace;
  std::unique_ptr<ListProv> w;
};

TEST_F(VentanaListProv, CuadriculasYEstadoInicial) {
  ListProv& v = Abre();
  EXPECT_EQ(v.windowTitle(), "Configuración avanzada");
  const int filas[] = {14, 14, 5, 4, 4, 17};
  const char* nombres[] = {"Provincia", "Distrito", "Pais", "Prefijo", "ZonaCQ", "Estacion"};
  for (int modo = 0; modo < kNumeroListasProv; ++modo) {
    EXPECT_EQ(v.Modelo().Lista(modo).NumeroLineas, filas[modo]);
    EXPECT_NE(v.findChild<QLineEdit*>(QString("%1_%2").arg(nombres[modo]).arg(filas[modo] - 1)), nullptr)
        << nombres[modo];
    EXPECT_EQ(v.findChild<QLineEdit*>(QString("%1_%2").arg(nombres[modo]).arg(filas[modo])), nullptr);
  }
  EXPECT_EQ(v.Celda(LProvincias, 1, 0)->text(), "TO");
  EXPECT_EQ(v.Serie(LProvincias, 1)->text(), "2");
  EXPECT_EQ(v.Celda(LProvincias, 0, 0)->maxLength(), 6);
  EXPECT_EQ(v.Celda(LProvincias, 13, 1)->maxLength(), 2);
  // Countries not in use: their button and frame are off and the list empty.
  EXPECT_FALSE(Control(v, "ConfPaises")->isEnabled());
  EXPECT_FALSE(Control<QGroupBox>(v, "CodigosPaises")->isEnabled());
  EXPECT_EQ(v.Celda(LPaises, 0, 0)->text(), "");
  EXPECT_TRUE(Control(v, "ConfProv")->isEnabled());
  EXPECT_TRUE(Control<QGroupBox>(v, "FormatoSufijo")->isEnabled());
  EXPECT_TRUE(Control<QCheckBox>(v, "PrimeraLetra")->isChecked());
  EXPECT_TRUE(Control<QCheckBox>(v, "UltimaLetra")->isChecked());
  EXPECT_EQ(Control(v, "Finalizar")->text(), "F10   &Finalizar Configurar");
  EXPECT_EQ(Control(v, "ConfEstaciones")->text(), "Configurar Mult. Estaciones");
  EXPECT_EQ(Control(v, "InsertarProv")->text(), "Insertar Matrículas EA");
  EXPECT_FALSE(Control(v, "InsertarProv")->isEnabled());
  EXPECT_TRUE(Control(v, "Aceptar")->isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), Control(v, "Cancelar"));
  EXPECT_EQ(Control<QLabel>(v, "Informacion")->text().toStdString(), EditorListProv::TextoAyuda(1));
}

TEST_F(VentanaListProv, MatriculasDosVecesYDistritos) {
  ListProv& v = Abre();
  Control(v, "ConfProv")->click();
  EXPECT_EQ(QApplication::focusWidget(), v.Serie(LProvincias, 0));
  EXPECT_EQ(Fondo(v.Serie(LProvincias, 0)), QColor(255, 255, 0));
  for (int vez = 0; vez < 2; ++vez) {
    Control(v, "InsertarProv")->click();
    EXPECT_EQ(v.Modelo().Lista(LProvincias).Lista("ListaProv"), EditorListProv::MatriculasEA());
  }
  EXPECT_EQ(Columna(LProvincias, 0, 3), (Lista{"AV", "BU", "C"}));
  Tecla(v, Qt::Key_End);
  EXPECT_EQ(v.Serie(LProvincias, 9)->text(), "52");
  EXPECT_EQ(v.Celda(LProvincias, 9, 0)->text(), "ML");
  Tecla(v, Qt::Key_F10);
  EXPECT_FALSE(Control(v, "InsertarProv")->isEnabled());
  Control(v, "ConfDistritos")->click();
  Control(v, "InsertarDist")->click();
  EXPECT_EQ(Columna(LDistritos, 0, 10), (Lista{"EA1", "EA2", "EA3", "EA4", "EA5", "EA6", "EA7", "EA8", "EA9", ""}));
  EXPECT_EQ(QApplication::focusWidget(), Control(v, "InsertarDist"));
  Tecla(v, Qt::Key_F10);
  Control(v, "Aceptar")->click();
  EXPECT_FALSE(v.isVisible());
  EXPECT_EQ(enlace.listas["ListaProv"].size(), 52u);
  EXPECT_EQ(enlace.listas["ListaExProv"], Lista(52, ""));
  EXPECT_EQ(enlace.listas["ListaDistritos"].size(), 9u);
  EXPECT_EQ(enlace.sufijo, (FormatoSufijo{false, true, false, false, true}));
}

TEST_F(VentanaListProv, DuplicadoYMarcaRechazados) {
  ListProv& v = Abre();
  Control(v, "ConfProv")->click();
  Tecla(v, Qt::Key_Down);
  Tecla(v, Qt::Key_Down);  // new row 3
  QLineEdit* codigo = v.Celda(LProvincias, 2, 0);
  QLineEdit* marca = v.Celda(LProvincias, 2, 1);
  EXPECT_EQ(QApplication::focusWidget(), codigo);
  EXPECT_EQ(v.Serie(LProvincias, 2)->text(), "3");
  Escribe(codigo, "to");
  EXPECT_EQ(codigo->text(), "TO");
  EXPECT_EQ(Fondo(codigo), QColor(0, 255, 255));
  soporte::Mensajes().Espera(Respuesta::Aceptar, "El Código de Provincia ya está registrado");
  Tecla(v, Qt::Key_F12);
  EXPECT_EQ(QApplication::focusWidget(), codigo);
  Escribe(codigo, "gu");
  Pulsa(codigo, Qt::Key_Return);  // Enter: to the mark
  EXPECT_EQ(QApplication::focusWidget(), marca);
  Escribe(marca, "no");
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Solo se admite SI o nada");
  Tecla(v, Qt::Key_F12);
  EXPECT_EQ(QApplication::focusWidget(), marca);
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 2u);
  EXPECT_EQ(soporte::Mensajes().Cajas()[0].titulo, "VERIFICAR PROVINCIA");
  EXPECT_EQ(soporte::Mensajes().Cajas()[1].titulo, "VERIFICAR ESCLUIR");
  Escribe(marca, "si");
  Tecla(v, Qt::Key_F12);
  EXPECT_EQ(v.Modelo().Lista(LProvincias).Lista("ListaProv"), (Lista{"M", "TO", "GU"}));
  EXPECT_EQ(v.Modelo().Lista(LProvincias).Lista("ListaExProv"), (Lista{"", "", "SI"}));
  EXPECT_EQ(Fondo(marca), QColor(Qt::white));
  // The province number cells refuse typing.
  Pulsa(v.Serie(LProvincias, 0), 0, Qt::NoModifier, "7");
  EXPECT_EQ(v.Serie(LProvincias, 0)->text(), "1");
}

TEST_F(VentanaListProv, TerceraYUltimaLetraSeExcluyen) {
  ListProv& v = Abre();
  auto* tercera = Control<QCheckBox>(v, "TerceraLetra");
  auto* ultima = Control<QCheckBox>(v, "UltimaLetra");
  tercera->click();
  EXPECT_TRUE(tercera->isChecked());
  EXPECT_FALSE(ultima->isChecked());
  ultima->click();
  EXPECT_FALSE(tercera->isChecked());
  EXPECT_TRUE(ultima->isChecked());
  Control<QCheckBox>(v, "ExcluirPropiaProv")->click();
  Control(v, "Cancelar")->click();
  EXPECT_FALSE(v.isVisible());
  EXPECT_EQ(enlace.excluir, (ExcluirPropios{}));
}

}  // namespace

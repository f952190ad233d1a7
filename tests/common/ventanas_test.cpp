#include "common/ventanas.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <memory>

#include "plataforma/impresion.h"
#include "soporte/carpeta_temporal.h"
#include "soporte/mensajes_guion.h"
#include "soporte/texto_pdf.h"

namespace {

using plataforma::Icono;
using plataforma::Respuesta;

TEST(CamposDeVentana, EsCampoEnBlanco) {
  struct Caso {
    std::string entrada;
    bool blanco;
    std::string despues;
  };
  for (const auto& c : {Caso{"", true, ""}, Caso{"   ", true, ""}, Caso{" A ", false, " A "},
                        Caso{"\t", false, "\t"}}) {
    std::string t = c.entrada;
    EXPECT_EQ(c.blanco, EsCampoEnBlanco(t)) << "[" << c.entrada << "]";
    EXPECT_EQ(c.despues, t);
  }
}

TEST(CamposDeVentana, VerificaFormatoNumericoAceptaNumerosYBlancos) {
  for (std::string entrada : {"", "   ", "-", "12", "-12", "3.5"}) {
    std::string t = entrada;
    EXPECT_TRUE(VerificaFormatoNumerico(t)) << "[" << entrada << "]";
    if (entrada.find_first_not_of(' ') == std::string::npos)
      EXPECT_EQ("0", t);
    else
      EXPECT_EQ(entrada, t);
  }
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
}

TEST(CamposDeVentana, VerificaFormatoNumericoRechazaConMensaje) {
  soporte::Mensajes().Espera(Respuesta::Aceptar, ".- ERROR en FORMATO NUMERICO");
  std::string t = "1A";
  EXPECT_FALSE(VerificaFormatoNumerico(t));
  EXPECT_EQ("1A", t);
  ASSERT_EQ(1u, soporte::Mensajes().Cajas().size());
  EXPECT_EQ("VERIFICAR NUMERO ", soporte::Mensajes().Cajas()[0].titulo);
  EXPECT_EQ(Icono::Pregunta, soporte::Mensajes().Cajas()[0].icono);
}

TEST(CamposDeVentana, AvisaDatoEnBlancoConElNombreDelCampo) {
  soporte::Mensajes().Espera(Respuesta::Aceptar, "Este dato no se puede dejar en blanco");
  AvisaDatoEnBlanco("EDICION");
  EXPECT_EQ("EDICION", soporte::Mensajes().Cajas().at(0).titulo);
  EXPECT_EQ(Icono::Pregunta, soporte::Mensajes().Cajas().at(0).icono);
}

TEST(Redimensiona, MaximizarYRestaurarSinLayout) {
  QWidget ventana;
  ventana.resize(900, 600);
  auto* boton = new QPushButton("X", &ventana);
  boton->setGeometry(90, 60, 180, 30);
  QFont f = boton->font();
  f.setPointSizeF(9);
  boton->setFont(f);

  ventana.resize(1200, 900);
  RedimensionaControles(&ventana, 600, 900, true);
  EXPECT_EQ(QRect(120, 90, 240, 45), boton->geometry());
  EXPECT_NEAR(12.0, boton->font().pointSizeF(), 0.01);

  ventana.resize(900, 600);
  RedimensionaControles(&ventana, 600, 900, false);
  EXPECT_EQ(QRect(90, 60, 180, 30), boton->geometry());
  EXPECT_NEAR(9.0, boton->font().pointSizeF(), 0.01);
}

TEST(Redimensiona, CadaVentanaGuardaSuPropioTamanoMaximizado) {
  // Another window maximised in between must not change the factors of the
  // first one when it is restored.
  QWidget a, b;
  a.resize(900, 600);
  auto* etiqueta = new QLabel("A", &a);
  etiqueta->setGeometry(90, 60, 90, 30);
  a.resize(1800, 1200);
  RedimensionaControles(&a, 600, 900, true);
  EXPECT_EQ(QRect(180, 120, 180, 60), etiqueta->geometry());
  b.resize(400, 300);
  RedimensionaControles(&b, 150, 200, true);
  a.resize(900, 600);
  RedimensionaControles(&a, 600, 900, false);
  EXPECT_EQ(QRect(90, 60, 90, 30), etiqueta->geometry());
}

TEST(Redimensiona, ControlesEnLayoutSoloCambianLaFuente) {
  QWidget ventana;
  auto* layout = new QVBoxLayout(&ventana);
  auto* boton = new QPushButton("X");
  layout->addWidget(boton);
  QFont f = boton->font();
  f.setPointSizeF(10);
  boton->setFont(f);
  ventana.resize(1000, 500);
  RedimensionaControles(&ventana, 500, 500, true);
  EXPECT_NEAR(20.0, boton->font().pointSizeF(), 0.01);
  RedimensionaControles(&ventana, 500, 500, false);
  EXPECT_NEAR(10.0, boton->font().pointSizeF(), 0.01);
}

TEST(Impresora, NombreDesconocidoNoCambiaLaActual) {
  plataforma::EleccionImpresora eleccion;
  const std::string antes = plataforma::ImpresoraActual(eleccion);
  EstableceImpresora(eleccion, "NO EXISTE NINGUNA IMPRESORA ASI");
  EXPECT_EQ(antes, plataforma::ImpresoraActual(eleccion));
}

class ImprimeListaPdf : public ::testing::Test {
 protected:
  void SetUp() override { plataforma::EligeSalidaPdf(eleccion, pdf); }
  plataforma::EleccionImpresora eleccion;
  soporte::CarpetaTemporal dir;
  std::string pdf = dir.En("lista.pdf");
};

TEST_F(ImprimeListaPdf, TituloEnMayusculasYLineas) {
  // The items of a list box, as a window prints them.
  QListWidget lista;
  lista.addItem(QString::fromUtf8("EA4ABC   1234"));
  lista.addItem(QString::fromUtf8("QQ1ÑAB   99"));
  ImprimeLista(eleccion, lista, "Clasificación por puntos");
  const std::string texto = soporte::UnBlanco(soporte::TextoDePdf(pdf));
  EXPECT_NE(std::string::npos, texto.find("CLASIFICACIÓN POR PUNTOS")) << texto;
  EXPECT_NE(std::string::npos, texto.find("EA4ABC 1234"));
  EXPECT_NE(std::string::npos, texto.find("QQ1ÑAB 99"));
  EXPECT_EQ(1u, soporte::Paginas(soporte::TextoDePdf(pdf)));
}

TEST_F(ImprimeListaPdf, SaltoForzadoTrasLaLinea60) {
  std::vector<std::string> lineas;
  for (int i = 1; i <= 61; ++i) lineas.push_back("LINEA" + std::to_string(i));
  ImprimeLista(eleccion, lineas, "t");
  const std::string texto = soporte::TextoDePdf(pdf);
  ASSERT_EQ(2u, soporte::Paginas(texto));
  EXPECT_NE(std::string::npos, soporte::Pagina(texto, 1).find("LINEA60"));
  EXPECT_NE(std::string::npos, soporte::Pagina(texto, 2).find("LINEA61"));
}

TEST_F(ImprimeListaPdf, ListaVaciaSoloTituloYLineaEnBlanco) {
  ImprimeLista(eleccion, std::vector<std::string>{}, "Bases concurso");
  const std::string texto = soporte::TextoDePdf(pdf);
  ASSERT_EQ(1u, soporte::Paginas(texto));
  std::string sinBlancos;
  for (char c : texto)
    if (c != ' ' && c != '\n' && c != '\f') sinBlancos += c;
  EXPECT_EQ("BASESCONCURSO", sinBlancos) << texto;
}

// The only forced break comes after the 60th item; later pages break only
// when they are full, so item 121 follows item 120 on the same page.
TEST_F(ImprimeListaPdf, UnSoloSaltoForzadoConDoscientasLineas) {
  std::vector<std::string> lineas;
  for (int i = 1; i <= 200; ++i) lineas.push_back("LINEA" + std::to_string(i) + "FIN");
  ImprimeLista(eleccion, lineas, "t");
  const std::string texto = soporte::TextoDePdf(pdf);
  const std::size_t paginas = soporte::Paginas(texto);
  ASSERT_GE(paginas, 3u);
  EXPECT_NE(std::string::npos, soporte::Pagina(texto, 1).find("LINEA60FIN"));
  EXPECT_EQ(std::string::npos, soporte::Pagina(texto, 1).find("LINEA61FIN"));
  const std::string segunda = soporte::Pagina(texto, 2);
  EXPECT_NE(std::string::npos, segunda.find("LINEA61FIN"));
  EXPECT_NE(std::string::npos, segunda.find("LINEA120FIN"));
  EXPECT_NE(std::string::npos, segunda.find("LINEA121FIN"));
  for (int i = 1; i <= 200; ++i)
    EXPECT_NE(std::string::npos, texto.find("LINEA" + std::to_string(i) + "FIN")) << i;
}

// The list prints in a fixed-pitch face, whatever fonts the machine has:
// narrow and wide letters advance alike in the title (bold) and in the
// items, and every line is one fixed pitch (12 points at 10 points) below
// the one before it.
TEST_F(ImprimeListaPdf, PasoFijoMedidoEnLaHojaImpresa) {
  const std::vector<std::string> items = {"IIIIIIIIII", "MMMMMMMMMM", "..........", "WWWWWWWWWW", "iiiiiiiiii",
                                          "1111111111"};
  ImprimeLista(eleccion, items, "llllllllll mmmmmmmmmm");
  const std::vector<soporte::PalabraPdf> palabras = soporte::PalabrasDePdf(pdf);
  ASSERT_EQ(items.size() + 2, palabras.size());
  const double ancho = palabras[0].Ancho();
  EXPECT_GT(ancho, 40.0);
  for (const auto& p : palabras) {
    EXPECT_EQ(1u, p.pagina) << p.texto;
    EXPECT_NEAR(ancho, p.Ancho(), 0.05) << p.texto;
  }
  EXPECT_EQ("LLLLLLLLLL", palabras[0].texto);
  // Title, empty line, then the items: each item 12 points below the one
  // before it, the first 24 points below the title.
  EXPECT_NEAR(24.0, palabras[2].yMax - palabras[0].yMax, 0.05);
  for (std::size_t i = 3; i < palabras.size(); ++i)
    EXPECT_NEAR(12.0, palabras[i].yMax - palabras[i - 1].yMax, 0.05) << palabras[i].texto;
}

// The title and the 60 items that precede the forced break fill page 1,
// and the lines that follow start at the top of page 2.
TEST_F(ImprimeListaPdf, LasSesentaPrimerasCabenEnLaPrimeraHoja) {
  std::vector<std::string> lineas;
  for (int i = 1; i <= 70; ++i) lineas.push_back("L" + std::to_string(i));
  ImprimeLista(eleccion, lineas, "t");
  const std::vector<soporte::PalabraPdf> palabras = soporte::PalabrasDePdf(pdf);
  ASSERT_EQ(71u, palabras.size());
  for (std::size_t i = 0; i < palabras.size(); ++i) EXPECT_EQ(i <= 60 ? 1u : 2u, palabras[i].pagina) << i;
  EXPECT_NEAR(palabras[0].yMax, palabras[61].yMax, 0.05);
}

TEST(ImprimeListaSinImpresora, AvisaYNoImprime) {
  soporte::CarpetaTemporal dir;
  plataforma::EleccionImpresora eleccion;
  plataforma::EligeSalidaPdf(eleccion, dir.En("no/hay/carpeta.pdf"));
  soporte::Mensajes().Espera(Respuesta::Aceptar);
  ImprimeLista(eleccion, std::vector<std::string>{"A"}, "t");
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  const std::string& texto = soporte::Mensajes().Cajas()[0].texto;
  EXPECT_TRUE(texto.starts_with("La Impresora no está disponible (")) << texto;
  EXPECT_EQ(texto.find("REINICIAR"), std::string::npos) << texto;
  EXPECT_NE(texto.find("Selección Impresora"), std::string::npos) << texto;
  EXPECT_EQ("", soporte::Mensajes().Cajas().at(0).titulo);
}

}  // namespace

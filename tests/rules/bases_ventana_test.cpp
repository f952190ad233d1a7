// The contest-rules window, offscreen, over a contest database of its own:
// the text generated from the stored profile, shown, printed and rewritten
// at every opening, and the failures that leave an empty window.
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

#include "plataforma/impresion.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "rules/bases_concurso.h"
#include "rules/bases_concurso_texto.h"
#include "rules/resumen_cabrillo_bd.h"
#include "soporte/mensajes_guion.h"
#include "soporte/texto_pdf.h"
#include "soporte_formato.h"

using namespace rules;

namespace {

struct EnlaceBasesPrueba : EnlaceBasesConcurso {
  std::string nombre = "CONCURSO PRUEBA";
  std::string edicion = "2024";
  std::int32_t numero = 7;
  std::string carpetaTrabajo;
  std::string carpetaConcurso;
  std::vector<std::string> categorias = {"SINGLE-OP ALL", "SINGLE-OP 20M"};
  int* mostrada = nullptr;

  std::string NombreConcurso() const override { return nombre; }
  std::string EdicionConcurso() const override { return edicion; }
  std::int32_t NumeroConcurso() const override { return numero; }
  std::string CarpetaTrabajo() const override { return carpetaTrabajo; }
  std::string CarpetaConcurso() const override { return carpetaConcurso; }
  std::vector<std::string> CategoriasAdmitidas() const override { return categorias; }
  plataforma::EleccionImpresora impresora;
  const plataforma::EleccionImpresora& Impresora() const override { return impresora; }
  void MuestraVentanaPrincipal() override { ++*mostrada; }
};

class VentanaBases : public ::testing::Test {
 protected:
  VentanaBases() {
    carpetaConcurso = plataforma::UneRuta(carpeta.Ruta(), "CONCURSO PRUEBA_2024");
    plataforma::CreaCarpeta(plataforma::UneRuta(carpetaConcurso, "BasesConcurso"));
    perfil = PerfilInicial();
    perfil.EMailConcurso = "prueba@example.org";
    perfil.AsuntoConcurso = "PRUEBA $";
    perfil.elementos[kRstEnviado] = perfil.elementos[kNumeralEnviado] = true;
    perfil.elementos[kRstRecibido] = perfil.elementos[kNumeralRecibido] = true;
    perfil.columnas = {31, 45, 49, 0, 0, 54, 68, 72, 0, 0};
    perfil.PonCategoria("ModoNoAplicable", false);
    perfil.PonCategoria("SSB", true);
  }
  ~VentanaBases() override {
    if (ventana) delete ventana.data();
  }

  void Graba() { GrabaResumenCabrillo(carpeta.Ruta(), 7, perfil); }

  std::unique_ptr<EnlaceBasesPrueba> Enlace() {
    auto e = std::make_unique<EnlaceBasesPrueba>();
    e->carpetaTrabajo = carpeta.Ruta();
    e->carpetaConcurso = carpetaConcurso;
    e->mostrada = &mostrada;
    return e;
  }

  BasesConcurso& Abre(std::unique_ptr<EnlaceBasesPrueba> e) {
    ventana = AbreBasesConcurso(std::move(e));
    return *ventana;
  }
  BasesConcurso& Abre() { return Abre(Enlace()); }

  // What the generator gives for the stored profile and the link's values.
  std::vector<std::string> TextoEsperado() {
    DatosBasesConcurso d;
    d.NombreConcurso = "CONCURSO PRUEBA";
    d.EdicionConcurso = "2024";
    d.perfil = *CargaResumenCabrillo(carpeta.Ruta(), 7);
    d.categoriasAdmitidas = {"SINGLE-OP ALL", "SINGLE-OP 20M"};
    return GeneraBasesConcurso(d);
  }

  std::string Fichero() const {
    std::string bytes;
    plataforma::LeerBytes(plataforma::UneRuta(carpetaConcurso, "BasesConcurso/FicheroBasesConcurso.LST"), bytes);
    return bytes;
  }

  static QListWidget* Lista(QWidget& w) { return w.findChild<QListWidget*>("ListaBasesConcurso"); }
  static QPushButton* Boton(QWidget& w, const char* nombre) { return w.findChild<QPushButton*>(nombre); }

  // Closes the window and lets it be deleted.
  void Cierra(QPushButton* salir) {
    if (salir)
      salir->click();
    else
      ventana->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  prueba::CarpetaConBase carpeta;
  std::string carpetaConcurso;
  ResumenCabrillo perfil;
  int mostrada = 0;
  QPointer<BasesConcurso> ventana;
};

}  // namespace

TEST_F(VentanaBases, MuestraElTextoEscritoEnElFicheroYVuelveALaPrincipal) {
  Graba();
  BasesConcurso& w = Abre();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), "Bases Concurso");
  EXPECT_EQ(w.findChild<QLabel*>("LBases")->text(),
            "Especificaciones del FORMATO CABRILLO para añadir a las bases del concurso CONCURSO PRUEBA EDICIÓN "
            "2024");
  EXPECT_EQ(Boton(w, "Cruzar")->text(), "Imprimir");
  EXPECT_EQ(Boton(w, "FinClientes")->text(), "SALIR");

  const std::vector<std::string> esperado = TextoEsperado();
  EXPECT_EQ(w.Lineas(), esperado);
  ASSERT_FALSE(w.Lineas().empty());
  EXPECT_EQ(w.Lineas().front(), "");  // the first empty line is an item too
  EXPECT_EQ(w.Lineas().back(), "");
  std::string bytes;
  for (const std::string& l : esperado) bytes += plataforma::AWindows1252(l) + "\r\n";
  EXPECT_EQ(Fichero(), bytes);

  // The ruler, the sample line and the rows of numbers line up.
  QListWidget* lista = Lista(w);
  QFontMetrics medidas(lista->font());
  const int ancho = medidas.horizontalAdvance(QString(20, 'W'));
  for (char c : {'i', '-', ' ', '0', 'Q', '.'}) EXPECT_EQ(medidas.horizontalAdvance(QString(20, c)), ancho) << c;

  EXPECT_EQ(mostrada, 0);
  Cierra(Boton(w, "FinClientes"));
  EXPECT_EQ(mostrada, 1);
  EXPECT_TRUE(ventana.isNull());  // discarded on close
}

TEST_F(VentanaBases, CadaAperturaReescribeElTexto) {
  Graba();
  Abre();
  Cierra(nullptr);  // the window's close box
  EXPECT_EQ(mostrada, 1);

  perfil.EMailConcurso = "nuevo@example.org";
  Graba();
  BasesConcurso& w = Abre();
  const std::vector<std::string> lineas = w.Lineas();
  EXPECT_NE(std::find(lineas.begin(), lineas.end(), ".- Dirección E-MAIL: nuevo@example.org"), lineas.end());
  EXPECT_NE(Fichero().find("nuevo@example.org"), std::string::npos);
  EXPECT_EQ(Fichero().find("prueba@example.org"), std::string::npos);
  // The heading names the contest once.
  QString cabecera = w.findChild<QLabel*>("LBases")->text();
  EXPECT_EQ(cabecera.count("CONCURSO PRUEBA"), 1);
  Cierra(Boton(w, "FinClientes"));
  EXPECT_EQ(mostrada, 2);
}

TEST_F(VentanaBases, SinPerfilCabrilloAvisaYQuedaVacia) {
  // An earlier text of the contest does not survive a failed generation.
  plataforma::EscribirLineas(plataforma::UneRuta(carpetaConcurso, "BasesConcurso/FicheroBasesConcurso.LST"),
                             {"viejo"});
  soporte::Mensajes().Espera();
  BasesConcurso& w = Abre();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_NE(soporte::Mensajes().Cajas()[0].texto.find("FORMATO CABRILLO"), std::string::npos);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(Lista(w)->count(), 0);
  EXPECT_EQ(Fichero(), "");
  Cierra(Boton(w, "FinClientes"));
  EXPECT_EQ(mostrada, 1);
}

TEST_F(VentanaBases, SinCarpetaDeBasesAvisaYQuedaVacia) {
  Graba();
  auto e = Enlace();
  e->carpetaConcurso = plataforma::UneRuta(carpeta.Ruta(), "OTRO_2024");
  soporte::Mensajes().Espera();
  BasesConcurso& w = Abre(std::move(e));
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_NE(soporte::Mensajes().Cajas()[0].texto.find("BasesConcurso"), std::string::npos);
  EXPECT_EQ(Lista(w)->count(), 0);
  EXPECT_FALSE(plataforma::ExisteFichero(plataforma::UneRuta(carpeta.Ruta(), "FicheroBasesConcurso.LST")));

  Cierra(nullptr);

  // Nor with no contest folder at all: nothing lands in the current folder.
  e = Enlace();
  e->carpetaConcurso.clear();
  soporte::Mensajes().Espera();
  BasesConcurso& otra = Abre(std::move(e));
  EXPECT_EQ(Lista(otra)->count(), 0);
  EXPECT_FALSE(plataforma::ExisteFichero("BasesConcurso/FicheroBasesConcurso.LST"));
}

TEST_F(VentanaBases, SinBaseDeDatosAvisaYQuedaVacia) {
  auto e = Enlace();
  e->carpetaTrabajo = carpetaConcurso;  // no Ledrima there
  soporte::Mensajes().Espera();
  BasesConcurso& w = Abre(std::move(e));
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  EXPECT_EQ(Lista(w)->count(), 0);
}

TEST_F(VentanaBases, BuzonYAsuntoSinValorSeLeenVacios) {
  Graba();
  carpeta.Ejecuta("UPDATE ResumenCabrillo SET EMailConcurso = NULL, AsuntoConcurso = NULL");
  BasesConcurso& w = Abre();
  const std::vector<std::string> lineas = w.Lineas();
  EXPECT_NE(std::find(lineas.begin(), lineas.end(), ".- Dirección E-MAIL: "), lineas.end());
  EXPECT_NE(std::find(lineas.begin(), lineas.end(),
                      ".- Asunto:  (Esclusivamente  el INDICATIVO de la estación sin comentarios de ningún tipo)"),
            lineas.end());
}

TEST_F(VentanaBases, ImprimeElTituloYCadaLinea) {
  Graba();
  const std::string pdf = plataforma::UneRuta(carpeta.Ruta(), "bases.pdf");
  std::unique_ptr<EnlaceBasesPrueba> e = Enlace();
  plataforma::EligeSalidaPdf(e->impresora, pdf);
  BasesConcurso& w = Abre(std::move(e));
  Boton(w, "Cruzar")->click();
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
  const std::string texto = soporte::UnBlanco(soporte::TextoDePdf(pdf));
  EXPECT_NE(texto.find("BASES CONCURSO"), std::string::npos);
  EXPECT_NE(texto.find("Envío de LISTAS."), std::string::npos);
  EXPECT_NE(texto.find("QSO: 3500 PH 2009-12-30 1648 QQ0QQ 59x 0001 QQ5WBX 59x 0001"), std::string::npos);
  EXPECT_LT(texto.find("BASES CONCURSO"), texto.find("Envío de LISTAS."));
}

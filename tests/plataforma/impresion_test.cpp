#include "plataforma/impresion.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "plataforma/fuente_fija.h"
#include "plataforma/lenguaje.h"
#include "soporte/carpeta_temporal.h"
#include "soporte/texto_pdf.h"

using namespace plataforma;

namespace {

using soporte::Pagina;
using soporte::Paginas;
using soporte::TextoDePdf;
using soporte::UnBlanco;

class ImpresionPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    pdf = dir.En("lista.pdf");
    EligeSalidaPdf(eleccion, pdf);
  }
  EleccionImpresora eleccion;
  soporte::CarpetaTemporal dir;
  std::string pdf;
};

}  // namespace

TEST_F(ImpresionPdf, UnaListaSeLeeDeVueltaDelPdf) {
  EXPECT_EQ(pdf, ImpresoraActual(eleccion));
  {
    DocumentoImpreso d(eleccion);
    d.FuenteFija(10, true);
    d.Linea("LISTAS VALIDAS");
    d.Linea("");
    d.FuenteFija(10, false);
    d.Linea("EA1ABC      CONCURSANTE: AÑO 2024 €");
    d.Linea("EA4XYZ      120 QSO");
    d.NuevaPagina();
    d.Linea("SEGUNDA PAGINA");
    EXPECT_EQ(2, d.Pagina());
    d.Fin();
  }
  const std::string t = TextoDePdf(pdf);
  ASSERT_EQ(2u, Paginas(t)) << t;
  const std::string p1 = UnBlanco(Pagina(t, 1));
  EXPECT_NE(std::string::npos, p1.find("LISTAS VALIDAS")) << t;
  EXPECT_NE(std::string::npos, p1.find("EA1ABC CONCURSANTE: AÑO 2024 €")) << t;
  EXPECT_NE(std::string::npos, p1.find("EA4XYZ")) << t;
  EXPECT_LT(p1.find("LISTAS VALIDAS"), p1.find("EA1ABC"));
  EXPECT_LT(p1.find("EA1ABC"), p1.find("EA4XYZ"));
  EXPECT_NE(std::string::npos, Pagina(t, 2).find("SEGUNDA PAGINA")) << t;
}

TEST_F(ImpresionPdf, UnaPaginaLlenaSigueEnLaSiguienteSinPerderLineas) {
  {
    DocumentoImpreso d(eleccion);
    d.FuenteFija(10, false);
    for (int i = 1; i <= 200; ++i) d.Linea("LINEA " + ConCeros(i, 3));
    d.Fin();
  }
  const std::string t = TextoDePdf(pdf);
  EXPECT_GE(Paginas(t), 3u);
  std::size_t desde = 0;
  for (int i = 1; i <= 200; ++i) {
    const std::size_t p = t.find("LINEA " + ConCeros(i, 3), desde);
    ASSERT_NE(std::string::npos, p) << "falta la línea " << i;
    desde = p;
  }
  // The first page is full before the second starts.
  EXPECT_NE(std::string::npos, Pagina(t, 1).find("LINEA 050"));
}

TEST_F(ImpresionPdf, CancelarAbandonaElDocumento) {
  DocumentoImpreso d(eleccion);
  d.Linea("x");
  d.Cancela();
  EXPECT_THROW(d.Linea("y"), ErrorImpresora);
  EXPECT_THROW(d.NuevaPagina(), ErrorImpresora);
  d.Cancela();
  d.Fin();  // nothing more happens
}

TEST_F(ImpresionPdf, UnDocumentoSinTerminarSeCancelaSinRomperNada) {
  { DocumentoImpreso d(eleccion); d.Linea("x"); }
  DocumentoImpreso otro(eleccion);
  otro.Linea("otro");
  otro.Fin();
  EXPECT_NE(std::string::npos, TextoDePdf(pdf).find("otro"));
}

TEST_F(ImpresionPdf, UnPdfImposibleEsUnErrorDeImpresora) {
  EligeSalidaPdf(eleccion, dir.En("no/hay/carpeta.pdf"));
  EXPECT_THROW(DocumentoImpreso d(eleccion), ErrorImpresora);
}

// Measured, not taken from the face's name: every character advances by the
// same width, bold or not, and the size is the one asked for.
TEST(FuenteDePasoFijo, TodasLasLetrasAvanzanIgual) {
  for (bool negrita : {false, true}) {
    const QFont f = FuenteDePasoFijo(10, negrita);
    EXPECT_EQ(negrita, f.bold());
    EXPECT_FALSE(f.italic());
    EXPECT_DOUBLE_EQ(10.0, f.pointSizeF());
    EXPECT_TRUE(QFontInfo(f).fixedPitch());
    const QFontMetricsF m(f);
    const double ancho = m.horizontalAdvance(QChar('M'));
    EXPECT_GT(ancho, 0.0);
    for (QChar c : QStringLiteral("iIlW.1 Ñé€"))
      EXPECT_NEAR(ancho, m.horizontalAdvance(c), 1e-6) << negrita << " " << QString(c).toStdString();
    EXPECT_NEAR(10 * ancho, m.horizontalAdvance(QStringLiteral("iiiiiWWWWW")), 1e-3);
  }
}

TEST(Impresoras, ElegirUnaQueNoExisteNoCambiaLaActual) {
  EleccionImpresora eleccion;
  const std::string antes = ImpresoraActual(eleccion);
  EXPECT_FALSE(EligeImpresora(eleccion, "Impresora que no existe"));
  EXPECT_EQ(antes, ImpresoraActual(eleccion));
  const auto lista = Impresoras();
  EXPECT_EQ(!lista.empty(), HayImpresoras());
  if (!lista.empty()) {
    EXPECT_TRUE(EligeImpresora(eleccion, lista.back()));
    EXPECT_EQ(lista.back(), ImpresoraActual(eleccion));
    UsaImpresoraPredeterminada(eleccion);
    EXPECT_EQ(antes, ImpresoraActual(eleccion));
  }
}

TEST(Impresoras, SinImpresoraSeDiceYNoSeRompeNada) {
  EleccionImpresora eleccion;
  if (!ImpresoraPredeterminada().empty()) GTEST_SKIP() << "esta máquina tiene impresora";
  EXPECT_EQ("", ImpresoraActual(eleccion));
  try {
    DocumentoImpreso d(eleccion);
    ADD_FAILURE() << "un documento sin impresora no debe empezar";
  } catch (const ErrorImpresora& e) {
    EXPECT_STRNE("", e.what());
  }
}

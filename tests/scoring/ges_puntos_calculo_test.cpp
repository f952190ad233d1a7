// The cross-check window's `Calcular`, with no scoring run given: it scores
// the crossed logs of the contest its opener gives, lists the score files,
// and names in one message a crossed log it could not score.
#include <gtest/gtest.h>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include <memory>
#include <string>

#include "concurso_cruce_prueba.h"
#include "paises_prueba.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/ges_puntos.h"
#include "soporte/mensajes_guion.h"

namespace scoring {
namespace {

struct EnlaceCalculo : EnlaceGesPuntos {
  prueba::ConcursoCrucePrueba* f = nullptr;
  const TablasPaises* paises = nullptr;
  dao::Database& BaseConcursos() override { return f->base; }
  std::int32_t NumeroConcurso() const override { return prueba::ConcursoCrucePrueba::kNumero; }
  std::string CarpetaTrabajo() const override { return f->trabajo; }
  std::string CarpetaConcurso() const override { return f->carpeta; }
  const TablasPaises* Paises() const override { return paises; }
  bool HayListasNuevas() const override { return false; }
  plataforma::EleccionImpresora impresora;
  const plataforma::EleccionImpresora& Impresora() const override { return impresora; }
  void PonHayListasNuevas(bool) override {}
  void MuestraVentanaCorreo() override {}
};

class VentanaGesPuntosCalculo : public ::testing::Test {
 protected:
  VentanaGesPuntosCalculo() : paises(PaisesPrueba()) {
    f.PonColumnas({{"AnularQSO", true}, {"Banda14", true}, {"Banda7", true}});
  }
  ~VentanaGesPuntosCalculo() override {
    if (ventana) delete ventana.data();
  }
  GesPuntos& Abre() {
    auto e = std::make_unique<EnlaceCalculo>();
    e->f = &f;
    e->paises = paises.get();
    ventana = AbreGesPuntos(std::move(e));
    return *ventana;
  }
  QListWidget* Lista(const char* nombre) { return ventana->findChild<QListWidget*>(nombre); }

  prueba::ConcursoCrucePrueba f;
  std::unique_ptr<TablasPaises> paises;
  QPointer<GesPuntos> ventana;
};

TEST_F(VentanaGesPuntosCalculo, PuntuaLasListasCruzadas) {
  Abre();
  ventana->findChild<QPushButton*>("Cruzar")->click();
  const int cruzadas = Lista("ListasCruzadas")->count();
  ASSERT_GT(cruzadas, 0);
  // The cross-check discarded the scores: no count shown.
  EXPECT_EQ(ventana->findChild<QLabel*>("LPuntuaciones")->text(), "");
  ventana->findChild<QPushButton*>("Calcular")->click();
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
  EXPECT_EQ(Lista("ListasPuntuaciones")->count(), cruzadas);
  EXPECT_EQ(ventana->findChild<QLabel*>("LPuntuaciones")->text(), QString::number(cruzadas) + " Listas");
  EXPECT_EQ(ventana->findChild<QLabel*>("LProceso")->text(), "FIN DE CÁLCULOS");
  EXPECT_EQ(static_cast<int>(plataforma::ListaFicheros(f.En("ListasPuntuaciones")).size()), cruzadas);
  EXPECT_TRUE(ventana->findChild<QPushButton*>("Calcular")->isEnabled());
}

TEST_F(VentanaGesPuntosCalculo, NombraLaListaQueNoPuedePuntuar) {
  Abre();
  ventana->findChild<QPushButton*>("Cruzar")->click();
  ASSERT_GT(Lista("ListasCruzadas")->count(), 1);
  const std::string primera = Lista("ListasCruzadas")->item(0)->text().toStdString();
  plataforma::BorraFichero(plataforma::ResuelveRuta(f.En("ListasCruzadas/" + primera)));
  soporte::Mensajes().Espera();
  ventana->findChild<QPushButton*>("Calcular")->click();
  ASSERT_EQ(soporte::Mensajes().Cajas().size(), 1u);
  const auto& caja = soporte::Mensajes().Cajas()[0];
  EXPECT_EQ(caja.titulo, "ADVERTENCIA");
  EXPECT_EQ(caja.texto.rfind("No se han podido puntuar estas listas:\n" + primera + ": ", 0), 0u) << caja.texto;
  EXPECT_EQ(Lista("ListasPuntuaciones")->count(), Lista("ListasCruzadas")->count() - 1);
}

}  // namespace
}  // namespace scoring

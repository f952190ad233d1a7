// Reading what the cross-check needs of a contest from the contest
// database: the repeat rules, the annulment columns and `NumeroListas`, the
// period and the exchange flags.
#include "scoring/configuracion_cruce.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "database/creacion.h"
#include "plataforma/dao.h"
#include "soporte/carpeta_temporal.h"

namespace scoring {
namespace {

class LeeDatosCruceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    database::CreaBaseConcursosVacia(tmp_.En("Ledrima"));
    base_ = dao::OpenDatabase(tmp_.En("Ledrima"));
  }
  void TearDown() override { base_.Close(); }

  void Agrega(std::string_view tabla, const std::vector<std::pair<const char*, dao::Variant>>& valores) {
    dao::Recordset rs = base_.OpenRecordset(tabla);
    rs.AddNew();
    for (const auto& [nombre, valor] : valores) rs[nombre].SetValue(valor);
    rs.Update();
    rs.Close();
  }

  soporte::CarpetaTemporal tmp_;
  dao::Database base_;
};

TEST_F(LeeDatosCruceTest, ContestComoSeCrea) {
  // A contest as created: AnularQSO, AnularCinco and AnularPorBandaDistinta
  // set, the other annulment fields clear, NumeroListas without a value.
  Agrega("Concursos", {{"NumeroOrden", 3},
                       {"Concurso", "CONCURSO DE PRUEBA"},
                       {"DesdeDia", *dao::Fecha::Desde("30-12-2009")},
                       {"DesdeHora", "12:00"},
                       {"HastaDia", *dao::Fecha::Desde("31-12-2009")},
                       {"HastaHora", "18:30"},
                       {"AnularQSO", true},
                       {"AnularCinco", true},
                       {"AnularPorBandaDistinta", true},
                       {"AnularPorFecha", false},
                       {"AnularPorFechaDistinta", false},
                       {"AnularPorRSTDistinto", false},
                       {"RepetirEnCadaBanda", true},
                       {"RepetirCadaHoras", true}});
  Agrega("ResumenCabrillo", {{"NumeroOrden", 3},
                             {"RstEnviado", true},
                             {"NumeralEnviado", true},
                             {"RstRecibido", true},
                             {"LetrasRecibidas", true},
                             {"LocatorRecibido", true}});
  DatosCruce d;
  ASSERT_TRUE(LeeDatosCruce(base_, 3, d));
  EXPECT_EQ(d.NombreConcurso, "CONCURSO DE PRUEBA");
  EXPECT_EQ(d.Periodo.DesdeDia, (plataforma::Fecha{2009, 12, 30}));
  EXPECT_EQ(d.Periodo.HastaDia, (plataforma::Fecha{2009, 12, 31}));
  EXPECT_EQ(d.Periodo.DesdeHora, "12:00");
  EXPECT_EQ(d.Periodo.HastaHora, "18:30");

  const OpcionesAnulacion& a = d.AnulacionGuardada;
  EXPECT_TRUE(a.AnularQSO);
  EXPECT_TRUE(a.AnularCinco);
  EXPECT_TRUE(a.AnularPorBandaDistinta);
  for (bool v : {a.AnularDos, a.AnularDiez, a.AnularQuince, a.AnularPorModoDistinto, a.AnularPorNoExistir,
                 a.AnularPorControlesDistintos, a.AnularPorFecha, a.AnularPorFechaDistinta, a.AnularPorRstDistinto,
                 a.AnularQSOSiNoEstaEN, a.AnularPorPortableDistinto})
    EXPECT_FALSE(v);
  EXPECT_EQ(a.NumeroListas, "");
  EXPECT_EQ(a.NumeroListasRequerido(), 0);

  EXPECT_FALSE(d.Repeticion.RepetirEstacion);
  EXPECT_TRUE(d.Repeticion.RepetirEnCadaBanda);
  EXPECT_FALSE(d.Repeticion.RepetirEnCadaModo);
  EXPECT_TRUE(d.Repeticion.RepetirCadaHoras);
  EXPECT_FALSE(d.Repeticion.NoRepetir);

  ASSERT_TRUE(d.HayResumen);
  EXPECT_TRUE(d.Intercambio.enviado.rst);
  EXPECT_TRUE(d.Intercambio.enviado.numeral);
  EXPECT_FALSE(d.Intercambio.enviado.letras);
  EXPECT_TRUE(d.Intercambio.recibido.rst);
  EXPECT_FALSE(d.Intercambio.recibido.numeral);
  EXPECT_TRUE(d.Intercambio.recibido.letras);
  EXPECT_TRUE(d.Intercambio.recibido.locator);
}

TEST_F(LeeDatosCruceTest, CamposAnadidosYSinValor) {
  Agrega("Concursos", {{"NumeroOrden", 4},
                       {"Concurso", "OTRO"},
                       {"AnularQSOSiNoEstaEN", true},
                       {"NumeroListas", "12"},
                       {"AnularPorRSTDistinto", true},
                       {"AnularPorPortableDistinto", true},
                       {"RepetirEstacion", true},
                       {"NoRepetir", true}});
  DatosCruce d;
  ASSERT_TRUE(LeeDatosCruce(base_, 4, d));
  EXPECT_TRUE(d.AnulacionGuardada.AnularQSOSiNoEstaEN);
  EXPECT_TRUE(d.AnulacionGuardada.AnularPorRstDistinto);
  EXPECT_TRUE(d.AnulacionGuardada.AnularPorPortableDistinto);
  EXPECT_FALSE(d.AnulacionGuardada.AnularQSO);  // no value: False
  EXPECT_EQ(d.AnulacionGuardada.NumeroListasRequerido(), 12);
  EXPECT_TRUE(d.Repeticion.RepetirEstacion);
  EXPECT_TRUE(d.Repeticion.NoRepetir);
  // Missing period fields leave the period open; no profile row, no flag.
  EXPECT_FALSE(d.Periodo.DesdeDia.has_value());
  EXPECT_EQ(d.Periodo.DesdeHora, "");
  EXPECT_FALSE(d.HayResumen);
  EXPECT_FALSE(d.Intercambio.enviado.rst);

  EXPECT_FALSE(LeeDatosCruce(base_, 99, d));
}

}  // namespace
}  // namespace scoring

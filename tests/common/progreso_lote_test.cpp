// The count of a run over many logs: which log of how many each step text
// is about, and the share of the whole run that the bar shows.
#include "common/progreso_lote.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ProgresoLote, PorNombreCuentaElLugarDeCadaListaYLaParteDelTotal) {
  ProgresoLote p;
  EXPECT_EQ(p.Texto("Procesando A.LOG"), "Procesando A.LOG");  // no run: as it is
  EXPECT_EQ(p.Porcentaje(40), 40);
  p.Empieza(std::vector<std::string>{"A.LOG", "B.LOG", "C.LOG", "D.LOG"});
  EXPECT_EQ(p.Porcentaje(0), 0);
  EXPECT_EQ(p.Texto("Marcando"), "Marcando");  // before the first log
  // A control log skipped by the run: the next one keeps its own place.
  EXPECT_EQ(p.Texto("Procesando B.LOG"), "Procesando B.LOG (2 de 4)");
  EXPECT_EQ(p.Porcentaje(0), 25);
  EXPECT_EQ(p.Porcentaje(50), 37);
  EXPECT_EQ(p.Porcentaje(100), 50);
  EXPECT_EQ(p.Porcentaje(250), 50);  // a log's share never passes its own end
  EXPECT_EQ(p.Texto("Calculando D.LOG"), "Calculando D.LOG (4 de 4)");
  EXPECT_EQ(p.Porcentaje(100), 100);
  // The other steps say which log they are about; an unknown name keeps the place.
  EXPECT_EQ(p.Texto("FIN PROCESO"), "FIN PROCESO (4 de 4)");
  EXPECT_EQ(p.Texto("Procesando X.LOG"), "Procesando X.LOG (4 de 4)");
  p.Termina();
  EXPECT_EQ(p.Texto("FIN PROCESO"), "FIN PROCESO");
  EXPECT_EQ(p.Porcentaje(7), 7);
}

TEST(ProgresoLote, ContadasCadaListaNombradaCuentaUnaMasSinPasarDelTotal) {
  ProgresoLote p;
  p.Empieza(std::size_t{2});
  EXPECT_EQ(p.Texto("Procesando A.LOG"), "Procesando A.LOG (1 de 2)");
  EXPECT_EQ(p.Texto("Generando LISTA VALIDA"), "Generando LISTA VALIDA (1 de 2)");
  // The same name again is another log (a second mail with the same attachment).
  EXPECT_EQ(p.Texto("Procesando A.LOG"), "Procesando A.LOG (2 de 2)");
  EXPECT_EQ(p.Texto("Procesando B.LOG"), "Procesando B.LOG (2 de 2)");
  EXPECT_EQ(p.Porcentaje(50), 75);
  // A run of no logs completes nothing.
  p.Empieza(std::size_t{0});
  EXPECT_EQ(p.Texto("Procesando A.LOG"), "Procesando A.LOG");
  EXPECT_EQ(p.Porcentaje(30), 30);
}

}  // namespace

// Load and save of the ResumenCabrillo row on the contest database.
#include <gtest/gtest.h>

#include "rules/resumen_cabrillo_bd.h"
#include "soporte_formato.h"

using namespace rules;

namespace {

bool Igual(const ResumenCabrillo& a, const ResumenCabrillo& b) {
  return a.categorias == b.categorias && a.elementos == b.elementos && a.columnas == b.columnas &&
         a.EMailConcurso == b.EMailConcurso && a.AsuntoConcurso == b.AsuntoConcurso &&
         a.PuntosEnviados == b.PuntosEnviados && a.PuntosRecibidos == b.PuntosRecibidos &&
         a.MisPuntos == b.MisPuntos && a.SusPuntos == b.SusPuntos;
}

}  // namespace

TEST(ResumenCabrilloBd, CadaColumnaVuelveComoSeGrabo) {
  prueba::CarpetaConBase carpeta;
  EXPECT_FALSE(CargaResumenCabrillo(carpeta.Ruta(), 3));

  // Two patterns that between them set and clear every column.
  for (int patron = 0; patron < 2; ++patron) {
    ResumenCabrillo fila;
    for (std::size_t i = 0; i < fila.categorias.size(); ++i) fila.categorias[i] = (i + patron) % 2 == 0;
    for (std::size_t i = 0; i < fila.elementos.size(); ++i) fila.elementos[i] = (i + patron) % 2 == 1;
    for (std::size_t i = 0; i < fila.columnas.size(); ++i) fila.columnas[i] = static_cast<int>(31 + 7 * i + patron);
    fila.EMailConcurso = patron ? "" : "año@concurso.es";
    fila.AsuntoConcurso = patron ? std::string(64, 'x') : "Log de $ – ñ";
    fila.PuntosEnviados = fila.PuntosRecibidos = true;
    fila.MisPuntos = 57 + patron;
    fila.SusPuntos = 86 + patron;
    GrabaResumenCabrillo(carpeta.Ruta(), 3, fila);
    auto leida = CargaResumenCabrillo(carpeta.Ruta(), 3);
    ASSERT_TRUE(leida);
    EXPECT_TRUE(Igual(*leida, fila)) << "patrón " << patron;
  }
  EXPECT_EQ(carpeta.Filas().size(), 1u);  // the second save edited the row

  // A save without the points layout keeps the stored points.
  ResumenCabrillo otra = PerfilInicial();
  GrabaResumenCabrillo(carpeta.Ruta(), 3, otra);
  auto leida = CargaResumenCabrillo(carpeta.Ruta(), 3);
  ASSERT_TRUE(leida);
  EXPECT_EQ(leida->MisPuntos, 58);
  EXPECT_EQ(leida->PuntosEnviados, true);
  EXPECT_EQ(leida->categorias, otra.categorias);
  // Other contests are not touched.
  EXPECT_FALSE(CargaResumenCabrillo(carpeta.Ruta(), 4));
}

TEST(ResumenCabrilloBd, FallosDeLaBaseDeDatos) {
  prueba::CarpetaConBase carpeta;
  EXPECT_THROW(CargaResumenCabrillo(carpeta.Ruta() + "/falta", 1), ErrorResumenCabrillo);
  ResumenCabrillo fila = PerfilInicial();
  fila.EMailConcurso = std::string(65, 'a');  // longer than its column: refused, never cut
  EXPECT_THROW(GrabaResumenCabrillo(carpeta.Ruta(), 1, fila), ErrorResumenCabrillo);
  EXPECT_TRUE(carpeta.Filas().empty());
}

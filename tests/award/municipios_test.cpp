#include "award/municipios.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace award {
namespace {

TEST(Municipios, TablaConDiezComarcasYCientoDosMunicipiosSinCodigosRepetidos) {
  const TablaDeMunicipios& tabla = TablaMunicipios();
  const int tamanos[kNumeroComarcas + 1] = {0, 9, 11, 11, 8, 4, 7, 12, 8, 19, 13};
  std::set<std::string_view> codigos;
  for (int c = 1; c <= kNumeroComarcas; ++c) {
    for (int h = 1; h <= kHuecosPorComarca; ++h) {
      const CeldaMunicipio& celda = tabla[c][h];
      if (h <= tamanos[c]) {
        EXPECT_EQ(celda.Codigo.size(), 5u) << c << "," << h;
        EXPECT_EQ(celda.Codigo.substr(0, 2), "39");
        EXPECT_FALSE(celda.Municipio.empty());
        EXPECT_EQ(celda.Comarca, tabla[c][1].Comarca);
        codigos.insert(celda.Codigo);
      } else {
        EXPECT_TRUE(celda.Comarca.empty() && celda.Municipio.empty() && celda.Codigo.empty()) << c << "," << h;
      }
    }
  }
  EXPECT_EQ(codigos.size(), 102u);
  for (int h = 0; h <= kHuecosPorComarca; ++h) EXPECT_TRUE(tabla[0][h].Vacia());
  for (int c = 0; c <= kNumeroComarcas; ++c) EXPECT_TRUE(tabla[c][0].Vacia());

  EXPECT_EQ(tabla[1][1].Comarca, "Asón-Agüera");
  EXPECT_EQ(tabla[1][1].Municipio, "Ampuero");
  EXPECT_EQ(tabla[3][2].Codigo, "39017");  // slot order as given, not code order
  EXPECT_EQ(tabla[9][19].Municipio, "Voto");
  EXPECT_EQ(tabla[10][13].Comarca, "Valles Pasiegos");
  EXPECT_EQ(tabla[10][13].Codigo, "39100");
}

TEST(Municipios, BuscaMunicipioDaComarcaYHuecoODejaLosValores) {
  struct Caso {
    const char* codigo;
    std::int16_t comarca, hueco;
  };
  const Caso casos[] = {
      {"39002", 1, 1},
      {"39101", 1, 9},
      {"39087", 2, 11},
      {"39017", 3, 2},
      {"39020", 5, 1},
      {"39102", 9, 19},
      {"39100", 10, 13},
      // Not in the table: the values stay as the caller set them.
      {"39000", -1, -1},
      {"39103", -1, -1},
      {"3900", -1, -1},
      {" 39002", -1, -1},
      {"39002 ", -1, -1},
      {"390020", -1, -1},
      {"", -1, -1},
  };
  for (const Caso& caso : casos) {
    std::int16_t comarca = -1, hueco = -1;
    BuscaMunicipio(caso.codigo, comarca, hueco);
    EXPECT_EQ(comarca, caso.comarca) << caso.codigo;
    EXPECT_EQ(hueco, caso.hueco) << caso.codigo;
  }
}

TEST(Municipios, EsDmeValido) {
  for (const char* codigo : {"39002", "39075", "39102", "39100", "39001"}) EXPECT_TRUE(EsDmeValido(codigo)) << codigo;
  // An empty code is no municipality, although the empty cells hold one.
  for (const char* codigo : {"", " ", "-", "39000", "39103", "28079", "3902", "39002X", "X39002", " 39002", "39002 "})
    EXPECT_FALSE(EsDmeValido(codigo)) << '"' << codigo << '"';
}

}  // namespace
}  // namespace award

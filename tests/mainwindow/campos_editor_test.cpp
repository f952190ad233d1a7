#include <gtest/gtest.h>

#include "mainwindow/campos_editor.h"
#include "fixture_principal.h"
#include "mainwindow/registro_concurso.h"

using namespace principal;

TEST(CamposEditor, EnterSigueElAnilloFijo) {
  const int esperado[kNumeroCamposTexto] = {1, 2, 3, 4, 5, 6, 1, 8, 9, 10, 11, 12, 13, 14,
                                            15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 7, 26, 1};
  for (int i = 0; i < kNumeroCamposTexto; ++i) EXPECT_EQ(SiguienteCampoEnter(i), esperado[i]) << "desde " << i;
}

TEST(CamposEditor, FlechasSegunConsulta) {
  struct Caso {
    int desde, arriba, abajo, arribaConsulta, abajoConsulta;
  };
  const Caso casos[] = {
      {0, 6, 1, 6, 1},       {1, 6, 2, 0, 2},     {3, 2, 4, 2, 4},     {6, 5, 1, 5, 0},
      {7, 24, 8, 24, 8},     {15, 14, 16, 14, 16}, {24, 23, 7, 23, 7}, {25, 24, 26, 24, 26},
      {26, 6, 1, 0, 0},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(CampoArriba(c.desde, false), c.arriba) << c.desde;
    EXPECT_EQ(CampoAbajo(c.desde, false), c.abajo) << c.desde;
    EXPECT_EQ(CampoArriba(c.desde, true), c.arribaConsulta) << c.desde;
    EXPECT_EQ(CampoAbajo(c.desde, true), c.abajoConsulta) << c.desde;
  }
}

TEST(CamposEditor, ElFocoSaltaLasCajasQueNoPuedenTomarlo) {
  auto todas = [](int) { return true; };
  auto sin26 = [](int i) { return i != 26; };
  EXPECT_EQ(PrimerCampoDisponible(25, SiguienteCampoEnter, todas), 26);
  EXPECT_EQ(PrimerCampoDisponible(25, SiguienteCampoEnter, sin26), 1);
  EXPECT_EQ(PrimerCampoDisponible(25, [](int i) { return CampoAbajo(i, false); }, sin26), 1);
  // Nothing available on the ring: no move at all.
  EXPECT_EQ(PrimerCampoDisponible(7, SiguienteCampoEnter, [](int) { return false; }), -1);
}

TEST(CamposEditor, LongitudMaximaPorTipoDeColumna) {
  EXPECT_EQ(LongitudMaxima(TipoColumna::Entero16, 2, 0, 99), 4);
  EXPECT_EQ(LongitudMaxima(TipoColumna::Entero32, 4, 0, 99), 11);
  EXPECT_EQ(LongitudMaxima(TipoColumna::Doble, 8, 0, 99), 11);
  EXPECT_EQ(LongitudMaxima(TipoColumna::Fecha, 8, 0, 99), 10);
  EXPECT_EQ(LongitudMaxima(TipoColumna::Texto, 64, 0, 99), 64);
  EXPECT_EQ(LongitudMaxima(TipoColumna::Texto, 5, 2, 99), 7);
  EXPECT_EQ(LongitudMaxima(TipoColumna::Booleano, 1, 0, 99), 99);
}

TEST(CamposEditor, MayusculasDeLoTecleado) {
  EXPECT_EQ(MayusculasTecleadas("añb"), "AÑB");
  EXPECT_EQ(MayusculasTecleadas("éü çø ÿšœž"), "ÉÜ ÇØ ŸŠŒŽ");
  EXPECT_EQ(MayusculasTecleadas("12 -/.÷ß"), "12 -/.÷ß");
  EXPECT_EQ(MayusculaTecla(8), 8u);  // Backspace
}

TEST(CamposEditor, FechaComoDiaMesAnio) {
  EXPECT_EQ(FechaComoDiaMesAnio("2024-03-09"), "09-03-2024");
  EXPECT_EQ(FechaComoDiaMesAnio("2024-03-09 00:00:00"), "09-03-2024");
  EXPECT_EQ(FechaComoDiaMesAnio("9/3/2024"), "09-03-2024");
  EXPECT_EQ(FechaComoDiaMesAnio("09-03-2024"), "09-03-2024");
  EXPECT_EQ(FechaComoDiaMesAnio(""), "");
  EXPECT_EQ(FechaComoDiaMesAnio("mañana"), "mañana");
}

TEST(RegistroConcurso, NombresSinCasoYNulos) {
  RegistroConcursoMemoria fila(prueba::ColumnasConcursos());
  ASSERT_EQ(fila.Posicion("Concurso"), 1);
  ASSERT_EQ(fila.Posicion("BandaUser"), 40);
  ASSERT_EQ(fila.Posicion("ModoUSER4"), 52);
  fila.Pon("RECIBIRPUNTOSPORKM", "1");
  EXPECT_TRUE(fila.LeeBooleano("RecibirPuntosPorKm"));
  EXPECT_FALSE(fila.LeeBooleano("CqPorDia"));  // Null reads as False
  EXPECT_FALSE(fila.LeeTexto("WEBConcurso").has_value());
  EXPECT_THROW(fila.LeeTexto("NoExiste"), std::out_of_range);
  EXPECT_THROW(fila.LeeTexto(500), std::out_of_range);
}

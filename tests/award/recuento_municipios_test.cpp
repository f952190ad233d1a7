// The count of one merged award log: the code of a QSO line, which lines
// count, the entry lines of the statistics lists, the column factor and the
// three award levels.
#include "award/recuento_municipios.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace award {
namespace {

std::string Qso(const std::string& codigo, const std::string& banda = "14000") {
  return "QSO: " + banda + " PH 2026-05-01 1000 EA1AAA 59 39075 EA4XYZ 59 " + codigo;
}

// The codes of the first `cuantos[c]` municipalities of each district.
std::vector<std::string> Primeros(const std::array<int, kNumeroComarcas + 1>& cuantos) {
  std::vector<std::string> lineas;
  for (int c = 1; c <= kNumeroComarcas; ++c)
    for (int h = 1; h <= cuantos[c]; ++h) lineas.push_back(Qso(std::string(TablaMunicipios()[c][h].Codigo)));
  return lineas;
}

TEST(ExtraeDmeLineaQso, TomaElDecimoCampoTrasLaEtiqueta) {
  struct Caso {
    std::string linea, codigo;
  };
  const Caso casos[] = {
      {Qso("39002"), "39002"},
      {"QSO:  14000   PH 2026-05-01 1000 EA1AAA 59 39075 EA4XYZ 59    39087   ", "39087"},
      {"QSO: 14000\tPH\t2026-05-01\t1000\tEA1AAA\t59\t39075\tEA4XYZ\t59\t39100", "39100"},
      {"QSO: 14000\t PH 2026-05-01 1000 EA1AAA 59 39075 EA4XYZ 59 39055 EXTRA", "39055"},
      {"QSO: 14000 PH 2026-05-01 1000 EA1AAA 59 39075 EA4XYZ 59", ""},  // nine fields
      {"QSO:", ""},
      {"", ""},
      {Qso("-"), "-"},
  };
  for (const Caso& caso : casos) {
    std::string codigo = "sin tocar";
    ExtraeDmeLineaQso(caso.linea, codigo);
    EXPECT_EQ(codigo, caso.codigo) << caso.linea;
  }
}

TEST(FactorColumnas, RedondeaAlParYNuncaBajaDeUno) {
  struct Caso {
    long twips;
    int k;
  };
  const Caso casos[] = {{9600, 1},  {14399, 1}, {14400, 2}, {19200, 2}, {24000, 2}, {24001, 3},
                        {33600, 4}, {4800, 1},  {4799, 1},  {0, 1},     {-10, 1}};
  for (const Caso& caso : casos) EXPECT_EQ(FactorColumnas(caso.twips), caso.k) << caso.twips;
}

TEST(CargaMunicipiosContactados, CuentaCadaMunicipioUnaVezYSoloLasLineasQsoHastaElFin) {
  const std::vector<std::string> log = {
      "START-OF-LOG: 3.0",
      "CALLSIGN: EA1AAA",
      Qso("39087"),                                                     // Torrelavega, district 2 slot 11
      Qso("39002", "7000"),                                             // Ampuero, district 1 slot 1
      Qso("39087", "3500"),                                             // again, another band
      Qso("-"),                                                         // no code
      Qso("39000"),                                                     // no municipality
      Qso(" 39002"),                                                    // the field is trimmed: Ampuero again
      Qso("39002X"),                                                    // not a code
      "qso: 14000 PH 2026-05-01 1000 EA1AAA 59 39075 EA4XYZ 59 39020",  // lower-case tag
      " " + Qso("39023"),                                               // begins with a blank
      "QSO: 14000 PH 2026-05-01 1000 EA1AAA 59 39075 EA4XYZ 59",        // no code
      Qso("39101"),                                                     // Valle de Villaverde, district 1 slot 9
      "END-OF-LOG:",
      Qso("39035"),  // after the end
  };
  const RecuentoMunicipios r = CargaMunicipiosContactados(log, 1);
  ASSERT_EQ(r.ListaDME.size(), 3u);
  EXPECT_EQ(r.ListaDME[0].substr(0, 5), "39087");
  EXPECT_EQ(r.ListaDME[1].substr(0, 5), "39002");
  EXPECT_EQ(r.ListaDME[2].substr(0, 5), "39101");
  const std::array<std::int16_t, kNumeroComarcas + 1> esperado = {0, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(r.ContactadosPorComarca, esperado);
  int marcados = 0;
  for (const auto& comarca : r.MunicipioContactado)
    for (bool b : comarca) marcados += b;
  EXPECT_EQ(marcados, 3);
  EXPECT_TRUE(r.MunicipioContactado[1][1]);
  EXPECT_TRUE(r.MunicipioContactado[1][9]);
  EXPECT_TRUE(r.MunicipioContactado[2][11]);

  // Without an end line the log is counted to its last line.
  const RecuentoMunicipios sin_fin = CargaMunicipiosContactados({Qso("39035"), Qso("39036")}, 1);
  EXPECT_EQ(sin_fin.ContactadosPorComarca[5], 2);
  // An empty code is no municipality, also as the first QSO line.
  const RecuentoMunicipios vacio =
      CargaMunicipiosContactados({"QSO: 14000 PH 2026-05-01 1000 EA1AAA 59 39075 EA4XYZ 59", Qso("39035")}, 1);
  ASSERT_EQ(vacio.ListaDME.size(), 1u);
  EXPECT_EQ(vacio.ContactadosPorComarca[10], 0);
}

TEST(CargaMunicipiosContactados, EntradasEnColumnasFijas) {
  // Name cut to 15 characters; accented names count characters, not bytes.
  const RecuentoMunicipios r = CargaMunicipiosContactados({Qso("39032"), Qso("39090"), Qso("39002"), Qso("39100")}, 1);
  ASSERT_EQ(r.ListaDME.size(), 4u);
  auto relleno = [](std::string texto, std::size_t caracteres) { return texto + std::string(140 - caracteres, ' '); };
  EXPECT_EQ(r.ListaDME[0], relleno("39032 Hermandad de Ca  Campoo-Los Valles", 40));
  EXPECT_EQ(r.ListaDME[1], relleno("39090 Udías            Costa Occidental", 39));
  EXPECT_EQ(r.ListaDME[2], relleno("39002 Ampuero          Asón-Agüera", 34));
  EXPECT_EQ(r.ListaDME[3], relleno("39100 Villafufre       Valles Pasiegos", 38));

  // A wider window spreads the columns and widens the entry.
  const RecuentoMunicipios ancho = CargaMunicipiosContactados({Qso("39090")}, 2);
  ASSERT_EQ(ancho.ListaDME.size(), 1u);
  EXPECT_EQ(ancho.ListaDME[0], "39090" + std::string(8, ' ') + "Udías" + std::string(29, ' ') + "Costa Occidental" +
                                   std::string(280 - 47 - 16, ' '));
  // A factor below 1 counts as 1: the entry keeps its code and names.
  EXPECT_EQ(CargaMunicipiosContactados({Qso("39090")}, 0).ListaDME, std::vector<std::string>{r.ListaDME[1]});
}

TEST(EntradasEstadisticas, ComarcasConSuCuentaYMunicipiosDeUnaComarca) {
  const RecuentoMunicipios r = CargaMunicipiosContactados({Qso("39100"), Qso("39019"), Qso("39002"), Qso("39081")}, 1);
  const std::vector<std::string> comarcas = EntradasComarcas(r, 1);
  ASSERT_EQ(comarcas.size(), 10u);
  auto relleno = [](std::string texto, std::size_t caracteres) { return texto + std::string(140 - caracteres, ' '); };
  EXPECT_EQ(comarcas[0], relleno("Asón-Agüera        1", 20));
  EXPECT_EQ(comarcas[1], relleno("Besaya             0", 20));
  EXPECT_EQ(comarcas[9], relleno("Valles Pasiegos    3", 20));
  EXPECT_EQ(EntradasComarcas(r, 2)[9], "Valles Pasiegos" + std::string(24, ' ') + "3" + std::string(240, ' '));

  // Slot order, not the order of the log.
  const std::vector<std::string> municipios = EntradasMunicipiosComarca(r, 10, 1);
  ASSERT_EQ(municipios.size(), 3u);
  EXPECT_EQ(municipios[0], relleno("39019  Castañeda", 16));
  EXPECT_EQ(municipios[1], relleno("39081  Saro", 11));
  EXPECT_EQ(municipios[2], relleno("39100  Villafufre", 17));
  EXPECT_TRUE(EntradasMunicipiosComarca(r, 2, 1).empty());
  EXPECT_TRUE(EntradasMunicipiosComarca(r, 0, 1).empty());
  EXPECT_TRUE(EntradasMunicipiosComarca(r, 11, 1).empty());

  EXPECT_EQ(CabeceraListaDME(1), "DME   MUNICIPIO" + std::string(8, ' ') + "COMARCA");
  EXPECT_EQ(CabeceraListaComarcas(1), "COMARCA" + std::string(12, ' ') + "MUNICIPIOS");
  EXPECT_EQ(CabeceraListaMunicipios(1), "DME    MUNICIPIO");
}

TEST(NivelesDiploma, MinimosPorComarca) {
  using Cuentas = std::array<int, kNumeroComarcas + 1>;
  struct Caso {
    const char* que;
    Cuentas cuentas;
    bool bronce, plata, oro;
  };
  const Caso casos[] = {
      {"bronce justo", {0, 3, 4, 4, 3, 1, 2, 4, 3, 6, 4}, true, false, false},
      {"falta uno en la comarca 10", {0, 3, 4, 4, 3, 1, 2, 4, 3, 6, 3}, false, false, false},
      {"falta uno en la comarca 1", {0, 2, 4, 4, 3, 1, 2, 4, 3, 6, 4}, false, false, false},
      {"plata justa", {0, 6, 7, 7, 5, 3, 5, 8, 5, 13, 9}, true, true, false},
      {"plata sin un municipio de Trasmiera", {0, 6, 7, 7, 5, 3, 5, 8, 5, 12, 9}, true, false, false},
      {"todos los municipios", {0, 9, 11, 11, 8, 4, 7, 12, 8, 19, 13}, true, true, true},
      {"todos menos uno de Costa Oriental", {0, 9, 11, 11, 8, 3, 7, 12, 8, 19, 13}, true, true, false},
      {"ninguno", {}, false, false, false},
  };
  for (const Caso& caso : casos) {
    const RecuentoMunicipios r = CargaMunicipiosContactados(Primeros(caso.cuentas), 1);
    for (int c = 1; c <= kNumeroComarcas; ++c) ASSERT_EQ(r.ContactadosPorComarca[c], caso.cuentas[c]) << caso.que;
    EXPECT_EQ(CumpleDiplomaBronce(r), caso.bronce) << caso.que;
    EXPECT_EQ(CumpleDiplomaPlata(r), caso.plata) << caso.que;
    EXPECT_EQ(CumpleDiplomaOro(r), caso.oro) << caso.que;
  }
}

}  // namespace
}  // namespace award

#include "cabrillo/linea_qso.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cabrillo/prueba_validacion.h"
#include "soporte/carpeta_temporal.h"
#include "soporte/concurso_prueba.h"

namespace cabrillo {
namespace {

using prueba::NumerosDeError;

// One QSO line of a version 3.0 log of QQ1ABC checked against the test
// contest; the block texts land in `informe`.
class LineaQso : public ::testing::Test {
 protected:
  void SetUp() override {
    cabecera_.LineaCallsign = "CALLSIGN: QQ1ABC";
    cabecera_.IndicativoParticipante = "QQ1ABC";
    cabecera_.LineaContest = "CONTEST: CONCURSO PRUEBA";
    cabecera_.LineaCategoryOperator = "CATEGORY-OPERATOR: SINGLE-OP";
    Categorias("20M", "CW");
  }
  void Categorias(const std::string& banda, const std::string& modo) {
    cabecera_.LineaCategoryBand = banda.empty() ? "" : "CATEGORY-BAND: " + banda;
    cabecera_.LineaCategoryMode = modo.empty() ? "" : "CATEGORY-MODE: " + modo;
  }

  std::vector<int> Errores(const std::string& linea) {
    EXPECT_TRUE(informe_.Crea(carpeta_.Ruta(), "05-03-2026", ""));
    const EntornoValidacion entorno{datos_, categorias_, informe_, cabecera_, paises_.get()};
    const bool correcta = VerificaLineaQso(linea, memoria_, entorno);
    informe_.Cierra();
    informe = carpeta_.LeeBytes("FicheroErrores.ERR").substr(std::string("\tSU ENV\xCDO:\r\nFECHA:05-03-2026\r\nASUNTO:\r\n").size());
    const std::vector<int> numeros = NumerosDeError(informe);
    EXPECT_EQ(correcta, numeros.empty()) << linea;
    return numeros;
  }

  soporte::CarpetaTemporal carpeta_;
  DatosConcursoLog datos_ = soporte::ConcursoPrueba();
  CategoriasAdmitidas categorias_ = soporte::CategoriasPrueba(datos_);
  std::unique_ptr<TablasPaises> paises_ = prueba::PaisesPrueba();
  FicheroErrores informe_;
  CabeceraLog cabecera_;
  MemoriaLog memoria_;
  std::string informe;
};

struct Caso {
  const char* linea;
  std::vector<int> errores;
};

TEST_F(LineaQso, ComprobacionesPorDefectoConCategoriaBanda20MYModoCw) {
  const Caso casos[] = {
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {}},
      {"QSO:\t14025\tCW\t2026-03-01\t1000\tQQ1ABC\t599\t001\tQQ2XYZ\t599\t001", {}},
      // Not a QSO line: ERROR 43 only.
      {"qso: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {43}},
      {" QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {43}},
      {"", {43}},
      // Bands: 14349 folds to 14000; 14500, 7.050 and a refused 40 m do not pass.
      {"QSO: 14349 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {}},
      {"QSO: 14000 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {}},
      {"QSO: 14500 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {19, 37}},
      {"QSO: 7.050 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {19, 37}},
      {"QSO: 7050 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {19, 37}},
      {"QSO: 14.025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {19, 37}},
      // Modes are compared as written.
      {"QSO: 14025 cw 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {20, 36}},
      {"QSO: 14025 PH 2026-03-01 1000 QQ1ABC 59 001 QQ2XYZ 59 001", {36}},
      {"QSO: 14025 FM 2026-03-01 1000 QQ1ABC 59 001 QQ2XYZ 59 001", {20, 36}},
      // A bad date ends the line after the band and mode blocks.
      {"QSO: 14025 CW 2026-3-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {21}},
      {"QSO: 14025 CW 2026-02-30 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {21}},
      {"QSO: 14025 CW 2026/03/01 1000 QQ1ABC 599 001 QQ2XYZ 599 001", {21}},
      {"QSO: 14500 XX 2026-13-01 2460 qq1abc 5 x QQ2XYZ 5 x", {19, 37, 20, 36, 21}},
      {"QSO: 14025", {20, 36, 21}},
      {"QSO:", {19, 37, 20, 36, 21}},
      // Times: hours and minutes each give a block.
      {"QSO: 14025 CW 2026-03-01 2460 QQ1ABC 599 001 QQ2XYZ 599 001", {22, 22}},
      {"QSO: 14025 CW 2026-03-01 0960 QQ1ABC 599 001 QQ2XYZ 599 001", {22}},
      {"QSO: 14025 CW 2026-03-01 09:30 QQ1ABC 599 001 QQ2XYZ 599 001", {22}},
      {"QSO: 14025 CW 2026-03-01 930 QQ1ABC 599 001 QQ2XYZ 599 001", {22}},
      {"QSO: 14025 CW 2026-03-01 2359 QQ1ABC 599 001 QQ2XYZ 599 001", {}},
      // Own call: base calls compared with case.
      {"QSO: 14025 CW 2026-03-01 1000 qq1abc 599 001 QQ2XYZ 599 001", {23}},
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABC/P 599 001 QQ2XYZ 599 001", {}},
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABD 599 001 QQ2XYZ 599 001", {23}},
      // RST in CW.
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABC 5NN 001 QQ2XYZ 5NN 001", {}},
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABC 59 001 QQ2XYZ 59 001", {41, 42}},
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABC 5999 001 QQ2XYZ 5999 001", {24, 24}},
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABC 5nn 001 QQ2XYZ 5nn 001", {24, 28}},
      // Serial numbers.
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 0001 QQ2XYZ 599 9999", {}},
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 10000 QQ2XYZ 599 00001", {25, 29}},
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 12A QQ2XYZ 599 12A", {25, 29}},
      // Missing tokens read as empty; extra tokens are not read.
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ", {28, 29}},
      {"QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001 X Y Z 1 2 3", {}},
  };
  for (const Caso& c : casos) EXPECT_EQ(Errores(c.linea), c.errores) << c.linea;
}

TEST_F(LineaQso, BloquesConSusLineasDeContexto) {
  EXPECT_EQ(Errores("QSO: 14025 CW 2026-03-01 1000 qq1abc 599 001 QQ2XYZ 59 001"),
            (std::vector<int>{23, 42}));
  EXPECT_EQ(informe,
            "QSO: 14025 CW 2026-03-01 1000 qq1abc 599 001 QQ2XYZ 59 001\r\nCALLSIGN: QQ1ABC\r\nCONCURSANTE: qq1abc\r\n"
            ".- ERROR 23: El indicativo del CALLSIGN no coincide con la estaci\xF3n concursante en el QSO.\r\n\r\n"
            "QSO: 14025 CW 2026-03-01 1000 qq1abc 599 001 QQ2XYZ 59 001\r\nRST: 59\r\n"
            ".- ERROR 42: RST recibido del QSO no se corresponde con el Modo CW.\r\n\r\n");

  Categorias("", "");
  EXPECT_EQ(Errores("QSO: 7.050 FM 2026-03-01 1000 QQ1ABC 59 12A QQ2XYZ x 001"),
            (std::vector<int>{19, 20, 25, 28}));
  EXPECT_EQ(informe,
            "QSO: 7.050 FM 2026-03-01 1000 QQ1ABC 59 12A QQ2XYZ x 001\r\nBANDA: 7.050\r\n"
            ".- ERROR 19: En el QSO se ha utilizado una BANDA no permitida\r\n\r\n"
            "QSO: 7.050 FM 2026-03-01 1000 QQ1ABC 59 12A QQ2XYZ x 001\r\nMODO: FM\r\n"
            ".- ERROR 20: En el QSO se ha utilizado un MODO no permitido\r\n\r\n"
            "QSO: 7.050 FM 2026-03-01 1000 QQ1ABC 59 12A QQ2XYZ x 001\r\nN\xDAMERO SERIE: 12A\r\n"
            ".- ERROR 25: El N\xDAMERO SERIE enviado del QSO no es num\xE9rico.\r\n\r\n"
            "QSO: 7.050 FM 2026-03-01 1000 QQ1ABC 59 12A QQ2XYZ x 001\r\nRST: x\r\n"
            ".- ERROR 28: RST recibido del QSO no es num\xE9rico.\r\n\r\n");

  Categorias("20M", "SSB");
  EXPECT_EQ(Errores("QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{36}));
  EXPECT_EQ(informe,
            "QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001\r\nMODO: CW - CATEGORIA: SSB\r\n"
            ".- ERROR 36: El modo del QSO no se corresponde con la categor\xED" "a del concursante\r\n\r\n");
}

TEST_F(LineaQso, BandasAltasYBandaDeUsuario) {
  Categorias("1.2G", "");
  EXPECT_EQ(Errores("QSO: 1.2G CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{19}));
  EXPECT_NE(informe.find("\r\nBANDA: 1.2\r\n"), std::string::npos);
  datos_.Banda1296 = true;
  EXPECT_EQ(Errores("QSO: 1.2G CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{}));
  Categorias("ALL", "");
  EXPECT_EQ(Errores("QSO: 1.2G CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{}));
  // An empty (Null) permission refuses nothing.
  datos_.Banda432 = std::nullopt;
  EXPECT_EQ(Errores("QSO: 432 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{}));

  datos_.BandaUser = true;
  EXPECT_EQ(Errores("QSO: 27200 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{37}));
  Categorias("", "");
  EXPECT_EQ(Errores("QSO: 27200 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{}));
  // 222 and 902 are permitted by the profile.
  EXPECT_EQ(Errores("QSO: 222 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{19}));
  datos_.Resumen.M222 = true;
  EXPECT_EQ(Errores("QSO: 222 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{}));
  // With BandaNoAplicable the log's band category is not compared.
  Categorias("40M", "");
  datos_.Resumen.BandaNoAplicable = true;
  EXPECT_EQ(Errores("QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{}));
}

TEST_F(LineaQso, CategoriaDeBandaDeUnLogVersion2) {
  // "All" is the band word of a version 2.0 line wherever it stands; the
  // category check takes it as ALL, so every band of the contest fits it.
  Categorias("", "");
  for (const char* categoria : {"CATEGORY: SINGLE-OP All LOW CW", "CATEGORY: SINGLE-OP LOW CW All"}) {
    cabecera_.LineaCategory = categoria;
    EXPECT_EQ(Errores("QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{}))
        << categoria;
    EXPECT_EQ(Errores("QSO: 27200 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{19, 37}))
        << categoria;
    EXPECT_NE(informe.find("\r\nBANDA: 27500 - CATEGOR\xCD" "A: ALL\r\n"), std::string::npos) << categoria;
  }
  cabecera_.LineaCategory = "CATEGORY: SINGLE-OP 40M LOW CW";
  EXPECT_EQ(Errores("QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{37}));
}

TEST_F(LineaQso, ModosPermitidosYLongitudDelRst) {
  Categorias("", "");
  for (Logico* m : {&datos_.ModoCW, &datos_.ModoSSB}) *m = false;
  datos_.ModoUSB = true;
  EXPECT_EQ(Errores("QSO: 14025 PH 2026-03-01 1000 QQ1ABC 59 001 QQ2XYZ 59 001"), (std::vector<int>{}));
  EXPECT_EQ(Errores("QSO: 14025 PH 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 5NN 001"), (std::vector<int>{41, 42}));
  datos_.ModoPACKET = true;
  EXPECT_EQ(Errores("QSO: 14025 RY 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{}));
  EXPECT_EQ(Errores("QSO: 14025 PS 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 59 001"), (std::vector<int>{42}));
  datos_.ModoFM = true;
  EXPECT_EQ(Errores("QSO: 14025 FM 2026-03-01 1000 QQ1ABC 59 001 QQ2XYZ 5 001"), (std::vector<int>{}));
  EXPECT_EQ(Errores("QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{20}));

  Categorias("", "MIXED");
  EXPECT_EQ(Errores("QSO: 14025 PS 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{36}));
  EXPECT_EQ(Errores("QSO: 14025 RY 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{36}));
  EXPECT_EQ(Errores("QSO: 14025 PH 2026-03-01 1000 QQ1ABC 59 001 QQ2XYZ 59 001"), (std::vector<int>{}));
  datos_.Resumen.ModoNoAplicable = true;
  EXPECT_EQ(Errores("QSO: 14025 PS 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001"), (std::vector<int>{}));
}

TEST_F(LineaQso, SiglasYLocator) {
  FilaResumenCabrillo& r = datos_.Resumen;
  r.NumeralEnviado = r.NumeralRecibido = false;
  r.LetrasEnviadas = r.LetrasRecibidas = r.LocatorEnviado = r.LocatorRecibido = true;
  datos_.EnviarSiglas = datos_.RecibirSiglas = datos_.CadaProv = true;
  datos_.Provincias = {"M", "BI"};
  const std::string inicio = "QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 ";
  EXPECT_EQ(Errores(inicio + "M IN80DO QQ2XYZ 599 BI in80do"), (std::vector<int>{}));
  // A province code in another letter case is the listed one.
  EXPECT_EQ(Errores(inicio + "m IN80DO QQ2XYZ 599 bi IN80DO"), (std::vector<int>{}));
  EXPECT_EQ(Errores(inicio + "mm IN80 QQ2XYZ 599 XX IN80DOX"), (std::vector<int>{26, 27, 26, 31}));
  EXPECT_EQ(Errores(inicio + "12 IN80DO QQ2XYZ 599 7 IN80DO"), (std::vector<int>{26, 26}));
  datos_.SiglasONumeral = true;
  EXPECT_EQ(Errores(inicio + "12 IN80DO QQ2XYZ 599 7 IN80DO"), (std::vector<int>{}));
  EXPECT_EQ(Errores(inicio + "XX IN80DO QQ2XYZ 599 BI IN80DO"), (std::vector<int>{26}));
  EXPECT_NE(informe.find("SIGLAS: XX\r\n.- ERROR 26: Las SIGLAS enviadas no est\xE1n permitidas\r\n"),
            std::string::npos);
  // Without a province list any letters pass.
  datos_.CadaProv = false;
  EXPECT_EQ(Errores(inicio + "XX IN80DO QQ2XYZ 599 - IN80DO"), (std::vector<int>{}));
}

TEST_F(LineaQso, DisposicionCaminoDeSantiago) {
  cabecera_.LineaContest = "CONTEST: EL CAMINO DE SANTIAGO 2026";
  FilaResumenCabrillo& r = datos_.Resumen;
  r.NumeralEnviado = r.NumeralRecibido = false;
  // SERVER-OP: RST and letters sent, RST received.
  cabecera_.LineaCategoryOperator = "CATEGORY-OPERATOR: SERVER-OP";
  EXPECT_EQ(Errores("QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 LU QQ2XYZ 59"), (std::vector<int>{42}));
  // Other categories: no exchange tokens at all, whatever the profile.
  cabecera_.LineaCategoryOperator = "CATEGORY-OPERATOR: SINGLE-OP";
  EXPECT_EQ(Errores("QSO: 14025 CW 2026-03-01 1000 QQ1ABC QQ2XYZ 599 599"), (std::vector<int>{24, 28}));
}

TEST_F(LineaQso, DisposicionComarcasCatalanasSegunElPais) {
  datos_.Concurso = "COMARCAS CATALANAS";
  FilaResumenCabrillo& r = datos_.Resumen;
  r.NumeralEnviado = r.NumeralRecibido = false;
  r.LetrasEnviadas = r.LetrasRecibidas = r.LocatorEnviado = r.LocatorRecibido = true;
  const std::string inicio = "QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 - JN11AA ";
  cabecera_.IndicativoParticipante = "QQ1ABC";
  // A station of "EA": letters and locator; any other: "-" and the locator,
  // or the locator alone.
  EXPECT_EQ(Errores(inicio + "EA3XYZ 599 BCN JN11AA"), (std::vector<int>{}));
  EXPECT_EQ(Errores(inicio + "F5ABC 599 - IN88AA"), (std::vector<int>{}));
  EXPECT_EQ(Errores(inicio + "F5ABC 599 IN88AA"), (std::vector<int>{}));
  EXPECT_EQ(Errores(inicio + "EA3XYZ 599 IN88AA"), (std::vector<int>{31}));
  EXPECT_EQ(Errores("QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 JN11AA F5ABC 599 IN88AA"), (std::vector<int>{}));
}

TEST(BandaDeFrecuencia, PliegueDeKilohercios) {
  const std::pair<const char*, const char*> casos[] = {
      {"1500", "1800"},   {"1999", "1800"},   {"2000", "2000"},   {"3500", "3500"},   {"7050", "7000"},
      {"10100", "10000"}, {"14000", "14000"}, {"14349", "14000"}, {"14499", "14000"}, {"14500", "14500"},
      {"18100", "18000"}, {"21000", "21000"}, {"24900", "24000"}, {"27200", "27500"}, {"28000", "28000"},
      {"30999", "28000"}, {"31000", "31000"}, {"50", "50"},       {"144", "144"},     {"1.2G", "1.2"},
      {"7.050", "7.050"}, {"+14025", "14000"}, {"abc", "abc"},    {"", ""}};
  for (const auto& [frecuencia, banda] : casos) {
    EXPECT_EQ(BandaDeFrecuencia(frecuencia), banda) << frecuencia;
    EXPECT_EQ(BandaDeFrecuenciaVista(frecuencia), banda) << frecuencia;
  }
}

}  // namespace
}  // namespace cabrillo

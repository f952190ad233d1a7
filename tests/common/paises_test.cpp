// Callsign, country and locator lookups against a small countries database
// written by the test.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "common/paises.h"
#include "common/terravia.h"

namespace {

namespace fs = std::filesystem;

class CarpetaTemporal {
 public:
  CarpetaTemporal() {
    std::string plantilla = (fs::temp_directory_path() / "paises-XXXXXX").string();
    ruta_ = mkdtemp(plantilla.data());
  }
  ~CarpetaTemporal() {
    std::error_code ec;
    fs::remove_all(ruta_, ec);
  }
  std::string Ruta(const std::string& nombre) const { return (fs::path(ruta_) / nombre).string(); }

 private:
  std::string ruta_;
};

void Ejecuta(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
}

// QQ is a prefix of country Q1, QQ8 of country Q8; the country code ZZ9 has
// no prefix. Prefixes that hold their call-area digit: QR0 of country QR9,
// QV2E of country QV2E, QA6 of country QA, 9Q2 of country 9Q; 9Z (a leading
// digit only) of country 9Z. Region rows of Q1, in this order: call area 7
// with the letter Y, call area 4, call area 5 and then the narrower 5A
// (never reached).
void EscribeFixture(const std::string& ruta, const std::string& extra = "") {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(ruta.c_str(), &db), SQLITE_OK);
  CreaTablasTerravia(db);
  Ejecuta(db,
          "INSERT INTO Prefijos (Prefijo, Dxcc) VALUES ('QQ', 'Q1'), ('QQ8', 'Q8'), ('Qz', 'Q1'),"
          " ('QR0', 'QR9'), ('QV2E', 'QV2E'), ('QA6', 'QA'), ('9Q2', '9Q'), ('9Z', '9Z');"
          "INSERT INTO Dxcc (Dxcc, Waz, Continente) VALUES ('Q1', '05', 'EU'), ('Q8', '33', 'AF'),"
          " ('ZZ9', '12', 'SA');"
          "INSERT INTO Regiones (Dxcc, Prefijo, Waz, Continente) VALUES"
          " ('Q1', 'QQ#Y*', '23', 'AS'), ('Q1', 'QQ4*', '14', 'EU'), ('Q1', 'QQ5*', '15', 'EU'),"
          " ('Q1', 'QQ5A*', '16', 'EU');" +
              extra);
  sqlite3_close(db);
}

class PaisesFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    carpeta_ = new CarpetaTemporal();
    EscribeFixture(carpeta_->Ruta("Terravia"));
    paises_ = TablasPaises::Abre(carpeta_->Ruta("Terravia")).release();
  }
  static void TearDownTestSuite() {
    delete paises_;
    paises_ = nullptr;
    delete carpeta_;
    carpeta_ = nullptr;
  }
  static CarpetaTemporal* carpeta_;
  static const TablasPaises* paises_;
};
CarpetaTemporal* PaisesFixture::carpeta_ = nullptr;
const TablasPaises* PaisesFixture::paises_ = nullptr;

struct CasoPortable {
  const char* llamada;
  const char* base;
  const char* portable;
};

TEST(SeparaPortable, CadaRegla) {
  const CasoPortable casos[] = {
      {"", "", ""},
      {"QQ1ABC", "QQ1ABC", ""},
      {"QQ1ABC/P", "QQ1ABC", "/P"},
      {"QQ1ABC/M", "QQ1ABC", "/M"},
      {"QQ1ABC/MM", "QQ1ABC", "/MM"},
      {"QQ1ABC/MA", "QQ1ABC", "/MA"},
      {"QQ1ABC/QRP", "QQ1ABC", "/QRP"},
      {"QQ1ABC/P/QRP", "QQ1ABC", "/P/QRP"},
      {"QQ1ABC/M/QRP", "QQ1ABC", "/M/QRP"},
      {"QQ1ABC/MM/QRP", "QQ1ABC", "/MM/QRP"},
      {"QQ1ABC/MA/QRP", "QQ1ABC", "/MA/QRP"},
      // A listed suffix wins even behind a short left part.
      {"QQ1/P", "QQ1", "/P"},
      // Two slashes: a short left part is a prefix, a long one the call.
      {"QQ8/QQ1ABC/P", "QQ1ABC", "QQ8/P"},
      {"QQ1ABC/QQ8/P", "QQ1ABC", "QQ8/P"},
      {"EA8/DL1ABC/QRP", "DL1ABC", "EA8/QRP"},
      // One slash, no listed suffix.
      {"QQ1ABC/4", "QQ1ABC", "/4"},
      {"QQ1ABC/QQ8", "QQ1ABC", "/QQ8"},
      {"QQ1ABC/PM", "QQ1ABC", "/PM"},
      {"QQ8/QQ1ABC", "QQ1ABC", "QQ8/"},
      {"QQ1ABC/QQ2DEF", "QQ2DEF", "QQ1ABC/"},
      {"QQ1ABC/PORT", "PORT", "QQ1ABC/"},
      {"QQ1ABC/", "QQ1ABC", "/"},
      {"/QQ1ABC", "QQ1ABC", "/"},
      // The suffix test is case-sensitive: a lower-case p falls to the
      // one-slash rules.
      {"QQ1/p", "p", "QQ1/"},
      {"QQ1ABC/p", "QQ1ABC", "/p"},
  };
  for (const auto& c : casos) {
    std::string llamada = c.llamada;
    std::string portable = "basura";
    SeparaPortable(llamada, portable);
    EXPECT_EQ(llamada, c.base) << c.llamada;
    EXPECT_EQ(portable, c.portable) << c.llamada;
  }
}

TEST_F(PaisesFixture, BuscaPrefijoDaElPrefijoAlmacenadoDeLaLlamadaBase) {
  const std::pair<const char*, const char*> casos[] = {
      {"QQ1ABC", "QQ"},
      {"QQ8ABC", "QQ8"},
      {"QQ8/QQ1ABC", "QQ"},  // the base call, not the portable prefix
      {"QQ1ABC/QQ8", "QQ"},
      {"QQ8", "QQ8"},
      {"QZ1AB", "Qz"},    // as stored
      {"qq1abc", "QQ"},   // keys compare without regard to case
      {"XY1ABC", "X"},    // no known prefix: the first character
      {"XY1ABC/P", "X"},
      {"", ""},
  };
  for (const auto& [llamada, esperado] : casos) {
    std::string prefijo = "basura";
    BuscaPrefijo(*paises_, llamada, prefijo);
    EXPECT_EQ(prefijo, esperado) << llamada;
  }
}

TEST_F(PaisesFixture, PrefijoYDistrito) {
  struct Caso {
    const char* llamada;
    const char* prefijo;
    const char* distrito;
  };
  const Caso casos[] = {
      {"QQ1ABC", "QQ", "Q11"},
      {"QQ1ABC/P", "QQ", "Q11"},    // found on the whole call QQ1ABC/P
      {"QQ1ABC/4", "QQ", "Q14"},    // portable call area
      {"QQ1ABC/QQ8", "QQ", "Q18"},  // the last digit of the portable part
      {"QQ1ABC/", "QQ", "Q11"},
      {"QQ8/QQ1ABC", "QQ8", "Q88"},   // prefix before the call
      {"QQ8/QQ1ABC/P", "QQ8", "Q8"},  // prefix and suffix: country alone
      {"QQA/QQ1ABC", "QQ", "Q1"},     // no digit before the "/"
      // A prefix that holds a digit after its first character gives the
      // call area itself: the country code up to that digit's place and the
      // prefix's last digit.
      {"QQ8ABC", "QQ8", "Q8"},
      {"QQ8", "QQ8", "Q8"},
      {"QR0ABC", "QR0", "QR0"},   // not the country's own digit
      {"QV2EAA", "QV2E", "QV2"},  // not the letter after the digit
      {"QA6ABC", "QA6", "QA6"},   // a country code without a digit
      {"9Q2ABC", "9Q2", "9Q2"},
      {"9Z4ABC", "9Z", "9Z4"},  // a leading digit is not the call area
      {"QQ", "QQ", "Q1"},       // the prefix is the whole call
      {"QZ1AB", "QZ", "Q11"},   // as written in the call
      {"XY1ABC", "X", ""},      // nothing found: no country code
      {"XY1ABC/4", "X", "4"},
      {"XY1ABC/P", "X", "X"},
      {"", "", ""},
  };
  for (const auto& c : casos) {
    std::string prefijo = "basura", distrito = "basura";
    ObtienePrefijoYDistrito(*paises_, c.llamada, prefijo, distrito);
    EXPECT_EQ(prefijo, c.prefijo) << c.llamada;
    EXPECT_EQ(distrito, c.distrito) << c.llamada;
  }
}

TEST_F(PaisesFixture, PaisZonaContinente) {
  struct Caso {
    const char* llamada;
    const char* dxcc;
    const char* waz;
    const char* continente;
  };
  const Caso casos[] = {
      {"", "", "", ""},
      {"QQ1ABC", "Q1", "05", "EU"},
      {"QQ8ABC", "Q8", "33", "AF"},
      {"QQ8/QQ1ABC", "Q8", "33", "AF"},  // the call as passed, portable part included
      // Region rows: the call area decides, whatever the leading letters.
      {"QQ4ABC", "Q1", "14", "EU"},
      {"QZ4ABC", "Q1", "14", "EU"},
      {"QQ1ABC/4", "Q1", "05", "EU"},    // the first digit of the call
      {"QQ7YAB", "Q1", "23", "AS"},      // "#" and the letter after the digit
      {"QZ3YAB", "Q1", "23", "AS"},
      {"QQ7XAB", "Q1", "05", "EU"},
      {"QQ5ABC", "Q1", "15", "EU"},      // the first matching row wins
      {"QQ5A", "Q1", "15", "EU"},
      {"QQABC", "Q1", "05", "EU"},       // no digit: no region applies
      // No known prefix: a left part that is a country code.
      {"ZZ9ABC", "ZZ9", "12", "SA"},
      {"XY1ABC", "", "", ""},
  };
  for (const auto& c : casos) {
    std::string dxcc = "basura", waz = "basura", continente = "basura";
    ObtienePaisZonaContinente(*paises_, c.llamada, dxcc, waz, continente);
    EXPECT_EQ(dxcc, c.dxcc) << c.llamada;
    EXPECT_EQ(waz, c.waz) << c.llamada;
    EXPECT_EQ(continente, c.continente) << c.llamada;
  }
}

TEST(CoincidePatron, Comodines) {
  struct Caso {
    const char* texto;
    const char* patron;
    bool coincide;
  };
  const Caso casos[] = {
      {"QQ4ABC", "QQ4*", true},   {"QQ4", "QQ4*", true},    {"QQ5ABC", "QQ4*", false},
      {"QQ7YAB", "QQ#Y*", true},  {"QQ#YAB", "QQ#Y*", false}, {"A1", "?#", true},
      {"AB", "?#", false},        {"A", "?#", false},       {"B", "[ABC]", true},
      {"D", "[ABC]", false},      {"D", "[!ABC]", true},    {"M", "[A-Z]", true},
      {"5", "[!0-9]", false},     {"X", "[A", false},       {"ab", "AB", false},
      {"ABCABD", "*ABD", true},   {"ABCAB", "A*B*B", true}, {"", "*", true},
      {"", "?", false},
  };
  for (const auto& c : casos)
    EXPECT_EQ(CoincidePatron(c.texto, c.patron), c.coincide) << c.texto << " ~ " << c.patron;
}

TEST(AbrePaises, FicheroOIndiceQueFaltaEsUnError) {
  CarpetaTemporal carpeta;
  EXPECT_THROW(TablasPaises::Abre(carpeta.Ruta("NoExiste")), ErrorPaises);
  EXPECT_FALSE(fs::exists(carpeta.Ruta("NoExiste")));  // never created

  // The name is found without regard to letter case.
  EscribeFixture(carpeta.Ruta("TERRAVIA"));
  std::string a, b, c;
  ObtienePaisZonaContinente(*TablasPaises::Abre(carpeta.Ruta("Terravia")), "QQ8ABC", a, b, c);
  EXPECT_EQ(a, "Q8");

  const std::string ruta = carpeta.Ruta("SinIndice");
  EscribeFixture(ruta, "DROP INDEX ClaveDxcc;");
  EXPECT_THROW(TablasPaises::Abre(ruta), ErrorPaises);

  const std::string sinTabla = carpeta.Ruta("SinTabla");
  EscribeFixture(sinTabla, "DROP TABLE Regiones;");
  EXPECT_THROW(TablasPaises::Abre(sinTabla), ErrorPaises);
}

TEST(AbrePaises, UnNuloAlcanzadoEsUnError) {
  CarpetaTemporal carpeta;
  const std::string ruta = carpeta.Ruta("Terravia");
  EscribeFixture(ruta,
                 "INSERT INTO Prefijos (Prefijo, Dxcc) VALUES ('NN', 'N1'), ('NX', NULL);"
                 "INSERT INTO Dxcc (Dxcc, Waz, Continente) VALUES ('N1', NULL, 'EU');");
  auto paises = TablasPaises::Abre(ruta);
  std::string a, b, c;
  EXPECT_THROW(ObtienePaisZonaContinente(*paises, "NN1ABC", a, b, c), ErrorPaises);
  EXPECT_THROW(ObtienePrefijoYDistrito(*paises, "NX1ABC", a, b), ErrorPaises);
  // Rows that are not reached do not matter.
  ObtienePaisZonaContinente(*paises, "QQ1ABC", a, b, c);
  EXPECT_EQ(a + " " + b + " " + c, "Q1 05 EU");
}

TEST(Locator, Coordenadas) {
  float lon = 1, lat = 1, lon6 = 2, lat6 = 2;
  ASSERT_TRUE(CalculaCoordenadasLocator("IN80", lon, lat));
  ASSERT_TRUE(CalculaCoordenadasLocator("IN80LL", lon6, lat6));
  EXPECT_EQ(lon, lon6);
  EXPECT_EQ(lat, lat6);
  EXPECT_EQ(lon, -10950.0f);   // 3°02'30" W
  EXPECT_EQ(lat, 145725.0f);   // 40°28'45" N
  ASSERT_TRUE(CalculaCoordenadasLocator("AA00AA", lon, lat));
  EXPECT_EQ(lon, -648000.0f + 150.0f);
  EXPECT_EQ(lat, -324000.0f + 75.0f);
  ASSERT_TRUE(CalculaCoordenadasLocator("SS99XX", lon, lat));  // "S" is accepted
  EXPECT_EQ(lon, 648000.0f + 1200 * 60 - 150.0f);
  EXPECT_EQ(lat, 324000.0f + 600 * 60 - 75.0f);

  for (const char* malo : {"IN8", "IN80D", "in80", "", "IN80LLL", "TN80", "IT80", "INA0", "IN8A",
                           "IN80YL", "IN80LY", "IN80l1"}) {
    float x = 7, y = 7;
    EXPECT_FALSE(CalculaCoordenadasLocator(malo, x, y)) << malo;
  }
  // A latitude character that fails leaves the longitude written.
  float x = 7, y = 7;
  EXPECT_FALSE(CalculaCoordenadasLocator("IN80L1", x, y));
  EXPECT_EQ(x, -10950.0f);
  EXPECT_EQ(y, 7.0f);
}

TEST(Locator, Distancias) {
  float km = -1;
  ASSERT_TRUE(CalculaDistanciaLocator("IN80", "IN81", km));
  EXPECT_EQ(km, 111.0f);
  ASSERT_TRUE(CalculaDistanciaLocator("IN81", "IN80", km));
  EXPECT_EQ(km, 111.0f);
  ASSERT_TRUE(CalculaDistanciaLocator("IN80", "IN80LL", km));
  EXPECT_EQ(km, 0.0f);

  // An empty first locator: 0 and true, whatever the second.
  km = 5;
  EXPECT_TRUE(CalculaDistanciaLocator("", "basura", km));
  EXPECT_EQ(km, 0.0f);
  km = 5;
  EXPECT_TRUE(CalculaDistanciaLocator("IN80", "", km));
  EXPECT_EQ(km, 0.0f);
  // An invalid locator: false, the distance as it was.
  km = 5;
  EXPECT_FALSE(CalculaDistanciaLocator("in80", "IN81", km));
  EXPECT_EQ(km, 5.0f);
  EXPECT_FALSE(CalculaDistanciaLocator("IN80", "IN8", km));
  EXPECT_EQ(km, 5.0f);
  km = 5;
  EXPECT_TRUE(CalculaDistanciaLocator("", "", km));
  EXPECT_EQ(km, 0.0f);

  // Madrid to Tokyo, more than a quarter of the circumference: 20000 plus a
  // negative whole number.
  ASSERT_TRUE(CalculaDistanciaLocator("IN80", "PM95", km));
  EXPECT_EQ(km, 10702.0f);
}

TEST(Locator, DistanciaEnSimplePrecision) {
  // Whole kilometres, rounded down: one degree of latitude is 111.2 km.
  float km = 0;
  CalculaDistanciaKm(0, 3600, 0, 0, km);
  EXPECT_EQ(km, 111.0f);
  CalculaDistanciaKm(0, 36000, 0, 0, km);
  EXPECT_EQ(km, 1112.0f);
  CalculaDistanciaKm(0, 0, 0, 0, km);
  EXPECT_EQ(km, 0.0f);
}

TEST(Locator, CercaDelAntipodaNoDaCero) {
  // Pole to pole, and two subsquare centres exactly antipodal: the cosine
  // of the angle rounds to -1 and the angle to -0; the distance is the half
  // circumference (20000 as the formula counts it), not 0.
  float km = 0;
  CalculaDistanciaKm(0, -324000, 0, 324000, km);
  EXPECT_EQ(km, 20000.0f);
  float lon1, lat1, lon2, lat2;
  ASSERT_TRUE(CalculaCoordenadasLocator("IN80LL", lon1, lat1));
  ASSERT_TRUE(CalculaCoordenadasLocator("RE89LM", lon2, lat2));
  ASSERT_EQ(lon2 - lon1, 648000.0f);
  ASSERT_EQ(lat2, -lat1);
  ASSERT_TRUE(CalculaDistanciaLocator("IN80LL", "RE89LM", km));
  EXPECT_EQ(km, 20000.0f);
  // Just off the antipode the formula's own value stands.
  ASSERT_TRUE(CalculaDistanciaLocator("IN80LL", "RE89LL", km));
  EXPECT_GT(km, 19900.0f);
  EXPECT_LT(km, 20000.0f);
}

}  // namespace

// A token of a participant's log can be huge: the searches by shorter and
// shorter left parts start at the longest key, so such a call is answered
// like any other (a known prefix found, an unknown one not found).
TEST_F(PaisesFixture, IndicativoEnormeSeResuelveComoLosDemas) {
  const std::string enorme = "QQ1" + std::string(1'000'000, 'A');
  std::string dxcc, waz, continente, prefijo, distrito;
  ObtienePaisZonaContinente(*paises_, enorme, dxcc, waz, continente);
  EXPECT_EQ("Q1", dxcc);
  EXPECT_EQ("05", waz);
  ObtienePrefijoYDistrito(*paises_, enorme, prefijo, distrito);
  EXPECT_EQ("QQ", prefijo);
  EXPECT_EQ("Q11", distrito);
  BuscaPrefijo(*paises_, enorme, prefijo);
  EXPECT_EQ("QQ", prefijo);
  const std::string desconocido = "XY1" + std::string(1'000'000, 'B');
  ObtienePaisZonaContinente(*paises_, desconocido, dxcc, waz, continente);
  EXPECT_EQ("", dxcc);
  ObtienePrefijoYDistrito(*paises_, desconocido, prefijo, distrito);
  EXPECT_EQ("X", prefijo);
}

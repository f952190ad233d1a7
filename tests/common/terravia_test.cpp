// The countries database built from a country file: a small file written by
// the test, and the file installed by Debian's hamradio-files package.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/paises.h"
#include "common/terravia.h"

namespace {

namespace fs = std::filesystem;

const char* const kFicheroDebian = "/usr/share/hamradio-files/cty.dat";

class CarpetaTemporal {
 public:
  CarpetaTemporal() {
    std::string plantilla = (fs::temp_directory_path() / "terravia-XXXXXX").string();
    ruta_ = mkdtemp(plantilla.data());
  }
  ~CarpetaTemporal() {
    std::error_code ec;
    fs::remove_all(ruta_, ec);
  }
  std::string Ruta(const std::string& nombre) const { return (fs::path(ruta_) / nombre).string(); }
  std::string Escribe(const std::string& nombre, const std::string& texto) const {
    std::ofstream(Ruta(nombre), std::ios::binary) << texto;
    return Ruta(nombre);
  }

 private:
  std::string ruta_;
};

// Every row of a query, its columns joined by "|".
std::vector<std::string> Filas(const std::string& ruta, const std::string& sql) {
  sqlite3* db = nullptr;
  std::vector<std::string> r;
  EXPECT_EQ(sqlite3_open_v2(ruta.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* st = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  while (st && sqlite3_step(st) == SQLITE_ROW) {
    std::string fila;
    for (int i = 0; i < sqlite3_column_count(st); ++i) {
      if (i) fila += "|";
      const unsigned char* t = sqlite3_column_text(st, i);
      fila += t ? reinterpret_cast<const char*>(t) : "NULL";
    }
    r.push_back(fila);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return r;
}

std::string Pais(const TablasPaises& p, const std::string& llamada) {
  std::string dxcc = "?", waz = "?", continente = "?";
  ObtienePaisZonaContinente(p, llamada, dxcc, waz, continente);
  return dxcc + " " + waz + " " + continente;
}

// QA and QB are country QA; QA8 and QB8 the country QA8. QA4 and QB4 are its
// call area 4 in zone 14, QA4Y a part of it in zone 23 and Asia; QA6/QB6
// form a non-DXCC entity of QA in Africa; QA3 and QB3 disagree (a tie).
const char* const kFicheroPrueba =
    "Land One:                 05:  08:  EU:   40.00:     3.00:    -1.0:  QA:\r\n"
    "    QA,QB,QA4(14),QA4Y(23){AS}[30],=QA1XYZ(10),QB4(14),QA9<10.0/10.0>,\r\n"
    "    QA7~1~[9],QA3(3),QB3,3Q,3Q2(9);\r\n"
    "Land Eight:               33:  36:  AF:   28.00:    15.00:     0.0:  QA8:\n"
    "    QA8,QB8;\n"
    "Island Part:              05:  08:  AF:   28.00:    15.00:     0.0:  *QA6:\n"
    "    QA6,QB6;\n"
    "Odd Land:                 12:  12:  SA:    0.00:     0.00:     0.0:  3D2/c:\n"
    "    =3D2C;\n";

TEST(CreaTerravia, TraduceElFicheroDePaises) {
  CarpetaTemporal carpeta;
  const std::string cty = carpeta.Escribe("cty.dat", kFicheroPrueba);
  const std::string salida = carpeta.Ruta("Terravia");
  ResumenTerravia r = CreaTerravia(cty, salida);
  EXPECT_EQ(r.Paises, 3u);

  EXPECT_EQ(Filas(salida, "SELECT Dxcc, Waz, Continente FROM Dxcc ORDER BY rowid"),
            (std::vector<std::string>{"QA|05|EU", "QA8|33|AF", "3D2/C|12|SA"}));
  // Marks stripped, full calls left out, aliases that a shorter alias of the
  // same country already gives left out.
  EXPECT_EQ(Filas(salida, "SELECT Prefijo, Dxcc FROM Prefijos ORDER BY rowid"),
            (std::vector<std::string>{"QA|QA", "QB|QA", "3Q|QA", "QA8|QA8", "QB8|QA8"}));
  // The narrower call area first; the tie keeps the country's zone; a block
  // that begins with a digit defines no call area.
  EXPECT_EQ(Filas(salida, "SELECT Dxcc, Prefijo, Waz, Continente FROM Regiones ORDER BY rowid"),
            (std::vector<std::string>{"QA|QA4Y*|23|AS", "QA|QA4*|14|EU", "QA|QA6*|05|AF"}));
  EXPECT_EQ(r.Prefijos, 5u);
  EXPECT_EQ(r.Regiones, 3u);

  auto paises = TablasPaises::Abre(salida);
  EXPECT_EQ(Pais(*paises, "QB4ABC"), "QA 14 EU");
  EXPECT_EQ(Pais(*paises, "QA4YAB"), "QA 23 AS");
  EXPECT_EQ(Pais(*paises, "QB4YAB"), "QA 23 AS");
  EXPECT_EQ(Pais(*paises, "QB6AB"), "QA 05 AF");
  EXPECT_EQ(Pais(*paises, "QA3AB"), "QA 05 EU");
  EXPECT_EQ(Pais(*paises, "QA1XYZ"), "QA 05 EU");
  EXPECT_EQ(Pais(*paises, "QB8AB"), "QA8 33 AF");
  EXPECT_EQ(Pais(*paises, "qb8ab"), "QA8 33 AF");
}

TEST(CreaTerravia, NuncaSobrescribe) {
  CarpetaTemporal carpeta;
  const std::string cty = carpeta.Escribe("cty.dat", kFicheroPrueba);
  const std::string existente = carpeta.Escribe("terravia", "no tocar");
  EXPECT_THROW(CreaTerravia(cty, carpeta.Ruta("Terravia")), ErrorPaises);
  EXPECT_THROW(CreaTerravia(cty, existente), ErrorPaises);
  EXPECT_FALSE(fs::exists(carpeta.Ruta("Terravia")));
  std::ifstream f(existente);
  std::string contenido((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  EXPECT_EQ(contenido, "no tocar");
}

TEST(CreaTerravia, UnFicheroMalFormadoNoDejaNada) {
  CarpetaTemporal carpeta;
  const std::string salida = carpeta.Ruta("Terravia");
  const char* const malos[] = {
      "",                                                         // no entity
      "Land One: 05: 08: EU: 40.00: 3.00: -1.0: QA:\n QA,QB\n",  // no ";"
      "Land One: 05: 08: EU: 40.00: 3.00: QA:\n QA;\n",          // a header field missing
      "Land One: 5X: 08: EU: 40.00: 3.00: -1.0: QA:\n QA;\n",    // zone not a number
      "Land One: 05: 08: XX: 40.00: 3.00: -1.0: QA:\n QA;\n",    // unknown continent
      "Land One: 05: 08: EU: 40.00: 3.00: -1.0: QA:\n QA(14;\n", // mark not closed
  };
  for (const char* malo : malos) {
    const std::string cty = carpeta.Escribe("cty.dat", malo);
    EXPECT_THROW(CreaTerravia(cty, salida), ErrorPaises) << malo;
    EXPECT_FALSE(fs::exists(salida)) << malo;
  }
  EXPECT_THROW(CreaTerravia(carpeta.Ruta("no-existe.dat"), salida), ErrorPaises);
  EXPECT_FALSE(fs::exists(salida));
}

// The database built from the installed country file. Only stable facts are
// checked, so that a newer file from Debian still passes.
class TerraviaReal : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    carpeta_ = new CarpetaTemporal();
    if (!fs::exists(kFicheroDebian)) return;
    CreaTerravia(kFicheroDebian, carpeta_->Ruta("Terravia"));
    paises_ = TablasPaises::Abre(carpeta_->Ruta("Terravia")).release();
  }
  static void TearDownTestSuite() {
    delete paises_;
    paises_ = nullptr;
    delete carpeta_;
    carpeta_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(paises_, nullptr) << "Falta " << kFicheroDebian << " (paquete hamradio-files)";
  }
  static CarpetaTemporal* carpeta_;
  static TablasPaises* paises_;
};
CarpetaTemporal* TerraviaReal::carpeta_ = nullptr;
TablasPaises* TerraviaReal::paises_ = nullptr;

TEST_F(TerraviaReal, PaisZonaYContinente) {
  const std::pair<const char*, const char*> casos[] = {
      {"EA4ABC", "EA 14 EU"},
      {"EA8XYZ", "EA8 33 AF"},
      {"K6ABC", "K 03 NA"},       // call-area zone of the United States
      {"W1AW", "K 05 NA"},
      {"RA0YAB", "UA9 23 AS"},    // call area 0 with Y: zone 23
      {"RA0FAB", "UA9 19 AS"},    // call area 0 with F: zone 19
      {"UA9ABC", "UA9 17 AS"},
      {"UA3ABC", "UA 16 EU"},
      {"CT3AB", "CT3 33 AF"},
      {"VE3ABC", "VE 04 NA"},
      {"DL1ABC", "DL 14 EU"},
      {"EA8/DL1ABC/P", "EA8 33 AF"},  // portable in the Canaries
      {"DL1ABC/P", "DL 14 EU"},
      {"JA1XYZ", "JA 25 AS"},
      {"VK2ABC", "VK 30 OC"},
      {"ZL1ABC", "ZL 32 OC"},
      {"LU1ABC", "LU 13 SA"},
      {"PY1ABC", "PY 11 SA"},
      {"ZS6ABC", "ZS 38 AF"},
      {"TA1ABC", "TA 20 EU"},     // European Turkey
      {"TA2ABC", "TA 20 AS"},
      {"IT9ABC", "I 15 EU"},      // Sicily counts as Italy
      {"", "  "},
  };
  for (const auto& [llamada, esperado] : casos) EXPECT_EQ(Pais(*paises_, llamada), esperado) << llamada;
}

TEST_F(TerraviaReal, PrefijoYDistrito) {
  struct Caso {
    const char* llamada;
    const char* prefijo;
    const char* distrito;
    const char* almacenado;
  };
  const Caso casos[] = {
      {"EA4ABC", "EA", "EA4", "EA"},
      {"EC7ZZ", "EC", "EA7", "EC"},
      {"K6ABC", "K", "K6", "K"},
      {"VE3ABC", "VE", "VE3", "VE"},
      {"EA8/DL1ABC/P", "EA8", "EA8", "DL"},
      {"DL1ABC/EA8", "DL", "DL8", "DL"},
      {"EA4ABC/P", "EA", "EA4", "EA"},
  };
  for (const auto& c : casos) {
    std::string prefijo, distrito, almacenado;
    ObtienePrefijoYDistrito(*paises_, c.llamada, prefijo, distrito);
    BuscaPrefijo(*paises_, c.llamada, almacenado);
    EXPECT_EQ(prefijo, c.prefijo) << c.llamada;
    EXPECT_EQ(distrito, c.distrito) << c.llamada;
    EXPECT_EQ(almacenado, c.almacenado) << c.llamada;
  }
}

}  // namespace

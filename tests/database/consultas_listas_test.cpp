// The queries that validation and scoring run on the reference lists, the
// Cabrillo profile and the scoring work tables, as they write them, on an
// empty contest database of the full layout.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "database/creacion.h"
#include "plataforma/dao.h"

namespace fs = std::filesystem;

namespace {

class ConsultasDeListas : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string plantilla = (fs::temp_directory_path() / "consultas-XXXXXX").string();
    carpeta_ = mkdtemp(plantilla.data());
    const std::string ruta = (fs::path(carpeta_) / "Ledrima").string();
    database::CreaBaseConcursosVacia(ruta);
    db_ = dao::OpenDatabase(ruta);
  }
  void TearDown() override {
    db_.Close();
    std::error_code ec;
    fs::remove_all(carpeta_, ec);
  }

  // Adds one row: column names and values in order.
  void Fila(const char* tabla, const std::vector<std::pair<const char*, dao::Variant>>& valores) {
    dao::Recordset rs = db_.OpenRecordset(tabla);
    rs.AddNew();
    for (const auto& [columna, valor] : valores) rs[columna] = valor;
    rs.Update();
  }

  std::string carpeta_;
  dao::Database db_;
};

TEST_F(ConsultasDeListas, LasConsultasDeLasListasDeReferencia) {
  Fila("ListaProv", {{"NumeroOrden", 7}, {"CodigoProv", "M"}, {"ProvExcluida", false}});
  Fila("ListaProv", {{"NumeroOrden", 7}, {"CodigoProv", "BI"}, {"ProvExcluida", true}});
  Fila("ListaProv", {{"NumeroOrden", 8}, {"CodigoProv", "M"}, {"ProvExcluida", false}});
  Fila("ListaPaises", {{"NumeroOrden", 7}, {"DxccExcluido", "EA"}});
  Fila("ListaCq", {{"NumeroOrden", 7}, {"CqExcluido", "14"}});
  Fila("ListaPrefijos", {{"NumeroOrden", 7}, {"PrefijoExcluido", "EA8"}});
  Fila("ListaMultEspeciales", {{"NumeroOrden", 7}, {"MultEstacion", "ED1R"}});
  Fila("MultEspeciales", {{"NumeroOrden", 7}, {"Estacion", "ED1R"}, {"Puntos", 3}});
  Fila("ListaEspeciales", {{"NumeroOrden", 7}, {"Estacion", "EG1X"}, {"Prefijo", "*"}, {"Distrito", "*"},
                           {"Provincia", "*"}, {"Banda", "*"}, {"Modo", "*"}, {"Puntos", 10}, {"PuntosRef", "*"}});
  Fila("ListaEspeciales", {{"NumeroOrden", 7}, {"Estacion", "*"}, {"Prefijo", "*"}, {"Distrito", "*"},
                           {"Provincia", "*"}, {"Banda", "3.5"}, {"Modo", "CW"}, {"Puntos", 0}, {"PuntosRef", "5"}});
  Fila("ResumenCabrillo", {{"NumeroOrden", 7}, {"ALL", true}});

  struct Caso {
    std::string sql;
    int filas;
  };
  const std::string n = "7";
  const Caso casos[] = {
      {"Select * from ListaProv Where NumeroOrden = " + n + " and CodigoProv = '" + "M" + "'", 1},
      {"Select * from ListaProv Where NumeroOrden = " + n + " and CodigoProv = '" + "bi" + "'", 1},
      // A code taken from a log, holding a quote, is simply not found.
      {"Select * from ListaProv Where NumeroOrden = " + n + " and CodigoProv = '" + "M'" + "'", 0},
      {"Select * From ListaProv Where NumeroOrden = " + n, 2},
      {"Select * From ListaPaises Where NumeroOrden = " + n + " And DxccExcluido = '" + "EA" + "'", 1},
      {"Select * From ListaPaises Where NumeroOrden = " + n + " And DxccExcluido = '" + "DL" + "'", 0},
      {"Select * From ListaCq Where NumeroOrden = " + n + " And CqExcluido = '" + "14" + "'", 1},
      {"Select * From ListaPrefijos Where NumeroOrden = " + n + " And PrefijoExcluido = '" + "EA8" + "'", 1},
      {"Select * From ListaMultEspeciales Where NumeroOrden = " + n + " And MultEstacion = '" + "ED1R" + "'", 1},
      {"Select * From ListaMultEspeciales Where NumeroOrden = " + n + " And MultEstacion = '" + "O'ED1R" + "'", 0},
      {"Select * From MultEspeciales Where Estacion = '" + std::string("ED1R") + "' And NumeroOrden = " + n, 1},
      {"Select * From ListaEspeciales Where NumeroOrden = " + n + " and Provincia = '" + "*" + "'", 2},
      {"Select * From ListaEspeciales Where NumeroOrden = " + n + " and Provincia = '" + "BI" + "'", 0},
      {"Select * From ResumenCabrillo Where NumeroOrden = " + n, 1},
      {"Select * From ResumenCabrillo Where NumeroOrden = 8", 0},
  };
  for (const Caso& c : casos) EXPECT_EQ(db_.OpenRecordset(c.sql).RecordCount(), c.filas) << c.sql;

  // The points of a QSO: direct points, or points by reference.
  dao::Recordset especiales = db_.OpenRecordset("Select * From ListaEspeciales Where NumeroOrden = " + n);
  especiales.FindFirst("(Estacion = 'EG1X' Or Estacion = '*') and (Banda = '3.5' Or Banda = '*') and "
                       "(Modo = 'CW' Or Modo = '*') and PuntosRef = '*'");
  ASSERT_FALSE(especiales.NoMatch());
  EXPECT_EQ(especiales["Puntos"].CLng(), 10);
  especiales.FindFirst("Estacion = '*' and Banda = '3.5' and Modo = 'CW' and Puntos = 0");
  ASSERT_FALSE(especiales.NoMatch());
  EXPECT_EQ(especiales["PuntosRef"].CStr(), "5");
}

TEST_F(ConsultasDeListas, LosCriteriosDeLaTablaDeQsos) {
  db_.Execute("DELETE FROM ListaQso");
  Fila("ListaQso", {{"NumeroQso", 1}, {"FechaQso", "02-03-2024"}, {"Banda", "14000"}, {"Modo", "CW"},
                    {"Indicativo", "EA4ABC"}, {"Dxcc", "EA"}, {"Waz", "14"}, {"RsRecibido", "59914"},
                    {"LiteralRecibido", "M"}, {"QraLocatorRecibido", "IN80LL"}});
  Fila("ListaQso", {{"NumeroQso", 2}, {"FechaQso", "02-03-2024"}, {"Banda", "7000"}, {"Modo", "SSB"},
                    {"Indicativo", "DL1XYZ"}, {"Dxcc", "DL"}, {"Waz", "14"}, {"Duplicado", "S"}});
  dao::Recordset qsos = db_.OpenRecordset("Select * From ListaQso Order by  NumeroQso");
  const std::pair<std::string, int> casos[] = {
      {"Banda = '14000' and Duplicado = Null", 1},
      {"FechaQso = CvDate('02-03-2024') and Duplicado = Null", 1},
      {"Dxcc = 'EA' and  Modo = 'CW' and Duplicado = Null", 1},
      {"Waz Like '*14' and Duplicado = Null", 1},
      {"RsRecibido Like '*14' and Banda = '14000' and Duplicado = Null", 1},
      {"LiteralRecibido = 'M' and FechaQso = CvDate('02-03-2024') and Duplicado = Null", 1},
      {"QraLocatorRecibido Like 'IN80*' and Duplicado = Null", 1},
      {"Indicativo = 'EA4ABC' and Banda = '14000' and Modo = 'CW' and Duplicado = Null", 1},
      {"Modo = 'CW' and FechaQso = cvdate('02-03-2024') and Duplicado = Null", 1},
      {"Indicativo = 'DL1XYZ' and Duplicado = Null", 0},
      {"Indicativo = 'EA4'ABC' and Duplicado = Null", 0},
  };
  for (const auto& [criterio, numero] : casos) {
    qsos.FindFirst(criterio);
    if (numero == 0) {
      EXPECT_TRUE(qsos.NoMatch()) << criterio;
    } else {
      ASSERT_FALSE(qsos.NoMatch()) << criterio;
      EXPECT_EQ(qsos["NumeroQso"].CLng(), numero) << criterio;
    }
  }
}

}  // namespace

#pragma once
// Fixture for the database layer tests: a fresh database file in a
// temporary folder, with helpers to build tables.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "plataforma/dao.h"

namespace dao_prueba {

struct Col {
  std::string nombre;
  dao::Tipo tipo;
  int tamano = 0;
  bool vacio = true;
};

inline void CreaTabla(dao::Database& db, const std::string& nombre, const std::vector<Col>& cols) {
  dao::TableDef td = db.CreateTableDef(nombre);
  for (const Col& c : cols) {
    dao::Field f = td.CreateField(c.nombre, c.tipo, c.tamano);
    try {
      f.SetAllowZeroLength(c.vacio);
    } catch (const dao::Error&) {
    }
    td.Fields().Append(f);
  }
  db.TableDefs().Append(td);
}

// The scoring work table, as the scoring run lays it out.
inline void CreaListaQso(dao::Database& db) {
  using dao::Tipo;
  std::vector<Col> cols = {{"NumeroQso", Tipo::Long},         {"FechaQso", Tipo::Date},
                           {"HoraQso", Tipo::Text},           {"Banda", Tipo::Text, 5},
                           {"Modo", Tipo::Text, 5},           {"RsEnviado", Tipo::Text, 5},
                           {"Concursante", Tipo::Text, 16},   {"LiteralEnviado", Tipo::Text, 32},
                           {"NumeralEnviado", Tipo::Text, 4}, {"QraLocatorEnviado", Tipo::Text, 6},
                           {"RsRecibido", Tipo::Text, 5},     {"Indicativo", Tipo::Text, 16},
                           {"NumeralRecibido", Tipo::Text, 4}, {"LiteralRecibido", Tipo::Text, 32},
                           {"QraLocatorRecibido", Tipo::Text, 6}, {"Dxcc", Tipo::Text, 5},
                           {"DxccEstacionBase", Tipo::Text, 5}, {"Waz", Tipo::Text, 5},
                           {"WazEstacionBase", Tipo::Text, 5}, {"Continente", Tipo::Text, 5},
                           {"ContinenteEstacionBase", Tipo::Text, 5}, {"PuntosRecibidos", Tipo::Long},
                           {"PuntosPorQso", Tipo::Long},      {"Multiplicador", Tipo::Long},
                           {"MultPais", Tipo::Text, 5},       {"MultPrefijo", Tipo::Text, 5},
                           {"MultDistrito", Tipo::Text, 5},   {"MultProv", Tipo::Text, 5},
                           {"MultBanda", Tipo::Text, 5},      {"MultSufijo", Tipo::Text, 5},
                           {"MultModo", Tipo::Text, 5},       {"MultLoc", Tipo::Text, 5},
                           {"Duplicado", Tipo::Text, 1}};
  CreaTabla(db, "ListaQso", cols);
}

class BaseTemporal : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta_ = std::filesystem::temp_directory_path() /
               ("trovalis_dao_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(carpeta_);
    std::filesystem::create_directories(carpeta_);
    ruta_ = (carpeta_ / "Ledrima").string();
    db_ = dao::CreateDatabase(ruta_);
  }
  void TearDown() override {
    db_.Close();
    std::filesystem::remove_all(carpeta_);
  }

  std::filesystem::path carpeta_;
  std::string ruta_;
  dao::Database db_;
};

}  // namespace dao_prueba

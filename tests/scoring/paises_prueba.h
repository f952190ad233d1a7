#pragma once
// A small countries database for the scoring tests: QQ is country Q1, QQ8
// is Q8, EA and EB are EA, EA8 is EA8.
#include <sqlite3.h>

#include <memory>

#include "common/paises.h"
#include "common/terravia.h"

namespace scoring {

inline std::unique_ptr<TablasPaises> PaisesPrueba() {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  CreaTablasTerravia(db);
  sqlite3_exec(db,
               "INSERT INTO Prefijos (Prefijo, Dxcc) VALUES ('QQ', 'Q1'), ('QQ8', 'Q8'), ('EA', 'EA'),"
               " ('EB', 'EA'), ('EA8', 'EA8');"
               "INSERT INTO Dxcc (Dxcc, Waz, Continente) VALUES ('Q1', '14', 'EU'), ('Q8', '33', 'AF'),"
               " ('EA', '14', 'EU'), ('EA8', '33', 'AF');",
               nullptr, nullptr, nullptr);
  auto t = TablasPaises::Carga(db);
  sqlite3_close(db);
  return t;
}

}  // namespace scoring

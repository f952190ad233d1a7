#pragma once
// Helpers of the validation tests: a small countries database in memory,
// and the error numbers of a report.
#include <sqlite3.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/paises.h"
#include "common/terravia.h"

namespace cabrillo::prueba {

// Countries: prefixes "EA" (EA), "EA8" (EA8), "CT" (CT), "C3" (C3), "F" (F)
// and "QQ" (QQ).
inline std::unique_ptr<TablasPaises> PaisesPrueba() {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  CreaTablasTerravia(db);
  const std::vector<std::pair<const char*, const char*>> filas = {
      {"EA", "EA"}, {"EA8", "EA8"}, {"CT", "CT"}, {"C3", "C3"}, {"F", "F"}, {"QQ", "QQ"}};
  for (const auto& [prefijo, dxcc] : filas) {
    const std::string sql = std::string("INSERT INTO Prefijos VALUES ('") + prefijo + "','" + dxcc + "');";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  for (const char* dxcc : {"EA", "EA8", "CT", "C3", "F", "QQ"}) {
    const std::string sql = std::string("INSERT INTO Dxcc VALUES ('") + dxcc + "','14','EU');";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  std::unique_ptr<TablasPaises> tablas = TablasPaises::Carga(db);
  sqlite3_close(db);
  return tablas;
}

// The numbers of the error lines (".- ERROR n: ...") of a report, in order.
inline std::vector<int> NumerosDeError(std::string_view informe) {
  std::vector<int> numeros;
  std::size_t i = 0;
  while (i < informe.size()) {
    std::size_t fin = informe.find("\r\n", i);
    if (fin == std::string_view::npos) fin = informe.size();
    const std::string_view linea = informe.substr(i, fin - i);
    if (linea.substr(0, 9) == ".- ERROR ") numeros.push_back(std::atoi(std::string(linea.substr(9)).c_str()));
    i = fin + 2;
  }
  return numeros;
}

}  // namespace cabrillo::prueba

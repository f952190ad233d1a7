#pragma once
// Helpers of the scoring tests: a countries database with the stations the
// point rules tell apart, and a progress that keeps every step it was told.
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "common/paises.h"
#include "common/progreso_etapa.h"
#include "common/terravia.h"
#include "plataforma/texto.h"

namespace scoring::prueba {

// QQ is Q1 (EU, zone 14) and QQ8 is Q8 (AF); EA and EB are EA, EA6 is EA6
// and EA8 is EA8 (AF); DL, F (EU) and W (country K, NA).
inline std::unique_ptr<TablasPaises> PaisesPuntos() {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  CreaTablasTerravia(db);
  sqlite3_exec(db,
               "INSERT INTO Prefijos (Prefijo, Dxcc) VALUES ('QQ', 'Q1'), ('QQ8', 'Q8'), ('EA', 'EA'),"
               " ('EB', 'EA'), ('EA6', 'EA6'), ('EA8', 'EA8'), ('DL', 'DL'), ('F', 'F'), ('W', 'K');"
               "INSERT INTO Dxcc (Dxcc, Waz, Continente) VALUES ('Q1', '14', 'EU'), ('Q8', '33', 'AF'),"
               " ('EA', '14', 'EU'), ('EA6', '14', 'EU'), ('EA8', '33', 'AF'), ('DL', '14', 'EU'),"
               " ('F', '14', 'EU'), ('K', '5', 'NA');",
               nullptr, nullptr, nullptr);
  auto t = TablasPaises::Carga(db);
  sqlite3_close(db);
  return t;
}

// Keeps every step and every progress value a run told.
class ProgresoRegistro : public ProgresoSimple {
 public:
  void Porcentaje(int porcentaje) override {
    progresos.push_back(porcentaje);
    ProgresoSimple::Porcentaje(porcentaje);
  }
  std::vector<int> progresos;
};

}  // namespace scoring::prueba

// The database layer against hand-written sqlite3 calls over 100,000 rows:
// FindFirst on a QSO table, Seek on an indexed prefix table, AddNew/Update.
// Each layer benchmark runs after its hand-written twin and reports the
// ratio of their times per iteration (counter "ratio"; the target is <= 2).
// Both sides do the same work: the layer's Seek reads every field of the
// row it finds and the hand-written one a single column, and the layer's
// AddNew converts the date text it is given while the hand-written insert
// binds the stored form directly. For instruction counts, which a loaded
// machine does not disturb, run one case at a time under callgrind:
//   TROVALIS_DAO_VUELTAS=20000 valgrind --tool=callgrind --collect-atstart=no
//     --toggle-collect='*BM_Seek_capa*' bench_dao_bench --benchmark_filter='BM_Seek_capa/'
// and divide the instructions collected by the iterations.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "plataforma/dao.h"
#include "plataforma/dao_interno.h"

namespace {

constexpr int kFilas = 100000;
using Reloj = std::chrono::steady_clock;

std::string Indicativo(int i) { return "EA" + std::to_string(i % 9) + "X" + std::to_string(i); }

struct Datos {
  std::filesystem::path carpeta;
  std::string ruta;
  Datos() {
    carpeta = std::filesystem::temp_directory_path() / ("trovalis_dao_bench_" + std::to_string(::getpid()));
    std::filesystem::remove_all(carpeta);
    std::filesystem::create_directories(carpeta);
    ruta = (carpeta / "Ledrima").string();
    dao::Database db = dao::CreateDatabase(ruta);
    auto tabla = [&](const char* nombre, std::vector<dao::Field> campos) {
      dao::TableDef td = db.CreateTableDef(nombre);
      for (auto& f : campos) td.Fields().Append(f);
      db.TableDefs().Append(td);
    };
    using dao::Field;
    using dao::Tipo;
    tabla("ListaQso", {Field("NumeroQso", Tipo::Long), Field("FechaQso", Tipo::Date), Field("Banda", Tipo::Text, 5),
                       Field("Modo", Tipo::Text, 5), Field("Indicativo", Tipo::Text, 16),
                       Field("Duplicado", Tipo::Text, 1)});
    tabla("Prefijos", {Field("Prefijo", Tipo::Text, 16), Field("Dxcc", Tipo::Text, 5)});
    tabla("Altas", {Field("NumeroQso", Tipo::Long), Field("FechaQso", Tipo::Date), Field("Banda", Tipo::Text, 5),
                    Field("Modo", Tipo::Text, 5), Field("Indicativo", Tipo::Text, 16)});
    db.BeginTrans();
    dao::Recordset q = db.OpenRecordset("ListaQso");
    dao::Recordset p = db.OpenRecordset("Prefijos");
    for (int i = 1; i <= kFilas; ++i) {
      q.AddNew();
      q["NumeroQso"] = i;
      q["FechaQso"] = dao::Fecha{2024, 3, 1 + i % 2};
      q["Banda"] = i % 3 ? "14000" : "7000";
      q["Modo"] = i % 2 ? "CW" : "PH";
      q["Indicativo"] = Indicativo(i);
      q.Update();
      p.AddNew();
      p["Prefijo"] = Indicativo(i);
      p["Dxcc"] = "EA";
      p.Update();
    }
    db.CommitTrans();
    db.CreateIndex("Prefijos", "ClavePrefijo", {"Prefijo"}, true);
    db.Close();
  }
  ~Datos() { std::filesystem::remove_all(carpeta); }
};

Datos& LosDatos() {
  static Datos d;
  return d;
}

// A raw connection with the same text collation registered, as hand-written
// code over these files would need.
sqlite3* AbreCrudo() {
  sqlite3* db = nullptr;
  sqlite3_open_v2(LosDatos().ruta.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_create_collation(db, dao::detalle::kColacion, SQLITE_UTF8, nullptr,
                           [](void*, int na, const void* a, int nb, const void* b) {
                             return dao::detalle::ComparaSinCaso(std::string_view(static_cast<const char*>(a), na),
                                                                 std::string_view(static_cast<const char*>(b), nb));
                           });
  return db;
}

double tiempoCrudo[3] = {0, 0, 0};

void Informa(benchmark::State& st, int caso, Reloj::duration total) {
  double porIteracion = std::chrono::duration<double>(total).count() / static_cast<double>(st.iterations());
  if (caso >= 100) {
    tiempoCrudo[caso - 100] = porIteracion;
  } else if (tiempoCrudo[caso] > 0) {
    st.counters["ratio"] = porIteracion / tiempoCrudo[caso];
  }
}

// ------------------------------------------------------------- FindFirst

// Hand-written: the same search as one prepared statement.
void BM_FindFirst_sqlite3(benchmark::State& st) {
  sqlite3* db = AbreCrudo();
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT NumeroQso FROM ListaQso WHERE NumeroQso < ?1 AND Indicativo = ?2 AND "
                     "Modo = 'CW' AND Duplicado IS NULL ORDER BY NumeroQso LIMIT 1",
                     -1, &s, nullptr);
  int i = 0;
  auto t0 = Reloj::now();
  for (auto _ : st) {
    int n = 1 + (i++ * 7919) % kFilas;
    std::string c = Indicativo(n | 1);
    sqlite3_bind_int(s, 1, kFilas);
    sqlite3_bind_text(s, 2, c.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(s) == SQLITE_ROW) benchmark::DoNotOptimize(sqlite3_column_int(s, 0));
    sqlite3_reset(s);
  }
  Informa(st, 100, Reloj::now() - t0);
  sqlite3_finalize(s);
  sqlite3_close(db);
}

void BM_FindFirst_capa(benchmark::State& st) {
  dao::Database db = dao::OpenDatabase(LosDatos().ruta);
  dao::Recordset rs = db.OpenRecordset("Select * From ListaQso Where NumeroQso < " + std::to_string(kFilas) +
                                       " Order by NumeroQso");
  int i = 0;
  auto t0 = Reloj::now();
  for (auto _ : st) {
    int n = 1 + (i++ * 7919) % kFilas;
    rs.FindFirst("Indicativo = '" + Indicativo(n | 1) + "' and Modo = 'CW' and Duplicado = Null");
    if (!rs.NoMatch()) benchmark::DoNotOptimize(rs["NumeroQso"].CLng());
  }
  Informa(st, 0, Reloj::now() - t0);
}

// ------------------------------------------------------------------ Seek

void BM_Seek_sqlite3(benchmark::State& st) {
  sqlite3* db = AbreCrudo();
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, "SELECT Dxcc FROM Prefijos WHERE Prefijo = ?1 LIMIT 1", -1, &s, nullptr);
  int i = 0;
  auto t0 = Reloj::now();
  for (auto _ : st) {
    std::string c = Indicativo(1 + (i++ * 7919) % kFilas);
    sqlite3_bind_text(s, 1, c.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(s) == SQLITE_ROW) benchmark::DoNotOptimize(sqlite3_column_text(s, 0));
    sqlite3_reset(s);
  }
  Informa(st, 101, Reloj::now() - t0);
  sqlite3_finalize(s);
  sqlite3_close(db);
}

void BM_Seek_capa(benchmark::State& st) {
  dao::Database db = dao::OpenDatabase(LosDatos().ruta);
  dao::Recordset rs = db.OpenRecordset("Prefijos");
  rs.SetIndex("ClavePrefijo");
  int i = 0;
  auto t0 = Reloj::now();
  for (auto _ : st) {
    rs.Seek("=", dao::Variant(Indicativo(1 + (i++ * 7919) % kFilas)));
    if (!rs.NoMatch()) benchmark::DoNotOptimize(rs["Dxcc"].CStr());
  }
  Informa(st, 1, Reloj::now() - t0);
}

// --------------------------------------------------------- AddNew/Update

void BM_AddNew_sqlite3(benchmark::State& st) {
  sqlite3* db = AbreCrudo();
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO Altas (NumeroQso, FechaQso, Banda, Modo, Indicativo) VALUES (?, ?, ?, ?, ?)", -1,
                     &s, nullptr);
  int i = 0;
  auto t0 = Reloj::now();
  for (auto _ : st) {
    std::string c = Indicativo(++i);
    sqlite3_bind_int(s, 1, i);
    sqlite3_bind_text(s, 2, "2024-03-01", -1, SQLITE_STATIC);
    sqlite3_bind_text(s, 3, "14000", -1, SQLITE_STATIC);
    sqlite3_bind_text(s, 4, "CW", -1, SQLITE_STATIC);
    sqlite3_bind_text(s, 5, c.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(s);
    sqlite3_reset(s);
  }
  Informa(st, 102, Reloj::now() - t0);
  sqlite3_finalize(s);
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

void BM_AddNew_capa(benchmark::State& st) {
  dao::Database db = dao::OpenDatabase(LosDatos().ruta);
  db.BeginTrans();
  dao::Recordset rs = db.OpenRecordset("Altas");
  int i = 0;
  auto t0 = Reloj::now();
  for (auto _ : st) {
    ++i;
    rs.AddNew();
    rs["NumeroQso"] = i;
    rs["FechaQso"] = "01-03-2024";
    rs["Banda"] = "14000";
    rs["Modo"] = "CW";
    rs["Indicativo"] = Indicativo(i);
    rs.Update();
  }
  Informa(st, 2, Reloj::now() - t0);
  db.Rollback();
}

}  // namespace

// TROVALIS_DAO_VUELTAS=n runs every case exactly n iterations, so that an
// instruction count (valgrind --tool=callgrind --toggle-collect=<case>)
// divides into a count per iteration.
int main(int argc, char** argv) {
  const char* vueltas = std::getenv("TROVALIS_DAO_VUELTAS");
  const std::pair<const char*, void (*)(benchmark::State&)> casos[] = {
      {"BM_FindFirst_sqlite3", BM_FindFirst_sqlite3}, {"BM_FindFirst_capa", BM_FindFirst_capa},
      {"BM_Seek_sqlite3", BM_Seek_sqlite3},           {"BM_Seek_capa", BM_Seek_capa},
      {"BM_AddNew_sqlite3", BM_AddNew_sqlite3},       {"BM_AddNew_capa", BM_AddNew_capa},
  };
  for (const auto& [nombre, funcion] : casos) {
    auto* b = benchmark::RegisterBenchmark(nombre, funcion)->Unit(benchmark::kMicrosecond);
    if (vueltas && std::atoi(vueltas) > 0) b->Iterations(std::atoi(vueltas));
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  LosDatos();  // the rows are made before any case runs
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

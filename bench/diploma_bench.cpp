// The award's evaluation: the count of one merged log of many QSOs, and the
// evaluation of an edition with many stations' merged logs (read, counted,
// levels tested, six lists written).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "award/diplomas.h"
#include "award/municipios.h"
#include "award/recuento_municipios.h"
#include "common/progreso_etapa.h"
#include "plataforma/texto.h"

namespace fs = std::filesystem;

namespace {

// A merged log of `qsos` QSO lines going round the municipalities.
std::vector<std::string> Log(int qsos) {
  std::vector<std::string> codigos;
  const award::TablaDeMunicipios& tabla = award::TablaMunicipios();
  for (int c = 1; c <= award::kNumeroComarcas; ++c)
    for (int h = 1; h <= award::kHuecosPorComarca; ++h)
      if (!tabla[c][h].Vacia()) codigos.emplace_back(tabla[c][h].Codigo);
  std::vector<std::string> lineas = {"START-OF-LOG: 3.0", "CALLSIGN: EA1AAA"};
  for (int i = 0; i < qsos; ++i)
    lineas.push_back("QSO: 14000 PH 2026-05-01 " + std::to_string(1000 + i % 1000) + " EA1AAA 59 39075 EA4XYZ 59 " +
                     codigos[static_cast<std::size_t>(i * 7) % codigos.size()]);
  lineas.push_back("END-OF-LOG:");
  return lineas;
}

void CuentaUnLog(benchmark::State& estado) {
  const std::vector<std::string> lineas = Log(static_cast<int>(estado.range(0)));
  for (auto _ : estado) benchmark::DoNotOptimize(award::CargaMunicipiosContactados(lineas, 1));
  estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(CuentaUnLog)->Arg(1000)->Arg(10000);

void EvaluaEdicion(benchmark::State& estado) {
  std::string plantilla = (fs::temp_directory_path() / "trovalis-bench-XXXXXX").string();
  if (!mkdtemp(plantilla.data())) std::abort();
  const std::string raiz = plantilla;
  fs::create_directories(raiz + "/ListasAdmitidas");
  const int estaciones = static_cast<int>(estado.range(0));
  std::vector<std::string> nombres;
  for (int e = 0; e < estaciones; ++e) {
    nombres.push_back("EA1" + std::to_string(1000 + e) + ".LOG");
    plataforma::EscribirLineas(raiz + "/ListasAdmitidas/" + nombres.back(), Log(300 + e % 200));
  }
  ProgresoSimple ventana;
  for (auto _ : estado) {
    award::ListasDiplomas listas;
    benchmark::DoNotOptimize(award::EvaluaDiplomas(raiz, nombres, listas, ventana));
  }
  estado.SetItemsProcessed(estado.iterations() * estaciones);
  fs::remove_all(raiz);
}
BENCHMARK(EvaluaEdicion)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// Reading QSO lines into tokens and building the admitted-category table.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/lectura.h"

namespace {

void BM_TokensDeLineasQso(benchmark::State& estado) {
  std::vector<std::string> lineas;
  for (int i = 0; i < estado.range(0); ++i)
    lineas.push_back("QSO:  14025 CW 2018-03-05 " + std::to_string(1000 + i % 800) +
                     " QQ1ABC        599 0001 M      QQ2DEF        599 " + std::to_string(i % 9999) + " B");
  std::string campo;
  for (auto _ : estado) {
    for (const std::string& linea : lineas) {
      std::int64_t pos = 5;
      for (int t = 0; t < 12; ++t) {
        cabrillo::ObtieneSiguienteCampo(linea, pos, campo);
        benchmark::DoNotOptimize(campo.data());
      }
    }
  }
  estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(BM_TokensDeLineasQso)->Arg(1000)->Arg(10000);

void BM_TablaDeCategoriasCompleta(benchmark::State& estado) {
  cabrillo::FilaResumenCabrillo fila;
  for (const char* n : {"SingleOp", "MultiOp", "ServerOp", "CheckLog", "ALL", "M160", "M80", "M40", "M30", "M20",
                        "M15", "M16", "M12", "M10", "M6", "M2", "M222", "M432", "M902", "G12", "SSB", "CW", "FM",
                        "RTTY", "MIXED", "High", "Low", "Qrp", "NonAssisted", "Assisted", "One", "Two", "Limited",
                        "UnLimited", "Swl", "Fixed", "Mobile", "Portable", "HillTopper", "Rover", "Expedition", "Hq",
                        "School", "Hours6", "Hours12", "Hours24", "Rookie", "TbWires", "NoviceTech", "Over50"})
    *fila.Campo(n) = true;
  for (const char* n : {"BandaNoAplicable", "ModoNoAplicable", "PotenciaNoAplicable", "AsistidoNoAplicable",
                        "TxNoAplicable", "TipoEstacionNoAplicable", "TimeNoAplicable", "OverlayNoAplicable"})
    *fila.Campo(n) = false;
  for (auto _ : estado) {
    cabrillo::CategoriasAdmitidas tabla = cabrillo::GeneraCategoriasAdmitidas("PRUEBA", &fila);
    benchmark::DoNotOptimize(tabla.Numero());
  }
}
BENCHMARK(BM_TablaDeCategoriasCompleta);

}  // namespace

BENCHMARK_MAIN();

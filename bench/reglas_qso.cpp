// Per-QSO rules that scoring and validation run on every line of every log:
// band folding and splitting a QSO line into its exchange tokens.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/reglas_qso.h"

namespace {

void BM_PliegaBanda(benchmark::State& state) {
  const std::vector<std::string> frecuencias = {"1830", "3650", "7050", "14025", "14500",
                                                "21300", "27555", "28500", "144", "1.2G"};
  for (auto _ : state)
    for (const auto& f : frecuencias) benchmark::DoNotOptimize(reglas::PliegaBanda(f));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(frecuencias.size()));
}
BENCHMARK(BM_PliegaBanda);

void BM_DesglosaLineaQso(benchmark::State& state) {
  reglas::PerfilIntercambio perfil;
  perfil.enviado.rst = perfil.enviado.numeral = true;
  perfil.recibido.rst = perfil.recibido.letras = true;
  const auto orden = reglas::OrdenTokensQso(perfil);
  const std::string linea = " 14025 CW 2024-03-05 1200 QQ1AAA        599 001  QQ2BBB        599 M";
  for (auto _ : state) {
    auto tokens = reglas::AsignaTokens(reglas::PartesLineaQso(linea), orden);
    benchmark::DoNotOptimize(tokens);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DesglosaLineaQso);

}  // namespace

BENCHMARK_MAIN();

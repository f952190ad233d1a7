// Reading and converting a large log, and resolving paths in a full folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "plataforma/lenguaje.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace {

std::string LogDePrueba(int qsos) {
  std::string s = "START-OF-LOG: 3.0\r\nCALLSIGN: EA1ABC\r\n";
  for (int i = 0; i < qsos; ++i)
    s += "QSO: 14012 CW 2024-03-15 0712 EA1ABC        599 001    EA4XYZ        599 " +
         plataforma::ConCeros(i, 3) + " A\xF1o\r\n";
  return s + "END-OF-LOG:\r\n";
}

void PartirUnLog(benchmark::State& st) {
  const std::string bytes = LogDePrueba(static_cast<int>(st.range(0)));
  for (auto _ : st) benchmark::DoNotOptimize(plataforma::PartirLineas(bytes));
  st.SetBytesProcessed(static_cast<int64_t>(st.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(PartirUnLog)->Arg(1000)->Arg(20000);

void ResolverEnCarpetaLlena(benchmark::State& st) {
  const auto dir = std::filesystem::temp_directory_path() / "trovalis-bench-rutas";
  std::filesystem::create_directories(dir);
  for (int i = 0; i < st.range(0); ++i)
    plataforma::EscribirLineas((dir / ("EA" + std::to_string(i) + ".LOG")).string(), {"x"});
  const std::string buscado = (dir / ("ea" + std::to_string(st.range(0) - 1) + ".log")).string();
  for (auto _ : st) benchmark::DoNotOptimize(plataforma::ResuelveRuta(buscado));
  std::filesystem::remove_all(dir);
}
BENCHMARK(ResolverEnCarpetaLlena)->Arg(1000);

void LikeConEstrellas(benchmark::State& st) {
  const std::string texto(200, 'A');
  for (auto _ : st) benchmark::DoNotOptimize(plataforma::Like(texto, "*A*A*A*B"));
}
BENCHMARK(LikeConEstrellas);

}  // namespace

BENCHMARK_MAIN();

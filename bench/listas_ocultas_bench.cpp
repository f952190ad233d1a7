// Storing and synchronising a contest's reference lists of 10 to 1,000
// entries, and building the reports of logs not sent.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "database/creacion.h"
#include "database/listas_ocultas.h"
#include "mainwindow/listas_no_enviadas.h"

namespace {

namespace fs = std::filesystem;

struct BaseTemporal {
  BaseTemporal() {
    ruta = (fs::temp_directory_path() / ("bench_listas_" + std::to_string(::getpid()))).string();
    fs::remove(ruta);
    database::CreaBaseConcursosVacia(ruta);
    base = dao::OpenDatabase(ruta);
  }
  ~BaseTemporal() {
    base.Close();
    fs::remove(ruta);
  }
  std::string ruta;
  dao::Database base;
};

listas::ListasOcultas Distritos(int n, int desplazamiento) {
  listas::ListasOcultas l = listas::ListasVacias();
  for (int i = 0; i < n; ++i) {
    l["ListaDistritos"].push_back("D" + std::to_string(i + desplazamiento));
    l["ListaExDistritos"].push_back(i % 7 == 0 ? "SI" : "");
  }
  return l;
}

// A save after a quarter of the list changed.
void SincronizarDistritos(benchmark::State& state) {
  BaseTemporal t;
  const int n = static_cast<int>(state.range(0));
  listas::OpcionesListas o;
  o.CadaDistrito = o.ExcluirDistrito = true;
  for (auto _ : state) {
    state.PauseTiming();
    listas::Borra(t.base, listas::Grupo::Distritos, 1);
    listas::ListasOcultas inicial = Distritos(n, 0);
    listas::GrabaListaDistritos(t.base, 1, o, inicial);
    listas::ListasOcultas editada = Distritos(n, n / 4);
    state.ResumeTiming();
    // As a save runs it: inside the save's transaction.
    t.base.BeginTrans();
    listas::ActualizaListaDistritos(t.base, 1, o, editada);
    t.base.CommitTrans();
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(SincronizarDistritos)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void CargarDistritos(benchmark::State& state) {
  BaseTemporal t;
  const int n = static_cast<int>(state.range(0));
  listas::OpcionesListas o;
  o.CadaDistrito = true;
  listas::ListasOcultas l = Distritos(n, 0);
  listas::GrabaListaDistritos(t.base, 1, o, l);
  for (auto _ : state) {
    listas::CargaListaDistritos(t.base, 1, l);
    benchmark::DoNotOptimize(l);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(CargarDistritos)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);

void InformesNoEnviadas(benchmark::State& state) {
  std::vector<noenviadas::EstacionNoEnviada> e;
  for (int i = 0; i < state.range(0); ++i)
    e.push_back({"QQ" + std::to_string(i % 10) + "X" + std::to_string(i), static_cast<std::int16_t>(i % 97)});
  for (auto _ : state) {
    benchmark::DoNotOptimize(noenviadas::InformePorIndicativo(e));
    benchmark::DoNotOptimize(noenviadas::InformePorNumero(e));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(InformesNoEnviadas)->Arg(100)->Arg(10000);

}  // namespace

BENCHMARK_MAIN();

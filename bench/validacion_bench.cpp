// Validation of synthetic logs of 100, 1,000 and 10,000 QSO lines against
// three contests (see concursos_bench.h): the test contest, a contest whose
// country rules look up both calls of every line, and a contest with a
// district list of 121 codes. The whole driver (reading the file, framing,
// header, categories and every QSO line) and the QSO stage alone. The
// counter "lineas_qso/s" gives QSO lines per second on one core.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cabrillo/entorno_validacion.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/progreso_etapa.h"
#include "concursos_bench.h"

namespace {

namespace fs = std::filesystem;
using bancos::Caso;

const TablasPaises* PaisesDelBanco() {
  static const std::unique_ptr<TablasPaises> paises = fs::exists(bancos::kFicheroPaises) ? bancos::Paises() : nullptr;
  return paises.get();
}

class Entorno {
 public:
  Entorno(Caso caso, int lineas_qso)
      : nombre(bancos::IndicativoDe(caso) + ".LOG"),
        datos(bancos::Concurso(caso)),
        categorias(soporte::CategoriasPrueba(datos)) {
    carpeta = bancos::CarpetaTemporal("trovalis-bench");
    fs::create_directories(carpeta / "FicherosRecibidos");
    std::ofstream(carpeta / "FicherosRecibidos" / nombre, std::ios::binary) << bancos::LogSintetico(caso, lineas_qso);
    if (caso == Caso::Paises) paises = PaisesDelBanco();
  }
  ~Entorno() {
    informe.Cierra();
    std::error_code ec;
    fs::remove_all(carpeta, ec);
  }
  std::string nombre;
  fs::path carpeta;
  cabrillo::DatosConcursoLog datos;
  cabrillo::CategoriasAdmitidas categorias;
  cabrillo::FicheroErrores informe;
  cabrillo::CabeceraLog cabecera;
  const TablasPaises* paises = nullptr;
  ProgresoSimple progreso;
};

void Contadores(benchmark::State& estado) {
  estado.SetItemsProcessed(estado.iterations() * estado.range(1));
  estado.counters["lineas_qso/s"] =
      benchmark::Counter(static_cast<double>(estado.range(1)), benchmark::Counter::kIsIterationInvariantRate);
}

bool Preparado(benchmark::State& estado, Caso caso) {
  estado.SetLabel(bancos::NombreCaso(caso));
  if (caso == Caso::Paises && !PaisesDelBanco()) {
    estado.SkipWithError("sin fichero de países");
    return false;
  }
  return true;
}

void BM_VerificaFicheroCabrillo(benchmark::State& estado) {
  const auto caso = static_cast<Caso>(estado.range(0));
  if (!Preparado(estado, caso)) return;
  Entorno e(caso, static_cast<int>(estado.range(1)));
  for (auto _ : estado) {
    e.cabecera.Limpia();
    e.informe.Crea(e.carpeta.string(), "05-03-2026", "");
    const cabrillo::EntornoValidacion entorno{e.datos, e.categorias, e.informe, e.cabecera, e.paises};
    const bool aceptado = cabrillo::VerificaFicheroCabrillo(e.progreso, e.carpeta.string(), e.nombre, entorno).Aceptada;
    e.informe.Cierra();
    if (!aceptado) {
      estado.SkipWithError("el log sintético no se ha aceptado");
      break;
    }
  }
  Contadores(estado);
}

void BM_VerificaLineasQso(benchmark::State& estado) {
  const auto caso = static_cast<Caso>(estado.range(0));
  if (!Preparado(estado, caso)) return;
  Entorno e(caso, static_cast<int>(estado.range(1)));
  e.informe.Crea(e.carpeta.string(), "05-03-2026", "");
  const cabrillo::EntornoValidacion entorno{e.datos, e.categorias, e.informe, e.cabecera, e.paises};
  // Fill the header as the header and category checks leave it.
  const cabrillo::ResultadoVerificacion r =
      cabrillo::VerificaFicheroCabrillo(e.progreso, e.carpeta.string(), e.nombre, entorno);
  if (!r.Aceptada) {
    estado.SkipWithError("el log sintético no se ha aceptado");
    return;
  }
  for (auto _ : estado) benchmark::DoNotOptimize(cabrillo::VerificaLineasQso(e.progreso, r.Lineas, entorno));
  Contadores(estado);
}

void Casos(benchmark::internal::Benchmark* b) {
  for (Caso caso : {Caso::Prueba, Caso::Paises, Caso::Distritos})
    for (int n : {100, 1000, 10000}) b->Args({static_cast<int>(caso), n});
  b->ArgNames({"concurso", "lineas"})->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_VerificaFicheroCabrillo)->Apply(Casos);
BENCHMARK(BM_VerificaLineasQso)->Apply(Casos);

}  // namespace

BENCHMARK_MAIN();

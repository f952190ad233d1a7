// Validation of synthetic logs of 100, 1,000 and 10,000 QSO lines against
// the test contest: the whole driver (reading the file, framing, header,
// categories and every QSO line) and the QSO stage alone. The counter
// "lineas_qso/s" gives QSO lines per second on one core.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cabrillo/entorno_validacion.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/ventana_proceso.h"
#include "soporte/concurso_prueba.h"

namespace {

namespace fs = std::filesystem;

std::string LogSintetico(int lineas_qso) {
  std::string log =
      "START-OF-LOG: 3.0\r\nCALLSIGN: QQ1ABC\r\nCONTEST: CONCURSO PRUEBA\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n"
      "CATEGORY-BAND: 20M\r\nCATEGORY-MODE: CW\r\nCATEGORY-POWER: LOW\r\nCLUB: Radio Club Pe\xF1" "a\r\n";
  for (int i = 0; i < lineas_qso; ++i) {
    const int minuto = i % 1440;
    char hora[8];
    std::snprintf(hora, sizeof hora, "%02d%02d", minuto / 60, minuto % 60);
    log += "QSO: " + std::to_string(14000 + i % 349) + " CW 2026-03-01 " + hora + " QQ1ABC        599 " +
           std::to_string(1 + i % 9999) + "      QQ" + std::to_string(i % 10) + "XYZ        599 " +
           std::to_string(1 + (i * 7) % 9999) + "\r\n";
  }
  log += "END-OF-LOG:\r\n";
  return log;
}

class Entorno {
 public:
  explicit Entorno(int lineas_qso) {
    std::string plantilla = (fs::temp_directory_path() / "trovalis-bench-XXXXXX").string();
    if (!mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp");
    carpeta = plantilla;
    fs::create_directories(carpeta / "FicherosRecibidos");
    std::ofstream(carpeta / "FicherosRecibidos" / "QQ1ABC.LOG", std::ios::binary) << LogSintetico(lineas_qso);
  }
  ~Entorno() {
    informe.Cierra();
    std::error_code ec;
    fs::remove_all(carpeta, ec);
  }
  fs::path carpeta;
  cabrillo::DatosConcursoLog datos = soporte::ConcursoPrueba();
  cabrillo::CategoriasAdmitidas categorias = soporte::CategoriasPrueba(datos);
  cabrillo::FicheroErrores informe;
  cabrillo::CabeceraLog cabecera;
  VentanaProcesoSimple ventana;
};

void Contadores(benchmark::State& estado) {
  estado.SetItemsProcessed(estado.iterations() * estado.range(0));
  estado.counters["lineas_qso/s"] =
      benchmark::Counter(static_cast<double>(estado.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_VerificaFicheroCabrillo(benchmark::State& estado) {
  Entorno e(static_cast<int>(estado.range(0)));
  for (auto _ : estado) {
    e.cabecera.Limpia();
    e.informe.Crea(e.carpeta.string(), "05-03-2026", "");
    const cabrillo::EntornoValidacion entorno{e.datos, e.categorias, e.informe, e.cabecera, nullptr};
    const bool aceptado = cabrillo::VerificaFicheroCabrillo(e.ventana, e.carpeta.string(), "QQ1ABC.LOG", entorno);
    if (!aceptado) estado.SkipWithError("el log sintético no se ha aceptado");
    e.informe.Cierra();
  }
  Contadores(estado);
}
BENCHMARK(BM_VerificaFicheroCabrillo)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_VerificaLineasQso(benchmark::State& estado) {
  Entorno e(static_cast<int>(estado.range(0)));
  e.informe.Crea(e.carpeta.string(), "05-03-2026", "");
  const cabrillo::EntornoValidacion entorno{e.datos, e.categorias, e.informe, e.cabecera, nullptr};
  // Fill the header as the header and category checks leave it.
  if (!cabrillo::VerificaFicheroCabrillo(e.ventana, e.carpeta.string(), "QQ1ABC.LOG", entorno))
    estado.SkipWithError("el log sintético no se ha aceptado");
  const std::vector<std::string> lineas = e.ventana.ListaPorNombre("FicheroCabrillo").elementos;
  for (auto _ : estado) benchmark::DoNotOptimize(cabrillo::VerificaLineasQso(e.ventana, lineas, entorno));
  Contadores(estado);
}
BENCHMARK(BM_VerificaLineasQso)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

// Cost of the callsign, country and locator lookups per call, against the
// countries database built from the installed country file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/paises.h"
#include "common/terravia.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string>& Llamadas() {
  static const std::vector<std::string> v = {
      "EA4ABC", "EA8XYZ",   "K6ABC",     "RA0YAB", "CT3AB",        "DL1ABC/P", "EA8/DL1ABC/P",
      "JA1XYZ", "VK2ABC",   "LU1ABC",    "ZS6ABC", "UA9ABC",       "VE3ABC",   "BY1ABC",
      "W1AW",   "G4ABC/MM", "OH2ABC/QRP", "XX9XX", "QQ1ABC/QQ2DEF", "TA1ABC",   "R9HAB"};
  return v;
}

// Built once per run in a temporary folder.
const TablasPaises& Paises() {
  static std::unique_ptr<TablasPaises> paises = [] {
    std::string plantilla = (fs::temp_directory_path() / "paises-bench-XXXXXX").string();
    fs::path carpeta = mkdtemp(plantilla.data());
    CreaTerravia("/usr/share/hamradio-files/cty.dat", (carpeta / "Terravia").string());
    auto p = TablasPaises::Abre((carpeta / "Terravia").string());
    fs::remove_all(carpeta);
    return p;
  }();
  return *paises;
}

void BM_SeparaPortable(benchmark::State& state) {
  const auto& ll = Llamadas();
  std::size_t i = 0;
  std::string llamada, portable;
  for (auto _ : state) {
    llamada = ll[i++ % ll.size()];
    SeparaPortable(llamada, portable);
    benchmark::DoNotOptimize(llamada);
  }
}
BENCHMARK(BM_SeparaPortable);

void BM_BuscaPrefijo(benchmark::State& state) {
  const auto& p = Paises();
  const auto& ll = Llamadas();
  std::size_t i = 0;
  std::string prefijo;
  for (auto _ : state) {
    BuscaPrefijo(p, ll[i++ % ll.size()], prefijo);
    benchmark::DoNotOptimize(prefijo);
  }
}
BENCHMARK(BM_BuscaPrefijo);

void BM_ObtienePrefijoYDistrito(benchmark::State& state) {
  const auto& p = Paises();
  const auto& ll = Llamadas();
  std::size_t i = 0;
  std::string prefijo, distrito;
  for (auto _ : state) {
    ObtienePrefijoYDistrito(p, ll[i++ % ll.size()], prefijo, distrito);
    benchmark::DoNotOptimize(distrito);
  }
}
BENCHMARK(BM_ObtienePrefijoYDistrito);

void BM_ObtienePaisZonaContinente(benchmark::State& state) {
  const auto& p = Paises();
  const auto& ll = Llamadas();
  std::size_t i = 0;
  std::string dxcc, waz, continente;
  for (auto _ : state) {
    ObtienePaisZonaContinente(p, ll[i++ % ll.size()], dxcc, waz, continente);
    benchmark::DoNotOptimize(waz);
  }
}
BENCHMARK(BM_ObtienePaisZonaContinente);

// The call with the most region rows to try (Asiatic Russia).
void BM_ObtienePaisZonaContinenteRegiones(benchmark::State& state) {
  const auto& p = Paises();
  std::string dxcc, waz, continente;
  for (auto _ : state) {
    ObtienePaisZonaContinente(p, "RA0FAB", dxcc, waz, continente);
    benchmark::DoNotOptimize(waz);
  }
}
BENCHMARK(BM_ObtienePaisZonaContinenteRegiones);

void BM_CalculaDistanciaLocator(benchmark::State& state) {
  float km = 0;
  for (auto _ : state) {
    CalculaDistanciaLocator("IN80LL", "JO62QM", km);
    benchmark::DoNotOptimize(km);
  }
}
BENCHMARK(BM_CalculaDistanciaLocator);

void BM_AbrePaises(benchmark::State& state) {
  std::string plantilla = (fs::temp_directory_path() / "paises-bench-XXXXXX").string();
  fs::path carpeta = mkdtemp(plantilla.data());
  const std::string ruta = (carpeta / "Terravia").string();
  CreaTerravia("/usr/share/hamradio-files/cty.dat", ruta);
  for (auto _ : state) {
    auto p = TablasPaises::Abre(ruta);
    benchmark::DoNotOptimize(p);
  }
  fs::remove_all(carpeta);
}
BENCHMARK(BM_AbrePaises)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

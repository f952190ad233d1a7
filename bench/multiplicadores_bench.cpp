// Cost of scoring the multipliers of one log, by its number of QSOs, with
// every family, every scope and the multiplier stations switched on: the
// time per QSO stays flat as the log grows.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "scoring/multiplicadores.h"
#include "scoring/paises_prueba.h"

namespace {

using namespace scoring;

std::vector<DatosQso> Log(int n) {
  std::vector<DatosQso> log;
  log.reserve(n);
  const char* bandas[] = {"3500", "7000", "14000", "21000", "28000"};
  const char* modos[] = {"CW", "PH"};
  for (int i = 0; i < n; ++i) {
    DatosQso q;
    q.Banda = bandas[i % 5];
    q.Modo = modos[(i / 7) % 2];
    q.FechaQso = (i % 3 == 0) ? "01-05-2016" : "02-05-2016";
    q.Indicativo = std::string(i % 4 == 0 ? "QQ8" : "QQ1") + static_cast<char>('A' + i % 26) +
                   static_cast<char>('A' + (i / 26) % 26) + static_cast<char>('A' + (i / 676) % 26);
    q.Concursante = "QQ2OWN";
    q.Dxcc = i % 4 == 0 ? "Q8" : "Q1";
    q.DxccEstacionBase = "Q1";
    q.Waz = i % 4 == 0 ? "33" : "14";
    q.WazEstacionBase = "14";
    q.LiteralRecibido = std::string(1, static_cast<char>('A' + i % 20));
    q.LiteralEnviado = "M";
    q.QraLocatorRecibido = std::string("IN") + static_cast<char>('0' + i % 10) + static_cast<char>('0' + (i / 10) % 10) + "AB";
    log.push_back(q);
  }
  return log;
}

void BM_PuntuaLog(benchmark::State& state) {
  const auto paises = PaisesPrueba();
  OpcionesMultiplicadores o;
  o.Multiplicadores = o.CadaBanda = o.CadaDia = o.CadaModo = true;
  for (OpcionesFamilia* f : {&o.Pais, &o.Cq, &o.Prefijo, &o.Sufijo, &o.Distrito, &o.Prov, &o.Otros, &o.Cuadricula,
                             &o.Estacion})
    *f = {true, true, true, true};
  o.PrimeraLetra = o.SegundaLetra = o.UltimaLetra = true;
  ListasMultiplicadores l;
  for (char c = 'A'; c <= 'T'; ++c) l.AnadeProvincia(std::string(1, c), false);
  l.AnadeDistrito("Q1*", false);
  l.AnadeDistrito("Q8*", false);
  l.AnadeEstacionMultiplicadora("QQ1AAA");
  l.AnadeMultEspecial("Pais", "Q8", 3);
  MotorMultiplicadores motor(*paises, o, l, "CONCURSO DE PRUEBA");
  const std::vector<DatosQso> log = Log(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    motor.EmpiezaLog();
    for (DatosQso q : log) {
      motor.CalculaMultiplicadores(q);
      benchmark::DoNotOptimize(q.Multiplicador);
      motor.AnotaQso(q);
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PuntuaLog)->Arg(100)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// The cross-check over a whole contest: duplicate marking of a large log,
// presence questions and the crossing of every QSO of every valid log, by
// the indexed engine and, on smaller sizes, by the line-by-line reference.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/cruce.h"
#include "scoring/cruce_literal.h"
#include "scoring/duplicados.h"

namespace fs = std::filesystem;

namespace {

using scoring::DatosCruce;
using scoring::OpcionesAnulacion;

std::string Indicativo(int n) {
  std::string s = "QQ" + std::to_string(n % 10);
  for (int k = n / 10, i = 0; i < 3; ++i, k /= 26) s += static_cast<char>('A' + k % 26);
  return s;
}

DatosCruce Datos() {
  DatosCruce d;
  d.NombreConcurso = "CONCURSO DE PRUEBA";
  d.Intercambio.enviado.rst = d.Intercambio.enviado.numeral = true;
  d.Intercambio.recibido.rst = d.Intercambio.recibido.numeral = true;
  d.Periodo.DesdeDia = plataforma::Fecha{2009, 12, 30};
  d.Periodo.DesdeHora = "00:00";
  d.Periodo.HastaDia = plataforma::Fecha{2009, 12, 31};
  d.Periodo.HastaHora = "23:59";
  d.Repeticion.RepetirEnCadaBanda = d.Repeticion.RepetirEnCadaModo = true;
  return d;
}

// A contest folder of `logs` valid logs of about `qsos` QSO lines each: every
// QSO between two participants is written in both logs, a few with errors,
// and some QSOs are with stations that sent no log.
class Concurso {
 public:
  Concurso(int logs, int qsos) {
    std::string plantilla = (fs::temp_directory_path() / "trovalis-bench-XXXXXX").string();
    if (!mkdtemp(plantilla.data())) std::abort();
    raiz_ = plantilla;
    carpeta_ = raiz_ + "/ListasValidas";
    fs::create_directories(carpeta_);
    std::mt19937 azar(17);
    std::vector<std::vector<std::string>> lineas(static_cast<std::size_t>(logs));
    const char* bandas[] = {"3550", "7025", "14025", "21025", "28025"};
    const char* modos[] = {"CW", "PH"};
    for (int i = 0; i < logs; ++i)
      lineas[static_cast<std::size_t>(i)] = {"START-OF-LOG: 3.0", "CALLSIGN: " + Indicativo(i),
                                             "CATEGORY-OPERATOR: SINGLE-OP"};
    std::vector<int> serie(static_cast<std::size_t>(logs), 0);
    for (int i = 0; i < logs; ++i) {
      for (int q = 0; q < qsos / 2; ++q) {
        const bool sin_log = azar() % 20 == 0;
        const int j = sin_log ? logs + static_cast<int>(azar() % 1000) : static_cast<int>(azar() % logs);
        if (j == i) continue;
        const std::string banda = bandas[azar() % 5];
        const std::string modo = modos[azar() % 2];
        const int minuto = static_cast<int>(azar() % 1440);
        char hora[8];
        std::snprintf(hora, sizeof hora, "%02d%02d", minuto / 60, minuto % 60);
        const std::string nr_i = std::to_string(++serie[static_cast<std::size_t>(i)]);
        lineas[static_cast<std::size_t>(i)].push_back("QSO: " + banda + " " + modo + " 2009-12-30 " + hora + " " +
                                                      Indicativo(i) + " 599 " + nr_i + " " + Indicativo(j) +
                                                      " 599 " + std::to_string(q + 1));
        if (sin_log) continue;
        const std::string su_banda = azar() % 50 == 0 ? "7025" : banda;  // a few on another band
        lineas[static_cast<std::size_t>(j)].push_back("QSO: " + su_banda + " " + modo + " 2009-12-30 " + hora + " " +
                                                      Indicativo(j) + " 599 " + std::to_string(q + 1) + " " +
                                                      Indicativo(i) + " 599 " + nr_i);
      }
    }
    for (int i = 0; i < logs; ++i) {
      lineas[static_cast<std::size_t>(i)].push_back("END-OF-LOG:");
      plataforma::EscribirLineas(carpeta_ + "/" + Indicativo(i) + ".LOG", lineas[static_cast<std::size_t>(i)]);
    }
    entradas_ = plataforma::ListaFicheros(carpeta_);
    for (const std::string& e : entradas_) {
      std::vector<std::string> l;
      plataforma::LeerLineas(carpeta_ + "/" + e, l);
      logs_.push_back(std::move(l));
    }
  }
  ~Concurso() {
    std::error_code ec;
    fs::remove_all(raiz_, ec);
  }
  const std::string& Carpeta() const { return carpeta_; }
  const std::vector<std::string>& Entradas() const { return entradas_; }
  const std::vector<std::vector<std::string>>& Logs() const { return logs_; }
  std::size_t Qsos() const {
    std::size_t n = 0;
    for (const auto& l : logs_)
      for (const auto& linea : l) n += linea.rfind("QSO:", 0) == 0;
    return n;
  }

 private:
  std::string raiz_, carpeta_;
  std::vector<std::string> entradas_;
  std::vector<std::vector<std::string>> logs_;
};

OpcionesAnulacion Opciones(bool cuenta) {
  OpcionesAnulacion o;
  o.AnularQSO = !cuenta;
  o.AnularQSOSiNoEstaEN = cuenta;
  o.NumeroListas = "3";
  o.AnularCinco = cuenta;
  o.AnularPorNoExistir = o.AnularPorControlesDistintos = o.AnularPorFechaDistinta = true;
  return o;
}

// A whole cross-check run with the indexed engine: the engine is built, every
// log's duplicates marked and every QSO line crossed. range(0) logs of about
// 200 QSO lines; range(1) 1 with the count options (every presence question
// asked), 0 without.
void BM_CruceIndexado(benchmark::State& state) {
  const Concurso c(static_cast<int>(state.range(0)), 200);
  const DatosCruce datos = Datos();
  const OpcionesAnulacion op = Opciones(state.range(1) != 0);
  std::size_t anulados = 0;
  for (auto _ : state) {
    scoring::ListasValidasCruce cruce(c.Carpeta(), c.Entradas(), datos);
    for (std::size_t k = 0; k < c.Logs().size(); ++k) {
      std::vector<std::string> lineas = c.Logs()[k];
      scoring::MarcaQsoDuplicados(lineas, datos);
      for (const std::string& linea : lineas)
        if (linea.rfind("QSO:", 0) == 0) anulados += cruce.CruzaQso(linea, k, op).Anulado();
    }
  }
  benchmark::DoNotOptimize(anulados);
  state.counters["qsos"] = static_cast<double>(c.Qsos());
  state.counters["anulados"] = static_cast<double>(anulados) / static_cast<double>(state.iterations());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(c.Qsos()));
}
BENCHMARK(BM_CruceIndexado)->Args({100, 0})->Args({100, 1})->Args({500, 0})->Args({500, 1})
    ->Unit(benchmark::kMillisecond);

// The reference on the first log only (its QSOs against all the others):
// the per-QSO cost of re-reading the logs.
void BM_CruceLiteralUnLog(benchmark::State& state) {
  const Concurso c(static_cast<int>(state.range(0)), 200);
  const DatosCruce datos = Datos();
  const OpcionesAnulacion op = Opciones(state.range(1) != 0);
  std::size_t qsos = 0, anulados = 0;
  for (auto _ : state) {
    const std::vector<std::string>& lineas = c.Logs()[0];
    for (const std::string& linea : lineas)
      if (linea.rfind("QSO:", 0) == 0) {
        ++qsos;
        anulados += scoring::literal::CruzaQso(c.Carpeta(), c.Entradas(), datos, linea, 0, op).Anulado();
      }
  }
  benchmark::DoNotOptimize(anulados);
  state.SetItemsProcessed(static_cast<std::int64_t>(qsos));
}
BENCHMARK(BM_CruceLiteralUnLog)->Args({100, 0})->Args({100, 1})->Args({500, 0})->Unit(benchmark::kMillisecond);

// Duplicate marking of one log of range(0) QSO lines with few stations.
std::vector<std::string> LogGrande(int qsos) {
  std::mt19937 azar(5);
  std::vector<std::string> lineas = {"START-OF-LOG: 3.0", "CALLSIGN: QQ1AAA"};
  const char* bandas[] = {"3550", "7025", "14025", "21025", "28025"};
  for (int i = 0; i < qsos; ++i)
    lineas.push_back("QSO: " + std::string(bandas[azar() % 5]) + " CW 2009-12-30 1200 QQ1AAA 599 " +
                     std::to_string(i + 1) + " " + Indicativo(static_cast<int>(azar() % 3000)) + " 599 1");
  lineas.push_back("END-OF-LOG:");
  return lineas;
}

void BM_DuplicadosIndexado(benchmark::State& state) {
  const std::vector<std::string> log = LogGrande(static_cast<int>(state.range(0)));
  const DatosCruce datos = Datos();
  for (auto _ : state) {
    std::vector<std::string> lineas = log;
    scoring::MarcaQsoDuplicados(lineas, datos);
    benchmark::DoNotOptimize(lineas);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DuplicadosIndexado)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_DuplicadosLiteral(benchmark::State& state) {
  const std::vector<std::string> log = LogGrande(static_cast<int>(state.range(0)));
  const DatosCruce datos = Datos();
  for (auto _ : state) {
    std::vector<std::string> lineas = log;
    scoring::literal::MarcaQsoDuplicados(lineas, datos);
    benchmark::DoNotOptimize(lineas);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DuplicadosLiteral)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

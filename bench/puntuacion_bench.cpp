// The scoring run over a contest folder of crossed logs: the QSO table
// filled, every QSO scored (multipliers and points) and stored, and the
// score files written. Linear in the QSOs of a log: 1000 and 10000 QSOs in
// one log, and 50 logs of 500.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "database/creacion.h"
#include "plataforma/dao.h"
#include "plataforma/texto.h"
#include "scoring/calculo_puntuaciones.h"
#include "scoring/paises_prueba.h"

namespace fs = std::filesystem;

namespace {

std::string Indicativo(const char* prefijo, int n) {
  std::string s = std::string(prefijo) + std::to_string(n % 10);
  for (int k = n / 10, i = 0; i < 3; ++i, k /= 26) s += static_cast<char>('A' + k % 26);
  return s;
}

class Contest {
 public:
  Contest(int logs, int qsos) {
    std::string plantilla = (fs::temp_directory_path() / "trovalis-bench-XXXXXX").string();
    if (!mkdtemp(plantilla.data())) std::abort();
    raiz_ = plantilla;
    edicion = EdicionConcurso(Carpeta(), {});
    fs::create_directories(raiz_ + "/C/ListasCruzadas");
    fs::create_directories(raiz_ + "/C/ListasPuntuaciones");
    database::CreaBaseConcursosVacia(raiz_ + "/Ledrima");
    base = dao::OpenDatabase(raiz_ + "/Ledrima");
    dao::Recordset rs = base.OpenRecordset("Concursos");
    rs.AddNew();
    rs["NumeroOrden"] = dao::Variant(1);
    rs["Concurso"] = dao::Variant("CONCURSO DE PRUEBA");
    for (const char* c : {"RecibirPuntos", "Multiplicadores", "CadaPais", "PaisPorBanda", "CadaPrefijo", "Banda7",
                          "Banda14", "Banda3'5", "Banda21", "Banda28"})
      rs[c] = dao::Variant(true);
    for (const char* c : {"MismoContinente7", "MismoContinente14", "DistintoContinente14", "MismoContinente3-5"})
      rs[c] = dao::Variant("2");
    rs["PuntosMismoPais"] = dao::Variant("1");
    rs.Update();
    rs.Close();
    rs = base.OpenRecordset("ResumenCabrillo");
    rs.AddNew();
    rs["NumeroOrden"] = dao::Variant(1);
    for (const char* c : {"RstEnviado", "NumeralEnviado", "RstRecibido", "NumeralRecibido"}) rs[c] = dao::Variant(true);
    rs.Update();
    rs.Close();

    std::mt19937 azar(11);
    const char* bandas[] = {"3550", "7025", "14025", "21025", "28025"};
    const char* prefijos[] = {"QQ", "QQ8", "EA", "EA8", "EB"};
    for (int l = 0; l < logs; ++l) {
      const std::string propio = Indicativo("QQ", l);
      std::vector<std::string> lineas = {"START-OF-LOG: 3.0", "CALLSIGN: " + propio, "CATEGORY-OPERATOR: SINGLE-OP"};
      for (int q = 0; q < qsos; ++q) {
        std::string linea = "QSO: " + std::string(bandas[azar() % 5]) + " CW 2009-12-30 1200 " + propio + " 599 " +
                            std::to_string(q % 9999 + 1) + " " +
                            Indicativo(prefijos[azar() % 5], static_cast<int>(azar() % 5000)) + " 599 " +
                            std::to_string(q % 9999 + 1);
        if (azar() % 25 == 0) linea = "DUP00:" + linea;
        lineas.push_back(linea);
      }
      lineas.push_back("END-OF-LOG:");
      plataforma::EscribirLineas(raiz_ + "/C/ListasCruzadas/" + propio + ".LOG", lineas);
      edicion.Agrega(ListaEdicion::Cruzadas, propio + ".LOG");
    }
  }
  ~Contest() {
    base.Close();
    std::error_code e;
    fs::remove_all(raiz_, e);
  }
  std::string Carpeta() const { return raiz_ + "/C"; }

  dao::Database base;
  EdicionConcurso edicion{{}, {}};  // set once the folder exists
  ProgresoSimple progreso;

 private:
  std::string raiz_;
};

void BM_CalculaPuntuaciones(benchmark::State& state) {
  const int logs = static_cast<int>(state.range(0));
  const int qsos = static_cast<int>(state.range(1));
  Contest c(logs, qsos);
  const auto paises = scoring::PaisesPrueba();
  scoring::ConcursoPuntuacion concurso;
  concurso.Base = &c.base;
  concurso.NumeroOrden = 1;
  concurso.Paises = paises.get();
  for (auto _ : state) {
    auto no = scoring::CalculaPuntuaciones(c.edicion, c.progreso, concurso).NoPuntuadas;
    if (!no.empty()) state.SkipWithError(no.front().Motivo.c_str());
    benchmark::DoNotOptimize(no);
  }
  state.SetItemsProcessed(state.iterations() * logs * qsos);
}
BENCHMARK(BM_CalculaPuntuaciones)->Args({1, 1000})->Args({1, 10000})->Args({50, 500})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// The rankings rebuilt from a contest folder: N score files into the table,
// both listings with the counts of every crossed log (500 QSO lines each,
// some marked), and the two listing files. 50, 500 and 2000 participants.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/edicion_concurso.h"
#include "database/creacion.h"
#include "plataforma/dao.h"
#include "scoring/clasificaciones.h"

namespace fs = std::filesystem;

namespace {

class Contest {
 public:
  explicit Contest(int participantes) {
    std::string plantilla = (fs::temp_directory_path() / "trovalis-bench-XXXXXX").string();
    if (!mkdtemp(plantilla.data())) std::abort();
    raiz_ = plantilla;
    for (const char* sub : {"ListasCruzadas", "ListasPuntuaciones", "ListasClasificacion"})
      fs::create_directories(raiz_ + "/C/" + sub);
    database::CreaBaseConcursosVacia(raiz_ + "/Ledrima");
    base = dao::OpenDatabase(raiz_ + "/Ledrima");
    const char* categorias[] = {"SINGLE-OP ALL", "SINGLE-OP 40M", "MULTI-OP", "CHECKLOG"};
    for (int p = 0; p < participantes; ++p) {
      const std::string call =
          "EA" + std::to_string(p % 10) + std::string(1, static_cast<char>('A' + p / 100 % 26)) + std::to_string(p);
      std::ofstream(raiz_ + "/C/ListasPuntuaciones/" + call + ".PTS", std::ios::binary)
          << "\r\nCONCURSANTE: " << call
          << "\r\n\r\nCATEGOR\xCD"
             "A: "
          << categorias[p % 4] << "\r\n\r\nTOTAL PUNTOS: " << (p * 37) % 5000 << "\r\n\r\n";
      std::ofstream log(raiz_ + "/C/ListasCruzadas/" + call + ".LOG", std::ios::binary);
      log << "START-OF-LOG: 3.0\r\nCALLSIGN: " << call << "\r\n";
      for (int q = 0; q < 500; ++q)
        log << (q % 50 == 7   ? "DUP00:"
                : q % 40 == 3 ? "NUL06:"
                              : "")
            << "QSO: 14025 CW 2009-12-30 1200 " << call << " 599 001 EA9ZZZ 599 001\r\n";
      log << "END-OF-LOG:\r\n";
    }
  }
  ~Contest() {
    base.Close();
    fs::remove_all(raiz_);
  }
  std::string Carpeta() const { return raiz_ + "/C"; }
  dao::Database base;

 private:
  std::string raiz_;
};

void GeneraClasificaciones(benchmark::State& estado) {
  Contest c(static_cast<int>(estado.range(0)));
  const EdicionConcurso edicion(c.Carpeta(), {});
  for (auto _ : estado) benchmark::DoNotOptimize(scoring::GeneraClasificaciones(c.base, edicion));
  estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}
BENCHMARK(GeneraClasificaciones)->Arg(50)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

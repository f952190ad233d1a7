// Whole-process benchmark of the validation of logs as the intake runs it
// for the contest in hand: the contest's rows read once from the contest
// database, then for every log the error report is opened, the log is
// checked, the report closed and the accepted log's valid list written. Prints QSO lines per second and the peak memory of the run.
//
//   bench_validacion_proceso lotes  [concurso] [logs=500] [lineas=200]
//   bench_validacion_proceso grande [concurso] [lineas=1000000]
//
// concurso: prueba, paises (country rules) or distritos (121-code list).
// Run each case in a process of its own: the peak is the process's.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cabrillo/contexto_concurso.h"
#include "cabrillo/fichero_errores.h"
#include "cabrillo/lectura_concurso.h"
#include "cabrillo/lista_valida.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/progreso_etapa.h"
#include "concursos_bench.h"
#include "database/creacion.h"

namespace {

namespace fs = std::filesystem;
using bancos::Caso;

// VmHWM / VmRSS of the process, in KiB.
long LeeMemoria(const char* clave) {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char linea[256];
  long valor = -1;
  const std::size_t n = std::strlen(clave);
  while (std::fgets(linea, sizeof linea, f))
    if (std::strncmp(linea, clave, n) == 0) valor = std::strtol(linea + n, nullptr, 10);
  std::fclose(f);
  return valor;
}

// Resets the peak (VmHWM) to the present size, so that the peak of the
// timed run is not the generation's.
void ReiniciaPico() {
  if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
    std::fputs("5", f);
    std::fclose(f);
  }
}

std::string Indicativo(Caso caso, int k) {
  std::string s = caso == Caso::Paises ? "EA1" : "QQ1";
  s += static_cast<char>('A' + k / 676 % 26);
  s += static_cast<char>('A' + k / 26 % 26);
  s += static_cast<char>('A' + k % 26);
  return s;
}

// Writes the log in pieces, never holding it whole.
std::uintmax_t EscribeLog(const fs::path& ruta, Caso caso, const std::string& indicativo, int lineas) {
  std::ofstream f(ruta, std::ios::binary);
  std::string trozo = bancos::CabeceraLog(caso, indicativo);
  for (int i = 0; i < lineas; ++i) {
    bancos::AgregaQso(trozo, caso, indicativo, i);
    if (trozo.size() > (1u << 20)) {
      f << trozo;
      trozo.clear();
    }
  }
  f << trozo << "END-OF-LOG:\r\n";
  f.close();
  return fs::file_size(ruta);
}

int Uso() {
  std::fprintf(stderr,
               "uso: bench_validacion_proceso lotes [prueba|paises|distritos] [logs] [lineas]\n"
               "     bench_validacion_proceso grande [prueba|paises|distritos] [lineas]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Uso();
  const std::string modo = argv[1];
  if (modo != "lotes" && modo != "grande") return Uso();
  const std::string nombre_caso = argc > 2 ? argv[2] : "distritos";
  Caso caso = Caso::Distritos;
  if (nombre_caso == "prueba")
    caso = Caso::Prueba;
  else if (nombre_caso == "paises")
    caso = Caso::Paises;
  else if (nombre_caso != "distritos")
    return Uso();
  const bool grande = modo == "grande";
  const int logs = grande ? 1 : (argc > 3 ? std::atoi(argv[3]) : 500);
  const int lineas = grande ? (argc > 3 ? std::atoi(argv[3]) : 1000000) : (argc > 4 ? std::atoi(argv[4]) : 200);
  if (logs < 1 || lineas < 0) return Uso();

  const fs::path carpeta = bancos::CarpetaTemporal("trovalis-proceso");
  int codigo = 0;
  {
    const cabrillo::DatosConcursoLog datos = bancos::Concurso(caso);
    database::CreaBaseConcursosVacia((carpeta / "Ledrima").string());

    ContextoConcurso contexto;
    contexto.BaseConcursos = dao::OpenDatabase((carpeta / "Ledrima").string());
    bancos::EscribeConcurso(contexto.BaseConcursos, datos);
    contexto.CarpetaTrabajo = carpeta.string();
    contexto.CarpetaConcurso = (carpeta / "CONCURSO_2026").string();
    contexto.NumeroConcursoActual = datos.NumeroOrden;
    contexto.NombreConcurso = datos.Concurso;
    cabrillo::GeneraCategoriasAdmitidas(contexto, contexto.BaseConcursos);
    if (caso == Caso::Paises) {
      if (!fs::exists(bancos::kFicheroPaises)) {
        std::fprintf(stderr, "sin %s\n", bancos::kFicheroPaises);
        return 1;
      }
      contexto.Paises = bancos::Paises();
    }
    for (const char* s : {"FicherosRecibidos", "ListasValidas"})
      fs::create_directories(fs::path(contexto.CarpetaConcurso) / s);

    std::vector<std::string> nombres;
    std::uintmax_t bytes = 0;
    for (int k = 0; k < logs; ++k) {
      const std::string indicativo = Indicativo(caso, k);
      nombres.push_back(indicativo + ".LOG");
      bytes += EscribeLog(fs::path(contexto.CarpetaConcurso) / "FicherosRecibidos" / nombres.back(), caso, indicativo,
                          lineas);
    }

    ProgresoSimple progreso;
    cabrillo::FicheroErrores informe;
    cabrillo::CabeceraLog cabecera;
    const long base_kib = LeeMemoria("VmRSS:");
    ReiniciaPico();
    rusage uso_antes{};
    getrusage(RUSAGE_SELF, &uso_antes);
    int aceptados = 0;
    const auto inicio = std::chrono::steady_clock::now();
    cabrillo::DatosConcursoLog leidos;
    if (!cabrillo::LeeDatosConcursoLog(contexto.BaseConcursos, contexto.NumeroConcursoActual, leidos)) {
      std::fprintf(stderr, "no existe el concurso\n");
      return 1;
    }
    for (const std::string& nombre : nombres) {
      cabecera.Limpia();
      if (!cabrillo::CreaFicheroErrores(std::nullopt, informe, contexto.CarpetaTrabajo)) {
        std::fprintf(stderr, "no se puede crear el informe\n");
        return 1;
      }
      informe.EscribeAdjunto(nombre, true);
      const cabrillo::EntornoValidacion entorno{leidos, contexto.CategoriasAdmitidasConcurso, informe, cabecera,
                                                contexto.Paises.get()};
      const cabrillo::ResultadoVerificacion r =
          cabrillo::VerificaFicheroCabrillo(progreso, contexto.CarpetaConcurso, nombre, entorno);
      informe.Cierra();
      if (r.Aceptada && cabrillo::GeneraListaValida(progreso, contexto.CarpetaConcurso, nombre, r.Lineas)) ++aceptados;
    }
    const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    const long pico_kib = LeeMemoria("VmHWM:");
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    auto segundos_de = [](const timeval& a, const timeval& b) {
      return static_cast<double>(b.tv_sec - a.tv_sec) + static_cast<double>(b.tv_usec - a.tv_usec) / 1e6;
    };

    const double total_lineas = static_cast<double>(logs) * lineas;
    std::printf("%s %s: %d logs x %d lineas QSO, %.1f MB\n", modo.c_str(), bancos::NombreCaso(caso), logs, lineas,
                static_cast<double>(bytes) / 1e6);
    std::printf("  tiempo: %.3f s (%.3f ms por log)\n", segundos, segundos * 1e3 / logs);
    std::printf("  lineas_qso/s: %.0f\n", total_lineas / segundos);
    std::printf("  cpu: usuario %.3f s, sistema %.3f s\n", segundos_de(uso_antes.ru_utime, uso.ru_utime),
                segundos_de(uso_antes.ru_stime, uso.ru_stime));
    std::printf("  MB/s: %.1f\n", static_cast<double>(bytes) / 1e6 / segundos);
    std::printf("  memoria: antes %.1f MiB, pico %.1f MiB (%.2f veces el tamano de un log)\n", base_kib / 1024.0,
                pico_kib / 1024.0, pico_kib * 1024.0 / (static_cast<double>(bytes) / logs));
    std::printf("  aceptados: %d de %d\n", aceptados, logs);
    if (aceptados != logs) codigo = 1;
    contexto.BaseConcursos.Close();
  }
  std::error_code ec;
  fs::remove_all(carpeta, ec);
  return codigo;
}

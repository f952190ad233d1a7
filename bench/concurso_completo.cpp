// A whole contest without any window: the logs of a generated contest
// (generador/concurso_sintetico.h) are validated as the intake does it, the
// valid ones crossed, the crossed ones scored, the rankings built. Per stage
// it prints the wall time, the CPU time of all the process's threads, the
// peak resident memory while the stage ran, the QSO lines per second and
// the ratio of its wall time to a plain read of the same logs (every file
// read whole and cut into lines, measured in the same run: the machine's
// speed of the day cancels out); then the whole run, with its time per QSO
// line.
//
//   bench_concurso_completo [LOGS...] [--qsos N] [--semilla S]
//
// Sizes by default: 50, 500 and 8,500 logs of 650 QSO lines on average
// (the last about 5.5 million QSO lines). Each size runs in a child process
// of its own, so that one size's memory does not count for the next. The
// logs are written before the clock starts.
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "cabrillo/cabecera_log.h"
#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/datos_concurso.h"
#include "cabrillo/entorno_validacion.h"
#include "cabrillo/fichero_errores.h"
#include "cabrillo/lectura_concurso.h"
#include "cabrillo/lista_valida.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "database/estado.h"
#include "generador/concurso_sintetico.h"
#include "medida_proceso.h"
#include "opciones_cruce.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/calculo_puntuaciones.h"
#include "scoring/clasificaciones.h"
#include "scoring/cruce_listas.h"

namespace {

using Reloj = std::chrono::steady_clock;

using bancos::PicoMemoria;
using bancos::ReiniciaPico;
using bancos::SegundosCpu;

struct Etapa {
  std::string nombre;
  double segundos = 0;
  double cpu = 0;
  double pico_mib = 0;
  std::string nota;
};

// Runs one stage and prints its line at once (a large contest takes minutes).
// `referencia`: the plain read's wall time (0 while it is being measured).
Etapa Mide(const std::string& nombre, double lineas, double referencia, const std::function<std::string()>& trabajo) {
  ReiniciaPico();
  const double cpu = SegundosCpu();
  const auto inicio = Reloj::now();
  Etapa e;
  e.nombre = nombre;
  e.nota = trabajo();
  e.segundos = std::chrono::duration<double>(Reloj::now() - inicio).count();
  e.cpu = SegundosCpu() - cpu;
  e.pico_mib = PicoMemoria();
  std::printf("  %-14s %9.2f %9.2f %9.0f %12.0f %9.1f   %s\n", e.nombre.c_str(), e.segundos, e.cpu, e.pico_mib,
              lineas / e.segundos, referencia > 0 ? e.segundos / referencia : 1.0, e.nota.c_str());
  std::fflush(stdout);
  return e;
}

// The plain read the stages are compared with: every log read whole and cut
// into lines, the QSO lines counted.
std::string LecturaSimple(const std::string& carpeta, const std::vector<std::string>& ficheros) {
  std::size_t qso = 0, bytes = 0;
  std::string contenido;
  std::vector<std::string_view> lineas;
  for (const std::string& nombre : ficheros) {
    if (!plataforma::LeerBytes(plataforma::UneRuta(carpeta, nombre), contenido)) std::abort();
    bytes += contenido.size();
    lineas.clear();
    std::size_t i = 0;
    while (i < contenido.size()) {
      const std::size_t fin = std::min(contenido.find('\n', i), contenido.size());
      lineas.emplace_back(contenido.data() + i, fin - i);
      i = fin + 1;
    }
    for (std::string_view l : lineas) qso += l.starts_with("QSO:");
  }
  return std::to_string(qso) + " líneas QSO, " + std::to_string(bytes / (1024 * 1024)) + " MiB";
}


int Ejecuta(int logs, int qsos, std::uint32_t semilla, const std::vector<std::string>& indicativos) {
  generador::ParametrosConcurso p;
  p.Logs = logs;
  p.QsosPorLog = qsos;
  p.Semilla = semilla;
  const auto inicio_generacion = Reloj::now();
  generador::ConcursoSintetico c(p, indicativos);
  const double generacion = std::chrono::duration<double>(Reloj::now() - inicio_generacion).count();
  const double lineas = static_cast<double>(c.Resumen().LineasQso);
  const EstadoCarpetaConcurso carpetas(c.Carpeta(), std::string(generador::kNombreConcurso));
  EdicionConcurso edicion(carpetas);
  ProgresoSimple progreso;
  std::vector<Etapa> etapas;
  std::printf("\n%d logs, %.0f líneas QSO, %zu estaciones (generación %.1f s)\n", logs, lineas, c.Resumen().Estaciones,
              generacion);
  std::printf("  %-14s %9s %9s %9s %12s %9s\n", "etapa", "s", "CPU s", "pico MiB", "QSO/s", "x lectura");
  std::fflush(stdout);

  // 0. The plain read of the received logs, the yardstick of the stages.
  const std::string recibidos = plataforma::ResuelveRuta(plataforma::UneRuta(c.Carpeta(), "FicherosRecibidos"));
  const Etapa lectura = Mide("lectura simple", lineas, 0, [&] { return LecturaSimple(recibidos, c.Resumen().Ficheros); });
  const double ref = lectura.segundos;

  // 1. Validation, as the intake runs it for each log of the manual folder
  // (the intake keeps the listings of the contest's folders for its run).
  etapas.push_back(Mide("validación", lineas, ref, [&] {
    const plataforma::ListadosEnMemoria listados;
    cabrillo::DatosConcursoLog datos;
    if (!cabrillo::LeeDatosConcursoLog(c.Base(), generador::kNumeroConcurso, datos)) std::abort();
    const cabrillo::CategoriasAdmitidas categorias =
        cabrillo::GeneraCategoriasAdmitidas(c.Base(), generador::kNombreConcurso, generador::kNumeroConcurso);
    cabrillo::FicheroErrores informe;
    cabrillo::CabeceraLog cabecera;
    int aceptados = 0, rechazados = 0;
    for (const std::string& nombre : c.Resumen().Ficheros) {
      cabecera.Limpia();
      if (!informe.Crea(c.Trabajo(), "07-03-2026", "")) std::abort();
      const cabrillo::EntornoValidacion entorno{datos, categorias, informe, cabecera, c.Paises()};
      const cabrillo::ResultadoVerificacion r = cabrillo::VerificaFicheroCabrillo(progreso, c.Carpeta(), nombre, entorno);
      const bool aceptado = r.Aceptada;
      informe.Cierra();
      if (aceptado && !cabrillo::GeneraListaValida(progreso, c.Carpeta(), nombre, r.Lineas)) std::abort();
      ++(aceptado ? aceptados : rechazados);
    }
    return std::to_string(aceptados) + " aceptados, " + std::to_string(rechazados) + " rechazados";
  }));

  // 2. Cross-check.
  etapas.push_back(Mide("cruce", lineas, ref, [&] {
    edicion.Lee(ListaEdicion::Validas);
    scoring::ConcursoCruce concurso;
    concurso.Base = &c.Base();
    concurso.NumeroOrden = generador::kNumeroConcurso;
    concurso.Paises = c.Paises();
    const scoring::OpcionesAnulacion op = bancos::OpcionesCuidadosas();
    scoring::CruzaListas(edicion, progreso, concurso, [&] { return op; });
    return std::to_string(edicion.Cuenta(ListaEdicion::Cruzadas)) + " cruzadas, " +
           std::to_string(edicion.Cuenta(ListaEdicion::QsoAnulados)) + " con anulados";
  }));

  // 3. Scoring.
  etapas.push_back(Mide("puntuación", lineas, ref, [&] {
    scoring::ConcursoPuntuacion concurso;
    concurso.Base = &c.Base();
    concurso.NumeroOrden = generador::kNumeroConcurso;
    concurso.Paises = c.Paises();
    const auto no = scoring::CalculaPuntuaciones(edicion, progreso, concurso).NoPuntuadas;
    return std::to_string(no.size()) + " sin puntuar";
  }));

  // 4. Rankings, as the rankings window rebuilds them when it opens.
  etapas.push_back(Mide("clasificación", lineas, ref, [&] {
    const auto clasificaciones = scoring::GeneraClasificaciones(c.Base(), edicion);
    return std::to_string(clasificaciones.PorPuntos.size()) + " clasificados, " +
           std::to_string(clasificaciones.Omitidas.size()) + " omitidos";
  }));

  double total = 0, cpu = 0, pico = 0;
  for (const Etapa& e : etapas) {
    total += e.segundos;
    cpu += e.cpu;
    pico = std::max(pico, e.pico_mib);
  }
  struct rusage uso {};
  getrusage(RUSAGE_SELF, &uso);
  std::printf("  %-14s %9.2f %9.2f %9.0f %12.0f %9.1f   (%.2f µs por línea QSO; ru_maxrss del proceso %ld MiB)\n",
              "total", total, cpu, pico, lineas / total, total / ref, 1e6 * total / lineas, uso.ru_maxrss / 1024);
  std::fflush(stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> tamanos;
  int qsos = 650;
  std::uint32_t semilla = 2026;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--qsos") == 0 && i + 1 < argc)
      qsos = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--semilla") == 0 && i + 1 < argc)
      semilla = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    else
      tamanos.push_back(std::atoi(argv[i]));
  }
  if (tamanos.empty()) tamanos = {50, 500, 8500};
  const std::vector<std::string> indicativos = generador::LeeIndicativos(generador::kMasterScp);
  if (indicativos.empty()) {
    std::fprintf(stderr, "No se pueden leer los indicativos de %s (paquete hamradio-files)\n", generador::kMasterScp);
    return 1;
  }
  int fallos = 0;
  for (int logs : tamanos) {
    std::fflush(stdout);
    const pid_t hijo = fork();
    if (hijo == 0) {
      try {
        _exit(Ejecuta(logs, qsos, semilla, indicativos));
      } catch (const std::exception& e) {
        std::fprintf(stderr, "%d logs: %s\n", logs, e.what());
        _exit(1);
      }
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    fallos += !(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
  }
  return fallos == 0 ? 0 : 1;
}

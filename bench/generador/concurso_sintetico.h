#pragma once
// A synthetic contest for benchmarks and tests: real-looking stations (the
// calls of the contest-call list MASTER.SCP) work each other for 24 hours
// on five bands in CW and SSB; every QSO is written into the logs of both
// stations, and faults are injected at set rates, as a real contest brings
// them: stations that send no log, busted calls, band or mode swaps, clocks
// more than 10 minutes off, RST or serial mismatches, repeated QSOs, a date
// that is no date, portable suffixes (and the other side forgetting them).
//
// Everything follows from the parameters and the seed: one seed gives the
// same bytes on every run.
//
// The contest is "CONCURSO SINTETICO" (number 1 in its contest database):
// 07-03-2026 12:00 to 08-03-2026 11:59, 80/40/20/15/10 m, CW and SSB, RST
// and serial number sent and received, a station may be worked again on
// another band or mode; one multiplier per country and band, QSO points
// by continent.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plataforma/dao.h"

class TablasPaises;

namespace generador {

inline constexpr const char* kMasterScp = "/usr/share/hamradio-files/MASTER.SCP";
inline constexpr const char* kFicheroPaises = "/usr/share/hamradio-files/cty.dat";

inline constexpr std::int32_t kNumeroConcurso = 1;
inline constexpr std::string_view kNombreConcurso = "CONCURSO SINTETICO";

// The plain calls of a MASTER.SCP file (comment lines, and calls with "/" or
// any character but A-Z and 0-9, left out), in file order. Empty when the
// file cannot be read.
std::vector<std::string> LeeIndicativos(const std::string& ruta);

// Fault rates. Per QSO unless said: the chance that one side's copy of a QSO
// carries the fault.
struct TasasFallos {
  double SinLista = 0.08;           // per station on the air: it sends no log
  double Control = 0.02;            // per log: a check log (CHECKLOG)
  double Portable = 0.03;           // per station: a portable suffix (/P, /M, /QRP)
  double PortableOlvidado = 0.15;   // per QSO with a portable station: the suffix left out
  double FechaInvalida = 0.01;      // per log: one QSO line dated 30 February (the log is refused)
  double IndicativoErroneo = 0.01;  // one character of the worked call changed
  double BandaCambiada = 0.004;     // logged on another band
  double ModoCambiado = 0.004;      // logged in the other mode
  double RelojDesviado = 0.004;     // time 11 to 60 minutes off
  double RstDistinto = 0.006;       // received RST other than sent
  double NumeroDistinto = 0.01;     // received serial other than sent
  double Repetido = 0.008;          // per QSO: the two stations work again on the same band and mode
};

struct ParametrosConcurso {
  int Logs = 50;         // log files written (refused ones and check logs included)
  int QsosPorLog = 200;  // mean QSO lines per log
  std::uint32_t Semilla = 1;
  TasasFallos Tasas;
  // Per station: it and another station take a pair of calls of the list
  // one of which begins with the other (OZ1A and OZ1AAR), so that a call on
  // the air is also the left part of a longer one.
  double IndicativosContenidos = 0;
};

struct ResumenGenerado {
  std::vector<std::string> Ficheros;  // the log files written, by name ("EA1ABC.LOG")
  std::size_t Estaciones = 0;         // stations on the air (with and without log)
  std::size_t LineasQso = 0;          // QSO lines over all logs written
};

// Writes the logs of a contest into `carpeta` (Windows-1252, CR LF). Needs
// more calls than stations on the air (Logs / (1 - SinLista)); throws
// std::invalid_argument otherwise.
ResumenGenerado EscribeLogs(const std::string& carpeta, const std::vector<std::string>& indicativos,
                            const ParametrosConcurso& parametros);

// Writes the contest's rows of `Concursos` and `ResumenCabrillo` into an open
// contest database.
void AgregaConcurso(dao::Database& base);

// A contest ready to run, in a fresh folder removed at the end: the contest
// database `Ledrima` with the contest, the countries database built from
// cty.dat, the edition's folder tree (`Carpeta`) with the logs in its
// subfolder `subcarpeta` (as received, or already taken as valid), and a
// working folder.
class ConcursoSintetico {
 public:
  ConcursoSintetico(const ParametrosConcurso& parametros, const std::vector<std::string>& indicativos,
                    std::string_view subcarpeta = "FicherosRecibidos");
  ~ConcursoSintetico();
  ConcursoSintetico(const ConcursoSintetico&) = delete;
  ConcursoSintetico& operator=(const ConcursoSintetico&) = delete;

  const std::string& Raiz() const { return raiz_; }
  const std::string& Carpeta() const { return carpeta_; }  // the edition's folder tree
  const std::string& Trabajo() const { return trabajo_; }  // the working folder
  const ResumenGenerado& Resumen() const { return resumen_; }
  const TablasPaises* Paises() const { return paises_.get(); }
  dao::Database& Base() { return base_; }

 private:
  std::string raiz_, carpeta_, trabajo_;
  ResumenGenerado resumen_;
  std::unique_ptr<TablasPaises> paises_;
  dao::Database base_;
};

}  // namespace generador

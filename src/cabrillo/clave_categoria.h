#pragma once
// Readers of the header of a participant's validated log (an accepted or a
// crossed copy), for the cross-check and the scoring: the first category
// value of a log, and the participant's callsign with the category key, the
// text under which the participant is ranked by category.
//
// The category key is the operator value and then, each behind one blank
// and in upper case, the band, power, mode, assisted, transmitter, station,
// time and overlay values, each only when the contest has that group
// applicable and the log gives a value; older operator words are mapped
// onto the current ones; a key that begins with "CHECKLOG" is "CHECKLOG";
// the special contests have keys of their own, as their profiles' key rule
// (`concursos::ReglaClave`) and `estacion_fija` say.
// Neither reader writes anything.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cabrillo/datos_concurso.h"

class TablasPaises;

namespace dao {
class Database;
}

struct ContextoConcurso;

namespace cabrillo {

// The lines of a log read one after another, as from a file open for
// reading: each read takes the next line; at the end nothing more is read.
class LectorLog {
 public:
  LectorLog() = default;
  explicit LectorLog(std::vector<std::string> lineas) : lineas_(std::move(lineas)) {}
  // The lines of a log file (Windows-1252 on disk). Throws
  // plataforma::ErrorFichero when the file cannot be read.
  static LectorLog Abre(const std::string& ruta);

  // The next line; false (and `linea` untouched) at the end.
  bool LeeLinea(std::string& linea);
  bool Fin() const { return siguiente_ >= lineas_.size(); }

 private:
  std::vector<std::string> lineas_;
  std::size_t siguiente_ = 0;
};

// From the reader's current position, reads up to the first line that
// starts with "CATEGORY:" or "CATEGORY-OPERATOR:" (case-sensitive) and sets
// `valor` to its header value (the text after the first ":", trimmed, upper
// case; a version 2.0 value holds every word of the line). At the end of the
// log first, `valor` keeps what the caller put in it.
void LeeCategoria(LectorLog& log, std::string& valor);

// What the category key needs of the contest whose log is read.
struct ConcursoClave {
  std::string_view nombre;                        // `Concurso`, compared whole and with case
  const FilaResumenCabrillo* resumen = nullptr;   // its `ResumenCabrillo` row; nullptr: it has none
  std::span<const std::string> socios_zurozi;     // member callsigns of the club (`ReglaClave::SociosDelClub`)
  const TablasPaises* paises = nullptr;           // nullptr: none open (a lookup throws ErrorPaises)
};

// Reads the header of a log from its start, up to the first line that,
// trimmed, starts with "QSO:" or "END-OF-LOG:" (or the end of the log), and
// sets `clave` always. `indicativo` is set only when the log gives a
// callsign (a "CALLSIGN:" line before the first QSO line, or, for the
// `ReglaClave::Insular` key, the own call of the first QSO line); otherwise it keeps
// what the caller put in it. A contest without a `ResumenCabrillo` row has
// no group applicable: its keys hold the operator value only.
void LeeCabeceraCabrillo(LectorLog& log, const ConcursoClave& concurso, std::string& clave,
                         std::string& indicativo);

// The same for the contest in hand (`NombreConcurso`), its row read from
// the contest database by `NumeroConcursoActual`, with the countries
// database of the run.
void LeeCabeceraCabrillo(const ContextoConcurso& contexto, dao::Database& base, LectorLog& log,
                         std::span<const std::string> socios_zurozi, std::string& clave, std::string& indicativo);

}  // namespace cabrillo

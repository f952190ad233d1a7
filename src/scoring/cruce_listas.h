#pragma once
// The cross-check run: every valid log of the contest in hand is marked for
// repeated contacts and each of its QSOs crossed with the log of the station
// worked (scoring/duplicados.h, scoring/cruce.h). Per crossed log it leaves
// a crossed copy in `ListasCruzadas` and, when a QSO was annulled, the
// annulled-QSO file with the legend of the codes in `ListasQsoAnulados`;
// over all logs, the lists of stations worked that sent no log (by callsign
// and by count, in `ListasNoEnviadas`) and of control logs
// (`ListasDeControl`).
//
// The run needs no window: it takes the contest edition (its listing of
// valid logs is the run's input; its result listings and lists are read
// again at the end), tells its step and progress through a `ProgresoEtapa`,
// and gives back the lists it gathered. It reads the annulment options
// through a callback at every QSO, so that what the window shows is what the
// run applies.
#include <cstdint>
#include <functional>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "scoring/configuracion_cruce.h"

class EdicionConcurso;
class ProgresoEtapa;
class TablasPaises;

namespace dao {
class Database;
}

namespace scoring {

// The contest in hand as the run needs it.
struct ConcursoCruce {
  dao::Database* Base = nullptr;              // the contest database
  std::int32_t NumeroOrden = 0;               // the contest's number
  const TablasPaises* Paises = nullptr;       // for the category keys of some contests
  std::span<const std::string> SociosZurozi;  // members of the "X ANIVERSARIO ZUROZI" club
};

// The contest is not in the contest database (or no database was given).
class ErrorCruce : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// ---------------------------------------------------- the run's lists

// What the run gathers over all logs, kept in the order the window shows:
// `NoEnviadasPorIndicativo`, `DeControl` and `SinListaYaInluido` sorted
// (text order without regard to letter case), `NoEnviadasPorNumero` built
// at the end.
struct ListasCruce {
  // "QQ1ABC en 002 Listas": per station worked without a valid log, the
  // number of crossed logs that hold a QSO with it.
  std::vector<std::string> NoEnviadasPorIndicativo;
  // "QQ1ABC en 002 listas", highest number first, by callsign within one.
  std::vector<std::string> NoEnviadasPorNumero;
  // The callsign of each control log, once.
  std::vector<std::string> DeControl;
  // The stations without log already counted for the log in hand.
  std::vector<std::string> SinListaYaInluido;
};

// A station without log worked in the log in hand: counted once per log.
// A new station gets "<call> en 001 Lista"; a station already listed gets
// its number plus one, with at least three digits, and " Listas".
void CuentaListasNoEnviadas(ListasCruce& listas, const std::string& indicativo);

// `NoEnviadasPorIndicativo` as the run keeps it while it runs: the same
// entries in the same order as CuentaListasNoEnviadas leaves in the list,
// each entry found and put in place by halving, where a list of thousands
// of entries would shift a large part of itself at every new station.
class ListaNoEnviadas {
 public:
  // The station counted once more (as CuentaListasNoEnviadas once it is
  // not yet counted for the log in hand).
  void Cuenta(const std::string& indicativo);
  std::vector<std::string> Entradas() const { return {entradas_.begin(), entradas_.end()}; }

  struct PorTexto {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  using Entradas_ = std::multiset<std::string, PorTexto>;

 private:
  Entradas_ entradas_;
};

// Lists a control log's callsign once (exact text).
void AnotaListaDeControl(ListasCruce& listas, const std::string& indicativo);

// Builds `NoEnviadasPorNumero` from `NoEnviadasPorIndicativo`: per entry
// the callsign, " en ", the number with at least three digits and
// " listas", highest number first and, within one number, in the text order
// of the entries. Appends to the list (the run starts it empty).
void OrdenaListasNoEnviadasPorNumero(ListasCruce& listas);

// ---------------------------------------------------- the files

// Lines 1 to 4 of an annulled-QSO file: an empty line, the heading of the
// legend, the nineteen legend lines (the one of "NUL17" ending in
// `numero_listas`), and the heading of the annulled QSOs.
std::vector<std::string> LeyendaNulos(std::string_view numero_listas);

// Lines 1 to 4 of an annulled-QSO file as text, each line followed by
// CR LF. The run gathers a log's annulled-QSO file in memory from it, one
// marked QSO line and CR LF after another, and files it whole (written
// beside and renamed into place) when the log is crossed: no working file
// is created and deleted per log.
std::string TextoLeyendaNulos(std::string_view numero_listas);

// Writes the lines of a crossed log (CR LF after each, Windows-1252) to
// `ListasCruzadas` under `nombre`. False when it cannot be written.
bool GuardaListaCruzada(const std::string& carpeta_concurso, const std::string& nombre,
                        const std::vector<std::string>& lineas);

// Name of the filed annulled-QSO file of a valid log: the log's name less
// its last three characters, then "NUL" ("QQ1ABC.LOG" gives "QQ1ABC.NUL").
std::string NombreFicheroNulos(std::string_view nombre_lista);

// ---------------------------------------------------- the run

// The kind of a valid log by its whole category key.
enum class TipoLista { Cruzada, DeControl, NoCruzada };
TipoLista TipoDeLista(std::string_view clave);

// What the run gives back: the lists it gathered over all logs and wrote to
// their files (see ListasCruce).
struct ResultadoCruceListas {
  std::vector<std::string> NoEnviadasPorIndicativo;
  std::vector<std::string> NoEnviadasPorNumero;
  std::vector<std::string> DeControl;
};

// Told of each crossed log, once it is crossed: its entry and its lines with
// the marks of the run.
using AlCruzarLista = std::function<void(const std::string& entrada, const std::vector<std::string>& lineas)>;

// The run over `edicion`:
// 1. discards every earlier result (`EdicionConcurso::DescartaResultadosCruce`);
// 2. for each entry of the edition's listing of valid logs, in its order:
//    reads its header (category key and callsign); a control log only lists
//    its callsign, an SWL, "SERVER-OP" or "GRUPO 2012" log is passed over;
//    any other is marked for duplicates, told as the step ("Procesando
//    <entry>") and crossed QSO line by QSO line (lines that begin "QSO:",
//    letter case counting) with its progress, yielding once per step; its
//    crossed copy is written and, when a QSO was annulled, its annulled-QSO
//    file is filed; `al_cruzar` is told of the crossed log;
// 3. writes the lists of stations without log and of control logs to their
//    files and reads again the edition's listings of valid, crossed and
//    annulled logs and those lists;
// 4. tells the step "FIN PROCESO".
// `opciones` is asked for the annulment options at every QSO. A log that
// cannot be read, or a result that cannot be written, raises
// plataforma::ErrorFichero; an unknown contest raises ErrorCruce.
//
// `metodo` chooses how the lines to compare are found: the indexed engine
// (scoring/cruce.h, scoring/duplicados.h), or the line-by-line reading of
// scoring/cruce_literal.h, the reference the engine must agree with, far
// too slow for a real contest and meant for tests that compare the two.
enum class MetodoCruce { Indexado, Literal };
ResultadoCruceListas CruzaListas(EdicionConcurso& edicion, ProgresoEtapa& progreso, const ConcursoCruce& concurso,
                                 const std::function<OpcionesAnulacion()>& opciones,
                                 MetodoCruce metodo = MetodoCruce::Indexado, const AlCruzarLista& al_cruzar = {});

}  // namespace scoring

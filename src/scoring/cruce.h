#pragma once
// The cross-check of QSOs against the valid logs of one run.
//
// A `ListasValidasCruce` stands for the folder `ListasValidas` of the contest
// in hand and the list of its entries as the cross-check window shows it
// (file names, each a participant's callsign followed by ".LOG"). It is
// built once per run and answers, for every QSO of every log:
//
// - `FiguraEnListas`: whether a station figures in at least N other valid
//   logs (or declares the operator category SERVER-OP in its own log);
// - `CruzaQso`: whether a QSO stands or is annulled, and with which code,
//   under the annulment options the window shows at that moment.
//
// Each valid log is read from disk at most once, the first time an answer
// needs it, and kept in memory: its QSO lines indexed by worked call in line
// order, its category. The calls that the QSO lines of every log name are
// indexed once for the presence counts. The folder's file names are listed
// once. Presence answers are kept per call.
// The answers are exactly those of re-reading the logs line by line for
// every QSO (scoring/cruce_literal.h keeps that reading as the reference),
// as long as the folder does not change during the run: the crossed copies
// go to another folder, so nothing the run writes is read back.
//
// A log listed but unreadable reads as an empty log. No answer throws for
// anything a log holds.
//
// Typical use by the cross-check run, for each valid log k:
//
//   std::vector<std::string> lineas = ...;          // the log's lines
//   MarcaQsoDuplicados(lineas, datos);             // scoring/duplicados.h
//   for (std::size_t i = 0; i < lineas.size(); ++i) {
//     if (!lineas[i].starts_with("QSO:")) continue;
//     ResultadoCruce r = cruce.CruzaQso(lineas[i], k, opciones_de_la_ventana);
//     if (r.EstacionSinLista) ...  // list r.IndicativoSinLista
//     if (r.Anulado()) {
//       lineas[i] = LineaMarcada(r.Codigo, lineas[i]);
//       ...                         // append lineas[i] to the annulled-QSO file
//     }
//   }
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "scoring/configuracion_cruce.h"
#include "scoring/reglas_cruce.h"

namespace scoring {

// The outcome of crossing one QSO.
struct ResultadoCruce {
  // Empty when the QSO stands; otherwise "NUL01" to "NUL19".
  std::string Codigo;
  // No log of the worked station was found (whatever the options), and the
  // call as searched for (the base call; in a contest with `log_por_banda`
  // extended with the part of the log's name from its "-").
  bool EstacionSinLista = false;
  std::string IndicativoSinLista;

  bool Anulado() const { return !Codigo.empty(); }
};

class ListasValidasCruce {
 public:
  // `carpeta`: the folder `ListasValidas` of the contest in hand.
  // `entradas`: the file names listed for it, in the list's order; an
  // entry's position is its index for `CruzaQso`.
  // `datos`: the contest as the cross-check reads it (the exchange flags,
  // the period and the name are used here).
  ListasValidasCruce(std::string carpeta, std::vector<std::string> entradas, DatosCruce datos);
  ~ListasValidasCruce();
  ListasValidasCruce(const ListasValidasCruce&) = delete;
  ListasValidasCruce& operator=(const ListasValidasCruce&) = delete;

  const std::string& Carpeta() const { return carpeta_; }
  const std::vector<std::string>& Entradas() const { return entradas_; }
  const DatosCruce& Datos() const { return datos_; }

  // Whether the station `indicativo` figures in at least `cuantas` other
  // valid logs:
  // 1. True when the folder holds "<indicativo>.LOG" (name found without
  //    regard to case) and its first "CATEGORY:" or "CATEGORY-OPERATOR:"
  //    line gives a value like "SERVER-OP*". A call holding "/" or "\\"
  //    names no file of the folder.
  // 2. True when `cuantas` is 0 or less (at least none).
  // 3. Otherwise the call up to its first "-" is searched for: the
  //    station's own logs are passed over (`EsListaDeLaEstacion`: QQ1AB.LOG
  //    and QQ1AB-2.LOG, not QQ1ABC.LOG); each other entry counts once when
  //    one of its QSO lines has that call as its worked call or its own
  //    call, portable parts split off (scoring/reglas_cruce.h): QQ1AB is not
  //    in a log that names only QQ1ABC. True when at least `cuantas` entries
  //    count.
  bool FiguraEnListas(std::string_view indicativo, int cuantas);

  // Crosses one QSO line of the log at `indice_propia` of the entries
  // against the log of the station worked. The tests, in this order, the
  // first that applies giving the code:
  //  NUL08  the date token is not a valid date (always);
  //  NUL07  `AnularPorFecha`: outside the contest period (the end plus 10
  //         minutes; both limits belong to the period);
  //  no log of the worked station among the other entries (name compared
  //  without regard to case): NUL01 under `AnularQSO`; else NUL17 under
  //  `AnularQSOSiNoEstaEN` when it figures in fewer than `NumeroListas`
  //  other logs; else the count rule;
  //  its log found: the count rule (NUL02..NUL05: fewer than 2, 5, 10, 15
  //  other logs, the first of `AnularDos`..`AnularQuince` set), then its
  //  QSO lines with us, in order, until one matches: on another band or
  //  mode NUL06 (always); same band and mode but date or time apart NUL15
  //  (`AnularPorFechaDistinta`); with no match the reason of the last such
  //  line stands, or NUL10 (`AnularPorNoExistir`) when there was none; under
  //  `AnularPorPortableDistinto` calls are compared with their portable
  //  parts and NUL19 replaces the others unless the log's last QSO line is
  //  a QSO with us; a matching line: the exchange test (`CodigoIntercambio`:
  //  NUL16, NUL14, NUL12, NUL18, NUL13).
  // The options are read at every call, so a box changed during a run acts
  // on the QSOs crossed afterwards.
  ResultadoCruce CruzaQso(std::string_view linea, std::size_t indice_propia, const OpcionesAnulacion& opciones);
  // The same answer, after Prepara, from the log's QSO read then: `linea` is
  // the QSO line counted `numero_qso` (from 0) among the QSO lines
  // (`EsLineaQso`) before the first "END-OF-LOG" line of the listed file,
  // as the file was read. A number beyond them reads `linea` itself, as
  // does a line with a received token longer than 255 characters.
  ResultadoCruce CruzaQso(std::string_view linea, std::size_t indice_propia, std::size_t numero_qso,
                          const OpcionesAnulacion& opciones);

  // After Prepara, brings into the processor's cache ahead of time part of
  // what crossing QSO `numero_qso` of entry `indice_propia` will read of the
  // log of the station worked: `etapa` 2 its record, 1 its QSO records
  // with us, 0 their texts, each stage needing the one before done a little
  // earlier. Changes no answer; a crossing of thousands of logs spends much
  // of its time waiting for another log's memory.
  void Anticipa(std::size_t indice_propia, std::size_t numero_qso, int etapa) const;

  // Reads every listed log (with `hilos` threads), lists the folder and
  // indexes the presence of the calls at once, instead of on first need.
  // After it CruzaQso and FiguraEnListas may be called from several threads
  // at the same time; the answers stay the same.
  void Prepara(std::size_t hilos = 1);

  struct LogValido;  // a valid log read into memory (internal)
  struct Indicativos;
  struct QsoVisto;

 private:
  struct IndicePresencia;

  LogValido& Log(const std::string& nombre);
  LogValido& LogDeEntrada(std::size_t entrada);
  const std::string* FicheroEnCarpeta(const std::string& nombre);
  bool EsServerOp(const std::string& indicativo);
  int CuentaPresencia(std::string_view buscado);
  void ConstruyePresencia();
  ResultadoCruce Cruza(const QsoVisto& qso, std::size_t indice_propia, const OpcionesAnulacion& opciones);
  std::ptrdiff_t BuscaLista(const std::string& indicativo, std::size_t indice_propia) const;
  std::ptrdiff_t BuscaLista(std::uint32_t indicativo, std::size_t indice_propia) const;
  void ConstruyeListasPorIndicativo();
  bool FiguraEnListas(std::uint32_t numero, std::string_view indicativo, int cuantas);
  struct QsoPorIndicativo;
  void ConstruyeQsoPorIndicativo();

  std::string carpeta_;
  std::vector<std::string> entradas_;
  DatosCruce datos_;
  // The contest's one log per band (its profile), taken once.
  bool log_por_banda_ = false;
  // The contest period's limits, worked out once.
  LimitesPeriodo limites_;

  // Entries by their upper-cased name, each with its positions in order.
  std::unordered_map<std::string, std::vector<std::size_t>> por_nombre_;
  // After Prepara, by the number of each call the logs name: the first two
  // entries named after it ("<call>.LOG" without regard to case), -1 for
  // none.
  std::vector<std::array<std::int32_t, 2>> listas_por_indicativo_;
  // After Prepara, by the same numbers: the answers of EsServerOp (-1 not
  // known yet) and of CuentaPresencia of the call up to its first "-" (-1
  // not known yet), kept without a lock: every thread that works one out
  // gets the same.
  std::unique_ptr<std::atomic<std::int8_t>[]> server_op_por_numero_;
  std::unique_ptr<std::atomic<std::int32_t>[]> presencia_por_numero_;
  // The folder's file names by upper-cased name, listed on first need.
  bool carpeta_listada_ = false;
  std::unordered_map<std::string, std::vector<std::string>> ficheros_;
  // The calls the logs name, numbered.
  std::unique_ptr<Indicativos> indicativos_;
  // After Prepara, the answers kept per call are the only things that
  // change; this guards them.
  bool preparado_ = false;
  std::mutex cerrojo_;
  // Logs read so far, by file name, and by entry.
  std::unordered_map<std::string, std::unique_ptr<LogValido>> logs_;
  std::vector<LogValido*> por_entrada_;
  // Answers kept per call.
  std::unordered_map<std::string, bool> server_op_;
  std::unordered_map<std::string, int> presencia_;
  std::unique_ptr<IndicePresencia> indice_;
  // After Prepara, the QSO lines of all logs by worked call: its base
  // call, and its base call followed by its portable part.
  std::unique_ptr<QsoPorIndicativo> por_base_, por_completo_;
};

}  // namespace scoring

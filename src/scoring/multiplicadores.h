#pragma once
// The multiplier engine: how many multipliers each QSO of a participant's
// log brings.
//
// A multiplier is a value (a band, a date, a mode, a multiplier station, a
// country, a CQ zone, a prefix, a suffix, a district, a province, other
// letters, a grid square) that no earlier QSO of the same log has within the
// scope the contest sets (the whole contest, the band, the day, the mode).
// The earlier QSOs of the log are kept in `QsosAnteriores`, an index built
// as the log is scored: every question "did an earlier QSO have this value
// in this scope" is one look-up, so scoring a log is linear in its number
// of QSOs. The answers are those of searching the earlier rows of
// `ListaQso`: the values the database compares (country, zone, province,
// other letters, locator, band, mode, callsign of a multiplier station) are
// compared without regard to letter case, the keys worked out from a
// callsign (prefix, suffix, district, the references of the rules by
// contest name) exactly. Dates compare as dates. A value from a log is
// only ever compared, never written into a query.
//
// How the scoring run uses it, for each crossed log:
//
//   MotorMultiplicadores motor(paises, opciones, listas, nombre_concurso);
//   ...                                     // once per run
//   motor.EmpiezaLog();                     // QsosPuntuados() == 0
//   for each row of ListaQso in NumeroQso order:
//     DatosQso qso;
//     DatosQsoDesdeFila(fila, qso);         // scoring/puntuacion_datos.h
//     if (!qso.Dxcc.empty()) {
//       motor.CalculaMultiplicadores(qso);  // qso.Multiplicador
//       ... CalculaPuntosQso(qso, concursante, motor.Anteriores(), ...);
//     }
//     ... store Multiplicador (empty: 0) and PuntosRecibidos in the row
//     motor.AnotaQso(qso);                  // every QSO, scored or not
//
// The QSO points may ask `EsNuevoPrefijoEA` with a count of their own on
// `motor.Anteriores()` before `AnotaQso`.
//
// The options and lists are read once per run (multiplicadores_listas.h):
// the contest cannot be edited while the cross-check window scores.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "database/concursos_especiales.h"
#include "scoring/multiplicadores_listas.h"
#include "scoring/puntuacion_datos.h"
#include "scoring/tabla_textos.h"

class TablasPaises;

namespace scoring {

// The club station whose QSOs count once per day (`ReglaMultiplicadores::Club`).
inline constexpr std::string_view kEstacionClubComarcas = concursos::kComarcasCatalanas.estacion_especial;

// The scopes a value can be asked about. Within the band, the day and the
// mode questions keep the band.
enum class Ambito : char {
  Concurso = 'W',
  Dia = 'D',
  Modo = 'M',
  Banda = 'B',
  BandaDia = 'E',
  BandaModo = 'N',
};

// The kinds of value kept for the earlier QSOs.
enum class Familia : char {
  Banda = 'b',  // the counters: the band as stored
  Fecha = 'd',
  Modo = 'm',
  Estacion = 't',  // the worked callsign as logged
  Pais = 'p',
  Zona = 'z',                // the CQ zone, cut and formatted
  Prefijo = 'x',             // the prefix of the worked callsign (exact)
  Sufijo = 'f',              // its suffix key (exact)
  Distrito = 'r',            // its district key (exact)
  DistritoNoNumerico = 'R',  // the same, only of QSOs whose received literal is not numeric
  Literal = 'l',             // LiteralRecibido: provinces and other letters
  Cuadricula = 'g',          // every beginning of the received locator, up to four characters
  ReferenciaDie = 'q',       // letters and number of LiteralRecibido (exact)
  ProvinciaC = 'c',          // province of a literal as the `ReglaMultiplicadores::Dce` rule takes it (exact)
  ProvinciaVg = 'v',         // letters of a "VG" reference (exact)
};

// The earlier QSOs of the log in hand.
//
// Every value is kept once, as a number (`Internador`), and every key is
// a fixed-size record of such numbers in a flat open-addressing table that
// keeps its room from one log to the next: adding a QSO allocates nothing
// once the log's values have been seen. Only the scopes some question can
// ask under the contest's options are kept (`AmbitosGuardados`); a question
// about another scope finds nothing.
class QsosAnteriores {
 public:
  QsosAnteriores(const TablasPaises& paises, const OpcionesMultiplicadores& opciones);

  void Vacia();
  // Adds a QSO that has been scored (or passed over): it is an earlier QSO
  // of every QSO that follows.
  void Anade(const DatosQso& qso);
  // How many QSOs were added since the last Vacia (QsosPuntuados).
  std::int32_t Cuantos() const { return cuantos_; }

  // Whether an earlier QSO has the value in the scope. `valor`, `banda` and
  // `modo` are given as they are compared: folded (PliegaTexto) for the
  // kinds the database compares, exact for the others; `fecha` as
  // ClaveFecha gives it.
  bool Tiene(Familia familia, Ambito ambito, std::string_view valor, std::string_view banda = {},
             std::string_view fecha = {}, std::string_view modo = {}) const;
  // Earlier QSOs in mode "CW" (any case) on the date.
  std::int32_t CwEnFecha(std::string_view fecha) const;
  // Whether the club station of the Catalan contest was worked on the date.
  bool ClubEnFecha(std::string_view fecha) const;

  // The date of a QSO ("dd-mm-yyyy") as compared: a date written in
  // another way is the same date; a text that is no date is compared as it
  // is written.
  static std::string ClaveFecha(std::string_view fecha);

  // The scopes kept for a kind of value under the options, one bit per
  // scope (bit i: the i-th of Concurso, Dia, Modo, Banda, BandaDia,
  // BandaModo). The questions of the QSO points (a literal in the whole
  // contest, a prefix on the band) are kept whatever the options.
  static std::uint8_t AmbitosGuardados(const OpcionesMultiplicadores& opciones, Familia familia);

  const TablasPaises& Paises() const { return paises_; }
  const OpcionesMultiplicadores& Opciones() const { return opciones_; }
  // ObtienePrefijoYDistrito over Paises(), each call worked out once: a
  // contest's logs name the same stations over and over.
  void PrefijoYDistrito(const std::string& indicativo, std::string& prefijo, std::string& distrito) const;

 private:
  // Each distinct text seen gets a number from 1 on; 0 is no text. The
  // texts are kept back to back in one buffer and found through a flat
  // open-addressing table; both keep their room when emptied, so that a
  // log's texts are numbered without allocating once an earlier log was as
  // large.
  class Internador {
   public:
    std::uint32_t Numero(std::string_view texto);
    std::uint32_t Busca(std::string_view texto) const;
    std::size_t Cuantos() const { return cuantos_; }
    void Vacia();

   private:
    struct Hueco {
      std::uint64_t hash = 0;
      std::uint32_t inicio = 0, largo = 0;
      std::uint32_t numero = 0;  // 0: an empty slot
    };
    // The slot of the text, or the empty slot where it would go.
    std::size_t Sitio(std::string_view texto, std::uint64_t hash) const;
    void Crece();

    std::vector<Hueco> huecos_;  // a power of two long
    std::string letras_;
    std::uint32_t cuantos_ = 0;
  };
  struct Clave {
    std::uint32_t valor = 0, banda = 0, fecha = 0, modo = 0;
    std::uint32_t tipo = 0;  // familia << 8 | ambito; 0 marks an empty slot
    bool operator==(const Clave&) const = default;
  };
  // The numbers of the scope values of the QSO in hand.
  struct Alcance {
    std::uint32_t banda, fecha, modo;
  };

  void Pon(Familia familia, std::uint32_t valor, const Alcance& alcance);
  void Inserta(const Clave& clave);
  bool Contiene(const Clave& clave) const;
  std::uint8_t Ambitos(Familia familia) const { return ambitos_[static_cast<unsigned char>(familia)]; }

  const TablasPaises& paises_;
  const OpcionesMultiplicadores& opciones_;
  std::array<std::uint8_t, 128> ambitos_{};
  Internador textos_;
  std::vector<Clave> claves_;  // open addressing, a power of two long
  std::size_t ocupadas_ = 0;
  std::unordered_map<std::uint32_t, std::int32_t> cw_por_fecha_;
  std::unordered_set<std::uint32_t> club_por_fecha_;
  // The last raw date, band and mode seen, with their numbers.
  std::string fecha_cruda_, banda_cruda_, modo_crudo_;
  std::uint32_t fecha_ = 0, banda_ = 0, banda_plegada_ = 0, modo_ = 0, modo_plegado_ = 0;
  bool es_cw_ = false;
  // Answers of PrefijoYDistrito, kept from one log to the next (up to a bound).
  // The calls of a QSO are asked about a few times in a row: the last
  // answers given are looked at before the table.
  using Prefijos = TablaTextos<std::pair<std::string, std::string>>;
  mutable Prefijos prefijos_;
  struct Reciente {
    std::string indicativo;
    const std::pair<std::string, std::string>* respuesta = nullptr;  // nullptr: none kept
  };
  mutable std::array<Reciente, 4> recientes_{};
  mutable std::size_t reciente_ = 0;
  std::int32_t cuantos_ = 0;
};

// What the tests and the rules need beside the QSO and the earlier QSOs.
struct ContextoMultiplicadores {
  const OpcionesMultiplicadores& opciones;
  const ListasMultiplicadores& listas;
  const TablasPaises& paises;
};

// The new-multiplier tests. Each raises `cuenta` when it finds something
// new and leaves it otherwise.

// Multiplier stations (CadaEstacion): the worked callsign, when listed in
// ListaMultEspeciales, is new in the whole contest or (EstacionPorBanda) on
// the band; then on the date (EstacionPorDia); then in the mode
// (EstacionPorModo; in the whole contest the mode question ignores the
// date). Raises by its weight (column "Estacion") or 1.
void EsNuevaEstacionEspecial(const DatosQso& qso, const QsosAnteriores& anteriores, const ContextoMultiplicadores& c,
                             std::int64_t& cuenta);
// Other letters on the band: a non-numeric, non-empty literal new on the
// band; then on the date (OtrosPorDia), then in the mode (OtrosPorModo).
// Raises by 1.
void EsNuevoMultiplicadorOtros(const DatosQso& qso, const QsosAnteriores& anteriores,
                               const OpcionesMultiplicadores& opciones, std::int64_t& cuenta);
// A reference (letters and number, SeparaLetrasYNumero; "D-12" equals
// "D12") new on the band: "D" +1; "E" with a number of four or more
// characters +1; any number of three characters +2; otherwise nothing.
// A "-" literal, or one without letters or number, counts nothing.
void EsNuevaReferenciaDie(const DatosQso& qso, const QsosAnteriores& anteriores, std::int64_t& cuenta);
// The prefix of a station whose country is like "EA*", new on the band: +1.
void EsNuevoPrefijoEA(const DatosQso& qso, const QsosAnteriores& anteriores, std::int64_t& cuenta);
// A province code (valid with an empty own province) that no earlier
// non-empty literal gives, taken the same way (the part between a leading
// "C" and the first "-", or the literal itself when it does not begin with
// "C"), so that a province received without its "C" form counts once: +1.
void EsProvinciaNueva(std::string_view provincia, const QsosAnteriores& anteriores, const ContextoMultiplicadores& c,
                      std::int64_t& cuenta);
// Province letters (valid with an empty own province) that no earlier
// non-empty literal gives as its "VG" letters: +1.
void EsNuevaProvincia(std::string_view letras, const QsosAnteriores& anteriores, const ContextoMultiplicadores& c,
                      std::int64_t& cuenta);

// The count of one QSO: special stations, the band, day and mode counters,
// the eight families (country, CQ zone, prefix, suffix, district, province,
// other letters, grid square) by their options, and the rules of the
// contests known by name. The count is a 64-bit number: weights never wrap
// it. Writes it into qso.Multiplicador as decimal text, or empty for 0 (and
// always empty when the contest has no multipliers).
// `regla`: the contest's rule (concursos::MultiplicadoresDe), taken once
// for a run.
void CalculaMultiplicadores(DatosQso& qso, const QsosAnteriores& anteriores, const ContextoMultiplicadores& c,
                            concursos::ReglaMultiplicadores regla);

// The engine for one run: the contest's options, lists and name, and the
// earlier QSOs of the log in hand.
class MotorMultiplicadores {
 public:
  MotorMultiplicadores(const TablasPaises& paises, OpcionesMultiplicadores opciones, ListasMultiplicadores listas,
                       std::string nombre_concurso);
  MotorMultiplicadores(const MotorMultiplicadores&) = delete;
  MotorMultiplicadores& operator=(const MotorMultiplicadores&) = delete;

  void EmpiezaLog() { anteriores_.Vacia(); }
  void CalculaMultiplicadores(DatosQso& qso) const;
  void AnotaQso(const DatosQso& qso) { anteriores_.Anade(qso); }
  std::int32_t QsosPuntuados() const { return anteriores_.Cuantos(); }

  const QsosAnteriores& Anteriores() const { return anteriores_; }
  const OpcionesMultiplicadores& Opciones() const { return opciones_; }
  const ListasMultiplicadores& Listas() const { return listas_; }
  const std::string& NombreConcurso() const { return nombre_; }
  ContextoMultiplicadores Contexto() const { return {opciones_, listas_, paises_}; }

 private:
  const TablasPaises& paises_;
  OpcionesMultiplicadores opciones_;
  ListasMultiplicadores listas_;
  std::string nombre_;
  concursos::ReglaMultiplicadores regla_;  // of nombre_
  QsosAnteriores anteriores_;
};

}  // namespace scoring

#pragma once
// What the multiplier engine reads of the contest in hand: its multiplier
// options (`OpcionesMultiplicadores`) and its reference lists
// (`ListasMultiplicadores`), each read once per scoring run into memory.
// The lists answer the exclusion, validity and weight questions exactly as
// a query on the stored tables would: a value is compared with a listed
// one without regard to letter case (Spanish accented capitals included),
// with the participant's own value exactly. A value from a log is only ever
// compared, so no text of a log can break a question.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

class TablasPaises;

namespace dao {
class Database;
}

namespace scoring {

// One family's four options: every value counts, per band, per day, per
// mode. The three scope options act only with the first.
struct OpcionesFamilia {
  bool Cada = false;
  bool PorBanda = false;
  bool PorDia = false;
  bool PorModo = false;
};

// The multiplier columns of `Concursos` (an option counts only when the
// column holds True) and the participant exclusion flags.
struct OpcionesMultiplicadores {
  bool Multiplicadores = false;
  bool CadaBanda = false, CadaDia = false, CadaModo = false;
  OpcionesFamilia Pais;        // CadaPais, PaisPorBanda, PaisPorDia, PaisPorModo
  OpcionesFamilia Cq;          // CadaCq, CqPorBanda, CqPorDia, CqPorModo
  OpcionesFamilia Prefijo;     // CadaPrefijo, PrefijoPor...
  OpcionesFamilia Sufijo;      // CadaSufijo, SufijoPor...
  OpcionesFamilia Distrito;    // CadaDistrito, DistritoPor...
  OpcionesFamilia Prov;        // CadaProv, ProvPor...
  OpcionesFamilia Otros;       // Otros, OtrosPor...
  OpcionesFamilia Cuadricula;  // CadaCuadricula, CuadriculaPor...
  OpcionesFamilia Estacion;    // CadaEstacion, EstacionPor...
  // Which characters make the suffix key (ObtieneClaveLetras).
  bool PrimerNumero = false, PrimeraLetra = false, SegundaLetra = false, TerceraLetra = false,
       UltimaLetra = false;
  // A value equal to the participant's own does not count. Read from the
  // columns ExcluirMismoPais, ExcluirMismaZonaCQ, ExcluirMismoPrefijo,
  // ExcluirMismaProv and ExcluirMismoDist; the caller may replace them by
  // the flags the program holds for the contest in hand.
  bool ExcluirMismoPais = false, ExcluirMismaZonaCq = false, ExcluirMismoPrefijo = false,
       ExcluirMismaProv = false, ExcluirMismoDist = false;
};

// Reads the options from the `Concursos` row of that number (columns found
// by name without regard to case; one the row lacks, or that holds no
// value, reads False). False when there is no such row. A database failure
// reaches the caller as dao::Error.
bool LeeOpcionesMultiplicadores(dao::Database& base, std::int32_t numero_orden,
                                OpcionesMultiplicadores& opciones);

// The text as the database compares it: capital letters (A-Z and the
// accented capitals) turned to small ones, everything else unchanged.
std::string PliegaTexto(std::string_view texto);

// The reference lists of one contest.
class ListasMultiplicadores {
 public:
  // Empty lists: nothing is excluded but, under the options, the own value;
  // no province, district or multiplier station is listed; no special
  // multiplier has a weight.
  ListasMultiplicadores() = default;

  // Reads the rows of `ListaPaises`, `ListaCq`, `ListaPrefijos`,
  // `ListaProv`, `ListaDistritos`, `ListaMultEspeciales` and `MultEspeciales`
  // whose `NumeroOrden` is that number, in table order. A missing table or
  // column reaches the caller as dao::Error.
  static ListasMultiplicadores Lee(dao::Database& base, std::int32_t numero_orden);

  // Building the lists (the reader and the tests use these). A repeated
  // code keeps the first row's flag or weight.
  void AnadePaisExcluido(std::string_view dxcc);
  void AnadeZonaCqExcluida(std::string_view zona);
  void AnadePrefijoExcluido(std::string_view prefijo);
  void AnadeProvincia(std::string_view codigo, bool excluida);
  void AnadeDistrito(std::string_view codigo, bool excluido);
  void AnadeEstacionMultiplicadora(std::string_view indicativo);
  // `columna`: "Estacion", "Pais", "Distrito", "Prefijo", "Provincia",
  // "ZonaCQ" or "OtrasSiglas" (any case).
  void AnadeMultEspecial(std::string_view columna, std::string_view valor, std::int32_t puntos);

  // True when the country must not count: under the option, the own
  // country (exact); otherwise a listed excluded country.
  bool EsPaisExcluido(std::string_view dxcc, std::string_view propio, const OpcionesMultiplicadores& o) const;
  bool EsZonaCqExcluida(std::string_view zona, std::string_view propia, const OpcionesMultiplicadores& o) const;
  bool EsPrefijoExcluido(std::string_view prefijo, std::string_view propio,
                         const OpcionesMultiplicadores& o) const;
  // True when the province counts: not the own one under the option, and
  // listed with ProvExcluida False (the first row of the code decides).
  bool EsProvinciaValida(std::string_view provincia, std::string_view propia,
                         const OpcionesMultiplicadores& o) const;
  // True when the district counts: not the own key under the option; a row
  // of the key itself decides by its excluded flag; without one, a row
  // whose code is the key less its last character followed by "*" makes it
  // count whatever its flag. An empty key never counts.
  bool EsDistritoValido(std::string_view distrito, std::string_view propio,
                        const OpcionesMultiplicadores& o) const;
  // True when the callsign, as passed (portable part included), is listed
  // in ListaMultEspeciales.
  bool EsEstacionMultiplicadora(std::string_view indicativo) const;
  // True, with `peso` set to the first matching row's Puntos, when the value
  // is named in that column of MultEspeciales; False, `peso` untouched,
  // otherwise. A row whose Puntos holds no value weighs 1.
  bool ValorMultEspecial(std::string_view columna, std::string_view valor, std::int32_t& peso) const;

 private:
  using Conjunto = std::unordered_set<std::string>;
  using Marcas = std::unordered_map<std::string, bool>;
  Conjunto paises_, zonas_, prefijos_, estaciones_;
  Marcas provincias_, distritos_;
  std::unordered_map<std::string, std::int32_t> especiales_;  // column, '\x1f', folded value
};

// The suffix key of a callsign (the caller has taken its portable part
// off): in this order and each under its flag, the last character of the
// callsign's prefix (ObtienePrefijoYDistrito), the characters at the
// first, second and third positions after the prefix, and the last
// character of the callsign. A position beyond the end adds nothing; with
// every flag clear the key is empty. Characters are bytes, as callsigns
// are written in plain letters and digits.
void ObtieneClaveLetras(const TablasPaises& paises, const OpcionesMultiplicadores& opciones,
                        const std::string& indicativo, std::string& clave);

// Splits a received reference into its letters and its number: with a "-",
// the text before the first "-" and the text after it; otherwise the
// characters before the first digit and the rest from that digit on. Both
// outputs are emptied first. "D-12" and "D12" give "D", "12"; "AB1C" gives
// "AB", "1C"; "-12" gives "", "12"; "ABC" gives "ABC", "".
void SeparaLetrasYNumero(std::string_view referencia, std::string& letras, std::string& numero);

}  // namespace scoring

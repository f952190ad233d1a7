#pragma once
// The points that the contest's list of special stations (`ListaEspeciales`)
// grants to a QSO.
//
// A row names a station, a prefix, a district, a province, a band or a
// mode, or a combination of them ("*" leaves a column open), with the
// points of a QSO that meets it: a plain row in `Puntos` (and "*" in
// `PuntosRef`), a reference row in `PuntosRef` (and 0 in `Puntos`). A row
// for the worked station itself decides; failing that the best offer of
// the rows that fit the QSO wins (see CalculaPuntosEstacionesEspeciales).
//
// The list is read once per scoring run into memory; each question walks
// the rows in their stored order and compares a row's text with a QSO's
// key without regard to letter case, as a query on the table would.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scoring/puntuacion_datos.h"

class TablasPaises;

namespace dao {
class Database;
}

namespace scoring {

// One row of `ListaEspeciales`. A column that holds no value is nullopt
// and meets no condition ("*" included).
struct FilaEspecial {
  std::optional<std::string> Estacion, Prefijo, Distrito, Provincia, Banda, Modo;
  std::optional<std::int64_t> Puntos;
  std::optional<std::string> PuntosRef;
};

class EstacionesEspeciales {
 public:
  EstacionesEspeciales() = default;
  // The rows whose `NumeroOrden` is that number, in stored order. A missing
  // table or column reaches the caller as dao::Error (a list written before
  // `Modo` existed reads its modes as no value).
  static EstacionesEspeciales Lee(dao::Database& base, std::int32_t numero_orden);

  // Appends a row (the reader and the tests).
  void Anade(FilaEspecial fila);
  bool Vacia() const { return filas_.empty(); }
  const std::vector<FilaEspecial>& Filas() const { return filas_; }

  // True when a row's `Provincia` equals the code (letter case ignored).
  bool EsProvinciaEspecial(std::string_view codigo) const;
  // True when a row's `Estacion` equals the callsign (letter case ignored)
  // and its `Puntos` is that number.
  bool TieneEstacionConPuntos(std::string_view indicativo, std::int64_t puntos) const;

 private:
  // Rows with every text folded (PliegaTexto) for the comparisons.
  std::vector<FilaEspecial> filas_;
  std::vector<FilaEspecial> plegadas_;
  friend bool CalculaPuntosEstacionesEspeciales(DatosQso& qso, const EstacionesEspeciales& lista,
                                                const TablasPaises& paises);
};

// The band name of the list for a QSO's band: "1800" gives "1.8", "3500"
// "3.5", "7000" "7", "10000" "10", "14000" "14", "18000" "18", "21000"
// "21", "24000" "24", "28000" "28", "27500" "27" and "1.2" "1296" (the
// names the list editor offers for those bands); any other text stays.
std::string BandaDeLista(std::string_view banda);

// Sets qso.PuntosRecibidos from the list and answers True; answers False,
// the field untouched, when the list gives the QSO nothing.
//  1. Station rows (`PuntosRef` "*"), first row of the first rule that has
//     one: the station on the QSO's band, the station in the QSO's mode,
//     the station alone. Their `Puntos` as stored (no value: empty text).
//  2. Otherwise the highest of the offers of the seventeen plain rules
//     (band, mode, province, district, prefix and their combinations, the
//     other columns "*"; each rule's first fitting row offers its `Puntos`)
//     and, when the received letters are not empty and do not begin with
//     "-", of the twelve reference rules (`Puntos` 0; the row offers its
//     `PuntosRef`). An offer of 1 or more sets the points.
// The station is the worked call without its portable part; prefix and
// district come from the countries database. An offer that is no whole
// number counts 0.
bool CalculaPuntosEstacionesEspeciales(DatosQso& qso, const EstacionesEspeciales& lista, const TablasPaises& paises);

}  // namespace scoring

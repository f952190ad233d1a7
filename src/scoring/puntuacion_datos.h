#pragma once
// The records that the scoring of one log shares: the QSO in hand
// (`DatosQso`), the participant (`DatosConcursante`) and the callsign split
// `SeparaIndicativo`. Plain values, no database and no window.
//
// The per-QSO pass fills a `DatosQso` from each row of `ListaQso` in
// `NumeroQso` order (`DatosQsoDesdeFila`), hands it to the multiplier
// engine (scoring/multiplicadores.h) and then to the QSO points, and stores
// `Multiplicador` and `PuntosRecibidos` back into the row.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dao {
class Recordset;
class Variant;
}

namespace scoring {

// The participant, built from the log's header for each log.
struct DatosConcursante {
  std::string Indicativo;  // the value of the log's "CALLSIGN:" tag
  std::string Dxcc;        // its country
  std::string Waz;         // its CQ zone as the countries database gives it (not cut)
  std::string Continente;  // its continent
};

// The QSO in hand. Every field is a text; a column that is Null or empty
// leaves its field empty.
struct DatosQso {
  std::string Banda;
  std::string Modo;
  std::string FechaQso;  // "dd-mm-yyyy"
  std::string Indicativo;
  std::string Concursante;
  std::string LiteralRecibido;
  std::string LiteralEnviado;
  // The engine's result: the number of multipliers the QSO adds, as decimal
  // text, or empty for none.
  std::string Multiplicador;
  // The received points; the points routine replaces it by the QSO's points.
  std::string PuntosRecibidos;
  std::string QraLocatorRecibido;
  std::string QraLocatorEnviado;
  std::string RsRecibido;
  std::string RsEnviado;
  std::string Dxcc;  // empty: the QSO is not scored
  std::string Waz;   // cut and formatted (FormateaZonaCq)
  std::string Continente;
  std::string DxccEstacionBase;
  std::string WazEstacionBase;  // cut and formatted (FormateaZonaCq)
  std::string ContinenteEstacionBase;
};

// A CQ zone as the scoring compares it: only the part before the first "-"
// ("33-34" gives "33"), then a number written with at least two digits
// ("5" gives "05", "14" stays "14"); a text that is not a number stays as it
// is. An empty text stays empty.
std::string FormateaZonaCq(std::string_view waz);

// A column's value as the record's field takes it: Null gives "", a date
// "dd-mm-yyyy", anything else its text.
std::string TextoDeColumna(const dao::Variant& v);

// Fills the record from the current row of a `ListaQso` selection: every
// field emptied first, then each column copied as text (`FechaQso` written
// "dd-mm-yyyy", the two zones through FormateaZonaCq). `NumeralEnviado` and
// `NumeralRecibido` are not carried. A column the row lacks leaves its field
// empty. A database failure reaches the caller as dao::Error.
void DatosQsoDesdeFila(const dao::Recordset& fila, DatosQso& qso);

// The same for every row of one selection, with its columns found once.
class ColumnasListaQso {
 public:
  explicit ColumnasListaQso(const dao::Recordset& seleccion);
  void Lee(const dao::Recordset& fila, DatosQso& qso) const;

 private:
  std::vector<std::pair<int, std::string DatosQso::*>> columnas_;
};

// Splits a callsign into its leading digits, the letters that follow them
// (up to the next digit, not included) and the rest from that digit on. A
// part the walk does not close stays empty: "12AB3C" gives "12", "AB",
// "3C"; "QQ1ABC" gives "", "QQ", "1ABC"; "123" and "QQ" give three empty
// parts.
void SeparaIndicativo(std::string_view indicativo, std::string& digitos, std::string& letras, std::string& resto);

}  // namespace scoring

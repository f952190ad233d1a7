#pragma once
// Callsign, country and locator lookups.
//
// The countries database (Terravia) is read-only for the whole run: it is
// loaded once into memory when it is opened, and every lookup answers from
// that copy exactly as the seeks on its indexes and the query on its region
// table would answer.
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <functional>
#include <unordered_map>
#include <vector>

struct sqlite3;

// A failure of the countries database: the file cannot be opened, a table,
// column or index is missing, or a lookup reaches a Null where it needs a
// text. Not handled here: it reaches the caller.
class ErrorPaises : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// In-memory copy of the tables Prefijos, Dxcc and Regiones.
class TablasPaises {
 public:
  struct FilaPrefijo {
    std::optional<std::string> Prefijo;
    std::optional<std::string> Dxcc;
  };
  struct FilaDxcc {
    std::optional<std::string> Dxcc;
    std::optional<std::string> Waz;
    std::optional<std::string> Continente;
  };
  struct FilaRegion {
    std::optional<std::string> Dxcc;
    std::optional<std::string> Prefijo;
    std::optional<std::string> Waz;
    std::optional<std::string> Continente;
  };

  // Opens the database file read-only (its name found without regard to
  // letter case) and loads it. Throws ErrorPaises when
  // the file does not exist or cannot be read, or a table, column or index
  // the lookups use is missing.
  static std::unique_ptr<TablasPaises> Abre(const std::string& ruta);
  // Loads from a connection already open.
  static std::unique_ptr<TablasPaises> Carga(sqlite3* conexion);

  // Seek on ClavePrefijo / ClaveDxcc: the row whose key equals the text
  // (letter case ignored, as the key columns compare), or nullptr.
  const FilaPrefijo* BuscaEnPrefijos(std::string_view clave) const;
  const FilaDxcc* BuscaEnDxcc(std::string_view clave) const;
  // Rows of Regiones whose Dxcc equals the code, in table order.
  const std::vector<FilaRegion>& RegionesDe(std::string_view dxcc) const;

  std::size_t NumeroPrefijos() const { return prefijos_.size(); }
  std::size_t NumeroDxcc() const { return dxcc_.size(); }
  std::size_t NumeroRegiones() const { return numeroRegiones_; }
  // Length in characters of the longest key of Prefijos / Dxcc: no left
  // part of a call longer than that can be found, so searches start there.
  std::size_t LongitudMaximaPrefijo() const { return maximoPrefijo_; }
  std::size_t LongitudMaximaDxcc() const { return maximoDxcc_; }

 private:
  TablasPaises() = default;
  struct HashTexto {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
  };
  template <class Fila>
  using Mapa = std::unordered_map<std::string, Fila, HashTexto, std::equal_to<>>;
  // Keys are stored in upper case (ASCII); the first row of a repeated key
  // wins, as a seek finds it.
  Mapa<FilaPrefijo> prefijos_;
  Mapa<FilaDxcc> dxcc_;
  Mapa<std::vector<FilaRegion>> regiones_;
  std::size_t numeroRegiones_ = 0;
  std::size_t maximoPrefijo_ = 0;
  std::size_t maximoDxcc_ = 0;
};

// The countries database the caller holds; throws ErrorPaises for nullptr
// ("La base de datos de países no está abierta"): nothing was opened.
const TablasPaises& PaisesRequeridos(const TablasPaises* paises);

// Splits a callsign into its base call (left in `indicativo`) and its
// portable part ("/P", "QQ8/", "QQ8/P", ...). Empty portable part when the
// call holds no "/".
void SeparaPortable(std::string& indicativo, std::string& portable);

// The stored prefix of the base call: its longest left part that is a key of
// Prefijos; the first character of the base call when none is.
void BuscaPrefijo(const TablasPaises& paises, const std::string& indicativo, std::string& prefijo);

// The prefix as written in the call and the district key (country code
// followed by the call-area character). A call without a portable part whose
// prefix holds a digit after its first character (EA6, KH6, UA0, VP2E) gets
// the country code up to its first digit after the first character and the
// prefix's last digit: EA6AOT gives EA6, UA0ABC (country UA9) gives UA0.
void ObtienePrefijoYDistrito(const TablasPaises& paises, const std::string& indicativo, std::string& prefijo,
                             std::string& distrito);

// Country code, CQ zone and continent, the last two refined by the region
// rows of the country. Three empty texts when the call is empty or unknown.
void ObtienePaisZonaContinente(const TablasPaises& paises, const std::string& indicativo, std::string& dxcc,
                               std::string& waz, std::string& continente);

// Maidenhead locator (4 or 6 characters, upper case) to the centre of its
// subsquare, in arc-seconds (longitude east, latitude north). False when the
// locator is invalid; outputs already written stay written.
bool CalculaCoordenadasLocator(const std::string& locator, float& longitud, float& latitud);

// Distance in whole kilometres between two locators. An empty first locator
// (or, the first being valid, an empty second one) gives 0 and true; an
// invalid one gives false and leaves km as it was.
bool CalculaDistanciaLocator(const std::string& locator1, const std::string& locator2,
                             float& km);

// Distance in whole kilometres between two points given in arc-seconds: the
// second point first, then the first point.
void CalculaDistanciaKm(float longitud2, float latitud2, float longitud1, float latitud1,
                        float& km);

// Whole-text match with "#" (one digit), "?" (one character), "*" (any run)
// and bracketed lists ("[ABC]", "[A-Z]", "[!0-9]"); every other character
// matches itself, letter case included.
bool CoincidePatron(std::string_view texto, std::string_view patron);

#pragma once
// Internals of the database layer (not for use outside dao*.cpp).
#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "plataforma/dao.h"

namespace dao::detalle {

// Name of the collation that compares text without regard to case
// (ASCII and Latin-1 letters: "ñ" = "Ñ", "á" = "Á").
inline constexpr const char* kColacion = "TRV_NOCASE";

std::string Minusculas(std::string_view t);  // ASCII only
bool IgualesSinCaso(std::string_view a, std::string_view b);
// Compares two UTF-8 texts code point by code point, letters folded.
int ComparaSinCaso(std::string_view a, std::string_view b);
// Like with "*", "?", "#", "[..]", "[!..]", without regard to case.
bool Como(std::string_view valor, std::string_view patron);

std::optional<double> NumeroDeTexto(std::string_view texto);
std::optional<bool> BooleanoDeTexto(std::string_view texto);
std::int64_t RedondeoPar(double v);
std::string TextoDeDouble(double v);
std::string Cita(std::string_view identificador);  // "name" with "" doubled

struct Columna {
  std::string nombre;
  Tipo tipo = Tipo::Text;
  int tamano = 0;
  bool permiteVacio = true;
  bool colacionPropia = false;  // declared with kColacion
};

// Declared type for a column definition, and back.
std::string TipoDeclarado(Tipo tipo, int tamano, bool permiteVacio);
void LeeTipoDeclarado(std::string_view declarado, Columna& col);
int TamanoDeTipo(Tipo tipo, int tamanoTexto);

struct Tabla {
  std::string nombre;  // as stored
  std::vector<Columna> columnas;
  int Busca(std::string_view nombre) const;  // -1 when absent
  // Indexes, read on first use (the table is read again after any schema
  // change, so this never goes stale). Empty columns: not on plain columns.
  struct Indice {
    std::string nombre;
    std::vector<int> columnas;
  };
  bool indicesLeidos = false;
  std::vector<Indice> indices;
};

class Sentencia;

// A statement of the connection's cache remembered by its user, so that a
// hot path skips the lookup by SQL text. Valid while `generacion` matches
// the connection's (the cache finalizes its statements when it is emptied).
struct SentenciaGuardada {
  sqlite3_stmt* st = nullptr;
  std::uint64_t generacion = 0;
};

struct Conexion {
  sqlite3* db = nullptr;
  std::string nombre;
  std::unordered_map<std::string, sqlite3_stmt*> cache;
  std::uint64_t generacion = 1;  // changes whenever cached statements are finalized
  std::map<std::string, std::shared_ptr<Tabla>> tablas;  // key: lower-case name
  bool tablasCargadas = false;
  std::int64_t versionEsquema = -1;  // of the loaded tables
  std::int64_t VersionEsquema();
  bool enTransaccion = false;
  int afectadas = 0;

  ~Conexion();
  void Cierra();
  void Comprueba() const;  // error when closed
  sqlite3_stmt* Prepara(const std::string& sql);
  sqlite3_stmt* Prepara(const std::string& sql, SentenciaGuardada& guardada);
  void Ejecuta(const std::string& sql);  // no results, no parameters
  [[noreturn]] void Falla(int rc) const;
  void CargaTablas();
  void EsquemaCambiado();
  std::shared_ptr<Tabla> BuscaTabla(std::string_view nombre);  // null when absent
  std::shared_ptr<Tabla> Tabla_(std::string_view nombre);      // error 3078
  std::vector<std::string> NombresTablas();
};

// A prepared statement borrowed from the cache; reset on destruction.
class Sentencia {
 public:
  Sentencia(Conexion& con, const std::string& sql);
  Sentencia(Conexion& con, const std::string& sql, SentenciaGuardada& guardada);
  ~Sentencia();
  Sentencia(const Sentencia&) = delete;
  Sentencia& operator=(const Sentencia&) = delete;
  void Enlaza(int i, const Variant& v);  // 1-based
  void Enlaza(const std::vector<Variant>& valores, int desde = 1);
  // As Enlaza, but a text is bound without a copy: the value must outlive
  // this Sentencia (its bindings are cleared on destruction).
  void EnlazaPrestado(int i, const Variant& v);
  void EnlazaEntero(int i, std::int64_t v);
  bool Paso();  // true when a row is ready
  sqlite3_stmt* st() const { return st_; }

 private:
  Conexion& con_;
  sqlite3_stmt* st_;
};

// Reads a column of a result row as a value of the column type.
Variant LeeValor(sqlite3_stmt* st, int i, const Columna& col);
// Converts a value for storage in a column; refuses with Error what does not
// fit. The result is what gets bound.
Variant ConvierteParaColumna(const Variant& v, const Columna& col);

// ------------------------------------------------------------ translation

// A criterion or query text translated to SQLite SQL; every literal is a
// parameter.
struct Traduccion {
  std::string sql;
  std::vector<Variant> parametros;
};

// A criterion (the text after Where) over the columns of `tabla`.
// "?" takes the next value of `externos`.
Traduccion TraduceCriterio(std::string_view criterio, const Tabla& tabla, const std::vector<Variant>& externos);

struct ConsultaSelect {
  std::shared_ptr<Tabla> tabla;
  bool todas = true;
  std::vector<int> columnas;  // projected columns (all for *)
  std::string filtro;         // SQL fragment, empty for none
  std::vector<Variant> parametros;
  std::string orden;  // " ORDER BY ..." (always ends by rowid)
};
ConsultaSelect TraduceSelect(std::string_view sql, Conexion& con, const std::vector<Variant>& externos);
// "DELETE FROM T [Where ...]"; empty sql when the text is not one.
Traduccion TraduceDelete(std::string_view sql, Conexion& con, const std::vector<Variant>& externos);
// A column reference for comparisons and ordering (adds the collation for a
// Text column that does not declare it).
std::string RefColumna(const Columna& col);

// ------------------------------------------------------------ recordsets

struct RecordsetImpl {
  std::shared_ptr<Conexion> con;
  std::shared_ptr<Tabla> tabla;
  TipoRecordset tipo = TipoRecordset::Dynaset;
  bool actualizable = true;
  std::vector<int> columnas;  // positions in tabla->columnas
  std::string filtro;
  std::vector<Variant> parametrosFiltro;
  std::string ordenBase;  // order without index
  std::string orden;      // current order
  std::string indice;
  std::vector<int> columnasIndice;
  bool cerrado = false;

  // Rows: loaded on demand. -1 marks a row deleted through this set.
  bool cargadas = false;
  std::vector<std::int64_t> filas;
  std::unordered_map<std::int64_t, std::size_t> posiciones;
  bool posicionesValidas = false;
  int vivas = 0;

  // Position.
  bool hayActual = false;
  std::int64_t actual = 0;
  bool posConocida = false;
  std::ptrdiff_t pos = -1;
  bool bof = true, eof = true;
  bool borrado = false;  // the current row was deleted through this set
  bool noMatch = false;
  // Positioned on the first row, not yet looked up (a set just opened or
  // cloned costs no query until it is read or moved).
  bool primeraPendiente = false;

  // Values of the current row.
  bool valoresValidos = false;
  // The values were read along with the positioning (Seek), before any field
  // was asked for; they stand while this connection has changed nothing since.
  bool valoresAnticipados = false;
  sqlite3_int64 cambiosAlAnticipar = 0;
  std::vector<Variant> valores;
  std::string sqlLectura;

  // Copy buffer.
  Recordset::ModoEdicion modo = Recordset::ModoEdicion::Ninguno;
  std::vector<std::optional<Variant>> buffer;  // values as they are bound
  // INSERT statements by the columns set (a '1' per column set); the last
  // one used is remembered, as a run of AddNew usually sets the same ones.
  struct Alta {
    std::string sql;
    SentenciaGuardada sentencia;
  };
  std::unordered_map<std::string, Alta> sqlAltas;
  std::string claveAlta;        // scratch key
  std::string ultimaClaveAlta;  // key of ultimaAlta
  Alta* ultimaAlta = nullptr;
  // Seek statements, by operator and number of keys. They read the set's
  // columns along with the rowid, so a hit needs no second query.
  struct Busqueda {
    std::string sql;
    SentenciaGuardada sentencia;
  };
  std::unordered_map<std::string, Busqueda> sqlBusquedas;

  void Comprueba() const;
  void Carga();
  void ConocePosicion();
  void PonEn(std::ptrdiff_t p);
  void SinActual();
  void Primera();  // position on the first row without loading
  void Resuelve();  // settles a pending first-row position
  void LeeValores();
  Variant Valor(int i);
  void Asigna(int i, const Variant& v);
  std::string SelectRowids(const std::string& extra) const;
};

}  // namespace dao::detalle

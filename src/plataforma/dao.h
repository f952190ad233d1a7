#pragma once
// Database layer: a small DAO-like interface over SQLite.
//
// Databases are SQLite files (no extension). Opening never creates a file.
// Table and column names are matched without regard to letter case. Values
// are variants (Null, Boolean, Long, Double, Date, Text). Criteria and
// "Select" texts use the classic desktop-database dialect (Like with "*",
// "?", "#", "[..]", "[!..]"; CvDate('dd-mm-yyyy'); "X = Null"; True/False;
// keywords in any case) and are translated to SQLite SQL inside the layer;
// every literal becomes a bound parameter, so a value never breaks a
// statement. Text compares and sorts without regard to case (Spanish letters
// included).
//
// Handles (Database, Recordset, TableDef) are cheap to copy and share the
// same object, as object variables do; Recordset::Clone gives an
// independent cursor.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dao {

// ---------------------------------------------------------------- errors

// Error numbers (the classic engine's numbers where one exists).
enum NumeroError : int {
  errUsoNoValidoDeNull = 94,         // a Null read as a number/boolean/date
  errDesbordamiento = 6,             // a number out of the range asked for
  errTiposNoCoinciden = 13,          // a value that cannot be converted
  errFicheroNoEncontrado = 3024,     // database file missing
  errNoEsBaseDeDatos = 3343,         // not a database file
  errBaseDeDatosCerrada = 3420,      // object closed or no longer valid
  errNoHayRegistroActual = 3021,     // no current record
  errUpdateSinAddNewNiEdit = 3020,   // Update with no AddNew or Edit
  errElementoNoEncontrado = 3265,    // name or index not in a collection
  errTablaNoEncontrada = 3078,       // table or query not found
  errTablaYaExiste = 3010,           // table already exists
  errCampoYaExiste = 3191,           // a field of that name already exists
  errCampoDemasiadoPequeno = 3163,   // text too long for its column
  errConversionDeDatos = 3421,       // value not valid for the column type
  errCadenaVacia = 3315,             // empty text where it is not allowed
  errSintaxis = 3075,                // syntax error in a criterion or query
  errOperacionNoValida = 3219,       // operation not valid for this object
  errNoActualizable = 3027,          // set is read-only (a projection)
  errIndiceNoValido = 3800,          // Index not set or unknown
  errMotor = 3146,                   // any other SQLite failure
  errDesbordamientoNumerico = 3349,  // number out of range for its column
  errRegistroEliminado = 3167,       // the current record was deleted
  errValorDuplicado = 3022,          // a unique index refused the value
};

class Error : public std::runtime_error {
 public:
  Error(int numero, const std::string& texto);
  int Number() const { return numero_; }
  const std::string& Description() const { return texto_; }

 private:
  int numero_;
  std::string texto_;
};

// ------------------------------------------------------------------ types

// Column types, with the classic type codes.
enum class Tipo : int {
  Boolean = 1,
  Integer = 3,  // 16-bit
  Long = 4,     // 32-bit
  Double = 7,
  Date = 8,
  Text = 10,
};
// Default size of a Text column created without one.
inline constexpr int kTamanoTextoPorDefecto = 50;

// A date with time of day. Kept in the database as sortable text:
// "yyyy-mm-dd" when the time is 00:00:00, else "yyyy-mm-dd hh:mm:ss".
struct Fecha {
  int anio = 1899, mes = 12, dia = 30;
  int hora = 0, minuto = 0, segundo = 0;

  // Accepts "dd-mm-yyyy" and "dd/mm/yyyy" (day first, optional time
  // "hh:mm[:ss]" after a blank), "yyyy-mm-dd[ hh:mm:ss]" (the stored form).
  // Two-digit years: 00-29 -> 20xx, 30-99 -> 19xx. Empty when not a date.
  static std::optional<Fecha> Desde(std::string_view texto);
  static bool Valida(int anio, int mes, int dia);
  std::string Texto() const;       // stored form
  std::string TextoCorto() const;  // "dd/mm/yyyy" (CvDate reads it back)
  auto operator<=>(const Fecha&) const = default;
  bool operator==(const Fecha&) const = default;
};

class Variant {
 public:
  enum class Clase { Null, Boolean, Long, Double, Date, Text };

  Variant() = default;  // Null
  Variant(bool b);
  Variant(int v);
  Variant(long v);
  Variant(long long v);
  Variant(unsigned v) : Variant(static_cast<long long>(v)) {}
  Variant(unsigned long v);  // beyond 63 bits: error 6
  Variant(unsigned long long v) : Variant(static_cast<unsigned long>(v)) {}
  Variant(double v);
  Variant(float v) : Variant(static_cast<double>(v)) {}
  Variant(const Fecha& f);
  Variant(const char* s);
  Variant(std::string_view s);
  Variant(const std::string& s);
  Variant(std::string&& s);
  static Variant Null() { return Variant(); }

  Clase clase() const { return clase_; }
  bool IsNull() const { return clase_ == Clase::Null; }

  // Conversions as the classic language does them. A Null gives error 94
  // except for CStr, which gives "" (the readers treat Null as empty text).
  // Text is converted when it is a number / a date ("0" -> 0, "dd-mm-yyyy");
  // otherwise error 13. CLng rounds half to even; error 6 outside 32 bits.
  bool CBool() const;
  std::int32_t CLng() const;
  std::int64_t CLng64() const;  // no 32-bit range check
  double CDbl() const;
  Fecha CDate() const;
  std::string CStr() const;  // Boolean -> "True"/"False"; Date -> short form
  // The text of a Text value without a copy; empty for any other class.
  const std::string& Str() const { return s_; }
  bool EsNumero() const;  // IsNumeric

  // Same class and same value (Text compared exactly).
  bool operator==(const Variant& o) const;

 private:
  Clase clase_ = Clase::Null;
  bool b_ = false;
  std::int64_t l_ = 0;
  double d_ = 0;
  Fecha f_{};
  std::string s_;
};

// Doubles every "'" so a value can be pasted between single quotes of a
// criterion or query text and still be read as the literal text.
std::string Escapa(std::string_view valor);

// The order of text columns: letter case ignored, an accented letter next to
// its base letter, "ñ" after "n". Negative, zero or positive.
int ComparaTextos(std::string_view a, std::string_view b);

class Database;
class Recordset;
class TableDef;
namespace detalle {
struct Conexion;
struct RecordsetImpl;
struct TableDefImpl;
}  // namespace detalle

// ----------------------------------------------------------------- fields

// A field. Either a definition (from CreateField, or of a TableDef), or a
// field of a Recordset, which also has a Value in the current record.
class Field {
 public:
  Field() = default;
  explicit Field(std::string nombre, Tipo tipo = Tipo::Text, int tamano = 0);
  Field(const Field&) = default;
  // On a recordset field, assigns the other field's value; on a definition,
  // copies the definition.
  Field& operator=(const Field& otro);

  std::string Name() const;
  Tipo Type() const;
  int Size() const;  // characters for Text; bytes of the type otherwise
  bool AllowZeroLength() const;
  // Definitions only, before the field is appended.
  void SetName(std::string nombre);
  void SetType(Tipo tipo);
  void SetSize(int tamano);
  // Error errOperacionNoValida on a field that is not Text.
  void SetAllowZeroLength(bool permitir);

  // Recordset fields only. Reading with no current record, or writing
  // outside AddNew/Edit, is error 3021/3020. Writing converts the value to
  // the column type and refuses (Error) what does not fit.
  Variant Value() const;
  void SetValue(const Variant& v);
  Field& operator=(const Variant& v) {
    SetValue(v);
    return *this;
  }
  operator Variant() const { return Value(); }
  bool IsNull() const { return Value().IsNull(); }
  bool CBool() const { return Value().CBool(); }
  std::int32_t CLng() const { return Value().CLng(); }
  double CDbl() const { return Value().CDbl(); }
  Fecha CDate() const { return Value().CDate(); }
  std::string CStr() const { return Value().CStr(); }

 private:
  friend class Fields;
  friend class Recordset;
  friend class TableDef;
  // Definition data (used when rs_ is empty).
  std::string nombre_;
  Tipo tipo_ = Tipo::Text;
  int tamano_ = 0;
  bool permiteVacio_ = false;
  // Recordset binding.
  std::shared_ptr<detalle::RecordsetImpl> rs_;
  int indice_ = -1;
};

// The fields of a TableDef or of a Recordset, in column order.
class Fields {
 public:
  int Count() const;
  Field operator[](int indice) const;               // error 3265 outside range
  Field operator[](std::string_view nombre) const;  // ignoring case; 3265
  Field operator()(int indice) const { return (*this)[indice]; }
  Field operator()(std::string_view nombre) const { return (*this)[nombre]; }
  // TableDef only: appends at the end (an existing table gets a new last
  // column; rows already there read Null, or False for a Boolean).
  void Append(const Field& campo);

 private:
  friend class TableDef;
  friend class Recordset;
  std::shared_ptr<detalle::TableDefImpl> td_;
  std::shared_ptr<detalle::RecordsetImpl> rs_;
};

// -------------------------------------------------------------- tabledefs

class TableDef {
 public:
  TableDef() = default;
  std::string Name() const;
  void SetName(std::string nombre);  // before Append only
  dao::Fields Fields() const;
  // Makes a definition; nothing is written until Fields.Append (existing
  // table) or TableDefs.Append (new table).
  Field CreateField(std::string nombre = "", Tipo tipo = Tipo::Text, int tamano = 0) const;
  // Names of the indexes of an existing table.
  std::vector<std::string> Indexes() const;

 private:
  friend class Database;
  friend class TableDefs;
  friend class Fields;
  std::shared_ptr<detalle::TableDefImpl> impl_;
};

class TableDefs {
 public:
  int Count() const;
  TableDef operator[](int indice) const;               // error 3265
  TableDef operator[](std::string_view nombre) const;  // ignoring case; 3265
  TableDef operator()(int indice) const { return (*this)[indice]; }
  TableDef operator()(std::string_view nombre) const { return (*this)[nombre]; }
  bool Existe(std::string_view nombre) const;
  // Creates the table of a new definition with its fields (error 3010 when
  // one of that name exists; a definition with no field is refused).
  void Append(const TableDef& td);
  // Drops a table (error 3265 when absent).
  void Delete(std::string_view nombre);
  void Refresh() {}

 private:
  friend class Database;
  std::shared_ptr<detalle::Conexion> con_;
};

// ------------------------------------------------------------- recordsets

enum class TipoRecordset {
  Predeterminado,  // table name -> Tabla; "Select ..." -> Dynaset
  Tabla,           // a whole table; supports Index and Seek
  Dynaset,         // updatable set over one table ("Select * From T ...")
  Snapshot,        // read-only
};

class Recordset {
 public:
  Recordset() = default;

  // A set opened or cloned stands on its first row (Bof and Eof both true
  // when it is empty). MoveFirst/MoveLast on an empty set, MoveNext at Eof
  // and MovePrevious at Bof are error 3021. A move drops a pending edit.
  bool Eof() const;
  bool Bof() const;
  void MoveFirst();
  void MoveNext();
  void MovePrevious();
  void MoveLast();
  // Rows in the set (after MoveLast as well as before).
  int RecordCount() const;

  // Positions on the first row, in the set's order, that meets the
  // criterion; NoMatch tells a miss, which leaves the position unchanged.
  // A "?" in the criterion takes the next value of `parametros`.
  void FindFirst(std::string_view criterio, const std::vector<Variant>& parametros = {});
  void FindNext(std::string_view criterio, const std::vector<Variant>& parametros = {});
  bool NoMatch() const;

  // Table recordsets: the index to move and seek by (by name, ignoring
  // case). Rows then come in index order, starting at the first.
  void SetIndex(std::string_view nombre);
  std::string Index() const;
  // Seek "=" (also "<", "<=", ">", ">=") on the current index; texts compare
  // without regard to case. A miss sets NoMatch and leaves no current row.
  void Seek(std::string_view comparacion, const std::vector<Variant>& claves);
  void Seek(std::string_view comparacion, const Variant& clave);

  // AddNew/Edit open a copy buffer; Update writes it (committed at once
  // unless a transaction is open) and is visible to sets opened later.
  // After Update of an AddNew the position stays where it was; the new row
  // joins the end of the set. Edit or Delete with no current record is
  // error 3021. AddNew/Edit drop an edit still pending; a refused Update
  // keeps the buffer (fix a value and Update again, or CancelUpdate).
  void AddNew();
  void Edit();
  void Update();
  void CancelUpdate();
  void Delete();  // the position stays on the deleted row until a move
  // Kept for callers that set it; SQLite locks the file while it writes.
  void SetLockEdits(bool pesimista) { bloqueoPesimista_ = pesimista; }
  bool LockEdits() const { return bloqueoPesimista_; }
  enum class ModoEdicion { Ninguno, Edicion, Alta };
  ModoEdicion EditMode() const;

  // An independent cursor over the same rows (positioned on the first).
  Recordset Clone() const;
  void Close();
  bool Abierto() const;

  // Fields in the table's column order (a projection: in the listed order).
  dao::Fields Fields() const;
  Field Fields(int indice) const { return (*this)[indice]; }
  Field Fields(std::string_view nombre) const { return (*this)[nombre]; }
  Field operator[](int indice) const;               // error 3265 outside range
  Field operator[](std::string_view nombre) const;  // ignoring case; 3265
  Field operator[](const char* nombre) const { return (*this)[std::string_view(nombre)]; }

 private:
  friend class Database;
  std::shared_ptr<detalle::RecordsetImpl> impl_;
  bool bloqueoPesimista_ = true;
};

// ------------------------------------------------------------- databases

class Database {
 public:
  Database() = default;

  // The file name as given, resolved without regard to letter case in its
  // folder (the last component only).
  std::string Name() const;
  void Close();
  bool Abierta() const;

  // Runs a statement: "DELETE FROM T [Where criterion]" in the dialect;
  // any other text is passed to SQLite as it is. A "?" takes the next value.
  void Execute(std::string_view sql, const std::vector<Variant>& parametros = {});
  // Rows changed by the last Execute.
  int RecordsAffected() const;

  // A table name (any case) or a "Select" text:
  //   Select <* | col, col...> From T [Where criterion]
  //          [Order By col [Asc|Desc], ...]
  Recordset OpenRecordset(std::string_view origen, TipoRecordset tipo = TipoRecordset::Predeterminado,
                          const std::vector<Variant>& parametros = {});
  Recordset OpenRecordset(std::string_view origen, const std::vector<Variant>& parametros) {
    return OpenRecordset(origen, TipoRecordset::Predeterminado, parametros);
  }

  dao::TableDefs TableDefs() const;
  TableDef CreateTableDef(std::string nombre = "") const;
  // Makes an index (for reference data; the contest tables have none).
  void CreateIndex(std::string_view tabla, std::string_view nombre, const std::vector<std::string>& columnas,
                   bool unico = false);

  // A stamp of what the database holds: two stamps of the same connection
  // are equal only when nothing was written in between, through this
  // connection (rows or layout) or through any other. A stamp taken inside
  // a transaction equals none, since what it saw may yet be rolled back.
  struct SelloContenido {
    std::weak_ptr<const void> conexion;  // a stamp of a closed connection matches none
    std::int64_t cambios = -1, datos = -1, esquema = -1;
    bool fueraDeTransaccion = false;
    bool operator==(const SelloContenido& otro) const {
      return fueraDeTransaccion && otro.fueraDeTransaccion && !conexion.expired() &&
             !conexion.owner_before(otro.conexion) && !otro.conexion.owner_before(conexion) &&
             cambios == otro.cambios && datos == otro.datos && esquema == otro.esquema;
    }
  };
  SelloContenido Sello() const;

  // All-or-nothing work. Nested BeginTrans are not supported (error 3219).
  void BeginTrans();
  void CommitTrans();
  void Rollback();
  bool EnTransaccion() const;

 private:
  friend Database OpenDatabase(const std::string& ruta);
  friend Database CreateDatabase(const std::string& ruta);
  std::shared_ptr<detalle::Conexion> con_;
};

// Opens an existing database file, shared, read and write. The last path
// component is found without regard to letter case. A missing file is
// error 3024, a file that is not a database error 3343. Never creates.
Database OpenDatabase(const std::string& ruta);
// Creates a new empty database file (error 3010 when the file exists).
// For setup programs and tests.
Database CreateDatabase(const std::string& ruta);

}  // namespace dao

// Connections, statements, schema and column values of the database layer.
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <limits>

#include "plataforma/dao_interno.h"
#include "plataforma/dao_guardado.h"

namespace dao::detalle {

void FuncionComo(sqlite3_context* ctx, int, sqlite3_value** argv);
int ColacionSinCaso(void*, int na, const void* a, int nb, const void* b);

// ------------------------------------------------------------ connection

Conexion::~Conexion() { Cierra(); }

void Conexion::Cierra() {
  for (auto& [sql, st] : cache) sqlite3_finalize(st);
  cache.clear();
  ++generacion;
  tablas.clear();
  tablasCargadas = false;
  if (db) sqlite3_close_v2(db);
  db = nullptr;
}

void Conexion::Comprueba() const {
  if (!db) throw Error(errBaseDeDatosCerrada, "La base de datos está cerrada");
}

void Conexion::Falla(int rc) const {
  std::string texto = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  int base = rc & 0xFF;
  if (base == SQLITE_NOTADB) throw Error(errNoEsBaseDeDatos, "El fichero " + nombre + " no es una base de datos");
  if (base == SQLITE_CONSTRAINT)
    throw Error(errValorDuplicado, "Los cambios crearían valores duplicados en un índice de " + nombre + ": " + texto);
  if (base == SQLITE_BUSY || base == SQLITE_LOCKED)
    throw Error(errMotor, "La base de datos " + nombre + " está bloqueada: " + texto);
  throw Error(errMotor, "Error de la base de datos " + nombre + ": " + texto);
}

sqlite3_stmt* Conexion::Prepara(const std::string& sql) {
  Comprueba();
  auto it = cache.find(sql);
  if (it != cache.end()) return it->second;
  sqlite3_stmt* st = nullptr;
  int rc = sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &st,
                              nullptr);
  if (rc != SQLITE_OK) Falla(rc);
  if (!st) throw Error(errSintaxis, "Sentencia vacía");
  if (cache.size() > 2000) {  // keep the cache bounded
    for (auto& [s, p] : cache) sqlite3_finalize(p);
    cache.clear();
    ++generacion;
  }
  cache.emplace(sql, st);
  return st;
}

sqlite3_stmt* Conexion::Prepara(const std::string& sql, SentenciaGuardada& guardada) {
  Comprueba();
  if (guardada.st && guardada.generacion == generacion) return guardada.st;
  guardada.st = Prepara(sql);
  guardada.generacion = generacion;
  return guardada.st;
}

void Conexion::Ejecuta(const std::string& sql) {
  Comprueba();
  char* msg = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg);
  if (rc != SQLITE_OK) {
    std::string texto = msg ? msg : sqlite3_errstr(rc);
    sqlite3_free(msg);
    if ((rc & 0xFF) == SQLITE_NOTADB)
      throw Error(errNoEsBaseDeDatos, "El fichero " + nombre + " no es una base de datos");
    throw Error(errMotor, "Error de la base de datos " + nombre + ": " + texto);
  }
}

void Conexion::EsquemaCambiado() {
  tablas.clear();
  tablasCargadas = false;
}

std::int64_t Conexion::VersionEsquema() {
  Sentencia s(*this, "PRAGMA schema_version");
  return s.Paso() ? sqlite3_column_int64(s.st(), 0) : -1;
}

// The tables are read again when the schema changed, here or through
// another connection to the same file.
void Conexion::CargaTablas() {
  Comprueba();
  std::int64_t version = VersionEsquema();
  if (tablasCargadas && version == versionEsquema) return;
  versionEsquema = version;
  tablas.clear();
  std::vector<std::string> nombres;
  {
    Sentencia s(*this, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
    while (s.Paso()) nombres.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s.st(), 0)));
  }
  for (const std::string& n : nombres) {
    auto t = std::make_shared<Tabla>();
    t->nombre = n;
    sqlite3_stmt* st = nullptr;
    std::string sql = "PRAGMA table_info(" + Cita(n) + ")";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) Falla(SQLITE_ERROR);
    while (sqlite3_step(st) == SQLITE_ROW) {
      Columna c;
      c.nombre = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
      const unsigned char* decl = sqlite3_column_text(st, 2);
      LeeTipoDeclarado(decl ? reinterpret_cast<const char*>(decl) : "", c);
      const char* tipo = nullptr;
      const char* colacion = nullptr;
      if (sqlite3_table_column_metadata(db, nullptr, n.c_str(), c.nombre.c_str(), &tipo, &colacion, nullptr,
                                        nullptr, nullptr) == SQLITE_OK &&
          colacion)
        c.colacionPropia = IgualesSinCaso(colacion, kColacion);
      t->columnas.push_back(std::move(c));
    }
    sqlite3_finalize(st);
    tablas[Minusculas(n)] = std::move(t);
  }
  tablasCargadas = true;
}

std::shared_ptr<Tabla> Conexion::BuscaTabla(std::string_view nombre) {
  if (nombre.size() >= 2 && nombre.front() == '[' && nombre.back() == ']') nombre = nombre.substr(1, nombre.size() - 2);
  CargaTablas();
  auto it = tablas.find(Minusculas(nombre));
  if (it != tablas.end()) return it->second;
  for (auto& [k, t] : tablas)  // letters beyond ASCII
    if (IgualesSinCaso(k, nombre)) return t;
  return nullptr;
}

std::shared_ptr<Tabla> Conexion::Tabla_(std::string_view nombre) {
  auto t = BuscaTabla(nombre);
  if (!t) throw Error(errTablaNoEncontrada, "No se encuentra la tabla o consulta '" + std::string(nombre) + "'");
  return t;
}

std::vector<std::string> Conexion::NombresTablas() {
  CargaTablas();
  std::vector<std::string> r;
  for (auto& [k, t] : tablas) r.push_back(t->nombre);
  return r;
}

int Tabla::Busca(std::string_view n) const {
  for (size_t i = 0; i < columnas.size(); ++i)
    if (IgualesSinCaso(columnas[i].nombre, n)) return static_cast<int>(i);
  return -1;
}

// ------------------------------------------------------------- statements

Sentencia::Sentencia(Conexion& con, const std::string& sql) : con_(con), st_(con.Prepara(sql)) {}

Sentencia::Sentencia(Conexion& con, const std::string& sql, SentenciaGuardada& guardada)
    : con_(con), st_(con.Prepara(sql, guardada)) {}

Sentencia::~Sentencia() {
  sqlite3_reset(st_);
  sqlite3_clear_bindings(st_);
}

void Sentencia::EnlazaEntero(int i, std::int64_t v) { sqlite3_bind_int64(st_, i, v); }

void Sentencia::Enlaza(int i, const Variant& v) {
  int rc = SQLITE_OK;
  switch (v.clase()) {
    case Variant::Clase::Null: rc = sqlite3_bind_null(st_, i); break;
    case Variant::Clase::Boolean: rc = sqlite3_bind_int(st_, i, v.CBool() ? -1 : 0); break;
    case Variant::Clase::Long: rc = sqlite3_bind_int64(st_, i, v.CLng64()); break;
    case Variant::Clase::Double: rc = sqlite3_bind_double(st_, i, v.CDbl()); break;
    case Variant::Clase::Date: {
      std::string t = v.CDate().Texto();
      rc = sqlite3_bind_text(st_, i, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
      break;
    }
    case Variant::Clase::Text: {
      const std::string& t = v.Str();
      rc = sqlite3_bind_text(st_, i, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
      break;
    }
  }
  if (rc != SQLITE_OK) con_.Falla(rc);
}

void Sentencia::EnlazaPrestado(int i, const Variant& v) {
  if (v.clase() != Variant::Clase::Text) return Enlaza(i, v);
  const std::string& t = v.Str();
  int rc = sqlite3_bind_text(st_, i, t.data(), static_cast<int>(t.size()), SQLITE_STATIC);
  if (rc != SQLITE_OK) con_.Falla(rc);
}

void Sentencia::Enlaza(const std::vector<Variant>& valores, int desde) {
  for (size_t i = 0; i < valores.size(); ++i) Enlaza(desde + static_cast<int>(i), valores[i]);
}

bool Sentencia::Paso() {
  int rc = sqlite3_step(st_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  con_.Falla(rc);
}

// ------------------------------------------------------------ column types

std::string TipoDeclarado(Tipo tipo, int tamano, bool permiteVacio) {
  switch (tipo) {
    case Tipo::Boolean: return "BOOLEAN";
    case Tipo::Integer: return "INTEGER16";
    case Tipo::Long: return "LONG";
    case Tipo::Double: return "DOUBLE";
    case Tipo::Date: return "DATE";
    case Tipo::Text: {
      int n = tamano > 0 ? tamano : kTamanoTextoPorDefecto;
      return (permiteVacio ? "TEXT(" : "TEXT NONEMPTY(") + std::to_string(n) + ")";
    }
  }
  return "TEXT";
}

int TamanoDeTipo(Tipo tipo, int tamanoTexto) {
  switch (tipo) {
    case Tipo::Boolean: return 1;
    case Tipo::Integer: return 2;
    case Tipo::Long: return 4;
    case Tipo::Double: return 8;
    case Tipo::Date: return 8;
    case Tipo::Text: return tamanoTexto;
  }
  return 0;
}

void LeeTipoDeclarado(std::string_view declarado, Columna& col) {
  std::string d = Minusculas(declarado);
  std::string base = d.substr(0, d.find('('));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  int tamano = 0;
  size_t par = d.find('(');
  if (par != std::string::npos) tamano = std::atoi(d.c_str() + par + 1);
  col.permiteVacio = true;
  col.tamano = 0;
  if (base == "boolean" || base == "bit" || base == "yesno" || base == "logical") {
    col.tipo = Tipo::Boolean;
  } else if (base == "integer16" || base == "short" || base == "smallint") {
    col.tipo = Tipo::Integer;
  } else if (base == "long" || base == "integer" || base == "int" || base == "integer32") {
    col.tipo = Tipo::Long;
  } else if (base == "double" || base == "real" || base == "float") {
    col.tipo = Tipo::Double;
  } else if (base == "date" || base == "datetime") {
    col.tipo = Tipo::Date;
  } else {
    col.tipo = Tipo::Text;
    col.permiteVacio = base.find("nonempty") == std::string::npos;
    col.tamano = tamano > 0 ? tamano : 255;
  }
}

// ----------------------------------------------------------------- values

Variant LeeValor(sqlite3_stmt* st, int i, const Columna& col) {
  int tipo = sqlite3_column_type(st, i);
  if (tipo == SQLITE_NULL) return col.tipo == Tipo::Boolean ? Variant(false) : Variant();
  switch (col.tipo) {
    case Tipo::Boolean:
      if (tipo == SQLITE_INTEGER || tipo == SQLITE_FLOAT) return Variant(sqlite3_column_double(st, i) != 0);
      break;
    case Tipo::Integer:
    case Tipo::Long:
      if (tipo == SQLITE_INTEGER) return Variant(static_cast<long long>(sqlite3_column_int64(st, i)));
      if (tipo == SQLITE_FLOAT) return Variant(sqlite3_column_double(st, i));
      break;
    case Tipo::Double:
      if (tipo == SQLITE_INTEGER || tipo == SQLITE_FLOAT) return Variant(sqlite3_column_double(st, i));
      break;
    case Tipo::Date:
      if (tipo == SQLITE_TEXT) {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        if (auto f = Fecha::Desde(t ? t : "")) return Variant(*f);
      }
      break;
    case Tipo::Text: break;
  }
  if (tipo == SQLITE_INTEGER && col.tipo != Tipo::Text)
    return Variant(static_cast<long long>(sqlite3_column_int64(st, i)));
  if (tipo == SQLITE_FLOAT && col.tipo != Tipo::Text) return Variant(sqlite3_column_double(st, i));
  const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
  return Variant(std::string(t ? t : "", static_cast<size_t>(sqlite3_column_bytes(st, i))));
}

namespace {

[[noreturn]] void NoConvertible(const Variant& v, const Columna& col) {
  throw Error(errConversionDeDatos,
              "Error de conversión de datos: '" + v.CStr() + "' no vale para el campo '" + col.nombre + "'");
}

[[noreturn]] void FueraDeRango(const Variant& v, const Columna& col) {
  throw Error(errDesbordamientoNumerico,
              "Desbordamiento del campo numérico '" + col.nombre + "' con el valor " + v.CStr());
}

size_t Caracteres(std::string_view t) {
  size_t n = 0;
  for (unsigned char c : t)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

// Refuses a text its column cannot hold.
void CompruebaTexto(std::string_view t, const Columna& col) {
  if (t.empty() && !col.permiteVacio)
    throw Error(errCadenaVacia, "El campo '" + col.nombre + "' no puede ser una cadena de longitud cero");
  // A text holds no more characters than bytes: only a long one is counted.
  if (col.tamano > 0 && t.size() > static_cast<size_t>(col.tamano) && Caracteres(t) > static_cast<size_t>(col.tamano))
    throw Error(errCampoDemasiadoPequeno, "El campo '" + col.nombre + "' es demasiado pequeño para el valor '" + std::string(t) +
                                              "' (admite " + std::to_string(col.tamano) + " caracteres)");
}

}  // namespace

Variant ConvierteParaColumna(const Variant& v, const Columna& col) {
  using C = Variant::Clase;
  switch (col.tipo) {
    case Tipo::Boolean: {
      if (v.IsNull()) return Variant(0);
      if (v.clase() == C::Date) NoConvertible(v, col);
      if (v.clase() == C::Text) {
        auto b = BooleanoDeTexto(v.Str());
        if (!b) NoConvertible(v, col);
        return Variant(*b ? -1 : 0);
      }
      return Variant(v.CBool() ? -1 : 0);
    }
    case Tipo::Integer:
    case Tipo::Long: {
      if (v.IsNull()) return v;
      if (v.clase() == C::Date) NoConvertible(v, col);
      double d = 0;
      if (v.clase() == C::Text) {
        auto n = NumeroDeTexto(v.Str());
        if (!n) NoConvertible(v, col);
        d = *n;
      } else {
        d = v.CDbl();
      }
      if (!(d > -9.2e18 && d < 9.2e18)) FueraDeRango(v, col);
      std::int64_t n = v.clase() == C::Long ? v.CLng64() : RedondeoPar(d);
      std::int64_t lo = col.tipo == Tipo::Integer ? -32768 : std::numeric_limits<std::int32_t>::min();
      std::int64_t hi = col.tipo == Tipo::Integer ? 32767 : std::numeric_limits<std::int32_t>::max();
      if (n < lo || n > hi) FueraDeRango(v, col);
      return Variant(static_cast<long long>(n));
    }
    case Tipo::Double: {
      if (v.IsNull()) return v;
      if (v.clase() == C::Date) NoConvertible(v, col);
      if (v.clase() == C::Text) {
        auto n = NumeroDeTexto(v.Str());
        if (!n) NoConvertible(v, col);
        return Variant(*n);
      }
      return Variant(v.CDbl());
    }
    case Tipo::Date: {
      if (v.IsNull()) return v;
      if (v.clase() == C::Date) return Variant(v.CDate().Texto());
      if (v.clase() == C::Text) {
        auto f = Fecha::Desde(v.Str());
        if (!f) NoConvertible(v, col);
        return Variant(f->Texto());
      }
      NoConvertible(v, col);
    }
    case Tipo::Text: {
      if (v.IsNull()) return v;
      if (v.clase() == C::Text) {
        CompruebaTexto(v.Str(), col);
        return v;
      }
      std::string t = v.clase() == C::Boolean ? (v.CBool() ? "-1" : "0") : v.CStr();
      CompruebaTexto(t, col);
      return Variant(std::move(t));
    }
  }
  return v;
}

}  // namespace dao::detalle

namespace dao {

ColumnaGuardada::ColumnaGuardada(const Field& columna) {
  auto col = std::make_shared<detalle::Columna>();
  col->nombre = columna.Name();
  col->tipo = columna.Type();
  col->tamano = col->tipo == Tipo::Text ? columna.Size() : 0;
  col->permiteVacio = columna.AllowZeroLength();
  col_ = std::move(col);
}

Variant ColumnaGuardada::Guarda(const Variant& valor) const {
  const detalle::Columna& col = *col_;
  Variant v = detalle::ConvierteParaColumna(valor, col);
  // As the value comes back from its column (LeeValor): a date is kept as
  // its text and read as a date; a Boolean as a number read as a Boolean.
  if (v.IsNull()) return col.tipo == Tipo::Boolean ? Variant(false) : v;
  if (col.tipo == Tipo::Date)
    if (auto f = Fecha::Desde(v.Str())) return Variant(*f);
  if (col.tipo == Tipo::Boolean) return Variant(v.CDbl() != 0);
  return v;
}

bool ColumnaGuardada::GuardaTextoIgual(std::string_view texto) const {
  const detalle::Columna& col = *col_;
  if (col.tipo != Tipo::Text) return false;
  detalle::CompruebaTexto(texto, col);
  return true;
}

}  // namespace dao

namespace dao::detalle {

// ----------------------------------------------------------------- opening

namespace {

// The file as given or, failing that, the one in the same folder whose name
// differs only in letter case.
std::string ResuelveNombre(const std::string& ruta) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(ruta, ec)) return ruta;
  fs::path p(ruta);
  fs::path carpeta = p.has_parent_path() ? p.parent_path() : fs::path(".");
  std::string nombre = p.filename().string();
  for (auto it = fs::directory_iterator(carpeta, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string n = it->path().filename().string();
    if (IgualesSinCaso(n, nombre)) return p.has_parent_path() ? (carpeta / n).string() : n;
  }
  return ruta;
}

std::shared_ptr<Conexion> Abre(const std::string& ruta, bool crear) {
  auto con = std::make_shared<Conexion>();
  con->nombre = ruta;
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
  if (crear) flags |= SQLITE_OPEN_CREATE;
  int rc = sqlite3_open_v2(ruta.c_str(), &con->db, flags, nullptr);
  if (rc != SQLITE_OK) {
    std::string texto = con->db ? sqlite3_errmsg(con->db) : sqlite3_errstr(rc);
    if (con->db) sqlite3_close_v2(con->db);
    con->db = nullptr;
    throw Error(errMotor, "No se puede abrir la base de datos " + ruta + ": " + texto);
  }
  sqlite3_extended_result_codes(con->db, 1);
  sqlite3_busy_timeout(con->db, 5000);
  sqlite3_create_collation(con->db, kColacion, SQLITE_UTF8, nullptr, ColacionSinCaso);
  sqlite3_create_function(con->db, "trv_like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, FuncionComo,
                          nullptr, nullptr);
  con->CargaTablas();  // fails on a file that is not a database
  return con;
}

}  // namespace

}  // namespace dao::detalle

namespace dao {

Database OpenDatabase(const std::string& ruta) {
  std::string real = detalle::ResuelveNombre(ruta);
  struct stat st {};
  if (::stat(real.c_str(), &st) != 0)
    throw Error(errFicheroNoEncontrado, "No se encuentra la base de datos '" + ruta + "'");
  if (!S_ISREG(st.st_mode) || st.st_size == 0)
    throw Error(errNoEsBaseDeDatos, "El fichero '" + ruta + "' no es una base de datos");
  Database db;
  db.con_ = detalle::Abre(real, false);
  return db;
}

Database CreateDatabase(const std::string& ruta) {
  std::error_code ec;
  if (std::filesystem::exists(ruta, ec)) throw Error(errTablaYaExiste, "La base de datos '" + ruta + "' ya existe");
  Database db;
  db.con_ = detalle::Abre(ruta, true);
  // Write the header now, so the file is a database even while empty.
  db.con_->Ejecuta("PRAGMA user_version = 1");
  return db;
}

}  // namespace dao

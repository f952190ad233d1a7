#include "rules/resumen_cabrillo_bd.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <vector>

namespace rules {
namespace {

bool IgualSinCaso(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

std::string Entrecomillado(std::string_view nombre) {
  std::string r = "\"";
  for (char c : nombre) {
    if (c == '"') r += '"';
    r += c;
  }
  return r + "\"";
}

// One connection, closed by the destructor.
class Conexion {
 public:
  explicit Conexion(const std::string& ruta) {
    if (sqlite3_open_v2(ruta.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      std::string texto = db_ ? sqlite3_errmsg(db_) : "sin memoria";
      sqlite3_close(db_);
      throw ErrorResumenCabrillo("No se puede abrir la base de datos " + ruta + ": " + texto);
    }
    sqlite3_busy_timeout(db_, 2000);
  }
  ~Conexion() { sqlite3_close(db_); }
  Conexion(const Conexion&) = delete;
  Conexion& operator=(const Conexion&) = delete;

  sqlite3_stmt* Prepara(const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) Falla();
    return st;
  }
  [[noreturn]] void Falla() { throw ErrorResumenCabrillo(sqlite3_errmsg(db_)); }
  sqlite3* db() { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

struct Sentencia {
  sqlite3_stmt* st;
  ~Sentencia() { sqlite3_finalize(st); }
};

// A column to write: its name and how it binds.
struct Valor {
  std::string nombre;
  std::function<void(sqlite3_stmt*, int)> enlaza;
};

std::vector<Valor> ValoresDe(const ResumenCabrillo& fila) {
  std::vector<Valor> v;
  auto logico = [&](std::string_view nombre, bool b) {
    v.push_back({std::string(nombre), [b](sqlite3_stmt* st, int i) { sqlite3_bind_int(st, i, b ? -1 : 0); }});
  };
  auto entero = [&](std::string_view nombre, int n) {
    v.push_back({std::string(nombre), [n](sqlite3_stmt* st, int i) { sqlite3_bind_int(st, i, n); }});
  };
  auto texto = [&](std::string_view nombre, const std::string& t) {
    v.push_back({std::string(nombre), [t](sqlite3_stmt* st, int i) {
                   sqlite3_bind_text(st, i, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
                 }});
  };
  for (std::size_t i = 0; i < kNumeroColumnasCategoria; ++i) logico(ColumnasCategoria()[i].campo, fila.categorias[i]);
  for (std::size_t i = 0; i < 8; ++i) logico(CamposElemento()[i], fila.elementos[i]);
  for (std::size_t i = 0; i < 10; ++i) entero(CamposColumna()[i], fila.columnas[i]);
  texto("EMailConcurso", fila.EMailConcurso);
  texto("AsuntoConcurso", fila.AsuntoConcurso);
  if (fila.PuntosRecibidos) logico("PuntosRecibidos", *fila.PuntosRecibidos);
  if (fila.PuntosEnviados) logico("PuntosEnviados", *fila.PuntosEnviados);
  if (fila.MisPuntos) entero("MisPuntos", *fila.MisPuntos);
  if (fila.SusPuntos) entero("SusPuntos", *fila.SusPuntos);
  return v;
}

// rowid of the contest's first row, or nullopt.
std::optional<sqlite3_int64> PrimeraFila(Conexion& c, std::int32_t numero) {
  Sentencia s{c.Prepara("SELECT rowid FROM ResumenCabrillo WHERE NumeroOrden = ? ORDER BY rowid LIMIT 1")};
  sqlite3_bind_int(s.st, 1, numero);
  int r = sqlite3_step(s.st);
  if (r == SQLITE_ROW) return sqlite3_column_int64(s.st, 0);
  if (r != SQLITE_DONE) c.Falla();
  return std::nullopt;
}

}  // namespace

std::string RutaBaseConcursos(const std::string& carpetaTrabajo) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (const auto& entrada : fs::directory_iterator(carpetaTrabajo, ec)) {
    if (IgualSinCaso(entrada.path().filename().string(), "Ledrima")) return entrada.path().string();
  }
  return (fs::path(carpetaTrabajo) / "Ledrima").string();
}

std::optional<ResumenCabrillo> CargaResumenCabrillo(const std::string& carpetaTrabajo, std::int32_t numero) {
  Conexion c(RutaBaseConcursos(carpetaTrabajo));
  auto rowid = PrimeraFila(c, numero);
  if (!rowid) return std::nullopt;
  Sentencia s{c.Prepara("SELECT * FROM ResumenCabrillo WHERE rowid = ?")};
  sqlite3_bind_int64(s.st, 1, *rowid);
  if (sqlite3_step(s.st) != SQLITE_ROW) c.Falla();

  const int n = sqlite3_column_count(s.st);
  auto columna = [&](std::string_view nombre) -> int {
    for (int i = 0; i < n; ++i) {
      if (IgualSinCaso(sqlite3_column_name(s.st, i), nombre)) return i;
    }
    throw ErrorResumenCabrillo("La tabla ResumenCabrillo no tiene la columna " + std::string(nombre));
  };
  auto nulo = [&](int i) { return sqlite3_column_type(s.st, i) == SQLITE_NULL; };
  auto logico = [&](std::string_view nombre) {
    int i = columna(nombre);
    return !nulo(i) && sqlite3_column_int64(s.st, i) != 0;
  };
  auto entero = [&](std::string_view nombre) { return sqlite3_column_int(s.st, columna(nombre)); };
  auto texto = [&](std::string_view nombre) {
    int i = columna(nombre);
    const unsigned char* t = sqlite3_column_text(s.st, i);
    return t ? std::string(reinterpret_cast<const char*>(t), static_cast<std::size_t>(sqlite3_column_bytes(s.st, i)))
             : std::string();
  };

  ResumenCabrillo fila;
  for (std::size_t i = 0; i < kNumeroColumnasCategoria; ++i) fila.categorias[i] = logico(ColumnasCategoria()[i].campo);
  for (std::size_t i = 0; i < 8; ++i) fila.elementos[i] = logico(CamposElemento()[i]);
  for (std::size_t i = 0; i < 10; ++i) fila.columnas[i] = entero(CamposColumna()[i]);
  fila.EMailConcurso = texto("EMailConcurso");
  fila.AsuntoConcurso = texto("AsuntoConcurso");
  for (int i = 0; i < n; ++i) {
    if (nulo(i)) continue;
    std::string_view nombre = sqlite3_column_name(s.st, i);
    if (IgualSinCaso(nombre, "PuntosRecibidos")) fila.PuntosRecibidos = sqlite3_column_int64(s.st, i) != 0;
    if (IgualSinCaso(nombre, "PuntosEnviados")) fila.PuntosEnviados = sqlite3_column_int64(s.st, i) != 0;
    if (IgualSinCaso(nombre, "MisPuntos")) fila.MisPuntos = sqlite3_column_int(s.st, i);
    if (IgualSinCaso(nombre, "SusPuntos")) fila.SusPuntos = sqlite3_column_int(s.st, i);
  }
  return fila;
}

void GrabaResumenCabrillo(const std::string& carpetaTrabajo, std::int32_t numero, const ResumenCabrillo& fila) {
  Conexion c(RutaBaseConcursos(carpetaTrabajo));
  std::vector<Valor> valores = ValoresDe(fila);
  auto rowid = PrimeraFila(c, numero);
  std::string sql;
  if (rowid) {
    sql = "UPDATE ResumenCabrillo SET ";
    for (std::size_t i = 0; i < valores.size(); ++i) sql += (i ? ", " : "") + Entrecomillado(valores[i].nombre) + " = ?";
    sql += " WHERE rowid = ?";
  } else {
    sql = "INSERT INTO ResumenCabrillo (\"NumeroOrden\"";
    for (const Valor& v : valores) sql += ", " + Entrecomillado(v.nombre);
    sql += ") VALUES (?";
    for (std::size_t i = 0; i < valores.size(); ++i) sql += ", ?";
    sql += ")";
  }
  Sentencia s{c.Prepara(sql)};
  int i = 1;
  if (!rowid) sqlite3_bind_int(s.st, i++, numero);
  for (const Valor& v : valores) v.enlaza(s.st, i++);
  if (rowid) sqlite3_bind_int64(s.st, i++, *rowid);
  if (sqlite3_step(s.st) != SQLITE_DONE) c.Falla();
}

}  // namespace rules

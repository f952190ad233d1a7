#include "soporte_formato.h"

#include <sqlite3.h>

#include <stdexcept>

#include "database/creacion.h"

namespace prueba {
namespace {

struct Base {
  sqlite3* db = nullptr;
  explicit Base(const std::string& ruta, int modo) {
    if (sqlite3_open_v2(ruta.c_str(), &db, modo, nullptr) != SQLITE_OK) throw std::runtime_error("base");
  }
  ~Base() { sqlite3_close(db); }
};

}  // namespace

CarpetaConBase::CarpetaConBase() { database::CreaBaseConcursosVacia(RutaBase()); }

std::string CarpetaConBase::Ruta() const { return dir_.path().toStdString(); }
std::string CarpetaConBase::RutaBase() const { return Ruta() + "/Ledrima"; }

void CarpetaConBase::Ejecuta(const std::string& sql) const {
  Base b(RutaBase(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  char* error = nullptr;
  if (sqlite3_exec(b.db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string texto = error ? error : "?";
    sqlite3_free(error);
    throw std::runtime_error(texto);
  }
}

std::vector<FilaTexto> CarpetaConBase::Filas() const {
  Base b(RutaBase(), SQLITE_OPEN_READONLY);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(b.db, "SELECT * FROM ResumenCabrillo ORDER BY rowid", -1, &st, nullptr);
  std::vector<FilaTexto> filas;
  while (sqlite3_step(st) == SQLITE_ROW) {
    FilaTexto fila;
    for (int i = 0; i < sqlite3_column_count(st); ++i) {
      const unsigned char* t = sqlite3_column_text(st, i);
      fila[sqlite3_column_name(st, i)] = t ? reinterpret_cast<const char*>(t) : "NULL";
    }
    filas.push_back(fila);
  }
  sqlite3_finalize(st);
  return filas;
}

}  // namespace prueba

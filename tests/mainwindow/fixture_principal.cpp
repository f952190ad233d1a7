#include "fixture_principal.h"

#include <QDir>
#include <sqlite3.h>
#include <stdexcept>

#include "mainwindow/registro_concurso.h"

namespace prueba {

CarpetaPrueba::CarpetaPrueba() : anterior_(QDir::currentPath()) {
  if (!dir_.isValid()) throw std::runtime_error("sin carpeta temporal");
  QDir::setCurrent(dir_.path());
}

CarpetaPrueba::~CarpetaPrueba() { QDir::setCurrent(anterior_); }

std::string CarpetaPrueba::Ruta() const { return dir_.path().toStdString(); }

void CarpetaPrueba::Ejecuta(const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open((Ruta() + "/Ledrima").c_str(), &db) != SQLITE_OK) throw std::runtime_error("Ledrima");
  char* error = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  std::string texto = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error(texto + " en " + sql);
}

void CarpetaPrueba::CreaBases(int concursoActivo) {
  std::string sql = "CREATE TABLE Concursos (";
  bool primera = true;
  for (const principal::ColumnaConcurso& c : principal::ColumnasConcursoEditor()) {
    if (!primera) sql += ", ";
    primera = false;
    sql += "\"" + c.Nombre + "\" ";
    switch (c.Tipo) {
      case principal::TipoColumna::Booleano: sql += "BOOLEAN"; break;
      case principal::TipoColumna::Entero32: sql += "INTEGER"; break;
      case principal::TipoColumna::Fecha: sql += "DATE"; break;
      default: sql += "TEXT(" + std::to_string(c.Tamano) + ")"; break;
    }
  }
  sql += "); CREATE TABLE ControlConcursos (ConcursoActivo INTEGER, UltimoConcurso INTEGER);";
  Ejecuta(sql);
  if (concursoActivo >= 0)
    Ejecuta("INSERT INTO ControlConcursos VALUES (" + std::to_string(concursoActivo) + ", 9);");
  sqlite3* db = nullptr;
  sqlite3_open((Ruta() + "/Terravia").c_str(), &db);
  sqlite3_exec(db, "CREATE TABLE Dxcc (Dxcc TEXT, Waz TEXT, Continente TEXT);", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

void CarpetaPrueba::AgregaConcurso(int numero, const std::string& nombre, const std::string& edicion,
                                   const std::vector<Columna>& otras) {
  std::string nombres = "NumeroOrden, Concurso, Edicion";
  std::string valores = std::to_string(numero) + ", '" + nombre + "', '" + edicion + "'";
  for (const Columna& c : otras) {
    nombres += ", \"" + c.Nombre + "\"";
    valores += c.Valor ? ", '" + std::string(c.Valor) + "'" : ", NULL";
  }
  Ejecuta("INSERT INTO Concursos (" + nombres + ") VALUES (" + valores + ");");
}

}  // namespace prueba

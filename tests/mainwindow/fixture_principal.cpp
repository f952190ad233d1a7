#include "fixture_principal.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "mainwindow/trovalis.h"
#include "rules/formato_cabrillo.h"

#include <gtest/gtest.h>

#include <QDir>
#include <sqlite3.h>
#include <stdexcept>

#include "common/terravia.h"
#include "database/creacion.h"
#include "database/esquema.h"
#include "mainwindow/registro_concurso.h"
#include "plataforma/dao.h"

namespace prueba {

bool AbreFormatoCabrillo(Trovalis& principal, const std::function<void(rules::FormatoCabrillo&)>& enVentana) {
  bool abierta = false;
  QTimer::singleShot(0, [&] {
    auto* w = qobject_cast<rules::FormatoCabrillo*>(QApplication::activeModalWidget());
    if (!w) return;
    abierta = true;
    enVentana(*w);
    if (w->isVisible()) w->findChild<QPushButton*>("CancelarCabrillo")->click();
  });
  Formulario(principal).ConfigurarCabrillo->click();
  return abierta;
}

Filas LeeFilas(const std::string& rutaBase, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(rutaBase.c_str(), &db);
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
    ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db);
  Filas r;
  while (st && sqlite3_step(st) == SQLITE_ROW) {
    std::vector<std::string> fila;
    for (int i = 0; i < sqlite3_column_count(st); ++i) {
      const unsigned char* t = sqlite3_column_text(st, i);
      fila.push_back(t ? reinterpret_cast<const char*>(t) : "<null>");
    }
    r.push_back(fila);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return r;
}

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

std::vector<principal::ColumnaConcurso> ColumnasConcursos() {
  std::vector<principal::ColumnaConcurso> r;
  for (const database::Columna& c : database::LayoutCompleto(database::kConcursos)) {
    principal::TipoColumna t = principal::TipoColumna::Otro;
    switch (c.tipo) {
      case database::TipoColumna::Booleano: t = principal::TipoColumna::Booleano; break;
      case database::TipoColumna::Entero: t = principal::TipoColumna::Entero16; break;
      case database::TipoColumna::Largo: t = principal::TipoColumna::Entero32; break;
      case database::TipoColumna::Doble: t = principal::TipoColumna::Doble; break;
      case database::TipoColumna::Fecha: t = principal::TipoColumna::Fecha; break;
      case database::TipoColumna::Texto: t = principal::TipoColumna::Texto; break;
    }
    r.push_back({std::string(c.nombre), t, c.tamano});
  }
  return r;
}

void CarpetaPrueba::CreaBases(int concursoActivo) {
  database::CreaBaseConcursosVacia(Ruta() + "/Ledrima");
  if (concursoActivo >= 0)
    Ejecuta("INSERT INTO ControlConcursos (ConcursoActivo, UltimoConcurso) VALUES (" +
            std::to_string(concursoActivo) + ", 9);");
  sqlite3* paises = nullptr;
  if (sqlite3_open((Ruta() + "/Terravia").c_str(), &paises) != SQLITE_OK) throw std::runtime_error("Terravia");
  CreaTablasTerravia(paises);
  sqlite3_close(paises);
}

void CarpetaPrueba::AgregaConcurso(int numero, const std::string& nombre, const std::string& edicion,
                                   const std::vector<Columna>& otras) {
  dao::Database base = dao::OpenDatabase(Ruta() + "/Ledrima");
  dao::Recordset rs = base.OpenRecordset("Concursos");
  rs.AddNew();
  rs["NumeroOrden"] = dao::Variant(numero);
  rs["Concurso"] = dao::Variant(nombre);
  rs["Edicion"] = dao::Variant(edicion);
  for (const Columna& c : otras) {
    dao::Field campo = rs[c.Nombre];
    if (!c.Valor) {
      campo = dao::Variant();
    } else if (campo.Type() == dao::Tipo::Boolean) {
      campo = dao::Variant(std::string(c.Valor) == "1");
    } else if (campo.Type() == dao::Tipo::Date) {
      campo = dao::Variant(*dao::Fecha::Desde(c.Valor));
    } else {
      campo = dao::Variant(std::string(c.Valor));
    }
  }
  rs.Update();
  base.Close();
}

}  // namespace prueba

#include "database/creacion.h"

#include <filesystem>
#include <system_error>

namespace database {
namespace {

dao::Tipo TipoDao(TipoColumna tipo) {
  switch (tipo) {
    case TipoColumna::Booleano: return dao::Tipo::Boolean;
    case TipoColumna::Entero: return dao::Tipo::Integer;
    case TipoColumna::Largo: return dao::Tipo::Long;
    case TipoColumna::Doble: return dao::Tipo::Double;
    case TipoColumna::Fecha: return dao::Tipo::Date;
    case TipoColumna::Texto: return dao::Tipo::Text;
  }
  return dao::Tipo::Text;
}

dao::Field DefineCampo(const dao::TableDef& td, const Columna& c) {
  dao::Field campo = td.CreateField();
  campo.SetName(std::string(c.nombre));
  campo.SetType(TipoDao(c.tipo));
  if (c.tipo == TipoColumna::Texto) {
    campo.SetSize(c.tamano);
    if (c.permiteVacio) campo.SetAllowZeroLength(true);
  }
  return campo;
}

bool TieneColumna(const dao::TableDef& td, std::string_view nombre) {
  dao::Fields campos = td.Fields();
  for (int i = 0; i < campos.Count(); ++i)
    if (MismoNombre(campos[i].Name(), nombre)) return true;
  return false;
}

// Rows written before `Modo` of ListaEspeciales existed hold no mode; "*"
// keeps them matching any mode, as the editor would write them.
void CompletaModoEspeciales(dao::Database& base, const PasoActualizacion& paso) {
  if (!MismoNombre(paso.tabla, kListaEspeciales)) return;
  for (const Columna& c : paso.columnas) {
    if (!MismoNombre(c.nombre, "Modo")) continue;
    dao::Recordset rs = base.OpenRecordset(std::string("Select * From ") + std::string(paso.tabla),
                                           dao::TipoRecordset::Dynaset);
    while (!rs.Eof()) {
      if (rs["Modo"].IsNull()) {
        rs.Edit();
        rs["Modo"] = dao::Variant("*");
        rs.Update();
      }
      rs.MoveNext();
    }
    rs.Close();
  }
}

void RecreaTabla(const std::string& ruta, std::string_view tabla) {
  dao::Database base = dao::OpenDatabase(ruta);
  CreaTabla(base, tabla);
  base.Close();
}

}  // namespace

void CreaTabla(dao::Database& base, std::string_view tabla) {
  std::span<const Columna> columnas = ColumnasDeTabla(tabla);
  if (columnas.empty())
    throw dao::Error(dao::errTablaNoEncontrada, "Tabla desconocida: " + std::string(tabla));
  dao::TableDefs tablas = base.TableDefs();
  try {
    tablas.Delete(tabla);
  } catch (const dao::Error&) {
    // An absent table is no error.
  }
  dao::TableDef td = base.CreateTableDef(std::string(tabla));
  for (const Columna& c : columnas) td.Fields().Append(DefineCampo(td, c));
  tablas.Append(td);
}

void CrearTablaConcursos(const std::string& ruta) { RecreaTabla(ruta, kConcursos); }
void CrearTablaResumenCabrillo(const std::string& ruta) { RecreaTabla(ruta, kResumenCabrillo); }
void CrearTablaListaQso(const std::string& ruta) { RecreaTabla(ruta, kListaQso); }
void CrearTablaClasificaciones(const std::string& ruta) { RecreaTabla(ruta, kClasificaciones); }
void CrearTablaMultEstacionesEspeciales(const std::string& ruta) {
  RecreaTabla(ruta, kListaMultEspeciales);
}

std::vector<ColumnaAnadida> EjecutaPasoActualizacion(const std::string& ruta,
                                                     const PasoActualizacion& paso) {
  std::vector<ColumnaAnadida> anadidas;
  dao::Database base = dao::OpenDatabase(ruta);
  base.BeginTrans();
  try {
    dao::TableDef td = base.TableDefs()[paso.tabla];
    for (const Columna& c : paso.columnas) {
      if (TieneColumna(td, c.nombre)) continue;
      td.Fields().Append(DefineCampo(td, c));
      anadidas.push_back({std::string(paso.tabla), std::string(c.nombre)});
    }
    CompletaModoEspeciales(base, paso);
    base.CommitTrans();
  } catch (...) {
    if (base.EnTransaccion()) base.Rollback();
    base.Close();
    throw;
  }
  base.Close();
  return anadidas;
}

bool CrearTablaMultEspeciales(const std::string& ruta) {
  dao::Database base = dao::OpenDatabase(ruta);
  bool crear = !base.TableDefs().Existe(kMultEspeciales);
  if (crear) CreaTabla(base, kMultEspeciales);
  base.Close();
  return crear;
}

ResultadoActualizacion ActualizaEsquema(const std::string& ruta) {
  ResultadoActualizacion r;
  for (const PasoActualizacion& paso : PasosActualizacion()) {
    std::vector<ColumnaAnadida> anadidas = EjecutaPasoActualizacion(ruta, paso);
    r.anadidas.insert(r.anadidas.end(), anadidas.begin(), anadidas.end());
  }
  r.creadaMultEspeciales = CrearTablaMultEspeciales(ruta);
  return r;
}

void CreaBaseConcursosVacia(const std::string& ruta) {
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(ruta, ec)))
    throw dao::Error(dao::errTablaYaExiste, "El fichero ya existe: " + ruta);
  dao::Database base = dao::CreateDatabase(ruta);
  for (const Tabla& t : Tablas()) CreaTabla(base, t.nombre);
  base.Close();
  ActualizaEsquema(ruta);
}

}  // namespace database

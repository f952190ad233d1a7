// Databases, table definitions, fields and recordsets of the database layer.
#include "plataforma/dao.h"

#include <algorithm>
#include <cctype>

#include "plataforma/dao_interno.h"

namespace dao {

using detalle::Cita;
using detalle::Columna;
using detalle::Conexion;
using detalle::RecordsetImpl;
using detalle::Sentencia;
using detalle::Tabla;

namespace detalle {

struct TableDefImpl {
  std::shared_ptr<Conexion> con;
  std::string nombre;
  bool existente = false;
  std::vector<Field> nuevos;  // fields of a definition not yet appended

  std::shared_ptr<Tabla> TablaActual() const {
    con->Comprueba();
    return con->Tabla_(nombre);
  }
};

std::string DefinicionColumna(const std::string& nombre, Tipo tipo, int tamano, bool permiteVacio) {
  std::string r = Cita(nombre) + " " + TipoDeclarado(tipo, tamano, permiteVacio);
  if (tipo == Tipo::Text) r += std::string(" COLLATE ") + kColacion;
  if (tipo == Tipo::Boolean) r += " NOT NULL DEFAULT 0";
  return r;
}

[[noreturn]] void SinRegistroActual() { throw Error(errNoHayRegistroActual, "No hay registro activo"); }

// A stored value as read back (a Date from its text, a Boolean from -1/0).
Variant ComoLeido(const Variant& v, const Columna& col) {
  if (v.IsNull()) return col.tipo == Tipo::Boolean ? Variant(false) : v;
  switch (col.tipo) {
    case Tipo::Boolean: return Variant(v.CLng64() != 0);
    case Tipo::Date: return Variant(v.CDate());
    default: return v;
  }
}

// ------------------------------------------------------------ recordsets

void RecordsetImpl::Comprueba() const {
  if (cerrado) throw Error(errBaseDeDatosCerrada, "El conjunto de registros está cerrado");
  con->Comprueba();
}

std::string RecordsetImpl::SelectRowids(const std::string& extra) const {
  std::string sql = "SELECT rowid FROM " + Cita(tabla->nombre);
  if (!filtro.empty() && !extra.empty())
    sql += " WHERE (" + filtro + ") AND (" + extra + ")";
  else if (!filtro.empty())
    sql += " WHERE " + filtro;
  else if (!extra.empty())
    sql += " WHERE " + extra;
  return sql + orden;
}

void RecordsetImpl::Resuelve() {
  if (!primeraPendiente) return;
  primeraPendiente = false;
  Primera();
}

void RecordsetImpl::Carga() {
  if (cargadas) {
    Resuelve();
    return;
  }
  Sentencia s(*con, SelectRowids(""));
  s.Enlaza(parametrosFiltro);
  filas.clear();
  while (s.Paso()) filas.push_back(sqlite3_column_int64(s.st(), 0));
  vivas = static_cast<int>(filas.size());
  cargadas = true;
  posicionesValidas = false;
  posConocida = false;
  Resuelve();
}

void RecordsetImpl::ConocePosicion() {
  Carga();
  Resuelve();
  if (posConocida) return;
  posConocida = true;
  if (!hayActual) {
    pos = eof ? static_cast<std::ptrdiff_t>(filas.size()) : -1;
    return;
  }
  if (!posicionesValidas) {
    posiciones.clear();
    for (size_t i = 0; i < filas.size(); ++i)
      if (filas[i] != -1) posiciones[filas[i]] = i;
    posicionesValidas = true;
  }
  auto it = posiciones.find(actual);
  pos = it == posiciones.end() ? -1 : static_cast<std::ptrdiff_t>(it->second);
}

void RecordsetImpl::PonEn(std::ptrdiff_t p) {
  primeraPendiente = false;
  pos = p;
  posConocida = true;
  borrado = false;
  valoresValidos = false;
  if (p < 0) {
    pos = -1;
    hayActual = false;
    bof = true;
    eof = vivas == 0;
  } else if (p >= static_cast<std::ptrdiff_t>(filas.size())) {
    pos = static_cast<std::ptrdiff_t>(filas.size());
    hayActual = false;
    eof = true;
    bof = vivas == 0;
  } else {
    hayActual = true;
    actual = filas[p];
    bof = eof = false;
  }
}

void RecordsetImpl::SinActual() {
  hayActual = false;
  valoresValidos = false;
  borrado = false;
  posConocida = false;
}

void RecordsetImpl::Primera() {
  if (cargadas) {
    std::ptrdiff_t p = 0;
    while (p < static_cast<std::ptrdiff_t>(filas.size()) && filas[p] == -1) ++p;
    PonEn(p);
    return;
  }
  Sentencia s(*con, SelectRowids("") + " LIMIT 1");
  s.Enlaza(parametrosFiltro);
  valoresValidos = false;
  borrado = false;
  if (s.Paso()) {
    hayActual = true;
    actual = sqlite3_column_int64(s.st(), 0);
    posConocida = false;
    bof = eof = false;
  } else {
    cargadas = true;
    filas.clear();
    vivas = 0;
    posicionesValidas = false;
    PonEn(-1);
  }
}

void RecordsetImpl::LeeValores() {
  Resuelve();
  if (valoresValidos) {
    if (!valoresAnticipados) return;
    valoresAnticipados = false;
    if (sqlite3_total_changes64(con->db) == cambiosAlAnticipar) return;
    valoresValidos = false;  // read them again, as a read now would
  }
  if (!hayActual) detalle::SinRegistroActual();
  if (borrado) throw Error(errRegistroEliminado, "El registro se ha eliminado");
  if (sqlLectura.empty()) {
    sqlLectura = "SELECT ";
    for (size_t i = 0; i < columnas.size(); ++i)
      sqlLectura += (i ? ", " : "") + Cita(tabla->columnas[columnas[i]].nombre);
    sqlLectura += " FROM " + Cita(tabla->nombre) + " WHERE rowid = ?";
  }
  Sentencia s(*con, sqlLectura);
  s.EnlazaEntero(1, actual);
  if (!s.Paso()) throw Error(errRegistroEliminado, "El registro se ha eliminado");
  valores.resize(columnas.size());
  for (size_t i = 0; i < columnas.size(); ++i)
    valores[i] = LeeValor(s.st(), static_cast<int>(i), tabla->columnas[columnas[i]]);
  valoresValidos = true;
  valoresAnticipados = false;
}

Variant RecordsetImpl::Valor(int i) {
  Comprueba();
  const Columna& col = tabla->columnas[columnas[i]];
  if (modo != Recordset::ModoEdicion::Ninguno && buffer[i]) return ComoLeido(*buffer[i], col);
  if (modo == Recordset::ModoEdicion::Alta) return col.tipo == Tipo::Boolean ? Variant(false) : Variant();
  LeeValores();
  return valores[i];
}

void RecordsetImpl::Asigna(int i, const Variant& v) {
  Comprueba();
  if (!actualizable)
    throw Error(errNoActualizable, "No se puede actualizar: el conjunto de registros es de solo lectura");
  if (modo == Recordset::ModoEdicion::Ninguno) throw Error(errUpdateSinAddNewNiEdit, "Operación sin AddNew ni Edit");
  const Columna& col = tabla->columnas[columnas[i]];
  buffer[i] = ConvierteParaColumna(v, col);
}

}  // namespace detalle

// ----------------------------------------------------------------- fields

Field::Field(std::string nombre, Tipo tipo, int tamano) : nombre_(std::move(nombre)), tipo_(tipo), tamano_(tamano) {}

Field& Field::operator=(const Field& otro) {
  if (this == &otro) return *this;
  if (rs_) {
    SetValue(otro.Value());
  } else {
    nombre_ = otro.nombre_;
    tipo_ = otro.tipo_;
    tamano_ = otro.tamano_;
    permiteVacio_ = otro.permiteVacio_;
    rs_ = otro.rs_;
    indice_ = otro.indice_;
  }
  return *this;
}

std::string Field::Name() const { return rs_ ? rs_->tabla->columnas[rs_->columnas[indice_]].nombre : nombre_; }
Tipo Field::Type() const { return rs_ ? rs_->tabla->columnas[rs_->columnas[indice_]].tipo : tipo_; }
int Field::Size() const {
  if (rs_) {
    const Columna& c = rs_->tabla->columnas[rs_->columnas[indice_]];
    return detalle::TamanoDeTipo(c.tipo, c.tamano);
  }
  return detalle::TamanoDeTipo(tipo_, tipo_ == Tipo::Text && tamano_ <= 0 ? kTamanoTextoPorDefecto : tamano_);
}
bool Field::AllowZeroLength() const {
  if (rs_) {
    const Columna& c = rs_->tabla->columnas[rs_->columnas[indice_]];
    return c.tipo == Tipo::Text && c.permiteVacio;
  }
  return tipo_ == Tipo::Text && permiteVacio_;
}

namespace {
void SoloDefinicion(const std::shared_ptr<detalle::RecordsetImpl>& rs) {
  if (rs) throw Error(errOperacionNoValida, "Operación no válida para un campo de un conjunto de registros");
}
}  // namespace

void Field::SetName(std::string nombre) {
  SoloDefinicion(rs_);
  nombre_ = std::move(nombre);
}
void Field::SetType(Tipo tipo) {
  SoloDefinicion(rs_);
  tipo_ = tipo;
}
void Field::SetSize(int tamano) {
  SoloDefinicion(rs_);
  tamano_ = tamano;
}
void Field::SetAllowZeroLength(bool permitir) {
  SoloDefinicion(rs_);
  if (tipo_ != Tipo::Text) throw Error(errOperacionNoValida, "AllowZeroLength solo se aplica a un campo de texto");
  permiteVacio_ = permitir;
}

Variant Field::Value() const {
  if (!rs_) throw Error(errOperacionNoValida, "El campo no pertenece a un conjunto de registros");
  return rs_->Valor(indice_);
}

void Field::SetValue(const Variant& v) {
  if (!rs_) throw Error(errOperacionNoValida, "El campo no pertenece a un conjunto de registros");
  rs_->Asigna(indice_, v);
}

int Fields::Count() const {
  if (rs_) return static_cast<int>(rs_->columnas.size());
  if (!td_) return 0;
  if (!td_->existente) return static_cast<int>(td_->nuevos.size());
  return static_cast<int>(td_->TablaActual()->columnas.size());
}

namespace {
[[noreturn]] void NoEnColeccion(const std::string& que) {
  throw Error(errElementoNoEncontrado, "Elemento no encontrado en esta colección: " + que);
}

Field DefinicionDe(const Columna& c) {
  Field f(c.nombre, c.tipo, c.tipo == Tipo::Text ? c.tamano : 0);
  if (c.tipo == Tipo::Text) f.SetAllowZeroLength(c.permiteVacio);
  return f;
}
}  // namespace

Field Fields::operator[](int indice) const {
  if (indice < 0 || indice >= Count()) NoEnColeccion(std::to_string(indice));
  if (rs_) {
    Field f;
    f.rs_ = rs_;
    f.indice_ = indice;
    return f;
  }
  if (!td_->existente) return td_->nuevos[indice];
  return DefinicionDe(td_->TablaActual()->columnas[indice]);
}

Field Fields::operator[](std::string_view nombre) const {
  if (rs_) {
    for (size_t i = 0; i < rs_->columnas.size(); ++i)  // the usual spelling first
      if (rs_->tabla->columnas[rs_->columnas[i]].nombre == nombre) return (*this)[static_cast<int>(i)];
    for (size_t i = 0; i < rs_->columnas.size(); ++i)
      if (detalle::IgualesSinCaso(rs_->tabla->columnas[rs_->columnas[i]].nombre, nombre))
        return (*this)[static_cast<int>(i)];
    NoEnColeccion(std::string(nombre));
  }
  if (!td_) NoEnColeccion(std::string(nombre));
  if (!td_->existente) {
    for (const Field& f : td_->nuevos)
      if (detalle::IgualesSinCaso(f.Name(), nombre)) return f;
    NoEnColeccion(std::string(nombre));
  }
  auto t = td_->TablaActual();
  int i = t->Busca(nombre);
  if (i < 0) NoEnColeccion(std::string(nombre));
  return DefinicionDe(t->columnas[i]);
}

void Fields::Append(const Field& campo) {
  if (!td_) throw Error(errOperacionNoValida, "Solo se pueden añadir campos a una definición de tabla");
  if (campo.rs_) throw Error(errOperacionNoValida, "El campo pertenece a un conjunto de registros");
  if (campo.nombre_.empty()) throw Error(errOperacionNoValida, "El campo no tiene nombre");
  if (!td_->existente) {
    for (const Field& f : td_->nuevos)
      if (detalle::IgualesSinCaso(f.Name(), campo.nombre_))
        throw Error(errCampoYaExiste, "Ya existe un campo llamado '" + campo.nombre_ + "'");
    td_->nuevos.push_back(campo);
    return;
  }
  auto t = td_->TablaActual();
  if (t->Busca(campo.nombre_) >= 0) throw Error(errCampoYaExiste, "Ya existe un campo llamado '" + campo.nombre_ + "'");
  td_->con->Ejecuta("ALTER TABLE " + Cita(t->nombre) + " ADD COLUMN " +
                    detalle::DefinicionColumna(campo.nombre_, campo.tipo_, campo.tamano_,
                                               campo.tipo_ == Tipo::Text && campo.permiteVacio_));
  td_->con->EsquemaCambiado();
}

// -------------------------------------------------------------- tabledefs

std::string TableDef::Name() const { return impl_ ? impl_->nombre : std::string(); }

void TableDef::SetName(std::string nombre) {
  if (!impl_) throw Error(errOperacionNoValida, "Definición de tabla no válida");
  if (impl_->existente) throw Error(errOperacionNoValida, "No se puede cambiar el nombre de una tabla existente");
  impl_->nombre = std::move(nombre);
}

Fields TableDef::Fields() const {
  if (!impl_) throw Error(errOperacionNoValida, "Definición de tabla no válida");
  dao::Fields f;
  f.td_ = impl_;
  return f;
}

Field TableDef::CreateField(std::string nombre, Tipo tipo, int tamano) const {
  return Field(std::move(nombre), tipo, tamano);
}

std::vector<std::string> TableDef::Indexes() const {
  std::vector<std::string> r;
  if (!impl_ || !impl_->existente) return r;
  auto t = impl_->TablaActual();
  Sentencia s(*impl_->con, "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND sql IS NOT NULL");
  s.Enlaza(1, Variant(t->nombre));
  while (s.Paso()) r.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s.st(), 0)));
  return r;
}

int TableDefs::Count() const { return static_cast<int>(con_->NombresTablas().size()); }

TableDef TableDefs::operator[](int indice) const {
  auto nombres = con_->NombresTablas();
  if (indice < 0 || indice >= static_cast<int>(nombres.size())) NoEnColeccion(std::to_string(indice));
  TableDef td;
  td.impl_ = std::make_shared<detalle::TableDefImpl>();
  td.impl_->con = con_;
  td.impl_->nombre = nombres[indice];
  td.impl_->existente = true;
  return td;
}

TableDef TableDefs::operator[](std::string_view nombre) const {
  auto t = con_->BuscaTabla(nombre);
  if (!t) NoEnColeccion(std::string(nombre));
  TableDef td;
  td.impl_ = std::make_shared<detalle::TableDefImpl>();
  td.impl_->con = con_;
  td.impl_->nombre = t->nombre;
  td.impl_->existente = true;
  return td;
}

bool TableDefs::Existe(std::string_view nombre) const { return con_->BuscaTabla(nombre) != nullptr; }

void TableDefs::Append(const TableDef& td) {
  if (!td.impl_ || td.impl_->existente) throw Error(errOperacionNoValida, "La definición de tabla ya está añadida");
  if (td.impl_->nombre.empty()) throw Error(errOperacionNoValida, "La definición de tabla no tiene nombre");
  if (td.impl_->nuevos.empty()) throw Error(errOperacionNoValida, "La definición de tabla no tiene campos");
  if (con_->BuscaTabla(td.impl_->nombre))
    throw Error(errTablaYaExiste, "La tabla '" + td.impl_->nombre + "' ya existe");
  std::string sql = "CREATE TABLE " + Cita(td.impl_->nombre) + " (";
  for (size_t i = 0; i < td.impl_->nuevos.size(); ++i) {
    const Field& f = td.impl_->nuevos[i];
    sql += (i ? ", " : "") +
           detalle::DefinicionColumna(f.Name(), f.Type(), f.Type() == Tipo::Text ? f.Size() : 0, f.AllowZeroLength());
  }
  sql += ")";
  con_->Ejecuta(sql);
  con_->EsquemaCambiado();
  td.impl_->existente = true;
  td.impl_->nuevos.clear();
}

void TableDefs::Delete(std::string_view nombre) {
  auto t = con_->BuscaTabla(nombre);
  if (!t) NoEnColeccion(std::string(nombre));
  con_->Ejecuta("DROP TABLE " + Cita(t->nombre));
  con_->EsquemaCambiado();
}

// ------------------------------------------------------------- recordsets

namespace {
detalle::RecordsetImpl& Impl(const std::shared_ptr<detalle::RecordsetImpl>& p) {
  if (!p) throw Error(errBaseDeDatosCerrada, "El conjunto de registros no está abierto");
  p->Comprueba();
  return *p;
}

void AbandonaEdicion(detalle::RecordsetImpl& r) {
  r.modo = Recordset::ModoEdicion::Ninguno;
  if (r.buffer.size() != r.columnas.size()) r.buffer.resize(r.columnas.size());
  for (auto& valor : r.buffer) valor.reset();
}
}  // namespace

bool Recordset::Eof() const {
  auto& r = Impl(impl_);
  r.Resuelve();
  return r.eof;
}
bool Recordset::Bof() const {
  auto& r = Impl(impl_);
  r.Resuelve();
  return r.bof;
}

void Recordset::MoveFirst() {
  auto& r = Impl(impl_);
  AbandonaEdicion(r);
  r.Carga();
  if (r.vivas == 0) detalle::SinRegistroActual();
  std::ptrdiff_t p = 0;
  while (r.filas[p] == -1) ++p;
  r.PonEn(p);
}

void Recordset::MoveLast() {
  auto& r = Impl(impl_);
  AbandonaEdicion(r);
  r.Carga();
  if (r.vivas == 0) detalle::SinRegistroActual();
  std::ptrdiff_t p = static_cast<std::ptrdiff_t>(r.filas.size()) - 1;
  while (r.filas[p] == -1) --p;
  r.PonEn(p);
}

void Recordset::MoveNext() {
  auto& r = Impl(impl_);
  r.Resuelve();
  if (r.eof) detalle::SinRegistroActual();
  AbandonaEdicion(r);
  r.ConocePosicion();
  std::ptrdiff_t p = r.pos + 1;
  while (p < static_cast<std::ptrdiff_t>(r.filas.size()) && r.filas[p] == -1) ++p;
  r.PonEn(p);
}

void Recordset::MovePrevious() {
  auto& r = Impl(impl_);
  r.Resuelve();
  if (r.bof) detalle::SinRegistroActual();
  AbandonaEdicion(r);
  r.ConocePosicion();
  std::ptrdiff_t p = r.pos - 1;
  while (p >= 0 && r.filas[p] == -1) --p;
  r.PonEn(p);
}

int Recordset::RecordCount() const {
  auto& r = Impl(impl_);
  r.Carga();
  return r.vivas;
}

namespace {

// Runs the set's query restricted by a criterion and positions on the first
// member row after `despues` (-1: from the start). True on a hit.
bool Busca(detalle::RecordsetImpl& r, std::string_view criterio, const std::vector<Variant>& parametros,
           std::ptrdiff_t despues) {
  detalle::Traduccion t = detalle::TraduceCriterio(criterio, *r.tabla, parametros);
  Sentencia s(*r.con, r.SelectRowids(t.sql));
  s.Enlaza(r.parametrosFiltro);
  s.Enlaza(t.parametros, static_cast<int>(r.parametrosFiltro.size()) + 1);
  if (!r.cargadas) {
    if (!s.Paso()) return false;
    r.primeraPendiente = false;
    r.actual = sqlite3_column_int64(s.st(), 0);
    r.hayActual = true;
    r.posConocida = false;
    r.bof = r.eof = false;
    r.borrado = false;
    r.valoresValidos = false;
    return true;
  }
  if (!r.posicionesValidas) {
    r.posiciones.clear();
    for (size_t i = 0; i < r.filas.size(); ++i)
      if (r.filas[i] != -1) r.posiciones[r.filas[i]] = i;
    r.posicionesValidas = true;
  }
  std::ptrdiff_t mejor = -1;
  while (s.Paso()) {
    auto it = r.posiciones.find(sqlite3_column_int64(s.st(), 0));
    if (it == r.posiciones.end()) continue;
    std::ptrdiff_t p = static_cast<std::ptrdiff_t>(it->second);
    if (p > despues) {
      mejor = p;
      break;
    }
  }
  if (mejor < 0) return false;
  r.PonEn(mejor);
  return true;
}

}  // namespace

void Recordset::FindFirst(std::string_view criterio, const std::vector<Variant>& parametros) {
  auto& r = Impl(impl_);
  AbandonaEdicion(r);
  r.noMatch = !Busca(r, criterio, parametros, -1);
}

void Recordset::FindNext(std::string_view criterio, const std::vector<Variant>& parametros) {
  auto& r = Impl(impl_);
  AbandonaEdicion(r);
  r.ConocePosicion();
  r.noMatch = !Busca(r, criterio, parametros, r.hayActual ? r.pos : -1);
}

bool Recordset::NoMatch() const { return Impl(impl_).noMatch; }

void Recordset::SetIndex(std::string_view nombre) {
  auto& r = Impl(impl_);
  if (r.tipo != TipoRecordset::Tabla)
    throw Error(errOperacionNoValida, "Index solo se aplica a un conjunto de registros de tipo tabla");
  Tabla& t = *r.tabla;
  if (!t.indicesLeidos) {
    std::vector<std::string> nombres;
    {
      Sentencia s(*r.con, "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?");
      s.Enlaza(1, Variant(t.nombre));
      while (s.Paso()) nombres.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s.st(), 0)));
    }
    for (const std::string& n : nombres) {
      Tabla::Indice ind{n, {}};
      sqlite3_stmt* st = nullptr;
      std::string sql = "PRAGMA index_info(" + Cita(n) + ")";
      if (sqlite3_prepare_v2(r.con->db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) r.con->Falla(SQLITE_ERROR);
      bool simples = true;
      while (sqlite3_step(st) == SQLITE_ROW) {
        const unsigned char* c = sqlite3_column_text(st, 2);
        int i = c ? t.Busca(reinterpret_cast<const char*>(c)) : -1;
        if (i < 0) simples = false;
        ind.columnas.push_back(i);
      }
      sqlite3_finalize(st);
      if (!simples) ind.columnas.clear();
      t.indices.push_back(std::move(ind));
    }
    t.indicesLeidos = true;
  }
  const Tabla::Indice* encontrado = nullptr;
  for (const Tabla::Indice& ind : t.indices)
    if (detalle::IgualesSinCaso(ind.nombre, nombre)) encontrado = &ind;
  if (!encontrado) throw Error(errIndiceNoValido, "'" + std::string(nombre) + "' no es un índice de esta tabla");
  if (encontrado->columnas.empty())
    throw Error(errIndiceNoValido, "El índice '" + encontrado->nombre + "' no es de columnas simples");
  const std::string& exacto = encontrado->nombre;
  const std::vector<int>& cols = encontrado->columnas;
  r.indice = exacto;
  r.columnasIndice = cols;
  r.sqlBusquedas.clear();
  r.orden = " ORDER BY ";
  for (size_t i = 0; i < cols.size(); ++i) r.orden += (i ? ", " : "") + detalle::RefColumna(r.tabla->columnas[cols[i]]);
  r.orden += ", rowid";
  r.cargadas = false;
  r.posConocida = false;
  r.primeraPendiente = true;  // the first row in index order
}

std::string Recordset::Index() const { return Impl(impl_).indice; }

namespace {

void BuscaEnIndice(detalle::RecordsetImpl& r, std::string_view comparacion, const Variant* claves, size_t cuantas) {
  AbandonaEdicion(r);
  if (r.indice.empty()) throw Error(errIndiceNoValido, "Seek sin índice");
  std::string op;
  for (char c : comparacion)
    if (c != ' ') op += c;
  if (op != "=" && op != "<" && op != "<=" && op != ">" && op != ">=")
    throw Error(errOperacionNoValida, "Comparación de Seek no válida: '" + op + "'");
  size_t n = std::min(cuantas, r.columnasIndice.size());
  if (n == 0) throw Error(errOperacionNoValida, "Seek sin valores");
  RecordsetImpl::Busqueda& busqueda = r.sqlBusquedas[op + std::to_string(n)];
  std::string& sql = busqueda.sql;
  if (sql.empty()) {
    sql = "SELECT rowid";
    for (int c : r.columnas) sql += ", " + Cita(r.tabla->columnas[c].nombre);
    sql += " FROM " + Cita(r.tabla->nombre) + " WHERE ";
    if (op == "=") {
      for (size_t i = 0; i < n; ++i)
        sql += (i ? " AND " : "") + detalle::RefColumna(r.tabla->columnas[r.columnasIndice[i]]) + " = ?";
    } else {
      std::string izq = "(", der = "(";
      for (size_t i = 0; i < n; ++i) {
        izq += (i ? ", " : "") + detalle::RefColumna(r.tabla->columnas[r.columnasIndice[i]]);
        der += i ? ", ?" : "?";
      }
      sql += izq + ") " + op + " " + der + ")";
    }
    bool descendente = op == "<" || op == "<=";
    sql += " ORDER BY ";
    for (size_t i = 0; i < r.columnasIndice.size(); ++i)
      sql +=
          (i ? ", " : "") + detalle::RefColumna(r.tabla->columnas[r.columnasIndice[i]]) + (descendente ? " DESC" : "");
    sql += descendente ? ", rowid DESC LIMIT 1" : ", rowid LIMIT 1";
  }
  Sentencia s(*r.con, sql, busqueda.sentencia);
  for (size_t i = 0; i < n; ++i) {
    // A text key compares as it is; another is converted to the column type
    // when it can be (a key that cannot simply finds nothing).
    const Columna& col = r.tabla->columnas[r.columnasIndice[i]];
    if (col.tipo == Tipo::Text) {
      s.EnlazaPrestado(static_cast<int>(i) + 1, claves[i]);  // the keys outlive s
      continue;
    }
    std::optional<Variant> convertido;
    try {
      convertido = detalle::ConvierteParaColumna(claves[i], col);
    } catch (const Error&) {
    }
    s.Enlaza(static_cast<int>(i) + 1, convertido ? *convertido : claves[i]);
  }
  r.primeraPendiente = false;
  r.valoresValidos = false;
  r.valoresAnticipados = false;
  r.borrado = false;
  if (s.Paso()) {
    r.noMatch = false;
    r.hayActual = true;
    r.actual = sqlite3_column_int64(s.st(), 0);
    r.posConocida = false;
    r.bof = r.eof = false;
    // The row's values come with it; LeeValores checks they still stand.
    r.valores.resize(r.columnas.size());
    for (size_t i = 0; i < r.columnas.size(); ++i)
      r.valores[i] = detalle::LeeValor(s.st(), static_cast<int>(i) + 1, r.tabla->columnas[r.columnas[i]]);
    r.valoresValidos = true;
    r.valoresAnticipados = true;
    r.cambiosAlAnticipar = sqlite3_total_changes64(r.con->db);
  } else {
    r.noMatch = true;
    r.SinActual();
    r.eof = true;
  }
}

}  // namespace

void Recordset::Seek(std::string_view comparacion, const std::vector<Variant>& claves) {
  BuscaEnIndice(Impl(impl_), comparacion, claves.data(), claves.size());
}

void Recordset::Seek(std::string_view comparacion, const Variant& clave) {
  BuscaEnIndice(Impl(impl_), comparacion, &clave, 1);
}

void Recordset::AddNew() {
  auto& r = Impl(impl_);
  if (!r.actualizable)
    throw Error(errNoActualizable, "No se puede actualizar: el conjunto de registros es de solo lectura");
  AbandonaEdicion(r);
  r.modo = ModoEdicion::Alta;
}

void Recordset::Edit() {
  auto& r = Impl(impl_);
  if (!r.actualizable)
    throw Error(errNoActualizable, "No se puede actualizar: el conjunto de registros es de solo lectura");
  AbandonaEdicion(r);
  r.LeeValores();  // no current record: error
  r.modo = ModoEdicion::Edicion;
}

void Recordset::Update() {
  auto& r = Impl(impl_);
  if (r.modo == ModoEdicion::Ninguno) throw Error(errUpdateSinAddNewNiEdit, "Update sin AddNew ni Edit");
  const Tabla& t = *r.tabla;
  std::vector<Variant> valores;
  std::string sql;
  if (r.modo == ModoEdicion::Alta) {
    // Columns set, plus every unset Boolean (stored False, never Null).
    std::string& clave = r.claveAlta;
    clave.assign(t.columnas.size(), '0');
    for (size_t i = 0; i < r.columnas.size(); ++i)
      if (r.buffer[i]) clave[r.columnas[i]] = '1';
    RecordsetImpl::Alta* alta = r.ultimaAlta;
    if (!alta || clave != r.ultimaClaveAlta) {
      alta = &r.sqlAltas[clave];  // elements of an unordered_map never move
      r.ultimaAlta = alta;
      r.ultimaClaveAlta = clave;
    }
    std::string& texto = alta->sql;
    if (texto.empty()) {
      std::string nombres, marcas;
      for (size_t i = 0; i < r.columnas.size(); ++i) {
        if (!r.buffer[i]) continue;
        nombres += (nombres.empty() ? "" : ", ") + Cita(t.columnas[r.columnas[i]].nombre);
        marcas += marcas.empty() ? "?" : ", ?";
      }
      for (size_t c = 0; c < t.columnas.size(); ++c) {
        if (clave[c] == '1' || t.columnas[c].tipo != Tipo::Boolean) continue;
        nombres += (nombres.empty() ? "" : ", ") + Cita(t.columnas[c].nombre);
        marcas += marcas.empty() ? "?" : ", ?";
      }
      texto = "INSERT INTO " + Cita(t.nombre) +
              (nombres.empty() ? std::string(" DEFAULT VALUES") : " (" + nombres + ") VALUES (" + marcas + ")");
    }
    {
      // The buffer outlives the statement's use: its texts are bound in place.
      Sentencia s(*r.con, texto, alta->sentencia);
      int n = 0;
      for (size_t i = 0; i < r.columnas.size(); ++i)
        if (r.buffer[i]) s.EnlazaPrestado(++n, *r.buffer[i]);
      for (size_t c = 0; c < t.columnas.size(); ++c)
        if (clave[c] == '0' && t.columnas[c].tipo == Tipo::Boolean) s.EnlazaEntero(++n, 0);
      s.Paso();
    }
    r.con->afectadas = 1;
    if (r.cargadas) {
      std::int64_t nueva = sqlite3_last_insert_rowid(r.con->db);
      r.filas.push_back(nueva);
      if (r.posicionesValidas) r.posiciones[nueva] = r.filas.size() - 1;
      ++r.vivas;
      if (!r.primeraPendiente && r.eof && r.posConocida && !r.hayActual) {
        // An empty set or one past its end stays at its end.
        r.pos = static_cast<std::ptrdiff_t>(r.filas.size());
        r.bof = false;
      }
    }
  } else {
    if (!r.hayActual) detalle::SinRegistroActual();
    std::string asignaciones;
    for (size_t i = 0; i < r.columnas.size(); ++i) {
      if (!r.buffer[i]) continue;
      const Columna& col = t.columnas[r.columnas[i]];
      asignaciones += (asignaciones.empty() ? "" : ", ") + Cita(col.nombre) + " = ?";
      valores.push_back(*r.buffer[i]);
    }
    if (!asignaciones.empty()) {
      sql = "UPDATE " + Cita(t.nombre) + " SET " + asignaciones + " WHERE rowid = ?";
      Sentencia s(*r.con, sql);
      s.Enlaza(valores);
      s.EnlazaEntero(static_cast<int>(valores.size()) + 1, r.actual);
      s.Paso();
      if (sqlite3_changes(r.con->db) == 0) {
        AbandonaEdicion(r);
        throw Error(errRegistroEliminado, "El registro se ha eliminado");
      }
    }
    r.valoresValidos = false;
  }
  AbandonaEdicion(r);
}

void Recordset::CancelUpdate() { AbandonaEdicion(Impl(impl_)); }

void Recordset::Delete() {
  auto& r = Impl(impl_);
  if (!r.actualizable)
    throw Error(errNoActualizable, "No se puede actualizar: el conjunto de registros es de solo lectura");
  AbandonaEdicion(r);
  r.Resuelve();
  if (!r.hayActual) detalle::SinRegistroActual();
  if (r.borrado) throw Error(errRegistroEliminado, "El registro se ha eliminado");
  r.ConocePosicion();
  {
    Sentencia s(*r.con, "DELETE FROM " + Cita(r.tabla->nombre) + " WHERE rowid = ?");
    s.EnlazaEntero(1, r.actual);
    s.Paso();
  }
  if (r.pos >= 0 && r.pos < static_cast<std::ptrdiff_t>(r.filas.size()) && r.filas[r.pos] == r.actual) {
    r.filas[r.pos] = -1;
    r.posiciones.erase(r.actual);
    --r.vivas;
  }
  r.borrado = true;
  r.valoresValidos = false;
}

Recordset::ModoEdicion Recordset::EditMode() const { return Impl(impl_).modo; }

Recordset Recordset::Clone() const {
  auto& r = Impl(impl_);
  auto c = std::make_shared<detalle::RecordsetImpl>();
  c->con = r.con;
  c->tabla = r.tabla;
  c->tipo = r.tipo;
  c->actualizable = r.actualizable;
  c->columnas = r.columnas;
  c->filtro = r.filtro;
  c->parametrosFiltro = r.parametrosFiltro;
  c->ordenBase = r.ordenBase;
  c->orden = r.orden;
  c->indice = r.indice;
  c->columnasIndice = r.columnasIndice;
  c->sqlLectura = r.sqlLectura;
  if (r.cargadas) {
    c->cargadas = true;
    c->filas = r.filas;
    c->vivas = r.vivas;
  }
  c->buffer.assign(c->columnas.size(), std::nullopt);
  c->primeraPendiente = true;
  Recordset rs;
  rs.impl_ = c;
  return rs;
}

void Recordset::Close() {
  if (!impl_) return;
  impl_->cerrado = true;
  impl_->filas.clear();
  impl_->posiciones.clear();
}

bool Recordset::Abierto() const { return impl_ && !impl_->cerrado && impl_->con->db; }

Field Recordset::operator[](int indice) const {
  auto& r = Impl(impl_);
  if (indice < 0 || indice >= static_cast<int>(r.columnas.size())) NoEnColeccion(std::to_string(indice));
  Field f;
  f.rs_ = impl_;
  f.indice_ = indice;
  return f;
}

Field Recordset::operator[](std::string_view nombre) const {
  auto& r = Impl(impl_);
  int encontrado = -1;
  for (size_t i = 0; i < r.columnas.size() && encontrado < 0; ++i)  // the usual spelling first
    if (r.tabla->columnas[r.columnas[i]].nombre == nombre) encontrado = static_cast<int>(i);
  for (size_t i = 0; i < r.columnas.size() && encontrado < 0; ++i)
    if (detalle::IgualesSinCaso(r.tabla->columnas[r.columnas[i]].nombre, nombre)) encontrado = static_cast<int>(i);
  if (encontrado < 0) NoEnColeccion(std::string(nombre));
  Field f;
  f.rs_ = impl_;
  f.indice_ = encontrado;
  return f;
}

dao::Fields Recordset::Fields() const {
  Impl(impl_);
  dao::Fields f;
  f.rs_ = impl_;
  return f;
}

// -------------------------------------------------------------- databases

namespace {
Conexion& Con(const std::shared_ptr<Conexion>& c) {
  if (!c) throw Error(errBaseDeDatosCerrada, "La base de datos no está abierta");
  c->Comprueba();
  return *c;
}

std::string_view SinBlancos(std::string_view t) {
  while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front()))) t.remove_prefix(1);
  while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.remove_suffix(1);
  return t;
}

bool EmpiezaPor(std::string_view t, std::string_view palabra) {
  if (t.size() < palabra.size()) return false;
  if (detalle::Minusculas(t.substr(0, palabra.size())) != palabra) return false;
  return t.size() == palabra.size() || !std::isalnum(static_cast<unsigned char>(t[palabra.size()]));
}
}  // namespace

std::string Database::Name() const { return con_ ? con_->nombre : std::string(); }

void Database::Close() {
  if (con_) con_->Cierra();
}

bool Database::Abierta() const { return con_ && con_->db; }

void Database::Execute(std::string_view sql, const std::vector<Variant>& parametros) {
  Conexion& c = Con(con_);
  std::string_view t = SinBlancos(sql);
  if (EmpiezaPor(t, "delete")) {
    detalle::Traduccion tr = detalle::TraduceDelete(t, c, parametros);
    if (!tr.sql.empty()) {
      Sentencia s(c, tr.sql);
      s.Enlaza(tr.parametros);
      s.Paso();
      c.afectadas = sqlite3_changes(c.db);
      return;
    }
  }
  if (parametros.empty()) {
    c.Ejecuta(std::string(t));
  } else {
    Sentencia s(c, std::string(t));
    s.Enlaza(parametros);
    while (s.Paso()) {
    }
  }
  c.afectadas = sqlite3_changes(c.db);
  c.EsquemaCambiado();
}

int Database::RecordsAffected() const { return Con(con_).afectadas; }

Database::SelloContenido Database::Sello() const {
  Conexion& c = Con(con_);
  SelloContenido sello;
  sello.conexion = std::shared_ptr<const void>(con_);
  sello.cambios = sqlite3_total_changes64(c.db);
  Sentencia datos(c, "PRAGMA data_version");
  sello.datos = datos.Paso() ? sqlite3_column_int64(datos.st(), 0) : -1;
  sello.esquema = c.VersionEsquema();
  sello.fueraDeTransaccion = sqlite3_get_autocommit(c.db) != 0;
  return sello;
}

Recordset Database::OpenRecordset(std::string_view origen, TipoRecordset tipo, const std::vector<Variant>& parametros) {
  Conexion& c = Con(con_);
  auto r = std::make_shared<detalle::RecordsetImpl>();
  r->con = con_;
  std::string_view t = SinBlancos(origen);
  if (EmpiezaPor(t, "select")) {
    if (tipo == TipoRecordset::Tabla)
      throw Error(errOperacionNoValida, "Un conjunto de tipo tabla se abre con el nombre de una tabla");
    detalle::ConsultaSelect q = detalle::TraduceSelect(t, c, parametros);
    r->tabla = q.tabla;
    r->columnas = q.columnas;
    r->filtro = q.filtro;
    r->parametrosFiltro = std::move(q.parametros);
    r->orden = r->ordenBase = q.orden;
    r->tipo = tipo == TipoRecordset::Snapshot ? TipoRecordset::Snapshot : TipoRecordset::Dynaset;
    r->actualizable = q.todas && r->tipo == TipoRecordset::Dynaset;
  } else {
    r->tabla = c.Tabla_(t);
    for (size_t i = 0; i < r->tabla->columnas.size(); ++i) r->columnas.push_back(static_cast<int>(i));
    r->orden = r->ordenBase = " ORDER BY rowid";
    r->tipo = tipo == TipoRecordset::Predeterminado ? TipoRecordset::Tabla : tipo;
    r->actualizable = r->tipo != TipoRecordset::Snapshot;
  }
  r->buffer.assign(r->columnas.size(), std::nullopt);
  r->primeraPendiente = true;
  Recordset rs;
  rs.impl_ = r;
  return rs;
}

dao::TableDefs Database::TableDefs() const {
  Con(con_);
  dao::TableDefs t;
  t.con_ = con_;
  return t;
}

TableDef Database::CreateTableDef(std::string nombre) const {
  Con(con_);
  TableDef td;
  td.impl_ = std::make_shared<detalle::TableDefImpl>();
  td.impl_->con = con_;
  td.impl_->nombre = std::move(nombre);
  return td;
}

void Database::CreateIndex(std::string_view tabla, std::string_view nombre, const std::vector<std::string>& columnas,
                           bool unico) {
  Conexion& c = Con(con_);
  auto t = c.Tabla_(tabla);
  std::string sql =
      std::string(unico ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + Cita(nombre) + " ON " + Cita(t->nombre) + " (";
  for (size_t i = 0; i < columnas.size(); ++i) {
    int k = t->Busca(columnas[i]);
    if (k < 0) NoEnColeccion(columnas[i]);
    sql += (i ? ", " : "") + detalle::RefColumna(t->columnas[k]);
  }
  c.Ejecuta(sql + ")");
  c.EsquemaCambiado();
}

void Database::BeginTrans() {
  Conexion& c = Con(con_);
  if (c.enTransaccion) throw Error(errOperacionNoValida, "Ya hay una transacción abierta");
  c.Ejecuta("BEGIN");
  c.enTransaccion = true;
}

void Database::CommitTrans() {
  Conexion& c = Con(con_);
  if (!c.enTransaccion) throw Error(errOperacionNoValida, "CommitTrans sin BeginTrans");
  c.Ejecuta("COMMIT");
  c.enTransaccion = false;
}

void Database::Rollback() {
  Conexion& c = Con(con_);
  if (!c.enTransaccion) throw Error(errOperacionNoValida, "Rollback sin BeginTrans");
  c.Ejecuta("ROLLBACK");
  c.enTransaccion = false;
  c.EsquemaCambiado();
}

bool Database::EnTransaccion() const { return con_ && con_->enTransaccion; }

}  // namespace dao

#include "database/repositorio_concursos.h"

#include <algorithm>

#include "database/carpetas.h"

namespace database {

namespace {

std::optional<std::int32_t> LeeEntero(const dao::Variant& v) {
  if (v.IsNull() || !v.EsNumero()) return std::nullopt;
  return v.CLng();
}

}  // namespace

Transaccion::Transaccion(dao::Database& base) : base_(base) { base_.BeginTrans(); }

Transaccion::~Transaccion() {
  if (terminada_) return;
  try {
    if (base_.EnTransaccion()) base_.Rollback();
  } catch (const std::exception&) {
  }
}

void Transaccion::Confirma() {
  base_.CommitTrans();
  terminada_ = true;
}

std::int32_t RepositorioConcursos::ProximoNumero() {
  std::int32_t ultimo = 0;
  dao::Recordset control =
      estado_.BaseConcursos.OpenRecordset("Select * From ControlConcursos", dao::TipoRecordset::Snapshot);
  if (!control.Eof()) ultimo = LeeEntero(control["UltimoConcurso"].Value()).value_or(0);
  control.Close();
  dao::Recordset numeros =
      estado_.BaseConcursos.OpenRecordset("Select NumeroOrden From Concursos", dao::TipoRecordset::Snapshot);
  for (; !numeros.Eof(); numeros.MoveNext())
    ultimo = std::max(ultimo, LeeEntero(numeros["NumeroOrden"].Value()).value_or(0));
  numeros.Close();
  return ultimo + 1;
}

bool RepositorioConcursos::ExisteOtro(const std::string& nombre, const std::string& edicion, std::int32_t numero) {
  dao::Recordset rs = estado_.BaseConcursos.OpenRecordset(
      "Select NumeroOrden From Concursos Where Concurso = ? And Edicion = ? And NumeroOrden <> ?",
      dao::TipoRecordset::Snapshot, {dao::Variant(nombre), dao::Variant(edicion), dao::Variant(numero)});
  bool existe = !rs.Eof();
  rs.Close();
  return existe;
}

std::optional<ConcursoGuardado> RepositorioConcursos::OtroEnLaMismaCarpeta(const std::string& nombre,
                                                                           const std::string& edicion,
                                                                           std::int32_t numero) {
  dao::Recordset rs = estado_.BaseConcursos.OpenRecordset(
      "Select NumeroOrden, Concurso, Edicion From Concursos Where NumeroOrden <> ? Order By NumeroOrden",
      dao::TipoRecordset::Snapshot, {dao::Variant(numero)});
  std::optional<ConcursoGuardado> otro;
  for (; !rs.Eof() && !otro; rs.MoveNext()) {
    auto texto = [&rs](const char* columna) {
      const dao::Variant v = rs[columna].Value();
      return v.IsNull() ? std::string() : v.CStr();
    };
    ConcursoGuardado c{LeeEntero(rs["NumeroOrden"].Value()).value_or(0), texto("Concurso"), texto("Edicion")};
    if (CompartenCarpeta(nombre, edicion, c.Nombre, c.Edicion)) otro = std::move(c);
  }
  rs.Close();
  return otro;
}

bool RepositorioConcursos::HayConNumero(std::int32_t numero) {
  dao::Recordset rs = estado_.BaseConcursos.OpenRecordset("Select NumeroOrden From Concursos Where NumeroOrden = ?",
                                                          dao::TipoRecordset::Snapshot, {dao::Variant(numero)});
  bool existe = !rs.Eof();
  rs.Close();
  return existe;
}

void RepositorioConcursos::GuardaControl(std::optional<std::int32_t> ultimo, std::int32_t activo) {
  dao::Recordset control = estado_.BaseConcursos.OpenRecordset("Select * From ControlConcursos");
  if (control.Eof()) {
    control.AddNew();
    control["UltimoConcurso"] = dao::Variant(ultimo.value_or(0));
  } else {
    control.Edit();
    if (ultimo) control["UltimoConcurso"] = dao::Variant(*ultimo);
  }
  control["ConcursoActivo"] = dao::Variant(activo);
  control.Update();
  control.Close();
}

void RepositorioConcursos::Alta(std::int32_t numero, const RellenaFila& rellena, const listas::OpcionesListas& opciones,
                                listas::ListasOcultas& l) {
  estado_.ConcursoActual.AddNew();
  rellena(estado_.ConcursoActual);
  estado_.ConcursoActual.Update();
  for (listas::Grupo g : listas::kOrdenGrabacion) listas::Graba(estado_.BaseConcursos, g, numero, opciones, l);
  GuardaControl(numero, numero);
}

void RepositorioConcursos::Modifica(std::int32_t numero, const RellenaFila& rellena,
                                    const listas::OpcionesListas& opciones, listas::ListasOcultas& l) {
  estado_.ConcursoActual.Edit();
  rellena(estado_.ConcursoActual);
  estado_.ConcursoActual.Update();
  for (listas::Grupo g : listas::kOrdenActualizacion) listas::Actualiza(estado_.BaseConcursos, g, numero, opciones, l);
}

void RepositorioConcursos::Borra(std::int32_t numero) {
  estado_.BaseConcursos.Execute("DELETE FROM Concursos Where NumeroOrden = ?", {dao::Variant(numero)});
  for (listas::Grupo g : listas::kOrdenBorrado) listas::Borra(estado_.BaseConcursos, g, numero);
  listas::BorraResumenCabrillo(estado_.BaseConcursos, numero);
  GuardaControl(std::nullopt, 0);
}

void RepositorioConcursos::BorraResumenCabrillo(std::int32_t numero) {
  listas::BorraResumenCabrillo(estado_.BaseConcursos, numero);
}

void RepositorioConcursos::CargaListas(listas::Grupo grupo, std::int32_t numero, listas::ListasOcultas& l) {
  listas::Carga(estado_.BaseConcursos, grupo, numero, l);
}

void RepositorioConcursos::ReabreConjuntos() {
  if (estado_.ConcursoActual.Abierto()) estado_.ConcursoActual.Close();
  estado_.ConcursoActual = estado_.BaseConcursos.OpenRecordset("Select * From Concursos");
  if (estado_.RegistroControlConcursos.Abierto()) estado_.RegistroControlConcursos.Close();
  estado_.RegistroControlConcursos = estado_.BaseConcursos.OpenRecordset("Select * From ControlConcursos");
}

}  // namespace database

#pragma once
// The contests as stored in the contest database: numbering, the control row,
// creating, saving and deleting a contest with its reference lists, and the
// transaction that keeps an operation whole. The windows reach it through
// their services and run no SQL on the contest tables themselves.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "database/estado.h"
#include "database/listas_ocultas.h"
#include "plataforma/dao.h"

namespace database {

// A stored contest as the folder check names it.
struct ConcursoGuardado {
  std::int32_t Numero = 0;
  std::string Nombre;
  std::string Edicion;
};

// Begins a transaction on the database; unless Confirma() commits it, the
// destructor rolls it back (an error while rolling back is swallowed: the
// error that left the scope is the one to report).
class Transaccion {
 public:
  explicit Transaccion(dao::Database& base);
  ~Transaccion();
  Transaccion(const Transaccion&) = delete;
  Transaccion& operator=(const Transaccion&) = delete;
  void Confirma();

 private:
  dao::Database& base_;
  bool terminada_ = false;
};

// Works on the context's contest database and its recordsets `ConcursoActual`
// and `RegistroControlConcursos`. The writes do not open a transaction of
// their own: the caller runs one operation inside one Transaccion.
class RepositorioConcursos {
 public:
  explicit RepositorioConcursos(EstadoConcurso& estado) : estado_(estado) {}

  // The number a new contest gets: the last one handed out plus one (1 while
  // the control table has no row). A number already carried by a contest row
  // is never proposed.
  std::int32_t ProximoNumero();
  // Another contest (not `numero`) with this name and edition.
  bool ExisteOtro(const std::string& nombre, const std::string& edicion, std::int32_t numero);
  // Another contest (not `numero`) whose folder would be the one of this
  // name and edition (CompartenCarpeta, database/carpetas.h); the first by
  // number when several are.
  std::optional<ConcursoGuardado> OtroEnLaMismaCarpeta(const std::string& nombre, const std::string& edicion,
                                                       std::int32_t numero);
  // A contest row carries this number.
  bool HayConNumero(std::int32_t numero);
  // Writes the control row (adding it when the table has none): the last
  // number handed out when given, and the active contest.
  void GuardaControl(std::optional<std::int32_t> ultimo, std::int32_t activo);

  // Fills the fields of a contest row standing in edit or add mode.
  using RellenaFila = std::function<void(dao::Recordset& fila)>;
  // New contest `numero`: its row (filled by `rellena`), its reference lists
  // (trimmed by the options) and the control row naming it last and active.
  void Alta(std::int32_t numero, const RellenaFila& rellena, const listas::OpcionesListas& opciones,
            listas::ListasOcultas& l);
  // Saves the contest on which `ConcursoActual` stands (`numero`): its row and
  // its reference lists.
  void Modifica(std::int32_t numero, const RellenaFila& rellena, const listas::OpcionesListas& opciones,
                listas::ListasOcultas& l);
  // Deletes the contest, its reference lists and its Cabrillo format, and
  // leaves no active contest in the control row.
  void Borra(std::int32_t numero);
  // Deletes the Cabrillo format stored under a number.
  void BorraResumenCabrillo(std::int32_t numero);
  // Reads the contest's rows of a group of reference lists.
  void CargaListas(listas::Grupo grupo, std::int32_t numero, listas::ListasOcultas& l);

  // Opens `ConcursoActual` and `RegistroControlConcursos` again, so that they
  // see exactly what the database holds (after an operation, kept or not).
  void ReabreConjuntos();

 private:
  EstadoConcurso& estado_;
};

}  // namespace database

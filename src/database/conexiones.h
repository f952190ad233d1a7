#pragma once
// The shared database connections and the records that live for the whole
// run: the contest database and its `Concursos` definition, the countries
// database, the control record and the record of the contest in hand; and
// the filling of the main window's contest list.
#include <cstdint>
#include <string>
#include <vector>

#include "plataforma/dao.h"

// Open contest database `Ledrima`.
extern dao::Database BaseConcursos;
// Open countries database `Terravia` (only the callsign lookups read it).
extern dao::Database BasePaises;
// Table definition of `Concursos` (field sizes and types of the editor).
extern dao::TableDef DefinicionConcursos;
// Recordset over `ControlConcursos`, standing on its first row.
extern dao::Recordset RegistroControlConcursos;
// Recordset over `Concursos`, positioned on the contest in hand.
extern dao::Recordset ConcursoActual;
// A contest is selected in the main window.
extern bool HayConcursoCargado;
// Scratch text of the last query opened by the start-up.
extern std::string ConsultaSql;

// The main window's contest list: entries kept sorted by their text without
// regard to case, each carrying its contest number.
class ListaConcursos {
 public:
  virtual ~ListaConcursos() = default;
  virtual void Limpia() = 0;
  // Adds an entry at its sorted place; returns its index.
  virtual int Agrega(const std::string& texto, std::int32_t numero) = 0;
  virtual int Cuenta() const = 0;
  virtual std::string Texto(int indice) const = 0;
  virtual std::int32_t Numero(int indice) const = 0;
  // Selects an entry (-1: none).
  virtual void Selecciona(int indice) = 0;
  virtual int Seleccionado() const = 0;
};

// Plain implementation of the contest list.
class ListaConcursosSimple : public ListaConcursos {
 public:
  void Limpia() override;
  int Agrega(const std::string& texto, std::int32_t numero) override;
  int Cuenta() const override { return static_cast<int>(entradas.size()); }
  std::string Texto(int indice) const override;
  std::int32_t Numero(int indice) const override;
  void Selecciona(int indice) override { seleccion = indice; }
  int Seleccionado() const override { return seleccion; }

  struct Entrada {
    std::string texto;
    std::int32_t numero;
  };
  std::vector<Entrada> entradas;
  int seleccion = -1;
};

// Sorted position of a new entry in the list (alphabetical, without regard
// to case or accents; an equal text goes after the ones already there).
int PosicionOrdenada(const ListaConcursos& lista, const std::string& nuevo);

// Text of a contest list entry: name, " .- Edición: ", edition.
std::string TextoEntradaConcurso(const std::string& nombre, const std::string& edicion);

// Path of a database of the working folder.
std::string RutaBaseDeDatos(const char* nombre);

// Opens `Ledrima` (keeping the `Concursos` definition) and `Terravia` in the
// working folder. A missing or unreadable file raises dao::Error.
void AbrirBasesDeDatos();
// Opens the control record. A contest database that holds contests but no
// control row gets its row (`UltimoConcurso` = the highest `NumeroOrden`,
// `ConcursoActivo` = 0).
void AbrirControlConcursos();
// Opens `ConcursoActual`, fills the contest list and positions the record on
// the selected contest. Returns true when there is a contest (the rules
// button is then enabled); with none it shows "No hay Concursos
// CONFIGURADOS".
bool CargarComboConcursos(ListaConcursos& Combo1);
// Closes every shared object (end of run, tests).
void CierraBasesDeDatos();

#pragma once
// Opening and closing the database connections and records of the context
// (the contest database and its `Concursos` definition, the countries
// database, the control record and the record of the contest in hand), and
// the filling of the main window's contest list.
#include <cstdint>
#include <string>
#include <vector>

#include "database/estado.h"
#include "plataforma/dao.h"

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
std::string RutaBaseDeDatos(const EstadoConcurso& estado, const char* nombre);

// Opens `Ledrima` (keeping the `Concursos` definition) and `Terravia` in the
// working folder. A missing or unreadable file raises dao::Error.
void AbrirBasesDeDatos(EstadoConcurso& estado);
// Opens the control record. A contest database that holds contests but no
// control row gets its row (`UltimoConcurso` = the highest `NumeroOrden`,
// `ConcursoActivo` = 0).
void AbrirControlConcursos(EstadoConcurso& estado);
// Opens `ConcursoActual`, fills the contest list and positions the record on
// the selected contest. Returns true when there is a contest (the rules
// button is then enabled); false when there is none, which the main window
// tells the operator (kTextoSinConcursos, titled kTituloSinConcursos).
bool CargarComboConcursos(EstadoConcurso& estado, ListaConcursos& Combo1);
inline constexpr const char* kTextoSinConcursos = "No hay Concursos CONFIGURADOS";
inline constexpr const char* kTituloSinConcursos = "DEFINA ALGUN CONCURSO";
// Closes every shared object (end of run, tests).
void CierraBasesDeDatos(EstadoConcurso& estado);

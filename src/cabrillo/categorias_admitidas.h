#pragma once
// The table of the categories that a contest admits, as printed in the error
// report and in the contest-rules text, and the category words of each
// group of `ResumenCabrillo` with the column that admits each word.
//
// Every printed word is spelled as the category checks accept it ("222",
// "1.2G", "NON-ASSISTED", "12HOURS", "TBWIRES"...), so a participant may
// copy a printed category into the header of the log.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cabrillo/datos_concurso.h"

namespace cabrillo {

// A category word and the `ResumenCabrillo` column that admits it.
struct PalabraCategoria {
  std::string_view palabra;
  Logico FilaResumenCabrillo::*campo;
};

// A group of categories: its not-applicable switch (none for the operator
// group) and its words in the order of the table's columns.
struct GrupoCategorias {
  std::string_view nombre;
  Logico FilaResumenCabrillo::*interruptor;  // nullptr: the group always applies
  std::span<const PalabraCategoria> palabras;

  // The group applies when its switch holds False.
  bool Aplica(const FilaResumenCabrillo& fila) const { return !interruptor || EsFalso(fila.*interruptor); }
  // The word of this group, compared whole and with case; nullptr when none.
  const PalabraCategoria* Busca(std::string_view palabra) const;
};

// Operator words: "SINGLE-OP" `SingleOp`, "MULTI-OP" `MultiOp`.
const GrupoCategorias& GrupoOperador();
const GrupoCategorias& GrupoBanda();       // `BandaNoAplicable`
const GrupoCategorias& GrupoModo();        // `ModoNoAplicable`
const GrupoCategorias& GrupoPotencia();    // `PotenciaNoAplicable`
const GrupoCategorias& GrupoAsistido();    // `AsistidoNoAplicable`
const GrupoCategorias& GrupoTransmisor();  // `TxNoAplicable`
const GrupoCategorias& GrupoEstacion();    // `TipoEstacionNoAplicable`
const GrupoCategorias& GrupoTiempo();      // `TimeNoAplicable`
const GrupoCategorias& GrupoOverlay();     // `OverlayNoAplicable`

class CategoriasAdmitidas {
 public:
  static constexpr std::size_t kMaximo = 500;

  // Entries 1 to Numero(), in order.
  const std::vector<std::string>& Entradas() const { return entradas_; }
  // NumeroCategoriasAdmitidas.
  std::size_t Numero() const { return entradas_.size(); }
  // Entry i, 1-based; empty outside 1..Numero().
  std::string Entrada(std::size_t i) const;
  // True when the contest admits more combinations than the table holds:
  // those beyond kMaximo were left out.
  bool Incompleta() const { return incompleta_; }

  void Limpia();
  // Appends an entry; false (and marks the table incomplete) when full.
  bool Agrega(std::string entrada);
  void MarcaIncompleta() { incompleta_ = true; }

 private:
  std::vector<std::string> entradas_;
  bool incompleta_ = false;
};

// Builds the table of a contest from its name and its `ResumenCabrillo` row
// (nullptr when it has none: the table is then empty). A contest whose
// profile has a fixed table (`concursos::CategoriasDe`) takes it whatever
// its row.
CategoriasAdmitidas GeneraCategoriasAdmitidas(std::string_view nombre_concurso, const FilaResumenCabrillo* fila);

// The lines that head a category error block: TAB "CATEGORÍAS ADMITIDAS:",
// the entries (each behind ".- " and one followed by its remark where the
// contest's profile says so), a blank line, TAB "SUS DATOS:" and the log's category line.
std::vector<std::string> LineasCategoriasAdmitidas(const CategoriasAdmitidas& tabla,
                                                   std::string_view nombre_concurso,
                                                   std::string_view linea_categoria);

}  // namespace cabrillo

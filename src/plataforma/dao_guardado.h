#pragma once
// What a column keeps of a value, without a database: for work that needs
// the values a table would give back but not the rows themselves.
#include <memory>

#include "plataforma/dao.h"

namespace dao {

namespace detalle {
struct Columna;
}

// One column (a field of a table or of a recordset on it), taken once.
class ColumnaGuardada {
 public:
  explicit ColumnaGuardada(const Field& columna);
  // The value the column gives back once `valor` has been stored in it with
  // SetValue and read again: converted to the column's type as SetValue
  // converts it, and refused with the same Error where SetValue refuses it.
  // Nothing is stored.
  Variant Guarda(const Variant& valor) const;
  // The same for a text, without building a Variant: true when the column
  // gives the text back as it is (a text column that holds it); refused with
  // the same Error as Guarda. False, with nothing checked, when the column
  // converts a text: Guarda tells what it gives.
  bool GuardaTextoIgual(std::string_view texto) const;

 private:
  std::shared_ptr<const detalle::Columna> col_;
};

}  // namespace dao

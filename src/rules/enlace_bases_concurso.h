#pragma once
// What the contest-rules window reads of the main window: the contest in
// hand, its folders and its admitted categories; and the main window's
// return when the rules window closes. The main window implements it; the
// tests implement it with a plain struct.
#include <cstdint>
#include <string>
#include <vector>

#include "plataforma/eleccion_impresora.h"

namespace rules {

class EnlaceBasesConcurso {
 public:
  virtual ~EnlaceBasesConcurso() = default;
  // Name (compared exactly with fixed contest names) and edition.
  virtual std::string NombreConcurso() const = 0;
  virtual std::string EdicionConcurso() const = 0;
  // NumeroOrden of the contest in hand: it selects its ResumenCabrillo row.
  virtual std::int32_t NumeroConcurso() const = 0;
  // Working folder (the contest database "Ledrima" is in it) and folder of
  // the contest edition.
  virtual std::string CarpetaTrabajo() const = 0;
  virtual std::string CarpetaConcurso() const = 0;
  // Entries 1..n of the contest's admitted categories, in order.
  virtual std::vector<std::string> CategoriasAdmitidas() const = 0;
  // The printer chosen for the run, which the rules text prints on.
  virtual const plataforma::EleccionImpresora& Impresora() const = 0;
  // Shows the main window again (the rules window has closed).
  virtual void MuestraVentanaPrincipal() = 0;
};

}  // namespace rules

#pragma once
// The cross-check options the benchmarks run with: those of a careful
// organiser, every mismatch annuls and a station without log must figure in
// 3 other logs.
#include "scoring/opciones_anulacion.h"

namespace bancos {

inline scoring::OpcionesAnulacion OpcionesCuidadosas() {
  scoring::OpcionesAnulacion o;
  o.AnularQSOSiNoEstaEN = true;
  o.NumeroListas = "3";
  o.AnularPorBandaDistinta = o.AnularPorModoDistinto = o.AnularPorNoExistir = true;
  o.AnularPorControlesDistintos = o.AnularPorFecha = o.AnularPorFechaDistinta = o.AnularPorRstDistinto = true;
  return o;
}

}  // namespace bancos

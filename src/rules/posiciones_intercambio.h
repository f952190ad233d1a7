#pragma once
// Exchange elements of a QSO line and the column at which each call and
// element begins: the proposal from the contest's exchange options, the
// change rule of an element box and the column arithmetic, on the state of
// the window's element boxes and column fields.
#include <array>
#include <string>
#include <string_view>

#include "rules/enlace_formato_cabrillo.h"
#include "rules/perfil_cabrillo.h"

namespace rules {

// Element boxes (indexed by Elemento) and column field texts (indexed by
// Columna). The column field of an element is enabled exactly while its box is
// ticked; the two call fields are always enabled.
struct EstadoIntercambio {
  std::array<bool, 8> marcado{};
  std::array<std::string, 10> columna;
};

// Column field of an element (kRstEnviado -> kMiRst, ...).
Columna ColumnaDeElemento(Elemento e);

// Rewrites every column of both sides from the ticked elements (own call at
// 31; steps of 14 after a call, 4 after an RST, 5 after a serial number, 7
// after letters or a locator). For a contest whose profile fixes the
// received columns (`concursos::ColumnasFijas`) both serial numbers are
// unticked and the received call, RST and letters take those columns.
void CalculaPosiciones(EstadoIntercambio& estado, std::string_view nombreConcurso);

// Change rule of an element box: the box takes the value, an unticked
// element's column is emptied, and every column is computed again. Setting
// a box to the value it already has does nothing.
void CambiaElemento(EstadoIntercambio& estado, Elemento e, bool valor, std::string_view nombreConcurso);

// Proposes the elements of each side that has none ticked (RST always, then
// serial number, locator and letters from the contest's options) and
// computes the columns.
void AsignaControlesPorDefecto(EstadoIntercambio& estado, const OpcionesIntercambio& opciones,
                               std::string_view nombreConcurso);

}  // namespace rules

#pragma once
// Checks of the Cabrillo format window before its row is written, and the
// row built from what the window holds.
#include <optional>
#include <string>
#include <string_view>

#include "plataforma/mensajes.h"
#include "rules/perfil_cabrillo.h"
#include "rules/posiciones_intercambio.h"

namespace rules {

// What the window holds: category boxes, element boxes and column fields,
// mailbox and subject.
struct FormularioCabrillo {
  ResumenCabrillo categorias;  // only its category boxes are used
  EstadoIntercambio intercambio;
  std::string EMailConcurso;
  std::string AsuntoConcurso;
  // The two optional texts the contest record keeps.
  std::string EMailReclamaciones;
  std::string WEBConcurso;
};

// A refused check: the message box to show and the control that takes the
// focus (empty: the focus does not move).
struct FalloVerificacion {
  std::string mensaje;
  std::string titulo;
  plataforma::Icono icono = plataforma::Icono::Ninguno;
  std::string foco;
};

// Longest mailbox or subject the row holds (characters).
inline constexpr std::size_t kLongitudTextoResumen = 64;
// Characters of the contest record's claims mailbox and web address.
inline constexpr std::size_t kLongitudTextoConcurso = 64;
// Columns of a QSO line are whole numbers from 1 to this.
inline constexpr int kColumnaMaxima = 100;

// Numeric test of a field: empty or blanks become "0" and pass; "-" alone or
// a text that reads as a number passes.
bool EsTextoNumerico(std::string& texto);

// The checks in order; the first that fails is returned. The column fields of
// unticked elements are set to "0" on the way, and a column field of blanks
// becomes "0" (which is then refused as a column).
std::optional<FalloVerificacion> VerificaFormatoCabrillo(FormularioCabrillo& formulario);

// The row to write from a window that passed the checks. For the contests
// whose exchange carries points (concursos::PuntosEnIntercambioAlGuardar)
// the points layout is set over the columns.
ResumenCabrillo ResumenDesdeFormulario(const FormularioCabrillo& formulario, std::string_view nombreConcurso);

// Control names of the element boxes and column fields, in Elemento and
// Columna order.
std::string_view ControlElemento(Elemento e);
std::string_view ControlColumna(Columna c);

}  // namespace rules

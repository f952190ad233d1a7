#pragma once
// The Cabrillo profile of a contest: its row of ResumenCabrillo (admitted
// categories in nine groups, exchange elements, their columns in a QSO line,
// mailbox and subject pattern), the category groups with their captions and
// keywords, the keyword of each group and the interlocks between the boxes.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rules {

// One Boolean category column of the row (ordinals 1 to 58).
struct ColumnaCategoria {
  std::string_view campo;    // column name as stored ("ALL", "UnLimited")
  std::string_view control;  // check box of the format window ("ALL", "Unlimited")
  std::string_view palabra;  // Cabrillo keyword, also the caption of the box
};

// A category group: its title, its not-applicable column (none for the
// operator group) and its value columns in row order, which is also the order
// in which the keyword of the group is looked for.
struct GrupoCategorias {
  std::string_view titulo;       // "BANDA"
  std::string_view noAplicable;  // "BandaNoAplicable"; empty for the operator group
  std::size_t primero;           // index in ColumnasCategoria() of its first value
  std::size_t cuantos;           // number of values
  std::string_view mensaje;      // check message when no value is ticked
};

inline constexpr std::size_t kNumeroColumnasCategoria = 58;
inline constexpr std::size_t kNumeroGrupos = 9;

// The 58 category columns in row order (index 0 is ordinal 1, `SingleOp`).
std::span<const ColumnaCategoria, kNumeroColumnasCategoria> ColumnasCategoria();
// Operator, band, mode, power, assisted, transmitter, station type, time,
// overlay: row order, which is also the order of the checks.
std::span<const GrupoCategorias, kNumeroGrupos> GruposCategorias();
// Index of a category column by column or box name, without regard to case.
std::optional<std::size_t> IndiceCategoria(std::string_view nombre);
// Group of a category column index.
const GrupoCategorias& GrupoDe(std::size_t indice);

// Exchange elements, in row order of their flags.
enum Elemento : std::size_t {
  kRstEnviado, kNumeralEnviado, kLetrasEnviadas, kLocatorEnviado,
  kRstRecibido, kNumeralRecibido, kLetrasRecibidas, kLocatorRecibido,
};
// Columns of a QSO line, in row order.
enum Columna : std::size_t {
  kMiIndicativo, kMiRst, kMiNumero, kMisLetras, kMiLocator,
  kSuIndicativo, kSuRst, kSuNumero, kSusLetras, kSuLocator,
};
std::span<const std::string_view, 8> CamposElemento();    // "RstEnviado", ...
std::span<const std::string_view, 10> CamposColumna();    // "MiIndicativo", ...

// The stored row.
struct ResumenCabrillo {
  std::array<bool, kNumeroColumnasCategoria> categorias{};
  std::array<bool, 8> elementos{};
  std::array<int, 10> columnas{};
  std::string EMailConcurso;
  std::string AsuntoConcurso;
  // Points layout: written only for the contests whose exchange carries
  // points (concursos::PuntosEnIntercambioAlGuardar); nullopt means "not
  // written" (keeps what is stored).
  std::optional<bool> PuntosEnviados;
  std::optional<bool> PuntosRecibidos;
  std::optional<int> MisPuntos;
  std::optional<int> SusPuntos;

  // Category by column or box name (without regard to case); an unknown name
  // reads false and is ignored when set.
  bool Categoria(std::string_view nombre) const;
  void PonCategoria(std::string_view nombre, bool valor);
};

// Reads a Boolean column by name; true only when it holds True (False and
// no value both read false).
using LectorCampoLogico = std::function<bool(std::string_view campo)>;

// Keyword of the first set column of a group in row order, or "" when the
// group is not applicable or nothing in it is set.
std::string ValorCategoriaOperador(const LectorCampoLogico& fila);
std::string ValorCategoriaBanda(const LectorCampoLogico& fila);
std::string ValorCategoriaModo(const LectorCampoLogico& fila);
std::string ValorCategoriaPotencia(const LectorCampoLogico& fila);
std::string ValorCategoriaTiempo(const LectorCampoLogico& fila);
std::string ValorCategoriaAsistido(const LectorCampoLogico& fila);
std::string ValorCategoriaTransmisor(const LectorCampoLogico& fila);
std::string ValorCategoriaOverlay(const LectorCampoLogico& fila);
std::string ValorCategoriaTipoEstacion(const LectorCampoLogico& fila);
// A reader over a loaded row.
LectorCampoLogico LectorDe(const ResumenCabrillo& fila);

// Interlocks of the category boxes: the boxes that become unticked when the
// box `control` takes the value `valor`. A value ticked unticks the
// not-applicable box of its group (not in the operator group); a
// not-applicable box ticked unticks every value of its group (the assisted
// group included); unticking changes nothing else.
std::vector<std::string_view> CasillasQueDesmarca(std::string_view control, bool valor);
// Sets a category box of the row and applies its interlock; setting a box to
// the value it already has does nothing.
void CambiaCategoria(ResumenCabrillo& fila, std::string_view control, bool valor);

// Initial state of the window: SINGLE-OP and the eight not-applicable boxes.
ResumenCabrillo PerfilInicial();

}  // namespace rules

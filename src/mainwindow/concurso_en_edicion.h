#pragma once
// The contest in the editor, without a window: the operation in progress,
// the record's text boxes with their input locks, the bands and modes, the 59
// option columns with what each one's change does to the others (the
// interlocks), the enabled state of the option boxes and of the list buttons,
// the captions of the period boxes, the box the focus should go to, the
// suffix format, and the checks of the options before a save.
//
// The interlocks run as a chain: a change of one option's value runs its
// rule, which may change other options, each of which runs its own rule in
// turn; setting an option to the value it already has runs nothing, which
// ends every chain.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "database/listas_ocultas.h"
#include "mainwindow/campos_editor.h"

namespace principal {

class RegistroConcurso;
struct EstadoListasConcurso;

// What the contest editor is doing.
enum class OperacionEditor { Ninguna, Alta, Consulta, Modificar, Borrar };

// The option columns of a contest, in the order a load sets them: each
// name is the option, its column in the contest table and its box in the
// editor's forms, except two boxes spelled otherwise than their columns,
// given as D(column, box). The one list the enum, the column names and the
// window's boxes are all made from: first the exchange and repeat options
// (boxes of the main form), then the multiplier options (boxes of the
// multipliers panel).
// clang-format off
#define TROVALIS_OPCIONES_INTERCAMBIO(X, D) \
  X(EnviarNumeral) X(EnviarLocator) X(EnviarSiglas) X(RecibirNumeral) \
  X(RecibirLocator) X(RecibirSiglas) X(RecibirPuntos) D(RecibirPuntosPorKm, RecibirPuntosPorKM) \
  X(SiglasONumeral) X(NoRepetir) X(RepetirEstacion) X(RepetirEnCadaBanda) \
  X(RepetirEnCadaModo) X(RepetirCadaHoras)
#define TROVALIS_OPCIONES_MULTIPLICADORES(X, D) \
  X(Multiplicadores) X(CadaModo) X(CadaDia) X(CadaBanda) \
  X(CadaCuadricula) X(CadaEstacion) X(CadaPais) X(CadaPrefijo) \
  X(CadaSufijo) X(CadaProv) X(CadaDistrito) X(CadaCq) \
  X(Otros) X(CuadriculaPorBanda) X(EstacionPorBanda) X(PaisPorBanda) \
  X(PrefijoPorBanda) X(SufijoPorBanda) X(ProvPorBanda) X(DistritoPorBanda) \
  X(OtrosPorBanda) X(CqPorBanda) X(CuadriculaPorDia) X(EstacionPorDia) \
  X(PaisPorDia) X(PrefijoPorDia) X(SufijoPorDia) X(ProvPorDia) \
  X(DistritoPorDia) X(OtrosPorDia) D(CqPorDia, CQPorDia) X(CuadriculaPorModo) \
  X(EstacionPorModo) X(PaisPorModo) X(PrefijoPorModo) X(SufijoPorModo) \
  X(ProvPorModo) X(DistritoPorModo) X(OtrosPorModo) X(CqPorModo) \
  X(ExcluirPais) X(ExcluirPrefijo) X(ExcluirProv) X(ExcluirDistrito) \
  X(ExcluirCq)
#define TROVALIS_OPCIONES(X, D) TROVALIS_OPCIONES_INTERCAMBIO(X, D) TROVALIS_OPCIONES_MULTIPLICADORES(X, D)
// clang-format on

#define TROVALIS_OPCION_ENUM(nombre) nombre,
#define TROVALIS_OPCION_ENUM_D(columna, casilla) columna,
enum class Opcion : int { TROVALIS_OPCIONES(TROVALIS_OPCION_ENUM, TROVALIS_OPCION_ENUM_D) };
#undef TROVALIS_OPCION_ENUM_D
#undef TROVALIS_OPCION_ENUM
#define TROVALIS_OPCION_CUENTA(nombre) +1
#define TROVALIS_OPCION_CUENTA_D(columna, casilla) +1
inline constexpr int kNumeroOpciones = 0 TROVALIS_OPCIONES(TROVALIS_OPCION_CUENTA, TROVALIS_OPCION_CUENTA_D);
#undef TROVALIS_OPCION_CUENTA_D
#undef TROVALIS_OPCION_CUENTA
static_assert(kNumeroOpciones == 59);

// The column of an option, as the contest table names it.
std::string_view ColumnaOpcion(Opcion o);
// Every option in the order a load sets them, and in the order a save
// writes them.
const std::array<Opcion, kNumeroOpciones>& OpcionesEnOrdenDeCarga();
const std::array<Opcion, kNumeroOpciones>& OpcionesEnOrdenDeGrabacion();

// The buttons that open the reference list of a multiplier type.
enum class BotonLista : int { PaisesExc, Prefijos, SiglasValidas, DistritosValidos, ZonaExcluida, Sufijo, EstEsp };
inline constexpr int kNumeroBotonesLista = 7;

// The boxes whose caption tells whether the period applies to every
// multiplier ("x") or adds to the types ("+").
enum class Periodo : int { Banda, Dia, Modo };

// The suffix format of the contest (its five parts).
struct FormatoSufijoConcurso {
  bool PrimerNumero = false, PrimeraLetra = false, SegundaLetra = false, TerceraLetra = false, UltimaLetra = false;
  bool Alguno() const { return PrimerNumero || PrimeraLetra || SegundaLetra || TerceraLetra || UltimaLetra; }
  friend bool operator==(const FormatoSufijoConcurso&, const FormatoSufijoConcurso&) = default;
};

// The values of the contest in hand that its row holds beside the editor's:
// the exclude-own options and the claims and web texts (the run's context
// keeps them; the list and format windows change them).
struct ValoresCompartidos {
  bool ExcluirMismaProv = false, ExcluirMismoDist = false, ExcluirMismoPais = false, ExcluirMismoPrefijo = false,
       ExcluirMismaZonaCQ = false;
  std::string CorreoReclamaciones, DireccionWebConcurso;
};

class ConcursoEnEdicion {
 public:
  ConcursoEnEdicion();

  // ---- What the rules read.
  OperacionEditor Operacion = OperacionEditor::Ninguna;
  // A contest is being created or modified.
  bool Editando() const { return Operacion == OperacionEditor::Alta || Operacion == OperacionEditor::Modificar; }
  // Name of the contest in hand: some contests keep options that the
  // interlocks would otherwise change.
  std::string NombreConcurso;

  // ---- The record.
  std::array<std::string, kNumeroCamposTexto> Textos{};
  // A closed text box refuses typing.
  std::array<bool, kNumeroCamposTexto> Cerrado{};
  // The hours box is the one text box that is ever disabled.
  bool HorasHabilitado = false;
  std::array<bool, kNumeroBandas> Bandas{};
  std::array<bool, kNumeroModos> Modos{};
  FormatoSufijoConcurso Sufijo;
  // The 24 working lists of the contest (listas::Grupos), as the list
  // editors leave them and as a create or a save stores them.
  listas::ListasOcultas Listas = listas::ListasVacias();

  bool Valor(Opcion o) const { return valores_[Indice(o)]; }
  bool Habilitada(Opcion o) const { return habilitadas_[Indice(o)]; }
  bool BotonHabilitado(BotonLista b) const { return botones_[static_cast<std::size_t>(b)]; }
  const std::string& Leyenda(Periodo p) const { return leyendas_[static_cast<std::size_t>(p)]; }
  // Text box the last rule sent the focus to (only while editing); -1 none.
  int Foco = -1;

  // Sets a value as it stands, running no rule (reading the state in).
  void PonValor(Opcion o, bool valor) { valores_[Indice(o)] = valor; }
  void PonHabilitada(Opcion o, bool habilitada) { habilitadas_[Indice(o)] = habilitada; }
  void PonBotonHabilitado(BotonLista b, bool habilitado) { botones_[static_cast<std::size_t>(b)] = habilitado; }
  void PonLeyenda(Periodo p, std::string texto) { leyendas_[static_cast<std::size_t>(p)] = std::move(texto); }

  // ---- The interlocks.
  // Changes an option's value; a change runs its rule (and on down the
  // chain). The same value runs nothing.
  void Cambia(Opcion o, bool valor);
  // Runs the rule of an option whose value has just changed to Valor(o).
  void OpcionCambiada(Opcion o);
  // The exclude boxes from their types: with neither the type nor its band
  // variant ticked the box is unticked and disabled; otherwise enabled only
  // while editing.
  void ActualizaExclusiones();
  // The list buttons and the period captions from the type boxes; the grid
  // square excludes every type but the multiplier stations, and a type that
  // is not ticked loses its period variants.
  void ActualizaBotonesConfiguracion();
  // Unticks the multiplier boxes, each with its rule.
  void DesmarcaMultiplicadores();
  // Enables or disables the 44 multiplier boxes.
  void HabilitaMultiplicadores(bool habilitar);

  // ---- The record's options.
  // Sets every option from the row in load order, each change with its rule.
  void CargaOpciones(const RegistroConcurso& fila);
  // Writes every option into the row, in save order.
  void GrabaOpciones(RegistroConcurso& fila) const;
  // Writes the text boxes, bands, modes, the shared values and the suffix
  // format (all unset without suffix multipliers) into the row; a create or
  // a save then writes the options (GrabaOpciones).
  void GrabaCampos(RegistroConcurso& fila, const ValoresCompartidos& compartidos) const;

  // ---- Checks before a save.
  bool HayBanda() const;
  bool HayModo() const;
  // What the reference-list check needs of the contest: its options, the
  // item count of each list and the suffix format (the exclude-own option
  // and the categories are the caller's).
  void PonOpcionesEn(EstadoListasConcurso& estado) const;
  // The options that decide which working lists a create or a save stores.
  listas::OpcionesListas OpcionesDeListas() const;
  // Items of a working list by name, without regard to case; empty when
  // there is no such list.
  std::vector<std::string> Lista(std::string_view nombre) const;
  // Replaces a working list (by name, without regard to case); a name that
  // is no working list changes nothing.
  void PonLista(std::string_view nombre, std::vector<std::string> items);
  // Empties every working list.
  void LimpiaListas();

 private:
  static std::size_t Indice(Opcion o) { return static_cast<std::size_t>(o); }
  void Marca(Opcion o) { Cambia(o, true); }
  void Desmarca(Opcion o) { Cambia(o, false); }
  void Enfoca(int campo);
  void CierraHoras();

  std::array<bool, kNumeroOpciones> valores_{};
  std::array<bool, kNumeroOpciones> habilitadas_{};
  std::array<bool, kNumeroBotonesLista> botones_{};
  std::array<std::string, 3> leyendas_;
};

}  // namespace principal

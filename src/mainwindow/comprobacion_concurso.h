#pragma once
// The checks of the contest in the editor before a create or a save, without
// a window: the typed fields by the types of their columns, the contest data
// (name, edition, folder, period, bands, modes, repeat hours, multiplier
// types) and the reference lists the options ask for, in that order. The
// first check that fails gives the notice for the operator and the box
// where the correction goes; the texts come back with the normalisations
// of the steps that passed, as the editor then shows them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mainwindow/campos_editor.h"
#include "mainwindow/concurso_en_edicion.h"

namespace principal {

// What the checks ask of the stored contests.
class ConsultasComprobacion {
 public:
  virtual ~ConsultasComprobacion() = default;
  // A stored contest has this name and this edition.
  virtual bool HayConNombreYEdicion(const std::string& nombre, const std::string& edicion) = 0;
  // Another contest (not `numero`) whose folder would be the one of this
  // name and edition: its name and edition.
  struct OtroConcurso {
    std::string Nombre, Edicion;
  };
  virtual std::optional<OtroConcurso> OtroEnLaMismaCarpeta(const std::string& nombre, const std::string& edicion,
                                                           std::int32_t numero) = 0;
  // The contest `numero` has its row of admitted categories.
  virtual bool HayCategorias(long numero) = 0;
};

enum class IconoAviso { Error, Pregunta, Informacion };

// A notice for the operator, with a beep before it when asked.
struct AvisoComprobacion {
  std::string Texto;
  std::string Titulo;
  IconoAviso Icono = IconoAviso::Error;
  bool Pitido = false;
  friend bool operator==(const AvisoComprobacion&, const AvisoComprobacion&) = default;
};

// The focus after a failed check: a text box, or the master multiplier box.
inline constexpr int kFocoMultiplicadores = -2;

struct ResultadoComprobacion {
  bool Correcto = true;
  // The notice to show (a failed time may fail without one).
  std::optional<AvisoComprobacion> Aviso;
  // Where the correction goes: a text box or kFocoMultiplicadores; -1 none.
  int Foco = -1;
  // The hours box is opened again (enabled, unlocked) for the correction:
  // a box closed by the repeat options must take the hours it lacks.
  bool AbreHoras = false;
};

// What the checks need besides the contest.
struct EntornoComprobacion {
  // The column types of the contest table, in table order.
  std::vector<TipoColumna> Tipos;
  // The name of the contest in hand before the edit; a different typed
  // name must not be taken with the same edition.
  std::string NombreEnCurso;
  // The exclude-own-country option of the contest.
  bool ExcluirMismoPais = false;
};

// The number in a number box: blanks around it are ignored; anything but
// an optional sign and digits reads as 0.
std::int32_t NumeroDeCaja(std::string_view texto);

// Runs the checks on `concurso` (its texts, bands, modes, options, suffix
// format and working lists). `concurso.Textos` is left as the editor shows
// it afterwards: the typed fields normalised once their pass succeeded, the
// name, edition, number and period once the period passed, the repeat
// hours once they passed.
ResultadoComprobacion CompruebaConcurso(ConcursoEnEdicion& concurso, const EntornoComprobacion& entorno,
                                        ConsultasComprobacion& consultas);

}  // namespace principal

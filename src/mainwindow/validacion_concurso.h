#pragma once
// Rules of the contest checks before a create or a save that need no
// window: the folder of another contest, the date as typed rebuilt from its fixed positions, the points of
// the points grid, the order of the contest period, and which reference list
// an active multiplier option still lacks.
#include <string>
#include <string_view>

namespace principal {

// A date typed in the editor rebuilt from fixed positions: two characters of
// day; the month from the third character, or the fourth when the third is
// "-" or "/"; the year two characters after the month, or three when the
// character there is "-" or "/", up to four characters. The result is day,
// "-", month, "-", year; anything after the year is dropped.
std::string RehaceFecha(std::string_view campo);

// The notice of a name and edition whose folder (`carpeta`) would be that
// of another stored contest, which it names.
std::string MensajeCarpetaDeOtroConcurso(std::string_view carpeta, std::string_view nombreOtro,
                                         std::string_view edicionOtro);
inline constexpr std::string_view kTituloCarpetaDeOtroConcurso = "VERIFICAR NOMBRE DEL CONCURSO";

// The date check of the editor: the text is rebuilt (RehaceFecha); a
// two-digit year is widened (00-29: 20xx, 30-99: 19xx); the result must be
// a valid calendar date "dd-mm-yyyy". True: `campo` holds "dd-mm-yyyy".
// False: `campo` keeps its rebuilt form. A blank text is not examined here.
bool NormalizaFecha(std::string& campo);

// A box of the points grid: empty, or a whole number (an optional "-" and
// digits), since the scoring reads it as a number.
bool EsPuntuacionValida(std::string_view texto);

// The contest period: start ("dd-mm-yyyy" and "hh:mm") earlier than the end.
// A text that is not a date and time makes the answer false.
bool ComienzoAnteriorAlFinal(std::string_view desdeDia, std::string_view desdeHora, std::string_view hastaDia,
                             std::string_view hastaHora);

// What the multiplier options ask of the reference lists of the contest in
// hand: the boxes ticked, the item count of each list, the suffix format and
// the exclude-own-country option, and whether the contest has its row of
// admitted categories.
struct EstadoListasConcurso {
  bool CadaProv = false, ExcluirProv = false, CadaDistrito = false, ExcluirDistrito = false;
  bool CadaEstacion = false, EstacionPorBanda = false;
  bool CadaPais = false, ExcluirPais = false, CadaPrefijo = false, ExcluirPrefijo = false;
  bool CadaCq = false, ExcluirCq = false, CadaSufijo = false;
  int ListaProv = 0, ListaExProv = 0, ListaDistritos = 0, ListaExDistritos = 0, ListaMultEstEsp = 0;
  int ListaExPaises = 0, ListaExPrefijos = 0, ListaExZonasCq = 0;
  bool FormatoSufijo = false;  // some part of the suffix format is set
  bool OpcionExcluirMismoPais = false;
  bool HayCategorias = false;  // the contest's row of ResumenCabrillo exists
};

// The operator's notice for a missing list: two lines and a title.
struct AvisoListaConcurso {
  std::string_view Primera;
  std::string_view Segunda;
  std::string_view Titulo;
  // The box text: first line, two line feeds, second line.
  std::string Texto() const;
};

// The first check (1 to 10, in order) that fails, or 0 when none does.
int PrimeraListaQueFalta(const EstadoListasConcurso& estado);
// Notice of a failing check 1 to 10.
const AvisoListaConcurso& AvisoListaQueFalta(int comprobacion);

}  // namespace principal

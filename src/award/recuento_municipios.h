#pragma once
// The count of one station's merged award log: which municipalities of the
// table it contacted, how many per district, the three award levels, and
// the blank-padded entry lines the award window shows in its fixed-pitch
// statistics lists.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "award/municipios.h"

namespace award {

// The municipality code of a QSO line: its tenth field counted from the
// character after "QSO:" (frequency, mode, date, time, own call, sent
// report, sent code, worked call, received report, received code). Fields
// are separated as in every Cabrillo QSO line: runs of blanks, one TAB, or
// one TAB followed by blanks. A line with fewer than ten fields gives the
// empty text.
void ExtraeDmeLineaQso(std::string_view linea, std::string& codigo);

// Column factor of the entry lines: the award window's outer width in twips
// (1/1440 inch) divided by 9600, rounded to the nearest whole number with a
// half going to the even neighbour. Never below 1, so that the entries keep
// room for the code and the names in a narrow window.
int FactorColumnas(long anchura_twips);

// What the count of one log leaves.
struct RecuentoMunicipios {
  // Distinct municipalities found per district, [1..10] (index 0 unused).
  std::array<std::int16_t, kNumeroComarcas + 1> ContactadosPorComarca{};
  // The municipality of [district][slot] was found.
  std::array<std::array<bool, kHuecosPorComarca + 1>, kNumeroComarcas + 1> MunicipioContactado{};
  // One entry per municipality, in the order of its first QSO: code in
  // columns 1-5, the name (at most 15 characters) from column 7k, the
  // district from column 24k, in a text of 140k characters.
  std::vector<std::string> ListaDME;
};

// Counts a log given as its lines in file order. The count stops at the
// first line that begins with "END-OF-LOG:"; only lines that begin with
// "QSO:" are read (both tested from the first character, letter case
// significant); a code that is no municipality of the table is passed over,
// and a municipality is counted once however many QSOs reach it.
RecuentoMunicipios CargaMunicipiosContactados(const std::vector<std::string>& fichero_cabrillo, int k);

// The minimum count of each district for each level, [1..10].
using MinimosNivel = std::array<std::int16_t, kNumeroComarcas + 1>;
inline constexpr MinimosNivel kMinimosBronce = {0, 3, 4, 4, 3, 1, 2, 4, 3, 6, 4};
inline constexpr MinimosNivel kMinimosPlata = {0, 6, 7, 7, 5, 3, 5, 8, 5, 13, 9};
inline constexpr MinimosNivel kMinimosOro = {0, 9, 11, 11, 8, 4, 7, 12, 8, 19, 13};

// Every district reaches the level's minimum.
bool CumpleNivel(const RecuentoMunicipios& recuento, const MinimosNivel& minimos);
bool CumpleDiplomaBronce(const RecuentoMunicipios& recuento);
bool CumpleDiplomaPlata(const RecuentoMunicipios& recuento);
bool CumpleDiplomaOro(const RecuentoMunicipios& recuento);

// Entries of the list of districts: per district 1 to 10, its name from
// column 1 and its count from column 20k, in a text of 140k characters.
std::vector<std::string> EntradasComarcas(const RecuentoMunicipios& recuento, int k);
// Entries of the contacted municipalities of one district (1..10), in slot
// order: code from column 1, name from column 8k. Empty for a district out
// of range.
std::vector<std::string> EntradasMunicipiosComarca(const RecuentoMunicipios& recuento, int comarca, int k);

// Column heads over the three lists, laid out as their entries.
std::string CabeceraListaDME(int k);
std::string CabeceraListaComarcas(int k);
std::string CabeceraListaMunicipios(int k);

}  // namespace award

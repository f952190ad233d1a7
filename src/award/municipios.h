#pragma once
// The municipality table of the award: ten districts (comarcas), each with
// up to 19 municipalities, every municipality with its name and its
// five-digit code. The table is constant data of the program: it is there
// whenever a log is checked or a merged award log is counted, whichever
// contest was made current first in the run.
#include <array>
#include <cstdint>
#include <string_view>

namespace award {

inline constexpr int kNumeroComarcas = 10;
inline constexpr int kHuecosPorComarca = 19;

// One cell of the table. The municipalities of a district fill its slots
// from 1 upward; a slot without a municipality has three empty texts.
struct CeldaMunicipio {
  std::string_view Comarca;
  std::string_view Municipio;
  std::string_view Codigo;  // five decimal digits

  bool Vacia() const { return Codigo.empty(); }
};

// Indexed [district 1..10][slot 1..19]; index 0 of either is never used
// and holds empty cells.
using TablaDeMunicipios = std::array<std::array<CeldaMunicipio, kHuecosPorComarca + 1>, kNumeroComarcas + 1>;

const TablaDeMunicipios& TablaMunicipios();

// The district and slot of the municipality whose code equals the given
// one (exact comparison); `comarca` and `hueco` are left as they were when
// no municipality has that code. An empty code is no municipality.
void BuscaMunicipio(std::string_view codigo, std::int16_t& comarca, std::int16_t& hueco);

// True when the code is the code of a municipality of the table. False for
// any other text, the empty one included, and for a code with anything
// before or after its five digits.
bool EsDmeValido(std::string_view codigo);

}  // namespace award

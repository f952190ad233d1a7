#include "rules/posiciones_intercambio.h"

#include <string>

namespace rules {
namespace {

// Step after the token in each column of a side: call, RST, serial, letters,
// locator.
constexpr std::array<int, 5> kPasos = {14, 4, 5, 7, 7};

int Numero(const std::string& texto) { return std::stoi(texto); }

// Columns of one side: `base` is the call column; elements follow in the
// order RST, serial number, letters, locator, each after the nearest
// non-empty column before it.
void CalculaLado(EstadoIntercambio& estado, std::size_t base, std::size_t primerElemento) {
  for (std::size_t k = 1; k <= 4; ++k) {
    if (!estado.marcado[primerElemento + k - 1]) continue;
    for (std::size_t j = k; j-- > 0;) {
      const std::string& anterior = estado.columna[base + j];
      if (!anterior.empty()) {
        estado.columna[base + k] = std::to_string(Numero(anterior) + kPasos[j]);
        break;
      }
    }
  }
}

}  // namespace

Columna ColumnaDeElemento(Elemento e) {
  const std::size_t i = e;
  return i < kRstRecibido ? static_cast<Columna>(std::size_t{kMiRst} + i)
                          : static_cast<Columna>(std::size_t{kSuRst} + (i - kRstRecibido));
}

void CalculaPosicionesEnviadas(EstadoIntercambio& estado) {
  for (std::size_t c = kMiRst; c <= kMiLocator; ++c) estado.columna[c].clear();
  estado.columna[kMiIndicativo] = "31";
  CalculaLado(estado, kMiIndicativo, kRstEnviado);
}

void CalculaPosicionesRecibidas(EstadoIntercambio& estado, std::string_view nombreConcurso) {
  for (std::size_t c = kSuRst; c <= kSuLocator; ++c) estado.columna[c].clear();
  // The worked call follows the last sent token.
  for (std::size_t c = kMiLocator + 1; c-- > kMiIndicativo;) {
    if (!estado.columna[c].empty()) {
      estado.columna[kSuIndicativo] = std::to_string(Numero(estado.columna[c]) + kPasos[c - kMiIndicativo]);
      break;
    }
  }
  CalculaLado(estado, kSuIndicativo, kRstRecibido);

  struct Fijas { std::string_view nombre; int indicativo, rst, letras; };
  static constexpr Fijas kFijas[] = {{"VGE SPRINT", 57, 71, 75}, {"CONCURSO DIE", 58, 72, 76}};
  for (const Fijas& f : kFijas) {
    if (nombreConcurso != f.nombre) continue;
    // Each untick that changes a box runs its change rule, which computes
    // the columns again without the serial number.
    CambiaElemento(estado, kNumeralEnviado, false, nombreConcurso);
    CambiaElemento(estado, kNumeralRecibido, false, nombreConcurso);
    estado.columna[kSuIndicativo] = std::to_string(f.indicativo);
    estado.columna[kSuRst] = std::to_string(f.rst);
    estado.columna[kSusLetras] = std::to_string(f.letras);
  }
}

void CalculaPosiciones(EstadoIntercambio& estado, std::string_view nombreConcurso) {
  CalculaPosicionesEnviadas(estado);
  CalculaPosicionesRecibidas(estado, nombreConcurso);
}

void CambiaElemento(EstadoIntercambio& estado, Elemento e, bool valor, std::string_view nombreConcurso) {
  if (estado.marcado[e] == valor) return;
  estado.marcado[e] = valor;
  if (!valor) estado.columna[ColumnaDeElemento(e)].clear();
  CalculaPosiciones(estado, nombreConcurso);
}

void AsignaControlesPorDefecto(EstadoIntercambio& estado, const OpcionesIntercambio& opciones,
                               std::string_view nombreConcurso) {
  auto propone = [&](Elemento rst, bool numeral, bool locator, bool siglas) {
    for (std::size_t k = 0; k < 4; ++k) {
      if (estado.marcado[rst + k]) return;  // a side with a ticked element keeps it
    }
    CambiaElemento(estado, rst, true, nombreConcurso);
    if (numeral) {
      CambiaElemento(estado, static_cast<Elemento>(rst + 1), !opciones.SiglasONumeral, nombreConcurso);
    }
    if (locator) CambiaElemento(estado, static_cast<Elemento>(rst + 3), true, nombreConcurso);
    if (siglas) CambiaElemento(estado, static_cast<Elemento>(rst + 2), true, nombreConcurso);
  };
  propone(kRstEnviado, opciones.EnviarNumeral, opciones.EnviarLocator, opciones.EnviarSiglas);
  propone(kRstRecibido, opciones.RecibirNumeral, opciones.RecibirLocator, opciones.RecibirSiglas);
  CalculaPosiciones(estado, nombreConcurso);
}

}  // namespace rules

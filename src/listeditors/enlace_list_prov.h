#pragma once
// What the multiplier reference lists window reads and writes of the main
// window besides the working lists: the option boxes that put each kind of
// multiplier in use, the suffix format and the exclude-own options of the
// contest in hand.
#include <array>
#include <string_view>

#include "listeditors/enlace_listas.h"

namespace listeditors {

// PrimerNumero, PrimeraLetra, SegundaLetra, TerceraLetra, UltimaLetra.
using FormatoSufijo = std::array<bool, 5>;
// Own province, district, country, prefix and CQ zone excluded.
using ExcluirPropios = std::array<bool, 5>;

class EnlaceListProv : public EnlaceListas {
 public:
  // An option box of the contest editor by name ("CadaProv",
  // "ProvPorBanda"...): ticked or not.
  virtual bool OpcionMarcada(std::string_view nombre) const = 0;
  virtual FormatoSufijo Sufijo() const = 0;
  virtual void PonSufijo(const FormatoSufijo& formato) = 0;
  virtual ExcluirPropios Exclusiones() const = 0;
  virtual void PonExclusiones(const ExcluirPropios& opciones) = 0;
};

}  // namespace listeditors

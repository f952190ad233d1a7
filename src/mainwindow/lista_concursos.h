#pragma once
// The contest list that the start-up fills: entries kept sorted by their text
// without regard to letter case, each carrying its contest number.
#include <cstdint>
#include <string>

namespace principal {

class ListaConcursos {
 public:
  virtual ~ListaConcursos() = default;
  virtual void Limpia() = 0;
  // Adds an entry at its sorted place.
  virtual void Agrega(const std::string& texto, std::int32_t numero) = 0;
  virtual int Cuenta() const = 0;
  virtual std::string Texto(int indice) const = 0;
  virtual std::int32_t Numero(int indice) const = 0;
  // Selects an entry (-1: none).
  virtual void Selecciona(int indice) = 0;
  virtual int Seleccionado() const = 0;  // -1 when none
  // First entry whose number is `numero`; -1 when none.
  int BuscaNumero(std::int32_t numero) const {
    for (int i = 0; i < Cuenta(); ++i)
      if (Numero(i) == numero) return i;
    return -1;
  }
};

}  // namespace principal

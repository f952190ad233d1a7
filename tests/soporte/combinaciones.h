// Every text made of up to a given number of pieces, for tests that hold a
// function against a reference over all the short inputs its pieces make.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace soporte {

// The empty text, then every text of one piece, of two and so on up to
// `largo` pieces, in that order.
inline std::vector<std::string> Combinaciones(const std::vector<std::string>& piezas, std::size_t largo) {
  std::vector<std::string> textos = {""};
  for (std::size_t desde = 0, n = 0; n < largo; ++n) {
    const std::size_t hasta = textos.size();
    for (std::size_t i = desde; i < hasta; ++i)
      for (const std::string& p : piezas) textos.push_back(textos[i] + p);
    desde = hasta;
  }
  return textos;
}

}  // namespace soporte

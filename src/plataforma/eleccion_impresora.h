#pragma once
// The printer a run prints on, as the operator chose it: an installed
// printer by device name, a PDF file, or (both empty) the default printer.
// The run's context holds it; the windows that print are given it.
#include <string>

namespace plataforma {

struct EleccionImpresora {
  std::string impresora;  // device name chosen; empty: the default one
  std::string pdf;        // PDF output when not empty
};

}  // namespace plataforma

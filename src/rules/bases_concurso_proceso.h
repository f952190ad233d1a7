#pragma once
// The generation of the contest-rules text for the contest in hand: its
// Cabrillo profile read from the contest database, the text written to
// BasesConcurso/FicheroBasesConcurso.LST and read back for the window.
#include <string>
#include <vector>

#include "rules/enlace_bases_concurso.h"

namespace rules {

struct ResultadoBases {
  // The lines of the file just written, every empty one included.
  std::vector<std::string> lineas;
  // Empty when the text was written; otherwise what the operator is told
  // (no profile row, the profile cannot be read, no rules folder, the file
  // cannot be written or read back). No lines then.
  std::string error;
};

// Deletes the earlier text file, then writes the text anew and reads it back.
ResultadoBases GeneraFicheroBasesConcurso(const EnlaceBasesConcurso& enlace);

}  // namespace rules

#pragma once
// Reading back the text of a PDF printed by a test.
#include <cstddef>
#include <string>
#include <vector>

namespace soporte {
// Text of a PDF as pdftotext reads it; pages are separated by form feeds.
std::string TextoDePdf(const std::string& ruta);
// The same text with every run of blanks made one blank (pdftotext
// reproduces columns only roughly).
std::string UnBlanco(const std::string& t);
// Number of pages (pdftotext ends every page with a form feed).
std::size_t Paginas(const std::string& texto);
// The text of one page (1-based).
std::string Pagina(const std::string& texto, std::size_t n);

// One word of a PDF with its box in points, as pdftotext -bbox finds it.
struct PalabraPdf {
  std::size_t pagina = 0;  // 1-based
  std::string texto;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
  double Ancho() const { return xMax - xMin; }
};
std::vector<PalabraPdf> PalabrasDePdf(const std::string& ruta);
}  // namespace soporte

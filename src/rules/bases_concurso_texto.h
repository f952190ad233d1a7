#pragma once
// The contest-rules text: how participants send their logs and how a
// Cabrillo log of the contest is written (mailbox and subject, admitted
// categories, sample 2.0 and 3.0 headers, and the layout of a QSO line as a
// column ruler over a sample line with two rows of column numbers). A few
// contests known by name get texts of their own in places.
//
// Pure text building, plus the writing and reading of the text file; no
// window and no database here.
#include <string>
#include <string_view>
#include <vector>

#include "rules/perfil_cabrillo.h"

namespace rules {

// Everything the text is made of.
struct DatosBasesConcurso {
  std::string NombreConcurso;   // compared exactly, case included
  std::string EdicionConcurso;
  ResumenCabrillo perfil;       // the contest's Cabrillo profile row
  std::vector<std::string> categoriasAdmitidas;  // entries 1..n, in order
};

// Width of a QSO line of the sample, in characters.
inline constexpr int kAnchoLineaQso = 100;

// The whole text, line by line (UTF-8), the final empty line included.
std::vector<std::string> GeneraBasesConcurso(const DatosBasesConcurso& datos);

// Parts of the text, for the tests.
// Subject shown to participants: the first "$" of the pattern becomes
// "Indicativo"; further "$" stay.
std::string AsuntoEjemplo(std::string_view patron);
// Column ruler, without blanks at its ends; never wider than the QSO line.
std::string ReglaColumnas(const DatosBasesConcurso& datos);
// Sample QSO line, always kAnchoLineaQso characters.
std::string LineaQsoEjemplo(const DatosBasesConcurso& datos);
// Rows of tens and units of columns 1..n (n at most kAnchoLineaQso).
std::string FilaDecenas(std::size_t n);
std::string FilaUnidades(std::size_t n);
// Division by 2 rounded to the nearest integer, halves to the even one.
int MitadRedondeada(int valor);

// Path of the text file in a contest folder (found without regard to case).
std::string RutaFicheroBasesConcurso(const std::string& carpetaConcurso);
// Replaces the text file of the contest folder with these lines
// (Windows-1252, CR LF after every line). An earlier file is deleted first,
// whatever happens next. Returns an empty text when written, otherwise the
// reason for the operator (the folder "BasesConcurso" is missing, or the
// file cannot be written).
std::string EscribeBasesConcurso(const std::string& carpetaConcurso, const std::vector<std::string>& lineas);
// The lines of the text file, every empty one included; false when it
// cannot be read.
bool LeeBasesConcurso(const std::string& carpetaConcurso, std::vector<std::string>& lineas);

}  // namespace rules

#pragma once
// Tests of single exchange tokens of a QSO line: province codes sent and
// received, Maidenhead locators, and the splitting of province and "VG"
// references, and Portuguese district codes. None writes to the error
// report; the callers turn a false result into their own error.
#include <string>
#include <string_view>

#include "cabrillo/datos_concurso.h"

namespace cabrillo {

// A sent province code: when the contest's `EnviarSiglas` and `CadaProv`
// both hold True it must be one of the contest's province codes (exact
// comparison; any code, "'" included, is only looked up, never run as part
// of a query); otherwise any code passes, the empty one included.
bool VerificaSiglasEnviadas(const DatosConcursoLog& concurso, std::string_view codigo);
// The same with `RecibirSiglas`.
bool VerificaSiglasRecibidas(const DatosConcursoLog& concurso, std::string_view codigo);

// As above, but a station of call area 7 (a call matching "E?7*") whose
// call from its fourth character on is exactly three characters long may
// give those three characters as its code. The sent variant takes them from
// the call as passed, the received one from its base call.
bool VerificaSiglasEnviadasEspeciales(const DatosConcursoLog& concurso, std::string_view codigo,
                                      std::string_view indicativo);
bool VerificaSiglasRecibidasEspeciales(const DatosConcursoLog& concurso, std::string_view codigo,
                                       std::string_view indicativo);

// Six characters, in any letter case: two letters A-S, two digits, two
// letters A-X.
bool VerificaLocator(std::string_view locator);

// "C" + province + "-" + rest. `resto` always starts empty. An empty
// literal, "-", or a literal not starting with "C" leaves `provincia`
// untouched; a "C" literal without "-" empties both.
void SeparaProvinciaLiteral(std::string_view literal, std::string& provincia, std::string& resto);

// Gathers the characters after the first "VG" of the reference into its
// digits and its other characters. An empty reference empties only
// `digitos`; one without "VG" empties both.
void SeparaReferenciaVG(std::string_view referencia, std::string& letras, std::string& digitos);

// For the country "CT" the code must be "CT" followed by the third
// character of the call; any code passes for other countries.
bool EsDistritoPortugues(std::string_view codigo, std::string_view pais, std::string_view indicativo);

}  // namespace cabrillo

#pragma once
// Header and category checks of a log: the header lines that each version
// requires, the log's file name against its callsign, and the categories
// that the participant declares against those the contest admits. Every
// fault is written as an error block to the open report; each check answers
// true when it wrote nothing. What the checks find is kept in the log's
// `CabeceraLog` for the QSO-line checks and the intake.
#include <string>
#include <string_view>
#include <vector>

#include "cabrillo/entorno_validacion.h"

namespace cabrillo {

// Version 2.0 header: "CALLSIGN:" (ERROR 6, and ERROR 34 when the file is
// not named after it), "CATEGORY:" (ERROR 7), "CONTEST:" (ERROR 8); keeps
// those lines and "CATEGORY-ASSISTED:", "CLUB:", "OPERATORS:". Every fault
// is reported, not only the first.
bool VerificaCabeceraV2(const std::vector<std::string>& lineas, std::string_view nombre_fichero,
                        const EntornoValidacion& entorno);
// Version 3.0 header: "CALLSIGN:" (6, 34), "CONTEST:" (8),
// "CATEGORY-OPERATOR:" (9); keeps those lines and the other category lines,
// "CLUB:" and "OPERATORS:".
bool VerificaCabeceraV3(const std::vector<std::string>& lineas, std::string_view nombre_fichero,
                        const EntornoValidacion& entorno);

// Whether the value of a log's "CONTEST:" line names the contest, letter
// case aside: its name alone, or its name, one blank and its edition, as
// the sample headers of the contest-rules text write it.
bool EsNombreDelConcurso(std::string_view valor, const DatosConcursoLog& concurso);

// Categories of the log ("2.0" or "3.0") against the contest: the contest
// name (ERROR 38, when `VerificarNombreExacto` and EsNombreDelConcurso
// fails), the listener mark, the
// operator (10, or 39 for the country rule of `ReglaOperador::TablaYPais`) and the eight other groups (11 to
// 18). Sets `IndicativoParticipante` and `MarcaSwl`.
bool VerificaCategorias(std::string_view version, const EntornoValidacion& entorno);

// The words of a version 2.0 "CATEGORY:" line: the operator word as
// written, then up to four words classified as band, power, mode or
// station (a later word of a class replaces an earlier one; a word of no
// class is ignored; a band word that ends the line is upper-cased). An out
// argument is left untouched when the line gives no word for it.
void DesglosaCategoriaCabrillo(std::string_view linea, std::string& operador, std::string& banda,
                               std::string& potencia, std::string& modo, std::string& estacion);

// Version 2.0 category words, exact and case-sensitive.
bool EsCategoriaBandaValida(std::string_view palabra);     // "All", "160M", ... "1.2G"
bool EsCategoriaPotenciaValida(std::string_view palabra);  // "HIGH", "LOW", "QRP"
bool EsCategoriaModoValida(std::string_view palabra);      // "SSB", "CW", "FM", "RTTY", "MIXED"
bool EsCategoriaEstacionValida(std::string_view palabra);  // "FIXED", ... "SCHOOL"

}  // namespace cabrillo

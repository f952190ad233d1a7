#pragma once
// The reports of the stations that were worked but sent no log, built from
// the plain list that a contest folder may hold in `ListasNoEnviadas`: one
// report ordered by callsign and one ordered by the number of logs.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace noenviadas {

struct EstacionNoEnviada {
  std::string Indicativo;
  std::int16_t Listas = 0;
};

// One input line: the callsign is the text before the first blank, the
// number of logs the text between the second and the third blank. A line
// with fewer than three blanks, or whose count is not a number from 0 to
// 32767, gives nothing.
std::optional<EstacionNoEnviada> LeeLinea(std::string_view linea);

// "QQ1ABC en 007 listas": the count has at least three digits.
std::string LineaInforme(const EstacionNoEnviada& e);

// Report by callsign: the lines in text order without regard to case.
std::vector<std::string> InformePorIndicativo(const std::vector<EstacionNoEnviada>& estaciones);
// Report by count: highest count first; within one count by callsign.
std::vector<std::string> InformePorNumero(const std::vector<EstacionNoEnviada>& estaciones);

// The files, in the `ListasNoEnviadas` folder of a contest folder.
std::string RutaEntrada(const std::string& carpetaConcurso);
std::string RutaPorIndicativo(const std::string& carpetaConcurso);
std::string RutaPorNumero(const std::string& carpetaConcurso);

enum class Resultado { SinEntrada, Generados, ErrorEscritura };
// With an input list in the folder: writes both reports anew (malformed
// lines are left out) and deletes the input. When a report cannot be
// written the input stays for the next run.
Resultado ActualizaFicheros(const std::string& carpetaConcurso);

}  // namespace noenviadas

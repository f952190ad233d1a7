#pragma once
// The cross-check read line by line, as the rules are written: duplicate
// marking compares every QSO line with every later one; presence re-reads
// the folder and every other log for each question; crossing a QSO re-reads
// the worked station's log from disk. Far too slow for a run (the work grows
// with QSOs times logs times lines), it is kept as the reference that the
// indexed engine (scoring/cruce.h, scoring/duplicados.h) must agree with on
// every case, and is used only by tests and benchmarks.
//
// The comparisons of two records (scoring/reglas_cruce.h) are shared; what
// differs is only how the lines to compare are found.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "scoring/configuracion_cruce.h"
#include "scoring/cruce.h"

namespace scoring::literal {

// The same marks as scoring::MarcaQsoDuplicados, by comparing each QSO line
// with every later unmarked QSO line of the log.
void MarcaQsoDuplicados(std::vector<std::string>& lineas, const DatosCruce& datos);

// The same answer as ListasValidasCruce::FiguraEnListas, reading the files
// (`datos`: the exchange flags place the calls in a QSO line).
bool FiguraEnListas(const std::string& carpeta, const std::vector<std::string>& entradas, const DatosCruce& datos,
                    std::string_view indicativo, int cuantas);

// The same answer as ListasValidasCruce::CruzaQso, reading the files.
ResultadoCruce CruzaQso(const std::string& carpeta, const std::vector<std::string>& entradas,
                        const DatosCruce& datos, std::string_view linea, std::size_t indice_propia,
                        const OpcionesAnulacion& opciones);

}  // namespace scoring::literal

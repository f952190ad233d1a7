#pragma once
// The score file (`ListaPuntuacion`) of one participant: the scored copy of
// the crossed log, in `ListasPuntuaciones` under the participant's base
// callsign with ".PTS".
//
// Head: an empty line, "CONCURSANTE: " and the name, an empty line,
// "CATEGORÍA: " and the category key, an empty line, one line per permitted
// band that holds QSOs (its label, "Puntos = ", the band's points,
// ", Multiplicadores = ", its multipliers; 0 is written as nothing), an
// empty line, "TOTAL PUNTOS: " with the sum of the points times the sum of
// the multipliers (a sum of 0 multipliers counts as 1), an empty line.
// Then every QSO line of the crossed log up to "END-OF-LOG:": a valid one
// behind a 15-character field with its multipliers and points, a marked
// one behind "Mult:0 Pts:0   " and followed by the line that gives its
// reason.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scoring {

// A stored row of `ListaQso` as the score file reads it, in `NumeroQso`
// order.
struct FilaPuntuada {
  std::string Banda;
  std::int64_t Multiplicador = 0;
  std::int64_t Puntos = 0;
};

// A band line of the head: the permission that admits it, the band value
// whose rows are summed and its label.
struct BandaPuntuacion {
  std::string_view Valor;
  std::string_view Etiqueta;
};
// The fourteen bands in the order of the head; the permissions of
// ConfiguracionPuntos::BandasPermitidas follow the same order.
const std::array<BandaPuntuacion, 14>& BandasPuntuacion();

// The number format of the band lines: the digits alone, nothing for 0.
std::string FormatoNumeroBanda(std::int64_t valor);

// Sums the rows of one band: appends "Puntos = ", the points,
// ", Multiplicadores = " and the multipliers to the line and adds both sums
// to the totals.
void SumaPuntosBanda(const std::vector<FilaPuntuada>& filas, std::string_view banda, std::string& linea,
                     std::int64_t& total_puntos, std::int64_t& total_multiplicadores);

// The score file being written: its path and its lines.
struct FicheroPuntuacion {
  std::string Ruta;
  std::vector<std::string> Lineas;
};

// Sums the bands, takes the portable part off the participant name (the
// caller gets the shortened name back), deletes an earlier file of that
// name and starts the file with its head.
FicheroPuntuacion EscribeFicheroPuntuacion(const std::string& carpeta_concurso, std::string_view categoria,
                                           std::string& nombre, const std::vector<FilaPuntuada>& filas,
                                           const std::array<bool, 14>& bandas_permitidas);

// The same head and name, touching no file: what a run that writes its
// files in order elsewhere composes (it deletes the earlier file itself).
FicheroPuntuacion ComponeFicheroPuntuacion(const std::string& carpeta_concurso, std::string_view categoria,
                                           std::string& nombre, const std::vector<FilaPuntuada>& filas,
                                           const std::array<bool, 14>& bandas_permitidas);

// The 15-character field of a valid QSO line.
std::string CampoQsoPuntuado(std::int64_t multiplicador, std::int64_t puntos);
// The reason line of a marked QSO line; empty when it holds no mark.
std::string_view MotivoMarca(std::string_view linea);

// Appends the QSO part from the lines of the crossed log (the valid QSO
// lines take the rows in order) and writes the file (Windows-1252, CR LF).
// Throws plataforma::ErrorFichero when it cannot be written.
void EscribeQsoPuntuacion(FicheroPuntuacion& fichero, const std::vector<std::string>& lineas_cruzada,
                          const std::vector<FilaPuntuada>& filas);
// The QSO part alone, appended; nothing written.
void AnadeQsoPuntuacion(FicheroPuntuacion& fichero, const std::vector<std::string>& lineas_cruzada,
                        const std::vector<FilaPuntuada>& filas);

}  // namespace scoring

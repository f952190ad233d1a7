#include "scoring/fichero_puntuacion.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

#include "common/paises.h"
#include "plataforma/errores.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace scoring {

namespace {

constexpr std::pair<std::string_view, std::string_view> kMotivos[] = {
    {"NUL01", "La estación del contacto no ha enviado Lista de control"},
    {"NUL02", "La estación del contacto no figura en al menos en 2 listas "},
    {"NUL03", "La estación del contacto no figura en al menos en 5 listas "},
    {"NUL04", "La estación del contacto no figura en al menos en 10 listas "},
    {"NUL05", "La estación del contacto no figura en al menos en 15 listas "},
    {"NUL06", "No se encuentra ningún QSO en esta banda y modo con la estación de contacto"},
    {"NUL07", "Fecha del QSO fuera de los limites del concurso"},
    {"NUL08", "Fecha del QSO inválida"},
    {"NUL09", "Fecha del QSO del corresponsal inválida"},
    {"NUL10", "No hay QSO con esta estación en la lista del contacto"},
    {"NUL11", "QSO con error en banda, modo, fecha, hora, tipo RST o controles enviados/recibidos"},
    {"NUL12", "Los controles recibidos no coinciden con los enviados por el contacto "},
    {"NUL13", "El locator recibido no se corresponde con el enviado por el contacto"},
    {"NUL14", "El numeral recibido no se corresponde con el enviado por el contacto"},
    {"NUL15", "En la fecha y hora no hay ningún QSO en la estación de contacto"},
    {"NUL16", "El RS(T) recibido no coincide con el RS(T) enviado por el corresponsal."},
    {"NUL17", "El contacto no ha enviado LISTA y no figura en otras en el número indicado en las BASES"},
    {"NUL18", "Los puntos enviados y recibidos no coinciden"},
    {"NUL19", "No hay QSO con la estación contactada o NO ES PORTABLE"},
    {"DUP00", "Contacto duplicado"},
};

}  // namespace

const std::array<BandaPuntuacion, 14>& BandasPuntuacion() {
  static constexpr std::array<BandaPuntuacion, 14> kBandas = {{
      {"1800", "1.8 MZ.:"},
      {"3500", "3.5 MZ.:"},
      {"7000", "7 MZ.  :"},
      {"10000", "10 MZ. :"},
      {"14000", "14 MZ. :"},
      {"18000", "18 MZ. :"},
      {"21000", "21 MZ. :"},
      {"24000", "24 MZ. :"},
      {"27500", "27 MZ. :"},
      {"28000", "28 MZ. :"},
      {"50", "50 MZ. :"},
      {"144", "144 MZ. :"},
      {"432", "432 MZ. :"},
      {"1.2", "1.2 GZ. :"},
  }};
  return kBandas;
}

std::string FormatoNumeroBanda(std::int64_t valor) { return valor == 0 ? std::string() : std::to_string(valor); }

void SumaPuntosBanda(const std::vector<FilaPuntuada>& filas, std::string_view banda, std::string& linea,
                     std::int64_t& total_puntos, std::int64_t& total_multiplicadores) {
  std::int64_t puntos = 0, multiplicadores = 0;
  for (const FilaPuntuada& f : filas) {
    if (f.Banda != banda) continue;
    puntos += f.Puntos;
    multiplicadores += f.Multiplicador;
  }
  linea += "Puntos = " + FormatoNumeroBanda(puntos) + ", Multiplicadores = " + FormatoNumeroBanda(multiplicadores);
  total_puntos += puntos;
  total_multiplicadores += multiplicadores;
}

FicheroPuntuacion ComponeFicheroPuntuacion(const std::string& carpeta_concurso, std::string_view categoria,
                                           std::string& nombre, const std::vector<FilaPuntuada>& filas,
                                           const std::array<bool, 14>& bandas_permitidas) {
  const auto& bandas = BandasPuntuacion();
  std::int64_t total_puntos = 0, total_multiplicadores = 0;
  std::array<std::string, 14> lineas_banda;
  for (std::size_t b = 0; b < bandas.size(); ++b) {
    if (!bandas_permitidas[b]) continue;
    bool hay = false;
    for (const FilaPuntuada& f : filas)
      if (f.Banda == bandas[b].Valor) {
        hay = true;
        break;
      }
    if (hay) SumaPuntosBanda(filas, bandas[b].Valor, lineas_banda[b], total_puntos, total_multiplicadores);
  }

  std::string portable;
  SeparaPortable(nombre, portable);

  FicheroPuntuacion fichero;
  const std::string carpeta = plataforma::ResuelveRuta(plataforma::UneRuta(carpeta_concurso, "ListasPuntuaciones"));
  fichero.Ruta = plataforma::UneRuta(carpeta, plataforma::NombreSeguro(nombre + ".PTS"));

  std::vector<std::string>& l = fichero.Lineas;
  l = {"", "CONCURSANTE: " + nombre, "", "CATEGORÍA: " + std::string(categoria), ""};
  for (std::size_t b = 0; b < bandas.size(); ++b)
    if (!lineas_banda[b].empty()) l.push_back(std::string(bandas[b].Etiqueta) + lineas_banda[b]);
  if (total_multiplicadores == 0) total_multiplicadores = 1;
  l.push_back("");
  l.push_back("TOTAL PUNTOS: " + std::to_string(total_puntos * total_multiplicadores));
  l.push_back("");
  return fichero;
}

FicheroPuntuacion EscribeFicheroPuntuacion(const std::string& carpeta_concurso, std::string_view categoria,
                                           std::string& nombre, const std::vector<FilaPuntuada>& filas,
                                           const std::array<bool, 14>& bandas_permitidas) {
  FicheroPuntuacion fichero = ComponeFicheroPuntuacion(carpeta_concurso, categoria, nombre, filas, bandas_permitidas);
  plataforma::BorraFichero(plataforma::ResuelveRuta(fichero.Ruta));  // a failure is no error
  return fichero;
}

namespace {

// Writes "Mult:<m>" from column 0 and "Pts:<p>" from column 7 into the 15
// characters of `campo`, each stopping at the field's end.
void EscribeCampoQso(char (&campo)[15], std::int64_t multiplicador, std::int64_t puntos) {
  std::fill(std::begin(campo), std::end(campo), ' ');
  auto escribe = [&](std::size_t columna, std::string_view marca, std::int64_t n) {
    char texto[48];
    std::copy(marca.begin(), marca.end(), texto);
    const auto fin = std::to_chars(texto + marca.size(), std::end(texto), n).ptr;
    for (const char* c = texto; c != fin && columna < std::size(campo); ++c) campo[columna++] = *c;
  };
  escribe(0, "Mult:", multiplicador);
  escribe(7, "Pts:", puntos);
}

}  // namespace

std::string CampoQsoPuntuado(std::int64_t multiplicador, std::int64_t puntos) {
  char campo[15];
  EscribeCampoQso(campo, multiplicador, puntos);
  return std::string(campo, sizeof campo);
}

std::string_view MotivoMarca(std::string_view linea) {
  for (const auto& [marca, motivo] : kMotivos)
    if (linea.find(marca) != std::string_view::npos) return motivo;
  return {};
}

void AnadeQsoPuntuacion(FicheroPuntuacion& fichero, const std::vector<std::string>& lineas_cruzada,
                        const std::vector<FilaPuntuada>& filas) {
  std::size_t fila = 0;
  fichero.Lineas.reserve(fichero.Lineas.size() + filas.size());
  for (const std::string& linea : lineas_cruzada) {
    const std::size_t blancos = linea.find_first_not_of(' ');
    if (blancos != std::string::npos && std::string_view(linea).substr(blancos).starts_with("END-OF-LOG:")) break;
    if (linea.find(":QSO:") != std::string::npos) {
      std::string& l = fichero.Lineas.emplace_back();
      l.reserve(15 + linea.size());
      l.append("Mult:0 Pts:0   ").append(linea);
      const std::string_view motivo = MotivoMarca(linea);
      if (!motivo.empty()) fichero.Lineas.emplace_back(motivo);
    } else if (linea.starts_with("QSO:")) {
      const FilaPuntuada vacia;
      const FilaPuntuada& f = fila < filas.size() ? filas[fila] : vacia;
      ++fila;
      char campo[15];
      EscribeCampoQso(campo, f.Multiplicador, f.Puntos);
      std::string& l = fichero.Lineas.emplace_back();
      l.reserve(sizeof campo + linea.size() - 4);
      l.append(campo, sizeof campo).append(linea, 4);
    }
  }
}

void EscribeQsoPuntuacion(FicheroPuntuacion& fichero, const std::vector<std::string>& lineas_cruzada,
                          const std::vector<FilaPuntuada>& filas) {
  AnadeQsoPuntuacion(fichero, lineas_cruzada, filas);
  if (!plataforma::EscribirLineas(fichero.Ruta, fichero.Lineas))
    throw plataforma::ErrorFichero(fichero.Ruta, "No se puede escribir el fichero");
}

}  // namespace scoring

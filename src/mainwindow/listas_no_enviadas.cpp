#include "mainwindow/listas_no_enviadas.h"

#include <algorithm>
#include <cstdio>

#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace noenviadas {

namespace {

std::string Ruta(const std::string& carpeta, const char* fichero) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(plataforma::UneRuta(carpeta, "ListasNoEnviadas"), fichero));
}

// Text order without regard to case; equal texts keep their order.
void OrdenaSinCaso(std::vector<std::string>& lineas) {
  std::vector<std::pair<std::string, std::string>> claves;
  claves.reserve(lineas.size());
  for (std::string& l : lineas) claves.emplace_back(plataforma::Mayusculas(l), std::move(l));
  std::stable_sort(claves.begin(), claves.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < lineas.size(); ++i) lineas[i] = std::move(claves[i].second);
}

}  // namespace

std::optional<EstacionNoEnviada> LeeLinea(std::string_view linea) {
  std::size_t primero = linea.find(' ');
  if (primero == std::string_view::npos) return std::nullopt;
  std::size_t segundo = linea.find(' ', primero + 1);
  if (segundo == std::string_view::npos) return std::nullopt;
  std::size_t tercero = linea.find(' ', segundo + 1);
  if (tercero == std::string_view::npos) return std::nullopt;
  std::string_view cuenta = linea.substr(segundo + 1, tercero - segundo - 1);
  if (cuenta.empty() || cuenta.size() > 5) return std::nullopt;
  long valor = 0;
  for (char c : cuenta) {
    if (c < '0' || c > '9') return std::nullopt;
    valor = valor * 10 + (c - '0');
  }
  if (valor > 32767) return std::nullopt;
  return EstacionNoEnviada{std::string(linea.substr(0, primero)), static_cast<std::int16_t>(valor)};
}

std::string LineaInforme(const EstacionNoEnviada& e) {
  char cuenta[8];
  std::snprintf(cuenta, sizeof cuenta, "%03d", static_cast<int>(e.Listas));
  return e.Indicativo + " en " + cuenta + " listas";
}

std::vector<std::string> InformePorIndicativo(const std::vector<EstacionNoEnviada>& estaciones) {
  std::vector<std::string> r;
  r.reserve(estaciones.size());
  for (const EstacionNoEnviada& e : estaciones) r.push_back(LineaInforme(e));
  OrdenaSinCaso(r);
  return r;
}

std::vector<std::string> InformePorNumero(const std::vector<EstacionNoEnviada>& estaciones) {
  std::vector<EstacionNoEnviada> orden = estaciones;
  std::stable_sort(orden.begin(), orden.end(),
                   [](const EstacionNoEnviada& a, const EstacionNoEnviada& b) { return a.Listas > b.Listas; });
  std::vector<std::string> r;
  r.reserve(orden.size());
  for (std::size_t i = 0; i < orden.size();) {
    std::size_t fin = i;
    std::vector<std::string> grupo;
    while (fin < orden.size() && orden[fin].Listas == orden[i].Listas) grupo.push_back(LineaInforme(orden[fin++]));
    OrdenaSinCaso(grupo);
    for (std::string& l : grupo) r.push_back(std::move(l));
    i = fin;
  }
  return r;
}

std::string RutaEntrada(const std::string& carpeta) { return Ruta(carpeta, "ListasNoEnviadas.txt"); }
std::string RutaPorIndicativo(const std::string& carpeta) { return Ruta(carpeta, "ListasNoEnviadasPorIndicativo.txt"); }
std::string RutaPorNumero(const std::string& carpeta) { return Ruta(carpeta, "ListasNoEnviadasPorNumero.txt"); }

Resultado ActualizaFicheros(const std::string& carpetaConcurso) {
  const std::string entrada = RutaEntrada(carpetaConcurso);
  if (carpetaConcurso.empty() || !plataforma::ExisteFichero(entrada)) return Resultado::SinEntrada;
  std::vector<std::string> lineas;
  if (!plataforma::LeerLineas(entrada, lineas)) return Resultado::ErrorEscritura;
  std::vector<EstacionNoEnviada> estaciones;
  estaciones.reserve(lineas.size());
  for (const std::string& l : lineas)
    if (auto e = LeeLinea(l)) estaciones.push_back(std::move(*e));
  if (!plataforma::EscribirLineas(RutaPorIndicativo(carpetaConcurso), InformePorIndicativo(estaciones)) ||
      !plataforma::EscribirLineas(RutaPorNumero(carpetaConcurso), InformePorNumero(estaciones)))
    return Resultado::ErrorEscritura;
  plataforma::BorraFichero(entrada);
  return Resultado::Generados;
}

}  // namespace noenviadas

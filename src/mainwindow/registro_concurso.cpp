#include "mainwindow/registro_concurso.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace principal {

namespace {

bool IgualSinCaso(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

bool TextoEsVerdadero(const std::optional<std::string>& valor) {
  if (!valor) return false;
  return *valor == "1" || *valor == "-1" || IgualSinCaso(*valor, "true") || IgualSinCaso(*valor, "verdadero");
}

RegistroConcursoMemoria::RegistroConcursoMemoria(std::vector<ColumnaConcurso> definicion)
    : definicion_(std::move(definicion)), valores_(definicion_.size()) {}

int RegistroConcursoMemoria::Posicion(std::string_view nombre) const {
  for (std::size_t i = 0; i < definicion_.size(); ++i)
    if (IgualSinCaso(definicion_[i].Nombre, nombre)) return static_cast<int>(i);
  return -1;
}

int RegistroConcursoMemoria::PosicionObligada(std::string_view nombre) const {
  int p = Posicion(nombre);
  if (p < 0) throw std::out_of_range("Columna inexistente: " + std::string(nombre));
  return p;
}

int RegistroConcursoMemoria::PosicionValida(int posicion) const {
  if (posicion < 0 || posicion >= static_cast<int>(valores_.size()))
    throw std::out_of_range("Columna inexistente: " + std::to_string(posicion));
  return posicion;
}

std::optional<std::string> RegistroConcursoMemoria::LeeTexto(int posicion) const {
  return valores_[static_cast<std::size_t>(PosicionValida(posicion))];
}
std::optional<std::string> RegistroConcursoMemoria::LeeTexto(std::string_view nombre) const {
  return valores_[static_cast<std::size_t>(PosicionObligada(nombre))];
}
bool RegistroConcursoMemoria::LeeBooleano(int posicion) const { return TextoEsVerdadero(LeeTexto(posicion)); }
bool RegistroConcursoMemoria::LeeBooleano(std::string_view nombre) const {
  return TextoEsVerdadero(LeeTexto(nombre));
}
void RegistroConcursoMemoria::EscribeTexto(int posicion, const std::string& valor) {
  valores_[static_cast<std::size_t>(PosicionValida(posicion))] = valor;
}
void RegistroConcursoMemoria::EscribeTexto(std::string_view nombre, const std::string& valor) {
  valores_[static_cast<std::size_t>(PosicionObligada(nombre))] = valor;
}
void RegistroConcursoMemoria::EscribeBooleano(int posicion, bool valor) {
  valores_[static_cast<std::size_t>(PosicionValida(posicion))] = valor ? "1" : "0";
}
void RegistroConcursoMemoria::EscribeBooleano(std::string_view nombre, bool valor) {
  valores_[static_cast<std::size_t>(PosicionObligada(nombre))] = valor ? "1" : "0";
}
void RegistroConcursoMemoria::Pon(std::string_view nombre, std::optional<std::string> valor) {
  valores_[static_cast<std::size_t>(PosicionObligada(nombre))] = std::move(valor);
}

std::vector<ColumnaConcurso> ColumnasConcursoEditor() {
  using T = TipoColumna;
  std::vector<ColumnaConcurso> c = {
      {"NumeroOrden", T::Entero32, 4}, {"Concurso", T::Texto, 64}, {"Edicion", T::Texto, 4},
      {"DesdeDia", T::Fecha, 8},       {"DesdeHora", T::Texto, 5}, {"HastaDia", T::Fecha, 8},
      {"HastaHora", T::Texto, 5},
  };
  const char* bandas[] = {"1-8", "3-5", "7", "10", "14", "18", "21", "24", "28"};
  for (const char* b : bandas) c.push_back({std::string("MismoContinente") + b, T::Texto, 2});
  for (const char* b : bandas) c.push_back({std::string("DistintoContinente") + b, T::Texto, 2});
  c.push_back({"PuntosMismoPais", T::Texto, 2});
  c.push_back({"RepetirHoras", T::Texto, 5});
  for (const char* b : {"Banda1'8", "Banda3'5", "Banda7", "Banda10", "Banda14", "Banda18", "Banda21",
                        "Banda24", "Banda28", "Banda50", "Banda144", "Banda432", "Banda1296", "BandaUser"})
    c.push_back({b, T::Booleano, 1});
  for (const char* m : {"ModoAM", "ModoCW", "ModoUSB", "ModoLSB", "ModoSSB", "ModoFM", "ModoRTTY",
                        "ModoPACKET", "ModoUSER1", "ModoUSER2", "ModoUSER3", "ModoUSER4"})
    c.push_back({m, T::Booleano, 1});
  for (const char* o :
       {"EnviarNumeral", "EnviarLocator", "EnviarSiglas", "RecibirNumeral", "RecibirLocator", "RecibirSiglas",
        "RecibirPuntos", "RecibirPuntosPorKm", "SiglasONumeral", "NoRepetir", "RepetirEstacion",
        "RepetirEnCadaBanda", "RepetirEnCadaModo", "RepetirCadaHoras", "Multiplicadores", "CadaModo",
        "CadaDia", "CadaBanda", "CadaCuadricula", "CadaEstacion", "CadaPais", "CadaPrefijo", "CadaSufijo",
        "CadaProv", "CadaDistrito", "CadaCq", "Otros", "CuadriculaPorBanda", "EstacionPorBanda",
        "PaisPorBanda", "PrefijoPorBanda", "SufijoPorBanda", "ProvPorBanda", "DistritoPorBanda",
        "OtrosPorBanda", "CqPorBanda", "CuadriculaPorDia", "EstacionPorDia", "PaisPorDia", "PrefijoPorDia",
        "SufijoPorDia", "ProvPorDia", "DistritoPorDia", "OtrosPorDia", "CqPorDia", "CuadriculaPorModo",
        "EstacionPorModo", "PaisPorModo", "PrefijoPorModo", "SufijoPorModo", "ProvPorModo",
        "DistritoPorModo", "OtrosPorModo", "CqPorModo", "ExcluirPais", "ExcluirPrefijo", "ExcluirProv",
        "ExcluirDistrito", "ExcluirCq", "ExcluirMismaProv", "ExcluirMismoDist", "ExcluirMismoPais",
        "ExcluirMismoPrefijo", "ExcluirMismaZonaCQ", "PrimerNumero", "PrimeraLetra", "SegundaLetra",
        "TerceraLetra", "UltimaLetra"})
    c.push_back({o, T::Booleano, 1});
  c.push_back({"EMailReclamaciones", T::Texto, 64});
  c.push_back({"WEBConcurso", T::Texto, 64});
  return c;
}

}  // namespace principal

#include "rules/perfil_cabrillo.h"

#include <algorithm>
#include <cctype>

namespace rules {
namespace {

constexpr std::array<ColumnaCategoria, kNumeroColumnasCategoria> kColumnas = {{
    // operator (0-3)
    {"SingleOp", "SingleOp", "SINGLE-OP"},
    {"MultiOp", "MultiOp", "MULTI-OP"},
    {"ServerOp", "ServerOp", "SERVER-OP"},
    {"CheckLog", "CheckLog", "CHECKLOG"},
    // band (4-20)
    {"BandaNoAplicable", "BandaNoAplicable", "NO APLICABLE"},
    {"ALL", "ALL", "ALL"},
    {"M160", "M160", "160M"},
    {"M80", "M80", "80M"},
    {"M40", "M40", "40M"},
    {"M30", "M30", "30M"},
    {"M20", "M20", "20M"},
    {"M15", "M15", "15M"},
    {"M16", "M16", "16M"},
    {"M12", "M12", "12M"},
    {"M10", "M10", "10M"},
    {"M6", "M6", "6M"},
    {"M2", "M2", "2M"},
    {"M222", "M222", "222"},
    {"M432", "M432", "432"},
    {"M902", "M902", "902"},
    {"G12", "G12", "1.2G"},
    // mode (21-26)
    {"ModoNoAplicable", "ModoNoAplicable", "NO APLICABLE"},
    {"SSB", "SSB", "SSB"},
    {"CW", "CW", "CW"},
    {"FM", "FM", "FM"},
    {"RTTY", "RTTY", "RTTY"},
    {"MIXED", "MIXED", "MIXED"},
    // power (27-30)
    {"PotenciaNoAplicable", "PotenciaNoAplicable", "NO APLICABLE"},
    {"High", "High", "HIGH"},
    {"Low", "Low", "LOW"},
    {"Qrp", "Qrp", "QRP"},
    // assisted (31-33)
    {"AsistidoNoAplicable", "AsistidoNoAplicable", "NO APLICABLE"},
    {"NonAssisted", "NonAssisted", "NON-ASSISTED"},
    {"Assisted", "Assisted", "ASSISTED"},
    // transmitter (34-39)
    {"TxNoAplicable", "TxNoAplicable", "NO APLICABLE"},
    {"One", "One", "ONE"},
    {"Two", "Two", "TWO"},
    {"Limited", "Limited", "LIMITED"},
    {"UnLimited", "Unlimited", "UNLIMITED"},
    {"Swl", "Swl", "SWL"},
    // station type (40-48)
    {"TipoEstacionNoAplicable", "TipoEstacionNoAplicable", "NO APLICABLE"},
    {"Fixed", "Fixed", "FIXED"},
    {"Mobile", "Mobile", "MOBILE"},
    {"Portable", "Portable", "PORTABLE"},
    {"HillTopper", "HillTopper", "HILLTOPPER"},
    {"Rover", "Rover", "ROVER"},
    {"Expedition", "Expedition", "EXPEDITION"},
    {"Hq", "Hq", "HQ"},
    {"School", "School", "SCHOOL"},
    // time (49-52)
    {"TimeNoAplicable", "TimeNoAplicable", "NO APLICABLE"},
    {"Hours6", "Hours6", "6-HOURS"},
    {"Hours12", "Hours12", "12-HOURS"},
    {"Hours24", "Hours24", "24-HOURS"},
    // overlay (53-57)
    {"OverlayNoAplicable", "OverlayNoAplicable", "NO APLICABLE"},
    {"Rookie", "Rookie", "ROOKIE"},
    {"TbWires", "TbWires", "TB-WIRES"},
    {"NoviceTech", "NoviceTech", "NOVICE-TECH"},
    {"Over50", "Over50", "OVER-50"},
}};

constexpr std::array<GrupoCategorias, kNumeroGrupos> kGrupos = {{
    {"OPERADOR", "", 0, 4, "Deberá seleccionar, al menos, SINGLE-OP, MULTI-OP o SERVER-OP"},
    {"BANDA", "BandaNoAplicable", 5, 16, "Deberá seleccionar, al menos, una categoría de Banda."},
    {"MODO", "ModoNoAplicable", 22, 5, "Deberá seleccionar, al menos, una categoría de Modo."},
    {"POTENCIA", "PotenciaNoAplicable", 28, 3, "Deberá seleccionar, al menos, una categoría de Potencia."},
    {"ASISTIDO", "AsistidoNoAplicable", 32, 2, "Deberá seleccionar, al menos, una categoría de Asistido."},
    {"TRANSMISORES", "TxNoAplicable", 35, 5, "Deberá seleccionar, al menos, una categoría de Transmisor."},
    {"TIPO ESTACIÓN", "TipoEstacionNoAplicable", 41, 8,
     "Deberá seleccionar, al menos, una categoría de Tipo Estación."},
    {"TIME", "TimeNoAplicable", 50, 3, "Deberá seleccionar, al menos, una categoría de Horas activas."},
    {"OVERLAY", "OverlayNoAplicable", 54, 4, "Deberá seleccionar, al menos, una categoría de Overlay."},
}};

constexpr std::array<std::string_view, 8> kCamposElemento = {
    "RstEnviado", "NumeralEnviado", "LetrasEnviadas", "LocatorEnviado",
    "RstRecibido", "NumeralRecibido", "LetrasRecibidas", "LocatorRecibido"};
constexpr std::array<std::string_view, 10> kCamposColumna = {
    "MiIndicativo", "MiRst", "MiNumero", "MisLetras", "MiLocator",
    "SuIndicativo", "SuRst", "SuNumero", "SusLetras", "SuLocator"};

bool IgualSinCaso(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

std::string ValorGrupo(std::size_t grupo, const LectorCampoLogico& fila) {
  const GrupoCategorias& g = kGrupos[grupo];
  if (!g.noAplicable.empty() && fila(g.noAplicable)) return {};
  for (std::size_t i = g.primero; i < g.primero + g.cuantos; ++i) {
    if (fila(kColumnas[i].campo)) return std::string(kColumnas[i].palabra);
  }
  return {};
}

}  // namespace

std::span<const ColumnaCategoria, kNumeroColumnasCategoria> ColumnasCategoria() { return kColumnas; }
std::span<const GrupoCategorias, kNumeroGrupos> GruposCategorias() { return kGrupos; }
std::span<const std::string_view, 8> CamposElemento() { return kCamposElemento; }
std::span<const std::string_view, 10> CamposColumna() { return kCamposColumna; }

std::optional<std::size_t> IndiceCategoria(std::string_view nombre) {
  for (std::size_t i = 0; i < kColumnas.size(); ++i) {
    if (IgualSinCaso(kColumnas[i].campo, nombre) || IgualSinCaso(kColumnas[i].control, nombre)) return i;
  }
  return std::nullopt;
}

const GrupoCategorias& GrupoDe(std::size_t indice) {
  for (const GrupoCategorias& g : kGrupos) {
    std::size_t desde = g.noAplicable.empty() ? g.primero : g.primero - 1;
    if (indice >= desde && indice < g.primero + g.cuantos) return g;
  }
  return kGrupos[0];
}

bool ResumenCabrillo::Categoria(std::string_view nombre) const {
  auto i = IndiceCategoria(nombre);
  return i && categorias[*i];
}

void ResumenCabrillo::PonCategoria(std::string_view nombre, bool valor) {
  if (auto i = IndiceCategoria(nombre)) categorias[*i] = valor;
}

std::string ValorCategoriaOperador(const LectorCampoLogico& fila) { return ValorGrupo(0, fila); }
std::string ValorCategoriaBanda(const LectorCampoLogico& fila) { return ValorGrupo(1, fila); }
std::string ValorCategoriaModo(const LectorCampoLogico& fila) { return ValorGrupo(2, fila); }
std::string ValorCategoriaPotencia(const LectorCampoLogico& fila) { return ValorGrupo(3, fila); }
std::string ValorCategoriaAsistido(const LectorCampoLogico& fila) { return ValorGrupo(4, fila); }
std::string ValorCategoriaTransmisor(const LectorCampoLogico& fila) { return ValorGrupo(5, fila); }
std::string ValorCategoriaTipoEstacion(const LectorCampoLogico& fila) { return ValorGrupo(6, fila); }
std::string ValorCategoriaTiempo(const LectorCampoLogico& fila) { return ValorGrupo(7, fila); }
std::string ValorCategoriaOverlay(const LectorCampoLogico& fila) { return ValorGrupo(8, fila); }

LectorCampoLogico LectorDe(const ResumenCabrillo& fila) {
  return [&fila](std::string_view campo) { return fila.Categoria(campo); };
}

std::vector<std::string_view> CasillasQueDesmarca(std::string_view control, bool valor) {
  std::vector<std::string_view> resultado;
  if (!valor) return resultado;
  auto indice = IndiceCategoria(control);
  if (!indice) return resultado;
  const GrupoCategorias& g = GrupoDe(*indice);
  if (g.noAplicable.empty()) return resultado;  // operator group: no rule
  if (IgualSinCaso(kColumnas[*indice].campo, g.noAplicable)) {
    for (std::size_t i = g.primero; i < g.primero + g.cuantos; ++i) resultado.push_back(kColumnas[i].control);
  } else {
    resultado.push_back(g.noAplicable);
  }
  return resultado;
}

void CambiaCategoria(ResumenCabrillo& fila, std::string_view control, bool valor) {
  auto indice = IndiceCategoria(control);
  if (!indice || fila.categorias[*indice] == valor) return;
  fila.categorias[*indice] = valor;
  for (std::string_view otra : CasillasQueDesmarca(control, valor)) CambiaCategoria(fila, otra, false);
}

ResumenCabrillo PerfilInicial() {
  ResumenCabrillo fila;
  fila.PonCategoria("SingleOp", true);
  for (const GrupoCategorias& g : kGrupos) {
    if (!g.noAplicable.empty()) fila.PonCategoria(g.noAplicable, true);
  }
  return fila;
}

}  // namespace rules

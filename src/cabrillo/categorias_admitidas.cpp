#include "cabrillo/categorias_admitidas.h"

#include <array>

#include "database/concursos_especiales.h"

namespace cabrillo {

namespace {

using F = FilaResumenCabrillo;

constexpr std::array<PalabraCategoria, 2> kOperador = {{{"SINGLE-OP", &F::SingleOp}, {"MULTI-OP", &F::MultiOp}}};
constexpr std::array<PalabraCategoria, 16> kBanda = {{{"ALL", &F::ALL},
                                                      {"160M", &F::M160},
                                                      {"80M", &F::M80},
                                                      {"40M", &F::M40},
                                                      {"30M", &F::M30},
                                                      {"20M", &F::M20},
                                                      {"15M", &F::M15},
                                                      {"16M", &F::M16},
                                                      {"12M", &F::M12},
                                                      {"10M", &F::M10},
                                                      {"6M", &F::M6},
                                                      {"2M", &F::M2},
                                                      {"222", &F::M222},
                                                      {"432", &F::M432},
                                                      {"902", &F::M902},
                                                      {"1.2G", &F::G12}}};
constexpr std::array<PalabraCategoria, 5> kModo = {
    {{"SSB", &F::SSB}, {"CW", &F::CW}, {"FM", &F::FM}, {"RTTY", &F::RTTY}, {"MIXED", &F::MIXED}}};
constexpr std::array<PalabraCategoria, 3> kPotencia = {{{"HIGH", &F::High}, {"LOW", &F::Low}, {"QRP", &F::Qrp}}};
constexpr std::array<PalabraCategoria, 2> kAsistido = {
    {{"NON-ASSISTED", &F::NonAssisted}, {"ASSISTED", &F::Assisted}}};
constexpr std::array<PalabraCategoria, 5> kTransmisor = {{{"ONE", &F::One},
                                                          {"TWO", &F::Two},
                                                          {"LIMITED", &F::Limited},
                                                          {"UNLIMITED", &F::UnLimited},
                                                          {"SWL", &F::Swl}}};
constexpr std::array<PalabraCategoria, 8> kEstacion = {{{"FIXED", &F::Fixed},
                                                        {"MOBILE", &F::Mobile},
                                                        {"PORTABLE", &F::Portable},
                                                        {"HILLTOPPER", &F::HillTopper},
                                                        {"ROVER", &F::Rover},
                                                        {"EXPEDITION", &F::Expedition},
                                                        {"HQ", &F::Hq},
                                                        {"SCHOOL", &F::School}}};
constexpr std::array<PalabraCategoria, 3> kTiempo = {
    {{"6HOURS", &F::Hours6}, {"12HOURS", &F::Hours12}, {"24HOURS", &F::Hours24}}};
constexpr std::array<PalabraCategoria, 4> kOverlay = {{{"ROOKIE", &F::Rookie},
                                                       {"TBWIRES", &F::TbWires},
                                                       {"NOVICETECH", &F::NoviceTech},
                                                       {"OVER50", &F::Over50}}};

const GrupoCategorias kGrupoOperador{"OPERADOR", nullptr, kOperador};
const GrupoCategorias kGrupoBanda{"BANDA", &F::BandaNoAplicable, kBanda};
const GrupoCategorias kGrupoModo{"MODO", &F::ModoNoAplicable, kModo};
const GrupoCategorias kGrupoPotencia{"POTENCIA", &F::PotenciaNoAplicable, kPotencia};
const GrupoCategorias kGrupoAsistido{"OPERADOR ASISTIDO", &F::AsistidoNoAplicable, kAsistido};
const GrupoCategorias kGrupoTransmisor{"TRANSMISORES", &F::TxNoAplicable, kTransmisor};
const GrupoCategorias kGrupoEstacion{"TIPO ESTACIÓN", &F::TipoEstacionNoAplicable, kEstacion};
const GrupoCategorias kGrupoTiempo{"TIME", &F::TimeNoAplicable, kTiempo};
const GrupoCategorias kGrupoOverlay{"OVERLAY", &F::OverlayNoAplicable, kOverlay};

// The admitted words of a group that applies; none for one that does not.
std::vector<std::string_view> Admitidas(const GrupoCategorias& grupo, const F& fila) {
  std::vector<std::string_view> palabras;
  if (!grupo.Aplica(fila)) return palabras;
  for (const PalabraCategoria& p : grupo.palabras)
    if (EsCierto(fila.*p.campo)) palabras.push_back(p.palabra);
  return palabras;
}

void Une(std::string& entrada, std::string_view palabra) {
  if (palabra.empty()) return;
  if (!entrada.empty()) entrada += ' ';
  entrada += palabra;
}

void TablaFija(CategoriasAdmitidas& tabla, std::span<const std::string_view> entradas) {
  for (std::string_view e : entradas) tabla.Agrega(std::string(e));
}

}  // namespace

const PalabraCategoria* GrupoCategorias::Busca(std::string_view palabra) const {
  for (const PalabraCategoria& p : palabras)
    if (p.palabra == palabra) return &p;
  return nullptr;
}

const GrupoCategorias& GrupoOperador() { return kGrupoOperador; }
const GrupoCategorias& GrupoBanda() { return kGrupoBanda; }
const GrupoCategorias& GrupoModo() { return kGrupoModo; }
const GrupoCategorias& GrupoPotencia() { return kGrupoPotencia; }
const GrupoCategorias& GrupoAsistido() { return kGrupoAsistido; }
const GrupoCategorias& GrupoTransmisor() { return kGrupoTransmisor; }
const GrupoCategorias& GrupoEstacion() { return kGrupoEstacion; }
const GrupoCategorias& GrupoTiempo() { return kGrupoTiempo; }
const GrupoCategorias& GrupoOverlay() { return kGrupoOverlay; }

std::string CategoriasAdmitidas::Entrada(std::size_t i) const {
  return i >= 1 && i <= entradas_.size() ? entradas_[i - 1] : std::string();
}

void CategoriasAdmitidas::Limpia() {
  entradas_.clear();
  incompleta_ = false;
}

bool CategoriasAdmitidas::Agrega(std::string entrada) {
  if (entradas_.size() >= kMaximo) {
    incompleta_ = true;
    return false;
  }
  entradas_.push_back(std::move(entrada));
  return true;
}

CategoriasAdmitidas GeneraCategoriasAdmitidas(std::string_view nombre_concurso, const FilaResumenCabrillo* fila) {
  CategoriasAdmitidas tabla;
  if (const auto fija = concursos::CategoriasDe(nombre_concurso); !fija.empty()) {
    TablaFija(tabla, fija);
    return tabla;
  }
  if (!fila) return tabla;

  // The lone entries always find room at the end of the table.
  const std::size_t solas = (EsCierto(fila->ServerOp) ? 1 : 0) + (EsCierto(fila->CheckLog) ? 1 : 0);
  const std::size_t capacidad = CategoriasAdmitidas::kMaximo - solas;
  bool incompleta = false;

  // Product of operator, band, mode, power, transmitter and station, the
  // operator outermost. A group with no admitted word adds no word; with no
  // operator word there is no entry.
  const std::vector<std::string_view> operador = Admitidas(kGrupoOperador, *fila);
  const std::array<std::vector<std::string_view>, 6> listas = {
      operador,
      Admitidas(kGrupoBanda, *fila),
      Admitidas(kGrupoModo, *fila),
      Admitidas(kGrupoPotencia, *fila),
      Admitidas(kGrupoTransmisor, *fila),
      Admitidas(kGrupoEstacion, *fila)};
  enum { kOp, kBanda, kModo, kPotencia, kTx, kEstacion };
  const bool potencia_antes = !listas[kBanda].empty() && !listas[kModo].empty() && !listas[kPotencia].empty();

  std::vector<std::string> entradas;
  if (!operador.empty()) {
    std::array<std::size_t, 6> indice{};
    for (;;) {
      if (entradas.size() >= capacidad) {
        incompleta = true;
        break;
      }
      auto palabra = [&](int g) { return listas[g].empty() ? std::string_view() : listas[g][indice[g]]; };
      std::string entrada;
      Une(entrada, palabra(kOp));
      Une(entrada, palabra(kBanda));
      if (potencia_antes) {
        Une(entrada, palabra(kPotencia));
        Une(entrada, palabra(kModo));
      } else {
        Une(entrada, palabra(kModo));
        Une(entrada, palabra(kPotencia));
      }
      Une(entrada, palabra(kTx));
      Une(entrada, palabra(kEstacion));
      entradas.push_back(std::move(entrada));

      // Next combination, the station innermost.
      int g = kEstacion;
      for (; g >= kOp; --g) {
        if (listas[g].empty()) continue;
        if (++indice[g] < listas[g].size()) break;
        indice[g] = 0;
      }
      if (g < kOp) break;
    }
  }

  // Qualifiers: every entry so far followed by the first admitted word,
  // then all of them followed by the second...
  for (const GrupoCategorias* grupo : {&kGrupoAsistido, &kGrupoOverlay, &kGrupoTiempo}) {
    if (!grupo->Aplica(*fila)) continue;
    const std::vector<std::string> previas = std::move(entradas);
    entradas.clear();
    for (std::string_view palabra : Admitidas(*grupo, *fila)) {
      for (const std::string& previa : previas) {
        if (entradas.size() >= capacidad) {
          incompleta = true;
          break;
        }
        entradas.push_back(previa + " " + std::string(palabra));
      }
    }
  }

  for (std::string& e : entradas) tabla.Agrega(std::move(e));
  if (EsCierto(fila->ServerOp)) tabla.Agrega("SERVER-OP");
  if (EsCierto(fila->CheckLog)) tabla.Agrega("CHECKLOG");
  if (incompleta) tabla.MarcaIncompleta();
  return tabla;
}

std::vector<std::string> LineasCategoriasAdmitidas(const CategoriasAdmitidas& tabla,
                                                   std::string_view nombre_concurso,
                                                   std::string_view linea_categoria) {
  const bool con_guion = concursos::Tiene(nombre_concurso, &concursos::PerfilConcurso::categorias_con_guion);
  const concursos::NotaCategoria nota = concursos::NotaCategoriaDe(nombre_concurso);
  std::vector<std::string> lineas;
  lineas.reserve(tabla.Numero() + 4);
  lineas.emplace_back("\tCATEGORÍAS ADMITIDAS:");
  for (std::size_t i = 1; i <= tabla.Numero(); ++i) {
    std::string linea = con_guion ? ".- " : "";
    linea += tabla.Entrada(i);
    if (i == nota.entrada) linea += nota.nota;
    lineas.push_back(std::move(linea));
  }
  lineas.emplace_back();
  lineas.emplace_back("\tSUS DATOS:");
  lineas.emplace_back(linea_categoria);
  return lineas;
}

}  // namespace cabrillo

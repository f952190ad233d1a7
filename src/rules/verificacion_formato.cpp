#include "rules/verificacion_formato.h"

#include <array>
#include <cctype>

#include "common/reglas_qso.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"

namespace rules {
namespace {

constexpr std::array<std::string_view, 8> kControlesElemento = {
    "CabrilloRstEnv", "CabrilloNumSerieEnv", "CabrilloLiteralEnv", "CabrilloLocatorEnv",
    "CabrilloRstRec", "CabrilloNumSerieRec", "CabrilloLiteralRec", "CabrilloLocatorRec"};
constexpr std::array<std::string_view, 10> kControlesColumna = {
    "CMiIndicativo", "CMiRst", "CMiNumero", "CMisLetras", "CMiLocator",
    "CSuIndicativo", "CSuRst", "CSuNumero", "CSusLetras", "CSuLocator"};

constexpr std::string_view kTituloNumero = "VERIFICAR NUMERO ";

std::string_view RecortaBlancos(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// A column: digits only (blanks around them allowed), 1 to kColumnaMaxima.
std::optional<int> LeeColumna(std::string_view s) {
  s = RecortaBlancos(s);
  if (s.empty() || s.size() > 3) return std::nullopt;
  int valor = 0;
  for (char c : s) {
    if (!EsDigito(c)) return std::nullopt;
    valor = valor * 10 + (c - '0');
  }
  if (valor < 1 || valor > kColumnaMaxima) return std::nullopt;
  return valor;
}

FalloVerificacion Aviso(std::string mensaje, std::string_view foco = {}) {
  return {std::move(mensaje), "", plataforma::Icono::Ninguno, std::string(foco)};
}

// The test of a ticked element's column field.
std::optional<FalloVerificacion> VerificaColumna(std::string& texto, Columna c) {
  std::string_view control = kControlesColumna[c];
  if (texto.empty()) return Aviso("Este Dato no se puede dejar en blanco", control);
  if (!EsTextoNumerico(texto)) {
    return FalloVerificacion{".- ERROR en FORMATO NUMERICO", std::string(kTituloNumero), plataforma::Icono::Pregunta,
                             std::string(control)};
  }
  if (!LeeColumna(texto)) {
    return FalloVerificacion{"La posición en columna debe ser un número entero entre 1 y 100",
                             std::string(kTituloNumero), plataforma::Icono::Pregunta, std::string(control)};
  }
  return std::nullopt;
}

}  // namespace

std::string_view ControlElemento(Elemento e) { return kControlesElemento[e]; }
std::string_view ControlColumna(Columna c) { return kControlesColumna[c]; }

bool EsTextoNumerico(std::string& texto) {
  if (RecortaBlancos(texto).empty()) {
    texto = "0";
    return true;
  }
  if (RecortaBlancos(texto) == "-") return true;
  return plataforma::EsNumerico(texto);
}

std::optional<FalloVerificacion> VerificaFormatoCabrillo(FormularioCabrillo& f) {
  const ResumenCabrillo& cat = f.categorias;
  if (!cat.Categoria("SingleOp") && !cat.Categoria("MultiOp") && !cat.Categoria("ServerOp")) {
    return Aviso(std::string(GruposCategorias()[0].mensaje));
  }
  if (f.EMailConcurso.empty()) {
    return Aviso("Deberá introducir la dirección E-MAIL en donde se van a recibir los ficheros", "EMailConcurso");
  }
  if (plataforma::Longitud(f.EMailConcurso) > kLongitudTextoResumen) {
    return Aviso("La dirección E-MAIL no puede tener más de 64 caracteres", "EMailConcurso");
  }
  if (f.AsuntoConcurso.empty()) {
    return Aviso("Deberá introducir el ASUNTO que debe figurar en el E-MAIL del concursante", "AsuntoConcurso");
  }
  if (plataforma::Longitud(f.AsuntoConcurso) > kLongitudTextoResumen) {
    return Aviso("El ASUNTO no puede tener más de 64 caracteres", "AsuntoConcurso");
  }
  // The contest record could not store them later.
  if (plataforma::Longitud(f.EMailReclamaciones) > kLongitudTextoConcurso) {
    return Aviso("El E-MAIL de información o reclamaciones no puede tener más de 64 caracteres",
                 "EMailReclamaciones");
  }
  if (plataforma::Longitud(f.WEBConcurso) > kLongitudTextoConcurso) {
    return Aviso("La WEB del concurso no puede tener más de 64 caracteres", "WEBConcurso");
  }
  for (const GrupoCategorias& g : GruposCategorias().subspan(1)) {
    if (cat.Categoria(g.noAplicable)) continue;
    bool alguno = false;
    for (std::size_t i = g.primero; i < g.primero + g.cuantos; ++i) alguno = alguno || cat.categorias[i];
    if (!alguno) return Aviso(std::string(g.mensaje));
  }
  const auto& m = f.intercambio.marcado;
  if (!m[kRstEnviado] && !m[kNumeralEnviado] && !m[kLetrasEnviadas] && !m[kLocatorEnviado]) {
    return Aviso("Deberá indicar algún control a pasar o recibir", "CabrilloRstEnv");
  }
  if (!m[kRstRecibido] && !m[kNumeralRecibido] && !m[kLetrasRecibidas] && !m[kLocatorRecibido]) {
    return Aviso("Deberá indicar algún control a pasar o recibir", "CabrilloRstRec");
  }
  for (std::size_t e = kRstEnviado; e <= kLocatorRecibido; ++e) {
    Columna c = ColumnaDeElemento(static_cast<Elemento>(e));
    std::string& texto = f.intercambio.columna[c];
    if (!m[e]) {
      texto = "0";
      continue;
    }
    if (auto fallo = VerificaColumna(texto, c)) return fallo;
  }
  for (Columna c : {kSuIndicativo, kMiIndicativo}) {
    if (auto fallo = VerificaColumna(f.intercambio.columna[c], c)) return fallo;
  }
  return std::nullopt;
}

ResumenCabrillo ResumenDesdeFormulario(const FormularioCabrillo& f, std::string_view nombreConcurso) {
  ResumenCabrillo fila;
  fila.categorias = f.categorias.categorias;
  fila.elementos = f.intercambio.marcado;
  for (std::size_t c = 0; c < fila.columnas.size(); ++c) {
    fila.columnas[c] = LeeColumna(f.intercambio.columna[c]).value_or(0);
  }
  fila.EMailConcurso = f.EMailConcurso;
  fila.AsuntoConcurso = f.AsuntoConcurso;
  // Contests whose exchange carries points
  // (concursos::PuntosEnIntercambioAlGuardar): points both ways and a fixed
  // layout over the window's columns.
  reglas::PerfilIntercambio perfil;
  reglas::PosicionesQso p;
  auto& c = fila.columnas;
  p = {c[kMiIndicativo], c[kMiRst], c[kMiNumero], c[kMisLetras], c[kMiLocator],
       c[kSuIndicativo], c[kSuRst], c[kSuNumero], c[kSusLetras], c[kSuLocator]};
  if (reglas::AplicaDisposicionPuntos(nombreConcurso, perfil, p)) {
    fila.PuntosEnviados = perfil.enviado.puntos;
    fila.PuntosRecibidos = perfil.recibido.puntos;
    c = {p.miIndicativo, p.miRst, p.miNumero, p.misLetras, p.miLocator,
         p.suIndicativo, p.suRst, p.suNumero, p.susLetras, p.suLocator};
    fila.MisPuntos = p.misPuntos;
    fila.SusPuntos = p.susPuntos;
  }
  return fila;
}

}  // namespace rules

#include "cabrillo/verificacion_cabecera.h"

#include <array>

#include "cabrillo/indicativo_base.h"
#include "cabrillo/lectura.h"
#include "database/concursos_especiales.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"

namespace cabrillo {

namespace {

using F = FilaResumenCabrillo;

constexpr std::string_view kError6 = "En el fichero cabrillo se ha omitido el parámetro CALLSIGN:";
constexpr std::string_view kError7 = "En el fichero cabrillo se ha omitido el parámetro CATEGORY:";
constexpr std::string_view kError8 = "En el fichero cabrillo se ha omitido el parámetro CONTEST:";
constexpr std::string_view kError9 = "En el fichero cabrillo se ha omitido el parámetro CATEGORY-OPERATOR:";
constexpr std::string_view kError34 = "En el fichero cabrillo no coincide con el indicativo del CALLSIGN:";
constexpr std::string_view kError10 = "La categoría del operador no se corresponde con las exigidas en las Bases.";
constexpr std::string_view kError38 = "La LISTA cabrillo no pertenece al ";
constexpr std::string_view kError39 = "La categoria no se corresponde con el País del concursante";

// A header line by its tag; empty when the header does not carry it.
std::string LineaDe(const std::vector<std::string>& lineas, std::string_view etiqueta) {
  std::string linea;
  if (!BuscaParametroCabrillo(lineas, etiqueta, linea)) linea.clear();
  return linea;
}

// A header line that must be there: when the header does not carry it, its
// error block is written and the line stays empty.
bool LineaObligatoria(const std::vector<std::string>& lineas, std::string_view etiqueta, std::string& linea,
                      int numero, std::string_view texto, FicheroErrores& informe) {
  if (BuscaParametroCabrillo(lineas, etiqueta, linea)) return true;
  informe.EscribeBloqueError(numero, texto);
  linea.clear();
  return false;
}

std::string ValorDe(std::string_view linea) {
  std::string valor;
  ObtieneValorParametro(linea, valor);
  return valor;
}

bool Contiene(std::string_view texto, std::string_view parte) { return texto.find(parte) != std::string_view::npos; }

// The callsign check that opens both header checks.
bool VerificaIndicativo(const std::vector<std::string>& lineas, std::string_view nombre_fichero,
                        const EntornoValidacion& e) {
  std::string linea;
  if (!BuscaParametroCabrillo(lineas, "CALLSIGN:", linea)) {
    e.informe.EscribeBloqueError(6, kError6);
    e.cabecera.LineaCallsign.clear();
    return false;
  }
  bool correcto = true;
  const std::size_t dos_puntos = linea.find(':');
  const std::string indicativo = plataforma::Recorta(std::string_view(linea).substr(dos_puntos + 1));
  const std::string base = IndicativoBase(indicativo);

  std::string nombre(nombre_fichero);
  if (concursos::Tiene(e.concurso.Concurso, &concursos::PerfilConcurso::log_por_banda))
    QuitaSufijoNombre(nombre_fichero, nombre);
  if (plataforma::Mayusculas(nombre) != plataforma::Mayusculas(base) + ".LOG") {
    e.informe.EscribeBloqueError({linea, "FICHERO ADJUNTO : " + std::string(nombre_fichero)}, 34, kError34);
    correcto = false;
  }
  e.cabecera.LineaCallsign = linea;
  return correcto;
}

// The operator category of some contests is rewritten, as their profile's
// `ReescrituraOperador` says: "GENERAL" and "GRUPO 2012" mapped, or only
// "CHECKLOG" kept apart from "SINGLE-OP".
void ReescribeOperador(std::string_view concurso, std::string_view etiqueta, std::string& linea) {
  const std::string tag(etiqueta);
  const concursos::ReescrituraOperador regla = concursos::ReescrituraOperadorDe(concurso);
  if (regla == concursos::ReescrituraOperador::GeneralYGrupo) {
    if (Contiene(linea, "GENERAL"))
      linea = tag + " SINGLE-OP";
    else if (Contiene(linea, "GRUPO 2012"))
      linea = tag + " SERVER-OP";
  } else if (regla == concursos::ReescrituraOperador::SoloChecklog) {
    linea = tag + (Contiene(linea, "CHECKLOG") ? " CHECKLOG" : " SINGLE-OP");
  }
}

// A category group checked word by word against `ResumenCabrillo`.
struct GrupoComprobado {
  const GrupoCategorias& (*grupo)();
  int error;
  std::string_view texto;
  FinBloque fin;
};

const std::array<GrupoComprobado, 8> kGrupos = {{
    {GrupoBanda, 11, "La categoría de la BANDA no se corresponde con las exigidas en las Bases.",
     FinBloque::ConLineaEnBlanco},
    {GrupoModo, 12, "La categoría del MODO no se corresponde con las exigidas en las Bases.",
     FinBloque::ConLineaEnBlanco},
    {GrupoPotencia, 13,
     "La categoría de POTENCIA de la estación no se corresponde con las exigidas en las Bases.",
     FinBloque::SinLineaEnBlanco},
    {GrupoAsistido, 14, "La categoría de OPERADOR ASISTIDO no se corresponde con las exigidas en las Bases.",
     FinBloque::ConLineaEnBlanco},
    {GrupoTransmisor, 15, "La categoría de TRANSMISORES UTILIZADOS no se corresponde con las exigidas en las Bases.",
     FinBloque::ConLineaEnBlanco},
    {GrupoEstacion, 16, "La categoría de TIPO ESTACION no se corresponde con las exigidas en las Bases.",
     FinBloque::ConLineaEnBlanco},
    {GrupoTiempo, 17, "La categoría de TIME no se corresponde con las exigidas en las Bases.",
     FinBloque::ConLineaEnBlanco},
    {GrupoOverlay, 18, "La categoría OVERLAY no se corresponde con las exigidas en las Bases.",
     FinBloque::ConLineaEnBlanco},
}};

// Operator values: the field that must not be False and the station value
// that an admitted operator value sets.
struct ValorOperador {
  std::string_view valor;
  Logico F::*campo;
  std::string_view estacion;  // empty: leaves the station value
  bool solo_segovia = false;  // the station value is set only for a contest with `estacion_fija`
};

constexpr std::array<ValorOperador, 14> kOperadores = {{
    {"SINGLE-OP", &F::SingleOp, {}},
    {"SINGLE-OP FIXED", &F::SingleOp, "FIXED"},
    {"FIJA", &F::SingleOp, "FIXED", true},
    {"MONO-OPERADOR", &F::SingleOp, "FIXED", true},
    {"MONO-PORTABLE", &F::SingleOp, "PORTABLE"},
    {"MULTI-OP", &F::MultiOp, {}},
    {"MULTI-OPERADOR", &F::MultiOp, {}},
    {"MULTI-MULTI", &F::MultiOp, {}},
    {"MULTI-ONE", &F::MultiOp, {}},
    {"MULTI-TWO", &F::MultiOp, {}},
    {"MULTI-PORTABLE", &F::MultiOp, "PORTABLE"},
    {"CHECKLOG", &F::CheckLog, {}},
    {"CONTROL", &F::CheckLog, {}},
    {"SERVER-OP", &F::ServerOp, {}},
}};

bool EsEntradaAdmitida(const CategoriasAdmitidas& tabla, std::string_view valor) {
  for (const std::string& entrada : tabla.Entradas())
    if (entrada == valor) return true;
  return false;
}

// The country rule of `ReglaOperador::TablaYPais` for an operator value of its table.
bool CumpleReglaPais(std::string_view operador, std::string_view pais) {
  const bool ea = pais.substr(0, 2) == "EA";
  const bool ct_c3 = pais == "CT" || pais == "C3";
  if (operador.substr(0, 4) == "ISLA" || operador == "FARO") return ea;
  if (operador == "GENERAL-PENINSULAR") return ea || ct_c3;
  if (operador == "GENERAL-NO-EA") return !ea && !ct_c3;
  return true;
}

}  // namespace

bool EsNombreDelConcurso(std::string_view valor, const DatosConcursoLog& concurso) {
  const std::string v = plataforma::Mayusculas(valor);
  const std::string nombre = plataforma::Mayusculas(concurso.Concurso);
  if (v == nombre) return true;
  // The sample header of the rules text writes the name and the edition.
  return !concurso.Edicion.empty() && v == nombre + " " + plataforma::Mayusculas(concurso.Edicion);
}

namespace {

void EscribeBloqueConTabla(const EntornoValidacion& e, const std::vector<std::string>& tabla,
                           std::vector<std::string> extra, int numero, std::string_view texto) {
  std::vector<std::string> contexto = tabla;
  for (std::string& linea : extra) contexto.push_back(std::move(linea));
  e.informe.EscribeBloqueError(contexto, numero, texto);
}

}  // namespace

bool EsCategoriaBandaValida(std::string_view p) {
  static constexpr std::array<std::string_view, 16> kPalabras = {
      "All", "160M", "80M", "40M", "30M", "20M", "15M", "16M", "12M", "10M", "6M", "2M", "222", "432", "902", "1.2G"};
  for (std::string_view w : kPalabras)
    if (w == p) return true;
  return false;
}

bool EsCategoriaPotenciaValida(std::string_view p) { return p == "HIGH" || p == "LOW" || p == "QRP"; }

bool EsCategoriaModoValida(std::string_view p) {
  return p == "SSB" || p == "CW" || p == "FM" || p == "RTTY" || p == "MIXED";
}

bool EsCategoriaEstacionValida(std::string_view p) {
  static constexpr std::array<std::string_view, 8> kPalabras = {"FIXED", "MOBILE",     "PORTABLE", "HILLTOPPER",
                                                                "ROVER", "EXPEDITION", "HQ",       "SCHOOL"};
  for (std::string_view w : kPalabras)
    if (w == p) return true;
  return false;
}

void DesglosaCategoriaCabrillo(std::string_view linea, std::string& operador, std::string& banda,
                               std::string& potencia, std::string& modo, std::string& estacion) {
  const std::size_t p = linea.find(':');
  if (p == std::string_view::npos) return;
  std::size_t m = p + 1;
  while (m < linea.size() && linea[m] == ' ') ++m;
  std::size_t t = linea.find(' ', m);
  if (t == std::string_view::npos) {
    operador = plataforma::Recorta(linea.substr(std::min(m, linea.size())));
    return;
  }
  operador = plataforma::Recorta(linea.substr(m, t - m));

  auto clasifica = [&](const std::string& palabra, bool ultima) {
    if (EsCategoriaBandaValida(palabra))
      banda = ultima ? plataforma::Mayusculas(palabra) : palabra;
    else if (EsCategoriaPotenciaValida(palabra))
      potencia = palabra;
    else if (EsCategoriaModoValida(palabra))
      modo = palabra;
    else if (EsCategoriaEstacionValida(palabra))
      estacion = palabra;
  };
  for (int k = 0; k < 4; ++k) {
    const std::size_t v = t + 1;
    const std::size_t u = linea.find(' ', v);
    if (u == std::string_view::npos) {
      clasifica(plataforma::Recorta(linea.substr(v)), true);
      return;
    }
    clasifica(plataforma::Recorta(linea.substr(v, u - v)), false);
    t = u;
  }
}

bool VerificaCabeceraV2(const std::vector<std::string>& lineas, std::string_view nombre_fichero,
                        const EntornoValidacion& e) {
  CabeceraLog& c = e.cabecera;
  bool correcto = VerificaIndicativo(lineas, nombre_fichero, e);

  if (!LineaObligatoria(lineas, "CATEGORY:", c.LineaCategory, 7, kError7, e.informe)) {
    correcto = false;
  } else {
    ReescribeOperador(e.concurso.Concurso, "CATEGORY:", c.LineaCategory);
  }
  c.LineaCategoryAssisted = LineaDe(lineas, "CATEGORY-ASSISTED:");
  if (!LineaObligatoria(lineas, "CONTEST:", c.LineaContest, 8, kError8, e.informe)) correcto = false;
  c.LineaClub = LineaDe(lineas, "CLUB:");
  c.LineaOperators = LineaDe(lineas, "OPERATORS:");
  return correcto;
}

bool VerificaCabeceraV3(const std::vector<std::string>& lineas, std::string_view nombre_fichero,
                        const EntornoValidacion& e) {
  CabeceraLog& c = e.cabecera;
  bool correcto = VerificaIndicativo(lineas, nombre_fichero, e);

  c.LineaCategoryAssisted = LineaDe(lineas, "CATEGORY-ASSISTED:");
  if (!LineaObligatoria(lineas, "CONTEST:", c.LineaContest, 8, kError8, e.informe)) correcto = false;
  c.LineaClub = LineaDe(lineas, "CLUB:");
  c.LineaOperators = LineaDe(lineas, "OPERATORS:");
  c.LineaCategoryBand = LineaDe(lineas, "CATEGORY-BAND:");
  c.LineaCategoryMode = LineaDe(lineas, "CATEGORY-MODE:");
  if (!LineaObligatoria(lineas, "CATEGORY-OPERATOR:", c.LineaCategoryOperator, 9, kError9, e.informe)) {
    correcto = false;
  } else {
    ReescribeOperador(e.concurso.Concurso, "CATEGORY-OPERATOR:", c.LineaCategoryOperator);
  }
  c.LineaCategoryPower = LineaDe(lineas, "CATEGORY-POWER:");
  c.LineaCategoryStation = LineaDe(lineas, "CATEGORY-STATION:");
  c.LineaCategoryTime = LineaDe(lineas, "CATEGORY-TIME:");
  c.LineaCategoryTransmitter = LineaDe(lineas, "CATEGORY-TRANSMITTER:");
  c.LineaCategoryOverlay = LineaDe(lineas, "CATEGORY-OVERLAY:");
  return correcto;
}

bool VerificaCategorias(std::string_view version, const EntornoValidacion& e) {
  CabeceraLog& c = e.cabecera;
  const DatosConcursoLog& concurso = e.concurso;
  const std::string_view nombre = concurso.Concurso;
  const F& fila = concurso.Resumen;
  const bool v2 = version == "2.0";

  // Values of the groups, in the order of kGrupos.
  std::string operador, banda, modo, potencia, asistido, transmisor, estacion, tiempo, overlay;
  c.IndicativoParticipante = ValorDe(c.LineaCallsign);
  if (v2) {
    DesglosaCategoriaCabrillo(c.LineaCategory, operador, banda, potencia, modo, estacion);
  } else {
    banda = ValorDe(c.LineaCategoryBand);
    modo = ValorDe(c.LineaCategoryMode);
    operador = ValorDe(c.LineaCategoryOperator);
    potencia = ValorDe(c.LineaCategoryPower);
    estacion = ValorDe(c.LineaCategoryStation);
    transmisor = ValorDe(c.LineaCategoryTransmitter);
  }
  asistido = ValorDe(c.LineaCategoryAssisted);
  tiempo = ValorDe(c.LineaCategoryTime);
  overlay = ValorDe(c.LineaCategoryOverlay);
  const std::string valor_concurso = ValorDe(c.LineaContest);
  c.IndicativoParticipante = IndicativoBase(c.IndicativoParticipante);

  if (concurso.VerificarNombreExacto && !EsNombreDelConcurso(valor_concurso, concurso)) {
    e.informe.EscribeBloqueError({c.LineaContest}, 38, std::string(kError38) + std::string(nombre));
    return false;
  }
  if (operador == "SWL") {
    c.MarcaSwl = "SWL";
    return true;
  }

  const std::vector<std::string> tabla =
      LineasCategoriasAdmitidas(e.categorias, nombre, v2 ? c.LineaCategory : c.LineaCategoryOperator);

  const concursos::ReglaOperador regla_operador = concursos::OperadorDe(nombre);
  if (regla_operador == concursos::ReglaOperador::SoloTabla) {
    if (EsEntradaAdmitida(e.categorias, operador)) return true;
    EscribeBloqueConTabla(e, tabla, {}, 10, kError10);
    return false;
  }
  if (regla_operador == concursos::ReglaOperador::TablaYPais) {
    const std::string pais = PaisDeIndicativo(e.paises, c.IndicativoParticipante);
    if (!EsEntradaAdmitida(e.categorias, operador)) {
      EscribeBloqueConTabla(e, tabla, {}, 10, kError10);
      return false;
    }
    if (!CumpleReglaPais(operador, pais)) {
      EscribeBloqueConTabla(e, tabla, {"PAIS CONCURSANTE: " + pais}, 39, kError39);
      return false;
    }
    return true;
  }

  bool correcto = true;
  auto escribe = [&](const std::vector<std::string>& contexto, int numero, std::string_view texto, FinBloque fin) {
    e.informe.EscribeBloqueError(contexto, numero, texto, fin);
    correcto = false;
  };

  // Operator group; its block alone carries the admitted-category table.
  const std::string operador_may = plataforma::Mayusculas(operador);
  const ValorOperador* hallado = nullptr;
  for (const ValorOperador& v : kOperadores)
    if (v.valor == operador_may) hallado = &v;
  const bool operador_admitido = hallado && !EsFalso(fila.*(hallado->campo));
  if (operador_admitido && !hallado->estacion.empty() && (!hallado->solo_segovia || concursos::Tiene(nombre, &concursos::PerfilConcurso::estacion_fija)))
    estacion = std::string(hallado->estacion);
  if (!operador_admitido && regla_operador != concursos::ReglaOperador::SinOperador) {
    EscribeBloqueConTabla(e, tabla, {"OPERADOR: " + operador}, 10, kError10);
    correcto = false;
  }

  // The eight other groups, each checked only when its switch holds False.
  const std::array<const std::string*, 8> valores = {&banda,    &modo,     &potencia, &asistido,
                                                     &transmisor, &estacion, &tiempo,   &overlay};
  const std::array<const std::string*, 8> lineas_contexto = {
      v2 ? &c.LineaCategory : &c.LineaCategoryBand,
      v2 ? &c.LineaCategory : &c.LineaCategoryMode,
      v2 ? &c.LineaCategory : &c.LineaCategoryPower,
      &c.LineaCategoryAssisted,
      &c.LineaCategoryTransmitter,
      &c.LineaCategoryStation,
      &c.LineaCategoryTime,
      &c.LineaCategoryOverlay};
  for (std::size_t g = 0; g < kGrupos.size(); ++g) {
    const GrupoComprobado& comprobado = kGrupos[g];
    const GrupoCategorias& grupo = comprobado.grupo();
    if (!EsFalso(fila.*(grupo.interruptor))) continue;
    const std::string valor = plataforma::Mayusculas(*valores[g]);
    if (g == 0 && valor.empty()) continue;  // an empty band passes
    if (g == 2 && concursos::Tiene(nombre, &concursos::PerfilConcurso::multi_sin_potencia) && operador == "MULTI-OP")
      continue;
    const PalabraCategoria* palabra = grupo.Busca(valor);
    if (palabra && !EsFalso(fila.*(palabra->campo))) continue;
    escribe({*lineas_contexto[g], std::string(grupo.nombre) + ": " + valor}, comprobado.error, comprobado.texto,
            comprobado.fin);
  }
  return correcto;
}

}  // namespace cabrillo

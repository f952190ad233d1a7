#include "scoring/puntos_especiales.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "common/paises.h"
#include "plataforma/dao.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"
#include "scoring/multiplicadores_listas.h"

namespace scoring {

namespace {

// A rule: for each of the columns Estacion, Prefijo, Distrito, Provincia,
// Banda and Modo, 'k' asks the row to equal the QSO's key, '*' to hold "*",
// '.' does not look at it.
using Regla = const char*;

constexpr std::array<Regla, 3> kReglasEstacion = {"k...k.", "k....k", "k....."};

constexpr std::array<Regla, 17> kReglasSimples = {
    "****k*", "*****k", ".**k**", ".**kk*", ".**k*k", ".*k***", ".*k*k*", ".*k**k", ".k**k*",
    ".k***k", ".k*k**", ".k*kk*", ".k*k*k", ".kk***", ".kk*k*", ".kk**k", ".k****",
};

constexpr std::array<Regla, 12> kReglasReferencia = {
    ".k****", ".kk***", ".k**k*", ".k***k", ".kk*k*", ".kk**k",
    ".*k***", ".*k*k*", ".*k**k", "****k*", "*****k", "******",
};

std::optional<std::string> Plegado(const std::optional<std::string>& v) {
  if (!v) return std::nullopt;
  return PliegaTexto(*v);
}

std::optional<std::string> TextoDe(const dao::Variant& v) {
  if (v.IsNull()) return std::nullopt;
  return v.CStr();
}

// The columns of a folded row, in the order of a rule.
std::array<const std::optional<std::string>*, 6> Columnas(const FilaEspecial& f) {
  return {&f.Estacion, &f.Prefijo, &f.Distrito, &f.Provincia, &f.Banda, &f.Modo};
}

bool Cumple(const FilaEspecial& fila, Regla regla, const std::array<std::string, 6>& claves) {
  const auto columnas = Columnas(fila);
  for (std::size_t i = 0; i < 6; ++i) {
    if (regla[i] == '.') continue;
    const std::optional<std::string>& valor = *columnas[i];
    if (!valor) return false;
    if (regla[i] == 'k' ? *valor != claves[i] : *valor != "*") return false;
  }
  return true;
}

// Whole number of an offer; an empty text or one that is no whole number
// offers 0.
std::int64_t Oferta(const std::optional<std::string>& texto) {
  if (!texto) return 0;
  const std::string t = plataforma::Recorta(*texto);
  if (t.empty() || !plataforma::EsNumerico(t)) return 0;
  const double v = std::strtod(t.c_str(), nullptr);
  if (!std::isfinite(v) || v != std::floor(v) || std::fabs(v) > 1e15) return 0;
  return static_cast<std::int64_t>(v);
}

}  // namespace

EstacionesEspeciales EstacionesEspeciales::Lee(dao::Database& base, std::int32_t numero_orden) {
  EstacionesEspeciales lista;
  dao::Recordset rs =
      base.OpenRecordset("Select * From ListaEspeciales Where NumeroOrden = ?", {dao::Variant(numero_orden)});
  // A list written before the column `Modo` was added has no modes.
  bool hay_modo = false;
  {
    const dao::Fields campos = rs.Fields();
    for (int i = 0; i < campos.Count(); ++i)
      if (plataforma::IgualesSinCaso(campos[i].Name(), "Modo")) hay_modo = true;
  }
  while (!rs.Eof()) {
    FilaEspecial f;
    f.Estacion = TextoDe(rs["Estacion"].Value());
    f.Prefijo = TextoDe(rs["Prefijo"].Value());
    f.Distrito = TextoDe(rs["Distrito"].Value());
    f.Provincia = TextoDe(rs["Provincia"].Value());
    f.Banda = TextoDe(rs["Banda"].Value());
    if (hay_modo) f.Modo = TextoDe(rs["Modo"].Value());
    const dao::Variant puntos = rs["Puntos"].Value();
    if (!puntos.IsNull()) f.Puntos = puntos.CLng64();
    f.PuntosRef = TextoDe(rs["PuntosRef"].Value());
    lista.Anade(std::move(f));
    rs.MoveNext();
  }
  rs.Close();
  return lista;
}

void EstacionesEspeciales::Anade(FilaEspecial fila) {
  FilaEspecial plegada = fila;
  for (std::optional<std::string>* c : {&plegada.Estacion, &plegada.Prefijo, &plegada.Distrito, &plegada.Provincia,
                                        &plegada.Banda, &plegada.Modo, &plegada.PuntosRef})
    *c = Plegado(*c);
  filas_.push_back(std::move(fila));
  plegadas_.push_back(std::move(plegada));
}

bool EstacionesEspeciales::EsProvinciaEspecial(std::string_view codigo) const {
  const std::string clave = PliegaTexto(codigo);
  for (const FilaEspecial& f : plegadas_)
    if (f.Provincia && *f.Provincia == clave) return true;
  return false;
}

bool EstacionesEspeciales::TieneEstacionConPuntos(std::string_view indicativo, std::int64_t puntos) const {
  const std::string clave = PliegaTexto(indicativo);
  for (const FilaEspecial& f : plegadas_)
    if (f.Estacion && *f.Estacion == clave && f.Puntos && *f.Puntos == puntos) return true;
  return false;
}

std::string BandaDeLista(std::string_view banda) {
  static constexpr std::pair<std::string_view, std::string_view> kBandas[] = {
      {"1800", "1.8"}, {"3500", "3.5"}, {"7000", "7"},   {"10000", "10"}, {"14000", "14"}, {"18000", "18"},
      {"21000", "21"}, {"24000", "24"}, {"28000", "28"}, {"27500", "27"}, {"1.2", "1296"},
  };
  for (const auto& [qso, lista] : kBandas)
    if (banda == qso) return std::string(lista);
  return std::string(banda);
}

bool CalculaPuntosEstacionesEspeciales(DatosQso& qso, const EstacionesEspeciales& lista, const TablasPaises& paises) {
  if (lista.plegadas_.empty()) return false;

  std::string estacion = qso.Indicativo, portable;
  SeparaPortable(estacion, portable);
  std::string prefijo, prefijo_escrito, distrito;
  BuscaPrefijo(paises, qso.Indicativo, prefijo);
  ObtienePrefijoYDistrito(paises, qso.Indicativo, prefijo_escrito, distrito);
  const std::array<std::string, 6> claves = {
      PliegaTexto(estacion),
      PliegaTexto(prefijo),
      PliegaTexto(distrito),
      PliegaTexto(qso.LiteralRecibido),
      PliegaTexto(BandaDeLista(qso.Banda)),
      PliegaTexto(qso.Modo),
  };
  const std::vector<FilaEspecial>& filas = lista.plegadas_;
  const std::vector<FilaEspecial>& originales = lista.filas_;

  // Station rows: the first rule that has a row decides.
  for (Regla regla : kReglasEstacion) {
    for (std::size_t i = 0; i < filas.size(); ++i) {
      const FilaEspecial& f = filas[i];
      if (!f.PuntosRef || *f.PuntosRef != "*" || !Cumple(f, regla, claves)) continue;
      qso.PuntosRecibidos = originales[i].Puntos ? std::to_string(*originales[i].Puntos) : std::string();
      return true;
    }
  }

  std::int64_t mejor = 0;
  for (Regla regla : kReglasSimples) {
    for (const FilaEspecial& f : filas) {
      if (!f.PuntosRef || *f.PuntosRef != "*" || !Cumple(f, regla, claves)) continue;
      mejor = std::max(mejor, f.Puntos.value_or(0));
      break;
    }
  }
  const std::string& provincia = qso.LiteralRecibido;
  if (!provincia.empty() && provincia.front() != '-') {
    for (Regla regla : kReglasReferencia) {
      for (const FilaEspecial& f : filas) {
        if (!f.Puntos || *f.Puntos != 0 || !Cumple(f, regla, claves)) continue;
        mejor = std::max(mejor, Oferta(f.PuntosRef));
        break;
      }
    }
  }
  if (mejor < 1) return false;
  qso.PuntosRecibidos = std::to_string(mejor);
  return true;
}

}  // namespace scoring

#include "scoring/puntuacion_datos.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "plataforma/dao.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"

namespace scoring {

namespace {

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string TextoDeColumna(const dao::Variant& v) {
  if (v.IsNull()) return {};
  if (v.clase() == dao::Variant::Clase::Date) {
    const dao::Fecha f = v.CDate();
    // "dd-mm-yyyy" ("%02d-%02d-%04d"): every QSO's date is written so, by
    // hand when each part fits its digits.
    if (f.dia >= 0 && f.dia <= 99 && f.mes >= 0 && f.mes <= 99 && f.anio >= 0 && f.anio <= 9999) {
      const auto cifra = [](int n) { return static_cast<char>('0' + n); };
      const char b[10] = {cifra(f.dia / 10),         cifra(f.dia % 10),        '-',
                          cifra(f.mes / 10),         cifra(f.mes % 10),        '-',
                          cifra(f.anio / 1000),      cifra(f.anio / 100 % 10), cifra(f.anio / 10 % 10),
                          cifra(f.anio % 10)};
      return std::string(b, sizeof b);
    }
    char b[48];
    std::snprintf(b, sizeof b, "%02d-%02d-%04d", f.dia, f.mes, f.anio);
    return b;
  }
  return v.CStr();
}

std::string FormateaZonaCq(std::string_view waz) {
  std::string zona(waz.substr(0, waz.find('-')));
  // Digits only, as a zone mostly is: the number itself.
  if (const std::optional<long long> n = plataforma::ValorDeCifras(zona, 15)) return plataforma::ConCeros(*n, 2);
  if (!plataforma::EsNumerico(zona)) return zona;
  const double valor = std::strtod(plataforma::Recorta(zona).c_str(), nullptr);
  if (!std::isfinite(valor) || std::fabs(valor) > 1e15) return zona;
  // Half away from zero, as the number format rounds.
  return plataforma::ConCeros(static_cast<long long>(std::llround(valor)), 2);
}

namespace {

// The columns of `ListaQso` that a record takes, each with its field.
const std::pair<std::string_view, std::string DatosQso::*> kColumnasQso[] = {
    {"Banda", &DatosQso::Banda},
    {"Modo", &DatosQso::Modo},
    {"FechaQso", &DatosQso::FechaQso},
    {"Indicativo", &DatosQso::Indicativo},
    {"Concursante", &DatosQso::Concursante},
    {"LiteralRecibido", &DatosQso::LiteralRecibido},
    {"LiteralEnviado", &DatosQso::LiteralEnviado},
    {"PuntosRecibidos", &DatosQso::PuntosRecibidos},
    {"QraLocatorRecibido", &DatosQso::QraLocatorRecibido},
    {"QraLocatorEnviado", &DatosQso::QraLocatorEnviado},
    {"RsRecibido", &DatosQso::RsRecibido},
    {"RsEnviado", &DatosQso::RsEnviado},
    {"Dxcc", &DatosQso::Dxcc},
    {"Waz", &DatosQso::Waz},
    {"Continente", &DatosQso::Continente},
    {"DxccEstacionBase", &DatosQso::DxccEstacionBase},
    {"WazEstacionBase", &DatosQso::WazEstacionBase},
    {"ContinenteEstacionBase", &DatosQso::ContinenteEstacionBase},
};

}  // namespace

ColumnasListaQso::ColumnasListaQso(const dao::Recordset& seleccion) {
  const dao::Fields campos = seleccion.Fields();
  for (int i = 0; i < campos.Count(); ++i) {
    const std::string nombre = campos[i].Name();
    for (const auto& [columna, miembro] : kColumnasQso)
      if (plataforma::IgualesSinCaso(nombre, columna)) columnas_.emplace_back(i, miembro);
  }
}

void ColumnasListaQso::Lee(const dao::Recordset& fila, DatosQso& qso) const {
  qso = DatosQso{};
  const dao::Fields campos = fila.Fields();
  for (const auto& [indice, miembro] : columnas_) qso.*miembro = TextoDeColumna(campos[indice].Value());
  if (!qso.Waz.empty()) qso.Waz = FormateaZonaCq(qso.Waz);
  if (!qso.WazEstacionBase.empty()) qso.WazEstacionBase = FormateaZonaCq(qso.WazEstacionBase);
}

void DatosQsoDesdeFila(const dao::Recordset& fila, DatosQso& qso) { ColumnasListaQso(fila).Lee(fila, qso); }

void SeparaIndicativo(std::string_view indicativo, std::string& digitos, std::string& letras, std::string& resto) {
  digitos.clear();
  letras.clear();
  resto.clear();
  std::size_t i = 0;
  while (i < indicativo.size() && EsDigito(indicativo[i])) ++i;
  if (i == indicativo.size()) return;  // digits only (or empty): nothing closed
  digitos = std::string(indicativo.substr(0, i));
  const std::size_t inicio = i;
  while (i < indicativo.size() && !EsDigito(indicativo[i])) ++i;
  if (i == indicativo.size()) return;  // no digit after the letters
  letras = std::string(indicativo.substr(inicio, i - inicio));
  resto = std::string(indicativo.substr(i));
}

}  // namespace scoring

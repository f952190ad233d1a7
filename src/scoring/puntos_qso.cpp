#include "scoring/puntos_qso.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/paises.h"
#include "database/concursos_especiales.h"
#include "plataforma/dao.h"
#include "plataforma/lenguaje.h"
#include "plataforma/texto.h"
#include "scoring/fila_concurso.h"
#include "scoring/multiplicadores_listas.h"

namespace scoring {

namespace {

bool EsEspanola(std::string_view dxcc) { return plataforma::Like(dxcc, "EA*"); }

constexpr std::array<std::string_view, 9> kSufijosCampos = {"1-8", "3-5", "7", "10", "14", "18", "21", "24", "28"};
constexpr std::array<std::string_view, 14> kPermisosBanda = {
    "Banda1'8", "Banda3'5",  "Banda7",  "Banda10", "Banda14",  "Banda18",  "Banda21",
    "Banda24",  "BandaUSER", "Banda28", "Banda50", "Banda144", "Banda432", "Banda1296",
};

}  // namespace

bool LeeConfiguracionPuntos(dao::Database& base, std::int32_t numero_orden, ConfiguracionPuntos& config) {
  ConfiguracionPuntos leida;
  const bool hay = RecorreFilaConcurso(base, numero_orden, [&](std::string_view nombre, const dao::Variant& valor) {
    auto es = [&](std::string_view n) { return plataforma::IgualesSinCaso(nombre, n); };
    if (es("Concurso"))
      leida.NombreConcurso = TextoColumna(valor);
    else if (es("RecibirPuntosPorKM"))
      leida.RecibirPuntosPorKM = Cierto(valor);
    else if (es("RecibirPuntos"))
      leida.RecibirPuntos = Cierto(valor);
    else if (es("PuntosMismoPais"))
      leida.PuntosMismoPais = TextoColumna(valor);
    for (std::size_t b = 0; b < kSufijosCampos.size(); ++b) {
      if (es("MismoContinente" + std::string(kSufijosCampos[b]))) leida.MismoContinente[b] = TextoColumna(valor);
      if (es("DistintoContinente" + std::string(kSufijosCampos[b]))) leida.DistintoContinente[b] = TextoColumna(valor);
    }
    for (std::size_t b = 0; b < kPermisosBanda.size(); ++b)
      if (es(kPermisosBanda[b])) leida.BandasPermitidas[b] = Cierto(valor);
  });
  if (hay) config = std::move(leida);
  return hay;
}

float DistanciaEntreLocators(const std::string& enviado, const std::string& recibido) {
  float km = 0;
  if (!CalculaDistanciaLocator(enviado, recibido, km)) return 0;
  return km;
}

std::string TextoPuntos(double valor) {
  char b[48];
  if (std::isfinite(valor) && valor == std::floor(valor) && std::fabs(valor) < 1e15)
    std::snprintf(b, sizeof b, "%.0f", valor);
  else
    std::snprintf(b, sizeof b, "%.7g", valor);
  return b;
}

double ValorPuntos(std::string_view texto) {
  if (!plataforma::EsNumerico(texto)) return 0;
  const double v = std::strtod(plataforma::Recorta(texto).c_str(), nullptr);
  return std::isfinite(v) ? v : 0;
}

// ------------------------------------------------------------ contest rules

void CalculaPuntosPskTest(DatosQso& qso) {
  static constexpr std::string_view kNumeros[] = {"30", "34", "49", "106"};
  auto listado = [](const std::string& d) {
    for (std::string_view n : kNumeros)
      if (d == n) return true;
    return false;
  };
  std::string digitos, letras, resto;
  SeparaIndicativo(qso.Indicativo, digitos, letras, resto);
  if (qso.PuntosRecibidos.empty()) qso.PuntosRecibidos = "0";
  int a = 1;
  if (letras == "AT") a = listado(digitos) ? 3 : 2;
  SeparaIndicativo(qso.Concursante, digitos, letras, resto);
  if (letras == "AT" && listado(digitos)) a = 0;
  qso.PuntosRecibidos = TextoPuntos(ValorPuntos(qso.PuntosRecibidos) + a);
}

void CalculaPuntosCamino(DatosQso& qso, const QsosAnteriores& anteriores, const EstacionesEspeciales& especiales) {
  std::string r = qso.LiteralRecibido;
  const std::size_t guion = r.find('-');
  if (guion != std::string::npos) r.erase(guion, 1);
  const bool punto = !r.empty() && especiales.EsProvinciaEspecial(r) &&
                     !anteriores.Tiene(Familia::Literal, Ambito::Concurso, PliegaTexto(r));
  qso.PuntosRecibidos = punto ? "1" : "0";
}

bool CalculaPuntosRtty(DatosQso& qso, std::string_view nombre_concurso) {
  return CalculaPuntosRtty(qso, concursos::ReglasQsoDe(nombre_concurso));
}

bool CalculaPuntosRtty(DatosQso& qso, const concursos::ReglasQso& reglas) {
  if (!reglas.puntos_espanolas_rtty) return false;
  const bool propio = EsEspanola(qso.DxccEstacionBase);
  const bool trabajado = EsEspanola(qso.Dxcc);
  if (propio)
    qso.PuntosRecibidos = trabajado ? "2" : "1";
  else
    qso.PuntosRecibidos = trabajado ? "3" : "1";
  return true;
}

bool CalculaPuntosAniversario(DatosQso& qso, std::string_view nombre_concurso, std::span<const std::string> socios) {
  return CalculaPuntosAniversario(qso, concursos::ReglasQsoDe(nombre_concurso), socios);
}

bool CalculaPuntosAniversario(DatosQso& qso, const concursos::ReglasQso& reglas,
                              std::span<const std::string> socios) {
  if (!reglas.puntos_socios_del_club) return false;
  if (qso.Indicativo == kEstacionZurozi) {
    qso.PuntosRecibidos = "10";
    return true;
  }
  for (const std::string& socio : socios) {
    if (qso.Indicativo == socio) {
      qso.PuntosRecibidos = "5";
      return true;
    }
  }
  qso.PuntosRecibidos = EsEspanola(qso.Dxcc) ? "4" : "3";
  return true;
}

void CalculaPuntosReferencia(DatosQso& qso, const QsosAnteriores& anteriores) {
  if (qso.PuntosRecibidos.empty()) qso.PuntosRecibidos = "0";
  double puntos = ValorPuntos(qso.PuntosRecibidos);
  std::int64_t nuevo = 0;
  EsNuevoPrefijoEA(qso, anteriores, nuevo);
  if (nuevo == 1) puntos += 3;
  std::string letras, numero;
  SeparaLetrasYNumero(qso.LiteralRecibido, letras, numero);
  const std::size_t cifras = plataforma::Longitud(numero);
  if (letras == "D" && cifras >= 4)
    puntos += 5;
  else if (letras == "E" && cifras >= 4)
    puntos += 5;
  else if (!letras.empty() && cifras == 3)
    puntos += 8;
  if (puntos == 0) puntos = 1;
  qso.PuntosRecibidos = TextoPuntos(puntos);
}

// ------------------------------------------------------------ QSO points

void CalculaPuntosQso(DatosQso& qso, const DatosConcursante& concursante, const QsosAnteriores& anteriores,
                      const ContextoPuntos& c) {
  using R = concursos::ReglaPuntos;
  const R regla = c.reglas.puntos;
  if (regla == R::Psk) {
    CalculaPuntosPskTest(qso);
    return;
  }
  if (c.config.RecibirPuntosPorKM) {
    float km = c.distancia ? c.distancia(qso.QraLocatorEnviado, qso.QraLocatorRecibido) : 0.0f;
    if (qso.Modo == "CW" && c.reglas.km_doble_en_cw) km = 2 * km;
    qso.PuntosRecibidos = TextoPuntos(km);
    return;
  }
  if (regla == R::DelLog) return;
  if (regla == R::CwTriple) {
    qso.PuntosRecibidos = qso.Modo == "CW" ? "3" : "1";
    return;
  }
  if (regla == R::Referencias) {
    CalculaPuntosCamino(qso, anteriores, c.especiales);
    return;
  }
  if (regla == R::NumeroCinco) {
    qso.PuntosRecibidos = plataforma::EsNumerico(qso.LiteralRecibido) ? "5" : "1";
    return;
  }
  if (CalculaPuntosRtty(qso, c.reglas)) return;
  if (CalculaPuntosAniversario(qso, c.reglas, c.socios_zurozi)) return;
  if (!c.config.RecibirPuntos) return;
  if (regla == R::Die) {
    CalculaPuntosEstacionesEspeciales(qso, c.especiales, c.paises);
    CalculaPuntosReferencia(qso, anteriores);
    return;
  }
  if (CalculaPuntosEstacionesEspeciales(qso, c.especiales, c.paises)) return;
  if (qso.Dxcc == concursante.Dxcc) {
    if (!c.config.PuntosMismoPais.empty()) qso.PuntosRecibidos = c.config.PuntosMismoPais;
    return;
  }
  const bool mismo = qso.Continente == concursante.Continente;
  std::string puntos;
  for (std::size_t b = 0; b < kBandasConPuntos.size(); ++b)
    if (qso.Banda == kBandasConPuntos[b]) puntos = mismo ? c.config.MismoContinente[b] : c.config.DistintoContinente[b];
  qso.PuntosRecibidos = puntos.empty() ? "0" : puntos;
}

}  // namespace scoring

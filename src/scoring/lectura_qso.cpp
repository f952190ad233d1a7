#include "scoring/lectura_qso.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "cabrillo/lectura.h"
#include "cabrillo/linea_qso.h"
#include "common/campos_linea.h"
#include "plataforma/texto.h"

namespace scoring {

namespace {

// Begins with an ASCII upper-case prefix, letter case ignored. No other
// character of the program's repertoire upper-cases to an ASCII letter, so
// this answers as comparing the upper-cased text would.
bool EmpiezaSinCaso(std::string_view texto, std::string_view prefijo) {
  if (texto.size() < prefijo.size()) return false;
  for (std::size_t i = 0; i < prefijo.size(); ++i) {
    char c = texto[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != prefijo[i]) return false;
  }
  return true;
}

bool DosDigitos(std::string_view s) {
  return s.size() == 2 && s[0] >= '0' && s[0] <= '9' && s[1] >= '0' && s[1] <= '9';
}

}  // namespace

bool EsLineaQso(std::string_view linea) { return EmpiezaSinCaso(linea, "QSO:"); }

bool EsFinDeLog(std::string_view linea) { return EmpiezaSinCaso(linea, "END-OF-LOG"); }

std::string ObtieneBanda(std::string_view frecuencia) { return cabrillo::BandaDeFrecuencia(frecuencia); }

VistasQso DesglosaLineaQsoVistas(std::string_view linea, const reglas::PerfilIntercambio& flags) {
  using T = reglas::TokenQso;
  VistasQso t;
  std::int64_t posicion = 5;
  auto lee = [&](T token) { t[static_cast<std::size_t>(token)] = SiguienteCampo(linea, posicion); };
  auto lado = [&](const reglas::ElementosIntercambio& e, T rst, T numero, T letras, T puntos, T locator) {
    if (e.rst) lee(rst);
    if (e.numeral) lee(numero);
    if (e.letras) lee(letras);
    if (e.puntos) lee(puntos);
    if (e.locator) lee(locator);
  };
  lee(T::Frecuencia);
  lee(T::Modo);
  lee(T::Fecha);
  lee(T::Hora);
  lee(T::MiIndicativo);
  lado(flags.enviado, T::MiRst, T::MiNumero, T::MisLetras, T::MisPuntos, T::MiLocator);
  lee(T::SuIndicativo);
  lado(flags.recibido, T::SuRst, T::SuNumero, T::SusLetras, T::SusPuntos, T::SuLocator);
  return t;
}

reglas::TokensQso DesglosaLineaQso(std::string_view linea, const reglas::PerfilIntercambio& flags) {
  const VistasQso vistas = DesglosaLineaQsoVistas(linea, flags);
  reglas::TokensQso t;
  for (std::size_t i = 0; i < vistas.size(); ++i) t.valor[i].assign(vistas[i]);
  return t;
}

std::string ModoCruce(std::string_view modo) { return modo == "RY" ? std::string("PS") : std::string(modo); }

std::optional<plataforma::Fecha> FechaQso(std::string_view token) {
  return plataforma::LeeFecha(token, plataforma::FormatoFecha::AnioMesDia);
}

std::optional<int> MinutosDelDia(std::string_view token) {
  // By characters, as the classic Left and Right take them.
  const std::string horas = plataforma::Izquierda(token, 2);
  const std::string minutos = plataforma::Derecha(token, 2);
  if (!DosDigitos(horas) || !DosDigitos(minutos)) return std::nullopt;
  const int h = (horas[0] - '0') * 10 + (horas[1] - '0');
  const int m = (minutos[0] - '0') * 10 + (minutos[1] - '0');
  if (h > 23 || m > 59) return std::nullopt;
  return h * 60 + m;
}

long long MinutoAbsoluto(const plataforma::Fecha& f, int minutos) {
  // Days from the civil calendar (proleptic Gregorian).
  const long long y = f.anio - (f.mes <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long mp = (f.mes + 9) % 12;
  const long long doy = (153 * mp + 2) / 5 + f.dia - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long long dias = era * 146097 + doe;
  return dias * 1440 + minutos;
}

std::optional<int> Entero16(std::string_view texto) {
  if (!plataforma::EsNumerico(texto)) return std::nullopt;
  const std::string copia(texto);
  const double valor = std::nearbyint(std::strtod(copia.c_str(), nullptr));  // half to even
  if (!(valor >= -32768.0 && valor <= 32767.0)) return std::nullopt;
  return static_cast<int>(valor);
}

std::string LetrasComparables(std::string_view letras) {
  if (!plataforma::EsNumerico(letras)) return std::string(letras);
  std::string s = plataforma::Recorta(letras);
  bool negativo = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negativo = s.front() == '-';
    s.erase(0, 1);
  }
  const std::size_t punto = s.find('.');
  std::string entero = s.substr(0, punto);
  const std::string fraccion = punto == std::string::npos ? std::string() : s.substr(punto + 1);
  if (!fraccion.empty() && fraccion.front() >= '5') {
    std::size_t i = entero.size();
    while (i > 0 && entero[i - 1] == '9') entero[--i] = '0';
    if (i == 0)
      entero.insert(entero.begin(), '1');
    else
      ++entero[i - 1];
  }
  const std::size_t primera = entero.find_first_not_of('0');
  if (primera == std::string::npos) return {};
  entero.erase(0, primera);
  return negativo ? "-" + entero : entero;
}

int NumeroDeTexto(std::string_view texto) {
  std::size_t i = 0;
  while (i < texto.size() && texto[i] == ' ') ++i;
  long valor = 0;
  for (; i < texto.size() && texto[i] >= '0' && texto[i] <= '9'; ++i) {
    valor = valor * 10 + (texto[i] - '0');
    if (valor > 32767) return 32767;
  }
  return static_cast<int>(valor);
}

}  // namespace scoring

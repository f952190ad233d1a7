#include "plataforma/lenguaje.h"

#include <vector>

#include "plataforma/texto.h"

namespace plataforma {
namespace {

// One element of a pattern at position p: does it match character c? Sets
// siguiente to the position after the element. A bracket without its closing
// "]" matches nothing. Works on bytes (ASCII texts) or on code points.
template <class Vista, class Car = typename Vista::value_type>
bool ElementoCoincide(Vista pat, std::size_t p, Car c, std::size_t& siguiente) {
  const Car e = pat[p];
  if (e == Car('?')) {
    siguiente = p + 1;
    return true;
  }
  if (e == Car('#')) {
    siguiente = p + 1;
    return c >= Car('0') && c <= Car('9');
  }
  if (e == Car('[')) {
    std::size_t q = p + 1;
    bool niega = false;
    if (q < pat.size() && pat[q] == Car('!')) {
      niega = true;
      ++q;
    }
    bool dentro = false;
    while (q < pat.size() && pat[q] != Car(']')) {
      const Car a = pat[q];
      if (q + 2 < pat.size() && pat[q + 1] == Car('-') && pat[q + 2] != Car(']')) {
        if (a <= c && c <= pat[q + 2]) dentro = true;
        q += 3;
      } else {
        if (a == c) dentro = true;
        ++q;
      }
    }
    if (q >= pat.size()) {
      siguiente = pat.size();
      return false;
    }
    siguiente = q + 1;
    return dentro != niega;
  }
  siguiente = p + 1;
  return e == c;
}

// "[]" stands for no character at all: it is skipped wherever it stands.
template <class Vista, class Car = typename Vista::value_type>
std::size_t SaltaListasVacias(Vista pat, std::size_t p) {
  while (p + 1 < pat.size() && pat[p] == Car('[') && pat[p + 1] == Car(']')) p += 2;
  return p;
}

// Whole-text match, backtracking to the last "*" only: linear in practice,
// and without any allocation.
template <class Vista, class Car = typename Vista::value_type>
bool CoincideCodigos(Vista txt, Vista pat) {
  constexpr std::size_t ninguna = static_cast<std::size_t>(-1);
  std::size_t t = 0, p = 0;
  std::size_t estrellaP = ninguna, estrellaT = 0;
  while (t < txt.size()) {
    p = SaltaListasVacias(pat, p);
    if (p < pat.size() && pat[p] == Car('*')) {
      estrellaP = ++p;
      estrellaT = t;
      continue;
    }
    std::size_t sig;
    if (p < pat.size() && ElementoCoincide(pat, p, txt[t], sig)) {
      p = sig;
      ++t;
      continue;
    }
    if (estrellaP == ninguna) return false;
    p = estrellaP;
    t = ++estrellaT;
  }
  for (p = SaltaListasVacias(pat, p); p < pat.size() && pat[p] == Car('*'); p = SaltaListasVacias(pat, p + 1)) {
  }
  return p == pat.size();
}

bool EsAscii(std::string_view s) {
  for (unsigned char b : s)
    if (b >= 0x80) return false;
  return true;
}

}  // namespace

bool Like(std::string_view texto, std::string_view patron) {
  if (EsAscii(texto) && EsAscii(patron)) return CoincideCodigos(texto, patron);
  const std::u32string t = ACodigos(texto), p = ACodigos(patron);
  return CoincideCodigos(std::u32string_view(t), std::u32string_view(p));
}

std::optional<long long> ValorDeCifras(std::string_view texto, std::size_t maximo) {
  if (texto.empty() || texto.size() > maximo || texto.size() > 18) return std::nullopt;
  long long valor = 0;
  for (const char c : texto) {
    if (c < '0' || c > '9') return std::nullopt;
    valor = valor * 10 + (c - '0');
  }
  return valor;
}

bool EsNumerico(std::string_view texto) {
  std::string_view s = texto;
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  int digitos = 0, puntos = 0;
  for (char c : s) {
    if (c >= '0' && c <= '9')
      ++digitos;
    else if (c == '.')
      ++puntos;
    else
      return false;
  }
  return digitos > 0 && puntos <= 1;
}

bool EsFechaReal(int anio, int mes, int dia) {
  if (anio < 1 || anio > 9999 || mes < 1 || mes > 12 || dia < 1) return false;
  static constexpr int kDias[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool bisiesto = (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0;
  const int maximo = (mes == 2 && bisiesto) ? 29 : kDias[mes - 1];
  return dia <= maximo;
}

std::optional<Fecha> LeeFecha(std::string_view texto, FormatoFecha formato) {
  if (texto.size() != 10) return std::nullopt;
  const char* forma = formato == FormatoFecha::AnioMesDia ? "dddd-dd-dd" : "dd-dd-dddd";
  for (std::size_t i = 0; i < 10; ++i) {
    const char c = texto[i];
    if (forma[i] == 'd' ? (c < '0' || c > '9') : c != '-') return std::nullopt;
  }
  auto numero = [&](std::size_t desde, std::size_t largo) {
    int n = 0;
    for (std::size_t i = desde; i < desde + largo; ++i) n = n * 10 + (texto[i] - '0');
    return n;
  };
  Fecha f;
  if (formato == FormatoFecha::AnioMesDia) {
    f = {numero(0, 4), numero(5, 2), numero(8, 2)};
  } else {
    f = {numero(6, 4), numero(3, 2), numero(0, 2)};
  }
  if (!EsFechaReal(f.anio, f.mes, f.dia)) return std::nullopt;
  return f;
}

std::string EscribeFecha(const Fecha& f, FormatoFecha formato) {
  if (formato == FormatoFecha::AnioMesDia)
    return ConCeros(f.anio, 4) + "-" + ConCeros(f.mes, 2) + "-" + ConCeros(f.dia, 2);
  return ConCeros(f.dia, 2) + "-" + ConCeros(f.mes, 2) + "-" + ConCeros(f.anio, 4);
}

std::string ConCeros(long long valor, int digitos) {
  const bool negativo = valor < 0;
  // Magnitude without overflow for the smallest long long.
  unsigned long long m = negativo ? 0ULL - static_cast<unsigned long long>(valor)
                                  : static_cast<unsigned long long>(valor);
  std::string cifras = std::to_string(m);
  if (static_cast<int>(cifras.size()) < digitos)
    cifras.insert(0, static_cast<std::size_t>(digitos) - cifras.size(), '0');
  return negativo ? "-" + cifras : cifras;
}

}  // namespace plataforma

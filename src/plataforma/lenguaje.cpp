#include "plataforma/lenguaje.h"

#include <vector>

#include "plataforma/texto.h"

namespace plataforma {
namespace {

// One element of a pattern.
struct Elemento {
  enum Tipo { Literal, Uno, Digito, Lista, Serie } tipo = Literal;
  char32_t c = 0;
  bool negada = false;
  std::vector<std::pair<char32_t, char32_t>> rangos;
};

bool Coincide(const Elemento& e, char32_t c) {
  switch (e.tipo) {
    case Elemento::Literal: return c == e.c;
    case Elemento::Uno: return true;
    case Elemento::Digito: return c >= U'0' && c <= U'9';
    case Elemento::Lista: {
      bool dentro = false;
      for (const auto& [a, b] : e.rangos)
        if (c >= a && c <= b) dentro = true;
      return dentro != e.negada;
    }
    case Elemento::Serie: return false;
  }
  return false;
}

// Parses a pattern; false when a "[" is not closed.
bool Analiza(const std::u32string& p, std::vector<Elemento>& salida) {
  for (std::size_t i = 0; i < p.size(); ++i) {
    Elemento e;
    const char32_t c = p[i];
    if (c == U'?') {
      e.tipo = Elemento::Uno;
    } else if (c == U'*') {
      if (!salida.empty() && salida.back().tipo == Elemento::Serie) continue;
      e.tipo = Elemento::Serie;
    } else if (c == U'#') {
      e.tipo = Elemento::Digito;
    } else if (c == U'[') {
      const std::size_t cierre = p.find(U']', i + 1);
      if (cierre == std::u32string::npos) return false;
      std::u32string lista = p.substr(i + 1, cierre - i - 1);
      i = cierre;
      if (lista.empty()) continue;  // "[]" matches zero characters
      e.tipo = Elemento::Lista;
      std::size_t k = 0;
      if (lista[0] == U'!') {
        e.negada = true;
        k = 1;
      }
      while (k < lista.size()) {
        if (k + 2 < lista.size() && lista[k + 1] == U'-') {
          e.rangos.emplace_back(lista[k], lista[k + 2]);
          k += 3;
        } else {
          e.rangos.emplace_back(lista[k], lista[k]);
          ++k;
        }
      }
    } else {
      e.c = c;
    }
    salida.push_back(std::move(e));
  }
  return true;
}

}  // namespace

bool Like(std::string_view texto, std::string_view patron) {
  std::vector<Elemento> p;
  if (!Analiza(ACodigos(patron), p)) return false;
  const std::u32string t = ACodigos(texto);
  // Match with backtracking to the last "*" only: linear in practice.
  std::size_t ti = 0, pi = 0;
  std::size_t estrella = std::string::npos, marca = 0;
  while (ti < t.size()) {
    if (pi < p.size() && p[pi].tipo == Elemento::Serie) {
      estrella = pi++;
      marca = ti;
    } else if (pi < p.size() && Coincide(p[pi], t[ti])) {
      ++pi;
      ++ti;
    } else if (estrella != std::string::npos) {
      pi = estrella + 1;
      ti = ++marca;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi].tipo == Elemento::Serie) ++pi;
  return pi == p.size();
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

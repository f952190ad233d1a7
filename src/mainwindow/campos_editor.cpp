#include "mainwindow/campos_editor.h"

#include "plataforma/texto.h"

#include <cctype>
#include <set>

namespace principal {

int SiguienteCampoEnter(int indice) {
  switch (indice) {
    case 6: return 1;
    case 24: return 7;
    case 25: return 26;
    case 26: return 1;
    default: return indice + 1;
  }
}

int CampoArriba(int indice, bool consulta) {
  switch (indice) {
    case 0: return 6;
    case 1: return consulta ? 0 : 6;
    case 7: return 24;
    case 25: return 24;
    case 26: return consulta ? 0 : 6;
    default: return indice - 1;
  }
}

int CampoAbajo(int indice, bool consulta) {
  switch (indice) {
    case 6: return consulta ? 0 : 1;
    case 24: return 7;
    case 26: return consulta ? 0 : 1;
    default: return indice + 1;
  }
}

int PrimerCampoDisponible(int desde, const std::function<int(int)>& paso,
                          const std::function<bool(int)>& disponible) {
  std::set<int> vistos{desde};
  int actual = paso(desde);
  while (actual >= 0 && actual < kNumeroCamposTexto && vistos.insert(actual).second) {
    if (disponible(actual)) return actual;
    actual = paso(actual);
  }
  return -1;
}

int LongitudMaxima(TipoColumna tipo, int tamano, int extra, int actual) {
  switch (tipo) {
    case TipoColumna::Entero16: return 4 + extra;
    case TipoColumna::Entero32:
    case TipoColumna::Doble: return 11 + extra;
    case TipoColumna::Fecha: return 10 + extra;
    case TipoColumna::Texto: return tamano + extra;
    default: return actual;
  }
}

char32_t MayusculaTecla(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 32;
  // Latin-1 letters à..þ map to À..Þ, except the division sign.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
    case 0x0161: return 0x0160;  // š
    case 0x0153: return 0x0152;  // œ
    case 0x017E: return 0x017D;  // ž
    case 0x00FF: return 0x0178;  // ÿ
    default: return c;
  }
}

namespace {

bool SonDigitos(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

std::string DosCifras(std::string_view s) { return s.size() == 1 ? "0" + std::string(s) : std::string(s); }

}  // namespace

std::string MayusculasTecleadas(std::string_view texto) {
  std::u32string codigos = plataforma::ACodigos(texto);
  for (char32_t& c : codigos) c = MayusculaTecla(c);
  return plataforma::DesdeCodigos(codigos);
}

std::string FechaComoDiaMesAnio(std::string_view texto) {
  std::string_view fecha = texto.substr(0, texto.find(' '));
  auto partes = [](std::string_view s, char sep, std::string_view out[3]) {
    std::size_t a = s.find(sep);
    if (a == std::string_view::npos) return false;
    std::size_t b = s.find(sep, a + 1);
    if (b == std::string_view::npos || s.find(sep, b + 1) != std::string_view::npos) return false;
    out[0] = s.substr(0, a);
    out[1] = s.substr(a + 1, b - a - 1);
    out[2] = s.substr(b + 1);
    return SonDigitos(out[0]) && SonDigitos(out[1]) && SonDigitos(out[2]);
  };
  std::string_view p[3];
  if (partes(fecha, '-', p) && p[0].size() == 4) {
    return DosCifras(p[2]) + "-" + DosCifras(p[1]) + "-" + std::string(p[0]);
  }
  if ((partes(fecha, '-', p) || partes(fecha, '/', p)) && p[2].size() == 4 && p[0].size() <= 2 &&
      p[1].size() <= 2) {
    return DosCifras(p[0]) + "-" + DosCifras(p[1]) + "-" + std::string(p[2]);
  }
  return std::string(texto);
}

std::string SinBlancosFinales(std::string_view texto) {
  std::size_t fin = texto.size();
  while (fin > 0 && texto[fin - 1] == ' ') --fin;
  return std::string(texto.substr(0, fin));
}

}  // namespace principal

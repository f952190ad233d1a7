#include "common/reglas_qso.h"

#include <cstddef>

#include "database/concursos_especiales.h"

namespace reglas {
namespace {

constexpr BandaConcurso kBandas[] = {
    {"Banda1'8", "1.8", "1800"},  {"Banda3'5", "3.5", "3500"},  {"Banda7", "7", "7000"},    {"Banda10", "10", "10000"},
    {"Banda14", "14", "14000"},   {"Banda18", "18", "18000"},   {"Banda21", "21", "21000"}, {"Banda24", "24", "24000"},
    {"Banda28", "28", "28000"},   {"Banda50", "50", "50"},      {"Banda144", "144", "144"}, {"Banda432", "432", "432"},
    {"Banda1296", "1296", "1.2"}, {"BandaUser", "27", "27500"},
};

// kHz ranges, lower bound included, upper bound excluded.
struct Rango {
  double desde, hasta;
  std::string_view valor;
};
constexpr Rango kRangos[] = {
    {1500, 2000, "1800"},    {3000, 4000, "3500"},    {7000, 8000, "7000"},    {10000, 11000, "10000"},
    {14000, 14500, "14000"}, {18000, 19000, "18000"}, {21000, 22000, "21000"}, {24000, 25000, "24000"},
    {27000, 28000, "27500"}, {28000, 31000, "28000"},
};

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

// Digits with at most one decimal point and at least one digit.
bool LeeNumero(std::string_view s, double& valor) {
  if (s.empty()) return false;
  double entero = 0, fraccion = 0, escala = 1;
  bool punto = false, digitos = false;
  for (char c : s) {
    if (c == '.') {
      if (punto) return false;
      punto = true;
    } else if (EsDigito(c)) {
      digitos = true;
      if (punto) {
        escala /= 10;
        fraccion += (c - '0') * escala;
      } else {
        entero = entero * 10 + (c - '0');
      }
    } else {
      return false;
    }
  }
  if (!digitos) return false;
  valor = entero + fraccion;
  return true;
}

bool Marcada(const std::array<bool, 12>& modos, std::initializer_list<int> casillas) {
  for (int i : casillas)
    if (modos[static_cast<std::size_t>(i)]) return true;
  return false;
}

enum Modo { AM, CW, USB, LSB, SSB, FM, RTTY, PACKET };

bool Bisiesto(int a) { return (a % 4 == 0 && a % 100 != 0) || a % 400 == 0; }

bool FechaValida(int anio, int mes, int dia) {
  static constexpr int kDias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (anio < 100 || anio > 9999 || mes < 1 || mes > 12 || dia < 1) return false;
  int maximo = kDias[mes - 1] + ((mes == 2 && Bisiesto(anio)) ? 1 : 0);
  return dia <= maximo;
}

bool Digitos(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!EsDigito(c)) return false;
  return true;
}

int Numero(std::string_view s) {
  int n = 0;
  for (char c : s) n = n * 10 + (c - '0');
  return n;
}

bool EsSeparadorFecha(char c) { return c == '-' || c == '/'; }

void Anade(std::vector<TokenQso>& orden, const ElementosIntercambio& e, TokenQso rst, TokenQso numero, TokenQso letras,
           TokenQso puntos, TokenQso locator) {
  if (e.rst) orden.push_back(rst);
  if (e.numeral) orden.push_back(numero);
  if (e.letras) orden.push_back(letras);
  if (e.puntos) orden.push_back(puntos);
  if (e.locator) orden.push_back(locator);
}

// Positions of one side from the position of its call.
void Cadena(const ElementosIntercambio& e, int indicativo, int& rst, int& numero, int& letras, int& locator,
            int& siguiente) {
  int ultimo = indicativo, salto = 14;
  auto coloca = [&](bool presente, int& pos, int anchura) {
    if (!presente) {
      pos = 0;
      return;
    }
    pos = ultimo + salto;
    ultimo = pos;
    salto = anchura;
  };
  coloca(e.rst, rst, 4);
  coloca(e.numeral, numero, 5);
  coloca(e.letras, letras, 7);
  coloca(e.locator, locator, 7);
  siguiente = ultimo + salto;
}

// Upper case of ASCII letters and of the Latin-1 letters in UTF-8
// (à..þ to À..Þ).
std::string MayusculasTexto(std::string_view s) {
  std::string r(s);
  for (std::size_t i = 0; i < r.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(r[i]);
    if (c >= 'a' && c <= 'z') {
      r[i] = static_cast<char>(c - 'a' + 'A');
    } else if (c == 0xC3 && i + 1 < r.size()) {
      unsigned char d = static_cast<unsigned char>(r[i + 1]);
      if (d >= 0xA0 && d <= 0xBE && d != 0xB7) r[i + 1] = static_cast<char>(d - 0x20);
      ++i;
    }
  }
  return r;
}

std::string_view RecortaBlancos(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

// ------------------------------------------------------------------ bands

std::string_view PliegaBandaVista(std::string_view frecuencia) {
  if (frecuencia == "1.2G") return "1.2";
  double khz = 0;
  if (LeeNumero(frecuencia, khz)) {
    for (const Rango& r : kRangos)
      if (khz >= r.desde && khz < r.hasta) return r.valor;
  }
  return frecuencia;
}

std::string PliegaBanda(std::string_view frecuencia) { return std::string(PliegaBandaVista(frecuencia)); }

PermisoBanda ColumnaDeBanda(std::string_view banda) {
  if (banda == "1.2G") banda = "1.2";
  for (std::size_t i = 0; i < std::size(kBandas); ++i)
    if (kBandas[i].valor == banda) return {PermisoBanda::Tabla::Concursos, kBandas[i].columna, static_cast<int>(i)};
  if (banda == "222") return {PermisoBanda::Tabla::ResumenCabrillo, "M222", -1};
  if (banda == "902") return {PermisoBanda::Tabla::ResumenCabrillo, "M902", -1};
  return {};
}

std::span<const BandaConcurso> BandasConcurso() { return kBandas; }

// ------------------------------------------------------------------ modes

std::vector<int> ModosQueAdmiten(std::string_view token) {
  if (token == "CW") return {CW};
  if (token == "FM") return {FM};
  if (token == "PS") return {PACKET};
  if (token == "PH") return {AM, SSB, LSB, USB};
  if (token == "RY") return {RTTY, PACKET};
  return {};
}

bool ModoQsoAdmitido(std::string_view token, const std::array<bool, 12>& modos) {
  for (int i : ModosQueAdmiten(token))
    if (modos[static_cast<std::size_t>(i)]) return true;
  return false;
}

bool ModoEspecialAdmitido(std::string_view modo, const std::array<bool, 12>& modos) {
  if (modo == "*") return true;
  if (modo == "PH") return Marcada(modos, {AM, USB, LSB, SSB});
  if (modo == "CW") return Marcada(modos, {CW});
  if (modo == "FM") return Marcada(modos, {FM});
  if (modo == "PS") return Marcada(modos, {RTTY, PACKET});
  return false;
}

// ------------------------------------------------------- dates and times

bool VerificaFormatoFecha(std::string& campo) {
  std::string_view s = campo;
  if (s.size() < 8) return false;
  std::string_view dia = s.substr(0, 2);
  std::size_t i = 2;
  if (EsSeparadorFecha(s[i])) ++i;
  if (i + 2 > s.size()) return false;
  std::string_view mes = s.substr(i, 2);
  i += 2;
  if (i < s.size() && EsSeparadorFecha(s[i])) ++i;
  if (i + 4 != s.size()) return false;
  std::string_view anio = s.substr(i, 4);
  if (!Digitos(dia) || !Digitos(mes) || !Digitos(anio)) return false;
  if (!FechaValida(Numero(anio), Numero(mes), Numero(dia))) return false;
  campo = std::string(dia) + "-" + std::string(mes) + "-" + std::string(anio);
  return true;
}

ResultadoHora VerificaFormatoHora(std::string& hora) {
  std::string candidata;
  if (hora.size() == 1) {
    if (!EsDigito(hora[0])) return ResultadoHora::ErrorConAviso;
    candidata = std::string("0") + hora[0] + ":00";
  } else if (hora.size() == 4) {
    candidata = hora.substr(0, 2) + ":" + hora.substr(2, 2);
  } else if (hora.size() == 5) {
    if (hora[2] != ':') return ResultadoHora::ErrorSinAviso;
    candidata = hora;
  } else {
    return ResultadoHora::ErrorConAviso;
  }
  std::string_view h = std::string_view(candidata).substr(0, 2);
  std::string_view m = std::string_view(candidata).substr(3, 2);
  if (!Digitos(h) || !Digitos(m) || Numero(h) > 23 || Numero(m) > 59) return ResultadoHora::ErrorConAviso;
  hora = candidata;
  return ResultadoHora::Correcta;
}

std::string HorasRepeticion(std::string_view texto) {
  if (texto == "24") return "23:59";
  return std::string(texto);
}

// -------------------------------------------------- QSO line exchange

std::vector<TokenQso> OrdenTokensQso(const PerfilIntercambio& perfil) {
  using T = TokenQso;
  std::vector<TokenQso> orden = {T::Frecuencia, T::Modo, T::Fecha, T::Hora, T::MiIndicativo};
  Anade(orden, perfil.enviado, T::MiRst, T::MiNumero, T::MisLetras, T::MisPuntos, T::MiLocator);
  orden.push_back(T::SuIndicativo);
  Anade(orden, perfil.recibido, T::SuRst, T::SuNumero, T::SusLetras, T::SusPuntos, T::SuLocator);
  return orden;
}

std::vector<TokenQso> OrdenTokensCaminoSantiago(bool serverOp) {
  PerfilIntercambio perfil;
  if (serverOp) {
    perfil.enviado.rst = perfil.enviado.letras = true;
    perfil.recibido.rst = true;
  }
  return OrdenTokensQso(perfil);
}

std::vector<std::string> PartesLineaQso(std::string_view linea) {
  std::vector<std::string> partes;
  std::size_t i = 0;
  while (i < linea.size()) {
    while (i < linea.size() && (linea[i] == ' ' || linea[i] == '\t')) ++i;
    std::size_t inicio = i;
    while (i < linea.size() && linea[i] != ' ' && linea[i] != '\t') ++i;
    if (i > inicio) partes.emplace_back(linea.substr(inicio, i - inicio));
  }
  return partes;
}

TokensQso AsignaTokens(const std::vector<std::string>& partes, const std::vector<TokenQso>& orden) {
  TokensQso tokens;
  for (std::size_t i = 0; i < orden.size() && i < partes.size(); ++i) tokens[orden[i]] = partes[i];
  return tokens;
}

TokensQso AsignaTokensComarcas(const std::vector<std::string>& partes,
                               const std::function<bool(std::string_view)>& esEaPropio,
                               const std::function<bool(std::string_view)>& esEaTrabajado) {
  using T = TokenQso;
  TokensQso tokens;
  std::size_t i = 0;
  auto siguiente = [&]() -> std::string { return i < partes.size() ? partes[i++] : std::string(); };
  auto lado = [&](bool esEa, T rst, T letras, T locator) {
    tokens[rst] = siguiente();
    if (esEa) {
      tokens[letras] = siguiente();
      tokens[locator] = siguiente();
      return;
    }
    std::string t = siguiente();
    tokens[letras] = "-";
    tokens[locator] = (t == "-") ? siguiente() : t;
  };
  for (T t : {T::Frecuencia, T::Modo, T::Fecha, T::Hora, T::MiIndicativo}) tokens[t] = siguiente();
  lado(esEaPropio(tokens[T::MiIndicativo]), T::MiRst, T::MisLetras, T::MiLocator);
  tokens[T::SuIndicativo] = siguiente();
  lado(esEaTrabajado(tokens[T::SuIndicativo]), T::SuRst, T::SusLetras, T::SuLocator);
  return tokens;
}

// ---------------------------------------------- column positions in a line

PosicionesQso CalculaPosiciones(const PerfilIntercambio& perfil) {
  PosicionesQso p;
  p.miIndicativo = 31;
  Cadena(perfil.enviado, p.miIndicativo, p.miRst, p.miNumero, p.misLetras, p.miLocator, p.suIndicativo);
  int fin = 0;
  Cadena(perfil.recibido, p.suIndicativo, p.suRst, p.suNumero, p.susLetras, p.suLocator, fin);
  return p;
}

bool AplicaDisposicionFija(std::string_view concurso, PerfilIntercambio& perfil, PosicionesQso& posiciones) {
  const concursos::ColumnasFijas fijas = concursos::ColumnasFijasDe(concurso);
  const int indicativo = fijas.indicativo, rst = fijas.rst, letras = fijas.letras;
  if (indicativo == 0) return false;
  perfil.enviado.numeral = false;
  perfil.recibido.numeral = false;
  PosicionesQso p = CalculaPosiciones(perfil);
  p.misPuntos = posiciones.misPuntos;
  p.susPuntos = posiciones.susPuntos;
  p.suIndicativo = indicativo;
  p.suRst = rst;
  p.susLetras = letras;
  posiciones = p;
  return true;
}

bool AplicaDisposicionPuntos(std::string_view concurso, PerfilIntercambio& perfil, PosicionesQso& posiciones) {
  if (!concursos::PuntosEnIntercambioAlGuardar(concurso)) return false;
  perfil.enviado.puntos = true;
  perfil.recibido.puntos = true;
  posiciones.misLetras = 49;
  posiciones.misPuntos = 57;
  posiciones.suIndicativo = 60;
  posiciones.suRst = 74;
  posiciones.susLetras = 78;
  posiciones.susPuntos = 86;
  return true;
}

// ------------------------------------------------------- mail subject

std::string SustituyeIndicativo(std::string_view patron, std::string_view indicativo) {
  std::size_t dolar = patron.find('$');
  if (dolar == std::string_view::npos) return std::string(patron);
  std::string r(patron.substr(0, dolar));
  r += indicativo;
  r += patron.substr(dolar + 1);
  return r;
}

bool AsuntoCoincide(std::string_view patron, std::string_view indicativo, std::string_view asunto) {
  std::string_view recortado = RecortaBlancos(asunto);
  if (recortado.empty()) return false;
  return MayusculasTexto(recortado) == MayusculasTexto(SustituyeIndicativo(patron, indicativo));
}

}  // namespace reglas

// Values of the database layer: errors, dates and variants.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "plataforma/dao.h"
#include "plataforma/dao_interno.h"

namespace dao {

Error::Error(int numero, const std::string& texto)
    : std::runtime_error(texto), numero_(numero), texto_(texto) {}

// ------------------------------------------------------------------ dates

bool Fecha::Valida(int a, int m, int d) {
  if (a < 100 || a > 9999 || m < 1 || m > 12 || d < 1) return false;
  static const int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int max = dias[m - 1];
  if (m == 2 && ((a % 4 == 0 && a % 100 != 0) || a % 400 == 0)) max = 29;
  return d <= max;
}

namespace {

// Reads digits at p; false when there are none or more than `max`.
bool LeeEntero(std::string_view t, size_t& p, int max, int& valor) {
  size_t ini = p;
  valor = 0;
  while (p < t.size() && t[p] >= '0' && t[p] <= '9' && p - ini < static_cast<size_t>(max)) {
    valor = valor * 10 + (t[p] - '0');
    ++p;
  }
  if (p < t.size() && t[p] >= '0' && t[p] <= '9') return false;
  return p > ini;
}

std::string_view Recorta(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

// The two forms written most, "dd-mm-yyyy" and the stored "yyyy-mm-dd"
// (or with "/"), read without the general parser; empty for any other text.
std::optional<Fecha> FormaFija(std::string_view t) {
  if (t.size() != 10) return std::nullopt;
  auto digito = [&](size_t i) { return t[i] >= '0' && t[i] <= '9'; };
  auto dos = [&](size_t i) { return (t[i] - '0') * 10 + (t[i + 1] - '0'); };
  Fecha f;
  if (digito(0) && digito(1) && (t[2] == '-' || t[2] == '/') && digito(3) && digito(4) && t[5] == t[2] &&
      digito(6) && digito(7) && digito(8) && digito(9)) {
    f.dia = dos(0), f.mes = dos(3), f.anio = dos(6) * 100 + dos(8);
  } else if (digito(0) && digito(1) && digito(2) && digito(3) && (t[4] == '-' || t[4] == '/') && digito(5) &&
             digito(6) && t[7] == t[4] && digito(8) && digito(9)) {
    f.anio = dos(0) * 100 + dos(2), f.mes = dos(5), f.dia = dos(8);
  } else {
    return std::nullopt;
  }
  return f;
}

}  // namespace

std::optional<Fecha> Fecha::Desde(std::string_view texto) {
  if (auto f = FormaFija(texto)) {
    if (!Valida(f->anio, f->mes, f->dia)) return std::nullopt;
    return f;
  }
  std::string_view t = Recorta(texto);
  size_t p = 0;
  int a = 0, b = 0, c = 0;
  size_t iniA = p;
  if (!LeeEntero(t, p, 4, a)) return std::nullopt;
  size_t largoA = p - iniA;
  if (p >= t.size() || (t[p] != '-' && t[p] != '/')) return std::nullopt;
  char sep = t[p++];
  if (!LeeEntero(t, p, 2, b)) return std::nullopt;
  if (p >= t.size() || t[p] != sep) return std::nullopt;
  ++p;
  size_t iniC = p;
  if (!LeeEntero(t, p, 4, c)) return std::nullopt;
  size_t largoC = p - iniC;
  Fecha f;
  if (largoA == 4) {  // yyyy-mm-dd
    f.anio = a, f.mes = b, f.dia = c;
    if (largoC > 2) return std::nullopt;
  } else {  // dd-mm-yyyy, day first
    if (largoC == 3) return std::nullopt;
    if (largoC <= 2) c += c < 30 ? 2000 : 1900;
    f.dia = a, f.mes = b, f.anio = c;
  }
  if (!Valida(f.anio, f.mes, f.dia)) return std::nullopt;
  if (p < t.size()) {
    if (t[p] != ' ' && t[p] != 'T') return std::nullopt;
    while (p < t.size() && (t[p] == ' ' || t[p] == 'T')) ++p;
    int h = 0, mi = 0, s = 0;
    if (!LeeEntero(t, p, 2, h) || p >= t.size() || t[p] != ':') return std::nullopt;
    ++p;
    if (!LeeEntero(t, p, 2, mi)) return std::nullopt;
    if (p < t.size() && t[p] == ':') {
      ++p;
      if (!LeeEntero(t, p, 2, s)) return std::nullopt;
    }
    if (p != t.size() || h > 23 || mi > 59 || s > 59) return std::nullopt;
    f.hora = h, f.minuto = mi, f.segundo = s;
  }
  return f;
}

namespace {
void Digitos(char* d, int v, int n) {
  if (v >= 0) {
    for (int i = n - 1; i >= 0; --i, v /= 10) d[i] = static_cast<char>('0' + v % 10);
    return;
  }
  for (int i = n - 1; i >= 0; --i, v /= 10) d[i] = static_cast<char>('0' + (v % 10 + 10) % 10);
}
}  // namespace

std::string Fecha::Texto() const {
  char buf[19];
  Digitos(buf, anio, 4);
  buf[4] = '-';
  Digitos(buf + 5, mes, 2);
  buf[7] = '-';
  Digitos(buf + 8, dia, 2);
  if (hora == 0 && minuto == 0 && segundo == 0) return std::string(buf, 10);
  buf[10] = ' ';
  Digitos(buf + 11, hora, 2);
  buf[13] = ':';
  Digitos(buf + 14, minuto, 2);
  buf[16] = ':';
  Digitos(buf + 17, segundo, 2);
  return std::string(buf, 19);
}

std::string Fecha::TextoCorto() const {
  char buf[40];
  if (hora == 0 && minuto == 0 && segundo == 0)
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", dia, mes, anio);
  else
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %02d:%02d:%02d", dia, mes, anio, hora, minuto, segundo);
  return buf;
}

// --------------------------------------------------------------- variants

Variant::Variant(bool b) : clase_(Clase::Boolean), b_(b) {}
Variant::Variant(int v) : clase_(Clase::Long), l_(v) {}
Variant::Variant(long v) : clase_(Clase::Long), l_(v) {}
Variant::Variant(long long v) : clase_(Clase::Long), l_(v) {}
Variant::Variant(unsigned long v) : clase_(Clase::Long), l_(static_cast<std::int64_t>(v)) {
  if (v > static_cast<unsigned long>(std::numeric_limits<std::int64_t>::max()))
    throw Error(errDesbordamiento, "Desbordamiento");
}
Variant::Variant(double v) : clase_(Clase::Double), d_(v) {}
Variant::Variant(const Fecha& f) : clase_(Clase::Date), f_(f) {}
Variant::Variant(const char* s) : clase_(Clase::Text), s_(s ? s : "") {}
Variant::Variant(std::string_view s) : clase_(Clase::Text), s_(s) {}
Variant::Variant(const std::string& s) : clase_(Clase::Text), s_(s) {}
Variant::Variant(std::string&& s) : clase_(Clase::Text), s_(std::move(s)) {}

namespace detalle {

std::optional<double> NumeroDeTexto(std::string_view texto) {
  std::string_view t = Recorta(texto);
  if (t.empty()) return std::nullopt;
  std::string s(t);
  for (char& c : s)
    if (c == ',') c = '.';
  if (s.front() == '+') s.erase(0, 1);
  double v = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<bool> BooleanoDeTexto(std::string_view texto) {
  std::string t = Minusculas(Recorta(texto));
  if (t == "true" || t == "verdadero" || t == "si" || t == "sí") return true;
  if (t == "false" || t == "falso" || t == "no") return false;
  if (auto n = NumeroDeTexto(t)) return *n != 0;
  return std::nullopt;
}

std::int64_t RedondeoPar(double v) {
  double r = std::nearbyint(v);  // default rounding mode: half to even
  if (!(r >= -9.2e18 && r <= 9.2e18)) throw Error(errDesbordamiento, "Desbordamiento");
  return static_cast<std::int64_t>(r);
}

std::string TextoDeDouble(double v) {
  if (v == std::floor(v) && std::fabs(v) < 1e15) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
  }
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}

}  // namespace detalle

namespace {
[[noreturn]] void ErrorNull() { throw Error(errUsoNoValidoDeNull, "Uso no válido de Null"); }
[[noreturn]] void ErrorTipos() { throw Error(errTiposNoCoinciden, "No coinciden los tipos"); }
}  // namespace

bool Variant::CBool() const {
  switch (clase_) {
    case Clase::Null: ErrorNull();
    case Clase::Boolean: return b_;
    case Clase::Long: return l_ != 0;
    case Clase::Double: return d_ != 0;
    case Clase::Date: ErrorTipos();
    case Clase::Text:
      if (auto b = detalle::BooleanoDeTexto(s_)) return *b;
      ErrorTipos();
  }
  ErrorTipos();
}

std::int64_t Variant::CLng64() const {
  switch (clase_) {
    case Clase::Null: ErrorNull();
    case Clase::Boolean: return b_ ? -1 : 0;
    case Clase::Long: return l_;
    case Clase::Double: return detalle::RedondeoPar(d_);
    case Clase::Date: ErrorTipos();
    case Clase::Text:
      if (auto n = detalle::NumeroDeTexto(s_)) return detalle::RedondeoPar(*n);
      ErrorTipos();
  }
  ErrorTipos();
}

std::int32_t Variant::CLng() const {
  std::int64_t v = CLng64();
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    throw Error(errDesbordamiento, "Desbordamiento");
  return static_cast<std::int32_t>(v);
}

double Variant::CDbl() const {
  switch (clase_) {
    case Clase::Null: ErrorNull();
    case Clase::Boolean: return b_ ? -1 : 0;
    case Clase::Long: return static_cast<double>(l_);
    case Clase::Double: return d_;
    case Clase::Date: ErrorTipos();
    case Clase::Text:
      if (auto n = detalle::NumeroDeTexto(s_)) return *n;
      ErrorTipos();
  }
  ErrorTipos();
}

Fecha Variant::CDate() const {
  switch (clase_) {
    case Clase::Null: ErrorNull();
    case Clase::Date: return f_;
    case Clase::Text:
      if (auto f = Fecha::Desde(s_)) return *f;
      ErrorTipos();
    default: ErrorTipos();
  }
}

std::string Variant::CStr() const {
  switch (clase_) {
    case Clase::Null: return "";
    case Clase::Boolean: return b_ ? "True" : "False";
    case Clase::Long: return std::to_string(l_);
    case Clase::Double: return detalle::TextoDeDouble(d_);
    case Clase::Date: return f_.TextoCorto();
    case Clase::Text: return s_;
  }
  return "";
}

bool Variant::EsNumero() const {
  switch (clase_) {
    case Clase::Boolean:
    case Clase::Long:
    case Clase::Double: return true;
    case Clase::Text: return detalle::NumeroDeTexto(s_).has_value();
    default: return false;
  }
}

bool Variant::operator==(const Variant& o) const {
  if (clase_ != o.clase_) return false;
  switch (clase_) {
    case Clase::Null: return true;
    case Clase::Boolean: return b_ == o.b_;
    case Clase::Long: return l_ == o.l_;
    case Clase::Double: return d_ == o.d_;
    case Clase::Date: return f_ == o.f_;
    case Clase::Text: return s_ == o.s_;
  }
  return false;
}

int ComparaTextos(std::string_view a, std::string_view b) { return detalle::ComparaSinCaso(a, b); }

std::string Escapa(std::string_view valor) {
  std::string r;
  r.reserve(valor.size() + 2);
  for (char c : valor) {
    r += c;
    if (c == '\'') r += '\'';
  }
  return r;
}

}  // namespace dao

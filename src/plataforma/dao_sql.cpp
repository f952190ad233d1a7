// Text comparison, Like, and translation of criteria and "Select" texts to
// SQLite SQL.
#include <cctype>
#include <cstdint>
#include <cstring>

#include "plataforma/dao_interno.h"

namespace dao::detalle {

// ------------------------------------------------------------------- text

std::string Minusculas(std::string_view t) {
  std::string r(t);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

bool IgualesSinCaso(std::string_view a, std::string_view b) { return ComparaSinCaso(a, b) == 0; }

namespace {

// Decodes one UTF-8 code point at p (a malformed byte stands for itself).
char32_t Decodifica(std::string_view t, size_t& p) {
  unsigned char c = static_cast<unsigned char>(t[p]);
  if (c < 0x80) {
    ++p;
    return c;
  }
  int n = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 0;
  if (n == 0 || p + n >= t.size()) {
    ++p;
    return 0xDC00 + c;  // stands for itself, distinct from letters
  }
  char32_t cp = c & (0x3F >> n);
  for (int i = 1; i <= n; ++i) {
    unsigned char s = static_cast<unsigned char>(t[p + i]);
    if ((s & 0xC0) != 0x80) {
      ++p;
      return 0xDC00 + c;
    }
    cp = (cp << 6) | (s & 0x3F);
  }
  p += n + 1;
  return cp;
}

char32_t Pliega(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  return c;
}

}  // namespace

namespace {

// Primary weight for ordering: a letter with an accent or diaeresis weighs
// as its base letter, "ñ" right after "n". Equal primary weights are then
// ordered by the letters themselves, so "á" and "a" stay distinct.
std::uint64_t PesoPrimario(char32_t c) {  // c already folded
  if (c < 0x80) return static_cast<std::uint64_t>(c) << 1;
  switch (c) {
    case 0xE0: case 0xE1: case 0xE2: case 0xE3: case 0xE4: case 0xE5: return 'a' << 1;
    case 0xE7: return 'c' << 1;
    case 0xE8: case 0xE9: case 0xEA: case 0xEB: return 'e' << 1;
    case 0xEC: case 0xED: case 0xEE: case 0xEF: return 'i' << 1;
    case 0xF1: return ('n' << 1) | 1;
    case 0xF2: case 0xF3: case 0xF4: case 0xF5: case 0xF6: return 'o' << 1;
    case 0xF9: case 0xFA: case 0xFB: case 0xFC: return 'u' << 1;
    case 0xFD: case 0xFF: return 'y' << 1;
    default: return static_cast<std::uint64_t>(c) << 1;
  }
}

}  // namespace

int ComparaSinCaso(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  int secundaria = 0;
  while (i < a.size() && j < b.size()) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[j]);
    if (x < 0x80 && y < 0x80) {  // fast path
      if (x >= 'A' && x <= 'Z') x += 32;
      if (y >= 'A' && y <= 'Z') y += 32;
      if (x != y) return x < y ? -1 : 1;
      ++i, ++j;
      continue;
    }
    char32_t cx = Pliega(Decodifica(a, i)), cy = Pliega(Decodifica(b, j));
    if (cx == cy) continue;
    std::uint64_t px = PesoPrimario(cx), py = PesoPrimario(cy);
    if (px != py) return px < py ? -1 : 1;
    if (secundaria == 0) secundaria = cx < cy ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return secundaria;
}

namespace {

std::vector<char32_t> CodigosPlegados(std::string_view t) {
  std::vector<char32_t> r;
  r.reserve(t.size());
  size_t p = 0;
  while (p < t.size()) r.push_back(Pliega(Decodifica(t, p)));
  return r;
}

// One element of a compiled Like pattern.
struct Elemento {
  enum Clase { Literal, Uno, Digito, Cualquiera, Conjunto } clase;
  char32_t c = 0;
  bool negado = false;
  std::vector<std::pair<char32_t, char32_t>> rangos = {};
  explicit Elemento(Clase k) : clase(k) {}
};

std::vector<Elemento> CompilaPatron(std::string_view patron) {
  std::vector<char32_t> p = CodigosPlegados(patron);
  std::vector<Elemento> r;
  for (size_t i = 0; i < p.size(); ++i) {
    char32_t c = p[i];
    if (c == '*') {
      if (r.empty() || r.back().clase != Elemento::Cualquiera) r.push_back(Elemento(Elemento::Cualquiera));
    } else if (c == '?') {
      r.push_back(Elemento(Elemento::Uno));
    } else if (c == '#') {
      r.push_back(Elemento(Elemento::Digito));
    } else if (c == '[') {
      size_t k = i + 1;
      Elemento e(Elemento::Conjunto);
      if (k < p.size() && p[k] == '!') e.negado = true, ++k;
      size_t inicio = k;
      while (k < p.size() && (p[k] != ']' || k == inicio)) {
        char32_t desde = p[k], hasta = p[k];
        if (k + 2 < p.size() && p[k + 1] == '-' && p[k + 2] != ']') {
          hasta = p[k + 2];
          k += 2;
        }
        e.rangos.push_back({desde, hasta});
        ++k;
      }
      if (k >= p.size()) throw Error(errSintaxis, "Patrón de Like no válido: " + std::string(patron));
      if (e.rangos.empty() && !e.negado) {
        // "[]" matches the empty run: nothing to add
      } else {
        r.push_back(std::move(e));
      }
      i = k;
    } else {
      Elemento e(Elemento::Literal);
      e.c = c;
      r.push_back(e);
    }
  }
  return r;
}

bool Casa(const std::vector<Elemento>& patron, const std::vector<char32_t>& v) {
  // Iterative matching with backtracking to the last "*".
  size_t pi = 0, vi = 0, estrella = std::string::npos, marca = 0;
  while (vi < v.size()) {
    bool avanza = false;
    if (pi < patron.size()) {
      const Elemento& e = patron[pi];
      switch (e.clase) {
        case Elemento::Cualquiera:
          estrella = pi++;
          marca = vi;
          continue;
        case Elemento::Literal: avanza = e.c == v[vi]; break;
        case Elemento::Uno: avanza = true; break;
        case Elemento::Digito: avanza = v[vi] >= '0' && v[vi] <= '9'; break;
        case Elemento::Conjunto: {
          bool dentro = false;
          for (auto [a, b] : e.rangos)
            if (v[vi] >= a && v[vi] <= b) dentro = true;
          avanza = dentro != e.negado;
          break;
        }
      }
    }
    if (avanza) {
      ++pi, ++vi;
    } else if (estrella != std::string::npos) {
      pi = estrella + 1;
      vi = ++marca;
    } else {
      return false;
    }
  }
  while (pi < patron.size() && patron[pi].clase == Elemento::Cualquiera) ++pi;
  return pi == patron.size();
}

}  // namespace

bool Como(std::string_view valor, std::string_view patron) {
  return Casa(CompilaPatron(patron), CodigosPlegados(valor));
}

// SQLite function trv_like(value, pattern); the compiled pattern is kept as
// auxiliary data while the pattern stays the same.
void FuncionComo(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  auto* patron = static_cast<std::vector<Elemento>*>(sqlite3_get_auxdata(ctx, 1));
  if (!patron) {
    const char* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    try {
      patron = new std::vector<Elemento>(CompilaPatron(p ? p : ""));
    } catch (const Error& e) {
      sqlite3_result_error(ctx, e.what(), -1);
      return;
    }
    sqlite3_set_auxdata(ctx, 1, patron, [](void* d) { delete static_cast<std::vector<Elemento>*>(d); });
    patron = static_cast<std::vector<Elemento>*>(sqlite3_get_auxdata(ctx, 1));
    if (!patron) {  // not kept: compile again for this call
      const char* q = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
      std::vector<Elemento> local = CompilaPatron(q ? q : "");
      const char* v = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
      sqlite3_result_int(ctx, Casa(local, CodigosPlegados(v ? v : "")) ? 1 : 0);
      return;
    }
  }
  const char* v = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  int n = sqlite3_value_bytes(argv[0]);
  sqlite3_result_int(ctx, Casa(*patron, CodigosPlegados(std::string_view(v ? v : "", v ? n : 0))) ? 1 : 0);
}

int ColacionSinCaso(void*, int na, const void* a, int nb, const void* b) {
  return ComparaSinCaso(std::string_view(static_cast<const char*>(a), na),
                        std::string_view(static_cast<const char*>(b), nb));
}

std::string Cita(std::string_view id) {
  std::string r = "\"";
  for (char c : id) {
    r += c;
    if (c == '"') r += '"';
  }
  r += '"';
  return r;
}

std::string RefColumna(const Columna& col) {
  std::string r = Cita(col.nombre);
  if (col.tipo == Tipo::Text && !col.colacionPropia) {
    r += " COLLATE ";
    r += kColacion;
  }
  return r;
}

// ---------------------------------------------------------------- tokens

namespace {

struct Token {
  enum Clase { Fin, Nombre, Texto, Numero, Operador, Parametro } clase = Fin;
  std::string texto;  // name / literal text / number text / operator
  bool corchetes = false;
};

bool EsLetraId(unsigned char c) { return std::isalnum(c) || c == '_' || c >= 0x80; }

const char* const kPalabras[] = {"and", "or", "not", "like", "is", "order", "where", "from", "by", "asc", "desc"};

bool EsPalabraClave(std::string_view w) {
  std::string m = Minusculas(w);
  for (const char* p : kPalabras)
    if (m == p) return true;
  return false;
}

class Lector {
 public:
  explicit Lector(std::string_view t) : t_(t) {}

  // Where the last token read began, and where reading goes on.
  size_t Inicio() const { return inicio_; }
  size_t Posicion() const { return p_; }

  Token Siguiente() {
    while (p_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[p_]))) ++p_;
    inicio_ = p_;
    Token k;
    if (p_ >= t_.size()) return k;
    char c = t_[p_];
    if (c == '\'' || c == '"') {
      k.clase = Token::Texto;
      k.texto = LeeTexto(c);
    } else if (c == '[') {
      size_t fin = t_.find(']', p_ + 1);
      if (fin == std::string_view::npos) Falla("falta ']'");
      k.clase = Token::Nombre;
      k.corchetes = true;
      k.texto = std::string(t_.substr(p_ + 1, fin - p_ - 1));
      p_ = fin + 1;
    } else if (std::isdigit(static_cast<unsigned char>(c)) ||
               (c == '.' && p_ + 1 < t_.size() && std::isdigit(static_cast<unsigned char>(t_[p_ + 1])))) {
      size_t ini = p_;
      while (p_ < t_.size() && (std::isdigit(static_cast<unsigned char>(t_[p_])) || t_[p_] == '.')) ++p_;
      if (p_ < t_.size() && (t_[p_] == 'e' || t_[p_] == 'E') && p_ + 1 < t_.size() &&
          (std::isdigit(static_cast<unsigned char>(t_[p_ + 1])) || t_[p_ + 1] == '-' || t_[p_ + 1] == '+')) {
        p_ += 2;
        while (p_ < t_.size() && std::isdigit(static_cast<unsigned char>(t_[p_]))) ++p_;
      }
      k.clase = Token::Numero;
      k.texto = std::string(t_.substr(ini, p_ - ini));
    } else if (EsLetraId(static_cast<unsigned char>(c))) {
      size_t ini = p_;
      while (p_ < t_.size() && EsLetraId(static_cast<unsigned char>(t_[p_]))) ++p_;
      k.clase = Token::Nombre;
      k.texto = std::string(t_.substr(ini, p_ - ini));
    } else if (c == '?') {
      k.clase = Token::Parametro;
      ++p_;
    } else {
      k.clase = Token::Operador;
      if ((c == '<' || c == '>') && p_ + 1 < t_.size() && (t_[p_ + 1] == '=' || (c == '<' && t_[p_ + 1] == '>'))) {
        k.texto = std::string(t_.substr(p_, 2));
        p_ += 2;
      } else {
        k.texto = std::string(1, c);
        ++p_;
      }
    }
    return k;
  }

  [[noreturn]] void Falla(const std::string& que) const {
    throw Error(errSintaxis, "Error de sintaxis (" + que + ") en la expresión: " + std::string(t_));
  }

 private:
  // Whether a quote at q can end a literal: what follows is the end, a
  // closing parenthesis, a comma, an operator or a keyword.
  bool PuedeCerrar(size_t q) const {
    size_t k = q + 1;
    while (k < t_.size() && std::isspace(static_cast<unsigned char>(t_[k]))) ++k;
    if (k >= t_.size()) return true;
    char c = t_[k];
    if (c == ')' || c == ',' || c == '=' || c == '<' || c == '>' || c == ';') return true;
    if (EsLetraId(static_cast<unsigned char>(c))) {
      size_t fin = k;
      while (fin < t_.size() && EsLetraId(static_cast<unsigned char>(t_[fin]))) ++fin;
      return EsPalabraClave(t_.substr(k, fin - k));
    }
    return false;
  }

  std::string LeeTexto(char comilla) {
    std::string r;
    size_t k = p_ + 1;
    while (true) {
      if (k >= t_.size()) Falla("falta la comilla de cierre");
      if (t_[k] == comilla) {
        if (k + 1 < t_.size() && t_[k + 1] == comilla) {  // doubled quote
          r += comilla;
          k += 2;
          // A pasted value ending in "'" leaves a doubled quote whose
          // second quote is followed by the end, a keyword or an operator:
          // that quote ends the literal.
          if (comilla == '\'' && PuedeCerrar(k - 1)) {
            p_ = k;
            return r;
          }
          continue;
        }
        // A quote that cannot end the literal is part of the value (a
        // pasted value holding "'"), unless no other quote follows.
        if (comilla == '\'' && !PuedeCerrar(k) && t_.find(comilla, k + 1) != std::string_view::npos) {
          r += comilla;
          ++k;
          continue;
        }
        p_ = k + 1;
        return r;
      }
      r += t_[k++];
    }
  }

  std::string_view t_;
  size_t p_ = 0;
  size_t inicio_ = 0;
};

bool Es(const Token& k, const char* palabra) {
  return k.clase == Token::Nombre && !k.corchetes && Minusculas(k.texto) == palabra;
}
bool EsOp(const Token& k, const char* op) { return k.clase == Token::Operador && k.texto == op; }

// ------------------------------------------------------------ expressions

struct Operando {
  std::string sql;
  const Columna* columna = nullptr;
  int parametro = -1;  // index into parametros for a lone literal
  bool esNull = false;
};

class Traductor {
 public:
  Traductor(std::string_view texto, const Tabla& tabla, const std::vector<Variant>& externos,
            std::vector<Variant>& parametros)
      : lector_(texto), tabla_(tabla), externos_(externos), parametros_(parametros) {
    actual_ = lector_.Siguiente();
  }

  const Token& Actual() const { return actual_; }
  void Avanza() { actual_ = lector_.Siguiente(); }
  [[noreturn]] void Falla(const std::string& que) const { lector_.Falla(que); }

  std::string Expresion() {
    std::string r = Y();
    while (Es(actual_, "or")) {
      Avanza();
      r = "(" + r + " OR " + Y() + ")";
    }
    return r;
  }

  const Columna& ColumnaDe(const Token& k) const {
    int i = tabla_.Busca(k.texto);
    if (i < 0) Falla("columna desconocida '" + k.texto + "'");
    return tabla_.columnas[i];
  }

  void FinEsperado() {
    if (actual_.clase != Token::Fin) Falla("texto de más: '" + actual_.texto + "'");
  }

 private:
  std::string Y() {
    std::string r = No();
    while (Es(actual_, "and")) {
      Avanza();
      r = "(" + r + " AND " + No() + ")";
    }
    return r;
  }

  std::string No() {
    if (Es(actual_, "not")) {
      Avanza();
      Anidamiento nivel(*this);
      return "(NOT " + No() + ")";
    }
    return Comparacion();
  }

  // Parentheses and Not nest by recursion: a criterion nested deeper than
  // any real one is refused before it can exhaust the stack.
  static constexpr int kMaxAnidamiento = 100;
  struct Anidamiento {
    explicit Anidamiento(Traductor& t) : t_(t) {
      if (++t_.profundidad_ > kMaxAnidamiento) t_.Falla("expresión demasiado anidada");
    }
    ~Anidamiento() { --t_.profundidad_; }
    Traductor& t_;
  };

  int NuevoParametro(Variant v) {
    parametros_.push_back(std::move(v));
    return static_cast<int>(parametros_.size()) - 1;
  }

  // Adapts a literal compared with a column to the column's type (a date
  // text to the stored form, a Boolean to -1/0).
  void Adapta(const Operando& col, const Operando& lit) {
    if (!col.columna || lit.parametro < 0) return;
    Variant& v = parametros_[lit.parametro];
    if (v.IsNull()) return;
    try {
      switch (col.columna->tipo) {
        case Tipo::Date:
          if (v.clase() == Variant::Clase::Text) {
            if (auto f = Fecha::Desde(v.CStr())) v = Variant(f->Texto());
          } else if (v.clase() == Variant::Clase::Date) {
            v = Variant(v.CDate().Texto());
          }
          break;
        case Tipo::Boolean:
          if (v.clase() == Variant::Clase::Boolean) v = Variant(v.CBool() ? -1 : 0);
          break;
        default: break;
      }
    } catch (const Error&) {
    }
  }

  std::string Comparacion() {
    Operando a = Termino();
    bool negado = false;
    if (Es(actual_, "not")) {
      Avanza();
      negado = true;
      if (!Es(actual_, "like")) Falla("se esperaba Like");
    }
    if (Es(actual_, "like")) {
      Avanza();
      Operando b = Termino();
      std::string r = "trv_like(" + a.sql + ", " + b.sql + ")";
      return negado ? "(NOT " + r + ")" : r;
    }
    if (Es(actual_, "is")) {
      Avanza();
      bool no = false;
      if (Es(actual_, "not")) Avanza(), no = true;
      if (!Es(actual_, "null")) Falla("se esperaba Null");
      Avanza();
      return "(" + a.sql + (no ? " IS NOT NULL)" : " IS NULL)");
    }
    static const char* const ops[] = {"=", "<>", "<", ">", "<=", ">="};
    for (const char* op : ops) {
      if (!EsOp(actual_, op)) continue;
      Avanza();
      Operando b = Termino();
      if (b.esNull || a.esNull) {
        const Operando& otro = b.esNull ? a : b;
        if (std::strcmp(op, "=") == 0) return "(" + otro.sql + " IS NULL)";
        if (std::strcmp(op, "<>") == 0) return "(" + otro.sql + " IS NOT NULL)";
        return "NULL";
      }
      Adapta(a, b);
      Adapta(b, a);
      return "(" + a.sql + " " + (std::strcmp(op, "<>") == 0 ? "<>" : op) + " " + b.sql + ")";
    }
    if (a.columna && a.columna->tipo == Tipo::Boolean) return "(" + a.sql + " <> 0)";
    return a.sql;
  }

  Operando Termino() {
    Operando o;
    Token k = actual_;
    switch (k.clase) {
      case Token::Fin: Falla("falta un operando");
      case Token::Texto:
        Avanza();
        o.parametro = NuevoParametro(Variant(k.texto));
        o.sql = "?";
        return o;
      case Token::Numero: {
        Avanza();
        auto n = NumeroDeTexto(k.texto);
        if (!n) Falla("número no válido '" + k.texto + "'");
        bool entero = k.texto.find_first_of(".eE") == std::string::npos && *n < 9e18;
        o.parametro = NuevoParametro(entero ? Variant(static_cast<long long>(*n)) : Variant(*n));
        o.sql = "?";
        return o;
      }
      case Token::Parametro:
        Avanza();
        if (siguienteExterno_ >= externos_.size()) Falla("faltan valores para '?'");
        o.parametro = NuevoParametro(externos_[siguienteExterno_++]);
        o.esNull = parametros_[o.parametro].IsNull();
        o.sql = "?";
        return o;
      case Token::Operador:
        if (k.texto == "(") {
          Avanza();
          Anidamiento nivel(*this);
          o.sql = "(" + Expresion() + ")";
          if (!EsOp(actual_, ")")) Falla("falta ')'");
          Avanza();
          return o;
        }
        if (k.texto == "-" || k.texto == "+") {
          Avanza();
          if (actual_.clase != Token::Numero) Falla("se esperaba un número");
          Operando n = Termino();
          if (k.texto == "-") {
            Variant& v = parametros_[n.parametro];
            v = v.clase() == Variant::Clase::Long ? Variant(-static_cast<long long>(v.CLng64())) : Variant(-v.CDbl());
          }
          return n;
        }
        Falla("operador inesperado '" + k.texto + "'");
      case Token::Nombre: break;
    }
    if (!k.corchetes) {
      if (Es(k, "null")) {
        Avanza();
        o.esNull = true;
        o.sql = "NULL";
        return o;
      }
      if (Es(k, "true") || Es(k, "false")) {
        Avanza();
        o.parametro = NuevoParametro(Variant(Es(k, "true") ? -1 : 0));
        o.sql = "?";
        return o;
      }
      if (Es(k, "cvdate") || Es(k, "cdate") || Es(k, "datevalue")) {
        Avanza();
        if (!EsOp(actual_, "(")) Falla("falta '(' tras CvDate");
        Avanza();
        if (actual_.clase != Token::Texto && actual_.clase != Token::Parametro) Falla("CvDate espera un texto");
        Variant v = actual_.clase == Token::Texto ? Variant(actual_.texto)
                                                  : (siguienteExterno_ < externos_.size()
                                                         ? externos_[siguienteExterno_++]
                                                         : (Falla("faltan valores para '?'"), Variant()));
        Avanza();
        if (!EsOp(actual_, ")")) Falla("falta ')' tras CvDate");
        Avanza();
        std::optional<Fecha> f;
        if (v.clase() == Variant::Clase::Date)
          f = v.CDate();
        else
          f = Fecha::Desde(v.CStr());
        if (!f) throw Error(errTiposNoCoinciden, "Fecha no válida en CvDate: '" + v.CStr() + "'");
        o.parametro = NuevoParametro(Variant(f->Texto()));
        o.sql = "?";
        return o;
      }
      if (EsPalabraClave(k.texto)) Falla("palabra inesperada '" + k.texto + "'");
    }
    Avanza();
    o.columna = &ColumnaDe(k);
    o.sql = RefColumna(*o.columna);
    return o;
  }

  Lector lector_;
  Token actual_;
  const Tabla& tabla_;
  const std::vector<Variant>& externos_;
  std::vector<Variant>& parametros_;
  size_t siguienteExterno_ = 0;
  int profundidad_ = 0;

 public:
  size_t ExternosUsados() const { return siguienteExterno_; }
};

}  // namespace

Traduccion TraduceCriterio(std::string_view criterio, const Tabla& tabla, const std::vector<Variant>& externos) {
  Traduccion r;
  Traductor t(criterio, tabla, externos, r.parametros);
  r.sql = t.Expresion();
  t.FinEsperado();
  return r;
}

namespace {

// Splits "... Where ... Order By ..." into the criterion text and the order
// text at the top-level keywords, outside literals and brackets.
struct Partes {
  std::string_view criterio, orden;
  bool hayCriterio = false, hayOrden = false;
};

// Position of the keywords "Order By", read with the reader's own rules so
// that literals (even one holding a pasted quote) are skipped.
size_t BuscaOrderBy(std::string_view t) {
  Lector l(t);
  Token anterior = l.Siguiente();
  size_t inicioAnterior = l.Inicio();
  while (anterior.clase != Token::Fin) {
    Token k = l.Siguiente();
    if (Es(anterior, "order") && Es(k, "by")) return inicioAnterior;
    anterior = k;
    inicioAnterior = l.Inicio();
  }
  return std::string_view::npos;
}

std::string TraduceOrden(std::string_view texto, const Tabla& tabla) {
  Lector l(texto);
  Token k = l.Siguiente();  // "order"
  k = l.Siguiente();        // "by"
  std::string r;
  k = l.Siguiente();
  while (true) {
    if (k.clase != Token::Nombre) l.Falla("se esperaba una columna en Order By");
    int i = tabla.Busca(k.texto);
    if (i < 0) l.Falla("columna desconocida '" + k.texto + "'");
    r += r.empty() ? " ORDER BY " : ", ";
    r += RefColumna(tabla.columnas[i]);
    k = l.Siguiente();
    if (Es(k, "asc")) {
      k = l.Siguiente();
    } else if (Es(k, "desc")) {
      r += " DESC";
      k = l.Siguiente();
    }
    if (k.clase == Token::Fin) break;
    if (EsOp(k, ";")) {
      k = l.Siguiente();
      if (k.clase != Token::Fin) l.Falla("texto tras ';'");
      break;
    }
    if (!EsOp(k, ",")) l.Falla("se esperaba ',' en Order By");
    k = l.Siguiente();
  }
  return r + ", rowid";
}

}  // namespace

ConsultaSelect TraduceSelect(std::string_view sql, Conexion& con, const std::vector<Variant>& externos) {
  ConsultaSelect r;
  std::string_view cuerpo = sql;
  size_t posOrden = BuscaOrderBy(sql);
  std::string_view orden;
  if (posOrden != std::string_view::npos) {
    cuerpo = sql.substr(0, posOrden);
    orden = sql.substr(posOrden);
  }
  // Select list and table.
  std::vector<Token> lista;
  Lector l(cuerpo);
  Token k = l.Siguiente();
  if (!Es(k, "select")) l.Falla("se esperaba Select");
  k = l.Siguiente();
  while (!Es(k, "from")) {
    if (k.clase == Token::Fin) l.Falla("falta From");
    if (!EsOp(k, ",")) lista.push_back(k);
    k = l.Siguiente();
  }
  Token nombreTabla = l.Siguiente();
  if (nombreTabla.clase != Token::Nombre) l.Falla("se esperaba el nombre de una tabla");
  r.tabla = con.Tabla_(nombreTabla.texto);
  const Tabla& t = *r.tabla;
  if (lista.size() == 1 && EsOp(lista[0], "*")) {
    for (size_t i = 0; i < t.columnas.size(); ++i) r.columnas.push_back(static_cast<int>(i));
  } else {
    r.todas = false;
    if (lista.empty()) l.Falla("lista de columnas vacía");
    for (const Token& c : lista) {
      if (c.clase != Token::Nombre) l.Falla("se esperaba una columna");
      int i = t.Busca(c.texto);
      if (i < 0) l.Falla("columna desconocida '" + c.texto + "'");
      r.columnas.push_back(i);
    }
  }
  // Where: the rest of the body after the table name.
  k = l.Siguiente();
  if (Es(k, "where")) {
    size_t pw = l.Posicion();
    Traduccion tr = TraduceCriterio(cuerpo.substr(pw), t, externos);
    r.filtro = tr.sql;
    r.parametros = std::move(tr.parametros);
  } else if (k.clase != Token::Fin && !EsOp(k, ";")) {
    l.Falla("texto inesperado '" + k.texto + "'");
  }
  r.orden = orden.empty() ? std::string(" ORDER BY rowid") : TraduceOrden(orden, t);
  return r;
}

Traduccion TraduceDelete(std::string_view sql, Conexion& con, const std::vector<Variant>& externos) {
  Traduccion r;
  Lector l(sql);
  Token k = l.Siguiente();
  if (!Es(k, "delete")) return r;
  k = l.Siguiente();
  if (EsOp(k, "*")) k = l.Siguiente();
  if (!Es(k, "from")) return r;
  Token nombre = l.Siguiente();
  if (nombre.clase != Token::Nombre) l.Falla("se esperaba el nombre de una tabla");
  auto tabla = con.Tabla_(nombre.texto);
  r.sql = "DELETE FROM " + Cita(tabla->nombre);
  k = l.Siguiente();
  if (Es(k, "where")) {
    Traduccion c = TraduceCriterio(sql.substr(l.Posicion()), *tabla, externos);
    r.sql += " WHERE " + c.sql;
    r.parametros = std::move(c.parametros);
  } else if (k.clase != Token::Fin && !EsOp(k, ";")) {
    l.Falla("texto inesperado '" + k.texto + "'");
  }
  return r;
}

}  // namespace dao::detalle

#include "plataforma/texto.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <algorithm>

#include "plataforma/errores.h"
#include "plataforma/rutas.h"

namespace plataforma {
namespace {

// Code points of the bytes 0x80..0x9F. The five bytes that Windows-1252
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of
// the same value, so every byte has a character and reads back unchanged.
constexpr char32_t kAltos[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Windows-1252 byte of a code point, or -1 when it has none.
int AByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (int i = 0; i < 32; ++i)
    if (kAltos[i] == c) return 0x80 + i;
  return -1;
}

void AgregaUtf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// UTF-8 form of every Windows-1252 byte, worked out once at compile time:
// its length and its bytes (padded to four, so that a copy of four bytes
// never reads past the entry).
struct TablaUtf8 {
  std::uint8_t largo[256];
  char bytes[256][4];
};

constexpr TablaUtf8 CreaTablaUtf8() {
  TablaUtf8 t{};
  for (int b = 0; b < 256; ++b) {
    const char32_t c = b >= 0x80 && b <= 0x9F ? kAltos[b - 0x80] : static_cast<char32_t>(b);
    if (c < 0x80) {
      t.largo[b] = 1;
      t.bytes[b][0] = static_cast<char>(c);
    } else if (c < 0x800) {
      t.largo[b] = 2;
      t.bytes[b][0] = static_cast<char>(0xC0 | (c >> 6));
      t.bytes[b][1] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      t.largo[b] = 3;
      t.bytes[b][0] = static_cast<char>(0xE0 | (c >> 12));
      t.bytes[b][1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      t.bytes[b][2] = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return t;
}
constexpr TablaUtf8 kUtf8DeByte = CreaTablaUtf8();

// Length of the leading run of ASCII bytes, eight bytes at a time.
std::size_t PrefijoAscii(const unsigned char* p, std::size_t n) {
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t v;
    std::memcpy(&v, p + i, 8);
    if (v & 0x8080808080808080ULL) break;
  }
  while (i < n && p[i] < 0x80) ++i;
  return i;
}

// Position of the first CR or LF of p[desde, hasta), or hasta; eight bytes
// at a time.
std::size_t FinDeLinea(const char* p, std::size_t desde, std::size_t hasta) {
  constexpr std::uint64_t kUnos = 0x0101010101010101ULL, kAltos8 = 0x8080808080808080ULL;
  std::size_t i = desde;
  for (; i + 8 <= hasta; i += 8) {
    std::uint64_t v;
    std::memcpy(&v, p + i, 8);
    const std::uint64_t cr = v ^ (kUnos * '\r'), lf = v ^ (kUnos * '\n');
    // A zero byte in either word is a CR or an LF.
    if ((((cr - kUnos) & ~cr) | ((lf - kUnos) & ~lf)) & kAltos8) break;
  }
  while (i < hasta && p[i] != '\r' && p[i] != '\n') ++i;
  return i;
}

// Bytes read from a file at a time by LectorLineas.
constexpr std::size_t kPiezaLectura = std::size_t{1} << 20;

constexpr char32_t kInvalido = 0xFFFFFFFF;

// Decodes the code point at s[i] and advances i. An invalid sequence
// (stray continuation byte, truncated, overlong, surrogate, beyond U+10FFFF)
// consumes one byte and yields kInvalido.
char32_t SiguienteCodigo(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int largo = 0;
  char32_t c = 0;
  if ((b0 & 0xE0) == 0xC0) {
    largo = 2;
    c = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    largo = 3;
    c = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    largo = 4;
    c = b0 & 0x07;
  } else {
    ++i;
    return kInvalido;
  }
  if (i + static_cast<std::size_t>(largo) > s.size()) {
    ++i;
    return kInvalido;
  }
  for (int k = 1; k < largo; ++k) {
    const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kInvalido;
    }
    c = (c << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMinimo[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMinimo[largo] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return kInvalido;
  }
  i += static_cast<std::size_t>(largo);
  return c;
}

// Upper and lower case within the Windows-1252 repertoire.
char32_t MayusculaDe(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  switch (c) {
    case 0xFF: return 0x178;   // ÿ
    case 0x161: return 0x160;  // š
    case 0x153: return 0x152;  // œ
    case 0x17E: return 0x17D;  // ž
    default: return c;
  }
}

char32_t MinusculaDe(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  switch (c) {
    case 0x178: return 0xFF;
    case 0x160: return 0x161;
    case 0x152: return 0x153;
    case 0x17D: return 0x17E;
    default: return c;
  }
}

template <typename F>
std::string MapeaCodigos(std::string_view s, F f) {
  // The ASCII characters map to ASCII ones, byte for byte: the first part
  // of the text that is ASCII (most often all of it) is mapped in place.
  const std::size_t ascii = PrefijoAscii(reinterpret_cast<const unsigned char*>(s.data()), s.size());
  std::string r(s.substr(0, ascii));
  for (char& c : r) c = static_cast<char>(f(static_cast<unsigned char>(c)));
  if (ascii == s.size()) return r;
  r.reserve(s.size());
  std::size_t i = ascii;
  while (i < s.size()) {
    const std::size_t inicio = i;
    const char32_t c = SiguienteCodigo(s, i);
    if (c == kInvalido)
      r.append(s.substr(inicio, i - inicio));  // left as it was
    else
      AgregaUtf8(r, f(c));
  }
  return r;
}

// Byte offset of the character at position pos (0-based), or s.size().
std::size_t DesplazamientoDe(std::string_view s, std::size_t pos) {
  // Each ASCII byte is one character.
  std::size_t i = PrefijoAscii(reinterpret_cast<const unsigned char*>(s.data()), std::min(pos, s.size()));
  if (i == pos) return pos;
  pos -= i;
  while (pos > 0 && i < s.size()) {
    SiguienteCodigo(s, i);
    --pos;
  }
  return i;
}

}  // namespace

std::string DesdeWindows1252(std::string_view bytes) {
  const std::size_t n = bytes.size();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t ascii = PrefijoAscii(p, n);
  if (ascii == n) return std::string(bytes);
  std::size_t largo = ascii;
  for (std::size_t i = ascii; i < n; ++i) largo += kUtf8DeByte.largo[p[i]];
  // Three bytes to spare: each character is copied as four.
  std::string r(largo + 3, '\0');
  char* d = r.data();
  std::memcpy(d, p, ascii);
  d += ascii;
  for (std::size_t i = ascii; i < n; ++i) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      *d++ = static_cast<char>(b);
    } else {
      const std::uint8_t k = kUtf8DeByte.largo[b];
      std::memcpy(d, kUtf8DeByte.bytes[b], 4);  // every entry has four bytes
      d += k;
    }
  }
  r.resize(largo);
  return r;
}

std::string AWindows1252(std::string_view utf8) {
  if (PrefijoAscii(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size()) == utf8.size())
    return std::string(utf8);
  std::string r;
  r.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char32_t c = SiguienteCodigo(utf8, i);
    const int b = c == kInvalido ? -1 : AByte(c);
    r += b < 0 ? '?' : static_cast<char>(b);
  }
  return r;
}

std::vector<std::string> PartirLineas(std::string_view bytes) {
  std::vector<std::string> lineas;
  const char* p = bytes.data();
  const std::size_t n = bytes.size();
  std::size_t inicio = 0;
  while (inicio < n) {
    const std::size_t fin = FinDeLinea(p, inicio, n);
    lineas.push_back(DesdeWindows1252(bytes.substr(inicio, fin - inicio)));
    inicio = fin < n && p[fin] == '\r' && fin + 1 < n && p[fin + 1] == '\n' ? fin + 2 : fin + 1;
  }
  return lineas;
}

namespace {

// The bytes of `ruta` into `bytes`; with `solo_ordinario`, false when it is
// not an ordinary file (a folder, a pipe).
bool LeeBytesDe(const std::string& ruta, std::string& bytes, bool solo_ordinario) {
  bytes.clear();
  std::FILE* f = std::fopen(ruta.c_str(), "rb");
  if (!f) return false;
  struct stat datos {};
  const bool conocido = fstat(fileno(f), &datos) == 0;
  if (solo_ordinario && !(conocido && S_ISREG(datos.st_mode))) {
    std::fclose(f);
    return false;
  }
  if (conocido && datos.st_size > 0) bytes.reserve(static_cast<std::size_t>(datos.st_size));
  char trozo[65536];
  std::size_t leidos;
  while ((leidos = std::fread(trozo, 1, sizeof trozo, f)) > 0) bytes.append(trozo, leidos);
  const bool bien = !std::ferror(f);
  std::fclose(f);
  return bien;
}

}  // namespace

bool LeerBytes(const std::string& ruta, std::string& bytes) { return LeeBytesDe(ResuelveRuta(ruta), bytes, false); }

bool LeerBytesResuelta(const std::string& ruta, std::string& bytes) { return LeeBytesDe(ruta, bytes, true); }

LectorLineas::LectorLineas() = default;

LectorLineas::~LectorLineas() {
  if (f_) std::fclose(f_);
}

bool LectorLineas::Abrir(const std::string& ruta) { return AbrirResuelta(ResuelveRuta(ruta)); }

bool LectorLineas::AbrirResuelta(const std::string& ruta) {
  if (f_) std::fclose(f_);
  pos_ = fin_ = 0;
  agotado_ = fallo_ = false;
  tamano_ = consumidos_ = 0;
  f_ = std::fopen(ruta.c_str(), "rb");
  if (!f_) return false;
  struct stat datos {};
  if (fstat(fileno(f_), &datos) == 0 && datos.st_size > 0) tamano_ = static_cast<std::uint64_t>(datos.st_size);
  // The file is read in pieces of its own: no stdio buffer in between. A
  // small file takes a buffer of its size.
  std::setvbuf(f_, nullptr, _IONBF, 0);
  buffer_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kPiezaLectura, tamano_ + 64)));
  return true;
}

bool LectorLineas::Rellena() {
  if (agotado_ || !f_) return false;
  if (pos_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + pos_, fin_ - pos_);
    fin_ -= pos_;
    pos_ = 0;
  }
  // A line longer than the buffer (or a file grown since it was opened)
  // makes it grow.
  if (fin_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  const std::size_t leidos = std::fread(buffer_.data() + fin_, 1, buffer_.size() - fin_, f_);
  fin_ += leidos;
  if (leidos == 0) {
    agotado_ = true;
    fallo_ = std::ferror(f_) != 0;
    return false;
  }
  return true;
}

bool LectorLineas::Siguiente(std::string& linea) {
  if (!f_ || fallo_) return false;
  for (;;) {
    const char* p = buffer_.data();
    const std::size_t fin = FinDeLinea(p, pos_, fin_);
    // A CR that ends the buffer may be the first half of a CR LF.
    const bool completa = fin < fin_ && (p[fin] == '\n' || fin + 1 < fin_ || agotado_);
    if (completa || (agotado_ && pos_ < fin_)) {
      linea = DesdeWindows1252(std::string_view(p + pos_, fin - pos_));
      const std::size_t siguiente =
          fin < fin_ && p[fin] == '\r' && fin + 1 < fin_ && p[fin + 1] == '\n' ? fin + 2 : std::min(fin + 1, fin_);
      consumidos_ += siguiente - pos_;
      pos_ = siguiente;
      return true;
    }
    if (agotado_) return false;
    if (!Rellena() && fallo_) return false;
  }
}

bool LeerLineas(const std::string& ruta, std::vector<std::string>& lineas) {
  lineas.clear();
  if (!ExisteFichero(ruta)) return false;
  std::string bytes;
  if (!LeerBytes(ruta, bytes)) return false;
  lineas = PartirLineas(bytes);
  return true;
}

std::vector<std::string> LeerLineas(const std::string& ruta) {
  std::vector<std::string> lineas;
  if (!LeerLineas(ruta, lineas)) throw ErrorFichero(ruta, "No se puede leer el fichero");
  return lineas;
}

namespace {

// Writes the new text of `destino` into a file beside it and puts that file
// in its place in one step: a full disk or a stop half-way leaves the old
// file whole (or none) and never a cut-off one. `escribe` writes into the
// open file and answers whether every byte was taken.
template <typename Escritura>
bool ReemplazaCon(const std::string& ruta, Escritura&& escribe) {
  const std::string destino = ResuelveRuta(ruta);
  const std::string temporal = NombreTemporal(destino);
  std::FILE* f = std::fopen(temporal.c_str(), "wb");
  if (!f) return false;
  const bool escrito = escribe(f) && std::fflush(f) == 0;
  const bool cerrado = std::fclose(f) == 0;
  if (!escrito || !cerrado || std::rename(temporal.c_str(), destino.c_str()) != 0) {
    std::remove(temporal.c_str());
    return false;
  }
  AnotaFicheroCreado(destino);
  return true;
}

}  // namespace

bool EscribirLineas(const std::string& ruta, const std::vector<std::string>& lineas) {
  // Line by line into the file: a large log is never held a second time,
  // encoded, in memory.
  // The file is this call's own: its stream is written without taking its
  // lock line after line.
  return ReemplazaCon(ruta, [&](std::FILE* f) {
    for (const std::string& l : lineas) {
      if (PrefijoAscii(reinterpret_cast<const unsigned char*>(l.data()), l.size()) == l.size()) {
        if (fwrite_unlocked(l.data(), 1, l.size(), f) != l.size()) return false;
      } else {
        const std::string bytes = AWindows1252(l);
        if (fwrite_unlocked(bytes.data(), 1, bytes.size(), f) != bytes.size()) return false;
      }
      if (fwrite_unlocked("\r\n", 1, 2, f) != 2) return false;
    }
    return true;
  });
}

bool ReemplazaFichero(const std::string& ruta, std::string_view bytes) {
  return ReemplazaCon(ruta,
                      [&](std::FILE* f) { return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size(); });
}

std::string NombreTemporal(const std::string& ruta) { return ruta + ".~tmp"; }

struct FicheroAnexo::Impl {
  std::FILE* f = nullptr;
  bool fallo = false;     // a write since Abrir did not reach the file
  bool recortar = false;  // the old content past what is written goes at Cerrar
};

FicheroAnexo::FicheroAnexo() : impl_(std::make_unique<Impl>()) {}
FicheroAnexo::~FicheroAnexo() { Cerrar(); }

bool FicheroAnexo::Abrir(const std::string& ruta, bool truncar) { return AbrirResuelta(ResuelveRuta(ruta), truncar); }

bool FicheroAnexo::AbrirResuelta(const std::string& ruta, bool truncar) {
  Cerrar();
  impl_->f = std::fopen(ruta.c_str(), truncar ? "wb" : "ab");
  impl_->fallo = false;
  if (impl_->f) AnotaFicheroCreado(ruta);
  return impl_->f != nullptr;
}

bool FicheroAnexo::ReescribeResuelta(const std::string& ruta) {
  Cerrar();
  impl_->fallo = false;
  struct stat datos {};
  if (::lstat(ruta.c_str(), &datos) != 0 || !S_ISREG(datos.st_mode) || datos.st_nlink != 1) return false;
  std::FILE* f = std::fopen(ruta.c_str(), "r+b");
  if (!f) return false;
  // Cut to its first byte, which the first write replaces: a stop half-way
  // leaves (as a file made anew would) only new text, never the old one.
  if (datos.st_size > 1 && ::ftruncate(fileno(f), 1) != 0) {
    std::fclose(f);
    return false;
  }
  impl_->f = f;
  impl_->recortar = true;
  return true;
}

bool FicheroAnexo::EstaAbierto() const { return impl_->f != nullptr; }

void FicheroAnexo::Escribir(std::string_view texto) {
  if (!impl_->f || texto.empty()) return;
  // ASCII is the same in both encodings.
  if (PrefijoAscii(reinterpret_cast<const unsigned char*>(texto.data()), texto.size()) == texto.size()) {
    if (std::fwrite(texto.data(), 1, texto.size(), impl_->f) != texto.size()) impl_->fallo = true;
    return;
  }
  const std::string bytes = AWindows1252(texto);
  if (std::fwrite(bytes.data(), 1, bytes.size(), impl_->f) != bytes.size()) impl_->fallo = true;
}

void FicheroAnexo::EscribirLinea(std::string_view texto) {
  Escribir(texto);
  if (impl_->f && std::fwrite("\r\n", 1, 2, impl_->f) != 2) impl_->fallo = true;
}

bool FicheroAnexo::Cerrar() {
  if (impl_->f) {
    if (impl_->recortar) {
      // The file ends where the text written ends.
      impl_->recortar = false;
      const long fin = std::fflush(impl_->f) == 0 ? std::ftell(impl_->f) : -1;
      if (fin < 0 || ::ftruncate(fileno(impl_->f), fin) != 0) impl_->fallo = true;
    }
    const bool error = std::ferror(impl_->f) != 0;
    if (std::fclose(impl_->f) != 0 || error) impl_->fallo = true;
    impl_->f = nullptr;
  }
  return !impl_->fallo;
}

std::string RecortaIzq(std::string_view s) {
  const auto p = s.find_first_not_of(' ');
  return p == std::string_view::npos ? std::string() : std::string(s.substr(p));
}

std::string RecortaDer(std::string_view s) {
  const auto p = s.find_last_not_of(' ');
  return p == std::string_view::npos ? std::string() : std::string(s.substr(0, p + 1));
}

std::string Recorta(std::string_view s) { return RecortaIzq(RecortaDer(s)); }

std::string Mayusculas(std::string_view s) {
  return MapeaCodigos(s, [](char32_t c) { return MayusculaDe(c); });
}
std::string Minusculas(std::string_view s) {
  return MapeaCodigos(s, [](char32_t c) { return MinusculaDe(c); });
}

bool IgualesSinCaso(std::string_view a, std::string_view b) {
  // Case pairs of the repertoire have UTF-8 forms of the same length.
  if (a.size() != b.size()) return false;
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[j]);
    if (x < 0x80 && y < 0x80) {
      if (x != y && MayusculaDe(x) != MayusculaDe(y)) return false;
      ++i;
      ++j;
      continue;
    }
    const std::size_t ia = i, jb = j;
    const char32_t ca = SiguienteCodigo(a, i), cb = SiguienteCodigo(b, j);
    if (ca == kInvalido || cb == kInvalido) {
      if (a.substr(ia, i - ia) != b.substr(jb, j - jb)) return false;
    } else if (ca != cb && MayusculaDe(ca) != MayusculaDe(cb)) {
      return false;
    }
  }
  return i == a.size() && j == b.size();
}

std::size_t Longitud(std::string_view s) {
  std::size_t i = PrefijoAscii(reinterpret_cast<const unsigned char*>(s.data()), s.size());
  std::size_t n = i;
  while (i < s.size()) {
    SiguienteCodigo(s, i);
    ++n;
  }
  return n;
}

std::string Medio(std::string_view s, std::size_t inicio, std::size_t cuantos) {
  if (inicio == 0) inicio = 1;
  const std::size_t a = DesplazamientoDe(s, inicio - 1);
  const std::string_view resto = s.substr(a);
  if (cuantos == std::string::npos) return std::string(resto);
  return std::string(resto.substr(0, DesplazamientoDe(resto, cuantos)));
}

std::string Izquierda(std::string_view s, std::size_t cuantos) {
  return std::string(s.substr(0, DesplazamientoDe(s, cuantos)));
}

std::string Derecha(std::string_view s, std::size_t cuantos) {
  const std::size_t n = Longitud(s);
  if (cuantos >= n) return std::string(s);
  return std::string(s.substr(DesplazamientoDe(s, n - cuantos)));
}

bool EsLetra(char32_t c) { return MayusculaDe(c) != c || MinusculaDe(c) != c || c == 0xDF || c == 0xAA || c == 0xBA; }

std::u32string ACodigos(std::string_view s) {
  std::u32string r;
  std::size_t i = 0;
  while (i < s.size()) {
    const char32_t c = SiguienteCodigo(s, i);
    r += c == kInvalido ? U'?' : c;
  }
  return r;
}

std::string DesdeCodigos(std::u32string_view s) {
  std::string r;
  for (char32_t c : s) AgregaUtf8(r, c);
  return r;
}

}  // namespace plataforma

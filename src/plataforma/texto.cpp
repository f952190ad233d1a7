#include "plataforma/texto.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

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

char32_t DeByte(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kAltos[b - 0x80];
  return b;
}

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
  std::string r;
  r.reserve(s.size());
  std::size_t i = 0;
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
  std::size_t i = 0;
  while (pos > 0 && i < s.size()) {
    SiguienteCodigo(s, i);
    --pos;
  }
  return i;
}

}  // namespace

std::string DesdeWindows1252(std::string_view bytes) {
  std::string r;
  r.reserve(bytes.size() + bytes.size() / 8);
  for (char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    if (u < 0x80)
      r += b;
    else
      AgregaUtf8(r, DeByte(u));
  }
  return r;
}

std::string AWindows1252(std::string_view utf8) {
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
  std::size_t inicio = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lineas.push_back(DesdeWindows1252(bytes.substr(inicio, i - inicio)));
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      ++i;
      inicio = i;
    } else {
      ++i;
    }
  }
  if (inicio < bytes.size()) lineas.push_back(DesdeWindows1252(bytes.substr(inicio)));
  return lineas;
}

bool LeerBytes(const std::string& ruta, std::string& bytes) {
  bytes.clear();
  std::ifstream f(ResuelveRuta(ruta), std::ios::binary);
  if (!f) return false;
  bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  return !f.bad();
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

bool EscribirLineas(const std::string& ruta, const std::vector<std::string>& lineas) {
  std::string bytes;
  for (const auto& l : lineas) {
    bytes += AWindows1252(l);
    bytes += "\r\n";
  }
  return ReemplazaFichero(ruta, bytes);
}

bool ReemplazaFichero(const std::string& ruta, std::string_view bytes) {
  // The new text goes to a file beside the old one and takes its place in
  // one step: a full disk or a stop half-way leaves the old file whole (or
  // none) and never a cut-off one.
  const std::string destino = ResuelveRuta(ruta);
  const std::string temporal = NombreTemporal(destino);
  std::FILE* f = std::fopen(temporal.c_str(), "wb");
  if (!f) return false;
  const bool escrito = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
  const bool cerrado = std::fclose(f) == 0;
  if (!escrito || !cerrado || std::rename(temporal.c_str(), destino.c_str()) != 0) {
    std::remove(temporal.c_str());
    return false;
  }
  return true;
}

std::string NombreTemporal(const std::string& ruta) { return ruta + ".~tmp"; }

struct FicheroAnexo::Impl {
  std::FILE* f = nullptr;
  bool fallo = false;  // a write since Abrir did not reach the file
};

FicheroAnexo::FicheroAnexo() : impl_(std::make_unique<Impl>()) {}
FicheroAnexo::~FicheroAnexo() { Cerrar(); }

bool FicheroAnexo::Abrir(const std::string& ruta, bool truncar) {
  Cerrar();
  const std::string destino = ResuelveRuta(ruta);
  impl_->f = std::fopen(destino.c_str(), truncar ? "wb" : "ab");
  impl_->fallo = false;
  return impl_->f != nullptr;
}

bool FicheroAnexo::EstaAbierto() const { return impl_->f != nullptr; }

void FicheroAnexo::Escribir(std::string_view texto) {
  if (!impl_->f) return;
  const std::string bytes = AWindows1252(texto);
  if (std::fwrite(bytes.data(), 1, bytes.size(), impl_->f) != bytes.size()) impl_->fallo = true;
}

void FicheroAnexo::EscribirLinea(std::string_view texto) {
  Escribir(texto);
  if (impl_->f && std::fwrite("\r\n", 1, 2, impl_->f) != 2) impl_->fallo = true;
}

bool FicheroAnexo::Cerrar() {
  if (impl_->f) {
    if (std::ferror(impl_->f) || std::fclose(impl_->f) != 0) impl_->fallo = true;
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

std::string Mayusculas(std::string_view s) { return MapeaCodigos(s, MayusculaDe); }
std::string Minusculas(std::string_view s) { return MapeaCodigos(s, MinusculaDe); }

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
  std::size_t n = 0;
  std::size_t i = 0;
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

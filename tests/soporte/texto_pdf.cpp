#include "soporte/texto_pdf.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <charconv>
#include <memory>
#include <regex>

namespace soporte {

std::string TextoDePdf(const std::string& ruta) {
  const std::string orden = "pdftotext -enc UTF-8 -layout '" + ruta + "' - 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> p(popen(orden.c_str(), "r"), pclose);
  std::string salida;
  std::array<char, 4096> buf;
  std::size_t n;
  while (p && (n = std::fread(buf.data(), 1, buf.size(), p.get())) > 0) salida.append(buf.data(), n);
  return salida;
}

std::string UnBlanco(const std::string& t) {
  std::string r;
  for (char c : t)
    if (c != ' ' || r.empty() || r.back() != ' ') r += c;
  return r;
}

std::size_t Paginas(const std::string& texto) {
  return static_cast<std::size_t>(std::count(texto.begin(), texto.end(), '\f'));
}

std::string Pagina(const std::string& texto, std::size_t n) {
  std::size_t inicio = 0;
  for (std::size_t i = 1; i < n; ++i) inicio = texto.find('\f', inicio) + 1;
  return texto.substr(inicio, texto.find('\f', inicio) - inicio);
}

namespace {
// pdftotext writes a point whatever the locale.
double Numero(const std::string& t) {
  double v = 0;
  std::from_chars(t.data(), t.data() + t.size(), v);
  return v;
}
}  // namespace

std::vector<PalabraPdf> PalabrasDePdf(const std::string& ruta) {
  const std::string orden = "pdftotext -enc UTF-8 -bbox '" + ruta + "' - 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> p(popen(orden.c_str(), "r"), pclose);
  std::string html;
  std::array<char, 4096> buf;
  std::size_t n;
  while (p && (n = std::fread(buf.data(), 1, buf.size(), p.get())) > 0) html.append(buf.data(), n);
  static const std::regex palabra(
      R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
  std::vector<PalabraPdf> r;
  std::size_t pagina = 0;
  std::size_t desde = 0;
  for (;;) {
    const std::size_t inicio = html.find("<page ", desde);
    if (inicio == std::string::npos) break;
    const std::size_t fin = html.find("</page>", inicio);
    ++pagina;
    const std::string trozo = html.substr(inicio, fin == std::string::npos ? std::string::npos : fin - inicio);
    for (std::sregex_iterator i(trozo.begin(), trozo.end(), palabra), e; i != e; ++i) {
      const std::smatch& m = *i;
      r.push_back({pagina, m[5].str(), Numero(m[1].str()), Numero(m[2].str()), Numero(m[3].str()),
                   Numero(m[4].str())});
    }
    if (fin == std::string::npos) break;
    desde = fin;
  }
  return r;
}

}  // namespace soporte

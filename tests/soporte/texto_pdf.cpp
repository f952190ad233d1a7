#include "soporte/texto_pdf.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

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

}  // namespace soporte

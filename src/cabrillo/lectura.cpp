#include "cabrillo/lectura.h"

#include "plataforma/texto.h"

namespace cabrillo {

namespace {

bool EmpiezaPor(std::string_view texto, std::string_view prefijo) { return texto.substr(0, prefijo.size()) == prefijo; }

}  // namespace

bool BuscaParametroCabrillo(const std::vector<std::string>& lineas, std::string_view etiqueta, std::string& linea) {
  for (const std::string& l : lineas) {
    linea = l;
    if (EmpiezaPor(linea, etiqueta)) return true;
    if (EmpiezaPor(linea, "QSO:")) return false;
  }
  return false;
}

void ObtieneValorParametro(std::string_view linea, std::string& valor) {
  const std::size_t dos_puntos = linea.find(':');
  if (dos_puntos == std::string_view::npos) return;
  valor = plataforma::Mayusculas(plataforma::Recorta(linea.substr(dos_puntos + 1)));
}

void QuitaSufijoNombre(std::string_view nombre, std::string& resultado) {
  resultado = std::string(nombre);
  const std::size_t guion = nombre.find('-');
  if (guion == std::string_view::npos) return;
  resultado = std::string(nombre.substr(0, guion));
  const std::size_t punto = nombre.find('.');
  if (punto != std::string_view::npos) resultado += nombre.substr(punto);
}

}  // namespace cabrillo

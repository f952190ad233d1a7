#include "cabrillo/lectura.h"

#include "common/ventana_proceso.h"
#include "plataforma/texto.h"

namespace cabrillo {

namespace {

bool EmpiezaPor(std::string_view texto, std::string_view prefijo) { return texto.substr(0, prefijo.size()) == prefijo; }

template <typename Acceso>
bool BuscaEnLineas(std::size_t cuenta, Acceso elemento, std::string_view etiqueta, std::string& linea) {
  for (std::size_t i = 0; i < cuenta; ++i) {
    linea = elemento(i);
    if (EmpiezaPor(linea, etiqueta)) return true;
    if (EmpiezaPor(linea, "QSO:")) return false;
  }
  return false;
}

}  // namespace

bool BuscaParametroCabrillo(const std::vector<std::string>& lineas, std::string_view etiqueta, std::string& linea) {
  return BuscaEnLineas(
      lineas.size(), [&](std::size_t i) -> const std::string& { return lineas[i]; }, etiqueta, linea);
}

bool BuscaParametroCabrillo(const ListaVentana& lineas, std::string_view etiqueta, std::string& linea) {
  return BuscaEnLineas(
      lineas.Cuenta(), [&](std::size_t i) { return lineas.Elemento(i); }, etiqueta, linea);
}

bool BuscaParametroCabrillo(VentanaProceso& ventana, std::string_view etiqueta, std::string& linea) {
  ListaVentana* lista = ventana.Lista(kListaFicheroCabrillo);
  if (!lista) return false;
  return BuscaParametroCabrillo(*lista, etiqueta, linea);
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

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

// Character at a 1-based position; 0 stands for "no character".
char Caracter(std::string_view linea, std::int64_t posicion) {
  if (posicion < 1 || posicion > static_cast<std::int64_t>(linea.size())) return '\0';
  return linea[static_cast<std::size_t>(posicion - 1)];
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

void ObtieneSiguienteCampo(std::string_view linea, std::int64_t& posicion, std::string& campo) {
  const auto longitud = static_cast<std::int64_t>(linea.size());
  std::int64_t a = posicion < 1 ? 1 : posicion;
  while (Caracter(linea, a) == ' ') ++a;

  // The character at `a` itself is never taken as a separator.
  std::int64_t j = a + 1;
  bool acabo_en_tab = false;
  for (;;) {
    const char c = Caracter(linea, j);
    if (c == ' ') break;
    if (c == '\t') {
      acabo_en_tab = true;
      break;
    }
    ++j;
    if (j - 1 >= longitud) break;
  }

  std::string_view trozo;
  if (a <= longitud) {
    const auto inicio = static_cast<std::size_t>(a - 1);
    const auto fin = static_cast<std::size_t>(std::min(j - 1, longitud));
    trozo = linea.substr(inicio, fin - inicio);
  }
  // Blanks trimmed at both ends (a TAB is not a blank), then a leading TAB
  // dropped.
  while (!trozo.empty() && trozo.front() == ' ') trozo.remove_prefix(1);
  while (!trozo.empty() && trozo.back() == ' ') trozo.remove_suffix(1);
  if (!trozo.empty() && trozo.front() == '\t') trozo.remove_prefix(1);
  campo.assign(trozo);

  if (acabo_en_tab) ++j;
  while (Caracter(linea, j) == ' ') ++j;
  posicion = j;
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

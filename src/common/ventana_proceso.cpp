#include "common/ventana_proceso.h"

#include <cctype>

namespace {
std::string Clave(std::string_view nombre) {
  std::string k(nombre);
  for (char& c : k) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return k;
}
}  // namespace

ListaSimple& VentanaProcesoSimple::ListaPorNombre(std::string_view nombre) { return listas[Clave(nombre)]; }

ListaVentana* VentanaProcesoSimple::Lista(std::string_view nombre) { return &ListaPorNombre(nombre); }

void VentanaProcesoSimple::PonTexto(std::string_view nombre, const std::string& texto) { textos[Clave(nombre)] = texto; }

std::string VentanaProcesoSimple::Texto(std::string_view nombre) const {
  auto it = textos.find(Clave(nombre));
  return it == textos.end() ? std::string() : it->second;
}

#pragma once
// An award edition's folder for the tests: the fixture merged logs in
// ListasAdmitidas and, when asked, the issued lists of an earlier opening.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "award/diplomas.h"
#include "soporte/carpeta_temporal.h"

namespace award::prueba {

inline const std::string kDatos = std::string(TROVALIS_DATOS_PRUEBA) + "/award";

inline std::string LeeDatos(const std::string& relativa) {
  std::ifstream f(kDatos + "/" + relativa, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

// The folder tree of the award edition: ListasAdmitidas and the six
// diploma folders.
inline void CreaEdicion(const soporte::CarpetaTemporal& carpeta, bool con_listas = true, bool con_expedidos = true) {
  carpeta.CreaCarpeta("ListasAdmitidas");
  for (Nivel n : kNiveles) {
    carpeta.CreaCarpeta(NombreListaPendientes(n));
    carpeta.CreaCarpeta(NombreListaExpedidos(n));
  }
  if (con_listas)
    for (const auto& e : std::filesystem::directory_iterator(kDatos + "/ListasAdmitidas"))
      carpeta.EscribeBytes("ListasAdmitidas/" + e.path().filename().string(),
                           LeeDatos("ListasAdmitidas/" + e.path().filename().string()));
  if (con_expedidos)
    for (Nivel n : kNiveles) {
      const std::string nombre = NombreListaExpedidos(n);
      carpeta.EscribeBytes(nombre + "/" + nombre + ".lst", LeeDatos("expedidos/" + nombre + ".lst"));
    }
}

// Bytes of a list file of the edition; "(sin fichero)" when there is none.
inline std::string ListaEnDisco(const soporte::CarpetaTemporal& carpeta, const std::string& nombre) {
  const std::string ruta = carpeta.En(nombre + "/" + nombre + ".lst");
  if (!std::filesystem::exists(ruta)) return "(sin fichero)";
  return carpeta.LeeBytes(nombre + "/" + nombre + ".lst");
}

}  // namespace award::prueba

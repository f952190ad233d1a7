#include "award/diplomas.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "award/recuento_municipios.h"
#include "common/progreso_etapa.h"
#include "plataforma/errores.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace award {

namespace {

constexpr const char* kNombresNivel[] = {"Bronce", "Plata", "Oro"};

std::string RutaLista(const std::string& carpeta_concurso, const std::string& nombre) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(plataforma::UneRuta(carpeta_concurso, nombre), nombre + ".lst"));
}

}  // namespace

std::string NombreListaPendientes(Nivel n) {
  return std::string("Diplomas") + kNombresNivel[static_cast<int>(n)] + "Pendientes";
}

std::string NombreListaExpedidos(Nivel n) {
  return std::string("Diplomas") + kNombresNivel[static_cast<int>(n)] + "Expedidos";
}

std::string RutaListaPendientes(const std::string& carpeta_concurso, Nivel n) {
  return RutaLista(carpeta_concurso, NombreListaPendientes(n));
}

std::string RutaListaExpedidos(const std::string& carpeta_concurso, Nivel n) {
  return RutaLista(carpeta_concurso, NombreListaExpedidos(n));
}

void CargaDiplomasExpedidos(const std::string& carpeta_concurso, ListasDiplomas& listas) {
  // All three are read before any is replaced: a failure leaves the lists
  // in hand as they were.
  std::array<std::vector<std::string>, 3> leidas;
  for (Nivel n : kNiveles) {
    const std::string ruta = RutaListaExpedidos(carpeta_concurso, n);
    // Anything in the file's place counts: what cannot be read must not be
    // taken for a missing list and written over.
    std::error_code ec;
    if (!std::filesystem::exists(ruta, ec) && !ec) continue;
    if (!plataforma::LeerLineas(ruta, leidas[static_cast<std::size_t>(n)]))
      throw plataforma::ErrorFichero(ruta, "No se puede leer la lista de diplomas expedidos");
  }
  listas.Expedidos = std::move(leidas);
}

void GuardaListasDiplomas(const std::string& carpeta_concurso, const ListasDiplomas& listas) {
  std::string fallo;
  auto guarda = [&](const std::string& ruta, const std::vector<std::string>& lista) {
    plataforma::BorraFichero(ruta);
    if (lista.empty()) return;
    plataforma::CreaCarpeta(ruta.substr(0, ruta.find_last_of('/')));
    if (!plataforma::EscribirLineas(ruta, lista) && fallo.empty()) fallo = ruta;
  };
  for (Nivel n : kNiveles) guarda(RutaListaPendientes(carpeta_concurso, n), listas.PendientesDe(n));
  for (Nivel n : kNiveles) guarda(RutaListaExpedidos(carpeta_concurso, n), listas.ExpedidosDe(n));
  if (!fallo.empty()) throw plataforma::ErrorFichero(fallo, "No se puede escribir la lista de diplomas");
}

bool LeeListaAdmitida(const std::string& carpeta_concurso, const std::string& nombre,
                      std::vector<std::string>& lineas) {
  const std::string ruta = plataforma::ResuelveRuta(
      plataforma::UneRuta(plataforma::UneRuta(carpeta_concurso, "ListasAdmitidas"), plataforma::NombreSeguro(nombre)));
  return plataforma::LeerLineas(ruta, lineas);
}

std::vector<std::string> EvaluaDiplomas(const std::string& carpeta_concurso,
                                        const std::vector<std::string>& listas_admitidas, ListasDiplomas& listas,
                                        ProgresoEtapa& progreso) {
  std::vector<std::string> ilegibles;
  CargaDiplomasExpedidos(carpeta_concurso, listas);
  for (auto& pendientes : listas.Pendientes) pendientes.clear();
  if (listas_admitidas.empty()) return ilegibles;

  const std::size_t n = listas_admitidas.size();
  std::vector<std::string> lineas;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string estacion = plataforma::Mayusculas(listas_admitidas[i]);
    progreso.Paso("Procesando LISTA de: " + estacion);
    progreso.Porcentaje(0);
    lineas.clear();
    if (!LeeListaAdmitida(carpeta_concurso, listas_admitidas[i], lineas)) {
      ilegibles.push_back(listas_admitidas[i]);
      continue;
    }
    const int porcentaje = static_cast<int>((i + 1) * 100 / n);
    for (std::size_t l = 0; l < lineas.size(); ++l) {
      progreso.Porcentaje(porcentaje);
      progreso.Cede();
    }
    const RecuentoMunicipios recuento = CargaMunicipiosContactados(lineas, 1);
    const bool alcanza[] = {CumpleDiplomaBronce(recuento), CumpleDiplomaPlata(recuento), CumpleDiplomaOro(recuento)};
    for (Nivel nivel : kNiveles) {
      if (!alcanza[static_cast<int>(nivel)]) continue;
      const auto& expedidos = listas.ExpedidosDe(nivel);
      if (std::find(expedidos.begin(), expedidos.end(), estacion) == expedidos.end())
        listas.PendientesDe(nivel).push_back(estacion);
    }
  }
  GuardaListasDiplomas(carpeta_concurso, listas);
  progreso.Paso("FIN PROCESO");
  return ilegibles;
}

bool ExpideDiploma(ListasDiplomas& listas, Nivel nivel, std::size_t indice) {
  auto& pendientes = listas.PendientesDe(nivel);
  if (indice >= pendientes.size()) return false;
  listas.ExpedidosDe(nivel).push_back(pendientes[indice]);
  pendientes.erase(pendientes.begin() + static_cast<std::ptrdiff_t>(indice));
  return true;
}

std::string IndicativoDeLista(std::string_view nombre) { return std::string(nombre.substr(0, nombre.find('.'))); }

}  // namespace award

#include "common/edicion_concurso.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "database/concursos_especiales.h"
#include "database/estado.h"
#include "plataforma/errores.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace {

// Where each list lives: its folder and, for a run's list, its file. The
// names as written here resolve to the folder or file of the tree whatever
// its letter case.
struct SitioLista {
  const char* carpeta;
  const char* fichero;  // nullptr for a stage folder
};

constexpr SitioLista kSitios[kListasEdicion] = {
    {"FicherosRecibidos", nullptr},
    {"FicherosManuales", nullptr},
    {"ListasValidas", nullptr},
    {"ListasAdmitidas", nullptr},
    {"ListasCruzadas", nullptr},
    {"ListasQsoAnulados", nullptr},
    {"ListasPuntuaciones", nullptr},
    {"FicherosErrores", nullptr},
    {"FicherosConfirmacion", nullptr},
    {"ListasDeSWL", "ListasDeSWL.txt"},
    {"ListasNoenviadas", "ListasNoEnviadasPorIndicativo.txt"},
    {"ListasNoenviadas", "ListasNoEnviadasPorNumero.txt"},
    {"ListasDeControl", "ListasDeControl.txt"},
    {nullptr, nullptr},
};

const SitioLista& Sitio(ListaEdicion l) { return kSitios[static_cast<std::size_t>(l)]; }

}  // namespace

bool EsCarpetaDeEtapa(ListaEdicion lista) { return Sitio(lista).carpeta && !Sitio(lista).fichero; }

const char* CarpetaDeLista(ListaEdicion lista) { return Sitio(lista).carpeta; }

std::string TextoCuentaListas(std::size_t cuantas) { return std::to_string(cuantas) + " Listas"; }

std::string TextoCuentaNoEnviadas(std::size_t cuantas) { return std::to_string(cuantas) + " NO ENVIADAS"; }

std::vector<std::string> FicherosDeCarpeta(const std::string& carpeta) {
  std::vector<std::string> nombres;
  for (auto& nombre : plataforma::ListaFicheros(carpeta))
    if (!nombre.empty() && nombre.front() != '.') nombres.push_back(std::move(nombre));
  return nombres;
}

std::vector<std::string> LeeFicheroLista(const std::string& ruta, bool debe_existir) {
  std::vector<std::string> lineas;
  if (!debe_existir && !plataforma::ExisteFichero(ruta)) return lineas;
  if (!plataforma::LeerLineas(ruta, lineas)) throw plataforma::ErrorFichero(ruta, "No se puede leer el fichero");
  return lineas;
}

EdicionConcurso::EdicionConcurso(std::string carpeta, std::string nombre)
    : carpeta_(std::move(carpeta)), nombre_(std::move(nombre)) {}

EdicionConcurso::EdicionConcurso(const EstadoConcurso& estado)
    : EdicionConcurso(estado.CarpetaConcurso, estado.NombreConcurso) {}

bool EdicionConcurso::EsDiploma() const { return concursos::EsDiploma(nombre_); }

std::string EdicionConcurso::Ruta(ListaEdicion lista) const {
  const SitioLista& s = Sitio(lista);
  if (!s.carpeta) return {};
  std::string ruta = plataforma::UneRuta(carpeta_, s.carpeta);
  if (s.fichero) ruta = plataforma::UneRuta(ruta, s.fichero);
  return plataforma::ResuelveRuta(ruta);
}

std::string EdicionConcurso::TextoCuenta(ListaEdicion lista) const {
  if (lista == ListaEdicion::NoEnviadasPorIndicativo || lista == ListaEdicion::NoEnviadasPorNumero)
    return TextoCuentaNoEnviadas(Cuenta(lista));
  return TextoCuentaListas(Cuenta(lista));
}

void EdicionConcurso::Cambia(ListaEdicion lista, EstadoLista estado, CambioLista cambio) {
  estados_[Indice(lista)] = estado;
  ultimo_cambio_ = cambio;
  if (AlCambiar) AlCambiar(lista);
}

const std::vector<std::string>& EdicionConcurso::Lee(ListaEdicion lista) {
  const SitioLista& s = Sitio(lista);
  if (!s.carpeta) return Lista(lista);
  listas_[Indice(lista)] = s.fichero ? LeeFicheroLista(Ruta(lista)) : FicherosDeCarpeta(Ruta(lista));
  Cambia(lista, EstadoLista::Leida);
  return Lista(lista);
}

void EdicionConcurso::Guarda(ListaEdicion lista) const {
  if (!Sitio(lista).fichero) return;
  if (lista == ListaEdicion::Oyentes && EsDiploma()) return;
  const std::string ruta = Ruta(lista);
  if (!plataforma::EscribirLineas(ruta, Lista(lista)))
    throw plataforma::ErrorFichero(ruta, "No se puede escribir el fichero");
}

void EdicionConcurso::Pon(ListaEdicion lista, std::vector<std::string> elementos) {
  listas_[Indice(lista)] = std::move(elementos);
  Cambia(lista, EstadoLista::Leida);
}

void EdicionConcurso::Agrega(ListaEdicion lista, std::string elemento) {
  std::vector<std::string>& l = listas_[Indice(lista)];
  l.push_back(std::move(elemento));
  Cambia(lista, EstadoLista::Leida, {CambioLista::Clase::Insercion, l.size() - 1});
}

bool EdicionConcurso::Quita(ListaEdicion lista, const std::string& elemento) {
  std::vector<std::string>& l = listas_[Indice(lista)];
  for (auto it = l.begin(); it != l.end(); ++it)
    if (*it == elemento) {
      const auto indice = static_cast<std::size_t>(it - l.begin());
      l.erase(it);
      Cambia(lista, EstadoLista::Leida, {CambioLista::Clase::Retirada, indice});
      return true;
    }
  return false;
}

void EdicionConcurso::Inserta(ListaEdicion lista, std::size_t indice, std::string elemento) {
  std::vector<std::string>& l = listas_[Indice(lista)];
  const std::size_t sitio = std::min(indice, l.size());
  l.insert(l.begin() + static_cast<std::ptrdiff_t>(sitio), std::move(elemento));
  Cambia(lista, EstadoLista::Leida, {CambioLista::Clase::Insercion, sitio});
}

void EdicionConcurso::QuitaEn(ListaEdicion lista, std::size_t indice) {
  std::vector<std::string>& l = listas_[Indice(lista)];
  if (indice >= l.size()) return;
  l.erase(l.begin() + static_cast<std::ptrdiff_t>(indice));
  Cambia(lista, EstadoLista::Leida, {CambioLista::Clase::Retirada, indice});
}

void EdicionConcurso::Vacia(ListaEdicion lista) {
  listas_[Indice(lista)].clear();
  Cambia(lista, EstadoLista::Vaciada);
}

void EdicionConcurso::BorraFicherosDe(const char* subcarpeta) const {
  const std::string carpeta = plataforma::ResuelveRuta(plataforma::UneRuta(carpeta_, subcarpeta));
  for (const auto& nombre : plataforma::ListaFicheros(carpeta))
    plataforma::BorraFichero(plataforma::UneRuta(carpeta, nombre));  // a failure is skipped
}

void EdicionConcurso::DescartaResultadosCruce() {
  for (ListaEdicion l : {ListaEdicion::Cruzadas, ListaEdicion::QsoAnulados, ListaEdicion::Puntuaciones}) {
    listas_[Indice(l)].clear();
    Cambia(l, EstadoLista::Descartada);
    BorraFicherosDe(Sitio(l).carpeta);
  }
  for (ListaEdicion l : {ListaEdicion::NoEnviadasPorIndicativo, ListaEdicion::NoEnviadasPorNumero}) {
    listas_[Indice(l)].clear();
    Cambia(l, EstadoLista::Descartada);
  }
  BorraFicherosDe("ListasNoEnviadas");
  listas_[Indice(ListaEdicion::DeControl)].clear();
  Cambia(ListaEdicion::DeControl, EstadoLista::Descartada);
  BorraFicherosDe("ListasDeControl");
  BorraFicherosDe("ListasDeSWL");
}

void EdicionConcurso::DescartaPuntuaciones() {
  Vacia(ListaEdicion::Puntuaciones);
  BorraFicherosDe("ListasPuntuaciones");
}

std::vector<std::string> EdicionConcurso::RenombraCbrManuales() const {
  const std::string carpeta = Ruta(ListaEdicion::Manuales);
  std::vector<std::string> sin_renombrar;
  for (const auto& nombre : FicherosDeCarpeta(carpeta)) {
    const auto punto = nombre.find('.');
    if (punto == std::string::npos) continue;
    if (plataforma::Mayusculas(std::string_view(nombre).substr(punto)) != ".CBR") continue;
    const std::string nuevo = nombre.substr(0, punto + 1) + "LOG";
    const std::string destino = plataforma::UneRuta(carpeta, nuevo);
    // An existing log of the new name (in any letter case) is kept: the .CBR
    // stays as it is and is reported.
    if (plataforma::ExisteFichero(plataforma::ResuelveRuta(destino)) ||
        !plataforma::RenombraFichero(plataforma::UneRuta(carpeta, nombre), destino))
      sin_renombrar.push_back(nombre);
  }
  return sin_renombrar;
}

void EdicionConcurso::BorraManualesPorBorrar() {
  const std::string carpeta = plataforma::UneRuta(carpeta_, "FicherosManuales");
  for (const std::string& nombre : Lista(ListaEdicion::ManualesPorBorrar))
    plataforma::BorraFichero(plataforma::UneRuta(carpeta, plataforma::NombreSeguro(nombre)));
  Vacia(ListaEdicion::ManualesPorBorrar);
}

std::string TextoCbrNoRenombrados(const std::vector<std::string>& nombres) {
  std::string texto =
      "Estos ficheros no se han renombrado a .LOG porque ya existe en FicherosManuales un fichero "
      "con el nuevo nombre:\n";
  for (const auto& n : nombres) texto += "\n" + n;
  return texto;
}

#include "common/listas_carpetas.h"

#include <string_view>

#include "common/ventana_proceso.h"
#include "database/estado.h"
#include "plataforma/mensajes.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace {

// Folder and file names as these procedures write them; each resolves to the
// folder or file of the tree whatever its letter case.
constexpr const char* kCarpetaNoEnviadas = "ListasNoenviadas";
constexpr const char* kFicheroNoEnviadasPorIndicativo = "ListasNoEnviadasPorIndicativo.txt";
constexpr const char* kFicheroNoEnviadasPorNumero = "ListasNoEnviadasPorNumero.txt";

std::string RutaEnConcurso(const EstadoConcurso& e, std::string_view subcarpeta) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(e.CarpetaConcurso, subcarpeta));
}

std::string RutaEnConcurso(const EstadoConcurso& e, std::string_view subcarpeta, std::string_view fichero) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(plataforma::UneRuta(e.CarpetaConcurso, subcarpeta), fichero));
}

ListaVentana& ListaDe(VentanaProceso& ventana, std::string_view nombre) {
  ListaVentana* lista = ventana.Lista(nombre);
  if (!lista) throw ErrorVentana("La ventana no tiene la lista " + std::string(nombre));
  return *lista;
}

void LlenaLista(ListaVentana& lista, const std::vector<std::string>& elementos) {
  lista.Limpia();
  for (const auto& e : elementos) lista.Agrega(e);
}

void CargaCarpeta(const EstadoConcurso& e, VentanaProceso& ventana, std::string_view lista, std::string_view subcarpeta,
                  std::string_view etiqueta) {
  ListaVentana& l = ListaDe(ventana, lista);
  LlenaLista(l, FicherosDeCarpeta(RutaEnConcurso(e, subcarpeta)));
  ventana.PonTexto(etiqueta, TextoCuentaListas(l.Cuenta()));
}

// Lines of a list file; empty when the file does not exist.
std::vector<std::string> LeeListaFichero(const std::string& ruta, bool debeExistir) {
  std::vector<std::string> lineas;
  if (!debeExistir && !plataforma::ExisteFichero(ruta)) return lineas;
  if (!plataforma::LeerLineas(ruta, lineas))
    throw plataforma::ErrorFichero(ruta, "No se puede leer el fichero");
  return lineas;
}

std::size_t CargaFichero(VentanaProceso& ventana, std::string_view lista, const std::string& ruta,
                         bool debeExistir = false) {
  ListaVentana& l = ListaDe(ventana, lista);
  LlenaLista(l, LeeListaFichero(ruta, debeExistir));
  return l.Cuenta();
}

std::size_t GuardaFichero(VentanaProceso& ventana, std::string_view lista, const std::string& ruta) {
  ListaVentana& l = ListaDe(ventana, lista);
  std::vector<std::string> lineas;
  lineas.reserve(l.Cuenta());
  for (std::size_t i = 0; i < l.Cuenta(); ++i) lineas.push_back(l.Elemento(i));
  if (!plataforma::EscribirLineas(ruta, lineas))
    throw plataforma::ErrorFichero(ruta, "No se puede escribir el fichero");
  return lineas.size();
}

void BorraFicherosDe(const EstadoConcurso& e, std::string_view subcarpeta) {
  const std::string carpeta = RutaEnConcurso(e, subcarpeta);
  for (const auto& nombre : plataforma::ListaFicheros(carpeta))
    plataforma::BorraFichero(plataforma::UneRuta(carpeta, nombre));  // a failure is skipped
}

// Empties a list and its label and deletes the files of its folder.
void VaciaResultado(const EstadoConcurso& e, VentanaProceso& ventana, std::string_view nombre,
                    std::string_view etiqueta) {
  ListaDe(ventana, nombre).Limpia();
  ventana.PonTexto(etiqueta, "");
  BorraFicherosDe(e, nombre);
}

}  // namespace

std::string TextoCuentaListas(std::size_t cuantas) { return std::to_string(cuantas) + " Listas"; }

std::string TextoCuentaNoEnviadas(std::size_t cuantas) {
  return std::to_string(cuantas) + " NO ENVIADAS";
}

std::vector<std::string> FicherosDeCarpeta(const std::string& carpeta) {
  std::vector<std::string> nombres;
  for (auto& nombre : plataforma::ListaFicheros(carpeta))
    if (!nombre.empty() && nombre.front() != '.') nombres.push_back(std::move(nombre));
  return nombres;
}

void CargaListasValidas(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasValidas", "ListasValidas", "LValidas");
}

void CargaListasAdmitidas(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasAdmitidas", "Listasadmitidas", "LAdmitidas");
}

void CargaListasAdmitidasDiploma(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasAdmitidas", "ListasAdmitidas", "LAdmitidas");
  ListaDe(v, "ListasAdmitidas").QuitaSeleccion();
}

void CargaListasCruzadas(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasCruzadas", "ListasCruzadas", "LCruzadas");
}

void CargaListasQsoAnulados(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasQsoAnulados", "ListasQsoAnulados", "LAnulados");
}

void CargaListasPuntuaciones(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasPuntuaciones", "ListasPuntuaciones", "LPuntuaciones");
}

void CargaFicherosRecibidos(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "FicherosRecibidos", "FicherosRecibidos", "LRecibidos");
}

void CargaFicherosConfirmacion(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "FicherosConfirmacion", "FicherosConfirmacion", "LConfirmaciones");
}

void CargaFicherosErrores(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "FicherosErrores", "FicherosErrores", "LErrores");
}

std::vector<std::string> CargaFicherosManuales(const EstadoConcurso& e, VentanaProceso& v) {
  ListaVentana& lista = ListaDe(v, "FicherosManuales");
  const std::string carpeta = RutaEnConcurso(e, "FicherosManuales");
  std::vector<std::string> sinRenombrar;
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
      sinRenombrar.push_back(nombre);
  }
  LlenaLista(lista, FicherosDeCarpeta(carpeta));
  v.PonTexto("LManuales", TextoCuentaListas(lista.Cuenta()));
  if (!sinRenombrar.empty())
    plataforma::MsgBox(TextoCbrNoRenombrados(sinRenombrar), "ADVERTENCIA", plataforma::Icono::Informacion);
  return sinRenombrar;
}

std::string TextoCbrNoRenombrados(const std::vector<std::string>& nombres) {
  std::string texto =
      "Estos ficheros no se han renombrado a .LOG porque ya existe en FicherosManuales un fichero "
      "con el nuevo nombre:\n";
  for (const auto& n : nombres) texto += "\n" + n;
  return texto;
}

void CargaListasNoEnviadasPorIndicativo(const EstadoConcurso& e, VentanaProceso& v) {
  auto n = CargaFichero(v, "ListasNoEnviadasPorIndicativo",
                        RutaEnConcurso(e, kCarpetaNoEnviadas, kFicheroNoEnviadasPorIndicativo));
  v.PonTexto("Label6", TextoCuentaNoEnviadas(n));
}

void CargaListasNoEnviadasPorNumero(const EstadoConcurso& e, VentanaProceso& v) {
  CargaFichero(v, "ListasNoEnviadasPorNumero", RutaEnConcurso(e, kCarpetaNoEnviadas, kFicheroNoEnviadasPorNumero));
}

void CargaListasDeControl(const EstadoConcurso& e, VentanaProceso& v) {
  auto n = CargaFichero(v, "ListasDeControl", RutaEnConcurso(e, "ListasDeControl", "ListasDeControl.txt"));
  v.PonTexto("LDeControl", TextoCuentaListas(n));
}

void CargaListasDeSWL(const EstadoConcurso& e, VentanaProceso& v) {
  auto n = CargaFichero(v, "ListasDeSWL", RutaEnConcurso(e, "ListasDeSWL", "ListasDeSWL.txt"));
  v.PonTexto("LDESWL", TextoCuentaListas(n));
}

void CargaFicheroBasesConcurso(const EstadoConcurso& e, VentanaProceso& v) {
  CargaFichero(v, "ListaBasesConcurso", RutaEnConcurso(e, "BasesConcurso", "FicheroBasesConcurso.lst"),
               /*debeExistir=*/true);
}

void GuardaListasNoEnviadasPorIndicativo(const EstadoConcurso& e, VentanaProceso& v) {
  auto n = GuardaFichero(v, "ListasNoEnviadasPorIndicativo",
                         RutaEnConcurso(e, kCarpetaNoEnviadas, kFicheroNoEnviadasPorIndicativo));
  v.PonTexto("Label6", TextoCuentaNoEnviadas(n));
}

void GuardaListasNoEnviadasPorNumero(const EstadoConcurso& e, VentanaProceso& v) {
  auto n =
      GuardaFichero(v, "ListasNoEnviadasPorNumero", RutaEnConcurso(e, kCarpetaNoEnviadas, kFicheroNoEnviadasPorNumero));
  v.PonTexto("Label6", TextoCuentaNoEnviadas(n));
}

void GuardaListasDeControl(const EstadoConcurso& e, VentanaProceso& v) {
  auto n = GuardaFichero(v, "ListasDeControl", RutaEnConcurso(e, "ListasDeControl", "ListasDeControl.txt"));
  v.PonTexto("LDeControl", TextoCuentaListas(n));
}

void GuardaListasDeSWL(const EstadoConcurso& e, VentanaProceso& v) {
  if (e.EsConcursoDiploma()) return;
  auto n = GuardaFichero(v, "ListasDeSWL", RutaEnConcurso(e, "ListasDeSWL", "ListasDeSWL.txt"));
  v.PonTexto("LDESWL", TextoCuentaListas(n));
}

void BorraResultadosCruce(const EstadoConcurso& e, VentanaProceso& v) {
  VaciaResultado(e, v, "ListasCruzadas", "LCruzadas");
  VaciaResultado(e, v, "ListasQsoAnulados", "LAnulados");
  VaciaResultado(e, v, "ListasPuntuaciones", "LPuntuaciones");
  ListaDe(v, "ListasNoEnviadasPorIndicativo").Limpia();
  ListaDe(v, "ListasNoEnviadasPorNumero").Limpia();
  v.PonTexto("Label6", "NO ENVIADAS");
  BorraFicherosDe(e, "ListasNoEnviadas");
  VaciaResultado(e, v, "ListasDeControl", "LDeControl");
  BorraFicherosDe(e, "ListasDeSWL");
}

void BorraListasPuntuaciones(const EstadoConcurso& e, VentanaProceso& v) {
  ListaDe(v, "ListasPuntuaciones").Limpia();
  BorraFicherosDe(e, "ListasPuntuaciones");
}

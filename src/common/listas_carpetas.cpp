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

std::string RutaEnConcurso(std::string_view subcarpeta) {
  return plataforma::ResuelveRuta(plataforma::UneRuta(CarpetaConcurso, subcarpeta));
}

std::string RutaEnConcurso(std::string_view subcarpeta, std::string_view fichero) {
  return plataforma::ResuelveRuta(
      plataforma::UneRuta(plataforma::UneRuta(CarpetaConcurso, subcarpeta), fichero));
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

void CargaCarpeta(VentanaProceso& ventana, std::string_view lista, std::string_view subcarpeta,
                  std::string_view etiqueta) {
  ListaVentana& l = ListaDe(ventana, lista);
  LlenaLista(l, FicherosDeCarpeta(RutaEnConcurso(subcarpeta)));
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

void BorraFicherosDe(std::string_view subcarpeta) {
  const std::string carpeta = RutaEnConcurso(subcarpeta);
  for (const auto& nombre : plataforma::ListaFicheros(carpeta))
    plataforma::BorraFichero(plataforma::UneRuta(carpeta, nombre));  // a failure is skipped
}

// Empties a list and its label and deletes the files of its folder.
void VaciaResultado(VentanaProceso& ventana, std::string_view nombre, std::string_view etiqueta) {
  ListaDe(ventana, nombre).Limpia();
  ventana.PonTexto(etiqueta, "");
  BorraFicherosDe(nombre);
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

void CargaListasValidas(VentanaProceso& v) { CargaCarpeta(v, "ListasValidas", "ListasValidas", "LValidas"); }

void CargaListasAdmitidas(VentanaProceso& v) {
  CargaCarpeta(v, "ListasAdmitidas", "Listasadmitidas", "LAdmitidas");
}

void CargaListasAdmitidasDiploma(VentanaProceso& v) {
  CargaCarpeta(v, "ListasAdmitidas", "ListasAdmitidas", "LAdmitidas");
  ListaDe(v, "ListasAdmitidas").QuitaSeleccion();
}

void CargaListasCruzadas(VentanaProceso& v) {
  CargaCarpeta(v, "ListasCruzadas", "ListasCruzadas", "LCruzadas");
}

void CargaListasQsoAnulados(VentanaProceso& v) {
  CargaCarpeta(v, "ListasQsoAnulados", "ListasQsoAnulados", "LAnulados");
}

void CargaListasPuntuaciones(VentanaProceso& v) {
  CargaCarpeta(v, "ListasPuntuaciones", "ListasPuntuaciones", "LPuntuaciones");
}

void CargaFicherosRecibidos(VentanaProceso& v) {
  CargaCarpeta(v, "FicherosRecibidos", "FicherosRecibidos", "LRecibidos");
}

void CargaFicherosConfirmacion(VentanaProceso& v) {
  CargaCarpeta(v, "FicherosConfirmacion", "FicherosConfirmacion", "LConfirmaciones");
}

void CargaFicherosErrores(VentanaProceso& v) {
  CargaCarpeta(v, "FicherosErrores", "FicherosErrores", "LErrores");
}

std::vector<std::string> CargaFicherosManuales(VentanaProceso& v) {
  ListaVentana& lista = ListaDe(v, "FicherosManuales");
  const std::string carpeta = RutaEnConcurso("FicherosManuales");
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

void CargaListasNoEnviadasPorIndicativo(VentanaProceso& v) {
  auto n = CargaFichero(v, "ListasNoEnviadasPorIndicativo",
                        RutaEnConcurso(kCarpetaNoEnviadas, kFicheroNoEnviadasPorIndicativo));
  v.PonTexto("Label6", TextoCuentaNoEnviadas(n));
}

void CargaListasNoEnviadasPorNumero(VentanaProceso& v) {
  CargaFichero(v, "ListasNoEnviadasPorNumero",
               RutaEnConcurso(kCarpetaNoEnviadas, kFicheroNoEnviadasPorNumero));
}

void CargaListasDeControl(VentanaProceso& v) {
  auto n = CargaFichero(v, "ListasDeControl", RutaEnConcurso("ListasDeControl", "ListasDeControl.txt"));
  v.PonTexto("LDeControl", TextoCuentaListas(n));
}

void CargaListasDeSWL(VentanaProceso& v) {
  auto n = CargaFichero(v, "ListasDeSWL", RutaEnConcurso("ListasDeSWL", "ListasDeSWL.txt"));
  v.PonTexto("LDESWL", TextoCuentaListas(n));
}

void CargaFicheroBasesConcurso(VentanaProceso& v) {
  CargaFichero(v, "ListaBasesConcurso", RutaEnConcurso("BasesConcurso", "FicheroBasesConcurso.lst"),
               /*debeExistir=*/true);
}

void GuardaListasNoEnviadasPorIndicativo(VentanaProceso& v) {
  auto n = GuardaFichero(v, "ListasNoEnviadasPorIndicativo",
                         RutaEnConcurso(kCarpetaNoEnviadas, kFicheroNoEnviadasPorIndicativo));
  v.PonTexto("Label6", TextoCuentaNoEnviadas(n));
}

void GuardaListasNoEnviadasPorNumero(VentanaProceso& v) {
  auto n = GuardaFichero(v, "ListasNoEnviadasPorNumero",
                         RutaEnConcurso(kCarpetaNoEnviadas, kFicheroNoEnviadasPorNumero));
  v.PonTexto("Label6", TextoCuentaNoEnviadas(n));
}

void GuardaListasDeControl(VentanaProceso& v) {
  auto n = GuardaFichero(v, "ListasDeControl", RutaEnConcurso("ListasDeControl", "ListasDeControl.txt"));
  v.PonTexto("LDeControl", TextoCuentaListas(n));
}

void GuardaListasDeSWL(VentanaProceso& v) {
  if (EsConcursoDiploma()) return;
  auto n = GuardaFichero(v, "ListasDeSWL", RutaEnConcurso("ListasDeSWL", "ListasDeSWL.txt"));
  v.PonTexto("LDESWL", TextoCuentaListas(n));
}

void BorraResultadosCruce(VentanaProceso& v) {
  VaciaResultado(v, "ListasCruzadas", "LCruzadas");
  VaciaResultado(v, "ListasQsoAnulados", "LAnulados");
  VaciaResultado(v, "ListasPuntuaciones", "LPuntuaciones");
  ListaDe(v, "ListasNoEnviadasPorIndicativo").Limpia();
  ListaDe(v, "ListasNoEnviadasPorNumero").Limpia();
  v.PonTexto("Label6", "NO ENVIADAS");
  BorraFicherosDe("ListasNoEnviadas");
  VaciaResultado(v, "ListasDeControl", "LDeControl");
  BorraFicherosDe("ListasDeSWL");
}

void BorraListasPuntuaciones(VentanaProceso& v) {
  ListaDe(v, "ListasPuntuaciones").Limpia();
  BorraFicherosDe("ListasPuntuaciones");
}

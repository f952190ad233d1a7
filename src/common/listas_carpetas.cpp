#include "common/listas_carpetas.h"

#include <string_view>

#include "common/ventana_proceso.h"
#include "database/estado.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace {

ListaVentana& ListaDe(VentanaProceso& ventana, std::string_view nombre) {
  ListaVentana* lista = ventana.Lista(nombre);
  if (!lista) throw ErrorVentana("La ventana no tiene la lista " + std::string(nombre));
  return *lista;
}

void LlenaLista(ListaVentana& lista, const std::vector<std::string>& elementos) {
  lista.Limpia();
  for (const auto& e : elementos) lista.Agrega(e);
}

// Reads a list of the edition into the window's list box of that name and
// returns its count.
std::size_t CargaEnVentana(const EstadoConcurso& e, VentanaProceso& ventana, std::string_view nombre,
                           ListaEdicion que) {
  ListaVentana& l = ListaDe(ventana, nombre);
  EdicionConcurso edicion(e);
  LlenaLista(l, edicion.Lee(que));
  return l.Cuenta();
}

void CargaCarpeta(const EstadoConcurso& e, VentanaProceso& ventana, std::string_view lista, ListaEdicion que,
                  std::string_view etiqueta) {
  ventana.PonTexto(etiqueta, TextoCuentaListas(CargaEnVentana(e, ventana, lista, que)));
}

// Writes the window's list box of that name to the edition's file and
// returns its count.
std::size_t GuardaDeVentana(const EstadoConcurso& e, VentanaProceso& ventana, std::string_view nombre,
                            ListaEdicion que) {
  ListaVentana& l = ListaDe(ventana, nombre);
  std::vector<std::string> lineas;
  lineas.reserve(l.Cuenta());
  for (std::size_t i = 0; i < l.Cuenta(); ++i) lineas.push_back(l.Elemento(i));
  EdicionConcurso edicion(e);
  edicion.Pon(que, std::move(lineas));
  edicion.Guarda(que);
  return edicion.Cuenta(que);
}

}  // namespace

void CargaListasValidas(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasValidas", ListaEdicion::Validas, "LValidas");
}

void CargaListasAdmitidas(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasAdmitidas", ListaEdicion::Admitidas, "LAdmitidas");
}

void CargaListasAdmitidasDiploma(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasAdmitidas", ListaEdicion::Admitidas, "LAdmitidas");
  ListaDe(v, "ListasAdmitidas").QuitaSeleccion();
}

void CargaListasCruzadas(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasCruzadas", ListaEdicion::Cruzadas, "LCruzadas");
}

void CargaListasQsoAnulados(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasQsoAnulados", ListaEdicion::QsoAnulados, "LAnulados");
}

void CargaListasPuntuaciones(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "ListasPuntuaciones", ListaEdicion::Puntuaciones, "LPuntuaciones");
}

void CargaFicherosRecibidos(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "FicherosRecibidos", ListaEdicion::Recibidos, "LRecibidos");
}

void CargaFicherosConfirmacion(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "FicherosConfirmacion", ListaEdicion::Confirmaciones, "LConfirmaciones");
}

void CargaFicherosErrores(const EstadoConcurso& e, VentanaProceso& v) {
  CargaCarpeta(e, v, "FicherosErrores", ListaEdicion::Errores, "LErrores");
}

std::vector<std::string> CargaFicherosManuales(const EstadoConcurso& e, VentanaProceso& v) {
  ListaVentana& lista = ListaDe(v, "FicherosManuales");
  EdicionConcurso edicion(e);
  std::vector<std::string> sinRenombrar = edicion.RenombraCbrManuales();
  LlenaLista(lista, edicion.Lee(ListaEdicion::Manuales));
  v.PonTexto("LManuales", TextoCuentaListas(lista.Cuenta()));
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
  auto n = CargaEnVentana(e, v, "ListasNoEnviadasPorIndicativo", ListaEdicion::NoEnviadasPorIndicativo);
  v.PonTexto("Label6", TextoCuentaNoEnviadas(n));
}

void CargaListasNoEnviadasPorNumero(const EstadoConcurso& e, VentanaProceso& v) {
  CargaEnVentana(e, v, "ListasNoEnviadasPorNumero", ListaEdicion::NoEnviadasPorNumero);
}

void CargaListasDeControl(const EstadoConcurso& e, VentanaProceso& v) {
  auto n = CargaEnVentana(e, v, "ListasDeControl", ListaEdicion::DeControl);
  v.PonTexto("LDeControl", TextoCuentaListas(n));
}

void CargaListasDeSWL(const EstadoConcurso& e, VentanaProceso& v) {
  auto n = CargaEnVentana(e, v, "ListasDeSWL", ListaEdicion::Oyentes);
  v.PonTexto("LDESWL", TextoCuentaListas(n));
}

void CargaFicheroBasesConcurso(const EstadoConcurso& e, VentanaProceso& v) {
  const std::string ruta = plataforma::ResuelveRuta(
      plataforma::UneRuta(plataforma::UneRuta(e.CarpetaConcurso, "BasesConcurso"), "FicheroBasesConcurso.lst"));
  LlenaLista(ListaDe(v, "ListaBasesConcurso"), LeeFicheroLista(ruta, /*debe_existir=*/true));
}

void GuardaListasNoEnviadasPorIndicativo(const EstadoConcurso& e, VentanaProceso& v) {
  auto n = GuardaDeVentana(e, v, "ListasNoEnviadasPorIndicativo", ListaEdicion::NoEnviadasPorIndicativo);
  v.PonTexto("Label6", TextoCuentaNoEnviadas(n));
}

void GuardaListasNoEnviadasPorNumero(const EstadoConcurso& e, VentanaProceso& v) {
  auto n = GuardaDeVentana(e, v, "ListasNoEnviadasPorNumero", ListaEdicion::NoEnviadasPorNumero);
  v.PonTexto("Label6", TextoCuentaNoEnviadas(n));
}

void GuardaListasDeControl(const EstadoConcurso& e, VentanaProceso& v) {
  auto n = GuardaDeVentana(e, v, "ListasDeControl", ListaEdicion::DeControl);
  v.PonTexto("LDeControl", TextoCuentaListas(n));
}

void GuardaListasDeSWL(const EstadoConcurso& e, VentanaProceso& v) {
  if (e.EsConcursoDiploma()) return;
  auto n = GuardaDeVentana(e, v, "ListasDeSWL", ListaEdicion::Oyentes);
  v.PonTexto("LDESWL", TextoCuentaListas(n));
}

void BorraResultadosCruce(const EstadoConcurso& e, VentanaProceso& v) {
  for (const char* nombre : {"ListasCruzadas", "ListasQsoAnulados", "ListasPuntuaciones",
                             "ListasNoEnviadasPorIndicativo", "ListasNoEnviadasPorNumero", "ListasDeControl"})
    ListaDe(v, nombre).Limpia();
  for (const char* etiqueta : {"LCruzadas", "LAnulados", "LPuntuaciones", "LDeControl"}) v.PonTexto(etiqueta, "");
  v.PonTexto("Label6", "NO ENVIADAS");
  EdicionConcurso(e).DescartaResultadosCruce();
}

void BorraListasPuntuaciones(const EstadoConcurso& e, VentanaProceso& v) {
  ListaDe(v, "ListasPuntuaciones").Limpia();
  EdicionConcurso(e).DescartaPuntuaciones();
}

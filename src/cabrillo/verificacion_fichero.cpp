#include "cabrillo/verificacion_fichero.h"

#include <cstdint>
#include <stdexcept>

#include "cabrillo/contexto_concurso.h"
#include "cabrillo/lectura.h"
#include "cabrillo/lectura_concurso.h"
#include "cabrillo/linea_qso.h"
#include "cabrillo/verificacion_cabecera.h"
#include "common/ventana_proceso.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"

namespace cabrillo {

namespace {

bool EsFinDeLog(std::string_view linea) {
  while (!linea.empty() && linea.front() == ' ') linea.remove_prefix(1);
  while (!linea.empty() && linea.back() == ' ') linea.remove_suffix(1);
  return linea == "END-OF-LOG:";
}

bool EmpiezaPor(std::string_view texto, std::string_view prefijo) { return texto.substr(0, prefijo.size()) == prefijo; }

int Porcentaje(std::size_t parte, std::size_t total) {
  return total == 0 ? 0 : static_cast<int>(static_cast<std::uint64_t>(parte) * 100 / total);
}

}  // namespace

std::vector<std::string> LineasDelLog(std::string_view bytes) {
  std::vector<std::string> lineas;
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::size_t fin = i;
    while (fin < bytes.size() && bytes[fin] != '\r' && bytes[fin] != '\n') ++fin;
    lineas.push_back(plataforma::DesdeWindows1252(bytes.substr(i, fin - i)));
    if (fin < bytes.size() && bytes[fin] == '\r' && fin + 1 < bytes.size() && bytes[fin + 1] == '\n')
      i = fin + 2;
    else
      i = fin + 1;
    if (EsFinDeLog(lineas.back())) break;
  }
  return lineas;
}

bool VerificaLineasQso(VentanaProceso& ventana, const std::vector<std::string>& lineas,
                       const EntornoValidacion& entorno) {
  if (entorno.cabecera.EsListaSwl()) return true;
  bool correcto = true;
  ventana.PonProgreso(0);
  const std::size_t n = lineas.size();

  std::size_t primera = 0;
  for (; primera < n; ++primera) {
    if (EmpiezaPor(lineas[primera], "QSO:")) break;
    ventana.PonProgreso(Porcentaje(primera + 1, n));
  }
  if (primera == n) return true;

  const ComprobadorLineasQso comprobador(entorno);
  MemoriaLog memoria;
  int erroneas = 0;
  for (std::size_t i = primera; i < n; ++i) {
    const std::string& linea = lineas[i];
    if (EsFinDeLog(linea)) break;
    ventana.PonProgreso(Porcentaje(i, n));
    if (comprobador.VerificaLineaQso(linea, memoria)) continue;
    correcto = false;
    if (++erroneas > 5) {
      entorno.informe.EscribeBloqueError({"Se han detectado estos primeros ERRORES en la línea de QSO",
                                          "Puede haber más QSO erróneos"},
                                         32, "Se suspende el ANÁLISIS del fichero por demasiados errores",
                                         FinBloque::SinLineaEnBlanco);
      return false;
    }
  }
  return correcto;
}

bool VerificaFicheroCabrillo(VentanaProceso& ventana, const std::string& carpeta_concurso,
                             std::string_view nombre_fichero, const EntornoValidacion& entorno) {
  ListaVentana* lista = ventana.Lista(kListaFicheroCabrillo);
  if (lista) lista->Limpia();
  ventana.PonTexto("Lista", "Fichero CABRILLO RECIBIDO de " + std::string(nombre_fichero));

  const std::string ruta = plataforma::ResuelveRuta(plataforma::UneRuta(
      plataforma::UneRuta(carpeta_concurso, "FicherosRecibidos"), plataforma::NombreSeguro(nombre_fichero)));
  std::string bytes;
  if (!plataforma::LeerBytes(ruta, bytes)) throw plataforma::ErrorFichero(ruta, "No se puede leer el fichero");
  const std::vector<std::string> lineas = LineasDelLog(bytes);
  bytes.clear();
  bytes.shrink_to_fit();
  if (lista)
    for (const std::string& linea : lineas) lista->Agrega(linea);

  FicheroErrores& informe = entorno.informe;
  if (lineas.empty() || !EsFinDeLog(lineas.back())) {
    informe.EscribeBloqueError(
        4, "El fichero adjunto no finaliza con END-OF-LOG:, posiblemente se ha enviado imcompleto.");
    return false;
  }
  if (!EmpiezaPor(lineas.front(), "START-OF-LOG:")) {
    informe.EscribeBloqueError(4, "El fichero adjunto no comienza con START-OF-LOG: versión.");
    return false;
  }
  const std::string& primera = lineas.front();
  const std::string version = plataforma::Recorta(std::string_view(primera).substr(primera.find(':') + 1));
  if (version != "2.0" && version != "3.0") {
    informe.EscribeBloqueError(5, "El fichero no es versión 2.0 ni versión 3.0");
    return false;
  }

  const bool cabecera = version == "2.0" ? VerificaCabeceraV2(lineas, nombre_fichero, entorno)
                                         : VerificaCabeceraV3(lineas, nombre_fichero, entorno);
  if (!cabecera) return false;
  if (!VerificaCategorias(version, entorno)) return false;
  return VerificaLineasQso(ventana, lineas, entorno);
}

bool VerificaFicheroCabrillo(VentanaProceso& ventana, ContextoConcurso& contexto, std::string_view nombre_fichero,
                             dao::Database& base, const AjustesVentanaPrincipal& ajustes) {
  DatosConcursoLog datos;
  if (!LeeDatosConcursoLog(base, contexto.NumeroConcursoActual, datos))
    throw std::runtime_error("No existe el concurso " + std::to_string(contexto.NumeroConcursoActual));
  datos.SiglasONumeral = ajustes.SiglasONumeral;
  datos.VerificarNombreExacto = ajustes.VerificarNombreExacto;
  // Nothing of the previous log's header may carry over to this one.
  contexto.CabeceraLogEnCurso.Limpia();
  const EntornoValidacion entorno{datos, contexto.CategoriasAdmitidasConcurso, contexto.FicheroErroresEnCurso,
                                  contexto.CabeceraLogEnCurso, contexto.Paises.get()};
  return VerificaFicheroCabrillo(ventana, contexto.CarpetaConcurso, nombre_fichero, entorno);
}

}  // namespace cabrillo

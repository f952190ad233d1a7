#include "cabrillo/verificacion_fichero.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "cabrillo/lectura.h"
#include "cabrillo/linea_qso.h"
#include "cabrillo/verificacion_cabecera.h"
#include "common/progreso_etapa.h"
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
  for (std::string& linea : plataforma::PartirLineas(bytes)) {
    lineas.push_back(std::move(linea));
    if (EsFinDeLog(lineas.back())) break;
  }
  return lineas;
}

std::vector<std::string> LeeLineasDelLog(const std::string& ruta) {
  plataforma::LectorLineas lector;
  if (!lector.AbrirResuelta(ruta)) throw plataforma::ErrorFichero(ruta, "No se puede leer el fichero");
  std::vector<std::string> lineas;
  std::string linea;
  while (lector.Siguiente(linea)) {
    // Once a few lines tell their usual length, room for the rest of the
    // file is taken at once: the vector is not regrown (and held twice)
    // line after line.
    if (lineas.size() == 64 && lector.Consumidos() > 0 && lector.Tamano() > lector.Consumidos()) {
      const std::uint64_t estimadas = lector.Tamano() / (lector.Consumidos() / 64 + 1) * 21 / 20 + 64;
      lineas.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(estimadas, lector.Tamano() / 2 + 64)));
    }
    lineas.push_back(std::move(linea));
    if (EsFinDeLog(lineas.back())) break;
  }
  if (lector.Fallo()) throw plataforma::ErrorFichero(ruta, "No se puede leer el fichero");
  return lineas;
}

bool VerificaLineasQso(ProgresoEtapa& progreso, const std::vector<std::string>& lineas,
                       const EntornoValidacion& entorno) {
  if (entorno.cabecera.EsListaSwl()) return true;
  bool correcto = true;
  progreso.Porcentaje(0);
  const std::size_t n = lineas.size();

  std::size_t primera = 0;
  for (; primera < n; ++primera) {
    if (EmpiezaPor(lineas[primera], "QSO:")) break;
    progreso.Porcentaje(Porcentaje(primera + 1, n));
  }
  if (primera == n) return true;

  const ComprobadorLineasQso comprobador(entorno);
  MemoriaLog memoria;
  int erroneas = 0;
  for (std::size_t i = primera; i < n; ++i) {
    const std::string& linea = lineas[i];
    if (EsFinDeLog(linea)) break;
    progreso.Porcentaje(Porcentaje(i, n));
    if (comprobador.VerificaLineaQso(linea, memoria)) continue;
    correcto = false;
    if (++erroneas > 5) {
      entorno.informe.EscribeBloqueError(
          {"Se han detectado estos primeros ERRORES en la línea de QSO", "Puede haber más QSO erróneos"}, 32,
          "Se suspende el ANÁLISIS del fichero por demasiados errores", FinBloque::SinLineaEnBlanco);
      return false;
    }
  }
  return correcto;
}

namespace {

bool VerificaLineas(ProgresoEtapa& progreso, const std::vector<std::string>& lineas, std::string_view nombre_fichero,
                    const EntornoValidacion& entorno) {
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
  return VerificaLineasQso(progreso, lineas, entorno);
}

}  // namespace

ResultadoVerificacion VerificaFicheroCabrillo(ProgresoEtapa& progreso, const std::string& carpeta_concurso,
                                              std::string_view nombre_fichero, const EntornoValidacion& entorno) {
  ResultadoVerificacion resultado;
  resultado.NombreFichero = std::string(nombre_fichero);
  const std::string ruta = plataforma::ResuelveRuta(plataforma::UneRuta(
      plataforma::UneRuta(carpeta_concurso, "FicherosRecibidos"), plataforma::NombreSeguro(nombre_fichero)));
  // The checks read the lines where the result keeps them: the log is held
  // once.
  resultado.Lineas = LeeLineasDelLog(ruta);
  resultado.Aceptada = VerificaLineas(progreso, resultado.Lineas, nombre_fichero, entorno);
  return resultado;
}

}  // namespace cabrillo

#pragma once
// One participant's log validated against the test contest as the mail
// intake validates it: the file in the contest's received folder, the shared
// error report opened in the working folder, the header of the log in hand
// empty, and the accepted copy made when the log passes. Every call starts
// from the same state. Shared by the fuzz target and the tests that replay
// the inputs it found.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "cabrillo/entorno_validacion.h"
#include "cabrillo/fichero_errores.h"
#include "cabrillo/lista_valida.h"
#include "cabrillo/prueba_validacion.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/progreso_etapa.h"
#include "plataforma/errores.h"
#include "soporte/carpeta_temporal.h"
#include "soporte/concurso_prueba.h"

namespace cabrillo::prueba {

class ValidacionHostil {
 public:
  ValidacionHostil() {
    carpeta_.CreaCarpeta("CONCURSO PRUEBA_2026/FicherosRecibidos");
    carpeta_.CreaCarpeta("CONCURSO PRUEBA_2026/ListasValidas");
  }

  // Gives an empty text when the log was handled soundly (accepted or
  // refused), else what went wrong.
  std::string Valida(std::string_view bytes) {
    static constexpr const char* kAdjunto = "QQ1ABC.LOG";
    const std::string concurso = carpeta_.En("CONCURSO PRUEBA_2026");
    carpeta_.EscribeBytes(std::string("CONCURSO PRUEBA_2026/FicherosRecibidos/") + kAdjunto, bytes);
    std::error_code ec;
    std::filesystem::remove(concurso + "/ListasValidas/" + kAdjunto, ec);

    ProgresoSimple progreso;
    CabeceraLog cabecera;
    FicheroErrores informe;
    if (!CreaFicheroErrores(DatosCorreoEnCurso{"2026/03/05 10:22", "Lista qq1abc"}, informe, carpeta_.Ruta()))
      return "no se abre el informe";
    informe.EscribeAdjunto(kAdjunto);
    const EntornoValidacion entorno{datos_, categorias_, informe, cabecera, paises_.get()};
    ResultadoVerificacion resultado;
    try {
      resultado = VerificaFicheroCabrillo(progreso, concurso, kAdjunto, entorno);
    } catch (const plataforma::ErrorFichero& e) {
      informe.Cierra();
      return std::string("el log no se lee: ") + e.what();
    }
    informe.Cierra();
    const bool aceptado = resultado.Aceptada;
    if (aceptado && !GeneraListaValida(progreso, concurso, kAdjunto, resultado.Lineas)) return "log aceptado sin copia";
    // A refused log says why in the report.
    if (!aceptado && informe.BloquesEscritos() == 0) return "log rechazado sin error en el informe";
    return {};
  }

 private:
  soporte::CarpetaTemporal carpeta_;
  DatosConcursoLog datos_ = soporte::ConcursoPrueba();
  CategoriasAdmitidas categorias_ = soporte::CategoriasPrueba(datos_);
  std::unique_ptr<TablasPaises> paises_ = PaisesPrueba();
};

}  // namespace cabrillo::prueba

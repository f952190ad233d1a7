// Fuzz target: one participant's log validated against the test contest, as
// the mail intake validates it: the file in the contest's received folder,
// the shared error report opened in the working folder, the header of the
// log in hand empty. Every run starts from the same state: the received
// file is replaced, the report and the accepted copy deleted and the window
// and header made new.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "cabrillo/entorno_validacion.h"
#include "cabrillo/fichero_errores.h"
#include "cabrillo/lista_valida.h"
#include "cabrillo/prueba_validacion.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/ventana_proceso.h"
#include "plataforma/errores.h"
#include "soporte/carpeta_temporal.h"
#include "soporte/concurso_prueba.h"

namespace {

constexpr const char* kAdjunto = "QQ1ABC.LOG";

struct Fijo {
  soporte::CarpetaTemporal carpeta;
  cabrillo::DatosConcursoLog datos = soporte::ConcursoPrueba();
  cabrillo::CategoriasAdmitidas categorias = soporte::CategoriasPrueba(datos);
  std::unique_ptr<TablasPaises> paises = cabrillo::prueba::PaisesPrueba();
  Fijo() {
    carpeta.CreaCarpeta("CONCURSO PRUEBA_2026/FicherosRecibidos");
    carpeta.CreaCarpeta("CONCURSO PRUEBA_2026/ListasValidas");
  }
};

Fijo* fijo = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fijo = new Fijo;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  const std::string concurso = fijo->carpeta.En("CONCURSO PRUEBA_2026");
  fijo->carpeta.EscribeBytes(std::string("CONCURSO PRUEBA_2026/FicherosRecibidos/") + kAdjunto,
                             std::string_view(reinterpret_cast<const char*>(datos), tam));
  std::error_code ec;
  std::filesystem::remove(concurso + "/ListasValidas/" + kAdjunto, ec);

  VentanaProcesoSimple ventana;
  ventana.correo = DatosCorreoEnCurso{"2026/03/05 10:22", "Lista qq1abc"};
  cabrillo::CabeceraLog cabecera;
  cabrillo::FicheroErrores& informe = cabrillo::FicheroErroresEnCurso();
  if (!cabrillo::CreaFicheroErrores(ventana, fijo->carpeta.Ruta())) __builtin_trap();
  informe.EscribeAdjunto(kAdjunto);
  const cabrillo::EntornoValidacion entorno{fijo->datos, fijo->categorias, informe, cabecera, fijo->paises.get()};
  bool aceptado = false;
  try {
    aceptado = cabrillo::VerificaFicheroCabrillo(ventana, concurso, kAdjunto, entorno);
  } catch (const plataforma::ErrorFichero&) {
    // The file was just written: it must be readable.
    __builtin_trap();
  }
  informe.Cierra();
  if (aceptado) cabrillo::GeneraListaValida(ventana, concurso, kAdjunto);
  return 0;
}

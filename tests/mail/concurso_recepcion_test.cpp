// The contest in hand as the intake reads it from the contest database
// (CargaConcursoRecepcion): the same reports as with the plain values of the
// same contest, with the main window's options as given.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "cabrillo/cabecera_log.h"
#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/fichero_errores.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/progreso_etapa.h"
#include "database/creacion.h"
#include "database/esquema.h"
#include "mail/recepcion.h"
#include "plataforma/dao.h"
#include "soporte/carpeta_temporal.h"
#include "soporte/concurso_prueba.h"

namespace mail {
namespace {

using cabrillo::DatosConcursoLog;
using cabrillo::Logico;

std::string LeeDato(const std::string& nombre) {
  std::string bytes;
  std::FILE* f = std::fopen((std::string(TROVALIS_DATOS_PRUEBA) + "/cabrillo/validacion/" + nombre).c_str(), "rb");
  if (!f) return "<falta " + nombre + ">";
  char trozo[4096];
  std::size_t n;
  while ((n = std::fread(trozo, 1, sizeof trozo, f)) > 0) bytes.append(trozo, n);
  std::fclose(f);
  return bytes;
}

// Writes the Boolean values of the test contest into a new row of a table
// of the full contest-database layout.
void AgregaFila(dao::Database& base, std::string_view tabla, DatosConcursoLog& datos) {
  dao::Recordset rs = base.OpenRecordset(tabla);
  rs.AddNew();
  rs["NumeroOrden"] = dao::Variant(datos.NumeroOrden);
  for (const database::Columna& c : database::ColumnasDeTabla(tabla)) {
    if (c.tipo != database::TipoColumna::Booleano) continue;
    const Logico* valor = tabla == "Concursos" ? datos.CampoConcurso(c.nombre) : datos.Resumen.Campo(c.nombre);
    rs[c.nombre] = valor && valor->has_value() ? dao::Variant(**valor) : dao::Variant(false);
  }
  if (tabla == "Concursos") rs["Concurso"] = dao::Variant(datos.Concurso);
  rs.Update();
  rs.Close();
}

TEST(CargaConcursoRecepcion, MismosInformesQueConLosValoresDelConcurso) {
  soporte::CarpetaTemporal carpeta;
  DatosConcursoLog datos = soporte::ConcursoPrueba();
  const std::string ruta = carpeta.En("Ledrima");
  database::CreaBaseConcursosVacia(ruta);
  dao::Database base = dao::OpenDatabase(ruta);
  AgregaFila(base, "Concursos", datos);
  AgregaFila(base, "ResumenCabrillo", datos);
  const std::string concurso_carpeta = carpeta.En("CONCURSO PRUEBA_2026") + "/";
  carpeta.CreaCarpeta("CONCURSO PRUEBA_2026/FicherosRecibidos");

  // One log validated against the contest as the intake reads it.
  auto valida = [&](const cabrillo::AjustesVentanaPrincipal& ajustes, bool& aceptado) {
    ConcursoRecepcion concurso;
    EXPECT_TRUE(CargaConcursoRecepcion(base, datos.NumeroOrden, ajustes, concurso_carpeta, carpeta.Ruta(), concurso));
    concurso.categorias = soporte::CategoriasPrueba(datos);
    cabrillo::FicheroErrores informe;
    cabrillo::CabeceraLog cabecera;
    EXPECT_TRUE(cabrillo::CreaFicheroErrores(cabrillo::DatosCorreoEnCurso{"2026/03/05 10:22", "Lista qq1abc"},
                                             informe, carpeta.Ruta()));
    informe.EscribeAdjunto("QQ1ABC.LOG");
    const cabrillo::EntornoValidacion entorno{concurso.datos, concurso.categorias, informe, cabecera, nullptr};
    ProgresoSimple progreso;
    aceptado = cabrillo::VerificaFicheroCabrillo(progreso, concurso.carpetaConcurso, "QQ1ABC.LOG", entorno).Aceptada;
    informe.Cierra();
    return carpeta.LeeBytes("FicheroErrores.ERR");
  };

  for (const char* caso : {"v3_correcto", "v2_correcto", "categoria_no_admitida", "banda_14500", "fecha_hora",
                           "numeral_00001", "siete_erroneas"}) {
    carpeta.EscribeBytes("CONCURSO PRUEBA_2026/FicherosRecibidos/QQ1ABC.LOG", LeeDato(std::string(caso) + ".LOG"));
    bool aceptado = false;
    const std::string informe = valida({}, aceptado);
    EXPECT_EQ(informe, LeeDato(std::string(caso) + ".ERR")) << caso;
    EXPECT_EQ(aceptado, informe.find(".- ERROR") == std::string::npos) << caso;
  }

  // The main window's options are taken as given.
  carpeta.EscribeBytes("CONCURSO PRUEBA_2026/FicherosRecibidos/QQ1ABC.LOG",
                       "START-OF-LOG: 3.0\r\nCALLSIGN: QQ1ABC\r\nCONTEST: OTRO\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n"
                       "END-OF-LOG:\r\n");
  cabrillo::AjustesVentanaPrincipal ajustes;
  ajustes.VerificarNombreExacto = true;
  bool aceptado = true;
  EXPECT_NE(valida(ajustes, aceptado).find(".- ERROR 38: La LISTA cabrillo no pertenece al CONCURSO PRUEBA"),
            std::string::npos);
  EXPECT_FALSE(aceptado);

  // A contest with no row: no intake.
  ConcursoRecepcion ninguno;
  EXPECT_FALSE(CargaConcursoRecepcion(base, 99, {}, concurso_carpeta, carpeta.Ruta(), ninguno));
  base.Close();
}

}  // namespace
}  // namespace mail

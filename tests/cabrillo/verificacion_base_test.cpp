// The validation of a log for the contest in hand, its rows read from the
// contest database once for the log: the same reports as with the plain
// values of the same contest.
#include <gtest/gtest.h>

#include "cabrillo/contexto_concurso.h"

#include <cstdio>
#include <string>

#include "cabrillo/cabecera_log.h"
#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/fichero_errores.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/ventana_proceso.h"
#include "database/creacion.h"
#include "database/esquema.h"
#include "database/estado.h"
#include "plataforma/dao.h"
#include "soporte/carpeta_temporal.h"
#include "soporte/concurso_prueba.h"

namespace cabrillo {
namespace {

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

TEST(VerificaFicheroCabrilloDesdeLaBase, MismosInformesQueConLosValoresDelConcurso) {
  soporte::CarpetaTemporal carpeta;
  DatosConcursoLog datos = soporte::ConcursoPrueba();
  const std::string ruta = carpeta.En("Ledrima");
  database::CreaBaseConcursosVacia(ruta);
  dao::Database base = dao::OpenDatabase(ruta);
  AgregaFila(base, "Concursos", datos);
  AgregaFila(base, "ResumenCabrillo", datos);

  // The contest in hand, as the main window leaves it.
  ContextoConcurso contexto;
  contexto.CarpetaConcurso = carpeta.En("CONCURSO PRUEBA_2026") + "/";
  contexto.NumeroConcursoActual = datos.NumeroOrden;
  contexto.NombreConcurso = datos.Concurso;
  carpeta.CreaCarpeta("CONCURSO PRUEBA_2026/FicherosRecibidos");
  contexto.CategoriasAdmitidasConcurso = soporte::CategoriasPrueba(datos);

  VentanaProcesoSimple ventana;
  ventana.correo = DatosCorreoEnCurso{"2026/03/05 10:22", "Lista qq1abc"};
  for (const char* caso : {"v3_correcto", "v2_correcto", "categoria_no_admitida", "banda_14500", "fecha_hora",
                           "numeral_00001", "siete_erroneas"}) {
    carpeta.EscribeBytes("CONCURSO PRUEBA_2026/FicherosRecibidos/QQ1ABC.LOG", LeeDato(std::string(caso) + ".LOG"));
    ASSERT_TRUE(CreaFicheroErrores(ventana, contexto.FicheroErroresEnCurso, carpeta.Ruta()));
    contexto.FicheroErroresEnCurso.EscribeAdjunto("QQ1ABC.LOG");
    const bool aceptado = VerificaFicheroCabrillo(ventana, contexto, "QQ1ABC.LOG", base, AjustesVentanaPrincipal{});
    contexto.FicheroErroresEnCurso.Cierra();
    const std::string informe = carpeta.LeeBytes("FicheroErrores.ERR");
    EXPECT_EQ(informe, LeeDato(std::string(caso) + ".ERR")) << caso;
    EXPECT_EQ(aceptado, informe.find(".- ERROR") == std::string::npos) << caso;
  }

  // Every log starts from an empty header: what the previous log left (here
  // the listener mark, which skips the QSO lines) never carries over.
  carpeta.EscribeBytes("CONCURSO PRUEBA_2026/FicherosRecibidos/QQ1ABC.LOG", LeeDato("siete_erroneas.LOG"));
  contexto.CabeceraLogEnCurso.MarcaSwl = "SWL";
  ASSERT_TRUE(CreaFicheroErrores(ventana, contexto.FicheroErroresEnCurso, carpeta.Ruta()));
  contexto.FicheroErroresEnCurso.EscribeAdjunto("QQ1ABC.LOG");
  EXPECT_FALSE(VerificaFicheroCabrillo(ventana, contexto, "QQ1ABC.LOG", base, AjustesVentanaPrincipal{}));
  contexto.FicheroErroresEnCurso.Cierra();
  EXPECT_EQ(carpeta.LeeBytes("FicheroErrores.ERR"), LeeDato("siete_erroneas.ERR"));

  // The main window's options are taken as given.
  carpeta.EscribeBytes("CONCURSO PRUEBA_2026/FicherosRecibidos/QQ1ABC.LOG",
                       "START-OF-LOG: 3.0\r\nCALLSIGN: QQ1ABC\r\nCONTEST: OTRO\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n"
                       "END-OF-LOG:\r\n");
  ASSERT_TRUE(CreaFicheroErrores(ventana, contexto.FicheroErroresEnCurso, carpeta.Ruta()));
  AjustesVentanaPrincipal ajustes;
  ajustes.VerificarNombreExacto = true;
  EXPECT_FALSE(VerificaFicheroCabrillo(ventana, contexto, "QQ1ABC.LOG", base, ajustes));
  contexto.FicheroErroresEnCurso.Cierra();
  EXPECT_NE(
      carpeta.LeeBytes("FicheroErrores.ERR").find(".- ERROR 38: La LISTA cabrillo no pertenece al CONCURSO PRUEBA"),
      std::string::npos);

  // The rows read for one log serve the next only while the database is
  // unchanged: a change through this connection or through another one is
  // seen by the very next log.
  auto valida_correcto = [&] {
    carpeta.EscribeBytes("CONCURSO PRUEBA_2026/FicherosRecibidos/QQ1ABC.LOG", LeeDato("v3_correcto.LOG"));
    contexto.CabeceraLogEnCurso.Limpia();
    EXPECT_TRUE(CreaFicheroErrores(ventana, contexto.FicheroErroresEnCurso, carpeta.Ruta()));
    const bool aceptado = VerificaFicheroCabrillo(ventana, contexto, "QQ1ABC.LOG", base, AjustesVentanaPrincipal{});
    contexto.FicheroErroresEnCurso.Cierra();
    return aceptado;
  };
  EXPECT_TRUE(valida_correcto());
  EXPECT_TRUE(valida_correcto());
  base.Execute("UPDATE Concursos SET Banda14 = 0 WHERE NumeroOrden = 7");
  EXPECT_FALSE(valida_correcto());
  EXPECT_NE(carpeta.LeeBytes("FicheroErrores.ERR").find("BANDA no permitida"), std::string::npos);
  {
    dao::Database otra = dao::OpenDatabase(ruta);
    otra.Execute("UPDATE Concursos SET Banda14 = -1 WHERE NumeroOrden = 7");
    otra.Close();
  }
  EXPECT_TRUE(valida_correcto());
  // A change that is rolled back is a change too (read again, same rows).
  base.BeginTrans();
  base.Execute("UPDATE Concursos SET Banda14 = 0 WHERE NumeroOrden = 7");
  EXPECT_FALSE(valida_correcto());
  base.Rollback();
  EXPECT_TRUE(valida_correcto());
  // Another contest number never takes the rows kept for this one.
  datos.NumeroOrden = 8;
  datos.Concurso = "CONCURSO PRUEBA";
  datos.Banda14 = false;
  AgregaFila(base, "Concursos", datos);
  AgregaFila(base, "ResumenCabrillo", datos);
  contexto.NumeroConcursoActual = 8;
  EXPECT_FALSE(valida_correcto());
  contexto.NumeroConcursoActual = 7;
  EXPECT_TRUE(valida_correcto());

  contexto.NumeroConcursoActual = 99;
  EXPECT_THROW(VerificaFicheroCabrillo(ventana, contexto, "QQ1ABC.LOG", base, ajustes), std::runtime_error);
  base.Close();
  contexto.CarpetaConcurso.clear();
  contexto.NumeroConcursoActual = 0;
  contexto.NombreConcurso.clear();
  contexto.CategoriasAdmitidasConcurso.Limpia();
}

}  // namespace
}  // namespace cabrillo

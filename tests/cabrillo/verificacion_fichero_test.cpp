// The validation of whole logs against the test contest: golden error
// reports and accepted copies, the stages and the stop at the sixth faulty
// QSO line, and hostile files.
#include "cabrillo/verificacion_fichero.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cabrillo/lista_valida.h"
#include "common/ventana_proceso.h"
#include "plataforma/errores.h"
#include "soporte/carpeta_temporal.h"
#include "soporte/concurso_prueba.h"

namespace cabrillo {
namespace {

const std::string kDatos = std::string(TROVALIS_DATOS_PRUEBA) + "/cabrillo/validacion/";

std::string LeeDato(const std::string& nombre) {
  std::string bytes;
  std::FILE* f = std::fopen((kDatos + nombre).c_str(), "rb");
  if (!f) return "<falta " + nombre + ">";
  char trozo[4096];
  std::size_t n;
  while ((n = std::fread(trozo, 1, sizeof trozo, f)) > 0) bytes.append(trozo, n);
  std::fclose(f);
  return bytes;
}

// A working folder with the contest folder, the error report of one log
// opened as the mail intake opens it, and the test contest.
class Validacion : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta_.CreaCarpeta("CONCURSO PRUEBA_2026/FicherosRecibidos");
    carpeta_.CreaCarpeta("CONCURSO PRUEBA_2026/ListasValidas");
    ventana_.correo = DatosCorreoEnCurso{"2026/03/05 10:22", "Lista qq1abc"};
    cabecera_.Limpia();
  }
  void TearDown() override { informe_.Cierra(); }

  std::string Concurso() const { return carpeta_.En("CONCURSO PRUEBA_2026"); }

  // Validates the bytes as the received file `nombre`; the report is closed
  // and its bytes are left in `informe`.
  bool Valida(const std::string& nombre, const std::string& bytes) {
    carpeta_.EscribeBytes("CONCURSO PRUEBA_2026/FicherosRecibidos/" + nombre, bytes);
    EXPECT_TRUE(CreaFicheroErrores(ventana_, carpeta_.Ruta()));
    informe_.EscribeAdjunto(nombre);
    const EntornoValidacion entorno{datos_, categorias_, informe_, cabecera_, nullptr};
    const bool aceptado = VerificaFicheroCabrillo(ventana_, Concurso(), nombre, entorno);
    informe_.Cierra();
    informe = carpeta_.LeeBytes("FicheroErrores.ERR");
    return aceptado;
  }

  std::vector<std::string> Lista() { return ventana_.ListaPorNombre("FicheroCabrillo").elementos; }

  soporte::CarpetaTemporal carpeta_;
  VentanaProcesoSimple ventana_;
  DatosConcursoLog datos_ = soporte::ConcursoPrueba();
  CategoriasAdmitidas categorias_ = soporte::CategoriasPrueba(datos_);
  FicheroErrores& informe_ = FicheroErroresEnCurso();
  CabeceraLog cabecera_;
  std::string informe;
};

struct CasoDorado {
  const char* caso;
  const char* adjunto;
  bool aceptado;
  bool copia_valida;  // an expected accepted copy (.VAL) exists
};

class InformesDorados : public Validacion, public ::testing::WithParamInterface<CasoDorado> {};

TEST_P(InformesDorados, InformeYCopiaAceptadaIgualesALosFicherosDeReferencia) {
  const CasoDorado& c = GetParam();
  const bool aceptado = Valida(c.adjunto, LeeDato(std::string(c.caso) + ".LOG"));
  EXPECT_EQ(aceptado, c.aceptado);
  EXPECT_EQ(informe, LeeDato(std::string(c.caso) + ".ERR"));
  if (aceptado) {
    ASSERT_TRUE(GeneraListaValida(ventana_, Concurso(), c.adjunto));
    if (c.copia_valida) {
      EXPECT_EQ(carpeta_.LeeBytes(std::string("CONCURSO PRUEBA_2026/ListasValidas/") + c.adjunto),
                LeeDato(std::string(c.caso) + ".VAL"));
    }
  }
  EXPECT_EQ(ventana_.Texto("Lista"), std::string("Fichero CABRILLO RECIBIDO de ") + c.adjunto);
}

INSTANTIATE_TEST_SUITE_P(
    Cabrillo, InformesDorados,
    ::testing::Values(CasoDorado{"v3_correcto", "QQ1ABC.LOG", true, true},
                      CasoDorado{"v2_correcto", "QQ1ABC.LOG", true, false},
                      CasoDorado{"fin_lf", "QQ1ABC.LOG", true, true},
                      CasoDorado{"banda_14349", "QQ1ABC.LOG", true, false},
                      CasoDorado{"rst_5nn_cw", "QQ1ABC.LOG", true, false},
                      CasoDorado{"sin_fin", "QQ1ABC.LOG", false, false},
                      CasoDorado{"version_1", "QQ1ABC.LOG", false, false},
                      CasoDorado{"sin_callsign", "QQ1ABC.LOG", false, false},
                      CasoDorado{"nombre_distinto", "QQ9XYZ.LOG", false, false},
                      CasoDorado{"categoria_no_admitida", "QQ1ABC.LOG", false, false},
                      CasoDorado{"banda_14500", "QQ1ABC.LOG", false, false},
                      CasoDorado{"fecha_hora", "QQ1ABC.LOG", false, false},
                      CasoDorado{"numeral_00001", "QQ1ABC.LOG", false, false},
                      CasoDorado{"siete_erroneas", "QQ1ABC.LOG", false, false}),
    [](const ::testing::TestParamInfo<CasoDorado>& i) { return std::string(i.param.caso); });

}  // namespace
}  // namespace cabrillo

#include "cabrillo/fichero_errores.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cabrillo/lista_valida.h"
#include "common/progreso_etapa.h"

namespace cabrillo {
namespace {

namespace fs = std::filesystem;

std::string LeeBytes(const fs::path& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void EscribeBytes(const fs::path& ruta, const std::string& bytes) {
  std::ofstream f(ruta, std::ios::binary);
  f << bytes;
}

class CarpetaTemporal : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string plantilla = (fs::temp_directory_path() / "trovalis-cabrillo-XXXXXX").string();
    ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
    carpeta_ = plantilla;
  }
  void TearDown() override {
    informe_.Cierra();
    std::error_code ec;
    fs::remove_all(carpeta_, ec);
  }
  fs::path carpeta_;
  FicheroErrores informe_;
};

using FicheroErroresTest = CarpetaTemporal;

TEST_F(FicheroErroresTest, InformeDeUnCorreoIgualAlFicheroDeReferencia) {
  // An earlier report, longer than the new one, is replaced whole.
  EscribeBytes(carpeta_ / "FicheroErrores.ERR", std::string(5000, 'x'));

  const DatosCorreoEnCurso correo{"2018/03/05 10:22", "Lista de qq1abc para el concurso"};
  ASSERT_TRUE(CreaFicheroErrores(correo, informe_, carpeta_.string()));
  FicheroErrores& informe = informe_;
  ASSERT_TRUE(informe.EstaAbierto());
  informe.EscribeAdjunto("QQ9XYZ.LOG");
  informe.EscribeBloqueError({"CALLSIGN: QQ1ABC", "FICHERO ADJUNTO : QQ9XYZ.LOG"}, 34,
                             "En el fichero cabrillo no coincide con el indicativo del CALLSIGN:");
  informe.EscribeBloqueError(8, "En el fichero cabrillo se ha omitido el parámetro CONTEST:");
  informe.EscribeBloqueError({"", "MODO: "}, 12,
                             "La categoría del MODO no se corresponde con las exigidas en las Bases.");
  informe.EscribeBloqueError(
      {"CATEGORY-POWER: MEDIUM", "POTENCIA: MEDIUM"}, 13,
      "La categoría de POTENCIA de la estación no se corresponde con las exigidas en las Bases.",
      FinBloque::SinLineaEnBlanco);
  informe.EscribeBloqueError({"Se han detectado estos primeros ERRORES en la línea de QSO",
                              "Puede haber más QSO erróneos"},
                             32, "Se suspende el ANÁLISIS del fichero por demasiados errores",
                             FinBloque::SinLineaEnBlanco);
  EXPECT_EQ(informe.BloquesEscritos(), 5);
  informe.Cierra();

  EXPECT_EQ(informe.Ruta(), (carpeta_ / "FicheroErrores.ERR").string());
  EXPECT_EQ(LeeBytes(carpeta_ / "FicheroErrores.ERR"),
            LeeBytes(fs::path(TROVALIS_DATOS_PRUEBA) / "cabrillo" / "informe_errores_correo.ERR"));
}

TEST_F(FicheroErroresTest, FicheroManualSinCorreoLlevaLaFechaDeHoyYAsuntoVacio) {
  const std::string antes = FechaDeHoy();
  ASSERT_TRUE(CreaFicheroErrores(std::nullopt, informe_, carpeta_.string()));  // no mail
  const std::string despues = FechaDeHoy();
  informe_.EscribeAdjunto("QQ1ABC.LOG", true);
  informe_.Cierra();

  const std::string bytes = LeeBytes(carpeta_ / "FicheroErrores.ERR");
  const std::string cola = "\r\nASUNTO:\r\nADJUNTO:QQ1ABC.LOG\r\n\r\n";
  EXPECT_TRUE(bytes == "\t" "SU ENV\xCDO:\r\nFECHA:" + antes + cola ||
              bytes == "\t" "SU ENV\xCDO:\r\nFECHA:" + despues + cola)
      << bytes;
}

TEST_F(FicheroErroresTest, UnEnlaceEnLugarDelInformeNoSeSigue) {
  // A link where the report goes (symbolic, or a second name of another
  // file) is replaced by a report of its own, and what it pointed to stays
  // as it was.
  EscribeBytes(carpeta_ / "otro.txt", "no se toca");
  fs::create_symlink(carpeta_ / "otro.txt", carpeta_ / "FicheroErrores.ERR");
  ASSERT_TRUE(informe_.Crea(carpeta_.string(), "05-03-2018", "uno"));
  informe_.EscribeLinea("primero");
  informe_.Cierra();
  EXPECT_EQ(LeeBytes(carpeta_ / "otro.txt"), "no se toca");
  EXPECT_FALSE(fs::is_symlink(carpeta_ / "FicheroErrores.ERR"));

  fs::remove(carpeta_ / "FicheroErrores.ERR");
  fs::create_hard_link(carpeta_ / "otro.txt", carpeta_ / "FicheroErrores.ERR");
  ASSERT_TRUE(informe_.Crea(carpeta_.string(), "05-03-2018", "dos"));
  informe_.Cierra();
  EXPECT_EQ(LeeBytes(carpeta_ / "otro.txt"), "no se toca");
  EXPECT_EQ(fs::hard_link_count(carpeta_ / "FicheroErrores.ERR"), 1u);

  // Its own report again: only the new one in it.
  ASSERT_TRUE(informe_.Crea(carpeta_.string(), "06-03-2018", "tres"));
  informe_.Cierra();
  EXPECT_EQ(LeeBytes(carpeta_ / "FicheroErrores.ERR"), "\tSU ENV\xCDO:\r\nFECHA:06-03-2018\r\nASUNTO:TRES\r\n");
}

TEST_F(FicheroErroresTest, SinCarpetaNoSeAbreYNoSeEscribe) {
  FicheroErrores informe;
  EXPECT_FALSE(informe.Crea((carpeta_ / "no-existe").string(), "05-03-2018", ""));
  EXPECT_FALSE(informe.EstaAbierto());
  informe.EscribeBloqueError(4, "texto");  // ignored, no failure
  EXPECT_FALSE(fs::exists(carpeta_ / "no-existe"));
}

TEST(FechaInforme, FormasDeLaFechaDeRecepcion) {
  struct Caso {
    const char* entrada;
    const char* esperada;
  };
  const Caso casos[] = {
      {"2018/03/05 10:22", "05-03-2018"},
      {"2018/03/05", "05-03-2018"},
      {"2018-03-05T10:22:00", "05-03-2018"},
      {"05-03-2018", "05-03-2018"},
      {"05/03/2018", "05-03-2018"},
      {"Mon, 5 Mar 2018 10:22:00 +0100", "05-03-2018"},
      {"5 Mar 2018 10:22:00 +0100", "05-03-2018"},
      {"31 Dec 1999 23:59:59 GMT", "31-12-1999"},
      {"", ""},
      {"ayer", "ayer"},
      {"2018/13/05", "2018/13/05"},
  };
  for (const Caso& c : casos) EXPECT_EQ(FechaInforme(c.entrada), c.esperada) << c.entrada;
}

TEST(LineaError, Forma) {
  EXPECT_EQ(LineaError(1, "No se ha incluido ningún adjunto."), ".- ERROR 1: No se ha incluido ningún adjunto.");
}

using ListaValidaTest = CarpetaTemporal;

TEST_F(ListaValidaTest, EscribeLasLineasConCrLfYSustituyeElContenidoAnterior) {
  // The folder exists with another letter case; an earlier, longer file is there.
  fs::create_directories(carpeta_ / "listasvalidas");
  EscribeBytes(carpeta_ / "listasvalidas" / "QQ1ABC.LOG", std::string(4000, 'z'));

  const std::vector<std::string> lineas = {"START-OF-LOG: 3.0", "CALLSIGN: QQ1ABC", "CLUB: Peña",
                                           "QSO: 7050 PH 2018-03-05 1200 QQ1ABC 59 QQ2DEF 59", "END-OF-LOG:"};
  ProgresoSimple progreso;
  ASSERT_TRUE(GeneraListaValida(progreso, carpeta_.string(), "QQ1ABC.LOG", lineas));
  EXPECT_EQ(LeeBytes(carpeta_ / "listasvalidas" / "QQ1ABC.LOG"),
            "START-OF-LOG: 3.0\r\nCALLSIGN: QQ1ABC\r\nCLUB: Pe\xF1" "a\r\n"
            "QSO: 7050 PH 2018-03-05 1200 QQ1ABC 59 QQ2DEF 59\r\nEND-OF-LOG:\r\n");
  EXPECT_EQ(progreso.porcentaje, 100);
  EXPECT_EQ(progreso.pasos, (std::vector<std::string>{"Generando LISTA VALIDA", "FIN PROCESO"}));
}

TEST_F(ListaValidaTest, NombreConRutaNoSaleDeLaCarpeta) {
  fs::create_directories(carpeta_ / "ListasValidas");
  ProgresoSimple progreso;
  ASSERT_TRUE(GeneraListaValida(progreso, carpeta_.string() + "/", "../FUERA.LOG", {"END-OF-LOG:"}));
  EXPECT_FALSE(fs::exists(carpeta_ / "FUERA.LOG"));
  EXPECT_TRUE(fs::exists(carpeta_ / "ListasValidas" / "FUERA.LOG"));
}

TEST_F(ListaValidaTest, SinCarpetaDevuelveFalso) {
  ProgresoSimple progreso;
  EXPECT_FALSE(GeneraListaValida(progreso, carpeta_.string(), "QQ1ABC.LOG", {"END-OF-LOG:"}));
}

}  // namespace
}  // namespace cabrillo

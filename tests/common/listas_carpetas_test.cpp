// Folder lists, list files and clearing of earlier results.
#include "common/listas_carpetas.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/ventana_proceso.h"
#include "database/carpetas.h"
#include "database/estado.h"
#include "soporte/mensajes_guion.h"

namespace fs = std::filesystem;

namespace {

using Lineas = std::vector<std::string>;

void EscribeBytes(const fs::path& ruta, const std::string& bytes) {
  std::ofstream f(ruta, std::ios::binary);
  f << bytes;
}

std::string LeeBytes(const fs::path& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

std::vector<std::string> Ficheros(const fs::path& carpeta) {
  std::vector<std::string> nombres;
  for (const auto& e : fs::directory_iterator(carpeta))
    if (e.is_regular_file()) nombres.push_back(e.path().filename().string());
  std::sort(nombres.begin(), nombres.end());
  return nombres;
}

// A contest folder tree in a temporary working folder.
class ListasCarpetasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(raiz_.isValid());
    contexto_.CarpetaTrabajo = raiz_.path().toStdString();
    contexto_.NombreConcurso = "PRUEBA";
    ASSERT_TRUE(CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024").empty());
    concurso_ = contexto_.CarpetaConcurso;
  }
  void TearDown() override {
    contexto_.CarpetaTrabajo.clear();
    contexto_.CarpetaConcurso.clear();
    contexto_.NombreConcurso.clear();
  }
  // Creates the award's tree beside the contest's and makes it the contest in hand.
  void UsaDiploma() {
    contexto_.NombreConcurso = NombreConcursoDiploma;
    ASSERT_TRUE(CreaArbolCarpetasConcurso(contexto_, NombreConcursoDiploma, "2024").empty());
    concurso_ = contexto_.CarpetaConcurso;
  }
  const Lineas& Elementos(const char* lista) { return ventana_.ListaPorNombre(lista).elementos; }
  void Llena(const char* lista, const Lineas& elementos) { ventana_.ListaPorNombre(lista).elementos = elementos; }

  QTemporaryDir raiz_;
  fs::path concurso_;
  VentanaProcesoSimple ventana_;
  EstadoConcurso contexto_;
};

struct CargaCarpeta {
  void (*carga)(const EstadoConcurso&, VentanaProceso&);
  const char* lista;
  const char* carpeta;
  const char* etiqueta;
};

const CargaCarpeta kCargasCarpeta[] = {
    {CargaListasValidas, "ListasValidas", "ListasValidas", "LValidas"},
    {CargaListasCruzadas, "ListasCruzadas", "ListasCruzadas", "LCruzadas"},
    {CargaListasQsoAnulados, "ListasQsoAnulados", "ListasQsoAnulados", "LAnulados"},
    {CargaListasPuntuaciones, "ListasPuntuaciones", "ListasPuntuaciones", "LPuntuaciones"},
    {CargaFicherosRecibidos, "FicherosRecibidos", "FicherosRecibidos", "LRecibidos"},
    {CargaFicherosConfirmacion, "FicherosConfirmacion", "FicherosConfirmacion", "LConfirmaciones"},
    {CargaFicherosErrores, "FicherosErrores", "FicherosErrores", "LErrores"},
    {[](const EstadoConcurso& e, VentanaProceso& v) { CargaFicherosManuales(e, v); }, "FicherosManuales",
     "FicherosManuales", "LManuales"},
};

TEST_F(ListasCarpetasTest, FolderLoadersListOrdinaryFilesSortedWithCount) {
  for (const auto& c : kCargasCarpeta) {
    SCOPED_TRACE(c.lista);
    const fs::path carpeta = concurso_ / c.carpeta;
    EscribeBytes(carpeta / "EA4ABC.LOG", "x");
    EscribeBytes(carpeta / "ct3ab.log", "x");
    EscribeBytes(carpeta / "A1.TXT", "");
    EscribeBytes(carpeta / ".oculto", "x");
    fs::create_directory(carpeta / "SUBCARPETA");
    Llena(c.lista, {"VIEJO"});

    c.carga(contexto_, ventana_);
    EXPECT_EQ(Elementos(c.lista), (Lineas{"A1.TXT", "ct3ab.log", "EA4ABC.LOG"}));
    EXPECT_EQ(ventana_.Texto(c.etiqueta), "3 Listas");
  }
}

TEST_F(ListasCarpetasTest, EmptyOrMissingFolderListsNothing) {
  for (const auto& c : kCargasCarpeta) {
    SCOPED_TRACE(c.lista);
    Llena(c.lista, {"VIEJO", "VIEJO2"});
    c.carga(contexto_, ventana_);
    EXPECT_TRUE(Elementos(c.lista).empty());
    EXPECT_EQ(ventana_.Texto(c.etiqueta), "0 Listas");

    fs::remove_all(concurso_ / c.carpeta);
    Llena(c.lista, {"VIEJO"});
    ventana_.PonTexto(c.etiqueta, "");
    c.carga(contexto_, ventana_);
    EXPECT_TRUE(Elementos(c.lista).empty());
    EXPECT_EQ(ventana_.Texto(c.etiqueta), "0 Listas");
  }
}

TEST_F(ListasCarpetasTest, AwardLoadersListTheAdmittedLogs) {
  UsaDiploma();
  EscribeBytes(concurso_ / "ListasAdmitidas" / "EA1AAA.LOG", "x");
  EscribeBytes(concurso_ / "ListasAdmitidas" / "EA1BBB.LOG", "x");

  CargaListasAdmitidas(contexto_, ventana_);
  EXPECT_EQ(Elementos("ListasAdmitidas"), (Lineas{"EA1AAA.LOG", "EA1BBB.LOG"}));
  EXPECT_EQ(ventana_.Texto("LAdmitidas"), "2 Listas");

  ventana_.ListaPorNombre("ListasAdmitidas").seleccion = 1;
  ventana_.PonTexto("LAdmitidas", "");
  CargaListasAdmitidasDiploma(contexto_, ventana_);
  EXPECT_EQ(Elementos("ListasAdmitidas"), (Lineas{"EA1AAA.LOG", "EA1BBB.LOG"}));
  EXPECT_EQ(ventana_.Texto("LAdmitidas"), "2 Listas");
  EXPECT_EQ(ventana_.ListaPorNombre("ListasAdmitidas").seleccion, -1);
}

TEST_F(ListasCarpetasTest, ManualFolderRenamesCbrLogsToLog) {
  const fs::path manuales = concurso_ / "FicherosManuales";
  EscribeBytes(manuales / "QQ1ABC.cbr", "CONTENIDO 1");
  EscribeBytes(manuales / "QQ2ABC.LOG", "CONTENIDO 2");
  EscribeBytes(manuales / "QQ3ABC.CBR", "CONTENIDO 3");
  EscribeBytes(manuales / "qq4abc.Cbr", "CONTENIDO 4");
  EscribeBytes(manuales / "NOTAS", "N");
  EscribeBytes(manuales / "QQ5.ABC.CBR", "DOS PUNTOS");
  EscribeBytes(manuales / "QQ6ABC.CBRX", "OTRA");

  EXPECT_TRUE(CargaFicherosManuales(contexto_, ventana_).empty());
  const Lineas esperados{"NOTAS", "QQ1ABC.LOG", "QQ2ABC.LOG", "QQ3ABC.LOG", "qq4abc.LOG",
                         "QQ5.ABC.CBR", "QQ6ABC.CBRX"};
  EXPECT_EQ(Elementos("FicherosManuales"), esperados);
  EXPECT_EQ(ventana_.Texto("LManuales"), "7 Listas");
  Lineas enDisco = Ficheros(manuales);
  Lineas esperadosOrdenados = esperados;
  std::sort(esperadosOrdenados.begin(), esperadosOrdenados.end());
  EXPECT_EQ(enDisco, esperadosOrdenados);
  EXPECT_EQ(LeeBytes(manuales / "QQ1ABC.LOG"), "CONTENIDO 1");
  EXPECT_EQ(LeeBytes(manuales / "qq4abc.LOG"), "CONTENIDO 4");

  // A second pass has nothing left to rename.
  EXPECT_TRUE(CargaFicherosManuales(contexto_, ventana_).empty());
  EXPECT_EQ(Elementos("FicherosManuales"), esperados);
}

TEST_F(ListasCarpetasTest, ManualCbrNeverOverwritesAnExistingLog) {
  const fs::path manuales = concurso_ / "FicherosManuales";
  EscribeBytes(manuales / "QQ1ABC.LOG", "ANTERIOR");
  EscribeBytes(manuales / "QQ1ABC.cbr", "NUEVO");
  EscribeBytes(manuales / "qq2abc.log", "ANTERIOR 2");
  EscribeBytes(manuales / "QQ2ABC.CBR", "NUEVO 2");

  // The names come back for the window to report; no box is shown here.
  EXPECT_EQ(CargaFicherosManuales(contexto_, ventana_), (Lineas{"QQ1ABC.cbr", "QQ2ABC.CBR"}));
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
  const std::string texto = TextoCbrNoRenombrados({"QQ1ABC.cbr", "QQ2ABC.CBR"});
  EXPECT_NE(texto.find("\nQQ1ABC.cbr"), std::string::npos);
  EXPECT_NE(texto.find("\nQQ2ABC.CBR"), std::string::npos);
  EXPECT_EQ(LeeBytes(manuales / "QQ1ABC.LOG"), "ANTERIOR");
  EXPECT_EQ(LeeBytes(manuales / "QQ1ABC.cbr"), "NUEVO");
  EXPECT_EQ(LeeBytes(manuales / "qq2abc.log"), "ANTERIOR 2");
  EXPECT_EQ(LeeBytes(manuales / "QQ2ABC.CBR"), "NUEVO 2");
  EXPECT_EQ(Elementos("FicherosManuales"),
            (Lineas{"QQ1ABC.cbr", "QQ1ABC.LOG", "QQ2ABC.CBR", "qq2abc.log"}));
  EXPECT_EQ(ventana_.Texto("LManuales"), "4 Listas");
}

struct ListaFichero {
  void (*carga)(const EstadoConcurso&, VentanaProceso&);
  void (*guarda)(const EstadoConcurso&, VentanaProceso&);
  const char* lista;
  const char* ruta;  // as the tree names it
  const char* etiqueta;  // "" when the loader sets none
  bool noEnviadas;
};

const ListaFichero kListasFichero[] = {
    {CargaListasNoEnviadasPorIndicativo, GuardaListasNoEnviadasPorIndicativo,
     "ListasNoEnviadasPorIndicativo", "ListasNoEnviadas/ListasNoEnviadasPorIndicativo.txt", "Label6",
     true},
    {CargaListasNoEnviadasPorNumero, GuardaListasNoEnviadasPorNumero, "ListasNoEnviadasPorNumero",
     "ListasNoEnviadas/ListasNoEnviadasPorNumero.txt", "", true},
    {CargaListasDeControl, GuardaListasDeControl, "ListasDeControl",
     "ListasDeControl/ListasDeControl.txt", "LDeControl", false},
    {CargaListasDeSWL, GuardaListasDeSWL, "ListasDeSWL", "ListasDeSWL/ListasDeSWL.txt", "LDESWL",
     false},
};

TEST_F(ListasCarpetasTest, ListFilesRoundTripByteExact) {
  // Windows-1252: Ñ is D1, € is 80, é is E9; an empty line in the middle.
  const std::string bytes = "EA4\xD1" "AB\r\nCT3AB 12\x80\r\n\r\nJos\xE9\r\n";
  for (const auto& c : kListasFichero) {
    SCOPED_TRACE(c.lista);
    EscribeBytes(concurso_ / c.ruta, bytes);
    Llena(c.lista, {"VIEJO"});
    ventana_.PonTexto("Label6", "");
    c.carga(contexto_, ventana_);
    EXPECT_EQ(Elementos(c.lista), (Lineas{"EA4ÑAB", "CT3AB 12€", "", "José"}));
    if (*c.etiqueta) {
      EXPECT_EQ(ventana_.Texto(c.etiqueta), c.noEnviadas ? "4 NO ENVIADAS" : "4 Listas");
    }

    fs::remove(concurso_ / c.ruta);
    ventana_.PonTexto(c.etiqueta, "");
    c.guarda(contexto_, ventana_);
    EXPECT_EQ(LeeBytes(concurso_ / c.ruta), bytes);
    EXPECT_EQ(ventana_.Texto(c.noEnviadas ? "Label6" : c.etiqueta),
              c.noEnviadas ? "4 NO ENVIADAS" : "4 Listas");
  }
}

TEST_F(ListasCarpetasTest, WritingFewerItemsLeavesOnlyThoseLines) {
  for (const auto& c : kListasFichero) {
    SCOPED_TRACE(c.lista);
    Llena(c.lista, {"UNO", "DOS", "TRES"});
    c.guarda(contexto_, ventana_);
    EXPECT_EQ(LeeBytes(concurso_ / c.ruta), "UNO\r\nDOS\r\nTRES\r\n");
    Llena(c.lista, {"A", "B"});
    c.guarda(contexto_, ventana_);
    EXPECT_EQ(LeeBytes(concurso_ / c.ruta), "A\r\nB\r\n");
    Llena(c.lista, {});
    c.guarda(contexto_, ventana_);
    EXPECT_EQ(LeeBytes(concurso_ / c.ruta), "");
  }
}

TEST_F(ListasCarpetasTest, MissingListFileLoadsEmpty) {
  for (const auto& c : kListasFichero) {
    SCOPED_TRACE(c.lista);
    Llena(c.lista, {"VIEJO"});
    c.carga(contexto_, ventana_);
    EXPECT_TRUE(Elementos(c.lista).empty());
    if (*c.etiqueta) {
      EXPECT_EQ(ventana_.Texto(c.etiqueta), c.noEnviadas ? "0 NO ENVIADAS" : "0 Listas");
    }
  }
}

TEST_F(ListasCarpetasTest, LoneCrEndsALineAndFileNamesIgnoreCase) {
  EscribeBytes(concurso_ / "ListasNoEnviadas" / "listasnoenviadasporindicativo.TXT", "A\rB\r\nC");
  CargaListasNoEnviadasPorIndicativo(contexto_, ventana_);
  EXPECT_EQ(Elementos("ListasNoEnviadasPorIndicativo"), (Lineas{"A", "B", "C"}));
  EXPECT_EQ(ventana_.Texto("Label6"), "3 NO ENVIADAS");
  // Written back into the same file, not beside it.
  GuardaListasNoEnviadasPorIndicativo(contexto_, ventana_);
  EXPECT_EQ(Ficheros(concurso_ / "ListasNoEnviadas"), Lineas{"listasnoenviadasporindicativo.TXT"});
  EXPECT_EQ(LeeBytes(concurso_ / "ListasNoEnviadas" / "listasnoenviadasporindicativo.TXT"),
            "A\r\nB\r\nC\r\n");
}

TEST_F(ListasCarpetasTest, ByNumberLoaderLeavesLabel6AndWriterSetsItsOwnCount) {
  EscribeBytes(concurso_ / "ListasNoEnviadas" / "ListasNoEnviadasPorNumero.txt", "1 EA1A\r\n2 EA1B\r\n");
  ventana_.PonTexto("Label6", "7 NO ENVIADAS");
  CargaListasNoEnviadasPorNumero(contexto_, ventana_);
  EXPECT_EQ(Elementos("ListasNoEnviadasPorNumero").size(), 2u);
  EXPECT_EQ(ventana_.Texto("Label6"), "7 NO ENVIADAS");

  Llena("ListasNoEnviadasPorIndicativo", {"A", "B", "C"});
  GuardaListasNoEnviadasPorIndicativo(contexto_, ventana_);
  EXPECT_EQ(ventana_.Texto("Label6"), "3 NO ENVIADAS");
  GuardaListasNoEnviadasPorNumero(contexto_, ventana_);
  EXPECT_EQ(ventana_.Texto("Label6"), "2 NO ENVIADAS");
}

TEST_F(ListasCarpetasTest, SwlWriterDoesNothingForTheAward) {
  const fs::path fichero = concurso_ / "ListasDeSWL" / "ListasDeSWL.txt";
  EscribeBytes(fichero, "EA1SWL\r\n");
  contexto_.NombreConcurso = NombreConcursoDiploma;
  Llena("ListasDeSWL", {"OTRO", "MAS"});
  ventana_.PonTexto("LDESWL", "1 Listas");
  GuardaListasDeSWL(contexto_, ventana_);
  EXPECT_EQ(LeeBytes(fichero), "EA1SWL\r\n");
  EXPECT_EQ(ventana_.Texto("LDESWL"), "1 Listas");
  EXPECT_EQ(Elementos("ListasDeSWL"), (Lineas{"OTRO", "MAS"}));
}

TEST_F(ListasCarpetasTest, RulesTextIsReadFromItsFileWhateverTheCase) {
  EscribeBytes(concurso_ / "BasesConcurso" / "FicheroBasesConcurso.LST",
               "BASES DEL CONCURSO\r\n\r\nEdici\xF3n 2024\r\n");
  Llena("ListaBasesConcurso", {"VIEJO"});
  CargaFicheroBasesConcurso(contexto_, ventana_);
  EXPECT_EQ(Elementos("ListaBasesConcurso"), (Lineas{"BASES DEL CONCURSO", "", "Edición 2024"}));
}

TEST_F(ListasCarpetasTest, FailuresArePassedToTheCaller) {
  // Writing into a subfolder that does not exist.
  fs::remove_all(concurso_ / "ListasDeControl");
  Llena("ListasDeControl", {"A"});
  EXPECT_THROW(GuardaListasDeControl(contexto_, ventana_), plataforma::ErrorFichero);
  // The rules text must exist.
  EXPECT_THROW(CargaFicheroBasesConcurso(contexto_, ventana_), plataforma::ErrorFichero);

  // A window without the list box.
  class SinListas : public VentanaProcesoSimple {
   public:
    ListaVentana* Lista(std::string_view) override { return nullptr; }
  } sinListas;
  EXPECT_THROW(CargaListasValidas(contexto_, sinListas), ErrorVentana);
  EXPECT_THROW(CargaListasDeSWL(contexto_, sinListas), ErrorVentana);
  EXPECT_THROW(GuardaListasDeSWL(contexto_, sinListas), ErrorVentana);
}

class BorraResultadosTest : public ListasCarpetasTest {
 protected:
  void SetUp() override {
    ListasCarpetasTest::SetUp();
    for (const char* carpeta : {"ListasCruzadas", "ListasQsoAnulados", "ListasPuntuaciones",
                                "ListasNoEnviadas", "ListasDeControl", "ListasDeSWL", "ListasValidas",
                                "FicherosRecibidos", "ListasClasificacion"}) {
      EscribeBytes(concurso_ / carpeta / "EA4ABC.LOG", "x");
      EscribeBytes(concurso_ / carpeta / "ct3ab.txt", "x");
    }
    fs::create_directory(concurso_ / "ListasCruzadas" / "SUBCARPETA");
    for (const char* lista : {"ListasCruzadas", "ListasQsoAnulados", "ListasPuntuaciones",
                              "ListasNoEnviadasPorIndicativo", "ListasNoEnviadasPorNumero",
                              "ListasDeControl", "ListasValidas"})
      Llena(lista, {"EA4ABC.LOG", "ct3ab.txt"});
    for (const char* etiqueta : {"LCruzadas", "LAnulados", "LPuntuaciones", "LDeControl", "LValidas"})
      ventana_.PonTexto(etiqueta, "2 Listas");
    ventana_.PonTexto("Label6", "2 NO ENVIADAS");
  }

  void CompruebaEstadoTrasBorrar() {
    for (const char* carpeta : {"ListasCruzadas", "ListasQsoAnulados", "ListasPuntuaciones",
                                "ListasNoEnviadas", "ListasDeControl", "ListasDeSWL"})
      EXPECT_TRUE(Ficheros(concurso_ / carpeta).empty()) << carpeta;
    for (const char* carpeta : {"ListasValidas", "FicherosRecibidos", "ListasClasificacion"})
      EXPECT_EQ(Ficheros(concurso_ / carpeta), (Lineas{"EA4ABC.LOG", "ct3ab.txt"})) << carpeta;
    EXPECT_TRUE(fs::is_directory(concurso_ / "ListasCruzadas" / "SUBCARPETA"));
    for (const char* lista : {"ListasCruzadas", "ListasQsoAnulados", "ListasPuntuaciones",
                              "ListasNoEnviadasPorIndicativo", "ListasNoEnviadasPorNumero",
                              "ListasDeControl"})
      EXPECT_TRUE(Elementos(lista).empty()) << lista;
    EXPECT_EQ(Elementos("ListasValidas").size(), 2u);
    for (const char* etiqueta : {"LCruzadas", "LAnulados", "LPuntuaciones", "LDeControl"})
      EXPECT_EQ(ventana_.Texto(etiqueta), "") << etiqueta;
    EXPECT_EQ(ventana_.Texto("LValidas"), "2 Listas");
    EXPECT_EQ(ventana_.Texto("Label6"), "NO ENVIADAS");
  }
};

TEST_F(BorraResultadosTest, ClearsCrossCheckAndScoringResultsOnly) {
  BorraResultadosCruce(contexto_, ventana_);
  CompruebaEstadoTrasBorrar();
  // Twice in a row: nothing left to delete, the same state.
  BorraResultadosCruce(contexto_, ventana_);
  CompruebaEstadoTrasBorrar();
}

TEST_F(BorraResultadosTest, MissingResultFoldersAreNoError) {
  fs::remove_all(concurso_ / "ListasQsoAnulados");
  fs::remove_all(concurso_ / "ListasDeSWL");
  BorraResultadosCruce(contexto_, ventana_);
  EXPECT_TRUE(Elementos("ListasQsoAnulados").empty());
  EXPECT_TRUE(Ficheros(concurso_ / "ListasCruzadas").empty());
  EXPECT_TRUE(Ficheros(concurso_ / "ListasDeControl").empty());
}

TEST_F(BorraResultadosTest, ScoreClearingTouchesOnlyScores) {
  BorraListasPuntuaciones(contexto_, ventana_);
  EXPECT_TRUE(Ficheros(concurso_ / "ListasPuntuaciones").empty());
  EXPECT_TRUE(Elementos("ListasPuntuaciones").empty());
  EXPECT_EQ(ventana_.Texto("LPuntuaciones"), "2 Listas");
  EXPECT_EQ(Ficheros(concurso_ / "ListasCruzadas"), (Lineas{"EA4ABC.LOG", "ct3ab.txt"}));
  EXPECT_EQ(Elementos("ListasCruzadas").size(), 2u);
}

}  // namespace

// The contest edition: its stage folder listings, its run's lists read from
// and written to their files byte for byte, the discarding of results and
// the manual folder's chores.
#include "common/edicion_concurso.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "database/carpetas.h"
#include "database/estado.h"
#include "plataforma/errores.h"
#include "plataforma/rutas.h"
#include "soporte/carpeta_temporal.h"

namespace {

using Lineas = std::vector<std::string>;

class EdicionConcursoTest : public ::testing::Test {
 protected:
  void SetUp() override { Crea("PRUEBA"); }

  // The tree of an edition of `nombre` in the temporary working folder.
  void Crea(const std::string& nombre) {
    estado_.CarpetaTrabajo = tmp_.Ruta();
    estado_.NombreConcurso = nombre;
    ASSERT_TRUE(CreaArbolCarpetasConcurso(estado_, nombre, "2024").empty());
    edicion_ = std::make_unique<EdicionConcurso>(estado_);
    edicion_->AlCambiar = [this](ListaEdicion l) { cambios_.push_back(l); };
  }
  std::string En(const std::string& relativa) const { return plataforma::UneRuta(estado_.CarpetaConcurso, relativa); }
  void Escribe(const std::string& relativa, const std::string& bytes) const {
    tmp_.EscribeBytes(std::filesystem::relative(En(relativa), tmp_.Ruta()).string(), bytes);
  }
  std::string Lee(const std::string& relativa) const {
    return tmp_.LeeBytes(std::filesystem::relative(En(relativa), tmp_.Ruta()).string());
  }
  // The ordinary files of a folder of the tree, sorted byte by byte.
  Lineas Ficheros(const std::string& relativa) const {
    Lineas nombres;
    for (const auto& e : std::filesystem::directory_iterator(En(relativa)))
      if (e.is_regular_file()) nombres.push_back(e.path().filename().string());
    std::sort(nombres.begin(), nombres.end());
    return nombres;
  }

  soporte::CarpetaTemporal tmp_;
  EstadoConcurso estado_;
  std::unique_ptr<EdicionConcurso> edicion_;
  std::vector<ListaEdicion> cambios_;
};

TEST_F(EdicionConcursoTest, CadaCarpetaDeEtapaSeListaOrdenadaSinOcultos) {
  const struct {
    ListaEdicion lista;
    const char* carpeta;
  } casos[] = {
      {ListaEdicion::Recibidos, "FicherosRecibidos"},   {ListaEdicion::Manuales, "FicherosManuales"},
      {ListaEdicion::Validas, "ListasValidas"},         {ListaEdicion::Cruzadas, "ListasCruzadas"},
      {ListaEdicion::QsoAnulados, "ListasQsoAnulados"}, {ListaEdicion::Puntuaciones, "ListasPuntuaciones"},
      {ListaEdicion::Errores, "FicherosErrores"},       {ListaEdicion::Confirmaciones, "FicherosConfirmacion"},
  };
  for (const auto& c : casos) {
    const std::string carpeta = c.carpeta;
    Escribe(carpeta + "/qq1b.LOG", "x");
    Escribe(carpeta + "/QQ1A.LOG", "x");
    Escribe(carpeta + "/QQ1C.LOG", "x");
    Escribe(carpeta + "/.oculto", "x");
    cambios_.clear();
    EXPECT_TRUE(EsCarpetaDeEtapa(c.lista)) << carpeta;
    EXPECT_EQ(edicion_->Lee(c.lista), (Lineas{"QQ1A.LOG", "qq1b.LOG", "QQ1C.LOG"})) << carpeta;
    EXPECT_EQ(edicion_->Estado(c.lista), EstadoLista::Leida) << carpeta;
    EXPECT_EQ(edicion_->TextoCuenta(c.lista), "3 Listas") << carpeta;
    EXPECT_EQ(cambios_, std::vector<ListaEdicion>{c.lista}) << carpeta;
    // A folder gone lists as empty.
    std::filesystem::remove_all(En(carpeta));
    EXPECT_TRUE(edicion_->Lee(c.lista).empty()) << carpeta;
    EXPECT_EQ(edicion_->TextoCuenta(c.lista), "0 Listas") << carpeta;
  }
  // The award's tree holds the admitted logs.
  Crea(NombreConcursoDiploma);
  Escribe("ListasAdmitidas/QQ1A.LOG", "x");
  EXPECT_EQ(edicion_->Lee(ListaEdicion::Admitidas), Lineas{"QQ1A.LOG"});
}

TEST_F(EdicionConcursoTest, ListasDeLaEjecucionIdaYVueltaConLosMismosBytes) {
  const struct {
    ListaEdicion lista;
    const char* fichero;
    const char* cuenta;
  } casos[] = {
      {ListaEdicion::Oyentes, "ListasDeSWL/ListasDeSWL.txt", "2 Listas"},
      {ListaEdicion::NoEnviadasPorIndicativo, "ListasNoEnviadas/ListasNoEnviadasPorIndicativo.txt", "2 NO ENVIADAS"},
      {ListaEdicion::NoEnviadasPorNumero, "ListasNoEnviadas/ListasNoEnviadasPorNumero.txt", "2 NO ENVIADAS"},
      {ListaEdicion::DeControl, "ListasDeControl/ListasDeControl.txt", "2 Listas"},
  };
  // Windows-1252 ("EA1Ñ"), CR LF, the file's order kept (not sorted).
  const std::string bytes = "ZZ9Z en 002 Listas\r\nEA1\xD1\r\n";
  for (const auto& c : casos) {
    EXPECT_FALSE(EsCarpetaDeEtapa(c.lista)) << c.fichero;
    // No file yet: an empty list.
    EXPECT_TRUE(edicion_->Lee(c.lista).empty()) << c.fichero;
    Escribe(c.fichero, bytes);
    EXPECT_EQ(edicion_->Lee(c.lista), (Lineas{"ZZ9Z en 002 Listas", "EA1Ñ"})) << c.fichero;
    EXPECT_EQ(edicion_->TextoCuenta(c.lista), c.cuenta) << c.fichero;
    std::filesystem::remove(En(c.fichero));
    edicion_->Guarda(c.lista);
    EXPECT_EQ(Lee(c.fichero), bytes) << c.fichero;
    // What is set in memory reaches the file only when saved.
    edicion_->Pon(c.lista, {"QQ1A"});
    edicion_->Agrega(c.lista, "QQ1B");
    EXPECT_EQ(Lee(c.fichero), bytes) << c.fichero;
    edicion_->Guarda(c.lista);
    EXPECT_EQ(Lee(c.fichero), "QQ1A\r\nQQ1B\r\n") << c.fichero;
    edicion_->Pon(c.lista, {});
    edicion_->Guarda(c.lista);
    EXPECT_EQ(Lee(c.fichero), "") << c.fichero;
  }
}

TEST_F(EdicionConcursoTest, FicherosQueNoSePuedenLeerNiEscribir) {
  // A folder where the file should be is no list file, and cannot be
  // replaced by one.
  std::filesystem::create_directories(En("ListasDeControl/ListasDeControl.txt"));
  EXPECT_TRUE(edicion_->Lee(ListaEdicion::DeControl).empty());
  EXPECT_THROW(edicion_->Guarda(ListaEdicion::DeControl), plataforma::ErrorFichero);
  EXPECT_EQ(LeeFicheroLista(En("no/existe.txt")), Lineas{});
  EXPECT_THROW(LeeFicheroLista(En("no/existe.txt"), /*debe_existir=*/true), plataforma::ErrorFichero);
}

TEST_F(EdicionConcursoTest, ElDiplomaNoGuardaOyentes) {
  Crea(NombreConcursoDiploma);
  EXPECT_TRUE(edicion_->EsDiploma());
  edicion_->Pon(ListaEdicion::Oyentes, {"QQ1SWL"});
  edicion_->Guarda(ListaEdicion::Oyentes);
  EXPECT_FALSE(std::filesystem::exists(En("ListasDeSWL/ListasDeSWL.txt")));
}

TEST_F(EdicionConcursoTest, DescartarResultadosBorraSusFicherosYVaciaSusListas) {
  const char* borrados[] = {"ListasCruzadas/A.LOG",
                            "ListasQsoAnulados/A.NUL",
                            "ListasPuntuaciones/A.PTS",
                            "ListasNoEnviadas/ListasNoEnviadasPorIndicativo.txt",
                            "ListasDeControl/ListasDeControl.txt",
                            "ListasDeSWL/ListasDeSWL.txt"};
  for (const char* f : borrados) Escribe(f, "QQ1A\r\n");
  Escribe("ListasValidas/A.LOG", "x");
  for (ListaEdicion l :
       {ListaEdicion::Validas, ListaEdicion::Cruzadas, ListaEdicion::QsoAnulados, ListaEdicion::Puntuaciones,
        ListaEdicion::NoEnviadasPorIndicativo, ListaEdicion::DeControl, ListaEdicion::Oyentes})
    edicion_->Lee(l);
  edicion_->DescartaResultadosCruce();
  for (const char* f : borrados) EXPECT_FALSE(std::filesystem::exists(En(f))) << f;
  for (ListaEdicion l :
       {ListaEdicion::Cruzadas, ListaEdicion::QsoAnulados, ListaEdicion::Puntuaciones,
        ListaEdicion::NoEnviadasPorIndicativo, ListaEdicion::NoEnviadasPorNumero, ListaEdicion::DeControl}) {
    EXPECT_TRUE(edicion_->Lista(l).empty());
    EXPECT_EQ(edicion_->Estado(l), EstadoLista::Descartada);
  }
  // The valid logs and the listeners in memory stay.
  EXPECT_EQ(edicion_->Lista(ListaEdicion::Validas), Lineas{"A.LOG"});
  EXPECT_EQ(edicion_->Lista(ListaEdicion::Oyentes), Lineas{"QQ1A"});
  EXPECT_TRUE(std::filesystem::exists(En("ListasValidas/A.LOG")));

  // Discarding the scores alone empties their list without a discard mark.
  Escribe("ListasPuntuaciones/B.PTS", "x");
  edicion_->Lee(ListaEdicion::Puntuaciones);
  edicion_->DescartaPuntuaciones();
  EXPECT_FALSE(std::filesystem::exists(En("ListasPuntuaciones/B.PTS")));
  EXPECT_TRUE(edicion_->Lista(ListaEdicion::Puntuaciones).empty());
  EXPECT_EQ(edicion_->Estado(ListaEdicion::Puntuaciones), EstadoLista::Vaciada);
}

TEST_F(EdicionConcursoTest, ManualesCbrRenombradosYColaDeBorrado) {
  Escribe("FicherosManuales/QQ1A.cbr", "a");
  Escribe("FicherosManuales/QQ1B.CBR", "b");
  Escribe("FicherosManuales/qq1b.log", "b viejo");
  Escribe("FicherosManuales/QQ1C.LOG", "c");
  EXPECT_EQ(edicion_->RenombraCbrManuales(), Lineas{"QQ1B.CBR"});
  EXPECT_EQ(edicion_->Lee(ListaEdicion::Manuales), (Lineas{"QQ1A.LOG", "QQ1B.CBR", "qq1b.log", "QQ1C.LOG"}));
  EXPECT_EQ(Lee("FicherosManuales/qq1b.log"), "b viejo");

  // The queue has no file; its logs are deleted at the end of the pass.
  EXPECT_TRUE(edicion_->Ruta(ListaEdicion::ManualesPorBorrar).empty());
  edicion_->Agrega(ListaEdicion::ManualesPorBorrar, "QQ1A.LOG");
  edicion_->Agrega(ListaEdicion::ManualesPorBorrar, "QQ1C.LOG");
  EXPECT_TRUE(edicion_->Quita(ListaEdicion::ManualesPorBorrar, "QQ1C.LOG"));
  EXPECT_FALSE(edicion_->Quita(ListaEdicion::ManualesPorBorrar, "QQ1C.LOG"));
  edicion_->BorraManualesPorBorrar();
  EXPECT_TRUE(edicion_->Lista(ListaEdicion::ManualesPorBorrar).empty());
  EXPECT_EQ(edicion_->Lee(ListaEdicion::Manuales), (Lineas{"QQ1B.CBR", "qq1b.log", "QQ1C.LOG"}));
}

// Every stage folder of the tree, as the windows list them.
const struct {
  ListaEdicion lista;
  const char* carpeta;
} kCarpetasEtapa[] = {
    {ListaEdicion::Validas, "ListasValidas"},         {ListaEdicion::Cruzadas, "ListasCruzadas"},
    {ListaEdicion::QsoAnulados, "ListasQsoAnulados"}, {ListaEdicion::Puntuaciones, "ListasPuntuaciones"},
    {ListaEdicion::Recibidos, "FicherosRecibidos"},   {ListaEdicion::Confirmaciones, "FicherosConfirmacion"},
    {ListaEdicion::Errores, "FicherosErrores"},       {ListaEdicion::Manuales, "FicherosManuales"},
};

TEST_F(EdicionConcursoTest, UnListadoSustituyeLoQueHabiaYSoloCuentaFicherosOrdinarios) {
  for (const auto& c : kCarpetasEtapa) {
    SCOPED_TRACE(c.carpeta);
    const std::string carpeta = c.carpeta;
    Escribe(carpeta + "/EA4ABC.LOG", "x");
    Escribe(carpeta + "/ct3ab.log", "x");
    Escribe(carpeta + "/A1.TXT", "");
    Escribe(carpeta + "/.oculto", "x");
    std::filesystem::create_directory(En(carpeta + "/SUBCARPETA"));
    edicion_->Pon(c.lista, {"VIEJO"});
    if (c.lista == ListaEdicion::Manuales) EXPECT_TRUE(edicion_->RenombraCbrManuales().empty());
    EXPECT_EQ(edicion_->Lee(c.lista), (Lineas{"A1.TXT", "ct3ab.log", "EA4ABC.LOG"}));
    EXPECT_EQ(edicion_->TextoCuenta(c.lista), "3 Listas");

    // An empty folder, then no folder at all: nothing listed, "0 Listas".
    for (const char* f : {"/EA4ABC.LOG", "/ct3ab.log", "/A1.TXT", "/.oculto"}) std::filesystem::remove(En(carpeta + f));
    edicion_->Pon(c.lista, {"VIEJO", "VIEJO2"});
    EXPECT_TRUE(edicion_->Lee(c.lista).empty());
    EXPECT_EQ(edicion_->TextoCuenta(c.lista), "0 Listas");
    std::filesystem::remove_all(En(carpeta));
    edicion_->Pon(c.lista, {"VIEJO"});
    EXPECT_TRUE(edicion_->Lee(c.lista).empty());
    EXPECT_EQ(edicion_->TextoCuenta(c.lista), "0 Listas");
  }
  // The award's admitted logs.
  Crea(NombreConcursoDiploma);
  Escribe("ListasAdmitidas/EA1AAA.LOG", "x");
  Escribe("ListasAdmitidas/EA1BBB.LOG", "x");
  EXPECT_EQ(edicion_->Lee(ListaEdicion::Admitidas), (Lineas{"EA1AAA.LOG", "EA1BBB.LOG"}));
  EXPECT_EQ(edicion_->TextoCuenta(ListaEdicion::Admitidas), "2 Listas");
}

TEST_F(EdicionConcursoTest, ManualesCbrPasanALogConSuContenido) {
  Escribe("FicherosManuales/QQ1ABC.cbr", "CONTENIDO 1");
  Escribe("FicherosManuales/QQ2ABC.LOG", "CONTENIDO 2");
  Escribe("FicherosManuales/QQ3ABC.CBR", "CONTENIDO 3");
  Escribe("FicherosManuales/qq4abc.Cbr", "CONTENIDO 4");
  Escribe("FicherosManuales/NOTAS", "N");
  Escribe("FicherosManuales/QQ5.ABC.CBR", "DOS PUNTOS");
  Escribe("FicherosManuales/QQ6ABC.CBRX", "OTRA");

  EXPECT_TRUE(edicion_->RenombraCbrManuales().empty());
  const Lineas esperados{"NOTAS", "QQ1ABC.LOG", "QQ2ABC.LOG", "QQ3ABC.LOG", "qq4abc.LOG", "QQ5.ABC.CBR", "QQ6ABC.CBRX"};
  EXPECT_EQ(edicion_->Lee(ListaEdicion::Manuales), esperados);
  EXPECT_EQ(edicion_->TextoCuenta(ListaEdicion::Manuales), "7 Listas");
  Lineas ordenados = esperados;
  std::sort(ordenados.begin(), ordenados.end());
  EXPECT_EQ(Ficheros("FicherosManuales"), ordenados);
  EXPECT_EQ(Lee("FicherosManuales/QQ1ABC.LOG"), "CONTENIDO 1");
  EXPECT_EQ(Lee("FicherosManuales/qq4abc.LOG"), "CONTENIDO 4");

  // A second pass has nothing left to rename.
  EXPECT_TRUE(edicion_->RenombraCbrManuales().empty());
  EXPECT_EQ(edicion_->Lee(ListaEdicion::Manuales), esperados);
}

TEST_F(EdicionConcursoTest, UnCbrManualNuncaPisaUnLogQueYaEsta) {
  Escribe("FicherosManuales/QQ1ABC.LOG", "ANTERIOR");
  Escribe("FicherosManuales/QQ1ABC.cbr", "NUEVO");
  Escribe("FicherosManuales/qq2abc.log", "ANTERIOR 2");
  Escribe("FicherosManuales/QQ2ABC.CBR", "NUEVO 2");

  // The names come back for the window to report.
  EXPECT_EQ(edicion_->RenombraCbrManuales(), (Lineas{"QQ1ABC.cbr", "QQ2ABC.CBR"}));
  const std::string texto = TextoCbrNoRenombrados({"QQ1ABC.cbr", "QQ2ABC.CBR"});
  EXPECT_NE(texto.find("\nQQ1ABC.cbr"), std::string::npos);
  EXPECT_NE(texto.find("\nQQ2ABC.CBR"), std::string::npos);
  EXPECT_EQ(Lee("FicherosManuales/QQ1ABC.LOG"), "ANTERIOR");
  EXPECT_EQ(Lee("FicherosManuales/QQ1ABC.cbr"), "NUEVO");
  EXPECT_EQ(Lee("FicherosManuales/qq2abc.log"), "ANTERIOR 2");
  EXPECT_EQ(Lee("FicherosManuales/QQ2ABC.CBR"), "NUEVO 2");
  EXPECT_EQ(edicion_->Lee(ListaEdicion::Manuales), (Lineas{"QQ1ABC.cbr", "QQ1ABC.LOG", "QQ2ABC.CBR", "qq2abc.log"}));
  EXPECT_EQ(edicion_->TextoCuenta(ListaEdicion::Manuales), "4 Listas");
}

// The run's lists kept in files.
const struct {
  ListaEdicion lista;
  const char* ruta;
  bool no_enviadas;  // counted as "n NO ENVIADAS"
} kListasFichero[] = {
    {ListaEdicion::NoEnviadasPorIndicativo, "ListasNoEnviadas/ListasNoEnviadasPorIndicativo.txt", true},
    {ListaEdicion::NoEnviadasPorNumero, "ListasNoEnviadas/ListasNoEnviadasPorNumero.txt", true},
    {ListaEdicion::DeControl, "ListasDeControl/ListasDeControl.txt", false},
    {ListaEdicion::Oyentes, "ListasDeSWL/ListasDeSWL.txt", false},
};

TEST_F(EdicionConcursoTest, ListaDeFicheroConLineaVaciaYCaracteresDeLaPaginaDeCodigos) {
  // Windows-1252: Ñ is D1, € is 80, é is E9; an empty line in the middle.
  const std::string bytes =
      "EA4\xD1"
      "AB\r\nCT3AB 12\x80\r\n\r\nJos\xE9\r\n";
  for (const auto& c : kListasFichero) {
    SCOPED_TRACE(c.ruta);
    Escribe(c.ruta, bytes);
    edicion_->Pon(c.lista, {"VIEJO"});
    EXPECT_EQ(edicion_->Lee(c.lista), (Lineas{"EA4ÑAB", "CT3AB 12€", "", "José"}));
    EXPECT_EQ(edicion_->TextoCuenta(c.lista), c.no_enviadas ? "4 NO ENVIADAS" : "4 Listas");

    std::filesystem::remove(En(c.ruta));
    edicion_->Guarda(c.lista);
    EXPECT_EQ(Lee(c.ruta), bytes);
    EXPECT_EQ(edicion_->TextoCuenta(c.lista), c.no_enviadas ? "4 NO ENVIADAS" : "4 Listas");

    // Fewer entries leave only their lines.
    edicion_->Pon(c.lista, {"UNO", "DOS", "TRES"});
    edicion_->Guarda(c.lista);
    EXPECT_EQ(Lee(c.ruta), "UNO\r\nDOS\r\nTRES\r\n");
    edicion_->Pon(c.lista, {"A", "B"});
    edicion_->Guarda(c.lista);
    EXPECT_EQ(Lee(c.ruta), "A\r\nB\r\n");
    EXPECT_EQ(edicion_->TextoCuenta(c.lista), c.no_enviadas ? "2 NO ENVIADAS" : "2 Listas");

    // No file: an empty list, whatever was there before.
    std::filesystem::remove(En(c.ruta));
    edicion_->Pon(c.lista, {"VIEJO"});
    EXPECT_TRUE(edicion_->Lee(c.lista).empty());
    EXPECT_EQ(edicion_->TextoCuenta(c.lista), c.no_enviadas ? "0 NO ENVIADAS" : "0 Listas");
  }
}

TEST_F(EdicionConcursoTest, UnCrSueltoAcabaLineaYElNombreDelFicheroNoMiraMayusculas) {
  Escribe("ListasNoEnviadas/listasnoenviadasporindicativo.TXT", "A\rB\r\nC");
  EXPECT_EQ(edicion_->Lee(ListaEdicion::NoEnviadasPorIndicativo), (Lineas{"A", "B", "C"}));
  EXPECT_EQ(edicion_->TextoCuenta(ListaEdicion::NoEnviadasPorIndicativo), "3 NO ENVIADAS");
  // Written back into the same file, not beside it.
  edicion_->Guarda(ListaEdicion::NoEnviadasPorIndicativo);
  EXPECT_EQ(Ficheros("ListasNoEnviadas"), Lineas{"listasnoenviadasporindicativo.TXT"});
  EXPECT_EQ(Lee("ListasNoEnviadas/listasnoenviadasporindicativo.TXT"), "A\r\nB\r\nC\r\n");

  // The rules text is found whatever the letter case of its name.
  Escribe("BasesConcurso/FicheroBasesConcurso.LST", "BASES DEL CONCURSO\r\n\r\nEdici\xF3n 2024\r\n");
  EXPECT_EQ(LeeFicheroLista(plataforma::ResuelveRuta(En("BasesConcurso/FicheroBasesConcurso.lst")), true),
            (Lineas{"BASES DEL CONCURSO", "", "Edición 2024"}));
}

TEST_F(EdicionConcursoTest, SinSuCarpetaUnaListaNoSePuedeGuardar) {
  std::filesystem::remove_all(En("ListasDeControl"));
  edicion_->Pon(ListaEdicion::DeControl, {"A"});
  EXPECT_THROW(edicion_->Guarda(ListaEdicion::DeControl), plataforma::ErrorFichero);
  EXPECT_THROW(LeeFicheroLista(En("BasesConcurso/FicheroBasesConcurso.lst"), true), plataforma::ErrorFichero);
}

TEST_F(EdicionConcursoTest, ElDiplomaDejaElFicheroDeOyentesComoEstaba) {
  Escribe("ListasDeSWL/ListasDeSWL.txt", "EA1SWL\r\n");
  estado_.NombreConcurso = NombreConcursoDiploma;
  EdicionConcurso diploma(estado_);
  diploma.Pon(ListaEdicion::Oyentes, {"OTRO", "MAS"});
  diploma.Guarda(ListaEdicion::Oyentes);
  EXPECT_EQ(Lee("ListasDeSWL/ListasDeSWL.txt"), "EA1SWL\r\n");
  EXPECT_EQ(diploma.Lista(ListaEdicion::Oyentes), (Lineas{"OTRO", "MAS"}));
}

class DescartaResultadosTest : public EdicionConcursoTest {
 protected:
  void SetUp() override {
    EdicionConcursoTest::SetUp();
    for (const char* carpeta :
         {"ListasCruzadas", "ListasQsoAnulados", "ListasPuntuaciones", "ListasNoEnviadas", "ListasDeControl",
          "ListasDeSWL", "ListasValidas", "FicherosRecibidos", "ListasClasificacion"}) {
      Escribe(std::string(carpeta) + "/EA4ABC.LOG", "x");
      Escribe(std::string(carpeta) + "/ct3ab.txt", "x");
    }
    std::filesystem::create_directory(En("ListasCruzadas/SUBCARPETA"));
    for (ListaEdicion l : kResultados) edicion_->Pon(l, {"EA4ABC.LOG", "ct3ab.txt"});
    edicion_->Lee(ListaEdicion::Validas);
  }

  void CompruebaTrasDescartar() {
    for (const char* carpeta : {"ListasCruzadas", "ListasQsoAnulados", "ListasPuntuaciones", "ListasNoEnviadas",
                                "ListasDeControl", "ListasDeSWL"})
      EXPECT_TRUE(Ficheros(carpeta).empty()) << carpeta;
    for (const char* carpeta : {"ListasValidas", "FicherosRecibidos", "ListasClasificacion"})
      EXPECT_EQ(Ficheros(carpeta), (Lineas{"EA4ABC.LOG", "ct3ab.txt"})) << carpeta;
    EXPECT_TRUE(std::filesystem::is_directory(En("ListasCruzadas/SUBCARPETA")));
    for (ListaEdicion l : kResultados) {
      EXPECT_TRUE(edicion_->Lista(l).empty());
      // Shown with no count.
      EXPECT_EQ(edicion_->Estado(l), EstadoLista::Descartada);
    }
    EXPECT_EQ(edicion_->Lista(ListaEdicion::Validas).size(), 2u);
    EXPECT_EQ(edicion_->TextoCuenta(ListaEdicion::Validas), "2 Listas");
  }

  static constexpr ListaEdicion kResultados[] = {ListaEdicion::Cruzadas,
                                                 ListaEdicion::QsoAnulados,
                                                 ListaEdicion::Puntuaciones,
                                                 ListaEdicion::NoEnviadasPorIndicativo,
                                                 ListaEdicion::NoEnviadasPorNumero,
                                                 ListaEdicion::DeControl};
};

TEST_F(DescartaResultadosTest, SoloBorraLosDelCruceYLosDeLaPuntuacion) {
  edicion_->DescartaResultadosCruce();
  CompruebaTrasDescartar();
  // Twice in a row: nothing left to delete, the same state.
  edicion_->DescartaResultadosCruce();
  CompruebaTrasDescartar();
}

TEST_F(DescartaResultadosTest, SinSusCarpetasNoHayError) {
  std::filesystem::remove_all(En("ListasQsoAnulados"));
  std::filesystem::remove_all(En("ListasDeSWL"));
  edicion_->DescartaResultadosCruce();
  EXPECT_TRUE(edicion_->Lista(ListaEdicion::QsoAnulados).empty());
  EXPECT_TRUE(Ficheros("ListasCruzadas").empty());
  EXPECT_TRUE(Ficheros("ListasDeControl").empty());
}

TEST_F(DescartaResultadosTest, DescartarPuntuacionesSoloTocaLasPuntuaciones) {
  edicion_->DescartaPuntuaciones();
  EXPECT_TRUE(Ficheros("ListasPuntuaciones").empty());
  EXPECT_TRUE(edicion_->Lista(ListaEdicion::Puntuaciones).empty());
  // Only emptied: the count shown before stays.
  EXPECT_EQ(edicion_->Estado(ListaEdicion::Puntuaciones), EstadoLista::Vaciada);
  EXPECT_EQ(Ficheros("ListasCruzadas"), (Lineas{"EA4ABC.LOG", "ct3ab.txt"}));
  EXPECT_EQ(edicion_->Lista(ListaEdicion::Cruzadas).size(), 2u);
}

}  // namespace

// A copy kept only from what each change tells (one entry in or out at its
// place, or the whole list again) stays equal to the list.
TEST_F(EdicionConcursoTest, CadaCambioDiceQueEntradaEntroOSalio) {
  Lineas copia;
  std::vector<CambioLista::Clase> clases;
  edicion_->AlCambiar = [&](ListaEdicion l) {
    ASSERT_EQ(l, ListaEdicion::Oyentes);
    const CambioLista& c = edicion_->UltimoCambio();
    const Lineas& lista = edicion_->Lista(l);
    clases.push_back(c.clase);
    if (c.clase == CambioLista::Clase::Insercion)
      copia.insert(copia.begin() + static_cast<std::ptrdiff_t>(c.indice), lista.at(c.indice));
    else if (c.clase == CambioLista::Clase::Retirada)
      copia.erase(copia.begin() + static_cast<std::ptrdiff_t>(c.indice));
    else
      copia = lista;
    EXPECT_EQ(copia, lista);
  };
  const ListaEdicion o = ListaEdicion::Oyentes;
  edicion_->Pon(o, {"EA1A", "EA2B", "EA3C"});
  edicion_->Inserta(o, 1, "EA1Z");
  edicion_->Inserta(o, 99, "EA9Z");  // past the end: at the end
  edicion_->Agrega(o, "EA3C");
  EXPECT_TRUE(edicion_->Quita(o, "EA3C"));  // the first of two equal
  edicion_->QuitaEn(o, 0);
  edicion_->QuitaEn(o, 99);  // nothing, no change told
  EXPECT_FALSE(edicion_->Quita(o, "NADA"));
  edicion_->Vacia(o);
  using C = CambioLista::Clase;
  EXPECT_EQ(clases, (std::vector<C>{C::Entera, C::Insercion, C::Insercion, C::Insercion, C::Retirada, C::Retirada,
                                    C::Entera}));
  EXPECT_EQ(copia, Lineas{});
}

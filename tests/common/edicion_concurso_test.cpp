// The contest edition: its stage folder listings, its run's lists read from
// and written to their files byte for byte, the discarding of results and
// the manual folder's chores.
#include "common/edicion_concurso.h"

#include <gtest/gtest.h>

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

}  // namespace

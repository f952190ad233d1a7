#include "cabrillo/lectura_concurso.h"

#include <gtest/gtest.h>

#include "cabrillo/contexto_concurso.h"

#include <filesystem>
#include <string>
#include <vector>

#include "cabrillo/comprobaciones_intercambio.h"
#include "database/estado.h"
#include "plataforma/dao.h"

namespace cabrillo {
namespace {

namespace fs = std::filesystem;

// Boolean columns of ResumenCabrillo in table order, without `ServerOp`,
// which the start-up upgrade appends at the end of an older table.
const std::vector<const char*> kColumnasResumen = {
    "SingleOp", "MultiOp", "CheckLog", "BandaNoAplicable", "ALL", "M160", "M80", "M40", "M30", "M20", "M15", "M16",
    "M12", "M10", "M6", "M2", "M222", "M432", "M902", "G12", "ModoNoAplicable", "SSB", "CW", "FM", "RTTY", "MIXED",
    "PotenciaNoAplicable", "High", "Low", "Qrp", "AsistidoNoAplicable", "NonAssisted", "Assisted", "TxNoAplicable",
    "One", "Two", "Limited", "UnLimited", "Swl", "TipoEstacionNoAplicable", "Fixed", "Mobile", "Portable",
    "HillTopper", "Rover", "Expedition", "Hq", "School", "TimeNoAplicable", "Hours6", "Hours12", "Hours24",
    "OverlayNoAplicable", "Rookie", "TbWires", "NoviceTech", "Over50", "RstEnviado", "NumeralEnviado",
    "LetrasEnviadas", "PuntosEnviados", "LocatorEnviado", "RstRecibido", "NumeralRecibido", "LetrasRecibidas",
    "PuntosRecibidos", "LocatorRecibido"};

class LecturaConcursoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string plantilla = (fs::temp_directory_path() / "trovalis-concurso-XXXXXX").string();
    ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
    carpeta_ = plantilla;
    base_ = dao::CreateDatabase((carpeta_ / "Ledrima").string());

    dao::TableDef resumen = base_.CreateTableDef("ResumenCabrillo");
    resumen.Fields().Append(resumen.CreateField("NumeroOrden", dao::Tipo::Long));
    for (const char* c : kColumnasResumen) resumen.Fields().Append(resumen.CreateField(c, dao::Tipo::Boolean));
    resumen.Fields().Append(resumen.CreateField("EMailConcurso", dao::Tipo::Text, 100));
    base_.TableDefs().Append(resumen);
    // The upgrade step of an older database: `ServerOp` goes to the end.
    dao::TableDef existente = base_.TableDefs()["ResumenCabrillo"];
    existente.Fields().Append(existente.CreateField("ServerOp", dao::Tipo::Boolean));

    dao::TableDef concursos = base_.CreateTableDef("Concursos");
    concursos.Fields().Append(concursos.CreateField("NumeroOrden", dao::Tipo::Long));
    concursos.Fields().Append(concursos.CreateField("Concurso", dao::Tipo::Text, 50));
    for (const char* c : {"Banda1'8", "Banda14", "ModoCW", "EnviarSiglas", "RecibirSiglas", "CadaProv"})
      concursos.Fields().Append(concursos.CreateField(c, dao::Tipo::Boolean));
    base_.TableDefs().Append(concursos);

    dao::TableDef provincias = base_.CreateTableDef("ListaProv");
    provincias.Fields().Append(provincias.CreateField("NumeroOrden", dao::Tipo::Long));
    provincias.Fields().Append(provincias.CreateField("CodigoProv", dao::Tipo::Text, 10));
    provincias.Fields().Append(provincias.CreateField("ProvExcluida", dao::Tipo::Boolean));
    base_.TableDefs().Append(provincias);
  }
  void TearDown() override {
    base_.Close();
    std::error_code ec;
    fs::remove_all(carpeta_, ec);
  }

  void AgregaFila(std::string_view tabla, std::vector<std::pair<const char*, dao::Variant>> valores) {
    dao::Recordset rs = base_.OpenRecordset(tabla);
    rs.AddNew();
    for (const auto& [nombre, valor] : valores) rs[nombre].SetValue(valor);
    rs.Update();
    rs.Close();
  }

  fs::path carpeta_;
  dao::Database base_;
};

TEST_F(LecturaConcursoTest, ColumnasPorNombreAunqueServerOpEsteAlFinal) {
  AgregaFila("ResumenCabrillo",
             {{"NumeroOrden", 7}, {"SingleOp", true}, {"MultiOp", true}, {"CheckLog", false},
              {"BandaNoAplicable", false}, {"M40", true}, {"M20", true}, {"M160", false},
              {"ModoNoAplicable", false}, {"CW", true}, {"PotenciaNoAplicable", false}, {"High", true},
              {"Low", true}, {"AsistidoNoAplicable", true}, {"TxNoAplicable", true},
              {"TipoEstacionNoAplicable", true}, {"TimeNoAplicable", true}, {"OverlayNoAplicable", true},
              {"LetrasRecibidas", true}, {"ServerOp", true}});

  const std::optional<FilaResumenCabrillo> fila = LeeFilaResumenCabrillo(base_, 7);
  ASSERT_TRUE(fila.has_value());
  EXPECT_TRUE(EsCierto(fila->ServerOp));
  EXPECT_TRUE(EsFalso(fila->CheckLog));
  EXPECT_TRUE(EsFalso(fila->BandaNoAplicable));
  EXPECT_TRUE(EsCierto(fila->M40));
  EXPECT_TRUE(EsFalso(fila->M160));
  EXPECT_TRUE(EsCierto(fila->LetrasRecibidas));

  const CategoriasAdmitidas tabla = GeneraCategoriasAdmitidas(base_, "PRUEBA", 7);
  EXPECT_EQ(tabla.Entradas(),
            (std::vector<std::string>{"SINGLE-OP 40M HIGH CW", "SINGLE-OP 40M LOW CW", "SINGLE-OP 20M HIGH CW",
                                      "SINGLE-OP 20M LOW CW", "MULTI-OP 40M HIGH CW", "MULTI-OP 40M LOW CW",
                                      "MULTI-OP 20M HIGH CW", "MULTI-OP 20M LOW CW", "SERVER-OP"}));

  // The contest in hand, through the context.
  ContextoConcurso contexto;
  contexto.NombreConcurso = "PRUEBA";
  contexto.NumeroConcursoActual = 7;
  GeneraCategoriasAdmitidas(contexto, base_);
  EXPECT_EQ(contexto.CategoriasAdmitidasConcurso.Numero(), 9u);
  contexto.NumeroConcursoActual = 99;  // no row: empty table
  GeneraCategoriasAdmitidas(contexto, base_);
  EXPECT_EQ(contexto.CategoriasAdmitidasConcurso.Numero(), 0u);
  contexto.NombreConcurso = "CONCURSO DIE";  // fixed table, no row needed
  GeneraCategoriasAdmitidas(contexto, base_);
  EXPECT_EQ(contexto.CategoriasAdmitidasConcurso.Numero(), 7u);
}

TEST_F(LecturaConcursoTest, DatosDelConcursoParaUnLog) {
  AgregaFila("Concursos", {{"NumeroOrden", 7}, {"Concurso", "PRUEBA"}, {"Banda1'8", true}, {"Banda14", false},
                           {"EnviarSiglas", true}, {"RecibirSiglas", true}, {"CadaProv", true}});
  AgregaFila("ResumenCabrillo", {{"NumeroOrden", 7}, {"RstEnviado", true}});
  AgregaFila("ListaProv", {{"NumeroOrden", 7}, {"CodigoProv", "M"}});
  AgregaFila("ListaProv", {{"NumeroOrden", 7}, {"CodigoProv", "O'X"}});
  AgregaFila("ListaProv", {{"NumeroOrden", 8}, {"CodigoProv", "B"}});

  DatosConcursoLog datos;
  ASSERT_TRUE(LeeDatosConcursoLog(base_, 7, datos));
  EXPECT_EQ(datos.NumeroOrden, 7);
  EXPECT_EQ(datos.Concurso, "PRUEBA");
  EXPECT_TRUE(EsCierto(datos.Banda1_8));
  EXPECT_TRUE(EsFalso(datos.Banda14));
  EXPECT_FALSE(EsCierto(datos.ModoCW));  // never set
  EXPECT_TRUE(datos.HayResumen);
  EXPECT_TRUE(EsCierto(datos.Resumen.RstEnviado));
  EXPECT_EQ(datos.Provincias, (CodigosReferencia{"M", "O'X"}));

  EXPECT_TRUE(VerificaSiglasEnviadas(datos, "M"));
  EXPECT_TRUE(VerificaSiglasRecibidas(datos, "O'X"));
  EXPECT_FALSE(VerificaSiglasEnviadas(datos, "B"));  // another contest's code
  EXPECT_FALSE(VerificaSiglasEnviadas(datos, "M' OR '1'='1"));
  // A code in another letter case is the listed one, as a query on the
  // column finds it.
  EXPECT_TRUE(VerificaSiglasRecibidas(datos, "m"));
  EXPECT_TRUE(VerificaSiglasEnviadas(datos, "o'x"));
  EXPECT_EQ(base_.OpenRecordset("Select * From ListaProv Where NumeroOrden = 7 And CodigoProv = 'm'").Eof(),
            !VerificaSiglasRecibidas(datos, "m"));

  DatosConcursoLog otro;
  EXPECT_FALSE(LeeDatosConcursoLog(base_, 99, otro));
  AgregaFila("Concursos", {{"NumeroOrden", 8}, {"Concurso", "SIN RESUMEN"}});
  ASSERT_TRUE(LeeDatosConcursoLog(base_, 8, otro));
  EXPECT_FALSE(otro.HayResumen);
  EXPECT_EQ(otro.Provincias.size(), 1u);
}

}  // namespace
}  // namespace cabrillo

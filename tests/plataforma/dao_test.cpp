// Database layer: opening, schema, values and recordset semantics.
#include <fstream>
#include <functional>

#include "plataforma/dao.h"
#include "plataforma/dao_guardado.h"
#include "plataforma/dao_prueba.h"

namespace {

using dao::Fecha;
using dao::Tipo;
using dao::Variant;
using dao_prueba::BaseTemporal;
using dao_prueba::CreaTabla;

int NumeroDeError(const std::function<void()>& f) {
  try {
    f();
  } catch (const dao::Error& e) {
    return e.Number();
  }
  return 0;
}

// ---------------------------------------------------------------- opening

TEST_F(BaseTemporal, OpeningFindsTheFileWithoutRegardToCaseAndNeverCreates) {
  CreaTabla(db_, "Concursos", {{"NumeroOrden", Tipo::Long}});
  db_.Close();
  std::filesystem::rename(ruta_, carpeta_ / "LEDRIMA");
  dao::Database db = dao::OpenDatabase((carpeta_ / "Ledrima").string());
  EXPECT_TRUE(db.TableDefs().Existe("concursos"));
  db.Close();

  std::string falta = (carpeta_ / "Terravia").string();
  EXPECT_EQ(NumeroDeError([&] { dao::OpenDatabase(falta); }), dao::errFicheroNoEncontrado);
  EXPECT_FALSE(std::filesystem::exists(falta));

  std::ofstream(carpeta_ / "texto") << "esto no es una base de datos, solo texto de prueba que ocupa sitio\n";
  EXPECT_EQ(NumeroDeError([&] { dao::OpenDatabase((carpeta_ / "texto").string()); }), dao::errNoEsBaseDeDatos);
  std::ofstream(carpeta_ / "vacio").close();
  EXPECT_EQ(NumeroDeError([&] { dao::OpenDatabase((carpeta_ / "vacio").string()); }), dao::errNoEsBaseDeDatos);
}

TEST_F(BaseTemporal, ClosedDatabaseAndRecordsetRefuseWork) {
  CreaTabla(db_, "T", {{"A", Tipo::Long}});
  dao::Recordset rs = db_.OpenRecordset("T");
  rs.Close();
  EXPECT_THROW(rs.Eof(), dao::Error);
  dao::Recordset otro = db_.OpenRecordset("T");
  db_.Close();
  EXPECT_THROW(otro.MoveFirst(), dao::Error);
  EXPECT_THROW(db_.OpenRecordset("T"), dao::Error);
}

// ----------------------------------------------------------------- schema

TEST_F(BaseTemporal, TypesAndSizesReadBackExactly) {
  CreaTabla(db_, "Concursos",
            {{"NumeroOrden", Tipo::Long},
             {"Concurso", Tipo::Text, 64},
             {"Modo", Tipo::Text, 6, false},
             {"Banda1'8", Tipo::Boolean},
             {"MismoContinente1-8", Tipo::Integer},
             {"ALL", Tipo::Double},
             {"DesdeDia", Tipo::Date},
             {"HoraQso", Tipo::Text}});
  dao::TableDefs tds = db_.TableDefs();
  ASSERT_EQ(tds.Count(), 1);
  EXPECT_EQ(tds[0].Name(), "Concursos");
  dao::TableDef td = tds["CONCURSOS"];
  dao::Fields f = td.Fields();
  ASSERT_EQ(f.Count(), 8);
  struct Esperado {
    const char* nombre;
    Tipo tipo;
    int tamano;
    bool vacio;
  };
  const Esperado esperado[] = {{"NumeroOrden", Tipo::Long, 4, false},      {"Concurso", Tipo::Text, 64, true},
                               {"Modo", Tipo::Text, 6, false},             {"Banda1'8", Tipo::Boolean, 1, false},
                               {"MismoContinente1-8", Tipo::Integer, 2, false}, {"ALL", Tipo::Double, 8, false},
                               {"DesdeDia", Tipo::Date, 8, false},         {"HoraQso", Tipo::Text, 50, true}};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(f[i].Name(), esperado[i].nombre);
    EXPECT_EQ(f[i].Type(), esperado[i].tipo) << esperado[i].nombre;
    EXPECT_EQ(f[i].Size(), esperado[i].tamano) << esperado[i].nombre;
    EXPECT_EQ(f[i].AllowZeroLength(), esperado[i].vacio) << esperado[i].nombre;
  }
  EXPECT_EQ(f["concurso"].Size(), 64);
  EXPECT_EQ(NumeroDeError([&] { (void)f["NoHay"]; }), dao::errElementoNoEncontrado);
  EXPECT_EQ(NumeroDeError([&] { (void)tds[5]; }), dao::errElementoNoEncontrado);
  EXPECT_EQ(NumeroDeError([&] { (void)tds["NoHay"]; }), dao::errElementoNoEncontrado);

  // Odd column names work everywhere, quoted by the layer.
  dao::Recordset rs = db_.OpenRecordset("Select * From concursos");
  rs.AddNew();
  rs["banda1'8"] = true;
  rs["MISMOCONTINENTE1-8"] = 7;
  rs["all"] = 2.5;
  rs["Modo"] = "CW";
  rs.Update();
  rs.MoveFirst();
  EXPECT_TRUE(rs["Banda1'8"].CBool());
  EXPECT_EQ(rs["MismoContinente1-8"].CLng(), 7);
  EXPECT_EQ(rs["ALL"].CDbl(), 2.5);
  rs.FindFirst("[Banda1'8] = True and [MismoContinente1-8] = 7 and [ALL] > 2");
  EXPECT_FALSE(rs.NoMatch());
}

TEST_F(BaseTemporal, AllowZeroLengthIsRefusedOnANonTextField) {
  dao::TableDef td = db_.CreateTableDef("T");
  dao::Field f = td.CreateField();
  f.SetName("B");
  f.SetType(Tipo::Boolean);
  EXPECT_EQ(NumeroDeError([&] { f.SetAllowZeroLength(true); }), dao::errOperacionNoValida);
  td.Fields().Append(f);
  EXPECT_EQ(NumeroDeError([&] { td.Fields().Append(dao::Field("b", Tipo::Long)); }), dao::errCampoYaExiste);
  db_.TableDefs().Append(td);
  EXPECT_EQ(NumeroDeError([&] {
              dao::TableDef otra = db_.CreateTableDef("t");
              otra.Fields().Append(dao::Field("X", Tipo::Long));
              db_.TableDefs().Append(otra);
            }),
            dao::errTablaYaExiste);
}

TEST_F(BaseTemporal, AppendedColumnsGoAtTheEndAndBooleansReadFalse) {
  CreaTabla(db_, "ListaEspeciales", {{"NumeroOrden", Tipo::Long}, {"Estacion", Tipo::Text, 10}});
  dao::Recordset rs = db_.OpenRecordset("ListaEspeciales");
  rs.AddNew();
  rs["NumeroOrden"] = 1;
  rs["Estacion"] = "EA1X";
  rs.Update();
  rs.Close();

  dao::TableDef td = db_.TableDefs()["listaespeciales"];
  dao::Field b = td.CreateField("AnularDos", Tipo::Boolean);
  td.Fields().Append(b);
  dao::Field m = td.CreateField("Modo", Tipo::Text, 6);
  td.Fields().Append(m);
  EXPECT_EQ(NumeroDeError([&] { td.Fields().Append(dao::Field("MODO", Tipo::Text, 6)); }), dao::errCampoYaExiste);

  dao::TableDef de_nuevo = db_.TableDefs()["ListaEspeciales"];
  ASSERT_EQ(de_nuevo.Fields().Count(), 4);
  EXPECT_EQ(de_nuevo.Fields()[2].Name(), "AnularDos");
  EXPECT_EQ(de_nuevo.Fields()[3].Name(), "Modo");
  EXPECT_EQ(de_nuevo.Fields()[3].Size(), 6);
  EXPECT_FALSE(de_nuevo.Fields()[3].AllowZeroLength());

  rs = db_.OpenRecordset("Select * From ListaEspeciales");
  EXPECT_EQ(rs[0].CLng(), 1) << "existing positions never move";
  EXPECT_EQ(rs[1].CStr(), "EA1X");
  EXPECT_EQ(rs[2].Value(), Variant(false));
  EXPECT_TRUE(rs[3].IsNull());
  rs.FindFirst("AnularDos = False and Modo = Null");
  EXPECT_FALSE(rs.NoMatch());
  // A new row that leaves the Boolean unset reads False too.
  rs.AddNew();
  rs["NumeroOrden"] = 2;
  rs["Estacion"] = "";
  rs.Update();
  rs.MoveLast();
  EXPECT_EQ(rs["AnularDos"].Value(), Variant(false));
  EXPECT_EQ(rs["Estacion"].Value(), Variant(""));
  // The text column created without AllowZeroLength refuses the empty text.
  rs.Edit();
  EXPECT_EQ(NumeroDeError([&] { rs["Modo"] = ""; }), dao::errCadenaVacia);
  rs.CancelUpdate();
}

TEST_F(BaseTemporal, ASchemaChangeThroughAnotherConnectionIsSeen) {
  CreaTabla(db_, "Concursos", {{"NumeroOrden", Tipo::Long}});
  EXPECT_EQ(db_.TableDefs()["Concursos"].Fields().Count(), 1);
  dao::Database otra = dao::OpenDatabase(ruta_);
  dao::TableDef td = otra.TableDefs()["Concursos"];
  td.Fields().Append(td.CreateField("SiglasONumeral", Tipo::Boolean));
  otra.Close();
  EXPECT_EQ(db_.TableDefs()["Concursos"].Fields().Count(), 2);
  dao::Recordset rs = db_.OpenRecordset("Select * From Concursos");
  EXPECT_EQ(rs.Fields().Count(), 2);
  EXPECT_EQ(rs.Fields()[1].Name(), "SiglasONumeral");
}

TEST_F(BaseTemporal, TableDefinitionsAreDeletedAndRecreated) {
  CreaTabla(db_, "MultEspeciales", {{"NumeroOrden", Tipo::Long}});
  CreaTabla(db_, "Aux", {{"A", Tipo::Long}});
  EXPECT_EQ(db_.TableDefs().Count(), 2);
  db_.TableDefs().Delete("multespeciales");
  EXPECT_EQ(db_.TableDefs().Count(), 1);
  EXPECT_FALSE(db_.TableDefs().Existe("MultEspeciales"));
  EXPECT_EQ(NumeroDeError([&] { db_.TableDefs().Delete("MultEspeciales"); }), dao::errElementoNoEncontrado);
  CreaTabla(db_, "MultEspeciales", {{"NumeroOrden", Tipo::Long}, {"Estacion", Tipo::Text, 10}});
  EXPECT_EQ(db_.TableDefs()["MultEspeciales"].Fields().Count(), 2);
}

// ----------------------------------------------------------------- values

TEST_F(BaseTemporal, ValuesAreConvertedOnAssignmentAndRefusedWhenTheyDoNotFit) {
  CreaTabla(db_, "T",
            {{"L", Tipo::Long},
             {"I", Tipo::Integer},
             {"D", Tipo::Double},
             {"F", Tipo::Date},
             {"S", Tipo::Text, 5},
             {"B", Tipo::Boolean}});
  dao::Recordset rs = db_.OpenRecordset("T");
  rs.AddNew();
  rs["L"] = "0";
  rs["I"] = " 12 ";
  rs["D"] = "2,5";
  rs["F"] = "05-04-2024";
  rs["S"] = "ñañañ";  // five characters, more bytes
  rs["B"] = -1;
  rs.Update();
  rs.MoveFirst();
  EXPECT_EQ(rs["L"].Value(), Variant(0));
  EXPECT_EQ(rs["I"].Value(), Variant(12));
  EXPECT_EQ(rs["D"].Value(), Variant(2.5));
  EXPECT_EQ(rs["F"].CDate(), (Fecha{2024, 4, 5}));
  EXPECT_EQ(rs["F"].CStr(), "05/04/2024");
  EXPECT_EQ(rs["S"].CStr(), "ñañañ");
  EXPECT_EQ(rs["B"].Value(), Variant(true));

  struct Caso {
    const char* campo;
    Variant valor;
    int error;
  };
  const Caso casos[] = {
      {"S", Variant("EA1ABC"), dao::errCampoDemasiadoPequeno},
      {"S", Variant("ñañañá"), dao::errCampoDemasiadoPequeno},  // six characters
      {"S", Variant(123456), dao::errCampoDemasiadoPequeno},
      {"I", Variant(40000), dao::errDesbordamientoNumerico},
      {"I", Variant(-32769), dao::errDesbordamientoNumerico},
      {"L", Variant(3000000000LL), dao::errDesbordamientoNumerico},
      {"L", Variant("doce"), dao::errConversionDeDatos},
      {"L", Variant(""), dao::errConversionDeDatos},
      {"D", Variant("1.2.3"), dao::errConversionDeDatos},
      {"F", Variant("32-01-2024"), dao::errConversionDeDatos},
      {"F", Variant("mañana"), dao::errConversionDeDatos},
      {"B", Variant("quizá"), dao::errConversionDeDatos},
  };
  for (const Caso& c : casos) {
    rs.Edit();
    EXPECT_EQ(NumeroDeError([&] { rs[c.campo] = c.valor; }), c.error) << c.campo << " " << c.valor.CStr();
    rs.CancelUpdate();
  }
  // Nothing refused reached the file.
  dao::Recordset otra = db_.OpenRecordset("T");
  EXPECT_EQ(otra["S"].CStr(), "ñañañ");
  EXPECT_EQ(otra["I"].CLng(), 12);
  // Edges that fit.
  rs.Edit();
  rs["I"] = -32768;
  rs["L"] = 2147483647;
  rs["D"] = 7;
  rs["S"] = "";
  rs["F"] = Fecha{2024, 12, 31, 23, 59, 0};
  rs.Update();
  EXPECT_EQ(rs["L"].CLng(), 2147483647);
  EXPECT_EQ(rs["D"].Value(), Variant(7.0));
  EXPECT_EQ(rs["F"].CDate(), (Fecha{2024, 12, 31, 23, 59, 0}));
}

TEST(Variantes, Conversions) {
  EXPECT_EQ(Variant("12").CLng(), 12);
  EXPECT_EQ(Variant(2.5).CLng(), 2);  // half to even
  EXPECT_EQ(Variant(3.5).CLng(), 4);
  EXPECT_EQ(Variant(true).CLng(), -1);
  EXPECT_EQ(Variant().CStr(), "");
  EXPECT_THROW(Variant().CLng(), dao::Error);
  EXPECT_THROW(Variant("x").CDbl(), dao::Error);
  EXPECT_THROW(Variant(3e10).CLng(), dao::Error);
  EXPECT_TRUE(Variant("True").CBool());
  EXPECT_FALSE(Variant("0").CBool());
  EXPECT_EQ(Variant("01-02-2024").CDate(), (Fecha{2024, 2, 1}));
  EXPECT_EQ(Variant(Fecha{2024, 2, 1}).CStr(), "01/02/2024");
  EXPECT_EQ(Variant(1.25).CStr(), "1.25");
  EXPECT_TRUE(Variant(" 7 ").EsNumero());
  EXPECT_FALSE(Variant("7a").EsNumero());
  EXPECT_EQ(dao::Escapa("O'B'"), "O''B''");
  EXPECT_EQ(Variant(std::string("ab").size()).CLng(), 2);
  EXPECT_EQ(Variant(3u).CLng(), 3);
}

TEST(Fechas, TextFormsAndRoundTrip) {
  struct Caso {
    const char* texto;
    std::optional<Fecha> fecha;
  };
  const Caso casos[] = {
      {"01-02-2024", Fecha{2024, 2, 1}},
      {"1/2/2024", Fecha{2024, 2, 1}},
      {"29-02-2024", Fecha{2024, 2, 29}},
      {"29-02-2023", std::nullopt},
      {"2024-02-01", Fecha{2024, 2, 1}},
      {"2024-02-01 10:20:30", Fecha{2024, 2, 1, 10, 20, 30}},
      {"01/02/24", Fecha{2024, 2, 1}},
      {"01-13-2024", std::nullopt},
      {"", std::nullopt},
      {"01-02-2024x", std::nullopt},
  };
  for (const Caso& c : casos) EXPECT_EQ(Fecha::Desde(c.texto), c.fecha) << c.texto;
  Fecha f{2024, 3, 9, 7, 5, 0};
  EXPECT_EQ(Fecha::Desde(f.Texto()), f);
  EXPECT_EQ(Fecha::Desde(f.TextoCorto()), f);
  EXPECT_LT(Fecha({2023, 12, 31}).Texto(), Fecha({2024, 1, 1}).Texto()) << "the stored form sorts";
}

// ------------------------------------------------------------ recordsets

class Registros : public BaseTemporal {
 protected:
  void SetUp() override {
    BaseTemporal::SetUp();
    CreaTabla(db_, "Concursos", {{"NumeroOrden", Tipo::Long}, {"Concurso", Tipo::Text, 64}, {"Activo", Tipo::Boolean}});
    dao::Recordset rs = db_.OpenRecordset("Concursos");
    for (auto [n, nombre] : std::vector<std::pair<int, const char*>>{{10, "URE"}, {12, "O'BRIEN"}, {11, "Ávila"}}) {
      rs.AddNew();
      rs["NumeroOrden"] = n;
      rs["Concurso"] = nombre;
      rs.Update();
    }
  }
  std::vector<int> Numeros(dao::Recordset rs) {
    std::vector<int> r;
    if (rs.RecordCount() == 0) return r;
    rs.MoveFirst();
    while (!rs.Eof()) {
      r.push_back(rs["NumeroOrden"].CLng());
      rs.MoveNext();
    }
    return r;
  }
};

TEST_F(Registros, NavigationBofEofAndCount) {
  dao::Recordset rs = db_.OpenRecordset("Select * From Concursos");
  EXPECT_FALSE(rs.Bof());
  EXPECT_FALSE(rs.Eof());
  EXPECT_EQ(rs["NumeroOrden"].CLng(), 10) << "positioned on the first row when opened";
  EXPECT_EQ(rs.RecordCount(), 3);
  rs.MoveLast();
  EXPECT_EQ(rs[0].CLng(), 11);
  EXPECT_EQ(rs.RecordCount(), 3);
  rs.MoveNext();
  EXPECT_TRUE(rs.Eof());
  EXPECT_EQ(NumeroDeError([&] { (void)rs[0].Value(); }), dao::errNoHayRegistroActual);
  EXPECT_EQ(NumeroDeError([&] { rs.MoveNext(); }), dao::errNoHayRegistroActual);
  rs.MoveFirst();
  rs.MovePrevious();
  EXPECT_TRUE(rs.Bof());

  dao::Recordset vacio = db_.OpenRecordset("Select * From Concursos Where NumeroOrden = 99");
  EXPECT_TRUE(vacio.Bof());
  EXPECT_TRUE(vacio.Eof());
  EXPECT_EQ(vacio.RecordCount(), 0);
  EXPECT_EQ(NumeroDeError([&] { vacio.MoveFirst(); }), dao::errNoHayRegistroActual);
  EXPECT_EQ(NumeroDeError([&] { vacio.Edit(); }), dao::errNoHayRegistroActual);
  EXPECT_EQ(NumeroDeError([&] { vacio.Delete(); }), dao::errNoHayRegistroActual);
}

TEST_F(Registros, AddNewEditUpdateDeleteAreCommittedAndSeenByLaterSets) {
  dao::Recordset rs = db_.OpenRecordset("Select * From Concursos");
  EXPECT_EQ(NumeroDeError([&] { rs["Concurso"] = "X"; }), dao::errUpdateSinAddNewNiEdit);
  EXPECT_EQ(NumeroDeError([&] { rs.Update(); }), dao::errUpdateSinAddNewNiEdit);

  rs.AddNew();
  rs["NumeroOrden"] = "13";  // text turned into a number, as the editor writes it
  rs["Concurso"] = "NUEVO";
  EXPECT_EQ(rs["Concurso"].CStr(), "NUEVO") << "the copy buffer reads back";
  rs.Update();
  EXPECT_EQ(rs["NumeroOrden"].CLng(), 10) << "the position stays where it was";
  EXPECT_EQ(rs.RecordCount(), 4) << "the new row joins the set";
  rs.FindFirst("NumeroOrden = 13");
  ASSERT_FALSE(rs.NoMatch());
  rs.Edit();
  rs["Concurso"] = "CAMBIADO";
  rs["Activo"] = true;
  rs.Update();
  EXPECT_EQ(rs["Concurso"].CStr(), "CAMBIADO");

  dao::Recordset despues = db_.OpenRecordset("Select * From Concursos Where NumeroOrden = 13");
  EXPECT_EQ(despues["Concurso"].CStr(), "CAMBIADO");
  EXPECT_TRUE(despues["Activo"].CBool());

  // CancelUpdate and a move both drop the copy buffer.
  rs.Edit();
  rs["Concurso"] = "NO";
  rs.CancelUpdate();
  EXPECT_EQ(rs["Concurso"].CStr(), "CAMBIADO");

  rs.FindFirst("NumeroOrden = 12");
  rs.Delete();
  EXPECT_EQ(NumeroDeError([&] { (void)rs["Concurso"].Value(); }), dao::errRegistroEliminado);
  rs.MoveNext();
  EXPECT_EQ(rs["NumeroOrden"].CLng(), 11) << "a move after Delete goes on from the deleted row";
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(Numeros(db_.OpenRecordset("Concursos")), (std::vector<int>{10, 11, 13}));
}

TEST_F(Registros, DeleteWhileWalkingVisitsEveryRow) {
  dao::Recordset rs = db_.OpenRecordset("Select * From Concursos");
  int vistos = 0;
  while (!rs.Eof()) {
    ++vistos;
    rs.Delete();
    rs.MoveNext();
  }
  EXPECT_EQ(vistos, 3);
  EXPECT_EQ(db_.OpenRecordset("Concursos").RecordCount(), 0);
  // An empty set accepts AddNew and then shows the row.
  rs = db_.OpenRecordset("Select * From Concursos");
  rs.AddNew();
  rs["NumeroOrden"] = 1;
  rs.Update();
  rs.MoveFirst();
  EXPECT_EQ(rs["NumeroOrden"].CLng(), 1);
}

TEST_F(Registros, CloneIsAnIndependentCursor) {
  dao::Recordset rs = db_.OpenRecordset("Select * From Concursos Order By Concurso");
  dao::Recordset copia = rs.Clone();
  copia.FindFirst("Concurso = 'ure'");
  ASSERT_FALSE(copia.NoMatch());
  EXPECT_EQ(copia["NumeroOrden"].CLng(), 10);
  EXPECT_EQ(rs["NumeroOrden"].CLng(), 11) << "ordered without regard to case or accent: Ávila first";
  rs.MoveNext();
  EXPECT_EQ(rs["NumeroOrden"].CLng(), 12);
  EXPECT_EQ(copia["NumeroOrden"].CLng(), 10);
  // A handle copy shares the cursor, as an object variable does.
  dao::Recordset mismo = rs;
  mismo.MoveNext();
  EXPECT_EQ(rs["NumeroOrden"].CLng(), 10);
}

TEST_F(Registros, OpenedAndClonedSetsStandOnTheFirstRowUntilMoved) {
  dao::Recordset rs = db_.OpenRecordset("Select * From Concursos Order By NumeroOrden Desc");
  dao::Recordset c = rs.Clone();
  c.FindFirst("NumeroOrden = 99");
  EXPECT_TRUE(c.NoMatch());
  EXPECT_EQ(c["NumeroOrden"].CLng(), 12) << "a miss leaves the clone on its first row";
  rs.AddNew();
  rs["NumeroOrden"] = 5;
  rs.Update();
  EXPECT_EQ(rs["NumeroOrden"].CLng(), 12);
  EXPECT_EQ(rs.RecordCount(), 4);
  rs.MoveLast();
  EXPECT_EQ(rs[0].CLng(), 5);
  EXPECT_EQ(c.RecordCount(), 4) << "the clone was not read before the row was added";
}

TEST_F(Registros, QuotesInsideValuesNeverBreakTheQuery) {
  std::string nombre = "O'BRIEN";
  dao::Recordset a = db_.OpenRecordset("Select * From Concursos Where Concurso = '" + nombre + "'");
  ASSERT_FALSE(a.Eof());
  EXPECT_EQ(a["NumeroOrden"].CLng(), 12);
  a = db_.OpenRecordset("Select * From Concursos Where Concurso = '" + nombre + "' Order By NumeroOrden");
  ASSERT_FALSE(a.Eof());
  EXPECT_EQ(a["NumeroOrden"].CLng(), 12);
  dao::Recordset b = db_.OpenRecordset("Select Concurso, NumeroOrden from Concursos Where Concurso = '" +
                                       dao::Escapa("o'brien") + "'");
  ASSERT_FALSE(b.Eof());
  EXPECT_EQ(b["numeroorden"].CLng(), 12);
  b.FindFirst("Concurso = '" + nombre + "' and NumeroOrden = 12");
  EXPECT_FALSE(b.NoMatch());
}

TEST_F(Registros, ProjectionOfAMissingColumnIsAnError) {
  db_.Execute("DELETE FROM Concursos Where Concurso = 'O'BRIEN'");
  EXPECT_EQ(db_.RecordsAffected(), 1);
  EXPECT_THROW(db_.OpenRecordset("Select Concurso, Edicion from Concursos Where Concurso = 'URE'"), dao::Error);
}

TEST_F(Registros, TransactionsAreAllOrNothing) {
  db_.BeginTrans();
  dao::Recordset rs = db_.OpenRecordset("Concursos");
  rs.AddNew();
  rs["NumeroOrden"] = 20;
  rs.Update();
  db_.Execute("DELETE FROM Concursos WHERE NumeroOrden = 10");
  db_.Rollback();
  EXPECT_EQ(Numeros(db_.OpenRecordset("Concursos")), (std::vector<int>{10, 12, 11}));
  db_.BeginTrans();
  db_.Execute("DELETE FROM Concursos WHERE NumeroOrden = 10");
  db_.CommitTrans();
  EXPECT_EQ(Numeros(db_.OpenRecordset("Concursos")), (std::vector<int>{12, 11}));
  EXPECT_THROW(db_.CommitTrans(), dao::Error);
}

TEST_F(BaseTemporal, SeekOnAnIndexIgnoresCase) {
  CreaTabla(db_, "Prefijos", {{"Prefijo", Tipo::Text, 10}, {"Dxcc", Tipo::Text, 5}});
  dao::Recordset rs = db_.OpenRecordset("Prefijos");
  for (auto [p, d] : std::vector<std::pair<const char*, const char*>>{{"EA", "EA"}, {"EA8", "EA8"}, {"DL", "DL"}, {"ea6", "EA6"}}) {
    rs.AddNew();
    rs["Prefijo"] = p;
    rs["Dxcc"] = d;
    rs.Update();
  }
  db_.CreateIndex("Prefijos", "ClavePrefijo", {"Prefijo"}, true);
  dao::Recordset t = db_.OpenRecordset("prefijos");
  EXPECT_EQ(NumeroDeError([&] { t.Seek("=", Variant("EA")); }), dao::errIndiceNoValido);
  t.SetIndex("claveprefijo");
  EXPECT_EQ(t.Index(), "ClavePrefijo");
  EXPECT_EQ(t["Prefijo"].CStr(), "DL") << "setting the index moves to its first row";
  t.Seek("=", Variant("ea8"));
  ASSERT_FALSE(t.NoMatch());
  EXPECT_EQ(t["Dxcc"].CStr(), "EA8");
  t.Seek("=", Variant("EA6"));
  ASSERT_FALSE(t.NoMatch());
  EXPECT_EQ(t["Dxcc"].CStr(), "EA6");
  t.MoveNext();  // index order: DL, EA, ea6, EA8
  EXPECT_EQ(t["Dxcc"].CStr(), "EA8");
  t.Seek("=", Variant("F"));
  EXPECT_TRUE(t.NoMatch());
  t.Seek(">=", Variant("E"));
  ASSERT_FALSE(t.NoMatch());
  EXPECT_EQ(t["Prefijo"].CStr(), "EA");
  dao::Recordset alta = db_.OpenRecordset("Prefijos");
  alta.AddNew();
  alta["Prefijo"] = "dl";  // the unique index ignores case
  EXPECT_EQ(NumeroDeError([&] { alta.Update(); }), dao::errValorDuplicado);
  t.Seek("=", Variant("O'X"));
  EXPECT_TRUE(t.NoMatch());
  EXPECT_EQ(NumeroDeError([&] { t.SetIndex("NoHay"); }), dao::errIndiceNoValido);
  // Another index of the same set seeks on its own column.
  db_.CreateIndex("Prefijos", "ClaveDxcc", {"Dxcc"});
  dao::Recordset u = db_.OpenRecordset("Prefijos");
  u.SetIndex("ClavePrefijo");
  u.Seek("=", Variant("ea8"));
  EXPECT_FALSE(u.NoMatch());
  u.SetIndex("ClaveDxcc");
  u.Seek("=", Variant("ea6"));
  ASSERT_FALSE(u.NoMatch());
  EXPECT_EQ(u["Prefijo"].CStr(), "ea6");
  dao::Recordset d = db_.OpenRecordset("Select * From Prefijos");
  EXPECT_EQ(NumeroDeError([&] { d.SetIndex("ClavePrefijo"); }), dao::errOperacionNoValida);
}

// A Seek reads the row it lands on; a field read later still shows what the
// row holds then, whoever changed it in between.
TEST_F(BaseTemporal, SeekShowsTheRowAsItIsWhenItsFieldsAreRead) {
  CreaTabla(db_, "Prefijos", {{"Prefijo", Tipo::Text, 10}, {"Dxcc", Tipo::Text, 5}});
  db_.Execute("INSERT INTO Prefijos (Prefijo, Dxcc) VALUES ('EA8', 'EA8'), ('DL', 'DL')");
  db_.CreateIndex("Prefijos", "ClavePrefijo", {"Prefijo"}, true);
  dao::Recordset t = db_.OpenRecordset("Prefijos");
  t.SetIndex("ClavePrefijo");

  t.Seek("=", Variant("ea8"));
  ASSERT_FALSE(t.NoMatch());
  dao::Recordset otro = db_.OpenRecordset("Select * From Prefijos Where Prefijo = 'EA8'");
  otro.Edit();
  otro["Dxcc"] = "GC";
  otro.Update();
  EXPECT_EQ(t["Dxcc"].CStr(), "GC");

  t.Seek("=", Variant("DL"));
  ASSERT_FALSE(t.NoMatch());
  db_.Execute("UPDATE Prefijos SET Dxcc = 'DA' WHERE Prefijo = 'DL'");
  EXPECT_EQ(t["Dxcc"].CStr(), "DA");

  t.Seek("=", Variant("EA8"));
  ASSERT_FALSE(t.NoMatch());
  db_.Execute("DELETE FROM Prefijos WHERE Prefijo = 'EA8'");
  EXPECT_EQ(NumeroDeError([&] { t["Dxcc"].CStr(); }), dao::errRegistroEliminado);

  t.Seek("=", Variant("dl"));
  ASSERT_FALSE(t.NoMatch());
  t.Edit();
  t["Dxcc"] = "DL";
  t.Update();
  EXPECT_EQ(t["Dxcc"].CStr(), "DL");
  EXPECT_EQ(t["Prefijo"].CStr(), "DL");
}

// Keys of a numeric or date column are converted to the column type; a key
// that cannot be converted finds nothing. A key shorter than the index seeks
// on its leading columns.
TEST_F(BaseTemporal, SeekConvertsKeysAndSeeksOnLeadingColumns) {
  CreaTabla(db_, "Turnos", {{"Numero", Tipo::Long}, {"Dia", Tipo::Date}, {"Nombre", Tipo::Text, 10}});
  dao::Recordset rs = db_.OpenRecordset("Turnos");
  for (auto [n, d, x] : std::vector<std::tuple<int, const char*, const char*>>{
           {12, "02-03-2024", "b"}, {7, "01-03-2024", "a"}, {12, "01-03-2024", "c"}}) {
    rs.AddNew();
    rs["Numero"] = n;
    rs["Dia"] = d;
    rs["Nombre"] = x;
    rs.Update();
  }
  db_.CreateIndex("Turnos", "Clave", {"Numero", "Dia"});
  dao::Recordset t = db_.OpenRecordset("Turnos");
  t.SetIndex("Clave");
  t.Seek("=", Variant("12"));
  ASSERT_FALSE(t.NoMatch());
  EXPECT_EQ(t["Nombre"].CStr(), "c") << "first in index order";
  t.Seek("=", {Variant(12), Variant("02-03-2024")});
  ASSERT_FALSE(t.NoMatch());
  EXPECT_EQ(t["Nombre"].CStr(), "b");
  EXPECT_EQ(t["Dia"].CDate(), (Fecha{2024, 3, 2}));
  t.Seek("=", {Variant(12), Variant(Fecha{2024, 3, 1})});
  ASSERT_FALSE(t.NoMatch());
  EXPECT_EQ(t["Nombre"].CStr(), "c");
  t.Seek("<", Variant(12));
  ASSERT_FALSE(t.NoMatch());
  EXPECT_EQ(t["Nombre"].CStr(), "a");
  t.Seek("> ", {Variant(12), Variant("01-03-2024")});
  ASSERT_FALSE(t.NoMatch());
  EXPECT_EQ(t["Nombre"].CStr(), "b");
  t.Seek("=", Variant("doce"));
  EXPECT_TRUE(t.NoMatch());
  EXPECT_EQ(NumeroDeError([&] { t["Nombre"].CStr(); }), dao::errNoHayRegistroActual);
  EXPECT_EQ(NumeroDeError([&] { t.Seek("<>", Variant(12)); }), dao::errOperacionNoValida);
}

}  // namespace

// A value worked out of the table gives back what storing it and reading it
// again gives, and is refused with the same error where SetValue refuses it.
TEST_F(BaseTemporal, StoredValueWithoutTheTableIsWhatTheTableGivesBack) {
  CreaTabla(db_, "Filas",
            {{"Largo", Tipo::Long},
             {"Corto", Tipo::Integer},
             {"Real", Tipo::Double},
             {"Dia", Tipo::Date},
             {"Si", Tipo::Boolean},
             {"Texto5", Tipo::Text, 5},
             {"Lleno", Tipo::Text, 6, false}});
  struct Caso {
    const char* columna;
    Variant valor;
  };
  const Caso casos[] = {
      {"Largo", Variant("12.5")},         {"Largo", Variant("13.5")},        {"Largo", Variant(" 7 ")},
      {"Largo", Variant("abc")},          {"Largo", Variant(3e9)},           {"Largo", Variant(-5)},
      {"Largo", Variant(std::int64_t{1} << 40)}, {"Corto", Variant(40000)}, {"Corto", Variant("-12")},
      {"Real", Variant("2.25")},          {"Real", Variant("x")},            {"Dia", Variant(Fecha{2024, 5, 4})},
      {"Dia", Variant("04-05-2024")},     {"Dia", Variant("30-02-2024")},    {"Dia", Variant(3)},
      {"Si", Variant("True")},            {"Si", Variant(0)},                {"Si", Variant("quizá")},
      {"Texto5", Variant("14000")},       {"Texto5", Variant("140000")},     {"Texto5", Variant("ÑÑÑÑÑ")},
      {"Texto5", Variant(12345)},         {"Texto5", Variant(true)},         {"Lleno", Variant("")},
      {"Lleno", Variant("JN01AA")},       {"Largo", Variant()},              {"Si", Variant()},
      {"Texto5", Variant("ÑÑÑÑÑÑ")},      {"Texto5", Variant("ÑA")},         {"Texto5", Variant("\xe9\xe9\xe9\xe9\xe9\xe9")},
      {"Texto5", Variant(std::string(40, 'X'))}, {"Lleno", Variant("JN01AAA")}, {"Dia", Variant("")},
  };
  const dao::Fields campos = db_.OpenRecordset("Filas").Fields();
  for (const Caso& c : casos) {
    const std::string que = std::string(c.columna) + " <- '" + c.valor.CStr() + "'";
    std::string error_tabla, error_memoria;
    Variant tabla, memoria;
    try {
      db_.Execute("Delete From Filas");
      dao::Recordset rs = db_.OpenRecordset("Filas");
      rs.AddNew();
      rs[c.columna].SetValue(c.valor);
      rs.Update();
      rs.Close();
      tabla = db_.OpenRecordset("Select * From Filas")[c.columna].Value();
    } catch (const dao::Error& e) {
      error_tabla = std::to_string(e.Number()) + " " + e.what();
    }
    try {
      memoria = dao::ColumnaGuardada(campos[c.columna]).Guarda(c.valor);
    } catch (const dao::Error& e) {
      error_memoria = std::to_string(e.Number()) + " " + e.what();
    }
    EXPECT_EQ(error_memoria, error_tabla) << que;
    // A text the column gives back as it is, told without a Variant.
    if (c.valor.clase() == Variant::Clase::Text) {
      std::string error_texto;
      bool igual = false;
      try {
        igual = dao::ColumnaGuardada(campos[c.columna]).GuardaTextoIgual(c.valor.Str());
      } catch (const dao::Error& e) {
        igual = true;
        error_texto = std::to_string(e.Number()) + " " + e.what();
      }
      const bool columna_texto = std::string_view(c.columna).starts_with("Texto") || c.columna == std::string("Lleno");
      EXPECT_EQ(igual, columna_texto) << que;
      if (igual) {
        EXPECT_EQ(error_texto, error_tabla) << que;
        if (error_tabla.empty()) {
          EXPECT_EQ(tabla.clase(), Variant::Clase::Text) << que;
          EXPECT_EQ(tabla.Str(), c.valor.Str()) << que;
        }
      }
    }
    if (!error_tabla.empty()) continue;
    EXPECT_EQ(memoria.clase(), tabla.clase()) << que;
    EXPECT_EQ(memoria.IsNull(), tabla.IsNull()) << que;
    if (!tabla.IsNull()) {
      EXPECT_EQ(memoria.CStr(), tabla.CStr()) << que;
    }
  }
}

#include "database/conexiones.h"

#include <gtest/gtest.h>
#include <algorithm>

#include <filesystem>
#include <string>
#include <vector>

#include "database/estado.h"
#include "soporte/mensajes_guion.h"

namespace fs = std::filesystem;

namespace {

// A working folder with a small contest database and a countries database.
class Conexiones : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta_ = fs::temp_directory_path() / ("conexiones_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_);
    contexto_.CarpetaTrabajo = carpeta_.string();
    auto db = dao::CreateDatabase((carpeta_ / "Ledrima").string());
    auto td = db.CreateTableDef("Concursos");
    td.Fields().Append(td.CreateField("NumeroOrden", dao::Tipo::Long));
    td.Fields().Append(td.CreateField("Concurso", dao::Tipo::Text, 64));
    td.Fields().Append(td.CreateField("Edicion", dao::Tipo::Text, 4));
    db.TableDefs().Append(td);
    auto tc = db.CreateTableDef("ControlConcursos");
    tc.Fields().Append(tc.CreateField("UltimoConcurso", dao::Tipo::Long));
    tc.Fields().Append(tc.CreateField("ConcursoActivo", dao::Tipo::Long));
    db.TableDefs().Append(tc);
    db_ = db;
    auto paises = dao::CreateDatabase((carpeta_ / "Terravia").string());
    auto tp = paises.CreateTableDef("Prefijos");
    tp.Fields().Append(tp.CreateField("Prefijo", dao::Tipo::Text, 10));
    paises.TableDefs().Append(tp);
    paises.Close();
  }
  void TearDown() override {
    CierraBasesDeDatos(contexto_);
    if (db_.Abierta()) db_.Close();
    fs::remove_all(carpeta_);
  }
  void Concurso(int numero, const char* nombre, const char* edicion) {
    db_.Execute("INSERT INTO Concursos (NumeroOrden, Concurso, Edicion) VALUES (?, ?, ?)",
                {dao::Variant(numero), nombre ? dao::Variant(nombre) : dao::Variant(), dao::Variant(edicion)});
  }
  void Control(int ultimo, dao::Variant activo) {
    db_.Execute("INSERT INTO ControlConcursos (UltimoConcurso, ConcursoActivo) VALUES (?, ?)",
                {dao::Variant(ultimo), activo});
  }
  void Arranca() {
    AbrirBasesDeDatos(contexto_);
    AbrirControlConcursos(contexto_);
  }

  fs::path carpeta_;
  dao::Database db_;
  EstadoConcurso contexto_;
};

TEST_F(Conexiones, ListaOrdenadaConElConcursoActivoSeleccionado) {
  Concurso(1, "ZULU", "2024");
  Concurso(2, "alfa", "2020");
  Concurso(3, "ALFA", "2019");
  Concurso(12, "MIKE", "2024");
  Control(12, dao::Variant(12));
  Arranca();
  ListaConcursosSimple combo;
  EXPECT_TRUE(CargarComboConcursos(contexto_, combo));
  ASSERT_EQ(4, combo.Cuenta());
  EXPECT_EQ("ALFA .- Edición: 2019", combo.Texto(0));
  EXPECT_EQ("alfa .- Edición: 2020", combo.Texto(1));
  EXPECT_EQ("MIKE .- Edición: 2024", combo.Texto(2));
  EXPECT_EQ("ZULU .- Edición: 2024", combo.Texto(3));
  EXPECT_EQ(2, combo.Seleccionado());
  EXPECT_EQ(12, combo.Numero(2));
  EXPECT_TRUE(contexto_.HayConcursoCargado);
  EXPECT_EQ(12, contexto_.ConcursoActual["NumeroOrden"].CLng());
  EXPECT_EQ("MIKE", contexto_.ConcursoActual["concurso"].CStr());
}

TEST_F(Conexiones, PrimeraEntradaSinConcursoActivoValido) {
  struct Caso {
    const char* nombre;
    dao::Variant activo;
  };
  for (const auto& caso :
       {Caso{"cero", dao::Variant(0)}, Caso{"nulo", dao::Variant()}, Caso{"borrado", dao::Variant(99)}}) {
    SCOPED_TRACE(caso.nombre);
    db_.Execute("DELETE FROM Concursos");
    db_.Execute("DELETE FROM ControlConcursos");
    Concurso(5, "ZULU", "2024");
    Concurso(7, "BRAVO", "2024");
    Control(7, caso.activo);
    Arranca();
    ListaConcursosSimple combo;
    EXPECT_TRUE(CargarComboConcursos(contexto_, combo));
    EXPECT_EQ(0, combo.Seleccionado());
    EXPECT_EQ(7, contexto_.ConcursoActual["NumeroOrden"].CLng());
    CierraBasesDeDatos(contexto_);
  }
}

// No contest: false, for the main window to tell the operator; no box
// from here.
TEST_F(Conexiones, SinConcursosAvisaYNoSelecciona) {
  Arranca();
  ListaConcursosSimple combo;
  EXPECT_FALSE(CargarComboConcursos(contexto_, combo));
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
  EXPECT_STREQ(kTextoSinConcursos, "No hay Concursos CONFIGURADOS");
  EXPECT_STREQ(kTituloSinConcursos, "DEFINA ALGUN CONCURSO");
  EXPECT_EQ(0, combo.Cuenta());
  EXPECT_EQ(-1, combo.Seleccionado());
  EXPECT_FALSE(contexto_.HayConcursoCargado);
  EXPECT_TRUE(contexto_.ConcursoActual.Eof());
  // An empty database gets no control row.
  EXPECT_TRUE(contexto_.RegistroControlConcursos.Eof());
}

TEST_F(Conexiones, FilaDeControlAusenteSeRepara) {
  Concurso(3, "BRAVO", "2024");
  Concurso(9, "ALFA", "2024");
  Arranca();
  ASSERT_FALSE(contexto_.RegistroControlConcursos.Eof());
  EXPECT_EQ(9, contexto_.RegistroControlConcursos["UltimoConcurso"].CLng());
  EXPECT_EQ(0, contexto_.RegistroControlConcursos["ConcursoActivo"].CLng());
  ListaConcursosSimple combo;
  EXPECT_TRUE(CargarComboConcursos(contexto_, combo));
  EXPECT_EQ(0, combo.Seleccionado());
  EXPECT_EQ(9, contexto_.ConcursoActual["NumeroOrden"].CLng());
  // The row can be written at the first activation.
  contexto_.RegistroControlConcursos.Edit();
  contexto_.RegistroControlConcursos["ConcursoActivo"] = dao::Variant(9);
  contexto_.RegistroControlConcursos.Update();
  auto rs = db_.OpenRecordset("Select * From ControlConcursos");
  EXPECT_EQ(1, rs.RecordCount());
}

TEST_F(Conexiones, SoloCuentaLaPrimeraFilaDeControl) {
  Concurso(5, "ZULU", "2024");
  Concurso(7, "BRAVO", "2024");
  Control(7, dao::Variant(5));
  Control(9, dao::Variant(7));
  Arranca();
  EXPECT_EQ(7, contexto_.RegistroControlConcursos["UltimoConcurso"].CLng());
  ListaConcursosSimple combo;
  EXPECT_TRUE(CargarComboConcursos(contexto_, combo));
  EXPECT_EQ(1, combo.Seleccionado());
  EXPECT_EQ(5, contexto_.ConcursoActual["NumeroOrden"].CLng());
  EXPECT_EQ(2, db_.OpenRecordset("Select * From ControlConcursos").RecordCount());
}

TEST_F(Conexiones, NombreNuloDaTextoVacio) {
  Concurso(4, nullptr, "2024");
  Concurso(5, "ALFA", "2024");
  Control(5, dao::Variant(5));
  Arranca();
  ListaConcursosSimple combo;
  CargarComboConcursos(contexto_, combo);
  EXPECT_EQ(" .- Edición: 2024", combo.Texto(0));
  EXPECT_EQ(1, combo.Seleccionado());
}

TEST_F(Conexiones, BaseDeDatosAusenteEsUnError) {
  fs::remove(carpeta_ / "Terravia");
  EXPECT_THROW(AbrirBasesDeDatos(contexto_), dao::Error);
  CierraBasesDeDatos(contexto_);
  fs::remove(carpeta_ / "Ledrima");
  EXPECT_THROW(AbrirBasesDeDatos(contexto_), dao::Error);
}

TEST_F(Conexiones, NombresDeFicheroSinDistinguirMayusculas) {
  db_.Close();
  fs::rename(carpeta_ / "Ledrima", carpeta_ / "LEDRIMA");
  fs::rename(carpeta_ / "Terravia", carpeta_ / "terravia");
  EXPECT_NO_THROW(AbrirBasesDeDatos(contexto_));
  EXPECT_EQ("Concursos", contexto_.DefinicionConcursos.Name());
}

TEST(ListaConcursos, InsercionOrdenadaSinDistinguirMayusculas) {
  ListaConcursosSimple l;
  l.Agrega("bravo", 2);
  l.Agrega("Alfa", 1);
  l.Selecciona(0);
  l.Agrega("ALFA", 4);  // equal text goes after
  EXPECT_EQ("Alfa", l.Texto(0));
  EXPECT_EQ(4, l.Numero(1));
  EXPECT_EQ(0, l.Seleccionado());
  EXPECT_EQ("bravo", l.Texto(2));
}

// Alphabetical order: an accented letter sorts with its base letter and "Ñ"
// after "N", not after "Z".
TEST(ListaConcursos, LasLetrasAcentuadasOcupanSuLugarAlfabetico) {
  ListaConcursosSimple l;
  for (const char* texto : {"ZULU", "ÑANDÚ", "ÁVILA", "NORTE", "BRAVO", "ávila", "AVIÓN", "ÓRBITA"}) l.Agrega(texto, 0);
  std::vector<std::string> orden;
  for (int i = 0; i < l.Cuenta(); ++i) orden.push_back(l.Texto(i));
  EXPECT_EQ(orden, (std::vector<std::string>{"ÁVILA", "ávila", "AVIÓN", "BRAVO", "NORTE", "ÑANDÚ", "ÓRBITA", "ZULU"}));
}

// A long list built in any order ends as a stable sort of what was added:
// each entry in its alphabetical place, and entries equal but for case in
// the order they came.
TEST(ListaConcursos, UnaListaLargaQuedaOrdenadaYEstable) {
  ListaConcursosSimple l;
  std::vector<ListaConcursosSimple::Entrada> agregadas;
  const char* const nombres[] = {"SPRINT", "sprint", "Ávila", "AVILA", "ZULU", "ñandú", "NORTE", "alfa"};
  for (int i = 0; i < 400; ++i) {
    const std::string texto =
        std::string(nombres[(i * 7) % 8]) + " .- Edición: " + std::to_string(2000 + (i * 13) % 17);
    agregadas.push_back({texto, i});
    l.Agrega(texto, i);
  }
  std::stable_sort(agregadas.begin(), agregadas.end(),
                   [](const auto& a, const auto& b) { return dao::ComparaTextos(a.texto, b.texto) < 0; });
  ASSERT_EQ(l.Cuenta(), 400);
  for (int i = 0; i < l.Cuenta(); ++i) {
    EXPECT_EQ(l.Texto(i), agregadas[static_cast<std::size_t>(i)].texto) << i;
    EXPECT_EQ(l.Numero(i), agregadas[static_cast<std::size_t>(i)].numero) << i;
  }
}

}  // namespace

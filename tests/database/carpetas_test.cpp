// Folder tree of a contest edition.
#include "database/carpetas.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "database/estado.h"
#include "soporte/mensajes_guion.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> Subcarpetas(const fs::path& carpeta) {
  std::set<std::string> nombres;
  for (const auto& e : fs::directory_iterator(carpeta))
    if (e.is_directory()) nombres.insert(e.path().filename().string());
  return nombres;
}

std::set<std::string> Todo(const fs::path& raiz) {
  std::set<std::string> rutas;
  for (const auto& e : fs::recursive_directory_iterator(raiz))
    rutas.insert(fs::relative(e.path(), raiz).string());
  return rutas;
}

class CarpetasConcursoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(raiz_.isValid());
    // The working folder lies one level down, so a name that escaped it
    // would show up beside it.
    trabajo_ = fs::path(raiz_.path().toStdString()) / "trabajo";
    fs::create_directory(trabajo_);
    contexto_.CarpetaTrabajo = trabajo_.string();
    contexto_.CarpetaConcurso.clear();
    contexto_.NombreConcurso = "PRUEBA";
  }
  void TearDown() override {
    contexto_.CarpetaTrabajo.clear();
    contexto_.CarpetaConcurso.clear();
    contexto_.NombreConcurso.clear();
  }
  std::set<std::string> Esperadas(bool diploma) const {
    std::set<std::string> s(SubcarpetasComunes().begin(), SubcarpetasComunes().end());
    const auto& propias = diploma ? SubcarpetasDiploma() : SubcarpetasConcurso();
    s.insert(propias.begin(), propias.end());
    return s;
  }

  QTemporaryDir raiz_;
  fs::path trabajo_;
  EstadoConcurso contexto_;
};

TEST_F(CarpetasConcursoTest, ListsHoldTheNamesInCreationOrder) {
  EXPECT_EQ(SubcarpetasComunes(),
            (std::vector<std::string>{"FicherosRecibidos", "FicherosErrores", "FicherosConfirmacion",
                                      "FicherosManuales", "BasesConcurso", "ListasEmail"}));
  EXPECT_EQ(SubcarpetasConcurso(),
            (std::vector<std::string>{"ListasValidas", "ListasDeSWL", "ListasDeControl",
                                      "ListasNoEnviadas", "ListasCruzadas", "ListasQsoAnulados",
                                      "ListasPuntuaciones", "ListasClasificacion"}));
  EXPECT_EQ(SubcarpetasDiploma(),
            (std::vector<std::string>{"ListasAdmitidas", "DiplomasBroncePendientes",
                                      "DiplomasPlataPendientes", "DiplomasOroPendientes",
                                      "DiplomasBronceExpedidos", "DiplomasPlataExpedidos",
                                      "DiplomasOroExpedidos"}));
}

TEST_F(CarpetasConcursoTest, ContestGetsCommonAndContestSubfolders) {
  EXPECT_TRUE(CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024").empty());
  EXPECT_EQ(contexto_.CarpetaConcurso, (trabajo_ / "PRUEBA_2024").string());
  EXPECT_EQ(Subcarpetas(trabajo_), std::set<std::string>{"PRUEBA_2024"});
  EXPECT_EQ(Subcarpetas(trabajo_ / "PRUEBA_2024"), Esperadas(false));
  EXPECT_EQ(Subcarpetas(trabajo_ / "PRUEBA_2024").size(), 14u);
}

TEST_F(CarpetasConcursoTest, SecondCallChangesNothingAndKeepsFiles) {
  ASSERT_TRUE(CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024").empty());
  std::ofstream(trabajo_ / "PRUEBA_2024" / "ListasValidas" / "EA4ABC.LOG") << "X";
  const auto antes = Todo(trabajo_);
  const auto carpeta = contexto_.CarpetaConcurso;
  contexto_.CarpetaConcurso = "otra";
  EXPECT_TRUE(CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024").empty());
  EXPECT_EQ(contexto_.CarpetaConcurso, carpeta);
  EXPECT_EQ(Todo(trabajo_), antes);
}

TEST_F(CarpetasConcursoTest, AwardGetsItsOwnSubfolders) {
  contexto_.NombreConcurso = NombreConcursoDiploma;
  EXPECT_TRUE(CreaArbolCarpetasConcurso(contexto_, NombreConcursoDiploma, "2024").empty());
  const auto carpeta = trabajo_ / (std::string(NombreConcursoDiploma) + "_2024");
  EXPECT_EQ(contexto_.CarpetaConcurso, carpeta.string());
  EXPECT_EQ(Subcarpetas(carpeta), Esperadas(true));
  EXPECT_EQ(Subcarpetas(carpeta).count("ListasValidas"), 0u);
}

TEST_F(CarpetasConcursoTest, AwardNameMustMatchExactly) {
  int edicion = 0;
  for (std::string nombre : {std::string("zedaziv oziruduz uv erazudozo"),
                             std::string("Zedaziv Oziruduz Uv Erazudozo"),
                             std::string(NombreConcursoDiploma) + " ",
                             " " + std::string(NombreConcursoDiploma)}) {
    SCOPED_TRACE(nombre);
    contexto_.NombreConcurso = nombre;
    EXPECT_TRUE(CreaArbolCarpetasConcurso(contexto_, "VARIANTE", std::to_string(++edicion)).empty());
    EXPECT_EQ(Subcarpetas(contexto_.CarpetaConcurso), Esperadas(false));
  }
}

TEST_F(CarpetasConcursoTest, EmptyEditionEndsWithUnderscore) {
  EXPECT_TRUE(CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "").empty());
  EXPECT_EQ(contexto_.CarpetaConcurso, (trabajo_ / "PRUEBA_").string());
  EXPECT_EQ(Subcarpetas(trabajo_ / "PRUEBA_"), Esperadas(false));
}

TEST_F(CarpetasConcursoTest, ExistingFolderInOtherLetterCaseIsReused) {
  fs::create_directories(trabajo_ / "prueba_2024" / "listasvalidas");
  EXPECT_TRUE(CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024").empty());
  EXPECT_EQ(contexto_.CarpetaConcurso, (trabajo_ / "prueba_2024").string());
  EXPECT_EQ(Subcarpetas(trabajo_), std::set<std::string>{"prueba_2024"});
  auto subs = Subcarpetas(trabajo_ / "prueba_2024");
  EXPECT_EQ(subs.size(), 14u);
  EXPECT_EQ(subs.count("listasvalidas"), 1u);
  EXPECT_EQ(subs.count("ListasValidas"), 0u);
}

TEST_F(CarpetasConcursoTest, TreeDeletedByHandIsRecreated) {
  ASSERT_TRUE(CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024").empty());
  fs::remove_all(trabajo_ / "PRUEBA_2024");
  EXPECT_TRUE(CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024").empty());
  EXPECT_EQ(Subcarpetas(trabajo_ / "PRUEBA_2024"), Esperadas(false));
}

TEST_F(CarpetasConcursoTest, NameOrEditionNeverReachesOutsideTheWorkingFolder) {
  for (auto [nombre, edicion] : std::vector<std::pair<std::string, std::string>>{
           {"../FUERA", "2024"}, {"..", ""}, {"A/B", "2024"}, {"PRUEBA", "../../x"},
           {"/tmp/ABS", "1"}, {"A\\..\\B", "1"}}) {
    SCOPED_TRACE(nombre + " / " + edicion);
    EXPECT_TRUE(CreaArbolCarpetasConcurso(contexto_, nombre, edicion).empty());
    const fs::path carpeta(contexto_.CarpetaConcurso);
    EXPECT_EQ(carpeta.parent_path(), trabajo_);
    EXPECT_NE(carpeta.filename(), "..");
    EXPECT_EQ(Subcarpetas(carpeta), Esperadas(false));
  }
  // Nothing new beside the working folder: only inside it.
  std::set<std::string> ahora;
  for (const auto& e : fs::directory_iterator(trabajo_.parent_path()))
    ahora.insert(e.path().filename().string());
  EXPECT_EQ(ahora, std::set<std::string>{"trabajo"});
}

TEST_F(CarpetasConcursoTest, FoldersThatCannotBeCreatedAreReturned) {
  // A file where the contest folder should be: nothing can be created.
  std::ofstream(trabajo_ / "PRUEBA_2024") << "x";
  auto fallidas = CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024");
  EXPECT_EQ(fallidas.size(), 15u);
  ASSERT_FALSE(fallidas.empty());
  EXPECT_EQ(fallidas.front(), (trabajo_ / "PRUEBA_2024").string());
  EXPECT_EQ(contexto_.CarpetaConcurso, (trabajo_ / "PRUEBA_2024").string());
}

TEST_F(CarpetasConcursoTest, OneBlockedSubfolderIsReturnedAndTheOthersAreCreated) {
  fs::create_directory(trabajo_ / "PRUEBA_2024");
  std::ofstream(trabajo_ / "PRUEBA_2024" / "ListasDeControl") << "x";
  auto fallidas = CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024");
  EXPECT_EQ(fallidas, std::vector<std::string>{(trabajo_ / "PRUEBA_2024" / "ListasDeControl").string()});
  auto esperadas = Esperadas(false);
  esperadas.erase("ListasDeControl");
  EXPECT_EQ(Subcarpetas(trabajo_ / "PRUEBA_2024"), esperadas);
}

TEST_F(CarpetasConcursoTest, OperatorIsToldOfFoldersThatCannotBeCreated) {
  // Nothing to report when every folder stands; no box from here.
  EXPECT_TRUE(CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024").empty());
  EXPECT_TRUE(CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024").empty());

  std::ofstream(trabajo_ / "PRUEBA_2024" / "ListasValidas" / "x");
  fs::remove_all(trabajo_ / "PRUEBA_2024" / "ListasCruzadas");
  std::ofstream(trabajo_ / "PRUEBA_2024" / "ListasCruzadas") << "x";
  const auto fallidas = CreaArbolCarpetasConcurso(contexto_, "PRUEBA", "2024");
  EXPECT_TRUE(soporte::Mensajes().Cajas().empty());
  const std::string texto = TextoCarpetasNoCreadas(fallidas);
  EXPECT_EQ(texto.rfind("No se han podido crear estas carpetas del concurso:\n", 0), 0u);
  EXPECT_NE(texto.find("\n" + (trabajo_ / "PRUEBA_2024" / "ListasCruzadas").string()), std::string::npos);
  EXPECT_EQ(texto.find("ListasValidas"), std::string::npos);
}

TEST(TextoValidoParaCarpeta, RefusesSeparatorsParentAndControlCharacters) {
  struct Caso {
    const char* texto;
    bool valido;
  } casos[] = {{"PRUEBA", true},    {"CQ WW DX", true}, {"2024", true},   {"", true},
               {"A.B", true},       {"AÑO", true},       {"../X", false},  {"..", false},
               {"A..B", false},     {"A/B", false},      {"A\\B", false},  {"A\tB", false},
               {"/", false},        {"A\x7F" "B", false}, {"A\xC2\x85" "B", false}, {"\xC2\x80", false},
               {"A\xC2\x9F", false}, {"A\xC2\xA0" "B", true}, {"€ Ñ", true}};
  for (const auto& c : casos) EXPECT_EQ(TextoValidoParaCarpeta(c.texto), c.valido) << c.texto;
}

}  // namespace

#include "plataforma/rutas.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "plataforma/texto.h"
#include "soporte/carpeta_temporal.h"

using namespace plataforma;
namespace fs = std::filesystem;
using Nombres = std::vector<std::string>;

TEST(UneRuta, UnSoloSeparador) {
  struct Caso {
    std::string a, b, r;
  };
  const Caso casos[] = {
      {"/w", "x", "/w/x"},   {"/w/", "x", "/w/x"},       {"/w", "/x", "/w/x"},
      {"/w//", "//x", "/w/x"}, {"", "x", "x"},           {"/w", "", "/w"},
      {"/", "x", "/x"},      {"C1_2024\\", "F.LOG", "C1_2024/F.LOG"},
  };
  for (const auto& c : casos) EXPECT_EQ(c.r, UneRuta(c.a, c.b)) << c.a << " + " << c.b;
}

// A contest folder as the program keeps it, with names in mixed case.
class Carpetas : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.CreaCarpeta("Concurso_2024/ListasNoEnviadas");
    dir.CreaCarpeta("Concurso_2024/ListasAdmitidas");
    dir.EscribeBytes("Concurso_2024/BasesConcurso/FicheroBasesConcurso.LST", "bases\r\n");
  }
  std::string C(const std::string& r) const { return dir.En(r); }
  soporte::CarpetaTemporal dir;
};

TEST_F(Carpetas, ResuelveCadaComponenteSinDistinguirMayusculas) {
  EXPECT_EQ(C("Concurso_2024/ListasNoEnviadas"), ResuelveRuta(C("Concurso_2024/ListasNoenviadas")));
  EXPECT_EQ(C("Concurso_2024/ListasAdmitidas"), ResuelveRuta(C("CONCURSO_2024/Listasadmitidas")));
  EXPECT_EQ(C("Concurso_2024/BasesConcurso/FicheroBasesConcurso.LST"),
            ResuelveRuta(C("concurso_2024/basesconcurso/FicheroBasesConcurso.lst")));
  EXPECT_TRUE(ExisteFichero(C("Concurso_2024/BasesConcurso/FicheroBasesConcurso.lst")));
  EXPECT_TRUE(ExisteCarpeta(C("concurso_2024/LISTASNOENVIADAS")));
  EXPECT_FALSE(ExisteFichero(C("concurso_2024/LISTASNOENVIADAS")));
  EXPECT_FALSE(ExisteCarpeta(C("Concurso_2024/BasesConcurso/FicheroBasesConcurso.lst")));
  // The old separator finds the same file.
  EXPECT_TRUE(ExisteFichero(C("Concurso_2024\\basesconcurso\\FicheroBasesConcurso.lst")));
}

TEST_F(Carpetas, LoQueNoExisteConservaSuNombre) {
  EXPECT_EQ(C("Concurso_2024/ListasNoEnviadas/Nuevo.TXT"),
            ResuelveRuta(C("concurso_2024/listasnoenviadas/Nuevo.TXT")));
  EXPECT_EQ(C("Concurso_2024/Otra/Sub"), ResuelveRuta(C("concurso_2024/Otra/Sub")));
  ASSERT_TRUE(EscribirLineas(C("CONCURSO_2024/listasnoenviadas/Nuevo.TXT"), {"x"}));
  EXPECT_EQ(Nombres{"Nuevo.TXT"}, ListaFicheros(C("Concurso_2024/ListasNoEnviadas")));
}

TEST_F(Carpetas, RutaRelativaAlaCarpetaActual) {
  const fs::path antes = fs::current_path();
  fs::current_path(dir.Ruta());
  EXPECT_EQ(dir.Ruta(), fs::path(CarpetaActual()).string());
  EXPECT_EQ("Concurso_2024/ListasNoEnviadas", ResuelveRuta("concurso_2024/listasnoenviadas"));
  EXPECT_TRUE(ExisteCarpeta("Concurso_2024"));
  fs::current_path(antes);
}

TEST_F(Carpetas, ListaSoloFicherosOrdenadosSinDistinguirMayusculas) {
  dir.EscribeBytes("L/b.log", "");
  dir.EscribeBytes("L/A.LOG", "");
  dir.EscribeBytes("L/c.Log", "");
  dir.EscribeBytes("L/ñ.log", "");
  dir.EscribeBytes("L/a.log", "");
  dir.CreaCarpeta("L/D");
  EXPECT_EQ((Nombres{"A.LOG", "a.log", "b.log", "c.Log", "ñ.log"}), ListaFicheros(C("l")));
  EXPECT_EQ(Nombres{"D"}, ListaCarpetas(C("L")));
  EXPECT_TRUE(ListaFicheros(C("no-existe")).empty());
  EXPECT_TRUE(ListaFicheros(C("L/b.log")).empty());
}

TEST_F(Carpetas, VariosNombresQueSoloDifierenEnMayusculas) {
  dir.EscribeBytes("M/a.log", "minusculas");
  dir.EscribeBytes("M/A.LOG", "mayusculas");
  // The one written exactly wins; otherwise the first in listing order.
  EXPECT_EQ(C("M/a.log"), ResuelveRuta(C("M/a.log")));
  EXPECT_EQ(C("M/A.LOG"), ResuelveRuta(C("M/A.LOG")));
  EXPECT_EQ(C("M/A.LOG"), ResuelveRuta(C("m/a.Log")));
}

TEST_F(Carpetas, CopiarSobrescribe) {
  dir.EscribeBytes("a.txt", "nuevo");
  dir.EscribeBytes("Destino.TXT", "contenido antiguo más largo");
  EXPECT_TRUE(CopiaFichero(C("A.TXT"), C("destino.txt")));
  EXPECT_EQ("nuevo", dir.LeeBytes("Destino.TXT"));
  EXPECT_TRUE(CopiaFichero(C("a.txt"), C("Concurso_2024/listasadmitidas/Copia.txt")));
  EXPECT_EQ("nuevo", dir.LeeBytes("Concurso_2024/ListasAdmitidas/Copia.txt"));
  EXPECT_TRUE(CopiaFichero(C("a.txt"), C("A.txt")));  // onto itself
  EXPECT_EQ("nuevo", dir.LeeBytes("a.txt"));
  EXPECT_FALSE(CopiaFichero(C("no-existe"), C("x")));
  EXPECT_FALSE(CopiaFichero(C("a.txt"), C("no/hay/x")));
}

TEST_F(Carpetas, RenombrarNuncaSobrescribe) {
  dir.EscribeBytes("uno.log", "1");
  dir.EscribeBytes("dos.log", "2");
  EXPECT_FALSE(RenombraFichero(C("uno.log"), C("DOS.LOG")));
  EXPECT_EQ("1", dir.LeeBytes("uno.log"));
  EXPECT_EQ("2", dir.LeeBytes("dos.log"));
  EXPECT_TRUE(RenombraFichero(C("UNO.log"), C("tres.log")));
  EXPECT_EQ("1", dir.LeeBytes("tres.log"));
  EXPECT_FALSE(ExisteFichero(C("uno.log")));
  // Only the case changes: the file takes the new spelling.
  EXPECT_TRUE(RenombraFichero(C("tres.log"), C("TRES.LOG")));
  EXPECT_EQ("1", dir.LeeBytes("TRES.LOG"));
  EXPECT_FALSE(RenombraFichero(C("no-existe"), C("x")));
}

TEST_F(Carpetas, BorrarYCrearCarpetasToleranFallos) {
  dir.EscribeBytes("Basura.TMP", "x");
  EXPECT_TRUE(BorraFichero(C("basura.tmp")));
  EXPECT_FALSE(ExisteFichero(C("Basura.TMP")));
  EXPECT_FALSE(BorraFichero(C("basura.tmp")));
  EXPECT_FALSE(BorraFichero(C("Concurso_2024/ListasAdmitidas")));  // a folder stays
  EXPECT_TRUE(ExisteCarpeta(C("Concurso_2024/ListasAdmitidas")));

  EXPECT_TRUE(CreaCarpeta(C("concurso_2024/FicherosRecibidos")));
  EXPECT_TRUE(CreaCarpeta(C("concurso_2024/FicherosRecibidos")));  // exists already
  EXPECT_EQ((Nombres{"BasesConcurso", "FicherosRecibidos", "ListasAdmitidas", "ListasNoEnviadas"}),
            ListaCarpetas(C("Concurso_2024")));
  EXPECT_TRUE(CreaCarpeta(C("Nueva/Con/Padres")));
  EXPECT_FALSE(CreaCarpeta(C("Concurso_2024/BasesConcurso/FicheroBasesConcurso.LST/x")));
}

TEST(NombreSeguro, QuedaUnNombreDeFicheroSimple) {
  struct Caso {
    std::string entrada, salida;
  };
  const Caso casos[] = {
      {"EA1ABC.LOG", "EA1ABC.LOG"},
      {"../../x.LOG", "x.LOG"},
      {"a/b.LOG", "b.LOG"},
      {"C:\\Mis logs\\ea1abc.cbr", "ea1abc.cbr"},
      {"..\\..\\x.LOG", "x.LOG"},
      {"..", "_"},
      {".", "_"},
      {"", "_"},
      {"carpeta/", "_"},
      {"../..", "_"},
      {" \x01..\x1F ", "_"},
      {"ea1abc@correo.es", "ea1abc@correo.es"},
      {"a\tb\r\nc\x7F.log", "abc.log"},
      {"  señal €.log  ", "señal €.log"},
      {"CONCURSO ..ESPECIAL", "CONCURSO ..ESPECIAL"},
  };
  for (const auto& c : casos) EXPECT_EQ(c.salida, NombreSeguro(c.entrada)) << c.entrada;
  EXPECT_EQ(255u, NombreSeguro(std::string(300, 'n')).size());
  const std::string largo = NombreSeguro(std::string(10, 'x') + [] {
    std::string s;
    for (int i = 0; i < 200; ++i) s += "ñ";
    return s;
  }());
  EXPECT_LE(largo.size(), 255u);
  EXPECT_EQ(largo, DesdeCodigos(ACodigos(largo)));  // cut at a character border
}

TEST(NombreSeguro, UnAdjuntoHostilNoSaleDeSuCarpeta) {
  soporte::CarpetaTemporal dir;
  dir.CreaCarpeta("Concurso/FicherosRecibidos");
  const std::string recibidos = dir.En("Concurso/FicherosRecibidos");
  for (const std::string nombre : {"../../x.LOG", "a/b.LOG", "..", "/etc/passwd", "..\\y.LOG"}) {
    const std::string ruta = UneRuta(recibidos, NombreSeguro(nombre));
    ASSERT_TRUE(EscribirLineas(ruta, {"QSO"})) << nombre;
    EXPECT_EQ(fs::canonical(recibidos), fs::canonical(ruta).parent_path()) << nombre;
  }
  EXPECT_EQ(Nombres{"Concurso"}, ListaCarpetas(dir.Ruta()));
  EXPECT_TRUE(ListaFicheros(dir.Ruta()).empty());
  EXPECT_TRUE(ListaFicheros(dir.En("Concurso")).empty());
  EXPECT_EQ(5u, ListaFicheros(recibidos).size());
}

// With the listings kept in memory, a search finds what the program itself
// created, renamed or deleted (told through this module) and, through the
// folder's time, what anything else did, as a search on disk would.
TEST_F(Carpetas, ListadosEnMemoriaVenLoQueCambia) {
  const ListadosEnMemoria listados;
  const std::string m = C("Concurso_2024/ListasAdmitidas");
  EXPECT_EQ(m + "/QQ1ABC.LOG", ResuelveRuta(m + "/QQ1ABC.LOG"));  // listed now, not there
  ASSERT_TRUE(EscribirLineas(m + "/qq1abc.log", {"x"}));
  EXPECT_EQ(m + "/qq1abc.log", ResuelveRuta(m + "/QQ1ABC.LOG"));
  ASSERT_TRUE(RenombraFichero(m + "/qq1abc.log", m + "/Qq1Abc.Log"));
  EXPECT_EQ(m + "/Qq1Abc.Log", ResuelveRuta(m + "/QQ1ABC.LOG"));
  ASSERT_TRUE(BorraFichero(m + "/QQ1ABC.LOG"));
  EXPECT_EQ(m + "/QQ1ABC.LOG", ResuelveRuta(m + "/QQ1ABC.LOG"));
  // Written by other means, untold (a moment later: the folder's time
  // moves by the clock tick of the file system).
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  dir.EscribeBytes("Concurso_2024/ListasAdmitidas/qq2xyz.log", "x");
  EXPECT_EQ(m + "/qq2xyz.log", ResuelveRuta(m + "/QQ2XYZ.LOG"));
  fs::remove(m + "/qq2xyz.log");
  EXPECT_EQ(m + "/QQ2XYZ.LOG", ResuelveRuta(m + "/QQ2XYZ.LOG"));
}

#include "mainwindow/listas_no_enviadas.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "soporte/carpeta_temporal.h"

namespace {

namespace fs = std::filesystem;

std::string Golden(const char* nombre) {
  std::ifstream f(fs::path(TROVALIS_DATOS_PRUEBA) / "no_enviadas" / nombre, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

TEST(ListasNoEnviadas, LineasDeEntrada) {
  struct Caso {
    const char* linea;
    bool valida;
    const char* indicativo;
    int listas;
  };
  const Caso casos[] = {
      {"QQ1ABC en 7 listas", true, "QQ1ABC", 7},
      {"QQ1ABC x 0 y z", true, "QQ1ABC", 0},
      {"QQ1ABC en 32767 listas", true, "QQ1ABC", 32767},
      {"QQ1ABC en 32768 listas", false, "", 0},
      {"QQ1ABC en 7", false, "", 0},       // two blanks only
      {"QQ1ABC en -7 listas", false, "", 0},
      {"QQ1ABC en 7a listas", false, "", 0},
      {"QQ1ABC en  listas", false, "", 0},  // empty count
      {"", false, "", 0},
  };
  for (const Caso& c : casos) {
    auto e = noenviadas::LeeLinea(c.linea);
    ASSERT_EQ(e.has_value(), c.valida) << c.linea;
    if (!e) continue;
    EXPECT_EQ(e->Indicativo, c.indicativo);
    EXPECT_EQ(e->Listas, c.listas);
  }
  EXPECT_EQ(noenviadas::LineaInforme({"QQ1ABC", 7}), "QQ1ABC en 007 listas");
  EXPECT_EQ(noenviadas::LineaInforme({"QQ1ABC", 1234}), "QQ1ABC en 1234 listas");
}

TEST(ListasNoEnviadas, LosDosInformesCoincidenConLosDeReferenciaYLaEntradaSeConsume) {
  soporte::CarpetaTemporal carpeta;
  carpeta.EscribeBytes("ListasNoEnviadas/ListasNoEnviadas.txt", Golden("ListasNoEnviadas.txt"));
  // Earlier, longer reports are replaced, not written over.
  std::string viejo(4000, 'X');
  carpeta.EscribeBytes("ListasNoEnviadas/ListasNoEnviadasPorNumero.txt", viejo);
  carpeta.EscribeBytes("ListasNoEnviadas/ListasNoEnviadasPorIndicativo.txt", viejo);

  EXPECT_EQ(noenviadas::ActualizaFicheros(carpeta.Ruta()), noenviadas::Resultado::Generados);
  EXPECT_EQ(carpeta.LeeBytes("ListasNoEnviadas/ListasNoEnviadasPorIndicativo.txt"),
            Golden("ListasNoEnviadasPorIndicativo.txt"));
  EXPECT_EQ(carpeta.LeeBytes("ListasNoEnviadas/ListasNoEnviadasPorNumero.txt"),
            Golden("ListasNoEnviadasPorNumero.txt"));
  EXPECT_FALSE(fs::exists(carpeta.En("ListasNoEnviadas/ListasNoEnviadas.txt")));

  // A second run finds no input and changes nothing.
  EXPECT_EQ(noenviadas::ActualizaFicheros(carpeta.Ruta()), noenviadas::Resultado::SinEntrada);
  EXPECT_EQ(carpeta.LeeBytes("ListasNoEnviadas/ListasNoEnviadasPorNumero.txt"),
            Golden("ListasNoEnviadasPorNumero.txt"));
}

TEST(ListasNoEnviadas, SinEntradaNoSeEscribeNadaYUnaEntradaVaciaDejaInformesVacios) {
  soporte::CarpetaTemporal carpeta;
  EXPECT_EQ(noenviadas::ActualizaFicheros(carpeta.Ruta()), noenviadas::Resultado::SinEntrada);
  EXPECT_FALSE(fs::exists(carpeta.En("ListasNoEnviadas")));
  EXPECT_EQ(noenviadas::ActualizaFicheros(""), noenviadas::Resultado::SinEntrada);

  // The folder name in another letter case is the same folder.
  carpeta.EscribeBytes("LISTASNOENVIADAS/listasnoenviadas.TXT", "");
  EXPECT_EQ(noenviadas::ActualizaFicheros(carpeta.Ruta()), noenviadas::Resultado::Generados);
  EXPECT_TRUE(fs::exists(carpeta.En("LISTASNOENVIADAS/ListasNoEnviadasPorIndicativo.txt")));
  EXPECT_EQ(carpeta.LeeBytes("LISTASNOENVIADAS/ListasNoEnviadasPorNumero.txt"), "");
  EXPECT_FALSE(fs::exists(carpeta.En("LISTASNOENVIADAS/listasnoenviadas.TXT")));
}

TEST(ListasNoEnviadas, UnInformeQueNoSePuedeEscribirDejaLaEntrada) {
  soporte::CarpetaTemporal carpeta;
  carpeta.EscribeBytes("ListasNoEnviadas/ListasNoEnviadas.txt", "QQ1ABC en 7 listas\r\n");
  // A folder where the report should be: the file cannot be written.
  carpeta.CreaCarpeta("ListasNoEnviadas/ListasNoEnviadasPorNumero.txt/dentro");
  EXPECT_EQ(noenviadas::ActualizaFicheros(carpeta.Ruta()), noenviadas::Resultado::ErrorEscritura);
  EXPECT_TRUE(fs::exists(carpeta.En("ListasNoEnviadas/ListasNoEnviadas.txt")));
}

TEST(ListasNoEnviadas, LasCuentasSeOrdenanComoNumeros) {
  std::vector<noenviadas::EstacionNoEnviada> e = {{"B", 999}, {"A", 1000}, {"C", 20}, {"c", 20}, {"a", 20}};
  EXPECT_EQ(noenviadas::InformePorNumero(e),
            (std::vector<std::string>{"A en 1000 listas", "B en 999 listas", "a en 020 listas", "C en 020 listas",
                                      "c en 020 listas"}));
  EXPECT_EQ(noenviadas::InformePorIndicativo(e),
            (std::vector<std::string>{"a en 020 listas", "A en 1000 listas", "B en 999 listas", "C en 020 listas",
                                      "c en 020 listas"}));
}

}  // namespace

#include "cabrillo/comprobaciones_intercambio.h"

#include <gtest/gtest.h>

#include <string>

#include "cabrillo/indicativo_base.h"

namespace cabrillo {
namespace {

DatosConcursoLog Concurso(Logico enviar, Logico recibir, Logico cada_prov,
                          std::initializer_list<const char*> provincias) {
  DatosConcursoLog c;
  c.NumeroOrden = 7;
  c.EnviarSiglas = enviar;
  c.RecibirSiglas = recibir;
  c.CadaProv = cada_prov;
  for (const char* p : provincias) c.Provincias.insert(p);
  return c;
}

TEST(VerificaSiglas, SegunLasOpcionesDelConcurso) {
  const DatosConcursoLog con_lista = Concurso(true, true, true, {"M", "B", "O'X"});
  EXPECT_TRUE(VerificaSiglasEnviadas(con_lista, "M"));
  EXPECT_TRUE(VerificaSiglasRecibidas(con_lista, "B"));
  // Letter case plays no part, as in the database's column.
  EXPECT_TRUE(VerificaSiglasEnviadas(con_lista, "m"));
  EXPECT_TRUE(VerificaSiglasRecibidas(con_lista, "b"));
  EXPECT_TRUE(VerificaSiglasRecibidas(con_lista, "o'x"));
  EXPECT_FALSE(VerificaSiglasRecibidas(con_lista, "mm"));
  EXPECT_FALSE(VerificaSiglasRecibidas(con_lista, "Z"));
  EXPECT_FALSE(VerificaSiglasEnviadas(con_lista, ""));
  // A code holding "'" is only looked up: not found, or found when stored so.
  EXPECT_FALSE(VerificaSiglasEnviadas(con_lista, "M' OR '1'='1"));
  EXPECT_FALSE(VerificaSiglasRecibidas(con_lista, "'"));
  EXPECT_TRUE(VerificaSiglasRecibidas(con_lista, "O'X"));

  // Options off or without value: any code passes, the empty one included.
  const DatosConcursoLog sin_enviar = Concurso(false, true, true, {"M"});
  EXPECT_TRUE(VerificaSiglasEnviadas(sin_enviar, "ZZ"));
  EXPECT_TRUE(VerificaSiglasEnviadas(sin_enviar, ""));
  EXPECT_FALSE(VerificaSiglasRecibidas(sin_enviar, "ZZ"));
  const DatosConcursoLog nulos = Concurso(std::nullopt, true, std::nullopt, {});
  EXPECT_TRUE(VerificaSiglasEnviadas(nulos, "ZZ"));
  EXPECT_TRUE(VerificaSiglasRecibidas(nulos, "ZZ"));  // CadaProv without value
  // Both options on and an empty list: nothing passes.
  const DatosConcursoLog vacia = Concurso(true, true, true, {});
  EXPECT_FALSE(VerificaSiglasEnviadas(vacia, "M"));
  EXPECT_FALSE(VerificaSiglasRecibidas(vacia, ""));
}

TEST(VerificaSiglas, ExcepcionDeLaZonaSiete) {
  const DatosConcursoLog c = Concurso(true, true, true, {"SE"});
  struct Caso {
    const char* codigo;
    const char* indicativo;
    bool enviadas, recibidas;
  };
  const Caso casos[] = {
      {"ABC", "EA7ABC", true, true},         // own suffix in place of a province
      {"AB", "EA7AB", false, false},         // two letters: looked up
      {"SE", "EA7AB", true, true},           // still looked up
      {"ABC", "EA5ABC", false, false},       // another call area
      {"ABC", "ea7ABC", false, false},       // "E" in upper case only
      {"ABC", "EB7ABC", true, true},         // any second character
      {"ABC", "EA7ABC/P", false, true},      // sent: from the call as passed
      {"AB/", "EA7AB/", true, false},        // received: base call EA7AB, 2 letters
      {"ABCD", "EA7ABCD", false, false},     // four letters
      {"", "EA7", false, false},
  };
  for (const Caso& k : casos) {
    EXPECT_EQ(VerificaSiglasEnviadasEspeciales(c, k.codigo, k.indicativo), k.enviadas)
        << k.codigo << " " << k.indicativo;
    EXPECT_EQ(VerificaSiglasRecibidasEspeciales(c, k.codigo, k.indicativo), k.recibidas)
        << k.codigo << " " << k.indicativo;
  }
  // With the options off every code passes anyway.
  const DatosConcursoLog libre = Concurso(false, false, true, {});
  EXPECT_TRUE(VerificaSiglasEnviadasEspeciales(libre, "XX", "EA5AB"));
  EXPECT_TRUE(VerificaSiglasRecibidasEspeciales(libre, "XX", "EA5AB"));
}

TEST(VerificaLocator, Casos) {
  struct Caso {
    const char* locator;
    bool valido;
  };
  const Caso casos[] = {
      {"IN80DO", true}, {"in80do", true}, {"AA00AA", true}, {"SS99XX", true}, {"IN80", false},
      {"TN80DO", false}, {"IT80DO", false}, {"IN80DY", false}, {"IN80YD", false}, {"INO0DO", false},
      {"IN8ODO", false}, {"IN80DO1", false}, {"", false}, {"ÑN80DO", false}, {"IN80D ", false},
  };
  for (const Caso& c : casos) EXPECT_EQ(VerificaLocator(c.locator), c.valido) << c.locator;
}

TEST(SeparaProvinciaLiteral, Casos) {
  struct Caso {
    const char* literal;
    const char* provincia_antes;
    const char* provincia;
    const char* resto;
  };
  const Caso casos[] = {
      {"CM-123", "", "M", "123"},
      {"CBU-0045", "X", "BU", "0045"},
      {"C-123", "X", "", "123"},
      {"CM123", "X", "", ""},
      {"XM-123", "X", "X", ""},   // another letter: province untouched
      {"", "X", "X", ""},
      {"-", "X", "X", ""},
      {"CM-", "X", "M", ""},
      {"CM-1-2", "", "M", "1-2"},
  };
  for (const Caso& c : casos) {
    std::string provincia = c.provincia_antes, resto = "previo";
    SeparaProvinciaLiteral(c.literal, provincia, resto);
    EXPECT_EQ(provincia, c.provincia) << c.literal;
    EXPECT_EQ(resto, c.resto) << c.literal;
  }
}

TEST(SeparaReferenciaVG, Casos) {
  struct Caso {
    const char* referencia;
    const char* letras;
    const char* digitos;
  };
  const Caso casos[] = {
      {"VGM123", "M", "123"},
      {"VG1A23", "A", "123"},
      {"XXVGM12", "M", "12"},
      {"M123", "", ""},
      {"VG", "", ""},
      {"", "previo", ""},  // letters untouched
  };
  for (const Caso& c : casos) {
    std::string letras = "previo", digitos = "previo";
    SeparaReferenciaVG(c.referencia, letras, digitos);
    EXPECT_EQ(letras, c.letras) << c.referencia;
    EXPECT_EQ(digitos, c.digitos) << c.referencia;
  }
}

TEST(EsDistritoPortugues, Casos) {
  EXPECT_TRUE(EsDistritoPortugues("CT1", "CT", "CT1ABC"));
  EXPECT_FALSE(EsDistritoPortugues("CT2", "CT", "CT1ABC"));
  EXPECT_FALSE(EsDistritoPortugues("CT", "CT", "CT1ABC"));
  EXPECT_TRUE(EsDistritoPortugues("LO QUE SEA", "EA", "EA1ABC"));
  EXPECT_TRUE(EsDistritoPortugues("", "", ""));
}

TEST(IndicativoBase, QuitaLaPartePortable) {
  struct Caso {
    const char* indicativo;
    const char* base;
  };
  const Caso casos[] = {
      {"QQ1ABC", "QQ1ABC"},       {"QQ1ABC/P", "QQ1ABC"},    {"QQ1ABC/MM/QRP", "QQ1ABC"},
      {"QQ8/QQ1ABC/P", "QQ1ABC"}, {"QQ1ABC/QQ8/P", "QQ1ABC"}, {"QQ1ABC/4", "QQ1ABC"},
      {"QQ1ABC/QQ8", "QQ1ABC"},   {"QQ8/QQ1ABC", "QQ1ABC"},   {"QQ1ABC/QQ2DEF", "QQ2DEF"},
      {"QQ1ABC/", "QQ1ABC"},      {"/QQ1ABC", "QQ1ABC"},      {"", ""},
  };
  for (const Caso& c : casos) EXPECT_EQ(IndicativoBase(c.indicativo), c.base) << c.indicativo;
}

}  // namespace
}  // namespace cabrillo

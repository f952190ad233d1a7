#include "cabrillo/lectura.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


namespace cabrillo {
namespace {

// All tokens of a line from a position, plus `extra` calls past the end.
std::vector<std::string> Campos(std::string_view linea, std::int64_t desde, int llamadas) {
  std::vector<std::string> campos;
  std::int64_t pos = desde;
  for (int i = 0; i < llamadas; ++i) {
    std::string campo = "sin tocar";
    ObtieneSiguienteCampo(linea, pos, campo);
    campos.push_back(campo);
  }
  return campos;
}

struct CasoCampos {
  const char* nombre;
  std::string linea;
  std::int64_t desde;
  std::vector<std::string> esperados;
};

TEST(ObtieneSiguienteCampo, TablaDeCasos) {
  const std::vector<CasoCampos> casos = {
      {"blancos simples", "QSO: 14025 CW", 5, {"14025", "CW", "", ""}},
      {"TAB en lugar de blancos", "QSO:\t14025\tCW", 5, {"14025", "CW", "", ""}},
      {"blanco TAB blanco", "A \t B", 1, {"A", "", "B", ""}},
      {"varios blancos", "QSO:   14025    CW   ", 5, {"14025", "CW", ""}},
      {"TAB seguido de blancos", "A\t   B", 1, {"A", "B", ""}},
      {"TAB inicial tomado como campo", "\tB C", 1, {"B", "C"}},
      {"un solo caracter", "X", 1, {"X", ""}},
      {"linea vacia", "", 1, {"", "", ""}},
      {"solo QSO:", "QSO:", 5, {"", ""}},
      {"texto acentuado", "QSO: ÑAÑA Ü", 5, {"ÑAÑA", "Ü", ""}},
      {"linea completa", "QSO: 14025 CW 2018-03-05 1200 QQ1ABC 599 001 QQ2DEF 599 002", 5,
       {"14025", "CW", "2018-03-05", "1200", "QQ1ABC", "599", "001", "QQ2DEF", "599", "002", ""}},
  };
  for (const CasoCampos& c : casos) {
    EXPECT_EQ(Campos(c.linea, c.desde, static_cast<int>(c.esperados.size())), c.esperados) << c.nombre;
  }
}

TEST(ObtieneSiguienteCampo, PosicionAvanzaPasadoElCampo) {
  std::int64_t pos = 5;
  std::string campo;
  ObtieneSiguienteCampo("QSO: 14025  CW", pos, campo);
  EXPECT_EQ(campo, "14025");
  EXPECT_EQ(pos, 13);  // past the blanks, on "CW"
  ObtieneSiguienteCampo("QSO: 14025  CW", pos, campo);
  EXPECT_EQ(campo, "CW");
  EXPECT_EQ(pos, 15);
  // Past the end: empty token, position moves on by 2 each time.
  ObtieneSiguienteCampo("QSO: 14025  CW", pos, campo);
  EXPECT_EQ(campo, "");
  EXPECT_EQ(pos, 17);
  ObtieneSiguienteCampo("QSO: 14025  CW", pos, campo);
  EXPECT_EQ(pos, 19);
}

TEST(ObtieneSiguienteCampo, LineaMuyLargaSinDesbordar) {
  // Longer than any 16-bit position: the last token is still reached.
  std::string linea = "QSO:";
  for (int i = 0; i < 8000; ++i) linea += " 12345";
  linea += " FIN";
  ASSERT_GT(linea.size(), 40000u);
  std::int64_t pos = 5;
  std::string campo;
  for (int i = 0; i < 8001; ++i) ObtieneSiguienteCampo(linea, pos, campo);
  EXPECT_EQ(campo, "FIN");
  EXPECT_GT(pos, 40000);
  ObtieneSiguienteCampo(linea, pos, campo);
  EXPECT_EQ(campo, "");
}

TEST(ObtieneValorParametro, ValoresDeCabecera) {
  struct Caso {
    std::string linea, esperado;
  };
  const std::vector<Caso> casos = {
      {"CALLSIGN:QQ1ABC", "QQ1ABC"},
      {"CALLSIGN:     qq1abc   ", "QQ1ABC"},
      {"CALLSIGN:", ""},
      {"CALLSIGN:    ", ""},
      {"CONTEST: Concurso: de primavera ", "CONCURSO: DE PRIMAVERA"},
      {"CLUB: peña ñandú", "PEÑA ÑANDÚ"},
      {"CATEGORY:\tSINGLE-OP\t", "\tSINGLE-OP\t"},  // a TAB is not a blank
  };
  for (const Caso& c : casos) {
    std::string valor = "previo";
    ObtieneValorParametro(c.linea, valor);
    EXPECT_EQ(valor, c.esperado) << c.linea;
  }
  std::string valor = "previo";
  ObtieneValorParametro("LINEA SIN DOS PUNTOS", valor);
  EXPECT_EQ(valor, "previo");
}

TEST(BuscaParametroCabrillo, CabeceraHastaLaPrimeraLineaQso) {
  const std::vector<std::string> log = {
      "START-OF-LOG: 3.0",
      "CONTEST: PRIMERO",
      " CLUB: CON BLANCO DELANTE",
      "contest: minusculas",
      "CONTEST: SEGUNDO",
      "QSO: 14025 CW 2018-03-05 1200 QQ1ABC 599 001 QQ2DEF 599 002",
      "CALLSIGN: QQ1ABC",
      "END-OF-LOG:",
  };
  std::string linea;
  EXPECT_TRUE(BuscaParametroCabrillo(log, "CONTEST:", linea));
  EXPECT_EQ(linea, "CONTEST: PRIMERO");
  EXPECT_FALSE(BuscaParametroCabrillo(log, "CALLSIGN:", linea));  // after the first QSO line
  EXPECT_FALSE(BuscaParametroCabrillo(log, "CLUB:", linea));      // leading blank: no tag
  EXPECT_FALSE(BuscaParametroCabrillo(log, "Contest:", linea));
  // The tag is tested before the QSO test.
  EXPECT_TRUE(BuscaParametroCabrillo(log, "QSO:", linea));
  EXPECT_EQ(linea, log[5]);
}

TEST(QuitaSufijoNombre, Casos) {
  struct Caso {
    std::string nombre, esperado;
  };
  const std::vector<Caso> casos = {
      {"QQ1ABC-2.LOG", "QQ1ABC.LOG"},
      {"QQ1ABC.LOG", "QQ1ABC.LOG"},
      {"QQ1ABC-2", "QQ1ABC"},
      {"QQ1.ABC-2", "QQ1.ABC.ABC-2"},  // the first "." of the whole name
      {"QQ1ABC-2.TAR.LOG", "QQ1ABC.TAR.LOG"},
      {"", ""},
  };
  for (const Caso& c : casos) {
    std::string r = "previo";
    QuitaSufijoNombre(c.nombre, r);
    EXPECT_EQ(r, c.esperado) << c.nombre;
  }
}

}  // namespace
}  // namespace cabrillo

#include "cabrillo/lectura.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "soporte/combinaciones.h"


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

// The tokenizer as it was first written, character by character through
// bounds-checked reads: the answers the faster one must keep.
void CampoDeReferencia(std::string_view linea, std::int64_t& posicion, std::string& campo) {
  const auto caracter = [&](std::int64_t p) {
    if (p < 1 || p > static_cast<std::int64_t>(linea.size())) return '\0';
    return linea[static_cast<std::size_t>(p - 1)];
  };
  const auto longitud = static_cast<std::int64_t>(linea.size());
  std::int64_t a = posicion < 1 ? 1 : posicion;
  while (caracter(a) == ' ') ++a;
  std::int64_t j = a + 1;
  bool acabo_en_tab = false;
  for (;;) {
    const char c = caracter(j);
    if (c == ' ') break;
    if (c == '\t') {
      acabo_en_tab = true;
      break;
    }
    ++j;
    if (j - 1 >= longitud) break;
  }
  std::string_view trozo;
  if (a <= longitud) {
    const auto inicio = static_cast<std::size_t>(a - 1);
    const auto fin = static_cast<std::size_t>(std::min(j - 1, longitud));
    trozo = linea.substr(inicio, fin - inicio);
  }
  while (!trozo.empty() && trozo.front() == ' ') trozo.remove_prefix(1);
  while (!trozo.empty() && trozo.back() == ' ') trozo.remove_suffix(1);
  if (!trozo.empty() && trozo.front() == '\t') trozo.remove_prefix(1);
  campo.assign(trozo);
  if (acabo_en_tab) ++j;
  while (caracter(j) == ' ') ++j;
  posicion = j;
}

// Both forms against the reference, call after call from one start: the
// same tokens and the same positions, the view pointing into the line.
void ComparaConReferencia(const std::string& linea, std::int64_t desde, int llamadas) {
  std::int64_t ref = desde, pos = desde, vista_pos = desde;
  for (int i = 0; i < llamadas; ++i) {
    std::string esperado = "x", campo = "y";
    CampoDeReferencia(linea, ref, esperado);
    ObtieneSiguienteCampo(linea, pos, campo);
    const std::string_view vista = SiguienteCampo(linea, vista_pos);
    ASSERT_EQ(campo, esperado) << "linea [" << linea << "] desde " << desde << " llamada " << i;
    ASSERT_EQ(vista, esperado) << "linea [" << linea << "] desde " << desde << " llamada " << i;
    ASSERT_EQ(pos, ref) << "linea [" << linea << "] desde " << desde << " llamada " << i;
    ASSERT_EQ(vista_pos, ref) << "linea [" << linea << "] desde " << desde << " llamada " << i;
    if (!vista.empty()) {
      ASSERT_GE(vista.data(), linea.data());
      ASSERT_LE(vista.data() + vista.size(), linea.data() + linea.size());
    }
  }
}

TEST(ObtieneSiguienteCampo, IgualQueLaReferencia) {
  // Every line of up to six pieces of blank, TAB, a letter, a Windows-1252
  // letter as UTF-8 ("Ñ", two bytes) and a NUL byte, from every position
  // around it (before the start, inside, at and past the end).
  const std::vector<std::string> piezas = {" ", "\t", "A", "\xC3\x91", std::string(1, '\0')};
  for (const std::string& linea : soporte::Combinaciones(piezas, 6))
    for (std::int64_t desde = -2; desde <= static_cast<std::int64_t>(linea.size()) + 3; ++desde)
      ComparaConReferencia(linea, desde, 5);

  // Lines as logs write them, and longer ones.
  const std::vector<std::string> reales = {
      "QSO: 14025 CW 2018-03-05 1200 QQ1ABC 599 001 QQ2DEF 599 002",
      "QSO:  7000\tPH\t 2018-03-05 \t1200   QQ1ABC  59 \t\t001 QQ2DEF 59 002   ",
      "QSO: 1.2G PH 2018-03-05 1200 QQ1ABC 59 001 QQ2DEF 59 \xC3\x91" "AND\xC3\x9A " "\xE2\x82\xAC",
      std::string(300, ' ') + "X" + std::string(300, '\t') + "Y",
      "QSO: " + std::string(5000, 'Z') + " FIN",
  };
  for (const std::string& linea : reales)
    for (std::int64_t desde : {std::int64_t{1}, std::int64_t{5}, std::int64_t{6}})
      ComparaConReferencia(linea, desde, 16);
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

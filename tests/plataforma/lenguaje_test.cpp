#include "plataforma/lenguaje.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

using namespace plataforma;

TEST(Like, TablaDePatrones) {
  struct Caso {
    std::string texto, patron;
    bool resultado;
  };
  const Caso casos[] = {
      // whole text, case-sensitive
      {"SPRINT DCE 1.0", "SPRINT DCE 1.0*", true},
      {"SPRINT DCE 1.0 2024", "SPRINT DCE 1.0*", true},
      {"sprint dce 1.0", "SPRINT DCE 1.0*", false},
      {"XSPRINT DCE 1.0", "SPRINT DCE 1.0*", false},
      {"ABC", "AB", false},
      {"AB", "ABC", false},
      {"", "", true},
      {"", "*", true},
      {"A", "", false},
      // ?
      {"EA1", "EA?", true},
      {"EA", "EA?", false},
      {"EA12", "EA?", false},
      {"EAÑ", "EA?", true},  // one character, two bytes
      // #
      {"EA1ABC", "EA#*", true},
      {"EAXABC", "EA#*", false},
      {"05", "##", true},
      {"5", "##", false},
      // *
      {"QSO: 14000 CW", "QSO:*", true},
      {"END-OF-LOG:", "END-OF-LOG*", true},
      {"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY:*", false},
      {"abcabcabd", "*abd", true},
      {"abcabcabd", "a*c*d", true},
      {"abcabcabe", "a*c*d", false},
      {"aaa", "a**a", true},
      {"VG123", "VG*", true},
      // lists
      {"B", "[A-C]", true},
      {"D", "[A-C]", false},
      {"b", "[A-C]", false},
      {"D", "[!A-C]", true},
      {"B", "[!A-C]", false},
      {"-", "[-A]", true},
      {"-", "[A-]", true},
      {"!", "[A!]", true},
      {"*", "[*]", true},
      {"x", "[*]", false},
      {"?", "[?]", true},
      {"#", "[#]", true},
      {"[", "[[]", true},
      {"]", "]", true},
      {"EA1ABC", "[EA][A-Z]#*", true},
      {"EA1ABC", "[!E]*", false},
      {"Ñ", "[ÑN]", true},
      {"AB", "A[]B", true},
      // malformed
      {"A[", "A[", false},
      {"AB", "A[B", false},
  };
  for (const auto& c : casos)
    EXPECT_EQ(c.resultado, Like(c.texto, c.patron)) << '"' << c.texto << "\" Like \"" << c.patron << '"';
}

TEST(Like, MuchasEstrellasNoSeDisparan) {
  const std::string texto(2000, 'a');
  EXPECT_FALSE(Like(texto, "*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(Like(texto + "b", "*a*a*a*a*a*a*a*a*a*b"));
}

TEST(EsNumerico, Tabla) {
  struct Caso {
    std::string texto;
    bool numerico;
  };
  const Caso casos[] = {
      {"12", true},   {"0", true},     {"-7", true},    {"+3", true},    {"3.5", true},
      {"-0.25", true}, {".5", true},   {"5.", true},    {" 12 ", true},  {"007", true},
      {"", false},    {"   ", false},  {"-", false},    {"+", false},    {".", false},
      {"1A", false},  {"1,5", false},  {"1.2.3", false}, {"1e3", false}, {"0x1F", false},
      {"1 2", false}, {"--1", false},  {"\t1", false},  {"١", false},
  };
  for (const auto& c : casos) EXPECT_EQ(c.numerico, EsNumerico(c.texto)) << '"' << c.texto << '"';
}

TEST(ValorDeCifras, SoloCifrasHastaElMaximo) {
  struct Caso {
    std::string texto;
    std::size_t maximo;
    std::optional<long long> valor;
  };
  const Caso casos[] = {
      {"0", 9, 0},           {"007", 9, 7},       {"123456789", 9, 123456789}, {"1234567890", 9, std::nullopt},
      {"", 9, std::nullopt}, {" 1", 9, std::nullopt}, {"1 ", 9, std::nullopt},  {"+1", 9, std::nullopt},
      {"-1", 9, std::nullopt}, {"1.0", 9, std::nullopt}, {"1A", 9, std::nullopt}, {"\xD9\xA1", 9, std::nullopt},
      {"999999999999999999", 30, 999999999999999999LL}, {"1000000000000000000", 30, std::nullopt},
  };
  for (const auto& c : casos) EXPECT_EQ(c.valor, ValorDeCifras(c.texto, c.maximo)) << '"' << c.texto << '"';
}

TEST(Fechas, ValidezEnLosDosFormatos) {
  struct Caso {
    std::string texto;
    FormatoFecha formato;
    bool valida;
  };
  using F = FormatoFecha;
  const Caso casos[] = {
      {"2024-03-15", F::AnioMesDia, true},  {"2024-02-29", F::AnioMesDia, true},
      {"2023-02-29", F::AnioMesDia, false}, {"1900-02-29", F::AnioMesDia, false},
      {"2000-02-29", F::AnioMesDia, true},  {"2024-04-31", F::AnioMesDia, false},
      {"2024-12-31", F::AnioMesDia, true},  {"2024-13-01", F::AnioMesDia, false},
      {"2024-00-10", F::AnioMesDia, false}, {"2024-01-00", F::AnioMesDia, false},
      {"0000-01-01", F::AnioMesDia, false}, {"2024-3-15", F::AnioMesDia, false},
      {"2024/03/15", F::AnioMesDia, false}, {"20240315", F::AnioMesDia, false},
      {" 2024-03-15", F::AnioMesDia, false}, {"2024-03-1x", F::AnioMesDia, false},
      {"15-03-2024", F::AnioMesDia, false}, {"", F::AnioMesDia, false},
      {"15-03-2024", F::DiaMesAnio, true},  {"29-02-2024", F::DiaMesAnio, true},
      {"29-02-2023", F::DiaMesAnio, false}, {"31-06-2024", F::DiaMesAnio, false},
      {"2024-03-15", F::DiaMesAnio, false}, {"15/03/2024", F::DiaMesAnio, false},
      {"1-03-2024", F::DiaMesAnio, false},
  };
  for (const auto& c : casos) EXPECT_EQ(c.valida, EsFechaValida(c.texto, c.formato)) << c.texto;
}

TEST(Fechas, LeerYEscribir) {
  EXPECT_EQ((Fecha{2024, 3, 5}), LeeFecha("2024-03-05", FormatoFecha::AnioMesDia));
  EXPECT_EQ((Fecha{2024, 3, 5}), LeeFecha("05-03-2024", FormatoFecha::DiaMesAnio));
  EXPECT_EQ("05-03-2024", EscribeFecha({2024, 3, 5}, FormatoFecha::DiaMesAnio));
  EXPECT_EQ("2024-03-05", EscribeFecha({2024, 3, 5}, FormatoFecha::AnioMesDia));
  EXPECT_EQ("0099-01-01", EscribeFecha({99, 1, 1}, FormatoFecha::AnioMesDia));
}

TEST(ConCeros, Tabla) {
  struct Caso {
    long long valor;
    int digitos;
    std::string texto;
  };
  const Caso casos[] = {
      {7, 3, "007"},   {1234, 3, "1234"}, {0, 3, "000"}, {5, 2, "05"},     {14, 2, "14"},
      {-7, 3, "-007"}, {42, 0, "42"},     {3, 1, "3"},   {100, 3, "100"},
      {LLONG_MIN, 3, "-9223372036854775808"},
  };
  for (const auto& c : casos) EXPECT_EQ(c.texto, ConCeros(c.valor, c.digitos)) << c.valor;
}

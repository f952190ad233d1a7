// Reading a QSO line for the cross-check: tokens by the exchange flags, band
// folding and the defensive conversions of dates, times and numbers.
#include "scoring/lectura_qso.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace scoring {
namespace {

using T = reglas::TokenQso;

reglas::PerfilIntercambio RstYNumero() {
  reglas::PerfilIntercambio p;
  p.enviado.rst = p.enviado.numeral = true;
  p.recibido.rst = p.recibido.numeral = true;
  return p;
}

TEST(DesglosaLineaQso, LosFlagsDecidenQueTokenEsCadaCosa) {
  const std::string linea = "QSO: 14025 CW 2009-12-30 1648 QQ1ABC 599 001 QQ2XYZ 599 012";
  const reglas::TokensQso t = DesglosaLineaQso(linea, RstYNumero());
  EXPECT_EQ(t[T::Frecuencia], "14025");
  EXPECT_EQ(t[T::Modo], "CW");
  EXPECT_EQ(t[T::Fecha], "2009-12-30");
  EXPECT_EQ(t[T::Hora], "1648");
  EXPECT_EQ(t[T::MiIndicativo], "QQ1ABC");
  EXPECT_EQ(t[T::MiRst], "599");
  EXPECT_EQ(t[T::MiNumero], "001");
  EXPECT_EQ(t[T::SuIndicativo], "QQ2XYZ");
  EXPECT_EQ(t[T::SuRst], "599");
  EXPECT_EQ(t[T::SuNumero], "012");
  for (T vacio : {T::MisLetras, T::MisPuntos, T::MiLocator, T::SusLetras, T::SusPuntos, T::SuLocator})
    EXPECT_EQ(t[vacio], "");

  // With sent letters as well, the second call is read as the letters and
  // the number after it as the worked call.
  reglas::PerfilIntercambio con_letras = RstYNumero();
  con_letras.enviado.letras = true;
  const reglas::TokensQso u = DesglosaLineaQso(linea, con_letras);
  EXPECT_EQ(u[T::MisLetras], "QQ2XYZ");
  EXPECT_EQ(u[T::SuIndicativo], "599");
  EXPECT_EQ(u[T::SuRst], "012");
  EXPECT_EQ(u[T::SuNumero], "");
}

TEST(DesglosaLineaQso, SeparadoresYLineasCortas) {
  struct Caso {
    const char* linea;
    const char* propio;
    const char* trabajado;
    const char* su_numero;
  };
  const Caso casos[] = {
      // Several blanks, or a TAB, separate like one blank.
      {"QSO:   14025   CW 2009-12-30 1648    QQ1ABC 599 001    QQ2XYZ 599 012", "QQ1ABC", "QQ2XYZ", "012"},
      {"QSO:\t14025\tCW\t2009-12-30\t1648\tQQ1ABC\t599\t001\tQQ2XYZ\t599\t012", "QQ1ABC", "QQ2XYZ", "012"},
      {"QSO: 14025 CW 2009-12-30 1648 QQ1ABC \t599 001 QQ2XYZ 599 012", "QQ1ABC", "QQ2XYZ", "012"},
      // A line that ends after the worked call: empty received tokens.
      {"QSO: 14025 CW 2009-12-30 1648 QQ1ABC 599 001 QQ2XYZ", "QQ1ABC", "QQ2XYZ", ""},
      {"QSO: 14025 CW", "", "", ""},
      {"QSO:", "", "", ""},
      // Tokens after the last expected one are ignored.
      {"QSO: 14025 CW 2009-12-30 1648 QQ1ABC 599 001 QQ2XYZ 599 012 EXTRA MAS", "QQ1ABC", "QQ2XYZ", "012"},
  };
  for (const Caso& c : casos) {
    const reglas::TokensQso t = DesglosaLineaQso(c.linea, RstYNumero());
    EXPECT_EQ(t[T::MiIndicativo], c.propio) << c.linea;
    EXPECT_EQ(t[T::SuIndicativo], c.trabajado) << c.linea;
    EXPECT_EQ(t[T::SuNumero], c.su_numero) << c.linea;
  }
}

TEST(DesglosaLineaQso, ElOrdenDelIntercambioEsFijoConLosPuntosAntesDelLocator) {
  reglas::PerfilIntercambio p;
  p.enviado = {true, true, true, true, true};
  p.recibido = {true, true, true, true, true};
  const reglas::TokensQso t =
      DesglosaLineaQso("QSO: 144000 PH 2009-12-30 1648 QQ1ABC 59 001 M 10 IN80 QQ2XYZ 57 002 B 20 IN81", p);
  EXPECT_EQ(t[T::MiRst], "59");
  EXPECT_EQ(t[T::MiNumero], "001");
  EXPECT_EQ(t[T::MisLetras], "M");
  EXPECT_EQ(t[T::MisPuntos], "10");
  EXPECT_EQ(t[T::MiLocator], "IN80");
  EXPECT_EQ(t[T::SuIndicativo], "QQ2XYZ");
  EXPECT_EQ(t[T::SuRst], "57");
  EXPECT_EQ(t[T::SuNumero], "002");
  EXPECT_EQ(t[T::SusLetras], "B");
  EXPECT_EQ(t[T::SusPuntos], "20");
  EXPECT_EQ(t[T::SuLocator], "IN81");
}

TEST(ObtieneBanda, PliegueDeLaValidacion) {
  const std::pair<const char*, const char*> casos[] = {
      {"14025", "14000"}, {"14600", "14600"}, {"1999", "1800"},   {"2000", "2000"},   {"27555", "27500"},
      {"28000", "28000"}, {"30999", "28000"}, {"31000", "31000"}, {"10120", "10000"}, {"50", "50"},
      {"144", "144"},     {"432", "432"},     {"1.2G", "1.2"},    {"14499", "14000"}, {"14500", "14500"},
      {"3500", "3500"},   {"7025", "7000"},   {"", ""},           {"X14", "X14"},
  };
  for (const auto& [frecuencia, banda] : casos) EXPECT_EQ(ObtieneBanda(frecuencia), banda) << frecuencia;
}

TEST(LineasDelLog, QsoYFinSinDistinguirMayusculas) {
  EXPECT_TRUE(EsLineaQso("QSO: 14025"));
  EXPECT_TRUE(EsLineaQso("qso: 14025"));
  EXPECT_FALSE(EsLineaQso("DUP00:QSO: 14025"));
  EXPECT_FALSE(EsLineaQso("NUL06:QSO: 14025"));
  EXPECT_FALSE(EsLineaQso(" QSO: 14025"));
  EXPECT_FALSE(EsLineaQso("QSO"));
  EXPECT_TRUE(EsFinDeLog("END-OF-LOG:"));
  EXPECT_TRUE(EsFinDeLog("end-of-log"));
  EXPECT_FALSE(EsFinDeLog("END-OF"));
}

TEST(Conversiones, FechasYHoras) {
  EXPECT_EQ(FechaQso("2009-12-30"), (plataforma::Fecha{2009, 12, 30}));
  EXPECT_EQ(FechaQso("2008-02-29"), (plataforma::Fecha{2008, 2, 29}));
  for (const char* mala : {"2009-02-30", "2009-02-29", "2009-13-01", "30-12-2009", "2009/12/30", "", "AAAA-BB-CC"})
    EXPECT_FALSE(FechaQso(mala).has_value()) << mala;

  const std::pair<const char*, std::optional<int>> horas[] = {
      {"1648", 16 * 60 + 48}, {"0000", 0}, {"2359", 23 * 60 + 59}, {"16:48", 16 * 60 + 48},
      {"2400", std::nullopt}, {"1260", std::nullopt}, {"12", 12 * 60 + 12}, {"1", std::nullopt},
      {"", std::nullopt},     {"ab12", std::nullopt},
  };
  for (const auto& [texto, minutos] : horas) EXPECT_EQ(MinutosDelDia(texto), minutos) << texto;

  EXPECT_EQ(MinutoAbsoluto({2009, 12, 31}, 0) - MinutoAbsoluto({2009, 12, 30}, 0), 1440);
  EXPECT_EQ(MinutoAbsoluto({2009, 3, 1}, 0) - MinutoAbsoluto({2009, 2, 28}, 0), 1440);
  EXPECT_EQ(MinutoAbsoluto({2010, 1, 1}, 5) - MinutoAbsoluto({2009, 12, 31}, 23 * 60 + 55), 10);
}

TEST(Conversiones, NumerosDefensivos) {
  const std::pair<const char*, std::optional<int>> casos[] = {
      {"12", 12},           {"012", 12},          {" 12 ", 12},         {"+7", 7},
      {"-3", -3},           {"12.5", 12},         {"13.5", 14},         {"32767", 32767},
      {"32768", std::nullopt}, {"-32768", -32768}, {"99999999999999999999", std::nullopt},
      {"", std::nullopt},   {"ABC", std::nullopt}, {"1,5", std::nullopt}, {"1e3", std::nullopt},
  };
  for (const auto& [texto, valor] : casos) EXPECT_EQ(Entero16(texto), valor) << texto;

  const std::pair<const char*, const char*> letras[] = {
      {"007", "7"}, {"7", "7"},   {"0", ""},     {"000", ""},   {"M", "M"},
      {"-05", "-5"}, {"+12", "12"}, {"2.5", "3"}, {"9.9", "10"}, {"12345678901234567890", "12345678901234567890"},
      {"", ""},     {"B7", "B7"},
  };
  for (const auto& [texto, comparable] : letras) EXPECT_EQ(LetrasComparables(texto), comparable) << texto;

  const std::pair<const char*, int> cuentas[] = {{"", 0}, {"0", 0}, {"5", 5}, {"12", 12}, {" 3", 3},
                                                 {"7x", 7}, {"x7", 0}, {"999999", 32767}};
  for (const auto& [texto, n] : cuentas) EXPECT_EQ(NumeroDeTexto(texto), n) << texto;
}

}  // namespace
}  // namespace scoring

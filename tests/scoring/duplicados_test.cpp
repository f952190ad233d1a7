// Duplicate marking ("DUP00:"): every repeat rule, the contest rule of LA
// PALMA ISLA BONITA HF, old marks and the lines that are never read. Every
// case runs through the indexed marking and the line-by-line reference.
#include "scoring/duplicados.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "scoring/cruce_literal.h"

namespace scoring {
namespace {

struct Caso {
  const char* nombre;
  ReglasRepeticion reglas;
  const char* concurso;
  std::vector<std::string> lineas;
  std::vector<std::string> esperadas;  // empty: the log stays as it was
};

ReglasRepeticion Reglas(bool estacion, bool banda, bool modo, bool horas, bool no_repetir) {
  return {estacion, banda, modo, horas, no_repetir};
}

// Flags of the fixtures: RST and serial each way; letters received.
DatosCruce Datos(const ReglasRepeticion& reglas, std::string concurso) {
  DatosCruce d;
  d.NombreConcurso = std::move(concurso);
  d.Repeticion = reglas;
  d.Intercambio.enviado.rst = d.Intercambio.enviado.numeral = true;
  d.Intercambio.recibido.rst = d.Intercambio.recibido.letras = true;
  return d;
}

std::string Q(const std::string& f, const std::string& m, const std::string& fecha, const std::string& llamada,
              const std::string& letras = "M") {
  return "QSO: " + f + " " + m + " " + fecha + " 1200 QQ1AAA 599 001 " + llamada + " 599 " + letras;
}
std::string D(const std::string& linea) { return "DUP00:" + linea; }

const std::string kCab1 = "START-OF-LOG: 3.0";
const std::string kCab2 = "CALLSIGN: QQ1AAA";
const std::string kFin = "END-OF-LOG:";

TEST(MarcaQsoDuplicados, ReglasDeRepeticion) {
  const std::string a1 = Q("14025", "CW", "2009-12-30", "QQ2BBB");
  const std::string a2 = Q("7025", "PH", "2009-12-31", "QQ2BBB");
  const std::string a3 = Q("21025", "CW", "2009-12-30", "QQ2BBB");
  const std::string b1 = Q("14025", "CW", "2009-12-30", "QQ3CCC");
  const std::string banda1 = Q("14025", "CW", "2009-12-30", "QQ2BBB");
  const std::string banda2 = Q("14250", "CW", "2009-12-30", "QQ2BBB");
  const std::string banda3 = Q("7025", "CW", "2009-12-30", "QQ2BBB");
  const std::string w1 = Q("10120", "CW", "2009-12-30", "QQ2BBB");
  const std::string w2 = Q("10130", "CW", "2009-12-30", "QQ2BBB");
  const std::string c1 = Q("27555", "CW", "2009-12-30", "QQ2BBB");
  const std::string c2 = Q("27600", "CW", "2009-12-30", "QQ2BBB");
  const std::string cw = Q("14025", "CW", "2009-12-30", "QQ2BBB");
  const std::string ph = Q("14025", "PH", "2009-12-30", "QQ2BBB");
  const std::string cw2 = Q("14030", "CW", "2009-12-30", "QQ2BBB");
  const std::string d30 = Q("14025", "CW", "2009-12-30", "QQ2BBB");
  const std::string d31 = Q("14025", "CW", "2009-12-31", "QQ2BBB");
  const std::string d30b = Q("7025", "PH", "2009-12-30", "QQ2BBB");
  const std::string minus = Q("14025", "CW", "2009-12-30", "qq2bbb");
  const std::string modo_min = Q("14025", "cw", "2009-12-30", "QQ2BBB");

  const Caso casos[] = {
      {"NoRepetir: el segundo y el tercero, en cualquier banda, modo y fecha",
       Reglas(false, false, false, false, true), "", {kCab1, a1, b1, a2, a3, kFin},
       {kCab1, a1, b1, D(a2), D(a3), kFin}},
      {"Ninguna regla: nada se marca", Reglas(false, false, false, false, false), "", {kCab1, a1, a2, a3, kFin}, {}},
      {"RepetirEstacion aun con NoRepetir: nada", Reglas(true, false, false, false, true), "",
       {kCab1, a1, a2, kFin}, {}},
      {"Cada banda: 14025 y 14250 repiten, 7025 no", Reglas(false, true, false, false, false), "",
       {kCab1, banda1, banda2, banda3, kFin}, {kCab1, banda1, D(banda2), banda3, kFin}},
      {"Cada banda: 10120 y 10130, 27555 y 27600", Reglas(false, true, false, false, false), "",
       {w1, w2, c1, c2}, {w1, D(w2), c1, D(c2)}},
      {"Cada banda y modo: CW y PH en la misma banda no repiten", Reglas(false, true, true, false, false), "",
       {cw, ph, cw2}, {cw, ph, D(cw2)}},
      {"Cada fecha: otro dia no repite, el mismo dia si", Reglas(false, false, false, true, false), "",
       {d30, d31, d30b}, {d30, d31, D(d30b)}},
      {"Indicativos que solo difieren en mayusculas son la misma estacion", Reglas(false, false, false, false, true),
       "", {a1, minus}, {a1, D(minus)}},
      {"Modos que solo difieren en mayusculas son modos distintos", Reglas(false, false, true, false, false), "",
       {cw, modo_min}, {}},
      {"Una marca antigua se quita antes de marcar", Reglas(false, false, false, false, false), "",
       {kCab1, D(a1), D(b1), kFin}, {kCab1, a1, b1, kFin}},
      {"Con RepetirEstacion la marca antigua se queda", Reglas(true, false, false, false, false), "",
       {kCab1, D(a1), kFin}, {}},
      {"Cabecera y lineas tras END-OF-LOG no se leen", Reglas(false, false, false, false, true), "",
       {kCab1, "qso: cabecera QQ2BBB", a1, a2, kFin, a3}, {kCab1, "qso: cabecera QQ2BBB", a1, D(a2), kFin, a3}},
      {"Una linea qso: en minusculas tras la primera QSO: cuenta", Reglas(false, false, false, false, true), "",
       {kCab2, a1, "qso: 14025 CW 2009-12-30 1200 QQ1AAA 599 001 QQ2BBB 599 M"},
       {kCab2, a1, "DUP00:qso: 14025 CW 2009-12-30 1200 QQ1AAA 599 001 QQ2BBB 599 M"}},
      {"Sin linea QSO: nada, pero la marca antigua se quita", Reglas(false, false, false, false, true), "",
       {kCab1, D("X"), kFin}, {kCab1, "X", kFin}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const DatosCruce datos = Datos(c.reglas, c.concurso);
    const std::vector<std::string> esperadas = c.esperadas.empty() ? c.lineas : c.esperadas;
    std::vector<std::string> indexadas = c.lineas;
    MarcaQsoDuplicados(indexadas, datos);
    EXPECT_EQ(indexadas, esperadas);
    std::vector<std::string> literales = c.lineas;
    literal::MarcaQsoDuplicados(literales, datos);
    EXPECT_EQ(literales, esperadas);
  }
}

TEST(MarcaQsoDuplicados, ReglaDeLaPalmaParaQQ8KPW) {
  const std::string k1 = Q("14025", "CW", "2009-12-30", "QQ8KPW", "A");
  const std::string k2 = Q("14200", "PH", "2009-12-30", "QQ8KPW", "A");  // same band, letters, date
  const std::string k3 = Q("14025", "CW", "2009-12-30", "QQ8KPW", "B");  // other letters
  const std::string k4 = Q("7025", "CW", "2009-12-30", "QQ8KPW", "A");   // other band
  const std::string otro1 = Q("14025", "CW", "2009-12-30", "QQ2BBB", "A");
  const std::string otro2 = Q("14025", "CW", "2009-12-30", "QQ2BBB", "B");
  const Caso casos[] = {
      // The repeat fields do not matter for QQ8KPW; they still do for others.
      {"NoRepetir", Reglas(false, false, false, false, true), "LA PALMA ISLA BONITA HF",
       {k1, k2, k3, k4, otro1, otro2}, {k1, D(k2), k3, k4, otro1, D(otro2)}},
      {"Ninguna regla", Reglas(false, false, false, false, false), "LA PALMA ISLA BONITA HF",
       {k1, k2, k3, otro1, otro2}, {k1, D(k2), k3, otro1, otro2}},
      {"Otro concurso", Reglas(false, false, false, false, true), "LA PALMA", {k1, k2, k3},
       {k1, D(k2), D(k3)}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const DatosCruce datos = Datos(c.reglas, c.concurso);
    std::vector<std::string> indexadas = c.lineas, literales = c.lineas;
    MarcaQsoDuplicados(indexadas, datos);
    literal::MarcaQsoDuplicados(literales, datos);
    EXPECT_EQ(indexadas, c.esperadas);
    EXPECT_EQ(literales, c.esperadas);
  }
}

// Random logs under random rules: the indexed marking and the reference
// agree line for line.
TEST(MarcaQsoDuplicados, LlamadasConLetrasFueraDeAsciiSinDistinguirMayusculas) {
  // "qqñ1ab" and "QQÑ1AB" are one station; "QQN1AB" another. Under each
  // rule the marks are those of the line-by-line reference.
  const std::vector<std::string> lineas{
      Q("14025", "CW", "2009-12-30", "QQÑ1AB"), Q("14025", "CW", "2009-12-30", "qqñ1ab"),
      Q("14025", "CW", "2009-12-30", "QQN1AB"), Q("7025", "CW", "2009-12-30", "qqÑ1Ab"),
      Q("7025", "CW", "2009-12-30", "QQÑ1AB"),  Q("14025", "CW", "2009-12-31", "qqñ1ab")};
  for (const ReglasRepeticion& reglas :
       {Reglas(false, false, false, false, true), Reglas(false, true, false, false, false),
        Reglas(false, true, true, true, false)}) {
    std::vector<std::string> indexadas = lineas, literales = lineas;
    MarcaQsoDuplicados(indexadas, Datos(reglas, ""));
    literal::MarcaQsoDuplicados(literales, Datos(reglas, ""));
    EXPECT_EQ(indexadas, literales);
    EXPECT_TRUE(indexadas[1].starts_with("DUP00:"));
    EXPECT_FALSE(indexadas[2].starts_with("DUP00:"));
  }
}

TEST(MarcaQsoDuplicados, IndexadoYLiteralCoincidenEnLogsAleatorios) {
  const std::vector<std::string> llamadas = {"QQ2BBB", "qq2bbb", "QQ8KPW", "qq8kpw", "QQ3CC", "QQ3CC/P", ""};
  const std::vector<std::string> frecuencias = {"14025", "14250", "7025", "1.2G", "1.2", "50", "27555"};
  const std::vector<std::string> modos = {"CW", "cw", "PH", "RY"};
  const std::vector<std::string> fechas = {"2009-12-30", "2009-12-31", "2009-02-30"};
  const std::vector<std::string> letras = {"A", "B", "007", "7"};
  const std::vector<std::string> otras = {"START-OF-LOG: 3.0", "END-OF-LOG:", "end-of-log", "DUP00:", "X-Y: Z",
                                          "NUL06:QSO: 14025 CW 2009-12-30 1200 A 5 1 QQ2BBB 5 A"};
  std::mt19937 azar(27);
  auto elige = [&](const std::vector<std::string>& v) { return v[azar() % v.size()]; };
  for (int vuelta = 0; vuelta < 400; ++vuelta) {
    std::vector<std::string> lineas;
    const int n = 1 + static_cast<int>(azar() % 25);
    for (int i = 0; i < n; ++i) {
      const unsigned tipo = azar() % 10;
      std::string linea;
      if (tipo == 0)
        linea = elige(otras);
      else
        linea = Q(elige(frecuencias), elige(modos), elige(fechas), elige(llamadas), elige(letras));
      if (tipo == 1) linea = "DUP00:" + linea;
      if (tipo == 2) linea = "qso:" + linea.substr(4);
      lineas.push_back(linea);
    }
    const ReglasRepeticion reglas = Reglas(azar() % 6 == 0, azar() % 2, azar() % 2, azar() % 2, azar() % 2);
    const DatosCruce datos = Datos(reglas, azar() % 2 ? "LA PALMA ISLA BONITA HF" : "");
    std::vector<std::string> indexadas = lineas, literales = lineas;
    MarcaQsoDuplicados(indexadas, datos);
    literal::MarcaQsoDuplicados(literales, datos);
    ASSERT_EQ(indexadas, literales) << "vuelta " << vuelta;
  }
}

}  // namespace
}  // namespace scoring

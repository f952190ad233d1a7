// The points of one QSO: the order of the rules, the band fields, distance
// points and the rules of the contests known by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scoring/multiplicadores.h"
#include "scoring/puntos_qso.h"
#include "scoring/puntuacion_prueba.h"

namespace scoring {
namespace {

class PuntosQso : public ::testing::Test {
 protected:
  PuntosQso() : paises(prueba::PaisesPuntos()), anteriores(*paises, opciones) {
    config.NombreConcurso = "CONCURSO PRUEBA";
    config.RecibirPuntos = true;
    concursante.Indicativo = "QQ1ABC";
    concursante.Dxcc = "Q1";
    concursante.Continente = "EU";
  }

  // A QSO with the worked station's country and continent looked up.
  DatosQso Qso(const std::string& indicativo, const std::string& banda = "14000", const std::string& modo = "CW",
               const std::string& entrada = "") {
    DatosQso q;
    q.Indicativo = indicativo;
    q.Banda = banda;
    q.Modo = modo;
    q.Concursante = concursante.Indicativo;
    q.PuntosRecibidos = entrada;
    q.DxccEstacionBase = concursante.Dxcc;
    std::string waz;
    ObtienePaisZonaContinente(*paises, indicativo, q.Dxcc, waz, q.Continente);
    return q;
  }

  std::string Puntos(DatosQso q) {
    const ContextoPuntos c{config, especiales, *paises, socios, distancia};
    CalculaPuntosQso(q, concursante, anteriores, c);
    return q.PuntosRecibidos;
  }

  std::unique_ptr<TablasPaises> paises;
  OpcionesMultiplicadores opciones;
  QsosAnteriores anteriores;
  ConfiguracionPuntos config;
  EstacionesEspeciales especiales;
  DatosConcursante concursante;
  std::vector<std::string> socios;
  DistanciaLocators distancia = [](const std::string&, const std::string&) { return 123.5f; };
};

TEST_F(PuntosQso, CamposPorBandaYContinente) {
  config.MismoContinente[3] = "2";  // 10 MHz
  config.DistintoContinente[3] = "5";
  config.MismoContinente[4] = "7";  // 14 MHz
  for (auto& c : config.MismoContinente)
    if (c.empty()) c = "9";
  for (auto& c : config.DistintoContinente)
    if (c.empty()) c = "9";
  EXPECT_EQ(Puntos(Qso("EA1AA", "10000")), "2");
  EXPECT_EQ(Puntos(Qso("W1AW", "10000")), "5");
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000")), "7");
  EXPECT_EQ(Puntos(Qso("EA1AA", "50")), "0") << "another country on 50";
  EXPECT_EQ(Puntos(Qso("EA1AA", "27500")), "0");
  config.MismoContinente[4] = "";
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000")), "0") << "an empty field";
}

TEST_F(PuntosQso, MismoPais) {
  EXPECT_EQ(Puntos(Qso("QQ2XY", "14000", "CW", "4")), "4") << "empty PuntosMismoPais keeps the entry value";
  EXPECT_EQ(Puntos(Qso("QQ2XY")), "");
  config.PuntosMismoPais = "1";
  EXPECT_EQ(Puntos(Qso("QQ2XY", "14000", "CW", "4")), "1");
}

TEST_F(PuntosQso, SinPuntosPorQsoQuedaLaEntrada) {
  config.RecibirPuntos = false;
  config.MismoContinente.fill("9");
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000", "CW", "6")), "6");
}

TEST_F(PuntosQso, EstacionesEspecialesAntesQueLosCampos) {
  config.MismoContinente.fill("9");
  especiales.Anade({std::string("EA1AA"), "*", "*", "*", "*", "*", 2, std::string("*")});
  EXPECT_EQ(Puntos(Qso("EA1AA")), "2");
  EXPECT_EQ(Puntos(Qso("EA2BB")), "9");
}

TEST_F(PuntosQso, Distancia) {
  config.RecibirPuntosPorKM = true;
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000", "CW")), "123.5");
  config.NombreConcurso = "COMARCAS CATALANAS";
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000", "CW")), "247");
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000", "PH")), "123.5");
  config.NombreConcurso = "VGE SPRINT";
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000", "CW")), "123.5") << "distance before the contest rules";
  // The real distance: no locator gives 0.
  distancia = DistanciaEntreLocators;
  EXPECT_EQ(Puntos(Qso("EA1AA")), "0");
}

TEST_F(PuntosQso, ConcursosPorNombre) {
  config.MismoContinente.fill("9");
  config.NombreConcurso = "VGE SPRINT";
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000", "CW")), "3");
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000", "PH")), "1");
  config.NombreConcurso = "VGE SPRINT 2024";
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000", "CW")), "9") << "only the whole name";

  config.NombreConcurso = "SPRINT DCE 1.0";
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000", "CW", "3")), "3");

  config.NombreConcurso = "XII A1A CLUB";
  DatosQso q = Qso("EA1AA");
  q.LiteralRecibido = "123";
  EXPECT_EQ(Puntos(q), "5");
  q.LiteralRecibido = "ABC";
  EXPECT_EQ(Puntos(q), "1");
  q.LiteralRecibido = "";
  EXPECT_EQ(Puntos(q), "1");

  config.NombreConcurso = "CONCURSO DIE";
  config.RecibirPuntos = false;
  EXPECT_EQ(Puntos(Qso("EA1AA", "14000", "CW", "6")), "6");
}

TEST_F(PuntosQso, UrsRtty) {
  config.NombreConcurso = "XX URS RTTY";
  config.RecibirPuntos = false;
  struct {
    const char* propio;
    const char* trabajado;
    const char* puntos;
  } casos[] = {{"EA8", "EA6AA", "2"}, {"EA", "F1AA", "1"}, {"DL", "EA1AA", "3"}, {"DL", "W1AW", "1"}};
  for (const auto& c : casos) {
    DatosQso q = Qso(c.trabajado);
    q.DxccEstacionBase = c.propio;
    EXPECT_EQ(Puntos(q), c.puntos) << c.propio << " " << c.trabajado;
  }
  DatosQso otro = Qso("EA1AA", "14000", "CW", "6");
  EXPECT_FALSE(CalculaPuntosRtty(otro, "URS-RTTY"));
  EXPECT_EQ(otro.PuntosRecibidos, "6");
}

TEST_F(PuntosQso, AniversarioZurozi) {
  config.NombreConcurso = "X ANIVERSARIO ZUROZI";
  socios = {"QQ5MZT", "EA2SO", "F5SO"};
  EXPECT_EQ(Puntos(Qso("QQ5MZT")), "10");
  EXPECT_EQ(Puntos(Qso("F5SO")), "5");
  EXPECT_EQ(Puntos(Qso("EA2SO/P")), "4") << "a member with a portable part is not found";
  EXPECT_EQ(Puntos(Qso("EA1AA")), "4");
  EXPECT_EQ(Puntos(Qso("DL1AA")), "3");
}

TEST_F(PuntosQso, PskTest) {
  config.NombreConcurso = "AT WW PSK TEST";
  auto psk = [&](const char* propio, const char* trabajado, const char* entrada) {
    DatosQso q;
    q.Indicativo = trabajado;
    q.Concursante = propio;
    q.PuntosRecibidos = entrada;
    q.Dxcc = "x";
    return Puntos(q);
  };
  // Calls of two digits, two letters and a digit with a letter.
  EXPECT_EQ(psk("12AT1A", "49AT1A", "2"), "5");
  EXPECT_EQ(psk("12AT1A", "12AT1A", "2"), "4");
  EXPECT_EQ(psk("12AT1A", "12XY1A", "2"), "3");
  EXPECT_EQ(psk("12AT1A", "12XY1A", ""), "1");
  EXPECT_EQ(psk("12AT1A", "049AT1A", ""), "2") << "049 is not 49";
  EXPECT_EQ(psk("30AT1A", "49AT1A", "2"), "2");
  EXPECT_EQ(psk("12AT1A", "49AT", "2"), "3") << "no digit after the letters: no letters";
}

TEST_F(PuntosQso, CaminoDeSantiago) {
  config.NombreConcurso = "II CAMINO DE SANTIAGO";
  especiales.Anade({std::string("*"), "*", "*", std::string("LU"), "*", "*", 1, std::string("*")});
  DatosQso q = Qso("EA1AA");
  q.LiteralRecibido = "L-U";
  EXPECT_EQ(Puntos(q), "1");
  anteriores.Anade(q);  // stored as written: "L-U"
  EXPECT_EQ(Puntos(q), "1") << "earlier letters compared as stored";
  q.LiteralRecibido = "LU";
  anteriores.Anade(q);
  EXPECT_EQ(Puntos(q), "0");
  q.LiteralRecibido = "OU";
  EXPECT_EQ(Puntos(q), "0");
  q.LiteralRecibido = "";
  EXPECT_EQ(Puntos(q), "0");
}

TEST_F(PuntosQso, ConcursoDie) {
  config.NombreConcurso = "CONCURSO DIE";
  DatosQso q = Qso("EA1AA");
  q.LiteralRecibido = "D-1234";
  EXPECT_EQ(Puntos(q), "8") << "0 + 3 + 5";
  anteriores.Anade(q);
  q.LiteralRecibido = "AB123";
  EXPECT_EQ(Puntos(q), "8") << "prefix already worked on the band";
  q.LiteralRecibido = "-";
  EXPECT_EQ(Puntos(q), "1");
  especiales.Anade({std::string("*"), "*", "*", "*", "7", "*", 2, std::string("*")});
  DatosQso r = Qso("EA2BB", "7000");
  r.LiteralRecibido = "E12";
  EXPECT_EQ(Puntos(r), "5") << "2 + 3";
}

TEST(TextoPuntos, Numeros) {
  EXPECT_EQ(TextoPuntos(247), "247");
  EXPECT_EQ(TextoPuntos(123.5), "123.5");
  EXPECT_EQ(TextoPuntos(0), "0");
  EXPECT_EQ(TextoPuntos(1234.567f), "1234.567");
  EXPECT_EQ(ValorPuntos(""), 0);
  EXPECT_EQ(ValorPuntos("A"), 0);
  EXPECT_EQ(ValorPuntos(" 12 "), 12);
}

}  // namespace
}  // namespace scoring

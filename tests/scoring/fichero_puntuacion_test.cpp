// The score file: the head with the band lines and the total, the field of
// each valid QSO line and the reason line of each marked one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/fichero_puntuacion.h"
#include "soporte/carpeta_temporal.h"

namespace scoring {
namespace {

std::array<bool, 14> Todas() {
  std::array<bool, 14> b;
  b.fill(true);
  return b;
}

TEST(FicheroPuntuacion, CabeceraYTotal) {
  soporte::CarpetaTemporal tmp;
  plataforma::CreaCarpeta(tmp.En("ListasPuntuaciones"));
  const std::vector<FilaPuntuada> filas = {
      {"14000", 0, 4}, {"7000", 2, 20}, {"14000", 0, 6}, {"7000", 1, 0}, {"222", 5, 50}};
  std::string nombre = "QQ1ABC/P";
  FicheroPuntuacion f = EscribeFicheroPuntuacion(tmp.Ruta(), "SINGLE-OP", nombre, filas, Todas());
  EXPECT_EQ(nombre, "QQ1ABC");
  EXPECT_EQ(f.Ruta, plataforma::UneRuta(tmp.En("ListasPuntuaciones"), "QQ1ABC.PTS"));
  const std::vector<std::string> esperado = {
      "",
      "CONCURSANTE: QQ1ABC",
      "",
      "CATEGORÍA: SINGLE-OP",
      "",
      "7 MZ.  :Puntos = 20, Multiplicadores = 3",
      "14 MZ. :Puntos = 10, Multiplicadores = ",
      "",
      "TOTAL PUNTOS: 90",
      "",
  };
  EXPECT_EQ(f.Lineas, esperado) << "points 10 and 20 with multipliers 0 and 3; band 222 counts nowhere";
}

TEST(FicheroPuntuacion, SinMultiplicadoresNiQsos) {
  soporte::CarpetaTemporal tmp;
  std::string nombre = "QQ1ABC";
  auto permitidas = Todas();
  permitidas[4] = false;  // 14 MHz
  FicheroPuntuacion f =
      EscribeFicheroPuntuacion(tmp.Ruta(), "X", nombre, {{"7000", 0, 12}, {"14000", 4, 100}}, permitidas);
  EXPECT_EQ(f.Lineas[5], "7 MZ.  :Puntos = 12, Multiplicadores = ");
  EXPECT_EQ(f.Lineas[7], "TOTAL PUNTOS: 12") << "no multipliers count as 1; a band not permitted counts nowhere";
  f = EscribeFicheroPuntuacion(tmp.Ruta(), "X", nombre, {}, Todas());
  EXPECT_EQ(f.Lineas.size(), 8u);
  EXPECT_EQ(f.Lineas[6], "TOTAL PUNTOS: 0");
}

TEST(FicheroPuntuacion, TotalMasAllaDe32Bits) {
  soporte::CarpetaTemporal tmp;
  std::string nombre = "QQ1ABC";
  std::vector<FilaPuntuada> filas;
  for (int i = 0; i < 3000; ++i) filas.push_back({"14000", 1, 2000});
  FicheroPuntuacion f = EscribeFicheroPuntuacion(tmp.Ruta(), "X", nombre, filas, Todas());
  EXPECT_EQ(f.Lineas[5], "14 MZ. :Puntos = 6000000, Multiplicadores = 3000");
  EXPECT_EQ(f.Lineas[7], "TOTAL PUNTOS: 18000000000") << "no wrap at 32 bits";
}

TEST(FicheroPuntuacion, CampoDeCadaQso) {
  EXPECT_EQ(CampoQsoPuntuado(1, 3), "Mult:1 Pts:3   ");
  EXPECT_EQ(CampoQsoPuntuado(0, 0), "Mult:0 Pts:0   ");
  EXPECT_EQ(CampoQsoPuntuado(12, 1234), "Mult:12Pts:1234");
  EXPECT_EQ(CampoQsoPuntuado(123, 12345), "Mult:12Pts:1234") << "three digits show two, five characters four";
}

TEST(FicheroPuntuacion, ParteDeQsos) {
  soporte::CarpetaTemporal tmp;
  plataforma::CreaCarpeta(tmp.En("ListasPuntuaciones"));
  std::string nombre = "QQ1ABC";
  const std::vector<FilaPuntuada> filas = {{"14000", 1, 3}, {"14000", 0, 2}};
  FicheroPuntuacion f = EscribeFicheroPuntuacion(tmp.Ruta(), "X", nombre, filas, Todas());
  const std::vector<std::string> log = {
      "START-OF-LOG: 3.0",
      "CALLSIGN: QQ1ABC",
      "QSO: 14000 CW 2024-05-04 1000 QQ1ABC 599 EA1AA 599",
      "NUL16:QSO: 14000 CW 2024-05-04 1001 QQ1ABC 599 EA2AA 579",
      "DUP00:QSO: 14000 CW 2024-05-04 1002 QQ1ABC 599 EA1AA 599",
      "XYZ99:QSO: 14000 CW 2024-05-04 1003 QQ1ABC 599 EA3AA 599",
      "  QSO: 14000 CW 2024-05-04 1004 QQ1ABC 599 EA4AA 599",
      "QSO: 14000 CW 2024-05-04 1005 QQ1ABC 599 EA5AA 599",
      "  END-OF-LOG:",
      "QSO: 14000 CW 2024-05-04 1006 QQ1ABC 599 EA6AA 599",
  };
  EscribeQsoPuntuacion(f, log, filas);
  const std::vector<std::string> qsos(f.Lineas.begin() + 9, f.Lineas.end());
  const std::vector<std::string> esperado = {
      "Mult:1 Pts:3    14000 CW 2024-05-04 1000 QQ1ABC 599 EA1AA 599",
      "Mult:0 Pts:0   NUL16:QSO: 14000 CW 2024-05-04 1001 QQ1ABC 599 EA2AA 579",
      "El RS(T) recibido no coincide con el RS(T) enviado por el corresponsal.",
      "Mult:0 Pts:0   DUP00:QSO: 14000 CW 2024-05-04 1002 QQ1ABC 599 EA1AA 599",
      "Contacto duplicado",
      "Mult:0 Pts:0   XYZ99:QSO: 14000 CW 2024-05-04 1003 QQ1ABC 599 EA3AA 599",
      "Mult:0 Pts:2    14000 CW 2024-05-04 1005 QQ1ABC 599 EA5AA 599",
  };
  EXPECT_EQ(qsos, esperado);
  std::string bytes;
  ASSERT_TRUE(plataforma::LeerBytes(f.Ruta, bytes));
  EXPECT_NE(bytes.find("CATEGOR\xCD"
                       "A: X\r\n"),
            std::string::npos)
      << "Windows-1252 with CR LF";
}

TEST(FicheroPuntuacion, NombreQueNoSaleDeLaCarpeta) {
  soporte::CarpetaTemporal tmp;
  plataforma::CreaCarpeta(tmp.En("ListasPuntuaciones"));
  std::string nombre = "../../QQ1ABC";
  FicheroPuntuacion f = EscribeFicheroPuntuacion(tmp.Ruta(), "X", nombre, {}, Todas());
  const std::string carpeta = tmp.En("ListasPuntuaciones") + "/";
  EXPECT_EQ(f.Ruta.substr(0, carpeta.size()), carpeta);
  EXPECT_EQ(f.Ruta.find('/', carpeta.size()), std::string::npos) << f.Ruta;
}

TEST(FicheroPuntuacion, CarpetaQueNoExiste) {
  soporte::CarpetaTemporal tmp;
  std::string nombre = "QQ1ABC";
  FicheroPuntuacion f = EscribeFicheroPuntuacion(tmp.En("no"), "X", nombre, {}, Todas());
  EXPECT_THROW(EscribeQsoPuntuacion(f, {}, {}), plataforma::ErrorFichero);
}

}  // namespace
}  // namespace scoring

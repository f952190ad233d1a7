// The table of answers by callsign and the index of earlier QSOs: what
// they answer does not depend on how many texts came before, nor on the
// logs scored before.
#include "scoring/tabla_textos.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "scoring/multiplicadores.h"
#include "scoring/paises_prueba.h"

namespace scoring {
namespace {

// Texts that share their beginnings, differ in one byte, are empty, long or
// not UTF-8: each is found with its own value, through the table's growth,
// and a value keeps its place.
TEST(TablaTextos, CadaTextoConSuValorAunqueLaTablaCrezca) {
  std::vector<std::string> textos = {"",
                                     "EA1",
                                     "EA1A",
                                     "ea1",
                                     "EA1\xD1",
                                     std::string(21, 'Q'),
                                     std::string(22, 'Q') + "X",
                                     std::string(22, 'R'),
                                     std::string(23, 'Q'),
                                     std::string(300, 'Q'),
                                     std::string(300, 'Q') + "X",
                                     std::string("A\0B", 3)};
  std::mt19937 azar(7);
  for (int i = 0; i < 5000; ++i) {
    std::string t;
    for (std::size_t n = 1 + azar() % 9; n > 0; --n) t += static_cast<char>('0' + azar() % 43);
    textos.push_back(t);
  }
  // Values repeat, as countries do among calls.
  auto valor = [](std::size_t i) { return static_cast<int>(i % 37); };
  TablaTextos<int> tabla;
  std::map<std::string, int> referencia;
  std::vector<std::pair<std::string, const int*>> puestos;
  for (std::size_t i = 0; i < textos.size(); ++i) {
    const std::string& t = textos[i];
    const int* hallado = tabla.Busca(t);
    ASSERT_EQ(hallado != nullptr, referencia.count(t) == 1) << i;
    if (hallado) {
      EXPECT_EQ(*hallado, referencia[t]);
      continue;
    }
    const int& puesto = tabla.Pon(t, valor(i));
    EXPECT_EQ(puesto, valor(i));
    puestos.emplace_back(t, &puesto);
    referencia[t] = valor(i);
  }
  EXPECT_EQ(tabla.Cuantos(), referencia.size());
  for (const auto& [t, puesto] : puestos) {
    ASSERT_EQ(tabla.Busca(t), puesto) << "a value keeps its place as the table grows: " << t;
    EXPECT_EQ(*puesto, referencia[t]);
  }
  EXPECT_EQ(tabla.Busca("no está"), nullptr);
  EXPECT_EQ(tabla.Busca(std::string(300, 'Q') + "Y"), nullptr);
  EXPECT_EQ(tabla.Busca(std::string(22, 'Q')), nullptr);
  tabla.Vacia();
  EXPECT_EQ(tabla.Cuantos(), 0u);
  EXPECT_EQ(tabla.Busca("EA1"), nullptr);
  EXPECT_EQ(tabla.Pon("EA1", 3), 3);
  EXPECT_EQ(*tabla.Busca("EA1"), 3);
}

// The earlier QSOs of one log: a long log, then a short one, then a long
// one again with the same engine answer as each log alone would.
TEST(QsosAnteriores, CadaLogSoloConSusQsosTrasLogsDeOtroTamano) {
  const auto paises = PaisesPrueba();
  OpcionesMultiplicadores opciones;
  opciones.Multiplicadores = true;
  opciones.Prefijo.Cada = true;
  QsosAnteriores anteriores(*paises, opciones);
  auto qso = [](const std::string& literal, const std::string& indicativo) {
    DatosQso q;
    q.Banda = "14000";
    q.Modo = "CW";
    q.FechaQso = "01-05-2016";
    q.LiteralRecibido = literal;
    q.Indicativo = indicativo;
    q.Dxcc = "EA";
    return q;
  };
  auto tiene = [&](const std::string& literal) {
    return anteriores.Tiene(Familia::Literal, Ambito::Concurso, PliegaTexto(literal));
  };
  for (int log : {20000, 3, 20000}) {
    anteriores.Vacia();
    const std::string marca = "L" + std::to_string(log) + "-";
    for (int i = 0; i < log; ++i) {
      EXPECT_FALSE(tiene(marca + std::to_string(i))) << log << " " << i;
      anteriores.Anade(qso(marca + std::to_string(i), "QQ" + std::to_string(i % 10) + "X" + std::to_string(i)));
    }
    EXPECT_EQ(anteriores.Cuantos(), log);
    for (int i = 0; i < log; i += 997) EXPECT_TRUE(tiene(marca + std::to_string(i))) << log << " " << i;
    EXPECT_FALSE(tiene("L3-0") && log != 3) << "a text of another log is not an earlier QSO";
  }
}

}  // namespace
}  // namespace scoring

// The special-station points: a row for the worked station decides, among
// the other rows the best offer wins, reference rows count only for a QSO
// that carries a reference.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/creacion.h"
#include "plataforma/dao.h"
#include "scoring/puntos_especiales.h"
#include "scoring/puntuacion_prueba.h"
#include "soporte/carpeta_temporal.h"

namespace scoring {
namespace {

// A plain row: the columns not named are "*"; PuntosRef "*".
FilaEspecial Simple(std::int64_t puntos, std::string estacion = "*", std::string banda = "*", std::string modo = "*",
                    std::string prefijo = "*", std::string distrito = "*", std::string provincia = "*") {
  return {estacion, prefijo, distrito, provincia, banda, modo, puntos, std::string("*")};
}
// A reference row: Puntos 0, Estacion and Provincia "*".
FilaEspecial Referencia(std::string puntos_ref, std::string prefijo = "*", std::string banda = "*",
                        std::string modo = "*", std::string distrito = "*") {
  return {std::string("*"), prefijo, distrito, std::string("*"), banda, modo, 0, puntos_ref};
}

struct Caso {
  const char* que;
  std::vector<FilaEspecial> filas;
  const char* indicativo;
  const char* banda;
  const char* modo;
  const char* literal;
  bool responde;
  const char* puntos;  // after the call; the entry value is "E"
};

TEST(PuntosEstacionesEspeciales, TablaDeCasos) {
  const auto paises = prueba::PaisesPuntos();
  const std::vector<Caso> casos = {
      {"station row for the band beats a better band row",
       {Simple(6, "*", "14"), Simple(2, "EA1AA", "14")},
       "EA1AA",
       "14000",
       "CW",
       "",
       true,
       "2"},
      {"station row on the band before the one in the mode",
       {Simple(4, "EA1AA", "*", "CW"), Simple(3, "EA1AA", "7")},
       "EA1AA",
       "7000",
       "CW",
       "",
       true,
       "3"},
      {"station row in the mode when the band has none",
       {Simple(4, "EA1AA", "*", "CW"), Simple(3, "EA1AA", "7")},
       "EA1AA",
       "14000",
       "CW",
       "",
       true,
       "4"},
      {"portable part plays no part", {Simple(7, "EA1AA")}, "EA1AA/P", "14000", "CW", "", true, "7"},
      {"station row compared without regard to case", {Simple(7, "ea1aa")}, "EA1AA", "14000", "CW", "", true, "7"},
      {"best of band and prefix rows",
       {Simple(2, "*", "14"), Simple(5, "*", "*", "*", "EA")},
       "EA1AA",
       "14000",
       "CW",
       "",
       true,
       "5"},
      {"first of two band rows, even if lower",
       {Simple(2, "*", "14"), Simple(4, "*", "14")},
       "EA1AA",
       "14000",
       "CW",
       "",
       true,
       "2"},
      {"reference row with a reference",
       {Referencia("3", "EA"), Simple(2, "*", "14")},
       "EA1AA",
       "14000",
       "CW",
       "LU",
       true,
       "3"},
      {"reference row without a reference",
       {Referencia("3", "EA"), Simple(2, "*", "14")},
       "EA1AA",
       "14000",
       "CW",
       "",
       true,
       "2"},
      {"a dash is no reference", {Referencia("3", "EA"), Simple(2, "*", "14")}, "EA1AA", "14000", "CW", "-", true, "2"},
      {"band 10000 is the list's 10", {Simple(3, "*", "10")}, "EA1AA", "10000", "CW", "", true, "3"},
      {"band 50 stays 50", {Simple(3, "*", "50")}, "EA1AA", "50", "CW", "", true, "3"},
      {"band 27500 is the list's 27", {Simple(8, "*", "27")}, "EA1AA", "27500", "CW", "", true, "8"},
      {"band 1.2 is the list's 1296", {Simple(9, "*", "1296")}, "EA1AA", "1.2", "CW", "", true, "9"},
      {"mode RY fits only RY", {Simple(3, "*", "*", "PS")}, "EA1AA", "14000", "RY", "", false, "E"},
      {"mode RY row", {Simple(3, "*", "*", "RY")}, "EA1AA", "14000", "RY", "", true, "3"},
      {"district row", {Simple(4, "*", "*", "*", "*", "EA1")}, "EA1AA", "14000", "CW", "", true, "4"},
      {"province row", {Simple(6, "*", "*", "*", "*", "*", "M")}, "EA4AA", "14000", "CW", "M", true, "6"},
      {"no row fits", {Simple(3, "*", "7")}, "EA1AA", "14000", "CW", "", false, "E"},
      {"a best offer of 0 gives nothing", {Simple(0, "*", "14")}, "EA1AA", "14000", "CW", "", false, "E"},
      {"a reference offer that is no number counts 0",
       {Referencia("X", "EA")},
       "EA1AA",
       "14000",
       "CW",
       "LU",
       false,
       "E"},
      {"no rows", {}, "EA1AA", "14000", "CW", "", false, "E"},
  };
  for (const Caso& c : casos) {
    EstacionesEspeciales lista;
    for (const FilaEspecial& f : c.filas) lista.Anade(f);
    DatosQso qso;
    qso.Indicativo = c.indicativo;
    qso.Banda = c.banda;
    qso.Modo = c.modo;
    qso.LiteralRecibido = c.literal;
    qso.PuntosRecibidos = "E";
    EXPECT_EQ(CalculaPuntosEstacionesEspeciales(qso, lista, *paises), c.responde) << c.que;
    EXPECT_EQ(qso.PuntosRecibidos, c.puntos) << c.que;
  }
}

TEST(PuntosEstacionesEspeciales, LeeLaListaDelConcursoEnSuOrden) {
  soporte::CarpetaTemporal tmp;
  database::CreaBaseConcursosVacia(tmp.En("Ledrima"));
  dao::Database base = dao::OpenDatabase(tmp.En("Ledrima"));
  auto fila = [&](std::int32_t numero, const char* estacion, const char* banda, std::int32_t puntos) {
    dao::Recordset rs = base.OpenRecordset("ListaEspeciales");
    rs.AddNew();
    rs["NumeroOrden"] = dao::Variant(numero);
    rs["Estacion"] = dao::Variant(estacion);
    for (const char* c : {"Prefijo", "Distrito", "Provincia", "Modo", "PuntosRef"}) rs[c] = dao::Variant("*");
    rs["Banda"] = dao::Variant(banda);
    rs["Puntos"] = dao::Variant(puntos);
    rs.Update();
    rs.Close();
  };
  fila(3, "*", "14", 9);  // another contest
  fila(7, "*", "14", 2);
  fila(7, "*", "14", 4);
  fila(7, "QQ1AB", "*", 10);
  const EstacionesEspeciales lista = EstacionesEspeciales::Lee(base, 7);
  ASSERT_EQ(lista.Filas().size(), 3u);
  const auto paises = prueba::PaisesPuntos();
  DatosQso qso;
  qso.Indicativo = "EA1AA";
  qso.Banda = "14000";
  qso.Modo = "CW";
  EXPECT_TRUE(CalculaPuntosEstacionesEspeciales(qso, lista, *paises));
  EXPECT_EQ(qso.PuntosRecibidos, "2");
  EXPECT_TRUE(lista.TieneEstacionConPuntos("qq1ab", 10));
  EXPECT_FALSE(lista.TieneEstacionConPuntos("QQ1AB", 9));
  base.Close();
}

}  // namespace
}  // namespace scoring

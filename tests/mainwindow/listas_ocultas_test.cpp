#include "database/listas_ocultas.h"

#include "fixture_principal.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "database/creacion.h"
#include "soporte/carpeta_temporal.h"

namespace {

using listas::Grupo;
using listas::ListasOcultas;
using prueba::Filas;

class ListasDeConcurso : public ::testing::Test {
 protected:
  void SetUp() override {
    database::CreaBaseConcursosVacia(carpeta.En("Ledrima"));
    base = dao::OpenDatabase(carpeta.En("Ledrima"));
  }
  void TearDown() override { base.Close(); }

  // Rows of a contest as SQLite holds them, in rowid order: "rowid" first
  // when asked for, then the columns.
  Filas Lee(const std::string& tabla, const std::string& columnas, int numero) {
    const std::string sql = "SELECT " + columnas + " FROM " + tabla + " WHERE NumeroOrden = " + std::to_string(numero) +
                      " ORDER BY rowid";
    return prueba::LeeFilas(carpeta.En("Ledrima"), sql);
  }
  void Ejecuta(const std::string& sql) { base.Execute(sql); }

  soporte::CarpetaTemporal carpeta;
  dao::Database base;
};

TEST_F(ListasDeConcurso, AltaDeProvinciasSegunSusOpciones) {
  struct Caso {
    bool cadaProv, provPorBanda, excluirProv;
    Filas filas;
    std::vector<std::string> exProv;
  };
  const Caso casos[] = {
      {true, false, false, {{"B", "0"}, {"M", "0"}, {"Z", "0"}}, {}},
      {true, false, true, {{"B", "0"}, {"M", "-1"}, {"Z", "0"}}, {"", "SI", ""}},
      {false, true, true, {}, {}},
  };
  int numero = 1;
  for (const Caso& c : casos) {
    ListasOcultas l = listas::ListasVacias();
    l["ListaProv"] = {"B", "M", "Z"};
    l["ListaExProv"] = {"si", "SI", "NO"};
    listas::OpcionesListas o;
    o.CadaProv = c.cadaProv;
    o.ProvPorBanda = c.provPorBanda;
    o.ExcluirProv = c.excluirProv;
    listas::GrabaListaProv(base, numero, o, l);
    EXPECT_EQ(Lee("ListaProv", "CodigoProv, ProvExcluida", numero), c.filas) << numero;
    EXPECT_EQ(l["ListaExProv"], c.exProv) << numero;
    EXPECT_EQ(l["ListaProv"].empty(), c.filas.empty()) << numero;
    ++numero;
  }

  // A saved contest with only the band variant ticked keeps its provinces.
  ListasOcultas l = listas::ListasVacias();
  l["ListaProv"] = {"B"};
  listas::OpcionesListas o;
  o.ProvPorBanda = true;
  listas::ActualizaListaProv(base, 9, o, l);
  EXPECT_EQ(Lee("ListaProv", "CodigoProv, ProvExcluida", 9), (Filas{{"B", "0"}}));
}

TEST_F(ListasDeConcurso, LasListasDeExcluidosSoloSeGuardanConSuOpcionDeExcluir) {
  for (bool nuevo : {true, false}) {
    ListasOcultas l = listas::ListasVacias();
    l["ListaExPaises"] = {"230", "281"};
    listas::OpcionesListas o;
    o.CadaPais = true;
    if (nuevo)
      listas::GrabaListaPaises(base, 1, o, l);
    else
      listas::ActualizaListaPaises(base, 1, o, l);
    EXPECT_TRUE(Lee("ListaPaises", "DxccExcluido", 1).empty());
    EXPECT_TRUE(l["ListaExPaises"].empty());
  }
  ListasOcultas l = listas::ListasVacias();
  l["ListaExPaises"] = {"230"};
  listas::OpcionesListas o;
  o.CadaPais = o.ExcluirPais = true;
  listas::GrabaListaPaises(base, 1, o, l);
  EXPECT_EQ(Lee("ListaPaises", "DxccExcluido", 1), (Filas{{"230"}}));
}

TEST_F(ListasDeConcurso, SincronizarConservaLasFilasQueSiguenYAnadeLasNuevas) {
  Ejecuta("INSERT INTO ListaCq (NumeroOrden, CqExcluido) VALUES (3, '14'), (3, '15'), (4, '14')");
  Filas antes = Lee("ListaCq", "rowid, CqExcluido", 3);
  ListasOcultas l = listas::ListasVacias();
  l["ListaExZonasCq"] = {"15", "16", "16", "O'X"};
  listas::OpcionesListas o;
  o.CadaCq = o.ExcluirCq = true;
  listas::ActualizaListaCq(base, 3, o, l);
  Filas despues = Lee("ListaCq", "rowid, CqExcluido", 3);
  ASSERT_EQ(despues.size(), 3u);
  EXPECT_EQ(despues[0], antes[1]);  // the row "15" stays as it was
  EXPECT_EQ(despues[1][1], "16");   // listed twice, stored once
  EXPECT_EQ(despues[2][1], "O'X");
  EXPECT_EQ(Lee("ListaCq", "CqExcluido", 4), (Filas{{"14"}}));

  // A new contest stores a repeated value twice.
  listas::GrabaListaCq(base, 5, o, l);
  EXPECT_EQ(Lee("ListaCq", "CqExcluido", 5).size(), 4u);
}

TEST_F(ListasDeConcurso, SincronizarProvinciasYDistritosActualizaLaExclusion) {
  Ejecuta("INSERT INTO ListaDistritos (NumeroOrden, CodigoDistrito, DistritoExcluido) VALUES (2, 'EA1', 0), "
          "(2, 'EA2', 1), (2, 'EA3', 1)");
  ListasOcultas l = listas::ListasVacias();
  listas::CargaListaDistritos(base, 2, l);
  EXPECT_EQ(l["ListaDistritos"], (std::vector<std::string>{"EA1", "EA2", "EA3"}));
  EXPECT_EQ(l["ListaExDistritos"], (std::vector<std::string>{" ", "SI", "SI"}));

  l["ListaDistritos"] = {"EA2", "EA1", "EA4"};
  l["ListaExDistritos"] = {" ", "SI", "SI"};
  listas::OpcionesListas o;
  o.CadaDistrito = o.ExcluirDistrito = true;
  listas::ActualizaListaDistritos(base, 2, o, l);
  EXPECT_EQ(Lee("ListaDistritos", "CodigoDistrito, DistritoExcluido", 2),
            (Filas{{"EA1", "-1"}, {"EA2", "0"}, {"EA4", "-1"}}));
  EXPECT_EQ(l["ListaExDistritos"], (std::vector<std::string>{"", "SI", "SI"}));

  // Without the exclusion option every flag goes off; nothing is emptied.
  o.ExcluirDistrito = false;
  listas::ActualizaListaDistritos(base, 2, o, l);
  EXPECT_EQ(Lee("ListaDistritos", "CodigoDistrito, DistritoExcluido", 2),
            (Filas{{"EA1", "0"}, {"EA2", "0"}, {"EA4", "0"}}));
  EXPECT_EQ(l["ListaExDistritos"], (std::vector<std::string>{"", "", ""}));

  Ejecuta("INSERT INTO ListaProv (NumeroOrden, CodigoProv, ProvExcluida) VALUES (2, 'M', 0), (2, 'B', 1)");
  listas::CargaListaProv(base, 2, l);
  EXPECT_EQ(l["ListaExProv"], (std::vector<std::string>{"", "SI"}));
}

TEST_F(ListasDeConcurso, EstacionesEspecialesComodinesYPuntos) {
  Ejecuta("INSERT INTO ListaEspeciales (NumeroOrden, Estacion, Prefijo, Distrito, Provincia, Banda, Puntos, "
          "PuntosRef, Modo) VALUES (6, 'QQ1ABC', 'QQ', 'QQ1', 'M', '', 0, NULL, NULL), "
          "(6, 'QQ2XYZ', '', '', '', '40', 5, '2', 'CW')");
  ListasOcultas l = listas::ListasVacias();
  listas::CargaListaEspeciales(base, 6, l);
  EXPECT_EQ(l["ListaBandaEsp"], (std::vector<std::string>{"*", "40"}));
  EXPECT_EQ(l["ListaModoEsp"], (std::vector<std::string>{"*", "CW"}));
  EXPECT_EQ(l["ListaPuntosRefEsp"], (std::vector<std::string>{"*", "2"}));
  EXPECT_EQ(l["ListaPuntosEsp"], (std::vector<std::string>{"", "5"}));
  EXPECT_EQ(l["ListaPreEsp"], (std::vector<std::string>{"QQ", ""}));

  // Loading twice gives the same lists.
  ListasOcultas otra = l;
  listas::CargaListaEspeciales(base, 6, otra);
  EXPECT_EQ(otra, l);

  listas::OpcionesListas o;
  o.RecibirPuntos = true;
  listas::ActualizaListaEspeciales(base, 6, o, l);
  EXPECT_EQ(Lee("ListaEspeciales", "Estacion, Banda, Modo, Puntos, PuntosRef", 6),
            (Filas{{"QQ1ABC", "*", "*", "0", "*"}, {"QQ2XYZ", "40", "CW", "5", "2"}}));

  // Without "PUNTOS por QSO" the special stations go.
  o.RecibirPuntos = false;
  listas::ActualizaListaEspeciales(base, 6, o, l);
  EXPECT_TRUE(Lee("ListaEspeciales", "Estacion", 6).empty());
  for (const char* n : {"ListaEstEsp", "ListaPreEsp", "ListaDistEsp", "ListaProvEsp", "ListaBandaEsp",
                        "ListaModoEsp", "ListaPuntosEsp", "ListaPuntosRefEsp"})
    EXPECT_TRUE(l[n].empty()) << n;
}

TEST_F(ListasDeConcurso, MultiplicadoresEspecialesConCompanerasCortas) {
  ListasOcultas l = listas::ListasVacias();
  l["ListaEstMultEsp"] = {"QQ0A", "QQ0B"};
  l["ListaPaisMultEsp"] = {"230"};
  l["ListaPuntosMultEsp"] = {"3"};
  listas::OpcionesListas o;
  o.Multiplicadores = true;
  listas::GrabaMultEspeciales(base, 8, o, l);
  EXPECT_EQ(Lee("MultEspeciales", "Estacion, Pais, OtrasSiglas, Puntos", 8),
            (Filas{{"QQ0A", "230", "", "3"}, {"QQ0B", "", "", "0"}}));
  o.Multiplicadores = false;
  listas::GrabaMultEspeciales(base, 9, o, l);
  EXPECT_TRUE(Lee("MultEspeciales", "Estacion", 9).empty());
  EXPECT_TRUE(l["ListaEstMultEsp"].empty());
}

TEST_F(ListasDeConcurso, BorrarQuitaSoloLasFilasDelConcurso) {
  for (int n : {1, 2}) {
    std::string v = std::to_string(n);
    Ejecuta("INSERT INTO ListaProv (NumeroOrden, CodigoProv, ProvExcluida) VALUES (" + v + ", 'M', 0)");
    Ejecuta("INSERT INTO ListaDistritos (NumeroOrden, CodigoDistrito, DistritoExcluido) VALUES (" + v + ", 'D', 0)");
    Ejecuta("INSERT INTO ListaMultEspeciales (NumeroOrden, MultEstacion) VALUES (" + v + ", 'E')");
    Ejecuta("INSERT INTO ListaPaises (NumeroOrden, DxccExcluido) VALUES (" + v + ", 'P')");
    Ejecuta("INSERT INTO ListaPrefijos (NumeroOrden, PrefijoExcluido) VALUES (" + v + ", 'F')");
    Ejecuta("INSERT INTO ListaCq (NumeroOrden, CqExcluido) VALUES (" + v + ", 'Q')");
    Ejecuta("INSERT INTO ListaEspeciales (NumeroOrden, Estacion, Puntos) VALUES (" + v + ", 'S', 1)");
    Ejecuta("INSERT INTO MultEspeciales (NumeroOrden, Estacion, Puntos) VALUES (" + v + ", 'T', 1)");
    Ejecuta("INSERT INTO ResumenCabrillo (NumeroOrden) VALUES (" + v + ")");
  }
  for (Grupo g : listas::kOrdenBorrado) listas::Borra(base, g, 1);
  listas::BorraResumenCabrillo(base, 1);
  for (const auto& d : listas::Grupos()) {
    EXPECT_TRUE(Lee(std::string(d.tabla), "NumeroOrden", 1).empty()) << d.tabla;
    EXPECT_EQ(Lee(std::string(d.tabla), "NumeroOrden", 2).size(), 1u) << d.tabla;
  }
  EXPECT_TRUE(Lee("ResumenCabrillo", "NumeroOrden", 1).empty());
  EXPECT_EQ(Lee("ResumenCabrillo", "NumeroOrden", 2).size(), 1u);

  // A contest without rows loads empty groups; after clearing, an insert
  // stores nothing.
  ListasOcultas l = listas::ListasVacias();
  l["ListaProv"] = {"X"};
  for (Grupo g : listas::kOrdenCarga) listas::Carga(base, g, 1, l);
  for (const auto& [nombre, items] : l) EXPECT_TRUE(items.empty()) << nombre;
  EXPECT_EQ(l.size(), 24u);
  listas::OpcionesListas todas{true, true, true, true, true, true, true, true, true, true,
                               true, true, true, true, true, true, true, true, true};
  listas::LimpiaListas(l);
  for (Grupo g : listas::kOrdenGrabacion) listas::Graba(base, g, 1, todas, l);
  for (const auto& d : listas::Grupos()) EXPECT_TRUE(Lee(std::string(d.tabla), "NumeroOrden", 1).empty());
}

}  // namespace

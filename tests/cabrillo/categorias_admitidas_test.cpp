#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/verificacion_cabecera.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace cabrillo {
namespace {

// A row where every switch and value holds no value: no group applies and
// nothing is admitted. The tests switch on what they need by column name.
FilaResumenCabrillo Fila(std::initializer_list<std::pair<const char*, bool>> campos) {
  FilaResumenCabrillo fila;
  for (const auto& [nombre, valor] : campos) {
    Logico* campo = fila.Campo(nombre);
    EXPECT_NE(campo, nullptr) << nombre;
    if (campo) *campo = valor;
  }
  return fila;
}

std::vector<std::string> Entradas(const FilaResumenCabrillo& fila, std::string_view concurso = "PRUEBA") {
  return GeneraCategoriasAdmitidas(concurso, &fila).Entradas();
}

const std::vector<std::string> kEjemplo = {
    "SINGLE-OP 40M HIGH CW", "SINGLE-OP 40M LOW CW", "SINGLE-OP 20M HIGH CW", "SINGLE-OP 20M LOW CW",
    "MULTI-OP 40M HIGH CW",  "MULTI-OP 40M LOW CW",  "MULTI-OP 20M HIGH CW",  "MULTI-OP 20M LOW CW"};

FilaResumenCabrillo FilaEjemplo() {
  return Fila({{"SingleOp", true}, {"MultiOp", true}, {"BandaNoAplicable", false}, {"M40", true},
               {"M20", true}, {"ModoNoAplicable", false}, {"CW", true}, {"PotenciaNoAplicable", false},
               {"High", true}, {"Low", true}, {"AsistidoNoAplicable", true}, {"TxNoAplicable", true},
               {"TipoEstacionNoAplicable", true}, {"TimeNoAplicable", true}, {"OverlayNoAplicable", true},
               {"ServerOp", false}, {"CheckLog", false}});
}

TEST(GeneraCategoriasAdmitidas, EjemploTrabajado) {
  FilaResumenCabrillo fila = FilaEjemplo();
  EXPECT_EQ(Entradas(fila), kEjemplo);

  // Without bands the mode word comes before the power word.
  fila.BandaNoAplicable = true;
  EXPECT_EQ(Entradas(fila), (std::vector<std::string>{"SINGLE-OP CW HIGH", "SINGLE-OP CW LOW", "MULTI-OP CW HIGH",
                                                      "MULTI-OP CW LOW"}));

  // Both assisted values: all entries with the first, then all with the second.
  fila = FilaEjemplo();
  fila.AsistidoNoAplicable = false;
  fila.NonAssisted = true;
  fila.Assisted = true;
  std::vector<std::string> esperadas;
  for (const char* palabra : {" NON-ASSISTED", " ASSISTED"})
    for (const std::string& e : kEjemplo) esperadas.push_back(e + palabra);
  EXPECT_EQ(Entradas(fila), esperadas);
}

TEST(GeneraCategoriasAdmitidas, TablasFijasDeConcursosConNombre) {
  const FilaResumenCabrillo fila = FilaEjemplo();  // ignored for these contests
  EXPECT_EQ(Entradas(fila, "CONCURSO DIE"),
            (std::vector<std::string>{"ISLA-RESIDENTE", "ISLA-EXPEDICION", "FARO", "GENERAL-PENINSULAR",
                                      "GENERAL-NO-EA", "SWL", "CHECKLOG"}));
  EXPECT_EQ(Entradas(fila, "VGE SPRINT"),
            (std::vector<std::string>{"VG-MONO-LP", "VG-MONO-LP-PH", "VG-MONO-QRP", "VG-MONO-QRP-PH", "VG-MULTI-LP",
                                      "VG-MULTI-QRP", "GENERAL", "CHECKLOG"}));
  EXPECT_EQ(Entradas(fila, "SPRINT DCE 1.0"),
            (std::vector<std::string>{"SINGLE-OP 40M SSB FIXED", "SINGLE-OP 40M SSB EXPEDITION",
                                      "MULTI-OP 40M SSB EXPEDITION", "CHECKLOG"}));
  // Each printed station word is one the station check accepts.
  for (const std::string& e : Entradas(fila, "SPRINT DCE 1.0")) {
    if (e == "CHECKLOG") continue;
    EXPECT_TRUE(EsCategoriaEstacionValida(e.substr(e.rfind(' ') + 1))) << e;
  }
  EXPECT_EQ(GeneraCategoriasAdmitidas("VGE SPRINT", nullptr).Numero(), 8u);
  // A name that differs in letter case goes the general way.
  EXPECT_EQ(Entradas(fila, "Vge Sprint"), kEjemplo);
  // A contest without a row has an empty table.
  EXPECT_EQ(GeneraCategoriasAdmitidas("PRUEBA", nullptr).Numero(), 0u);
}

TEST(GeneraCategoriasAdmitidas, CombinacionesDeGrupos) {
  struct Caso {
    const char* nombre;
    FilaResumenCabrillo fila;
    std::vector<std::string> esperadas;
  };
  const std::vector<Caso> casos = {
      {"solo SINGLE-OP", Fila({{"SingleOp", true}}), {"SINGLE-OP"}},
      {"interruptores a True",
       Fila({{"SingleOp", true}, {"BandaNoAplicable", true}, {"M40", true}, {"ModoNoAplicable", true}, {"CW", true}}),
       {"SINGLE-OP"}},
      {"banda y potencia",
       Fila({{"SingleOp", true}, {"BandaNoAplicable", false}, {"M40", true}, {"PotenciaNoAplicable", false},
             {"High", true}, {"Qrp", true}}),
       {"SINGLE-OP 40M HIGH", "SINGLE-OP 40M QRP"}},
      {"banda, potencia y estacion",
       Fila({{"SingleOp", true}, {"BandaNoAplicable", false}, {"M40", true}, {"PotenciaNoAplicable", false},
             {"High", true}, {"TipoEstacionNoAplicable", false}, {"Fixed", true}, {"HillTopper", true}}),
       {"SINGLE-OP 40M HIGH FIXED", "SINGLE-OP 40M HIGH HILLTOPPER"}},
      {"banda y modo sin potencia",
       Fila({{"MultiOp", true}, {"BandaNoAplicable", false}, {"M2", true}, {"ModoNoAplicable", false}, {"FM", true},
             {"TxNoAplicable", false}, {"Two", true}}),
       {"MULTI-OP 2M FM TWO"}},
      {"banda aplicable sin ninguna admitida",
       Fila({{"SingleOp", true}, {"BandaNoAplicable", false}, {"ModoNoAplicable", false}, {"CW", true}}),
       {"SINGLE-OP CW"}},
      {"asistido aplicable sin valores",
       Fila({{"SingleOp", true}, {"AsistidoNoAplicable", false}, {"ServerOp", true}, {"CheckLog", true}}),
       {"SERVER-OP", "CHECKLOG"}},
      {"overlay aplicable sin valores", Fila({{"SingleOp", true}, {"OverlayNoAplicable", false}}), {}},
      {"sin operador", Fila({{"ServerOp", true}, {"BandaNoAplicable", false}, {"M40", true}}), {"SERVER-OP"}},
      {"calificadores en orden asistido, overlay, tiempo",
       Fila({{"SingleOp", true}, {"TimeNoAplicable", false}, {"Hours6", true}, {"Hours12", true},
             {"Hours24", true}, {"OverlayNoAplicable", false}, {"TbWires", true}, {"AsistidoNoAplicable", false},
             {"NonAssisted", true}}),
       {"SINGLE-OP NON-ASSISTED TBWIRES 6HOURS", "SINGLE-OP NON-ASSISTED TBWIRES 12HOURS",
        "SINGLE-OP NON-ASSISTED TBWIRES 24HOURS"}},
      {"bandas altas con la grafia admitida",
       Fila({{"SingleOp", true}, {"BandaNoAplicable", false}, {"ALL", true}, {"M222", true}, {"M432", true},
             {"M902", true}, {"G12", true}}),
       {"SINGLE-OP ALL", "SINGLE-OP 222", "SINGLE-OP 432", "SINGLE-OP 902", "SINGLE-OP 1.2G"}},
      {"overlay con la grafia admitida",
       Fila({{"SingleOp", true}, {"OverlayNoAplicable", false}, {"Rookie", true}, {"NoviceTech", true},
             {"Over50", true}}),
       {"SINGLE-OP ROOKIE", "SINGLE-OP NOVICETECH", "SINGLE-OP OVER50"}},
      // A value with no stored value is not admitted; so is one holding False.
      {"valores nulos y falsos",
       Fila({{"SingleOp", true}, {"MultiOp", false}, {"ModoNoAplicable", false}, {"SSB", false}, {"RTTY", true}}),
       {"SINGLE-OP RTTY"}},
  };
  for (const Caso& c : casos) EXPECT_EQ(Entradas(c.fila), c.esperadas) << c.nombre;
}

FilaResumenCabrillo FilaTodoAdmitido() {
  FilaResumenCabrillo fila;
  for (const char* n : {"SingleOp", "MultiOp", "ServerOp", "CheckLog", "ALL", "M160", "M80", "M40", "M30", "M20",
                        "M15", "M16", "M12", "M10", "M6", "M2", "M222", "M432", "M902", "G12", "SSB", "CW", "FM",
                        "RTTY", "MIXED", "High", "Low", "Qrp", "NonAssisted", "Assisted", "One", "Two", "Limited",
                        "UnLimited", "Swl", "Fixed", "Mobile", "Portable", "HillTopper", "Rover", "Expedition", "Hq",
                        "School", "Hours6", "Hours12", "Hours24", "Rookie", "TbWires", "NoviceTech", "Over50"})
    *fila.Campo(n) = true;
  for (const char* n : {"BandaNoAplicable", "ModoNoAplicable", "PotenciaNoAplicable", "AsistidoNoAplicable",
                        "TxNoAplicable", "TipoEstacionNoAplicable", "TimeNoAplicable", "OverlayNoAplicable"})
    *fila.Campo(n) = false;
  return fila;
}

TEST(GeneraCategoriasAdmitidas, NuncaPasaDeQuinientasEntradas) {
  // 2 operators x 16 bands x 5 modes x 3 powers x 2 assisted = 960.
  FilaResumenCabrillo fila = Fila({{"SingleOp", true}, {"MultiOp", true}, {"AsistidoNoAplicable", false},
                                   {"NonAssisted", true}, {"Assisted", true}, {"BandaNoAplicable", false},
                                   {"ModoNoAplicable", false}, {"PotenciaNoAplicable", false}});
  for (const char* n : {"ALL", "M160", "M80", "M40", "M30", "M20", "M15", "M16", "M12", "M10", "M6", "M2", "M222",
                        "M432", "M902", "G12", "SSB", "CW", "FM", "RTTY", "MIXED", "High", "Low", "Qrp"})
    *fila.Campo(n) = true;
  CategoriasAdmitidas tabla = GeneraCategoriasAdmitidas("PRUEBA", &fila);
  EXPECT_EQ(tabla.Numero(), 500u);
  EXPECT_TRUE(tabla.Incompleta());
  EXPECT_EQ(tabla.Entrada(1), "SINGLE-OP ALL HIGH SSB NON-ASSISTED");
  EXPECT_EQ(tabla.Entrada(480), "MULTI-OP 1.2G QRP MIXED NON-ASSISTED");
  EXPECT_EQ(tabla.Entrada(481), "SINGLE-OP ALL HIGH SSB ASSISTED");

  // The lone entries keep their place at the end.
  fila.CheckLog = true;
  tabla = GeneraCategoriasAdmitidas("PRUEBA", &fila);
  EXPECT_EQ(tabla.Numero(), 500u);
  EXPECT_EQ(tabla.Entrada(500), "CHECKLOG");

  // Every group admitting everything: far beyond the table, still 500.
  fila = FilaTodoAdmitido();
  tabla = GeneraCategoriasAdmitidas("PRUEBA", &fila);
  EXPECT_EQ(tabla.Numero(), 500u);
  EXPECT_TRUE(tabla.Incompleta());
  EXPECT_EQ(tabla.Entrada(499), "SERVER-OP");
  EXPECT_EQ(tabla.Entrada(500), "CHECKLOG");
  EXPECT_EQ(tabla.Entrada(501), "");
  EXPECT_EQ(tabla.Entrada(0), "");
}

TEST(GeneraCategoriasAdmitidas, QuinientasEntradasExactasEstanCompletas) {
  // 2 operators x 10 bands x 5 modes x 5 transmitters = 500.
  FilaResumenCabrillo fila = Fila({{"SingleOp", true}, {"MultiOp", true}, {"BandaNoAplicable", false},
                                   {"ModoNoAplicable", false}, {"TxNoAplicable", false}});
  for (const char* n : {"ALL", "M160", "M80", "M40", "M30", "M20", "M15", "M16", "M12", "M10", "SSB", "CW", "FM",
                        "RTTY", "MIXED", "One", "Two", "Limited", "UnLimited", "Swl"})
    *fila.Campo(n) = true;
  const CategoriasAdmitidas tabla = GeneraCategoriasAdmitidas("PRUEBA", &fila);
  EXPECT_EQ(tabla.Numero(), 500u);
  EXPECT_FALSE(tabla.Incompleta());
  EXPECT_EQ(tabla.Entrada(500), "MULTI-OP 10M MIXED SWL");
}

// The words that the header check accepts for each group, with the column
// that must not be False, as the category check lists them.
const std::map<std::string, std::string>& PalabrasAceptadas() {
  static const std::map<std::string, std::string> palabras = {
      {"SINGLE-OP", "SingleOp"},   {"MULTI-OP", "MultiOp"},     {"SERVER-OP", "ServerOp"},
      {"CHECKLOG", "CheckLog"},    {"ALL", "ALL"},              {"160M", "M160"},
      {"80M", "M80"},              {"40M", "M40"},              {"30M", "M30"},
      {"20M", "M20"},              {"15M", "M15"},              {"16M", "M16"},
      {"12M", "M12"},              {"10M", "M10"},              {"6M", "M6"},
      {"2M", "M2"},                {"222", "M222"},             {"432", "M432"},
      {"902", "M902"},             {"1.2G", "G12"},             {"SSB", "SSB"},
      {"CW", "CW"},                {"FM", "FM"},                {"RTTY", "RTTY"},
      {"MIXED", "MIXED"},          {"HIGH", "High"},            {"LOW", "Low"},
      {"QRP", "Qrp"},              {"NON-ASSISTED", "NonAssisted"}, {"ASSISTED", "Assisted"},
      {"ONE", "One"},              {"TWO", "Two"},              {"LIMITED", "Limited"},
      {"UNLIMITED", "UnLimited"},  {"SWL", "Swl"},              {"FIXED", "Fixed"},
      {"MOBILE", "Mobile"},        {"PORTABLE", "Portable"},    {"ROVER", "Rover"},
      {"HILLTOPPER", "HillTopper"}, {"EXPEDITION", "Expedition"}, {"HQ", "Hq"},
      {"SCHOOL", "School"},        {"6HOURS", "Hours6"},        {"12HOURS", "Hours12"},
      {"24HOURS", "Hours24"},      {"ROOKIE", "Rookie"},        {"TBWIRES", "TbWires"},
      {"NOVICETECH", "NoviceTech"}, {"OVER50", "Over50"},
  };
  return palabras;
}

TEST(GeneraCategoriasAdmitidas, CadaPalabraImpresaLaAceptaLaComprobacion) {
  // Each group in turn admits all its values, so every word gets printed.
  std::vector<FilaResumenCabrillo> filas;
  for (const char* grupo : {"BandaNoAplicable", "ModoNoAplicable", "PotenciaNoAplicable", "AsistidoNoAplicable",
                            "TxNoAplicable", "TipoEstacionNoAplicable", "TimeNoAplicable", "OverlayNoAplicable"}) {
    FilaResumenCabrillo fila = FilaTodoAdmitido();
    for (const char* otro : {"BandaNoAplicable", "ModoNoAplicable", "PotenciaNoAplicable", "AsistidoNoAplicable",
                             "TxNoAplicable", "TipoEstacionNoAplicable", "TimeNoAplicable", "OverlayNoAplicable"})
      *fila.Campo(otro) = std::string_view(otro) != grupo;
    filas.push_back(fila);
  }
  filas.push_back(FilaEjemplo());
  std::size_t palabras_vistas = 0;
  std::map<std::string, bool> vistas;
  for (const FilaResumenCabrillo& fila : filas) {
    const CategoriasAdmitidas tabla = GeneraCategoriasAdmitidas("PRUEBA", &fila);
    for (const std::string& entrada : tabla.Entradas()) {
      std::istringstream partes(entrada);
      std::string palabra;
      while (partes >> palabra) {
        ++palabras_vistas;
        vistas[palabra] = true;
        auto it = PalabrasAceptadas().find(palabra);
        ASSERT_NE(it, PalabrasAceptadas().end()) << palabra << " en " << entrada;
        EXPECT_TRUE(EsCierto(*fila.Campo(it->second))) << palabra;
      }
    }
  }
  EXPECT_GT(palabras_vistas, 0u);
  EXPECT_EQ(vistas.size(), PalabrasAceptadas().size());  // every accepted word was printed
}

TEST(GruposCategorias, LasPalabrasYSusCamposCoincidenConLaComprobacion) {
  for (const GrupoCategorias* g : {&GrupoOperador(), &GrupoBanda(), &GrupoModo(), &GrupoPotencia(), &GrupoAsistido(),
                                   &GrupoTransmisor(), &GrupoEstacion(), &GrupoTiempo(), &GrupoOverlay()}) {
    for (const PalabraCategoria& p : g->palabras) {
      auto it = PalabrasAceptadas().find(std::string(p.palabra));
      ASSERT_NE(it, PalabrasAceptadas().end()) << p.palabra;
      FilaResumenCabrillo fila;
      fila.*p.campo = true;
      EXPECT_TRUE(EsCierto(*fila.Campo(it->second))) << p.palabra;
    }
  }
  EXPECT_NE(GrupoBanda().Busca("1.2G"), nullptr);
  EXPECT_EQ(GrupoBanda().Busca("12G"), nullptr);
  EXPECT_EQ(GrupoTiempo().Busca("HOURs-12"), nullptr);
  FilaResumenCabrillo fila;
  EXPECT_FALSE(GrupoBanda().Aplica(fila));  // no value: not applicable
  fila.BandaNoAplicable = false;
  EXPECT_TRUE(GrupoBanda().Aplica(fila));
  EXPECT_TRUE(GrupoOperador().Aplica(fila));
}

TEST(FilaResumenCabrillo, CamposPorNombreSinDistinguirMayusculas) {
  FilaResumenCabrillo fila;
  ASSERT_NE(fila.Campo("bandanoaplicable"), nullptr);
  *fila.Campo("bandanoaplicable") = false;
  EXPECT_TRUE(EsFalso(fila.BandaNoAplicable));
  EXPECT_EQ(fila.Campo("SERVEROP"), &fila.ServerOp);
  EXPECT_EQ(fila.Campo("LocatorRecibido"), &fila.LocatorRecibido);
  EXPECT_EQ(fila.Campo("NumeroOrden"), nullptr);
  EXPECT_EQ(fila.Campo("EMailConcurso"), nullptr);
}

TEST(LineasCategoriasAdmitidas, CabeceraDeLosBloquesDeCategoria) {
  const CategoriasAdmitidas die = GeneraCategoriasAdmitidas("CONCURSO DIE", nullptr);
  const std::vector<std::string> lineas = LineasCategoriasAdmitidas(die, "CONCURSO DIE", "CATEGORY: FARO");
  const std::vector<std::string> esperadas = {"\tCATEGORÍAS ADMITIDAS:",
                                              ".- ISLA-RESIDENTE",
                                              ".- ISLA-EXPEDICION",
                                              ".- FARO",
                                              ".- GENERAL-PENINSULAR (De tierra firme EA, CT y C3)",
                                              ".- GENERAL-NO-EA",
                                              ".- SWL",
                                              ".- CHECKLOG",
                                              "",
                                              "\tSUS DATOS:",
                                              "CATEGORY: FARO"};
  EXPECT_EQ(lineas, esperadas);

  const FilaResumenCabrillo fila = FilaEjemplo();
  const CategoriasAdmitidas tabla = GeneraCategoriasAdmitidas("PRUEBA", &fila);
  const std::vector<std::string> otras = LineasCategoriasAdmitidas(tabla, "PRUEBA", "CATEGORY-OPERATOR: X");
  ASSERT_EQ(otras.size(), 12u);
  EXPECT_EQ(otras[1], "SINGLE-OP 40M HIGH CW");
  EXPECT_EQ(otras[11], "CATEGORY-OPERATOR: X");
}

}  // namespace
}  // namespace cabrillo

#include "cabrillo/verificacion_cabecera.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cabrillo/prueba_validacion.h"
#include "soporte/carpeta_temporal.h"
#include "soporte/concurso_prueba.h"

namespace cabrillo {
namespace {

using prueba::NumerosDeError;
using V = std::vector<int>;

TEST(DesglosaCategoriaCabrillo, PalabrasDeUnaLineaCategory) {
  struct Caso {
    const char* linea;
    const char *operador, *banda, *potencia, *modo, *estacion;
  };
  // "-" stands for an out argument left untouched.
  const Caso casos[] = {
      {"CATEGORY: SINGLE-OP 20M LOW CW", "SINGLE-OP", "20M", "LOW", "CW", "-"},
      {"CATEGORY: SINGLE-OP All LOW CW", "SINGLE-OP", "All", "LOW", "CW", "-"},
      {"CATEGORY: SINGLE-OP LOW CW All", "SINGLE-OP", "ALL", "LOW", "CW", "-"},
      {"CATEGORY: SINGLE-OP ALL", "SINGLE-OP", "-", "-", "-", "-"},
      {"CATEGORY: SINGLE-OP  20M LOW CW FIXED", "SINGLE-OP", "20M", "LOW", "CW", "-"},
      {"CATEGORY: single-op 40M 20M", "single-op", "20M", "-", "-", "-"},
      {"CATEGORY: MULTI-OP FIXED 1.2G HIGH SSB", "MULTI-OP", "1.2G", "HIGH", "SSB", "FIXED"},
      {"CATEGORY:SINGLE-OP", "SINGLE-OP", "-", "-", "-", "-"},
      {"CATEGORY:   ", "", "-", "-", "-", "-"},
      {"CATEGORY SINGLE-OP 20M", "-", "-", "-", "-", "-"},
      {"CATEGORY: SINGLE-OP 20M ", "SINGLE-OP", "20M", "-", "-", "-"},
  };
  for (const Caso& c : casos) {
    std::string o = "-", b = "-", p = "-", m = "-", e = "-";
    DesglosaCategoriaCabrillo(c.linea, o, b, p, m, e);
    EXPECT_EQ(o, c.operador) << c.linea;
    EXPECT_EQ(b, c.banda) << c.linea;
    EXPECT_EQ(p, c.potencia) << c.linea;
    EXPECT_EQ(m, c.modo) << c.linea;
    EXPECT_EQ(e, c.estacion) << c.linea;
  }
  EXPECT_TRUE(EsCategoriaBandaValida("All"));
  EXPECT_FALSE(EsCategoriaBandaValida("ALL"));
  EXPECT_FALSE(EsCategoriaModoValida("cw"));
}

class Cabecera : public ::testing::Test {
 protected:
  // Runs the header check of the version and, when it passes, the category
  // checks; returns the error numbers written.
  V Verifica(const std::vector<std::string>& lineas, const std::string& fichero = "QQ1ABC.LOG",
             std::string_view version = "3.0") {
    cabecera_.Limpia();
    EXPECT_TRUE(informe_.Crea(carpeta_.Ruta(), "05-03-2026", ""));
    const EntornoValidacion entorno{datos_, categorias_, informe_, cabecera_, paises_.get()};
    const bool cabecera = version == "2.0" ? VerificaCabeceraV2(lineas, fichero, entorno)
                                           : VerificaCabeceraV3(lineas, fichero, entorno);
    const bool categorias = cabecera && VerificaCategorias(version, entorno);
    informe_.Cierra();
    informe = carpeta_.LeeBytes("FicheroErrores.ERR");
    const V numeros = NumerosDeError(informe);
    EXPECT_EQ(categorias, numeros.empty());
    return numeros;
  }
  static std::vector<std::string> V3(std::vector<std::string> categorias) {
    std::vector<std::string> l = {"START-OF-LOG: 3.0", "CALLSIGN: QQ1ABC", "CONTEST: CONCURSO PRUEBA"};
    for (std::string& c : categorias) l.push_back(std::move(c));
    l.push_back("QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001");
    l.push_back("END-OF-LOG:");
    return l;
  }
  static std::vector<std::string> Correcto() {
    return V3({"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-BAND: 20M", "CATEGORY-MODE: CW", "CATEGORY-POWER: LOW"});
  }

  soporte::CarpetaTemporal carpeta_;
  DatosConcursoLog datos_ = soporte::ConcursoPrueba();
  CategoriasAdmitidas categorias_ = soporte::CategoriasPrueba(datos_);
  std::unique_ptr<TablasPaises> paises_ = prueba::PaisesPrueba();
  FicheroErrores informe_;
  CabeceraLog cabecera_;
  std::string informe;
};

TEST_F(Cabecera, LogCorrectoLlenaLaCabecera) {
  std::vector<std::string> l = Correcto();
  l[1] = "CALLSIGN:   qq1abc/p  ";
  l.insert(l.begin() + 2, "CLUB: Radio Club");
  EXPECT_EQ(Verifica(l, "qq1abc.log"), V{});
  EXPECT_EQ(cabecera_.LineaCallsign, "CALLSIGN:   qq1abc/p  ");
  EXPECT_EQ(cabecera_.IndicativoParticipante, "QQ1ABC");
  EXPECT_EQ(cabecera_.LineaCategoryOperator, "CATEGORY-OPERATOR: SINGLE-OP");
  EXPECT_EQ(cabecera_.LineaClub, "CLUB: Radio Club");
  EXPECT_EQ(cabecera_.LineaOperators, "");
  EXPECT_EQ(cabecera_.MarcaSwl, "");
}

TEST_F(Cabecera, FaltasDeCabeceraSeInformanTodasYParanLasCategorias) {
  // No CALLSIGN, CONTEST or CATEGORY-OPERATOR; the category values would fail too.
  EXPECT_EQ(Verifica({"START-OF-LOG: 3.0", "CATEGORY-BAND: 99M", "END-OF-LOG:"}), (V{6, 8, 9}));
  // A CALLSIGN line after the first QSO line is not in the header.
  std::vector<std::string> l = Correcto();
  l.erase(l.begin() + 1);
  l.insert(l.end() - 1, "CALLSIGN: QQ1ABC");
  EXPECT_EQ(Verifica(l), V{6});
  EXPECT_EQ(Verifica({"START-OF-LOG: 2.0", "CALLSIGN: QQ1ABC", "END-OF-LOG:"}, "QQ1ABC.LOG", "2.0"), (V{7, 8}));
}

TEST_F(Cabecera, NombreDelFicheroFrenteAlCallsign) {
  std::vector<std::string> l = Correcto();
  EXPECT_EQ(Verifica(l, "QQ9XYZ.LOG"), V{34});
  EXPECT_EQ(Verifica(l, "QQ1ABC-2.LOG"), V{34});
  l[1] = "CALLSIGN:";
  EXPECT_EQ(Verifica(l, "QQ1ABC.LOG"), V{34});
  EXPECT_EQ(informe.substr(informe.find("CALLSIGN:")),
            "CALLSIGN:\r\nFICHERO ADJUNTO : QQ1ABC.LOG\r\n"
            ".- ERROR 34: En el fichero cabrillo no coincide con el indicativo del CALLSIGN:\r\n\r\n");
  datos_.Concurso = "SEGOVIA-QQ1TLM";
  l = Correcto();
  l[2] = "CONTEST: SEGOVIA-QQ1TLM";
  EXPECT_EQ(Verifica(l, "QQ1ABC-2.LOG"), V{});
}

TEST_F(Cabecera, ReescrituraDeLaCategoriaEnDosConcursos) {
  datos_.Concurso = "CAMINO DE SANTIAGO";
  Verifica({"START-OF-LOG: 2.0", "CALLSIGN: QQ1ABC", "CATEGORY: GENERAL 20M", "CONTEST: X", "END-OF-LOG:"},
           "QQ1ABC.LOG", "2.0");
  EXPECT_EQ(cabecera_.LineaCategory, "CATEGORY: SINGLE-OP");
  Verifica(V3({"CATEGORY-OPERATOR: GRUPO 2012"}));
  EXPECT_EQ(cabecera_.LineaCategoryOperator, "CATEGORY-OPERATOR: SERVER-OP");
  datos_.Concurso = "LA PALMA ISLA BONITA HF";
  Verifica(V3({"CATEGORY-OPERATOR: MULTI-OP CHECKLOG"}));
  EXPECT_EQ(cabecera_.LineaCategoryOperator, "CATEGORY-OPERATOR: CHECKLOG");
  Verifica(V3({"CATEGORY-OPERATOR: MULTI-OP"}));
  EXPECT_EQ(cabecera_.LineaCategoryOperator, "CATEGORY-OPERATOR: SINGLE-OP");
}

TEST_F(Cabecera, GruposDeCategorias) {
  struct Caso {
    std::vector<std::string> categorias;
    V errores;
  };
  const Caso casos[] = {
      {{"CATEGORY-OPERATOR: single-op", "CATEGORY-BAND: all", "CATEGORY-MODE: SSB", "CATEGORY-POWER: low"}, {}},
      {{"CATEGORY-OPERATOR: CHECKLOG", "CATEGORY-MODE: CW", "CATEGORY-POWER: LOW"}, {}},  // empty band passes
      {{"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-POWER: LOW"}, {12}},                     // empty mode does not
      {{"CATEGORY-OPERATOR: MULTI-OP", "CATEGORY-BAND: 40M", "CATEGORY-MODE: FM", "CATEGORY-POWER: LOW"},
       {10, 11, 12}},
      {{"CATEGORY-OPERATOR: SERVER-OP", "CATEGORY-BAND: 160", "CATEGORY-MODE: CW", "CATEGORY-POWER: QRP"},
       {10, 11, 13}},
      {{"CATEGORY-OPERATOR:", "CATEGORY-MODE: CW", "CATEGORY-POWER: LOW"}, {10}},
      // Groups not applicable are not checked.
      {{"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-MODE: CW", "CATEGORY-POWER: LOW", "CATEGORY-TIME: 6-HOURS",
        "CATEGORY-ASSISTED: NO-ASSISTED", "CATEGORY-STATION: HOME"},
       {}},
  };
  for (const Caso& c : casos) EXPECT_EQ(Verifica(V3(c.categorias)), c.errores) << c.categorias[0];

  // Only the operator block carries the admitted-category table.
  Verifica(V3(casos[3].categorias));
  EXPECT_EQ(informe.find("CATEGOR\xCD" "AS ADMITIDAS:"), informe.rfind("CATEGOR\xCD" "AS ADMITIDAS:"));
  EXPECT_NE(informe.find("CATEGORY-BAND: 40M\r\nBANDA: 40M\r\n.- ERROR 11:"), std::string::npos);

  FilaResumenCabrillo& r = datos_.Resumen;
  r.AsistidoNoAplicable = r.TimeNoAplicable = r.TxNoAplicable = r.OverlayNoAplicable = false;
  r.TipoEstacionNoAplicable = false;
  r.NonAssisted = r.Hours6 = r.One = r.Rookie = r.Mobile = true;
  const std::vector<std::string> base = {"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-MODE: CW", "CATEGORY-POWER: LOW",
                                         "CATEGORY-TRANSMITTER: ONE", "CATEGORY-OVERLAY: ROOKIE",
                                         "CATEGORY-STATION: MOBILE"};
  auto con = [&](std::vector<std::string> extra) {
    std::vector<std::string> c = base;
    for (std::string& e : extra) c.push_back(std::move(e));
    return V3(c);
  };
  EXPECT_EQ(Verifica(con({"CATEGORY-ASSISTED: NON-ASSISTED", "CATEGORY-TIME: 6HOURS"})), V{});
  // The printed spellings are refused.
  EXPECT_EQ(Verifica(con({"CATEGORY-ASSISTED: NO-ASSISTED", "CATEGORY-TIME: 6-HOURS"})), (V{14, 17}));
  // "SINGLE-OP FIXED" makes the station FIXED, which this contest refuses.
  std::vector<std::string> fija = con({"CATEGORY-ASSISTED: NON-ASSISTED", "CATEGORY-TIME: 6HOURS"});
  fija[3] = "CATEGORY-OPERATOR: SINGLE-OP FIXED";
  EXPECT_EQ(Verifica(fija), V{16});
  EXPECT_NE(informe.find("CATEGORY-STATION: MOBILE\r\nTIPO ESTACI\xD3N: FIXED\r\n.- ERROR 16:"), std::string::npos);
  // A version 2.0 log has no transmitter, time or overlay.
  EXPECT_EQ(Verifica({"START-OF-LOG: 2.0", "CALLSIGN: QQ1ABC", "CATEGORY: SINGLE-OP 20M LOW CW",
                      "CONTEST: CONCURSO PRUEBA", "CATEGORY-ASSISTED: NON-ASSISTED", "END-OF-LOG:"},
                     "QQ1ABC.LOG", "2.0"),
            (V{15, 16, 17, 18}));
}

// A participant may copy any entry of the printed table into the header:
// each group in turn applies and admits every value, and every entry, given
// as the header lines of a version 3.0 log (and, for the groups that a
// version 2.0 "CATEGORY:" line carries, as that line), passes the checks.
TEST_F(Cabecera, CadaCategoriaImpresaPasaLaComprobacion) {
  struct Grupo {
    const GrupoCategorias& grupo;
    const char* etiqueta;
    bool en_version_2;
  };
  const Grupo grupos[] = {{GrupoBanda(), "CATEGORY-BAND:", true},
                          {GrupoModo(), "CATEGORY-MODE:", true},
                          {GrupoPotencia(), "CATEGORY-POWER:", true},
                          {GrupoAsistido(), "CATEGORY-ASSISTED:", false},
                          {GrupoTransmisor(), "CATEGORY-TRANSMITTER:", false},
                          {GrupoEstacion(), "CATEGORY-STATION:", true},
                          {GrupoTiempo(), "CATEGORY-TIME:", false},
                          {GrupoOverlay(), "CATEGORY-OVERLAY:", false}};
  FilaResumenCabrillo todo = datos_.Resumen;
  for (const PalabraCategoria& p : GrupoOperador().palabras) todo.*p.campo = true;
  todo.ServerOp = todo.CheckLog = false;
  for (const Grupo& g : grupos) {
    todo.*g.grupo.interruptor = true;
    for (const PalabraCategoria& p : g.grupo.palabras) todo.*p.campo = true;
  }
  auto usa = [&](const FilaResumenCabrillo& fila) {
    datos_.Resumen = fila;
    categorias_ = GeneraCategoriasAdmitidas(datos_.Concurso, &fila);
    return categorias_.Entradas();
  };

  std::size_t probadas = 0;
  for (const Grupo& g : grupos) {
    FilaResumenCabrillo fila = todo;
    fila.*g.grupo.interruptor = false;
    const std::vector<std::string> entradas = usa(fila);
    EXPECT_EQ(entradas.size(), 2 * g.grupo.palabras.size()) << g.etiqueta;
    for (const std::string& entrada : entradas) {
      const std::size_t blanco = entrada.find(' ');
      ASSERT_NE(blanco, std::string::npos) << entrada;
      const std::string operador = entrada.substr(0, blanco), palabra = entrada.substr(blanco + 1);
      EXPECT_EQ(Verifica(V3({"CATEGORY-OPERATOR: " + operador, std::string(g.etiqueta) + " " + palabra})), V{})
          << entrada;
      if (g.en_version_2) {
        EXPECT_EQ(Verifica({"START-OF-LOG: 2.0", "CALLSIGN: QQ1ABC", "CATEGORY: " + entrada,
                            "CONTEST: CONCURSO PRUEBA", "END-OF-LOG:"},
                           "QQ1ABC.LOG", "2.0"),
                  V{})
            << entrada;
      }
      ++probadas;
    }
  }
  // The operator words and the lone entries alone.
  FilaResumenCabrillo solos = todo;
  solos.ServerOp = solos.CheckLog = true;
  const std::vector<std::string> entradas = usa(solos);
  EXPECT_EQ(entradas, (std::vector<std::string>{"SINGLE-OP", "MULTI-OP", "SERVER-OP", "CHECKLOG"}));
  for (const std::string& entrada : entradas) {
    EXPECT_EQ(Verifica(V3({"CATEGORY-OPERATOR: " + entrada})), V{}) << entrada;
    ++probadas;
  }
  EXPECT_EQ(probadas, 2u * (16 + 5 + 3 + 2 + 5 + 8 + 3 + 4) + 4);
}

TEST_F(Cabecera, BloqueDePotenciaSinLineaEnBlanco) {
  EXPECT_EQ(Verifica(V3({"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-MODE: CW", "CATEGORY-POWER: HIGH"})), V{13});
  const std::string bloque =
      "CATEGORY-POWER: HIGH\r\nPOTENCIA: HIGH\r\n.- ERROR 13: La categor\xED" "a de POTENCIA de la estaci\xF3n "
      "no se corresponde con las exigidas en las Bases.\r\n";
  EXPECT_EQ(informe.substr(informe.size() - bloque.size()), bloque);
  datos_.Concurso = "SPRINT ZUROZI RTTY";
  EXPECT_EQ(Verifica(V3({"CATEGORY-OPERATOR: MULTI-OP", "CATEGORY-MODE: CW", "CATEGORY-POWER: HIGH"})), V{10});
}

TEST_F(Cabecera, NombreDelConcursoYListasDeEscucha) {
  datos_.VerificarNombreExacto = true;
  std::vector<std::string> l = Correcto();
  l[2] = "CONTEST: concurso prueba";
  EXPECT_EQ(Verifica(l), V{});
  l[2] = "CONTEST: OTRO CONCURSO";
  EXPECT_EQ(Verifica(l), V{38});
  EXPECT_NE(informe.find("CONTEST: OTRO CONCURSO\r\n.- ERROR 38: La LISTA cabrillo no pertenece al CONCURSO PRUEBA\r\n"
                         "\r\n"),
            std::string::npos);
  // The name followed by the edition, as the rules text's sample header
  // writes it, passes; any other text after the name does not.
  datos_.Edicion = "2024";
  for (const char* valor : {"CONCURSO PRUEBA 2024", "concurso prueba 2024", "CONCURSO PRUEBA"}) {
    l[2] = std::string("CONTEST: ") + valor;
    EXPECT_EQ(Verifica(l), V{}) << valor;
  }
  for (const char* valor : {"CONCURSO PRUEBA 2025", "CONCURSO PRUEBA  2024", "CONCURSO PRUEBA2024", "2024",
                            "CONCURSO PRUEBA 2024 EA"}) {
    l[2] = std::string("CONTEST: ") + valor;
    EXPECT_EQ(Verifica(l), V{38}) << valor;
  }
  datos_.Edicion.clear();
  l[2] = "CONTEST: CONCURSO PRUEBA ";
  EXPECT_EQ(Verifica(l), V{});
  // A listener log gets no other category check, but still the name check.
  const std::vector<std::string> swl = V3({"CATEGORY-OPERATOR: SWL", "CATEGORY-BAND: 99M"});
  EXPECT_EQ(Verifica(swl), V{});
  EXPECT_EQ(cabecera_.MarcaSwl, "SWL");
  datos_.VerificarNombreExacto = false;
  EXPECT_EQ(Verifica(swl), V{});
  EXPECT_TRUE(cabecera_.EsListaSwl());
}

TEST_F(Cabecera, ConcursosConReglasDeOperadorPropias) {
  datos_.Concurso = "COMARCAS CATALANAS";
  EXPECT_EQ(Verifica(V3({"CATEGORY-OPERATOR: CUALQUIERA", "CATEGORY-MODE: CW", "CATEGORY-POWER: LOW"})), V{});
  EXPECT_EQ(Verifica(V3({"CATEGORY-OPERATOR: CUALQUIERA", "CATEGORY-POWER: LOW"})), V{12});

  datos_.Concurso = "VGE SPRINT";
  categorias_ = soporte::CategoriasPrueba(datos_);
  EXPECT_EQ(Verifica(V3({"CATEGORY-OPERATOR: VG-MONO-QRP", "CATEGORY-BAND: 99M"})), V{});
  EXPECT_EQ(Verifica(V3({"CATEGORY-OPERATOR: VG-MONO"})), V{10});

  datos_.Concurso = "CONCURSO DIE";
  categorias_ = soporte::CategoriasPrueba(datos_);
  auto die = [&](const std::string& indicativo, const std::string& operador) {
    return Verifica({"START-OF-LOG: 3.0", "CALLSIGN: " + indicativo, "CONTEST: CONCURSO DIE",
                     "CATEGORY-OPERATOR: " + operador, "END-OF-LOG:"},
                    indicativo + ".LOG");
  };
  EXPECT_EQ(die("CT1ABC", "GENERAL-PENINSULAR"), V{});
  EXPECT_EQ(die("EA8ABC", "ISLA-RESIDENTE"), V{});
  EXPECT_EQ(die("F5ABC", "FARO"), V{39});
  EXPECT_EQ(die("EA3ABC", "GENERAL-NO-EA"), V{39});
  EXPECT_NE(informe.find("CATEGORY-OPERATOR: GENERAL-NO-EA\r\nPAIS CONCURSANTE: EA\r\n"
                         ".- ERROR 39: La categoria no se corresponde con el Pa\xEDs del concursante\r\n\r\n"),
            std::string::npos);
  EXPECT_EQ(die("EA3ABC", "GENERAL"), V{10});
}

}  // namespace
}  // namespace cabrillo

// The contest-rules text, built without a window: whole texts compared byte
// for byte with the expected files, and the pieces with a table of cases.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "plataforma/texto.h"
#include "rules/bases_concurso_texto.h"
#include "soporte/carpeta_temporal.h"

using namespace rules;

namespace {

void PonColumnas(ResumenCabrillo& p, std::initializer_list<std::pair<Columna, int>> columnas) {
  for (auto [c, v] : columnas) p.columnas[c] = v;
}

void PonElementos(ResumenCabrillo& p, std::initializer_list<Elemento> elementos) {
  for (Elemento e : elementos) p.elementos[e] = true;
}

void PonModos(ResumenCabrillo& p, std::initializer_list<const char*> modos) {
  p.PonCategoria("ModoNoAplicable", false);
  for (const char* m : modos) p.PonCategoria(m, true);
}

// RST and serial number both ways at the columns the format window computes.
void RstYNumero(ResumenCabrillo& p) {
  PonElementos(p, {kRstEnviado, kNumeralEnviado, kRstRecibido, kNumeralRecibido});
  PonColumnas(p, {{kMiIndicativo, 31}, {kMiRst, 45}, {kMiNumero, 49}, {kSuIndicativo, 54}, {kSuRst, 68},
                  {kSuNumero, 72}});
}

// RST and letters both ways.
void RstYLetras(ResumenCabrillo& p, int suIndicativo, int suRst, int susLetras) {
  PonElementos(p, {kRstEnviado, kLetrasEnviadas, kRstRecibido, kLetrasRecibidas});
  PonColumnas(p, {{kMiIndicativo, 31}, {kMiRst, 45}, {kMisLetras, 49}, {kSuIndicativo, suIndicativo},
                  {kSuRst, suRst}, {kSusLetras, susLetras}});
}

DatosBasesConcurso Datos(std::string nombre, std::string correo, std::string asunto,
                         std::vector<std::string> categorias = {"SINGLE-OP"}) {
  DatosBasesConcurso d;
  d.NombreConcurso = std::move(nombre);
  d.EdicionConcurso = "2024";
  d.perfil = PerfilInicial();  // SINGLE-OP, every other group not applicable
  d.perfil.EMailConcurso = std::move(correo);
  d.perfil.AsuntoConcurso = std::move(asunto);
  d.categoriasAdmitidas = std::move(categorias);
  return d;
}

struct CasoTexto {
  const char* fichero;
  std::function<DatosBasesConcurso()> datos;
};

const std::vector<CasoTexto>& CasosTexto() {
  static const std::vector<CasoTexto> casos = {
      {"ejemplo.LST",
       [] {
         auto d = Datos("CONCURSO PRUEBA", "concurso@example.org", "CONCURSO PRUEBA $",
                        {"SINGLE-OP ALL SSB LOW ONE", "SINGLE-OP 20M SSB LOW ONE"});
         RstYNumero(d.perfil);
         PonModos(d.perfil, {"SSB"});
         d.perfil.PonCategoria("BandaNoAplicable", false);
         d.perfil.PonCategoria("ALL", true);
         d.perfil.PonCategoria("M20", true);
         d.perfil.PonCategoria("PotenciaNoAplicable", false);
         d.perfil.PonCategoria("Low", true);
         d.perfil.PonCategoria("TxNoAplicable", false);
         d.perfil.PonCategoria("One", true);
         d.perfil.PonCategoria("TimeNoAplicable", false);
         d.perfil.PonCategoria("Hours24", true);
         return d;
       }},
      {"cuatro_elementos.LST",
       [] {
         auto d = Datos("CONCURSO COMPLETO", "listas@example.org", "LISTA CONCURSO", {});
         d.EdicionConcurso = "2025";
         d.perfil.PonCategoria("SingleOp", false);
         d.perfil.PonCategoria("MultiOp", true);
         PonModos(d.perfil, {"RTTY"});
         d.perfil.PonCategoria("ModoNoAplicable", true);  // the token still follows RTTY
         for (std::size_t e = 0; e < 8; ++e) d.perfil.elementos[e] = true;
         PonColumnas(d.perfil, {{kMiIndicativo, 31}, {kMiRst, 45}, {kMiNumero, 49}, {kMisLetras, 54},
                                {kMiLocator, 61}, {kSuIndicativo, 68}, {kSuRst, 82}, {kSuNumero, 86},
                                {kSusLetras, 91}, {kSuLocator, 98}});
         return d;
       }},
      {"segovia.LST",
       [] {
         auto d = Datos("SEGOVIA-QQ1TLM", "segovia@example.org", "$", {"SINGLE-OP", "MULTI-OP"});
         PonElementos(d.perfil, {kRstEnviado, kLocatorEnviado, kRstRecibido, kLocatorRecibido});
         PonColumnas(d.perfil, {{kMiIndicativo, 31}, {kMiRst, 45}, {kMiLocator, 49}, {kSuIndicativo, 56},
                                {kSuRst, 70}, {kSuLocator, 74}});
         PonModos(d.perfil, {"SSB", "CW"});
         return d;
       }},
      {"urs_rtty.LST",
       [] {
         auto d = Datos("URS RTTY", "urs@example.org", "URS $ RTTY", {"SINGLE-OP ALL RTTY", "MULTI-OP ALL RTTY"});
         RstYNumero(d.perfil);
         PonModos(d.perfil, {"RTTY"});
         return d;
       }},
      {"comarcas.LST",
       [] {
         auto d = Datos("COMARCAS CATALANAS", "comarcas@example.org", "COMARCAS $", {"SINGLE-OP", "MULTI-OP"});
         PonElementos(d.perfil, {kRstEnviado, kNumeralEnviado, kRstRecibido, kLetrasRecibidas});
         PonColumnas(d.perfil, {{kMiIndicativo, 31}, {kMiRst, 45}, {kMiNumero, 49}, {kSuIndicativo, 54},
                                {kSuRst, 68}, {kSusLetras, 72}});
         PonModos(d.perfil, {"CW", "MIXED"});
         return d;
       }},
      {"die.LST",
       [] {
         auto d = Datos("CONCURSO DIE", "die@example.org", "DIE-$",
                        {"ISLA-RESIDENTE", "ISLA-EXPEDICION", "FARO", "GENERAL-PENINSULAR", "GENERAL-NO-EA", "SWL",
                         "CHECKLOG"});
         RstYLetras(d.perfil, 58, 72, 76);
         PonModos(d.perfil, {"SSB"});
         return d;
       }},
      {"vge.LST",
       [] {
         auto d = Datos("VGE SPRINT", "vge@example.org", "$ $", {"VG-MONO-LP", "VG-MONO-QRP"});
         RstYLetras(d.perfil, 57, 71, 75);
         return d;
       }},
      {"dce.LST",
       [] {
         auto d = Datos("SPRINT DCE 1.0", "dce@example.org", "DCE $");
         RstYLetras(d.perfil, 60, 74, 78);
         d.perfil.MisPuntos = 57;
         d.perfil.SusPuntos = 86;
         return d;
       }},
      {"diploma.LST",
       [] {
         auto d = Datos("ZEDAZIV OZIRUDUZ UV ERAZUDOZO", "diploma@example.org", "DIPLOMA $");
         RstYLetras(d.perfil, 56, 70, 74);
         return d;
       }},
      {"naranja_cw.LST",
       [] {
         auto d = Datos("NARANJA CW", "naranja@example.org", "NARANJA $");
         PonElementos(d.perfil, {kRstEnviado, kNumeralEnviado, kRstRecibido, kLetrasRecibidas});
         PonColumnas(d.perfil, {{kMiIndicativo, 31}, {kMiRst, 45}, {kMiNumero, 49}, {kSuIndicativo, 54},
                                {kSuRst, 68}, {kSusLetras, 72}});
         PonModos(d.perfil, {"MIXED"});
         return d;
       }},
      {"naranja_psk63.LST",
       [] {
         auto d = Datos("TROFEO NARANJA PSK63", "naranja@example.org", "NARANJA $");
         PonElementos(d.perfil, {kRstEnviado, kNumeralEnviado, kRstRecibido, kLetrasRecibidas});
         PonColumnas(d.perfil, {{kMiIndicativo, 31}, {kMiRst, 45}, {kMiNumero, 49}, {kSuIndicativo, 54},
                                {kSuRst, 68}, {kSusLetras, 72}});
         PonModos(d.perfil, {"CW"});
         return d;
       }},
  };
  return casos;
}

std::string Esperado(const std::string& fichero) {
  std::string bytes;
  EXPECT_TRUE(plataforma::LeerBytes(std::string(TROVALIS_DATOS_PRUEBA) + "/rules/bases/" + fichero, bytes))
      << fichero;
  return bytes;
}

// The first differing line, for a readable failure.
std::string PrimeraDiferencia(const std::string& obtenido, const std::string& esperado) {
  auto a = plataforma::PartirLineas(obtenido);
  auto b = plataforma::PartirLineas(esperado);
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    std::string x = i < a.size() ? a[i] : "<fin>";
    std::string y = i < b.size() ? b[i] : "<fin>";
    if (x != y) return "línea " + std::to_string(i + 1) + ":\n  obtenida [" + x + "]\n  esperada [" + y + "]";
  }
  return "mismas líneas, distintos finales de línea";
}

}  // namespace

TEST(TextoBases, CadaCasoSaleByteAByteComoElFicheroEsperado) {
  for (const CasoTexto& caso : CasosTexto()) {
    SCOPED_TRACE(caso.fichero);
    soporte::CarpetaTemporal carpeta;
    carpeta.CreaCarpeta("BasesConcurso");
    ASSERT_EQ(EscribeBasesConcurso(carpeta.Ruta(), GeneraBasesConcurso(caso.datos())), "");
    const std::string obtenido = carpeta.LeeBytes("BasesConcurso/FicheroBasesConcurso.LST");
    const std::string esperado = Esperado(caso.fichero);
    EXPECT_TRUE(obtenido == esperado) << PrimeraDiferencia(obtenido, esperado);
    // Every line ends with CR LF and the text with an empty line.
    EXPECT_TRUE(obtenido.ends_with("\r\n\r\n"));
    EXPECT_EQ(obtenido.find("\n\n"), std::string::npos);
  }
}

TEST(TextoBases, LineaDeEjemploReglaYFilasDeNumeros) {
  for (const CasoTexto& caso : CasosTexto()) {
    SCOPED_TRACE(caso.fichero);
    DatosBasesConcurso d = caso.datos();
    std::vector<std::string> l = GeneraBasesConcurso(d);
    const std::string regla = ReglaColumnas(d);
    // The ruler is followed by the sample line and the two rows, all found
    // together in the text.
    auto it = std::find(l.begin(), l.end(), regla);
    ASSERT_NE(it, l.end());
    ASSERT_GE(l.end() - it, 4);
    EXPECT_EQ(it[1].size(), 100u);
    EXPECT_TRUE(it[1].starts_with("QSO:  3500 "));
    EXPECT_LE(regla.size(), 100u);
    EXPECT_EQ(it[2].size(), regla.size());
    EXPECT_EQ(it[3].size(), regla.size());
    EXPECT_NE(regla.front(), ' ');
    EXPECT_NE(regla.back(), ' ');
  }
}

TEST(TextoBases, EjemploConRstYNumeroEnSsb) {
  DatosBasesConcurso d = CasosTexto()[0].datos();
  EXPECT_EQ(ReglaColumnas(d), "---- Banda Md --fecha--- hora -----Info. enviada---- -----Info. recibida-----");
  const std::string linea = LineaQsoEjemplo(d);
  EXPECT_TRUE(linea.starts_with("QSO:  3500 PH 2009-12-30 1648 QQ0QQ         59x 0001 QQ5WBX        59x 0001"));
  EXPECT_EQ(linea.size(), 100u);
  EXPECT_EQ(linea.find_last_not_of(' '), 74u);  // "0001" ends in column 75
  EXPECT_EQ(FilaDecenas(77), "00000000011111111112222222222333333333344444444445555555555666666666677777777");
  EXPECT_EQ(FilaUnidades(77), "12345678901234567890123456789012345678901234567890123456789012345678901234567");
}

TEST(TextoBases, NadaMasAllaDeLaColumna100) {
  DatosBasesConcurso d = CasosTexto()[1].datos();  // all four elements both ways
  const std::string regla = ReglaColumnas(d);
  EXPECT_EQ(regla.size(), 100u);
  EXPECT_EQ(regla.substr(78, 14), "Info. recibida");
  EXPECT_EQ(regla.substr(92), "--------");
  const std::string linea = LineaQsoEjemplo(d);
  EXPECT_EQ(linea.size(), 100u);
  EXPECT_EQ(linea.substr(97), "IN7");  // the received locator is cut at column 100
  EXPECT_EQ(FilaDecenas(100).back(), '0');
  EXPECT_EQ(FilaUnidades(100).back(), '0');
  EXPECT_EQ(FilaDecenas(150).size(), 100u);
}

TEST(TextoBases, ColumnasFueraDeLaLineaNoSeEscriben) {
  // Columns typed by hand, or a row that holds no column: what starts outside
  // columns 1 to 100 is left out, what runs past 100 is cut.
  const std::string cabecera = "---- Banda Md --fecha--- hora ";
  struct Caso {
    const char* que;
    std::initializer_list<std::pair<Columna, int>> columnas;
    std::string regla;
  };
  const Caso casos[] = {
      {"sin columnas", {{kSuIndicativo, 0}, {kMiRst, 0}, {kMiNumero, 0}, {kSuRst, 0}, {kSuNumero, 0}},
       cabecera + "Info. enviada"},
      {"negativas", {{kSuIndicativo, -20}, {kMiRst, -3}, {kMiNumero, -1}, {kSuRst, -9}, {kSuNumero, -2}},
       cabecera + "Info. enviada"},
      // N = (101 - 31 - 13) / 2 = 28.5, to 28; column 100 is the blank
      // before the worked call, which has no place in the line.
      {"pasada la 100", {{kSuIndicativo, 101}, {kMiRst, 200}, {kMiNumero, 150}, {kSuRst, 115}, {kSuNumero, 119}},
       cabecera + std::string(28, '-') + "Info. enviada" + std::string(28, '-')},
      // The received hyphens from the worked call (40) on cover the end of
      // the sent label.
      {"etiqueta enviada mas ancha que su parte", {{kSuIndicativo, 40}, {kSuRst, 54}, {kSuNumero, 58}},
       cabecera + "Info. env-----Info. recibida-----"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.que);
    DatosBasesConcurso d = Datos("CONCURSO PRUEBA", "a@b.c", "$");
    RstYNumero(d.perfil);
    PonColumnas(d.perfil, c.columnas);
    EXPECT_EQ(ReglaColumnas(d), c.regla);
    const std::string linea = LineaQsoEjemplo(d);
    EXPECT_EQ(linea.size(), 100u);
    EXPECT_TRUE(linea.starts_with("QSO:  3500 PH 2009-12-30 1648 QQ0QQ    "));
  }
}

TEST(TextoBases, SinElementoRecibidoLaEtiquetaEmpiezaEnElIndicativoTrabajado) {
  DatosBasesConcurso d = Datos("CONCURSO PRUEBA", "a@b.c", "$");
  PonElementos(d.perfil, {kRstEnviado});
  PonColumnas(d.perfil, {{kMiIndicativo, 31}, {kMiRst, 45}, {kSuIndicativo, 49}});
  // N = (49 - 31 - 13) / 2 = 2.5, to 2.
  EXPECT_EQ(ReglaColumnas(d), "---- Banda Md --fecha--- hora --Info. enviada-- Info. recibida");
  EXPECT_EQ(LineaQsoEjemplo(d).substr(44, 11), "59x QQ5WBX ");
}

TEST(TextoBases, MitadesAlParMasCercano) {
  const std::pair<int, int> casos[] = {{0, 0},   {1, 0},   {2, 1},   {3, 2},  {5, 2},   {7, 4},
                                       {10, 5},  {13, 6},  {-1, 0},  {-2, -1}, {-3, -2}, {-5, -2}};
  for (auto [valor, mitad] : casos) EXPECT_EQ(MitadRedondeada(valor), mitad) << valor;
  // The sent label at columns 31 and 33 for worked calls at 45 and 47.
  for (auto [suIndicativo, columna] : {std::pair{45, 31}, std::pair{47, 33}}) {
    DatosBasesConcurso d = Datos("CONCURSO PRUEBA", "a@b.c", "$");
    RstYNumero(d.perfil);
    PonColumnas(d.perfil, {{kSuIndicativo, suIndicativo}});
    EXPECT_EQ(ReglaColumnas(d).find("Info. enviada"), static_cast<std::size_t>(columna - 1)) << suIndicativo;
  }
}

TEST(TextoBases, AsuntoConIndicativo) {
  const std::pair<const char*, const char*> casos[] = {
      {"$", "Indicativo"},
      {"CONCURSO $", "CONCURSO Indicativo"},
      {"$-LOG-$", "Indicativo-LOG-$"},
      {"SIN DOLAR", "SIN DOLAR"},
      {"", ""},
  };
  for (auto [patron, asunto] : casos) EXPECT_EQ(AsuntoEjemplo(patron), asunto) << patron;
}

TEST(TextoBases, FichaDeModo) {
  struct Caso {
    const char* nombre;
    std::initializer_list<const char*> modos;
    const char* ficha;
  };
  const Caso casos[] = {
      {"CONCURSO", {}, "PH"},
      {"CONCURSO", {"FM"}, "PH"},
      {"CONCURSO", {"RTTY"}, "PS"},
      {"CONCURSO", {"CW"}, "CW"},
      {"CONCURSO", {"RTTY", "CW"}, "CW"},
      {"CONCURSO", {"CW", "MIXED"}, "PH"},
      {"CONCURSO NARANJA CW", {"MIXED"}, "CW"},
      {"CONCURSO NARANJA PSK63", {"CW"}, "PS"},
      {"CONCURSO naranja cw", {"RTTY"}, "PS"},  // the name tests keep the case
  };
  for (const Caso& c : casos) {
    DatosBasesConcurso d = Datos(c.nombre, "a@b.c", "$");
    PonModos(d.perfil, c.modos);
    EXPECT_EQ(LineaQsoEjemplo(d).substr(11, 2), c.ficha) << c.nombre;
  }
}

TEST(TextoBases, LosNombresSeComparanEnterosYConMayusculas) {
  for (const char* nombre : {"URS RTTY ", "urs rtty", "XURS RTTY", "Urs Rtty"}) {
    DatosBasesConcurso d = Datos(nombre, "a@b.c", "$", {"SINGLE-OP", "CHECKLOG"});
    std::vector<std::string> l = GeneraBasesConcurso(d);
    EXPECT_NE(std::find(l.begin(), l.end(), "Categorías en FICHERO CABRILLO:"), l.end()) << nombre;
    EXPECT_NE(std::find(l.begin(), l.end(), ".- CHECKLOG"), l.end()) << nombre;
    EXPECT_EQ(std::find(l.begin(), l.end(), ".- SINGLE-OP 80M"), l.end()) << nombre;
  }
}

TEST(TextoBases, CabeceraTresSoloConLasCategoriasQueTienenValor) {
  DatosBasesConcurso d = Datos("CONCURSO", "a@b.c", "$", {});
  d.perfil.PonCategoria("SingleOp", false);  // no operator value either
  std::vector<std::string> l = GeneraBasesConcurso(d);
  auto inicio = std::find(l.begin(), l.end(), "START-OF-LOG: 3.0");
  ASSERT_NE(inicio, l.end());
  EXPECT_EQ(inicio[2], "CALLSIGN: QQ0QQ");
  EXPECT_EQ(inicio[3], "CLAIMED-SCORE: xxxxxx");
  // The 2.0 sample keeps its bare lines.
  EXPECT_NE(std::find(l.begin(), l.end(), "CATEGORY: "), l.end());
  EXPECT_NE(std::find(l.begin(), l.end(), "CATEGORY-ASSISTED: "), l.end());
}

TEST(TextoBases, SinCarpetaDeBasesNoSeEscribe) {
  soporte::CarpetaTemporal carpeta;
  EXPECT_NE(EscribeBasesConcurso(carpeta.Ruta(), {"x"}), "");
  EXPECT_NE(EscribeBasesConcurso("", {"x"}), "");
  std::vector<std::string> lineas;
  EXPECT_FALSE(LeeBasesConcurso(carpeta.Ruta(), lineas));
}

TEST(TextoBases, LaCarpetaYElFicheroSeEncuentranSinMirarMayusculas) {
  soporte::CarpetaTemporal carpeta;
  carpeta.CreaCarpeta("basesconcurso");
  carpeta.EscribeBytes("basesconcurso/ficherobasesconcurso.lst", "viejo\r\n");
  ASSERT_EQ(EscribeBasesConcurso(carpeta.Ruta(), {"", "nuevo", ""}), "");
  EXPECT_EQ(carpeta.LeeBytes("basesconcurso/ficherobasesconcurso.lst"), "\r\nnuevo\r\n\r\n");
  std::vector<std::string> lineas;
  ASSERT_TRUE(LeeBasesConcurso(carpeta.Ruta() + "/", lineas));
  EXPECT_EQ(lineas, (std::vector<std::string>{"", "nuevo", ""}));
}

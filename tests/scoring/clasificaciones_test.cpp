// The rankings rebuilt from the score files of the fixture contest: the two
// listing files against golden files, byte for byte; the table, the order of
// ties, the counts of the crossed logs and the score files that cannot be
// ranked.
#include "scoring/clasificaciones.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clasificacion_prueba.h"
#include "common/edicion_concurso.h"
#include "plataforma/dao.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "soporte/combinaciones.h"

namespace scoring {
namespace {

using prueba::ConcursoClasificacionPrueba;

std::vector<std::string> Filas(dao::Database& base) {
  std::vector<std::string> v;
  dao::Recordset rs =
      base.OpenRecordset("Select * From Clasificaciones Order By Concursante Asc", dao::TipoRecordset::Snapshot);
  for (; !rs.Eof(); rs.MoveNext())
    v.push_back(rs["Concursante"].CStr() + "|" + rs["Categoria"].CStr() + "|" + std::to_string(rs["Puntos"].CLng()));
  return v;
}

std::vector<std::string> LineasDe(const std::string& bytes) { return plataforma::PartirLineas(bytes); }

TEST(Clasificaciones, FixtureContestMatchesTheGoldenListings) {
  ConcursoClasificacionPrueba f;
  const ResultadoClasificaciones r = GeneraClasificaciones(f.base, EdicionConcurso(f.carpeta, {}));
  const std::vector<PuntuacionOmitida>& omitidas = r.Omitidas;

  const std::string por_categoria = f.Bytes("ListasClasificacion/ListaPorCategoria.lst");
  const std::string por_puntos = f.Bytes("ListasClasificacion/ListaPorPuntos.lst");
  EXPECT_EQ(por_categoria, ConcursoClasificacionPrueba::Esperado("ListaPorCategoria.lst"));
  EXPECT_EQ(por_puntos, ConcursoClasificacionPrueba::Esperado("ListaPorPuntos.lst"));
  // Nothing else stays in the folder.
  EXPECT_EQ(plataforma::ListaFicheros(f.En("ListasClasificacion")),
            (std::vector<std::string>{"ListaPorCategoria.lst", "ListaPorPuntos.lst"}));

  // The rankings given back hold the same items as the files, in order.
  EXPECT_EQ(r.PorCategoria, LineasDe(por_categoria));
  EXPECT_EQ(r.PorPuntos, LineasDe(por_puntos));

  // The file without its final score is left out, named, and takes no value
  // of the file before it.
  ASSERT_EQ(omitidas.size(), 1u);
  EXPECT_EQ(omitidas[0].Fichero, "EA6FFF.PTS");
  EXPECT_NE(omitidas[0].Motivo.find("TOTAL PUNTOS:"), std::string::npos);
  EXPECT_NE(TextoPuntuacionesOmitidas(omitidas).find("EA6FFF.PTS: "), std::string::npos);
  EXPECT_EQ(Filas(f.base), (std::vector<std::string>{"EA1AAA|SINGLE-OP ALL|1500", "EA2BBB|SINGLE-OP ALL|1500",
                                                     "EA3CCC|MULTI-OP|1500", "EA4DDD|SINGLE-OP 40M LOW|0",
                                                     "EA5EEE|SINGLE-OP ALL|2300", "EA7GGG|MULTI-OP|800"}));

  // The participant with 100 QSO lines, 3 duplicates and 2 annulled.
  const std::vector<std::string> categoria = LineasDe(por_categoria);
  const std::vector<std::string> puntos = LineasDe(por_puntos);
  ASSERT_EQ(categoria.size(), 6u);
  ASSERT_EQ(puntos.size(), 6u);
  EXPECT_NE(categoria[4].find("CONCURSANTE:EA1AAA      PUNTOS:1500    QSOS:100    NULOS:5     "), std::string::npos);
  EXPECT_NE(puntos[1].find("EA1AAA      PUNTOS:1500   "), std::string::npos);
  EXPECT_NE(puntos[1].find(" QSOS:97     NULOS:2     "), std::string::npos);
  // Every item is 100 characters, " CONCURSANTE:" at the 37th in the list by
  // category (a single byte per character in the file).
  for (const std::string& l : categoria) {
    EXPECT_EQ(plataforma::AWindows1252(l).size(), 100u) << l;
    EXPECT_EQ(plataforma::AWindows1252(l).find(" CONCURSANTE:"), 36u) << l;
  }
  for (const std::string& l : puntos) EXPECT_EQ(plataforma::AWindows1252(l).size(), 100u) << l;
}

TEST(Clasificaciones, ARebuildKeepsNothingOfTheEarlierRanking) {
  ConcursoClasificacionPrueba f;
  const EdicionConcurso edicion(f.carpeta, {});
  GeneraClasificaciones(f.base, edicion);
  for (const std::string& pts : plataforma::ListaFicheros(f.En("ListasPuntuaciones")))
    if (pts != "EA3CCC.PTS") plataforma::BorraFichero(f.En("ListasPuntuaciones/" + pts));

  ResultadoClasificaciones r = GeneraClasificaciones(f.base, edicion);
  EXPECT_TRUE(r.Omitidas.empty());
  EXPECT_EQ(Filas(f.base), std::vector<std::string>{"EA3CCC|MULTI-OP|1500"});
  EXPECT_EQ(r.PorCategoria.size(), 1u);
  EXPECT_EQ(LineasDe(f.Bytes("ListasClasificacion/ListaPorPuntos.lst")).size(), 1u);

  // No score file at all: empty table, empty lists, two empty files.
  plataforma::BorraFichero(f.En("ListasPuntuaciones/EA3CCC.PTS"));
  f.tmp.EscribeBytes("CONCURSO PRUEBA/ListasClasificacion/otro.lst", "x\r\n");
  r = GeneraClasificaciones(f.base, edicion);
  EXPECT_TRUE(r.Omitidas.empty());
  EXPECT_TRUE(Filas(f.base).empty());
  EXPECT_TRUE(r.PorCategoria.empty());
  EXPECT_TRUE(r.PorPuntos.empty());
  EXPECT_EQ(plataforma::ListaFicheros(f.En("ListasClasificacion")),
            (std::vector<std::string>{"ListaPorCategoria.lst", "ListaPorPuntos.lst"}));
  EXPECT_TRUE(plataforma::ExisteFichero(f.En("ListasClasificacion/ListaPorCategoria.lst")));
  EXPECT_EQ(f.Bytes("ListasClasificacion/ListaPorCategoria.lst"), "");
  EXPECT_EQ(f.Bytes("ListasClasificacion/ListaPorPuntos.lst"), "");
}

TEST(Clasificaciones, TiesFollowTheOrderOfEachList) {
  // Equal points: by category the participants follow in their own order
  // (letter case aside, as the database sorts); by points the later
  // category comes first.
  ConcursoClasificacionPrueba f;
  for (const std::string& pts : plataforma::ListaFicheros(f.En("ListasPuntuaciones")))
    plataforma::BorraFichero(f.En("ListasPuntuaciones/" + pts));
  const auto puntuacion = [&](const std::string& call, const std::string& categoria) {
    f.tmp.EscribeBytes("CONCURSO PRUEBA/ListasPuntuaciones/" + call + ".PTS",
                       plataforma::AWindows1252("\r\nCONCURSANTE: " + call + "\r\n\r\nCATEGORÍA: " + categoria +
                                                "\r\n\r\nTOTAL PUNTOS: 10\r\n"));
  };
  puntuacion("EB2B", "ALFA");
  puntuacion("ea1a", "ALFA");
  puntuacion("EC3C", "BRAVO");
  const ResultadoClasificaciones r = GeneraClasificaciones(f.base, EdicionConcurso(f.carpeta, {}));
  const auto concursantes = [&](const std::vector<std::string>& lista, std::size_t desde) {
    std::vector<std::string> v;
    for (const std::string& e : lista) v.push_back(plataforma::Recorta(plataforma::Medio(e, desde + 1, 11)));
    return v;
  };
  EXPECT_EQ(concursantes(r.PorCategoria, 49), (std::vector<std::string>{"ea1a", "EB2B", "EC3C"}));
  EXPECT_EQ(concursantes(r.PorPuntos, 12), (std::vector<std::string>{"EC3C", "ea1a", "EB2B"}));
}

TEST(Clasificaciones, EveryScoreFileIsReadOnItsOwn) {
  struct Caso {
    const char* nombre;
    std::vector<std::string> lineas;
    std::optional<FilaClasificacion> fila;  // nullopt: left out
    const char* motivo;                     // part of the reason
  };
  const std::string largo24(24, 'X'), largo32(32, 'C');
  const std::vector<Caso> casos = {
      {"completo",
       {"", "CONCURSANTE: EA1AAA", "", "CATEGORÍA: SINGLE-OP", "", "TOTAL PUNTOS: 120", ""},
       FilaClasificacion{"EA1AAA", "SINGLE-OP", 120},
       ""},
      {"valores recortados",
       {"CONCURSANTE:   EA1AAA  ", "CATEGORÍA:  SINGLE-OP  ", "TOTAL PUNTOS:77"},
       FilaClasificacion{"EA1AAA", "SINGLE-OP", 77},
       ""},
      {"la última línea manda",
       {"CONCURSANTE: A1", "TOTAL PUNTOS: 5", "CONCURSANTE: B2", "TOTAL PUNTOS: 9"},
       FilaClasificacion{"B2", "", 9},
       ""},
      {"negativo", {"CONCURSANTE: EA1AAA", "TOTAL PUNTOS: -5"}, FilaClasificacion{"EA1AAA", "", -5}, ""},
      {"límites de la tabla",
       {"CONCURSANTE: " + largo24, "CATEGORÍA: " + largo32, "TOTAL PUNTOS: 2147483647"},
       FilaClasificacion{largo24, largo32, 2147483647},
       ""},
      {"sin total", {"CONCURSANTE: EA1AAA", "CATEGORÍA: SINGLE-OP"}, std::nullopt, "TOTAL PUNTOS:"},
      {"sin concursante", {"CATEGORÍA: SINGLE-OP", "TOTAL PUNTOS: 10"}, std::nullopt, "CONCURSANTE:"},
      {"concursante vacío", {"CONCURSANTE: ", "TOTAL PUNTOS: 10"}, std::nullopt, "CONCURSANTE:"},
      {"total vacío", {"CONCURSANTE: EA1AAA", "TOTAL PUNTOS:"}, std::nullopt, "no es un número"},
      {"total con letras", {"CONCURSANTE: EA1AAA", "TOTAL PUNTOS: 12a"}, std::nullopt, "no es un número"},
      {"total fraccionario", {"CONCURSANTE: EA1AAA", "TOTAL PUNTOS: 1.5"}, std::nullopt, "no es un número"},
      {"total de más de 32 bits", {"CONCURSANTE: EA1AAA", "TOTAL PUNTOS: 2147483648"}, std::nullopt, "no es un número"},
      {"concursante largo", {"CONCURSANTE: " + largo24 + "Y", "TOTAL PUNTOS: 1"}, std::nullopt, "24"},
      {"categoría larga", {"CONCURSANTE: A", "CATEGORÍA: " + largo32 + "D", "TOTAL PUNTOS: 1"}, std::nullopt, "32"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    std::string motivo;
    const std::optional<FilaClasificacion> fila = LeeFilaClasificacion(c.lineas, motivo);
    ASSERT_EQ(fila.has_value(), c.fila.has_value()) << motivo;
    if (fila) {
      EXPECT_EQ(fila->Concursante, c.fila->Concursante);
      EXPECT_EQ(fila->Categoria, c.fila->Categoria);
      EXPECT_EQ(fila->Puntos, c.fila->Puntos);
    } else {
      EXPECT_NE(motivo.find(c.motivo), std::string::npos) << motivo;
    }
  }
}

TEST(Clasificaciones, ItemsAndCountsOfTheTwoLists) {
  // Duplicates count as annulled (and among the QSOs) only by category; the
  // marks are matched case-sensitively at the very start of the line,
  // whatever ends the lines.
  const CuentasListaCruzada c = CuentaLineasCruzadas(
      "START-OF-LOG: 3.0\r\nQSO: 1\r\nQSO: 2\nDUP00:QSO: 3\rNUL06:QSO: 4\r\nNUL01:QSO: 5\r\n"
      "dup00:QSO: 6\r\n QSO: 7\r\nqso: 8\r\n\r\nEND-OF-LOG:");
  EXPECT_EQ(c.Qsos, 2);
  EXPECT_EQ(c.Duplicados, 1);
  EXPECT_EQ(c.Nulos, 2);

  const FilaClasificacion fila{"EA1AAA", "SINGLE-OP", 0};
  EXPECT_EQ(ElementoPorCategoria(fila, c), "CATEGORÍA:SINGLE-OP" + std::string(17, ' ') + " CONCURSANTE:EA1AAA" +
                                               std::string(5, ' ') + " PUNTOS:0" + std::string(6, ' ') + " QSOS:5" +
                                               std::string(5, ' ') + " NULOS:3" + std::string(5, ' '));
  EXPECT_EQ(ElementoPorPuntos(fila, c), "CONCURSANTE:EA1AAA" + std::string(5, ' ') + " PUNTOS:0" + std::string(6, ' ') +
                                            " CATEGORÍA:SINGLE-OP" + std::string(17, ' ') + " QSOS:4" +
                                            std::string(5, ' ') + " NULOS:2" + std::string(5, ' '));
  // A longer value is kept whole rather than cut.
  const FilaClasificacion larga{"EA1AAA/QRP/P", "SINGLE-OP", 12345678};
  const std::string item = ElementoPorPuntos(larga, {});
  EXPECT_EQ(item.substr(0, 40), "CONCURSANTE:EA1AAA/QRP/P PUNTOS:12345678");
}

TEST(Clasificaciones, CountsAsALineByLineSplitDoes) {
  // The lines cut one by one at the first CR or LF, as the counts were
  // first taken: the scan must agree on every mix of line ends and marks,
  // a mark cut short by the end of the file or by a line end included.
  const auto referencia = [](std::string_view bytes) {
    CuentasListaCruzada c;
    for (std::size_t inicio = 0; inicio < bytes.size();) {
      std::size_t fin = bytes.find_first_of("\r\n", inicio);
      if (fin == std::string_view::npos) fin = bytes.size();
      const std::string_view l = bytes.substr(inicio, fin - inicio);
      c.Qsos += l.substr(0, 4) == "QSO:";
      c.Duplicados += l.substr(0, 4) != "QSO:" && l.substr(0, 3) == "DUP";
      c.Nulos += l.substr(0, 4) != "QSO:" && l.substr(0, 3) != "DUP" && l.substr(0, 3) == "NUL";
      inicio = fin + 1;
    }
    return c;
  };
  const std::vector<std::string> piezas = {"QSO:", "DUP", "NUL", "QS", "x", "\r", "\n", "\r\n"};
  for (const std::string& t : soporte::Combinaciones(piezas, 5)) {
    const CuentasListaCruzada esperado = referencia(t), c = CuentaLineasCruzadas(t);
    ASSERT_EQ(c.Qsos, esperado.Qsos) << t;
    ASSERT_EQ(c.Duplicados, esperado.Duplicados) << t;
    ASSERT_EQ(c.Nulos, esperado.Nulos) << t;
  }
}

TEST(Clasificaciones, AScoreFileGivesTheRowItsLinesGive) {
  // The rebuild reads each score file's bytes for its marks only: the row
  // (or the reason to leave the file out) must be the one its whole lines
  // give, whatever ends the lines, wherever the marks stand.
  const std::vector<std::string> ficheros = {
      "\r\nCONCURSANTE: EA1A\r\n\r\nCATEGOR\xCD" "A: ALFA\r\n\r\nTOTAL PUNTOS: 10\r\n",
      "CONCURSANTE: EA1A\rCATEGOR\xCD" "A: ALFA\nTOTAL PUNTOS: 10",
      "x CONCURSANTE:  EA1A  \n\rTOTAL PUNTOS: 7\r\r\nCATEGOR\xCD" "A: \xD1" "A\xD1U: B\r\n",
      "CONCURSANTE: EA1A CATEGOR\xCD" "A: X TOTAL PUNTOS: 5\r\nTOTAL PUNTOS: 6\r\n",
      "CONCURSANTE: EA1A\r\nCONCURSANTE: EB2B\r\nTOTAL PUNTOS: 1\r\nTOTAL PUNTOS: 2\r\n",
      "CONCURSANTE:\r\n EA1A\r\nTOTAL PUNTOS: 3\r\n",
      "concursante: EA1A\r\nTOTAL PUNTOS: 3\r\n",
      "CONCURSANTE: EA1A\r\nCATEGORIA: SIN ACENTO\r\nTOTAL PUNTOS:\r\n",
      "CONCURSANTE: EA1A\r\nTOTAL PUNTOS: 99999999999\r\n",
      "CONCURSANTE: EA1A\r\nQSO: 14000 CW TOTAL PUNTOS: 4 \xCD\r\nTOTAL PUNTOS",
      "TOTAL PUNTOS: 8\nCONCURSANTE: " + std::string(30, 'X') + "\n",
      "",
  };
  ConcursoClasificacionPrueba f;
  const EdicionConcurso edicion(f.carpeta, {});
  for (const std::string& bytes : ficheros) {
    SCOPED_TRACE(bytes);
    for (const std::string& pts : plataforma::ListaFicheros(f.En("ListasPuntuaciones")))
      plataforma::BorraFichero(f.En("ListasPuntuaciones/" + pts));
    f.tmp.EscribeBytes("CONCURSO PRUEBA/ListasPuntuaciones/UNO.PTS", bytes);
    std::string motivo;
    const std::optional<FilaClasificacion> esperada = LeeFilaClasificacion(plataforma::PartirLineas(bytes), motivo);
    const ResultadoClasificaciones r = CalculaClasificaciones(f.base, edicion);
    if (esperada) {
      EXPECT_TRUE(r.Omitidas.empty());
      EXPECT_EQ(Filas(f.base), std::vector<std::string>{esperada->Concursante + "|" + esperada->Categoria + "|" +
                                                        std::to_string(esperada->Puntos)});
    } else {
      ASSERT_EQ(r.Omitidas.size(), 1u);
      EXPECT_EQ(r.Omitidas[0].Motivo, motivo);
      EXPECT_TRUE(Filas(f.base).empty());
    }
  }
}

TEST(Clasificaciones, AParticipantNameNeverLeavesTheCrossedLogsFolder) {
  ConcursoClasificacionPrueba f;
  f.tmp.EscribeBytes("CONCURSO PRUEBA/fuera.LOG", "QSO: 1\r\nQSO: 2\r\n");
  f.tmp.EscribeBytes("CONCURSO PRUEBA/ListasCruzadas/dentro.LOG", "QSO: 1\r\nNUL01:QSO: 2\r\n");
  for (const char* nombre : {"../fuera", "..\\fuera", "/fuera", ".", "..", ""}) {
    SCOPED_TRACE(nombre);
    const CuentasListaCruzada c = CuentaListaCruzada(f.carpeta, nombre);
    EXPECT_EQ(c.Qsos + c.Duplicados + c.Nulos, 0);
  }
  // The file name is found without regard to letter case.
  const CuentasListaCruzada c = CuentaListaCruzada(f.carpeta, "DENTRO");
  EXPECT_EQ(c.Qsos, 1);
  EXPECT_EQ(c.Nulos, 1);
}

}  // namespace
}  // namespace scoring

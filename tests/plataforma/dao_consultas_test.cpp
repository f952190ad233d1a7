// Query and criterion texts as the program writes them, run against a small
// QSO table and a rankings table.
#include <unistd.h>

#include "plataforma/dao.h"
#include "plataforma/dao_interno.h"
#include "plataforma/dao_prueba.h"

namespace {

using dao::Variant;
using dao_prueba::BaseTemporal;

struct Qso {
  int numero;
  const char* fecha;
  const char* banda;
  const char* modo;
  const char* indicativo;
  const char* literal;
  const char* waz;
  const char* rs;
  const char* locator;
  const char* dxcc;
  const char* duplicado;  // nullptr: Null
  int puntos;             // -1: Null
};

// Inserted in this order (not by number) so insertion order shows.
const Qso kQsos[] = {
    {3, "02-03-2024", "14000", "CW", "DL1AA", "-", "14", "599", "JO31", "DL", nullptr, 1},
    {1, "01-03-2024", "14000", "CW", "EA1ABC", "M", "14", "599", "IN52", "EA", nullptr, -1},
    {2, "01-03-2024", "7000", "PH", "ea4xyz", "TO", "14", "59", "IM79", "EA", nullptr, 2},
    {4, "02-03-2024", "3500", "CW", "W1AW", "", "05", "599", "FN31", "K", nullptr, 3},
    {6, "03-03-2024", "14000", "FM", "EA7ÑÁ", "ávila", "14", "59", "IM76", "EA", nullptr, 1},
    {5, "02-03-2024", "1800", "PH", "EA'1QT", "VG12", "14", "57", "IN80", "EA", "D", 1},
};

class Consultas : public BaseTemporal {
 protected:
  void SetUp() override {
    BaseTemporal::SetUp();
    dao_prueba::CreaListaQso(db_);
    dao::Recordset rs = db_.OpenRecordset("ListaQso");
    for (const Qso& q : kQsos) {
      rs.AddNew();
      rs["NumeroQso"] = q.numero;
      rs["FechaQso"] = q.fecha;  // "dd-mm-yyyy" becomes a date
      rs["Banda"] = q.banda;
      rs["Modo"] = q.modo;
      rs["Indicativo"] = q.indicativo;
      rs["LiteralRecibido"] = q.literal;
      rs["Waz"] = q.waz;
      rs["RsRecibido"] = q.rs;
      rs["QraLocatorRecibido"] = q.locator;
      rs["Dxcc"] = q.dxcc;
      if (q.duplicado) rs["Duplicado"] = q.duplicado;
      if (q.puntos >= 0) rs["PuntosRecibidos"] = q.puntos;
      rs.Update();
    }
    rs.Close();
    dao_prueba::CreaTabla(db_, "Clasificaciones",
                          {{"Concursante", dao::Tipo::Text, 24},
                           {"Categoria", dao::Tipo::Text, 32},
                           {"Puntos", dao::Tipo::Long}});
    dao::Recordset c = db_.OpenRecordset("Select * From Clasificaciones");
    for (auto [concursante, categoria, puntos] : std::vector<std::tuple<const char*, const char*, int>>{
             {"EA1A", "B", 100}, {"ea2b", "A", 300}, {"EA3C", "A", 100}, {"EA4D", "B", 300}, {"ea0z", "A", 100}}) {
      c.AddNew();
      c["Concursante"] = concursante;
      c["Categoria"] = categoria;
      c["Puntos"] = puntos;
      c.Update();
    }
  }

  // The values of one column of every row, in the set's order.
  std::vector<std::string> Columna(const std::string& sql, const std::string& columna) {
    std::vector<std::string> r;
    dao::Recordset rs = db_.OpenRecordset(sql);
    while (!rs.Eof()) {
      r.push_back(rs[columna].CStr());
      rs.MoveNext();
    }
    return r;
  }
};

TEST_F(Consultas, SelectTextsGiveTheirRowsInTheirOrder) {
  struct Caso {
    const char* sql;
    std::vector<std::string> numeros;
  };
  const Caso casos[] = {
      {"Select * From ListaQso Order by  NumeroQso", {"1", "2", "3", "4", "5", "6"}},
      {"Select * From ListaQSO", {"3", "1", "2", "4", "6", "5"}},  // insertion order
      {"Select * From ListaQSO where Banda = '1800'", {"5"}},
      {"Select * From ListaQso Where NumeroQso < 4 Order by NumeroQso", {"1", "2", "3"}},
      {"Select * From ListaQso Where NumeroQso < 1 Order by NumeroQso", {}},
      {"select * from listaqso WHERE numeroqso >= 2 AND   modo = 'cw' ORDER BY FechaQso Desc, NumeroQso ASC",
       {"3", "4"}},
      {"Select * From ListaQso Order By FechaQso Desc, NumeroQso", {"6", "3", "4", "5", "1", "2"}},
      {"Select * From ListaQso Order By Indicativo", {"3", "5", "1", "2", "6", "4"}},
      {"SELECT NumeroQso, Banda FROM ListaQso WHERE Banda='14000' ORDER BY NumeroQso DESC", {"6", "3", "1"}},
  };
  for (const Caso& c : casos) EXPECT_EQ(Columna(c.sql, "NumeroQso"), c.numeros) << c.sql;
}

TEST_F(Consultas, RankingOrdersCompareNamesWithoutCase) {
  EXPECT_EQ(Columna("Select * From Clasificaciones Order By Categoria ASC,Puntos Desc, Concursante Asc", "Concursante"),
            (std::vector<std::string>{"ea2b", "ea0z", "EA3C", "EA4D", "EA1A"}));
  EXPECT_EQ(Columna("Select * From Clasificaciones Order By Puntos Desc,Categoria Desc, Concursante Asc", "Concursante"),
            (std::vector<std::string>{"EA4D", "ea2b", "EA1A", "ea0z", "EA3C"}));
}

TEST_F(Consultas, CriteriaFindTheFirstMatchingRow) {
  struct Caso {
    std::string criterio;
    int numero;  // 0: no match
  };
  const Caso casos[] = {
      {"NumeroQso = 3", 3},
      {"NumeroQso = -1", 0},
      {"Waz Like '*05'", 4},
      {"Indicativo = 'EA4XYZ' and Duplicado = Null", 2},
      {"Indicativo = 'ea1abc'and Duplicado = Null", 1},
      {"  indicativo='EA1ABC'   AND   duplicado = null ", 1},
      {"Banda = '14000' and Modo = 'CW' and FechaQso = CvDate('02-03-2024') and Duplicado = Null", 3},
      {"Modo = 'CW' and FechaQso = cvdate('01-03-2024') and Duplicado = Null", 1},
      {"FechaQso > CvDate('01/03/2024') and FechaQso < CvDate('2024-03-03')", 3},
      {"(Dxcc = 'DL' or Dxcc = 'K') and Duplicado = Null", 3},
      {"RsRecibido Like '*9' And Not Dxcc = 'EA'", 3},
      {"QraLocatorRecibido Like 'IN*' and Duplicado = Null", 1},
      {"QraLocatorRecibido Like 'in8#'", 5},
      {"QraLocatorRecibido Like 'in8#' and Duplicado = Null", 0},
      {"LiteralRecibido Like '[!A-M]*' and Duplicado = Null", 2},
      {"LiteralRecibido Like '[l-n]'", 1},
      {"LiteralRecibido Like 'v?##'", 5},
      {"LiteralRecibido Like 'VG*'", 5},
      {"LiteralRecibido = 'ÁVILA'", 6},
      {"Indicativo = 'ea7ñá'", 6},
      {"LiteralRecibido = ''", 4},
      {"Duplicado <> Null", 5},
      {"Dxcc = 'EA' AND PuntosRecibidos = Null", 1},
      {"PuntosRecibidos >= 2 and PuntosRecibidos <= 3 and Modo <> 'PH'", 4},
      {"Indicativo = 'EA''1QT'", 5},
      {"Indicativo = '" + dao::Escapa("EA'1QT") + "' and Duplicado = Null", 0},
      // A value pasted as it is, holding a quote, is read as the literal.
      {"Indicativo = 'EA'1QT'", 5},
      {"Indicativo = 'EA'1QT' and Duplicado = Null", 0},
      // A pasted value that begins or ends with a quote, or is one.
      {"Indicativo = 'EA1ABC''", 0},
      {"Indicativo = 'EA1ABC'' and Duplicado = Null", 0},
      {"Indicativo = ''EA1ABC' and Duplicado = Null", 0},
      {"Indicativo = ''' and Duplicado = Null", 0},
      {"(Indicativo = 'EA1ABC'') Or Indicativo = 'EA1ABC'", 1},
      {"Indicativo = 'EA1ABC'' and Banda = '14000' and Duplicado = Null", 0},
      {"Indicativo = '" + dao::Escapa("EA1ABC'") + "' and Banda = '14000'", 0},
      {"Indicativo = '" + dao::Escapa("'") + "' Or Indicativo = 'EA1ABC'", 1},
      {"Duplicado = Null and Indicativo = 'NOEXISTE'", 0},
  };
  dao::Recordset rs = db_.OpenRecordset("Select * From ListaQso Order by NumeroQso");
  for (const Caso& c : casos) {
    dao::Recordset copia = rs.Clone();
    copia.FindFirst(c.criterio);
    if (c.numero == 0) {
      EXPECT_TRUE(copia.NoMatch()) << c.criterio;
    } else {
      ASSERT_FALSE(copia.NoMatch()) << c.criterio;
      EXPECT_EQ(copia["NumeroQso"].CLng(), c.numero) << c.criterio;
    }
  }
}

TEST_F(Consultas, FindFirstWorksOnTheEarlierRowsQueryAndTableSets) {
  // The per-row pass: the earlier rows of the log, searched on a copy.
  dao::Recordset anteriores = db_.OpenRecordset("Select * From ListaQso Where NumeroQso < 5 Order by NumeroQso");
  dao::Recordset copia = anteriores.Clone();
  copia.FindFirst("Dxcc = 'EA' and Modo = 'PH' and Duplicado = Null");
  ASSERT_FALSE(copia.NoMatch());
  EXPECT_EQ(copia["NumeroQso"].CLng(), 2);
  copia.FindFirst("Banda = '1800'");  // row 5 is outside the set
  EXPECT_TRUE(copia.NoMatch());
  EXPECT_EQ(copia["NumeroQso"].CLng(), 2) << "a miss leaves the position unchanged";
  copia.FindNext("Modo = 'CW'");
  ASSERT_FALSE(copia.NoMatch());
  EXPECT_EQ(copia["NumeroQso"].CLng(), 3);

  dao::Recordset tabla = db_.OpenRecordset("listaqso");
  tabla.FindFirst("Banda = '14000'");
  ASSERT_FALSE(tabla.NoMatch());
  EXPECT_EQ(tabla["NumeroQso"].CLng(), 3) << "table order is insertion order";
  tabla.MoveNext();
  EXPECT_EQ(tabla["NumeroQso"].CLng(), 1);
}

TEST_F(Consultas, BadCriteriaAreErrors) {
  dao::Recordset rs = db_.OpenRecordset("Select * From ListaQso");
  for (const char* c : {"NoExiste = 1", "Banda = ", "Banda = '14000", "(Banda = '1'", "FechaQso = CvDate('31-02-2024')",
                        "Banda = '1' Banda"}) {
    try {
      rs.FindFirst(c);
      ADD_FAILURE() << c;
    } catch (const dao::Error& e) {
      EXPECT_NE(e.Number(), 0);
      EXPECT_FALSE(e.Description().empty());
    }
  }
  EXPECT_THROW(db_.OpenRecordset("Select * From NoHay"), dao::Error);
  EXPECT_THROW(db_.OpenRecordset("Select * From ListaQso Order By NoHay"), dao::Error);

  // Nesting far beyond any real criterion is an error, not a stack overflow;
  // ordinary nesting still works.
  EXPECT_THROW(rs.FindFirst(std::string(100000, '(') + "Banda = '1'" + std::string(100000, ')')), dao::Error);
  std::string noes;
  for (int i = 0; i < 100000; ++i) noes += "Not ";
  EXPECT_THROW(rs.FindFirst(noes + "Banda = '1'"), dao::Error);
  EXPECT_THROW(db_.OpenRecordset("Select * From ListaQso Where " + std::string(100000, '(')), dao::Error);
  rs.FindFirst("((((Not Not (Banda = '1'))))) Or Not (Banda <> '1')");
  EXPECT_TRUE(rs.NoMatch());
}

TEST_F(Consultas, ParametersAndProjections) {
  dao::Recordset rs = db_.OpenRecordset("Select Indicativo, NumeroQso From ListaQso Where Indicativo = ?",
                                        std::vector<Variant>{Variant("ea'1qt")});
  ASSERT_FALSE(rs.Eof());
  EXPECT_EQ(rs.Fields().Count(), 2);
  EXPECT_EQ(rs[0].Name(), "Indicativo");
  EXPECT_EQ(rs[1].CLng(), 5);
  EXPECT_THROW(rs.Edit(), dao::Error) << "a projection is read-only";
  EXPECT_THROW((void)rs["Banda"], dao::Error) << "not in the projection";
}

TEST_F(Consultas, DeleteStatementsWithAndWithoutCriterion) {
  db_.Execute("DELETE FROM ListaQSO Where Dxcc = 'ea' and Duplicado = Null");
  EXPECT_EQ(db_.RecordsAffected(), 3);
  EXPECT_EQ(Columna("Select * From ListaQso Order by NumeroQso", "NumeroQso"),
            (std::vector<std::string>{"3", "4", "5"}));
  db_.Execute("DELETE FROM Clasificaciones");
  EXPECT_EQ(db_.OpenRecordset("Clasificaciones").RecordCount(), 0);
}

TEST_F(BaseTemporal, ReferenceListQueriesAsTheScoringWritesThem) {
  using dao::Tipo;
  dao_prueba::CreaTabla(db_, "ListaDistritos", {{"NumeroOrden", Tipo::Long}, {"CodigoDistrito", Tipo::Text, 6}});
  dao_prueba::CreaTabla(db_, "MultEspeciales",
                        {{"NumeroOrden", Tipo::Long}, {"Estacion", Tipo::Text, 10}, {"Pais", Tipo::Text, 10},
                         {"Puntos", Tipo::Long}});
  dao::Recordset d = db_.OpenRecordset("ListaDistritos");
  for (auto [n, c] : std::vector<std::pair<int, const char*>>{{7, "EA1"}, {7, "EA*"}, {8, "EA1"}}) {
    d.AddNew();
    d["NumeroOrden"] = n;
    d["CodigoDistrito"] = c;
    d.Update();
  }
  dao::Recordset m = db_.OpenRecordset("MultEspeciales");
  m.AddNew();
  m["NumeroOrden"] = 7;
  m["Estacion"] = "ED1R";
  m["Pais"] = "*";
  m["Puntos"] = 3;
  m.Update();
  struct Caso {
    std::string sql;
    int filas;
  };
  const std::string numero = "7";
  const Caso casos[] = {
      {"Select * From ListaDistritos Where NumeroOrden = " + numero + " And CodigoDistrito = '" + "ea1" + "'", 1},
      {"Select * From ListaDistritos Where NumeroOrden = " + numero + " And  CodigoDistrito = '" + "EA*" + "'", 1},
      {"Select * From ListaDistritos Where NumeroOrden = " + numero + " And CodigoDistrito = '" + "O'X" + "'", 0},
      {"Select * From ListaDistritos Where NumeroOrden = " + numero, 2},
      {"Select * From MultEspeciales Where Estacion = '" + std::string("ed1r") + "'and NumeroOrden = " + numero, 1},
      {"Select * From MultEspeciales Where Pais = '*'and NumeroOrden = 8", 0},
      {"Select * From MultEspeciales Where Puntos = 3 and Pais = '*'", 1},
  };
  for (const Caso& c : casos) EXPECT_EQ(db_.OpenRecordset(c.sql).RecordCount(), c.filas) << c.sql;
}

TEST(Like, Patterns) {
  struct Caso {
    const char* valor;
    const char* patron;
    bool casa;
  };
  const Caso casos[] = {
      {"EA1ABC", "EA*", true},   {"ea1abc", "EA*", true},     {"EA1ABC", "*abc", true},  {"EA1ABC", "E?1*", true},
      {"EA1ABC", "E#*", false},  {"E11", "E##", true},        {"EA1", "[DE]A#", true},   {"FA1", "[!DE]A#", true},
      {"EA1", "[!DE]A#", false}, {"", "*", true},             {"", "?", false},          {"AB", "A", false},
      {"ÁVILA", "á*", true},     {"ñu", "Ñ?", true},          {"a*b", "a[*]b", true},    {"axb", "a[*]b", false},
      {"VG12", "VG*", true},     {"MISSISSIPPI", "*SS*PI", true}, {"X-1", "X[-]#", true},
  };
  for (const Caso& c : casos) EXPECT_EQ(dao::detalle::Como(c.valor, c.patron), c.casa) << c.valor << " " << c.patron;
}

}  // namespace

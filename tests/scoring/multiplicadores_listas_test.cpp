// The scoring records, the reference lists of the multiplier engine and its
// two text helpers.
#include "scoring/multiplicadores_listas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/paises.h"
#include "database/creacion.h"
#include "plataforma/dao.h"
#include "scoring/puntuacion_datos.h"
#include "soporte/carpeta_temporal.h"
#include "scoring/paises_prueba.h"

namespace scoring {
namespace {

// ------------------------------------------------------------ the records

TEST(FormateaZonaCq, CortaYFormatea) {
  const std::pair<const char*, const char*> casos[] = {
      {"33-34", "33"}, {"5", "05"}, {"14", "14"}, {"05", "05"}, {"5-6", "05"},
      {"", ""},        {"AB", "AB"}, {"3A", "3A"}, {"-", ""},  {"40", "40"},
      // Digits only are the number; blanks, a sign or a point go through the
      // numeric reading; a number too large to round stays as written.
      {"007", "07"},   {"0", "00"},  {" 5", "05"}, {"+5", "05"}, {"4.5", "05"},
      {"123456789012345", "123456789012345"}, {"9999999999999999", "9999999999999999"},
  };
  for (const auto& [waz, esperado] : casos) EXPECT_EQ(FormateaZonaCq(waz), esperado) << waz;
}

// A date column is written "dd-mm-yyyy" exactly as printf's
// "%02d-%02d-%04d", parts out of their digits included.
TEST(TextoDeColumna, FechaComoPrintf) {
  const std::vector<dao::Fecha> fechas = {
      {2009, 12, 30},  {1899, 12, 30}, {2024, 1, 1},  {1, 1, 1},      {0, 0, 0},       {9999, 99, 99},
      {10000, 12, 31}, {123, 5, 7},    {2009, 100, 5}, {2009, 5, 100}, {-1, 5, 7},      {2009, -3, 7},
      {2009, 5, -7},   {99999, 0, 0},  {2147483647, 1, 1}};
  for (const dao::Fecha& f : fechas) {
    char b[64];
    std::snprintf(b, sizeof b, "%02d-%02d-%04d", f.dia, f.mes, f.anio);
    EXPECT_EQ(TextoDeColumna(dao::Variant(f)), b) << b;
  }
  EXPECT_EQ(TextoDeColumna(dao::Variant(dao::Fecha{2009, 12, 30})), "30-12-2009");
}

TEST(SeparaIndicativo, PartesCerradasPorElRecorrido) {
  struct Caso {
    const char* indicativo;
    const char* digitos;
    const char* letras;
    const char* resto;
  };
  const Caso casos[] = {
      {"12AB3C", "12", "AB", "3C"}, {"QQ1ABC", "", "QQ", "1ABC"}, {"123", "", "", ""},
      {"", "", "", ""},             {"12AB", "12", "", ""},      {"QQ", "", "", ""},
      {"4X4AB", "4", "X", "4AB"},
  };
  for (const Caso& c : casos) {
    std::string d = "x", l = "x", r = "x";
    SeparaIndicativo(c.indicativo, d, l, r);
    EXPECT_EQ(d, c.digitos) << c.indicativo;
    EXPECT_EQ(l, c.letras) << c.indicativo;
    EXPECT_EQ(r, c.resto) << c.indicativo;
  }
}

TEST(DatosQsoDesdeFila, CopiaCadaColumnaComoTexto) {
  soporte::CarpetaTemporal tmp;
  database::CreaBaseConcursosVacia(tmp.En("Ledrima"));
  dao::Database base = dao::OpenDatabase(tmp.En("Ledrima"));
  dao::Recordset rs = base.OpenRecordset("ListaQso");
  rs.AddNew();
  rs["NumeroQso"] = 1;
  rs["FechaQso"] = *dao::Fecha::Desde("05-03-2016");
  rs["Banda"] = "14000";
  rs["Modo"] = "CW";
  rs["Indicativo"] = "QQ1ABC";
  rs["Concursante"] = "QQ2XYZ";
  rs["LiteralRecibido"] = "M";
  rs["NumeralRecibido"] = "12";
  rs["PuntosRecibidos"] = 5;
  rs["Dxcc"] = "Q1";
  rs["Waz"] = "33-34";
  rs["WazEstacionBase"] = "5";
  rs.Update();
  rs.Close();

  rs = base.OpenRecordset("Select * From ListaQso Order By NumeroQso");
  DatosQso qso;
  qso.Multiplicador = "queda de antes";
  DatosQsoDesdeFila(rs, qso);
  EXPECT_EQ(qso.FechaQso, "05-03-2016");
  EXPECT_EQ(qso.Banda, "14000");
  EXPECT_EQ(qso.Modo, "CW");
  EXPECT_EQ(qso.Indicativo, "QQ1ABC");
  EXPECT_EQ(qso.Concursante, "QQ2XYZ");
  EXPECT_EQ(qso.LiteralRecibido, "M");
  EXPECT_EQ(qso.PuntosRecibidos, "5");
  EXPECT_EQ(qso.Dxcc, "Q1");
  EXPECT_EQ(qso.Waz, "33");
  EXPECT_EQ(qso.WazEstacionBase, "05");
  // Null columns and the record's own result start empty.
  EXPECT_EQ(qso.LiteralEnviado, "");
  EXPECT_EQ(qso.DxccEstacionBase, "");
  EXPECT_EQ(qso.Multiplicador, "");
  rs.Close();
  base.Close();
}

// ------------------------------------------------------- the text helpers

TEST(SeparaLetrasYNumero, Ejemplos) {
  struct Caso {
    const char* referencia;
    const char* letras;
    const char* numero;
  };
  const Caso casos[] = {
      {"D-12", "D", "12"}, {"D12", "D", "12"}, {"-12", "", "12"}, {"AB1C", "AB", "1C"}, {"ABC", "ABC", ""},
      {"D-", "D", ""},     {"12-AB", "12", "AB"}, {"", "", ""},   {"E1234", "E", "1234"}, {"A-B-1", "A", "B-1"},
  };
  // The same outputs are used for every case: nothing is left over.
  std::string letras, numero;
  for (const Caso& c : casos) {
    SeparaLetrasYNumero(c.referencia, letras, numero);
    EXPECT_EQ(letras, c.letras) << c.referencia;
    EXPECT_EQ(numero, c.numero) << c.referencia;
  }
}

TEST(ObtieneClaveLetras, CadaIndicador) {
  const auto paises = PaisesPrueba();
  struct Caso {
    const char* indicativo;
    bool primerNumero, primera, segunda, tercera, ultima;
    const char* clave;
  };
  const Caso casos[] = {
      {"QQ1ABC", false, false, false, false, false, ""},
      {"QQ1ABC", true, false, false, false, false, "Q"},  // last character of the prefix "QQ"
      {"QQ8ABC", true, false, false, false, false, "8"},  // prefix "QQ8"
      {"QQ1ABC", false, true, false, false, false, "1"},
      {"QQ8ABC", false, true, true, true, false, "ABC"},
      {"QQ8ABC", false, true, true, true, true, "ABCC"},  // the last one repeated
      {"QQ8A", false, true, true, true, true, "AA"},      // positions beyond the end add nothing
      {"QQ1ABC", false, false, false, false, true, "C"},
      {"", true, true, true, true, true, ""},
  };
  for (const Caso& c : casos) {
    OpcionesMultiplicadores o;
    o.PrimerNumero = c.primerNumero;
    o.PrimeraLetra = c.primera;
    o.SegundaLetra = c.segunda;
    o.TerceraLetra = c.tercera;
    o.UltimaLetra = c.ultima;
    std::string clave = "resto";
    ObtieneClaveLetras(*paises, o, c.indicativo, clave);
    EXPECT_EQ(clave, c.clave) << c.indicativo;
  }
}

// ------------------------------------------------------- the lists

TEST(ListasMultiplicadores, ExclusionesConYSinOpcionPropia) {
  ListasMultiplicadores l;
  l.AnadePaisExcluido("Q8");
  l.AnadeZonaCqExcluida("33");
  l.AnadePrefijoExcluido("QQ8");
  struct Caso {
    const char* que;
    const char* valor;
    const char* propio;
    bool opcion;
    bool excluido;
  };
  const Caso casos[] = {
      // Own value under the option, with nothing listed for it.
      {"pais", "Q1", "Q1", true, true},
      {"pais", "Q1", "Q1", false, false},
      {"pais", "q1", "Q1", true, false},  // the own value is compared exactly
      {"pais", "Q8", "Q1", false, true},
      {"pais", "q8", "Q1", false, true},  // the list without regard to case
      {"pais", "Q9", "Q1", true, false},
      {"zona", "14", "14", true, true},
      {"zona", "14", "14", false, false},
      {"zona", "33", "14", false, true},
      {"prefijo", "QQ", "QQ", true, true},
      {"prefijo", "QQ", "QQ", false, false},
      {"prefijo", "qq8", "QQ", false, true},
      {"prefijo", "O'B", "QQ", false, false},  // a quote is only a character
  };
  for (const Caso& c : casos) {
    OpcionesMultiplicadores o;
    o.ExcluirMismoPais = o.ExcluirMismaZonaCq = o.ExcluirMismoPrefijo = c.opcion;
    const std::string que = c.que;
    const bool r = que == "pais"   ? l.EsPaisExcluido(c.valor, c.propio, o)
                   : que == "zona" ? l.EsZonaCqExcluida(c.valor, c.propio, o)
                                   : l.EsPrefijoExcluido(c.valor, c.propio, o);
    EXPECT_EQ(r, c.excluido) << c.que << " " << c.valor << " " << c.propio << " " << c.opcion;
  }
}

TEST(ListasMultiplicadores, ProvinciasValidas) {
  ListasMultiplicadores l;
  l.AnadeProvincia("M", false);
  l.AnadeProvincia("B", true);
  l.AnadeProvincia("m", true);  // a repeated code: the first row decides
  struct Caso {
    const char* provincia;
    const char* propia;
    bool opcion;
    bool valida;
  };
  const Caso casos[] = {
      {"M", "", false, true},  {"m", "", false, true},   {"B", "", false, false}, {"Z", "", false, false},
      {"M", "M", true, false}, {"M", "M", false, true},  {"M", "m", true, true},  {"M", "", true, true},
      {"", "", true, false},
  };
  for (const Caso& c : casos) {
    OpcionesMultiplicadores o;
    o.ExcluirMismaProv = c.opcion;
    EXPECT_EQ(l.EsProvinciaValida(c.provincia, c.propia, o), c.valida) << c.provincia << " " << c.propia;
  }
}

TEST(ListasMultiplicadores, DistritosExactosYPatrones) {
  ListasMultiplicadores l;
  l.AnadeDistrito("Q11", true);   // excluded exact row
  l.AnadeDistrito("Q1*", true);   // pattern row, excluded but still counts
  l.AnadeDistrito("Q22", false);
  l.AnadeDistrito("Q*", false);   // replaces more than the last character: never matches Q33
  struct Caso {
    const char* distrito;
    const char* propio;
    bool opcion;
    bool valido;
  };
  const Caso casos[] = {
      {"Q11", "", false, false},  // the exact row wins over the pattern
      {"Q12", "", false, true},   // the pattern row, whatever its flag
      {"q12", "", false, true},
      {"Q22", "", false, true},
      {"Q22", "Q22", true, false},
      {"Q33", "", false, false},
      {"", "", false, false},     // an empty key never counts
      {"Q", "", false, false},    // pattern "*": no such row
  };
  for (const Caso& c : casos) {
    OpcionesMultiplicadores o;
    o.ExcluirMismoDist = c.opcion;
    EXPECT_EQ(l.EsDistritoValido(c.distrito, c.propio, o), c.valido) << c.distrito;
  }
}

TEST(ListasMultiplicadores, EstacionesYPesosEspeciales) {
  ListasMultiplicadores l;
  l.AnadeEstacionMultiplicadora("QQ1SPE");
  l.AnadeMultEspecial("Pais", "Q8", 3);
  l.AnadeMultEspecial("Pais", "q8", 7);  // a second row for the same value: the first one counts
  l.AnadeMultEspecial("ZonaCQ", "33", 40000);
  EXPECT_TRUE(l.EsEstacionMultiplicadora("QQ1SPE"));
  EXPECT_TRUE(l.EsEstacionMultiplicadora("qq1spe"));
  EXPECT_FALSE(l.EsEstacionMultiplicadora("QQ1SPE/P"));  // looked up as logged

  std::int32_t peso = 99;
  EXPECT_FALSE(l.ValorMultEspecial("Pais", "Q1", peso));
  EXPECT_EQ(peso, 99);
  EXPECT_TRUE(l.ValorMultEspecial("Pais", "Q8", peso));
  EXPECT_EQ(peso, 3);
  EXPECT_TRUE(l.ValorMultEspecial("ZonaCq", "33", peso));  // column names without regard to case
  EXPECT_EQ(peso, 40000);                                   // not cut to 16 bits
  EXPECT_FALSE(l.ValorMultEspecial("Prefijo", "Q8", peso));
  EXPECT_FALSE(l.ValorMultEspecial("Inventada", "Q8", peso));
}

class LecturaListasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    database::CreaBaseConcursosVacia(tmp_.En("Ledrima"));
    base_ = dao::OpenDatabase(tmp_.En("Ledrima"));
  }
  void TearDown() override { base_.Close(); }
  void Agrega(std::string_view tabla, const std::vector<std::pair<const char*, dao::Variant>>& valores) {
    dao::Recordset rs = base_.OpenRecordset(tabla);
    rs.AddNew();
    for (const auto& [nombre, valor] : valores) rs[nombre].SetValue(valor);
    rs.Update();
    rs.Close();
  }
  soporte::CarpetaTemporal tmp_;
  dao::Database base_;
};

TEST_F(LecturaListasTest, SoloLasFilasDelConcurso) {
  Agrega("ListaPaises", {{"NumeroOrden", 3}, {"DxccExcluido", "Q8"}});
  Agrega("ListaPaises", {{"NumeroOrden", 4}, {"DxccExcluido", "Q1"}});
  Agrega("ListaCq", {{"NumeroOrden", 3}, {"CqExcluido", "33"}});
  Agrega("ListaPrefijos", {{"NumeroOrden", 3}, {"PrefijoExcluido", "QQ8"}});
  Agrega("ListaProv", {{"NumeroOrden", 3}, {"CodigoProv", "M"}, {"ProvExcluida", false}});
  Agrega("ListaProv", {{"NumeroOrden", 3}, {"CodigoProv", "B"}, {"ProvExcluida", true}});
  Agrega("ListaDistritos", {{"NumeroOrden", 3}, {"CodigoDistrito", "Q1*"}, {"DistritoExcluido", true}});
  Agrega("ListaMultEspeciales", {{"NumeroOrden", 3}, {"MultEstacion", "QQ1SPE"}});
  Agrega("MultEspeciales", {{"NumeroOrden", 3}, {"Pais", "Q8"}, {"Puntos", 3}});
  Agrega("MultEspeciales", {{"NumeroOrden", 3}, {"Pais", "Q8"}, {"Puntos", 5}});
  Agrega("MultEspeciales", {{"NumeroOrden", 3}, {"OtrasSiglas", "XYZ"}});  // no points: weighs 1
  Agrega("MultEspeciales", {{"NumeroOrden", 4}, {"Estacion", "QQ1SPE"}, {"Puntos", 9}});

  const ListasMultiplicadores l = ListasMultiplicadores::Lee(base_, 3);
  const OpcionesMultiplicadores o;
  EXPECT_TRUE(l.EsPaisExcluido("q8", "", o));
  EXPECT_FALSE(l.EsPaisExcluido("Q1", "", o));
  EXPECT_TRUE(l.EsZonaCqExcluida("33", "", o));
  EXPECT_TRUE(l.EsPrefijoExcluido("QQ8", "", o));
  EXPECT_TRUE(l.EsProvinciaValida("M", "", o));
  EXPECT_FALSE(l.EsProvinciaValida("B", "", o));
  EXPECT_TRUE(l.EsDistritoValido("Q15", "", o));
  EXPECT_TRUE(l.EsEstacionMultiplicadora("QQ1SPE"));
  std::int32_t peso = 0;
  EXPECT_TRUE(l.ValorMultEspecial("Pais", "Q8", peso));
  EXPECT_EQ(peso, 3);
  EXPECT_TRUE(l.ValorMultEspecial("OtrasSiglas", "xyz", peso));
  EXPECT_EQ(peso, 1);
  peso = 0;
  EXPECT_FALSE(l.ValorMultEspecial("Estacion", "QQ1SPE", peso));  // another contest's row
}

TEST_F(LecturaListasTest, OpcionesDelConcurso) {
  Agrega("Concursos", {{"NumeroOrden", 3},
                       {"Concurso", "PRUEBA"},
                       {"Multiplicadores", true},
                       {"CadaBanda", true},
                       {"CadaCq", true},
                       {"CqPorDia", true},
                       {"Otros", true},
                       {"OtrosPorModo", true},
                       {"CadaEstacion", true},
                       {"EstacionPorBanda", true},
                       {"UltimaLetra", true},
                       {"ExcluirMismaZonaCQ", true},
                       {"CadaPais", false}});
  OpcionesMultiplicadores o;
  EXPECT_FALSE(LeeOpcionesMultiplicadores(base_, 4, o));
  ASSERT_TRUE(LeeOpcionesMultiplicadores(base_, 3, o));
  EXPECT_TRUE(o.Multiplicadores);
  EXPECT_TRUE(o.CadaBanda);
  EXPECT_FALSE(o.CadaDia);
  EXPECT_TRUE(o.Cq.Cada);
  EXPECT_TRUE(o.Cq.PorDia);
  EXPECT_FALSE(o.Cq.PorBanda);
  EXPECT_TRUE(o.Otros.Cada);
  EXPECT_TRUE(o.Otros.PorModo);
  EXPECT_TRUE(o.Estacion.Cada);
  EXPECT_TRUE(o.Estacion.PorBanda);
  EXPECT_TRUE(o.UltimaLetra);
  EXPECT_FALSE(o.PrimeraLetra);
  EXPECT_TRUE(o.ExcluirMismaZonaCq);
  EXPECT_FALSE(o.ExcluirMismoPais);
  EXPECT_FALSE(o.Pais.Cada);
}

}  // namespace
}  // namespace scoring

// The multiplier engine: counters, the eight families and the multiplier
// stations in every scope, weights, exclusions, and the rules of the
// contests known by name. Each case scores a small log QSO by QSO.
#include "scoring/multiplicadores.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scoring/paises_prueba.h"

namespace scoring {
namespace {

DatosQso Q(std::string banda, std::string modo, std::string fecha, std::string indicativo = "QQ1ABC") {
  DatosQso q;
  q.Banda = std::move(banda);
  q.Modo = std::move(modo);
  q.FechaQso = std::move(fecha);
  q.Indicativo = std::move(indicativo);
  q.Concursante = "QQ2OWN";
  q.Dxcc = "Q1";
  q.DxccEstacionBase = "Q1";
  q.Waz = "14";
  q.WazEstacionBase = "14";
  return q;
}

class MotorTest : public ::testing::Test {
 protected:
  // The Multiplicador of every QSO of the log, scored in order.
  std::vector<std::string> Puntua(const std::vector<DatosQso>& log) {
    MotorMultiplicadores motor(*paises_, op_, listas_, nombre_);
    return Puntua(motor, log);
  }
  static std::vector<std::string> Puntua(MotorMultiplicadores& motor, const std::vector<DatosQso>& log) {
    motor.EmpiezaLog();
    std::vector<std::string> r;
    for (DatosQso q : log) {
      EXPECT_EQ(motor.QsosPuntuados(), static_cast<std::int32_t>(r.size()));
      if (!q.Dxcc.empty()) motor.CalculaMultiplicadores(q);
      r.push_back(q.Multiplicador);
      motor.AnotaQso(q);
    }
    return r;
  }
  // The result of the last QSO of the log.
  std::string Ultimo(const std::vector<DatosQso>& log) { return Puntua(log).back(); }

  std::unique_ptr<TablasPaises> paises_ = PaisesPrueba();
  OpcionesMultiplicadores op_ = [] {
    OpcionesMultiplicadores o;
    o.Multiplicadores = true;
    return o;
  }();
  ListasMultiplicadores listas_;
  std::string nombre_ = "CONCURSO DE PRUEBA";
};

using Log = std::vector<std::string>;

// ------------------------------------------------------------- counters

TEST_F(MotorTest, SinMultiplicadoresNadaCuenta) {
  op_.Multiplicadores = false;
  op_.CadaBanda = op_.CadaDia = op_.CadaModo = true;
  op_.Pais.Cada = true;
  listas_.AnadeEstacionMultiplicadora("QQ1ABC");
  op_.Estacion.Cada = true;
  EXPECT_EQ(Puntua({Q("14000", "CW", "01-05-2016"), Q("7000", "PH", "02-05-2016")}), (Log{"", ""}));
}

TEST_F(MotorTest, ContadoresDeBandaDiaYModo) {
  struct Caso {
    bool banda, dia, modo;
    Log esperado;
  };
  // First QSO; then the same band on a new date in a new mode; then a new
  // band on the second date in CW; then nothing new.
  const std::vector<DatosQso> log = {Q("14000", "CW", "01-05-2016"), Q("14000", "PH", "02-05-2016"),
                                     Q("7000", "CW", "02-05-2016"), Q("7000", "cw", "02-05-2016")};
  const Caso casos[] = {
      {true, true, true, {"3", "2", "1", ""}},
      {false, true, true, {"1", "1", "", ""}},  // the date is new: the mode is not asked
      {false, false, true, {"1", "1", "", ""}},
      {false, true, false, {"1", "1", "", ""}},
      {true, false, false, {"1", "", "1", ""}},
      {true, false, true, {"2", "1", "1", ""}},
  };
  for (const Caso& c : casos) {
    op_.CadaBanda = c.banda;
    op_.CadaDia = c.dia;
    op_.CadaModo = c.modo;
    EXPECT_EQ(Puntua(log), c.esperado) << c.banda << c.dia << c.modo;
  }
  // Without CadaBanda, a date already worked lets the mode count.
  op_.CadaBanda = false;
  op_.CadaDia = op_.CadaModo = true;
  EXPECT_EQ(Puntua({Q("14000", "CW", "01-05-2016"), Q("14000", "PH", "01-05-2016")}), (Log{"1", "1"}));
}

TEST_F(MotorTest, UnQsoSinPaisNoSePuntuaPeroEsAnterior) {
  op_.CadaBanda = true;
  DatosQso sinPais = Q("14000", "CW", "01-05-2016");
  sinPais.Dxcc.clear();
  EXPECT_EQ(Puntua({sinPais, Q("14000", "CW", "01-05-2016")}), (Log{"", ""}));
}

// ------------------------------------------------------ families and scopes

struct FamiliaPrueba {
  const char* nombre;
  OpcionesFamilia OpcionesMultiplicadores::*opciones;
  // Gives the QSO the family's value A (false) or B (true).
  std::function<void(DatosQso&, bool)> valor;
  std::function<void(OpcionesMultiplicadores&, ListasMultiplicadores&)> prepara;
};

const std::vector<FamiliaPrueba>& Familias() {
  static const std::vector<FamiliaPrueba> f = {
      {"pais", &OpcionesMultiplicadores::Pais, [](DatosQso& q, bool b) { q.Dxcc = b ? "Q8" : "Q1"; }, {}},
      {"zona", &OpcionesMultiplicadores::Cq, [](DatosQso& q, bool b) { q.Waz = b ? "33" : "05"; }, {}},
      {"prefijo",
       &OpcionesMultiplicadores::Prefijo,
       [](DatosQso& q, bool b) { q.Indicativo = b ? "QQ8ABC" : "QQ1ABC"; },
       {}},
      {"sufijo", &OpcionesMultiplicadores::Sufijo, [](DatosQso& q, bool b) { q.Indicativo = b ? "QQ1ABD" : "QQ1ABC"; },
       [](OpcionesMultiplicadores& o, ListasMultiplicadores&) { o.UltimaLetra = true; }},
      {"distrito", &OpcionesMultiplicadores::Distrito,
       [](DatosQso& q, bool b) { q.Indicativo = b ? "QQ2ABC" : "QQ1ABC"; },
       [](OpcionesMultiplicadores&, ListasMultiplicadores& l) { l.AnadeDistrito("Q1*", false); }},
      {"provincia", &OpcionesMultiplicadores::Prov, [](DatosQso& q, bool b) { q.LiteralRecibido = b ? "B" : "M"; },
       [](OpcionesMultiplicadores&, ListasMultiplicadores& l) {
         l.AnadeProvincia("M", false);
         l.AnadeProvincia("B", false);
       }},
      {"otros",
       &OpcionesMultiplicadores::Otros,
       [](DatosQso& q, bool b) { q.LiteralRecibido = b ? "XYW" : "XYZ"; },
       {}},
      {"cuadricula",
       &OpcionesMultiplicadores::Cuadricula,
       [](DatosQso& q, bool b) { q.QraLocatorRecibido = b ? "IN81AB" : "IN80XY"; },
       {}},
      {"estacion", &OpcionesMultiplicadores::Estacion,
       [](DatosQso& q, bool b) { q.Indicativo = b ? "QQ1SPF" : "QQ1SPE"; },
       [](OpcionesMultiplicadores&, ListasMultiplicadores& l) {
         l.AnadeEstacionMultiplicadora("QQ1SPE");
         l.AnadeEstacionMultiplicadora("QQ1SPF");
       }},
  };
  return f;
}

struct QsoAmbito {
  bool b;  // value B
  const char* banda;
  const char* fecha;
  const char* modo;
};

struct CasoAmbito {
  bool porBanda, porDia, porModo;
  std::vector<QsoAmbito> anteriores;
  QsoAmbito qso;
  const char* esperado;
};

const CasoAmbito kCasosAmbito[] = {
    // Nothing worked before.
    {false, false, false, {}, {false, "14000", "01-05-2016", "CW"}, "1"},
    {true, true, true, {}, {false, "14000", "01-05-2016", "CW"}, "1"},  // the weight once
    // The same value already worked.
    {false, false, false, {{false, "14000", "01-05-2016", "CW"}}, {false, "14000", "01-05-2016", "CW"}, ""},
    {true, true, true, {{false, "14000", "01-05-2016", "CW"}}, {false, "14000", "01-05-2016", "CW"}, ""},
    // Another value worked.
    {false, false, false, {{true, "14000", "01-05-2016", "CW"}}, {false, "14000", "01-05-2016", "CW"}, "1"},
    // Worked only on another band.
    {false, false, false, {{false, "7000", "01-05-2016", "CW"}}, {false, "14000", "01-05-2016", "CW"}, ""},
    {true, false, false, {{false, "7000", "01-05-2016", "CW"}}, {false, "14000", "01-05-2016", "CW"}, "1"},
    {true,
     false,
     false,
     {{false, "14000", "01-05-2016", "PH"}},
     {false, " 14000 ", "02-05-2016", "CW"},
     ""},  // the family's band is trimmed
    // Whole contest, per day and per mode.
    {false, true, true, {{false, "14000", "01-05-2016", "CW"}}, {false, "14000", "01-05-2016", "PH"}, "1"},
    {false, true, true, {{false, "14000", "01-05-2016", "PH"}}, {false, "14000", "02-05-2016", "PH"}, "1"},
    {false, true, true, {{false, "14000", "01-05-2016", "PH"}}, {false, "14000", "01-05-2016", "PH"}, ""},
    {false, true, false, {{false, "14000", "01-05-2016", "CW"}}, {false, "14000", "01-05-2016", "PH"}, ""},
    {false, false, true, {{false, "14000", "01-05-2016", "PH"}}, {false, "7000", "02-05-2016", "PH"}, ""},
    {false, false, true, {{false, "14000", "01-05-2016", "PH"}}, {false, "7000", "02-05-2016", "CW"}, "1"},
    // Per band: the day and mode questions keep the band.
    {true, true, false, {{false, "14000", "01-05-2016", "CW"}}, {false, "14000", "02-05-2016", "CW"}, "1"},
    {true,
     true,
     false,
     {{false, "14000", "01-05-2016", "CW"}, {false, "7000", "02-05-2016", "CW"}},
     {false, "14000", "02-05-2016", "CW"},
     "1"},
    {true,
     true,
     true,
     {{false, "14000", "01-05-2016", "PH"}, {false, "7000", "01-05-2016", "CW"}},
     {false, "14000", "01-05-2016", "CW"},
     "1"},
    {true,
     true,
     true,
     {{false, "14000", "01-05-2016", "PH"}, {false, "14000", "02-05-2016", "CW"}},
     {false, "14000", "01-05-2016", "CW"},
     ""},
    {true,
     false,
     true,
     {{false, "7000", "01-05-2016", "PH"}, {false, "14000", "01-05-2016", "CW"}},
     {false, "14000", "01-05-2016", "PH"},
     "1"},
};

TEST_F(MotorTest, CadaFamiliaEnCadaAmbito) {
  for (const FamiliaPrueba& f : Familias()) {
    for (std::size_t i = 0; i < std::size(kCasosAmbito); ++i) {
      const CasoAmbito& c = kCasosAmbito[i];
      op_ = OpcionesMultiplicadores{};
      op_.Multiplicadores = true;
      listas_ = ListasMultiplicadores{};
      if (f.prepara) f.prepara(op_, listas_);
      op_.*(f.opciones) = {true, c.porBanda, c.porDia, c.porModo};
      std::vector<DatosQso> log;
      for (const QsoAmbito& a : c.anteriores) {
        log.push_back(Q(a.banda, a.modo, a.fecha));
        f.valor(log.back(), a.b);
      }
      log.push_back(Q(c.qso.banda, c.qso.modo, c.qso.fecha));
      f.valor(log.back(), c.qso.b);
      EXPECT_EQ(Ultimo(log), c.esperado) << f.nombre << " case " << i;
    }
  }
}

TEST_F(MotorTest, SinLaPrimeraOpcionLaFamiliaNoCuenta) {
  for (const FamiliaPrueba& f : Familias()) {
    op_ = OpcionesMultiplicadores{};
    op_.Multiplicadores = true;
    listas_ = ListasMultiplicadores{};
    if (f.prepara) f.prepara(op_, listas_);
    op_.*(f.opciones) = {false, true, true, true};
    DatosQso q = Q("14000", "CW", "01-05-2016");
    f.valor(q, false);
    EXPECT_EQ(Ultimo({q}), "") << f.nombre;
  }
}

TEST_F(MotorTest, MayusculasComoLasComparaLaBase) {
  // Values the database compares ignore case; keys worked out from a
  // callsign are compared exactly, and so are band and mode in their walk.
  struct Caso {
    const char* familia;
    std::function<void(DatosQso&)> antes, ahora;
    const char* esperado;
  };
  const Caso casos[] = {
      {"pais", [](DatosQso& q) { q.Dxcc = "q8"; }, [](DatosQso& q) { q.Dxcc = "Q8"; }, ""},
      {"otros", [](DatosQso& q) { q.LiteralRecibido = "xyz"; }, [](DatosQso& q) { q.LiteralRecibido = "XYZ"; }, ""},
      {"cuadricula", [](DatosQso& q) { q.QraLocatorRecibido = "in80xy"; },
       [](DatosQso& q) { q.QraLocatorRecibido = "IN80AB"; }, ""},
      {"estacion", [](DatosQso& q) { q.Indicativo = "qq1spe"; }, [](DatosQso& q) { q.Indicativo = "QQ1SPE"; }, ""},
      {"sufijo", [](DatosQso& q) { q.Indicativo = "QQ1ABc"; }, [](DatosQso& q) { q.Indicativo = "QQ1ABC"; }, "1"},
  };
  for (const Caso& c : casos) {
    op_ = OpcionesMultiplicadores{};
    op_.Multiplicadores = true;
    listas_ = ListasMultiplicadores{};
    for (const FamiliaPrueba& f : Familias())
      if (std::string(f.nombre) == c.familia) {
        if (f.prepara) f.prepara(op_, listas_);
        op_.*(f.opciones) = {true, false, false, false};
      }
    DatosQso a = Q("14000", "CW", "01-05-2016"), b = Q("14000", "CW", "01-05-2016");
    c.antes(a);
    c.ahora(b);
    EXPECT_EQ(Ultimo({a, b}), c.esperado) << c.familia;
  }
  // Mode per mode: "cw" and "CW" are one mode for the country, two for the prefix walk.
  op_ = OpcionesMultiplicadores{};
  op_.Multiplicadores = true;
  op_.Pais = {true, false, false, true};
  EXPECT_EQ(Ultimo({Q("14000", "cw", "01-05-2016"), Q("14000", "CW", "01-05-2016")}), "");
  op_.Pais = {};
  op_.Prefijo = {true, false, false, true};
  EXPECT_EQ(Ultimo({Q("14000", "cw", "01-05-2016"), Q("14000", "CW", "01-05-2016")}), "1");
}

TEST_F(MotorTest, CuadriculaPorSusCuatroPrimerosCaracteres) {
  op_.Cuadricula.Cada = true;
  auto loc = [](const char* l) {
    DatosQso q = Q("14000", "CW", "01-05-2016");
    q.QraLocatorRecibido = l;
    return q;
  };
  EXPECT_EQ(Puntua({loc("IN80XY"), loc("IN80AB"), loc("IN8"), loc("IN81AB"), loc(""), loc("IN8*")}),
            (Log{"1", "", "", "1", "", "1"}));
  // A shorter locator first: a longer one that begins differently is new.
  EXPECT_EQ(Puntua({loc("IN8"), loc("IN80XY")}), (Log{"1", "1"}));
  // The mode question follows CuadriculaPorModo, not OtrosPorModo.
  op_.Otros.PorModo = true;
  DatosQso ssb = loc("IN80AB");
  ssb.Modo = "PH";
  EXPECT_EQ(Puntua({loc("IN80XY"), ssb}), (Log{"1", ""}));
  op_.Cuadricula.PorModo = true;
  EXPECT_EQ(Puntua({loc("IN80XY"), ssb}), (Log{"1", "1"}));
}

TEST_F(MotorTest, ZonaCqComparaZonasNoElRst) {
  op_.Cq = {true, true, true, true};
  DatosQso antes = Q("14000", "CW", "01-05-2016");
  antes.Waz = "33";
  antes.RsRecibido = "14";
  DatosQso ahora = Q("14000", "CW", "01-05-2016");
  ahora.Waz = "14";
  ahora.RsRecibido = "599";
  EXPECT_EQ(Puntua({antes, ahora}), (Log{"1", "1"}));
  DatosQso igual = Q("14000", "PH", "01-05-2016");
  igual.Waz = "33";
  igual.RsRecibido = "14";
  EXPECT_EQ(Puntua({antes, igual}), (Log{"1", "1"}));  // new in that mode on the band
  op_.Cq.PorModo = false;
  EXPECT_EQ(Puntua({antes, igual}), (Log{"1", ""}));
}

TEST_F(MotorTest, ProvinciasYOtrasLetras) {
  listas_.AnadeProvincia("M", false);
  listas_.AnadeProvincia("-", false);
  listas_.AnadeProvincia("B", true);
  auto lit = [](const char* recibido, const char* enviado = "") {
    DatosQso q = Q("14000", "CW", "01-05-2016");
    q.LiteralRecibido = recibido;
    q.LiteralEnviado = enviado;
    return q;
  };
  op_.Prov.Cada = true;
  EXPECT_EQ(Puntua({lit("-"), lit(""), lit("B"), lit("Z"), lit("M"), lit("m")}), (Log{"", "", "", "", "1", ""}));
  op_.ExcluirMismaProv = true;
  EXPECT_EQ(Puntua({lit("M", "M")}), (Log{""}));
  EXPECT_EQ(Puntua({lit("M", "B")}), (Log{"1"}));
  // An excluded QSO is still an earlier QSO that has the province.
  EXPECT_EQ(Puntua({lit("M", "M"), lit("M", "B")}), (Log{"", ""}));
  op_.Prov.Cada = false;
  op_.Otros.Cada = true;
  EXPECT_EQ(Puntua({lit("-"), lit(""), lit("O'B"), lit("o'b"), lit("-")}), (Log{"1", "", "1", "", ""}));
}

TEST_F(MotorTest, PesosDeLosMultiplicadoresEspeciales) {
  op_.Pais.Cada = true;
  op_.Sufijo.Cada = true;
  op_.UltimaLetra = true;
  op_.Cuadricula.Cada = true;
  listas_.AnadeMultEspecial("Pais", "Q8", 3);
  listas_.AnadeMultEspecial("OtrasSiglas", "C", 9);
  listas_.AnadeMultEspecial("Prefijo", "IN80", 9);
  DatosQso q8 = Q("14000", "CW", "01-05-2016", "QQ8ABC");
  q8.Dxcc = "Q8";
  DatosQso q1 = Q("14000", "CW", "01-05-2016", "QQ1XYZ");
  q1.QraLocatorRecibido = "IN80AA";
  // Q8 weighs 3, the suffix "C" adds 1; Q1 adds 1, "Z" 1, the grid 1.
  EXPECT_EQ(Puntua({q8, q1}), (Log{"4", "3"}));
}

TEST_F(MotorTest, LaCuentaNoSeLimitaA16Bits) {
  op_.Pais.Cada = true;
  op_.Cq.Cada = true;
  listas_.AnadeMultEspecial("Pais", "Q1", 30000);
  listas_.AnadeMultEspecial("ZonaCQ", "14", 30000);
  EXPECT_EQ(Ultimo({Q("14000", "CW", "01-05-2016")}), "60000");
  // A negative weight keeps its sign; a count of 0 is empty.
  listas_ = ListasMultiplicadores{};
  listas_.AnadeMultEspecial("Pais", "Q1", -2);
  EXPECT_EQ(Ultimo({Q("14000", "CW", "01-05-2016")}), "-1");
  listas_.AnadeMultEspecial("ZonaCQ", "14", 2);
  EXPECT_EQ(Ultimo({Q("14000", "CW", "01-05-2016")}), "");
}

TEST_F(MotorTest, ExclusionesEnElMotor) {
  op_.Pais.Cada = op_.Cq.Cada = op_.Prefijo.Cada = op_.Distrito.Cada = true;
  listas_.AnadeDistrito("Q1*", false);
  auto qso = [](const char* indicativo, const char* dxcc, const char* waz) {
    DatosQso q = Q("14000", "CW", "01-05-2016", indicativo);
    q.Dxcc = dxcc;
    q.Waz = waz;
    return q;
  };
  // Own country Q1, zone 14, prefix QQ (of QQ2OWN) and district Q12.
  const DatosQso propio = qso("QQ2ABC", "Q1", "14");
  EXPECT_EQ(Ultimo({propio}), "4");
  op_.ExcluirMismoPais = op_.ExcluirMismaZonaCq = op_.ExcluirMismoPrefijo = op_.ExcluirMismoDist = true;
  EXPECT_EQ(Ultimo({propio}), "");
  EXPECT_EQ(Ultimo({qso("QQ1ABC", "Q1", "14")}), "1");  // district Q11 only
  listas_.AnadePaisExcluido("Q8");
  listas_.AnadeZonaCqExcluida("33");
  listas_.AnadePrefijoExcluido("QQ8");
  EXPECT_EQ(Ultimo({qso("QQ8ABC", "Q8", "33")}), "");  // district Q8A is not listed
}

// ------------------------------------------------------ multiplier stations

TEST_F(MotorTest, EstacionesMultiplicadoras) {
  op_.Estacion.Cada = true;
  listas_.AnadeEstacionMultiplicadora("QQ1SPE");
  listas_.AnadeMultEspecial("Estacion", "QQ1SPE", 5);
  listas_.AnadeMultEspecial("Estacion", "QQ1NOL", 5);  // weighed but not a multiplier station
  EXPECT_EQ(Puntua({Q("14000", "CW", "01-05-2016", "QQ1SPE"), Q("7000", "CW", "01-05-2016", "QQ1SPE"),
                    Q("14000", "CW", "01-05-2016", "QQ1NOL"), Q("14000", "CW", "01-05-2016", "QQ1SPE/P")}),
            (Log{"5", "", "", ""}));
  listas_.AnadeEstacionMultiplicadora("QQ1OTR");
  EXPECT_EQ(Ultimo({Q("14000", "CW", "01-05-2016", "QQ1OTR")}), "1");  // no weight: 1
}

// ------------------------------------------------------- contests by name

TEST_F(MotorTest, ReferenciasDelConcursoDie) {
  nombre_ = "CONCURSO DIE";
  op_.Otros = {true, true, false, false};
  struct Caso {
    const char* literal;
    const char* esperado;
  };
  const Caso casos[] = {
      {"D-1", "1"}, {"D12345", "1"}, {"E1234", "1"}, {"E-12345", "1"}, {"E123", "2"}, {"AB123", "2"},
      {"AB12", ""}, {"-12", ""},     {"ABC", ""},    {"-", ""},        {"E12", ""},   {"", ""},
  };
  for (const Caso& c : casos) {
    DatosQso q = Q("14000", "CW", "01-05-2016");
    q.LiteralRecibido = c.literal;
    EXPECT_EQ(Ultimo({q}), c.esperado) << c.literal;
  }
  auto ref = [](const char* literal, const char* banda) {
    DatosQso q = Q(banda, "CW", "01-05-2016");
    q.LiteralRecibido = literal;
    return q;
  };
  EXPECT_EQ(Puntua({ref("D-12", "14000"), ref("D12", "14000"), ref("D12", "7000"), ref("E123", "7000")}),
            (Log{"1", "", "1", "2"}));
  // The whole-contest block keeps the ordinary rule; so does any other name.
  op_.Otros.PorBanda = false;
  EXPECT_EQ(Puntua({ref("E123", "14000"), ref("AB12", "14000")}), (Log{"1", "1"}));
  op_.Otros.PorBanda = true;
  nombre_ = "CONCURSO DIE ";
  EXPECT_EQ(Puntua({ref("E123", "14000")}), (Log{"1"}));
}

TEST_F(MotorTest, PrefijosEaDelConcursoDie) {
  nombre_ = "CONCURSO DIE";
  op_.Prefijo = {true, true, false, false};
  listas_.AnadePrefijoExcluido("EA");
  auto ea = [](const char* indicativo, const char* dxcc, const char* banda) {
    DatosQso q = Q(banda, "CW", "01-05-2016", indicativo);
    q.Dxcc = dxcc;
    return q;
  };
  // The exclusion list is not consulted; only EA* countries count.
  EXPECT_EQ(Puntua({ea("EA1AB", "EA", "14000"), ea("EA2AB", "EA", "14000"), ea("EA1AB", "EA", "7000"),
                    ea("EA8AB", "EA8", "7000"), ea("QQ1AB", "Q1", "7000"), ea("EB1AB", "EA", "7000")}),
            (Log{"1", "", "1", "1", "", "1"}));
  // The whole-contest block is the ordinary one, exclusions included.
  op_.Prefijo.PorBanda = false;
  EXPECT_EQ(Puntua({ea("EA1AB", "EA", "14000"), ea("QQ1AB", "Q1", "14000")}), (Log{"", "1"}));
}

TEST_F(MotorTest, OtrasLetrasDelVgeSprint) {
  nombre_ = "VGE SPRINT";
  op_.Otros = {true, true, true, true};
  listas_.AnadeMultEspecial("OtrasSiglas", "ABC", 7);  // no weight is looked up
  auto lit = [](const char* literal, const char* banda, const char* fecha, const char* modo) {
    DatosQso q = Q(banda, modo, fecha);
    q.LiteralRecibido = literal;
    return q;
  };
  EXPECT_EQ(Puntua({lit("123", "14000", "01-05-2016", "CW"), lit("ABC", "14000", "01-05-2016", "CW"),
                    lit("ABC", "14000", "01-05-2016", "CW"), lit("ABC", "7000", "01-05-2016", "CW"),
                    lit("ABC", "14000", "02-05-2016", "CW"), lit("ABC", "14000", "02-05-2016", "PH"),
                    lit("abc", "14000", "02-05-2016", "PH")}),
            (Log{"", "1", "", "1", "1", "1", ""}));
}

TEST_F(MotorTest, ProvinciasDelVgeSprintYDelSprintDce) {
  listas_.AnadeProvincia("M", false);
  listas_.AnadeProvincia("B", true);
  listas_.AnadeProvincia("", false);
  op_.Prov.Cada = true;
  op_.ExcluirMismaProv = true;  // the own province passed is empty
  auto lit = [](const char* literal) {
    DatosQso q = Q("14000", "CW", "01-05-2016");
    q.LiteralRecibido = literal;
    q.LiteralEnviado = "M";
    return q;
  };
  nombre_ = "VGE SPRINT";
  EXPECT_EQ(Puntua({lit("M"), lit("VGM12"), lit("VGM34"), lit("VGB1"), lit("vgZ1")}), (Log{"", "1", "", "", ""}));
  nombre_ = "SPRINT DCE 1.0";
  EXPECT_EQ(Puntua({lit("CM-12"), lit("CM-99"), lit("CB-1")}), (Log{"1", "", ""}));
  // A literal not beginning with "C" is asked about whole; "C" without "-"
  // as an empty province, which the empty own province excludes here.
  EXPECT_EQ(Puntua({lit("M"), lit("C")}), (Log{"1", ""}));
  // A province received without its "C" form counts once, in either form.
  EXPECT_EQ(Puntua({lit("M"), lit("M"), lit("CM-1")}), (Log{"1", "", ""}));
  EXPECT_EQ(Puntua({lit("CM-1"), lit("M")}), (Log{"1", ""}));
  // The per-band block is the ordinary one.
  op_.Prov.PorBanda = true;
  EXPECT_EQ(Puntua({lit("CM-12"), lit("B")}), (Log{"", ""}));
}

TEST_F(MotorTest, ComarcasCatalanas) {
  nombre_ = "COMARCAS CATALANAS";
  std::vector<DatosQso> seis;
  for (int i = 0; i < 6; ++i) seis.push_back(Q("14000", "CW", "01-05-2016", "QQ1A" + std::string(1, 'A' + i)));
  EXPECT_EQ(Puntua(seis), (Log{"", "", "", "", "1", ""}));
  // Two logs one after the other both get it.
  MotorMultiplicadores motor(*paises_, op_, listas_, nombre_);
  EXPECT_EQ(Puntua(motor, seis)[4], "1");
  EXPECT_EQ(Puntua(motor, seis)[4], "1");
  // SSB QSOs do not count towards the fifth.
  std::vector<DatosQso> mezcla = {Q("14000", "CW", "01-05-2016"), Q("14000", "PH", "01-05-2016"),
                                  Q("14000", "CW", "01-05-2016"), Q("14000", "CW", "01-05-2016"),
                                  Q("14000", "CW", "02-05-2016"), Q("14000", "CW", "01-05-2016"),
                                  Q("14000", "CW", "01-05-2016")};
  EXPECT_EQ(Puntua(mezcla), (Log{"", "", "", "", "", "", "1"}));
  // The club station: once a day, not with a portable part.
  EXPECT_EQ(Puntua({Q("14000", "PH", "01-05-2016", "QQ3VNL"), Q("7000", "PH", "01-05-2016", "QQ3VNL"),
                    Q("7000", "PH", "02-05-2016", "QQ3VNL"), Q("7000", "PH", "03-05-2016", "QQ3VNL/P")}),
            (Log{"1", "", "1", ""}));
  nombre_ = "Comarcas Catalanas";
  EXPECT_EQ(Puntua({Q("14000", "PH", "01-05-2016", "QQ3VNL")}), (Log{""}));
}

TEST_F(MotorTest, A1aClub) {
  nombre_ = "XX A1A CLUB 2016";
  op_.CadaBanda = true;
  op_.Pais.Cada = true;
  auto qso = [](const char* banda, const char* modo, const char* literal, const char* dxcc = "Q1") {
    DatosQso q = Q(banda, modo, "01-05-2016");
    q.LiteralRecibido = literal;
    q.Dxcc = dxcc;
    return q;
  };
  // A numeric literal: exactly 1 when the date has no earlier CW QSO.
  EXPECT_EQ(Puntua({qso("7000", "PH", "AB"), qso("14000", "PH", "12", "Q8")}), (Log{"2", "1"}));
  EXPECT_EQ(Puntua({qso("7000", "CW", "AB"), qso("14000", "PH", "12", "Q8")}), (Log{"2", ""}));
  EXPECT_EQ(Puntua({qso("7000", "CW", "")}), (Log{"2"}));  // empty is not numeric
  nombre_ = "a1a club";
  EXPECT_EQ(Puntua({qso("7000", "CW", "AB"), qso("14000", "PH", "12", "Q8")}), (Log{"2", "2"}));
}

TEST_F(MotorTest, A1aClubDistritos) {
  nombre_ = "A1A CLUB";
  op_.Distrito.Cada = true;
  listas_.AnadeDistrito("Q1*", false);
  auto qso = [](const char* literal, const char* fecha) {
    DatosQso q = Q("14000", "PH", fecha, "QQ1ABC");
    q.LiteralRecibido = literal;
    return q;
  };
  // A district worked only with numeric literals is still new (the numeric
  // QSO itself counts 1 by the numeric rule).
  EXPECT_EQ(Puntua({qso("12", "01-05-2016"), qso("AB", "01-05-2016"), qso("CD", "01-05-2016")}), (Log{"1", "1", ""}));
  // The day question looks at every earlier QSO.
  op_.Distrito.PorDia = true;
  EXPECT_EQ(Puntua({qso("AB", "01-05-2016"), qso("12", "02-05-2016"), qso("CD", "02-05-2016")}), (Log{"1", "1", ""}));
}

// The earlier QSOs outgrow their table several times in a long log and
// are forgotten whole between logs: a QSO repeated later in the same log
// brings nothing, and a short log scored after a long one (or a long one
// after a short one) gets what a fresh engine gives it.
TEST_F(MotorTest, LogsLargosYCortosEnElMismoMotor) {
  op_.CadaBanda = op_.CadaDia = op_.CadaModo = true;
  for (OpcionesFamilia* f : {&op_.Pais, &op_.Cq, &op_.Prefijo, &op_.Sufijo, &op_.Distrito, &op_.Cuadricula})
    *f = {true, true, true, true};
  op_.Otros = {true, false, true, true};
  op_.UltimaLetra = true;
  listas_.AnadeDistrito("Q1*", false);
  std::vector<DatosQso> largo;
  const char* bandas[] = {"3500", "7000", "14000", "21000", "28000"};
  for (int i = 0; i < 3000; ++i) {
    const std::string letras = {static_cast<char>('A' + i % 26), static_cast<char>('A' + i / 26 % 26),
                                static_cast<char>('A' + i / 676 % 26)};
    DatosQso q = Q(bandas[i % 5], i % 7 < 3 ? "CW" : "PH", i % 2 ? "01-05-2016" : "02-05-2016",
                   std::string(i % 3 ? "QQ1" : "QQ8") + letras);
    q.LiteralRecibido = letras;
    q.QraLocatorRecibido = "IN" + std::to_string(10 + i % 90) + "AB";
    largo.push_back(q);
  }
  const std::vector<DatosQso> primeraMitad(largo.begin(), largo.begin() + 1500);
  std::vector<DatosQso> repetido = primeraMitad;
  repetido.insert(repetido.end(), primeraMitad.begin(), primeraMitad.end());
  const std::vector<DatosQso> corto(largo.begin() + 1000, largo.begin() + 1040);

  const Log esperadoLargo = Puntua(largo);
  const Log esperadoCorto = Puntua(corto);
  EXPECT_EQ(std::count(esperadoLargo.begin(), esperadoLargo.end(), ""), 0) << "every QSO is new somewhere";

  MotorMultiplicadores motor(*paises_, op_, listas_, nombre_);
  const Log r = Puntua(motor, repetido);
  EXPECT_EQ(Log(r.begin(), r.begin() + 1500), Log(esperadoLargo.begin(), esperadoLargo.begin() + 1500));
  EXPECT_EQ(Log(r.begin() + 1500, r.end()), Log(1500, "")) << "a repeated QSO brings nothing";
  EXPECT_EQ(Puntua(motor, corto), esperadoCorto);
  EXPECT_EQ(Puntua(motor, largo), esperadoLargo);
  EXPECT_EQ(Puntua(motor, corto), esperadoCorto);
}

}  // namespace
}  // namespace scoring

// Crossing one QSO against the valid logs: every reachable annulment code
// on tiny fixtures, the order of the tests, station presence and the
// agreement of date and time. Every answer is asked of the indexed engine
// and of the line-by-line reference, which must agree.
#include "scoring/cruce.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/cruce_literal.h"
#include "scoring/duplicados.h"
#include "soporte/carpeta_temporal.h"

namespace scoring {
namespace {

// A QSO line: frequency, mode, date, time, own call, sent RST and serial,
// worked call, received RST and serial (the default exchange of the
// fixtures), then any further tokens.
std::string Q(const std::string& f, const std::string& m, const std::string& fecha, const std::string& hora,
              const std::string& propio, const std::string& trabajado, const std::string& resto = "599 001 599 001") {
  // `resto` holds sent RST, sent serial, received RST, received serial and
  // anything after; the worked call goes between the sent and received parts.
  std::vector<std::string> partes;
  std::size_t i = 0;
  while (i < resto.size()) {
    const std::size_t j = std::min(resto.find(' ', i), resto.size());
    partes.push_back(resto.substr(i, j - i));
    i = j + 1;
  }
  std::string linea = "QSO: " + f + " " + m + " " + fecha + " " + hora + " " + propio;
  const std::size_t enviados = partes.size() / 2;
  for (std::size_t k = 0; k < enviados; ++k) linea += " " + partes[k];
  linea += " " + trabajado;
  for (std::size_t k = enviados; k < partes.size(); ++k) linea += " " + partes[k];
  return linea;
}

// A contest folder with its valid logs.
class Escenario {
 public:
  explicit Escenario(std::string subcarpeta = "ListasValidas") : subcarpeta_(std::move(subcarpeta)) {
    tmp_.CreaCarpeta(subcarpeta_);
    datos.Intercambio.enviado.rst = datos.Intercambio.enviado.numeral = true;
    datos.Intercambio.recibido.rst = datos.Intercambio.recibido.numeral = true;
    datos.Periodo.DesdeDia = plataforma::Fecha{2009, 12, 30};
    datos.Periodo.DesdeHora = "12:00";
    datos.Periodo.HastaDia = plataforma::Fecha{2009, 12, 31};
    datos.Periodo.HastaHora = "12:00";
  }

  // A log file with a header for `llamada` and the QSO lines.
  Escenario& Log(const std::string& fichero, const std::string& llamada, const std::vector<std::string>& qsos,
                 const std::string& categoria = "SINGLE-OP") {
    std::vector<std::string> lineas = {"START-OF-LOG: 3.0", "CALLSIGN: " + llamada,
                                       "CATEGORY-OPERATOR: " + categoria};
    lineas.insert(lineas.end(), qsos.begin(), qsos.end());
    lineas.push_back("END-OF-LOG:");
    return Fichero(fichero, lineas);
  }
  Escenario& Fichero(const std::string& fichero, const std::vector<std::string>& lineas) {
    EXPECT_TRUE(plataforma::EscribirLineas(plataforma::UneRuta(Carpeta(), fichero), lineas));
    return *this;
  }
  // `n` further logs (QQ9A0 ... ), each with one QSO with `llamada`.
  Escenario& Menciones(int n, const std::string& llamada) {
    for (int i = 0; i < n; ++i) {
      const std::string propio = "QQ9A" + std::to_string(i);
      Log(propio + ".LOG", propio, {Q("14025", "CW", "2009-12-30", "1300", propio, llamada)});
    }
    return *this;
  }

  std::string Carpeta() const { return tmp_.En(subcarpeta_); }
  const soporte::CarpetaTemporal& Temporal() const { return tmp_; }
  // The entries as the window lists the folder.
  std::vector<std::string> Entradas() const { return plataforma::ListaFicheros(Carpeta()); }
  std::size_t Indice(const std::string& fichero) const {
    const std::vector<std::string> e = Entradas();
    for (std::size_t i = 0; i < e.size(); ++i)
      if (e[i] == fichero) return i;
    ADD_FAILURE() << "no hay " << fichero;
    return e.size();
  }

  // Crosses a line of the log `propio` through both implementations.
  ResultadoCruce Cruza(const std::string& linea, const OpcionesAnulacion& op,
                       const std::string& propio = "QQ1AAA.LOG") const {
    ListasValidasCruce cruce(Carpeta(), Entradas(), datos);
    const ResultadoCruce r = cruce.CruzaQso(linea, Indice(propio), op);
    const ResultadoCruce l = literal::CruzaQso(Carpeta(), Entradas(), datos, linea, Indice(propio), op);
    EXPECT_EQ(r.Codigo, l.Codigo) << linea;
    EXPECT_EQ(r.EstacionSinLista, l.EstacionSinLista) << linea;
    EXPECT_EQ(r.IndicativoSinLista, l.IndicativoSinLista) << linea;
    return r;
  }
  // Crosses QSO number `numero` of the log `propio` from what the prepared
  // engine read of it; the same answer as crossing its line.
  ResultadoCruce CruzaLeido(const std::string& linea, std::size_t numero, const OpcionesAnulacion& op,
                            const std::string& propio = "QQ1AAA.LOG") const {
    ListasValidasCruce cruce(Carpeta(), Entradas(), datos);
    cruce.Prepara(2);
    const ResultadoCruce r = cruce.CruzaQso(linea, Indice(propio), numero, op);
    const ResultadoCruce l = cruce.CruzaQso(linea, Indice(propio), op);
    EXPECT_EQ(r.Codigo, l.Codigo) << linea;
    EXPECT_EQ(r.EstacionSinLista, l.EstacionSinLista) << linea;
    EXPECT_EQ(r.IndicativoSinLista, l.IndicativoSinLista) << linea;
    return r;
  }
  bool Figura(const std::string& llamada, int cuantas) const {
    ListasValidasCruce cruce(Carpeta(), Entradas(), datos);
    const bool r = cruce.FiguraEnListas(llamada, cuantas);
    EXPECT_EQ(r, literal::FiguraEnListas(Carpeta(), Entradas(), datos, llamada, cuantas)) << llamada << " " << cuantas;
    return r;
  }

  DatosCruce datos;

 private:
  soporte::CarpetaTemporal tmp_;
  std::string subcarpeta_;
};

using Opciones = std::function<void(OpcionesAnulacion&)>;
const Opciones kNinguna = [](OpcionesAnulacion&) {};

struct Caso {
  const char* nombre;
  Opciones opciones;
  std::function<void(Escenario&)> prepara;  // the logs besides ours
  std::string linea;                        // our QSO (own call QQ1AAA)
  std::string esperado;                     // "" the QSO stands
};

void Ejecuta(const std::vector<Caso>& casos) {
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Escenario e;
    e.Log("QQ1AAA.LOG", "QQ1AAA", {c.linea});
    c.prepara(e);
    OpcionesAnulacion op;
    c.opciones(op);
    EXPECT_EQ(e.Cruza(c.linea, op).Codigo, c.esperado);
    EXPECT_EQ(e.CruzaLeido(c.linea, 0, op).Codigo, c.esperado);
  }
}

// The worked station QQ2BBB with one log holding the given lines.
std::function<void(Escenario&)> Bbb(std::vector<std::string> qsos) {
  return [qsos](Escenario& e) { e.Log("QQ2BBB.LOG", "QQ2BBB", qsos); };
}

const std::string kNuestro = Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB");
const std::string kSuyo = Q("14025", "CW", "2009-12-30", "1300", "QQ2BBB", "QQ1AAA");

TEST(CruzaQso, FechaYPeriodo) {
  auto fecha = [](OpcionesAnulacion& o) { o.AnularPorFecha = true; };
  auto todas = [](OpcionesAnulacion& o) {
    o.AnularPorFecha = o.AnularQSO = o.AnularPorNoExistir = o.AnularPorFechaDistinta = true;
  };
  auto a_las = [](const std::string& dia, const std::string& hora) {
    return Q("14025", "CW", dia, hora, "QQ1AAA", "QQ2BBB");
  };
  auto suyo_a_las = [](const std::string& dia, const std::string& hora) {
    return Bbb({Q("14025", "CW", dia, hora, "QQ2BBB", "QQ1AAA")});
  };
  Ejecuta({
      {"2009-02-30 con todo desmarcado: NUL08", kNinguna, suyo_a_las("2009-02-28", "1300"),
       a_las("2009-02-30", "1300"), "NUL08"},
      {"NUL08 antes que NUL07 y NUL01", todas, [](Escenario&) {}, a_las("2009-02-30", "1300"), "NUL08"},
      {"Justo al empezar: vale", fecha, suyo_a_las("2009-12-30", "1200"), a_las("2009-12-30", "1200"), ""},
      {"Un minuto antes: NUL07", fecha, suyo_a_las("2009-12-30", "1159"), a_las("2009-12-30", "1159"), "NUL07"},
      {"Diez minutos tras el fin: vale", fecha, suyo_a_las("2009-12-31", "1210"), a_las("2009-12-31", "1210"), ""},
      {"Once minutos tras el fin: NUL07", fecha, suyo_a_las("2009-12-31", "1211"), a_las("2009-12-31", "1211"),
       "NUL07"},
      {"Fuera del periodo sin la opcion: vale", kNinguna, suyo_a_las("2009-12-29", "1300"),
       a_las("2009-12-29", "1300"), ""},
      {"NUL07 antes que NUL01", todas, [](Escenario&) {}, a_las("2010-01-05", "1300"), "NUL07"},
      {"Hora que no es hora, con la opcion: NUL07", fecha, suyo_a_las("2009-12-30", "1300"),
       a_las("2009-12-30", "2561"), "NUL07"},
  });
}

TEST(CruzaQso, EstacionSinLista) {
  auto anular_qso = [](OpcionesAnulacion& o) { o.AnularQSO = true; };
  auto si_no_esta = [](const char* n) {
    return Opciones([n](OpcionesAnulacion& o) {
      o.AnularQSOSiNoEstaEN = true;
      o.NumeroListas = n;
    });
  };
  auto menciones = [](int n) { return [n](Escenario& e) { e.Menciones(n, "QQ2BBB"); }; };
  Ejecuta({
      {"AnularQSO: NUL01", anular_qso, [](Escenario&) {}, kNuestro, "NUL01"},
      {"Todo desmarcado: vale", kNinguna, [](Escenario&) {}, kNuestro, ""},
      {"AnularQSO y SiNoEstaEN a la vez: NUL01",
       [](OpcionesAnulacion& o) { o.AnularQSO = o.AnularQSOSiNoEstaEN = true; o.NumeroListas = "0"; },
       menciones(5), kNuestro, "NUL01"},
      // Our own log names QQ2BBB: it is one of the other logs.
      {"SiNoEstaEN 2, solo en la nuestra: NUL17", si_no_esta("2"), menciones(0), kNuestro, "NUL17"},
      {"SiNoEstaEN 2, en la nuestra y otra: vale", si_no_esta("2"), menciones(1), kNuestro, ""},
      {"SiNoEstaEN 0: al menos ninguna, vale", si_no_esta("0"), [](Escenario&) {}, kNuestro, ""},
      {"SiNoEstaEN vacio: vale", si_no_esta(""), [](Escenario&) {}, kNuestro, ""},
      {"SiNoEstaEN impide la regla de cuenta",
       [](OpcionesAnulacion& o) { o.AnularQSOSiNoEstaEN = o.AnularQuince = true; o.NumeroListas = "1"; },
       menciones(1), kNuestro, ""},
      {"Sin lista y sin las dos opciones: la regla de cuenta, NUL03",
       [](OpcionesAnulacion& o) { o.AnularCinco = true; }, menciones(3), kNuestro, "NUL03"},
      {"Sin lista, en cinco listas: vale", [](OpcionesAnulacion& o) { o.AnularCinco = true; }, menciones(4),
       kNuestro, ""},
  });

  // The station without a log is reported whatever the options.
  Escenario e;
  e.Log("QQ1AAA.LOG", "QQ1AAA", {kNuestro});
  const ResultadoCruce r = e.Cruza(kNuestro, OpcionesAnulacion{});
  EXPECT_TRUE(r.EstacionSinLista);
  EXPECT_EQ(r.IndicativoSinLista, "QQ2BBB");
  EXPECT_FALSE(r.Anulado());
  // A portable worked call is searched for and reported by its base call.
  const ResultadoCruce p = e.Cruza(Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB/P"), OpcionesAnulacion{});
  EXPECT_EQ(p.IndicativoSinLista, "QQ2BBB");
}

TEST(CruzaQso, ReglaDeCuentaConLista) {
  auto con_log_y = [](int n) {
    return [n](Escenario& e) {
      e.Log("QQ2BBB.LOG", "QQ2BBB", {kSuyo});
      e.Menciones(n, "QQ2BBB");
    };
  };
  auto opcion = [](bool OpcionesAnulacion::*campo) {
    return Opciones([campo](OpcionesAnulacion& o) { o.*campo = true; });
  };
  // Our own log names QQ2BBB too: it counts as one of the other logs.
  Ejecuta({
      {"Dos: solo en la nuestra: NUL02", opcion(&OpcionesAnulacion::AnularDos), con_log_y(0), kNuestro, "NUL02"},
      {"Dos: en la nuestra y otra: vale", opcion(&OpcionesAnulacion::AnularDos), con_log_y(1), kNuestro, ""},
      {"Cinco: en cuatro: NUL03", opcion(&OpcionesAnulacion::AnularCinco), con_log_y(3), kNuestro, "NUL03"},
      {"Cinco: en cinco: vale", opcion(&OpcionesAnulacion::AnularCinco), con_log_y(4), kNuestro, ""},
      {"Diez: en nueve: NUL04", opcion(&OpcionesAnulacion::AnularDiez), con_log_y(8), kNuestro, "NUL04"},
      {"Diez: en diez: vale", opcion(&OpcionesAnulacion::AnularDiez), con_log_y(9), kNuestro, ""},
      {"Quince: en catorce: NUL05", opcion(&OpcionesAnulacion::AnularQuince), con_log_y(13), kNuestro, "NUL05"},
      {"Quince: en quince: vale", opcion(&OpcionesAnulacion::AnularQuince), con_log_y(14), kNuestro, ""},
      {"La regla de cuenta va antes que la busqueda",
       [](OpcionesAnulacion& o) { o.AnularDos = o.AnularPorNoExistir = true; },
       [](Escenario& e) { e.Log("QQ2BBB.LOG", "QQ2BBB", {}); }, kNuestro, "NUL02"},
      {"SERVER-OP nunca se anula por cuenta", opcion(&OpcionesAnulacion::AnularQuince),
       [](Escenario& e) { e.Log("QQ2BBB.LOG", "QQ2BBB", {kSuyo}, "SERVER-OP"); }, kNuestro, ""},
  });
}

// A station worked in one log only is rare even when a longer call that
// begins with its call (OZ1AAR for OZ1A) is in many logs: the count rules
// annul the QSO with it and not the QSO with the longer call.
TEST(CruzaQso, LaReglaDeCuentaNoMiraDentroDeOtrosIndicativos) {
  const std::string con_oz1a = Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "OZ1A");
  const std::string con_oz1aar = Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "OZ1AAR");
  auto oz1aar_en_todas = [](Escenario& e) {
    e.Log("OZ1AAR.LOG", "OZ1AAR", {Q("14025", "CW", "2009-12-30", "1300", "OZ1AAR", "QQ1AAA")});
    e.Menciones(12, "OZ1AAR");
  };
  auto y_log_de_oz1a = [oz1aar_en_todas](Escenario& e) {
    oz1aar_en_todas(e);
    e.Log("OZ1A.LOG", "OZ1A", {Q("14025", "CW", "2009-12-30", "1300", "OZ1A", "QQ1AAA")});
  };
  auto y_oz1a_portable_en_otra = [oz1aar_en_todas](Escenario& e) {
    oz1aar_en_todas(e);
    e.Log("QQ3CCC.LOG", "QQ3CCC", {Q("14025", "CW", "2009-12-30", "1300", "QQ3CCC", "OZ1A/P")});
  };
  const Opciones dos = [](OpcionesAnulacion& o) { o.AnularDos = true; };
  const Opciones cinco = [](OpcionesAnulacion& o) { o.AnularCinco = true; };
  const Opciones si_no_esta = [](OpcionesAnulacion& o) {
    o.AnularQSOSiNoEstaEN = true;
    o.NumeroListas = "2";
  };
  Ejecuta({
      {"OZ1A sin lista, solo en la nuestra: NUL02", dos, oz1aar_en_todas, con_oz1a, "NUL02"},
      {"OZ1A sin lista, SiNoEstaEN 2: NUL17", si_no_esta, oz1aar_en_todas, con_oz1a, "NUL17"},
      {"OZ1A con lista, Cinco: NUL03", cinco, y_log_de_oz1a, con_oz1a, "NUL03"},
      {"OZ1A/P en otra lista: cuenta, vale", dos, y_oz1a_portable_en_otra, con_oz1a, ""},
      {"OZ1AAR en trece listas: vale", cinco, oz1aar_en_todas, con_oz1aar, ""},
  });
}

TEST(CruzaQso, BusquedaEnLaListaContactada) {
  auto no_existir = [](OpcionesAnulacion& o) { o.AnularPorNoExistir = true; };
  auto fecha_distinta = [](OpcionesAnulacion& o) { o.AnularPorFechaDistinta = true; };
  auto suyo = [](const std::string& f, const std::string& m, const std::string& dia, const std::string& hora) {
    return Q(f, m, dia, hora, "QQ2BBB", "QQ1AAA");
  };
  const std::string nuestro_1200 = Q("14025", "CW", "2009-12-30", "1200", "QQ1AAA", "QQ2BBB");
  const std::string nuestro_2358 = Q("14025", "CW", "2009-12-30", "2358", "QQ1AAA", "QQ2BBB");
  Ejecuta({
      {"Nos anoto solo en otra banda: NUL06 con todo desmarcado", kNinguna,
       Bbb({suyo("7025", "CW", "2009-12-30", "1300")}), kNuestro, "NUL06"},
      {"Nos anoto solo en otro modo: NUL06", kNinguna, Bbb({suyo("14025", "PH", "2009-12-30", "1300")}), kNuestro,
       "NUL06"},
      {"No nos anoto: vale sin la opcion", kNinguna, Bbb({Q("14025", "CW", "2009-12-30", "1300", "QQ2BBB", "QQ3C")}),
       kNuestro, ""},
      {"No nos anoto: NUL10 con la opcion", no_existir,
       Bbb({Q("14025", "CW", "2009-12-30", "1300", "QQ2BBB", "QQ3C")}), kNuestro, "NUL10"},
      {"Otra banda y luego la buena: vale", no_existir,
       Bbb({suyo("7025", "CW", "2009-12-30", "1300"), suyo("14200", "CW", "2009-12-30", "1300")}), kNuestro, ""},
      {"12:00 y 12:09 coinciden", fecha_distinta, Bbb({suyo("14025", "CW", "2009-12-30", "1209")}), nuestro_1200,
       ""},
      {"12:00 y 12:10: NUL15", fecha_distinta, Bbb({suyo("14025", "CW", "2009-12-30", "1210")}), nuestro_1200,
       "NUL15"},
      {"12:00 y 11:51 coinciden", fecha_distinta, Bbb({suyo("14025", "CW", "2009-12-30", "1151")}), nuestro_1200,
       ""},
      {"12:10 de diferencia sin la opcion: vale", kNinguna, Bbb({suyo("14025", "CW", "2009-12-30", "1210")}),
       nuestro_1200, ""},
      {"23:58 y 00:03 del dia siguiente: NUL15", fecha_distinta, Bbb({suyo("14025", "CW", "2009-12-31", "0003")}),
       nuestro_2358, "NUL15"},
      {"Otra banda y luego 20 minutos tarde: NUL15, la ultima manda", fecha_distinta,
       Bbb({suyo("7025", "CW", "2009-12-30", "1300"), suyo("14025", "CW", "2009-12-30", "1320")}), kNuestro,
       "NUL15"},
      {"20 minutos tarde y luego otra banda: NUL06, la ultima manda", fecha_distinta,
       Bbb({suyo("14025", "CW", "2009-12-30", "1320"), suyo("7025", "CW", "2009-12-30", "1300")}), kNuestro,
       "NUL06"},
      {"RY y PS son un modo", kNinguna, Bbb({suyo("14025", "PS", "2009-12-30", "1300")}),
       Q("14025", "RY", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB"), ""},
      {"1.2G en las dos listas es una banda", kNinguna, Bbb({suyo("1.2G", "CW", "2009-12-30", "1300")}),
       Q("1.2G", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB"), ""},
      {"La busqueda del log no distingue mayusculas", no_existir,
       [](Escenario& e) { e.Log("qq2bbb.log", "QQ2BBB", {}); }, kNuestro, "NUL10"},
      {"Nuestro indicativo se compara exacto", no_existir,
       Bbb({Q("14025", "CW", "2009-12-30", "1300", "QQ2BBB", "qq1aaa")}), kNuestro, "NUL10"},
      {"Su linea con fecha invalida no es un QSO con nosotros", no_existir,
       Bbb({suyo("14025", "CW", "2009-02-30", "1300")}), kNuestro, "NUL10"},
      {"Lineas tras END-OF-LOG no se leen", no_existir,
       [](Escenario& e) {
         e.Fichero("QQ2BBB.LOG", {"START-OF-LOG: 3.0", "END-OF-LOG:", Q("14025", "CW", "2009-12-30", "1300",
                                                                         "QQ2BBB", "QQ1AAA")});
       },
       kNuestro, "NUL10"},
  });
}

TEST(CruzaQso, Intercambio) {
  auto rst = [](OpcionesAnulacion& o) { o.AnularPorRstDistinto = true; };
  auto controles = [](OpcionesAnulacion& o) { o.AnularPorControlesDistintos = true; };
  auto ambos = [](OpcionesAnulacion& o) { o.AnularPorRstDistinto = o.AnularPorControlesDistintos = true; };
  // Our QSO received `rec` (RST serial); theirs sent `env`.
  auto par = [](const std::string& env_rst, const std::string& env_nr, const std::string& rec_rst,
                const std::string& rec_nr) {
    return std::make_pair(Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB", "599 001 " + rec_rst + " " + rec_nr),
                          Q("14025", "CW", "2009-12-30", "1300", "QQ2BBB", "QQ1AAA", env_rst + " " + env_nr + " 599 001"));
  };
  struct Par {
    const char* nombre;
    Opciones opciones;
    std::pair<std::string, std::string> lineas;
    const char* esperado;
  };
  const Par pares[] = {
      {"RST 59 contra 599: NUL16", rst, par("599", "012", "59", "012"), "NUL16"},
      {"RST distinto sin la opcion: vale", controles, par("599", "012", "59", "012"), ""},
      {"Numero 012 contra 12 coincide", controles, par("599", "12", "599", "012"), ""},
      {"Numero 012 contra 13: NUL14", controles, par("599", "13", "599", "012"), "NUL14"},
      {"Numero que no es numero: NUL14", controles, par("599", "ABC", "599", "ABC"), "NUL14"},
      {"Numero fuera de 16 bits: NUL14", controles, par("599", "99999", "599", "99999"), "NUL14"},
      {"RST igual, numero distinto: NUL14", ambos, par("599", "13", "599", "012"), "NUL14"},
      {"RST y numero distintos: NUL16 primero", ambos, par("579", "13", "599", "012"), "NUL16"},
      {"Solo lo recibido se compara con lo enviado", ambos,
       std::make_pair(Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB", "111 777 599 012"),
                      Q("14025", "CW", "2009-12-30", "1300", "QQ2BBB", "QQ1AAA", "599 012 222 888")),
       ""},
  };
  for (const Par& p : pares) {
    SCOPED_TRACE(p.nombre);
    Escenario e;
    e.Log("QQ1AAA.LOG", "QQ1AAA", {p.lineas.first});
    e.Log("QQ2BBB.LOG", "QQ2BBB", {p.lineas.second});
    OpcionesAnulacion op;
    p.opciones(op);
    EXPECT_EQ(e.Cruza(p.lineas.first, op).Codigo, p.esperado);
  }

  // Letters, points and locator: RST, letters, points and locator each way.
  struct Otro {
    const char* nombre;
    bool letras, puntos, locator;
    const char* recibido;  // letters points locator as we logged them
    const char* enviado;   // as they logged them
    const char* esperado;
  };
  const Otro otros[] = {
      {"Letras 007 contra 7 coinciden", true, false, false, "007", "7", ""},
      {"Letras M contra B: NUL12", true, false, false, "M", "B", "NUL12"},
      {"Letras m contra M: NUL12", true, false, false, "m", "M", "NUL12"},
      {"Puntos 010 contra 10 coinciden", false, true, false, "010", "10", ""},
      {"Puntos 10 contra 11: NUL18", false, true, false, "10", "11", "NUL18"},
      {"Locator IN80 contra IN81: NUL13", false, false, true, "IN80", "IN81", "NUL13"},
      {"Locator igual: vale", false, false, true, "IN80", "IN80", ""},
      {"Letras antes que puntos", true, true, false, "A 10", "B 11", "NUL12"},
      {"Puntos antes que locator", false, true, true, "10 IN80", "11 IN81", "NUL18"},
  };
  for (const Otro& o : otros) {
    SCOPED_TRACE(o.nombre);
    Escenario e;
    e.datos.Intercambio = {};
    e.datos.Intercambio.enviado = {true, false, o.letras, o.puntos, o.locator};
    e.datos.Intercambio.recibido = {true, false, o.letras, o.puntos, o.locator};
    std::string relleno;  // what we sent, one token per element
    for (bool b : {o.letras, o.puntos, o.locator})
      if (b) relleno += " X";
    const std::string nuestro =
        "QSO: 14025 CW 2009-12-30 1300 QQ1AAA 599" + relleno + " QQ2BBB 599 " + std::string(o.recibido);
    const std::string suyo =
        "QSO: 14025 CW 2009-12-30 1300 QQ2BBB 599 " + std::string(o.enviado) + " QQ1AAA 599" + relleno;
    e.Log("QQ1AAA.LOG", "QQ1AAA", {nuestro});
    e.Log("QQ2BBB.LOG", "QQ2BBB", {suyo});
    OpcionesAnulacion op;
    op.AnularPorControlesDistintos = true;
    EXPECT_EQ(e.Cruza(nuestro, op).Codigo, o.esperado);
    op.AnularPorControlesDistintos = false;
    EXPECT_EQ(e.Cruza(nuestro, op).Codigo, "");
  }
}

TEST(CruzaQso, EstacionesPortables) {
  auto portable = [](OpcionesAnulacion& o) { o.AnularPorPortableDistinto = true; };
  auto portable_y_no_existir = [](OpcionesAnulacion& o) { o.AnularPorPortableDistinto = o.AnularPorNoExistir = true; };
  const std::string nuestro_p = Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA/P", "QQ2BBB");
  auto suyo = [](const std::string& propio, const std::string& trabajado, const std::string& f = "14025") {
    return Q(f, "CW", "2009-12-30", "1300", propio, trabajado);
  };
  const std::string ajeno = suyo("QQ2BBB", "QQ3CCC");
  Ejecuta({
      {"Nos anoto sin /P: NUL19", portable, Bbb({suyo("QQ2BBB", "QQ1AAA")}), nuestro_p, "NUL19"},
      {"Sin la opcion el /P no cuenta", kNinguna, Bbb({suyo("QQ2BBB", "QQ1AAA")}), nuestro_p, ""},
      {"Nos anoto con /P: vale", portable, Bbb({suyo("QQ2BBB", "QQ1AAA/P")}), nuestro_p, ""},
      {"NUL19 donde sin la opcion no habria nada", portable, Bbb({ajeno}), kNuestro, "NUL19"},
      {"NUL19 en lugar de NUL10", portable_y_no_existir, Bbb({ajeno}), kNuestro, "NUL19"},
      {"Su ultima linea es con nosotros en otra banda: NUL06", portable,
       Bbb({ajeno, suyo("QQ2BBB", "QQ1AAA", "7025")}), kNuestro, "NUL06"},
      {"Con nosotros en otra banda y luego otra linea: NUL19", portable,
       Bbb({suyo("QQ2BBB", "QQ1AAA", "7025"), ajeno}), kNuestro, "NUL19"},
      {"Su log sin lineas QSO: nada", portable, Bbb({}), kNuestro, ""},
      {"Su log sin lineas QSO: NUL10", portable_y_no_existir, Bbb({}), kNuestro, "NUL10"},
      {"Su propio indicativo debe ser el que anotamos", portable,
       Bbb({Q("14025", "CW", "2009-12-30", "1300", "QQ2BBB/P", "QQ1AAA")}), kNuestro, "NUL19"},
  });
}

TEST(CruzaQso, ConcursoSegovia) {
  Escenario e;
  e.datos.NombreConcurso = "SEGOVIA-QQ1TLM";
  const std::string linea = Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB");
  e.Log("QQ1AAA-2.LOG", "QQ1AAA", {linea});
  e.Log("QQ2BBB-1.LOG", "QQ2BBB", {Q("14025", "CW", "2009-12-30", "1300", "QQ2BBB", "QQ1AAA")});
  OpcionesAnulacion op;
  op.AnularQSO = true;
  // Only the worked station's log with the same part is its log.
  ResultadoCruce r = e.Cruza(linea, op, "QQ1AAA-2.LOG");
  EXPECT_EQ(r.Codigo, "NUL01");
  EXPECT_EQ(r.IndicativoSinLista, "QQ2BBB-2");
  e.Log("QQ2BBB-2.LOG", "QQ2BBB", {Q("7025", "CW", "2009-12-30", "1300", "QQ2BBB", "QQ1AAA")});
  r = e.Cruza(linea, op, "QQ1AAA-2.LOG");
  EXPECT_FALSE(r.EstacionSinLista);
  EXPECT_EQ(r.Codigo, "NUL06");
  // Another contest never extends the call.
  e.datos.NombreConcurso = "SEGOVIA";
  EXPECT_EQ(e.Cruza(linea, op, "QQ1AAA-2.LOG").IndicativoSinLista, "QQ2BBB");
}

TEST(FiguraEnListas, RespuestasExactas) {
  Escenario e;
  std::vector<std::string> diez(10, Q("14025", "CW", "2009-12-30", "1300", "QQ3CCC", "QQ1AB"));
  e.Log("QQ1AB.LOG", "QQ1AB", {Q("14025", "CW", "2009-12-30", "1300", "QQ1AB", "QQ3CCC")});
  e.Log("QQ3CCC.LOG", "QQ3CCC", diez);
  // A log that names the call ten times counts once; the station's own log
  // does not count.
  EXPECT_FALSE(e.Figura("QQ1AB", 2));
  EXPECT_TRUE(e.Figura("QQ1AB", 1));
  e.Log("QQ4DDD.LOG", "QQ4DDD", {Q("14025", "CW", "2009-12-30", "1300", "QQ4DDD", "QQ1AB")});
  EXPECT_TRUE(e.Figura("QQ1AB", 2));
  EXPECT_FALSE(e.Figura("QQ1AB", 3));
  // Letter case counts.
  EXPECT_FALSE(e.Figura("qq1ab", 1));
  // A required count of 0 or less: at least none.
  EXPECT_TRUE(e.Figura("QQ7ZZZ", 0));
  EXPECT_TRUE(e.Figura("QQ7ZZZ", -1));
  EXPECT_FALSE(e.Figura("QQ7ZZZ", 1));
  // Header lines name no station.
  EXPECT_FALSE(e.Figura("SINGLE-OP", 1));
  EXPECT_FALSE(e.Figura("CALLSIGN:", 1));
}

// A station is present in a log only where a QSO line has its whole call
// as the worked call or as the own call, portable parts split off: never
// inside a longer call, in a header line, after "END-OF-LOG" or in a line
// whose date is no date.
TEST(FiguraEnListas, SoloCuentaElIndicativoEntero) {
  Escenario e;
  const std::string fecha = "2009-12-30";
  e.Log("QQ1AB.LOG", "QQ1AB", {Q("14025", "CW", fecha, "1300", "QQ1AB", "QQ1ABC")});
  e.Log("QQ1ABC.LOG", "QQ1ABC", {Q("14025", "CW", fecha, "1300", "QQ1ABC", "QQ3CCC")});
  e.Fichero("QQ3CCC.LOG",
            {"START-OF-LOG: 3.0", "CALLSIGN: QQ3CCC", "SOAPBOX: 73 QQ1AB",
             Q("14025", "CW", fecha, "1300", "QQ3CCC", "QQ1ABC"), Q("14025", "CW", fecha, "1301", "QQ3CCC", "qq1ab"),
             Q("14025", "CW", "2009-02-30", "1302", "QQ3CCC", "QQ1AB"),
             "END-OF-LOG:", Q("14025", "CW", fecha, "1303", "QQ3CCC", "QQ1AB")});
  EXPECT_FALSE(e.Figura("QQ1AB", 1));
  EXPECT_TRUE(e.Figura("QQ1ABC", 2));  // in QQ1AB.LOG and QQ3CCC.LOG
  EXPECT_FALSE(e.Figura("QQ1ABC", 3));
  // Worked with a portable part, before or after the call.
  e.Log("QQ4DDD.LOG", "QQ4DDD", {Q("14025", "CW", fecha, "1300", "QQ4DDD", "QQ1AB/P")});
  EXPECT_TRUE(e.Figura("QQ1AB", 1));
  EXPECT_FALSE(e.Figura("QQ1AB", 2));
  e.Log("QQ5EEE.LOG", "QQ5EEE", {Q("14025", "CW", fecha, "1300", "QQ5EEE", "QQ8/QQ1AB")});
  EXPECT_TRUE(e.Figura("QQ1AB", 2));
  // As the own call of a log that is not the station's (by its name).
  e.Log("OTRO.LOG", "QQ1AB", {Q("14025", "CW", fecha, "1300", "QQ1AB/P", "QQ7GGG")});
  EXPECT_TRUE(e.Figura("QQ1AB", 3));
  // A log whose name holds the call counts like any other.
  e.Log("QQ1ABC.LOG", "QQ1ABC", {Q("14025", "CW", fecha, "1300", "QQ1ABC", "QQ1AB")});
  EXPECT_TRUE(e.Figura("QQ1AB", 4));
  // The station's own log never; letter case counts.
  EXPECT_FALSE(e.Figura("QQ1AB", 5));
  EXPECT_TRUE(e.Figura("qq1ab", 1));
  EXPECT_FALSE(e.Figura("qq1ab", 2));
  // A prefix of the call is not the station either.
  EXPECT_FALSE(e.Figura("QQ1A", 1));
}

TEST(FiguraEnListas, ServerOpYGuiones) {
  Escenario e;
  e.Log("QQ1TLM-2.LOG", "QQ1TLM", {}, "SERVER-OP");
  e.Log("QQ1TLM-1.LOG", "QQ1TLM", {Q("14025", "CW", "2009-12-30", "1300", "QQ1TLM", "QQ2BBB")});
  e.Log("QQ2BBB-1.LOG", "QQ2BBB", {Q("14025", "CW", "2009-12-30", "1300", "QQ2BBB", "QQ1TLM")});
  e.Log("QQ9SRV.LOG", "QQ9SRV", {}, "server-op");
  // SERVER-OP in its own log: present whatever the count.
  EXPECT_TRUE(e.Figura("QQ1TLM-2", 0));
  EXPECT_TRUE(e.Figura("QQ1TLM-2", 15));
  EXPECT_TRUE(e.Figura("qq1tlm-2", 15));  // the file name is found without regard to case
  EXPECT_TRUE(e.Figura("QQ9SRV", 5));     // the category is upper-cased
  // Counted under the part before "-": every log of the station is passed
  // over, QQ2BBB-1 counts.
  EXPECT_TRUE(e.Figura("QQ1TLM-1", 1));
  EXPECT_FALSE(e.Figura("QQ1TLM-1", 2));
}

// A call that is a path must not reach a file outside the folder.
TEST(FiguraEnListas, UnIndicativoNoSaleDeLaCarpeta) {
  Escenario e;
  e.Temporal().EscribeBytes("FUERA.LOG", "START-OF-LOG: 3.0\r\nCATEGORY-OPERATOR: SERVER-OP\r\nEND-OF-LOG:\r\n");
  e.Temporal().EscribeBytes("ListasValidas/sub/FUERA.LOG", "CATEGORY-OPERATOR: SERVER-OP\r\n");
  e.Log("QQ1AAA.LOG", "QQ1AAA", {});
  EXPECT_FALSE(e.Figura("../FUERA", 1));
  EXPECT_FALSE(e.Figura("..\\FUERA", 1));
  EXPECT_FALSE(e.Figura("sub/FUERA", 1));
}

// The folder's own path is not searched: a station whose call happens to be
// part of the path still counts in the logs that name it.
TEST(FiguraEnListas, LaRutaDeLaCarpetaNoCuenta) {
  Escenario e("QQ5EEE_2009/ListasValidas");
  e.Log("QQ1AAA.LOG", "QQ1AAA", {Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ5EEE")});
  e.Log("QQ2BBB.LOG", "QQ2BBB", {Q("14025", "CW", "2009-12-30", "1300", "QQ2BBB", "QQ5EEE")});
  EXPECT_TRUE(e.Figura("QQ5EEE", 2));
}

TEST(FiguraEnListas, UnaListaIlegibleNoCuenta) {
  Escenario e;
  e.Log("QQ1AAA.LOG", "QQ1AAA", {Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ5EEE")});
  std::vector<std::string> entradas = e.Entradas();
  entradas.push_back("QQ2BBB.LOG");  // listed, gone from the folder
  ListasValidasCruce cruce(e.Carpeta(), entradas, e.datos);
  EXPECT_TRUE(cruce.FiguraEnListas("QQ5EEE", 1));
  EXPECT_FALSE(cruce.FiguraEnListas("QQ5EEE", 2));
  EXPECT_FALSE(literal::FiguraEnListas(e.Carpeta(), entradas, e.datos, "QQ5EEE", 2));
  // Crossing with the missing log reads it as an empty log.
  OpcionesAnulacion op;
  op.AnularPorNoExistir = true;
  const std::string linea = Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB");
  EXPECT_EQ(cruce.CruzaQso(linea, 0, op).Codigo, "NUL10");
  EXPECT_EQ(literal::CruzaQso(e.Carpeta(), entradas, e.datos, linea, 0, op).Codigo, "NUL10");
}

TEST(CoincidenFechaYHora, Tabla) {
  using F = plataforma::Fecha;
  const F d30{2009, 12, 30}, d31{2009, 12, 31};
  struct Caso {
    bool opcion;
    std::optional<F> f1, f2;
    std::optional<int> h1, h2;
    bool esperado;
  };
  const Caso casos[] = {
      {false, d30, d31, 0, 600, true},      // option clear: always
      {true, d30, d30, 720, 729, true},     // 12:00 and 12:09
      {true, d30, d30, 720, 730, false},    // 12:00 and 12:10
      {true, d30, d30, 730, 720, false},    // 12:10 and 12:00
      {true, d30, d30, 711, 720, true},     // 11:51 and 12:00
      {true, d30, d31, 720, 720, false},    // another day
      {true, d30, d31, 1438, 3, false},     // 23:58 and 00:03 next day
      {true, std::nullopt, d30, 720, 720, false},
      {true, d30, d30, std::nullopt, 720, false},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(CoincidenFechaYHora(c.opcion, c.f1, c.f2, c.h1, c.h2), c.esperado)
        << c.opcion << " " << c.h1.value_or(-1) << " " << c.h2.value_or(-1);
}

// Logs with junk (control bytes, bytes of every value, a huge unbroken line)
// are read without failure, and both implementations still agree.
TEST(CruzaQso, LogsConBasura) {
  std::mt19937 azar(31);
  auto basura = [&](std::size_t n) {
    std::string b;
    for (std::size_t i = 0; i < n; ++i) b.push_back(static_cast<char>(azar() % 256));
    return b;
  };
  Escenario e;
  e.datos.Intercambio.enviado.letras = e.datos.Intercambio.recibido.puntos = true;
  std::string bytes = "START-OF-LOG: 3.0\r\nCALLSIGN: QQ2BBB\r\n";
  for (int i = 0; i < 40; ++i) bytes += "QSO: " + basura(azar() % 60) + "\r\n";
  bytes += "QSO: 14025 CW 2009-12-30 1300 QQ2BBB 599 001 X " + std::string(200000, 'Q') + "QQ1AAA\r\n";
  bytes += "QSO: 14025 CW 2009-12-30 1300 QQ2BBB 599 001 X QQ1AAA 599 001 99999999999999999999\r\n";
  bytes += basura(5000);
  e.Temporal().EscribeBytes("ListasValidas/QQ2BBB.LOG", bytes);
  std::vector<std::string> nuestras = {"START-OF-LOG: 3.0"};
  for (int i = 0; i < 30; ++i) nuestras.push_back("QSO: 14025 CW 2009-12-30 1300 QQ1AAA 599 001 M QQ2BBB 599 001 " +
                                                  basura(azar() % 20));
  nuestras.push_back("QSO: 14025 CW 2009-12-30 1300 QQ1AAA 599 001 M " + basura(30) + " 599 001 1");
  e.Fichero("QQ1AAA.LOG", nuestras);

  OpcionesAnulacion op;
  op.AnularCinco = op.AnularPorNoExistir = op.AnularPorControlesDistintos = op.AnularPorFechaDistinta = true;
  for (const std::string& linea : nuestras) {
    if (linea.rfind("QSO:", 0) != 0) continue;
    e.Cruza(linea, op);
  }
  std::vector<std::string> lineas = plataforma::PartirLineas(bytes), copia = lineas;
  e.datos.Repeticion.NoRepetir = true;
  MarcaQsoDuplicados(lineas, e.datos);
  literal::MarcaQsoDuplicados(copia, e.datos);
  EXPECT_EQ(lineas, copia);
  EXPECT_TRUE(e.Figura(std::string(200000, 'Q') + "QQ1AAA", 1));  // the huge worked call, whole
  EXPECT_FALSE(e.Figura(std::string(150, 'Q'), 1));
  EXPECT_TRUE(e.Figura("QQ1AAA", 1));
  EXPECT_FALSE(e.Figura(std::string("\x01\xfe\x80\x00QQ", 6), 1));
}

// A QSO crossed from what the prepared engine read of its log: the numbers
// count the QSO lines of any letter case up to "END-OF-LOG", not marked
// lines; a number beyond them reads the line given.
TEST(CruzaQso, LosQsoLeidosSeCuentanComoLasLineasQso) {
  Escenario e;
  const std::string bueno = Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB");
  const std::string otro_rst = Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB", "599 001 579 001");
  const std::string otra_banda = Q("7025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB");
  e.Log("QQ2BBB.LOG", "QQ2BBB", {Q("14025", "CW", "2009-12-30", "1300", "QQ2BBB", "QQ1AAA")});
  const std::string serie_larga =
      Q("14025", "CW", "2009-12-30", "1300", "QQ1AAA", "QQ2BBB", "599 001 599 " + std::string(300, '1'));
  e.Fichero("QQ1AAA.LOG", {"START-OF-LOG: 3.0", "CALLSIGN: QQ1AAA", "qso:" + bueno.substr(4), "DUP00:" + otra_banda,
                           otro_rst, serie_larga, "END-OF-LOG:", otra_banda});
  OpcionesAnulacion op;
  op.AnularPorRstDistinto = true;
  EXPECT_EQ(e.CruzaLeido(bueno, 0, op).Codigo, "");
  EXPECT_EQ(e.CruzaLeido(otro_rst, 1, op).Codigo, kNul16);
  EXPECT_EQ(e.CruzaLeido(serie_larga, 2, op).Codigo, "");
  op.AnularPorControlesDistintos = true;
  EXPECT_EQ(e.CruzaLeido(serie_larga, 2, op).Codigo, kNul14);
  EXPECT_EQ(e.CruzaLeido(otra_banda, 3, op).Codigo, kNul06);
  EXPECT_EQ(e.CruzaLeido(otra_banda, SIZE_MAX, op).Codigo, kNul06);
}

// Random folders, logs and options: the indexed engine and the reference
// agree on every QSO of every log and on presence questions. Most QSOs are
// written in both logs, with random differences, so that every path of the
// search of the worked station's log is taken.
TEST(CruzaQso, IndexadoYLiteralCoincidenEnEscenariosAleatorios) {
  const std::vector<std::string> nombres = {"QQ1AA", "QQ2BB", "QQ3CC", "qq1aa", "QQ1AAB", "QQ1AA-1", "QQ2BB-1"};
  const std::vector<std::string> ajenas = {"QQ7ZZ", "QQ1A", "", "QQ2BB/P", "QQ8/QQ3CC", "QQ3CC/QRP"};
  const std::vector<std::string> portables = {"", "", "", "/P", "/QRP", "/QQ8"};
  const std::vector<std::string> frecuencias = {"14025", "14250", "7025", "1.2G", "50", "X"};
  const std::vector<std::string> modos = {"CW", "PH", "RY", "PS", "cw"};
  const std::vector<std::string> fechas = {"2009-12-30", "2009-12-30", "2009-12-31", "2009-02-30", "2010-01-01"};
  const std::vector<std::string> horas = {"1200", "1209", "1210", "1151", "2358", "0003", "1159", "1211", "99"};
  const std::vector<std::string> valores = {"599", "59", "001", "1", "012", "12", "ABC", "", "007", "7", "IN80"};
  const std::vector<std::string> categorias = {"SINGLE-OP", "SINGLE-OP", "SERVER-OP", "CHECKLOG", "server-op"};
  const std::vector<std::string> concursos = {"", "", "SEGOVIA-QQ1TLM", "LA PALMA ISLA BONITA HF"};
  std::mt19937 azar(2009);
  auto elige = [&](const std::vector<std::string>& v) { return v[azar() % v.size()]; };
  auto a_veces = [&](unsigned de) { return azar() % de == 0; };
  std::map<std::string, int> codigos;

  for (int vuelta = 0; vuelta < 150; ++vuelta) {
    Escenario e;
    e.datos.NombreConcurso = elige(concursos);
    reglas::PerfilIntercambio& f = e.datos.Intercambio;
    f.enviado = {a_veces(2), a_veces(2), a_veces(3), a_veces(2), a_veces(3)};
    f.recibido = {a_veces(2), a_veces(2), a_veces(3), a_veces(2), a_veces(3)};
    const int n_env = f.enviado.rst + f.enviado.numeral + f.enviado.letras + f.enviado.puntos + f.enviado.locator;
    const int n_rec =
        f.recibido.rst + f.recibido.numeral + f.recibido.letras + f.recibido.puntos + f.recibido.locator;
    auto intercambio = [&](int n) {
      std::string t;
      for (int i = 0; i < n; ++i) t += " " + elige(valores);
      return t;
    };

    std::map<std::string, std::vector<std::string>> logs;  // file name -> QSO lines
    const int n_logs = 2 + static_cast<int>(azar() % 5);
    std::vector<std::string> llamadas;
    for (int k = 0; k < n_logs; ++k) {
      const std::string nombre = elige(nombres);
      logs[nombre + (a_veces(6) ? ".log" : ".LOG")];
      llamadas.push_back(nombre);
    }
    std::vector<std::string> ficheros;
    for (const auto& [fichero, _] : logs) ficheros.push_back(fichero);
    for (const std::string& fichero : ficheros) {
      const std::string propio = fichero.substr(0, fichero.find('.'));
      const int n = static_cast<int>(azar() % 9);
      for (int i = 0; i < n; ++i) {
        const bool ajena = a_veces(5);
        const std::string otro = ajena ? elige(ajenas) : elige(llamadas);
        const std::string frecuencia = elige(frecuencias), modo = elige(modos);
        const std::string fecha = a_veces(6) ? elige(fechas) : "2009-12-30";
        const std::string hora = elige(horas);
        const std::string mi_portable = elige(portables), su_portable = elige(portables);
        const std::string env = intercambio(n_env), rec = intercambio(n_rec);
        logs[fichero].push_back("QSO: " + frecuencia + " " + modo + " " + fecha + " " + hora + " " + propio +
                                mi_portable + env + " " + otro + su_portable + rec);
        if (ajena || a_veces(4)) continue;
        // The other station's record of the same QSO, in some log of it.
        for (const std::string& suyo : ficheros) {
          if (suyo.substr(0, suyo.find('.')) != otro || a_veces(3)) continue;
          const std::string su_frecuencia = a_veces(5) ? elige(frecuencias) : frecuencia;
          const std::string su_modo = a_veces(5) ? elige(modos) : modo;
          const std::string su_fecha = a_veces(6) ? elige(fechas) : fecha;
          const std::string su_hora = a_veces(3) ? elige(horas) : hora;
          // What it sent is what we received, or something else.
          const std::string su_env = a_veces(3) ? intercambio(n_env) : rec;
          const std::string nosotros = a_veces(4) ? propio + elige(portables) : propio + mi_portable;
          logs[suyo].push_back("QSO: " + su_frecuencia + " " + su_modo + " " + su_fecha + " " + su_hora + " " +
                               otro + (a_veces(4) ? elige(portables) : su_portable) + su_env + " " + nosotros +
                               intercambio(n_env));
          if (a_veces(3)) break;
        }
      }
    }
    for (auto& [fichero, qsos] : logs) {
      if (a_veces(10)) qsos.push_back("END-OF-LOG:");
      if (a_veces(10) && !qsos.empty()) qsos.front() = "qso:" + qsos.front().substr(4);
      e.Log(fichero, fichero.substr(0, fichero.find('.')), qsos, elige(categorias));
    }

    const std::vector<std::string> entradas = e.Entradas();
    ListasValidasCruce cruce(e.Carpeta(), entradas, e.datos);
    for (std::size_t k = 0; k < entradas.size(); ++k) {
      std::vector<std::string> lineas;
      ASSERT_TRUE(plataforma::LeerLineas(plataforma::UneRuta(e.Carpeta(), entradas[k]), lineas));
      for (const std::string& linea : lineas) {
        if (linea.rfind("QSO:", 0) != 0) continue;
        OpcionesAnulacion op;
        op.AnularQSO = a_veces(5);
        op.AnularQSOSiNoEstaEN = a_veces(4);
        op.NumeroListas = std::to_string(azar() % 4);
        op.AnularDos = a_veces(6);
        op.AnularCinco = a_veces(10);
        op.AnularPorFecha = a_veces(6);
        for (bool OpcionesAnulacion::*campo :
             {&OpcionesAnulacion::AnularPorNoExistir, &OpcionesAnulacion::AnularPorControlesDistintos,
              &OpcionesAnulacion::AnularPorFechaDistinta, &OpcionesAnulacion::AnularPorRstDistinto,
              &OpcionesAnulacion::AnularPorPortableDistinto})
          op.*campo = a_veces(2);
        const ResultadoCruce r = cruce.CruzaQso(linea, k, op);
        const ResultadoCruce l = literal::CruzaQso(e.Carpeta(), entradas, e.datos, linea, k, op);
        ASSERT_EQ(r.Codigo, l.Codigo) << "vuelta " << vuelta << ": " << linea;
        ASSERT_EQ(r.EstacionSinLista, l.EstacionSinLista) << linea;
        ASSERT_EQ(r.IndicativoSinLista, l.IndicativoSinLista) << linea;
        ++codigos[r.Codigo];
      }
    }
    for (int i = 0; i < 20; ++i) {
      const std::string llamada = (a_veces(2) ? elige(llamadas) : elige(ajenas)) + (a_veces(5) ? "-1" : "");
      const int cuantas = static_cast<int>(azar() % 5);
      ASSERT_EQ(cruce.FiguraEnListas(llamada, cuantas),
                literal::FiguraEnListas(e.Carpeta(), entradas, e.datos, llamada, cuantas))
          << "vuelta " << vuelta << ": " << llamada << " " << cuantas;
    }
  }
  // The scenarios reach every code that the crossing can give.
  for (const char* codigo : {"", "NUL01", "NUL02", "NUL03", "NUL06", "NUL07", "NUL08", "NUL10", "NUL12", "NUL13",
                             "NUL14", "NUL15", "NUL16", "NUL17", "NUL18", "NUL19"})
    EXPECT_GT(codigos[codigo], 0) << codigo;
}

}  // namespace
}  // namespace scoring

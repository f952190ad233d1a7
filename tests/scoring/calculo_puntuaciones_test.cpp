// The scoring run over crossed logs: the score files are compared byte for
// byte with the expected ones in tests/datos/puntuacion/<case>/esperado.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "common/edicion_concurso.h"
#include "database/carpetas.h"
#include "database/creacion.h"
#include "plataforma/dao.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/calculo_puntuaciones.h"
#include "scoring/puntuacion_prueba.h"
#include "soporte/carpeta_temporal.h"

namespace scoring {
namespace {

const std::string kDatos = std::string(TROVALIS_DATOS_PRUEBA) + "/puntuacion";

using Valores = std::vector<std::pair<const char*, dao::Variant>>;

class CalculoPuntuaciones : public ::testing::Test {
 protected:
  static constexpr std::int32_t kNumero = 4;

  CalculoPuntuaciones() : paises(prueba::PaisesPuntos()) {
    database::CreaBaseConcursosVacia(tmp.En("Ledrima"));
    base = dao::OpenDatabase(tmp.En("Ledrima"));
    carpeta = tmp.En("CONCURSO");
    for (const char* sub : {"ListasCruzadas", "ListasPuntuaciones"}) plataforma::CreaCarpeta(carpeta + "/" + sub);
  }
  ~CalculoPuntuaciones() override { base.Close(); }

  void Agrega(std::string_view tabla, const Valores& valores) {
    dao::Recordset rs = base.OpenRecordset(tabla);
    rs.AddNew();
    for (const auto& [nombre, valor] : valores) rs[nombre].SetValue(valor);
    rs.Update();
    rs.Close();
  }
  void Concurso(const char* nombre, Valores valores) {
    valores.insert(valores.begin(), {{"NumeroOrden", kNumero}, {"Concurso", nombre}});
    Agrega("Concursos", valores);
  }
  // A row of `ResumenCabrillo` with every category group not applicable
  // and the exchange flags given.
  void Resumen(Valores flags, std::string_view aplicable = {}) {
    flags.insert(flags.begin(), {{"NumeroOrden", kNumero}});
    for (const char* g : {"BandaNoAplicable", "PotenciaNoAplicable", "ModoNoAplicable", "AsistidoNoAplicable",
                          "TxNoAplicable", "TipoEstacionNoAplicable", "TimeNoAplicable", "OverlayNoAplicable"})
      if (g != aplicable) flags.push_back({g, true});
    Agrega("ResumenCabrillo", flags);
  }
  void Especial(const char* estacion, const char* banda, std::int32_t puntos) {
    Agrega("ListaEspeciales", {{"NumeroOrden", kNumero},
                               {"Estacion", estacion},
                               {"Prefijo", "*"},
                               {"Distrito", "*"},
                               {"Provincia", "*"},
                               {"Banda", banda},
                               {"Modo", "*"},
                               {"Puntos", puntos},
                               {"PuntosRef", "*"}});
  }

  // Copies the case's crossed logs and lists them in the edition.
  void Logs(const std::string& caso) {
    std::vector<std::string> nombres = plataforma::ListaFicheros(kDatos + "/" + caso + "/ListasCruzadas");
    std::sort(nombres.begin(), nombres.end());
    for (const std::string& n : nombres) {
      plataforma::CopiaFichero(kDatos + "/" + caso + "/ListasCruzadas/" + n, carpeta + "/ListasCruzadas/" + n);
      edicion.Agrega(ListaEdicion::Cruzadas, n);
    }
  }

  // Writes a crossed log and lists it in the edition.
  void Log(const std::string& nombre, const std::vector<std::string>& lineas) {
    plataforma::EscribirLineas(carpeta + "/ListasCruzadas/" + nombre, lineas);
    edicion.Agrega(ListaEdicion::Cruzadas, nombre);
  }
  std::vector<std::string> Puntuacion(const std::string& fichero) {
    std::vector<std::string> l;
    plataforma::LeerLineas(carpeta + "/ListasPuntuaciones/" + fichero, l);
    return l;
  }
  std::vector<std::string> Columna(const char* columna) {
    std::vector<std::string> v;
    dao::Recordset rs = base.OpenRecordset("Select * From ListaQso Order By NumeroQso");
    for (; !rs.Eof(); rs.MoveNext()) v.push_back(rs[columna].IsNull() ? "<nulo>" : rs[columna].Value().CStr());
    rs.Close();
    return v;
  }

  std::vector<ListaNoPuntuada> Calcula() {
    ConcursoPuntuacion c;
    c.Base = &base;
    c.NumeroOrden = kNumero;
    c.Paises = paises.get();
    c.Distancia = distancia;
    return CalculaPuntuaciones(edicion, progreso, c).NoPuntuadas;
  }

  // Every expected score file, byte for byte, and no other file.
  void ComparaConEsperado(const std::string& caso) {
    const std::string esperado = kDatos + "/" + caso + "/esperado";
    const std::string hechos = carpeta + "/ListasPuntuaciones";
    if (std::getenv("TROVALIS_REGENERA_PUNTUACION")) {
      plataforma::CreaCarpeta(esperado);
      for (const std::string& n : plataforma::ListaFicheros(hechos))
        plataforma::CopiaFichero(hechos + "/" + n, esperado + "/" + n);
    }
    std::vector<std::string> a = plataforma::ListaFicheros(esperado), b = plataforma::ListaFicheros(hechos);
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    for (const std::string& n : a) EXPECT_EQ(Bytes(hechos + "/" + n), Bytes(esperado + "/" + n)) << caso << "/" << n;
  }

  static std::string Bytes(const std::string& ruta) {
    std::string b;
    plataforma::LeerBytes(ruta, b);
    return b;
  }

  soporte::CarpetaTemporal tmp;
  std::unique_ptr<TablasPaises> paises;
  dao::Database base;
  std::string carpeta;
  EdicionConcurso edicion{tmp.En("CONCURSO"), {}};
  prueba::ProgresoRegistro progreso;
  DistanciaLocators distancia = DistanciaEntreLocators;
};

TEST_F(CalculoPuntuaciones, CamposPorBanda) {
  Concurso("CONCURSO BANDAS", {{"RecibirPuntos", true},
                               {"PuntosMismoPais", "1"},
                               {"MismoContinente14", "2"},
                               {"DistintoContinente14", "3"},
                               {"MismoContinente7", "4"},
                               {"DistintoContinente7", "5"},
                               {"MismoContinente28", "6"},
                               {"Banda7", true},
                               {"Banda14", true},
                               {"Banda50", true},
                               {"Multiplicadores", true},
                               {"CadaPais", true}});
  Resumen({{"RstEnviado", true}, {"NumeralEnviado", true}, {"RstRecibido", true}, {"NumeralRecibido", true}});
  Logs("bandas");
  EXPECT_TRUE(Calcula().empty());
  ComparaConEsperado("bandas");

  // The step of each log, one yield per log, the end.
  EXPECT_EQ(progreso.pasos,
            (std::vector<std::string>{"Calculando EA8BB.LOG", "Calculando QQ1ABC.LOG", "FIN DE CÁLCULOS"}));
  EXPECT_EQ(progreso.cesiones, 2);
  // The log without valid QSOs leaves the panel alone; the other has six.
  EXPECT_EQ(progreso.progresos, (std::vector<int>{0, 17, 33, 50, 67, 83, 100}));
  // The edition's score listing read again from the folder.
  EXPECT_EQ(edicion.Lista(ListaEdicion::Puntuaciones), (std::vector<std::string>{"EA8BB.PTS", "QQ1ABC.PTS"}));
  EXPECT_EQ(edicion.Estado(ListaEdicion::Puntuaciones), EstadoLista::Leida);
  EXPECT_TRUE(progreso.fallos.empty());

  // ListaQso keeps the rows of the last log, numbered without the marked lines.
  dao::Recordset rs = base.OpenRecordset("Select * From ListaQso Order By NumeroQso");
  std::vector<std::string> filas;
  for (; !rs.Eof(); rs.MoveNext())
    filas.push_back(rs["NumeroQso"].Value().CStr() + " " + rs["Banda"].Value().CStr() + " " +
                    rs["Indicativo"].Value().CStr() + " " + rs["Multiplicador"].Value().CStr() + " " +
                    rs["PuntosRecibidos"].Value().CStr() + " " + rs["DxccEstacionBase"].Value().CStr());
  rs.Close();
  EXPECT_EQ(filas, (std::vector<std::string>{"1 14000 EA1AA 1 2 Q1", "2 14000 EA8BB 1 3 Q1", "3 14000 QQ2CC 1 1 Q1",
                                             "4 7000 EA3DD 0 4 Q1", "5 50 EA8BB 0 0 Q1", "6 144 XX9ZZ 0 0 Q1"}));
}

TEST_F(CalculoPuntuaciones, EstacionesEspeciales) {
  Concurso("CONCURSO ESPECIAL", {{"RecibirPuntos", true},
                                 {"MismoContinente14", "1"},
                                 {"Banda14", true},
                                 {"BandaUser", true},
                                 {"Banda144", true},
                                 {"Banda1296", true}});
  Resumen({{"RstEnviado", true}, {"RstRecibido", true}});
  Especial("EA1AA", "14", 2);
  Especial("*", "14", 6);
  Especial("*", "27", 8);
  Especial("*", "1296", 9);
  Logs("especiales");
  EXPECT_TRUE(Calcula().empty());
  ComparaConEsperado("especiales");
}

TEST_F(CalculoPuntuaciones, PuntosPorDistancia) {
  Concurso("COMARCAS CATALANAS", {{"RecibirPuntosPorKm", true}, {"Banda7", true}, {"Banda14", true}});
  Resumen({{"RstEnviado", true}, {"RstRecibido", true}});
  distancia = [](const std::string&, const std::string& recibido) { return recibido.empty() ? 0.0f : 123.5f; };
  Logs("distancia");
  EXPECT_TRUE(Calcula().empty());
  ComparaConEsperado("distancia");
}

TEST_F(CalculoPuntuaciones, UrsRtty) {
  Concurso("URS RTTY", {{"Banda14", true}});
  Logs("rtty");
  EXPECT_TRUE(Calcula().empty());
  ComparaConEsperado("rtty");
}

TEST_F(CalculoPuntuaciones, ListaConUnDatoErroneoSeInformaYSeSalta) {
  Concurso("URS RTTY", {{"Banda14", true}});
  Logs("rtty");
  const std::vector<std::string> malas = {
      "START-OF-LOG: 3.0\r\nCALLSIGN: EA1BAD\r\nQSO: 14080 RY 2024-13-45 1000 EA1BAD EA6AA\r\nEND-OF-LOG:\r\n",
      "START-OF-LOG: 3.0\r\nCALLSIGN: EA1BIG\r\nQSO: 1408000 RY 2024-05-04 1000 EA1BIG EA6AA\r\nEND-OF-LOG:\r\n",
  };
  plataforma::EscribirLineas(carpeta + "/ListasCruzadas/AA1BAD.LOG", plataforma::PartirLineas(malas[0]));
  plataforma::EscribirLineas(carpeta + "/ListasCruzadas/AA2BIG.LOG", plataforma::PartirLineas(malas[1]));
  std::vector<std::string> cruzadas{"AA1BAD.LOG", "AA2BIG.LOG", "AA3NADA.LOG"};
  for (const std::string& n : edicion.Lista(ListaEdicion::Cruzadas)) cruzadas.push_back(n);
  edicion.Pon(ListaEdicion::Cruzadas, cruzadas);
  const std::vector<ListaNoPuntuada> no = Calcula();
  ASSERT_EQ(no.size(), 3u);
  EXPECT_EQ(no[0].Lista, "AA1BAD.LOG");
  EXPECT_NE(no[0].Motivo.find("QSO 1"), std::string::npos) << no[0].Motivo;
  EXPECT_EQ(no[1].Lista, "AA2BIG.LOG");
  EXPECT_EQ(no[2].Lista, "AA3NADA.LOG");
  // The other logs are scored all the same.
  ComparaConEsperado("rtty");
  EXPECT_EQ(progreso.PasoActual(), "FIN DE CÁLCULOS");
  const std::string texto = TextoListasNoPuntuadas(no);
  EXPECT_NE(texto.find("AA2BIG.LOG: "), std::string::npos);
}

// After the run ListaQso holds what the last log that got as far as its QSO
// lines left there: its rows with their results, no rows when one of its
// lines could not be stored, and the earlier log's rows when the last log
// could not even be read.
TEST_F(CalculoPuntuaciones, ListaQsoQuedaComoLaDejaLaUltimaListaLeida) {
  Concurso("URS RTTY", {{"Banda14", true}});
  Log("AA1OK.LOG", {"START-OF-LOG: 3.0", "CALLSIGN: EA1OK", "QSO: 14080 RY 2024-05-04 1000 EA1OK EA6AA",
                    "QSO: 14080 RY 2024-05-04 1001 EA1OK EA6BB", "QSO: 14080 RY 2024-05-04 1002 EA1OK EA6AA",
                    "END-OF-LOG:"});
  plataforma::EscribirLineas(carpeta + "/ListasCruzadas/AA2BAD.LOG",
                             {"START-OF-LOG: 3.0", "CALLSIGN: EA2BAD", "QSO: 14080 RY 2024-05-04 1000 EA2BAD EA6AA",
                              "QSO: 1408000 RY 2024-05-04 1001 EA2BAD EA6BB", "END-OF-LOG:"});
  auto tabla = [&] {
    std::vector<std::string> filas;
    const char* columnas[] = {"NumeroQso", "FechaQso",      "Banda",           "Modo", "Concursante",
                              "Indicativo", "Multiplicador", "PuntosRecibidos", "Dxcc", "DxccEstacionBase"};
    for (const char* c : columnas)
      for (const std::string& v : Columna(c)) filas.push_back(std::string(c) + "=" + v);
    return filas;
  };
  ASSERT_TRUE(Calcula().empty());
  const std::vector<std::string> buena = tabla();
  ASSERT_EQ(Columna("NumeroQso"), (std::vector<std::string>{"1", "2", "3"}));
  for (const std::string& v : Columna("Multiplicador")) EXPECT_NE(v, "<nulo>");

  edicion.Pon(ListaEdicion::Cruzadas, {"AA1OK.LOG", "AA9FALTA.LOG"});
  ASSERT_EQ(Calcula().size(), 1u);
  EXPECT_EQ(tabla(), buena);

  edicion.Pon(ListaEdicion::Cruzadas, {"AA1OK.LOG", "AA2BAD.LOG"});
  const std::vector<ListaNoPuntuada> no = Calcula();
  ASSERT_EQ(no.size(), 1u);
  EXPECT_NE(no[0].Motivo.find("QSO 2"), std::string::npos) << no[0].Motivo;
  EXPECT_TRUE(tabla().empty());

  edicion.Pon(ListaEdicion::Cruzadas, {"AA2BAD.LOG", "AA1OK.LOG"});
  ASSERT_EQ(Calcula().size(), 1u);
  EXPECT_EQ(tabla(), buena);
}

TEST_F(CalculoPuntuaciones, CategoriasDeSprintAndalucia) {
  Concurso("SPRINT ANDALUCIA", {{"Banda14", true}});
  Especial("EA7CLB", "*", 10);
  const char* cabecera[] = {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: SINGLE-OP"};
  for (const char* propio : {"EA7CLB", "EA7XX", "DL1XX"})
    Log(std::string(propio) + ".LOG",
        {cabecera[0], std::string("CALLSIGN: ") + propio, cabecera[1],
         "QSO: 14000 CW 2024-05-04 1000 " + std::string(propio) + " EA1AA", "END-OF-LOG:"});
  EXPECT_TRUE(Calcula().empty());
  EXPECT_EQ(Puntuacion("EA7CLB.PTS").at(3), "CATEGORÍA: SINGLE-OP (Sección o Club)");
  EXPECT_EQ(Puntuacion("EA7XX.PTS").at(3), "CATEGORÍA: SINGLE-OP (EA7)");
  EXPECT_EQ(Puntuacion("DL1XX.PTS").at(3), "CATEGORÍA: SINGLE-OP (EA)");
}

TEST_F(CalculoPuntuaciones, SegoviaNombraElFicheroPorLaLista) {
  Concurso("SEGOVIA-QQ1TLM", {{"Banda14", true}});
  Log("qq1abc-2.log",
      {"START-OF-LOG: 3.0", "CALLSIGN: QQ1ABC", "QSO: 14000 CW 2024-05-04 1000 QQ1ABC EA1AA", "END-OF-LOG:"});
  EXPECT_TRUE(Calcula().empty());
  EXPECT_EQ(edicion.Lista(ListaEdicion::Puntuaciones), std::vector<std::string>{"qq1abc-2.log.PTS"});
  EXPECT_EQ(Puntuacion("qq1abc-2.log.PTS").at(1), "CONCURSANTE: qq1abc-2.log");
}

TEST_F(CalculoPuntuaciones, XylTestAnadeLasUltimasLetras) {
  Concurso("XYL TEST", {{"Banda14", true}});
  Resumen({{"LetrasEnviadas", true}, {"LetrasRecibidas", true}});
  Log("QQ1ABC.LOG",
      {"START-OF-LOG: 3.0", "CALLSIGN: QQ1ABC", "CATEGORY-OPERATOR: SINGLE-OP",
       "QSO: 14000 CW 2024-05-04 1000 QQ1ABC ANA EA1AA PEPA", "QSO: 14000 CW 2024-05-04 1001 QQ1ABC EVA EA1BB LOLA",
       "DUP00:QSO: 14000 CW 2024-05-04 1002 QQ1ABC ZOE EA1AA PEPA", "END-OF-LOG:"});
  Log("QQ2ABC.LOG", {"START-OF-LOG: 3.0", "CALLSIGN: QQ2ABC", "CATEGORY-OPERATOR: SINGLE-OP", "END-OF-LOG:"});
  EXPECT_TRUE(Calcula().empty());
  EXPECT_EQ(Puntuacion("QQ1ABC.PTS").at(3), "CATEGORÍA: SINGLE-OP EVA");
  EXPECT_EQ(Puntuacion("QQ2ABC.PTS").at(3), "CATEGORÍA: SINGLE-OP ");
}

TEST_F(CalculoPuntuaciones, SprintDceExpedicionRecibeUnPunto) {
  Concurso("SPRINT DCE 1.0", {{"Banda14", true}, {"RecibirPuntos", true}});
  Resumen({{"PuntosEnviados", true}, {"PuntosRecibidos", true}}, "TipoEstacionNoAplicable");
  Log("QQ1ABC.LOG", {"START-OF-LOG: 3.0", "CALLSIGN: QQ1ABC", "CATEGORY-OPERATOR: SINGLE-OP",
                     "CATEGORY-STATION: EXPEDITION", "QSO: 14000 CW 2024-05-04 1000 QQ1ABC 5 EA1AA 7",
                     "QSO: 14000 CW 2024-05-04 1001 QQ1ABC 5 EA1BB 9", "END-OF-LOG:"});
  EXPECT_TRUE(Calcula().empty());
  EXPECT_EQ(Columna("LiteralEnviado"), (std::vector<std::string>{"5", "5"})) << "the sent points token";
  EXPECT_EQ(Columna("PuntosRecibidos"), (std::vector<std::string>{"1", "1"}));
  EXPECT_EQ(Puntuacion("QQ1ABC.PTS").at(5), "14 MZ. :Puntos = 2, Multiplicadores = ");
}

TEST_F(CalculoPuntuaciones, PskTestTomaLasCifrasComoPais) {
  Concurso("AT WW PSK TEST", {{"Banda14", true}});
  Log("12AT1A.LOG", {"START-OF-LOG: 3.0", "CALLSIGN: 12AT1A", "CATEGORY-OPERATOR: SINGLE-OP",
                     "QSO: 14070 PS 2024-05-04 1000 12AT1A 49AT1B", "QSO: 14070 PS 2024-05-04 1001 12AT1A 33XY1C",
                     "QSO: 14070 PS 2024-05-04 1002 12AT1A EA1AA", "END-OF-LOG:"});
  EXPECT_TRUE(Calcula().empty());
  EXPECT_EQ(Columna("Dxcc"), (std::vector<std::string>{"49", "33", "<nulo>"}));
  EXPECT_EQ(Columna("Waz"), (std::vector<std::string>{"<nulo>", "<nulo>", "<nulo>"}));
  EXPECT_EQ(Columna("DxccEstacionBase"), (std::vector<std::string>{"12", "12", "12"}));
  EXPECT_EQ(Columna("PuntosRecibidos"), (std::vector<std::string>{"3", "1", "0"})) << "no country: not scored";
}

TEST_F(CalculoPuntuaciones, ConcursoQueNoExiste) {
  Logs("rtty");
  EXPECT_THROW(Calcula(), ErrorPuntuacion);
}

}  // namespace
}  // namespace scoring

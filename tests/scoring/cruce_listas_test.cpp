// The cross-check run over a fixture contest: every crossed log with its
// marks, the annulled-QSO files, the lists of stations without log and of
// control logs, byte for byte against the expected files; and the pieces of
// the run (counting stations without log, ordering by count, the legend).
#include "scoring/cruce_listas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "concurso_cruce_prueba.h"
#include "database/carpetas.h"
#include "database/creacion.h"
#include "database/estado.h"
#include "plataforma/dao.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "soporte/carpeta_temporal.h"

namespace scoring {
namespace {

using prueba::Bytes;
using prueba::OpcionesFixture;
const std::string& kDatos = prueba::kDatosCruce;

class CruzaListasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta_ = f_.carpeta;
    trabajo_ = f_.trabajo;
    concurso_.Base = &f_.base;
    concurso_.NumeroOrden = prueba::ConcursoCrucePrueba::kNumero;
  }

  // The run over the valid logs as the folder lists them now; the last
  // crossed log it told of in `ultima_`.
  ResultadoCruceListas Cruza(const OpcionesAnulacion& o = OpcionesFixture()) {
    edicion_.Lee(ListaEdicion::Validas);
    return CruzaListas(
        edicion_, progreso_, concurso_, [o] { return o; }, MetodoCruce::Indexado,
        [this](const std::string&, const std::vector<std::string>& l) { ultima_ = l; });
  }

  // Every file of a result folder, byte for byte, and no other.
  void ComparaCarpeta(const std::string& sub) {
    const std::vector<std::string> esperados = plataforma::ListaFicheros(kDatos + "/esperado/" + sub);
    EXPECT_EQ(plataforma::ListaFicheros(carpeta_ + "/" + sub), esperados) << sub;
    for (const std::string& f : esperados)
      EXPECT_EQ(Bytes(carpeta_ + "/" + sub + "/" + f), Bytes(kDatos + "/esperado/" + sub + "/" + f)) << sub << "/" << f;
  }

  void ComparaResultados() {
    ComparaCarpeta("ListasCruzadas");
    ComparaCarpeta("ListasQsoAnulados");
    for (const char* f : {"ListasNoEnviadasPorIndicativo.txt", "ListasNoEnviadasPorNumero.txt"})
      EXPECT_EQ(Bytes(carpeta_ + "/ListasNoEnviadas/" + f), Bytes(kDatos + "/esperado/" + f)) << f;
    EXPECT_EQ(Bytes(carpeta_ + "/ListasDeControl/ListasDeControl.txt"),
              Bytes(kDatos + "/esperado/ListasDeControl.txt"));
  }

  prueba::ConcursoCrucePrueba f_;
  std::string carpeta_, trabajo_;
  ConcursoCruce concurso_;
  EdicionConcurso edicion_{f_.carpeta, {}};
  ProgresoSimple progreso_;
  std::vector<std::string> ultima_;
};

TEST_F(CruzaListasTest, ConcursoDeUnaDocenaDeListasDaLosFicherosEsperados) {
  const ResultadoCruceListas r = Cruza();
  ComparaResultados();
  // The log whose only marks are duplicates has its crossed copy and no
  // annulled-QSO file; control, SWL, SERVER-OP and GRUPO 2012 logs have no
  // crossed copy.
  EXPECT_TRUE(plataforma::ExisteFichero(carpeta_ + "/ListasCruzadas/QQ1HH.LOG"));
  EXPECT_FALSE(plataforma::ExisteFichero(carpeta_ + "/ListasQsoAnulados/QQ1HH.NUL"));
  for (const char* no : {"QQ2CK", "QQ2CT", "QQ3SV", "QQ3GR", "QQ3SW"})
    EXPECT_FALSE(plataforma::ExisteFichero(carpeta_ + "/ListasCruzadas/" + std::string(no) + ".LOG")) << no;
  // No working annulled-QSO file is left in the working folder.
  EXPECT_FALSE(plataforma::ExisteFichero(plataforma::UneRuta(trabajo_, "FicheroNulos.NUL")));

  // The run's lists, as it gives them back and as the edition reads them
  // again from their files; the result listings read again from the folders.
  const std::vector<std::string> por_numero{"QQ9AA en 005 listas", "QQ9CC en 005 listas", "QQ9BB en 002 listas",
                                            "QQ9C en 001 listas"};
  EXPECT_EQ(r.NoEnviadasPorNumero, por_numero);
  EXPECT_EQ(r.DeControl, (std::vector<std::string>{"QQ2CK", "QQ2CT"}));
  EXPECT_EQ(r.NoEnviadasPorIndicativo.size(), 4u);
  EXPECT_EQ(edicion_.Lista(ListaEdicion::NoEnviadasPorIndicativo), r.NoEnviadasPorIndicativo);
  EXPECT_EQ(edicion_.Lista(ListaEdicion::NoEnviadasPorNumero), por_numero);
  EXPECT_EQ(edicion_.Lista(ListaEdicion::DeControl), r.DeControl);
  EXPECT_EQ(edicion_.Cuenta(ListaEdicion::Cruzadas), 8u);
  EXPECT_EQ(edicion_.Cuenta(ListaEdicion::QsoAnulados), 7u);
  EXPECT_EQ(edicion_.Cuenta(ListaEdicion::Validas), 13u);
  for (ListaEdicion l : {ListaEdicion::Cruzadas, ListaEdicion::QsoAnulados, ListaEdicion::NoEnviadasPorIndicativo,
                         ListaEdicion::DeControl})
    EXPECT_EQ(edicion_.Estado(l), EstadoLista::Leida);
  // The score listing was discarded and not read again.
  EXPECT_EQ(edicion_.Estado(ListaEdicion::Puntuaciones), EstadoLista::Descartada);
  EXPECT_EQ(edicion_.TextoCuenta(ListaEdicion::NoEnviadasPorIndicativo), "4 NO ENVIADAS");
  EXPECT_EQ(edicion_.TextoCuenta(ListaEdicion::DeControl), "2 Listas");
  EXPECT_EQ(progreso_.PasoActual(), "FIN PROCESO");
  EXPECT_EQ(progreso_.porcentaje, 100);
  // One step per crossed log, in the listing's order.
  ASSERT_EQ(progreso_.pasos.size(), 9u);
  EXPECT_EQ(progreso_.pasos.front(), "Procesando QQ1AA.LOG");
  // The last crossed log told is QQ1HH's, as filed.
  std::vector<std::string> ultima;
  plataforma::LeerLineas(kDatos + "/esperado/ListasCruzadas/QQ1HH.LOG", ultima);
  EXPECT_EQ(ultima_, ultima);
}

TEST_F(CruzaListasTest, UnSegundoCruceDescartaElPrimeroYDaLosMismosFicheros) {
  Cruza();
  // Results that a second run must not keep.
  plataforma::EscribirLineas(carpeta_ + "/ListasQsoAnulados/QQ1HH.NUL", {"viejo"});
  plataforma::EscribirLineas(carpeta_ + "/ListasPuntuaciones/QQ1AA.PTS", {"viejo"});
  Cruza();
  ComparaResultados();
  EXPECT_TRUE(plataforma::ListaFicheros(carpeta_ + "/ListasPuntuaciones").empty());
}

TEST_F(CruzaListasTest, LaLeyendaLlevaElNumeroDeListasDeLaVentana) {
  OpcionesAnulacion o = OpcionesFixture();
  o.NumeroListas = "3";
  Cruza(o);
  std::vector<std::string> lineas;
  ASSERT_TRUE(plataforma::LeerLineas(carpeta_ + "/ListasQsoAnulados/QQ1AA.NUL", lineas));
  ASSERT_GT(lineas.size(), 18u);
  EXPECT_EQ(lineas[18], "NUL17: La estación contactada no ha enviado LISTA y no figura en otras 3");
}

TEST_F(CruzaListasTest, SoloListasDeControlYNoCruzadas) {
  for (const char* log : {"QQ1AA", "QQ1BB", "QQ1CC", "QQ1DD", "QQ1EE", "QQ1FF", "QQ1GG", "QQ1HH"})
    plataforma::BorraFichero(carpeta_ + "/ListasValidas/" + std::string(log) + ".LOG");
  const ResultadoCruceListas r = Cruza();
  EXPECT_TRUE(plataforma::ListaFicheros(carpeta_ + "/ListasCruzadas").empty());
  EXPECT_TRUE(plataforma::ListaFicheros(carpeta_ + "/ListasQsoAnulados").empty());
  EXPECT_EQ(Bytes(carpeta_ + "/ListasNoEnviadas/ListasNoEnviadasPorIndicativo.txt"), "");
  EXPECT_EQ(Bytes(carpeta_ + "/ListasNoEnviadas/ListasNoEnviadasPorNumero.txt"), "");
  EXPECT_EQ(Bytes(carpeta_ + "/ListasDeControl/ListasDeControl.txt"), "QQ2CK\r\nQQ2CT\r\n");
  EXPECT_TRUE(r.NoEnviadasPorIndicativo.empty());
  EXPECT_EQ(edicion_.TextoCuenta(ListaEdicion::NoEnviadasPorIndicativo), "0 NO ENVIADAS");
  EXPECT_TRUE(ultima_.empty());
}

TEST_F(CruzaListasTest, ListaDeControlSinIndicativoPorSuNombre) {
  // A control log that gives no callsign is listed by its file name, never
  // under the callsign of the log read before it.
  plataforma::EscribirLineas(carpeta_ + "/ListasValidas/QQ2SN.LOG",
                             {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: CHECKLOG", "END-OF-LOG:"});
  Cruza();
  EXPECT_EQ(Bytes(carpeta_ + "/ListasDeControl/ListasDeControl.txt"), "QQ2CK\r\nQQ2CT\r\nQQ2SN\r\n");
}

TEST_F(CruzaListasTest, LasOpcionesSeLeenEnCadaQso) {
  // Options switched off after the first log has been crossed apply to the
  // logs crossed afterwards.
  int llamadas = 0;
  edicion_.Lee(ListaEdicion::Validas);
  CruzaListas(edicion_, progreso_, concurso_, [&] {
    OpcionesAnulacion o = OpcionesFixture();
    if (progreso_.PasoActual() != "Procesando QQ1AA.LOG") o = OpcionesAnulacion{};
    ++llamadas;
    return o;
  });
  EXPECT_GT(llamadas, 13);
  EXPECT_EQ(Bytes(carpeta_ + "/ListasCruzadas/QQ1AA.LOG"), Bytes(kDatos + "/esperado/ListasCruzadas/QQ1AA.LOG"));
  // After the first log only the codes that no option governs remain
  // (NUL06 in QQ1BB and QQ1CC, NUL08 in QQ1FF); QQ1DD's marks all came from
  // options, so its crossed copy is its valid log.
  EXPECT_EQ(plataforma::ListaFicheros(carpeta_ + "/ListasQsoAnulados"),
            (std::vector<std::string>{"QQ1AA.NUL", "QQ1BB.NUL", "QQ1CC.NUL", "QQ1FF.NUL"}));
  EXPECT_EQ(Bytes(carpeta_ + "/ListasCruzadas/QQ1DD.LOG"), Bytes(kDatos + "/ListasValidas/QQ1DD.LOG"));
}

TEST_F(CruzaListasTest, OpcionesCambiadasAMitadDeUnaListaComoLaLecturaLiteral) {
  // In every log the options are switched off from its third QSO on: the
  // answers worked out ahead under the first options stand for the QSOs
  // before, the others are crossed again; the files and the last crossed
  // log told are those of the line-by-line reference under the same options.
  std::vector<std::string> ultima;
  auto ficheros = [&] {
    std::vector<std::string> f{"ultima:"};
    f.insert(f.end(), ultima.begin(), ultima.end());
    for (const char* sub : {"ListasCruzadas", "ListasQsoAnulados", "ListasNoEnviadas"})
      for (const std::string& n : plataforma::ListaFicheros(carpeta_ + "/" + sub))
        f.push_back(std::string(sub) + "/" + n + ":" + Bytes(carpeta_ + "/" + sub + "/" + n));
    return f;
  };
  auto cruza = [&](MetodoCruce metodo) {
    std::string paso;
    int llamadas = 0;
    edicion_.Lee(ListaEdicion::Validas);
    CruzaListas(
        edicion_, progreso_, concurso_,
        [&] {
          if (progreso_.PasoActual() != paso) {
            paso = progreso_.PasoActual();
            llamadas = 0;
          }
          // The first reading of a log gives the legend, the next ones its QSOs.
          return ++llamadas <= 3 ? OpcionesFixture() : OpcionesAnulacion{};
        },
        metodo, [&](const std::string&, const std::vector<std::string>& l) { ultima = l; });
    return ficheros();
  };
  const std::vector<std::string> indexado = cruza(MetodoCruce::Indexado);
  EXPECT_EQ(indexado, cruza(MetodoCruce::Literal));
  EXPECT_FALSE(plataforma::ListaFicheros(carpeta_ + "/ListasQsoAnulados").empty());
  // The switch changed the outcome: under the first options throughout the
  // files differ.
  edicion_.Lee(ListaEdicion::Validas);
  CruzaListas(
      edicion_, progreso_, concurso_, [] { return OpcionesFixture(); }, MetodoCruce::Indexado,
      [&](const std::string&, const std::vector<std::string>& l) { ultima = l; });
  EXPECT_NE(indexado, ficheros());
}

TEST_F(CruzaListasTest, LetrasFueraDeAsciiEnWindows1252ComoLaLecturaLiteral) {
  // A log with letters beyond ASCII in its header and in QSO lines, some of
  // them annulled: its crossed copy and annulled-QSO file keep each such
  // letter as its one Windows-1252 byte, as the line-by-line reference
  // writes them.
  const std::string nombre = carpeta_ + "/ListasValidas/QQ1NN.LOG";
  plataforma::ReemplazaFichero(nombre,
                               "START-OF-LOG: 3.0\r\nCONTEST: CONCURSO CRUCE\r\nCALLSIGN: QQ1NN\r\n"
                               "CATEGORY-OPERATOR: SINGLE-OP\r\nNAME: Jos\xE9 Ib\xE1\xF1\x65z\r\n"
                               "QSO: 14025 CW 2009-12-30 1300 QQ1NN         599 001  QQ1AA         599 0\xF1\r\n"
                               "QSO: 14025 CW 2009-12-30 1301 QQ1NN         599 002  QQ9\xD1X         599 002\r\n"
                               "QSO: 14025 CW 2009-12-30 1302 QQ1NN         599 003  QQ1BB         599 003\r\n"
                               "END-OF-LOG:\r\n");
  auto cruza = [&](MetodoCruce metodo) {
    edicion_.Lee(ListaEdicion::Validas);
    CruzaListas(
        edicion_, progreso_, concurso_, [] { return OpcionesFixture(); }, metodo);
    return std::make_pair(Bytes(carpeta_ + "/ListasCruzadas/QQ1NN.LOG"), Bytes(carpeta_ + "/ListasQsoAnulados/QQ1NN.NUL"));
  };
  const auto indexado = cruza(MetodoCruce::Indexado);
  EXPECT_EQ(indexado, cruza(MetodoCruce::Literal));
  EXPECT_NE(indexado.first.find("NAME: Jos\xE9 Ib\xE1\xF1\x65z\r\n"), std::string::npos);
  EXPECT_NE(indexado.second.find(":QSO: 14025 CW 2009-12-30 1301 QQ1NN         599 002  QQ9\xD1X"), std::string::npos);
}

TEST_F(CruzaListasTest, ContestDesconocido) {
  concurso_.NumeroOrden = 99;
  edicion_.Lee(ListaEdicion::Validas);
  EXPECT_THROW(CruzaListas(edicion_, progreso_, concurso_, [] { return OpcionesAnulacion{}; }), ErrorCruce);
}

// ------------------------------------------------------------- pieces

TEST(ListasCruce, EstacionSinListaCuentaUnaVezPorLista) {
  ListasCruce l;
  // Three QSOs in one log, one in another.
  for (int i = 0; i < 3; ++i) CuentaListasNoEnviadas(l, "QQ9BB");
  l.SinListaYaInluido.clear();
  CuentaListasNoEnviadas(l, "QQ9BB");
  // One callsign the start of another: separate entries.
  CuentaListasNoEnviadas(l, "QQ9B");
  EXPECT_EQ(l.NoEnviadasPorIndicativo, (std::vector<std::string>{"QQ9B en 001 Lista", "QQ9BB en 002 Listas"}));
  OrdenaListasNoEnviadasPorNumero(l);
  EXPECT_EQ(l.NoEnviadasPorNumero, (std::vector<std::string>{"QQ9BB en 002 listas", "QQ9B en 001 listas"}));
}

TEST(ListasCruce, LaListaDelCruceDaLasMismasEntradasEnElMismoOrden) {
  // Stations counted in many logs: calls that begin others, calls equal but
  // for letter case (their entries sort equal until their counts differ),
  // letters beyond ASCII, a call with " en " in it. The run's list and the
  // window's sorted list end the same after every log.
  const std::vector<std::string> estaciones{"QQ1AB", "qq1ab", "QQ1A", "QQ1ABC", "Qq1Ab", "EAÑ1X", "eañ1x",
                                            "EAN1X", "QQ9 en 1", "QQ9", "ÿQQ", "ŸQQ", "", "QQ1AB/P"};
  ListasCruce ventana;
  ListaNoEnviadas run;
  std::uint32_t semilla = 7;
  for (int log = 0; log < 300; ++log) {
    ventana.SinListaYaInluido.clear();
    ListasCruce propia;  // the run's once-per-log check
    for (int qso = 0; qso < 6; ++qso) {
      semilla = semilla * 1103515245u + 12345u;
      const std::string& e = estaciones[(semilla >> 16) % estaciones.size()];
      CuentaListasNoEnviadas(ventana, e);
      if (std::find(propia.SinListaYaInluido.begin(), propia.SinListaYaInluido.end(), e) ==
          propia.SinListaYaInluido.end()) {
        propia.SinListaYaInluido.push_back(e);
        run.Cuenta(e);
      }
    }
    ASSERT_EQ(run.Entradas(), ventana.NoEnviadasPorIndicativo) << "tras la lista " << log;
  }
  EXPECT_GE(ventana.NoEnviadasPorIndicativo.size(), estaciones.size());
}

TEST(ListasCruce, OrdenPorNumeroYDentroPorIndicativo) {
  ListasCruce l;
  l.NoEnviadasPorIndicativo = {"EA1A en 005 Listas", "EA2B en 002 Listas", "EA0Z en 005 Listas", "EA3C en 001 Lista",
                               "EA4D en 1000 Listas"};
  OrdenaListasNoEnviadasPorNumero(l);
  EXPECT_EQ(l.NoEnviadasPorNumero,
            (std::vector<std::string>{"EA4D en 1000 listas", "EA0Z en 005 listas", "EA1A en 005 listas",
                                      "EA2B en 002 listas", "EA3C en 001 listas"}));
}

TEST(ListasCruce, ListaDeControlUnaVezYOrdenada) {
  ListasCruce l;
  for (const char* c : {"QQ2ZZ", "QQ2AA", "QQ2ZZ"}) AnotaListaDeControl(l, c);
  EXPECT_EQ(l.DeControl, (std::vector<std::string>{"QQ2AA", "QQ2ZZ"}));
}

TEST(ListasCruce, TipoDeListaPorLaClaveEntera) {
  const std::pair<const char*, TipoLista> casos[] = {
      {"CHECKLOG", TipoLista::DeControl},   {"CONTROL", TipoLista::DeControl}, {"SERVER-OP", TipoLista::NoCruzada},
      {"GRUPO 2012", TipoLista::NoCruzada}, {"SWL", TipoLista::NoCruzada},     {"SERVER-OP 20M", TipoLista::Cruzada},
      {"SWL LOW", TipoLista::Cruzada},      {"SINGLE-OP", TipoLista::Cruzada}, {"", TipoLista::Cruzada},
      {"checklog", TipoLista::Cruzada},
  };
  for (const auto& [clave, tipo] : casos) EXPECT_EQ(TipoDeLista(clave), tipo) << clave;
}

TEST(ListasCruce, NombreDelFicheroDeNulos) {
  EXPECT_EQ(NombreFicheroNulos("QQ1ABC.LOG"), "QQ1ABC.NUL");
  EXPECT_EQ(NombreFicheroNulos("QQ1ABC.log"), "QQ1ABC.NUL");
  EXPECT_EQ(NombreFicheroNulos("AB"), "NUL");
}

TEST(ListasCruce, LeyendaConBlancosFinales) {
  const std::vector<std::string> l = LeyendaNulos("");
  ASSERT_EQ(l.size(), 22u);
  EXPECT_EQ(l[0], "");
  EXPECT_EQ(l[1], "\tSIGNIFICADO DE LOS ERRORES:");
  EXPECT_EQ(l[3], "NUL02: La estación del contacto no figura en al menos en 2 listas ");
  EXPECT_EQ(l[18], "NUL17: La estación contactada no ha enviado LISTA y no figura en otras ");
  EXPECT_EQ(l[20], "NUL19: No hay QSO con la estación contactada o NO COINCIDEN LOS PORTABLES. ");
  EXPECT_EQ(l[21], "\tCONTACTOS NULOS:");
}

}  // namespace
}  // namespace scoring

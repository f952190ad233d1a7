// The award's merged log and the listener list, without any mail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "mail/lista_admitida.h"
#include "mail/recepcion.h"
#include "plataforma/texto.h"
#include "soporte/carpeta_temporal.h"

namespace mail {
namespace {

const std::vector<std::string> kCabecera = {"START-OF-LOG: 3.0", "CALLSIGN: QQ2DIP"};
const std::string kQ1 = "QSO: 14025 CW 2026-03-01 1000 QQ2DIP 599 001 QQ2XYZ 599 001";
const std::string kQ2 = "QSO: 14030 CW 2026-03-01 1002 QQ2DIP 599 002 QQ3JKL 579 017";
const std::string kQ3 = "QSO: 14040 CW 2026-03-01 1010 QQ2DIP 599 003 QQ5NEW 599 003";

std::vector<std::string> Log(std::vector<std::string> qsos, const std::string& fin = "END-OF-LOG:") {
  std::vector<std::string> v = kCabecera;
  v.insert(v.end(), qsos.begin(), qsos.end());
  v.push_back(fin);
  return v;
}

class ListaAdmitidaTest : public testing::Test {
 protected:
  void SetUp() override { carpeta_.CreaCarpeta("ListasAdmitidas"); }
  // Merges one accepted sending; gives the merged log's lines as written,
  // which are those the merge gives back.
  std::vector<std::string> Envia(const std::vector<std::string>& log) {
    progreso_ = ProgresoSimple();
    const ResultadoListaAdmitida r = FusionaListaAdmitida(edicion_, progreso_, "QQ2DIP.LOG", log);
    EXPECT_EQ(progreso_.pasos,
              (std::vector<std::string>{"Generando LISTA VALIDA", "Generando LISTA VALIDA", "FIN PROCESO"}));
    EXPECT_EQ(progreso_.porcentaje, 100);
    const std::string bytes = carpeta_.LeeBytes("ListasAdmitidas/QQ2DIP.LOG");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(plataforma::PartirLineas(bytes), r.Lineas);
    return r.Lineas;
  }
  soporte::CarpetaTemporal carpeta_;
  EdicionConcurso edicion_{carpeta_.Ruta(), std::string(kConcursoDiploma)};
  ProgresoSimple progreso_;
};

TEST_F(ListaAdmitidaTest, FirstSendingWholeThenOnlyNewQsoLines) {
  EXPECT_EQ(Envia(Log({kQ1, kQ2}, " END-OF-LOG: ")), Log({kQ1, kQ2}, " END-OF-LOG: "));
  // A later sending with a new header: only the new QSO line, after the old
  // ones, and the closing line written plain.
  std::vector<std::string> segundo = Log({kQ1, kQ3, kQ2});
  segundo[1] = "CALLSIGN: QQ2DIP/P";
  EXPECT_EQ(Envia(segundo), Log({kQ1, kQ2, kQ3}));
  EXPECT_EQ(edicion_.Lista(ListaEdicion::Admitidas), std::vector<std::string>{"QQ2DIP.LOG"});
  // The same log again adds nothing.
  EXPECT_EQ(Envia(segundo), Log({kQ1, kQ2, kQ3}));
}

TEST_F(ListaAdmitidaTest, NewLinesAreComparedWithTheMergedLogAsRead) {
  Envia(Log({kQ1}));
  std::string q1_minusculas = kQ1;
  q1_minusculas.replace(q1_minusculas.find("QQ2XYZ"), 6, "qq2xyz");
  // Repeated new lines are all kept; a line that differs in case is new.
  EXPECT_EQ(Envia(Log({kQ1, kQ2, kQ2, q1_minusculas})), Log({kQ1, kQ2, kQ2, q1_minusculas}));
}

TEST_F(ListaAdmitidaTest, AMergedLogWithNothingBeforeItsEndTakesTheNextSendingWhole) {
  carpeta_.EscribeBytes("ListasAdmitidas/QQ2DIP.LOG", "END-OF-LOG:\r\n");
  EXPECT_EQ(Envia(Log({kQ1}, "END-OF-LOG:  ")), Log({kQ1}, "END-OF-LOG:  "));
}

// The edition's listing of admitted logs is read again after the merge,
// with the other stations' logs, and the change is told to whoever shows it.
TEST_F(ListaAdmitidaTest, ReadsTheEditionsListingOfAdmittedLogsAgain) {
  carpeta_.EscribeBytes("ListasAdmitidas/QQ1OTRO.LOG", "x\r\n");
  std::vector<ListaEdicion> cambios;
  edicion_.AlCambiar = [&](ListaEdicion l) { cambios.push_back(l); };
  EXPECT_EQ(Envia(Log({kQ1})), Log({kQ1}));
  EXPECT_EQ(edicion_.Lista(ListaEdicion::Admitidas), (std::vector<std::string>{"QQ1OTRO.LOG", "QQ2DIP.LOG"}));
  EXPECT_EQ(edicion_.TextoCuenta(ListaEdicion::Admitidas), "2 Listas");
  EXPECT_EQ(cambios, std::vector<ListaEdicion>{ListaEdicion::Admitidas});
}

TEST(ListaSwl, KeptInOrderOncePerStationAndLeftByALaterContestLog) {
  soporte::CarpetaTemporal carpeta;
  EdicionConcurso edicion(carpeta.Ruta(), "CONCURSO PRUEBA");
  const std::vector<std::string>& swl = edicion.Lista(ListaEdicion::Oyentes);
  for (const char* c : {"QQ5B", "QQ1A", "QQ9C", "QQ1A", "QQ3Z", "qq4m"}) AnotaListaSWL(edicion, c);
  EXPECT_EQ(swl, (std::vector<std::string>{"QQ1A", "QQ3Z", "qq4m", "QQ5B", "QQ9C"}));
  QuitaListaSWL(edicion, "QQ3Z");
  QuitaListaSWL(edicion, "qq1a");  // exact comparison
  QuitaListaSWL(edicion, "QQ0X");
  EXPECT_EQ(swl, (std::vector<std::string>{"QQ1A", "qq4m", "QQ5B", "QQ9C"}));
}

TEST(BaseNombreLog, UpToTheDotOfTheFirstLog) {
  EXPECT_EQ(BaseNombreLog("QQ1ABC.LOG"), "QQ1ABC.");
  EXPECT_EQ(BaseNombreLog("A.LOG.LOG"), "A.");
  EXPECT_EQ(BaseNombreLog("QQ1ABC.log"), "");
  EXPECT_EQ(BaseNombreLog("FOTO.JPG"), "");
}

}  // namespace
}  // namespace mail

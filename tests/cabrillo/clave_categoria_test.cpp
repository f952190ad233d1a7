#include "cabrillo/clave_categoria.h"

#include <gtest/gtest.h>

#include <sqlite3.h>
#include "cabrillo/contexto_concurso.h"

#include <memory>
#include <string>
#include <vector>

#include "common/paises.h"
#include "common/terravia.h"
#include "database/estado.h"
#include "plataforma/dao.h"
#include "soporte/carpeta_temporal.h"

namespace cabrillo {
namespace {

// Countries by prefix; "QQ8" stands for a special station of EA8 and "QQ5"
// for one of EA.
std::unique_ptr<TablasPaises> Paises() {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  CreaTablasTerravia(db);
  const std::vector<std::pair<const char*, const char*>> filas = {
      {"EA", "EA"}, {"EA6", "EA6"}, {"EA8", "EA8"}, {"EA9", "EA9"}, {"F", "F"}, {"QQ8", "EA8"}, {"QQ5", "EA"}};
  for (const auto& [prefijo, dxcc] : filas) {
    const std::string sql = std::string("INSERT INTO Prefijos VALUES ('") + prefijo + "','" + dxcc + "');";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  for (const char* dxcc : {"EA", "EA6", "EA8", "EA9", "F"}) {
    const std::string sql = std::string("INSERT INTO Dxcc VALUES ('") + dxcc + "','14','EU');";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  std::unique_ptr<TablasPaises> tablas = TablasPaises::Carga(db);
  sqlite3_close(db);
  return tablas;
}

// A `ResumenCabrillo` row whose groups are applicable where the letters say
// so: B band, P power, M mode, A assisted, T transmitter, S station,
// H time, O overlay. The other switches hold True.
FilaResumenCabrillo Grupos(std::string_view aplicables) {
  FilaResumenCabrillo r;
  auto fija = [&](Logico& interruptor, char letra) { interruptor = aplicables.find(letra) == std::string_view::npos; };
  fija(r.BandaNoAplicable, 'B');
  fija(r.PotenciaNoAplicable, 'P');
  fija(r.ModoNoAplicable, 'M');
  fija(r.AsistidoNoAplicable, 'A');
  fija(r.TxNoAplicable, 'T');
  fija(r.TipoEstacionNoAplicable, 'S');
  fija(r.TimeNoAplicable, 'H');
  fija(r.OverlayNoAplicable, 'O');
  return r;
}

constexpr const char* kQso = "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 001 F1BBB 599 001";

struct Caso {
  const char* que;
  std::string concurso;
  std::string grupos;  // letters of Grupos()
  std::vector<std::string> log;
  std::string clave;
  std::string indicativo;  // as left; the caller passes "PREVIO"
};

class ClaveCategoria : public ::testing::Test {
 protected:
  void Comprueba(const std::vector<Caso>& casos) {
    for (const Caso& caso : casos) {
      const FilaResumenCabrillo fila = Grupos(caso.grupos);
      const ConcursoClave concurso{caso.concurso, &fila, socios_, paises_.get()};
      LectorLog log(caso.log);
      std::string clave = "ANTERIOR";
      std::string indicativo = "PREVIO";
      LeeCabeceraCabrillo(log, concurso, clave, indicativo);
      EXPECT_EQ(clave, caso.clave) << caso.que;
      EXPECT_EQ(indicativo, caso.indicativo) << caso.que;
    }
  }

  std::unique_ptr<TablasPaises> paises_ = Paises();
  std::vector<std::string> socios_ = {"EA2ZZZ", "EA2YYY"};
};

TEST_F(ClaveCategoria, GruposAplicablesEnSuOrden) {
  Comprueba({
      {"v2, band power mode", "CONCURSO", "BPM",
       {"START-OF-LOG: 2.0", "CALLSIGN: EA1AAA", "CATEGORY: SINGLE-OP All LOW CW", kQso, "END-OF-LOG:"},
       "SINGLE-OP ALL LOW CW", "EA1AAA"},
      {"v2, mode not applicable", "CONCURSO", "BP",
       {"START-OF-LOG: 2.0", "CALLSIGN: EA1AAA", "CATEGORY: SINGLE-OP All LOW CW", kQso}, "SINGLE-OP ALL LOW",
       "EA1AAA"},
      // "ALL" in capitals is no band word of a version 2.0 line.
      {"v2, ALL", "CONCURSO", "BPM", {"START-OF-LOG: 2.0", "CATEGORY: SINGLE-OP ALL LOW CW"}, "SINGLE-OP LOW CW",
       "PREVIO"},
      {"v2, MULTI-TWO", "CONCURSO", "BPMT",
       {"START-OF-LOG: 2.0", "CALLSIGN: EA1AAA", "CATEGORY: MULTI-TWO All HIGH SSB", kQso},
       "MULTI-OP ALL HIGH SSB TWO", "EA1AAA"},
      {"v2, SINGLE-OP-PORTABLE", "CONCURSO", "S", {"START-OF-LOG: 2.0", "CATEGORY: SINGLE-OP-PORTABLE"},
       "SINGLE-OP PORTABLE", "PREVIO"},
      // Version 2.0 takes no "CATEGORY-" line, version 3.0 no "CATEGORY:" line.
      {"v2, assisted line", "CONCURSO", "BPMASHO",
       {"START-OF-LOG: 2.0", "CATEGORY: SWL", "CATEGORY-ASSISTED: ASSISTED"}, "SWL", "PREVIO"},
      {"v3, operator in lower case", "CONCURSO", "",
       {"START-OF-LOG: 3.0", "CALLSIGN: ea1aaa", "CATEGORY-OPERATOR: single-op", "CATEGORY-BAND: 20m", kQso},
       "SINGLE-OP", "ea1aaa"},
      {"v3, band applicable", "CONCURSO", "B",
       {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: single-op", "CATEGORY-BAND: 20m", "CATEGORY: MULTI-OP"},
       "SINGLE-OP 20M", "PREVIO"},
      {"v3, every group in order", "CONCURSO", "BPMATSHO",
       {"START-OF-LOG: 3.0", "CATEGORY-OVERLAY: ROOKIE", "CATEGORY-TIME: 6-HOURS", "CATEGORY-STATION: FIXED",
        "CATEGORY-TRANSMITTER: ONE", "CATEGORY-ASSISTED: ASSISTED", "CATEGORY-MODE: CW", "CATEGORY-POWER: LOW",
        "CATEGORY-BAND: ALL", "CATEGORY-OPERATOR: MULTI-OP", "CALLSIGN: EA1AAA", kQso},
       "MULTI-OP ALL LOW CW ASSISTED ONE FIXED 6-HOURS ROOKIE", "EA1AAA"},
      {"v3, later line of a tag wins", "CONCURSO", "B",
       {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-BAND: 20M", "CATEGORY-BAND:  40M ",
        "CALLSIGN: EA1AAA", "CALLSIGN: EA1AAA/P"},
       "SINGLE-OP 40M", "EA1AAA/P"},
      {"v3, values of groups not applicable", "CONCURSO", "",
       {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-BAND: 20M", "CATEGORY-POWER: LOW",
        "CATEGORY-STATION: FIXED", kQso},
       "SINGLE-OP", "PREVIO"},
      // An empty value adds nothing, a missing operator leaves the others alone.
      {"v3, no operator", "CONCURSO", "BP",
       {"START-OF-LOG: 3.0", "CATEGORY-BAND:", "CATEGORY-POWER: QRP", "END-OF-LOG:", "CATEGORY-OPERATOR: X"}, " QRP",
       "PREVIO"},
      {"other version", "CONCURSO", "BPM",
       {"START-OF-LOG: 1.0", "CALLSIGN: EA1AAA", "CATEGORY: SINGLE-OP All LOW CW"}, "", "PREVIO"},
      {"empty log", "CONCURSO", "BPM", {}, "", "PREVIO"},
      {"no end of log", "CONCURSO", "B", {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-BAND: 2M"},
       "SINGLE-OP 2M", "PREVIO"},
      // A marked QSO line of a crossed log does not end the header.
      {"crossed log", "CONCURSO", "B",
       {"START-OF-LOG: 3.0", "NUL01:QSO: 14025 CW", "CATEGORY-OPERATOR: SINGLE-OP", "  QSO: 14025",
        "CATEGORY-BAND: 20M"},
       "SINGLE-OP", "PREVIO"},
  });
}

TEST_F(ClaveCategoria, PalabrasAntiguasYChecklog) {
  Comprueba({
      {"MONO-OPERADOR", "CONCURSO", "S", {"START-OF-LOG: 2.0", "CATEGORY: MONO-OPERADOR"}, "SINGLE-OP", "PREVIO"},
      {"FIJA", "CONCURSO", "S", {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: FIJA"}, "SINGLE-OP", "PREVIO"},
      {"MONO-PORTABLE", "CONCURSO", "S", {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: MONO-PORTABLE"},
       "SINGLE-OP PORTABLE", "PREVIO"},
      {"MULTI-OPERADOR", "CONCURSO", "S", {"START-OF-LOG: 2.0", "CATEGORY: MULTI-OPERADOR"}, "MULTI-OP", "PREVIO"},
      {"MULTI-PORTABLE", "CONCURSO", "S", {"START-OF-LOG: 2.0", "CATEGORY: MULTI-PORTABLE"}, "MULTI-OP PORTABLE",
       "PREVIO"},
      {"CONTROL", "CONCURSO", "BPM", {"START-OF-LOG: 2.0", "CATEGORY: CONTROL All LOW CW"}, "CHECKLOG", "PREVIO"},
      {"checklog in lower case", "CONCURSO", "B",
       {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: checklog", "CATEGORY-BAND: 20M"}, "CHECKLOG", "PREVIO"},
      {"Control, not all capitals", "CONCURSO", "B",
       {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: Control", "CATEGORY-BAND: 20M"}, "CONTROL 20M", "PREVIO"},
      {"SWL", "CONCURSO", "B", {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: SWL", "CATEGORY-BAND: 20M"}, "SWL 20M",
       "PREVIO"},
  });
}

TEST_F(ClaveCategoria, ConcursosConClavePropia) {
  const std::string palma_ea8 = "QSO: 14025 CW 2026-03-01 1000 EA8AAA 599 LP F1BBB 599 001";
  Comprueba({
      {"VGE SPRINT v3", "VGE SPRINT", "BPM",
       {"START-OF-LOG: 3.0", "CATEGORY-BAND: 20M", "CATEGORY-OPERATOR:  vg-mono-lp ", "CALLSIGN: EA1AAA"},
       "vg-mono-lp", "PREVIO"},
      {"VGE SPRINT v3 checklog", "VGE SPRINT", "", {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: CONTROL"}, "CONTROL",
       "PREVIO"},
      {"VGE SPRINT v2", "VGE SPRINT", "BPM", {"START-OF-LOG: 2.0", "CATEGORY: vg-mono-lp All LOW"},
       "VG-MONO-LP ALL LOW", "PREVIO"},
      {"SEGOVIA single-op", "SEGOVIA-QQ1TLM", "S", {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: SINGLE-OP"},
       "SINGLE-OP FIXED", "PREVIO"},
      {"SEGOVIA with a band", "SEGOVIA-QQ1TLM", "B",
       {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-BAND: 20M"}, "SINGLE-OP 20M", "PREVIO"},
      // The callsign is the own call of the first QSO line.
      {"LA PALMA EA", "LA PALMA ISLA BONITA HF", "B",
       {"START-OF-LOG: 3.0", "CALLSIGN: EA8ZZZ", "CATEGORY-OPERATOR: SINGLE-OP", kQso},
       " 3.- Nacional Distrito EA1", "EA1AAA"},
      {"LA PALMA LP", "LA PALMA ISLA BONITA HF", "", {"START-OF-LOG: 2.0", "CATEGORY: SINGLE-OP", palma_ea8},
       " 5.- Regional Estaciones LP ", "EA8AAA"},
      {"LA PALMA special", "LA PALMA ISLA BONITA HF", "",
       {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: MULTI-OP", "QSO: 14025 CW 2026-03-01 1000 QQ8KPW 599 1 F1BBB 599 1"},
       " 1.- Estación Especial ", "QQ8KPW"},
      {"LA PALMA EA8", "LA PALMA ISLA BONITA HF", "",
       {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: SINGLE-OP", "QSO: 14025 CW 2026-03-01 1000 EA8AAA 599 1 F1BBB 599 1"},
       " 2.- Regional Distrito EA8", "EA8AAA"},
      {"LA PALMA DX", "LA PALMA ISLA BONITA HF", "",
       {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: SINGLE-OP", "QSO: 14025 CW 2026-03-01 1000 F1AAA 599 1 EA8BBB 599 1"},
       " 4.- Internacional", "F1AAA"},
      {"LA PALMA checklog", "LA PALMA ISLA BONITA HF", "", {"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: CHECKLOG", kQso},
       "CHECKLOG", "EA1AAA"},
      {"COMARCAS EA3", "COMARCAS CATALANAS", "B",
       {"START-OF-LOG: 3.0", "CALLSIGN: EA3AAA", "CATEGORY-OPERATOR: SINGLE-OP", kQso}, "ESTACIÓN EA3", "EA3AAA"},
      {"COMARCAS not EA3", "COMARCAS CATALANAS", "B",
       {"START-OF-LOG: 3.0", "CALLSIGN: EA1AAA", "CATEGORY-OPERATOR: SINGLE-OP", kQso}, "ESTACIÓN NO EA3", "EA1AAA"},
      {"COMARCAS F3", "COMARCAS CATALANAS", "", {"START-OF-LOG: 3.0", "CALLSIGN: F13AA", "CATEGORY-OPERATOR: SINGLE-OP"},
       "ESTACIÓN NO EA3", "F13AA"},
      {"ZUROZI member", "X ANIVERSARIO ZUROZI", "", {"START-OF-LOG: 3.0", "CALLSIGN: EA2YYY", "CATEGORY-OPERATOR: X"},
       " SOCIO ZUROZI", "EA2YYY"},
      {"ZUROZI EA", "X ANIVERSARIO ZUROZI", "", {"START-OF-LOG: 3.0", "CALLSIGN: EA4AAA", "CATEGORY-OPERATOR: X"},
       " EA Distrito EA4", "EA4AAA"},
      {"ZUROZI special", "X ANIVERSARIO ZUROZI", "", {"START-OF-LOG: 2.0", "CALLSIGN: QQ5MZT", "CATEGORY: X"},
       " ESTACIÓN ESPECIAL", "QQ5MZT"},
      {"ZUROZI DX", "X ANIVERSARIO ZUROZI", "", {"START-OF-LOG: 3.0", "CALLSIGN: F1AAA", "CATEGORY-OPERATOR: X"},
       " ESTACIÓN DX", "F1AAA"},
      {"ZUROZI checklog member", "X ANIVERSARIO ZUROZI", "",
       {"START-OF-LOG: 3.0", "CALLSIGN: EA2YYY", "CATEGORY-OPERATOR: CHECKLOG"}, "CHECKLOG", "EA2YYY"},
  });
}

TEST_F(ClaveCategoria, SinFilaDelConcursoSoloElOperador) {
  const ConcursoClave concurso{"CONCURSO", nullptr, {}, paises_.get()};
  LectorLog log({"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-BAND: 20M"});
  std::string clave, indicativo;
  LeeCabeceraCabrillo(log, concurso, clave, indicativo);
  EXPECT_EQ(clave, "SINGLE-OP");
}

TEST_F(ClaveCategoria, InterruptorSinValorDejaFueraElGrupo) {
  FilaResumenCabrillo fila = Grupos("BP");
  fila.PotenciaNoAplicable.reset();
  const ConcursoClave concurso{"CONCURSO", &fila, {}, paises_.get()};
  LectorLog log({"START-OF-LOG: 3.0", "CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-BAND: 20M", "CATEGORY-POWER: LOW"});
  std::string clave, indicativo;
  LeeCabeceraCabrillo(log, concurso, clave, indicativo);
  EXPECT_EQ(clave, "SINGLE-OP 20M");
}

TEST_F(ClaveCategoria, LeeElFicheroDelLog) {
  soporte::CarpetaTemporal carpeta;
  // Windows-1252, lines ended by CR LF and by a lone CR.
  carpeta.EscribeBytes("EA3AAA.LOG",
                       "START-OF-LOG: 3.0\r\nCALLSIGN: EA3AAA\rCATEGORY-OPERATOR: SINGLE-OP\r\n"
                       "CATEGORY-BAND: 20M\r\nCLUB: PE\xD1" "A\r\nEND-OF-LOG:\r\n");
  const FilaResumenCabrillo fila = Grupos("B");
  const ConcursoClave concurso{"CONCURSO", &fila, {}, paises_.get()};
  LectorLog log = LectorLog::Abre(carpeta.En("ea3aaa.log"));
  std::string clave, indicativo;
  LeeCabeceraCabrillo(log, concurso, clave, indicativo);
  EXPECT_EQ(clave, "SINGLE-OP 20M");
  EXPECT_EQ(indicativo, "EA3AAA");
}

TEST_F(ClaveCategoria, ConcursoEnCursoLeidoDeLaBaseDeConcursos) {
  soporte::CarpetaTemporal carpeta;
  dao::Database base = dao::CreateDatabase(carpeta.En("Ledrima"));
  dao::TableDef resumen = base.CreateTableDef("ResumenCabrillo");
  resumen.Fields().Append(resumen.CreateField("NumeroOrden", dao::Tipo::Long));
  for (const char* c : {"BandaNoAplicable", "PotenciaNoAplicable", "ModoNoAplicable", "AsistidoNoAplicable",
                        "TxNoAplicable", "TipoEstacionNoAplicable", "TimeNoAplicable", "OverlayNoAplicable"})
    resumen.Fields().Append(resumen.CreateField(c, dao::Tipo::Boolean));
  base.TableDefs().Append(resumen);
  dao::Recordset rs = base.OpenRecordset("ResumenCabrillo");
  rs.AddNew();
  rs["NumeroOrden"].SetValue(7);
  rs["BandaNoAplicable"].SetValue(false);
  rs["PotenciaNoAplicable"].SetValue(true);
  rs.Update();
  rs.Close();

  ContextoConcurso contexto;
  const std::string nombre = contexto.NombreConcurso;
  const std::int32_t numero = contexto.NumeroConcursoActual;
  auto clave_de = [&](const std::vector<std::string>& socios) {
    LectorLog log({"START-OF-LOG: 3.0", "CALLSIGN: EA2ZZZ", "CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-BAND: 20M",
                   "CATEGORY-POWER: LOW"});
    std::string clave, indicativo;
    LeeCabeceraCabrillo(contexto, base, log, socios, clave, indicativo);
    EXPECT_EQ(indicativo, "EA2ZZZ");
    return clave;
  };
  contexto.NombreConcurso = "PRUEBA";
  contexto.NumeroConcursoActual = 7;
  EXPECT_EQ(clave_de({}), "SINGLE-OP 20M");
  contexto.NombreConcurso = "X ANIVERSARIO ZUROZI";
  EXPECT_EQ(clave_de(socios_), " SOCIO ZUROZI");
  contexto.NombreConcurso = "PRUEBA";
  contexto.NumeroConcursoActual = 8;  // no row
  EXPECT_EQ(clave_de({}), "SINGLE-OP");
  contexto.NombreConcurso = nombre;
  contexto.NumeroConcursoActual = numero;
  base.Close();
}

TEST(LeeCategoria, PrimerValorDeCategoriaDesdeLaPosicionActual) {
  LectorLog v3({"START-OF-LOG: 3.0", "CATEGORY-ASSISTED: ASSISTED", "CATEGORY-OPERATOR: server-op ",
                "CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY: MULTI-OP"});
  std::string valor = "ANTES";
  LeeCategoria(v3, valor);
  EXPECT_EQ(valor, "SERVER-OP");
  // The next call goes on from where the last one stopped.
  LeeCategoria(v3, valor);
  EXPECT_EQ(valor, "SINGLE-OP");
  LeeCategoria(v3, valor);
  EXPECT_EQ(valor, "MULTI-OP");
  LeeCategoria(v3, valor);
  EXPECT_EQ(valor, "MULTI-OP");
  EXPECT_TRUE(v3.Fin());

  LectorLog v2({"START-OF-LOG: 2.0", "CATEGORY: single-op All LOW CW", kQso});
  LeeCategoria(v2, valor);
  EXPECT_EQ(valor, "SINGLE-OP ALL LOW CW");

  LectorLog sin({"START-OF-LOG: 3.0", " CATEGORY-OPERATOR: SINGLE-OP", "category: SWL", kQso, "END-OF-LOG:"});
  valor = "ANTES";
  LeeCategoria(sin, valor);
  EXPECT_EQ(valor, "ANTES");

  LectorLog vacio;
  LeeCategoria(vacio, valor);
  EXPECT_EQ(valor, "ANTES");
}

}  // namespace
}  // namespace cabrillo

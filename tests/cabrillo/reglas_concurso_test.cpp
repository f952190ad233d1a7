// The exchange rules of the contests that have rules of their own, checked
// through the QSO-line check of a whole line, with the exact blocks that
// each fault writes to the error report.
#include "cabrillo/reglas_concurso.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cabrillo/linea_qso.h"
#include "cabrillo/prueba_validacion.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/paises.h"
#include "common/terravia.h"
#include "common/progreso_etapa.h"
#include "plataforma/texto.h"
#include "soporte/carpeta_temporal.h"
#include "soporte/concurso_prueba.h"

namespace cabrillo {
namespace {

// Countries by prefix: EA (EA), EA8 (EA8), CT (CT), CT3 (CT3), C3 (C3),
// F (F).
std::unique_ptr<TablasPaises> Paises() {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  CreaTablasTerravia(db);
  for (const char* p : {"EA", "EA8", "CT", "CT3", "C3", "F"}) {
    const std::string sql = std::string("INSERT INTO Prefijos VALUES ('") + p + "','" + p + "');" +
                            "INSERT INTO Dxcc VALUES ('" + p + "','14','EU');";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  std::unique_ptr<TablasPaises> tablas = TablasPaises::Carga(db);
  sqlite3_close(db);
  return tablas;
}

// One error block as the report holds it after the QSO line.
struct Bloque {
  std::vector<std::string> contexto;
  std::string error;
};

// One QSO line of a participant (callsign, operator and station
// categories of a version 3.0 header) and the blocks it must give.
struct Caso {
  std::string participante;
  std::string operador;
  std::string estacion;
  std::string linea;
  std::vector<Bloque> bloques;
};

class ReglasConcurso : public ::testing::Test {
 protected:
  // The test contest renamed, with RST and letters sent and received (and
  // points when asked), provinces checked against its list.
  void Concurso(const std::string& nombre, bool puntos = false) {
    datos_.Concurso = nombre;
    FilaResumenCabrillo& r = datos_.Resumen;
    r.NumeralEnviado = r.NumeralRecibido = false;
    r.RstEnviado = r.RstRecibido = true;
    r.LetrasEnviadas = r.LetrasRecibidas = true;
    r.PuntosEnviados = r.PuntosRecibidos = puntos;
    // No band or mode category in the log: only the contest's permissions.
    datos_.EnviarSiglas = datos_.RecibirSiglas = datos_.CadaProv = true;
    datos_.Provincias = {"M", "SE", "B", "L"};
  }

  // The report written for one line, after its head; the line's answer must
  // agree with it.
  std::string Informe(const Caso& caso) {
    cabecera_.Limpia();
    cabecera_.LineaCallsign = "CALLSIGN: " + caso.participante;
    cabecera_.IndicativoParticipante = caso.participante;
    cabecera_.LineaContest = "CONTEST: " + datos_.Concurso;
    cabecera_.LineaCategoryOperator = "CATEGORY-OPERATOR: " + caso.operador;
    if (!caso.estacion.empty()) cabecera_.LineaCategoryStation = "CATEGORY-STATION: " + caso.estacion;
    EXPECT_TRUE(informe_.Crea(carpeta_.Ruta(), "05-03-2026", ""));
    const EntornoValidacion entorno{datos_, categorias_, informe_, cabecera_, paises_.get()};
    const bool correcta = VerificaLineaQso(caso.linea, memoria_, entorno);
    informe_.Cierra();
    const std::string texto = plataforma::DesdeWindows1252(carpeta_.LeeBytes("FicheroErrores.ERR"));
    const std::string cabeza = "\tSU ENVÍO:\r\nFECHA:05-03-2026\r\nASUNTO:\r\n";
    EXPECT_EQ(texto.substr(0, cabeza.size()), cabeza);
    const std::string cuerpo = texto.substr(cabeza.size());
    EXPECT_EQ(correcta, cuerpo.empty()) << caso.linea;
    return cuerpo;
  }

  static std::string Esperado(const Caso& caso) {
    std::string s;
    for (const Bloque& b : caso.bloques) {
      s += caso.linea + "\r\n";
      for (const std::string& c : b.contexto) s += c + "\r\n";
      s += b.error + "\r\n\r\n";
    }
    return s;
  }

  // Each case is the first QSO line of a log of its own.
  void CompruebaCasos(const std::vector<Caso>& casos) {
    for (const Caso& caso : casos) {
      memoria_ = MemoriaLog{};
      EXPECT_EQ(Informe(caso), Esperado(caso)) << caso.participante << " " << caso.operador << "\n" << caso.linea;
    }
  }
  // The cases are the QSO lines of one log, in order.
  void CompruebaLog(const std::vector<Caso>& lineas) {
    memoria_ = MemoriaLog{};
    for (const Caso& caso : lineas)
      EXPECT_EQ(Informe(caso), Esperado(caso)) << caso.participante << " " << caso.operador << "\n" << caso.linea;
  }

  soporte::CarpetaTemporal carpeta_;
  DatosConcursoLog datos_ = soporte::ConcursoPrueba();
  CategoriasAdmitidas categorias_ = soporte::CategoriasPrueba(datos_);
  std::unique_ptr<TablasPaises> paises_ = Paises();
  FicheroErrores informe_;
  CabeceraLog cabecera_;
  MemoriaLog memoria_;
};

constexpr const char* kSiglasEnviadas = ".- ERROR 26: Las SIGLAS enviadas no están permitidas";
constexpr const char* kSiglasRecibidas = ".- ERROR 26: Las SIGLAS recibidas no están permitidas";

TEST_F(ReglasConcurso, NaranjaPaisesDeAmbasEstaciones) {
  Concurso("TROFEO NARANJA");
  CompruebaCasos({
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M EA2BBB 599 SE", {}},
      // A country that starts with "EA" or "CT" passes.
      {"EA8AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA8AAA 599 M CT3BBB 599 XX", {}},
      {"F1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 F1AAA 599 XX EA2BBB 599 SE",
       {{{"PAÍS CONCURSANTE: F"}, ".- ERROR 40: El Concursante no es una estación de España, Portugal o Andorra"}}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M F2BBB 599 XX",
       {{{"PAÍS CONTACTO: F"}, ".- ERROR 41: El contacto no es una estación de España, Portugal o Andorra"}}},
  });
}

TEST_F(ReglasConcurso, NaranjaLetrasEnviadasPorPais) {
  Concurso("TROFEO NARANJA");
  CompruebaCasos({
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 XX EA2BBB 599 SE",
       {{{"SIGLAS: XX"}, kSiglasEnviadas}}},
      // A Portuguese station sends "CT" and the third character of its call.
      {"CT1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 CT1AAA 599 CT1 EA2BBB 599 SE", {}},
      {"CT1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 CT1AAA/P 599 CT1 EA2BBB 599 SE", {}},
      {"CT1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 CT1AAA 599 CT2 EA2BBB 599 SE",
       {{{"DISTRITO: CT2"}, ".- ERROR 38: El DISTRITO enviado no es correcto"}}},
      {"C31AA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 C31AA 599 C3 EA2BBB 599 SE", {}},
      {"C31AA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 C31AA 599 AD EA2BBB 599 SE",
       {{{"CONTROL: AD"}, ".- ERROR 39: El CONTROL enviado no es correcto"}}},
  });
}

TEST_F(ReglasConcurso, NaranjaLetrasRecibidasPorPais) {
  Concurso("TROFEO NARANJA");
  CompruebaCasos({
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M EA2BBB 599 XX",
       {{{"SIGLAS: XX"}, kSiglasRecibidas}}},
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M CT1BBB 599 CT1", {}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M CT1BBB 599 CT2",
       {{{"DISTRITO: CT2"}, ".- ERROR 38: El DISTRITO recibido no es correcto"}}},
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M C31BB 599 C3", {}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M C31BB 599 AD",
       {{{"CONTROL: AD"}, ".- ERROR 39: El CONTROL recibido no es correcto"}}},
  });
}

TEST_F(ReglasConcurso, VgeSprintModoDeLaCategoriaDeFonia) {
  Concurso("VGE SPRINT");
  CompruebaCasos({
      {"EA1AAA", "VG-MONO-PH", "", "QSO: 14250 PH 2026-03-01 1000 EA1AAA 59 VGSE001 EA2BBB 59 12", {}},
      {"EA1AAA", "VG-MONO-LP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 VGSE001 EA2BBB 599 12", {}},
      {"EA1AAA",
       "VG-MONO-PH",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 VGSE001 EA2BBB 599 12",
       {{{"MODO: CW - CATEGORIA: VG-MONO-PH"},
         ".- ERROR 36: El modo del QSO no se corresponde con la categoría del concursante"}}},
  });
}

TEST_F(ReglasConcurso, VgeSprintReferenciaONumeroSerieEnviado) {
  Concurso("VGE SPRINT");
  const Bloque falta_referencia{{"CONTROL ENVIADO: 12"}, ".- ERROR 30: Falta referencia enviada o no es correcta."};
  CompruebaCasos({
      {"EA1AAA", "GENERAL", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 12 EA2BBB 599 12", {}},
      {"EA1AAA",
       "GENERAL",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 VGSE001 EA2BBB 599 12",
       {{{"CONTROL ENVIADO: VGSE001"}, ".- ERROR 30: Falta el número serie enviado o no es correcto"}}},
      {"EA1AAA", "CHECKLOG", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 12 EA2BBB 599 12", {}},
      {"EA1AAA", "CHECKLOG", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 VGSE001 EA2BBB 599 12", {}},
      {"EA1AAA",
       "CHECKLOG",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 ABC EA2BBB 599 12",
       {{{"CONTROL ENVIADO: ABC"}, ".- ERROR 30: Falta el número serie enviado o no es correcto"}}},
      // The digits of a sent reference are not tested; its letters are.
      {"EA1AAA", "VG-MONO-LP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 VGSE9 EA2BBB 599 12", {}},
      {"EA1AAA",
       "VG-MONO-LP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 VGXX001 EA2BBB 599 12",
       {{{"CONTROL ENVIADO: VGXX001"}, ".- ERROR 30: Falta referencia enviada o no es correcta."}}},
      {"EA1AAA", "VG-MONO-LP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 12 EA2BBB 599 12", {falta_referencia}},
  });
}

TEST_F(ReglasConcurso, VgeSprintReferenciaONumeroSerieRecibido) {
  Concurso("VGE SPRINT");
  const Bloque mal{{"CONTROL RECIBIDO: VGXX01"}, ".- ERROR 30: La REFERENCIA recibida no es correcta."};
  CompruebaCasos({
      {"EA1AAA", "GENERAL", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 1 EA2BBB 599 VGM001", {}},
      {"EA1AAA", "GENERAL", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 1 EA2BBB 599 0042", {}},
      {"EA1AAA",
       "GENERAL",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 1 EA2BBB 599 VGM01",
       {{{"CONTROL RECIBIDO: VGM01"}, ".- ERROR 30: La REFERENCIA recibida no es correcta."}}},
      // Wrong digits and wrong letters: the same block twice.
      {"EA1AAA", "GENERAL", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 1 EA2BBB 599 VGXX01", {mal, mal}},
      {"EA1AAA",
       "GENERAL",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 1 EA2BBB 599 ABC",
       {{{"CONTROL RECIBIDO: ABC"}, ".- ERROR 30: Falta el NÚMERO SERIE recibido o no es correcto"}}},
  });
}

TEST_F(ReglasConcurso, A1AClubLetrasONumero) {
  Concurso("CONCURSO A1A CLUB CW");
  CompruebaCasos({
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M EA2BBB 599 SE", {}},
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 123 EA2BBB 599 45", {}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 XX EA2BBB 599 SE",
       {{{"SIGLAS: XX"}, kSiglasEnviadas}}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M EA2BBB 599 XX",
       {{{"SIGLAS: XX"}, ".- ERROR 30: Las SIGLAS recibidas no son permitidas."}}},
  });
}

TEST_F(ReglasConcurso, UrsRttyLetrasONumero) {
  Concurso("URS RTTY");
  CompruebaCasos({
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M EA2BBB 599 7", {}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 XX EA2BBB 599 7",
       {{{"SIGLAS: XX"}, kSiglasEnviadas}}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 5 EA2BBB 599 XX",
       {{{"SIGLAS: XX"},
         ".- ERROR 30: Las SIGLAS recibidas no son permitidas o el NÚMERO SERIE recibido no es númerico."}}},
  });
}

TEST_F(ReglasConcurso, XylTestYlUOm) {
  Concurso("XYL TEST");
  CompruebaCasos({
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 YL EA2BBB 599 OM", {}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M EA2BBB 599 YL",
       {{{"SIGLAS: M"}, ".- ERROR 26: Las SIGLAS enviadas no están permitidas, se permite YL o OM "}}},
      // The received letters need not be the same in every QSO, but must be YL or OM.
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 OM EA2BBB 599 yl",
       {{{"SIGLAS: yl"}, ".- ERROR 30: Las SIGLAS recibidas no son permitidas, se permite YL o OM"}}},
  });
}

TEST_F(ReglasConcurso, XylTestLasMismasSiglasEnTodoElLog) {
  Concurso("XYL TEST");
  const std::string p = "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 ";
  CompruebaLog({
      // Wrong letters do not set the log's letters: the next valid ones do.
      {"EA1AAA",
       "SINGLE-OP",
       "",
       p + "XX EA2BBB 599 OM",
       {{{"SIGLAS: XX"}, ".- ERROR 26: Las SIGLAS enviadas no están permitidas, se permite YL o OM "}}},
      {"EA1AAA", "SINGLE-OP", "", p + "YL EA2BBB 599 OM", {}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       p + "OM EA2BBB 599 YL",
       {{{"SIGLAS: OM"}, ".- ERROR 26: Hay que enviar las mismas SIGLAS en todos los contactos "}}},
      {"EA1AAA", "SINGLE-OP", "", p + "YL EA3CCC 599 YL", {}},
  });
}

TEST_F(ReglasConcurso, SprintAndaluciaSiglasONumeroSeriePorDistrito) {
  Concurso("SPRINT ANDALUCIA");
  CompruebaCasos({
      // Call area 7 without a portable part: a province or its own suffix.
      {"EA7ABC", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA7ABC 599 SE EA1BBB 599 1", {}},
      {"EA7ABC", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA7ABC 599 ABC EA1BBB 599 1", {}},
      {"EA7ABC",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA7ABC 599 12 EA1BBB 599 1",
       {{{"SIGLAS: 12"}, kSiglasEnviadas}}},
      // With a portable part, or from another area: a serial number.
      {"EA7ABC", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA7ABC/P 599 12 EA1BBB 599 1", {}},
      {"EA7ABC",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA7ABC/P 599 SE EA1BBB 599 1",
       {{{"Número Serie: SE"}, ".- ERROR 25: El NÚMERO SERIE enviado del QSO no es numérico."}}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 SE EA1BBB 599 1",
       {{{"Número Serie: SE"}, ".- ERROR 25: El NÚMERO SERIE enviado del QSO no es numérico."}}},
      // Received, by the worked call as written.
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 1 EA7BBB 599 SE", {}},
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 1 EA7BBB 599 BBB", {}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 1 EA7BBB 599 XX",
       {{{"SIGLAS: XX"}, kSiglasRecibidas}}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 1 EA7BBB/P 599 SE",
       {{{"Número Serie: SE"}, ".- ERROR 29: El NÚMERO SERIE recibido del QSO no es numérico."}}},
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 1 EA2BBB 599 9", {}},
  });
}

TEST_F(ReglasConcurso, ConcursoDieReferenciaONumeroSeriePorCategoria) {
  Concurso("CONCURSO DIE");
  CompruebaCasos({
      {"EA1AAA", "ISLA-RESIDENTE", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 ISL01 EA2BBB 599 M", {}},
      {"EA1AAA",
       "ISLA-EXPEDICION",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 12 EA2BBB 599 M",
       {{{"CONTROL ENVIADO: 12"}, ".- ERROR 40: No se ha enviado una REFERENCIA"}}},
      {"EA1AAA",
       "FARO",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 12 EA2BBB 599 M",
       {{{"CONTROL ENVIADO: 12"}, ".- ERROR 40: No se ha enviado una REFERENCIA"}}},
      {"EA1AAA", "GENERAL-PENINSULAR", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 12 EA2BBB 599 M", {}},
      {"CT1AAA", "GENERAL-PENINSULAR", "", "QSO: 14025 CW 2026-03-01 1000 CT1AAA 599 12 EA2BBB 599 M", {}},
      {"EA1AAA",
       "GENERAL-PENINSULAR",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 FAR1 EA2BBB 599 M",
       {{{"CONTROL ENVIADO: FAR1"}, ".- ERROR 40: El control enviado no es un NÚMERO SERIE "}}},
      {"F1AAA",
       "GENERAL-PENINSULAR",
       "",
       "QSO: 14025 CW 2026-03-01 1000 F1AAA 599 12 EA2BBB 599 M",
       {{{"PAÍS CONCURSANTE: F", "CATEGORÍA: GENERAL-PENINSULAR"},
         ".- ERROR 40: El QSO no se corresponde con la categoría del concursante"}}},
      {"F1AAA", "GENERAL-NO-EA", "", "QSO: 14025 CW 2026-03-01 1000 F1AAA 599 12 EA2BBB 599 M", {}},
      {"EA8AAA", "GENERAL-NO-EA", "", "QSO: 14025 CW 2026-03-01 1000 EA8AAA 599 12 EA2BBB 599 M", {}},
      {"EA1AAA",
       "GENERAL-NO-EA",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 12 EA2BBB 599 M",
       {{{"PAÍS CONCURSANTE: EA", "CATEGORÍA: GENERAL-NO-EA"},
         ".- ERROR 40: El QSO no se corresponde con la categoría del concursante"}}},
      {"F1AAA",
       "GENERAL-NO-EA",
       "",
       "QSO: 14025 CW 2026-03-01 1000 F1AAA 599 X EA2BBB 599 M",
       {{{"CONTROL ENVIADO: X"}, ".- ERROR 40: El control enviado no es un NÚMERO SERIE "}}},
      // Any other category: nothing is tested. The received letters follow the default rule.
      {"EA1AAA",
       "SWL",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 X EA2BBB 599 XX",
       {{{"SIGLAS: XX"}, kSiglasRecibidas}}},
  });
}

TEST_F(ReglasConcurso, ComarcasCatalanasSiglasOGuion) {
  Concurso("COMARCAS CATALANAS");
  CompruebaCasos({
      {"EA3AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA3AAA 599 B JN11AA EA3BBB 599 L JN01AA", {}},
      {"EA3AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA3AAA 599 - JN11AA EA3BBB 599 - JN01AA", {}},
      {"EA3AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA3AAA 599 XX JN11AA EA3BBB 599 L JN01AA",
       {{{"SIGLAS: XX"}, ".- ERROR 30: Las SIGLAS enviadas no son permitidas."}}},
      {"EA3AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA3AAA 599 B JN11AA EA3BBB 599 XX JN01AA",
       {{{"SIGLAS: XX"}, ".- ERROR 30: Las SIGLAS recibidas no son permitidas."}}},
  });
}

TEST_F(ReglasConcurso, SprintDceReferenciaEnviadaPorTipoDeEstacion) {
  Concurso("SPRINT DCE 1.0", true);
  const Bloque dos_cifras{{"CONTROL ENVIADO: CXX-01", "Tipo Estación: EXPEDITION"},
                          ".- ERROR 30: La REFERENCIA enviada no es correcta."};
  CompruebaCasos({
      {"EA1AAA", "SINGLE-OP", "EXPEDITION", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 CSE-001 5 EA2BBB 599 - 1", {}},
      {"EA1AAA",
       "SINGLE-OP",
       "EXPEDITION",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 CSE-01 5 EA2BBB 599 - 1",
       {{{"CONTROL ENVIADO: CSE-01", "Tipo Estación: EXPEDITION"},
         ".- ERROR 30: La REFERENCIA enviada no es correcta."}}},
      // Two digits and an unknown province: the same block twice.
      {"EA1AAA",
       "SINGLE-OP",
       "EXPEDITION",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 CXX-01 5 EA2BBB 599 - 1",
       {dos_cifras, dos_cifras}},
      {"EA1AAA", "SINGLE-OP", "FIXED", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 - 1 EA2BBB 599 - 1", {}},
      {"EA1AAA",
       "SINGLE-OP",
       "FIXED",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 CSE-001 1 EA2BBB 599 - 1",
       {{{"CONTROL ENVIADO: CSE-001", "Tipo Estación: FIXED"}, ".- ERROR 30: La REFERENCIA enviada no es correcta."}}},
  });
}

TEST_F(ReglasConcurso, SprintDceLaMismaReferenciaYLosMismosPuntosEnTodoElLog) {
  Concurso("SPRINT DCE 1.0", true);
  const std::string r = " EA2BBB 599 - 1";
  CompruebaLog({
      {"EA1AAA", "SINGLE-OP", "FIXED", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 - 1" + r, {}},
      {"EA1AAA",
       "SINGLE-OP",
       "FIXED",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 CSE-001 1" + r,
       {{{"CONTROL ENVIADO: CSE-001", "Tipo Estación: FIXED"}, ".- ERROR 30: La REFERENCIA enviada no es correcta."},
        {{"CONTROL ENVIADO: CSE-001", "Tipo Estación: FIXED"},
         ".- ERROR 35: NO se envía la misma REFERENCIA en TODOS los CONTACTOS."}}},
  });
  CompruebaLog({
      {"EA1AAA", "SINGLE-OP", "EXPEDITION", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 CSE-001 5" + r, {}},
      {"EA1AAA",
       "SINGLE-OP",
       "EXPEDITION",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 CSE-001 10" + r,
       {{{"PUNTOS: 10"}, ".- ERROR 34: NO se envían los mismos puntos en TODOS los CONTACTOS."}}},
      {"EA1AAA", "SINGLE-OP", "EXPEDITION", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 CSE-001 5" + r, {}},
  });
  // A points token that is not a number leaves the log's points unset.
  CompruebaLog({
      {"EA1AAA",
       "SINGLE-OP",
       "FIXED",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 - X" + r,
       {{{"PUNTOS: X", "Tipo Estación: FIXED"}, ".- ERROR 32: Los PUNTOS ENVIADOS no son correctos."}}},
      {"EA1AAA", "SINGLE-OP", "FIXED", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 - 1" + r, {}},
  });
}

TEST_F(ReglasConcurso, SprintDcePuntosEnviadosPorTipoDeEstacion) {
  Concurso("SPRINT DCE 1.0", true);
  const std::string r = " EA2BBB 599 - 1";
  CompruebaCasos({
      {"EA1AAA", "SINGLE-OP", "FIXED", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 - 1" + r, {}},
      {"EA1AAA", "SINGLE-OP", "EXPEDITION", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 CSE-001 10" + r, {}},
      {"EA1AAA",
       "SINGLE-OP",
       "FIXED",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 - 5" + r,
       {{{"PUNTOS: 5", "Tipo Estación: FIXED"}, ".- ERROR 32: Los PUNTOS ENVIADOS no son correctos."}}},
      {"EA1AAA",
       "SINGLE-OP",
       "EXPEDITION",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 CSE-001 1" + r,
       {{{"PUNTOS: 1", "Tipo Estación: EXPEDITION"}, ".- ERROR 32: Los PUNTOS ENVIADOS no son correctos."}}},
      // A number beyond what a points value holds is a wrong points value.
      {"EA1AAA",
       "SINGLE-OP",
       "FIXED",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 - 65537" + r,
       {{{"PUNTOS: 65537", "Tipo Estación: FIXED"}, ".- ERROR 32: Los PUNTOS ENVIADOS no son correctos."}}},
  });
}

TEST_F(ReglasConcurso, SprintDceReferenciaYPuntosRecibidos) {
  Concurso("SPRINT DCE 1.0", true);
  const std::string p = "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 - 1 EA2BBB 599 ";
  const Bloque mal{{"CONTROL RECIBIDO: CXX-01", "Tipo Estación: FIXED"},
                   ".- ERROR 30: La REFERENCIA recibida no es correcta."};
  CompruebaCasos({
      {"EA1AAA", "SINGLE-OP", "FIXED", p + "- 1", {}},
      {"EA1AAA", "SINGLE-OP", "FIXED", p + "CSE-001 10", {}},
      {"EA1AAA", "SINGLE-OP", "FIXED", p + "CSE-001 5", {}},
      {"EA1AAA", "SINGLE-OP", "FIXED", p + "CXX-01 5", {mal, mal}},
      {"EA1AAA",
       "SINGLE-OP",
       "FIXED",
       p + "CSE-001 1",
       {{{"PUNTOS RECIBIDOS: 1", "Tipo Estación: FIXED"}, ".- ERROR 33: Los PUNTOS RECIBIDOS no son correctos."}}},
      {"EA1AAA",
       "SINGLE-OP",
       "FIXED",
       p + "- 5",
       {{{"PUNTOS RECIBIDOS: 5", "Tipo Estación: FIXED"}, ".- ERROR 33: Los PUNTOS RECIBIDOS no son correctos."}}},
  });
}

TEST_F(ReglasConcurso, DiplomaMunicipioRecibido) {
  Concurso("ZEDAZIV OZIRUDUZ UV ERAZUDOZO");
  datos_.EnviarSiglas = false;  // the sent code is any text
  CompruebaCasos({
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 39075 EA1BBB 599 39075", {}},
      {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 39075 EA1BBB 599 -", {}},
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 39075 EA1BBB 599 28079",
       {{{"DME: 28079"}, ".- ERROR 30: El DME recibido no es válido."}}},
      // A QSO without a municipality is refused.
      {"EA1AAA",
       "SINGLE-OP",
       "",
       "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 39075 EA1BBB 599",
       {{{"DME: "}, ".- ERROR 30: El DME recibido no es válido."}}},
  });
}

// Through the QSO stage of the validation: what spans the lines of a log
// starts afresh with every log.
TEST_F(ReglasConcurso, CadaLogEmpiezaSinSiglasNiReferenciaNiPuntos) {
  auto valida = [&](const std::vector<std::string>& lineas) {
    ProgresoSimple progreso;
    EXPECT_TRUE(informe_.Crea(carpeta_.Ruta(), "05-03-2026", ""));
    const EntornoValidacion entorno{datos_, categorias_, informe_, cabecera_, paises_.get()};
    const bool aceptado = VerificaLineasQso(progreso, lineas, entorno);
    informe_.Cierra();
    return aceptado;
  };
  auto cabecera = [&](const std::string& estacion) {
    cabecera_.Limpia();
    cabecera_.LineaCallsign = "CALLSIGN: EA1AAA";
    cabecera_.IndicativoParticipante = "EA1AAA";
    cabecera_.LineaCategoryOperator = "CATEGORY-OPERATOR: SINGLE-OP";
    cabecera_.LineaCategoryStation = "CATEGORY-STATION: " + estacion;
  };
  const std::string p = "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 ";

  Concurso("XYL TEST");
  cabecera("FIXED");
  EXPECT_FALSE(valida({"START-OF-LOG: 3.0", p + "YL EA2BBB 599 OM", p + "OM EA2BBB 599 OM", "END-OF-LOG:"}));
  EXPECT_TRUE(valida({"START-OF-LOG: 3.0", p + "OM EA2BBB 599 OM", p + "OM EA2BBB 599 YL", "END-OF-LOG:"}));

  Concurso("SPRINT DCE 1.0", true);
  cabecera("EXPEDITION");
  EXPECT_TRUE(valida({"START-OF-LOG: 3.0", p + "CSE-001 5 EA2BBB 599 - 1", "END-OF-LOG:"}));
  EXPECT_TRUE(valida({"START-OF-LOG: 3.0", p + "CB-002 10 EA2BBB 599 - 1", "END-OF-LOG:"}));

  Concurso("ZEDAZIV OZIRUDUZ UV ERAZUDOZO");
  datos_.EnviarSiglas = false;
  cabecera("FIXED");
  EXPECT_TRUE(valida({"START-OF-LOG: 3.0", p + "39075 EA2BBB 599 39087", p + "39075 EA2BBB 599 -", "END-OF-LOG:"}));
  EXPECT_FALSE(valida({"START-OF-LOG: 3.0", p + "39075 EA2BBB 599 39087", p + "39075 EA2BBB 599", "END-OF-LOG:"}));
}

TEST_F(ReglasConcurso, OtroConcursoSigueLasReglasPorDefecto) {
  Concurso("CONCURSO PRUEBA");
  CompruebaCasos({
      {"F1AAA", "VG-MONO-PH", "EXPEDITION", "QSO: 14025 CW 2026-03-01 1000 F1AAA 599 M F2BBB 599 SE", {}},
      {"F1AAA",
       "VG-MONO-PH",
       "",
       "QSO: 14025 CW 2026-03-01 1000 F1AAA 599 YL F2BBB 599 SE",
       {{{"SIGLAS: YL"}, kSiglasEnviadas}}},
  });
}

}  // namespace
}  // namespace cabrillo

namespace cabrillo {
namespace {

// A participant's line is untrusted: odd calls and exchange tokens (slashes
// alone, a lone "E", non-ASCII letters, control characters, very long
// tokens) under every contest with rules of its own end with blocks or an
// acceptance, never a crash.
TEST_F(ReglasConcurso, TokensExtranosEnCadaConcursoConReglas) {
  const std::vector<std::string> tokens = {"",
                                           "/",
                                           "//",
                                           "E",
                                           "E/7",
                                           "EA7/",
                                           "/EA7ABC",
                                           "C",
                                           "C-",
                                           "CT",
                                           "VG",
                                           "VG-",
                                           "-",
                                           "ÑÑ7Ñ",
                                           "\x01\x7F",
                                           "99999999",
                                           "-5",
                                           "1E5",
                                           "5.5",
                                           std::string(5000, '7'),
                                           std::string(3000, '/')};
  const std::vector<std::string> operadores = {"SINGLE-OP", "GENERAL", "FARO", "GENERAL-NO-EA", "VG-MONO-LP-PH", ""};
  std::size_t lineas = 0;
  for (const char* concurso :
       {"NARANJA", "VGE SPRINT", "A1A CLUB", "XYL TEST", "URS RTTY", "SPRINT ANDALUCIA", "CONCURSO DIE",
        "COMARCAS CATALANAS", "SPRINT DCE 1.0", "ZEDAZIV OZIRUDUZ UV ERAZUDOZO"}) {
    Concurso(concurso, true);
    for (const std::string& t : tokens) {
      for (const std::string& o : operadores) {
        memoria_ = MemoriaLog{};
        const Caso caso{t.empty() ? "EA7ABC" : t,
                        o,
                        o.empty() ? "" : "EXPEDITION",
                        "QSO: 14025 CW 2026-03-01 1000 " + t + " 599 " + t + " " + t + " " + t + " 599 " + t + " " + t,
                        {}};
        Informe(caso);
        ++lineas;
      }
    }
  }
  EXPECT_EQ(lineas, 10u * 21u * 6u);
}

// The country lookup tries every leading part of a call: a token far longer
// than any callsign is no station and is not looked up, so a line with a
// 2 MB call is reported at once.
TEST_F(ReglasConcurso, UnTokenMasLargoQueUnIndicativoNoEsUnaEstacion) {
  Concurso("NARANJA");
  const std::string largo(2 * 1024 * 1024, 'E');
  memoria_ = MemoriaLog{};
  const std::string informe =
      Informe({"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 " + largo + " 599 M " + largo + " 599 M", {}});
  EXPECT_EQ(prueba::NumerosDeError(informe), (std::vector<int>{40, 41, 23}));
  EXPECT_NE(informe.find("\r\nPAÍS CONCURSANTE: \r\n.- ERROR 40: "), std::string::npos);
  EXPECT_NE(informe.find("\r\nPAÍS CONTACTO: \r\n.- ERROR 41: "), std::string::npos);

  Concurso("COMARCAS CATALANAS");
  memoria_ = MemoriaLog{};
  // A worked station with no country sends RST and one token, here its
  // locator; its letters read "-".
  EXPECT_EQ(
      prueba::NumerosDeError(Informe(
          {"EA1AAA", "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 EA1AAA 599 M JN11AA " + largo + " 599 M", {}})),
      std::vector<int>{});

  // Up to 64 characters a call is still looked up.
  Concurso("NARANJA");
  for (const std::size_t n : {64u, 65u}) {
    const std::string indicativo = "EA1" + std::string(n - 3, 'A');
    memoria_ = MemoriaLog{};
    const std::vector<int> esperados = n == 64 ? std::vector<int>{} : std::vector<int>{40};
    EXPECT_EQ(
        prueba::NumerosDeError(Informe(
            {indicativo, "SINGLE-OP", "", "QSO: 14025 CW 2026-03-01 1000 " + indicativo + " 599 M EA2BBB 599 M", {}})),
        esperados)
        << n;
  }
}

// The countries kept for a log answer as a lookup does, for a call seen
// again and for calls beyond the number it keeps; a failed lookup (no
// countries database) is never kept.
TEST(MemoriaPaises, RespondeComoLaConsulta) {
  const std::unique_ptr<TablasPaises> paises = Paises();
  const std::string largo(kLongitudMaximaIndicativo + 1, 'E');
  const std::vector<std::string> fijos = {"EA1ABC", "EA8XY", "CT3AB", "CT1AB", "C31XX",
                                          "F5ABC",  "K1ABC", "",      largo,   "EA8/F5ABC/P"};
  MemoriaPaises memoria;
  for (int vuelta = 0; vuelta < 2; ++vuelta) {
    for (int i = 0; i < 5000; ++i) {
      const std::string unico = (i % 2 ? "EA" : "CT") + std::to_string(i) + "X";
      for (const std::string& indicativo : {fijos[static_cast<std::size_t>(i) % fijos.size()], unico})
        ASSERT_EQ(memoria.Pais(paises.get(), indicativo), PaisDeIndicativo(paises.get(), indicativo))
            << indicativo << " " << vuelta;
    }
  }
  MemoriaPaises sin_tablas;
  EXPECT_THROW(sin_tablas.Pais(nullptr, "EA1ABC"), ErrorPaises);
  EXPECT_EQ(sin_tablas.Pais(paises.get(), "EA1ABC"), "EA");
}

}  // namespace
}  // namespace cabrillo

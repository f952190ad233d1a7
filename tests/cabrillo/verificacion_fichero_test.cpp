// The validation of whole logs against the test contest: golden error
// reports and accepted copies, the stages and the stop at the sixth faulty
// QSO line, and hostile files.
#include "cabrillo/verificacion_fichero.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "cabrillo/lista_valida.h"
#include "cabrillo/prueba_validacion.h"
#include "common/progreso_etapa.h"
#include "plataforma/texto.h"
#include "plataforma/errores.h"
#include "soporte/carpeta_temporal.h"
#include "soporte/concurso_prueba.h"

namespace cabrillo {
namespace {

const std::string kDatos = std::string(TROVALIS_DATOS_PRUEBA) + "/cabrillo/validacion/";

std::string LeeDato(const std::string& nombre) {
  std::string bytes;
  std::FILE* f = std::fopen((kDatos + nombre).c_str(), "rb");
  if (!f) return "<falta " + nombre + ">";
  char trozo[4096];
  std::size_t n;
  while ((n = std::fread(trozo, 1, sizeof trozo, f)) > 0) bytes.append(trozo, n);
  std::fclose(f);
  return bytes;
}

// A working folder with the contest folder, the error report of one log
// opened as the mail intake opens it, and the test contest.
class Validacion : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta_.CreaCarpeta("CONCURSO PRUEBA_2026/FicherosRecibidos");
    carpeta_.CreaCarpeta("CONCURSO PRUEBA_2026/ListasValidas");
    cabecera_.Limpia();
  }
  void TearDown() override { informe_.Cierra(); }

  std::string Concurso() const { return carpeta_.En("CONCURSO PRUEBA_2026"); }

  // Validates the bytes as the received file `nombre`; the report is closed
  // and its bytes are left in `informe`.
  bool Valida(const std::string& nombre, const std::string& bytes) {
    carpeta_.EscribeBytes("CONCURSO PRUEBA_2026/FicherosRecibidos/" + nombre, bytes);
    EXPECT_TRUE(CreaFicheroErrores(correo_, informe_, carpeta_.Ruta()));
    informe_.EscribeAdjunto(nombre);
    const EntornoValidacion entorno{datos_, categorias_, informe_, cabecera_, nullptr};
    resultado_ = VerificaFicheroCabrillo(progreso_, Concurso(), nombre, entorno);
    informe_.Cierra();
    informe = carpeta_.LeeBytes("FicheroErrores.ERR");
    return resultado_.Aceptada;
  }

  const std::vector<std::string>& Lista() const { return resultado_.Lineas; }

  soporte::CarpetaTemporal carpeta_;
  const DatosCorreoEnCurso correo_{"2026/03/05 10:22", "Lista qq1abc"};
  ProgresoSimple progreso_;
  ResultadoVerificacion resultado_;
  DatosConcursoLog datos_ = soporte::ConcursoPrueba();
  CategoriasAdmitidas categorias_ = soporte::CategoriasPrueba(datos_);
  FicheroErrores informe_;
  CabeceraLog cabecera_;
  std::string informe;
};

struct CasoDorado {
  const char* caso;
  const char* adjunto;
  bool aceptado;
  bool copia_valida;  // an expected accepted copy (.VAL) exists
};

void PrintTo(const CasoDorado& c, std::ostream* os) { *os << c.caso; }

class InformesDorados : public Validacion, public ::testing::WithParamInterface<CasoDorado> {};

TEST_P(InformesDorados, InformeYCopiaAceptadaIgualesALosFicherosDeReferencia) {
  const CasoDorado& c = GetParam();
  const bool aceptado = Valida(c.adjunto, LeeDato(std::string(c.caso) + ".LOG"));
  EXPECT_EQ(aceptado, c.aceptado);
  EXPECT_EQ(informe, LeeDato(std::string(c.caso) + ".ERR"));
  if (aceptado) {
    ASSERT_TRUE(GeneraListaValida(progreso_, Concurso(), c.adjunto, Lista()));
    if (c.copia_valida) {
      EXPECT_EQ(carpeta_.LeeBytes(std::string("CONCURSO PRUEBA_2026/ListasValidas/") + c.adjunto),
                LeeDato(std::string(c.caso) + ".VAL"));
    }
  }
  EXPECT_EQ(resultado_.NombreFichero, c.adjunto);
}

INSTANTIATE_TEST_SUITE_P(Cabrillo, InformesDorados,
                         ::testing::Values(CasoDorado{"v3_correcto", "QQ1ABC.LOG", true, true},
                                           CasoDorado{"v2_correcto", "QQ1ABC.LOG", true, false},
                                           CasoDorado{"fin_lf", "QQ1ABC.LOG", true, true},
                                           CasoDorado{"banda_14349", "QQ1ABC.LOG", true, false},
                                           CasoDorado{"rst_5nn_cw", "QQ1ABC.LOG", true, false},
                                           CasoDorado{"sin_fin", "QQ1ABC.LOG", false, false},
                                           CasoDorado{"version_1", "QQ1ABC.LOG", false, false},
                                           CasoDorado{"sin_callsign", "QQ1ABC.LOG", false, false},
                                           CasoDorado{"nombre_distinto", "QQ9XYZ.LOG", false, false},
                                           CasoDorado{"categoria_no_admitida", "QQ1ABC.LOG", false, false},
                                           CasoDorado{"banda_14500", "QQ1ABC.LOG", false, false},
                                           CasoDorado{"fecha_hora", "QQ1ABC.LOG", false, false},
                                           CasoDorado{"numeral_00001", "QQ1ABC.LOG", false, false},
                                           CasoDorado{"siete_erroneas", "QQ1ABC.LOG", false, false}),
                         [](const ::testing::TestParamInfo<CasoDorado>& i) { return std::string(i.param.caso); });

}  // namespace
}  // namespace cabrillo

namespace cabrillo {
namespace {

using prueba::NumerosDeError;
using V = std::vector<int>;

const char* const kCabecera =
    "START-OF-LOG: 3.0\r\nCALLSIGN: QQ1ABC\r\nCONTEST: CONCURSO PRUEBA\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n"
    "CATEGORY-BAND: 20M\r\nCATEGORY-MODE: CW\r\nCATEGORY-POWER: LOW\r\n";

std::string Qso(int n, const char* hora = "1000") {
  return "QSO: 14025 CW 2026-03-01 " + std::string(hora) + " QQ1ABC 599 " + std::to_string(n % 10000) +
         " QQ2XYZ 599 001\r\n";
}

class Etapas : public Validacion {
 protected:
  V Errores(const std::string& bytes, bool aceptado_esperado) {
    EXPECT_EQ(Valida("QQ1ABC.LOG", bytes), aceptado_esperado);
    return NumerosDeError(informe);
  }
};

TEST_F(Etapas, EnmarcadoYVersion) {
  const std::string cuerpo = std::string(kCabecera).substr(std::string("START-OF-LOG: 3.0\r\n").size()) + Qso(1);
  EXPECT_EQ(Errores("", false), V{4});
  EXPECT_NE(informe.find("no finaliza con END-OF-LOG:"), std::string::npos);
  EXPECT_EQ(Errores(cuerpo, false), V{4});  // neither framing line: only the end is reported
  EXPECT_NE(informe.find("no finaliza con END-OF-LOG:"), std::string::npos);
  EXPECT_EQ(Errores("start-of-log: 3.0\r\n" + cuerpo + "END-OF-LOG:\r\n", false), V{4});
  EXPECT_NE(informe.find("no comienza con START-OF-LOG: versi\xF3n."), std::string::npos);
  EXPECT_EQ(Errores("START-OF-LOG: 2\r\n" + cuerpo + "END-OF-LOG:\r\n", false), V{5});
  EXPECT_EQ(Errores("START-OF-LOG:   3.0   \r\n" + cuerpo + "   END-OF-LOG:   \r\nmas texto\r\n", true), V{});
  EXPECT_EQ(Lista().back(), "   END-OF-LOG:   ");
  // Lines ended by a lone CR read the same.
  std::string cr = std::string(kCabecera) + Qso(1) + "END-OF-LOG:";
  for (char& c : cr)
    if (c == '\n') c = '\r';
  std::string sin_lf;
  for (std::size_t i = 0; i < cr.size(); ++i)
    if (!(cr[i] == '\r' && i + 1 < cr.size() && cr[i + 1] == '\r')) sin_lf += cr[i];
  EXPECT_EQ(Errores(sin_lf, true), V{});
  EXPECT_EQ(Lista().size(), 9u);
}

TEST_F(Etapas, CadaEtapaSoloSiPasaronLasAnteriores) {
  EXPECT_EQ(Errores("START-OF-LOG: 3.0\r\nCATEGORY-BAND: 99M\r\n" + Qso(1, "9999") + "END-OF-LOG:\r\n", false),
            (V{6, 8, 9}));
  std::string categoria = kCabecera;
  categoria.replace(categoria.find("POWER: LOW"), 10, "POWER: HIGH");
  EXPECT_EQ(Errores(categoria + Qso(1, "9999") + "END-OF-LOG:\r\n", false), V{13});
  // A log without QSO lines passes the QSO stage.
  EXPECT_EQ(Errores(std::string(kCabecera) + "END-OF-LOG:\r\n", true), V{});
  // A listener log passes without any QSO-line check.
  std::string swl = kCabecera;
  swl.replace(swl.find("OPERATOR: SINGLE-OP"), 19, "OPERATOR: SWL");
  EXPECT_EQ(Errores(swl + Qso(1, "9999") + "basura\r\nEND-OF-LOG:\r\n", true), V{});
  EXPECT_EQ(cabecera_.MarcaSwl, "SWL");
}

TEST_F(Etapas, LineasQsoErroneasHastaLaSexta) {
  std::string log = kCabecera;
  for (int i = 1; i <= 5; ++i) log += Qso(i, "1060");
  EXPECT_EQ(Errores(log + "END-OF-LOG:\r\n", false), V(5, 22));
  EXPECT_EQ(informe.find("Se suspende"), std::string::npos);
  // Anything between the first QSO line and the end is a QSO line: a
  // comment there is the sixth faulty line.
  EXPECT_EQ(Errores(log + "; comentario\r\nEND-OF-LOG:\r\n", false), (V{22, 22, 22, 22, 22, 43, 32}));
  const std::string fin =
      "Se han detectado estos primeros ERRORES en la l\xEDnea de QSO\r\nPuede haber m\xE1s QSO err\xF3neos\r\n"
      ".- ERROR 32: Se suspende el AN\xC1LISIS del fichero por demasiados errores\r\n";
  EXPECT_EQ(informe.substr(informe.size() - fin.size()), fin);
  // Lines before the first QSO line are never QSO lines.
  EXPECT_EQ(Errores(std::string(kCabecera) + "; comentario\r\n\r\n" + Qso(1) + "END-OF-LOG:\r\n", true), V{});
  EXPECT_EQ(progreso_.porcentaje, 100 * 9 / 11);
}

// Hostile files: each ends in a report or an acceptance.
TEST_F(Etapas, FicherosHostiles) {
  // Binary garbage, NUL bytes included.
  std::string basura;
  std::uint32_t x = 12345;
  for (int i = 0; i < 65536; ++i) {
    x = x * 1103515245u + 12345u;
    basura += static_cast<char>(x >> 24);
  }
  EXPECT_EQ(Errores(basura, false), V{4});

  // One line of 2 MB; and a 2 MB QSO line inside a log.
  const std::string larga(2 * 1024 * 1024, 'A');
  EXPECT_EQ(Errores("START-OF-LOG: 3.0 " + larga, false), V{4});
  EXPECT_EQ(Errores(std::string(kCabecera) + "QSO: " + larga + "\r\nEND-OF-LOG:\r\n", false), (V{19, 37, 20, 36, 21}));
  std::string blancos = std::string(kCabecera) + "QSO:" + std::string(2 * 1024 * 1024, ' ') + "\r\nEND-OF-LOG:\r\n";
  EXPECT_EQ(Errores(blancos, false), (V{19, 37, 20, 36, 21}));

  // UTF-16 with a byte-order mark.
  const std::string texto = std::string(kCabecera) + Qso(1) + "END-OF-LOG:\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : texto) {
    utf16 += c;
    utf16 += '\0';
  }
  EXPECT_EQ(Errores(utf16, false), V{4});

  // Header lines with no value.
  EXPECT_EQ(Errores("START-OF-LOG:\r\nEND-OF-LOG:\r\n", false), V{5});
  EXPECT_EQ(Errores("START-OF-LOG: 3.0\r\nCALLSIGN:\r\nCONTEST:\r\nCATEGORY-OPERATOR:\r\nEND-OF-LOG:\r\n", false),
            V{34});
  EXPECT_EQ(Errores("START-OF-LOG: 3.0\r\nCALLSIGN: QQ1ABC\r\nCONTEST:\r\nCATEGORY-OPERATOR:\r\nCATEGORY-BAND:\r\n"
                    "CATEGORY-MODE:\r\nCATEGORY-POWER:\r\nEND-OF-LOG:\r\n",
                    false),
            (V{10, 12, 13}));

  // A line of 300 tokens: the tokens after the exchange are not read.
  std::string muchos = "QSO: 14025 CW 2026-03-01 1000 QQ1ABC 599 001 QQ2XYZ 599 001";
  for (int i = 0; i < 290; ++i) muchos += " T" + std::to_string(i);
  EXPECT_EQ(Errores(std::string(kCabecera) + muchos + "\r\nEND-OF-LOG:\r\n", true), V{});

  // 100,000 QSO lines, all correct, then all faulty.
  std::string grande = kCabecera;
  for (int i = 0; i < 100000; ++i) grande += Qso(i + 1);
  EXPECT_EQ(Errores(grande + "END-OF-LOG:\r\n", true), V{});
  EXPECT_EQ(Lista().size(), 100008u);
  std::string mala = kCabecera;
  for (int i = 0; i < 100000; ++i) mala += Qso(i + 1, "2460");
  V seis(12, 22);
  seis.push_back(32);
  EXPECT_EQ(Errores(mala + "END-OF-LOG:\r\n", false), seis);
}

// The lines of the result end at "END-OF-LOG:", whatever follows it in the
// file; validated again, the same log gives the same answer, report and
// lines, and its accepted copy is those lines.
TEST_F(Etapas, LasLineasDelResultadoLleganHastaElFinYSonLaCopiaAceptada) {
  for (const char* caso : {"v3_correcto", "siete_erroneas", "fin_lf"}) {
    const std::string bytes = LeeDato(std::string(caso) + ".LOG") + "QSO: tras el fin\r\n";
    const bool primera = Valida("QQ1ABC.LOG", bytes);
    const std::string informe_primera = informe;
    const std::vector<std::string> lineas = Lista();
    EXPECT_EQ(lineas.back(), "END-OF-LOG:") << caso;  // nothing after the end is taken
    ASSERT_TRUE(GeneraListaValida(progreso_, Concurso(), "QQ1ABC.LOG", Lista()));
    std::string esperada;
    for (const std::string& l : lineas) esperada += plataforma::AWindows1252(l) + "\r\n";
    EXPECT_EQ(carpeta_.LeeBytes("CONCURSO PRUEBA_2026/ListasValidas/QQ1ABC.LOG"), esperada) << caso;

    cabecera_.Limpia();
    EXPECT_EQ(Valida("QQ1ABC.LOG", bytes), primera) << caso;
    EXPECT_EQ(informe, informe_primera) << caso;
    EXPECT_EQ(Lista(), lineas) << caso;
    cabecera_.Limpia();
  }
}

TEST_F(Etapas, FicheroQueNoSePuedeLeer) {
  ASSERT_TRUE(CreaFicheroErrores(correo_, informe_, carpeta_.Ruta()));
  const EntornoValidacion entorno{datos_, categorias_, informe_, cabecera_, nullptr};
  EXPECT_THROW(VerificaFicheroCabrillo(progreso_, Concurso(), "NOEXISTE.LOG", entorno), plataforma::ErrorFichero);
}

}  // namespace
}  // namespace cabrillo

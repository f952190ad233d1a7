// The cross-check run over a generated contest of 200 logs (real calls,
// some the left part of others, faults of every kind): the indexed engine
// and the line-by-line reference must leave the same files, byte for byte,
// and the same lists of the edition, under each set of annulment options. The generator itself is checked
// too: one seed gives one contest, and the validation refuses only the logs
// it meant to be refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "cabrillo/cabecera_log.h"
#include "cabrillo/categorias_admitidas.h"
#include "cabrillo/entorno_validacion.h"
#include "cabrillo/fichero_errores.h"
#include "cabrillo/lectura_concurso.h"
#include "cabrillo/verificacion_fichero.h"
#include "common/edicion_concurso.h"
#include "common/progreso_etapa.h"
#include "database/estado.h"
#include "generador/concurso_sintetico.h"
#include "plataforma/texto.h"
#include "scoring/cruce_listas.h"

namespace scoring {
namespace {

namespace fs = std::filesystem;

// Faults far more often than in a real contest, so that 200 short logs
// bring every annulment code the options can give.
generador::ParametrosConcurso Parametros(std::uint32_t semilla = 33) {
  generador::ParametrosConcurso p;
  p.Logs = 200;
  p.QsosPorLog = 30;
  p.Semilla = semilla;
  generador::TasasFallos& t = p.Tasas;
  t.SinLista = 0.1;
  t.Control = 0.03;
  t.Portable = 0.1;
  t.PortableOlvidado = 0.3;
  t.FechaInvalida = 0.05;
  t.IndicativoErroneo = 0.03;
  t.BandaCambiada = t.ModoCambiado = t.RelojDesviado = t.RstDistinto = t.NumeroDistinto = 0.02;
  t.Repetido = 0.03;
  // Calls that begin other calls (OZ1A and OZ1AAR): a station's presence in
  // the other logs must not be found inside the longer call.
  p.IndicativosContenidos = 0.1;
  return p;
}

std::vector<std::string> Indicativos() {
  std::vector<std::string> v = generador::LeeIndicativos(generador::kMasterScp);
  EXPECT_GT(v.size(), 10000u) << "Falta " << generador::kMasterScp << " (paquete hamradio-files)";
  return v;
}

// Every file under a folder, by its path inside it.
std::map<std::string, std::string> Ficheros(const std::string& raiz) {
  std::map<std::string, std::string> f;
  for (const auto& e : fs::recursive_directory_iterator(raiz)) {
    if (!e.is_regular_file()) continue;
    std::string bytes;
    plataforma::LeerBytes(e.path().string(), bytes);
    f[fs::relative(e.path(), raiz).string()] = std::move(bytes);
  }
  return f;
}

// What one run leaves: the files of the edition and of the working folder,
// the edition's lists and the last crossed log as the run told it.
struct Resultado {
  std::map<std::string, std::string> ficheros;
  std::map<std::string, std::vector<std::string>> listas;
};

Resultado Cruza(generador::ConcursoSintetico& c, MetodoCruce metodo, const OpcionesAnulacion& op) {
  EdicionConcurso edicion(c.Carpeta(), std::string(generador::kNombreConcurso));
  edicion.Lee(ListaEdicion::Validas);
  ProgresoSimple progreso;
  ConcursoCruce concurso;
  concurso.Base = &c.Base();
  concurso.NumeroOrden = generador::kNumeroConcurso;
  concurso.Paises = c.Paises();
  Resultado r;
  CruzaListas(
      edicion, progreso, concurso, [&] { return op; }, metodo,
      [&r](const std::string&, const std::vector<std::string>& lineas) { r.listas["UltimaCruzada"] = lineas; });
  r.ficheros = Ficheros(c.Carpeta());
  for (const auto& [nombre, bytes] : Ficheros(c.Trabajo())) r.ficheros["trabajo/" + nombre] = bytes;
  const std::pair<const char*, ListaEdicion> listas[] = {
      {"Validas", ListaEdicion::Validas},
      {"Cruzadas", ListaEdicion::Cruzadas},
      {"QsoAnulados", ListaEdicion::QsoAnulados},
      {"Puntuaciones", ListaEdicion::Puntuaciones},
      {"NoEnviadasPorIndicativo", ListaEdicion::NoEnviadasPorIndicativo},
      {"NoEnviadasPorNumero", ListaEdicion::NoEnviadasPorNumero},
      {"DeControl", ListaEdicion::DeControl},
  };
  for (const auto& [nombre, lista] : listas) r.listas[nombre] = edicion.Lista(lista);
  return r;
}

// The marks the run left at the head of the crossed logs' lines.
std::set<std::string> Marcas(const Resultado& r) {
  std::set<std::string> marcas;
  for (const auto& [nombre, bytes] : r.ficheros) {
    if (!nombre.starts_with("ListasCruzadas/")) continue;
    std::size_t i = 0;
    while (i < bytes.size()) {
      const std::size_t fin = bytes.find('\n', i);
      const std::string_view linea(bytes.data() + i, (fin == std::string::npos ? bytes.size() : fin) - i);
      if (linea.size() > 6 && linea[5] == ':' && (linea.starts_with("NUL") || linea.starts_with("DUP")))
        marcas.insert(std::string(linea.substr(0, 5)));
      i = fin == std::string::npos ? bytes.size() : fin + 1;
    }
  }
  return marcas;
}

struct CasoOpciones {
  const char* nombre;
  OpcionesAnulacion opciones;
  std::set<std::string> marcas;  // marks the generated faults must bring under these options
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const CasoOpciones& caso, std::ostream* os) { *os << caso.nombre; }

std::vector<CasoOpciones> Casos() {
  std::vector<CasoOpciones> casos;
  {
    // Every mismatch annuls; a station without log must figure in 3 logs.
    OpcionesAnulacion o;
    o.AnularQSOSiNoEstaEN = true;
    o.NumeroListas = "3";
    o.AnularPorBandaDistinta = o.AnularPorModoDistinto = o.AnularPorNoExistir = true;
    o.AnularPorControlesDistintos = o.AnularPorFecha = o.AnularPorFechaDistinta = o.AnularPorRstDistinto = true;
    casos.push_back(
        {"cuidadoso", o, {"DUP00", "NUL06", "NUL07", "NUL08", "NUL10", "NUL14", "NUL15", "NUL16", "NUL17"}});
  }
  {
    // No log annuls at once; portable parts compared; fewer than 2 logs.
    OpcionesAnulacion o;
    o.AnularQSO = o.AnularDos = o.AnularPorPortableDistinto = true;
    o.AnularPorNoExistir = o.AnularPorControlesDistintos = true;
    casos.push_back({"portables", o, {"DUP00", "NUL01", "NUL06", "NUL08", "NUL14", "NUL19"}});
  }
  {
    // The count rules, with and without log; nothing else but the date.
    OpcionesAnulacion o;
    o.AnularDos = true;
    o.AnularPorFechaDistinta = true;
    casos.push_back({"cuentas", o, {"DUP00", "NUL02", "NUL06", "NUL08", "NUL15"}});
  }
  return casos;
}

class CruceGenerado : public ::testing::TestWithParam<CasoOpciones> {};

TEST_P(CruceGenerado, ElMotorIndexadoDejaLosMismosFicherosQueLaLecturaLiteral) {
  const CasoOpciones& caso = GetParam();
  const std::vector<std::string> indicativos = Indicativos();
  ASSERT_FALSE(indicativos.empty());
  generador::ConcursoSintetico c(Parametros(), indicativos, "ListasValidas");
  const Resultado indexado = Cruza(c, MetodoCruce::Indexado, caso.opciones);
  const Resultado literal = Cruza(c, MetodoCruce::Literal, caso.opciones);

  // The comparison means something only when the faults were crossed and
  // calls that begin other calls sent logs.
  std::size_t contenidos = 0;
  for (const std::string& corto : c.Resumen().Ficheros)
    for (const std::string& largo : c.Resumen().Ficheros)
      contenidos += largo.size() > corto.size() && largo.starts_with(corto.substr(0, corto.size() - 4));
  EXPECT_GE(contenidos, 5u);
  const std::set<std::string> marcas = Marcas(indexado);
  for (const std::string& m : caso.marcas) EXPECT_TRUE(marcas.count(m)) << "ninguna línea " << m;
  EXPECT_GT(indexado.listas.at("Cruzadas").size(), 150u);

  ASSERT_EQ(indexado.ficheros.size(), literal.ficheros.size());
  for (const auto& [nombre, bytes] : indexado.ficheros) {
    const auto otro = literal.ficheros.find(nombre);
    ASSERT_NE(otro, literal.ficheros.end()) << nombre;
    EXPECT_TRUE(bytes == otro->second) << nombre << " difiere";
  }
  EXPECT_EQ(indexado.listas, literal.listas);
}

INSTANTIATE_TEST_SUITE_P(Opciones, CruceGenerado, ::testing::ValuesIn(Casos()),
                         [](const ::testing::TestParamInfo<CasoOpciones>& i) { return std::string(i.param.nombre); });

TEST(GeneradorConcurso, UnaSemillaDaUnConcursoYOtraOtro) {
  const std::vector<std::string> indicativos = Indicativos();
  ASSERT_FALSE(indicativos.empty());
  generador::ParametrosConcurso p = Parametros();
  p.Logs = 30;
  generador::ConcursoSintetico a(p, indicativos), b(p, indicativos);
  p.Semilla += 1;
  generador::ConcursoSintetico otra(p, indicativos);
  const auto fa = Ficheros(a.Carpeta() + "/FicherosRecibidos");
  EXPECT_EQ(fa.size(), 30u);
  EXPECT_EQ(fa, Ficheros(b.Carpeta() + "/FicherosRecibidos"));
  EXPECT_NE(fa, Ficheros(otra.Carpeta() + "/FicherosRecibidos"));
}

// Every generated fault but the invalid date is one the cross-check must
// catch: the validation accepts every log except those with such a date.
TEST(GeneradorConcurso, LaValidacionSoloRechazaLosLogsConFechaInvalida) {
  const std::vector<std::string> indicativos = Indicativos();
  ASSERT_FALSE(indicativos.empty());
  generador::ConcursoSintetico c(Parametros(), indicativos);
  cabrillo::DatosConcursoLog datos;
  ASSERT_TRUE(cabrillo::LeeDatosConcursoLog(c.Base(), generador::kNumeroConcurso, datos));
  const cabrillo::CategoriasAdmitidas categorias =
      cabrillo::GeneraCategoriasAdmitidas(c.Base(), generador::kNombreConcurso, generador::kNumeroConcurso);
  ProgresoSimple progreso;
  cabrillo::FicheroErrores informe;
  cabrillo::CabeceraLog cabecera;
  int rechazados = 0;
  for (const std::string& nombre : c.Resumen().Ficheros) {
    std::string bytes;
    plataforma::LeerBytes(c.Carpeta() + "/FicherosRecibidos/" + nombre, bytes);
    const bool fecha_invalida = bytes.find(" 2026-02-30 ") != std::string::npos;
    cabecera.Limpia();
    ASSERT_TRUE(informe.Crea(c.Trabajo(), "07-03-2026", ""));
    const cabrillo::EntornoValidacion entorno{datos, categorias, informe, cabecera, c.Paises()};
    EXPECT_EQ(cabrillo::VerificaFicheroCabrillo(progreso, c.Carpeta(), nombre, entorno).Aceptada, !fecha_invalida) << nombre;
    informe.Cierra();
    rechazados += fecha_invalida;
  }
  EXPECT_GT(rechazados, 0);
}

}  // namespace
}  // namespace scoring

// The scoring run over a generated contest, worked out by one thread and by
// several: the score files, byte for byte, the logs left unscored, the
// progress told and the rows left in ListaQso must be the same. Two logs
// that give the same score file name are written in the list's order.
#include <gtest/gtest.h>
#include <sched.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/edicion_concurso.h"
#include "generador/concurso_sintetico.h"
#include "plataforma/dao.h"
#include "plataforma/rutas.h"
#include "plataforma/texto.h"
#include "scoring/calculo_puntuaciones.h"
#include "scoring/puntuacion_prueba.h"

namespace scoring {
namespace {

namespace fs = std::filesystem;

struct Resultado {
  std::map<std::string, std::string> ficheros;  // the score folder
  std::vector<std::string> no_puntuadas;
  std::vector<std::string> pasos;
  std::vector<int> progresos;
  std::vector<std::string> lista_qso;
  std::vector<std::string> listado;  // the edition's score listing
};

// Runs the scoring on the processors of `cpus` (the run takes as many
// workers as it may use processors).
Resultado Puntua(generador::ConcursoSintetico& c, const std::vector<std::string>& cruzadas, const cpu_set_t& cpus) {
  cpu_set_t antes;
  sched_getaffinity(0, sizeof antes, &antes);
  sched_setaffinity(0, sizeof cpus, &cpus);
  const std::string carpeta_puntos = plataforma::UneRuta(c.Carpeta(), "ListasPuntuaciones");
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(carpeta_puntos, ec)) fs::remove(e.path(), ec);

  EdicionConcurso edicion(c.Carpeta(), std::string(generador::kNombreConcurso));
  edicion.Pon(ListaEdicion::Cruzadas, cruzadas);
  prueba::ProgresoRegistro progreso;
  ConcursoPuntuacion concurso;
  concurso.Base = &c.Base();
  concurso.NumeroOrden = generador::kNumeroConcurso;
  concurso.Paises = c.Paises();
  Resultado r;
  for (const ListaNoPuntuada& l : CalculaPuntuaciones(edicion, progreso, concurso).NoPuntuadas)
    r.no_puntuadas.push_back(l.Lista + ": " + l.Motivo);
  sched_setaffinity(0, sizeof antes, &antes);

  for (const auto& e : fs::directory_iterator(carpeta_puntos)) {
    std::string bytes;
    plataforma::LeerBytes(e.path().string(), bytes);
    r.ficheros[e.path().filename().string()] = std::move(bytes);
  }
  r.pasos = progreso.pasos;
  r.progresos = progreso.progresos;
  r.listado = edicion.Lista(ListaEdicion::Puntuaciones);
  dao::Recordset rs = c.Base().OpenRecordset("Select * From ListaQso Order By NumeroQso");
  for (; !rs.Eof(); rs.MoveNext()) {
    std::string fila;
    for (int i = 0; i < rs.Fields().Count(); ++i)
      fila += (rs.Fields()[i].IsNull() ? std::string("<nulo>") : rs.Fields()[i].Value().CStr()) + "|";
    r.lista_qso.push_back(fila);
  }
  rs.Close();
  return r;
}

TEST(PuntuacionGenerada, VariosHilosDejanLoMismoQueUno) {
  const std::vector<std::string> indicativos = generador::LeeIndicativos(generador::kMasterScp);
  ASSERT_GT(indicativos.size(), 10000u) << "Falta " << generador::kMasterScp << " (paquete hamradio-files)";
  generador::ParametrosConcurso p;
  p.Logs = 120;
  p.QsosPorLog = 40;
  p.Semilla = 7;
  p.Tasas.FechaInvalida = 0;
  generador::ConcursoSintetico c(p, indicativos, "ListasCruzadas");
  // A log that cannot be scored (a date that is no date), a log listed but
  // missing, and a second log of one station (QQ1AB-2.LOG beside
  // QQ1AB.LOG): one score file name for both.
  const std::string cruzadas = plataforma::UneRuta(c.Carpeta(), "ListasCruzadas");
  const std::string primero = c.Resumen().Ficheros.front();
  std::vector<std::string> lineas;
  ASSERT_TRUE(plataforma::LeerLineas(plataforma::UneRuta(cruzadas, primero), lineas));
  ASSERT_TRUE(plataforma::EscribirLineas(plataforma::UneRuta(cruzadas, primero.substr(0, primero.size() - 4) + "-2.LOG"),
                                         lineas));
  for (std::string& l : lineas)
    if (l.starts_with("QSO:")) {
      // "QSO: frequency mode date ...": the date becomes 30 February.
      std::size_t i = 0;
      for (int campo = 0; campo < 3; ++campo) i = l.find_first_not_of(' ', l.find(' ', i));
      l.replace(i, 10, "2026-02-30");
      break;
    }
  ASSERT_TRUE(plataforma::EscribirLineas(plataforma::UneRuta(cruzadas, "AA0MAL.LOG"), lineas));
  std::vector<std::string> lista;
  {
    EdicionConcurso edicion(c.Carpeta(), std::string(generador::kNombreConcurso));
    edicion.Lee(ListaEdicion::Cruzadas);
    lista = edicion.Lista(ListaEdicion::Cruzadas);
  }
  lista.insert(lista.begin() + 10, "ZZ8FALTA.LOG");

  cpu_set_t todos, uno;
  sched_getaffinity(0, sizeof todos, &todos);
  CPU_ZERO(&uno);
  for (int i = 0; i < CPU_SETSIZE; ++i)
    if (CPU_ISSET(i, &todos)) {
      CPU_SET(i, &uno);
      break;
    }
  const Resultado solo = Puntua(c, lista, uno);
  const Resultado varios = Puntua(c, lista, todos);

  EXPECT_GT(solo.ficheros.size(), 100u);
  ASSERT_EQ(solo.no_puntuadas.size(), 2u);
  EXPECT_TRUE(solo.no_puntuadas[0].starts_with("AA0MAL.LOG: QSO 1: fecha no válida")) << solo.no_puntuadas[0];
  EXPECT_TRUE(solo.no_puntuadas[1].starts_with("ZZ8FALTA.LOG: ")) << solo.no_puntuadas[1];
  EXPECT_FALSE(solo.lista_qso.empty());
  ASSERT_EQ(varios.ficheros.size(), solo.ficheros.size());
  for (const auto& [nombre, bytes] : solo.ficheros) {
    const auto otro = varios.ficheros.find(nombre);
    ASSERT_NE(otro, varios.ficheros.end()) << nombre;
    EXPECT_TRUE(bytes == otro->second) << nombre << " difiere";
  }
  EXPECT_EQ(varios.no_puntuadas, solo.no_puntuadas);
  EXPECT_EQ(varios.pasos, solo.pasos);
  EXPECT_EQ(varios.progresos, solo.progresos);
  EXPECT_EQ(varios.lista_qso, solo.lista_qso);
  EXPECT_EQ(varios.listado, solo.listado);
}

}  // namespace
}  // namespace scoring

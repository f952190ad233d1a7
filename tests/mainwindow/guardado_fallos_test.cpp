// A contest save is all or nothing: the contest row and its list rows go in
// one transaction of the contest database, as the main window saves them.
// Killed in the middle, the database holds whole contests only; locked by
// another process, the save fails within the busy wait and leaves nothing,
// and goes through once the lock is gone.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <thread>

#include "database/creacion.h"
#include "fixture_principal.h"
#include "database/listas_ocultas.h"
#include "soporte/carpeta_temporal.h"

namespace {

constexpr int kProvincias = 60;
constexpr int kPaises = 40;

// Saves a new contest as the main window does: its row in `Concursos` and
// its lists, in one transaction; on a failure the transaction is undone and
// the error goes on.
void GuardaConcurso(dao::Database& base, std::int32_t numero) {
  listas::ListasOcultas l = listas::ListasVacias();
  for (int i = 0; i < kProvincias; ++i) {
    l["ListaProv"].push_back("P" + std::to_string(i));
    l["ListaExProv"].push_back("");
  }
  for (int i = 0; i < kPaises; ++i) l["ListaExPaises"].push_back(std::to_string(100 + i));
  listas::OpcionesListas o;
  o.CadaProv = true;
  o.CadaPais = o.ExcluirPais = true;
  base.BeginTrans();
  try {
    base.Execute("INSERT INTO Concursos (NumeroOrden, Concurso, Edicion) VALUES (?, ?, ?)",
                 {dao::Variant(numero), dao::Variant(std::string("CONCURSO ") + std::to_string(numero)),
                  dao::Variant(std::string("2026"))});
    for (listas::Grupo g : listas::kOrdenGrabacion) listas::Graba(base, g, numero, o, l);
    base.CommitTrans();
  } catch (...) {
    if (base.EnTransaccion()) base.Rollback();
    throw;
  }
}

// Contest number -> {provinces, countries} as stored.
std::map<std::string, std::pair<int, int>> Guardados(const std::string& ruta) {
  std::map<std::string, std::pair<int, int>> r;
  for (const auto& f : prueba::LeeFilas(ruta, "SELECT NumeroOrden FROM Concursos")) r[f[0]] = {0, 0};
  for (const auto& f : prueba::LeeFilas(ruta, "SELECT NumeroOrden, COUNT(*) FROM ListaProv GROUP BY NumeroOrden"))
    r[f[0]].first = std::stoi(f[1]);
  for (const auto& f : prueba::LeeFilas(ruta, "SELECT NumeroOrden, COUNT(*) FROM ListaPaises GROUP BY NumeroOrden"))
    r[f[0]].second = std::stoi(f[1]);
  return r;
}

class GuardadoConFallos : public ::testing::Test {
 protected:
  void SetUp() override {
    ruta = carpeta.En("Ledrima");
    database::CreaBaseConcursosVacia(ruta);
  }
  soporte::CarpetaTemporal carpeta;
  std::string ruta;
};

TEST_F(GuardadoConFallos, KilledInTheMiddleOfSavesTheDatabaseHoldsWholeContestsOnly) {
  int numero = 1;
  for (int ronda = 0; ronda < 12; ++ronda) {
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
      close(tubo[0]);
      // Saves contest after contest until it is killed.
      try {
        dao::Database base = dao::OpenDatabase(ruta);
        for (int n = numero;; ++n) {
          GuardaConcurso(base, n);
          if (n == numero) (void)!write(tubo[1], "x", 1);
        }
      } catch (...) {
      }
      _exit(1);
    }
    close(tubo[1]);
    char c;
    ASSERT_EQ(read(tubo[0], &c, 1), 1) << "the child saved nothing";
    close(tubo[0]);
    std::this_thread::sleep_for(std::chrono::milliseconds(7 * ronda));
    kill(hijo, SIGKILL);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    ASSERT_TRUE(WIFSIGNALED(estado)) << "the child ended by itself: " << estado;

    const auto guardados = Guardados(ruta);
    ASSERT_FALSE(guardados.empty());
    for (const auto& [n, filas] : guardados) {
      EXPECT_EQ(filas, std::make_pair(kProvincias, kPaises)) << "contest " << n << " after round " << ronda;
      numero = std::max(numero, std::stoi(n) + 1);
    }
  }
  // The database is sound and takes the next save.
  EXPECT_EQ(prueba::LeeFilas(ruta, "PRAGMA integrity_check"), (prueba::Filas{{"ok"}}));
  dao::Database base = dao::OpenDatabase(ruta);
  GuardaConcurso(base, numero);
  base.Close();
  EXPECT_EQ(Guardados(ruta)[std::to_string(numero)], std::make_pair(kProvincias, kPaises));
}

// Another process holds the database locked for `ms` milliseconds (it says
// when it has the lock).
pid_t BloqueaDesdeOtroProceso(const std::string& ruta, int ms) {
  int tubo[2];
  if (pipe(tubo) != 0) return -1;
  pid_t hijo = fork();
  if (hijo == 0) {
    close(tubo[0]);
    sqlite3* db = nullptr;
    sqlite3_open(ruta.c_str(), &db);
    if (sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) _exit(1);
    (void)!write(tubo[1], "x", 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    _exit(0);
  }
  close(tubo[1]);
  char c;
  if (read(tubo[0], &c, 1) != 1) hijo = -1;
  close(tubo[0]);
  return hijo;
}

TEST_F(GuardadoConFallos, ADatabaseLockedByAnotherProcessFailsTheSaveAndLeavesNothing) {
  dao::Database base = dao::OpenDatabase(ruta);
  // Locked longer than the busy wait: the save fails, within a bound.
  pid_t hijo = BloqueaDesdeOtroProceso(ruta, 6500);
  ASSERT_GT(hijo, 0);
  const auto t = std::chrono::steady_clock::now();
  EXPECT_THROW(GuardaConcurso(base, 1), dao::Error);
  EXPECT_LT(std::chrono::steady_clock::now() - t, std::chrono::seconds(8));
  EXPECT_FALSE(base.EnTransaccion());
  int estado = 0;
  waitpid(hijo, &estado, 0);
  EXPECT_TRUE(Guardados(ruta).empty());

  // Locked for a moment: the save waits and goes through whole.
  hijo = BloqueaDesdeOtroProceso(ruta, 500);
  ASSERT_GT(hijo, 0);
  EXPECT_NO_THROW(GuardaConcurso(base, 2));
  waitpid(hijo, &estado, 0);
  base.Close();
  const auto guardados = Guardados(ruta);
  ASSERT_EQ(guardados.size(), 1u);
  EXPECT_EQ(guardados.at("2"), std::make_pair(kProvincias, kPaises));
}

}  // namespace

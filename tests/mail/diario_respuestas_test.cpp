// The note of answered mails: what it holds across sessions, what it drops,
// and that a note that cannot be written says so and leaves the file as it
// was.
#include "mail/diario_respuestas.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "soporte/carpeta_temporal.h"

namespace mail {
namespace {

TEST(DiarioRespuestas, NotesSurviveUntilTheirMailsLeaveTheInbox) {
  soporte::CarpetaTemporal dir;
  const std::string a(64, 'a'), b(64, 'b'), c(64, 'c');
  {
    DiarioRespuestas d(dir.Ruta());
    EXPECT_FALSE(d.Contiene(a));
    EXPECT_FALSE(d.Contiene(""));
    EXPECT_FALSE(d.Anota(""));
    ASSERT_TRUE(d.Anota(a));
    ASSERT_TRUE(d.Anota(b));
    ASSERT_TRUE(d.Anota(b));  // once only
  }
  // A later session (a program started again) reads them from the file.
  DiarioRespuestas d(dir.Ruta());
  EXPECT_TRUE(d.Contiene(a));
  EXPECT_TRUE(d.Contiene(b));
  EXPECT_FALSE(d.Contiene(c));
  EXPECT_EQ(dir.LeeBytes(kNombreDiarioRespuestas), a + "\r\n" + b + "\r\n");

  ASSERT_TRUE(d.ConservaSolo({b, c}));
  EXPECT_FALSE(d.Contiene(a));
  EXPECT_TRUE(d.Contiene(b));
  EXPECT_FALSE(d.Contiene(c));  // keeping is not noting
  // With nothing left the file goes, and no temporary file stays.
  ASSERT_TRUE(d.ConservaSolo({}));
  EXPECT_TRUE(std::filesystem::is_empty(dir.Ruta()));
}

TEST(DiarioRespuestas, ANoteThatCannotBeWrittenFailsAndKeepsTheFile) {
  soporte::CarpetaTemporal dir;
  const std::string a(64, 'a'), b(64, 'b');
  {
    DiarioRespuestas d(dir.Ruta());
    ASSERT_TRUE(d.Anota(a));
  }
  // The disk is full: in a process of its own, no file may grow.
  std::fflush(nullptr);
  const pid_t hijo = fork();
  ASSERT_GE(hijo, 0);
  if (hijo == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit r{0, 0};
    setrlimit(RLIMIT_FSIZE, &r);
    DiarioRespuestas d(dir.Ruta());
    const bool anotada = d.Anota(b);
    _exit(!anotada && d.Contiene(a) && !d.Contiene(b) ? 0 : 1);
  }
  int estado = 0;
  waitpid(hijo, &estado, 0);
  EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0) << estado;
  EXPECT_EQ(dir.LeeBytes(kNombreDiarioRespuestas), a + "\r\n");
  // In a folder that does not exist nothing is noted.
  DiarioRespuestas sin(dir.En("no/existe"));
  EXPECT_FALSE(sin.Anota(a));
  EXPECT_FALSE(sin.Contiene(a));
}

// A stop in the middle of a note leaves a line cut off: it names no mail,
// and the next note still stands on a line of its own.
TEST(DiarioRespuestas, ALineCutOffByAStopIsIgnoredAndTheNextNoteIsWhole) {
  soporte::CarpetaTemporal dir;
  const std::string a(64, 'a'), b(64, 'b');
  dir.EscribeBytes(kNombreDiarioRespuestas, a + "\r\n" + b.substr(0, 20));
  {
    DiarioRespuestas d(dir.Ruta());
    EXPECT_TRUE(d.Contiene(a));
    EXPECT_FALSE(d.Contiene(b));
    ASSERT_TRUE(d.Anota(b));
  }
  DiarioRespuestas d(dir.Ruta());
  EXPECT_TRUE(d.Contiene(a));
  EXPECT_TRUE(d.Contiene(b));
  EXPECT_EQ(dir.LeeBytes(kNombreDiarioRespuestas), a + "\r\n" + b.substr(0, 20) + "\r\n" + b + "\r\n");
}

}  // namespace
}  // namespace mail

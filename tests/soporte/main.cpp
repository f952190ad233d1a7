// Test main: every test program runs inside an offscreen QApplication, with
// the scripted message boxes installed, so that a box no test expected fails
// the test that showed it.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "soporte/mensajes_guion.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  soporte::InstalaMensajesDePrueba();
  return RUN_ALL_TESTS();
}

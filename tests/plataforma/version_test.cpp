#include "plataforma/version.h"
#include <gtest/gtest.h>
#include <string>

TEST(Version, TieneTresNumeros) {
  std::string v = plataforma::kVersionPrograma;
  EXPECT_EQ(2, std::count(v.begin(), v.end(), '.'));
}

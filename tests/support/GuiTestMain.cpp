#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "framework/Maths.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  fw::SeedRnd(20261209);
  return RUN_ALL_TESTS();
}

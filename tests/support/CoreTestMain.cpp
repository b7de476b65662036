#include <gtest/gtest.h>

#include "framework/Maths.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  fw::SeedRnd(20261209);
  return RUN_ALL_TESTS();
}

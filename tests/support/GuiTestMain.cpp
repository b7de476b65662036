#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/Application.h"
#include "framework/Maths.h"
#include "framework/TestHooks.h"

namespace {

// Every test starts without windows, queued answers, modifier override or beeps.
class ResetBetweenTests : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    fw::TestHooks::Reset();
    fw::SeedRnd(20261209);
  }
  void OnTestEnd(const testing::TestInfo&) override {
    fw::TestHooks::DestroyAllWindows();
    fw::TestHooks::ProcessEvents();
    fw::TestHooks::Reset();
  }
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  fw::TestHooks::QuietOffscreenMessages();
  fw::Application::Initialize(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new ResetBetweenTests);
  fw::SeedRnd(20261209);
  const int result = RUN_ALL_TESTS();
  fw::Application::Shutdown();
  return result;
}

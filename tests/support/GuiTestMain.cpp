#include <gtest/gtest.h>

#include <QString>
#include <QtGlobal>
#include <cstdio>
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

// The offscreen platform reports every window operation it lacks; keep the rest.
void QuietOffscreenMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith("This plugin does not support")) return;
  if (type == QtDebugMsg) return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  qInstallMessageHandler(QuietOffscreenMessages);
  fw::Application::Initialize(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new ResetBetweenTests);
  fw::SeedRnd(20261209);
  const int result = RUN_ALL_TESTS();
  fw::Application::Shutdown();
  return result;
}

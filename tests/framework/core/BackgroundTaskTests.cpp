#include <gtest/gtest.h>

#include "framework/BackgroundTask.h"

namespace {

int bodyRuns = 0;
void CountRun() { ++bodyRuns; }

TEST(BackgroundTask, TheBodyRunsAtEveryPeriodthCallCountedFromItsInstallation) {
  bodyRuns = 0;
  fw::SetBackgroundTaskBody(CountRun, 3);
  for (int i = 0; i < 7; ++i) fw::RuntimeBackgroundTask();
  EXPECT_EQ(bodyRuns, 2);
  fw::SetBackgroundTaskBody(CountRun, 3);
  fw::RuntimeBackgroundTask();
  fw::RuntimeBackgroundTask();
  EXPECT_EQ(bodyRuns, 2);
  fw::RuntimeBackgroundTask();
  EXPECT_EQ(bodyRuns, 3);
  fw::SetBackgroundTaskBody(CountRun);
  fw::RuntimeBackgroundTask();
  EXPECT_EQ(bodyRuns, 4);
  fw::SetBackgroundTaskBody(nullptr);
  for (int i = 0; i < 1000; ++i) fw::RuntimeBackgroundTask();
  EXPECT_EQ(bodyRuns, 4);
}

}  // namespace

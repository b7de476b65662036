#include "framework/BackgroundTask.h"

#include <limits>

namespace fw {

namespace {
BackgroundTaskBody installedBody = nullptr;
int installedPeriod = 1;

// Without a body the countdown only has to be reset now and then.
int NextCountdown() { return installedBody ? installedPeriod : std::numeric_limits<int>::max(); }
}  // namespace

namespace detail {
int backgroundCountdown = std::numeric_limits<int>::max();

void RunBackgroundTaskBody() {
  backgroundCountdown = NextCountdown();
  if (installedBody) installedBody();
}
}  // namespace detail

void SetBackgroundTaskBody(BackgroundTaskBody body, int period) {
  installedBody = body;
  installedPeriod = period < 1 ? 1 : period;
  detail::backgroundCountdown = NextCountdown();
}

}  // namespace fw

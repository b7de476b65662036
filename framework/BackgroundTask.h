#pragma once

namespace fw {

using BackgroundTaskBody = void (*)();

namespace detail {
// Calls left before the installed body runs again.
extern int backgroundCountdown;
void RunBackgroundTaskBody();
}  // namespace detail

// Called once per pass of a long loop; lets paints and timers run, never user input.
// Inline and cheap, since the innermost loops call it: the body runs at every
// period-th call only.
inline void RuntimeBackgroundTask() {
  if (--detail::backgroundCountdown <= 0) [[unlikely]] detail::RunBackgroundTaskBody();
}

// The GUI layer installs the body; until then RuntimeBackgroundTask does nothing.
// The body runs at every period-th call of RuntimeBackgroundTask from now on.
void SetBackgroundTaskBody(BackgroundTaskBody body, int period = 1);

}  // namespace fw

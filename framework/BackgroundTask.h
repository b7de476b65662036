#pragma once

namespace fw {

// Called once per pass of a long loop; lets paints and timers run, never user input.
void RuntimeBackgroundTask();

// The GUI layer installs the body; until then RuntimeBackgroundTask does nothing.
using BackgroundTaskBody = void (*)();
void SetBackgroundTaskBody(BackgroundTaskBody body);

}  // namespace fw

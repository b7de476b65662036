#include "framework/BackgroundTask.h"

namespace fw {

namespace {
BackgroundTaskBody installedBody = nullptr;
}

void RuntimeBackgroundTask() {
  if (installedBody) installedBody();
}

void SetBackgroundTaskBody(BackgroundTaskBody body) { installedBody = body; }

}  // namespace fw

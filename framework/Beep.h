#pragma once

namespace fw {

// The system alert sound; counted for tests (TestHooks::BeepCount).
void Beep();

}  // namespace fw

#pragma once

#include <vector>

namespace fw {
class Window;
}

// The framework's list of windows, the front window and the deferred destruction
// of closed windows (framework-internal).
namespace fw::WindowSystem {

void Register(Window* window);
void Unregister(Window* window);
// The window becomes the front window: Deactivate and Activate run on the windows
// whose active state changes (a window stays active while its modal dialog is in front).
void SetFront(Window* window);
// The framework brings the window to the front (Show, ShowModalWithin): it is the
// front window at once, and Qt's later report of the activation is not a new change.
void RequestActivation(Window* window);
// Qt reports the window active.
void QtActivated(Window* window);
// The window was hidden or closed: the next window comes to the front.
void WindowHidden(Window* window);
// A framework-owned window closed: destroy it once no handler runs.
void WindowClosed(Window* window);
void PurgeClosed();
// Destroys the closed windows soon, from the event loop.
void SchedulePurge();
bool HasPendingDeletions();
bool AnyDocumentWindowOpen();
// Closes and destroys every window (end of a test, end of the program).
void DestroyAll();

}  // namespace fw::WindowSystem

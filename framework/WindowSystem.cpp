#include "framework/WindowSystem.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "framework/EventDispatch.h"
#include "framework/Window.h"

#include <QWidget>

namespace fw {

namespace {

std::vector<Window*> allWindows;
std::vector<std::unique_ptr<Window>> ownedWindows;
std::vector<std::unique_ptr<Window>> closedWindows;
// Most recently fronted last.
std::vector<Window*> history;
Window* front = nullptr;
bool purgeScheduled = false;
// Activations the framework asked Qt for and Qt has not reported yet; a report
// that does not come soon is not waited for.
struct Request {
  Window* window;
  QElapsedTimer age;
};
std::vector<Request> requested;
constexpr qint64 kRequestLifetimeMs = 1000;

bool ActiveUnder(Window* candidate, Window* frontWindow) {
  for (Window* w = frontWindow; w; w = w->ModalParent()) {
    if (w == candidate) return true;
  }
  return false;
}

void Erase(std::vector<Window*>& list, Window* window) {
  list.erase(std::remove(list.begin(), list.end(), window), list.end());
}

}  // namespace

namespace WindowSystem {

void Register(Window* window) { allWindows.push_back(window); }

void Unregister(Window* window) {
  Erase(allWindows, window);
  requested.erase(std::remove_if(requested.begin(), requested.end(),
                                 [window](const Request& r) { return r.window == window; }),
                  requested.end());
  Erase(history, window);
  if (front == window) front = nullptr;
}

void RequestActivation(Window* window) {
  if (!window->Widget()->isActiveWindow()) {
    Request request{window, {}};
    request.age.start();
    requested.push_back(request);
    window->Widget()->activateWindow();
  }
  SetFront(window);
}

void QtActivated(Window* window) {
  requested.erase(std::remove_if(requested.begin(), requested.end(),
                                 [](const Request& r) { return r.age.elapsed() > kRequestLifetimeMs; }),
                  requested.end());
  auto it = std::find_if(requested.begin(), requested.end(), [window](const Request& r) { return r.window == window; });
  if (it != requested.end()) {
    requested.erase(requested.begin(), it + 1);
    return;
  }
  // Qt may hand the activation back to a window while its modal dialog is still in front.
  if (front && front != window && ActiveUnder(window, front) && front->Visible()) return;
  SetFront(window);
}

void SetFront(Window* window) {
  if (window && (window->IsClosed() || !window->Visible())) return;
  front = window;
  if (window) {
    Erase(history, window);
    history.push_back(window);
  }
  const std::vector<Window*> windows = allWindows;
  for (Window* w : windows) {
    if (w->IsActive() && !ActiveUnder(w, front)) w->SetLogicallyActive(false);
  }
  for (Window* w : windows) {
    if (!w->IsActive() && ActiveUnder(w, front) && !w->IsClosed()) w->SetLogicallyActive(true);
  }
}

void WindowHidden(Window* window) {
  Erase(history, window);
  if (front != window && !(window->IsActive())) return;
  Window* next = nullptr;
  if (window->ModalParent() && window->ModalParent()->Visible()) {
    next = window->ModalParent();
  } else {
    for (auto it = history.rbegin(); it != history.rend(); ++it) {
      if ((*it)->Visible() && !(*it)->IsClosed()) {
        next = *it;
        break;
      }
    }
  }
  front = nullptr;
  if (window->IsActive()) window->SetLogicallyActive(false);
  SetFront(next);
}

void WindowClosed(Window* window) {
  auto it = std::find_if(ownedWindows.begin(), ownedWindows.end(),
                         [window](const std::unique_ptr<Window>& w) { return w.get() == window; });
  if (it == ownedWindows.end()) return;
  closedWindows.push_back(std::move(*it));
  ownedWindows.erase(it);
  SchedulePurge();
}

void SchedulePurge() {
  if (purgeScheduled || closedWindows.empty() || !QCoreApplication::instance()) return;
  purgeScheduled = true;
  QTimer::singleShot(0, QCoreApplication::instance(), [] {
    purgeScheduled = false;
    PurgeClosed();
  });
}

void PurgeClosed() {
  // A closed window's handler may still be on the stack.
  if (HandlerScope::Depth() > 0) return;
  std::vector<std::unique_ptr<Window>> doomed = std::move(closedWindows);
  closedWindows.clear();
  doomed.clear();
}

bool HasPendingDeletions() { return !closedWindows.empty(); }

bool AnyDocumentWindowOpen() {
  return std::any_of(allWindows.begin(), allWindows.end(), [](Window* w) {
    return w->Frame() == Window::DocumentFrame && !w->IsClosed() && w->Visible();
  });
}

void DestroyAll() {
  const std::vector<Window*> windows = allWindows;
  // Handlers may refer to objects that are gone by now: close without events.
  for (Window* w : windows) w->Discard();
  std::vector<std::unique_ptr<Window>> doomed = std::move(closedWindows);
  closedWindows.clear();
  for (auto& w : ownedWindows) doomed.push_back(std::move(w));
  ownedWindows.clear();
  doomed.clear();
  front = nullptr;
  history.clear();
  requested.clear();
}

}  // namespace WindowSystem

Window& AdoptWindow(std::unique_ptr<Window> window) {
  Window& adopted = *window;
  ownedWindows.push_back(std::move(window));
  adopted.FinishOpening();
  return adopted;
}

std::vector<Window*> Windows() {
  std::vector<Window*> open;
  for (Window* w : allWindows) {
    if (!w->IsClosed()) open.push_back(w);
  }
  return open;
}

Window* FrontWindow() {
  if (front && !front->IsClosed()) return front;
  for (auto it = history.rbegin(); it != history.rend(); ++it) {
    if ((*it)->Visible() && !(*it)->IsClosed()) return *it;
  }
  return nullptr;
}

}  // namespace fw

#pragma once

#include <exception>
#include <functional>
#include <utility>

namespace fw {

class Window;

// Every event handler runs through these: no exception leaves it (a
// RuntimeException is shown through the application's exception handler), and
// while one runs, closed windows are not destroyed.
class HandlerScope {
 public:
  HandlerScope();
  ~HandlerScope();
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;
  static int Depth();
};

// Reports the exception in flight (inside a catch block).
void ReportCurrentException(Window* window = nullptr);

template <class... P, class... A>
void Raise(const std::function<void(P...)>& event, A&&... args) {
  if (!event) return;
  HandlerScope scope;
  try {
    event(std::forward<A>(args)...);
  } catch (...) {
    ReportCurrentException();
  }
}

// For events with a result: the fallback when the event is unbound or throws.
template <class R, class... P, class... A>
R RaiseResult(const std::function<R(P...)>& event, R fallback, A&&... args) {
  if (!event) return fallback;
  HandlerScope scope;
  try {
    return event(std::forward<A>(args)...);
  } catch (...) {
    ReportCurrentException();
  }
  return fallback;
}

// Runs framework code that calls into the application (a Qt slot's body).
template <class F>
void Guarded(F&& body) {
  HandlerScope scope;
  try {
    body();
  } catch (...) {
    ReportCurrentException();
  }
}

}  // namespace fw

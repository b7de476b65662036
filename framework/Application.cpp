#include "framework/Application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QWidget>
#include <cstdio>
#include <memory>

#include "framework/BackgroundTask.h"
#include "framework/Beep.h"
#include "framework/Control.h"
#include "framework/EventDispatch.h"
#include "framework/MenuBar.h"
#include "framework/QtSupport.h"
#include "framework/RuntimeException.h"
#include "framework/Window.h"
#include "framework/WindowSystem.h"

namespace fw {

namespace {

Application* instance = nullptr;
Application::ExceptionHandler exceptionHandler;
int handlerDepth = 0;
bool reporting = false;

bool IsTextEditor(QWidget* widget) {
  return qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget) ||
         qobject_cast<QTextEdit*>(widget);
}

// The key of a menu shortcut as MenuBar::ItemForShortcut names it.
std::string ShortcutKeyName(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return std::string(1, static_cast<char>('A' + (key - Qt::Key_A)));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return std::string(1, static_cast<char>('0' + (key - Qt::Key_0)));
  if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta) return "";
  return QtSupport::FromQ(QKeySequence(key).toString(QKeySequence::PortableText));
}

// A key pressed in one of the framework's windows: menu shortcuts, then the
// focused control's KeyDown, then the window's routing. True consumes the key.
bool HandleKeyPress(QWidget* receiver, QKeyEvent* event) {
  Window* window = QtSupport::WindowOf(receiver);
  if (!window) return false;
  const Qt::KeyboardModifiers mods = event->modifiers();
  if ((mods & Qt::ControlModifier) && window->CurrentMenuBar()) {
    const std::string keyName = ShortcutKeyName(event->key());
    MenuItem* item = keyName.empty() ? nullptr
                                     : window->CurrentMenuBar()->ItemForShortcut(
                                           keyName, mods & Qt::ShiftModifier, mods & Qt::AltModifier);
    if (item) {
      Application::UpdateMenuEnabling(window);
      if (item->Enabled()) {
        Guarded([&] { Application::RunMenuCommand(item->Name(), window); });
        return true;
      }
      // A disabled command leaves the key to the field's own editing (undo, copy...).
      if (IsTextEditor(receiver)) return false;
      Beep();
      return true;
    }
  }
  const std::string key = QtSupport::KeyString(*event);
  if (key.empty()) return false;
  const bool isReturn = key == "\r" || key == "\x03";
  // Escape leaves a dialog whatever the focused field makes of keys: a number
  // field that refuses every other key must not keep the user in the dialog.
  const bool leavesDialog = key == "\x1b" && (window->Frame() == Window::SheetFrame || window->InModalShowing());
  Control* control = QtSupport::ControlOf(receiver);
  if (control && &control->ParentWindow() == window && !leavesDialog) {
    if (!control->IsEnabled()) return false;
    bool consumed = false;
    Guarded([&] { consumed = control->HandleKeyDown(key); });
    // A handler that closed the window leaves nothing to route the key to.
    if (consumed || window->IsClosed()) return true;
    if (isReturn && control->WantsReturn()) return false;
    if (!isReturn && key != "\x1b") return false;
  }
  bool routed = false;
  Guarded([&] { routed = window->RouteKey(key); });
  return routed;
}

bool IsInputEvent(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
      return true;
    default:
      return false;
  }
}

class PlatformApplication : public QApplication {
 public:
  PlatformApplication(int& argc, char** argv) : QApplication(argc, argv) {}

  bool notify(QObject* receiver, QEvent* event) override {
    const bool input = IsInputEvent(event->type());
    if (input) QtSupport::PushEventModifiers(static_cast<int>(static_cast<QInputEvent*>(event)->modifiers()));
    bool result = false;
    try {
      if (event->type() == QEvent::KeyPress && receiver->isWidgetType() &&
          HandleKeyPress(static_cast<QWidget*>(receiver), static_cast<QKeyEvent*>(event))) {
        event->accept();
        result = true;
      } else {
        const bool mayMoveFocus =
            (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) && receiver->isWidgetType();
        const QPointer<QObject> alive(receiver);
        result = QApplication::notify(receiver, event);
        if (mayMoveFocus && alive) {
          if (Window* window = QtSupport::WindowOf(static_cast<QWidget*>(receiver))) window->SyncFocusFromWidgets();
        }
      }
    } catch (...) {
      ReportCurrentException();
    }
    if (input) QtSupport::PopEventModifiers();
    return result;
  }
};

std::unique_ptr<PlatformApplication> platformApp;

// Long loops call RuntimeBackgroundTask per pass: look at the clock only every 128th call.
constexpr int kCallsPerClockLook = 128;

void LetPaintsAndTimersRun() {
  static QElapsedTimer sinceLast;
  if (sinceLast.isValid() && sinceLast.elapsed() < 50) return;
  // A timer run here may hold a long loop of its own: the outer loop is still running after it.
  const bool outer = QtSupport::InBackgroundTask();
  QtSupport::SetInBackgroundTask(true);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  QtSupport::SetInBackgroundTask(outer);
  QtSupport::ClearVectorState();
  sinceLast.restart();
}

bool EditCommand(const std::string& name, Window* front) {
  QWidget* focused = front ? front->Widget()->focusWidget() : QApplication::focusWidget();
  if (auto* line = qobject_cast<QLineEdit*>(focused)) {
    if (name == "EditCut") line->cut();
    else if (name == "EditCopy") line->copy();
    else if (name == "EditPaste") line->paste();
    else if (name == "EditClear") {
      if (line->hasSelectedText()) line->del();
    }
    else if (name == "EditSelectAll") line->selectAll();
    else return false;
    return true;
  }
  if (auto* plain = qobject_cast<QPlainTextEdit*>(focused)) {
    if (name == "EditCut") plain->cut();
    else if (name == "EditCopy") plain->copy();
    else if (name == "EditPaste") plain->paste();
    else if (name == "EditClear") plain->textCursor().removeSelectedText();
    else if (name == "EditSelectAll") plain->selectAll();
    else return false;
    return true;
  }
  if (auto* rich = qobject_cast<QTextEdit*>(focused)) {
    if (name == "EditCopy") rich->copy();
    else if (name == "EditSelectAll") rich->selectAll();
    else return false;
    return true;
  }
  return false;
}

// Asks each document window, newest first, whether it may close (quitting); stops
// at the first refusal. Then closes every window.
bool CloseEveryWindow() {
  const std::vector<Window*> windows = Windows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    Window* w = *it;
    if (w->IsClosed() || w->Frame() != Window::DocumentFrame || !w->Visible()) continue;
    if (!w->TryClose(true)) return false;
  }
  for (Window* w : Windows()) w->CloseNow();
  return true;
}

}  // namespace

void Application::Initialize(int& argc, char** argv) {
  if (QCoreApplication::instance()) return;
  platformApp = std::make_unique<PlatformApplication>(argc, argv);
  QCoreApplication::setApplicationName("Gradix");
  // The framework decides when the program ends (the last document window, Quit).
  QApplication::setQuitOnLastWindowClosed(false);
  SetBackgroundTaskBody(&LetPaintsAndTimersRun, kCallsPerClockLook);
  QtSupport::ClearVectorState();
}

void Application::Shutdown() {
  WindowSystem::DestroyAll();
  SetBackgroundTaskBody(nullptr);
  platformApp.reset();
}

Application::Application() { instance = this; }

Application::~Application() {
  if (instance == this) instance = nullptr;
}

Application* Application::Instance() { return instance; }

void Application::AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
  for (auto& entry : menuHandlers_) {
    if (entry.first == itemName) {
      entry.second = std::move(handler);
      return;
    }
  }
  menuHandlers_.emplace_back(itemName, std::move(handler));
}

const std::function<bool()>* Application::MenuHandler(std::string_view itemName) const {
  for (const auto& entry : menuHandlers_) {
    if (entry.first == itemName && entry.second) return &entry.second;
  }
  return nullptr;
}

std::vector<std::string> Application::Arguments() {
  std::vector<std::string> args;
  const QStringList all = QCoreApplication::arguments();
  for (qsizetype i = 1; i < all.size(); ++i) {
    if (!all.at(i).startsWith('-')) args.push_back(QtSupport::FromQ(QFileInfo(all.at(i)).absoluteFilePath()));
  }
  return args;
}

int Application::Run() {
  running_ = true;
  const std::vector<std::string> files = Arguments();
  if (files.empty()) {
    Raise(NewDocument);
  } else {
    for (const std::string& file : files) Raise(OpenDocument, file);
  }
  int code = 0;
  if (WindowSystem::AnyDocumentWindowOpen()) code = QApplication::exec();
  running_ = false;
  return code;
}

bool Application::Quit() {
  if (!CloseEveryWindow()) return false;
  if (running_) QCoreApplication::quit();
  return true;
}

MenuBar* Application::MenuBarFor(Window* window) {
  if (window && window->CurrentMenuBar()) return window->CurrentMenuBar();
  return instance ? instance->CurrentMenuBar() : nullptr;
}

void Application::UpdateMenuEnabling(Window* front) {
  if (!front) front = FrontWindow();
  MenuBar* bar = MenuBarFor(front);
  if (!bar) return;
  bar->ResetEnabling();
  if (front) Raise(front->EnableMenuItems);
}

bool Application::DispatchMenu(const std::string& itemName, Window* front) {
  if (!front) front = FrontWindow();
  UpdateMenuEnabling(front);
  MenuBar* bar = MenuBarFor(front);
  MenuItem* item = bar ? bar->Child(itemName) : nullptr;
  if (item && !item->Enabled()) return false;
  return RunMenuCommand(itemName, front);
}

bool Application::RunMenuCommand(const std::string& itemName, Window* front) {
  if (!front) front = FrontWindow();
  if (front) {
    if (const auto* handler = front->MenuHandler(itemName); handler && RaiseResult(*handler, false)) return true;
  }
  if (instance) {
    if (const auto* handler = instance->MenuHandler(itemName); handler && RaiseResult(*handler, false))
      return true;
  }
  MenuBar* bar = MenuBarFor(front);
  MenuItem* item = bar ? bar->Child(itemName) : nullptr;
  if (item && item->IsQuitItem()) {
    if (instance) {
      instance->Quit();
    } else {
      CloseEveryWindow();
    }
    return true;
  }
  return EditCommand(itemName, front);
}

void Application::SetExceptionHandler(ExceptionHandler handler) { exceptionHandler = std::move(handler); }

HandlerScope::HandlerScope() {
  if (handlerDepth++ == 0) QtSupport::ClearVectorState();
}

HandlerScope::~HandlerScope() {
  if (--handlerDepth == 0 && WindowSystem::HasPendingDeletions()) WindowSystem::SchedulePurge();
}

int HandlerScope::Depth() { return handlerDepth; }

void ReportCurrentException(Window* window) {
  std::string message = "An unexpected error occurred.";
  try {
    throw;
  } catch (const std::exception& e) {
    if (e.what() && *e.what()) message = e.what();
  } catch (...) {
  }
  if (!exceptionHandler || reporting) {
    std::fprintf(stderr, "gradix: %s\n", message.c_str());
    return;
  }
  reporting = true;
  try {
    exceptionHandler(window ? window : FrontWindow(), message);
  } catch (...) {
    std::fprintf(stderr, "gradix: %s\n", message.c_str());
  }
  reporting = false;
}

void Beep() {
  QtSupport::CountBeep();
  if (!QtSupport::TestMode()) QApplication::beep();
}

}  // namespace fw

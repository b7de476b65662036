#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fw {

class MenuBar;
class Window;

// The application object: the event loop, the application's menu handlers and the
// NewDocument / OpenDocument events. One exists at a time; it registers itself.
class Application {
 public:
  // Creates the platform's application once per process (before any window).
  // Keeps the command-line arguments for Run.
  static void Initialize(int& argc, char** argv);

  Application();
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The registered application object, nil when none.
  static Application* Instance();

  void SetMenuBar(MenuBar* bar) { menuBar_ = bar; }
  MenuBar* CurrentMenuBar() const { return menuBar_; }

  // Menu handlers of the application, asked after the front window's.
  void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
  const std::function<bool()>* MenuHandler(std::string_view itemName) const;

  std::function<void()> NewDocument;
  // A document file to open, as an absolute path.
  std::function<void(const std::string& path)> OpenDocument;

  // Raises OpenDocument for each file named on the command line, or NewDocument
  // when none is named, then runs the event loop until Quit, or until the last
  // document window has closed. Returns the exit code.
  int Run();
  // Closes every window, asking each CancelClose(true); stops when one refuses.
  // Returns true when all closed (the event loop then ends).
  bool Quit();
  bool Running() const { return running_; }

  // Dispatches a menu command as the user's choice would: EnableMenuItems of the
  // front window, then, when the item is enabled, the front window's handler,
  // the application's handler and the framework's own action (Quit, and the text
  // editing commands EditCut, EditCopy, EditPaste, EditClear, EditSelectAll).
  // Returns true when something handled it.
  static bool DispatchMenu(const std::string& itemName, Window* front = nullptr);
  // The same for an item already known to be enabled (chosen from an open menu).
  static bool RunMenuCommand(const std::string& itemName, Window* front = nullptr);
  // Resets every item to its AutoEnable flag, then runs EnableMenuItems of the
  // window (the front window when nil).
  static void UpdateMenuEnabling(Window* front = nullptr);
  // The menu bar that serves the window: its own, else the application's.
  static MenuBar* MenuBarFor(Window* window);

  // Shows an exception that escaped an event handler: given the window whose
  // event raised it (or the front window) and the message.
  using ExceptionHandler = std::function<void(Window* window, const std::string& message)>;
  static void SetExceptionHandler(ExceptionHandler handler);

  // Destroys every window and the platform's application (end of the program).
  static void Shutdown();

  // The files named on the command line (absolute paths); options are left out.
  static std::vector<std::string> Arguments();

 private:
  MenuBar* menuBar_ = nullptr;
  std::vector<std::pair<std::string, std::function<bool()>>> menuHandlers_;
  bool running_ = false;
};

}  // namespace fw

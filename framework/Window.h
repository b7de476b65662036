#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <utility>
#include <vector>

#include "framework/Color.h"
#include "framework/Control.h"
#include "framework/RuntimeException.h"

class QEventLoop;
class QWidget;

namespace fw {

class MenuBar;
class PushButton;
class WindowWidget;

// A top-level window: a document window (frame 0, with the menu bar) or a sheet,
// the frame of modal dialogs (frame 8). Its size is fixed; Width and Height are
// those of the content area, the origin of its controls' coordinates.
//
// Windows are made with NewWindow or SharedWindow, which own them: a window is
// destroyed after it closes, once no event handler is running any more.
class Window {
 public:
  static constexpr int DocumentFrame = 0;
  static constexpr int SheetFrame = 8;

  explicit Window(int frame = DocumentFrame);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  int Frame() const { return frame_; }
  std::string Title() const { return title_; }
  void SetTitle(const std::string& title);
  // The text of the title bar: the title, but for a sheet titled "Untitled" that is
  // shown within a window, the title of that window (a sheet names its document).
  std::string ShownTitle() const;
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);

  // The content area's colour; without one the platform's ordinary background.
  bool HasBackColor() const { return hasBackColor_; }
  Color BackColor() const { return backColor_; }
  void SetBackColor(Color color);
  void SetHasBackColor(bool has);

  bool Visible() const;
  // Shows the window and brings it to the front. A document window opened by
  // NewWindow is shown already.
  void Show();
  void Hide();
  // Asks CancelClose (not quitting); when it does not cancel, closes the window.
  bool Close() { return TryClose(false); }
  bool TryClose(bool appQuitting);
  // Closes without asking CancelClose (after the caller asked its own question).
  void CloseNow();
  bool IsClosed() const { return closed_; }

  // Shows this window modally over parent and returns when it hides itself
  // (or is closed). Escape and the close box press its cancel button, or hide it,
  // whichever control has the focus.
  // Called while the window is already in a modal showing, it waits for that
  // showing to end first.
  void ShowModalWithin(Window& parent);
  bool InModalShowing() const { return modalDepth_ > 0; }
  // The window this one is modal within, nil when not shown modally.
  Window* ModalParent() const { return modalParent_; }

  // True while this window or a modal dialog over it is the front window.
  bool IsActive() const { return logicallyActive_; }

  // The menu bar shown on this window (document windows only; not owned).
  void SetMenuBar(MenuBar* bar);
  MenuBar* CurrentMenuBar() const { return menuBar_; }
  // Binds a menu item's name to a handler; true ends the dispatch of the command.
  void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
  // The handler bound to the name, nil when none.
  const std::function<bool()>* MenuHandler(std::string_view itemName) const;

  // Controls, in creation order. Adding registers the control under its Name()
  // (and Index() for a member of a control array).
  template <class T>
  T& Add(const std::string& name, int index = -1) {
    auto control = std::make_unique<T>(*this);
    control->SetName(name);
    control->SetIndex(index);
    return static_cast<T&>(AddControl(std::move(control)));
  }
  template <class T>
  T& Adopt(std::unique_ptr<T> control) {
    return static_cast<T&>(AddControl(std::move(control)));
  }
  Control& AddControl(std::unique_ptr<Control> control);
  // The control of that name (and index, for a control array); nil when none.
  Control* FindControl(std::string_view name, int index = -1) const;
  // As FindControl, for a control of kind T; raises RuntimeException when missing.
  template <class T>
  T& Get(std::string_view name, int index = -1) const {
    T* found = dynamic_cast<T*>(FindControl(name, index));
    if (!found) throw RuntimeException("No control " + std::string(name) +
                                       (index >= 0 ? "(" + std::to_string(index) + ")" : ""));
    return *found;
  }
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  Control& ControlAt(int i) const { return *controls_.at(static_cast<std::size_t>(i)); }

  // The control holding the keyboard focus, nil when none. The framework keeps it
  // also while the window is inactive, and raises GotFocus / LostFocus as it moves.
  Control* Focus() const { return focus_; }
  void ClearFocus();
  // The shown and enabled default / cancel push button, nil when none.
  PushButton* DefaultButton() const;
  PushButton* CancelButton() const;

  std::function<void()> Open;  // after the controls' Open events
  std::function<void()> Activate;
  std::function<void()> Deactivate;
  // Asked before the close box or quitting closes the window; true cancels.
  std::function<bool(bool appQuitting)> CancelClose;
  std::function<void()> Closed;
  // Runs before a menu opens and before a shortcut is dispatched.
  std::function<void()> EnableMenuItems;
  // Keys that no control consumed (Return, Enter, Escape; any key while no
  // control has the focus); true consumes the key.
  std::function<bool(const std::string& key)> KeyDown;

  // Framework side.
  QWidget* Widget() const;   // the top-level widget
  QWidget* Content() const;  // the content area, parent of the controls' widgets
  // A key that the focused control did not consume: the window's KeyDown, then
  // Return/Enter to the default button and Escape to the cancel button.
  bool RouteKey(const std::string& key);
  // Runs the controls' Open events, then the window's; shows a document window.
  void FinishOpening();
  void UpdateShownControls();
  void SetLogicallyActive(bool active);
  // Ends a modal showing as Escape would: the cancel button, else hiding.
  void CancelModal();
  // Closes without raising any event (end of a test or of the program).
  void Discard();
  // Moves the logical focus: LostFocus on the old control, then GotFocus on the new.
  void SetFocusControl(Control* control);
  // Takes the logical focus from Qt's focus child after a click or a key moved it
  // (Qt sends no focus events to an inactive window).
  void SyncFocusFromWidgets();

 private:
  friend class WindowWidget;
  void HandleCloseBox();
  void BuildMenuBar();
  void ApplyShownTitle();

  int frame_;
  std::string title_ = "Untitled";
  int width_ = 300;
  int height_ = 200;
  WindowWidget* widget_ = nullptr;
  QWidget* content_ = nullptr;
  MenuBar* menuBar_ = nullptr;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::pair<std::string, std::function<bool()>>> menuHandlers_;
  int modalDepth_ = 0;
  int modalSerial_ = 0;
  Window* modalParent_ = nullptr;
  QEventLoop* modalLoop_ = nullptr;
  Control* focus_ = nullptr;
  bool hasBackColor_ = false;
  Color backColor_ = RGB(255, 255, 255);
  bool logicallyActive_ = false;
  bool closed_ = false;
  bool opened_ = false;
};

// Takes ownership of a window built by its constructor and opens it.
Window& AdoptWindow(std::unique_ptr<Window> window);

// A new window of class T, owned by the framework, opened (see FinishOpening).
template <class T, class... A>
T& NewWindow(A&&... args) {
  return static_cast<T&>(AdoptWindow(std::make_unique<T>(std::forward<A>(args)...)));
}

// The open windows, in the order they were made.
std::vector<Window*> Windows();
// The front window (a modal dialog when one is showing), nil when none.
Window* FrontWindow();

// The shared instance of window class T: the first open window of exactly that
// class that is not in a modal showing, made on first use. While the instance is
// showing modally (for another window), a further instance is made, so that no
// request to show it is lost.
template <class T>
T& SharedWindow() {
  for (Window* w : Windows()) {
    if (typeid(*w) == typeid(T) && !w->InModalShowing()) return static_cast<T&>(*w);
  }
  return NewWindow<T>();
}

}  // namespace fw

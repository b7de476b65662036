#pragma once

#include <functional>
#include <string>

class QWidget;

namespace fw {

class Window;

// Base of every control. A control is placed in its window's coordinates, also
// when it stands inside a group box or on a tab page: enclosures never move their
// controls, they only show, hide, enable and disable them.
class Control {
 public:
  explicit Control(Window& window);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // Member index within a control array; -1 for a control that is not in one.
  int Index() const { return index_; }
  void SetIndex(int index) { index_ = index; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  void SetBounds(int left, int top, int width, int height);

  // The control's own flags; what the user sees also depends on its enclosure.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Shown on screen: visible itself, its page shown, its enclosure shown.
  bool IsShown() const;
  // Enabled itself and within an enabled enclosure.
  bool IsEnabled() const;

  // The enclosing group box, canvas or tab panel; for a tab panel, the page the
  // control stands on. A control without its own page takes its enclosure's.
  void SetEnclosure(Control* enclosure, int page = -1);
  Control* Enclosure() const { return enclosure_; }
  int Page() const { return page_; }

  // Font: "System" and "Helvetica" are DejaVu Sans; sizes are pixels, 0 means 12.
  const std::string& TextFont() const { return textFont_; }
  void SetTextFont(std::string font);
  int TextSize() const { return textSize_; }
  void SetTextSize(int pixels);
  bool Bold() const { return bold_; }
  void SetBold(bool bold);
  bool Italic() const { return italic_; }
  void SetItalic(bool italic);

  void SetFocus();
  bool HasFocus() const;
  virtual void Refresh();

  Window& ParentWindow() const { return window_; }

  std::function<void()> Open;   // after every control of the window exists
  std::function<void()> Close;  // when the window closes
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
  // The key as a one-character string (Return Chr(13), Enter Chr(3), Tab 9,
  // Backspace 8, Escape 27, Delete 127, arrows 28..31); true consumes it. In a
  // dialog, Escape goes to the dialog and never reaches its controls.
  std::function<bool(const std::string& key)> KeyDown;

  // Framework side, for controls built over Qt widgets.
  QWidget* Widget() const { return widget_; }
  // The widget that receives typed keys and the focus (the cell editor of a list box, say).
  virtual QWidget* KeyTarget() const { return widget_; }
  // A key that reached the control: raises KeyDown; true when consumed.
  virtual bool HandleKeyDown(const std::string& key);
  // True when the control itself uses Return (a multi-line field), so it is not
  // routed to the default button.
  virtual bool WantsReturn() const { return false; }
  // Re-applies place, visibility, enabling and font to the widget.
  void SyncWidget();

  // The control's own reactions to its events; by default they raise the events
  // above. A subclass overrides them to add its own behaviour.
  virtual void OnOpen();
  virtual void OnClose();
  virtual void OnGotFocus();
  virtual void OnLostFocus();

 protected:
  // Installs the control's widget (parented to the window's content area).
  void SetWidget(QWidget* widget);
  // The widget's font changed: controls that draw text themselves re-measure.
  virtual void FontChanged() {}
  // Called when the shown state changes (page switch, enclosure hidden).
  virtual void ShownChanged(bool /*shown*/) {}
  // Called after Left, Top, Width or Height changed.
  virtual void BoundsChanged() {}

 private:
  friend class Window;
  void ApplyFont();

  Window& window_;
  QWidget* widget_ = nullptr;
  std::string name_;
  int index_ = -1;
  int left_ = 0, top_ = 0, width_ = 80, height_ = 22;
  bool visible_ = true;
  bool enabled_ = true;
  bool lastShown_ = false;
  Control* enclosure_ = nullptr;
  int page_ = -1;
  std::string textFont_ = "System";
  int textSize_ = 12;
  bool bold_ = false;
  bool italic_ = false;
};

}  // namespace fw

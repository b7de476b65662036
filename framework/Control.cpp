#include "framework/Control.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QObject>
#include <QWidget>

#include "framework/EventDispatch.h"
#include "framework/QtSupport.h"
#include "framework/TabPanel.h"
#include "framework/Window.h"

namespace fw {

namespace {

// Follows the user's focus changes (clicks, Tab) into the window's logical focus;
// a window switch, an open menu or the menu bar taking the keyboard is no change of focus.
class FocusFilter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    Control* control = QtSupport::ControlOf(static_cast<QWidget*>(watched));
    if (!control || control->KeyTarget() != watched) return false;
    Window& window = control->ParentWindow();
    if (event->type() == QEvent::FocusIn) {
      window.SetFocusControl(control);
    } else if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
               reason != Qt::MenuBarFocusReason && window.Focus() == control) {
      Control* next = QtSupport::ControlOf(QApplication::focusWidget());
      window.SetFocusControl(next && &next->ParentWindow() == &window ? next : nullptr);
    }
    return false;
  }
};

FocusFilter& TheFocusFilter() {
  static FocusFilter* filter = new FocusFilter;
  return *filter;
}

}  // namespace

Control::Control(Window& window) : window_(window) {}

Control::~Control() {
  if (!widget_) return;
  // No focus event of the dying widget may reach this control's handlers.
  QtSupport::UnmarkControlWidget(widget_);
  delete widget_;
}

void Control::SetWidget(QWidget* widget) {
  if (widget_) {
    QtSupport::UnmarkControlWidget(widget_);
    widget_->hide();
    widget_->deleteLater();
  }
  widget_ = widget;
  widget_->setParent(window_.Content());
  QtSupport::MarkControlWidget(widget_, this);
  if (QWidget* target = KeyTarget()) {
    if (target != widget_) QtSupport::MarkControlWidget(target, this);
    target->installEventFilter(&TheFocusFilter());
  }
  ApplyFont();
  widget_->setGeometry(left_, top_, width_, height_);
  BoundsChanged();
  SyncWidget();
}

void Control::SyncWidget() {
  if (!widget_) return;
  const bool shown = IsShown();
  widget_->setVisible(shown);
  widget_->setEnabled(IsEnabled());
  if (shown != lastShown_) {
    lastShown_ = shown;
    ShownChanged(shown);
  }
}

void Control::SetLeft(int left) { SetBounds(left, top_, width_, height_); }
void Control::SetTop(int top) { SetBounds(left_, top, width_, height_); }
void Control::SetWidth(int width) { SetBounds(left_, top_, width, height_); }
void Control::SetHeight(int height) { SetBounds(left_, top_, width_, height); }

void Control::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width < 0 ? 0 : width;
  height_ = height < 0 ? 0 : height;
  if (widget_) widget_->setGeometry(left_, top_, width_, height_);
  BoundsChanged();
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  window_.UpdateShownControls();
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  window_.UpdateShownControls();
}

bool Control::IsShown() const {
  if (!visible_) return false;
  if (!enclosure_) return true;
  if (!enclosure_->IsShown()) return false;
  if (page_ >= 0) {
    if (auto* panel = dynamic_cast<const TabPanel*>(enclosure_)) return panel->Value() == page_;
  }
  return true;
}

bool Control::IsEnabled() const { return enabled_ && (!enclosure_ || enclosure_->IsEnabled()); }

void Control::SetEnclosure(Control* enclosure, int page) {
  enclosure_ = enclosure == this ? nullptr : enclosure;
  page_ = page;
  window_.UpdateShownControls();
}

void Control::SetTextFont(std::string font) {
  textFont_ = std::move(font);
  ApplyFont();
}

void Control::SetTextSize(int pixels) {
  textSize_ = pixels;
  ApplyFont();
}

void Control::SetBold(bool bold) {
  bold_ = bold;
  ApplyFont();
}

void Control::SetItalic(bool italic) {
  italic_ = italic;
  ApplyFont();
}

void Control::ApplyFont() {
  if (!widget_) return;
  widget_->setFont(QtSupport::MakeFont(textFont_, textSize_, bold_, italic_));
  FontChanged();
}

void Control::SetFocus() {
  // A control on a hidden page or in a hidden group cannot hold the focus.
  if (!IsShown() || !IsEnabled()) {
    window_.ClearFocus();
    return;
  }
  QWidget* target = KeyTarget();
  if (!target) return;
  target->setFocus(Qt::OtherFocusReason);
  // A GotFocus handler run by Qt's focus event may have sent the focus on already.
  if (window_.Widget()->focusWidget() == target) window_.SetFocusControl(this);
}

bool Control::HasFocus() const { return window_.Focus() == this; }

void Control::Refresh() {
  if (widget_) widget_->update();
}

bool Control::HandleKeyDown(const std::string& key) { return RaiseResult(KeyDown, false, key); }

void Control::OnOpen() { Raise(Open); }
void Control::OnClose() { Raise(Close); }
void Control::OnGotFocus() { Raise(GotFocus); }
void Control::OnLostFocus() { Raise(LostFocus); }

}  // namespace fw

#include "framework/Window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "framework/Application.h"
#include "framework/EventDispatch.h"
#include "framework/MenuBar.h"
#include "framework/PushButton.h"
#include "framework/QtSupport.h"
#include "framework/WindowSystem.h"

namespace fw {

using QtSupport::ToQ;

// The top-level widget: the menu bar (document windows) over a fixed-size content area.
class WindowWidget : public QMainWindow {
 public:
  WindowWidget(Window* owner, Qt::WindowFlags flags) : QMainWindow(nullptr, flags), owner_(owner) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    // The framework hides and destroys its windows itself.
    event->ignore();
    owner_->HandleCloseBox();
  }
  void changeEvent(QEvent* event) override {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) {
      WindowSystem::QtActivated(owner_);
    }
  }

 private:
  Window* owner_;
};

namespace {

// Escape closes a menu as a click outside it would: Qt's own handling leaves the
// menu bar holding the keyboard, and the next keys would be lost to the field.
class MenuEscapeFilter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
    static_cast<QMenu*>(watched)->hide();
    return true;
  }
};

MenuEscapeFilter& TheMenuEscapeFilter() {
  static MenuEscapeFilter* filter = new MenuEscapeFilter;
  return *filter;
}

Qt::WindowFlags FlagsFor(int frame) {
  if (frame == Window::SheetFrame) {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  }
  return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
}

QString ShortcutDisplay(const std::string& shortcut) {
  QString text = ToQ(shortcut);
  text.replace("Cmd+", "Ctrl+");
  text.replace("Option+", "Alt+");
  return text;
}

void PopulateMenu(QMenu* menu, MenuItem& item, Window* window) {
  menu->clear();
  for (int i = 0; i < item.Count(); ++i) {
    MenuItem& child = item.Item(i);
    if (child.IsSeparator()) {
      menu->addSeparator();
      continue;
    }
    if (child.Count() > 0) {
      PopulateMenu(menu->addMenu(ToQ(child.Text())), child, window);
      continue;
    }
    // Item texts are literal: only menu titles carry access keys.
    QString text = ToQ(child.Text()).replace("&", "&&");
    if (!child.KeyboardShortcut().empty()) text += "\t" + ShortcutDisplay(child.KeyboardShortcut());
    QAction* action = menu->addAction(text);
    action->setEnabled(child.Enabled());
    const std::string name = child.Name();
    QObject::connect(action, &QAction::triggered, menu, [window, name] {
      Guarded([&] { Application::RunMenuCommand(name, window); });
    });
  }
}

}  // namespace

Window::Window(int frame) : frame_(frame) {
  widget_ = new WindowWidget(this, FlagsFor(frame));
  QtSupport::MarkWindowWidget(widget_, this);
  content_ = new QWidget;
  content_->setFocusPolicy(Qt::NoFocus);
  widget_->setCentralWidget(content_);
  content_->setFixedSize(width_, height_);
  widget_->layout()->setSizeConstraint(QLayout::SetFixedSize);
  ApplyShownTitle();
  // Activation must not hand the focus to the first control.
  content_->setFocus(Qt::OtherFocusReason);
  WindowSystem::Register(this);
}

Window::~Window() {
  WindowSystem::Unregister(this);
  focus_ = nullptr;
  // A dialog shown within this window is parented to it for the showing only.
  const QObjectList children = widget_->children();
  for (QObject* child : children) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w && w->isWindow() && QtSupport::WindowOf(w) && QtSupport::WindowOf(w) != this) {
      w->hide();
      w->setParent(nullptr, w->windowFlags());
    }
  }
  controls_.clear();
  delete widget_;
}

void Window::SetTitle(const std::string& title) {
  title_ = title;
  ApplyShownTitle();
}

std::string Window::ShownTitle() const { return QtSupport::FromQ(widget_->windowTitle()); }

void Window::ApplyShownTitle() {
  const bool namesDocument = frame_ == SheetFrame && title_ == "Untitled" && modalParent_;
  widget_->setWindowTitle(ToQ(namesDocument ? modalParent_->ShownTitle() : title_));
}

void Window::SetSize(int width, int height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  content_->setFixedSize(width_, height_);
  widget_->adjustSize();
}

void Window::SetBackColor(Color color) {
  backColor_ = color;
  SetHasBackColor(true);
}

void Window::SetHasBackColor(bool has) {
  hasBackColor_ = has;
  content_->setAutoFillBackground(has);
  QPalette palette = content_->palette();
  if (has) {
    palette.setColor(QPalette::Window, QColor(backColor_.r, backColor_.g, backColor_.b));
  } else {
    palette.setColor(QPalette::Window, widget_->palette().color(QPalette::Window));
  }
  content_->setPalette(palette);
}

bool Window::Visible() const { return widget_->isVisible(); }

QWidget* Window::Widget() const { return widget_; }
QWidget* Window::Content() const { return content_; }

void Window::Show() {
  if (closed_) return;
  widget_->show();
  widget_->raise();
  WindowSystem::RequestActivation(this);
}

void Window::Hide() {
  if (!widget_->isVisible()) return;
  widget_->hide();
  WindowSystem::WindowHidden(this);
  if (modalLoop_) modalLoop_->exit();
}

bool Window::TryClose(bool appQuitting) {
  if (closed_) return true;
  if (RaiseResult(CancelClose, false, appQuitting)) return false;
  CloseNow();
  return true;
}

void Window::CloseNow() {
  if (closed_) return;
  closed_ = true;
  for (auto& control : controls_) {
    Control* c = control.get();
    Guarded([c] { c->OnClose(); });
  }
  Raise(Closed);
  widget_->hide();
  WindowSystem::WindowHidden(this);
  if (modalLoop_) modalLoop_->exit();
  WindowSystem::WindowClosed(this);
  Application* app = Application::Instance();
  if (app && app->Running() && !WindowSystem::AnyDocumentWindowOpen()) {
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
  }
}

void Window::Discard() {
  if (closed_) return;
  closed_ = true;
  focus_ = nullptr;
  logicallyActive_ = false;
  widget_->hide();
  if (modalLoop_) modalLoop_->exit();
  WindowSystem::WindowClosed(this);
}

void Window::HandleCloseBox() {
  // No close may re-enter a handler whose long loop lets events run.
  if (QtSupport::InBackgroundTask()) return;
  if (frame_ == SheetFrame || InModalShowing()) {
    Guarded([this] { CancelModal(); });
    return;
  }
  Guarded([this] { TryClose(false); });
}

void Window::CancelModal() {
  if (PushButton* cancel = CancelButton()) cancel->Push();
  if (Visible()) Hide();
}

void Window::ShowModalWithin(Window& parent) {
  if (closed_ || &parent == this) return;
  // Already showing for another caller: show again once that showing is dismissed.
  // A test has nobody to dismiss it: the earlier showing counts as unanswered.
  if (modalDepth_ > 0 && widget_->isVisible() && QtSupport::TestMode()) {
    QtSupport::CountUnansweredDialog();
    CancelModal();
  }
  while (modalDepth_ > 0 && widget_->isVisible() && !closed_) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  if (closed_) return;
  // Closed windows are not destroyed while a modal loop runs on this stack frame.
  const HandlerScope scope;
  ++modalDepth_;
  const int serial = ++modalSerial_;
  Window* previousParent = modalParent_;
  modalParent_ = &parent;
  ApplyShownTitle();
  widget_->setParent(parent.Widget(), widget_->windowFlags());
  widget_->setWindowModality(Qt::WindowModal);
  // Like a sheet: centred over the caller's content, at its top, rather than
  // wherever the platform puts a new window (the screen's corner without a
  // window manager).
  const QPoint origin = parent.Content()->mapToGlobal(QPoint(0, 0));
  widget_->adjustSize();
  widget_->move(origin.x() + (parent.Content()->width() - widget_->width()) / 2, origin.y());
  widget_->show();
  widget_->raise();
  WindowSystem::RequestActivation(this);

  if (QtSupport::TestMode()) {
    QtSupport::CountDialogShown();
    std::function<void(Window&)> answer;
    const bool answered = QtSupport::TakeDialogAnswer(&answer);
    QTimer::singleShot(0, widget_, [this, serial, answered, answer] {
      if (answered) Guarded([&] { answer(*this); });
      if (modalSerial_ == serial && modalLoop_ && widget_->isVisible()) {
        QtSupport::CountUnansweredDialog();
        Guarded([this] { CancelModal(); });
      }
    });
  }

  QEventLoop loop;
  QEventLoop* previousLoop = modalLoop_;
  modalLoop_ = &loop;
  if (widget_->isVisible() && !closed_) loop.exec(QEventLoop::DialogExec);
  QtSupport::ClearVectorState();
  modalLoop_ = previousLoop;
  modalParent_ = previousParent;
  ApplyShownTitle();
  --modalDepth_;
  if (modalDepth_ == 0) {
    widget_->hide();
    widget_->setWindowModality(Qt::NonModal);
    widget_->setParent(nullptr, widget_->windowFlags());
    // Qt need not hand the activation back: the parent's focus events depend on it.
    if (parent.Visible() && !parent.IsClosed() && FrontWindow() == &parent) WindowSystem::RequestActivation(&parent);
  }
}

void Window::SetMenuBar(MenuBar* bar) {
  menuBar_ = bar;
  BuildMenuBar();
}

void Window::BuildMenuBar() {
  if (frame_ != DocumentFrame) return;
  QMenuBar* qbar = widget_->menuBar();
  qbar->setNativeMenuBar(false);
  qbar->clear();
  qbar->setVisible(menuBar_ != nullptr);
  if (!menuBar_) return;
  for (int i = 0; i < menuBar_->Count(); ++i) {
    MenuItem* title = &menuBar_->Item(i);
    QMenu* menu = qbar->addMenu(ToQ(title->Text()));
    menu->installEventFilter(&TheMenuEscapeFilter());
    PopulateMenu(menu, *title, this);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this, menu, title] {
      Guarded([&] {
        Application::UpdateMenuEnabling(this);
        PopulateMenu(menu, *title, this);
      });
    });
  }
}

void Window::AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
  for (auto& entry : menuHandlers_) {
    if (entry.first == itemName) {
      entry.second = std::move(handler);
      return;
    }
  }
  menuHandlers_.emplace_back(itemName, std::move(handler));
}

const std::function<bool()>* Window::MenuHandler(std::string_view itemName) const {
  for (const auto& entry : menuHandlers_) {
    if (entry.first == itemName && entry.second) return &entry.second;
  }
  return nullptr;
}

Control& Window::AddControl(std::unique_ptr<Control> control) {
  controls_.push_back(std::move(control));
  Control& added = *controls_.back();
  added.SyncWidget();
  return added;
}

Control* Window::FindControl(std::string_view name, int index) const {
  for (const auto& control : controls_) {
    if (control->Name() == name && (index < 0 || control->Index() == index)) return control.get();
  }
  return nullptr;
}

void Window::ClearFocus() {
  SetFocusControl(nullptr);
  QWidget* focused = widget_->focusWidget();
  if (focused && focused != content_) content_->setFocus(Qt::OtherFocusReason);
}

void Window::SyncFocusFromWidgets() {
  if (closed_) return;
  QWidget* focused = widget_->focusWidget();
  Control* control = focused ? QtSupport::ControlOf(focused) : nullptr;
  if (control && &control->ParentWindow() != this) control = nullptr;
  if (control && control->KeyTarget() != focused) return;
  SetFocusControl(control);
}

void Window::SetFocusControl(Control* control) {
  if (focus_ == control) return;
  Control* old = focus_;
  focus_ = control;
  if (old) Guarded([old] { old->OnLostFocus(); });
  // A LostFocus handler may have moved the focus on.
  if (control && focus_ == control) Guarded([control] { control->OnGotFocus(); });
}

PushButton* Window::DefaultButton() const {
  for (const auto& control : controls_) {
    auto* button = dynamic_cast<PushButton*>(control.get());
    if (button && button->Default() && button->IsShown() && button->IsEnabled()) return button;
  }
  return nullptr;
}

PushButton* Window::CancelButton() const {
  for (const auto& control : controls_) {
    auto* button = dynamic_cast<PushButton*>(control.get());
    if (button && button->Cancel() && button->IsShown() && button->IsEnabled()) return button;
  }
  return nullptr;
}

bool Window::RouteKey(const std::string& key) {
  if (RaiseResult(KeyDown, false, key) || closed_) return true;
  if (key == "\r" || key == "\x03") {
    if (PushButton* button = DefaultButton()) {
      button->Push();
      return true;
    }
    return false;
  }
  if (key == "\x1b") {
    if (PushButton* button = CancelButton()) {
      button->Push();
      return true;
    }
    if (InModalShowing()) {
      Hide();
      return true;
    }
  }
  return false;
}

void Window::FinishOpening() {
  if (opened_) return;
  opened_ = true;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    Control* c = controls_[i].get();
    Guarded([c] { c->OnOpen(); });
  }
  Raise(Open);
  if (frame_ == DocumentFrame && !closed_) Show();
}

void Window::UpdateShownControls() {
  Control* focused = Focus();
  if (focused && !(focused->IsShown() && focused->IsEnabled())) ClearFocus();
  for (auto& control : controls_) control->SyncWidget();
}

void Window::SetLogicallyActive(bool active) {
  if (logicallyActive_ == active) return;
  logicallyActive_ = active;
  if (active) {
    Raise(Activate);
  } else {
    Raise(Deactivate);
  }
}

}  // namespace fw

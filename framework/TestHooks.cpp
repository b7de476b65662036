#include "framework/TestHooks.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QTabBar>
#include <QThreadPool>
#include <QWidget>
#include <cstdio>
#include <map>

#include "framework/Application.h"
#include "framework/Control.h"
#include "framework/FileTestHooks.h"
#include "framework/ImageGraphics.h"
#include "framework/MenuBar.h"
#include "framework/QtPicture.h"
#include "framework/QtSupport.h"
#include "framework/Window.h"
#include "framework/WindowSystem.h"

namespace fw::TestHooks {

namespace {

Qt::KeyboardModifiers ParseModifiers(const std::string& modifiers) {
  Qt::KeyboardModifiers mods;
  if (modifiers.find("shift") != std::string::npos) mods |= Qt::ShiftModifier;
  if (modifiers.find("ctrl") != std::string::npos) mods |= Qt::ControlModifier;
  if (modifiers.find("alt") != std::string::npos) mods |= Qt::AltModifier;
  return mods;
}

struct KeyStroke {
  int key = 0;
  QString text;
  Qt::KeyboardModifiers extra;
};

KeyStroke StrokeFor(const std::string& name, Qt::KeyboardModifiers mods) {
  static const std::map<std::string, std::pair<int, QString>> named = {
      {"Return", {Qt::Key_Return, "\r"}},    {"Enter", {Qt::Key_Enter, "\r"}},
      {"Tab", {Qt::Key_Tab, "\t"}},          {"Backtab", {Qt::Key_Backtab, ""}},
      {"Escape", {Qt::Key_Escape, "\x1b"}},  {"Backspace", {Qt::Key_Backspace, "\b"}},
      {"Delete", {Qt::Key_Delete, "\x7f"}},  {"Left", {Qt::Key_Left, ""}},
      {"Right", {Qt::Key_Right, ""}},        {"Up", {Qt::Key_Up, ""}},
      {"Down", {Qt::Key_Down, ""}},          {"Home", {Qt::Key_Home, ""}},
      {"End", {Qt::Key_End, ""}},            {"PageUp", {Qt::Key_PageUp, ""}},
      {"PageDown", {Qt::Key_PageDown, ""}},
  };
  KeyStroke stroke;
  if (auto it = named.find(name); it != named.end()) {
    stroke.key = it->second.first;
    stroke.text = it->second.second;
    if (name == "Enter") stroke.extra = Qt::KeypadModifier;
    if (name == "Backtab") stroke.extra = Qt::ShiftModifier;
    return stroke;
  }
  const QString q = QtSupport::ToQ(name);
  const char32_t c = q.toUcs4().value(0);
  if (c >= 'a' && c <= 'z') {
    stroke.key = Qt::Key_A + static_cast<int>(c - 'a');
  } else if (c >= 'A' && c <= 'Z') {
    stroke.key = Qt::Key_A + static_cast<int>(c - 'A');
    stroke.extra = Qt::ShiftModifier;
  } else if (c < 0x80) {
    stroke.key = static_cast<int>(c);
  } else {
    stroke.key = Qt::Key_unknown;
  }
  // With Control held the platform reports the control character, as a real keyboard does.
  if ((mods & Qt::ControlModifier) && stroke.key >= Qt::Key_A && stroke.key <= Qt::Key_Z) {
    stroke.text = QString(QChar(stroke.key - Qt::Key_A + 1));
  } else {
    stroke.text = q;
  }
  return stroke;
}

void SendKey(QWidget* target, const std::string& key, const std::string& modifiers) {
  if (!target) return;
  const Qt::KeyboardModifiers mods = ParseModifiers(modifiers);
  const KeyStroke stroke = StrokeFor(key, mods);
  QKeyEvent press(QEvent::KeyPress, stroke.key, mods | stroke.extra, stroke.text);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, stroke.key, mods | stroke.extra, stroke.text);
  QCoreApplication::sendEvent(target, &release);
}

void SendClick(QWidget* widget, QPoint pos, Qt::KeyboardModifiers mods) {
  if (!widget) return;
  QWidget* target = widget;
  if (QWidget* child = widget->childAt(pos)) {
    pos = child->mapFrom(widget, pos);
    target = child;
  }
  // Synthetic presses get no focus from Qt: give it as a real click would.
  for (QWidget* w = target; w; w = w->parentWidget()) {
    if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
      if (Control* control = QtSupport::ControlOf(w); control && control->KeyTarget() == w) {
        control->SetFocus();
      } else {
        w->setFocus(Qt::MouseFocusReason);
      }
      break;
    }
    if (w->isWindow()) break;
  }
  const QPointF local(pos);
  const QPointF global(target->mapToGlobal(pos));
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, mods);
  QCoreApplication::sendEvent(target, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, mods);
  QCoreApplication::sendEvent(target, &release);
}

void DropOffscreenReports(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith("This plugin does not support")) return;
  if (type == QtDebugMsg) return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

void QuietOffscreenMessages() { qInstallMessageHandler(DropOffscreenReports); }

void Reset() {
  QtSupport::SetTestMode(true);
  Application::SetExceptionHandler(nullptr);
  QtSupport::ResetDialogs();
  QtSupport::SetModifierOverride(std::nullopt);
  QtSupport::ResetBeeps();
  FileTestHooks::ClearSaveFailures();
}

void AnswerNextDialog(DialogAnswer answer) { QtSupport::QueueDialogAnswer(std::move(answer)); }
int PendingDialogAnswers() { return QtSupport::PendingDialogAnswers(); }
int UnansweredDialogs() { return QtSupport::UnansweredDialogs(); }
int DialogsShown() { return QtSupport::DialogsShown(); }

void SetModifierKeys(bool option, bool shift, bool control) {
  int mods = 0;
  if (option) mods |= Qt::AltModifier;
  if (shift) mods |= Qt::ShiftModifier;
  if (control) mods |= Qt::ControlModifier;
  QtSupport::SetModifierOverride(mods);
}

void ClearModifierKeys() { QtSupport::SetModifierOverride(std::nullopt); }

int BeepCount() { return QtSupport::Beeps(); }

void EndPaintingThreads() {
  // The raster engine's pool belongs to the application.
  for (QThreadPool* pool : QCoreApplication::instance()->findChildren<QThreadPool*>()) pool->waitForDone();
  QThreadPool::globalInstance()->waitForDone();
}

// One key per character, to a control or to a window's focus.
template <class Target>
void TypeEach(Target& target, const std::string& text) {
  const QString q = QtSupport::ToQ(text);
  for (char32_t c : q.toUcs4()) {
    PressKey(target, QtSupport::FromQ(QString::fromUcs4(&c, 1)));
  }
}

void TypeText(Control& control, const std::string& text) { TypeEach(control, text); }

void TypeText(Window& window, const std::string& text) { TypeEach(window, text); }

void PressKey(Control& control, const std::string& key, const std::string& modifiers) {
  QWidget* target = control.KeyTarget();
  if (target && !target->hasFocus() && target->focusPolicy() != Qt::NoFocus) control.SetFocus();
  // The focus may have moved the key target (a list box opening its cell editor).
  SendKey(control.KeyTarget(), key, modifiers);
}

void PressKey(Window& window, const std::string& key, const std::string& modifiers) {
  QWidget* target = window.Widget()->focusWidget();
  SendKey(target ? target : window.Content(), key, modifiers);
}

void Click(Control& control, const std::string& modifiers) {
  ClickAt(control, control.Width() / 2, control.Height() / 2, modifiers);
}

void ClickAt(Control& control, int x, int y, const std::string& modifiers) {
  SendClick(control.Widget(), QPoint(x, y), ParseModifiers(modifiers));
}

void ClickTab(Control& tabPanel, int tab, const std::string& modifiers) {
  auto* bar = tabPanel.Widget()->findChild<QTabBar*>();
  if (!bar || tab < 0 || tab >= bar->count()) return;
  SendClick(bar, bar->tabRect(tab).center(), ParseModifiers(modifiers));
}

bool ChooseMenu(Window& window, const std::string& itemName) { return Application::DispatchMenu(itemName, &window); }

bool MenuItemEnabled(Window& window, const std::string& itemName) {
  Application::UpdateMenuEnabling(&window);
  MenuBar* bar = Application::MenuBarFor(&window);
  MenuItem* item = bar ? bar->Child(itemName) : nullptr;
  return item && item->Enabled();
}

void ClickCloseBox(Window& window) { window.Widget()->close(); }

void DestroyAllWindows() { WindowSystem::DestroyAll(); }

void ProcessEvents() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  WindowSystem::PurgeClosed();
}

bool SaveScreenshot(Window& window, const std::string& path) {
  window.Widget()->adjustSize();
  return window.Widget()->grab().save(QtSupport::ToQ(path), "PNG");
}

namespace {

QImage ImageOf(const Picture& picture) {
  if (auto* qt = dynamic_cast<const QtPicture*>(&picture)) return qt->Image();
  QImage copy(picture.Width(), picture.Height(), QImage::Format_ARGB32_Premultiplied);
  copy.fill(Qt::white);
  ImageGraphics g(copy);
  g.DrawPicture(picture, 0, 0);
  return copy;
}

}  // namespace

Color PicturePixel(const Picture& picture, int x, int y) {
  const QImage image = ImageOf(picture);
  if (!image.valid(x, y)) return RGB(0, 0, 0);
  const QColor c = image.pixelColor(x, y);
  return RGB(c.red(), c.green(), c.blue());
}

bool SavePicture(const Picture& picture, const std::string& path) {
  return ImageOf(picture).save(QtSupport::ToQ(path), "PNG");
}

}  // namespace fw::TestHooks

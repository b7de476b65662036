#include "framework/QtSupport.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>
#include <deque>
#include <vector>

namespace fw::QtSupport {

namespace {
std::optional<int> modifierOverride;
std::vector<int> eventModifiers;
bool testMode = false;
bool inBackgroundTask = false;
int beepCount = 0;
std::deque<std::function<void(Window&)>> dialogAnswers;
int dialogsShown = 0;
int dialogsUnanswered = 0;
constexpr const char* kControlProperty = "fwControl";
constexpr const char* kWindowProperty = "fwWindow";
}  // namespace

QFont MakeFont(const std::string& name, int pixels, bool bold, bool italic) {
  QString family = ToQ(name);
  if (name.empty() || name == "System" || name == "Helvetica" || name == "Symbol") family = "DejaVu Sans";
  QFont font(family);
  font.setPixelSize(pixels > 0 ? pixels : 12);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

std::string KeyString(int qtKey, int modifiers, const QString& text) {
  switch (qtKey) {
    case Qt::Key_Return: return std::string(1, '\r');
    case Qt::Key_Enter: return std::string(1, '\x03');
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return std::string(1, '\t');
    case Qt::Key_Backspace: return std::string(1, '\b');
    case Qt::Key_Escape: return std::string(1, '\x1b');
    case Qt::Key_Delete: return std::string(1, '\x7f');
    case Qt::Key_Left: return std::string(1, '\x1c');
    case Qt::Key_Right: return std::string(1, '\x1d');
    case Qt::Key_Up: return std::string(1, '\x1e');
    case Qt::Key_Down: return std::string(1, '\x1f');
    case Qt::Key_Home: return std::string(1, '\x01');
    case Qt::Key_End: return std::string(1, '\x04');
    case Qt::Key_PageUp: return std::string(1, '\x0b');
    case Qt::Key_PageDown: return std::string(1, '\x0c');
    default: break;
  }
  // Control chords are commands, never typed characters (Ctrl+C reads as "\x03").
  if (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) return "";
  if (text.isEmpty()) return "";
  const char32_t first = text.toUcs4().value(0);
  if (first < 0x20 || first == 0x7f) return "";
  return FromQ(QString::fromUcs4(&first, 1));
}

std::string KeyString(const QKeyEvent& event) {
  return KeyString(event.key(), static_cast<int>(event.modifiers()), event.text());
}

int CharsToUnits(const QString& text, int chars) {
  int units = 0;
  for (int c = 0; c < chars && units < text.size(); ++c) {
    units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
  }
  return units;
}

int UnitsToChars(const QString& text, int units) {
  int chars = 0;
  for (int u = 0; u < units && u < text.size(); ++chars) {
    u += (text.at(u).isHighSurrogate() && u + 1 < text.size()) ? 2 : 1;
  }
  return chars;
}

Control* ControlOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    const QVariant v = w->property(kControlProperty);
    if (v.isValid()) return reinterpret_cast<Control*>(v.value<quintptr>());
    if (w->isWindow()) break;
  }
  return nullptr;
}

void MarkControlWidget(QWidget* widget, Control* control) {
  widget->setProperty(kControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(control)));
}

void UnmarkControlWidget(QWidget* widget) {
  widget->setProperty(kControlProperty, QVariant());
  for (QWidget* child : widget->findChildren<QWidget*>()) child->setProperty(kControlProperty, QVariant());
}

Window* WindowOf(QWidget* widget) {
  if (!widget) return nullptr;
  const QVariant v = widget->window()->property(kWindowProperty);
  return v.isValid() ? reinterpret_cast<Window*>(v.value<quintptr>()) : nullptr;
}

void MarkWindowWidget(QWidget* widget, Window* window) {
  widget->setProperty(kWindowProperty, QVariant::fromValue(reinterpret_cast<quintptr>(window)));
}

void SetModifierOverride(std::optional<int> modifiers) { modifierOverride = modifiers; }

int CurrentModifiers() {
  if (modifierOverride) return *modifierOverride;
  if (!eventModifiers.empty()) return eventModifiers.back();
  return static_cast<int>(QGuiApplication::queryKeyboardModifiers());
}

void PushEventModifiers(int modifiers) { eventModifiers.push_back(modifiers); }
void PopEventModifiers() {
  if (!eventModifiers.empty()) eventModifiers.pop_back();
}

bool InBackgroundTask() { return inBackgroundTask; }
void SetInBackgroundTask(bool on) { inBackgroundTask = on; }

bool TestMode() { return testMode; }
void SetTestMode(bool on) { testMode = on; }
void QueueDialogAnswer(std::function<void(Window&)> answer) { dialogAnswers.push_back(std::move(answer)); }

bool TakeDialogAnswer(std::function<void(Window&)>* answer) {
  if (dialogAnswers.empty()) return false;
  *answer = std::move(dialogAnswers.front());
  dialogAnswers.pop_front();
  return true;
}

int PendingDialogAnswers() { return static_cast<int>(dialogAnswers.size()); }
void CountDialogShown() { ++dialogsShown; }
void CountUnansweredDialog() { ++dialogsUnanswered; }
int DialogsShown() { return dialogsShown; }
int UnansweredDialogs() { return dialogsUnanswered; }
void ResetDialogs() {
  dialogAnswers.clear();
  dialogsShown = 0;
  dialogsUnanswered = 0;
}

void CountBeep() { ++beepCount; }
int Beeps() { return beepCount; }
void ResetBeeps() { beepCount = 0; }

#if defined(__x86_64__) && defined(__GNUC__)
namespace {
__attribute__((target("avx"))) void ClearUpperVectorState() { __builtin_ia32_vzeroupper(); }
}  // namespace

void ClearVectorState() {
  static const bool hasAvx = __builtin_cpu_supports("avx");
  if (hasAvx) ClearUpperVectorState();
}
#else
void ClearVectorState() {}
#endif

}  // namespace fw::QtSupport

#pragma once

#include <QFont>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QKeyEvent;
class QWidget;

namespace fw {
class Control;
class Window;
}  // namespace fw

// Conversions and shared state of the layer over Qt (framework-internal).
namespace fw::QtSupport {

inline QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string FromQ(const QString& s) { return s.toUtf8().toStdString(); }

// "System" and "Helvetica" are DejaVu Sans; size in pixels, 0 means 12.
QFont MakeFont(const std::string& name, int pixels, bool bold, bool italic);

// The key as the application sees it: a one-character string, or "" for a key
// that raises no KeyDown (a modifier alone, a Control-letter chord).
std::string KeyString(int qtKey, int modifiers, const QString& text);
std::string KeyString(const QKeyEvent& event);

// Positions: characters (code points) against UTF-16 units of the same text.
int CharsToUnits(const QString& text, int chars);
int UnitsToChars(const QString& text, int units);

// The control a widget belongs to (the widget or one of its parents), nil when none.
Control* ControlOf(QWidget* widget);
void MarkControlWidget(QWidget* widget, Control* control);
// The widget and its children belong to no control any more (it is being destroyed).
void UnmarkControlWidget(QWidget* widget);
// The framework window of a top-level widget, nil when none.
Window* WindowOf(QWidget* widget);
void MarkWindowWidget(QWidget* widget, Window* window);

// Modifier state: a test's override, else the state of the input event being
// delivered, else the system's.
void SetModifierOverride(std::optional<int> modifiers);
int CurrentModifiers();
void PushEventModifiers(int modifiers);
void PopEventModifiers();

// True while a long loop lets events run (RuntimeBackgroundTask): a close request
// then must not re-enter the handler that runs the loop.
bool InBackgroundTask();
void SetInBackgroundTask(bool on);

// Test mode: modal dialogs without a queued answer are cancelled at once.
bool TestMode();
void SetTestMode(bool on);
void QueueDialogAnswer(std::function<void(Window&)> answer);
bool TakeDialogAnswer(std::function<void(Window&)>* answer);
int PendingDialogAnswers();
void CountDialogShown();
void CountUnansweredDialog();
int DialogsShown();
int UnansweredDialogs();
void ResetDialogs();
void CountBeep();
int Beeps();
void ResetBeeps();

// Qt's start-up and painting leave the upper halves of the AVX registers dirty on
// this thread; every SSE instruction after that pays a transition penalty (numeric
// loops run several times slower). Called after event processing and before handlers.
void ClearVectorState();

}  // namespace fw::QtSupport

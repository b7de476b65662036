#pragma once

#include <functional>
#include <string>

#include "framework/Color.h"

namespace fw {
class Control;
class Picture;
class Window;
}  // namespace fw

// Hooks for tests that drive the application offscreen. Input is delivered as
// real key and mouse events, so it takes the same path as the user's.
namespace fw::TestHooks {

// Puts everything back: dialog answers, modifier override, beep count, the
// application's exception handler, save steps set to fail.
void Reset();

// Modal dialogs: the next ShowModalWithin calls the first queued answer with the
// dialog, once it is shown, inside its modal loop. The answer clicks buttons and
// types text; when it leaves the dialog showing, the dialog's cancel button is
// pressed (or the dialog hidden) and the showing counts as unanswered.
using DialogAnswer = std::function<void(Window& dialog)>;
void AnswerNextDialog(DialogAnswer answer);
int PendingDialogAnswers();
// Modal showings that found no queued answer (they are cancelled at once) or
// whose answer left the dialog showing.
int UnansweredDialogs();
// The number of modal showings since Reset.
int DialogsShown();

// Overrides Keyboard's modifier state until ClearModifierKeys or Reset.
void SetModifierKeys(bool option, bool shift, bool control);
void ClearModifierKeys();

int BeepCount();

// Ends the threads that Qt keeps for painting. A child forked afterwards paints on its own
// thread: it has none of the parent's, and would hand them work and wait for ever.
void EndPaintingThreads();

// Keys. Special keys by name: "Return", "Enter" (keypad), "Tab", "Backtab",
// "Escape", "Backspace", "Delete", "Left", "Right", "Up", "Down", "Home", "End",
// "PageUp", "PageDown"; otherwise a single character. Modifiers are a string
// holding any of "shift", "ctrl", "alt".
void TypeText(Control& control, const std::string& text);
void PressKey(Control& control, const std::string& key, const std::string& modifiers = "");
// To the window's focused control, or the window itself when none has the focus:
// where the user's typing goes, without giving any control the focus first.
void TypeText(Window& window, const std::string& text);
void PressKey(Window& window, const std::string& key, const std::string& modifiers = "");

// Mouse clicks at the control's centre, or at (x, y) relative to its top-left corner.
void Click(Control& control, const std::string& modifiers = "");
void ClickAt(Control& control, int x, int y, const std::string& modifiers = "");
// Clicks the tab of a tab panel, as the user would.
void ClickTab(Control& tabPanel, int tab, const std::string& modifiers = "");

// Menus, as the user would use them: EnableMenuItems first; nothing when disabled.
bool ChooseMenu(Window& window, const std::string& itemName);
bool MenuItemEnabled(Window& window, const std::string& itemName);
// The close box.
void ClickCloseBox(Window& window);

// Destroys every window without raising any event (between tests: handlers may
// refer to a test's locals that are gone).
void DestroyAllWindows();

// Drops the offscreen platform's reports of the window operations it lacks, and
// debug messages; other messages still reach stderr.
void QuietOffscreenMessages();

// Lets pending events run (paints, timers, deferred deletions).
void ProcessEvents();

// Renders the window (content area and menu bar) to a PNG file; false on failure.
bool SaveScreenshot(Window& window, const std::string& path);

// Pictures: one pixel's colour (black outside the picture), and the picture as a PNG file.
Color PicturePixel(const Picture& picture, int x, int y);
bool SavePicture(const Picture& picture, const std::string& path);

}  // namespace fw::TestHooks

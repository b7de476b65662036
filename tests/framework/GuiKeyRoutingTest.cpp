#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/EditField.h"
#include "framework/Keyboard.h"
#include "framework/PushButton.h"
#include "framework/QtSupport.h"
#include "framework/TabPanel.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"

namespace {

struct KeyWindow {
  fw::Window& window = fw::NewWindow<fw::Window>();
  fw::EditField& field = window.Add<fw::EditField>("EFHFormula");
  std::vector<std::string> keys;

  KeyWindow() {
    window.SetSize(400, 300);
    field.SetBounds(10, 10, 200, 22);
    field.KeyDown = [this](const std::string& key) {
      keys.push_back(key);
      return false;
    };
  }
};

}  // namespace

TEST(GuiKeyRoutingTest, KeysArriveAsOneCharacterStrings) {
  KeyWindow w;
  for (const char* key : {"Return", "Enter", "Tab", "Backspace", "Left", "Right", "Up", "Down", "Escape", "a", "="}) {
    fw::TestHooks::PressKey(w.field, key);
  }
  EXPECT_EQ(w.keys, (std::vector<std::string>{"\r", "\x03", "\t", "\b", "\x1c", "\x1d", "\x1e", "\x1f", "\x1b",
                                               "a", "="}));
  w.keys.clear();
  fw::TestHooks::PressKey(w.field, "Tab", "shift");
  fw::TestHooks::PressKey(w.field, "Backtab");
  EXPECT_EQ(w.keys, (std::vector<std::string>{"\t", "\t"}));
}

TEST(GuiKeyRoutingTest, ModifiersAloneAndControlChordsRaiseNoKeyDown) {
  KeyWindow w;
  fw::TestHooks::PressKey(w.field, "c", "ctrl");
  fw::TestHooks::PressKey(w.field, "m", "ctrl");
  fw::TestHooks::PressKey(w.field, "i", "ctrl");
  EXPECT_TRUE(w.keys.empty());
  // Control with an arrow is still the arrow: the table reads ControlKey itself.
  bool controlHeld = false;
  w.field.KeyDown = [&](const std::string& key) {
    w.keys.push_back(key);
    controlHeld = fw::Keyboard::ControlKey();
    return false;
  };
  fw::TestHooks::PressKey(w.field, "Left", "ctrl");
  EXPECT_EQ(w.keys, std::vector<std::string>{"\x1c"});
  EXPECT_TRUE(controlHeld);
}

TEST(GuiKeyRoutingTest, KeyMappingGoesByKeyCodeNotByText) {
  using fw::QtSupport::KeyString;
  EXPECT_EQ(KeyString(Qt::Key_Shift, Qt::ShiftModifier, ""), "");
  EXPECT_EQ(KeyString(Qt::Key_Alt, Qt::AltModifier, ""), "");
  EXPECT_EQ(KeyString(Qt::Key_Control, Qt::ControlModifier, ""), "");
  EXPECT_EQ(KeyString(Qt::Key_C, Qt::ControlModifier, QString(QChar(3))), "");
  EXPECT_EQ(KeyString(Qt::Key_M, Qt::ControlModifier, "\r"), "");
  EXPECT_EQ(KeyString(Qt::Key_Enter, Qt::KeypadModifier, "\r"), "\x03");
  EXPECT_EQ(KeyString(Qt::Key_Return, Qt::NoModifier, "\r"), "\r");
  EXPECT_EQ(KeyString(Qt::Key_5, Qt::KeypadModifier, "5"), "5");
  EXPECT_EQ(KeyString(Qt::Key_Delete, Qt::NoModifier, ""), "\x7f");
  EXPECT_EQ(KeyString(Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xce\xbc")), "\xce\xbc");
  EXPECT_EQ(KeyString(Qt::Key_A, Qt::AltModifier, "a"), "a");
}

TEST(GuiKeyRoutingTest, AConsumedKeyNeverReachesTheField) {
  KeyWindow w;
  w.field.KeyDown = [](const std::string& key) { return key == "r"; };
  int changes = 0;
  w.field.TextChange = [&] { ++changes; };
  fw::TestHooks::TypeText(w.field, "1r2");
  EXPECT_EQ(w.field.Text(), "12");
  EXPECT_EQ(changes, 2);
}

TEST(GuiKeyRoutingTest, ReturnAndEnterPressTheShownPagesDefaultButtonEscapeTheCancelButton) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  w.SetSize(400, 300);
  auto& panel = w.Add<fw::TabPanel>("TabPanel1");
  panel.SetBounds(0, 0, 400, 300);
  panel.AppendTab("Names");
  panel.AppendTab("Graph");
  auto& names = w.Add<fw::EditField>("EFNames");
  names.SetEnclosure(&panel, 0);
  auto& enter = w.Add<fw::PushButton>("PBEnter");
  enter.SetDefault(true);
  enter.SetEnclosure(&panel, 0);
  auto& update = w.Add<fw::PushButton>("PBUpdate");
  update.SetDefault(true);
  update.SetEnclosure(&panel, 1);
  auto& labels = w.Add<fw::PushButton>("PBFixLabels");
  labels.SetCancel(true);
  labels.SetEnclosure(&panel, 1);
  auto& limit = w.Add<fw::EditField>("EFHMin");
  limit.SetEnclosure(&panel, 1);
  std::vector<std::string> pressed;
  enter.Action = [&] { pressed.push_back("Enter"); };
  update.Action = [&] { pressed.push_back("Update"); };
  labels.Action = [&] { pressed.push_back("Labels"); };

  fw::TestHooks::PressKey(names, "Return");
  fw::TestHooks::PressKey(names, "Escape");  // the cancel button's page is hidden
  panel.SetValue(1);
  fw::TestHooks::PressKey(limit, "Enter");
  fw::TestHooks::PressKey(limit, "Escape");
  update.SetEnabled(false);
  fw::TestHooks::PressKey(limit, "Return");
  EXPECT_EQ(pressed, (std::vector<std::string>{"Enter", "Update", "Labels"}));

  // A field that consumes Return keeps it from the default button.
  update.SetEnabled(true);
  limit.KeyDown = [](const std::string& key) { return key == "\r"; };
  fw::TestHooks::PressKey(limit, "Return");
  EXPECT_EQ(pressed.size(), 3u);
}

TEST(GuiKeyRoutingTest, AKeyDownHandlerThatClosesTheWindowEndsTheKeysRouting) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& field = w.Add<fw::EditField>("EFNames");
  auto& enter = w.Add<fw::PushButton>("PBEnter");
  enter.SetDefault(true);
  int pressed = 0;
  int windowKeys = 0;
  enter.Action = [&] { ++pressed; };
  w.KeyDown = [&](const std::string&) { return ++windowKeys > 0; };
  field.KeyDown = [&](const std::string&) {
    w.CloseNow();
    return false;
  };
  fw::TestHooks::PressKey(field, "Return");
  EXPECT_TRUE(w.IsClosed());
  EXPECT_EQ(windowKeys, 0);
  EXPECT_EQ(pressed, 0);

  // The same for the window's own KeyDown before the default button.
  fw::Window& other = fw::NewWindow<fw::Window>();
  auto& ok = other.Add<fw::PushButton>("PBOK");
  ok.SetDefault(true);
  ok.Action = [&] { ++pressed; };
  other.KeyDown = [&](const std::string&) {
    other.CloseNow();
    return false;
  };
  fw::TestHooks::PressKey(other, "Return");
  EXPECT_TRUE(other.IsClosed());
  EXPECT_EQ(pressed, 0);
}

TEST(GuiKeyRoutingTest, WindowKeyDownSeesUnconsumedReturnEnterAndEscapeBeforeTheButtons) {
  KeyWindow w;
  auto& calculate = w.window.Add<fw::PushButton>("PBCalculate");
  calculate.SetDefault(true);
  int calculated = 0;
  calculate.Action = [&] { ++calculated; };
  std::vector<std::string> windowKeys;
  w.window.KeyDown = [&](const std::string& key) {
    windowKeys.push_back(key);
    return key == "\x03";
  };
  fw::TestHooks::PressKey(w.field, "Enter");
  fw::TestHooks::PressKey(w.field, "Return");
  fw::TestHooks::PressKey(w.field, "x");
  EXPECT_EQ(windowKeys, (std::vector<std::string>{"\x03", "\r"}));
  EXPECT_EQ(calculated, 1);
  EXPECT_EQ(w.field.Text(), "x");
}

TEST(GuiKeyRoutingTest, AMultiLineFieldKeepsItsReturn) {
  KeyWindow w;
  auto& ok = w.window.Add<fw::PushButton>("PBOK");
  ok.SetDefault(true);
  int pushed = 0;
  ok.Action = [&] { ++pushed; };
  w.field.SetMultiLine(true);
  fw::TestHooks::TypeText(w.field, "a");
  fw::TestHooks::PressKey(w.field, "Return");
  fw::TestHooks::TypeText(w.field, "b");
  EXPECT_EQ(w.field.Text(), "a\nb");
  EXPECT_EQ(pushed, 0);
}

TEST(GuiKeyRoutingTest, KeysWithoutAFocusedControlGoToTheWindow) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& canvas = w.Add<fw::Canvas>("Canvas1");
  canvas.SetBounds(0, 0, 32, 32);
  std::vector<std::string> keys;
  w.KeyDown = [&](const std::string& key) {
    keys.push_back(key);
    return true;
  };
  w.ClearFocus();
  fw::TestHooks::PressKey(w, "q");
  fw::TestHooks::PressKey(w, "Enter");
  EXPECT_EQ(keys, (std::vector<std::string>{"q", "\x03"}));
}

TEST(GuiKeyRoutingTest, TabMovesTheFocusToTheNextShownFieldWithFocusEvents) {
  fw::Window& w = fw::NewWindow<fw::Window>();
  auto& panel = w.Add<fw::TabPanel>("TabPanel1");
  panel.SetBounds(0, 0, 400, 300);
  panel.AppendTab("Names");
  panel.AppendTab("Data");
  auto& names = w.Add<fw::EditField>("EFNames");
  names.SetEnclosure(&panel, 0);
  auto& hidden = w.Add<fw::EditField>("EFHFormula");
  hidden.SetEnclosure(&panel, 1);
  auto& units = w.Add<fw::EditField>("EFHUnits");
  units.SetEnclosure(&panel, 0);
  std::vector<std::string> events;
  names.LostFocus = [&] { events.push_back("names lost"); };
  units.GotFocus = [&] { events.push_back("units got"); };
  hidden.GotFocus = [&] { events.push_back("hidden got"); };
  names.SetFocus();
  fw::TestHooks::PressKey(w, "Tab");
  EXPECT_EQ(w.Focus(), &units);
  EXPECT_EQ(events, (std::vector<std::string>{"names lost", "units got"}));
}

#include <gtest/gtest.h>

#include <QFont>
#include <QLineEdit>
#include <QWidget>
#include <string>
#include <vector>

#include "framework/CheckBox.h"
#include "framework/EditField.h"
#include "framework/GroupBox.h"
#include "framework/PopupMenu.h"
#include "framework/RadioButton.h"
#include "framework/ScrollBar.h"
#include "framework/Slider.h"
#include "framework/StaticText.h"
#include "framework/TabPanel.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"

namespace {

fw::Window& NewTestWindow() {
  fw::Window& w = fw::NewWindow<fw::Window>();
  w.SetSize(400, 300);
  return w;
}

}  // namespace

TEST(GuiControlEventsTest, EditFieldTextChangeIsSynchronousForCodeAndUserAndOnlyOnChange) {
  fw::Window& w = NewTestWindow();
  auto& field = w.Add<fw::EditField>("EFName");
  std::vector<std::string> seen;
  field.TextChange = [&] { seen.push_back(field.Text()); };
  field.SetText("abc");
  ASSERT_EQ(seen.size(), 1u);  // before the setter returned
  field.SetText("abc");
  EXPECT_EQ(seen.size(), 1u);
  fw::TestHooks::TypeText(field, "d");
  EXPECT_EQ(seen, (std::vector<std::string>{"abc", "abcd"}));
  field.SetText("");
  EXPECT_EQ(seen.back(), "");
}

TEST(GuiControlEventsTest, SelectionCountsCharactersNotBytes) {
  fw::Window& w = NewTestWindow();
  auto& field = w.Add<fw::EditField>("EF");
  field.SetText("a\xce\xbc" "bc");  // "aμbc"
  field.SetSelStart(1);
  field.SetSelLength(2);
  EXPECT_EQ(field.SelStart(), 1);
  EXPECT_EQ(field.SelLength(), 2);
  EXPECT_EQ(field.SelText(), "\xce\xbc" "b");
  int changes = 0;
  field.TextChange = [&] { ++changes; };
  field.SetSelText("x");
  EXPECT_EQ(field.Text(), "axc");
  EXPECT_EQ(field.SelStart(), 2);
  EXPECT_EQ(field.SelLength(), 0);
  EXPECT_EQ(changes, 1);
  field.SetSelStart(3);
  field.SetSelText("( )");
  EXPECT_EQ(field.Text(), "axc( )");
}

TEST(GuiControlEventsTest, MultiLineFieldKeepsTextAndLineBreaks) {
  fw::Window& w = NewTestWindow();
  auto& field = w.Add<fw::EditField>("EFLog");
  field.SetText("kept");
  field.SetMultiLine(true);
  EXPECT_EQ(field.Text(), "kept");
  int changes = 0;
  field.TextChange = [&] { ++changes; };
  field.SetText("one\rtwo\r\nthree");
  EXPECT_EQ(field.Text(), "one\ntwo\nthree");
  field.SetText("one\ntwo\nthree");
  EXPECT_EQ(changes, 1);
  field.SetReadOnly(true);
  field.SetText("set by code");
  EXPECT_EQ(field.Text(), "set by code");
}

TEST(GuiControlEventsTest, PopupMenuAddingRowsChoosesNothingAndChangeFollowsTheChoice) {
  fw::Window& w = NewTestWindow();
  auto& popup = w.Add<fw::PopupMenu>("PU");
  int changes = 0;
  popup.Change = [&] { ++changes; };
  for (const char* row : {"Integer", "n.n", "n.nn (Fixed 2DP)"}) popup.AddRow(row);
  EXPECT_EQ(popup.ListIndex(), -1);
  EXPECT_EQ(popup.ListCount(), 3);
  EXPECT_EQ(changes, 0);
  popup.SetListIndex(2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(popup.Text(), "n.nn (Fixed 2DP)");
  popup.SetListIndex(2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(popup.List(7), "");
}

TEST(GuiControlEventsTest, SliderAndScrollBarRaiseValueChangedOnlyOnChange) {
  fw::Window& w = NewTestWindow();
  auto& slider = w.Add<fw::Slider>("SD");
  slider.SetMinimum(1);
  slider.SetMaximum(100);
  std::vector<int> values;
  slider.ValueChanged = [&] { values.push_back(slider.Value()); };
  slider.SetValue(1);
  slider.SetValue(7);
  slider.SetValue(7);
  slider.SetValue(1000);
  EXPECT_EQ(values, (std::vector<int>{7, 100}));

  auto& bar = w.Add<fw::ScrollBar>("SB");
  bar.SetBounds(0, 0, 16, 200);
  bar.SetMaximum(50);
  int scrolled = 0;
  bar.ValueChanged = [&] { ++scrolled; };
  bar.SetValue(10);
  bar.SetValue(10);
  EXPECT_EQ(scrolled, 1);
}

TEST(GuiControlEventsTest, RadioButtonActionAlwaysRaisedWhenSetOnAndGroupsFollowEnclosures) {
  fw::Window& w = NewTestWindow();
  auto& gbh = w.Add<fw::GroupBox>("GBH");
  auto& gbv = w.Add<fw::GroupBox>("GBV");
  auto& hEntered = w.Add<fw::RadioButton>("RBHEntered");
  auto& hCalc = w.Add<fw::RadioButton>("RBHCalculated");
  auto& vEntered = w.Add<fw::RadioButton>("RBVEntered");
  auto& vCalc = w.Add<fw::RadioButton>("RBVCalculated");
  hEntered.SetEnclosure(&gbh);
  hCalc.SetEnclosure(&gbh);
  vEntered.SetEnclosure(&gbv);
  vCalc.SetEnclosure(&gbv);
  int hEnteredActions = 0;
  hEntered.Action = [&] { ++hEnteredActions; };
  hEntered.SetValue(true);
  hEntered.SetValue(true);
  EXPECT_EQ(hEnteredActions, 2);
  vEntered.SetValue(true);
  hCalc.SetValue(true);
  EXPECT_FALSE(hEntered.Value());
  EXPECT_TRUE(hCalc.Value());
  EXPECT_TRUE(vEntered.Value());
  EXPECT_FALSE(vCalc.Value());
  // A click turns a button on, never off, and raises Action.
  int calcClicks = 0;
  hCalc.Action = [&] { ++calcClicks; };
  hCalc.SetBounds(10, 10, 150, 20);
  fw::TestHooks::ClickAt(hCalc, 8, 10);
  EXPECT_TRUE(hCalc.Value());
  EXPECT_EQ(calcClicks, 1);
  fw::TestHooks::ClickAt(hEntered, 8, 10);
  EXPECT_FALSE(hCalc.Value());
  EXPECT_TRUE(hEntered.Value());
}

TEST(GuiControlEventsTest, CheckBoxActionOnEveryChange) {
  fw::Window& w = NewTestWindow();
  auto& box = w.Add<fw::CheckBox>("CBTabAcross");
  box.SetBounds(10, 10, 143, 20);
  int actions = 0;
  box.Action = [&] { ++actions; };
  box.SetValue(false);
  EXPECT_EQ(actions, 0);
  box.SetValue(true);
  fw::TestHooks::ClickAt(box, 8, 10);
  EXPECT_FALSE(box.Value());
  EXPECT_EQ(actions, 2);
}

TEST(GuiControlEventsTest, TabPanelShowsPageControlsBeforeChangeRuns) {
  fw::Window& w = NewTestWindow();
  auto& panel = w.Add<fw::TabPanel>("TabPanel1");
  panel.SetBounds(17, 17, 360, 260);
  for (const char* tab : {"Names", "Data", "Graph"}) panel.AppendTab(tab);
  auto& names = w.Add<fw::EditField>("EFNames");
  names.SetEnclosure(&panel, 0);
  auto& group = w.Add<fw::GroupBox>("GBH");
  group.SetEnclosure(&panel, 1);
  auto& formula = w.Add<fw::EditField>("EFHFormula");
  formula.SetEnclosure(&group);
  EXPECT_EQ(panel.Value(), 0);
  EXPECT_TRUE(names.IsShown());
  EXPECT_FALSE(formula.IsShown());

  std::vector<int> pages;
  bool formulaShownInChange = false;
  panel.Change = [&] {
    pages.push_back(panel.Value());
    formulaShownInChange = formula.IsShown() && formula.Widget()->isVisibleTo(w.Widget());
  };
  panel.SetValue(1);
  EXPECT_EQ(pages, std::vector<int>{1});
  EXPECT_TRUE(formulaShownInChange);
  EXPECT_FALSE(names.IsShown());
  panel.SetValue(1);
  EXPECT_EQ(pages.size(), 1u);
  fw::TestHooks::ClickTab(panel, 2);
  EXPECT_EQ(pages, (std::vector<int>{1, 2}));
  EXPECT_FALSE(formula.IsShown());
}

TEST(GuiControlEventsTest, ControlsKeepWindowCoordinatesInsideEnclosures) {
  fw::Window& w = NewTestWindow();
  auto& panel = w.Add<fw::TabPanel>("TabPanel1");
  panel.SetBounds(17, 17, 360, 260);
  panel.AppendTab("Names");
  auto& group = w.Add<fw::GroupBox>("GBLabel", 1);
  group.SetBounds(232 - 200, 240 - 200, 275 - 100, 55);
  group.SetEnclosure(&panel, 0);
  auto& field = w.Add<fw::EditField>("EFHName");
  field.SetBounds(99, 62, 68, 21);
  field.SetEnclosure(&group);
  EXPECT_EQ(field.Widget()->parentWidget(), w.Content());
  EXPECT_EQ(field.Widget()->geometry(), QRect(99, 62, 68, 21));
  group.SetEnabled(false);
  EXPECT_TRUE(field.Enabled());
  EXPECT_FALSE(field.IsEnabled());
  EXPECT_FALSE(field.Widget()->isEnabled());
  group.SetVisible(false);
  EXPECT_FALSE(field.IsShown());
}

TEST(GuiControlEventsTest, SystemFontIsDejaVuSansInPixels) {
  fw::Window& w = NewTestWindow();
  auto& label = w.Add<fw::StaticText>("STLabel", 8);
  QFont font = label.Widget()->font();
  EXPECT_EQ(font.family(), "DejaVu Sans");
  EXPECT_EQ(font.pixelSize(), 12);
  label.SetTextSize(14);
  label.SetBold(true);
  font = label.Widget()->font();
  EXPECT_EQ(font.pixelSize(), 14);
  EXPECT_TRUE(font.bold());
  label.SetTextSize(0);
  EXPECT_EQ(label.Widget()->font().pixelSize(), 12);
}

TEST(GuiControlEventsTest, ControlArraysAreFoundByNameAndIndex) {
  fw::Window& w = NewTestWindow();
  auto& first = w.Add<fw::StaticText>("STLabel", 8);
  auto& second = w.Add<fw::StaticText>("STLabel", 0);
  w.Add<fw::EditField>("EFNames");
  EXPECT_EQ(&w.Get<fw::StaticText>("STLabel", 0), &second);
  EXPECT_EQ(&w.Get<fw::StaticText>("STLabel", 8), &first);
  EXPECT_EQ(w.FindControl("STLabel", 3), nullptr);
  EXPECT_EQ(w.FindControl("EFNames")->Index(), -1);
  EXPECT_THROW(w.Get<fw::StaticText>("EFNames"), fw::RuntimeException);
}

TEST(GuiControlEventsTest, AChangeHandlerCanRefuseATabClickBySettingTheOldPageBack) {
  fw::Window& w = NewTestWindow();
  auto& panel = w.Add<fw::TabPanel>("TabPanel1");
  panel.SetBounds(0, 0, 400, 300);
  for (const char* tab : {"Names", "Data", "Graph"}) panel.AppendTab(tab);
  auto& names = w.Add<fw::EditField>("EFNames");
  names.SetEnclosure(&panel, 0);
  bool protect = false;
  std::vector<int> seen;
  panel.Change = [&] {
    seen.push_back(panel.Value());
    if (protect) return;
    protect = true;
    panel.SetValue(0);
    protect = false;
  };
  fw::TestHooks::ClickTab(panel, 2);
  EXPECT_EQ(seen, (std::vector<int>{2, 0}));
  EXPECT_EQ(panel.Value(), 0);
  EXPECT_TRUE(names.IsShown());
  EXPECT_TRUE(names.Widget()->isVisibleTo(w.Widget()));
}

#include "tests/window/ShellFixture.h"

namespace {

using WarnDlogTest = ShellTest;

TEST_F(WarnDlogTest, EmptyMessageShowsTheReminderWithOkOk) {
  MainWndo& w = OpenWindow();
  AnswerWarning();
  w.CallWarnDialog("");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, kNamesReminder);
  EXPECT_EQ(messages[0].button, "OK, OK");
}

TEST_F(WarnDlogTest, AnyOtherMessageShowsItselfWithOk) {
  MainWndo& w = OpenWindow();
  AnswerWarning();
  w.CallWarnDialog(" ");
  AnswerWarning();
  w.CallWarnDialog("Open Problem: Can't open file.");
  AnswerWarning();
  w.CallWarnDialog("");
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].text, " ");
  EXPECT_EQ(messages[0].button, "OK");
  EXPECT_EQ(messages[1].text, "Open Problem: Can't open file.");
  EXPECT_EQ(messages[1].button, "OK");
  EXPECT_EQ(messages[2].button, "OK, OK");
}

TEST_F(WarnDlogTest, IsOneSharedSheetShownWithinTheCallingWindow) {
  MainWndo& a = OpenWindow();
  MainWndo& b = OpenWindow();
  b.SetTitle("pendulum.gdx");
  fw::Window* shownFor = nullptr;
  fw::Window* dialog = nullptr;
  fw::TestHooks::AnswerNextDialog([&](fw::Window& d) {
    dialog = &d;
    shownFor = d.ModalParent();
    EXPECT_EQ(d.Width(), 383);
    EXPECT_EQ(d.Height(), 98);
    EXPECT_EQ(d.Title(), "Untitled");
    // Its title bar names the document it speaks for.
    EXPECT_EQ(d.ShownTitle(), "pendulum.gdx");
    EXPECT_EQ(d.Frame(), fw::Window::SheetFrame);
    dynamic_cast<class WarnDlog&>(d).PBOK->Push();
  });
  b.CallWarnDialog("x");
  EXPECT_EQ(shownFor, &b);
  AnswerWarning();
  a.CallWarnDialog("y");
  EXPECT_EQ(dialog, &WarnDlog());
  EXPECT_FALSE(WarnDlog().Visible());
  EXPECT_FALSE(a.IsClosed());
}

TEST_F(WarnDlogTest, ReturnDismissesTheDialog) {
  MainWndo& w = OpenWindow();
  fw::TestHooks::AnswerNextDialog([](fw::Window& d) { fw::TestHooks::PressKey(d, "Return"); });
  w.CallWarnDialog("Done");
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 1);
  EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
}

TEST_F(WarnDlogTest, AMessageForAnotherWindowWhileOneShowsIsNotLost) {
  MainWndo& a = OpenWindow();
  MainWndo& b = OpenWindow();
  fw::TestHooks::AnswerNextDialog([&](fw::Window& first) {
    auto& firstDialog = dynamic_cast<class WarnDlog&>(first);
    messages.push_back({firstDialog.StaticText1->Text(), firstDialog.PBOK->Caption()});
    AnswerWarning();
    b.CallWarnDialog("");
    EXPECT_EQ(firstDialog.StaticText1->Text(), "first");
    firstDialog.PBOK->Push();
  });
  a.CallWarnDialog("first");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, "first");
  EXPECT_EQ(messages[0].button, "OK");
  EXPECT_EQ(messages[1].text, kNamesReminder);
  EXPECT_EQ(messages[1].button, "OK, OK");
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 2);
  EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
}

TEST_F(WarnDlogTest, ALongMessageGrowsTheDialogAndTheNextShortOneShrinksIt) {
  MainWndo& w = OpenWindow();
  struct Size {
    int height, textHeight, buttonTop;
  };
  std::vector<Size> sizes;
  auto record = [&sizes](fw::Window& d) {
    auto& warn = dynamic_cast<class WarnDlog&>(d);
    sizes.push_back({warn.Height(), warn.StaticText1->Height(), warn.PBOK->Top()});
    warn.PBOK->Push();
  };
  std::string longText;
  for (int i = 0; i < 12; ++i) longText += "The formula could not be evaluated at this row. ";
  fw::TestHooks::AnswerNextDialog(record);
  w.CallWarnDialog(longText);
  fw::TestHooks::AnswerNextDialog(record);
  w.CallWarnDialog("Open Problem: Not a Gradix file or data is corrupt.");
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_GT(sizes[0].textHeight, 35 * 3);
  EXPECT_EQ(sizes[0].buttonTop, 58 + sizes[0].textHeight - 35);
  EXPECT_EQ(sizes[0].height, 98 + sizes[0].textHeight - 35);
  EXPECT_EQ(sizes[1].height, 98);
  EXPECT_EQ(sizes[1].textHeight, 35);
  EXPECT_EQ(sizes[1].buttonTop, 58);
}

}  // namespace

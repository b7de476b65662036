#include <filesystem>
#include <string>

#include "app/AboutWndo.h"
#include "framework/FileTestHooks.h"
#include "framework/Graphics.h"
#include "framework/HTMLViewer.h"
#include "framework/ImageWell.h"
#include "tests/window/ShellFixture.h"

namespace {

const std::string kResources = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "resources";

class AboutWndoTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    fw::FileTestHooks::SetResourceFolder(kResources);
  }
  void TearDown() override {
    fw::FileTestHooks::SetResourceFolder("");
    ShellTest::TearDown();
  }

  static int AboutWindows() {
    int count = 0;
    for (fw::Window* w : fw::Windows()) count += dynamic_cast<class AboutWndo*>(w) != nullptr;
    return count;
  }
};

TEST_F(AboutWndoTest, ShowsOurTextOverTheLogo) {
  MainWndo& w = OpenWindow();
  EXPECT_FALSE(fw::TestHooks::ChooseMenu(w, "HelpAboutGradix"));
  ASSERT_EQ(AboutWindows(), 1);
  class AboutWndo& about = AboutWndo();
  EXPECT_EQ(about.Title(), "About Gradix");
  EXPECT_EQ(about.Width(), 737);
  EXPECT_EQ(about.Height(), 714);
  EXPECT_TRUE(about.Visible());
  EXPECT_EQ(about.HTMLViewer1->PageSource(), AboutGradix());
  EXPECT_NE(about.HTMLViewer1->PlainText().find("Gradix"), std::string::npos);
  ASSERT_NE(about.ImageWell1->Image(), nullptr);
  EXPECT_EQ(about.ImageWell1->Image()->Width(), 215);
  EXPECT_EQ(about.ImageWell1->Image()->Height(), 38);
  EXPECT_EQ(about.ImageWell1->Left(), 172);
  EXPECT_EQ(about.ImageWell1->Top(), 666);
}

TEST_F(AboutWndoTest, ChoosingAboutTwiceKeepsOneModelessWindow) {
  MainWndo& w = OpenWindow();
  fw::TestHooks::ChooseMenu(w, "HelpAboutGradix");
  class AboutWndo* first = &AboutWndo();
  fw::TestHooks::ChooseMenu(w, "HelpAboutGradix");
  EXPECT_EQ(AboutWindows(), 1);
  EXPECT_EQ(&AboutWndo(), first);
  EXPECT_FALSE(first->InModalShowing());
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
}

TEST_F(AboutWndoTest, CopyIsEnabledWhileTheTextHasTheFocus) {
  MainWndo& w = OpenWindow();
  fw::TestHooks::ChooseMenu(w, "HelpAboutGradix");
  class AboutWndo& about = AboutWndo();
  EXPECT_EQ(about.CurrentMenuBar(), w.CurrentMenuBar());
  about.ClearFocus();
  EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(about, "EditCopy"));
  about.HTMLViewer1->SetFocus();
  EXPECT_TRUE(fw::TestHooks::MenuItemEnabled(about, "EditCopy"));
  EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(about, "EditPaste"));
  EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(about, "FileSave"));
}

TEST_F(AboutWndoTest, CloseAndItsShortcutCloseTheAboutWindowOnly) {
  MainWndo& w = OpenWindow();
  fw::TestHooks::ChooseMenu(w, "HelpAboutGradix");
  EXPECT_TRUE(fw::TestHooks::MenuItemEnabled(AboutWndo(), "FileClose"));
  // Nothing of a document can be saved from here.
  EXPECT_FALSE(fw::TestHooks::MenuItemEnabled(AboutWndo(), "FileSaveAs"));
  EXPECT_TRUE(fw::TestHooks::ChooseMenu(AboutWndo(), "FileClose"));
  fw::TestHooks::ProcessEvents();
  EXPECT_EQ(AboutWindows(), 0);

  fw::TestHooks::ChooseMenu(w, "HelpAboutGradix");
  ASSERT_EQ(AboutWindows(), 1);
  fw::TestHooks::PressKey(AboutWndo(), "w", "ctrl");
  fw::TestHooks::ProcessEvents();
  EXPECT_EQ(AboutWindows(), 0);
  EXPECT_FALSE(w.IsClosed());
  EXPECT_TRUE(w.Visible());
}

TEST_F(AboutWndoTest, ReopenedWindowShowsTheCachedTextAndPicture) {
  MainWndo& w = OpenWindow();
  fw::TestHooks::ChooseMenu(w, "HelpAboutGradix");
  const std::string text = AboutWndo().HTMLViewer1->PageSource();
  ASSERT_FALSE(text.empty());
  AboutWndo().CloseNow();
  fw::TestHooks::ProcessEvents();
  EXPECT_EQ(AboutWindows(), 0);

  fw::FileTestHooks::SetResourceFolder(std::filesystem::temp_directory_path().string());
  fw::TestHooks::ChooseMenu(w, "HelpAboutGradix");
  ASSERT_EQ(AboutWindows(), 1);
  EXPECT_EQ(AboutWndo().HTMLViewer1->PageSource(), text);
  EXPECT_NE(AboutWndo().ImageWell1->Image(), nullptr);
}

}  // namespace

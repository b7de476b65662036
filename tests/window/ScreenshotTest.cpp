#include <filesystem>
#include <string>

#include "app/AboutWndo.h"
#include "framework/FileTestHooks.h"
#include "framework/TabPanel.h"
#include "tests/window/ShellFixture.h"

namespace {

// The folder of the test executable, inside the build folder.
std::filesystem::path ShotFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "screenshots";
}

using ScreenshotTest = ShellTest;

TEST_F(ScreenshotTest, RendersEachPageOfANewWindow) {
  std::filesystem::create_directories(ShotFolder());
  MainWndo& w = OpenWindow();
  const char* names[] = {"names", "data", "graph"};
  FillNames(w, "Ann & Bo", "t", "s", "d", "m");
  GiveTwoPoints(w);
  for (int page : {1, 2, 0}) {
    fw::TestHooks::ClickTab(*w.TabPanel1, page);
    ASSERT_EQ(w.TabPanel1->Value(), page);
    const auto path = ShotFolder() / (std::string("window-") + names[page] + ".png");
    ASSERT_TRUE(fw::TestHooks::SaveScreenshot(w, path.string())) << path;
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
  }
}

TEST_F(ScreenshotTest, RendersTheMessageDialog) {
  std::filesystem::create_directories(ShotFolder());
  MainWndo& w = OpenWindow();
  bool saved = false;
  fw::TestHooks::AnswerNextDialog([&saved](fw::Window& d) {
    saved = fw::TestHooks::SaveScreenshot(d, (ShotFolder() / "warn-dialog.png").string());
    dynamic_cast<class WarnDlog&>(d).PBOK->Push();
  });
  w.CallWarnDialog("");
  EXPECT_TRUE(saved);
}

TEST_F(ScreenshotTest, RendersTheAboutWindow) {
  std::filesystem::create_directories(ShotFolder());
  fw::FileTestHooks::SetResourceFolder(
      (std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "resources").string());
  MainWndo& w = OpenWindow();
  fw::TestHooks::ChooseMenu(w, "HelpAboutGradix");
  EXPECT_TRUE(fw::TestHooks::SaveScreenshot(AboutWndo(), (ShotFolder() / "about.png").string()));
  fw::FileTestHooks::SetResourceFolder("");
}

}  // namespace

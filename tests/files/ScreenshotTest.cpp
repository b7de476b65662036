#include "FilesFixture.h"

namespace {

// Renders both dialogs over a document window, for a person to look at.
using DialogScreenshotTest = FilesTest;

std::string ShotPath(const std::string& name) {
  const auto folder = std::filesystem::temp_directory_path() / "gradix-files-screens";
  std::filesystem::create_directories(folder);
  return (folder / name).string();
}

TEST_F(DialogScreenshotTest, SaveQuestion) {
  bool saved = false;
  fw::TestHooks::AnswerNextDialog([&saved](fw::Window& d) {
    saved = fw::TestHooks::SaveScreenshot(d, ShotPath("save-query.png"));
    dynamic_cast<class SaveQuery&>(d).PBCancel->Push();
  });
  w->EFNames->SetText("Ann");
  EXPECT_FALSE(w->Files.CloseOK());
  EXPECT_TRUE(saved);
}

TEST_F(DialogScreenshotTest, ImportLayouts) {
  bool saved = false;
  AnswerImport([&saved](class ImportSheet& d) {
    fw::TestHooks::Click(*d.RBOneTabs);
    saved = fw::TestHooks::SaveScreenshot(d, ShotPath("import-sheet.png"));
    d.PBCancel->Push();
  });
  ImportSheet().ShowModalWithin(*w);
  EXPECT_TRUE(saved);
}

}  // namespace

#include "FilesFixture.h"

namespace {

class CloseQuestionTest : public FilesTest {
 protected:
  // A changed document, bound to a file that holds an earlier save.
  void ChangedDocumentWithFile() {
    w->myFile = std::make_shared<fw::FolderItem>(Path("run.gdx"));
    w->SetTitle("run.gdx");
    w->Files.DoSave();
    before = ReadFile(Path("run.gdx"));
    w->EFNames->SetText("Ann");
    ASSERT_TRUE(w->Dirty);
  }
  std::string before;
};

TEST_F(CloseQuestionTest, AnUnchangedWindowClosesWithoutAQuestion) {
  fw::TestHooks::ChooseMenu(*w, "FileClose");
  EXPECT_TRUE(w->IsClosed());
  MainWndo& other = fw::NewWindow<MainWndo>();
  fw::TestHooks::ClickCloseBox(other);
  EXPECT_TRUE(other.IsClosed());
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
}

TEST_F(CloseQuestionTest, CancelKeepsTheWindowOpenWhicheverWayItWasClosed) {
  ChangedDocumentWithFile();
  AnswerSaveQuery([](class SaveQuery& q) { return q.PBCancel; });
  fw::TestHooks::ChooseMenu(*w, "FileClose");
  EXPECT_FALSE(w->IsClosed());
  AnswerSaveQuery([](class SaveQuery& q) { return q.PBCancel; });
  fw::TestHooks::ClickCloseBox(*w);
  fw::TestHooks::ProcessEvents();
  EXPECT_FALSE(w->IsClosed());
  EXPECT_EQ(SaveQuery().Answer, 0);
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 2);
  EXPECT_TRUE(w->Dirty);
  EXPECT_EQ(ReadFile(Path("run.gdx")), before);
}

TEST_F(CloseQuestionTest, DontSaveClosesAndLeavesTheFileAsItWas) {
  ChangedDocumentWithFile();
  AnswerSaveQuery([](class SaveQuery& q) { return q.PBNo; });
  fw::TestHooks::ClickCloseBox(*w);
  EXPECT_TRUE(w->IsClosed());
  EXPECT_EQ(SaveQuery().Answer, 1);
  EXPECT_EQ(ReadFile(Path("run.gdx")), before);
}

TEST_F(CloseQuestionTest, ASaveThatFailsKeepsTheWindowOpen) {
  ChangedDocumentWithFile();
  for (bool closeBox : {false, true}) {
    fw::FileTestHooks::FailNextSaveStep(fw::FileTestHooks::SaveStep::Sync);
    AnswerSaveQuery([](class SaveQuery& q) { return q.PBSave; });
    AnswerWarning();
    if (closeBox) fw::TestHooks::ClickCloseBox(*w);
    else fw::TestHooks::ChooseMenu(*w, "FileClose");
    fw::TestHooks::ProcessEvents();
    EXPECT_FALSE(w->IsClosed());
    EXPECT_TRUE(w->Dirty);
  }
  EXPECT_EQ(messages, std::vector<std::string>(2, "Save Problem: Could not create file."));
  EXPECT_EQ(ReadFile(Path("run.gdx")), before);
}

TEST_F(CloseQuestionTest, SaveWritesTheDocumentsFileAndCloses) {
  ChangedDocumentWithFile();
  AnswerSaveQuery([](class SaveQuery& q) { return q.PBSave; });
  fw::TestHooks::ChooseMenu(*w, "FileClose");
  EXPECT_TRUE(w->IsClosed());
  EXPECT_EQ(fw::FileTestHooks::ChooserCount(), 0);
  EXPECT_EQ(ReadLines(Path("run.gdx"))[1], "Ann");
}

TEST_F(CloseQuestionTest, SaveOnANewDocumentAsksForAFileAndClosesOnlyWhenWritten) {
  w->EFNames->SetText("Ann");
  AnswerSaveQuery([](class SaveQuery& q) { return q.PBSave; });
  fw::FileTestHooks::AnswerNextChooser(std::nullopt);
  fw::TestHooks::ChooseMenu(*w, "FileClose");
  EXPECT_FALSE(w->IsClosed());
  EXPECT_EQ(fw::FileTestHooks::LastChooserRequest().typeName, "GradixData");
  EXPECT_EQ(fw::FileTestHooks::LastChooserRequest().suggestedName, "Untitled");
  EXPECT_EQ(w->myFile, nullptr);
  EXPECT_EQ(w->Title(), "Untitled");
  EXPECT_TRUE(w->Dirty);

  AnswerSaveQuery([](class SaveQuery& q) { return q.PBSave; });
  fw::FileTestHooks::AnswerNextChooser(Path("first"));
  fw::TestHooks::ChooseMenu(*w, "FileClose");
  EXPECT_TRUE(w->IsClosed());
  EXPECT_EQ(w->Title(), "first");
  EXPECT_EQ(ReadLines(Path("first.gdx"))[1], "Ann");
}

TEST_F(CloseQuestionTest, SaveToAFileThatCannotBeCreatedKeepsTheWindowOpen) {
  w->EFNames->SetText("Ann");
  AnswerSaveQuery([](class SaveQuery& q) { return q.PBSave; });
  fw::FileTestHooks::AnswerNextChooser(Path("missing/run.gdx"));
  AnswerWarning();
  fw::TestHooks::ClickCloseBox(*w);
  EXPECT_FALSE(w->IsClosed());
  EXPECT_EQ(messages, std::vector<std::string>{"Save Problem: Could not create file."});
  EXPECT_TRUE(w->Dirty);
  EXPECT_EQ(w->Title(), "run.gdx");
}

TEST_F(CloseQuestionTest, ReturnSavesAndEscapeCancels) {
  ChangedDocumentWithFile();
  fw::TestHooks::AnswerNextDialog([](fw::Window& d) { fw::TestHooks::PressKey(d, "Escape"); });
  EXPECT_FALSE(w->Files.CloseOK());
  fw::TestHooks::AnswerNextDialog([](fw::Window& d) { fw::TestHooks::PressKey(d, "Return"); });
  EXPECT_TRUE(w->Files.CloseOK());
  EXPECT_FALSE(w->Dirty);
  EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
}

TEST_F(CloseQuestionTest, TheQuestionDialogIsLaidOutAsDesigned) {
  class SaveQuery& q = SaveQuery();
  EXPECT_EQ(&q, &SaveQuery());
  EXPECT_EQ(q.Width(), 355);
  EXPECT_EQ(q.Height(), 109);
  EXPECT_EQ(q.Title(), "Untitled");
  EXPECT_EQ(q.Frame(), fw::Window::SheetFrame);
  EXPECT_EQ(q.StaticText1->Text(), "Do you wish to save your unsaved changes before closing?");
  EXPECT_EQ(q.PBNo->Caption(), "Don't Save");
  EXPECT_EQ(q.PBCancel->Caption(), "Cancel");
  EXPECT_EQ(q.PBSave->Caption(), "Save");
  EXPECT_TRUE(q.PBSave->Default());
  EXPECT_TRUE(q.PBCancel->Cancel());
}

}  // namespace

#include "FilesFixture.h"
#include "engine/GlobalFuncts.h"
#include "window/table/UndoableAction.h"

namespace {

class ImportTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    ToDataPage();
    // Rows 0..4 full: column c of row r holds 100 * c + r.
    for (int row = 0; row < 5; ++row) {
      for (int col = 1; col <= 4; ++col) Enter(row, col, fw::Str(Old(row, col)));
    }
    w->EFHFormula->SetText("t*2");
    w->Dirty = false;
  }

  static double Old(int row, int col) { return 100.0 * col + row; }

  // Chooses layout (its radio button) and item of its popup, then "Do Import".
  void Import(const std::string& text, fw::RadioButton* ImportSheet::*layout,
              fw::PopupMenu* ImportSheet::*popup = nullptr, int item = 0, bool warned = false) {
    WriteFile(Path("data.txt"), text);
    ImportFile(Path("data.txt"), layout, popup, item, warned);
  }
  void ImportFile(const std::string& path, fw::RadioButton* ImportSheet::*layout,
                  fw::PopupMenu* ImportSheet::*popup = nullptr, int item = 0, bool warned = false) {
    fw::FileTestHooks::AnswerNextChooser(path);
    AnswerImport([=](class ImportSheet& d) {
      fw::TestHooks::Click(*(d.*layout));
      if (popup) (d.*popup)->SetListIndex(item);
      d.PBDo->Push();
    });
    if (warned) AnswerWarning();
    fw::TestHooks::ChooseMenu(*w, "FileImport");
  }

  void ExpectCell(int row, int col, double value) {
    EXPECT_TRUE(w->CellFull[row][col]) << row << "," << col;
    EXPECT_EQ(w->Data[0][row][col], value) << row << "," << col;
  }
  void ExpectEmptyCell(int row, int col) {
    EXPECT_FALSE(w->CellFull[row][col]) << row << "," << col;
    EXPECT_EQ(w->LBData->Cell(row, col), "") << row << "," << col;
  }
  void ExpectOldTable() {
    for (int row = 0; row < 99; ++row) {
      for (int col = 1; col <= 4; ++col) {
        if (row < 5) ExpectCell(row, col, Old(row, col));
        else EXPECT_FALSE(w->CellFull[row][col]) << row << "," << col;
      }
    }
  }
  // The state every successful import leaves: one undoable change, cell (0, col) open.
  void ExpectImported(int col) {
    EXPECT_TRUE(w->Dirty);
    EXPECT_TRUE(w->CellDirty);
    EXPECT_TRUE(w->PasteOK);
    EXPECT_NE(w->LastAction, nullptr);
    EXPECT_EQ(w->LBData->EditRow(), 0);
    EXPECT_EQ(w->LBData->EditColumn(), col);
    ASSERT_NE(w->LBData->ActiveCell(), nullptr);
    EXPECT_EQ(w->LBData->ActiveCell()->SelLength(), fw::Len(w->LBData->ActiveCell()->Text()));
    EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
  }
};

TEST_F(ImportTest, FourColumnsReplaceTheTopRowsOnly) {
  Import("1\t2\t3\t4\n5\t6\t7\t8\n9\t10\t11\t12\n", &ImportSheet::RBFourCol);
  ExpectImported(1);
  for (int row = 0; row < 3; ++row) {
    for (int col = 1; col <= 4; ++col) ExpectCell(row, col, 4.0 * row + col);
  }
  for (int row = 3; row < 5; ++row) {
    for (int col = 1; col <= 4; ++col) ExpectCell(row, col, Old(row, col));
  }
  EXPECT_EQ(w->LBData->Cell(1, 2), GlobalFuncts::Reformat(6, 2));
  EXPECT_EQ(w->LBData->Cell(4, 4), GlobalFuncts::Reformat(404, 2));
  EXPECT_EQ(w->LBData->ActiveCell()->Text(), "1");
}

TEST_F(ImportTest, TwoColumnsOfVerticalDataKeepTheHorizontalColumns) {
  Import("1.5\t0.1\n2.5\t0.2\n", &ImportSheet::RRBDatUnc, &ImportSheet::PUDatUnc, 1);
  ExpectImported(3);
  ExpectCell(0, 3, 1.5);
  ExpectCell(0, 4, 0.1);
  ExpectCell(1, 3, 2.5);
  ExpectCell(1, 4, 0.2);
  ExpectCell(0, 1, Old(0, 1));
  ExpectCell(1, 2, Old(1, 2));
  ExpectCell(2, 3, Old(2, 3));
}

TEST_F(ImportTest, HorizontalAndVerticalDataEmptyTheUncertainties) {
  Import("1\t10\n2\t20\n", &ImportSheet::RBXY);
  ExpectImported(1);
  ExpectCell(0, 1, 1);
  ExpectCell(0, 3, 10);
  ExpectCell(1, 1, 2);
  ExpectCell(1, 3, 20);
  for (int row = 0; row < 2; ++row) {
    ExpectEmptyCell(row, 2);
    ExpectEmptyCell(row, 4);
  }
  for (int col = 1; col <= 4; ++col) ExpectCell(2, col, Old(2, col));
}

TEST_F(ImportTest, OneColumnPerLineFillsColumnsDownTheRows) {
  Import("1\t2\t3\t4\t5\n6\t7\t8\n", &ImportSheet::RBOneTabs);
  ExpectImported(1);
  for (int row = 0; row < 5; ++row) ExpectCell(row, 1, row + 1.0);
  for (int row = 0; row < 3; ++row) ExpectCell(row, 2, row + 6.0);
  ExpectCell(3, 2, Old(3, 2));
  ExpectCell(4, 2, Old(4, 2));
  ExpectCell(0, 3, Old(0, 3));
}

TEST_F(ImportTest, OneColumnPerLineFromTheVerticalData) {
  Import("1\t2\n3\t4\n", &ImportSheet::RBOneTabs, &ImportSheet::PUOneTabs, 2);
  ExpectImported(3);
  ExpectCell(1, 3, 2);
  ExpectCell(1, 4, 4);
  ExpectCell(0, 1, Old(0, 1));
}

TEST_F(ImportTest, OneValuePerLineIsTrimmedOnTheLeft) {
  Import("  2.5\n3.5  \n   \nabc\n", &ImportSheet::RBOne, &ImportSheet::PUOne, 1);
  ExpectImported(2);
  ExpectCell(0, 2, 2.5);
  ExpectCell(1, 2, 3.5);
  ExpectEmptyCell(2, 2);
  ExpectCell(3, 2, 0);
  ExpectCell(0, 1, Old(0, 1));
  ExpectCell(4, 2, Old(4, 2));
}

TEST_F(ImportTest, ALineThatDoesNotFitChangesNothing) {
  struct Case {
    const char* text;
    fw::RadioButton* ImportSheet::*layout;
    fw::PopupMenu* ImportSheet::*popup;
    int item;
  };
  const Case cases[] = {
      {"1\t2\t3\t4\n5\t6\t7\t8\n9\t10\t11\n", &ImportSheet::RBFourCol, nullptr, 0},
      {"1\t2\n3\t4\t5\n", &ImportSheet::RRBDatUnc, nullptr, 0},
      {"1\t2\n3\n", &ImportSheet::RBXY, nullptr, 0},
      {"1\t2\n3\t4\n5\t6\n", &ImportSheet::RBOneTabs, &ImportSheet::PUOneTabs, 2},
      {"1\n2\t3\n", &ImportSheet::RBOne, nullptr, 0},
  };
  for (const Case& c : cases) {
    w->LastAction = std::make_shared<UndoableAction>();
    messages.clear();
    Import(c.text, c.layout, c.popup, c.item, true);
    EXPECT_EQ(messages, std::vector<std::string>{"File is inconsistent with selected import format."})
        << c.text;
    ExpectOldTable();
    EXPECT_EQ(w->LastAction, nullptr);
    EXPECT_FALSE(w->Dirty);
    EXPECT_EQ(w->LBData->Cell(0, 1), GlobalFuncts::Reformat(100, 2));
  }
}

TEST_F(ImportTest, EmptyLinesAtTheEndAreNoRowsInAnyLayout) {
  struct Case {
    const char* text;
    fw::RadioButton* ImportSheet::*layout;
    fw::PopupMenu* ImportSheet::*popup;
    int item;
    int col;  // the first column that row 0 takes
  };
  const Case cases[] = {
      {"1\t2\t3\t4\n\n", &ImportSheet::RBFourCol, nullptr, 0, 1},
      {"3\t4\r\n\r\n\r\n", &ImportSheet::RRBDatUnc, &ImportSheet::PUDatUnc, 1, 3},
      {"1\t3\n\n", &ImportSheet::RBXY, nullptr, 0, 1},
      {"2\n3\n4\n\n", &ImportSheet::RBOneTabs, &ImportSheet::PUOneTabs, 1, 2},
      {"4\n\n\n", &ImportSheet::RBOne, &ImportSheet::PUOne, 3, 4},
  };
  for (const Case& c : cases) {
    Import(c.text, c.layout, c.popup, c.item);
    EXPECT_EQ(fw::TestHooks::DialogsShown(), 1) << c.text;
    ExpectCell(0, c.col, c.col);
    for (int col = 1; col <= 4; ++col) ExpectCell(1, col, Old(1, col));
    fw::TestHooks::ChooseMenu(*w, "EditUndo");
    ExpectOldTable();
    fw::TestHooks::Reset();
  }

  // An empty line between rows is still a line that does not fit.
  for (auto layout : {&ImportSheet::RBFourCol, &ImportSheet::RBOne}) {
    messages.clear();
    Import(layout == &ImportSheet::RBOne ? "1\n\n2\n" : "1\t2\t3\t4\n\n5\t6\t7\t8\n", layout, nullptr, 0, true);
    EXPECT_EQ(messages, std::vector<std::string>{"File is inconsistent with selected import format."});
    ExpectOldTable();
  }
}

TEST_F(ImportTest, AFileLongerThanTheTableIsRefused) {
  // The values 0 .. count - 1, one line of them or one line each.
  auto numbers = [](int count, const std::string& separator) {
    std::string text = "0";
    for (int i = 1; i < count; ++i) text += separator + fw::Str(i);
    return text + "\n";
  };
  Import(numbers(100, "\n"), &ImportSheet::RBOne, nullptr, 0, true);
  Import(numbers(100, "\t"), &ImportSheet::RBOneTabs, nullptr, 0, true);
  EXPECT_EQ(messages, std::vector<std::string>(2, "File is inconsistent with selected import format."));
  ExpectOldTable();

  Import(numbers(99, "\n"), &ImportSheet::RBOne);
  ExpectCell(98, 1, 98);
  Import(numbers(99, "\t"), &ImportSheet::RBOneTabs, &ImportSheet::PUOneTabs, 1);
  ExpectCell(98, 2, 98);
  ExpectCell(0, 2, 0);
}

TEST_F(ImportTest, AHugeFileIsRefusedAtOnceInEveryLayout) {
  GrowHuge(Path("disk.img"));
  for (auto layout : {&ImportSheet::RBFourCol, &ImportSheet::RRBDatUnc, &ImportSheet::RBXY, &ImportSheet::RBOneTabs,
                      &ImportSheet::RBOne}) {
    messages.clear();
    const ReadCost cost;
    ImportFile(Path("disk.img"), layout, nullptr, 0, true);
    ExpectCheap(cost);
    EXPECT_EQ(messages, std::vector<std::string>{"File is inconsistent with selected import format."});
    ExpectOldTable();
    EXPECT_FALSE(w->Dirty);
  }
}

TEST_F(ImportTest, UndoRestoresTheTableAndFormulas) {
  Import("1\t2\t3\t4\n", &ImportSheet::RBFourCol);
  ExpectCell(0, 1, 1);
  w->EFHFormula->SetText("t*3");
  fw::TestHooks::ChooseMenu(*w, "EditUndo");
  ExpectOldTable();
  EXPECT_EQ(w->EFHFormula->Text(), "t*2");
  EXPECT_EQ(w->LBData->Cell(0, 2), GlobalFuncts::Reformat(200, 2));
}

TEST_F(ImportTest, AValueTypedIntoTheOpenCellIsKeptAndUndoKeepsItToo) {
  w->LBData->EditCell(7, 3);
  fw::TestHooks::TypeText(*w->LBData, "7.5");
  Import("9\t0.1\n", &ImportSheet::RRBDatUnc);
  ExpectImported(1);
  ExpectCell(0, 1, 9);
  ExpectCell(7, 3, 7.5);
  EXPECT_EQ(w->LBData->Cell(7, 3), GlobalFuncts::Reformat(7.5, 2));
  fw::TestHooks::ChooseMenu(*w, "EditUndo");
  ExpectCell(0, 1, Old(0, 1));
  ExpectCell(7, 3, 7.5);
}

TEST_F(ImportTest, AnEmptyFileIsOneChangeThatKeepsTheValues) {
  Import("", &ImportSheet::RBFourCol);
  ExpectImported(1);
  ExpectOldTable();
}

TEST_F(ImportTest, CancellingOrAnUnreadableFileChangesNothing) {
  w->LastAction = std::make_shared<UndoableAction>();
  fw::FileTestHooks::AnswerNextChooser(std::nullopt);
  fw::TestHooks::ChooseMenu(*w, "FileImport");
  EXPECT_EQ(w->LastAction, nullptr);
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  EXPECT_EQ(fw::FileTestHooks::LastChooserRequest().typeName, "text/plain");

  AnswerWarning();
  fw::FileTestHooks::AnswerNextChooser(Path("gone.txt"));
  fw::TestHooks::ChooseMenu(*w, "FileImport");
  EXPECT_EQ(messages, std::vector<std::string>{"Import Problem: Can't open file."});

  WriteFile(Path("data.txt"), "1\t2\t3\t4\n");
  fw::FileTestHooks::AnswerNextChooser(Path("data.txt"));
  AnswerImport([](class ImportSheet& d) { d.PBCancel->Push(); });
  fw::TestHooks::ChooseMenu(*w, "FileImport");
  ExpectOldTable();
  EXPECT_FALSE(w->Dirty);
  EXPECT_EQ(w->LastAction, nullptr);
}

TEST_F(ImportTest, APipeOrADeviceIsRefusedBeforeTheLayoutIsAsked) {
  ASSERT_EQ(mkfifo(Path("pipe.txt").c_str(), 0600), 0);
  // Opening a pipe that nothing writes to would wait for ever: the alarm ends it.
  EXPECT_EQ(RunInChild([this] {
              for (const std::string& path : {Path("pipe.txt"), std::string("/dev/null")}) {
                messages.clear();
                AnswerWarning();
                fw::FileTestHooks::AnswerNextChooser(path);
                fw::TestHooks::ChooseMenu(*w, "FileImport");
                EXPECT_EQ(messages, std::vector<std::string>{"Import Problem: Can't open file."}) << path;
                ExpectOldTable();
                EXPECT_FALSE(w->Dirty);
              }
              EXPECT_EQ(fw::TestHooks::DialogsShown(), 2);
              EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
            },
                       /*seconds=*/10),
            0);
}

TEST_F(ImportTest, AReadErrorPartWayImportsNothing) {
  // 99 rows padded with blanks after their last value: the first read of the file ends
  // in row 64, and the second fails.
  std::string text;
  for (int row = 0; row < 99; ++row) text += fw::Str(row) + "\t1\t2\t3" + std::string(1000, ' ') + "\n";
  ASSERT_GT(text.size(), 65536u);
  WriteFile(Path("data.txt"), text);
  EXPECT_EQ(RunInChild([this] {
              ASSERT_TRUE(FailRead(Path("data.txt"), 2));
              ImportFile(Path("data.txt"), &ImportSheet::RBFourCol, nullptr, 0, true);
              EXPECT_EQ(messages, std::vector<std::string>{"Import Problem: Can't open file."});
              ExpectOldTable();
              EXPECT_FALSE(w->Dirty);
            }),
            0);

  // Read whole, the file imports.
  ImportFile(Path("data.txt"), &ImportSheet::RBFourCol);
  ExpectImported(1);
  ExpectCell(98, 1, 98);
  ExpectCell(98, 4, 3);
}

}  // namespace

#include "FilesFixture.h"

namespace {

class ImportSheetTest : public FilesTest {
 protected:
  // Shows the dialog over the window; answer works its controls.
  class ImportSheet& Show(std::function<void(class ImportSheet&)> answer) {
    AnswerImport(answer);
    class ImportSheet& d = ImportSheet();
    d.ShowModalWithin(*w);
    EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), 0);
    return d;
  }
  static std::pair<int, int> Choice(const class ImportSheet& d) { return {d.TypeChoice, d.ColChoice}; }
};

TEST_F(ImportSheetTest, EveryShowingStartsWithTheFirstLayout) {
  class ImportSheet& d = Show([](class ImportSheet& s) {
    fw::TestHooks::Click(*s.RBOneTabs);
    s.PUOneTabs->SetListIndex(3);
    s.PBDo->Push();
  });
  EXPECT_EQ(Choice(d), std::make_pair(4, 4));

  bool popupsOff = false;
  bool firstOn = false;
  Show([&](class ImportSheet& s) {
    firstOn = s.RBFourCol->Value() && !s.RBOneTabs->Value();
    popupsOff = !s.PUDatUnc->Enabled() && !s.PUOneTabs->Enabled() && !s.PUOne->Enabled();
    s.PBDo->Push();
  });
  EXPECT_TRUE(firstOn);
  EXPECT_TRUE(popupsOff);
  EXPECT_EQ(Choice(d), std::make_pair(1, 1));

  // The popup still shows the item chosen last time.
  Show([](class ImportSheet& s) {
    fw::TestHooks::Click(*s.RBOneTabs);
    s.PBDo->Push();
  });
  EXPECT_EQ(Choice(d), std::make_pair(4, 4));
  EXPECT_EQ(&d, &ImportSheet());
}

TEST_F(ImportSheetTest, EachLayoutGivesItsTypeAndFirstColumn) {
  struct Case {
    fw::RadioButton* ImportSheet::*layout;
    fw::PopupMenu* ImportSheet::*popup;
    int item;
    std::pair<int, int> choice;
  };
  const Case cases[] = {
      {&ImportSheet::RRBDatUnc, &ImportSheet::PUDatUnc, 1, {2, 3}},
      {&ImportSheet::RRBDatUnc, &ImportSheet::PUDatUnc, 0, {2, 1}},
      {&ImportSheet::RBXY, nullptr, 0, {3, 1}},
      {&ImportSheet::RBOneTabs, &ImportSheet::PUOneTabs, 3, {4, 4}},
      {&ImportSheet::RBOne, &ImportSheet::PUOne, 1, {5, 2}},
  };
  for (const Case& c : cases) {
    bool onlyItsPopup = false;
    class ImportSheet& d = Show([&](class ImportSheet& s) {
      fw::TestHooks::Click(*(s.*c.layout));
      onlyItsPopup = s.PUDatUnc->Enabled() == (c.popup == &ImportSheet::PUDatUnc) &&
                     s.PUOneTabs->Enabled() == (c.popup == &ImportSheet::PUOneTabs) &&
                     s.PUOne->Enabled() == (c.popup == &ImportSheet::PUOne);
      if (c.popup) (s.*c.popup)->SetListIndex(c.item);
      s.PBDo->Push();
    });
    EXPECT_EQ(Choice(d), c.choice);
    EXPECT_TRUE(onlyItsPopup);
  }
}

TEST_F(ImportSheetTest, AnotherLayoutAfterAPopupChangeTakesItsOwnColumn) {
  class ImportSheet& d = Show([](class ImportSheet& s) {
    fw::TestHooks::Click(*s.RBOneTabs);
    s.PUOneTabs->SetListIndex(2);
    fw::TestHooks::Click(*s.RBXY);
    s.PBDo->Push();
  });
  EXPECT_EQ(Choice(d), std::make_pair(3, 1));
}

TEST_F(ImportSheetTest, CancelGivesNoLayout) {
  class ImportSheet& d = Show([](class ImportSheet& s) {
    fw::TestHooks::Click(*s.RBOne);
    s.PBCancel->Push();
  });
  EXPECT_EQ(Choice(d), std::make_pair(0, 0));
  Show([](class ImportSheet& s) { fw::TestHooks::PressKey(s, "Escape"); });
  EXPECT_EQ(Choice(d), std::make_pair(0, 0));
}

TEST_F(ImportSheetTest, TheDialogIsLaidOutAsDesigned) {
  class ImportSheet& d = ImportSheet();
  EXPECT_EQ(d.Width(), 510);
  EXPECT_EQ(d.Height(), 231);
  EXPECT_EQ(d.Frame(), fw::Window::SheetFrame);
  EXPECT_EQ(Choice(d), std::make_pair(0, 0));
  EXPECT_EQ(d.StaticText1->Text(), "How should this text file be interpreted?");
  EXPECT_EQ(d.RBFourCol->Caption(), "Four columns separated by tabs");
  EXPECT_EQ(d.RRBDatUnc->Caption(), "Two columns (data, uncertainty) separated by tabs");
  EXPECT_EQ(d.RBXY->Caption(), "Two columns (horizontal and vertical data) separated by tabs");
  EXPECT_EQ(d.RBOneTabs->Caption(), "One column per line, data separated by tabs, first is");
  EXPECT_EQ(d.RBOne->Caption(), "One column of data, each datum on a separate line");
  EXPECT_EQ(d.PUDatUnc->ListCount(), 2);
  EXPECT_EQ(d.PUDatUnc->List(1), "Vertical Data");
  EXPECT_EQ(d.PUOne->List(1), "Horizontal Uncs");
  EXPECT_EQ(d.PUOneTabs->List(3), "Vertical Uncs");
  EXPECT_EQ(d.PBCancel->Caption(), "Cancel Import");
  EXPECT_TRUE(d.PBCancel->Cancel());
  EXPECT_EQ(d.PBDo->Caption(), "Do Import");
  EXPECT_FALSE(d.PBDo->Default());
}

}  // namespace

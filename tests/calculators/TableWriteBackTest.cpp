#include <gtest/gtest.h>

#include <filesystem>

#include "CalcTestSupport.h"
#include "calculators/PropUncSheet.h"
#include "calculators/RepDatSheet.h"
#include "framework/EditField.h"
#include "framework/Listbox.h"
#include "framework/PopupMenu.h"
#include "framework/TabPanel.h"
#include "window/MainWndo.h"

namespace th = fw::TestHooks;

namespace {

// "r" and "=" typed into a value cell of a document window's table.
class TableWriteBackTest : public testing::Test {
 protected:
  void SetUp() override {
    w = &fw::NewWindow<MainWndo>();
    w->EFNames->SetText("Ann and Bo");
    w->EFHName->SetText("t");
    w->EFHUnits->SetText("s");
    w->EFVName->SetText("d");
    w->EFVUnits->SetText("m");
    th::ClickTab(*w->TabPanel1, 1);
  }

  fw::Listbox& LB() const { return *w->LBData; }

  void TypeInCell(int row, int col, const std::string& key) {
    LB().EditCell(row, col);
    th::TypeText(LB(), key);
  }

  // The student types the values straight after "r", without clicking into the
  // dialog: the keys go wherever the focus is as it shows.
  static void AnswerRepeated(const std::string& values) {
    th::AnswerNextDialog([values](fw::Window& d) {
      EXPECT_TRUE(Field(d, "EFData").HasFocus());
      th::TypeText(d, values);
      EXPECT_EQ(Field(d, "EFData").Text(), values);
      th::PressKey(d, "Return");
      th::Click(Button(d, "PBEnter"));
    });
  }

  MainWndo* w = nullptr;
};

TEST_F(TableWriteBackTest, RepeatedMeasurementsFillTheValueAndItsUncertainty) {
  AnswerRepeated("1,2,3,4,5");
  TypeInCell(0, 1, "r");
  EXPECT_EQ(th::UnansweredDialogs(), 0);
  EXPECT_EQ(LB().Cell(0, 1), "3");
  EXPECT_EQ(LB().Cell(0, 2), "1.96");
  EXPECT_EQ(w->Data[0][0][1], 3.0);
  EXPECT_EQ(w->Data[0][0][2], 1.9629284245738559);
  EXPECT_TRUE(w->CellFull[0][1]);
  EXPECT_TRUE(w->CellFull[0][2]);
  EXPECT_FALSE(RepDatSheet().HaveData);
  EXPECT_EQ(LB().EditRow(), 0);
  EXPECT_EQ(LB().EditColumn(), 1);
}

TEST_F(TableWriteBackTest, LeavingWithoutAResultWritesNothing) {
  th::AnswerNextDialog([](fw::Window& d) {
    th::TypeText(Field(d, "EFData"), "4,6");
    th::PressKey(Field(d, "EFData"), "Return");
    th::Click(Button(d, "PBCancel"));
  });
  TypeInCell(3, 3, "r");
  th::AnswerNextDialog([](fw::Window& d) {
    th::TypeText(Field(d, "EFData"), "4,6");
    th::PressKey(Field(d, "EFData"), "Return");
    th::PressKey(Field(d, "EFData"), "Escape");
  });
  TypeInCell(3, 3, "r");
  EXPECT_EQ(th::DialogsShown(), 2);
  EXPECT_EQ(LB().Cell(3, 3), "");
  EXPECT_EQ(LB().Cell(3, 4), "");
  EXPECT_FALSE(w->CellFull[3][3]);
  EXPECT_FALSE(w->CellFull[3][4]);
}

TEST_F(TableWriteBackTest, PropagatedResultFillsTheVerticalPair) {
  th::AnswerNextDialog([](fw::Window& d) {
    Field(d, "EFName", 0).SetText("x");
    Field(d, "EFValue", 0).SetText("5");
    Field(d, "EFUnc", 0).SetText("0.3");
    d.Get<fw::PopupMenu>("PUN").SetListIndex(9);
    Field(d, "EFExpression").SetText("x");
    th::Click(Button(d, "PBCalculate"));
    th::Click(Button(d, "PBEnter"));
  });
  TypeInCell(2, 3, "=");
  EXPECT_EQ(LB().Cell(2, 3), "5");
  const std::string unc = LB().Cell(2, 4);
  EXPECT_TRUE(unc == "0.29" || unc == "0.30" || unc == "0.31") << unc;
  EXPECT_EQ(w->Data[0][2][3], 5.0);
  EXPECT_NEAR(w->Data[0][2][4], 0.30, 0.0100001);
  EXPECT_TRUE(w->CellFull[2][4]);
  EXPECT_FALSE(PropUncSheet().HaveValue);
}

// A student measures the period five times inside the propagation dialog, types
// the length, and leaves with the Enter key; the table gets g in row 5.
TEST_F(TableWriteBackTest, NestedRepeatedMeasurementsFeedAPropagationIntoTheTable) {
  th::AnswerNextDialog([](fw::Window& d) {
    th::TypeText(Field(d, "EFName", 0), "T");
    AnswerRepeated("2.0,2.1,2.0,1.9,2.0");
    th::TypeText(Field(d, "EFValue", 0), "r");
    EXPECT_EQ(Field(d, "EFValue", 0).Text(), "2");
    EXPECT_EQ(Field(d, "EFUnc", 0).Text(), "0.0877848278462743");
    th::TypeText(Field(d, "EFName", 1), "L");
    th::TypeText(Field(d, "EFValue", 1), "1");
    th::TypeText(Field(d, "EFUnc", 1), "0");
    d.Get<fw::PopupMenu>("PUN").SetListIndex(9);
    th::TypeText(Field(d, "EFExpression"), "4*pi^2*L/T^2");
    th::PressKey(Field(d, "EFExpression"), "Return");
    EXPECT_EQ(LabelText(d, "STResult"), "+9.87");
    EXPECT_EQ(Field(d, "EFErrorLog").Text(), "");
    th::PressKey(Field(d, "EFExpression"), "Enter");
  });
  TypeInCell(4, 3, "=");
  EXPECT_EQ(th::UnansweredDialogs(), 0);
  EXPECT_EQ(LB().Cell(4, 3), "9.86960440108936");
  EXPECT_NEAR(w->Data[0][4][4], 0.87, 0.03);
  EXPECT_TRUE(w->CellFull[4][3]);
  EXPECT_TRUE(w->CellFull[4][4]);
  EXPECT_FALSE(PropUncSheet().HaveValue);
  std::filesystem::create_directories("calculator-screenshots");
  EXPECT_TRUE(th::SaveScreenshot(*w, "calculator-screenshots/table-write-back.png"));
}

// The nested "r" of the propagation dialog leaves the repeated-measurement
// result flagged; a later "r" in the table that is escaped must not use it.
TEST_F(TableWriteBackTest, NoEarlierResultReachesTheTable) {
  th::AnswerNextDialog([](fw::Window& d) {
    AnswerRepeated("7,9");
    th::TypeText(Field(d, "EFValue", 0), "r");
    EXPECT_EQ(Field(d, "EFValue", 0).Text(), "8");
    th::Click(Button(d, "PBCancel"));
  });
  TypeInCell(0, 1, "=");
  EXPECT_TRUE(RepDatSheet().HaveData);

  th::AnswerNextDialog([](fw::Window& d) { th::PressKey(d, "Escape"); });
  TypeInCell(0, 1, "r");
  EXPECT_EQ(th::DialogsShown(), 3);
  EXPECT_EQ(LB().Cell(0, 1), "");
  EXPECT_FALSE(w->CellFull[0][1]);

  th::AnswerNextDialog([](fw::Window& d) { th::ClickCloseBox(d); });
  TypeInCell(0, 1, "=");
  EXPECT_EQ(LB().Cell(0, 1), "");
}

}  // namespace

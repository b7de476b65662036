#include "calculators/RepDatSheet.h"

#include <gtest/gtest.h>

#include <cmath>

#include "CalcTestSupport.h"

namespace th = fw::TestHooks;

namespace {

class RepDatSheetTest : public testing::Test {
 protected:
  // Shows the dialog over a document window and lets answer drive it.
  class RepDatSheet& Show(const std::function<void(class RepDatSheet&)>& answer) {
    fw::Window& parent = NewParentWindow();
    auto& sheet = RepDatSheet();
    th::AnswerNextDialog([&answer](fw::Window& w) { answer(static_cast<class RepDatSheet&>(w)); });
    sheet.ShowModalWithin(parent);
    EXPECT_FALSE(sheet.Visible());
    return sheet;
  }

  static void Calculate(class RepDatSheet& d, const std::string& text) {
    th::TypeText(Field(d, "EFData"), text);
    th::PressKey(Field(d, "EFData"), "Return");
  }
};

TEST_F(RepDatSheetTest, FiveValuesGiveTheExactStatisticsAndEnterResult) {
  auto& sheet = Show([](class RepDatSheet& d) {
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());
    Calculate(d, "1,2,3,4,5");
    EXPECT_EQ(Field(d, "EFData").Text(), "1,2,3,4,5");  // Return is not typed
    EXPECT_EQ(LabelText(d, "STN"), "5");
    EXPECT_EQ(LabelText(d, "STMean"), "3");
    EXPECT_EQ(LabelText(d, "STStdDev"), "1.58113883008419");
    EXPECT_EQ(LabelText(d, "STStuT"), "2.776");
    EXPECT_EQ(LabelText(d, "STUnc"), "4.38924139231371");
    EXPECT_EQ(LabelText(d, "STUM"), "1.96292842457386");
    EXPECT_TRUE(Button(d, "PBEnter").Enabled());
    th::Click(Button(d, "PBEnter"));
  });
  EXPECT_TRUE(sheet.HaveData);
  EXPECT_EQ(sheet.theMean, 3.0);
  EXPECT_EQ(sheet.theUnc, 1.9629284245738559);
  EXPECT_EQ(th::UnansweredDialogs(), 0);

  // The next showing starts empty, without the earlier result.
  Show([](class RepDatSheet& d) {
    EXPECT_FALSE(d.HaveData);
    EXPECT_EQ(Field(d, "EFData").Text(), "");
    for (const char* name : {"STN", "STMean", "STStdDev", "STStuT", "STUnc", "STUM"}) {
      EXPECT_EQ(LabelText(d, name), "") << name;
    }
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());
    th::Click(Button(d, "PBCancel"));
  });
  EXPECT_FALSE(sheet.HaveData);
  EXPECT_EQ(sheet.theMean, 3.0);
}

TEST_F(RepDatSheetTest, EnterKeyLeavesOnlyAfterACalculation) {
  auto& sheet = Show([](class RepDatSheet& d) {
    th::TypeText(Field(d, "EFData"), "1,2,3");
    th::PressKey(Field(d, "EFData"), "Enter");
    EXPECT_TRUE(d.Visible());
    EXPECT_EQ(LabelText(d, "STN"), "");
    th::PressKey(Field(d, "EFData"), "Return");
    EXPECT_EQ(LabelText(d, "STMean"), "2");
    EXPECT_EQ(LabelText(d, "STStuT"), "4.303");
    th::PressKey(Field(d, "EFData"), "Enter");
    EXPECT_FALSE(d.Visible());
  });
  EXPECT_TRUE(sheet.HaveData);
  EXPECT_EQ(sheet.theMean, 2.0);
  EXPECT_EQ(sheet.theUnc, 2.48433820832296);
}

// Enter before a calculation goes to the field as a line break; the value after
// it still counts.
TEST_F(RepDatSheetTest, ValuesOverSeveralLinesKeepTheirValues) {
  auto& sheet = Show([](class RepDatSheet& d) {
    th::TypeText(Field(d, "EFData"), "1,2,");
    th::PressKey(Field(d, "EFData"), "Enter");
    EXPECT_TRUE(d.Visible());
    th::TypeText(Field(d, "EFData"), "3,4,5");
    EXPECT_EQ(Field(d, "EFData").Text(), "1,2,\n3,4,5");
    th::PressKey(Field(d, "EFData"), "Return");
    EXPECT_EQ(LabelText(d, "STN"), "5");
    EXPECT_EQ(LabelText(d, "STMean"), "3");
    EXPECT_EQ(LabelText(d, "STUM"), "1.96292842457386");

    Field(d, "EFData").SetText("10,\r\n20");
    th::PressKey(Field(d, "EFData"), "Return");
    EXPECT_EQ(LabelText(d, "STMean"), "15");
    th::Click(Button(d, "PBEnter"));
  });
  EXPECT_EQ(sheet.theMean, 15.0);
}

TEST_F(RepDatSheetTest, FewerThanTwoValuesShowOnlyN) {
  Show([](class RepDatSheet& d) {
    Calculate(d, "1,2,3,4,5");
    th::TypeText(Field(d, "EFData"), "9");
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());  // typing disables it at once
    EXPECT_EQ(LabelText(d, "STMean"), "3");         // the old results stay shown

    Field(d, "EFData").SetText("7");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_EQ(LabelText(d, "STN"), "1");
    EXPECT_EQ(LabelText(d, "STMean"), "3");
    EXPECT_EQ(LabelText(d, "STUM"), "1.96292842457386");
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());

    Field(d, "EFData").SetText("");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());
    th::Click(Button(d, "PBCancel"));
  });
}

TEST_F(RepDatSheetTest, TrailingCommaCountsAnEmptyField) {
  auto& sheet = Show([](class RepDatSheet& d) {
    Calculate(d, "1,2,3,");
    EXPECT_EQ(LabelText(d, "STN"), "4");
    EXPECT_EQ(LabelText(d, "STMean"), "1.5");
    EXPECT_EQ(LabelText(d, "STStdDev"), "1.29099444873581");
    EXPECT_EQ(LabelText(d, "STStuT"), "3.183");
    th::Click(Button(d, "PBEnter"));
  });
  EXPECT_EQ(sheet.theMean, 1.5);
  EXPECT_EQ(sheet.theUnc, 2.0546176651630343);
}

TEST_F(RepDatSheetTest, EqualAndCloseValuesKeepAnExactSpread) {
  auto& sheet = Show([](class RepDatSheet& d) {
    Calculate(d, "2.1,2.1,2.1");
    EXPECT_EQ(LabelText(d, "STStdDev"), "0");
    EXPECT_EQ(LabelText(d, "STUM"), "0");
    EXPECT_TRUE(Button(d, "PBEnter").Enabled());

    Field(d, "EFData").SetText("100000001,100000002,100000003");
    th::PressKey(Field(d, "EFData"), "Return");
    EXPECT_EQ(LabelText(d, "STMean"), "100000002");
    EXPECT_EQ(LabelText(d, "STStdDev"), "1");
    th::Click(Button(d, "PBEnter"));
  });
  EXPECT_EQ(sheet.theMean, 100000002.0);
  EXPECT_EQ(sheet.theUnc, 4.303 / std::sqrt(3.0));
}

TEST_F(RepDatSheetTest, OverflowingValueCannotBeEntered) {
  Show([](class RepDatSheet& d) {
    Calculate(d, "1e999,1");
    EXPECT_EQ(LabelText(d, "STN"), "2");
    EXPECT_FALSE(Button(d, "PBEnter").Enabled());
    th::Click(Button(d, "PBCancel"));
  });
}

TEST_F(RepDatSheetTest, CancelEscapeAndCloseBoxLeaveWithoutAResult) {
  auto& sheet = Show([](class RepDatSheet& d) {
    Calculate(d, "4,6");
    th::Click(Button(d, "PBCancel"));
  });
  EXPECT_FALSE(sheet.HaveData);
  EXPECT_EQ(sheet.theMean, 5.0);  // kept, but not offered

  // A flag left set by an earlier caller never survives a new showing.
  sheet.HaveData = true;
  Show([](class RepDatSheet& d) {
    EXPECT_FALSE(d.HaveData);
    Calculate(d, "4,6");
    th::PressKey(Field(d, "EFData"), "Escape");
  });
  EXPECT_FALSE(sheet.HaveData);

  sheet.HaveData = true;
  Show([](class RepDatSheet& d) {
    Calculate(d, "4,6");
    th::ClickCloseBox(d);
  });
  EXPECT_FALSE(sheet.HaveData);
}

TEST_F(RepDatSheetTest, OneSharedInstanceKeepsItsResult) {
  auto& sheet = Show([](class RepDatSheet& d) {
    Calculate(d, "10,12");
    th::Click(Button(d, "PBEnter"));
  });
  EXPECT_EQ(&sheet, &RepDatSheet());
  EXPECT_EQ(RepDatSheet().theMean, 11.0);
  EXPECT_EQ(sheet.Frame(), fw::Window::SheetFrame);
}

}  // namespace

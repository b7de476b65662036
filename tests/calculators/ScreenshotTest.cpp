#include <gtest/gtest.h>

#include <filesystem>

#include "CalcTestSupport.h"
#include "calculators/PropUncSheet.h"
#include "calculators/RepDatSheet.h"
#include "framework/PopupMenu.h"

namespace th = fw::TestHooks;

namespace {

// Both dialogs with a result on screen, saved beside the test executable's run folder.
std::filesystem::path ShotFolder() {
  std::filesystem::path folder = std::filesystem::current_path() / "calculator-screenshots";
  std::filesystem::create_directories(folder);
  return folder;
}

TEST(CalculatorScreenshot, RepeatedMeasurementDialogWithAResult) {
  fw::Window& parent = NewParentWindow();
  bool saved = false;
  th::AnswerNextDialog([&saved](fw::Window& d) {
    th::TypeText(Field(d, "EFData"), "9.81,9.79,9.83,9.80,9.84,9.78");
    th::PressKey(Field(d, "EFData"), "Return");
    saved = th::SaveScreenshot(d, (ShotFolder() / "repeated-measurements.png").string());
    th::Click(Button(d, "PBCancel"));
  });
  RepDatSheet().ShowModalWithin(parent);
  EXPECT_TRUE(saved);
}

TEST(CalculatorScreenshot, PropagationDialogWithAResultAndAnError) {
  fw::Window& parent = NewParentWindow();
  bool saved = false;
  th::AnswerNextDialog([&saved](fw::Window& d) {
    const char* rows[][3] = {{"L", "1.250", "0.005"}, {"T", "2.24", "0.02"}, {"", "", ""}, {"m", "0.2", "0.001"}};
    for (int i = 0; i < 4; ++i) {
      Field(d, "EFName", i).SetText(rows[i][0]);
      Field(d, "EFValue", i).SetText(rows[i][1]);
      Field(d, "EFUnc", i).SetText(rows[i][2]);
    }
    Field(d, "EFExpression").SetText("4*pi^2*L/T^");
    th::Click(Button(d, "PBCalculate"));
    EXPECT_EQ(Field(d, "EFErrorLog").Text(), "Expression should end with an operand\n4*pi^2*L/T^?");
    saved = th::SaveScreenshot(d, (ShotFolder() / "propagation-error.png").string());
    Field(d, "EFExpression").SetText("4*pi^2*L/T^2");
    d.Get<fw::PopupMenu>("PUN").SetListIndex(9);
    th::Click(Button(d, "PBCalculate"));
    EXPECT_TRUE(Button(d, "PBEnter").Enabled());
    saved = saved && th::SaveScreenshot(d, (ShotFolder() / "propagation.png").string());
    th::Click(Button(d, "PBCancel"));
  });
  PropUncSheet().ShowModalWithin(parent);
  EXPECT_TRUE(saved);
}

}  // namespace

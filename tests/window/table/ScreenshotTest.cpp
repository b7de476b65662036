#include "framework/RadioButton.h"
#include "tests/window/table/TableFixture.h"

namespace {

using ScreenshotTest = TableTest;

// Renders the "Data" page with a filled table and a calculated column to the
// working folder, to be looked at.
TEST_F(ScreenshotTest, DataPageWithAFilledTableAndACalculatedColumn) {
  AnswerFill([](class FillSheet& d) {
    d.EFTo.SetText("20");
    d.PBSeq.Push();
  });
  Type("f");
  LB().EditCell(0, 2);
  AnswerFill([](class FillSheet& d) {
    d.EFValue.SetText("0.2");
    d.EFNRows.SetText("20");
    d.PBFill.Push();
  });
  Type("f");
  for (int r = 0; r < 20; ++r) {
    Enter(r, 3, std::to_string(4.9 * (r + 1) * (r + 1) / 10.0));
    Enter(r, 4, "0.05");
  }
  EXPECT_TRUE(fw::TestHooks::SaveScreenshot(*w, "table_entered.png"));

  w->EFVFormula->SetText("sqrt(d)");
  fw::TestHooks::Click(*w->RBVCalculated);
  ASSERT_TRUE(w->CalcOK[3]);
  EXPECT_EQ(Cell(9, 1), "10.00");
  EXPECT_TRUE(fw::TestHooks::SaveScreenshot(*w, "table_calculated.png"));
}

}  // namespace

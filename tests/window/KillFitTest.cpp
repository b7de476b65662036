#include "framework/Slider.h"
#include "graph/SSRect.h"
#include "tests/window/ShellFixture.h"

namespace {

class KillFitTest : public ShellTest {
 protected:
  // A window as "Do Linear Fit" leaves it, showing team 7 on both sliders.
  MainWndo& FittedWindow() {
    MainWndo& w = OpenWindow();
    FillNames(w, "Ann", "t", "s", "d", "m");
    w.HaveFit = true;
    for (fw::Slider* sd : {w.SDDatDspd, w.SDDatGrfd}) sd->SetEnabled(true);
    w.ProtectChange = true;
    w.SDDatDspd->SetValue(7);
    w.SDDatGrfd->SetValue(7);
    w.ProtectChange = false;
    w.SSFitInfo->SetVisible(true);
    return w;
  }
};

TEST_F(KillFitTest, PutsBothSlidersBackDisabledAndHidesTheFitBox) {
  MainWndo& w = FittedWindow();
  w.Plot.KillFit();
  EXPECT_FALSE(w.HaveFit);
  for (fw::Slider* sd : {w.SDDatDspd, w.SDDatGrfd}) {
    EXPECT_EQ(sd->Value(), 1) << sd->Name();
    EXPECT_FALSE(sd->Enabled()) << sd->Name();
  }
  EXPECT_EQ(w.STDatDspd->Text(), "Original Data");
  EXPECT_FALSE(w.SSFitInfo->Visible());
  EXPECT_FALSE(w.ProtectChange);
}

TEST_F(KillFitTest, LeavesACallersGuardInPlace) {
  MainWndo& w = FittedWindow();
  w.ProtectChange = true;
  w.Plot.KillFit();
  EXPECT_TRUE(w.ProtectChange);
  EXPECT_EQ(w.SDDatGrfd->Value(), 1);
  EXPECT_FALSE(w.HaveFit);
}

TEST_F(KillFitTest, WithoutAFitChangesNothing) {
  MainWndo& w = FittedWindow();
  w.HaveFit = false;
  w.Plot.KillFit();
  EXPECT_EQ(w.SDDatDspd->Value(), 7);
  EXPECT_TRUE(w.SDDatGrfd->Enabled());
  EXPECT_TRUE(w.SSFitInfo->Visible());
}

}  // namespace

#include <type_traits>

#include "files/SaveQuery.h"
#include "window/graphpage/GraphPageFixture.h"
#include "window/table/ClearLimitsAction.h"
#include "window/table/EditLabelAction.h"

namespace {

class LabelsTest : public GraphPageTest {
 protected:
  void TwoRows() {
    Row(0, "1", "", "2", "");
    Row(1, "4", "", "8", "");
  }
  void Undo() { ASSERT_TRUE(fw::TestHooks::ChooseMenu(*w, "EditUndo")); }
};

TEST_F(LabelsTest, RecognisedFormulasGiveTheUnitsWithoutAsking) {
  Row(0, "1", "", "2", "");
  Row(1, "4", "", "8", "");
  Calculate(true, "t*t");
  Calculate(false, "ln(d)");
  ToGraph();
  ASSERT_TRUE(OnGraph());
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  EXPECT_EQ(w->GrfXUnits, "s^2^");
  EXPECT_EQ(w->GrfYUnits, "ln(m)");
  EXPECT_EQ(w->GrfXLabel, "t*t in s^2^");
  EXPECT_EQ(w->GrfYLabel, "ln(d)|in|ln(m)");
  EXPECT_EQ(w->GrfTitle, "!Graph of ln(d) vs. t*t!");
}

TEST_F(LabelsTest, ReciprocalAndSquareRootShapes) {
  Row(0, "1", "", "2", "");
  Row(1, "4", "", "8", "");
  Calculate(false, "1/d");
  ToGraph();
  EXPECT_EQ(w->GrfYUnits, "m^-1^");
  EXPECT_EQ(w->GrfXUnits, "s");
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  Calculate(false, "sqrt(d)");
  ToGraph();
  EXPECT_EQ(w->GrfYUnits, "m^1/2^");
  EXPECT_EQ(w->GrfYLabel, "sqrt(d)|in|m^1/2^");
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
}

TEST_F(LabelsTest, UnitlessVariablesAreLabelledSoEvenWhenCalculated) {
  w->EFHUnits->SetText("none");
  w->EFVUnits->SetText("(none)");
  TwoRows();
  Calculate(true, "t*t");
  ToGraph();
  ASSERT_TRUE(OnGraph());
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 0);
  EXPECT_EQ(w->GrfXLabel, "t*t (unitless)");
  EXPECT_EQ(w->GrfYLabel, "d|(unit-|less)");
  EXPECT_EQ(w->GrfXUnits, "");
  EXPECT_EQ(w->GrfYUnits, "");
}

TEST_F(LabelsTest, AnUnknownFormulaAsksForItsUnitsInTheDialog) {
  TwoRows();
  Calculate(true, "t^3");
  bool hShown = false, vShown = true, doneAtFirst = true, doneAfterTyping = false;
  AnswerUnits([&](class UnitsSheet& d) {
    hShown = d.EFH->Visible() && d.STH->Visible();
    vShown = d.EFV->Visible() || d.STV->Visible();
    doneAtFirst = d.PBDone->Enabled();
    // Typed at once, as the dialog shows: the only field shown takes it.
    EXPECT_TRUE(d.EFH->HasFocus());
    fw::TestHooks::TypeText(d, "s^3^");
    EXPECT_TRUE(fw::TestHooks::SaveScreenshot(d, TempPath("units-dialog.png")));
    doneAfterTyping = d.PBDone->Enabled();
    d.PBDone->Push();
  });
  ToGraph();
  ASSERT_TRUE(OnGraph());
  EXPECT_TRUE(hShown);
  EXPECT_FALSE(vShown);
  EXPECT_FALSE(doneAtFirst);
  EXPECT_TRUE(doneAfterTyping);
  EXPECT_EQ(w->GrfXUnits, "s^3^");
  EXPECT_EQ(w->GrfXLabel, "t^3 in s^3^");
  EXPECT_EQ(w->GrfYUnits, "m");
}

TEST_F(LabelsTest, CancellingTheUnitsDialogStaysOnThePageAndAsksAgainWithTheTypedText) {
  TwoRows();
  Calculate(false, "d^2");
  AnswerUnits([](class UnitsSheet& d) {
    fw::TestHooks::TypeText(*d.EFV, "m^2^");
    d.PBCancel->Push();
  });
  ToGraph();
  EXPECT_FALSE(OnGraph());
  EXPECT_FALSE(w->GotGraph);
  EXPECT_EQ(w->GrfYUnits, "");
  EXPECT_TRUE(messages.empty());

  std::string shown;
  bool done = false;
  AnswerUnits([&](class UnitsSheet& d) {
    shown = d.EFV->Text();
    done = d.PBDone->Enabled();
    // The earlier text is selected, so what is typed replaces it.
    fw::TestHooks::TypeText(d, "none");
    d.PBDone->Push();
  });
  ToGraph();
  ASSERT_TRUE(OnGraph());
  EXPECT_EQ(shown, "m^2^");
  EXPECT_TRUE(done);
  // "none" typed in the dialog makes the quantity unitless.
  EXPECT_EQ(w->GrfYUnits, "");
  EXPECT_EQ(w->GrfYLabel, "d^2|(unit-|less)");
}

TEST_F(LabelsTest, BothAxesAskedNeedBothFieldsFilled) {
  TwoRows();
  Calculate(true, "exp(t)");
  Calculate(false, "log(d)");
  std::vector<bool> done;
  AnswerUnits([&](class UnitsSheet& d) {
    d.EFH->SetText("");
    d.EFV->SetText("");
    // The vertical field, at the left, comes first.
    EXPECT_TRUE(d.EFV->HasFocus());
    fw::TestHooks::TypeText(d, "x");
    done.push_back(d.PBDone->Enabled());
    fw::TestHooks::TypeText(*d.EFH, "y");
    done.push_back(d.PBDone->Enabled());
    d.PBDone->Push();
  });
  ToGraph();
  ASSERT_TRUE(OnGraph());
  EXPECT_EQ(done, (std::vector<bool>{false, true}));
  EXPECT_EQ(w->GrfXUnits, "y");
  EXPECT_EQ(w->GrfYUnits, "x");
}

TEST_F(LabelsTest, AFormulaDifferingFromAShapeByBlanksIsNotRecognised) {
  TwoRows();
  Calculate(true, "t * t");
  AnswerUnits([](class UnitsSheet& d) { d.PBCancel->Push(); });
  ToGraph();
  EXPECT_EQ(fw::TestHooks::DialogsShown(), 1);
  EXPECT_FALSE(OnGraph());
}

TEST_F(LabelsTest, ACurrentGraphKeepsItsLabelsAndLimits) {
  TwoRows();
  ToGraph();
  w->EFHMax->SetText("10");
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  w->GrfTitle = "!Kept!";
  ToGraph();
  EXPECT_EQ(w->GrfTitle, "!Kept!");
  EXPECT_EQ(w->EFHMax->Text(), "10");

  // A change of the names rebuilds the labels and empties the limits first.
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::NamesPage);
  w->EFNames->SetText("Cy");
  ToGraph();
  EXPECT_EQ(w->GrfTitle, "!Graph of d vs. t!");
  EXPECT_EQ(w->GrfTeam, "Cy");
  EXPECT_LT(w->dGraph->XMax, 10);
}

TEST_F(LabelsTest, ClearLimitsEmptiesTheFieldsAndUndoRestoresThem) {
  TwoRows();
  ToGraph();
  const std::string hMin = w->EFHMin->Text(), hMax = w->EFHMax->Text();
  const std::string vMin = w->EFVMin->Text(), vMax = w->EFVMax->Text();
  w->Dirty = false;
  const double xmax = w->dGraph->XMax;
  Push(*w->PBClearLimits);
  EXPECT_EQ(w->EFHMin->Text(), "");
  EXPECT_EQ(w->EFHMax->Text(), "");
  EXPECT_EQ(w->EFVMin->Text(), "");
  EXPECT_EQ(w->EFVMax->Text(), "");
  EXPECT_TRUE(w->Dirty);
  EXPECT_NE(dynamic_cast<ClearLimitsAction*>(w->LastAction.get()), nullptr);
  EXPECT_EQ(w->dGraph->XMax, xmax);
  Undo();
  EXPECT_EQ(w->EFHMin->Text(), hMin);
  EXPECT_EQ(w->EFHMax->Text(), hMax);
  EXPECT_EQ(w->EFVMin->Text(), vMin);
  EXPECT_EQ(w->EFVMax->Text(), vMax);
  EXPECT_EQ(w->LastAction, nullptr);
}

TEST_F(LabelsTest, EditGraphLabelsReplacesTheSixTextsRedrawsAndCanBeUndone) {
  TwoRows();
  ToGraph();
  w->SlopeUnits = "m/s";
  w->InterceptUnits = "m";
  std::vector<std::string> shown;
  bool teamFocused = false;
  AnswerLabels([&](class LabelSheet& d) {
    shown = {d.EFTeam->Text(), d.EFTitle->Text(), d.EFHLabel->Text(), d.EFVLabel->Text(),
             d.EFSlopeUnits->Text(), d.EFIntUnits->Text()};
    teamFocused = d.EFTeam->HasFocus() && d.EFTeam->SelLength() == fw::Len(d.EFTeam->Text());
    fw::TestHooks::TypeText(*d.EFTeam, "Di");
    EXPECT_TRUE(fw::TestHooks::SaveScreenshot(d, TempPath("label-dialog.png")));
    d.EFTitle->SetText("!Falling!");
    d.EFHLabel->SetText("time");
    d.EFVLabel->SetText("");
    d.EFSlopeUnits->SetText("m s^-1^");
    d.EFIntUnits->SetText("cm");
    d.PBDone->Push();
  });
  Push(*w->PBFixLabels);
  EXPECT_EQ(shown, (std::vector<std::string>{"Ann and Bo", "!Graph of d vs. t!", "t in s", "d|in|m", "m/s", "m"}));
  EXPECT_TRUE(teamFocused);
  EXPECT_EQ(w->GrfTeam, "Di");
  EXPECT_EQ(w->GrfTitle, "!Falling!");
  EXPECT_EQ(w->GrfXLabel, "time");
  EXPECT_EQ(w->GrfYLabel, "");
  EXPECT_EQ(w->SlopeUnits, "m s^-1^");
  EXPECT_EQ(w->InterceptUnits, "cm");
  EXPECT_EQ(w->EFNames->Text(), "Di");
  EXPECT_TRUE(w->GotGraph);
  EXPECT_EQ(BoxText(*w->SSTeam), "!Data taken by:!|Di");
  EXPECT_NE(dynamic_cast<EditLabelAction*>(w->LastAction.get()), nullptr);
  EXPECT_TRUE(fw::TestHooks::SaveScreenshot(*w, TempPath("graph-page-labels.png")));

  Undo();
  EXPECT_EQ(w->GrfTeam, "Ann and Bo");
  EXPECT_EQ(w->GrfTitle, "!Graph of d vs. t!");
  EXPECT_EQ(w->GrfXLabel, "t in s");
  EXPECT_EQ(w->GrfYLabel, "d|in|m");
  EXPECT_EQ(w->SlopeUnits, "m/s");
  EXPECT_EQ(w->InterceptUnits, "m");
  EXPECT_EQ(w->EFNames->Text(), "Ann and Bo");
  EXPECT_EQ(BoxText(*w->SSTeam), "!Data taken by:!|Ann and Bo");
  EXPECT_EQ(w->LastAction, nullptr);
}

TEST_F(LabelsTest, DoneWithTheTeamUnchangedStillMarksTheDocumentForTheSaveQuestion) {
  TwoRows();
  ToGraph();
  w->Dirty = false;
  ASSERT_FALSE(fw::TestHooks::MenuItemEnabled(*w, "FileSave"));
  AnswerLabels([](class LabelSheet& d) {
    d.EFTitle->SelectAll();
    fw::TestHooks::TypeText(*d.EFTitle, "!Speed!");
    d.PBDone->Push();
  });
  Push(*w->PBFixLabels);
  EXPECT_EQ(w->GrfTitle, "!Speed!");
  EXPECT_TRUE(w->Dirty);
  EXPECT_TRUE(fw::TestHooks::MenuItemEnabled(*w, "FileSave"));

  // Closing asks whether to save the new title; "Cancel" keeps the window.
  bool asked = false;
  fw::TestHooks::AnswerNextDialog([&asked](fw::Window& d) {
    asked = true;
    dynamic_cast<class SaveQuery&>(d).PBCancel->Push();
  });
  fw::TestHooks::ChooseMenu(*w, "FileClose");
  EXPECT_TRUE(asked);
  EXPECT_FALSE(w->IsClosed());
  EXPECT_EQ(w->GrfTitle, "!Speed!");
}

TEST_F(LabelsTest, CancellingTheLabelDialogChangesNothingAndDropsTheUndoRecord) {
  TwoRows();
  ToGraph();
  Push(*w->PBClearLimits);
  ASSERT_NE(w->LastAction, nullptr);
  AnswerLabels([](class LabelSheet& d) {
    d.EFTitle->SetText("other");
    d.PBCancel->Push();
  });
  Push(*w->PBFixLabels);
  EXPECT_EQ(w->GrfTitle, "!Graph of d vs. t!");
  EXPECT_EQ(w->EFNames->Text(), "Ann and Bo");
  EXPECT_EQ(w->LastAction, nullptr);
}

TEST_F(LabelsTest, UpdateAndTheSliderDropTheUndoRecord) {
  TwoRows();
  ToGraph();
  Push(*w->PBClearLimits);
  Push(*w->PBUpdate);
  EXPECT_EQ(w->LastAction, nullptr);
  EXPECT_NE(w->EFHMin->Text(), "");
}

TEST_F(LabelsTest, TheDialogsCaptionsAreTheirOwnControlArrayAtTheirPlaces) {
  struct Caption {
    int left, top, width, height;
    std::string text;
  };
  const auto check = [](fw::Window& dialog, const std::vector<Caption>& captions, auto* kind) {
    using Kind = std::remove_pointer_t<decltype(kind)>;
    for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
      SCOPED_TRACE(i);
      auto* label = dynamic_cast<Kind*>(dialog.FindControl("STLabel", i));
      ASSERT_NE(label, nullptr);
      const Caption& c = captions[static_cast<std::size_t>(i)];
      EXPECT_EQ(label->Left(), c.left);
      EXPECT_EQ(label->Top(), c.top);
      EXPECT_EQ(label->Width(), c.width);
      EXPECT_EQ(label->Height(), c.height);
      if (!c.text.empty()) {
        EXPECT_EQ(label->Text(), c.text);
      }
    }
  };
  check(LabelSheet(),
        {{20, 14, 87, 20, "Team Names:"},
         {20, 46, 87, 20, "Graph Title:"},
         {20, 78, 122, 20, "Vertical Axis Label:"},
         {20, 110, 134, 20, "Horizontal Axis Label:"},
         {20, 142, 75, 20, "Slope Units:"},
         {209, 142, 93, 20, "Intercept Units:"},
         {20, 174, 268, 29,
          "One can insert super and subscripts and other styling into these labels using the following codes:"},
         {23, 202, 237, 124, ""}},
        static_cast<LabelSheet::STLabel*>(nullptr));
  check(UnitsSheet(),
        {{25, 14, 364, 20, "Please specify units for the calculated values displayed on the"},
         {53, 71, 301, 25,
          "You can specify a superscripted exponent by enclosing it in ^ symbols. If the calculated quantity is "
          "unitless, enter \"none\"."}},
        static_cast<UnitsSheet::STLabel*>(nullptr));
}

}  // namespace

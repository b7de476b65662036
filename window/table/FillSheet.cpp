#include "window/table/FillSheet.h"

#include "framework/Beep.h"
#include "framework/EditField.h"
#include "framework/GroupBox.h"
#include "framework/Maths.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/Text.h"

namespace {

template <class T>
T& Place(T& control, int left, int top, int width, int height, fw::Control* enclosure = nullptr) {
  control.SetBounds(left, top, width, height);
  if (enclosure) control.SetEnclosure(enclosure);
  return control;
}

fw::StaticText& Caption(fw::StaticText& text, const std::string& caption) {
  text.SetText(caption);
  return text;
}

}  // namespace

FillSheet::FillSheet()
    : fw::Window(fw::Window::SheetFrame),
      GroupBox1(Place(Add<fw::GroupBox>("GroupBox1"), 19, 31, 209, 169)),
      StaticText2(Place(Add<fw::StaticText>("StaticText2"), 50, 61, 37, 20, &GroupBox1)),
      EFFrom(Place(Add<fw::EditField>("EFFrom"), 94, 60, 97, 21, &GroupBox1)),
      StaticText3(Place(Add<fw::StaticText>("StaticText3"), 50, 94, 37, 20, &GroupBox1)),
      EFTo(Place(Add<fw::EditField>("EFTo"), 94, 93, 97, 21, &GroupBox1)),
      StaticText4(Place(Add<fw::StaticText>("StaticText4"), 50, 127, 37, 20, &GroupBox1)),
      EFStep(Place(Add<fw::EditField>("EFStep"), 94, 126, 97, 21, &GroupBox1)),
      PBCancel(Place(Add<fw::PushButton>("PBCancel"), 94, 212, 107, 20)),
      PBSeq(Place(Add<fw::PushButton>("PBSeq"), 94, 159, 97, 20, &GroupBox1)),
      GroupBox2(Place(Add<fw::GroupBox>("GroupBox2"), 245, 31, 133, 64)),
      PBClear(Place(Add<fw::PushButton>("PBClear"), 273, 61, 76, 20, &GroupBox2)),
      STError(Place(Add<fw::StaticText>("STError"), 20, 251, 362, 33)),
      GroupBox3(Place(Add<fw::GroupBox>("GroupBox3"), 246, 107, 136, 135)),
      // Wider than 272: the bold title needs it in this platform's font.
      StaticText1(Place(Add<fw::StaticText>("StaticText1"), 77, 7, 300, 20)),
      EFValue(Place(Add<fw::EditField>("EFValue"), 262, 131, 104, 22, &GroupBox3)),
      StaticText5(Place(Add<fw::StaticText>("StaticText5"), 262, 164, 76, 20, &GroupBox3)),
      EFNRows(Place(Add<fw::EditField>("EFNRows"), 339, 163, 27, 21, &GroupBox3)),
      PBFill(Place(Add<fw::PushButton>("PBFill"), 262, 204, 104, 20, &GroupBox3)) {
  SetTitle("Untitled");
  SetSize(402, 305);

  GroupBox1.SetCaption("with this calculated sequence");
  Caption(StaticText2, "From:");
  Caption(StaticText3, "To:");
  Caption(StaticText4, "Step:");
  PBCancel.SetCaption("Cancel Fill");
  PBCancel.SetCancel(true);
  PBSeq.SetCaption("Do Sequence");
  GroupBox2.SetCaption("with blanks");
  PBClear.SetCaption("Clear");
  STError.SetMultiLine(true);
  STError.SetTextColor(fw::RGB(255, 0, 0));
  GroupBox3.SetCaption("with this value");
  Caption(StaticText1, "Fill this and following cells in this column");
  StaticText1.SetBold(true);
  Caption(StaticText5, "No. of rows:");
  PBFill.SetCaption("Fill Down");

  EFFrom.KeyDown = [this](const std::string& k) { return EFFrom_KeyDown(k); };
  EFTo.KeyDown = [this](const std::string& k) { return EFTo_KeyDown(k); };
  EFStep.KeyDown = [this](const std::string& k) { return EFStep_KeyDown(k); };
  PBCancel.Action = [this] { PBCancel_Action(); };
  PBSeq.Action = [this] { PBSeq_Action(); };
  PBClear.Action = [this] { PBClear_Action(); };
  EFValue.KeyDown = [this](const std::string& k) { return EFValue_KeyDown(k); };
  EFNRows.KeyDown = [this](const std::string& k) { return EFNRows_KeyDown(k); };
  PBFill.Action = [this] { PBFill_Action(); };
  Activate = [this] { Event_Activate(); };
}

class FillSheet& FillSheet() { return fw::SharedWindow<class FillSheet>(); }

bool FillSheet::ValidForDouble(const std::string& key, const std::string& text) {
  if (key >= "0" && key <= "9" && fw::Len(key) == 1) return true;
  if (key == fw::Chr(28) || key == fw::Chr(29)) return true;
  if (key == fw::Chr(9) || key == fw::Chr(8)) return true;
  bool ok = false;
  if (key == "+" || key == "-") {
    ok = text.empty() || text.back() == 'e' || text.back() == 'E';
  } else if (key == ".") {
    ok = text.find('.') == std::string::npos;
  } else if (key == "e" || key == "E") {
    ok = text.find_first_of("eE") == std::string::npos;
  }
  if (!ok) fw::Beep();
  return ok;
}

bool FillSheet::ValidForInteger(const std::string& key) {
  if (key >= "0" && key <= "9" && fw::Len(key) == 1) return true;
  if (key == fw::Chr(28) || key == fw::Chr(29) || key == fw::Chr(8) || key == fw::Chr(9)) return true;
  fw::Beep();
  return false;
}

double FillSheet::SequenceSteps(double from, double to, double step) {
  return fw::Floor((to - from) / step + 1e-9);
}

bool FillSheet::EFFrom_KeyDown(const std::string& key) { return !ValidForDouble(key, EFFrom.Text()); }
bool FillSheet::EFTo_KeyDown(const std::string& key) { return !ValidForDouble(key, EFTo.Text()); }
bool FillSheet::EFStep_KeyDown(const std::string& key) { return !ValidForDouble(key, EFStep.Text()); }
bool FillSheet::EFValue_KeyDown(const std::string& key) { return !ValidForDouble(key, EFValue.Text()); }
bool FillSheet::EFNRows_KeyDown(const std::string& key) { return !ValidForInteger(key); }

void FillSheet::zRefuse(const std::string& message) {
  fw::Beep();
  STError.SetText(message);
}

void FillSheet::zLeave(std::int32_t code) {
  ReturnCode = code;
  STError.SetText("");
  Hide();
}

void FillSheet::PBCancel_Action() { zLeave(0); }

void FillSheet::PBClear_Action() { zLeave(2); }

void FillSheet::PBSeq_Action() {
  FromValue = fw::CDbl(EFFrom.Text());
  ToValue = fw::CDbl(EFTo.Text());
  StepValue = fw::CDbl(EFStep.Text());
  double range = ToValue - FromValue;
  if (StepValue == 0) return zRefuse("Step size must be nonzero.");
  if (range == 0) return zRefuse("Range must be larger than zero.");
  if (range > 0 && StepValue < 0) return zRefuse("Step should be positive if range is positive");
  if (range < 0 && StepValue > 0) return zRefuse("Step should be negative if range is negative");
  // Written so that a range that is not a number (infinite ends) is refused too.
  if (!(SequenceSteps(FromValue, ToValue, StepValue) < NRows)) {
    return zRefuse("Sequence has more values than there are rows.");
  }
  if (EFFrom.Text().empty() || EFTo.Text().empty() || EFStep.Text().empty()) {
    return zRefuse("All items must be filled in");
  }
  zLeave(1);
}

void FillSheet::PBFill_Action() {
  // Compared before the conversion, so a count too large for an integer is
  // still caught as too many rows.
  double n = fw::Round(fw::CDbl(EFNRows.Text()));
  if (n > NRows) {
    EFNRows.SetText(fw::Str(NRows));
    return zRefuse("You specified more rows than are left. Is this number of rows OK?");
  }
  if (EFNRows.Text().empty() || n < 1) return zRefuse("You must specify some number of rows");
  NRows = fw::ToInt32(n);
  zLeave(3);
}

void FillSheet::Event_Activate() {
  EFFrom.SetFocus();
  EFFrom.SelectAll();
}

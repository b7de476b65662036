#include "calculators/RepDatSheet.h"

#include <cmath>
#include <vector>

#include "engine/GlobalFuncts.h"
#include "framework/EditField.h"
#include "framework/Maths.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/Text.h"

namespace {

const std::string kReturn = fw::Chr(13);
const std::string kEnter = fw::Chr(3);

fw::StaticText& AddLabel(fw::Window& w, const std::string& name, int left, int top, int width, int height,
                         const std::string& text, int align) {
  auto& label = w.Add<fw::StaticText>(name);
  label.SetBounds(left, top, width, height);
  label.SetText(text);
  label.SetTextAlign(align);
  return label;
}

fw::PushButton& AddButton(fw::Window& w, const std::string& name, int left, int top, int width, int height,
                          const std::string& caption) {
  auto& button = w.Add<fw::PushButton>(name);
  button.SetBounds(left, top, width, height);
  button.SetCaption(caption);
  return button;
}

// The entry is several lines high: a value after a line break must still read as
// a number, and the reader skips only blanks and tabs.
std::string LinesAsBlanks(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

RepDatSheet::RepDatSheet() : fw::Window(fw::Window::SheetFrame) {
  Layout();
  CreateControls();
  AddMenuHandlers();
}

class RepDatSheet& RepDatSheet() { return fw::SharedWindow<class RepDatSheet>(); }

void RepDatSheet::Layout() {
  SetTitle("Untitled");
  SetSize(548, 267);
  SetBackColor(fw::RGB(255, 255, 255));
  SetHasBackColor(true);
  Activate = [this] { Event_Activate(); };
}

void RepDatSheet::CreateControls() { CreateControls0(); }

void RepDatSheet::CreateControls0() {
  // Texts are sized for the platform's "System" face (DejaVu Sans), which is wider
  // than the classic one, so no caption or result is clipped.
  AddLabel(*this, "StaticText1", 20, 14, 506, 20, "Type the repeated measurement values separated by commas:", 0);

  auto& data = Add<fw::EditField>("EFData");
  data.SetBounds(20, 41, 506, 73);
  data.SetMultiLine(true);
  data.TextChange = [this] { EFData_TextChange(); };
  data.KeyDown = [this](const std::string& key) { return EFData_KeyDown(key); };

  const int right = 2;
  AddLabel(*this, "StaticText4", 58, 126, 75, 20, "N:", right);
  AddLabel(*this, "StaticText2", 58, 147, 75, 20, "Mean:", right);
  AddLabel(*this, "StaticText3", 58, 168, 75, 20, "Std Dev:", right);
  AddLabel(*this, "StaticText5", 58, 189, 75, 20, "Student t:", right);
  AddLabel(*this, "StaticText6", 25, 210, 108, 20, "Unc. of Data:", right);
  AddLabel(*this, "StaticText9", 25, 231, 108, 18, "Unc. of the Mean:", right);
  AddLabel(*this, "STN", 145, 126, 165, 20, "", 0);
  AddLabel(*this, "STMean", 145, 147, 165, 20, "", 0);
  AddLabel(*this, "STStdDev", 145, 168, 165, 20, "", 0);
  AddLabel(*this, "STStuT", 145, 189, 165, 20, "", 0);
  AddLabel(*this, "STUnc", 145, 210, 165, 20, "", 0);
  AddLabel(*this, "STUM", 145, 231, 165, 20, "", 0);

  auto& calculate = AddButton(*this, "PBCalculate", 426, 126, 100, 20, "Calculate");
  calculate.SetDefault(true);
  calculate.Action = [this] { PBCalculate_Action(); };
  AddLabel(*this, "StaticText8", 433, 149, 110, 20, "(Or press \"return\")", 0).SetTextSize(10);
  AddLabel(*this, "StaticText7", 433, 205, 110, 20, "(Or press \"enter\")", 0).SetTextSize(10);

  // Escape and the close box press the cancel button, so they leave without a result.
  auto& cancel = AddButton(*this, "PBCancel", 315, 227, 69, 20, "Cancel");
  cancel.SetCancel(true);
  cancel.Action = [this] { PBCancel_Action(); };

  auto& enter = AddButton(*this, "PBEnter", 426, 228, 100, 20, "Enter Result");
  enter.SetEnabled(false);
  enter.Action = [this] { PBEnter_Action(); };
}

void RepDatSheet::EFData_TextChange() { Get<fw::PushButton>("PBEnter").SetEnabled(false); }

bool RepDatSheet::EFData_KeyDown(const std::string& key) {
  if (key == kReturn) {
    DoCalculate();
    return true;
  }
  if (key == kEnter && Get<fw::PushButton>("PBEnter").Enabled()) {
    PBEnter_Action();
    return true;
  }
  return false;
}

void RepDatSheet::PBCalculate_Action() { DoCalculate(); }

void RepDatSheet::PBCancel_Action() {
  HaveData = false;
  Hide();
  ClearStuff();
}

void RepDatSheet::PBEnter_Action() {
  HaveData = true;
  Hide();
  ClearStuff();
}

void RepDatSheet::AddMenuHandlers() {}

// A result left over from an earlier showing must never reach a new caller. The
// values are typed straight after "r", so the entry takes the keys at once.
void RepDatSheet::Event_Activate() {
  HaveData = false;
  Get<fw::EditField>("EFData").SetFocus();
}

void RepDatSheet::DoCalculate() {
  const std::string text = LinesAsBlanks(Get<fw::EditField>("EFData").Text());
  const int n = fw::CountFields(text, ",");
  Get<fw::StaticText>("STN").SetText(fw::Str(n));
  auto& enter = Get<fw::PushButton>("PBEnter");
  if (n < 2) {
    enter.SetEnabled(false);
    return;
  }
  const double t = GlobalFuncts::StudentT(n - 1);

  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(n));
  double sum = 0.0;
  for (int i = 1; i <= n; ++i) {
    values.push_back(fw::Val(fw::NthField(text, ",", i)));
    sum += values.back();
  }
  const double mean = sum / n;
  // Two passes: the one-pass sum of squares cancels to rounding noise, or below
  // zero, when the values agree in many leading digits.
  double squares = 0.0;
  for (double x : values) {
    squares += (x - mean) * (x - mean);
  }
  const double s = fw::Sqrt(fw::Max(squares / (n - 1), 0.0));
  const double unc = (t * s) / fw::Sqrt(n);

  Get<fw::StaticText>("STMean").SetText(fw::Str(mean));
  Get<fw::StaticText>("STStdDev").SetText(fw::Str(s));
  Get<fw::StaticText>("STStuT").SetText(fw::Str(t));
  Get<fw::StaticText>("STUnc").SetText(fw::Str(t * s));
  Get<fw::StaticText>("STUM").SetText(fw::Str(unc));

  // A value too large for a double gives no usable result for the table.
  const bool finite = std::isfinite(mean) && std::isfinite(unc);
  if (finite) {
    theMean = mean;
    theUnc = unc;
  }
  enter.SetEnabled(finite);
}

void RepDatSheet::ClearStuff() {
  Get<fw::EditField>("EFData").SetText("");
  for (const char* name : {"STMean", "STN", "STStdDev", "STStuT", "STUnc", "STUM"}) {
    Get<fw::StaticText>(name).SetText("");
  }
  Get<fw::PushButton>("PBEnter").SetEnabled(false);
}

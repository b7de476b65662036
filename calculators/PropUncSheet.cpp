#include "calculators/PropUncSheet.h"

#include <array>

#include "calculators/Propagation.h"
#include "calculators/RepDatSheet.h"
#include "engine/Evaluator.h"
#include "engine/GlobalFuncts.h"
#include "framework/GroupBox.h"
#include "framework/Listbox.h"
#include "framework/Maths.h"
#include "framework/PopupMenu.h"
#include "framework/PushButton.h"
#include "framework/Text.h"

namespace {

const std::string kReturn = fw::Chr(13);
const std::string kEnter = fw::Chr(3);

struct RowPlace {
  int nameTop, equalsTop, valueTop, plusMinusTop, uncTop;
};

constexpr std::array<RowPlace, PropUncSheet::Rows> kRowPlaces{{
    {55, 56, 55, 57, 56},
    {88, 89, 89, 90, 88},
    {123, 123, 123, 124, 123},
    {157, 157, 157, 158, 157},
    {191, 190, 191, 192, 191},
    {223, 222, 223, 224, 223},
    {257, 256, 257, 258, 257},
}};

const std::array<const char*, 28> kFunctions{
    "abs( )",  "sqrt( )", "exp( )",  "pow( , )", "ln( )",    "log( )",   "pi",
    "deg( )",  "rad( )",  "rnd",     "sin( )",   "cos( )",   "tan( )",   "asin( )",
    "acos( )", "atan( )", "round( )", "ceil( )", "floor( )", "max( , )", "min( , )",
    "mod( , )", "sinh( )", "cosh( )", "tanh( )", "asinh( )", "acosh( )", "atanh( )"};

class PropUncSheet& SheetOf(fw::Window& window) { return static_cast<class PropUncSheet&>(window); }

void AddLabel(fw::Window& w, int index, int left, int top, int width, int height,
                                const std::string& text, fw::Control* in = nullptr, int size = 12,
                                bool wrapped = false) {
  auto& label = w.Add<PropUncSheet::STLabel>("STLabel", index);
  label.SetBounds(left, top, width, height);
  label.SetText(text);
  label.SetTextSize(size);
  label.SetMultiLine(wrapped);
  if (in) {
    label.SetEnclosure(in);
  }
}

fw::PushButton& AddButton(fw::Window& w, const std::string& name, int left, int top, int width, int height,
                          const std::string& caption) {
  auto& button = w.Add<fw::PushButton>(name);
  button.SetBounds(left, top, width, height);
  button.SetCaption(caption);
  return button;
}

}  // namespace

PropUncSheet::EFName::EFName(fw::Window& window) : fw::EditField(window) {
  class PropUncSheet& sheet = SheetOf(window);
  TextChange = [this, &sheet] { sheet.EFName_TextChange(Index()); };
  GotFocus = [this, &sheet] { sheet.EFName_GotFocus(Index()); };
}

PropUncSheet::EFValue::EFValue(fw::Window& window) : fw::EditField(window) {
  class PropUncSheet& sheet = SheetOf(window);
  TextChange = [this, &sheet] { sheet.EFValue_TextChange(Index()); };
  KeyDown = [this, &sheet](const std::string& key) { return sheet.EFValue_KeyDown(Index(), key); };
  GotFocus = [this, &sheet] { sheet.EFValue_GotFocus(Index()); };
}

PropUncSheet::EFUnc::EFUnc(fw::Window& window) : fw::EditField(window) {
  class PropUncSheet& sheet = SheetOf(window);
  TextChange = [this, &sheet] { sheet.EFUnc_TextChange(Index()); };
  GotFocus = [this, &sheet] { sheet.EFUnc_GotFocus(Index()); };
}

PropUncSheet::PropUncSheet() : fw::Window(fw::Window::SheetFrame) {
  Layout();
  CreateControls();
  AddMenuHandlers();
}

PropUncSheet::~PropUncSheet() = default;

class PropUncSheet& PropUncSheet() { return fw::SharedWindow<class PropUncSheet>(); }

void PropUncSheet::Layout() {
  SetTitle("Untitled");
  SetSize(531, 655);
  KeyDown = [this](const std::string& key) { return Event_KeyDown(key); };
  Activate = [this] { Event_Activate(); };
  Open = [this] { Event_Open(); };
}

void PropUncSheet::CreateControls() {
  CreateControls0();
  CreateControls1();
}

void PropUncSheet::CreateControls0() {
  auto& variables = Add<fw::GroupBox>("GroupBox1");
  variables.SetBounds(20, 14, 400, 324);
  variables.SetCaption("Variables");
  AddLabel(*this, 0, 37, 33, 52, 20, "Names:*", &variables);

  for (int i = 0; i < Rows; ++i) {
    const RowPlace& place = kRowPlaces[static_cast<std::size_t>(i)];
    auto& name = Add<EFName>("EFName", i);
    name.SetBounds(37, place.nameTop, 74, 22);
    name.SetEnclosure(&variables);
    auto& value = Add<EFValue>("EFValue", i);
    value.SetBounds(145, place.valueTop, 112, 22);
    value.SetEnclosure(&variables);
    auto& unc = Add<EFUnc>("EFUnc", i);
    unc.SetBounds(290, place.uncTop, 112, 22);
    unc.SetEnclosure(&variables);
  }
  for (int i = 0; i < 5; ++i) {
    AddLabel(*this, 3 + i, 123, kRowPlaces[static_cast<std::size_t>(i)].equalsTop, 17, 21, "=", &variables);
  }
  for (int i = 0; i < 5; ++i) {
    AddLabel(*this, 8 + i, 269, kRowPlaces[static_cast<std::size_t>(i)].plusMinusTop, 18, 20, "±", &variables);
  }
  AddLabel(*this, 1, 145, 33, 52, 20, "Values:", &variables);
  AddLabel(*this, 2, 290, 33, 112, 20, "Uncertainties:", &variables);
  AddLabel(*this, 13, 20, 353, 69, 20, "Expression:");

  auto& expression = Add<fw::EditField>("EFExpression");
  expression.SetBounds(20, 383, 400, 22);
  expression.GotFocus = [this] { EFExpression_GotFocus(); };
  expression.KeyDown = [this](const std::string& key) { return EFExpression_KeyDown(key); };
  expression.TextChange = [this] { EFExpression_TextChange(); };

  auto& n = Add<fw::PopupMenu>("PUN");
  n.SetBounds(40, 415, 80, 20);
  for (const char* item : {"10", "20", "50", "100", "200", "500", "1000", "2000", "5000", "10000"}) {
    n.AddRow(item);
  }
  n.SetListIndex(6);
  AddLabel(*this, 16, 20, 415, 24, 20, "N:");

  auto& calculate = AddButton(*this, "PBCalculate", 323, 467, 97, 20, "Calculate");
  calculate.SetDefault(true);
  calculate.SetEnabled(false);
  calculate.Action = [this] { PBCalculate_Action(); };

  auto& result = Add<fw::GroupBox>("GroupBox2");
  result.SetBounds(20, 453, 273, 49);
  result.SetCaption("Calculated Result");
  auto& shownResult = Add<fw::StaticText>("STResult");
  shownResult.SetBounds(40, 474, 100, 20);
  shownResult.SetEnclosure(&result);
  AddLabel(*this, 22, 152, 474, 18, 20, "±", &result);
  auto& shownUnc = Add<fw::StaticText>("STUnc");
  shownUnc.SetBounds(174, 474, 100, 20);
  shownUnc.SetEnclosure(&result);

  auto& log = Add<fw::EditField>("EFErrorLog");
  log.SetBounds(20, 541, 365, 79);
  log.SetMultiLine(true);
  log.SetReadOnly(true);
  log.GotFocus = [this] { EFErrorLog_GotFocus(); };
  AddLabel(*this, 18, 20, 517, 100, 20, "Error Messages:");
  // Wide enough for the platform's "System" face, which is wider than the classic one.
  AddLabel(*this, 19, 326, 488, 104, 20, "(or press \"return\")", nullptr, 10);

  auto& enter = AddButton(*this, "PBEnter", 414, 582, 97, 20, "Enter Data");
  enter.SetEnabled(false);
  enter.Action = [this] { PBEnter_Action(); };
  AddLabel(*this, 20, 417, 602, 104, 20, "(or press \"enter\")", nullptr, 10);

  auto& cancel = AddButton(*this, "PBCancel", 414, 542, 93, 20, "Cancel");
  cancel.SetCancel(true);
  cancel.Action = [this] { PBCancel_Action(); };
}

void PropUncSheet::CreateControls1() {
  auto& variables = Get<fw::GroupBox>("GroupBox1");
  AddLabel(*this, 14, 37, 291, 273, 44,
           "*Names must be alphanumeric and begin with a letter. You can type \"r\" in a value box to determine "
           "the mean and uncertainty of repeated data.",
           &variables, 10, true);
  AddLabel(*this, 15, 98, 351, 324, 31,
           "(Type a function [e.g. \"sqrt(x)/n\"] using the variables above and the clickable function list to "
           "the right. Use \"*\" for multiplication.)",
           nullptr, 10, true);
  AddLabel(*this, 17, 132, 411, 288, 30,
           "Specifies the number of virtual \"experiments\" used to determine the result's uncertainty.", nullptr,
           10, true);

  auto& functions = Add<fw::Listbox>("LBFuncts");
  functions.SetBounds(432, 24, 78, 478);
  functions.SetColumnCount(1);
  functions.SetHasHeading(false);
  functions.SetDefaultRowHeight(16);
  for (const char* function : kFunctions) {
    functions.AddRow(function);
  }
  functions.SetEnabled(false);
  functions.GotFocus = [this] { LBFuncts_GotFocus(); };
  functions.CellClick = [this](int row, int column, int x, int y) { return LBFuncts_CellClick(row, column, x, y); };
  AddLabel(*this, 21, 432, 4, 100, 20, "Function List:");

  auto& clear = AddButton(*this, "PBClear", 315, 301, 89, 20, "Clear All");
  clear.SetEnclosure(&variables);
  clear.Action = [this] { PBClear_Action(); };

  AddLabel(*this, 23, 123, kRowPlaces[5].equalsTop, 17, 21, "=", &variables);
  AddLabel(*this, 24, 269, kRowPlaces[5].plusMinusTop, 18, 20, "±", &variables);
  AddLabel(*this, 25, 123, kRowPlaces[6].equalsTop, 17, 21, "=", &variables);
  AddLabel(*this, 26, 269, kRowPlaces[6].plusMinusTop, 18, 20, "±", &variables);
}

void PropUncSheet::zClearShownResult() {
  Get<fw::StaticText>("STResult").SetText("");
  Get<fw::StaticText>("STUnc").SetText("");
  Get<fw::PushButton>("PBEnter").SetEnabled(false);
}

void PropUncSheet::EFName_TextChange(int /*index*/) { zClearShownResult(); }

void PropUncSheet::EFName_GotFocus(int /*index*/) { Get<fw::Listbox>("LBFuncts").SetEnabled(false); }

void PropUncSheet::EFValue_TextChange(int /*index*/) { zClearShownResult(); }

bool PropUncSheet::EFValue_KeyDown(int index, const std::string& key) {
  if (!fw::TextEquals(key, "r")) {
    return false;
  }
  auto& repeated = RepDatSheet();
  repeated.ShowModalWithin(*this);
  if (repeated.HaveData) {
    Get<EFValue>("EFValue", index).SetText(fw::Str(repeated.theMean));
    auto& unc = Get<EFUnc>("EFUnc", index);
    unc.SetText(fw::Str(repeated.theUnc));
    // A long uncertainty would otherwise show only its last digits.
    unc.SetSelStart(0);
  }
  return true;
}

void PropUncSheet::EFValue_GotFocus(int /*index*/) { Get<fw::Listbox>("LBFuncts").SetEnabled(false); }

void PropUncSheet::EFUnc_TextChange(int /*index*/) { zClearShownResult(); }

void PropUncSheet::EFUnc_GotFocus(int /*index*/) { Get<fw::Listbox>("LBFuncts").SetEnabled(false); }

void PropUncSheet::EFExpression_GotFocus() { Get<fw::Listbox>("LBFuncts").SetEnabled(true); }

bool PropUncSheet::EFExpression_KeyDown(const std::string& key) {
  if (key == kReturn && Get<fw::PushButton>("PBCalculate").Enabled()) {
    DoCalculate();
    return true;
  }
  if (key == kEnter && Get<fw::PushButton>("PBEnter").Enabled()) {
    DoEnter();
    return true;
  }
  return false;
}

void PropUncSheet::EFExpression_TextChange() {
  HaveValue = false;
  Get<fw::PushButton>("PBCalculate").SetEnabled(!Get<fw::EditField>("EFExpression").Text().empty());
  zClearShownResult();
}

void PropUncSheet::PBCalculate_Action() { DoCalculate(); }

void PropUncSheet::EFErrorLog_GotFocus() { Get<fw::EditField>("EFExpression").SetFocus(); }

void PropUncSheet::PBEnter_Action() { DoEnter(); }

void PropUncSheet::PBCancel_Action() {
  HaveValue = false;
  DoExit();
}

void PropUncSheet::LBFuncts_GotFocus() { Get<fw::EditField>("EFExpression").SetFocus(); }

bool PropUncSheet::LBFuncts_CellClick(int row, int column, int /*x*/, int /*y*/) {
  auto& expression = Get<fw::EditField>("EFExpression");
  expression.SetSelText("");
  const int p = fw::Len(expression.Text());
  expression.SetSelStart(p);
  expression.SetSelText(Get<fw::Listbox>("LBFuncts").Cell(row, column));
  // From the last character of the old text, so a blank it ended with is found first.
  const int k = fw::InStr(fw::Max(p, 1), expression.Text(), " ");
  if (k != 0) {
    expression.SetSelStart(k - 1);
    expression.SetSelLength(1);
    expression.SetFocus();
  }
  return false;
}

void PropUncSheet::PBClear_Action() {
  for (int i = 0; i < Rows; ++i) {
    Get<EFName>("EFName", i).SetText("");
    Get<EFValue>("EFValue", i).SetText("");
    Get<EFUnc>("EFUnc", i).SetText("");
  }
  Get<fw::EditField>("EFExpression").SetText("");
}

void PropUncSheet::AddMenuHandlers() {}

bool PropUncSheet::Event_KeyDown(const std::string& key) {
  if (key != kEnter) {
    return false;
  }
  if (Get<fw::PushButton>("PBEnter").Enabled()) {
    DoEnter();
  }
  // Consumed either way: an Enter left over would press "Calculate", the default button.
  return true;
}

void PropUncSheet::Event_Activate() {
  // A result left over from an earlier showing must never reach a new caller.
  HaveValue = false;
  Get<fw::PushButton>("PBCalculate").SetEnabled(!Get<fw::EditField>("EFExpression").Text().empty());
  zClearShownResult();
  auto& first = Get<EFName>("EFName", 0);
  first.SetFocus();
  first.SetSelStart(0);
  first.SetSelLength(fw::Len(first.Text()));
}

void PropUncSheet::Event_Open() { theEvaluator = std::make_unique<Evaluator>(); }

void PropUncSheet::DoCalculate() {
  Propagation run;
  run.N = fw::ToInt32(fw::Val(Get<fw::PopupMenu>("PUN").Text()));
  run.StudentFactor = GlobalFuncts::StudentT(run.N - 1);
  Evaluator& ev = *theEvaluator;
  ev.ClearVariables();
  for (int i = 0; i < Rows; ++i) {
    const std::string name = Get<EFName>("EFName", i).Text();
    if (name.empty()) {
      continue;
    }
    ev.DefineVariable(name);
    run.Value.push_back(fw::CDbl(Get<EFValue>("EFValue", i).Text()));
    run.StdDev.push_back(fw::CDbl(Get<EFUnc>("EFUnc", i).Text()) / run.StudentFactor);
  }

  auto& log = Get<fw::EditField>("EFErrorLog");
  auto& shownResult = Get<fw::StaticText>("STResult");
  auto& shownUnc = Get<fw::StaticText>("STUnc");
  auto& enter = Get<fw::PushButton>("PBEnter");
  log.SetText("");
  shownResult.SetText("");
  shownUnc.SetText("");

  if (!ev.CompiledOK(Get<fw::EditField>("EFExpression").Text())) {
    log.SetText(ev.ErrorMessage + fw::EndOfLine + ev.MarkedSource());
    enter.SetEnabled(false);
    return;
  }
  if (!run.RanOK(ev)) {
    log.SetText(run.ErrorMessage);
    enter.SetEnabled(false);
    return;
  }
  theResult = run.Result;
  theUnc = run.Unc;

  std::string valueText;
  std::string uncText;
  GlobalFuncts::FormatValUnc(theResult, theUnc, valueText, uncText);
  shownResult.SetText(valueText);
  shownUnc.SetText(uncText);
  // The caller gets the two significant digits that are shown.
  theUnc = fw::Val(fw::Format(theUnc, "-0.0e+"));
  enter.SetEnabled(true);
}

void PropUncSheet::DoEnter() {
  HaveValue = true;
  DoExit();
}

void PropUncSheet::DoExit() {
  Hide();
  Get<fw::PushButton>("PBCalculate").SetEnabled(false);
  Get<fw::PushButton>("PBEnter").SetEnabled(false);
}

#include "window/table/DataPage.h"

#include <memory>

#include "calculators/PropUncSheet.h"
#include "calculators/RepDatSheet.h"
#include "engine/GlobalFuncts.h"
#include "framework/BackgroundTask.h"
#include "framework/Beep.h"
#include "framework/CheckBox.h"
#include "framework/EditField.h"
#include "framework/GroupBox.h"
#include "framework/Keyboard.h"
#include "framework/Listbox.h"
#include "framework/Maths.h"
#include "framework/PopupMenu.h"
#include "framework/PushButton.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/StaticText.h"
#include "framework/Text.h"
#include "window/MainWndo.h"
#include "window/table/BigDataAction.h"
#include "window/table/ColumnCalculator.h"
#include "window/table/FillSheet.h"

namespace {

constexpr int kRows = 99;
constexpr int kLastRow = kRows - 1;

const std::string kEnter = fw::Chr(3);
const std::string kTab = fw::Chr(9);
const std::string kReturn = fw::Chr(13);
const std::string kLeft = fw::Chr(28);
const std::string kRight = fw::Chr(29);
const std::string kUp = fw::Chr(30);
const std::string kDown = fw::Chr(31);

void SelectAll(fw::EditField& field) {
  field.SetSelStart(0);
  field.SetSelLength(fw::Len(field.Text()));
}

}  // namespace

DataPage::DataPage(MainWndo& window) : w(window) {}

void DataPage::BindEvents() {
  fw::Listbox& lb = *w.LBData;
  lb.Open = [this] { LBData_Open(); };
  lb.CellTextChange = [this](int r, int c) { LBData_CellTextChange(r, c); };
  lb.HeaderPressed = [this](int c) { return LBData_HeaderPressed(c); };
  lb.CellGotFocus = [this](int r, int c) { LBData_CellGotFocus(r, c); };
  lb.CellAction = [this](int r, int c) { LBData_CellAction(r, c); };
  lb.CellLostFocus = [this](int r, int c) { LBData_CellLostFocus(r, c); };
  lb.CellKeyDown = [this](int r, int c, const std::string& k) { return LBData_CellKeyDown(r, c, k); };
  lb.CellClick = [this](int r, int c, int x, int y) { return LBData_CellClick(r, c, x, y); };

  w.RBHEntered->Action = [this] { RBHEntered_Action(); };
  w.RBHCalculated->Action = [this] { RBHCalculated_Action(); };
  w.EFHFormula->KeyDown = [this](const std::string& k) { return EFHFormula_KeyDown(k); };
  w.EFHFormula->TextChange = [this] { EFHFormula_TextChange(); };
  w.EFHFormula->GotFocus = [this] { EFHFormula_GotFocus(); };
  w.RBVEntered->Action = [this] { RBVEntered_Action(); };
  w.RBVCalculated->Action = [this] { RBVCalculated_Action(); };
  w.EFVFormula->GotFocus = [this] { EFVFormula_GotFocus(); };
  w.EFVFormula->KeyDown = [this](const std::string& k) { return EFVFormula_KeyDown(k); };
  w.EFVFormula->TextChange = [this] { EFVFormula_TextChange(); };

  w.PUHFormat->Change = [this] { PUHFormat_Change(); };
  w.PUVFormat->Change = [this] { PUVFormat_Change(); };
  w.SDDatDspd->ValueChanged = [this] { SDDatDspd_ValueChanged(); };
  w.PBClearData->Action = [this] { PBClearData_Action(); };
}

std::int32_t DataPage::zFormatCode(int column) const {
  return column < 3 ? w.PUHFormat->ListIndex() : w.PUVFormat->ListIndex();
}

void DataPage::zWriteCell(int row, int column, double value, const std::string& formatted) {
  fw::Listbox& lb = *w.LBData;
  bool open = lb.EditRow() == row && lb.EditColumn() == column;
  lb.SetCell(row, column, open ? fw::Str(value) : formatted);
}

void DataPage::zCommitOpenCell() {
  fw::Listbox& lb = *w.LBData;
  // Asking for the row-number column, which never opens, only commits.
  if (lb.ActiveCell()) lb.EditCell(lb.EditRow(), 0);
}

void DataPage::zEmptyCell(int row, int column) {
  w.Data[0][row][column] = 0;
  w.LBData->SetCell(row, column, "");
  w.CellFull[row][column] = false;
}

// ---- Table set-up and cell editing ----

void DataPage::LBData_Open() {
  fw::Listbox& lb = *w.LBData;
  lb.SetColumnType(0, fw::Listbox::TypeNormal);
  for (int c = 1; c <= 4; ++c) lb.SetColumnType(c, fw::Listbox::TypeEditable);
  for (int c = 0; c <= 4; ++c) {
    lb.SetColumnAlignment(c, fw::Listbox::AlignRight);
    lb.SetColumnAlignmentOffset(c, -2);
  }
  for (int i = 1; i <= kRows; ++i) {
    lb.AddRow(fw::Str(i));
    int row = lb.LastIndex();
    lb.SetCellBorderRight(row, 0, fw::Listbox::BorderThickSolid);
    lb.SetCellBorderRight(row, 1, fw::Listbox::BorderThinDotted);
    lb.SetCellBorderRight(row, 2, fw::Listbox::BorderThickSolid);
    lb.SetCellBorderRight(row, 3, fw::Listbox::BorderThinDotted);
    fw::RuntimeBackgroundTask();
  }
}

void DataPage::LBData_CellGotFocus(int row, int column) { DoNewCell(row, column); }

void DataPage::DoNewCell(int row, int column) {
  fw::Listbox& lb = *w.LBData;
  if (w.CellFull[row][column]) lb.SetCell(row, column, fw::Str(w.Data[0][row][column]));
  if (fw::EditField* editor = lb.ActiveCell()) SelectAll(*editor);
  w.LastCellRow = row;
  w.LastCellCol = column;
  w.PasteOK = true;
}

void DataPage::LBData_CellTextChange(int /*row*/, int /*column*/) {
  if (w.SDDatDspd->Value() != 1) return;
  w.CellDirty = true;
  w.Dirty = true;
  // Paste, Cut and Clear change the data as typing does.
  w.Plot.KillFit();
}

void DataPage::LBData_CellAction(int row, int column) {
  UpdateCell(row, column);
  w.LastAction = nullptr;
}

void DataPage::UpdateCell(int row, int column) {
  double v;
  if (w.CellDirty) {
    std::string t = w.LBData->Cell(row, column);
    v = fw::Val(t);
    w.Data[0][row][column] = v;
    w.CellFull[row][column] = fw::Len(t) >= 1;
    w.CellDirty = false;
  } else {
    v = w.Data[0][row][column];
  }
  if (w.CellFull[row][column]) {
    w.LBData->SetCell(row, column, GlobalFuncts::Reformat(v, zFormatCode(column)));
  }
}

void DataPage::LBData_CellLostFocus(int /*row*/, int /*column*/) {
  w.LastCellRow = -1;
  w.LastCellCol = -1;
  w.PasteOK = false;
}

bool DataPage::LBData_HeaderPressed(int /*column*/) { return true; }

// ---- Keys typed into an open cell ----

bool DataPage::LBData_CellKeyDown(int row, int column, const std::string& key) {
  fw::Listbox& lb = *w.LBData;
  if (key == kTab || key == kEnter) {
    bool across = w.CBTabAcross->Value();
    bool intoV = across && w.RBVEntered->Value();
    bool intoH = across && w.RBHEntered->Value();
    int next = row == kLastRow ? 0 : row + 1;
    int prev = row == 0 ? 0 : row - 1;
    int r = row;
    int c = column;
    if (!fw::Keyboard::ShiftKey()) {
      switch (column) {
        case 1: c = 2; break;
        case 2: if (intoV) c = 3; else { r = next; c = 1; } break;
        case 3: c = 4; break;
        default: r = next; c = intoH ? 1 : 3; break;
      }
    } else {
      switch (column) {
        case 1: r = prev; c = intoV ? 4 : 2; break;
        case 2: c = 1; break;
        case 3: if (intoH) c = 2; else { r = prev; c = 4; } break;
        default: c = 3; break;
      }
    }
    lb.EditCell(r, c);
    return true;
  }
  bool control = fw::Keyboard::ControlKey();
  if (key == kLeft && !control) {
    int c = column - 1;
    if (c == 0 || (c == 2 && w.RBHCalculated->Value())) fw::Beep();
    else lb.EditCell(row, c);
    return true;
  }
  if (key == kRight && !control) {
    int c = column + 1;
    if (c == 5 || (c == 3 && w.RBVCalculated->Value())) fw::Beep();
    else lb.EditCell(row, c);
    return true;
  }
  if (key == kUp && !control) {
    if (row > 0) {
      lb.EditCell(row - 1, column);
      return true;
    }
    fw::Beep();
    return false;
  }
  if ((key == kDown && !control) || key == kReturn) {
    if (row < kLastRow) {
      lb.EditCell(row + 1, column);
      return true;
    }
    fw::Beep();
    return false;
  }
  bool valueColumn = column == 1 || column == 3;
  if (valueColumn && (key == "r" || key == "=")) {
    zCalculator(row, column, key == "r");
    return true;
  }
  if (key == "f") {
    zFill(row, column);
    return true;
  }
  w.Plot.KillFit();
  return false;
}

void DataPage::zFill(int row, int column) {
  class FillSheet& d = FillSheet();
  d.EFFrom.SetText("1");
  d.EFTo.SetText("10");
  d.EFStep.SetText("1");
  d.EFValue.SetText(w.LBData->Cell(row, column));
  d.EFNRows.SetText("1");
  d.NRows = kRows - row;
  // Leaving by Escape or the close box is a cancel.
  d.ReturnCode = 0;
  d.ShowModalWithin(w);

  std::int32_t format = zFormatCode(column);
  std::shared_ptr<UndoableAction> record;
  auto fillValue = [&](int last, double v) {
    std::string text = GlobalFuncts::Reformat(v, format);
    for (int i = row; i <= last; ++i) {
      w.Data[0][i][column] = v;
      zWriteCell(i, column, v, text);
      w.CellFull[i][column] = true;
      fw::RuntimeBackgroundTask();
    }
  };
  auto fillBlanks = [&](int last) {
    for (int i = row; i <= last; ++i) {
      zEmptyCell(i, column);
      fw::RuntimeBackgroundTask();
    }
  };
  switch (d.ReturnCode) {
    case 1: {
      record = std::make_shared<BigDataAction>(w);
      double from = d.FromValue;
      double step = d.StepValue;
      double steps = FillSheet::SequenceSteps(from, d.ToValue, step);
      int last = fw::ToInt32(fw::Min(row + steps, kLastRow));
      for (int i = row; i <= last; ++i) {
        double v = from + (i - row) * step;
        w.Data[0][i][column] = v;
        zWriteCell(i, column, v, GlobalFuncts::Reformat(v, format));
        w.CellFull[i][column] = true;
        fw::RuntimeBackgroundTask();
      }
      break;
    }
    case 2:
      record = std::make_shared<BigDataAction>(w);
      fillBlanks(kLastRow);
      break;
    case 3: {
      record = std::make_shared<BigDataAction>(w);
      int last = fw::ToInt32(fw::Min(row + d.NRows - 1.0, kLastRow));
      std::string text = d.EFValue.Text();
      if (text.empty()) fillBlanks(last);
      else fillValue(last, fw::CDbl(text));
      break;
    }
    default:
      break;
  }
  w.Plot.KillFit();
  w.CellDirty = true;
  w.Dirty = true;
  w.LastAction = record;
}

void DataPage::zCalculator(int row, int column, bool repeated) {
  bool have = false;
  double value = 0;
  double unc = 0;
  if (repeated) {
    class RepDatSheet& d = RepDatSheet();
    d.ShowModalWithin(w);
    if (d.HaveData) {
      have = true;
      value = d.theMean;
      unc = d.theUnc;
      d.HaveData = false;
    }
  } else {
    class PropUncSheet& d = PropUncSheet();
    d.ShowModalWithin(w);
    if (d.HaveValue) {
      have = true;
      value = d.theResult;
      unc = d.theUnc;
      d.HaveValue = false;
    }
  }
  if (!have) return;
  w.Data[0][row][column] = value;
  zWriteCell(row, column, value, GlobalFuncts::Reformat(value, zFormatCode(column)));
  w.CellFull[row][column] = true;
  w.Data[0][row][column + 1] = unc;
  zWriteCell(row, column + 1, unc, GlobalFuncts::Reformat(unc, zFormatCode(column)));
  w.CellFull[row][column + 1] = true;
  // Entered data changed, as by typing.
  w.Dirty = true;
  w.Plot.KillFit();
}

// ---- Clicks and "Clear Data" ----

bool DataPage::LBData_CellClick(int row, int column, int /*x*/, int /*y*/) {
  // The row numbers are never edited or filled.
  if (column < 1) return true;
  if (w.SDDatDspd->Value() != 1) {
    // The names field stands on a hidden page, so this only takes the focus away.
    w.EFNames->SetFocus();
    return true;
  }
  if (w.RBHCalculated->Value() && column < 3) {
    zFocusFormula(true);
    return true;
  }
  if (w.RBVCalculated->Value() && column > 2) {
    zFocusFormula(false);
    return true;
  }
  if (fw::Keyboard::OptionKey() && row > 0) {
    // The open cell is committed first, so that its commit neither drops the
    // new record nor reads back a text the fill wrote.
    zCommitOpenCell();
    auto record = std::make_shared<BigDataAction>(w);
    bool full = w.CellFull[0][column];
    double v = w.Data[0][0][column];
    std::string t = GlobalFuncts::Reformat(v, zFormatCode(column));
    for (int r = 1; r <= row; ++r) {
      if (full) {
        zWriteCell(r, column, v, t);
        w.Data[0][r][column] = v;
        w.CellFull[r][column] = true;
      } else {
        zEmptyCell(r, column);
      }
      fw::RuntimeBackgroundTask();
    }
    w.Plot.KillFit();
    w.CellDirty = true;
    w.Dirty = true;
    w.LastAction = record;
  }
  w.LBData->EditCell(row, column);
  if (fw::EditField* editor = w.LBData->ActiveCell()) SelectAll(*editor);
  w.PasteOK = true;
  return true;
}

void DataPage::zFocusFormula(bool horizontal) {
  fw::EditField& f = horizontal ? *w.EFHFormula : *w.EFVFormula;
  f.SetFocus();
  SelectAll(f);
  DeSelectListBox();
}

void DataPage::PBClearData_Action() {
  auto record = std::make_shared<BigDataAction>(w);
  w.EFHFormula->SetText("ln(" + w.EFHName->Text() + ")");
  w.EFVFormula->SetText("ln(" + w.EFVName->Text() + ")");
  w.RBHEntered->SetValue(true);
  w.RBVEntered->SetValue(true);
  fw::Listbox& lb = *w.LBData;
  for (int row = 0; row < kRows; ++row) {
    for (int col = 1; col <= 4; ++col) {
      w.CellFull[row][col] = false;
      w.Data[0][row][col] = 0;
      w.Data[1][row][col] = 0;
      lb.SetCell(row, col, "");
      fw::RuntimeBackgroundTask();
    }
    fw::RuntimeBackgroundTask();
  }
  if (fw::Keyboard::OptionKey()) {
    std::int32_t hFormat = w.PUHFormat->ListIndex();
    std::int32_t vFormat = w.PUVFormat->ListIndex();
    for (int row = 0; row < 10; ++row) {
      double n = row + 1;
      w.Data[0][row][1] = n;
      w.Data[0][row][2] = n / 10;
      w.Data[0][row][3] = n * n;
      w.Data[0][row][4] = n * n / 10;
      for (int col = 1; col <= 4; ++col) {
        w.CellFull[row][col] = true;
        double v = w.Data[0][row][col];
        zWriteCell(row, col, v, GlobalFuncts::Reformat(v, col < 3 ? hFormat : vFormat));
        fw::RuntimeBackgroundTask();
      }
      fw::RuntimeBackgroundTask();
    }
  }
  lb.EditCell(0, 1);
  w.Plot.KillFit();
  w.Dirty = true;
  w.GotGraph = false;
  w.LastAction = record;
}

// ---- Entered and calculated columns ----

void DataPage::RBHEntered_Action() { DoRBEntered(1, w.PUHFormat->ListIndex()); }

void DataPage::RBVEntered_Action() { DoRBEntered(3, w.PUVFormat->ListIndex()); }

void DataPage::RBHCalculated_Action() { zShowCalculated(true); }

void DataPage::RBVCalculated_Action() { zShowCalculated(false); }

void DataPage::zShowCalculated(bool horizontal) {
  w.LastAction = nullptr;
  // A calculated column never keeps an editor, whatever the focus did.
  int open = w.LBData->EditColumn();
  if (open > 0 && (open < 3) == horizontal) zCommitOpenCell();
  fw::EditField& formula = horizontal ? *w.EFHFormula : *w.EFVFormula;
  formula.SetEnabled(true);
  formula.SetFocus();
  SelectAll(formula);
  if (horizontal) DoCalculate(1, w.PUHFormat->ListIndex(), w.EFHName->Text(), formula.Text());
  else DoCalculate(3, w.PUVFormat->ListIndex(), w.EFVName->Text(), formula.Text());
}

bool DataPage::EFHFormula_KeyDown(const std::string& key) { return zFormulaKeyDown(true, key); }

bool DataPage::EFVFormula_KeyDown(const std::string& key) { return zFormulaKeyDown(false, key); }

bool DataPage::zFormulaKeyDown(bool horizontal, const std::string& key) {
  if (key != kReturn && key != kEnter) return false;
  fw::EditField& formula = horizontal ? *w.EFHFormula : *w.EFVFormula;
  if (horizontal) DoCalculate(1, w.PUHFormat->ListIndex(), w.EFHName->Text(), formula.Text());
  else DoCalculate(3, w.PUVFormat->ListIndex(), w.EFVName->Text(), formula.Text());
  SelectAll(formula);
  return true;
}

void DataPage::EFHFormula_TextChange() { zFormulaTextChange(1); }

void DataPage::EFVFormula_TextChange() { zFormulaTextChange(3); }

void DataPage::zFormulaTextChange(int col) {
  w.Dirty = true;
  w.Plot.KillFit();
  w.GotGraph = false;
  if (w.CalcOK[col]) ClearCells(col);
}

void DataPage::EFHFormula_GotFocus() { DeSelectListBox(); }

void DataPage::EFVFormula_GotFocus() { DeSelectListBox(); }

void DataPage::DoCalculate(int col, int formatCode, const std::string& name, const std::string& formula) {
  w.Plot.KillFit();
  w.GotGraph = false;
  if (formula.empty()) {
    ClearCells(col);
    return;
  }
  ColumnCalculator calc(*w.theEvaluator);
  bool ok = calc.CompiledOK(name, formula);
  w.FoundCompError = !ok;
  if (!ok) {
    w.CallWarnDialog(calc.ErrorMessage);
    ClearCells(col);
    return;
  }
  w.FoundRunError = false;
  for (int row = 0; row < kRows; ++row) {
    double& value = w.Data[1][row][col];
    double& unc = w.Data[1][row][col + 1];
    if (w.CellFull[row][col]) {
      double x = w.Data[0][row][col];
      double sigma = w.CellFull[row][col + 1] ? w.Data[0][row][col + 1] / ColumnCalculator::Factor : 0;
      if (!calc.CalculatedOK(x, sigma, value, unc)) {
        w.FoundRunError = true;
        break;
      }
    } else {
      // No value, no uncertainty: an entered uncertainty cell shows 0, not a stale figure.
      value = 0;
      unc = 0;
    }
    fw::RuntimeBackgroundTask();
  }
  if (w.FoundRunError) {
    w.CallWarnDialog(calc.ErrorMessage);
    ClearCells(col);
    return;
  }
  fw::Listbox& lb = *w.LBData;
  for (int row = 0; row < kRows; ++row) {
    if (w.CellFull[row][col]) lb.SetCell(row, col, GlobalFuncts::Reformat(w.Data[1][row][col], formatCode));
    if (w.CellFull[row][col + 1]) {
      lb.SetCell(row, col + 1, GlobalFuncts::Reformat(w.Data[1][row][col + 1], formatCode));
    }
    fw::RuntimeBackgroundTask();
  }
  w.CalcOK[col] = true;
  w.CalcOK[col + 1] = true;
}

void DataPage::ClearCells(int col) {
  fw::Listbox& lb = *w.LBData;
  for (int row = 0; row < kRows; ++row) {
    w.Data[1][row][col] = 0;
    lb.SetCell(row, col, "");
    w.Data[1][row][col + 1] = 0;
    lb.SetCell(row, col + 1, "");
    w.CalcOK[col] = false;
    w.CalcOK[col + 1] = false;
    fw::RuntimeBackgroundTask();
  }
}

void DataPage::DoRBEntered(int col, int formatCode) {
  fw::Listbox& lb = *w.LBData;
  for (int row = 0; row < kRows; ++row) {
    for (int c = col; c <= col + 1; ++c) {
      if (w.CellFull[row][c]) lb.SetCell(row, c, GlobalFuncts::Reformat(w.Data[0][row][c], formatCode));
    }
    fw::RuntimeBackgroundTask();
  }
  lb.SetEnabled(true);
  (col == 1 ? w.EFHFormula : w.EFVFormula)->SetEnabled(false);
  lb.EditCell(0, col);
  w.CalcOK[col] = false;
  w.Plot.KillFit();
  w.GotGraph = false;
}

// ---- Formats, the displayed set and the slider ----

std::int32_t DataPage::Displayed(int col, int team) const {
  if (w.HaveFit && team >= 2) return team;
  if ((w.RBHCalculated->Value() && col < 3) || (w.RBVCalculated->Value() && col > 2)) {
    return w.CalcOK[col] ? 1 : -1;
  }
  return 0;
}

void DataPage::DoFormatChange(int col, int formatCode) {
  std::int32_t set = Displayed(col, w.SDDatDspd->Value());
  fw::Listbox& lb = *w.LBData;
  for (int row = 0; row < kRows; ++row) {
    for (int c = col; c <= col + 1; ++c) {
      bool shown = w.CellFull[row][c] && set != -1;
      lb.SetCell(row, c, shown ? GlobalFuncts::Reformat(w.Data[set][row][c], formatCode) : std::string());
    }
    fw::RuntimeBackgroundTask();
  }
}

void DataPage::PUHFormat_Change() {
  if (w.ProtectChange) return;
  DoFormatChange(1, w.PUHFormat->ListIndex());
}

void DataPage::PUVFormat_Change() {
  if (w.ProtectChange) return;
  DoFormatChange(3, w.PUVFormat->ListIndex());
}

void DataPage::SDDatDspd_ValueChanged() {
  int v = w.SDDatDspd->Value();
  // A team is never edited: an open cell is committed before the team is shown.
  if (v != 1) zCommitOpenCell();
  w.LastAction = nullptr;
  DoFormatChange(1, w.PUHFormat->ListIndex());
  DoFormatChange(3, w.PUVFormat->ListIndex());
  w.STDatDspd->SetText(v == 1 ? std::string("Original Data") : "Ficticious Team " + fw::Str(v));
  w.STDatGrfd->SetText(w.STDatDspd->Text());
  bool original = v == 1;
  w.RBHEntered->SetEnabled(original);
  w.RBHCalculated->SetEnabled(original);
  w.EFHFormula->SetEnabled(original && w.RBHCalculated->Value());
  w.RBVEntered->SetEnabled(original);
  w.RBVCalculated->SetEnabled(original);
  w.EFVFormula->SetEnabled(original && w.RBVCalculated->Value());
  if (w.ProtectChange) return;
  w.ProtectChange = true;
  w.SDDatGrfd->SetValue(v);
  w.ProtectChange = false;
  if (original) {
    if (w.RBHEntered->Value()) w.LBData->EditCell(0, 1);
    else zFocusFormula(true);
  } else {
    w.EFNames->SetFocus();
    DeSelectListBox();
  }
}

void DataPage::DeSelectListBox() {
  fw::Listbox& lb = *w.LBData;
  for (int row = 0; row < kRows; ++row) {
    if (lb.Selected(row)) {
      lb.SetSelected(row, false);
      return;
    }
    fw::RuntimeBackgroundTask();
  }
}

// ---- Captions and renaming ----

void DataPage::UpdateCaptions() {
  auto caption = [](const std::string& name, const std::string& units) {
    return fw::TextEquals(units, "none") ? name + " (unitless)" : name + " in " + units;
  };
  w.GBH->SetCaption(caption(w.EFHName->Text(), w.EFHUnits->Text()));
  w.GBV->SetCaption(caption(w.EFVName->Text(), w.EFVUnits->Text()));

  auto rename = [this](fw::EditField& formula, const std::string& name, const std::string& oldName,
                       fw::RadioButton& calculated, int col, fw::PopupMenu& format) {
    if (formula.Text().empty()) {
      formula.SetText("ln(" + name + ")");
    } else if (!fw::TextEquals(name, oldName)) {
      formula.SetText(ReplaceVarName(formula.Text(), name, oldName));
      if (calculated.Value()) DoCalculate(col, format.ListIndex(), name, formula.Text());
    }
  };
  rename(*w.EFHFormula, w.EFHName->Text(), w.VHName, *w.RBHCalculated, 1, *w.PUHFormat);
  rename(*w.EFVFormula, w.EFVName->Text(), w.VVName, *w.RBVCalculated, 3, *w.PUVFormat);
  w.VHName = w.EFHName->Text();
  w.VVName = w.EFVName->Text();

  fw::Listbox& lb = *w.LBData;
  lb.SetHeading(0, " ");
  lb.SetHeading(1, "value of " + w.VHName);
  lb.SetHeading(2, "uncertainty");
  lb.SetHeading(3, "value of " + w.VVName);
  lb.SetHeading(4, "uncertainty");
}

std::string DataPage::ReplaceVarName(const std::string& formula, const std::string& newName,
                                     const std::string& oldName) {
  // An empty name would match everywhere and never advance.
  if (oldName.empty()) return formula;
  int end = fw::Len(formula) + 1;
  int n = fw::Len(oldName);
  int last = 1;
  std::string result;
  int pos = fw::InStr(formula, oldName);
  while (pos != 0) {
    std::string before = pos > 1 ? fw::Mid(formula, pos - 1, 1) : std::string();
    std::string after = fw::Mid(formula, pos + n, 1);
    if (NotAlphaNum(after) && NotAlphaNum(before) && after != "(") {
      if (pos > last) result += fw::Mid(formula, last, pos - last);
      result += newName;
      last = pos + n;
    }
    pos = fw::InStr(pos + n, formula, oldName);
    fw::RuntimeBackgroundTask();
  }
  if (end > last) result += fw::Mid(formula, last, end - last);
  return result;
}

bool DataPage::NotAlphaNum(const std::string& ch) {
  if (ch.size() != 1) return true;
  char c = ch[0];
  return !((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'));
}

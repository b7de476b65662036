#include "fuzz/WindowState.h"

#include <bit>
#include <cstddef>

#include "framework/CheckBox.h"
#include "framework/EditField.h"
#include "framework/FolderItem.h"
#include "framework/Listbox.h"
#include "framework/PopupMenu.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/StaticText.h"
#include "framework/TabPanel.h"
#include "graph/SSRect.h"
#include "window/MainWndo.h"

namespace {

std::string Flag(bool b) { return b ? "1" : "0"; }

std::string ControlState(const fw::Control& c) {
  std::string s = std::to_string(c.Left()) + "," + std::to_string(c.Top()) + "," + std::to_string(c.Width()) +
                  "," + std::to_string(c.Height()) + Flag(c.Enabled()) + Flag(c.Visible()) + ":";
  if (auto* e = dynamic_cast<const fw::EditField*>(&c)) return s + e->Text();
  if (auto* p = dynamic_cast<const fw::PopupMenu*>(&c)) return s + std::to_string(p->ListIndex());
  if (auto* r = dynamic_cast<const fw::RadioButton*>(&c)) return s + Flag(r->Value());
  if (auto* b = dynamic_cast<const fw::CheckBox*>(&c)) return s + Flag(b->Value());
  if (auto* d = dynamic_cast<const fw::Slider*>(&c)) return s + std::to_string(d->Value());
  if (auto* t = dynamic_cast<const fw::TabPanel*>(&c)) return s + std::to_string(t->Value());
  if (auto* t = dynamic_cast<const fw::StaticText*>(&c)) return s + t->Text();
  if (auto* box = dynamic_cast<const SSRect*>(&c)) return s + Flag(box->DeFlowered) + box->theString;
  if (auto* l = dynamic_cast<const fw::Listbox*>(&c)) {
    return s + std::to_string(l->EditRow()) + "," + std::to_string(l->EditColumn()) + "," +
           std::to_string(l->ListIndex());
  }
  return s;
}

}  // namespace

WindowState::WindowState(const MainWndo& w) {
  Add("Title", w.Title());
  Add("myFile", w.myFile ? w.myFile->Path() : "(none)");
  for (int i = 0; i < w.ControlCount(); ++i) {
    const fw::Control& c = w.ControlAt(i);
    Add(c.Name() + "(" + std::to_string(c.Index()) + ")", ControlState(c));
  }
  table_.reserve(99 * 4 * 3 + 2);
  for (int row = 0; row < 99; ++row) {
    for (int col = 1; col <= 4; ++col) {
      table_.push_back(w.LBData->Cell(row, col));
      table_.push_back(std::to_string(std::bit_cast<std::uint64_t>(w.Data[0][row][col])));
      table_.push_back(Flag(w.CellFull[row][col]));
    }
  }
  table_.push_back(w.EFHFormula->Text());
  table_.push_back(w.EFVFormula->Text());
  numbers_.reserve(100 * 99 * 4 + 2 * 101 + 2);
  for (int set = 1; set <= 100; ++set) {
    for (int row = 0; row < 99; ++row) {
      for (int col = 1; col <= 4; ++col) numbers_.push_back(std::bit_cast<std::uint64_t>(w.Data[set][row][col]));
    }
  }
  for (int set = 0; set <= 100; ++set) {
    numbers_.push_back(std::bit_cast<std::uint64_t>(w.Slope[set]));
    numbers_.push_back(std::bit_cast<std::uint64_t>(w.Intercept[set]));
  }
  numbers_.push_back(std::bit_cast<std::uint64_t>(w.SlopeUnc));
  numbers_.push_back(std::bit_cast<std::uint64_t>(w.InterceptUnc));
  for (int row = 0; row < 99; ++row) Add("row number " + std::to_string(row), w.LBData->Cell(row, 0));
  for (int col = 1; col <= 4; ++col) Add("CalcOK" + std::to_string(col), Flag(w.CalcOK[col]));
  const std::pair<const char*, bool> flags[] = {
      {"CellDirty", w.CellDirty},         {"PasteOK", w.PasteOK}, {"FoundCompError", w.FoundCompError},
      {"FoundRunError", w.FoundRunError}, {"Dirty", w.Dirty},     {"HaveFit", w.HaveFit},
      {"ProtectChange", w.ProtectChange}, {"GotGraph", w.GotGraph}};
  for (const auto& [name, value] : flags) Add(name, Flag(value));
  const std::pair<const char*, const std::string*> strings[] = {
      {"GrfXLabel", &w.GrfXLabel},   {"GrfYLabel", &w.GrfYLabel},           {"GrfTitle", &w.GrfTitle},
      {"GrfTeam", &w.GrfTeam},       {"GrfXUnits", &w.GrfXUnits},           {"GrfYUnits", &w.GrfYUnits},
      {"SlopeUnits", &w.SlopeUnits}, {"InterceptUnits", &w.InterceptUnits}, {"VHName", &w.VHName},
      {"VVName", &w.VVName}};
  for (const auto& [name, value] : strings) Add(name, *value);
  const std::pair<const char*, std::int32_t> numbers[] = {{"OldPage", w.OldPage},
                                                          {"LastCellRow", w.LastCellRow},
                                                          {"LastCellCol", w.LastCellCol},
                                                          {"CurrRow", w.CurrRow},
                                                          {"CurrCol", w.CurrCol}};
  for (const auto& [name, value] : numbers) Add(name, std::to_string(value));
  Add("LastAction", std::to_string(reinterpret_cast<std::uintptr_t>(w.LastAction.get())));
}

void WindowState::Add(const std::string& name, const std::string& value) {
  names_.push_back(name);
  values_.push_back(value);
}

bool WindowState::SameTable(const WindowState& other) const { return table_ == other.table_; }

std::string WindowState::FirstDifference(const WindowState& other) const {
  for (std::size_t i = 0; i < table_.size() && i < other.table_.size(); ++i) {
    if (table_[i] == other.table_[i]) continue;
    const std::size_t cell = i / 3;
    const char* kinds[] = {"text", "value", "flag"};
    const std::string where = cell >= 99 * 4 ? "formula " + std::to_string(i - 99 * 4 * 3)
                                              : std::string("cell ") + kinds[i % 3] + " (" + std::to_string(cell / 4) +
                                                    "," + std::to_string(cell % 4 + 1) + ")";
    return where + ": \"" + table_[i].substr(0, 200) + "\" became \"" + other.table_[i].substr(0, 200) + "\"";
  }
  for (std::size_t i = 0; i < values_.size() && i < other.values_.size(); ++i) {
    if (values_[i] != other.values_[i]) {
      return names_[i] + ": \"" + values_[i].substr(0, 200) + "\" became \"" + other.values_[i].substr(0, 200) + "\"";
    }
  }
  for (std::size_t i = 0; i < numbers_.size() && i < other.numbers_.size(); ++i) {
    if (numbers_[i] != other.numbers_[i]) return "number " + std::to_string(i) + " of the sets and the fit";
  }
  return "the number of entries";
}

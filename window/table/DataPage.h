#pragma once

#include <cstdint>
#include <string>

class MainWndo;

// The "Data" page of a document window: the table, its editing and keyboard
// commands, number formats, calculated columns and the data-set slider. The
// state it works on lives in the window (Data, CellFull, CalcOK, ...).
class DataPage {
 public:
  explicit DataPage(MainWndo& window);

  // Binds the events of the "Data" page's controls to the handlers below.
  void BindEvents();

  // The table.
  void LBData_Open();
  void LBData_CellGotFocus(int row, int column);
  void LBData_CellTextChange(int row, int column);
  void LBData_CellAction(int row, int column);
  void LBData_CellLostFocus(int row, int column);
  bool LBData_HeaderPressed(int column);
  bool LBData_CellKeyDown(int row, int column, const std::string& key);
  bool LBData_CellClick(int row, int column, int x, int y);
  void DoNewCell(int row, int column);
  void UpdateCell(int row, int column);

  // Entered or calculated data.
  void RBHEntered_Action();
  void RBHCalculated_Action();
  bool EFHFormula_KeyDown(const std::string& key);
  void EFHFormula_TextChange();
  void EFHFormula_GotFocus();
  void RBVEntered_Action();
  void RBVCalculated_Action();
  void EFVFormula_GotFocus();
  bool EFVFormula_KeyDown(const std::string& key);
  void EFVFormula_TextChange();
  // col is the value column of a pair (1 or 3) throughout.
  void DoCalculate(int col, int formatCode, const std::string& name, const std::string& formula);
  void ClearCells(int col);
  void DoRBEntered(int col, int formatCode);

  // Formats, the displayed data set and the slider.
  void PUHFormat_Change();
  void PUVFormat_Change();
  void SDDatDspd_ValueChanged();
  // The data set column col shows for slider value team: -1 nothing, 0 entered,
  // 1 calculated, 2..100 a fictitious team.
  std::int32_t Displayed(int col, int team) const;
  void DoFormatChange(int col, int formatCode);
  void DeSelectListBox();

  void PBClearData_Action();

  // Captions and renaming, after the "Names" page.
  void UpdateCaptions();
  static std::string ReplaceVarName(const std::string& formula, const std::string& newName,
                                    const std::string& oldName);
  static bool NotAlphaNum(const std::string& ch);

 private:
  std::int32_t zFormatCode(int column) const;
  // A value the program puts in a cell: the open cell gets plain number text,
  // so that its commit stores the value itself, any other cell the format.
  void zWriteCell(int row, int column, double value, const std::string& formatted);
  void zEmptyCell(int row, int column);
  void zCommitOpenCell();
  void zFill(int row, int column);
  void zCalculator(int row, int column, bool repeated);
  void zShowCalculated(bool horizontal);
  bool zFormulaKeyDown(bool horizontal, const std::string& key);
  void zFormulaTextChange(int col);
  void zFocusFormula(bool horizontal);

  MainWndo& w;
};

#pragma once

#include <memory>
#include <string>

#include "framework/EditField.h"
#include "framework/StaticText.h"
#include "framework/Window.h"

class Evaluator;

// The propagation-of-uncertainty dialog: a formula of up to seven named
// variables, each with a value and an uncertainty, propagated by N Monte-Carlo
// virtual experiments. One shared instance, shown modally within a window with
// ShowModalWithin; it only ever hides itself, so its entries persist.
class PropUncSheet : public fw::Window {
 public:
  // The control arrays; each member's handlers learn its row from Index().
  class STLabel : public fw::StaticText {
   public:
    using fw::StaticText::StaticText;
  };
  class EFName : public fw::EditField {
   public:
    explicit EFName(fw::Window& window);
  };
  class EFValue : public fw::EditField {
   public:
    explicit EFValue(fw::Window& window);
  };
  class EFUnc : public fw::EditField {
   public:
    explicit EFUnc(fw::Window& window);
  };

  static constexpr int Rows = 7;

  PropUncSheet();
  ~PropUncSheet() override;

  // True when the dialog was last left with "Enter Data"; false whenever it is shown.
  bool HaveValue = false;
  double theResult = 0.0;
  double theUnc = 0.0;  // rounded to two significant digits
  std::unique_ptr<Evaluator> theEvaluator;

  void Layout();
  void CreateControls();
  void CreateControls0();
  void CreateControls1();
  void EFName_TextChange(int index);
  void EFName_GotFocus(int index);
  void EFValue_TextChange(int index);
  bool EFValue_KeyDown(int index, const std::string& key);
  void EFValue_GotFocus(int index);
  void EFUnc_TextChange(int index);
  void EFUnc_GotFocus(int index);
  void EFExpression_GotFocus();
  bool EFExpression_KeyDown(const std::string& key);
  void EFExpression_TextChange();
  void PBCalculate_Action();
  void EFErrorLog_GotFocus();
  void PBEnter_Action();
  void PBCancel_Action();
  void LBFuncts_GotFocus();
  bool LBFuncts_CellClick(int row, int column, int x, int y);
  void PBClear_Action();
  void AddMenuHandlers();
  bool Event_KeyDown(const std::string& key);
  void Event_Activate();
  void Event_Open();
  void DoCalculate();
  void DoEnter();
  void DoExit();

 private:
  void zClearShownResult();
};

// The one shared instance, created on first use.
class PropUncSheet& PropUncSheet();

#pragma once

#include <cstdint>
#include <string>

#include "framework/Window.h"

namespace fw {
class EditField;
class GroupBox;
class PushButton;
class StaticText;
}  // namespace fw

// The dialog behind the table's "f" key: fills the open cell and the cells
// below it with a sequence, one value or blanks. It only collects and checks
// the choice; the caller fills the table.
class FillSheet : public fw::Window {
 public:
  FillSheet();

  // 0 "Cancel Fill", 1 "Do Sequence", 2 "Clear", 3 "Fill Down".
  std::int32_t ReturnCode = 0;
  double FromValue = 0;
  double ToValue = 0;
  double StepValue = 0;
  // Set by the caller to the rows left from the cell down; after "Fill Down"
  // the number of rows to fill.
  std::int32_t NRows = 0;

  fw::GroupBox& GroupBox1;
  fw::StaticText& StaticText2;
  fw::EditField& EFFrom;
  fw::StaticText& StaticText3;
  fw::EditField& EFTo;
  fw::StaticText& StaticText4;
  fw::EditField& EFStep;
  fw::PushButton& PBCancel;
  fw::PushButton& PBSeq;
  fw::GroupBox& GroupBox2;
  fw::PushButton& PBClear;
  fw::StaticText& STError;
  fw::GroupBox& GroupBox3;
  fw::StaticText& StaticText1;
  fw::EditField& EFValue;
  fw::StaticText& StaticText5;
  fw::EditField& EFNRows;
  fw::PushButton& PBFill;

  bool EFFrom_KeyDown(const std::string& key);
  bool EFTo_KeyDown(const std::string& key);
  bool EFStep_KeyDown(const std::string& key);
  void PBCancel_Action();
  void PBSeq_Action();
  void PBClear_Action();
  bool EFValue_KeyDown(const std::string& key);
  bool EFNRows_KeyDown(const std::string& key);
  void PBFill_Action();
  void Event_Activate();

  // Key filters; true accepts the key. A refused key beeps.
  static bool ValidForDouble(const std::string& key, const std::string& text);
  static bool ValidForInteger(const std::string& key);

  // Steps of a sequence from..to by step (its values are one more); a little
  // slack keeps the last value that rounding would lose (0 to 0.3 by 0.1).
  static double SequenceSteps(double from, double to, double step);

 private:
  void zRefuse(const std::string& message);
  void zLeave(std::int32_t code);
};

// The one shared fill dialog, made on first use.
class FillSheet& FillSheet();

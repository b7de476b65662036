#pragma once

#include <string>

#include "framework/Window.h"

// The repeated-measurement dialog: the mean of comma-separated values and the
// Student-t uncertainty of that mean. One shared instance, shown modally within
// a window with ShowModalWithin; it only ever hides itself, so it lives on.
class RepDatSheet : public fw::Window {
 public:
  RepDatSheet();

  // True when the dialog was last left with "Enter Result"; false whenever it is shown.
  bool HaveData = false;
  double theMean = 0.0;
  double theUnc = 0.0;  // t x s / sqrt(N)

  void Layout();
  void CreateControls();
  void CreateControls0();
  void EFData_TextChange();
  bool EFData_KeyDown(const std::string& key);
  void PBCalculate_Action();
  void PBCancel_Action();
  void PBEnter_Action();
  void AddMenuHandlers();
  void Event_Activate();
  void DoCalculate();
  void ClearStuff();
};

// The one shared instance, created on first use.
class RepDatSheet& RepDatSheet();

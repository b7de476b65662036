#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/WarnDlog.h"
#include "framework/CheckBox.h"
#include "framework/EditField.h"
#include "framework/GroupBox.h"
#include "framework/PopupMenu.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/Listbox.h"
#include "framework/Maths.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/TabPanel.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"
#include "window/MainWndo.h"
#include "window/table/FillSheet.h"

// A document window on its "Data" page, reached as a user reaches it, and the
// means to click, type into and read the table.
class TableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fw::TestHooks::Reset();
    fw::SeedRnd(20261209);
    w = &fw::NewWindow<MainWndo>();
    // Active, so that focus changes commit the open cell as they do for a user.
    w->Show();
    fw::TestHooks::ProcessEvents();
    w->EFNames->SetText("Ann and Bo");
    w->EFHName->SetText("t");
    w->EFHUnits->SetText("s");
    w->EFVName->SetText("d");
    w->EFVUnits->SetText("m");
    fw::TestHooks::ClickTab(*w->TabPanel1, 1);
  }

  void TearDown() override {
    for (fw::Window* window : fw::Windows()) window->CloseNow();
    fw::TestHooks::ProcessEvents();
    fw::TestHooks::Reset();
  }

  fw::Listbox& LB() const { return *w->LBData; }
  std::string Cell(int row, int col) const { return LB().Cell(row, col); }
  bool IsOpen(int row, int col) const { return LB().EditRow() == row && LB().EditColumn() == col; }

  void ClickCell(int row, int col, const std::string& modifiers = "") {
    int x = 0, y = 0;
    LB().CellCentre(row, col, &x, &y);
    fw::TestHooks::ClickAt(LB(), x, y, modifiers);
  }
  void Type(const std::string& text) { fw::TestHooks::TypeText(LB(), text); }
  void Press(const std::string& key, const std::string& modifiers = "") {
    fw::TestHooks::PressKey(LB(), key, modifiers);
  }
  // Types a value into a cell and commits it by opening another cell.
  void Enter(int row, int col, const std::string& text) {
    LB().EditCell(row, col);
    Type(text);
    LB().EditCell(row, col == 4 ? 3 : col + 1);
  }
  void EnterColumn(int col, int rows, const std::string& text) {
    for (int r = 0; r < rows; ++r) Enter(r, col, text);
  }

  // Answers the next message dialog with its button, recording its text.
  void AnswerWarning() {
    fw::TestHooks::AnswerNextDialog([this](fw::Window& dialog) {
      auto& warn = dynamic_cast<class WarnDlog&>(dialog);
      messages.push_back(warn.StaticText1->Text());
      warn.PBOK->Push();
    });
  }

  // Answers the next fill dialog through its controls.
  void AnswerFill(std::function<void(class FillSheet&)> answer) {
    fw::TestHooks::AnswerNextDialog([answer](fw::Window& dialog) {
      answer(dynamic_cast<class FillSheet&>(dialog));
    });
  }

  MainWndo* w = nullptr;
  std::vector<std::string> messages;
};

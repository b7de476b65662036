#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/WarnDlog.h"
#include "framework/EditField.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"
#include "window/MainWndo.h"

// Opens document windows and closes every window after each test.
class ShellTest : public ::testing::Test {
 protected:
  struct Message {
    std::string text;
    std::string button;
  };

  void SetUp() override { fw::TestHooks::Reset(); }

  void TearDown() override {
    for (fw::Window* window : fw::Windows()) window->CloseNow();
    fw::TestHooks::ProcessEvents();
    fw::TestHooks::Reset();
  }

  static MainWndo& OpenWindow() { return fw::NewWindow<MainWndo>(); }

  static void FillNames(MainWndo& w, const std::string& team, const std::string& hName,
                        const std::string& hUnits, const std::string& vName, const std::string& vUnits) {
    w.EFNames->SetText(team);
    w.EFHName->SetText(hName);
    w.EFHUnits->SetText(hUnits);
    w.EFVName->SetText(vName);
    w.EFVUnits->SetText(vUnits);
  }

  // Two entered points with uncertainties, enough for the "Graph" page to draw.
  static void GiveTwoPoints(MainWndo& w) {
    const double rows[2][5] = {{0, 1.0, 0.1, 2.0, 0.2}, {0, 3.0, 0.1, 5.0, 0.2}};
    for (int row = 0; row < 2; ++row) {
      for (int col = 1; col <= 4; ++col) {
        w.Data[0][row][col] = rows[row][col];
        w.CellFull[row][col] = true;
      }
    }
  }

  // Answers the next message dialog with its button, recording what it showed.
  void AnswerWarning() {
    fw::TestHooks::AnswerNextDialog([this](fw::Window& dialog) {
      auto& warn = dynamic_cast<class WarnDlog&>(dialog);
      messages.push_back({warn.StaticText1->Text(), warn.PBOK->Caption()});
      warn.PBOK->Push();
    });
  }

  std::vector<Message> messages;
};

inline const char* const kNamesReminder =
    "Be sure to enter your name(s) and the names and units of both variables before entering data.";

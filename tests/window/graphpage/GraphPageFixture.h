#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/WarnDlog.h"
#include "framework/EditField.h"
#include "framework/Listbox.h"
#include "framework/Maths.h"
#include "framework/PushButton.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/StaticText.h"
#include "framework/TabPanel.h"
#include "framework/TestHooks.h"
#include "framework/Text.h"
#include "framework/Window.h"
#include "graph/Graph.h"
#include "graph/SSRect.h"
#include "window/MainWndo.h"
#include "window/graphpage/LabelSheet.h"
#include "window/graphpage/UnitsSheet.h"
#include "tests/support/PdfFiles.h"

// A document window with its names filled, driven as a user drives it: data
// typed into the table, then the "Graph" page and its buttons.
class GraphPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w = &fw::NewWindow<MainWndo>();
    w->Show();
    fw::TestHooks::ProcessEvents();
    w->EFNames->SetText("Ann and Bo");
    w->EFHName->SetText("t");
    w->EFHUnits->SetText("s");
    w->EFVName->SetText("d");
    w->EFVUnits->SetText("m");
    fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
    unanswered = fw::TestHooks::UnansweredDialogs();
  }
  // A message that no test expected would pass by unseen: each one must be answered.
  void TearDown() override { EXPECT_EQ(fw::TestHooks::UnansweredDialogs(), unanswered); }

  fw::Listbox& LB() const { return *w->LBData; }

  // Types a value into a cell and commits it by opening another cell.
  void Enter(int row, int col, const std::string& text) {
    LB().EditCell(row, col);
    fw::TestHooks::TypeText(LB(), text);
    LB().EditCell(row, col == 4 ? 3 : col + 1);
  }
  // One table line; an empty text leaves the cell empty.
  void Row(int row, const std::string& x, const std::string& ux, const std::string& y, const std::string& uy) {
    const std::string texts[5] = {"", x, ux, y, uy};
    for (int c = 1; c <= 4; ++c) {
      if (!texts[c].empty()) Enter(row, c, texts[c]);
    }
  }

  void Calculate(bool horizontal, const std::string& formula) {
    fw::RadioButton& button = horizontal ? *w->RBHCalculated : *w->RBVCalculated;
    fw::EditField& field = horizontal ? *w->EFHFormula : *w->EFVFormula;
    fw::TestHooks::Click(button);
    field.SelectAll();
    fw::TestHooks::TypeText(field, formula);
    fw::TestHooks::PressKey(field, "Return");
  }

  void ToGraph() { fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::GraphPageIndex); }
  bool OnGraph() const { return w->TabPanel1->Value() == MainWndo::GraphPageIndex; }
  void Push(fw::PushButton& button) { fw::TestHooks::Click(button); }

  // Answers the next message dialog with "OK", recording its text.
  void AnswerWarning() {
    fw::TestHooks::AnswerNextDialog([this](fw::Window& dialog) {
      auto& warn = dynamic_cast<class WarnDlog&>(dialog);
      messages.push_back(warn.StaticText1->Text());
      warn.PBOK->Push();
    });
  }
  void AnswerWarnings(int n) {
    for (int i = 0; i < n; ++i) AnswerWarning();
  }
  void AnswerUnits(std::function<void(class UnitsSheet&)> answer) {
    fw::TestHooks::AnswerNextDialog([answer](fw::Window& d) { answer(dynamic_cast<class UnitsSheet&>(d)); });
  }
  void AnswerLabels(std::function<void(class LabelSheet&)> answer) {
    fw::TestHooks::AnswerNextDialog([answer](fw::Window& d) { answer(dynamic_cast<class LabelSheet&>(d)); });
  }

  // The markup a text box shows, without its "@font@#size#" prefix.
  static std::string BoxText(const SSRect& box) {
    const std::string& s = box.theString;
    const auto end = s.find('#', s.find("@#") + 2);
    return s.substr(end + 1);
  }

  // A black pixel within one pixel of a data point: thin lines round either way.
  static bool BlackNear(Graph& g, double x, double y) {
    const int px = g.XCoord(x);
    const int py = g.YCoord(y);
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        if (fw::TestHooks::PicturePixel(*g.GXP, px + dx, py + dy) == fw::RGB(0, 0, 0)) return true;
      }
    }
    return false;
  }

  static std::string TempPath(const std::string& name) { return ::testing::TempDir() + name; }

  MainWndo* w = nullptr;
  std::vector<std::string> messages;
  int unanswered = 0;
};

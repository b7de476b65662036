#include <cstddef>
#include <cstdint>
#include <string>

#include "files/ImportSheet.h"
#include "framework/EditField.h"
#include "framework/FileTestHooks.h"
#include "framework/PopupMenu.h"
#include "framework/PushButton.h"
#include "framework/RadioButton.h"
#include "framework/TabPanel.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"
#include "fuzz/FuzzApp.h"
#include "fuzz/WindowState.h"
#include "window/MainWndo.h"

// Imports arbitrary text through File > Import… into a window whose table is partly
// filled. The first byte chooses the layout and the item of its popup; the rest is the
// file. A refused import leaves the window exactly as it was; an accepted one is
// undone by Edit > Undo to the table and formulas before it. Every import drops the
// undo record, a refused one too, so the window holds none before each import: a
// refused import must not leave one.

namespace {

using Layout = fw::RadioButton* ImportSheet::*;
using Popup = fw::PopupMenu* ImportSheet::*;

struct Choice {
  Layout layout;
  Popup popup;
  int items;
};

const Choice kChoices[] = {{&ImportSheet::RBFourCol, nullptr, 1},
                           {&ImportSheet::RRBDatUnc, &ImportSheet::PUDatUnc, 2},
                           {&ImportSheet::RBXY, nullptr, 1},
                           {&ImportSheet::RBOneTabs, &ImportSheet::PUOneTabs, 4},
                           {&ImportSheet::RBOne, &ImportSheet::PUOne, 4}};

void Import(MainWndo& w, const std::string& text, std::uint8_t choice) {
  const Choice& c = kChoices[choice % 5];
  const int item = (choice / 5) % c.items;
  const std::string path =
      FuzzApp::WriteFile("data.txt", reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  fw::FileTestHooks::AnswerNextChooser(path);
  fw::TestHooks::AnswerNextDialog([c, item](fw::Window& dialog) {
    auto& sheet = dynamic_cast<class ImportSheet&>(dialog);
    fw::TestHooks::Click(*(sheet.*c.layout));
    if (c.popup) (sheet.*c.popup)->SetListIndex(item);
    sheet.PBDo->Push();
  });
  fw::TestHooks::ChooseMenu(w, "FileImport");
}

// A window on the "Data" page whose rows 0..11 hold values, some of them empty.
MainWndo& Window() {
  static MainWndo* w = nullptr;
  if (w) return *w;
  w = &fw::NewWindow<MainWndo>();
  w->Show();
  w->EFNames->SetText("Ann and Bo");
  w->EFHName->SetText("t");
  w->EFHUnits->SetText("s");
  w->EFVName->SetText("d");
  w->EFVUnits->SetText("m");
  fw::TestHooks::ClickTab(*w->TabPanel1, MainWndo::DataPageIndex);
  w->EFHFormula->SetText("t*2");
  std::string table;
  for (int row = 0; row < 12; ++row) {
    table += std::to_string(row) + ".5\t" + (row % 3 ? "0.1" : "") + "\t" + std::to_string(-row) + "e-3\t" +
             (row % 4 ? "2.25" : "") + "\n";
  }
  Import(*w, table, 0);
  if (!w->LastAction || !w->CellFull[11][1]) FuzzApp::Broken("the starting table was not imported");
  return *w;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  FuzzApp::Start(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MainWndo& w = Window();
  w.LastAction = nullptr;
  const WindowState before(w);
  const int shown = fw::TestHooks::DialogsShown();
  const std::string text = size > 0 ? std::string(reinterpret_cast<const char*>(data) + 1, size - 1) : "";
  Import(w, text, size > 0 ? data[0] : 0);
  // The layout dialog, and the message when the file does not fit.
  const int dialogs = fw::TestHooks::DialogsShown() - shown;

  if (!w.LastAction) {
    const WindowState after(w);
    if (dialogs != 2) FuzzApp::Broken("an import was refused without its message");
    if (!(after == before)) FuzzApp::Broken("a refused import changed the window: " + before.FirstDifference(after));
    return 0;
  }
  if (dialogs != 1) FuzzApp::Broken("an accepted import showed a message");
  if (!fw::TestHooks::ChooseMenu(w, "EditUndo")) FuzzApp::Broken("an accepted import could not be undone");
  const WindowState undone(w);
  if (!undone.SameTable(before)) FuzzApp::Broken("undoing an import left: " + before.FirstDifference(undone));
  return 0;
}

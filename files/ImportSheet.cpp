#include "files/ImportSheet.h"

#include <string>

#include "framework/PopupMenu.h"
#include "framework/PushButton.h"
#include "framework/RadioButton.h"
#include "framework/StaticText.h"

namespace {

fw::RadioButton* Radio(fw::Window& w, const char* name, int top, int width, const std::string& caption) {
  auto& rb = w.Add<fw::RadioButton>(name);
  rb.SetBounds(28, top, width, 20);
  rb.SetCaption(caption);
  return &rb;
}

fw::PopupMenu* Columns(fw::Window& w, const char* name, int top, bool fourItems) {
  auto& pu = w.Add<fw::PopupMenu>(name);
  pu.SetBounds(362, top, 128, 20);
  pu.AddRow("Horizontal Data");
  if (fourItems) pu.AddRow("Horizontal Uncs");
  pu.AddRow("Vertical Data");
  if (fourItems) pu.AddRow("Vertical Uncs");
  pu.SetListIndex(0);
  pu.SetEnabled(false);
  return &pu;
}

}  // namespace

ImportSheet::ImportSheet() : fw::Window(fw::Window::SheetFrame) {
  Layout();
  CreateControls();
  AddMenuHandlers();
  Activate = [this] { Event_Activate(); };
}

void ImportSheet::Layout() {
  SetTitle("Untitled");
  SetSize(510, 231);
}

void ImportSheet::CreateControls() { _CreateControls0(); }

void ImportSheet::_CreateControls0() {
  RBFourCol = Radio(*this, "RBFourCol", 42, 257, "Four columns separated by tabs");
  RBFourCol->SetValue(true);
  StaticText1 = &Add<fw::StaticText>("StaticText1");
  StaticText1->SetBounds(20, 14, 242, 20);
  StaticText1->SetText("How should this text file be interpreted?");
  RRBDatUnc = Radio(*this, "RRBDatUnc", 67, 329, "Two columns (data, uncertainty) separated by tabs");
  RBXY = Radio(*this, "RBXY", 93, 427, "Two columns (horizontal and vertical data) separated by tabs");
  // Up to its popup: this platform's font needs the few pixels more.
  RBOneTabs = Radio(*this, "RBOneTabs", 119, 334, "One column per line, data separated by tabs, first is");
  RBOne = Radio(*this, "RBOne", 146, 329, "One column of data, each datum on a separate line");
  PUDatUnc = Columns(*this, "PUDatUnc", 67, false);
  PUOneTabs = Columns(*this, "PUOneTabs", 119, true);
  PUOne = Columns(*this, "PUOne", 146, true);

  PBCancel = &Add<fw::PushButton>("PBCancel");
  PBCancel->SetBounds(20, 191, 129, 20);
  PBCancel->SetCaption("Cancel Import");
  PBCancel->SetCancel(true);
  PBDo = &Add<fw::PushButton>("PBDo");
  PBDo->SetBounds(362, 191, 128, 20);
  PBDo->SetCaption("Do Import");

  // Bound after the controls are set up, so that building them chooses nothing.
  RBFourCol->Action = [this] { RBFourCol_Action(); };
  RRBDatUnc->Action = [this] { RRBDatUnc_Action(); };
  RBXY->Action = [this] { RBXY_Action(); };
  RBOneTabs->Action = [this] { RBOneTabs_Action(); };
  RBOne->Action = [this] { RBOne_Action(); };
  PUDatUnc->Change = [this] { PUDatUnc_Change(); };
  PUOneTabs->Change = [this] { PUOneTabs_Change(); };
  PUOne->Change = [this] { PUOne_Change(); };
  PBCancel->Action = [this] { PBCancel_Action(); };
  PBDo->Action = [this] { PBDo_Action(); };
}

void ImportSheet::zChoose(fw::PopupMenu* popup, std::int32_t type, std::int32_t column) {
  PUDatUnc->SetEnabled(popup == PUDatUnc);
  PUOneTabs->SetEnabled(popup == PUOneTabs);
  PUOne->SetEnabled(popup == PUOne);
  TypeChoice = type;
  ColChoice = column;
}

void ImportSheet::RBFourCol_Action() { zChoose(nullptr, 1, 1); }

void ImportSheet::RRBDatUnc_Action() { zChoose(PUDatUnc, 2, 2 * PUDatUnc->ListIndex() + 1); }

void ImportSheet::RBXY_Action() { zChoose(nullptr, 3, 1); }

void ImportSheet::RBOneTabs_Action() { zChoose(PUOneTabs, 4, PUOneTabs->ListIndex() + 1); }

void ImportSheet::RBOne_Action() { zChoose(PUOne, 5, PUOne->ListIndex() + 1); }

void ImportSheet::PUDatUnc_Change() { ColChoice = 2 * PUDatUnc->ListIndex() + 1; }

void ImportSheet::PUOneTabs_Change() { ColChoice = PUOneTabs->ListIndex() + 1; }

void ImportSheet::PUOne_Change() { ColChoice = PUOne->ListIndex() + 1; }

void ImportSheet::PBCancel_Action() {
  TypeChoice = 0;
  ColChoice = 0;
  Hide();
}

void ImportSheet::PBDo_Action() { Hide(); }

void ImportSheet::AddMenuHandlers() {}

void ImportSheet::Event_Activate() { RBFourCol->SetValue(true); }

class ImportSheet& ImportSheet() {
  return fw::SharedWindow<class ImportSheet>();
}

#include "files/SaveQuery.h"

#include "framework/Canvas.h"
#include "framework/Color.h"
#include "framework/Graphics.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"

SaveQuery::SaveQuery() : fw::Window(fw::Window::SheetFrame) {
  Layout();
  CreateControls();
  AddMenuHandlers();
}

void SaveQuery::Layout() {
  SetTitle("Untitled");
  SetSize(355, 109);
  SetBackColor(fw::RGB(255, 255, 255));
  SetHasBackColor(false);
}

void SaveQuery::CreateControls() { _CreateControls0(); }

void SaveQuery::_CreateControls0() {
  StaticText1 = &Add<fw::StaticText>("StaticText1");
  StaticText1->SetBounds(71, 14, 291, 32);
  StaticText1->SetMultiLine(true);
  StaticText1->SetText("Do you wish to save your unsaved changes before closing?");

  Canvas1 = &Add<fw::Canvas>("Canvas1");
  Canvas1->SetBounds(20, 14, 32, 32);
  Canvas1->Paint = [this](fw::Graphics& g) { Canvas1_Paint(g); };

  PBNo = &Add<fw::PushButton>("PBNo");
  PBNo->SetBounds(20, 69, 92, 20);
  PBNo->SetCaption("Don't Save");
  PBNo->Action = [this] { PBNo_Action(); };

  PBCancel = &Add<fw::PushButton>("PBCancel");
  PBCancel->SetBounds(147, 70, 69, 20);
  PBCancel->SetCaption("Cancel");
  PBCancel->SetCancel(true);
  PBCancel->Action = [this] { PBCancel_Action(); };

  PBSave = &Add<fw::PushButton>("PBSave");
  PBSave->SetBounds(247, 70, 83, 20);
  PBSave->SetCaption("Save");
  PBSave->SetDefault(true);
  PBSave->Action = [this] { PBSave_Action(); };
}

// The caution sign: a yellow triangle with a black rim and an exclamation mark.
void SaveQuery::Canvas1_Paint(fw::Graphics& g) {
  g.ForeColor = fw::RGB(255, 204, 0);
  g.FillPolygon(16, 1, 31, 30, 0, 30);
  g.ForeColor = fw::RGB(0, 0, 0);
  g.DrawPolygon(16, 1, 31, 30, 0, 30);
  g.FillRect(15, 10, 3, 12);
  g.FillRect(15, 24, 3, 3);
}

void SaveQuery::PBNo_Action() {
  Answer = 1;
  Hide();
}

void SaveQuery::PBCancel_Action() {
  Answer = 0;
  Hide();
}

void SaveQuery::PBSave_Action() {
  Answer = 2;
  Hide();
}

void SaveQuery::AddMenuHandlers() {}

class SaveQuery& SaveQuery() {
  return fw::SharedWindow<class SaveQuery>();
}

#include "window/graphpage/UnitsSheet.h"

#include "framework/EditField.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/Text.h"

namespace {

template <class T>
T& Place(T& control, int left, int top, int width, int height) {
  control.SetBounds(left, top, width, height);
  return control;
}

fw::StaticText& Caption(fw::StaticText& label, const std::string& text) {
  label.SetText(text);
  return label;
}

}  // namespace

UnitsSheet::UnitsSheet() : fw::Window(fw::Window::SheetFrame) {
  Layout();
  CreateControls();
  AddMenuHandlers();
}

class UnitsSheet& UnitsSheet() { return fw::SharedWindow<class UnitsSheet>(); }

void UnitsSheet::Layout() {
  SetTitle("Untitled");
  SetSize(414, 147);
  Activate = [this] { Event_Activate(); };
}

void UnitsSheet::CreateControls() { _CreateControls0(); }

void UnitsSheet::_CreateControls0() {
  Caption(Place(Add<STLabel>("STLabel", 0), 25, 14, 364, 20),
          "Please specify units for the calculated values displayed on the");
  STV = &Caption(Place(Add<fw::StaticText>("STV"), 25, 41, 80, 20), "Vertical axis:");
  EFV = &Place(Add<fw::EditField>("EFV"), 105, 40, 80, 22);
  EFV->TextChange = [this] { EFV_TextChange(); };
  STH = &Caption(Place(Add<fw::StaticText>("STH"), 204, 41, 98, 20), "Horizontal axis:");
  EFH = &Place(Add<fw::EditField>("EFH"), 303, 40, 80, 22);
  EFH->TextChange = [this] { EFH_TextChange(); };
  PBDone = &Place(Add<fw::PushButton>("PBDone"), 303, 108, 80, 20);
  PBDone->SetCaption("Done");
  PBDone->SetDefault(true);
  PBDone->SetEnabled(false);
  PBDone->Action = [this] { PBDone_Action(); };
  PBCancel = &Place(Add<fw::PushButton>("PBCancel"), 25, 108, 69, 20);
  PBCancel->SetCaption("Cancel");
  PBCancel->SetCancel(true);
  PBCancel->Action = [this] { PBCancel_Action(); };
  fw::StaticText& hint = Caption(Place(Add<STLabel>("STLabel", 1), 53, 71, 301, 25),
                                 "You can specify a superscripted exponent by enclosing it in ^ symbols. If the "
                                 "calculated quantity is unitless, enter \"none\".");
  hint.SetTextSize(10);
  hint.SetMultiLine(true);
}

void UnitsSheet::EFV_TextChange() {
  PBDone->SetEnabled(fw::Len(EFV->Text()) >= 1 && !(EFH->Visible() && fw::Len(EFH->Text()) == 0));
}

void UnitsSheet::EFH_TextChange() {
  PBDone->SetEnabled(fw::Len(EFH->Text()) >= 1 && !(EFV->Visible() && fw::Len(EFV->Text()) == 0));
}

void UnitsSheet::PBDone_Action() {
  Cancelled = false;
  Hide();
}

void UnitsSheet::PBCancel_Action() {
  Cancelled = true;
  Hide();
}

void UnitsSheet::AddMenuHandlers() {}

// The units are typed at once into the first shown field; its earlier text is
// selected, so typing replaces it.
void UnitsSheet::Event_Activate() {
  fw::EditField& first = EFV->Visible() ? *EFV : *EFH;
  first.SetFocus();
  first.SelectAll();
}

bool UnitsSheet::GotCalcUnits(std::string& hUnits, std::string& vUnits) {
  if (!Cancelled) {
    if (EFH->Visible()) hUnits = EFH->Text();
    if (EFV->Visible()) vUnits = EFV->Text();
  }
  return !Cancelled;
}

void UnitsSheet::InitCalcUnits(bool needH, bool needV) {
  EFH->SetVisible(needH);
  STH->SetVisible(needH);
  EFV->SetVisible(needV);
  STV->SetVisible(needV);
  PBDone->SetEnabled(
      !((EFH->Visible() && fw::Len(EFH->Text()) == 0) || (EFV->Visible() && fw::Len(EFV->Text()) == 0)));
}

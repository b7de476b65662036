#include "window/graphpage/LabelSheet.h"

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

// The markup guide, one line per code.
constexpr const char* kGuide =
    "\u2022 Enclose superscripts in ^ symbols.\r"
    "\u2022 Enclose subscripts in _ symbols.\r"
    "\u2022 Use | to indicate a line break.\r"
    "\u2022 Enclose bold letters in ! symbols.\r"
    "\u2022 Enclose italic letters in \\ symbols.\r"
    "\u2022 Enclose a character in $ symbols to use the corresponding character from the Symbol font.\r"
    "\u2022 Enclose a new font size in # symbols.\r"
    "\u2022 Enclose a new font name in @ symbols.\r"
    "\u2022 To use the above symbols, precede it by &&.";

}  // namespace

LabelSheet::LabelSheet() : fw::Window(fw::Window::SheetFrame) {
  Layout();
  CreateControls();
  AddMenuHandlers();
}

class LabelSheet& LabelSheet() { return fw::SharedWindow<class LabelSheet>(); }

void LabelSheet::Layout() {
  SetTitle("Untitled");
  SetSize(404, 340);
  Activate = [this] { Event_Activate(); };
}

void LabelSheet::CreateControls() { _CreateControls0(); }

void LabelSheet::_CreateControls0() {
  const auto label = [this](int i, int left, int top, int width, int height,
                            const std::string& text) -> fw::StaticText& {
    fw::StaticText& caption = Place(Add<STLabel>("STLabel", i), left, top, width, height);
    caption.SetText(text);
    return caption;
  };
  const auto field = [this](const std::string& name, int left, int top, int width, int height) {
    return &Place(Add<fw::EditField>(name), left, top, width, height);
  };
  label(0, 20, 14, 87, 20, "Team Names:");
  EFTeam = field("EFTeam", 111, 14, 273, 22);
  label(1, 20, 46, 87, 20, "Graph Title:");
  EFTitle = field("EFTitle", 111, 45, 273, 22);
  label(2, 20, 78, 122, 20, "Vertical Axis Label:");
  EFVLabel = field("EFVLabel", 166, 77, 218, 21);
  label(3, 20, 110, 134, 20, "Horizontal Axis Label:");
  EFHLabel = field("EFHLabel", 166, 109, 218, 21);
  label(4, 20, 142, 75, 20, "Slope Units:");
  EFSlopeUnits = field("EFSlopeUnits", 107, 141, 80, 21);
  label(5, 209, 142, 93, 20, "Intercept Units:");
  EFIntUnits = field("EFIntUnits", 304, 141, 80, 21);
  // Wider than laid out (250): in DejaVu Sans the text needs 268 px to stay on two lines.
  fw::StaticText& heading =
      label(6, 20, 174, 268, 29,
            "One can insert super and subscripts and other styling into these labels using the following codes:");
  fw::StaticText& guide = label(7, 23, 202, 237, 124, kGuide);
  for (fw::StaticText* text : {&heading, &guide}) {
    text->SetTextSize(10);
    text->SetMultiLine(true);
  }
  PBCancel = &Place(Add<fw::PushButton>("PBCancel"), 292, 210, 92, 24);
  PBCancel->SetCaption("Cancel");
  PBCancel->SetCancel(true);
  PBCancel->Action = [this] { PBCancel_Action(); };
  PBDone = &Place(Add<fw::PushButton>("PBDone"), 292, 300, 92, 24);
  PBDone->SetCaption("Done");
  PBDone->SetDefault(true);
  PBDone->Action = [this] { PBDone_Action(); };
}

void LabelSheet::PBCancel_Action() {
  Cancelled = true;
  Hide();
}

void LabelSheet::PBDone_Action() {
  Cancelled = false;
  Hide();
}

void LabelSheet::AddMenuHandlers() {}

void LabelSheet::Event_Activate() {
  EFTeam->SetFocus();
  EFTeam->SetSelStart(0);
  EFTeam->SetSelLength(fw::Len(EFTeam->Text()));
}

bool LabelSheet::GotResults(std::string& team, std::string& title, std::string& hLabel, std::string& vLabel,
                            std::string& slopeUnits, std::string& interceptUnits) {
  if (!Cancelled) {
    team = EFTeam->Text();
    title = EFTitle->Text();
    hLabel = EFHLabel->Text();
    vLabel = EFVLabel->Text();
    slopeUnits = EFSlopeUnits->Text();
    interceptUnits = EFIntUnits->Text();
  }
  return !Cancelled;
}

void LabelSheet::SetFields(const std::string& team, const std::string& title, const std::string& hLabel,
                           const std::string& vLabel, const std::string& slopeUnits,
                           const std::string& interceptUnits) {
  EFTeam->SetText(team);
  EFTitle->SetText(title);
  EFHLabel->SetText(hLabel);
  EFVLabel->SetText(vLabel);
  EFSlopeUnits->SetText(slopeUnits);
  EFIntUnits->SetText(interceptUnits);
}

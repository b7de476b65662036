#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "files/DocumentFile.h"
#include "framework/Window.h"
#include "window/graphpage/GraphPage.h"
#include "window/table/DataPage.h"

class Evaluator;
class Graph;
class SSRect;
class UndoableAction;

namespace fw {
class CheckBox;
class EditField;
class FolderItem;
class GroupBox;
class Listbox;
class MenuItem;
class PopupMenu;
class PushButton;
class QuitMenuItem;
class RadioButton;
class Slider;
class StaticText;
class TabPanel;
}  // namespace fw

// The document window: the whole state of one document, its three pages and the
// window's menu commands. The "Data" page, the "Graph" page and the document file
// are components of the window (Table, Plot, Files).
class MainWndo : public fw::Window {
 public:
  MainWndo();
  ~MainWndo() override;

  // Pages of TabPanel1.
  static constexpr int NamesPage = 0;
  static constexpr int DataPageIndex = 1;
  static constexpr int GraphPageIndex = 2;

  // Document state. Arrays are indexed [data set][row][column]; column 0 is never used.
  bool CellDirty = false;
  bool CellFull[99][5] = {};
  bool PasteOK = false;
  bool FoundCompError = false;
  bool FoundRunError = false;
  std::int32_t OldPage = 0;
  bool Dirty = false;
  bool CalcOK[5] = {};
  bool HaveFit = false;
  double Data[101][99][5] = {};
  double Slope[101] = {};
  double Intercept[101] = {};
  double InterceptUnc = 0.0;
  double SlopeUnc = 0.0;
  std::string GrfXLabel;
  std::string GrfYLabel;
  std::string GrfTitle;
  std::string GrfTeam;
  std::string GrfXUnits;
  std::string GrfYUnits;
  bool ProtectChange = false;
  std::string SlopeUnits;
  std::string InterceptUnits;
  std::shared_ptr<fw::FolderItem> myFile;
  bool GotGraph = false;
  std::int32_t LastCellRow = 0;
  std::int32_t LastCellCol = 0;
  std::unique_ptr<Evaluator> theEvaluator;
  std::string VHName;
  std::string VVName;
  std::shared_ptr<UndoableAction> LastAction;
  std::int32_t CurrCol = 0;
  std::int32_t CurrRow = 0;

  // Controls, owned by the window; created by CreateControls.
  fw::TabPanel* TabPanel1 = nullptr;
  std::array<fw::StaticText*, 21> STLabel{};
  std::array<fw::GroupBox*, 6> GBLabel{};

  // "Names" page.
  fw::EditField* EFNames = nullptr;
  fw::EditField* EFHName = nullptr;
  fw::EditField* EFHUnits = nullptr;
  fw::EditField* EFVName = nullptr;
  fw::EditField* EFVUnits = nullptr;
  fw::PushButton* PBClearNames = nullptr;
  fw::PushButton* PBEnter = nullptr;

  // "Data" page.
  fw::GroupBox* GBH = nullptr;
  fw::RadioButton* RBHEntered = nullptr;
  fw::RadioButton* RBHCalculated = nullptr;
  fw::EditField* EFHFormula = nullptr;
  fw::GroupBox* GBV = nullptr;
  fw::RadioButton* RBVEntered = nullptr;
  fw::RadioButton* RBVCalculated = nullptr;
  fw::EditField* EFVFormula = nullptr;
  fw::Listbox* LBData = nullptr;
  fw::PopupMenu* PUHFormat = nullptr;
  fw::PopupMenu* PUVFormat = nullptr;
  fw::PushButton* PBPrintTable = nullptr;
  fw::CheckBox* CBTabAcross = nullptr;
  fw::Slider* SDDatDspd = nullptr;
  fw::StaticText* STDatDspd = nullptr;
  fw::PushButton* PBClearData = nullptr;

  // "Graph" page.
  Graph* dGraph = nullptr;
  fw::PushButton* PBPrintGraph = nullptr;
  fw::Slider* SDDatGrfd = nullptr;
  fw::StaticText* STDatGrfd = nullptr;
  fw::PushButton* PBUpdate = nullptr;
  fw::PushButton* PBFit = nullptr;
  fw::EditField* EFHMin = nullptr;
  fw::EditField* EFHMax = nullptr;
  fw::EditField* EFVMin = nullptr;
  fw::EditField* EFVMax = nullptr;
  SSRect* SSTeam = nullptr;
  SSRect* SSFitInfo = nullptr;
  fw::PushButton* PBFixLabels = nullptr;
  fw::PushButton* PBClearLimits = nullptr;

  DataPage Table{*this};
  GraphPage Plot{*this};
  DocumentFile Files{*this};

  // Construction.
  void Layout();
  void CreateControls();
  void _CreateControls0();
  void _CreateControls1();

  // Page switching and the "Names" page.
  void TabPanel1_Change();
  bool NamesOK();
  void EFNames_TextChange();
  void EFHName_TextChange();
  void EFHUnits_TextChange();
  void EFVName_TextChange();
  void EFVUnits_TextChange();
  void PBClearNames_Action();
  void PBEnter_Action();

  // The message dialog, modal within this window; an empty text shows the names reminder.
  void CallWarnDialog(const std::string& message);

  // The items of the window's menu bar, by name; nil when the bar lacks one.
  fw::MenuItem* HelpMenu() const;
  fw::MenuItem* HelpAboutGradix() const;
  fw::MenuItem* EditMenu() const;
  fw::MenuItem* EditClear() const;
  fw::MenuItem* EditPaste() const;
  fw::MenuItem* EditCopy() const;
  fw::MenuItem* EditCut() const;
  fw::MenuItem* UntitledMenu0() const;
  fw::MenuItem* EditUndo() const;
  fw::MenuItem* FileMenu() const;
  fw::QuitMenuItem* FileQuit() const;
  fw::MenuItem* FileSaveAs() const;
  fw::MenuItem* FileSave() const;
  fw::MenuItem* FileImport() const;
  fw::MenuItem* FileClose() const;
  fw::MenuItem* FileOpen() const;
  fw::MenuItem* FileNew() const;
  // The About item of the application menu, which this platform's menu bar lacks: always nil.
  fw::MenuItem* AppleAbout() const;

  // Window events and menu handlers.
  void AddMenuHandlers();
  void Event_Activate();
  void Event_Deactivate();
  bool Event_CancelClose(bool appQuitting);
  void Event_Open();
  void Event_EnableMenuItems();
  bool _FileClose_Action();
  bool _FileSave_Action();
  bool _FileSaveAs_Action();
  bool _EditUndo_Action();
  bool _FileImport_Action();
  bool _HelpAboutGradix_Action();

 private:
  fw::MenuItem* zMenuItem(const char* name) const;
  void zBindEvents();
};

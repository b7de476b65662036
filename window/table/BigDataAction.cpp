#include "window/table/BigDataAction.h"

#include "framework/BackgroundTask.h"
#include "framework/EditField.h"
#include "framework/Listbox.h"
#include "framework/PopupMenu.h"
#include "framework/RadioButton.h"
#include "framework/Text.h"
#include "window/MainWndo.h"

BigDataAction::BigDataAction(MainWndo& window)
    : HFormula(window.EFHFormula->Text()), VFormula(window.EFVFormula->Text()) {
  for (int row = 0; row < 99; ++row) {
    for (int col = 1; col <= 4; ++col) {
      Data[row][col] = window.Data[0][row][col];
      CellFull[row][col] = window.CellFull[row][col];
      fw::RuntimeBackgroundTask();
    }
    fw::RuntimeBackgroundTask();
  }
  theWndo = &window;
}

void BigDataAction::Undo() {
  MainWndo& w = *theWndo;
  // Opened first, so that committing the cell open before cannot overwrite the
  // restored data; only a column shown as entered may get an editor.
  int openCol = w.RBHEntered->Value() ? 1 : w.RBVEntered->Value() ? 3 : 0;
  if (openCol > 0) w.LBData->EditCell(0, openCol);

  for (int row = 0; row < 99; ++row) {
    for (int col = 1; col <= 4; ++col) {
      w.Data[0][row][col] = Data[row][col];
      w.CellFull[row][col] = CellFull[row][col];
      fw::RuntimeBackgroundTask();
    }
    fw::RuntimeBackgroundTask();
  }
  // Each pair is shown as its variable displays it, so calculated cells keep
  // their calculated values.
  w.Table.DoFormatChange(1, w.PUHFormat->ListIndex());
  w.Table.DoFormatChange(3, w.PUVFormat->ListIndex());

  fw::EditField* editor = w.LBData->ActiveCell();
  if (editor && openCol > 0) {
    w.LBData->SetCell(0, openCol, CellFull[0][openCol] ? fw::Str(Data[0][openCol]) : std::string());
  }
  w.EFHFormula->SetText(HFormula);
  w.EFVFormula->SetText(VFormula);
  editor = w.LBData->ActiveCell();
  if (editor) {
    editor->SetSelStart(0);
    editor->SetSelLength(fw::Len(editor->Text()));
  }
  w.PasteOK = editor != nullptr;
  w.Dirty = true;
}

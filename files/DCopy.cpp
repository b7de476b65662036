#include "files/DCopy.h"

#include <memory>
#include <string>

#include "engine/GlobalFuncts.h"
#include "framework/EditField.h"
#include "framework/Listbox.h"
#include "framework/PopupMenu.h"
#include "framework/Text.h"
#include "window/MainWndo.h"
#include "window/table/BigDataAction.h"

DCopy::DCopy(MainWndo& w) : theWndo(&w) {
  for (int row = 0; row < 99; ++row) {
    for (int col = 1; col <= 4; ++col) {
      Data[row][col] = w.Data[0][row][col];
      Full[row][col] = w.CellFull[row][col];
    }
  }
}

void DCopy::DumpData(std::int32_t col) {
  MainWndo& w = *theWndo;
  const std::int32_t codes[5] = {0, w.PUHFormat->ListIndex(), w.PUHFormat->ListIndex(),
                                 w.PUVFormat->ListIndex(), w.PUVFormat->ListIndex()};
  auto record = std::make_shared<BigDataAction>(w);
  fw::Listbox& lb = *w.LBData;
  for (int row = 0; row < 99; ++row) {
    for (int c = 1; c <= 4; ++c) {
      const double v = Data[row][c];
      w.Data[0][row][c] = v;
      w.CellFull[row][c] = Full[row][c];
      std::string text;
      if (Full[row][c]) {
        // A cell open for editing is committed from its text: it must hold the value itself.
        const bool open = lb.ActiveCell() && lb.EditRow() == row && lb.EditColumn() == c;
        text = open ? fw::Str(v) : GlobalFuncts::Reformat(v, codes[c]);
      }
      lb.SetCell(row, c, text);
    }
  }
  w.Plot.KillFit();
  lb.EditCell(0, col);
  if (fw::EditField* editor = lb.ActiveCell()) {
    editor->SetSelStart(0);
    editor->SetSelLength(fw::Len(editor->Text()));
  }
  // Set after opening the cell, whose opening commits any cell open before.
  w.CellDirty = true;
  w.Dirty = true;
  w.PasteOK = true;
  w.LastAction = record;
}

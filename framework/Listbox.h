#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/Control.h"

namespace fw {

class EditField;

// A table of text cells with a heading row, fixed-height rows and an in-place
// cell editor of its own. Rows and columns count from 0. The editor is an
// EditField over one cell at a time; the list keeps the cell's text in step with
// it, so Cell() of the open cell reads what the editor shows.
class Listbox : public Control {
 public:
  // Column types: only an editable column opens an editor.
  static constexpr int TypeDefault = 0;
  static constexpr int TypeNormal = 1;
  static constexpr int TypeEditable = 3;

  static constexpr int AlignDefault = 0;
  static constexpr int AlignLeft = 1;
  static constexpr int AlignCenter = 2;
  static constexpr int AlignRight = 3;

  // Border and grid line styles.
  static constexpr int BorderDefault = 0;
  static constexpr int BorderThinSolid = 1;
  static constexpr int BorderThinDotted = 2;
  static constexpr int BorderNone = 3;
  static constexpr int BorderThickSolid = 4;

  explicit Listbox(Window& window);
  ~Listbox() override;

  int ColumnCount() const;
  // Keeps the texts of the columns that remain.
  void SetColumnCount(int count);
  int RowCount() const;
  // Appends a row whose column 0 shows text; the other cells are empty.
  void AddRow(const std::string& text);
  int LastIndex() const;  // the row added last, -1 when none
  // Closes the editor (committing it) and removes every row.
  void DeleteAllRows();

  // "" for a cell outside the table; writing outside it does nothing.
  std::string Cell(int row, int column) const;
  // Writing the open cell also shows the text in its editor, raising no CellTextChange.
  void SetCell(int row, int column, const std::string& text);

  bool HasHeading() const { return hasHeading_; }
  void SetHasHeading(bool hasHeading);
  std::string Heading(int column) const;
  void SetHeading(int column, const std::string& text);

  // Comma-separated: a number is pixels, "*" shares what is left equally.
  // Missing entries count as "*".
  const std::string& ColumnWidths() const { return columnWidths_; }
  void SetColumnWidths(const std::string& widths);
  // The width the column has now, in pixels.
  int ColumnWidth(int column) const;

  int DefaultRowHeight() const { return rowHeight_; }
  void SetDefaultRowHeight(int pixels);

  int ColumnType(int column) const;
  void SetColumnType(int column, int type);
  int ColumnAlignment(int column) const;
  void SetColumnAlignment(int column, int alignment);
  // Pixels the text moves right (negative: left) from its aligned place.
  int ColumnAlignmentOffset(int column) const;
  void SetColumnAlignmentOffset(int column, int offset);
  // The line at a cell's right edge; BorderDefault draws the vertical grid line.
  int CellBorderRight(int row, int column) const;
  void SetCellBorderRight(int row, int column, int style);
  int GridLinesHorizontal() const { return gridHorizontal_; }
  void SetGridLinesHorizontal(int style);
  int GridLinesVertical() const { return gridVertical_; }
  void SetGridLinesVertical(int style);

  // One row selectable at a time; -1 when none is.
  int ListIndex() const;
  void SetListIndex(int row);
  bool Selected(int row) const;
  void SetSelected(int row, bool selected);

  // The first row shown.
  int ScrollPosition() const;
  void SetScrollPosition(int row);

  // Commits the open cell (CellAction, CellLostFocus), then opens the editor on
  // (row, column), scrolled into view, and raises CellGotFocus, all before
  // returning. A cell outside the table changes nothing; a column that is not
  // editable only commits.
  void EditCell(int row, int column);
  // The open cell's editor; nil when none is open.
  EditField* ActiveCell() const;
  int EditRow() const { return editRow_; }        // -1 when no editor is open
  int EditColumn() const { return editColumn_; }  // -1 when no editor is open

  // A key typed into the open cell, before the editor sees it; true consumes it.
  std::function<bool(int row, int column, const std::string& key)> CellKeyDown;
  // The user changed the open cell's text (typing, paste, cut, clear, undo).
  std::function<void(int row, int column)> CellTextChange;
  // The edit of the cell ended: raised for every commit, changed or not.
  std::function<void(int row, int column)> CellAction;
  std::function<void(int row, int column)> CellGotFocus;
  std::function<void(int row, int column)> CellLostFocus;
  // A mouse press on a cell that has no open editor; x and y are relative to the
  // cell. True handles it; otherwise the row is selected and an editable cell opens.
  std::function<bool(int row, int column, int x, int y)> CellClick;
  // A press on a column heading; the list never sorts.
  std::function<bool(int column)> HeaderPressed;

  // Framework side.
  QWidget* KeyTarget() const override;
  // Scrolls the cell into view, as a user would before clicking it, and gives
  // its centre relative to the list's top-left corner.
  void CellCentre(int row, int column, int* x, int* y);
  // The heading's centre relative to the list's top-left corner.
  void HeadingCentre(int column, int* x, int* y) const;

 protected:
  void FontChanged() override;
  void ShownChanged(bool shown) override;

 private:
  struct Impl;
  void Commit();

  std::unique_ptr<Impl> impl_;
  std::string columnWidths_;
  bool hasHeading_ = false;
  int rowHeight_ = 18;
  int gridHorizontal_ = BorderDefault;
  int gridVertical_ = BorderDefault;
  int editRow_ = -1;
  int editColumn_ = -1;
};

}  // namespace fw

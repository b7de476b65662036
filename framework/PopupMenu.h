#pragma once

#include <functional>
#include <string>

#include "framework/Control.h"

namespace fw {

// A pop-up menu of text rows. ListIndex is the chosen row from 0, -1 for none.
class PopupMenu : public Control {
 public:
  explicit PopupMenu(Window& window);

  void AddRow(const std::string& text);
  void InsertRow(int row, const std::string& text);
  void RemoveRow(int row);
  void DeleteAllRows();
  int ListCount() const;
  std::string List(int row) const;  // "" outside the rows

  int ListIndex() const;
  // Raises Change before returning when the choice changes.
  void SetListIndex(int row);
  std::string Text() const;  // the chosen row's text, "" for none

  // Every change of the choice, by the user or by code.
  std::function<void()> Change;
};

}  // namespace fw

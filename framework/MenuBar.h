#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "framework/MenuItem.h"

namespace fw {

// One menu bar definition: its menus are the title items appended to it. Every
// document window that is given it shows it.
class MenuBar {
 public:
  MenuBar() = default;
  virtual ~MenuBar() = default;
  MenuBar(const MenuBar&) = delete;
  MenuBar& operator=(const MenuBar&) = delete;

  MenuItem& Append(std::unique_ptr<MenuItem> menu);
  int Count() const { return static_cast<int>(menus_.size()); }
  MenuItem& Item(int i) const { return *menus_.at(static_cast<std::size_t>(i)); }
  // The menu or item of that name anywhere on the bar; nil when none.
  MenuItem* Child(std::string_view name) const;
  // The item whose shortcut is the key (an upper-case letter or a key name) with
  // the modifiers; nil when none.
  MenuItem* ItemForShortcut(std::string_view key, bool shift, bool alt) const;
  // Every item enabled by its AutoEnable flag (the first step before EnableMenuItems).
  void ResetEnabling();

 private:
  std::vector<std::unique_ptr<MenuItem>> menus_;
};

}  // namespace fw

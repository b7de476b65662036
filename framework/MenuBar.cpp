#include "framework/MenuBar.h"

#include <cctype>
#include <string>


namespace fw {

namespace {

struct Shortcut {
  std::string key;
  bool command = false;
  bool shift = false;
  bool alt = false;
};

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

Shortcut Parse(const std::string& text) {
  Shortcut shortcut;
  std::string rest = text;
  for (;;) {
    const std::size_t plus = rest.find('+');
    if (plus == std::string::npos || plus + 1 >= rest.size()) break;
    const std::string modifier = Upper(rest.substr(0, plus));
    if (modifier == "CMD" || modifier == "CTRL" || modifier == "COMMAND") shortcut.command = true;
    else if (modifier == "SHIFT") shortcut.shift = true;
    else if (modifier == "ALT" || modifier == "OPTION") shortcut.alt = true;
    rest = rest.substr(plus + 1);
  }
  shortcut.key = Upper(rest);
  return shortcut;
}

void Reset(MenuItem& item) {
  item.SetEnabled(item.AutoEnable());
  for (int i = 0; i < item.Count(); ++i) Reset(item.Item(i));
}

MenuItem* FindShortcut(MenuItem& item, const std::string& key, bool shift, bool alt) {
  if (!item.KeyboardShortcut().empty()) {
    const Shortcut s = Parse(item.KeyboardShortcut());
    if (s.command && s.key == key && s.shift == shift && s.alt == alt) return &item;
  }
  for (int i = 0; i < item.Count(); ++i) {
    if (MenuItem* found = FindShortcut(item.Item(i), key, shift, alt)) return found;
  }
  return nullptr;
}

}  // namespace

MenuItem& MenuBar::Append(std::unique_ptr<MenuItem> menu) {
  menus_.push_back(std::move(menu));
  return *menus_.back();
}

MenuItem* MenuBar::Child(std::string_view name) const {
  for (const auto& menu : menus_) {
    if (MenuItem* found = menu->Child(name)) return found;
  }
  return nullptr;
}

MenuItem* MenuBar::ItemForShortcut(std::string_view key, bool shift, bool alt) const {
  const std::string upper = Upper(key);
  for (const auto& menu : menus_) {
    if (MenuItem* found = FindShortcut(*menu, upper, shift, alt)) return found;
  }
  return nullptr;
}

void MenuBar::ResetEnabling() {
  for (auto& menu : menus_) Reset(*menu);
}

}  // namespace fw

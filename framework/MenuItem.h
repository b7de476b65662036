#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// A menu title or an item of a menu. Text "-" is a separator; "&" marks a
// title's access key. KeyboardShortcut reads like "Cmd+N" (Cmd is Ctrl here;
// "Shift+", "Alt+" and "Ctrl+" may precede the key too).
class MenuItem {
 public:
  MenuItem() = default;
  explicit MenuItem(std::string name, std::string text = "");
  virtual ~MenuItem() = default;
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }
  const std::string& KeyboardShortcut() const { return shortcut_; }
  void SetKeyboardShortcut(std::string shortcut) { shortcut_ = std::move(shortcut); }
  // An AutoEnable item is enabled before EnableMenuItems runs; any other item
  // only when EnableMenuItems enables it.
  bool AutoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  void Enable() { enabled_ = true; }

  bool IsSeparator() const { return text_ == "-"; }
  virtual bool IsQuitItem() const { return false; }

  MenuItem& Append(std::unique_ptr<MenuItem> item);
  int Count() const { return static_cast<int>(items_.size()); }
  MenuItem& Item(int i) const { return *items_.at(static_cast<std::size_t>(i)); }
  // This item or one below it with the name; nil when none.
  MenuItem* Child(std::string_view name);
  MenuItem* Parent() const { return parent_; }

 private:
  std::string name_;
  std::string text_;
  std::string shortcut_;
  bool autoEnable_ = true;
  bool enabled_ = true;
  MenuItem* parent_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace fw

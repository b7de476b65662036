#include "framework/MenuItem.h"

namespace fw {

MenuItem::MenuItem(std::string name, std::string text) : name_(std::move(name)), text_(std::move(text)) {}

MenuItem& MenuItem::Append(std::unique_ptr<MenuItem> item) {
  item->parent_ = this;
  items_.push_back(std::move(item));
  return *items_.back();
}

MenuItem* MenuItem::Child(std::string_view name) {
  if (name_ == name) return this;
  for (auto& item : items_) {
    if (MenuItem* found = item->Child(name)) return found;
  }
  return nullptr;
}

}  // namespace fw

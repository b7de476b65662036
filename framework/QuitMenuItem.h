#pragma once

#include "framework/MenuItem.h"

namespace fw {

// The framework's Quit item: unless a handler ends the dispatch, choosing it quits
// the application (each window is asked through CancelClose).
class QuitMenuItem : public MenuItem {
 public:
  using MenuItem::MenuItem;
  bool IsQuitItem() const override { return true; }
};

}  // namespace fw

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Control.h"

namespace fw {

// Tabs over a panel of pages. Controls are put on a page with
// SetEnclosure(&panel, page) and are shown only while their page is shown.
class TabPanel : public Control {
 public:
  explicit TabPanel(Window& window);

  void AppendTab(const std::string& caption);
  int TabCount() const;
  std::string Caption(int tab) const;
  void SetCaption(int tab, const std::string& caption);

  int Value() const;  // the page shown
  // Shows the page's controls, then raises Change before returning, when the page changes.
  void SetValue(int page);

  // Every change of the page, by a click on a tab or by code.
  std::function<void()> Change;
};

}  // namespace fw

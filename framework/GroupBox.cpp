#include "framework/GroupBox.h"

#include <QGroupBox>

#include "framework/QtSupport.h"

namespace fw {

GroupBox::GroupBox(Window& window) : Control(window) {
  auto* box = new QGroupBox;
  box->setFocusPolicy(Qt::NoFocus);
  // The title sits on the frame's top line, so the frame encloses the controls placed
  // a few pixels below the group box's top.
  box->setStyleSheet(
      "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 7px; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 8px; padding: 0 2px; }");
  SetWidget(box);
}

void GroupBox::SetCaption(const std::string& caption) {
  caption_ = caption;
  static_cast<QGroupBox*>(Widget())->setTitle(QtSupport::ToQ(caption).replace("&", "&&"));
}

}  // namespace fw

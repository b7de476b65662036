#include "framework/CheckBox.h"

#include <QCheckBox>

#include "framework/EventDispatch.h"
#include "framework/QtSupport.h"

namespace fw {

CheckBox::CheckBox(Window& window) : Control(window) {
  auto* box = new QCheckBox;
  QObject::connect(box, &QCheckBox::toggled, box, [this] { Raise(Action); });
  SetWidget(box);
}

void CheckBox::SetCaption(const std::string& caption) {
  caption_ = caption;
  static_cast<QCheckBox*>(Widget())->setText(QtSupport::ToQ(caption).replace("&", "&&"));
}

bool CheckBox::Value() const { return static_cast<QCheckBox*>(Widget())->isChecked(); }

void CheckBox::SetValue(bool checked) { static_cast<QCheckBox*>(Widget())->setChecked(checked); }

}  // namespace fw

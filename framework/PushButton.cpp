#include "framework/PushButton.h"

#include <QPushButton>

#include "framework/EventDispatch.h"
#include "framework/QtSupport.h"

namespace fw {

PushButton::PushButton(Window& window) : Control(window) {
  auto* button = new QPushButton;
  // Return and Escape are routed by the window, never by Qt's dialog logic.
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, button, [this] { Push(); });
  SetWidget(button);
}

void PushButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  // Captions are literal: no access keys.
  static_cast<QPushButton*>(Widget())->setText(QtSupport::ToQ(caption).replace("&", "&&"));
}

void PushButton::SetDefault(bool isDefault) {
  default_ = isDefault;
  static_cast<QPushButton*>(Widget())->setDefault(isDefault);
}

void PushButton::SetCancel(bool isCancel) { cancel_ = isCancel; }

void PushButton::Push() {
  if (!IsEnabled()) return;
  Raise(Action);
}

}  // namespace fw

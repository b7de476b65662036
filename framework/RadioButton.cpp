#include "framework/RadioButton.h"

#include <QRadioButton>

#include "framework/EventDispatch.h"
#include "framework/QtSupport.h"
#include "framework/Window.h"

namespace fw {

namespace {

// A click turns the button on, never off; the framework keeps the group exclusive
// because all controls share one Qt parent.
class OnlyOnRadio : public QRadioButton {
 protected:
  void nextCheckState() override { setChecked(true); }
};

}  // namespace

RadioButton::RadioButton(Window& window) : Control(window) {
  auto* radio = new OnlyOnRadio;
  radio->setAutoExclusive(false);
  QObject::connect(radio, &QRadioButton::clicked, radio, [this] {
    TurnOffOthers();
    Raise(Action);
  });
  SetWidget(radio);
}

void RadioButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  static_cast<QRadioButton*>(Widget())->setText(QtSupport::ToQ(caption).replace("&", "&&"));
}

bool RadioButton::Value() const { return static_cast<QRadioButton*>(Widget())->isChecked(); }

void RadioButton::SetValue(bool on) {
  static_cast<QRadioButton*>(Widget())->setChecked(on);
  if (!on) return;
  TurnOffOthers();
  Raise(Action);
}

void RadioButton::TurnOffOthers() {
  Window& window = ParentWindow();
  for (int i = 0; i < window.ControlCount(); ++i) {
    auto* other = dynamic_cast<RadioButton*>(&window.ControlAt(i));
    if (other && other != this && other->Enclosure() == Enclosure() && other->Page() == Page()) {
      static_cast<QRadioButton*>(other->Widget())->setChecked(false);
    }
  }
}

}  // namespace fw

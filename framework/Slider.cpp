#include "framework/Slider.h"

#include <QSlider>

#include "framework/EventDispatch.h"

namespace fw {

namespace {
QSlider* Bar(QWidget* widget) { return static_cast<QSlider*>(widget); }
}  // namespace

Slider::Slider(Window& window) : Control(window) {
  auto* slider = new QSlider(Qt::Horizontal);
  slider->setRange(0, 100);
  QObject::connect(slider, &QSlider::valueChanged, slider, [this] { Raise(ValueChanged); });
  SetWidget(slider);
}

int Slider::Minimum() const { return Bar(Widget())->minimum(); }
void Slider::SetMinimum(int minimum) { Bar(Widget())->setMinimum(minimum); }
int Slider::Maximum() const { return Bar(Widget())->maximum(); }
void Slider::SetMaximum(int maximum) { Bar(Widget())->setMaximum(maximum); }
int Slider::Value() const { return Bar(Widget())->value(); }
void Slider::SetValue(int value) { Bar(Widget())->setValue(value); }
int Slider::LineStep() const { return Bar(Widget())->singleStep(); }
void Slider::SetLineStep(int step) { Bar(Widget())->setSingleStep(step); }
int Slider::PageStep() const { return Bar(Widget())->pageStep(); }
void Slider::SetPageStep(int step) { Bar(Widget())->setPageStep(step); }
bool Slider::LiveScroll() const { return Bar(Widget())->hasTracking(); }
void Slider::SetLiveScroll(bool live) { Bar(Widget())->setTracking(live); }

}  // namespace fw

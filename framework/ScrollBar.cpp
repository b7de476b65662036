#include "framework/ScrollBar.h"

#include <QScrollBar>

#include "framework/EventDispatch.h"

namespace fw {

namespace {
QScrollBar* Bar(QWidget* widget) { return static_cast<QScrollBar*>(widget); }
}  // namespace

ScrollBar::ScrollBar(Window& window) : Control(window) {
  auto* bar = new QScrollBar(Qt::Horizontal);
  bar->setRange(0, 100);
  QObject::connect(bar, &QScrollBar::valueChanged, bar, [this] { Raise(ValueChanged); });
  SetWidget(bar);
}

void ScrollBar::BoundsChanged() { Bar(Widget())->setOrientation(Width() >= Height() ? Qt::Horizontal : Qt::Vertical); }

int ScrollBar::Minimum() const { return Bar(Widget())->minimum(); }
void ScrollBar::SetMinimum(int minimum) { Bar(Widget())->setMinimum(minimum); }
int ScrollBar::Maximum() const { return Bar(Widget())->maximum(); }
void ScrollBar::SetMaximum(int maximum) { Bar(Widget())->setMaximum(maximum); }
int ScrollBar::Value() const { return Bar(Widget())->value(); }
void ScrollBar::SetValue(int value) { Bar(Widget())->setValue(value); }
int ScrollBar::LineStep() const { return Bar(Widget())->singleStep(); }
void ScrollBar::SetLineStep(int step) { Bar(Widget())->setSingleStep(step); }
int ScrollBar::PageStep() const { return Bar(Widget())->pageStep(); }
void ScrollBar::SetPageStep(int step) { Bar(Widget())->setPageStep(step); }

}  // namespace fw

#include "framework/TabPanel.h"

#include <QFrame>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QWidget>

#include "framework/EventDispatch.h"
#include "framework/QtSupport.h"
#include "framework/Window.h"

namespace fw {

namespace {

// The tabs centred over a framed panel; the pages' controls are the window's own.
class TabPanelWidget : public QWidget {
 public:
  TabPanelWidget() : bar(new QTabBar(this)), frame(new QFrame(this)) {
    bar->setDrawBase(false);
    bar->setExpanding(false);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->lower();
  }

  void Arrange() {
    const QSize hint = bar->sizeHint();
    const int barWidth = qMin(hint.width(), width());
    bar->setGeometry((width() - barWidth) / 2, 0, barWidth, hint.height());
    const int frameTop = hint.height() / 2;
    frame->setGeometry(0, frameTop, width(), height() - frameTop);
  }

  QTabBar* bar;
  QFrame* frame;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    Arrange();
  }
};

TabPanelWidget* Panel(QWidget* widget) { return static_cast<TabPanelWidget*>(widget); }

}  // namespace

TabPanel::TabPanel(Window& window) : Control(window) {
  auto* panel = new TabPanelWidget;
  QObject::connect(panel->bar, &QTabBar::currentChanged, panel->bar, [this] {
    ParentWindow().UpdateShownControls();
    Raise(Change);
  });
  SetWidget(panel);
}

void TabPanel::AppendTab(const std::string& caption) {
  TabPanelWidget* panel = Panel(Widget());
  {
    // Adding the first tab is no change of page.
    const QSignalBlocker blocker(panel->bar);
    panel->bar->addTab(QtSupport::ToQ(caption).replace("&", "&&"));
  }
  panel->Arrange();
  ParentWindow().UpdateShownControls();
}

int TabPanel::TabCount() const { return Panel(Widget())->bar->count(); }

std::string TabPanel::Caption(int tab) const {
  return QtSupport::FromQ(Panel(Widget())->bar->tabText(tab).replace("&&", "&"));
}

void TabPanel::SetCaption(int tab, const std::string& caption) {
  Panel(Widget())->bar->setTabText(tab, QtSupport::ToQ(caption).replace("&", "&&"));
  Panel(Widget())->Arrange();
}

int TabPanel::Value() const { return Panel(Widget())->bar->currentIndex(); }

void TabPanel::SetValue(int page) {
  if (page < 0 || page >= TabCount()) return;
  Panel(Widget())->bar->setCurrentIndex(page);
}

}  // namespace fw

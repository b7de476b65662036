#include "framework/PopupMenu.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "framework/EventDispatch.h"
#include "framework/QtSupport.h"

namespace fw {

namespace {
QComboBox* Combo(QWidget* widget) { return static_cast<QComboBox*>(widget); }
}  // namespace

PopupMenu::PopupMenu(Window& window) : Control(window) {
  auto* combo = new QComboBox;
  QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [this] { Raise(Change); });
  SetWidget(combo);
}

void PopupMenu::AddRow(const std::string& text) { InsertRow(ListCount(), text); }

void PopupMenu::InsertRow(int row, const std::string& text) {
  QComboBox* combo = Combo(Widget());
  const int before = combo->currentIndex();
  {
    // Qt chooses the first row added to an empty menu; here adding never chooses.
    const QSignalBlocker blocker(combo);
    combo->insertItem(row, QtSupport::ToQ(text));
    if (before < 0) combo->setCurrentIndex(-1);
  }
}

void PopupMenu::RemoveRow(int row) {
  if (row >= 0 && row < ListCount()) Combo(Widget())->removeItem(row);
}

void PopupMenu::DeleteAllRows() { Combo(Widget())->clear(); }

int PopupMenu::ListCount() const { return Combo(Widget())->count(); }

std::string PopupMenu::List(int row) const {
  if (row < 0 || row >= ListCount()) return "";
  return QtSupport::FromQ(Combo(Widget())->itemText(row));
}

int PopupMenu::ListIndex() const { return Combo(Widget())->currentIndex(); }

void PopupMenu::SetListIndex(int row) {
  if (row < -1 || row >= ListCount()) row = -1;
  Combo(Widget())->setCurrentIndex(row);
}

std::string PopupMenu::Text() const { return List(ListIndex()); }

}  // namespace fw

// Facts about Qt 6.4 that the framework layer is built on.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>

TEST(GuiQtFactsTest, SettersSignalSynchronouslyAndOnlyOnChange) {
  QLineEdit line;
  QSignalSpy textChanged(&line, &QLineEdit::textChanged);
  QSignalSpy textEdited(&line, &QLineEdit::textEdited);
  line.setText("a");
  line.setText("a");
  EXPECT_EQ(textChanged.count(), 1);
  EXPECT_EQ(textEdited.count(), 0);

  QComboBox combo;
  QSignalSpy indexChanged(&combo, &QComboBox::currentIndexChanged);
  combo.addItem("one");
  // Qt chooses the first row added to an empty combo box: the layer undoes that.
  EXPECT_EQ(combo.currentIndex(), 0);
  EXPECT_EQ(indexChanged.count(), 1);
  combo.addItem("two");
  combo.setCurrentIndex(1);
  combo.setCurrentIndex(1);
  EXPECT_EQ(indexChanged.count(), 2);

  QSlider slider;
  slider.setRange(1, 100);
  QSignalSpy valueChanged(&slider, &QSlider::valueChanged);
  slider.setValue(5);
  slider.setValue(5);
  slider.setValue(500);
  EXPECT_EQ(valueChanged.count(), 2);
  EXPECT_EQ(slider.value(), 100);

  QTabBar bar;
  bar.addTab("a");
  bar.addTab("b");
  QSignalSpy tabChanged(&bar, &QTabBar::currentChanged);
  bar.setCurrentIndex(1);
  bar.setCurrentIndex(1);
  EXPECT_EQ(tabChanged.count(), 1);
}

TEST(GuiQtFactsTest, RadioButtonSetCheckedNeverClicksAndIsSilentWhenAlreadyOn) {
  QRadioButton radio;
  QSignalSpy clicked(&radio, &QRadioButton::clicked);
  QSignalSpy toggled(&radio, &QRadioButton::toggled);
  radio.setChecked(true);
  radio.setChecked(true);
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_EQ(toggled.count(), 1);
}

TEST(GuiQtFactsTest, ControlChordsCarryControlCharactersAsText) {
  // Ctrl+C reads as "\x03", the same text as keypad Enter: keys are mapped by code.
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QString(QChar(3)));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier, "\r");
  EXPECT_EQ(copy.text(), QString(QChar(3)));
  EXPECT_EQ(enter.key(), Qt::Key_Enter);
  EXPECT_NE(copy.key(), enter.key());
}

#include "framework/StaticText.h"

#include <QColor>
#include <QLabel>
#include <QPalette>

#include "framework/QtSupport.h"

namespace fw {

namespace {

QString Displayed(const std::string& text) {
  QString q = QtSupport::ToQ(text);
  q.replace("\r\n", "\n");
  q.replace('\r', '\n');
  q.replace("&&", "&");
  return q;
}

}  // namespace

StaticText::StaticText(Window& window) : Control(window) {
  auto* label = new QLabel;
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  SetWidget(label);
}

void StaticText::SetText(const std::string& text) {
  text_ = text;
  static_cast<QLabel*>(Widget())->setText(Displayed(text));
  FitText();
}

void StaticText::SetTextColor(Color color) {
  textColor_ = color;
  QPalette palette = Widget()->palette();
  palette.setColor(QPalette::WindowText, QColor(color.r, color.g, color.b));
  Widget()->setPalette(palette);
}

void StaticText::FitText() {
  auto* label = static_cast<QLabel*>(Widget());
  if (!label) return;
  QRect area(Left(), Top(), Width(), Height());
  if (multiLine_) {
    const int needed = label->heightForWidth(Width());
    if (needed > Height()) area.setHeight(needed);
  } else {
    const int needed = label->sizeHint().width();
    if (needed > Width()) {
      const int extra = needed - Width();
      area.setWidth(needed);
      if (textAlign_ == 1) area.moveLeft(Left() - extra / 2);
      if (textAlign_ == 2) area.moveLeft(Left() - extra);
    }
  }
  label->setGeometry(area);
}

void StaticText::SetTextAlign(int align) {
  textAlign_ = align;
  SetMultiLine(multiLine_);
}

void StaticText::SetMultiLine(bool multiLine) {
  multiLine_ = multiLine;
  auto* label = static_cast<QLabel*>(Widget());
  label->setWordWrap(multiLine);
  Qt::Alignment horizontal = textAlign_ == 1 ? Qt::AlignHCenter : textAlign_ == 2 ? Qt::AlignRight : Qt::AlignLeft;
  label->setAlignment(horizontal | (multiLine ? Qt::AlignTop : Qt::AlignVCenter));
  FitText();
}

}  // namespace fw

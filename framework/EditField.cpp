#include "framework/EditField.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "framework/EventDispatch.h"
#include "framework/QtSupport.h"

namespace fw {

using QtSupport::CharsToUnits;
using QtSupport::FromQ;
using QtSupport::ToQ;
using QtSupport::UnitsToChars;

namespace {

QString Normalised(const std::string& text) {
  QString q = ToQ(text);
  q.replace("\r\n", "\n");
  q.replace('\r', '\n');
  return q;
}

Qt::Alignment AlignmentFor(int align) {
  switch (align) {
    case 1: return Qt::AlignHCenter | Qt::AlignVCenter;
    case 2: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

}  // namespace

EditField::EditField(Window& window) : Control(window) { BuildWidget(); }

EditField::~EditField() = default;

void EditField::BuildWidget() {
  const QString text = Widget() ? ToQ(Text()) : QString();
  if (multiLine_) {
    auto* edit = new QPlainTextEdit;
    edit->setPlainText(text);
    edit->setReadOnly(readOnly_);
    edit->setTabChangesFocus(!acceptTabs_);
    edit->setFrameShape(border_ ? QFrame::StyledPanel : QFrame::NoFrame);
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this] { TextEdited(); });
    SetWidget(edit);
  } else {
    auto* edit = new QLineEdit;
    edit->setText(QString(text).replace('\n', ' '));
    edit->setReadOnly(readOnly_);
    edit->setFrame(border_);
    edit->setAlignment(AlignmentFor(textAlign_));
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this] { TextEdited(); });
    SetWidget(edit);
  }
  lastText_ = Text();
}

void EditField::TextEdited() {
  std::string now = Text();
  if (now == lastText_) return;
  lastText_ = std::move(now);
  Raise(TextChange);
}

std::string EditField::Text() const {
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) return FromQ(line->text());
  if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget())) return FromQ(plain->toPlainText());
  return "";
}

void EditField::SetText(const std::string& text) {
  const QString q = Normalised(text);
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) {
    line->setText(q);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget())) {
    if (plain->toPlainText() != q) plain->setPlainText(q);
  }
}

int EditField::SelStart() const {
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) {
    const int units = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
    return UnitsToChars(line->text(), units);
  }
  if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget())) {
    return UnitsToChars(plain->toPlainText(), plain->textCursor().selectionStart());
  }
  return 0;
}

int EditField::SelLength() const {
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) {
    if (!line->hasSelectedText()) return 0;
    const QString text = line->text();
    const int start = line->selectionStart();
    return UnitsToChars(text, start + static_cast<int>(line->selectedText().size())) - UnitsToChars(text, start);
  }
  if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget())) {
    const QTextCursor cursor = plain->textCursor();
    const QString text = plain->toPlainText();
    return UnitsToChars(text, cursor.selectionEnd()) - UnitsToChars(text, cursor.selectionStart());
  }
  return 0;
}

void EditField::SetSelStart(int start) {
  if (start < 0) start = 0;
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) {
    line->setCursorPosition(CharsToUnits(line->text(), start));
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget())) {
    QTextCursor cursor = plain->textCursor();
    cursor.setPosition(CharsToUnits(plain->toPlainText(), start));
    plain->setTextCursor(cursor);
  }
}

void EditField::SetSelLength(int length) {
  if (length < 0) length = 0;
  const int start = SelStart();
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) {
    const QString text = line->text();
    const int from = CharsToUnits(text, start);
    line->setSelection(from, CharsToUnits(text, start + length) - from);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget())) {
    const QString text = plain->toPlainText();
    QTextCursor cursor = plain->textCursor();
    cursor.setPosition(CharsToUnits(text, start));
    cursor.setPosition(CharsToUnits(text, start + length), QTextCursor::KeepAnchor);
    plain->setTextCursor(cursor);
  }
}

std::string EditField::SelText() const {
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) return FromQ(line->selectedText());
  if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget())) {
    return FromQ(plain->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n'));
  }
  return "";
}

void EditField::SetSelText(const std::string& text) {
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) {
    // insert() refuses read-only fields; code may still set their text.
    const bool wasReadOnly = line->isReadOnly();
    line->setReadOnly(false);
    line->insert(Normalised(text).replace('\n', ' '));
    line->setReadOnly(wasReadOnly);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget())) {
    QTextCursor cursor = plain->textCursor();
    cursor.insertText(Normalised(text));
    plain->setTextCursor(cursor);
  }
}

void EditField::SelectAll() {
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) line->selectAll();
  else if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget())) plain->selectAll();
}

void EditField::SetMultiLine(bool multiLine) {
  if (multiLine_ == multiLine) return;
  multiLine_ = multiLine;
  BuildWidget();
}

void EditField::SetAcceptTabs(bool accept) {
  acceptTabs_ = accept;
  if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget())) plain->setTabChangesFocus(!accept);
}

void EditField::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) line->setReadOnly(readOnly);
  else if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget())) plain->setReadOnly(readOnly);
}

void EditField::SetBorder(bool border) {
  border_ = border;
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) line->setFrame(border);
  else if (auto* plain = qobject_cast<QPlainTextEdit*>(Widget()))
    plain->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
}

void EditField::SetTextAlign(int align) {
  textAlign_ = align;
  if (auto* line = qobject_cast<QLineEdit*>(Widget())) line->setAlignment(AlignmentFor(align));
}

}  // namespace fw

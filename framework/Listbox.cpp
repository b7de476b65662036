#include "framework/Listbox.h"

#include <QAbstractTableModel>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>
#include <vector>

#include "framework/EditField.h"
#include "framework/EventDispatch.h"
#include "framework/QtSupport.h"
#include "framework/Text.h"
#include "framework/Window.h"

namespace fw {

using QtSupport::FromQ;
using QtSupport::ToQ;

namespace {

struct Column {
  std::string heading;
  int type = Listbox::TypeDefault;
  int alignment = Listbox::AlignDefault;
  int offset = 0;
};

struct Row {
  std::vector<std::string> cells;
  std::vector<int> borders;
};

// Splits the list's inner width among the columns: "*" entries (and missing or
// unreadable ones) share what the pixel entries leave, the first ones taking
// the odd pixels.
std::vector<int> SplitWidths(const std::string& widthList, int columns, int total) {
  std::vector<int> widths(static_cast<std::size_t>(columns), -1);
  const int fields = widthList.empty() ? 0 : CountFields(widthList, ",");
  int fixed = 0;
  for (int c = 0; c < columns && c < fields; ++c) {
    const std::string field = LTrim(NthField(widthList, ",", c + 1));
    if (field.empty() || field.find_first_not_of("0123456789 ") != std::string::npos) continue;
    widths[static_cast<std::size_t>(c)] = static_cast<int>(std::min(Val(field), 100000.0));
    fixed += widths[static_cast<std::size_t>(c)];
  }
  const int shared = static_cast<int>(std::count(widths.begin(), widths.end(), -1));
  if (shared == 0) return widths;
  const int rest = std::max(0, total - fixed);
  int extra = rest % shared;
  for (int& w : widths) {
    if (w != -1) continue;
    w = rest / shared + (extra > 0 ? 1 : 0);
    if (extra > 0) --extra;
  }
  return widths;
}

}  // namespace

struct Listbox::Impl : public QObject {
  class Model;
  class View;
  class Delegate;

  explicit Impl(Listbox& owner) : owner(owner) {}

  bool eventFilter(QObject* watched, QEvent* event) override;
  void LayoutColumns();
  void PlaceEditor();
  void ShowEditor();
  void HideEditor();
  QLineEdit* Line() const { return qobject_cast<QLineEdit*>(editor->KeyTarget()); }
  bool Valid(int row, int column) const {
    return row >= 0 && row < static_cast<int>(rows.size()) && column >= 0 && column < static_cast<int>(columns.size());
  }
  std::string& Text(int row, int column) {
    return rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
  }

  Listbox& owner;
  std::vector<Column> columns = std::vector<Column>(1);
  std::vector<Row> rows;
  View* view = nullptr;
  Model* model = nullptr;
  std::unique_ptr<EditField> editor;
};

class Listbox::Impl::Model : public QAbstractTableModel {
 public:
  explicit Model(Impl& impl) : impl_(impl) {}
  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  using QAbstractTableModel::beginInsertRows;
  using QAbstractTableModel::beginResetModel;
  using QAbstractTableModel::endInsertRows;
  using QAbstractTableModel::endResetModel;

 private:
  Impl& impl_;
};

class Listbox::Impl::View : public QTableView {
 public:
  explicit View(Listbox& owner) : owner_(owner) {}

 protected:
  // The view itself never acts on keys: they come from the cell editor, and an
  // arrow the editor did not use must not move the selection.
  void keyPressEvent(QKeyEvent* event) override { event->ignore(); }
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
  void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
  void scrollContentsBy(int dx, int dy) override;

 private:
  Listbox& owner_;
};

class Listbox::Impl::Delegate : public QStyledItemDelegate {
 public:
  Delegate(Listbox& owner, QObject* parent) : QStyledItemDelegate(parent), owner_(owner) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  Listbox& owner_;
};

int Listbox::Impl::Model::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(impl_.rows.size());
}

int Listbox::Impl::Model::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(impl_.columns.size());
}

QVariant Listbox::Impl::Model::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !impl_.Valid(index.row(), index.column())) return {};
  return ToQ(impl_.Text(index.row(), index.column()));
}

QVariant Listbox::Impl::Model::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= static_cast<int>(impl_.columns.size())) return {};
  return ToQ(impl_.columns[static_cast<std::size_t>(section)].heading);
}

void Listbox::Impl::View::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid()) return;
  const QRect cell = visualRect(index);
  const int row = index.row();
  const int column = index.column();
  const int x = event->position().toPoint().x() - cell.left();
  const int y = event->position().toPoint().y() - cell.top();
  if (!RaiseResult(owner_.CellClick, false, row, column, x, y)) {
    owner_.SetListIndex(row);
    owner_.EditCell(row, column);
  }
}

void Listbox::Impl::View::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  owner_.impl_->PlaceEditor();
}

void Listbox::Impl::Delegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const Listbox::Impl& impl = *owner_.impl_;
  if (!impl.Valid(index.row(), index.column())) return;
  const Column& column = impl.columns[static_cast<std::size_t>(index.column())];
  const Row& row = impl.rows[static_cast<std::size_t>(index.row())];
  const QRect rect = option.rect;
  const bool selected = option.state & QStyle::State_Selected;
  painter->save();
  if (selected) painter->fillRect(rect, option.palette.highlight());

  Qt::Alignment align = Qt::AlignLeft;
  if (column.alignment == Listbox::AlignCenter) align = Qt::AlignHCenter;
  if (column.alignment == Listbox::AlignRight) align = Qt::AlignRight;
  painter->setClipRect(rect);
  painter->setFont(option.font);
  painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
  painter->drawText(rect.translated(column.offset, 0), static_cast<int>(align | Qt::AlignVCenter),
                    ToQ(row.cells[static_cast<std::size_t>(index.column())]));

  const auto line = [painter](int style, QPoint from, QPoint to) {
    switch (style) {
      case Listbox::BorderThinSolid:
        painter->setPen(QPen(Qt::gray, 1, Qt::SolidLine));
        break;
      case Listbox::BorderThinDotted:
        painter->setPen(QPen(Qt::gray, 1, Qt::DotLine));
        break;
      case Listbox::BorderThickSolid:
        painter->setPen(QPen(Qt::black, 1, Qt::SolidLine));
        painter->drawLine(from - QPoint(from.x() == to.x() ? 1 : 0, from.y() == to.y() ? 1 : 0),
                          to - QPoint(from.x() == to.x() ? 1 : 0, from.y() == to.y() ? 1 : 0));
        break;
      default:
        return;
    }
    painter->drawLine(from, to);
  };
  line(owner_.GridLinesHorizontal(), rect.bottomLeft(), rect.bottomRight());
  int border = row.borders[static_cast<std::size_t>(index.column())];
  if (border == Listbox::BorderDefault) border = owner_.GridLinesVertical();
  line(border, rect.topRight(), rect.bottomRight());
  painter->restore();
}

bool Listbox::Impl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view->viewport() && event->type() == QEvent::Resize) {
    LayoutColumns();
    PlaceEditor();
  } else if (editor && watched == editor->KeyTarget() && event->type() == QEvent::FocusOut) {
    // A menu, another window or the window's own dialog takes the focus for a
    // while: the edit goes on when it comes back.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
        reason != Qt::MenuBarFocusReason) {
      owner.Commit();
    }
  }
  return false;
}

void Listbox::Impl::LayoutColumns() {
  const std::vector<int> widths =
      SplitWidths(owner.columnWidths_, static_cast<int>(columns.size()), view->viewport()->width());
  for (std::size_t c = 0; c < widths.size(); ++c) view->horizontalHeader()->resizeSection(static_cast<int>(c), widths[c]);
}

void Listbox::Impl::PlaceEditor() {
  if (owner.editRow_ < 0 || !editor) return;
  editor->Widget()->setGeometry(view->visualRect(model->index(owner.editRow_, owner.editColumn_)));
}

void Listbox::Impl::ShowEditor() {
  const Column& column = columns[static_cast<std::size_t>(owner.editColumn_)];
  editor->SetTextAlign(column.alignment == AlignRight ? 2 : column.alignment == AlignCenter ? 1 : 0);
  editor->SetText(owner.Cell(owner.editRow_, owner.editColumn_));
  editor->SelectAll();
  view->scrollTo(model->index(owner.editRow_, owner.editColumn_));
  PlaceEditor();
  editor->Widget()->show();
  editor->Widget()->raise();
  // Through the control, so that the window's focus follows also while it is inactive.
  if (owner.IsShown() && owner.IsEnabled()) editor->SetFocus();
}

void Listbox::Impl::HideEditor() {
  QWidget* line = editor->KeyTarget();
  // Hiding the focused editor would pass the focus on to the next control.
  if (line->window()->focusWidget() == line) view->setFocus(Qt::OtherFocusReason);
  editor->Widget()->hide();
}

Listbox::Listbox(Window& window) : Control(window), impl_(std::make_unique<Impl>(*this)) {
  auto* view = new Impl::View(*this);
  impl_->view = view;
  impl_->model = new Impl::Model(*impl_);
  impl_->model->setParent(view);
  view->setModel(impl_->model);
  view->setItemDelegate(new Impl::Delegate(*this, view));
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setFocusPolicy(Qt::NoFocus);
  view->setTabKeyNavigation(false);
  view->setShowGrid(false);
  view->setWordWrap(false);
  view->setAutoScroll(false);
  view->setCornerButtonEnabled(false);
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  view->verticalHeader()->hide();
  view->verticalHeader()->setMinimumSectionSize(1);
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(rowHeight_);
  QHeaderView* header = view->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Fixed);
  header->setSectionsClickable(true);
  header->setSectionsMovable(false);
  header->setHighlightSections(false);
  header->setSortIndicatorShown(false);
  header->setStretchLastSection(false);
  header->setMinimumSectionSize(0);
  header->hide();
  QObject::connect(header, &QHeaderView::sectionPressed, impl_.get(),
                   [this](int column) { RaiseResult(HeaderPressed, false, column); });
  view->viewport()->installEventFilter(impl_.get());
  SetWidget(view);

  // Made after the list's widget, so that its keys and focus stay its own.
  impl_->editor = std::make_unique<EditField>(window);
  EditField& editor = *impl_->editor;
  editor.SetEnclosure(this);
  editor.Widget()->setParent(view->viewport());
  editor.Widget()->hide();
  // The window's focus can move without Qt's focus events (an inactive window):
  // leaving the editor for another control commits all the same.
  editor.LostFocus = [this] {
    const Control* now = ParentWindow().Focus();
    if (now != this && now != impl_->editor.get()) Commit();
  };
  editor.KeyDown = [this](const std::string& key) {
    return RaiseResult(CellKeyDown, false, editRow_, editColumn_, key);
  };
  QLineEdit* line = impl_->Line();
  line->installEventFilter(impl_.get());
  QObject::connect(line, &QLineEdit::textChanged, impl_.get(), [this](const QString& text) {
    if (impl_->Valid(editRow_, editColumn_)) {
      impl_->Text(editRow_, editColumn_) = FromQ(text);
    }
  });
  // textEdited comes before textChanged: the cell takes the text first, so that
  // the handler reads it.
  QObject::connect(line, &QLineEdit::textEdited, impl_.get(), [this](const QString& text) {
    if (!impl_->Valid(editRow_, editColumn_)) return;
    impl_->Text(editRow_, editColumn_) = FromQ(text);
    Raise(CellTextChange, editRow_, editColumn_);
  });
  FontChanged();
}

Listbox::~Listbox() {
  // The editor's widget lives inside the list's: take it down first, quietly.
  editRow_ = -1;
  editColumn_ = -1;
  impl_->editor.reset();
}

int Listbox::ColumnCount() const { return static_cast<int>(impl_->columns.size()); }

void Listbox::SetColumnCount(int count) {
  count = std::max(1, count);
  if (count == ColumnCount()) return;
  if (editColumn_ >= count) Commit();
  impl_->model->beginResetModel();
  impl_->columns.resize(static_cast<std::size_t>(count));
  for (Row& row : impl_->rows) {
    row.cells.resize(static_cast<std::size_t>(count));
    row.borders.resize(static_cast<std::size_t>(count), BorderDefault);
  }
  impl_->model->endResetModel();
  impl_->LayoutColumns();
  impl_->PlaceEditor();
}

int Listbox::RowCount() const { return static_cast<int>(impl_->rows.size()); }

void Listbox::AddRow(const std::string& text) {
  const int row = RowCount();
  impl_->model->beginInsertRows(QModelIndex(), row, row);
  Row added;
  added.cells.resize(impl_->columns.size());
  added.borders.resize(impl_->columns.size(), BorderDefault);
  added.cells[0] = text;
  impl_->rows.push_back(std::move(added));
  impl_->model->endInsertRows();
}

int Listbox::LastIndex() const { return RowCount() - 1; }

void Listbox::DeleteAllRows() {
  Commit();
  impl_->model->beginResetModel();
  impl_->rows.clear();
  impl_->model->endResetModel();
}

std::string Listbox::Cell(int row, int column) const {
  if (!impl_->Valid(row, column)) return "";
  return impl_->Text(row, column);
}

void Listbox::SetCell(int row, int column, const std::string& text) {
  if (!impl_->Valid(row, column)) return;
  impl_->Text(row, column) = text;
  if (row == editRow_ && column == editColumn_ && impl_->editor->Text() != text) impl_->editor->SetText(text);
  const QModelIndex index = impl_->model->index(row, column);
  emit impl_->model->dataChanged(index, index);
}

void Listbox::SetHasHeading(bool hasHeading) {
  hasHeading_ = hasHeading;
  impl_->view->horizontalHeader()->setVisible(hasHeading);
}

std::string Listbox::Heading(int column) const {
  if (column < 0 || column >= ColumnCount()) return "";
  return impl_->columns[static_cast<std::size_t>(column)].heading;
}

void Listbox::SetHeading(int column, const std::string& text) {
  if (column < 0 || column >= ColumnCount()) return;
  impl_->columns[static_cast<std::size_t>(column)].heading = text;
  emit impl_->model->headerDataChanged(Qt::Horizontal, column, column);
}

void Listbox::SetColumnWidths(const std::string& widths) {
  columnWidths_ = widths;
  impl_->LayoutColumns();
  impl_->PlaceEditor();
}

int Listbox::ColumnWidth(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return impl_->view->horizontalHeader()->sectionSize(column);
}

void Listbox::SetDefaultRowHeight(int pixels) {
  rowHeight_ = std::max(1, pixels);
  impl_->view->verticalHeader()->setDefaultSectionSize(rowHeight_);
  impl_->PlaceEditor();
}

int Listbox::ColumnType(int column) const {
  if (column < 0 || column >= ColumnCount()) return TypeDefault;
  return impl_->columns[static_cast<std::size_t>(column)].type;
}

void Listbox::SetColumnType(int column, int type) {
  if (column < 0 || column >= ColumnCount()) return;
  impl_->columns[static_cast<std::size_t>(column)].type = type;
  if (column == editColumn_ && type != TypeEditable) Commit();
}

int Listbox::ColumnAlignment(int column) const {
  if (column < 0 || column >= ColumnCount()) return AlignDefault;
  return impl_->columns[static_cast<std::size_t>(column)].alignment;
}

void Listbox::SetColumnAlignment(int column, int alignment) {
  if (column < 0 || column >= ColumnCount()) return;
  impl_->columns[static_cast<std::size_t>(column)].alignment = alignment;
  impl_->view->viewport()->update();
}

int Listbox::ColumnAlignmentOffset(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return impl_->columns[static_cast<std::size_t>(column)].offset;
}

void Listbox::SetColumnAlignmentOffset(int column, int offset) {
  if (column < 0 || column >= ColumnCount()) return;
  impl_->columns[static_cast<std::size_t>(column)].offset = offset;
  impl_->view->viewport()->update();
}

int Listbox::CellBorderRight(int row, int column) const {
  if (!impl_->Valid(row, column)) return BorderDefault;
  return impl_->rows[static_cast<std::size_t>(row)].borders[static_cast<std::size_t>(column)];
}

void Listbox::SetCellBorderRight(int row, int column, int style) {
  if (!impl_->Valid(row, column)) return;
  impl_->rows[static_cast<std::size_t>(row)].borders[static_cast<std::size_t>(column)] = style;
  impl_->view->viewport()->update();
}

void Listbox::SetGridLinesHorizontal(int style) {
  gridHorizontal_ = style;
  impl_->view->viewport()->update();
}

void Listbox::SetGridLinesVertical(int style) {
  gridVertical_ = style;
  impl_->view->viewport()->update();
}

int Listbox::ListIndex() const {
  const QModelIndexList selected = impl_->view->selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void Listbox::SetListIndex(int row) {
  QItemSelectionModel* selection = impl_->view->selectionModel();
  if (row < 0 || row >= RowCount()) {
    selection->clearSelection();
    return;
  }
  selection->select(impl_->model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool Listbox::Selected(int row) const {
  if (row < 0 || row >= RowCount()) return false;
  return impl_->view->selectionModel()->isRowSelected(row, QModelIndex());
}

void Listbox::SetSelected(int row, bool selected) {
  if (row < 0 || row >= RowCount()) return;
  if (selected) {
    SetListIndex(row);
  } else {
    impl_->view->selectionModel()->select(impl_->model->index(row, 0),
                                         QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
  }
}

int Listbox::ScrollPosition() const { return impl_->view->verticalScrollBar()->value(); }

void Listbox::SetScrollPosition(int row) { impl_->view->verticalScrollBar()->setValue(row); }

void Listbox::EditCell(int row, int column) {
  if (!impl_->Valid(row, column)) return;
  Commit();
  // A handler of the commit may have emptied the table or opened a cell itself.
  if (editRow_ >= 0 || !impl_->Valid(row, column) || ColumnType(column) != TypeEditable) return;
  editRow_ = row;
  editColumn_ = column;
  impl_->ShowEditor();
  Raise(CellGotFocus, row, column);
}

EditField* Listbox::ActiveCell() const { return editRow_ >= 0 ? impl_->editor.get() : nullptr; }

void Listbox::Commit() {
  if (editRow_ < 0) return;
  const int row = editRow_;
  const int column = editColumn_;
  editRow_ = -1;
  editColumn_ = -1;
  impl_->HideEditor();
  const QModelIndex index = impl_->model->index(row, column);
  emit impl_->model->dataChanged(index, index);
  Raise(CellAction, row, column);
  Raise(CellLostFocus, row, column);
}

QWidget* Listbox::KeyTarget() const {
  if (editRow_ >= 0 && impl_->editor) return impl_->editor->KeyTarget();
  return Widget();
}

void Listbox::CellCentre(int row, int column, int* x, int* y) {
  const QModelIndex index = impl_->model->index(row, column);
  impl_->view->scrollTo(index);
  const QRect cell = impl_->view->visualRect(index);
  const QPoint centre = impl_->view->viewport()->mapTo(impl_->view, cell.center());
  *x = centre.x();
  *y = centre.y();
}

void Listbox::HeadingCentre(int column, int* x, int* y) const {
  QHeaderView* header = impl_->view->horizontalHeader();
  const QPoint local(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
  const QPoint centre = header->mapTo(impl_->view, local);
  *x = centre.x();
  *y = centre.y();
}

void Listbox::FontChanged() {
  if (!impl_->editor) return;
  impl_->editor->SetTextFont(TextFont());
  impl_->editor->SetTextSize(TextSize());
  impl_->editor->SetBold(Bold());
  impl_->editor->SetItalic(Italic());
}

void Listbox::ShownChanged(bool shown) {
  if (!shown) {
    Commit();
  } else if (editRow_ >= 0 && IsEnabled()) {
    // A cell opened while the list was hidden takes the focus when it shows.
    impl_->editor->SetFocus();
  }
}

}  // namespace fw

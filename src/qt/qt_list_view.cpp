#include "qt/qt_list_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <algorithm>

#include "qt/qt_text.h"

namespace trel {
namespace {

const QColor kSelectedBackground(49, 106, 197);
const QColor kSelectedText(Qt::white);
const QColor kBackground(Qt::white);

}  // namespace

QtListView::QtListView(QWidget* parent) : QTableView(parent), model_(new QStandardItemModel(this)) {
  setModel(model_);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setTabKeyNavigation(false);
  setShowGrid(true);
  setWordWrap(false);
  // Clicks outside every cell must not take the focus, so the list takes it itself on a cell hit.
  setFocusPolicy(Qt::TabFocus);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setMinimumSectionSize(1);
  // A double click on a divider never resizes a column.
  disconnect(horizontalHeader(), SIGNAL(sectionHandleDoubleClicked(int)), this,
             SLOT(resizeColumnToContents(int)));
  applyRowColours();
  connect(model_, &QStandardItemModel::dataChanged, this, &QtListView::onCheckStateChanged);
  connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
          &QtListView::takeFocusBeforeScrolling);
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
          &QtListView::takeFocusBeforeScrolling);
}

QtListView::~QtListView() {
  // The editors die with the list and must not report into a half-destroyed one.
  for (QWidget* editor : {static_cast<QWidget*>(edit_.data()), static_cast<QWidget*>(combo_)}) {
    if (editor != nullptr) {
      editor->disconnect(this);
      delete editor;
    }
  }
}

void QtListView::applyRowColours() {
  const QColor textColour = QApplication::palette().color(QPalette::WindowText);
  QPalette colours = palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    colours.setColor(group, QPalette::Base, kBackground);
    colours.setColor(group, QPalette::Text, textColour);
    colours.setColor(group, QPalette::Highlight, kSelectedBackground);
    colours.setColor(group, QPalette::HighlightedText, kSelectedText);
  }
  setPalette(colours);
}

void QtListView::addColumn(std::u16string_view heading, int numerator, int denominator) {
  const int column = model_->columnCount();
  model_->setColumnCount(column + 1);
  model_->setHeaderData(column, Qt::Horizontal, ToQString(heading));
  setColumnWidth(column, width() * numerator / denominator);
}

int QtListView::columnCount() const {
  return model_->columnCount();
}

QWidget* QtListView::activeEditor() const {
  if (edit_ != nullptr && edit_->isVisible()) {
    return edit_;
  }
  if (combo_ != nullptr && combo_->isVisible()) {
    return combo_;
  }
  return nullptr;
}

QRect QtListView::cellRect(int row, int column) {
  const int x = columnViewportPosition(column);
  const int width = QTableView::columnWidth(column);
  const int right = viewport()->width();
  int amount = 0;
  if (x >= 0 && x <= right) {
    if (x + width > right) {
      amount = x + width - right;  // bring the cell's right edge into view
    }
  } else {
    amount = x;  // the cell's left edge goes to the view's left edge
  }
  if (amount != 0) {
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + amount);
  }
  return visualRect(model_->index(row, column));
}

void QtListView::openEditBox(int row, int column, std::u16string_view text,
                             std::u16string_view allowedChars, int textLimit) {
  endOpenEdit();
  const QRect cell = cellRect(row, column);
  edit_ = new QtInPlaceEdit(
      this, viewport(), InPlaceEditState{row, column, false}, ToQString(text),
      ToQString(allowedChars), textLimit,
      [this, row, column](std::u16string_view before, std::u16string_view after) {
        return events_ != nullptr ? events_->onEditorInput(row, column, before, after)
                                  : std::nullopt;
      });
  connect(edit_, &QtInPlaceEdit::editFinished, this,
          [this](const EditorResult& result) { onEditFinished(result); });
  edit_->setGeometry(cell);
  edit_->show();
  edit_->setFocus(Qt::OtherFocusReason);
}

bool QtListView::openDropDown(int row, int column, const std::vector<std::u16string>& choices,
                              std::u16string_view text) {
  endOpenEdit();
  scrollTo(model_->index(row, 0), QAbstractItemView::EnsureVisible);
  QRect cell = cellRect(row, column);
  const int rowsForDropDown = choices.size() < 10 ? static_cast<int>(choices.size()) + 10 : 11;
  cell.setBottom(cell.bottom() + cell.height() * rowsForDropDown);
  combo_ = new QtInPlaceCombo(this, viewport(), InPlaceEditState{row, column, false},
                              ToQStringList(choices));
  connect(combo_, &QtInPlaceCombo::editFinished, this,
          [this](const EditorResult& result) { onEditFinished(result); });
  // The combo keeps its own height; the extended rectangle bounds its drop-down.
  combo_->setGeometry(cell.x(), cell.y(), cell.width(), visualRect(model_->index(row, 0)).height());
  combo_->setMaxVisibleItems(std::max(1, rowsForDropDown));
  combo_->show();
  combo_->setFocus(Qt::OtherFocusReason);
  combo_->setCurrentIndex(combo_->findText(ToQString(text), Qt::MatchStartsWith));
  return true;
}

void QtListView::endOpenEdit() {
  QWidget* editor = activeEditor();
  if (editor == nullptr) {
    return;
  }
  if (editor->hasFocus()) {
    setFocus(Qt::OtherFocusReason);  // the editor's focus loss commits it
  }
  if (edit_ != nullptr) {
    edit_->finish();
  }
  if (combo_ != nullptr) {
    combo_->finish();
  }
}

void QtListView::takeFocusBeforeScrolling() {
  if (!hasFocus()) {
    setFocus(Qt::OtherFocusReason);
  }
}

void QtListView::onEditFinished(const EditorResult& result) {
  if (events_ != nullptr) {
    events_->onEditEnded(result.row, result.column, result.text.toStdU16String(), result.cancelled);
  }
}

// A check box toggles through here, by the mouse and by the Space key.
bool QtListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  return (events_ == nullptr || events_->mayToggleCheck()) &&
         QTableView::edit(index, trigger, event);
}

void QtListView::onCheckStateChanged(const QModelIndex& topLeft, const QModelIndex&,
                                     const QList<int>& roles) {
  if (topLeft.column() == 0 && roles.contains(Qt::CheckStateRole) && events_ != nullptr) {
    events_->onCheckToggled(topLeft.row());
  }
}

void QtListView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QTableView::mousePressEvent(event);
    return;
  }
  // indexAt() finds no cell below the last row or right of the last column.
  const QModelIndex hit = indexAt(event->position().toPoint());
  if (!hit.isValid()) {
    event->accept();  // outside every cell: no selection or focus change
    return;
  }
  setFocus(Qt::MouseFocusReason);  // ends an edit in progress before the click goes on
  QTableView::mousePressEvent(event);
  if (events_ != nullptr) {
    events_->onCellClicked(hit.row(), hit.column(),
                           (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0,
                           currentIndex().row() == hit.row());
  }
}

void QtListView::wheelEvent(QWheelEvent* event) {
  takeFocusBeforeScrolling();
  QTableView::wheelEvent(event);
}

void QtListView::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  reportSelectedRowPainted(event->region());
}

void QtListView::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  // Only a move of the rows counts; while every row fits there is no end to keep.
  const QScrollBar* rows = verticalScrollBar();
  if (dy != 0 && rows->maximum() > 0) {
    showsEnd_ = rows->value() == rows->maximum();
  }
  alignToWholeRows();
}

// A view that showed the end of the list still shows it, whole, when its height changes: the
// window's horizontal scroll bar comes and goes as it is maximised and restored.
void QtListView::updateGeometries() {
  QTableView::updateGeometries();
  if (showsEnd_) {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  }
  alignToWholeRows();
}

// The view scrolls by whole rows, as a list in report view does: the top row is never half hidden
// under the header, also at the end of the list, where the space below the last row stays empty.
void QtListView::alignToWholeRows() {
  QHeaderView* rows = verticalHeader();
  const int before = rows->offset();
  rows->setOffsetToSectionPosition(verticalScrollBar()->value());
  if (rows->offset() != before) {
    viewport()->update();
  }
}

void QtListView::reportSelectedRowPainted(const QRegion& painted) {
  if (selectionModel() == nullptr || events_ == nullptr) {
    return;
  }
  for (const QModelIndex& selected : selectionModel()->selectedRows()) {
    const int row = selected.row();
    const QRect band(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
    if (isRowHidden(row) || !painted.intersects(band)) {
      continue;  // a selected row out of view is not painted and changes nothing
    }
    events_->onSelectedRowPainted(row);
  }
}

bool QtListView::holds(int row, int column) const {
  return row >= 0 && row < model_->rowCount() && column >= 0 && column < model_->columnCount();
}

QString QtListView::itemText(int row, int column) const {
  return holds(row, column) ? model_->index(row, column).data(Qt::DisplayRole).toString()
                            : QString();
}

void QtListView::setItemText(int row, int column, const QString& text) {
  if (holds(row, column)) {
    model_->setData(model_->index(row, column), text, Qt::DisplayRole);
  }
}

void QtListView::removeRow(int row) {
  if (!holds(row, 0)) {
    return;
  }
  model_->removeRow(row);
  // The view selects the row that moves into the deleted row's place; after the last row it would
  // select the row before, which would then count as current without the operator choosing it.
  if (row == model_->rowCount()) {
    selectionModel()->clearSelection();
  }
}

void QtListView::clearSelection() {
  selectionModel()->clear();
}

void QtListView::scrollToRow(int row) {
  scrollTo(model_->index(row, 0));
}

int QtListView::rowCount() const {
  return model_->rowCount();
}

// A new list is shown from its top.
void QtListView::removeAllRows() {
  model_->removeRows(0, model_->rowCount());
  showsEnd_ = false;
}

int QtListView::appendRow() {
  QList<QStandardItem*> items;
  for (int column = 0; column < model_->columnCount(); ++column) {
    auto* item = new QStandardItem;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (column == 0 && checkBoxes_) {
      flags |= Qt::ItemIsUserCheckable;
      item->setCheckState(Qt::Unchecked);
    }
    item->setFlags(flags);
    items.append(item);
  }
  model_->appendRow(items);
  const int row = model_->rowCount() - 1;
  selectRowQuietly(row);
  return row;
}

// The row becomes the selected and focused one without scrolling the view to it: a load leaves the
// view at its top, and the selected row counts as current only once it is shown.
void QtListView::selectRowQuietly(int row) {
  const bool scrolls = hasAutoScroll();
  setAutoScroll(false);
  selectionModel()->setCurrentIndex(
      model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  setAutoScroll(scrolls);
}

std::u16string QtListView::cellText(int row, int column) const {
  return itemText(row, column).toStdU16String();
}

void QtListView::setCellText(int row, int column, std::u16string_view text) {
  setItemText(row, column, ToQString(text));
}

bool QtListView::isChecked(int row) const {
  return holds(row, 0) && model_->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

void QtListView::setChecked(int row, bool checked) {
  if (holds(row, 0) && checkBoxes_) {
    model_->setData(model_->index(row, 0), checked ? Qt::Checked : Qt::Unchecked,
                    Qt::CheckStateRole);
  }
}

void QtListView::beginBulkUpdate() {
  setUpdatesEnabled(false);
}

void QtListView::endBulkUpdate() {
  setUpdatesEnabled(true);
  viewport()->update();
}

}  // namespace trel

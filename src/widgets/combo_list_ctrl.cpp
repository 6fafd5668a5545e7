#include "widgets/combo_list_ctrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <algorithm>

namespace trel {
namespace {

const QColor kSelectedBackground(49, 106, 197);
const QColor kSelectedText(Qt::white);
const QColor kBackground(Qt::white);
constexpr int kNarrowestComboColumn = 10;

void AppendUnique(std::vector<int>& columns, int column) {
  if (std::find(columns.begin(), columns.end(), column) == columns.end()) {
    columns.push_back(column);
  }
}

bool Contains(const std::vector<int>& columns, int column) {
  return std::find(columns.begin(), columns.end(), column) != columns.end();
}

}  // namespace

CComboListCtrl::CComboListCtrl(int controlId, QWidget* parent)
    : QTableView(parent), controlId_(controlId), model_(new QStandardItemModel(this)) {
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
  connect(model_, &QStandardItemModel::dataChanged, this, &CComboListCtrl::onCheckStateChanged);
  connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
          &CComboListCtrl::takeFocusBeforeScrolling);
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
          &CComboListCtrl::takeFocusBeforeScrolling);
}

CComboListCtrl::~CComboListCtrl() {
  // The editors die with the list and must not report into a half-destroyed one.
  for (QWidget* editor : {static_cast<QWidget*>(edit_.data()), static_cast<QWidget*>(combo_)}) {
    if (editor != nullptr) {
      editor->disconnect(this);
      delete editor;
    }
  }
}

void CComboListCtrl::applyRowColours() {
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

void CComboListCtrl::addColumn(const QString& heading, int numerator, int denominator) {
  const int column = model_->columnCount();
  model_->setColumnCount(column + 1);
  model_->setHeaderData(column, Qt::Horizontal, heading);
  setColumnWidth(column, width() * numerator / denominator);
}

void CComboListCtrl::AddComboColumn(int column) {
  AppendUnique(comboColumns_, column);
}

void CComboListCtrl::AddReadOnlyColumn(int column) {
  AppendUnique(readOnlyColumns_, column);
}

bool CComboListCtrl::isComboColumn(int column) const {
  return Contains(comboColumns_, column);
}

bool CComboListCtrl::isReadOnlyColumn(int column) const {
  return Contains(readOnlyColumns_, column);
}

void CComboListCtrl::setAllowColumnResize(bool allow) {
  allowColumnResize_ = allow;
  horizontalHeader()->setSectionResizeMode(allow ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void CComboListCtrl::setAllowedChars(int column, const QString& characters) {
  if (column >= 0 && column < kMaxColumns) {
    allowedChars_[static_cast<std::size_t>(column)] = characters;
  }
}

QWidget* CComboListCtrl::activeEditor() const {
  if (edit_ != nullptr && edit_->isVisible()) {
    return edit_;
  }
  if (combo_ != nullptr && combo_->isVisible()) {
    return combo_;
  }
  return nullptr;
}

QModelIndex CComboListCtrl::HitTestCell(const QPoint& point) const {
  // indexAt() finds no cell below the last row or right of the last column.
  return indexAt(point);
}

QRect CComboListCtrl::GetCellRect(int row, int column) {
  const int x = columnViewportPosition(column);
  const int width = columnWidth(column);
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

CInPlaceEdit* CComboListCtrl::ShowInPlaceEdit(int row, int column, const QString& text) {
  endOpenEdit();
  const QRect cell = GetCellRect(row, column);
  const QString allowed =
      column < kMaxColumns ? allowedChars_[static_cast<std::size_t>(column)] : QString();
  const bool hexOnly = hexOnly_ && hexOnly_(row, column);
  edit_ = new CInPlaceEdit(this, viewport(), InPlaceEditState{row, column, false, text}, allowed,
                           textLimit_, hexOnly);
  connect(edit_, &CInPlaceEdit::editFinished, this, &CComboListCtrl::onEditFinished);
  connect(edit_, &CInPlaceEdit::inputRefused, this, &CComboListCtrl::inputRefused);
  edit_->setGeometry(cell);
  edit_->show();
  edit_->setFocus(Qt::OtherFocusReason);
  return edit_;
}

CInPlaceCombo* CComboListCtrl::ShowInPlaceCombo(int row, int column, const QStringList& choices,
                                                const QString& text) {
  if (!holds(row, 0) || column >= model_->columnCount() ||
      columnWidth(column) < kNarrowestComboColumn) {
    return nullptr;
  }
  endOpenEdit();
  scrollTo(model_->index(row, 0), QAbstractItemView::EnsureVisible);
  QRect cell = GetCellRect(row, column);
  const int rowsForDropDown = choices.size() < 10 ? static_cast<int>(choices.size()) + 10 : 11;
  cell.setBottom(cell.bottom() + cell.height() * rowsForDropDown);
  combo_ = new CInPlaceCombo(this, viewport(), InPlaceEditState{row, column, false, text}, choices);
  connect(combo_, &CInPlaceCombo::editFinished, this, &CComboListCtrl::onEditFinished);
  // The combo keeps its own height; the extended rectangle bounds its drop-down.
  combo_->setGeometry(cell.x(), cell.y(), cell.width(), visualRect(model_->index(row, 0)).height());
  combo_->setMaxVisibleItems(std::max(1, rowsForDropDown));
  combo_->show();
  combo_->setFocus(Qt::OtherFocusReason);
  return combo_;
}

void CComboListCtrl::endOpenEdit() {
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

void CComboListCtrl::setReadOnly(bool readOnly) {
  if (readOnly) {
    endOpenEdit();
  }
  readOnly_ = readOnly;
}

// A check box toggles through here, by the mouse and by the Space key.
bool CComboListCtrl::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  return !readOnly_ && QTableView::edit(index, trigger, event);
}

void CComboListCtrl::forgetCurrentRow() {
  selectionModel()->clear();
  currentRow_ = -1;
}

void CComboListCtrl::takeFocusBeforeScrolling() {
  if (!hasFocus()) {
    setFocus(Qt::OtherFocusReason);
  }
}

void CComboListCtrl::onEditFinished(const CellEdit& edit) {
  setItemText(edit.row, edit.column, edit.text);
  if (owner_ != nullptr) {
    owner_->onListEdited(controlId_, &edit);
  }
}

void CComboListCtrl::onCheckStateChanged(const QModelIndex& topLeft, const QModelIndex&,
                                         const QList<int>& roles) {
  if (topLeft.column() == 0 && roles.contains(Qt::CheckStateRole) && notifyCheckToggle_ &&
      owner_ != nullptr) {
    owner_->onListEdited(controlId_, nullptr);
  }
}

void CComboListCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QTableView::mousePressEvent(event);
    return;
  }
  const QModelIndex hit = HitTestCell(event->position().toPoint());
  if (!hit.isValid()) {
    event->accept();  // outside every cell: no selection or focus change
    return;
  }
  setFocus(Qt::MouseFocusReason);  // ends an edit in progress before the click goes on
  QTableView::mousePressEvent(event);
  if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) {
    return;
  }
  if (currentIndex().row() == hit.row()) {
    openEditorAt(hit);
  }
}

void CComboListCtrl::openEditorAt(const QModelIndex& cell) {
  if (readOnly_) {
    return;
  }
  const QString text = itemText(cell.row(), cell.column());
  if (isComboColumn(cell.column())) {
    QStringList choices;
    if (owner_ != nullptr) {
      owner_->onGetChoices(cell.column(), choices);
    }
    if (CInPlaceCombo* combo = ShowInPlaceCombo(cell.row(), cell.column(), choices, text)) {
      combo->setCurrentIndex(combo->findText(text, Qt::MatchStartsWith));
    }
  } else if (!isReadOnlyColumn(cell.column())) {
    ShowInPlaceEdit(cell.row(), cell.column(), text);
  }
}

void CComboListCtrl::wheelEvent(QWheelEvent* event) {
  takeFocusBeforeScrolling();
  QTableView::wheelEvent(event);
}

void CComboListCtrl::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  reportSelectedRowPainted(event->region());
}

void CComboListCtrl::scrollContentsBy(int dx, int dy) {
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
void CComboListCtrl::updateGeometries() {
  QTableView::updateGeometries();
  if (showsEnd_) {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  }
  alignToWholeRows();
}

// The view scrolls by whole rows, as a list in report view does: the top row is never half hidden
// under the header, also at the end of the list, where the space below the last row stays empty.
void CComboListCtrl::alignToWholeRows() {
  QHeaderView* rows = verticalHeader();
  const int before = rows->offset();
  rows->setOffsetToSectionPosition(verticalScrollBar()->value());
  if (rows->offset() != before) {
    viewport()->update();
  }
}

void CComboListCtrl::reportSelectedRowPainted(const QRegion& painted) {
  if (selectionModel() == nullptr) {
    return;
  }
  for (const QModelIndex& selected : selectionModel()->selectedRows()) {
    const int row = selected.row();
    const QRect band(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
    if (isRowHidden(row) || !painted.intersects(band)) {
      continue;  // a selected row out of view is not painted and changes nothing
    }
    if (row != currentRow_ && owner_ != nullptr) {
      owner_->onRowSelected(controlId_, row);
    }
    currentRow_ = row;
  }
}

bool CComboListCtrl::holds(int row, int column) const {
  return row >= 0 && row < model_->rowCount() && column >= 0 && column < model_->columnCount();
}

QString CComboListCtrl::itemText(int row, int column) const {
  return holds(row, column) ? model_->index(row, column).data(Qt::DisplayRole).toString()
                            : QString();
}

void CComboListCtrl::setItemText(int row, int column, const QString& text) {
  if (holds(row, column)) {
    model_->setData(model_->index(row, column), text, Qt::DisplayRole);
  }
}

void CComboListCtrl::removeRow(int row) {
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

int CComboListCtrl::rowCount() const {
  return model_->rowCount();
}

void CComboListCtrl::removeAllRows() {
  model_->removeRows(0, model_->rowCount());
  // The rows that come next are another list: no row of it is current until one is shown selected,
  // and it is shown from its top.
  currentRow_ = -1;
  showsEnd_ = false;
}

int CComboListCtrl::appendRow() {
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
void CComboListCtrl::selectRowQuietly(int row) {
  const bool scrolls = hasAutoScroll();
  setAutoScroll(false);
  selectionModel()->setCurrentIndex(
      model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  setAutoScroll(scrolls);
}

std::u16string CComboListCtrl::cellText(int row, int column) const {
  return itemText(row, column).toStdU16String();
}

void CComboListCtrl::setCellText(int row, int column, std::u16string_view text) {
  setItemText(row, column, QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

bool CComboListCtrl::isChecked(int row) const {
  return holds(row, 0) && model_->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

void CComboListCtrl::setChecked(int row, bool checked) {
  if (holds(row, 0) && checkBoxes_) {
    model_->setData(model_->index(row, 0), checked ? Qt::Checked : Qt::Unchecked,
                    Qt::CheckStateRole);
  }
}

void CComboListCtrl::beginBulkUpdate() {
  setUpdatesEnabled(false);
}

void CComboListCtrl::endBulkUpdate() {
  setUpdatesEnabled(true);
  viewport()->update();
}

}  // namespace trel

#pragma once

#include <QPointer>
#include <QString>
#include <QTableView>

#include "app/list_view.h"
#include "qt/in_place_combo.h"
#include "qt/in_place_edit.h"

class QStandardItemModel;

namespace trel {

// The Qt list control of a CComboListCtrl: a table in report view with a check box in each row's
// first cell, selected rows white on blue, whole-row scrolling, and the in-place editors it opens
// over a cell when the list's rules ask for one. It reports clicks, edits, check-box toggles and
// the painting of the selected row to the rules.
class QtListView : public QTableView, public ListView {
  Q_OBJECT

 public:
  explicit QtListView(QWidget* parent = nullptr);
  ~QtListView() override;

  // The editor open now, if any.
  QWidget* activeEditor() const;
  QString itemText(int row, int column) const;
  void setItemText(int row, int column, const QString& text);

  // ListView
  void setEvents(ListViewEvents* events) override { events_ = events; }
  void setCheckBoxes(bool enabled) override { checkBoxes_ = enabled; }
  void addColumn(std::u16string_view heading, int numerator, int denominator) override;
  int columnCount() const override;
  int columnWidth(int column) const override { return QTableView::columnWidth(column); }
  void removeRow(int row) override;
  void clearSelection() override;
  void scrollToRow(int row) override;
  void openEditBox(int row, int column, std::u16string_view text, std::u16string_view allowedChars,
                   int textLimit) override;
  bool openDropDown(int row, int column, const std::vector<std::u16string>& choices,
                    std::u16string_view text) override;
  void endOpenEdit() override;
  bool editorOpen() const override { return activeEditor() != nullptr; }

  // ParamTable
  int rowCount() const override;
  void removeAllRows() override;
  int appendRow() override;
  std::u16string cellText(int row, int column) const override;
  void setCellText(int row, int column, std::u16string_view text) override;
  bool isChecked(int row) const override;
  void setChecked(int row, bool checked) override;
  void beginBulkUpdate() override;
  void endBulkUpdate() override;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void updateGeometries() override;

 private:
  void applyRowColours();
  void selectRowQuietly(int row);
  void alignToWholeRows();
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  // Scrolls horizontally so the cell comes into view; returns the cell's place in the viewport.
  QRect cellRect(int row, int column);
  void takeFocusBeforeScrolling();
  void onEditFinished(const EditorResult& result);
  void onCheckStateChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                           const QList<int>& roles);
  void reportSelectedRowPainted(const QRegion& painted);
  bool holds(int row, int column) const;

  ListViewEvents* events_ = nullptr;
  QStandardItemModel* model_;
  bool checkBoxes_ = false;
  bool showsEnd_ = false;  // the view was last scrolled to its end
  QPointer<QtInPlaceEdit> edit_;
  QPointer<QtInPlaceCombo> combo_;
};

}  // namespace trel

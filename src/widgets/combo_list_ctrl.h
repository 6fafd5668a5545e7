#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTableView>
#include <array>
#include <functional>
#include <vector>

#include "platform/param_table.h"
#include "platform/private_profile.h"
#include "widgets/in_place_combo.h"
#include "widgets/in_place_edit.h"
#include "widgets/list_owner.h"

class QStandardItemModel;

namespace trel {

// A table whose cells are edited in place: a single click on a cell of an editable column opens an
// editor over exactly that cell; when the editor closes, the text goes into the cell and the owner
// is told. Selected rows are painted white on blue, and the owner learns which row is current as it
// is painted. The cell texts and check boxes are the data: owners read them back from the control.
class CComboListCtrl : public QTableView, public ParamTable {
  Q_OBJECT

 public:
  static constexpr int kMaxColumns = 100;
  // A cell's text becomes one profile value, so no more can be typed than a profile read gives
  // back.
  static constexpr int kDefaultTextLimit = static_cast<int>(kProfileValueLimit);

  explicit CComboListCtrl(int controlId, QWidget* parent = nullptr);
  ~CComboListCtrl() override;

  void setOwner(ListOwner* owner) { owner_ = owner; }
  int controlId() const { return controlId_; }

  // Owner set-up: a check box in each row's first cell, and columns whose width is the given
  // fraction of the list's width now.
  void setCheckBoxes(bool enabled) { checkBoxes_ = enabled; }
  void addColumn(const QString& heading, int numerator, int denominator);
  void AddComboColumn(int column);
  void AddReadOnlyColumn(int column);

  // Opens an editor over the cell; the combo is refused (null) when the row cannot be shown or the
  // column is missing or narrower than 10 pixels.
  CInPlaceEdit* ShowInPlaceEdit(int row, int column, const QString& text);
  CInPlaceCombo* ShowInPlaceCombo(int row, int column, const QStringList& choices,
                                  const QString& text);
  // The cell under a point of the viewport; invalid outside every cell.
  QModelIndex HitTestCell(const QPoint& point) const;
  // Scrolls horizontally so the cell comes into view; returns the cell's place in the viewport.
  QRect GetCellRect(int row, int column);

  // The row most recently painted selected; -1 until one is, and again after the table is emptied
  // for a new load. Deleting one row does not reset it.
  int currentRow() const { return currentRow_; }
  bool notifyCheckToggle() const { return notifyCheckToggle_; }
  void setNotifyCheckToggle(bool notify) { notifyCheckToggle_ = notify; }
  bool allowColumnResize() const { return allowColumnResize_; }
  void setAllowColumnResize(bool allow);
  void setAllowedChars(int column, const QString& characters);
  void setTextLimit(int limit) { textLimit_ = limit; }
  // Which cells hold HEX commands, whose in-place editor takes hexadecimal digits only.
  void setHexOnlyCells(std::function<bool(int row, int column)> hexOnly) {
    hexOnly_ = std::move(hexOnly);
  }
  // While read-only, no editor opens and no check box toggles; rows can still be chosen. An edit
  // open when it turns read-only is committed first.
  void setReadOnly(bool readOnly);
  bool readOnly() const { return readOnly_; }
  // The editor open now, if any.
  QWidget* activeEditor() const;
  // Commits the edit in progress, if any, as a loss of focus does.
  void endOpenEdit();
  // No row is selected or current until the operator chooses one.
  void forgetCurrentRow();

  QString itemText(int row, int column) const;
  void setItemText(int row, int column, const QString& text);
  // Deletes the row; the row that moves into its place becomes the selected one. After the last
  // row nothing is selected, so the current row never moves back to the row before on its own.
  void removeRow(int row);

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

 signals:
  // An in-place editor removed what a cell cannot hold; the note is for the status line.
  void inputRefused(const QString& note);

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
  void openEditorAt(const QModelIndex& cell);
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void takeFocusBeforeScrolling();
  void onEditFinished(const CellEdit& edit);
  void onCheckStateChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                           const QList<int>& roles);
  void reportSelectedRowPainted(const QRegion& painted);
  bool holds(int row, int column) const;
  bool isComboColumn(int column) const;
  bool isReadOnlyColumn(int column) const;

  int controlId_;
  ListOwner* owner_ = nullptr;
  QStandardItemModel* model_;
  int currentRow_ = -1;
  bool checkBoxes_ = false;
  bool allowColumnResize_ = true;
  bool notifyCheckToggle_ = false;
  bool readOnly_ = false;
  std::function<bool(int row, int column)> hexOnly_;
  bool showsEnd_ = false;  // the view was last scrolled to its end
  std::vector<int> comboColumns_;
  std::vector<int> readOnlyColumns_;
  int textLimit_ = kDefaultTextLimit;
  std::array<QString, kMaxColumns> allowedChars_;
  QPointer<CInPlaceEdit> edit_;
  QPointer<CInPlaceCombo> combo_;
};

}  // namespace trel

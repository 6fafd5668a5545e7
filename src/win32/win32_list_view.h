#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <optional>

#include "app/list_view.h"

namespace trel {

class InPlaceEditor;

// The list control of a CComboListCtrl: Windows' list view in report view (full-row select, grid
// lines, check boxes), selected rows white on blue, and the in-place editors it opens over a cell
// when the list's rules ask for one. It reports clicks, edits, check-box toggles and the painting
// of the selected row to the rules. The dialog that holds it hands it the list view's
// notifications.
class Win32ListView : public ListView {
 public:
  explicit Win32ListView(HWND list);
  ~Win32ListView() override;
  Win32ListView(const Win32ListView&) = delete;
  Win32ListView& operator=(const Win32ListView&) = delete;

  HWND window() const { return list_; }
  // A WM_NOTIFY the holding dialog got: true when it came from this list and the list answered
  // it (the answer then is the dialog's message result).
  bool answerNotify(HWND dialog, const NMHDR& header);
  // The editor open now, if any.
  HWND activeEditor() const;

  // ListView
  void setEvents(ListViewEvents* events) override { events_ = events; }
  void setCheckBoxes(bool enabled) override;
  void addColumn(std::u16string_view heading, int numerator, int denominator) override;
  int columnCount() const override;
  int columnWidth(int column) const override;
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

  // What the list view's own window procedure sees first (clicks, scrolling, its header and its
  // editors' notifications).
  LRESULT listMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // Scrolls horizontally so the cell comes into view; returns the cell's rectangle.
  RECT cellRect(int row, int column);
  LRESULT onLeftButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT onCustomDraw(NMLVCUSTOMDRAW& draw);
  std::optional<LRESULT> onNotify(const NMHDR& header);
  void selectOnly(int row);
  void onEditorEnded(int row, int column, std::u16string text, bool cancelled);

  HWND list_;
  ListViewEvents* events_ = nullptr;
  std::unique_ptr<InPlaceEditor> editor_;
};

}  // namespace trel

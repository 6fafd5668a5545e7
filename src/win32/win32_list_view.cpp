#include "win32/win32_list_view.h"

#include <algorithm>
#include <string>

#include "win32/in_place_editor.h"
#include "win32/wide_text.h"

namespace trel {
namespace {

constexpr UINT_PTR kSubclassId = 1;
// Posted to the list when an editor has ended: its window goes once its last message is done.
constexpr UINT kDropEndedEditor = WM_APP + 1;
constexpr COLORREF kSelectedBackground = RGB(49, 106, 197);
constexpr COLORREF kSelectedText = RGB(255, 255, 255);
constexpr COLORREF kBackground = RGB(255, 255, 255);
// Check box states in the state image index.
constexpr UINT kUnchecked = 1;
constexpr UINT kChecked = 2;

LRESULT CALLBACK ListProcedure(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR self) {
  return reinterpret_cast<Win32ListView*>(self)->listMessage(message, wParam, lParam);
}

UINT CheckStateOf(UINT state) {
  return (state & LVIS_STATEIMAGEMASK) >> 12;
}

}  // namespace

Win32ListView::Win32ListView(HWND list) : list_(list) {
  ListView_SetExtendedListViewStyleEx(list_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                                      LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  ListView_SetBkColor(list_, kBackground);
  ListView_SetTextBkColor(list_, kBackground);
  ::SetWindowSubclass(list_, ListProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

Win32ListView::~Win32ListView() {
  // The editor dies with the list and must not report into a half-destroyed one.
  events_ = nullptr;
  editor_.reset();
  ::RemoveWindowSubclass(list_, ListProcedure, kSubclassId);
}

void Win32ListView::setCheckBoxes(bool enabled) {
  ListView_SetExtendedListViewStyleEx(list_, LVS_EX_CHECKBOXES, enabled ? LVS_EX_CHECKBOXES : 0);
}

void Win32ListView::addColumn(std::u16string_view heading, int numerator, int denominator) {
  RECT bounds{};
  ::GetWindowRect(list_, &bounds);
  std::wstring text = ToWide(heading);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
  column.fmt = LVCFMT_LEFT;
  column.cx = (bounds.right - bounds.left) * numerator / denominator;
  column.pszText = text.data();
  ListView_InsertColumn(list_, columnCount(), &column);
}

int Win32ListView::columnCount() const {
  return Header_GetItemCount(ListView_GetHeader(list_));
}

int Win32ListView::columnWidth(int column) const {
  return ListView_GetColumnWidth(list_, column);
}

int Win32ListView::rowCount() const {
  return ListView_GetItemCount(list_);
}

void Win32ListView::removeAllRows() {
  ListView_DeleteAllItems(list_);
}

// The row becomes the selected and focused one without scrolling the view to it: a load leaves the
// view at its top, and the selected row counts as current only once it is shown.
int Win32ListView::appendRow() {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = rowCount();
  item.pszText = const_cast<wchar_t*>(L"");
  const int row = ListView_InsertItem(list_, &item);
  if (row >= 0) {
    selectOnly(row);
  }
  return row;
}

void Win32ListView::selectOnly(int row) {
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(list_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// The row that moves into the deleted one's place becomes the selected one; after the last row
// nothing is selected, so the current row never moves back to the row before on its own.
void Win32ListView::removeRow(int row) {
  ListView_DeleteItem(list_, row);
  if (row < rowCount()) {
    selectOnly(row);
  } else {
    clearSelection();
  }
}

void Win32ListView::clearSelection() {
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
}

void Win32ListView::scrollToRow(int row) {
  ListView_EnsureVisible(list_, row, FALSE);
}

std::u16string Win32ListView::cellText(int row, int column) const {
  // A cell may hold more than any fixed buffer: the buffer grows until the text fits.
  for (std::size_t size = 256;; size *= 2) {
    std::wstring text(size, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(size);
    const auto length = static_cast<std::size_t>(
        ::SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < size) {
      text.resize(length);
      return FromWide(text);
    }
  }
}

void Win32ListView::setCellText(int row, int column, std::u16string_view text) {
  std::wstring wide = ToWide(text);
  ListView_SetItemText(list_, row, column, wide.data());
}

bool Win32ListView::isChecked(int row) const {
  return CheckStateOf(ListView_GetItemState(list_, row, LVIS_STATEIMAGEMASK)) == kChecked;
}

void Win32ListView::setChecked(int row, bool checked) {
  ListView_SetItemState(list_, row, INDEXTOSTATEIMAGEMASK(checked ? kChecked : kUnchecked),
                        LVIS_STATEIMAGEMASK);
}

void Win32ListView::beginBulkUpdate() {
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
}

void Win32ListView::endBulkUpdate() {
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
}

HWND Win32ListView::activeEditor() const {
  return editor_ && !editor_->ended() ? editor_->window() : nullptr;
}

RECT Win32ListView::cellRect(int row, int column) {
  RECT bounds{};
  ListView_GetItemRect(list_, row, &bounds, LVIR_BOUNDS);
  RECT client{};
  ::GetClientRect(list_, &client);
  bounds.right = std::min(bounds.right, client.right);
  int offset = 0;
  for (int before = 0; before < column; ++before) {
    offset += columnWidth(before);
  }
  const int width = columnWidth(column);
  const int x = bounds.left + offset;
  int amount = 0;
  if (x >= client.left && x <= client.right) {
    if (x + width > client.right) {
      amount = x + width - client.right;  // the cell's right edge comes into view
    }
  } else {
    amount = x;  // the cell's left edge goes to the left edge of the view
  }
  ListView_Scroll(list_, amount, 0);
  RECT cell = bounds;
  cell.left = bounds.left + offset - amount;
  cell.right = cell.left + width;
  return cell;
}

void Win32ListView::openEditBox(int row, int column, std::u16string_view text,
                                std::u16string_view allowedChars, int textLimit) {
  endOpenEdit();
  editor_ = InPlaceEditor::EditBox(
      list_, row, column, cellRect(row, column), text, std::u16string(allowedChars), textLimit,
      [this, row, column](std::u16string_view before, std::u16string_view after) {
        return events_ != nullptr ? events_->onEditorInput(row, column, before, after)
                                  : std::nullopt;
      },
      [this](int editedRow, int editedColumn, std::u16string edited, bool cancelled) {
        onEditorEnded(editedRow, editedColumn, std::move(edited), cancelled);
      });
}

bool Win32ListView::openDropDown(int row, int column, const std::vector<std::u16string>& choices,
                                 std::u16string_view text) {
  if (!ListView_EnsureVisible(list_, row, TRUE)) {
    return false;
  }
  endOpenEdit();
  RECT area = cellRect(row, column);
  // Room below the cell for the drop-down.
  const LONG rows = choices.size() < 10 ? static_cast<LONG>(choices.size()) + 10 : 11;
  area.bottom += (area.bottom - area.top) * rows;
  editor_ = InPlaceEditor::DropDown(
      list_, row, column, area, choices, text,
      [this](int editedRow, int editedColumn, std::u16string edited, bool cancelled) {
        onEditorEnded(editedRow, editedColumn, std::move(edited), cancelled);
      });
  return true;
}

void Win32ListView::onEditorEnded(int row, int column, std::u16string text, bool cancelled) {
  ::PostMessageW(list_, kDropEndedEditor, 0, 0);
  if (events_ != nullptr) {
    events_->onEditEnded(row, column, text, cancelled);
  }
}

void Win32ListView::endOpenEdit() {
  if (HWND editor = activeEditor()) {
    if (::GetFocus() == editor) {
      ::SetFocus(list_);  // the editor's focus loss commits it
    }
    editor_->finish();
  }
}

LRESULT Win32ListView::onLeftButtonDown(WPARAM wParam, LPARAM lParam) {
  LVHITTESTINFO hit{};
  hit.pt = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (ListView_SubItemHitTest(list_, &hit) < 0 || (hit.flags & LVHT_ONITEM) == 0) {
    return 0;  // outside every cell: no selection or focus change
  }
  ::SetFocus(list_);  // ends an edit in progress before the click goes on
  const LRESULT result = ::DefSubclassProc(list_, WM_LBUTTONDOWN, wParam, lParam);
  if (events_ != nullptr) {
    const bool focused =
        (ListView_GetItemState(list_, hit.iItem, LVIS_FOCUSED) & LVIS_FOCUSED) != 0;
    events_->onCellClicked(hit.iItem, hit.iSubItem, (wParam & (MK_SHIFT | MK_CONTROL)) != 0,
                           focused);
  }
  return result;
}

LRESULT Win32ListView::listMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      return onLeftButtonDown(wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: {
      // Scrolling ends an edit: the list takes the focus first.
      if (::GetFocus() != list_) {
        ::SetFocus(list_);
      }
      const LRESULT result = ::DefSubclassProc(list_, message, wParam, lParam);
      ::InvalidateRect(list_, nullptr, TRUE);
      ::UpdateWindow(list_);
      return result;
    }
    case WM_COMMAND:
      if (editor_ && reinterpret_cast<HWND>(lParam) == editor_->window()) {
        editor_->onCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      // A double click on a header divider never resizes a column.
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == HDN_DIVIDERDBLCLICKW || header->code == HDN_DIVIDERDBLCLICKA) {
        return 1;
      }
      break;
    }
    case kDropEndedEditor:
      if (editor_ && editor_->ended()) {
        editor_.reset();
      }
      return 0;
    default:
      break;
  }
  return ::DefSubclassProc(list_, message, wParam, lParam);
}

LRESULT Win32ListView::onCustomDraw(NMLVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const int row = static_cast<int>(draw.nmcd.dwItemSpec);
      if ((ListView_GetItemState(list_, row, LVIS_SELECTED) & LVIS_SELECTED) != 0) {
        draw.clrText = kSelectedText;
        draw.clrTextBk = kSelectedBackground;
        // The list's own highlight would paint over the row's colours.
        draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
        if (events_ != nullptr) {
          events_->onSelectedRowPainted(row);
        }
      } else {
        draw.clrText = ::GetSysColor(COLOR_WINDOWFRAME);
        draw.clrTextBk = kBackground;
      }
      return CDRF_NEWFONT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

bool Win32ListView::answerNotify(HWND dialog, const NMHDR& header) {
  if (header.hwndFrom != list_) {
    return false;
  }
  const std::optional<LRESULT> result = onNotify(header);
  if (result) {
    ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, *result);
  }
  return result.has_value();
}

std::optional<LRESULT> Win32ListView::onNotify(const NMHDR& header) {
  switch (header.code) {
    case NM_CUSTOMDRAW:
      return onCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
    case LVN_BEGINLABELEDITW:
    case LVN_BEGINLABELEDITA:
      return TRUE;  // the list view's own label editing is never used
    case LVN_ITEMCHANGING: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      const bool toggles = (change.uChanged & LVIF_STATE) != 0 &&
                           CheckStateOf(change.uOldState) != 0 &&
                           CheckStateOf(change.uNewState) != CheckStateOf(change.uOldState);
      return toggles && events_ != nullptr && !events_->mayToggleCheck() ? TRUE : FALSE;
    }
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      const UINT before = CheckStateOf(change.uOldState);
      const UINT after = CheckStateOf(change.uNewState);
      if ((change.uChanged & LVIF_STATE) != 0 && before != 0 && after != 0 && before != after &&
          events_ != nullptr) {
        events_->onCheckToggled(change.iItem);
      }
      return 0;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace trel

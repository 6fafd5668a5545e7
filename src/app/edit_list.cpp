#include "app/edit_list.h"

#include <string>
#include <vector>

#include "tables/list_text.h"

namespace trel {
namespace {

constexpr int kNumberColumn = 0;
constexpr int kItemColumn = 1;
constexpr int kUnusedComboColumn = 2;

}  // namespace

CEditList::CEditList(std::u16string text, std::u16string separator, MessageBoxes& boxes,
                     int resultLimit)
    : text_(std::move(text)),
      separator_(std::move(separator)),
      boxes_(boxes),
      resultLimit_(resultLimit) {}

CEditList::~CEditList() = default;

void CEditList::attach(EditListScreen& screen) {
  screen_ = &screen;
  list_ = std::make_unique<CComboListCtrl>(kList, screen.listView());
  list_->addColumn(u"Number", 2, 10);
  list_->addColumn(u"Parameter", 7, 10);
  list_->AddReadOnlyColumn(kNumberColumn);
  list_->AddComboColumn(kUnusedComboColumn);
  list_->setOwner(this);
  const std::vector<std::u16string> items = SplitListText(text_, separator_);
  for (std::size_t i = 0; i < items.size(); ++i) {
    appendItem(static_cast<int>(i) + 1, items[i]);
  }
}

void CEditList::detach() {
  list_.reset();
  screen_ = nullptr;
}

void CEditList::appendItem(int number, std::u16string_view item) {
  const int row = list_->appendRow();
  const std::string digits = std::to_string(number);
  list_->setCellText(row, kNumberColumn, std::u16string(digits.begin(), digits.end()));
  list_->setCellText(row, kItemColumn, item);
}

void CEditList::onCommand(int id) {
  switch (id) {
    case kAdd:
      add();
      break;
    case kDel:
      del();
      break;
    case kOk:
      ok();
      break;
    case kCancel:
      screen_->endDialog(false);
      break;
    default:
      break;
  }
}

void CEditList::add() {
  const int rows = list_->rowCount();
  if (rows >= kMaxRows) {
    screen_->setAddEnabled(false);  // for the rest of the dialog's life
    return;
  }
  appendItem(rows + 1, u"");
  list_->view().scrollToRow(rows);
}

void CEditList::del() {
  list_->removeRow(list_->currentRow());
}

void CEditList::ok() {
  if (separator_.empty()) {
    screen_->endDialog(true);
    return;
  }
  std::vector<std::u16string> items;
  for (int row = 0; row < list_->rowCount(); ++row) {
    items.push_back(list_->cellText(row, kItemColumn));
  }
  std::u16string joined = JoinListText(items, separator_);
  if (joined.size() > static_cast<std::size_t>(resultLimit_)) {
    boxes_.show("The list is too long.", "Edit List");
    return;
  }
  result_ = std::move(joined);
  screen_->endDialog(true);
}

void CEditList::onInputRefused(const std::string& note) {
  if (noteSink_) {
    noteSink_(note);
  }
}

}  // namespace trel

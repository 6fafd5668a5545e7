#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/combo_list_ctrl.h"
#include "app/list_owner.h"
#include "platform/message_boxes.h"
#include "platform/private_profile.h"

namespace trel {

class ListView;

// The renderer's "Edit List" dialog, built from kEditListTemplate: its list control, its "Add"
// button and the end of its modal run.
class EditListScreen {
 public:
  virtual ~EditListScreen() = default;
  virtual ListView& listView() = 0;
  virtual void setAddEnabled(bool enabled) = 0;
  // Ends the modal run: OK (accepted) or Cancel.
  virtual void endDialog(bool accepted) = 0;
};

// "Edit List": shows a text of items joined by a separator as a numbered list, lets the operator
// add, delete and edit items in place, and joins them again on OK. Numbers are given when a row is
// made and never renumbered; "Add" stops for good at 100 rows. A joined result longer than the
// caller's limit is refused with a message and the dialog stays open.
class CEditList : private ListOwner {
 public:
  static constexpr int kMaxRows = 100;
  // The longest text a caller can keep: what one profile value holds.
  static constexpr int kDefaultResultLimit = static_cast<int>(kProfileValueLimit);
  // Its controls, as the dialog's commands name them.
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;
  static constexpr int kAdd = 3;
  static constexpr int kDel = 4;
  static constexpr int kList = 1009;

  // Without a separator (empty) the list starts empty and OK gives nothing back.
  CEditList(std::u16string text, std::u16string separator, MessageBoxes& boxes,
            int resultLimit = kDefaultResultLimit);
  ~CEditList() override;

  // The renderer's dialog for one modal run: sets its list up and fills it. The dialog detaches
  // before it goes.
  void attach(EditListScreen& screen);
  void detach();
  // A button was pressed (kAdd, kDel, kOk, kCancel).
  void onCommand(int id);

  // The joined text after OK; nothing before OK, after Cancel, or without a separator.
  const std::optional<std::u16string>& result() const { return result_; }
  // While attached.
  CComboListCtrl& list() const { return *list_; }
  // Notes for the status line when an item's editor removed what an item cannot hold.
  void setNoteSink(std::function<void(const std::string&)> sink) { noteSink_ = std::move(sink); }

 private:
  void appendItem(int number, std::u16string_view item);
  void add();
  void del();
  void ok();

  // ListOwner: the dialog ignores all but the notes.
  void onListEdited(int, const CellEdit*) override {}
  void onRowSelected(int, int) override {}
  void onGetChoices(int, std::vector<std::u16string>&) override {}
  void onInputRefused(const std::string& note) override;

  std::u16string text_;
  std::u16string separator_;
  MessageBoxes& boxes_;
  int resultLimit_;
  std::optional<std::u16string> result_;
  EditListScreen* screen_ = nullptr;
  std::unique_ptr<CComboListCtrl> list_;
  std::function<void(const std::string&)> noteSink_;
};

}  // namespace trel

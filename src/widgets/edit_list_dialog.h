#pragma once

#include <QDialog>
#include <QString>
#include <optional>

#include "platform/message_boxes.h"
#include "platform/private_profile.h"

class QPushButton;

namespace trel {

class CComboListCtrl;

// "Edit List": shows a text of items joined by a separator as a numbered list, lets the operator
// add, delete and edit items in place, and joins them again on OK. Numbers are given when a row is
// made and never renumbered; "Add" stops for good at 100 rows. A joined result longer than the
// caller's limit is refused with a message and the dialog stays open.
class CEditList : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kMaxRows = 100;
  // The longest text a caller can keep: what one profile value holds.
  static constexpr int kDefaultResultLimit = static_cast<int>(kProfileValueLimit);

  // Without a separator (empty) the list starts empty and OK gives nothing back.
  CEditList(const QString& text, const QString& separator, MessageBoxes& boxes,
            QWidget* parent = nullptr, int resultLimit = kDefaultResultLimit);

  // The joined text after OK; empty before OK, after Cancel, or without a separator.
  std::optional<QString> result() const { return result_; }

  CComboListCtrl* list() const { return list_; }
  QPushButton* addButton() const { return addButton_; }
  QPushButton* delButton() const { return delButton_; }
  QPushButton* okButton() const { return okButton_; }
  QPushButton* cancelButton() const { return cancelButton_; }

 signals:
  // An item's editor removed what an item cannot hold; the note is for the status line.
  void inputRefused(const QString& note);

 private:
  void buildControls();
  void appendItem(int number, const QString& item);
  void onAdd();
  void onDel();
  void onOk();

  QString separator_;
  MessageBoxes& boxes_;
  int resultLimit_;
  std::optional<QString> result_;
  CComboListCtrl* list_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* delButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace trel

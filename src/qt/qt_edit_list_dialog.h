#pragma once

#include <QDialog>
#include <map>

#include "app/edit_list.h"

class QPushButton;

namespace trel {

class QtListView;

// The Qt dialog of one CEditList run, built from its template: the list and the Add, Del, OK and
// Cancel buttons, whose presses go to the Edit List's rules.
class QtEditListDialog : public QDialog, public EditListScreen {
  Q_OBJECT

 public:
  QtEditListDialog(CEditList& list, QWidget* parent = nullptr);
  ~QtEditListDialog() override;

  CEditList& editList() const { return list_; }
  QtListView* list() const { return view_; }
  QPushButton* addButton() const { return button(CEditList::kAdd); }
  QPushButton* delButton() const { return button(CEditList::kDel); }
  QPushButton* okButton() const { return button(CEditList::kOk); }
  QPushButton* cancelButton() const { return button(CEditList::kCancel); }

  // EditListScreen
  ListView& listView() override;
  void setAddEnabled(bool enabled) override;
  void endDialog(bool accepted) override;

 private:
  QPushButton* button(int id) const;

  CEditList& list_;
  QtListView* view_ = nullptr;
  std::map<int, QPushButton*> buttons_;
};

}  // namespace trel

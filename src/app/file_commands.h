#pragma once

#include <QString>

#include "app/main_window_controls.h"
#include "app/window_paths.h"
#include "update/more_xml_list.h"
#include "widgets/list_owner.h"

class QPushButton;
class QWidget;

namespace trel {

class MessageBoxes;
class OperatorDialogs;

// The main window's file and text commands: Browse, Import, Export, Save, Change, both Edit
// buttons, the row display, and the enabling of Save, Change and Edit that follows them.
class FileCommands {
 public:
  FileCommands(QWidget* window, MainWindowControls& controls, const WindowPaths& paths,
               OperatorDialogs& dialogs, MessageBoxes& boxes);

  void browse();
  void importFile();
  void exportFile();
  void save();
  void change();
  void editCommand();
  void editMoreXml();
  void onRowSelected(int row);
  // A cell edit (`edit` null for a check-box toggle) enables Save; the command box follows an edit
  // of the current row's command.
  void onListEdited(const CellEdit* edit);
  void onCommandTyped();

  // Sets the command text as the program does: that is no typing, so Change stays as it is.
  void showCommandText(const QString& text);
  void rebuildMoreXmlList();
  const MoreXmlList& moreXmlList() const { return moreXmlList_; }

 private:
  std::optional<QString> chooseIniFile();
  void rememberIniFile(const QString& path);
  void disableEditingButton(QPushButton* button);
  void writeSetting(const char16_t* section, const char16_t* key, const QString& value) const;
  bool selectedRowExists(int row) const;

  QWidget* window_;
  MainWindowControls& c_;
  const WindowPaths& paths_;
  OperatorDialogs& dialogs_;
  MessageBoxes& boxes_;
  MoreXmlList moreXmlList_;
};

}  // namespace trel

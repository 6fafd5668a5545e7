#pragma once

#include <QString>
#include <optional>
#include <string>
#include <system_error>

#include "app/main_window_controls.h"
#include "app/window_paths.h"
#include "update/more_xml_list.h"
#include "widgets/list_owner.h"

class QPushButton;
class QWidget;

namespace trel {

class CEditList;
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

  // Stores the table into the working copy; on failure shows "Save fail." (naming the tool folder
  // when that cannot be written) and returns false.
  bool storeTable();
  // The window is asked to close: with unsaved edits the operator is asked whether to save them
  // first. False when the window stays (Cancel, or a save that failed).
  bool mayCloseWithEdits();
  // While an update runs the table and the command text cannot be edited; afterwards Change, Edit
  // and Save are as they were.
  void lockEditing();
  void unlockEditing();
  // The tool folder cannot be written: said once in the status line, and named by failed saves.
  void noteUnwritableToolFolder();

 private:
  std::optional<QString> chooseIniFile(bool save);
  bool importable(const QString& chosen);
  void rememberIniFile(const QString& path);
  bool exportTo(const std::filesystem::path& target);
  void disableEditingButton(QPushButton* button);
  void writeSetting(const char16_t* section, const char16_t* key, const QString& value) const;
  bool selectedRowExists(int row) const;
  bool rowIsHex(int row) const;
  bool runEditList(CEditList& dialog);
  void setStatus(const QString& text);
  std::string unwritableFolderText() const;

  QWidget* window_;
  MainWindowControls& c_;
  const WindowPaths& paths_;
  OperatorDialogs& dialogs_;
  MessageBoxes& boxes_;
  MoreXmlList moreXmlList_;
  bool toolFolderWritable_ = true;
  QString startUpNote_;  // shown until the first row display, and under it
  bool editingLocked_ = false;
  bool changeWasEnabled_ = false;
  bool saveWasEnabled_ = false;
};

}  // namespace trel

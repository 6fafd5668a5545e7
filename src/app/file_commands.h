#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/list_owner.h"
#include "app/window_paths.h"
#include "tables/command_input.h"
#include "update/more_xml_list.h"

namespace trel {

class CComboListCtrl;
class CEditList;
class MessageBoxes;
class OperatorDialogs;
class WindowScreen;

// The main window's file and text commands: Browse, Import, Export, Save, Change, both Edit
// buttons, the row display, and the enabling of Save, Change and Edit that follows them.
class FileCommands {
 public:
  FileCommands(WindowScreen& screen, CComboListCtrl& table, const WindowPaths& paths,
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
  // What a change of the command box must give back: a command holds no line break, a HEX
  // command (the current row's data mode) only hex digits.
  std::optional<RefusedInput> refuseCommandInput(std::u16string_view before,
                                                 std::u16string_view after);
  // Notes of the editors for the status line.
  void showNote(const std::string& note);

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
  // A note said once at start-up as a second line of the status line; the row shown selected at
  // start-up keeps it under its name.
  void noteAtStartUp(const std::string& note);

 private:
  std::optional<std::u16string> chooseIniFile(bool save);
  bool importable(const std::u16string& chosen);
  void rememberIniFile(const std::u16string& path);
  bool exportTo(const std::filesystem::path& target);
  void disableEditingButton(int button);
  void writeSetting(const char16_t* section, const char16_t* key, std::u16string_view value) const;
  bool selectedRowExists(int row) const;
  bool rowIsHex(int row) const;
  bool runEditList(CEditList& list);
  void setStatus(std::u16string_view text);
  void showCommandText(std::u16string_view text);
  std::string unwritableFolderText() const;

  WindowScreen& screen_;
  CComboListCtrl& table_;
  const WindowPaths& paths_;
  OperatorDialogs& dialogs_;
  MessageBoxes& boxes_;
  MoreXmlList moreXmlList_;
  bool toolFolderWritable_ = true;
  std::u16string startUpNote_;  // shown until the first row display, and under it
  bool editingLocked_ = false;
  bool changeWasEnabled_ = false;
  bool saveWasEnabled_ = false;
};

}  // namespace trel

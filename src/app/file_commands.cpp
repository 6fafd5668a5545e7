#include "app/file_commands.h"

#include "app/combo_list_ctrl.h"
#include "app/control_ids.h"
#include "app/edit_list.h"
#include "app/focus_handover.h"
#include "app/operator_dialogs.h"
#include "app/tool_settings.h"
#include "app/window_screen.h"
#include "platform/message_boxes.h"
#include "platform/param_table.h"
#include "platform/private_profile.h"
#include "platform/utf8_path.h"
#include "platform/utf_convert.h"
#include "platform/whole_file.h"
#include "tables/param_item.h"
#include "tables/param_table_io.h"
#include "tables/working_copy.h"

namespace trel {
namespace {

namespace c = control;

const std::vector<std::u16string> kXmlFilters = {u"XML Files (*.xml)"};
const std::vector<std::u16string> kIniFilters = {u"INI Files (*.ini)", u"All Files (*)"};
constexpr char16_t kMoreXmlSeparator[] = u";";
constexpr char kSaveFailText[] = "Save fail.";
constexpr char kSaveCaption[] = "Save ini file";
constexpr char kNoItemText[] = "Sorry,no item.";
constexpr char kErrorCaption[] = "Error";
constexpr char16_t kUnsavedEditsQuestion[] = u"Save the changes to the parameter list?";

std::filesystem::path PathOf(std::u16string_view text) {
  return std::filesystem::path(std::u16string(text));
}

}  // namespace

FileCommands::FileCommands(WindowScreen& screen, CComboListCtrl& table, const WindowPaths& paths,
                           OperatorDialogs& dialogs, MessageBoxes& boxes)
    : screen_(screen), table_(table), paths_(paths), dialogs_(dialogs), boxes_(boxes) {
  table_.setHexOnlyCells([this](int row, int column) {
    return column == ParamTable::kCommandColumn && rowIsHex(row);
  });
}

void FileCommands::writeSetting(const char16_t* section, const char16_t* key,
                                std::u16string_view value) const {
  WriteProfileString(paths_.settingsFile, section, key, value);
}

bool FileCommands::selectedRowExists(int row) const {
  return row >= 0 && row < table_.rowCount();
}

bool FileCommands::rowIsHex(int row) const {
  return selectedRowExists(row) &&
         table_.cellText(row, ParamTable::kDataModeColumn) == DataModeName(kDataModeHex);
}

void FileCommands::setStatus(std::u16string_view text) {
  screen_.setText(c::kStatus, text);
}

void FileCommands::showNote(const std::string& note) {
  setStatus(Utf8ToUtf16(note));
}

void FileCommands::showCommandText(std::u16string_view text) {
  screen_.setText(c::kCommandText, text);
}

std::optional<RefusedInput> FileCommands::refuseCommandInput(std::u16string_view before,
                                                             std::u16string_view after) {
  std::optional<RefusedInput> refused =
      RefuseCommandInput(before, after, rowIsHex(table_.currentRow()));
  if (refused) {
    showNote(refused->note);
  }
  return refused;
}

void FileCommands::browse() {
  const auto chosen =
      dialogs_.chooseFile({paths_.startFolderFor(screen_.text(c::kXmlPath)), u"xml", kXmlFilters});
  if (!chosen) {
    return;
  }
  screen_.setText(c::kXmlPath, *chosen);
  writeSetting(kPrnSection, kPrnFile1Key, *chosen);
}

std::optional<std::u16string> FileCommands::chooseIniFile(bool save) {
  return dialogs_.chooseFile(
      {paths_.startFolderFor(screen_.text(c::kIniPath)), u"ini", kIniFilters, save});
}

void FileCommands::rememberIniFile(const std::u16string& path) {
  screen_.setText(c::kIniPath, path);
  writeSetting(kIniSection, kIniFileKey, path);
}

// The buttons under the table hand the focus to the table when they disable themselves.
void FileCommands::disableEditingButton(int button) {
  DisableHandingFocusTo(screen_, button, c::kTable);
}

// A file that cannot be read, or holds no parameter item, would empty the table while the working
// copy kept the old list (or lost it), which Start would then send: it is refused before anything
// changes.
bool FileCommands::importable(const std::u16string& chosen) {
  const std::filesystem::path source = PathOf(chosen);
  std::error_code error;
  if (!ReadWholeFile(source, error)) {
    boxes_.show("Can't open:" + Utf16ToUtf8(chosen), kErrorCaption);
    return false;
  }
  if (!HoldsParameterItems(source)) {
    boxes_.show(kNoItemText, kErrorCaption);
    return false;
  }
  return true;
}

void FileCommands::importFile() {
  const auto chosen = chooseIniFile(false);
  if (!chosen || !importable(*chosen)) {
    return;
  }
  const std::filesystem::path source = PathOf(*chosen);
  rememberIniFile(*chosen);
  // Loading sets every row's check box; that is no edit of the operator's.
  table_.setNotifyCheckToggle(false);
  if (ConvertToWorkingCopy(source, paths_.workingCopy)) {
    LoadParamTable(table_, paths_.workingCopy);
  } else {
    LoadParamTable(table_, source);
    CopyFileBytes(source, paths_.workingCopy);
  }
  StoreParamTable(table_, paths_.workingCopy);
  for (const int button : {c::kSave, c::kChange, c::kEditCommand}) {
    disableEditingButton(button);
  }
  // A new list: no row of it is current until the operator picks one, so Change cannot write a
  // row that was never chosen, and nothing of the old list stays on show.
  table_.forgetCurrentRow();
  setStatus(u"");
  showCommandText(u"");
  table_.setNotifyCheckToggle(true);
}

void FileCommands::exportFile() {
  const auto chosen = chooseIniFile(true);
  if (!chosen || !exportTo(PathOf(*chosen))) {
    return;
  }
  rememberIniFile(*chosen);
  screen_.setEnabled(c::kChange, false);
  screen_.setEnabled(c::kEditCommand, false);
}

bool FileCommands::exportTo(const std::filesystem::path& target) {
  std::error_code error;
  if (ExportParamTable(table_, paths_.workingCopy, target, error)) {
    return true;
  }
  std::string text = "Can't write:" + PathToUtf8(target);
  if (error) {
    text += "\n" + error.message();
  }
  boxes_.show(text, kErrorCaption);
  return false;
}

std::string FileCommands::unwritableFolderText() const {
  return "Settings can't be saved in " + Utf16ToUtf8(paths_.toolFolder) + ".";
}

void FileCommands::noteUnwritableToolFolder() {
  toolFolderWritable_ = false;
  noteAtStartUp(unwritableFolderText());
}

void FileCommands::noteAtStartUp(const std::string& note) {
  startUpNote_ = Utf8ToUtf16(note);
  setStatus(screen_.text(c::kStatus) + u'\n' + startUpNote_);
}

bool FileCommands::storeTable() {
  if (StoreParamTable(table_, paths_.workingCopy)) {
    return true;
  }
  std::string text = kSaveFailText;
  if (!toolFolderWritable_) {
    text += "\n" + unwritableFolderText();
  }
  boxes_.show(text, kSaveCaption);
  return false;
}

void FileCommands::save() {
  disableEditingButton(c::kSave);
  // Edits that could not be stored are still unsaved: Save stays, and leaving still asks.
  if (!storeTable() && table_.rowCount() > 0) {
    screen_.setEnabled(c::kSave, true);
  }
}

bool FileCommands::mayCloseWithEdits() {
  table_.endOpenEdit();
  if (!screen_.isEnabled(c::kSave)) {
    return true;
  }
  switch (dialogs_.askYesNoCancel(kUnsavedEditsQuestion, screen_.caption())) {
    case Answer::kYes:
      return storeTable();
    case Answer::kNo:
      return true;
    case Answer::kCancel:
      break;
  }
  return false;
}

void FileCommands::lockEditing() {
  if (editingLocked_) {
    return;
  }
  editingLocked_ = true;
  changeWasEnabled_ = screen_.isEnabled(c::kChange);
  saveWasEnabled_ = screen_.isEnabled(c::kSave);
  table_.setReadOnly(true);
  screen_.setReadOnly(c::kCommandText, true);
  for (const int button : {c::kChange, c::kEditCommand, c::kSave}) {
    disableEditingButton(button);
  }
}

void FileCommands::unlockEditing() {
  editingLocked_ = false;
  table_.setReadOnly(false);
  screen_.setReadOnly(c::kCommandText, false);
  screen_.setEnabled(c::kChange, changeWasEnabled_);
  screen_.setEnabled(c::kSave, saveWasEnabled_);
  const int row = table_.currentRow();
  screen_.setEnabled(
      c::kEditCommand,
      selectedRowExists(row) && !table_.cellText(row, ParamTable::kSplitSymbolColumn).empty());
}

void FileCommands::change() {
  disableEditingButton(c::kChange);
  const int row = table_.currentRow();
  if (selectedRowExists(row)) {
    table_.setCellText(row, ParamTable::kCommandColumn, screen_.text(c::kCommandText));
    screen_.setEnabled(c::kSave, true);
  }
}

bool FileCommands::runEditList(CEditList& list) {
  list.setNoteSink([this](const std::string& note) { showNote(note); });
  return dialogs_.runEditList(list) && list.result();
}

void FileCommands::editCommand() {
  const int row = table_.currentRow();
  if (!selectedRowExists(row)) {
    return;
  }
  const std::u16string splitSymbol = table_.cellText(row, ParamTable::kSplitSymbolColumn);
  if (splitSymbol.empty()) {
    return;
  }
  CEditList list(table_.cellText(row, ParamTable::kCommandColumn), splitSymbol, boxes_);
  if (!runEditList(list)) {
    return;
  }
  table_.setCellText(row, ParamTable::kCommandColumn, *list.result());
  showCommandText(*list.result());
  screen_.setEnabled(c::kSave, true);
}

void FileCommands::editMoreXml() {
  CEditList list(screen_.text(c::kMoreXmlPath), kMoreXmlSeparator, boxes_);
  if (!runEditList(list)) {
    return;
  }
  screen_.setText(c::kMoreXmlPath, *list.result());
  writeSetting(kPrnSection, kXmlFile2Key, *list.result());
  rebuildMoreXmlList();
}

void FileCommands::rebuildMoreXmlList() {
  moreXmlList_ = BuildMoreXmlList(screen_.text(c::kMoreXmlPath), screen_.text(c::kXmlPath));
}

void FileCommands::onRowSelected(int row) {
  screen_.setEnabled(c::kEditCommand, false);
  showCommandText(table_.cellText(row, ParamTable::kCommandColumn));
  // The row shown selected at start-up does not hide the start-up note: it goes under the name.
  const std::u16string name = table_.cellText(row, ParamTable::kNameColumn);
  setStatus(startUpNote_.empty() ? name : name + u'\n' + startUpNote_);
  startUpNote_.clear();
  if (!editingLocked_ && !table_.cellText(row, ParamTable::kSplitSymbolColumn).empty()) {
    screen_.setEnabled(c::kEditCommand, true);
  }
}

void FileCommands::onListEdited(const CellEdit* edit) {
  screen_.setEnabled(c::kSave, true);
  // Change would otherwise write the text the box still shows back over the edit just made.
  if (edit != nullptr && edit->column == ParamTable::kCommandColumn &&
      edit->row == table_.currentRow()) {
    showCommandText(edit->text);
  }
}

void FileCommands::onCommandTyped() {
  screen_.setEnabled(c::kChange, true);
}

}  // namespace trel

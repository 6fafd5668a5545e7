#include "app/file_commands.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/command_text_box.h"
#include "app/focus_handover.h"
#include "app/operator_dialogs.h"
#include "app/qt_text.h"
#include "app/tool_settings.h"
#include "platform/message_boxes.h"
#include "platform/param_table.h"
#include "platform/private_profile.h"
#include "platform/utf8_path.h"
#include "platform/whole_file.h"
#include "tables/param_item.h"
#include "tables/param_table_io.h"
#include "tables/working_copy.h"
#include "widgets/combo_list_ctrl.h"
#include "widgets/edit_list_dialog.h"

namespace trel {
namespace {

const QStringList kXmlFilters = {QStringLiteral("XML Files (*.xml)")};
const QStringList kIniFilters = {QStringLiteral("INI Files (*.ini)"),
                                 QStringLiteral("All Files (*)")};
const QString kMoreXmlSeparator = QStringLiteral(";");
constexpr char kSaveFailText[] = "Save fail.";
constexpr char kSaveCaption[] = "Save ini file";
constexpr char kNoItemText[] = "Sorry,no item.";
constexpr char kErrorCaption[] = "Error";
const QString kUnsavedEditsQuestion = QStringLiteral("Save the changes to the parameter list?");

}  // namespace

FileCommands::FileCommands(QWidget* window, MainWindowControls& controls, const WindowPaths& paths,
                           OperatorDialogs& dialogs, MessageBoxes& boxes)
    : window_(window), c_(controls), paths_(paths), dialogs_(dialogs), boxes_(boxes) {
  const auto showNote = [this](const QString& note) { setStatus(note); };
  QObject::connect(c_.table, &CComboListCtrl::inputRefused, window, showNote);
  QObject::connect(c_.commandText, &CommandTextBox::inputRefused, window, showNote);
  c_.table->setHexOnlyCells([this](int row, int column) {
    return column == ParamTable::kCommandColumn && rowIsHex(row);
  });
}

void FileCommands::writeSetting(const char16_t* section, const char16_t* key,
                                const QString& value) const {
  WriteProfileString(paths_.settingsFile, section, key, ToU16(value));
}

bool FileCommands::selectedRowExists(int row) const {
  return row >= 0 && row < c_.table->rowCount();
}

bool FileCommands::rowIsHex(int row) const {
  return c_.table->cellText(row, ParamTable::kDataModeColumn) == DataModeName(kDataModeHex);
}

void FileCommands::setStatus(const QString& text) {
  c_.status->setText(text);
}

void FileCommands::showCommandText(const QString& text) {
  c_.commandText->showText(text);
}

void FileCommands::browse() {
  const auto chosen = dialogs_.chooseFile(
      {paths_.startFolderFor(c_.xmlPath->text()), QStringLiteral("xml"), kXmlFilters});
  if (!chosen) {
    return;
  }
  c_.xmlPath->setText(*chosen);
  writeSetting(kPrnSection, kPrnFile1Key, *chosen);
}

std::optional<QString> FileCommands::chooseIniFile(bool save) {
  return dialogs_.chooseFile(
      {paths_.startFolderFor(c_.iniPath->text()), QStringLiteral("ini"), kIniFilters, save});
}

void FileCommands::rememberIniFile(const QString& path) {
  c_.iniPath->setText(path);
  writeSetting(kIniSection, kIniFileKey, path);
}

// The buttons under the table hand the focus to the table when they disable themselves.
void FileCommands::disableEditingButton(QPushButton* button) {
  DisableHandingFocusTo(button, c_.table);
}

// A file that cannot be read, or holds no parameter item, would empty the table while the working
// copy kept the old list (or lost it), which Start would then send: it is refused before anything
// changes.
bool FileCommands::importable(const QString& chosen) {
  const std::filesystem::path source = ToPath(chosen);
  std::error_code error;
  if (!ReadWholeFile(source, error)) {
    boxes_.show("Can't open:" + chosen.toStdString(), kErrorCaption);
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
  const std::filesystem::path source = ToPath(*chosen);
  rememberIniFile(*chosen);
  // Loading sets every row's check box; that is no edit of the operator's.
  c_.table->setNotifyCheckToggle(false);
  if (ConvertToWorkingCopy(source, paths_.workingCopy)) {
    LoadParamTable(*c_.table, paths_.workingCopy);
  } else {
    LoadParamTable(*c_.table, source);
    CopyFileBytes(source, paths_.workingCopy);
  }
  StoreParamTable(*c_.table, paths_.workingCopy);
  for (QPushButton* button : {c_.save, c_.change, c_.editCommand}) {
    disableEditingButton(button);
  }
  // A new list: no row of it is current until the operator picks one, so Change cannot write a
  // row that was never chosen, and nothing of the old list stays on show.
  c_.table->forgetCurrentRow();
  setStatus(QString());
  c_.commandText->setHexOnly(false);
  showCommandText(QString());
  c_.table->setNotifyCheckToggle(true);
}

void FileCommands::exportFile() {
  const auto chosen = chooseIniFile(true);
  if (!chosen || !exportTo(ToPath(*chosen))) {
    return;
  }
  rememberIniFile(*chosen);
  c_.change->setEnabled(false);
  c_.editCommand->setEnabled(false);
}

bool FileCommands::exportTo(const std::filesystem::path& target) {
  std::error_code error;
  if (ExportParamTable(*c_.table, paths_.workingCopy, target, error)) {
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
  return "Settings can't be saved in " + paths_.toolFolder.toStdString() + ".";
}

void FileCommands::noteUnwritableToolFolder() {
  toolFolderWritable_ = false;
  startUpNote_ = QString::fromStdString(unwritableFolderText());
  setStatus(startUpNote_);
}

bool FileCommands::storeTable() {
  if (StoreParamTable(*c_.table, paths_.workingCopy)) {
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
  disableEditingButton(c_.save);
  // Edits that could not be stored are still unsaved: Save stays, and leaving still asks.
  if (!storeTable() && c_.table->rowCount() > 0) {
    c_.save->setEnabled(true);
  }
}

bool FileCommands::mayCloseWithEdits() {
  c_.table->endOpenEdit();
  if (!c_.save->isEnabled()) {
    return true;
  }
  switch (dialogs_.askYesNoCancel(kUnsavedEditsQuestion, window_->windowTitle())) {
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
  changeWasEnabled_ = c_.change->isEnabled();
  saveWasEnabled_ = c_.save->isEnabled();
  c_.table->setReadOnly(true);
  c_.commandText->setReadOnly(true);
  for (QPushButton* button : {c_.change, c_.editCommand, c_.save}) {
    disableEditingButton(button);
  }
}

void FileCommands::unlockEditing() {
  editingLocked_ = false;
  c_.table->setReadOnly(false);
  c_.commandText->setReadOnly(false);
  c_.change->setEnabled(changeWasEnabled_);
  c_.save->setEnabled(saveWasEnabled_);
  const int row = c_.table->currentRow();
  c_.editCommand->setEnabled(selectedRowExists(row) &&
                             !c_.table->itemText(row, ParamTable::kSplitSymbolColumn).isEmpty());
}

void FileCommands::change() {
  disableEditingButton(c_.change);
  const int row = c_.table->currentRow();
  if (selectedRowExists(row)) {
    c_.table->setItemText(row, ParamTable::kCommandColumn, c_.commandText->toPlainText());
    c_.save->setEnabled(true);
  }
}

bool FileCommands::runEditList(CEditList& dialog) {
  QObject::connect(&dialog, &CEditList::inputRefused, window_,
                   [this](const QString& note) { setStatus(note); });
  return dialogs_.runEditList(dialog) && dialog.result();
}

void FileCommands::editCommand() {
  const int row = c_.table->currentRow();
  if (!selectedRowExists(row)) {
    return;
  }
  const QString splitSymbol = c_.table->itemText(row, ParamTable::kSplitSymbolColumn);
  if (splitSymbol.isEmpty()) {
    return;
  }
  CEditList dialog(c_.table->itemText(row, ParamTable::kCommandColumn), splitSymbol, boxes_,
                   window_);
  if (!runEditList(dialog)) {
    return;
  }
  c_.table->setItemText(row, ParamTable::kCommandColumn, *dialog.result());
  showCommandText(*dialog.result());
  c_.save->setEnabled(true);
}

void FileCommands::editMoreXml() {
  CEditList dialog(c_.moreXmlPath->text(), kMoreXmlSeparator, boxes_, window_);
  if (!runEditList(dialog)) {
    return;
  }
  c_.moreXmlPath->setText(*dialog.result());
  writeSetting(kPrnSection, kXmlFile2Key, *dialog.result());
  rebuildMoreXmlList();
}

void FileCommands::rebuildMoreXmlList() {
  moreXmlList_ = BuildMoreXmlList(ToU16(c_.moreXmlPath->text()), ToU16(c_.xmlPath->text()));
}

void FileCommands::onRowSelected(int row) {
  c_.editCommand->setEnabled(false);
  c_.commandText->setHexOnly(rowIsHex(row));
  showCommandText(c_.table->itemText(row, ParamTable::kCommandColumn));
  // The row shown selected at start-up does not hide the start-up note: it goes under the name.
  const QString name = c_.table->itemText(row, ParamTable::kNameColumn);
  setStatus(startUpNote_.isEmpty() ? name : name + '\n' + startUpNote_);
  startUpNote_.clear();
  if (!editingLocked_ && !c_.table->itemText(row, ParamTable::kSplitSymbolColumn).isEmpty()) {
    c_.editCommand->setEnabled(true);
  }
}

void FileCommands::onListEdited(const CellEdit* edit) {
  c_.save->setEnabled(true);
  // Change would otherwise write the text the box still shows back over the edit just made.
  if (edit != nullptr && edit->column == ParamTable::kCommandColumn &&
      edit->row == c_.table->currentRow()) {
    showCommandText(edit->text);
  }
}

void FileCommands::onCommandTyped() {
  c_.change->setEnabled(true);
}

}  // namespace trel

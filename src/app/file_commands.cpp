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
#include "platform/whole_file.h"
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

}  // namespace

FileCommands::FileCommands(QWidget* window, MainWindowControls& controls, const WindowPaths& paths,
                           OperatorDialogs& dialogs, MessageBoxes& boxes)
    : window_(window), c_(controls), paths_(paths), dialogs_(dialogs), boxes_(boxes) {}

void FileCommands::writeSetting(const char16_t* section, const char16_t* key,
                                const QString& value) const {
  WriteProfileString(paths_.settingsFile, section, key, ToU16(value));
}

bool FileCommands::selectedRowExists(int row) const {
  return row >= 0 && row < c_.table->rowCount();
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

std::optional<QString> FileCommands::chooseIniFile() {
  return dialogs_.chooseFile(
      {paths_.startFolderFor(c_.iniPath->text()), QStringLiteral("ini"), kIniFilters});
}

void FileCommands::rememberIniFile(const QString& path) {
  c_.iniPath->setText(path);
  writeSetting(kIniSection, kIniFileKey, path);
}

// The buttons under the table hand the focus to the table when they disable themselves.
void FileCommands::disableEditingButton(QPushButton* button) {
  DisableHandingFocusTo(button, c_.table);
}

void FileCommands::importFile() {
  const auto chosen = chooseIniFile();
  if (!chosen) {
    return;
  }
  const std::filesystem::path source = ToPath(*chosen);
  // A file that cannot be read would empty the table while the working copy kept the old list,
  // which Start would then send: it is refused before anything changes.
  std::error_code error;
  if (!ReadWholeFile(source, error)) {
    boxes_.show("Can't open:" + chosen->toStdString(), "Error");
    return;
  }
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
  c_.table->setNotifyCheckToggle(true);
}

void FileCommands::exportFile() {
  const auto chosen = chooseIniFile();
  if (!chosen) {
    return;
  }
  rememberIniFile(*chosen);
  const std::filesystem::path target = ToPath(*chosen);
  CopyFileBytes(paths_.workingCopy, target);
  StoreParamTable(*c_.table, target);
  c_.change->setEnabled(false);
  c_.editCommand->setEnabled(false);
}

void FileCommands::save() {
  disableEditingButton(c_.save);
  if (!StoreParamTable(*c_.table, paths_.workingCopy)) {
    boxes_.show("Save fail.", "Save ini file");
  }
}

void FileCommands::change() {
  disableEditingButton(c_.change);
  const int row = c_.table->currentRow();
  if (selectedRowExists(row)) {
    c_.table->setItemText(row, ParamTable::kCommandColumn, c_.commandText->toPlainText());
    c_.save->setEnabled(true);
  }
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
  if (!dialogs_.runEditList(dialog) || !dialog.result()) {
    return;
  }
  c_.table->setItemText(row, ParamTable::kCommandColumn, *dialog.result());
  showCommandText(*dialog.result());
  c_.save->setEnabled(true);
}

void FileCommands::editMoreXml() {
  CEditList dialog(c_.moreXmlPath->text(), kMoreXmlSeparator, boxes_, window_);
  if (!dialogs_.runEditList(dialog) || !dialog.result()) {
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
  showCommandText(c_.table->itemText(row, ParamTable::kCommandColumn));
  c_.status->setText(c_.table->itemText(row, ParamTable::kNameColumn));
  if (!c_.table->itemText(row, ParamTable::kSplitSymbolColumn).isEmpty()) {
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

#include "app/file_commands.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/operator_dialogs.h"
#include "app/qt_text.h"
#include "app/tool_settings.h"
#include "platform/message_boxes.h"
#include "platform/param_table.h"
#include "platform/private_profile.h"
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
  const QSignalBlocker quiet(c_.commandText);
  c_.commandText->setPlainText(text);
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
  const auto chosen = dialogs_.chooseFile(
      {paths_.startFolderFor(c_.iniPath->text()), QStringLiteral("ini"), kIniFilters});
  if (chosen) {
    c_.iniPath->setText(*chosen);
    writeSetting(kIniSection, kIniFileKey, *chosen);
  }
  return chosen;
}

void FileCommands::importFile() {
  const auto chosen = chooseIniFile();
  if (!chosen) {
    return;
  }
  const std::filesystem::path source = ToPath(*chosen);
  // Loading sets every row's check box; that is no edit of the operator's.
  c_.table->setNotifyCheckToggle(false);
  if (ConvertToWorkingCopy(source, paths_.workingCopy)) {
    LoadParamTable(*c_.table, paths_.workingCopy);
  } else {
    LoadParamTable(*c_.table, source);
    CopyFileBytes(source, paths_.workingCopy);
  }
  StoreParamTable(*c_.table, paths_.workingCopy);
  c_.save->setEnabled(false);
  c_.change->setEnabled(false);
  c_.editCommand->setEnabled(false);
  c_.table->setNotifyCheckToggle(true);
}

void FileCommands::exportFile() {
  const auto chosen = chooseIniFile();
  if (!chosen) {
    return;
  }
  const std::filesystem::path target = ToPath(*chosen);
  CopyFileBytes(paths_.workingCopy, target);
  StoreParamTable(*c_.table, target);
  c_.change->setEnabled(false);
  c_.editCommand->setEnabled(false);
}

void FileCommands::save() {
  c_.save->setEnabled(false);
  if (!StoreParamTable(*c_.table, paths_.workingCopy)) {
    boxes_.show("Save fail.", "Save ini file");
  }
}

void FileCommands::change() {
  c_.change->setEnabled(false);
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

void FileCommands::onListEdited() {
  c_.save->setEnabled(true);
}

void FileCommands::onCommandTyped() {
  c_.change->setEnabled(true);
}

}  // namespace trel

#include "tables/param_table_io.h"

#include "platform/private_profile.h"
#include "platform/whole_file.h"
#include "tables/param_item.h"

namespace trel {

namespace {

void AppendRow(ParamTable& table, const ParamItem& item) {
  const int row = table.appendRow();
  table.setCellText(row, ParamTable::kIdColumn, ParamSectionName(item.id));
  table.setCellText(row, ParamTable::kNameColumn, item.commandName);
  table.setCellText(row, ParamTable::kDataModeColumn, DataModeName(item.dataMode));
  table.setCellText(row, ParamTable::kCommandColumn, item.command);
  if (!item.splitSymbol.empty()) {
    table.setCellText(row, ParamTable::kSplitSymbolColumn, item.splitSymbol);
  }
  table.setChecked(row, item.valid);
}

// A split symbol is written back as it is; otherwise the check box gives the flag.
std::u16string IsValidText(const ParamTable& table, int row) {
  std::u16string splitSymbol = table.cellText(row, ParamTable::kSplitSymbolColumn);
  if (!splitSymbol.empty()) {
    return splitSymbol;
  }
  return table.isChecked(row) ? u"1" : u"0";
}

// An existing file that cannot be read would come back holding only the stored keys.
bool ReadableOrAbsent(const std::filesystem::path& file) {
  std::error_code error;
  return ReadWholeFile(file, error).has_value() || error == std::errc::no_such_file_or_directory;
}

bool SetRow(ProfileDocument& file, const ParamTable& table, int row) {
  const std::u16string section =
      ParamSectionName(ProfileNumber(table.cellText(row, ParamTable::kIdColumn)));
  return file.set(section, u"Command", table.cellText(row, ParamTable::kCommandColumn)) &&
         file.set(section, u"IsValid", IsValidText(table, row));
}

// Sets every row in turn; stops at the first value the document refuses.
bool SetRows(ProfileDocument& document, const ParamTable& table) {
  for (int row = 0; row < table.rowCount(); ++row) {
    if (!SetRow(document, table, row)) {
      return false;
    }
  }
  return true;
}

}  // namespace

void LoadParamTable(ParamTable& table, const std::filesystem::path& file) {
  const ProfileDocument document = ProfileDocument::Load(file);
  table.beginBulkUpdate();
  table.removeAllRows();
  // Gaps do not end the table: every section that is not hidden is shown.
  for (int number = 1; number <= kHighestParamSection; ++number) {
    const ParamSection section = ReadParamSection(document, number);
    if (section.shownInTable()) {
      AppendRow(table, ParamItem::FromSection(section));
    }
  }
  table.endBulkUpdate();
}

bool HoldsParameterItems(const std::filesystem::path& file) {
  const ProfileDocument document = ProfileDocument::Load(file);
  for (int number = 1; number <= kHighestParamSection; ++number) {
    if (!ReadParamSection(document, number).endsSendList()) {
      return true;
    }
  }
  return false;
}

bool StoreParamTable(const ParamTable& table, const std::filesystem::path& file,
                     std::error_code& error) {
  error.clear();
  const int rows = table.rowCount();
  if (rows == 0 || !ReadableOrAbsent(file)) {
    return false;
  }
  ProfileDocument document = ProfileDocument::Load(file);
  const bool allSet = SetRows(document, table);
  // What was set before a refused value is kept, as separate writes would have kept it.
  const bool saved = document.save(file, error);
  return saved && allSet;
}

bool ExportParamTable(const ParamTable& table, const std::filesystem::path& workingCopy,
                      const std::filesystem::path& target, std::error_code& error) {
  error.clear();
  if (!ReadableOrAbsent(workingCopy)) {
    ReadWholeFile(workingCopy, error);
    return false;
  }
  ProfileDocument document = ProfileDocument::Load(workingCopy);
  if (!SetRows(document, table)) {
    error = std::make_error_code(std::errc::invalid_argument);
    return false;
  }
  return document.save(target, error);
}

}  // namespace trel

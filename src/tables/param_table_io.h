#pragma once

#include <filesystem>
#include <system_error>

#include "platform/param_table.h"

namespace trel {

// Empties the table and fills it from sections "1" to "160" of the file, skipping every section
// that is hidden; a missing or unreadable file leaves the table empty. Each row is appended
// selected and focused, so the last row ends up selected.
void LoadParamTable(ParamTable& table, const std::filesystem::path& file);

// Export: the working copy with the table's "Command" and "IsValid" values, written over the
// target in one atomic write, so a failure leaves the target as it was. A table without rows
// exports the working copy as it is. False with the cause in `error` when the working copy cannot
// be read or the target cannot be written.
bool ExportParamTable(const ParamTable& table, const std::filesystem::path& workingCopy,
                      const std::filesystem::path& target, std::error_code& error);

// True when the file holds at least one parameter item: a section "1" to "160" that is shown or
// sent (IsHide 1 or below). A binary file, an empty one or one in an encoding a profile is not read
// in holds none.
bool HoldsParameterItems(const std::filesystem::path& file);

// Writes "Command" and "IsValid" of every row into its section of the file (the other keys stay as
// they are) and saves the file once. Fails, writing nothing, for a table without rows or a file
// that cannot be saved. A value the file refuses stops the store: the rows before it are saved and
// the store fails. `error` says why the file could not be saved, when that was the failure.
bool StoreParamTable(const ParamTable& table, const std::filesystem::path& file,
                     std::error_code& error);
inline bool StoreParamTable(const ParamTable& table, const std::filesystem::path& file) {
  std::error_code ignored;
  return StoreParamTable(table, file, ignored);
}

}  // namespace trel

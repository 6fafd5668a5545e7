#pragma once

#include <filesystem>

#include "platform/param_table.h"

namespace trel {

// Empties the table and fills it from sections "1" to "160" of the file, skipping every section
// that is hidden; a missing or unreadable file leaves the table empty. Each row is appended
// selected and focused, so the last row ends up selected.
void LoadParamTable(ParamTable& table, const std::filesystem::path& file);

// Writes "Command" and "IsValid" of every row into its section of the file (the other keys stay as
// they are) and saves the file once. Fails, writing nothing, for a table without rows or a file
// that cannot be saved. A value the file refuses stops the store: the rows before it are saved and
// the store fails.
bool StoreParamTable(const ParamTable& table, const std::filesystem::path& file);

}  // namespace trel

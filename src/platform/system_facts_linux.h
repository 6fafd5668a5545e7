#pragma once

#include <filesystem>
#include <memory>

#include "platform/system_facts.h"

namespace trel {

// The facts read from the files below `root` (device nodes, udev rules folders, /proc), so tests
// can lay out a machine of their own; accounts and groups come from the system's account database.
std::unique_ptr<SystemFacts> SystemFactsBelow(const std::filesystem::path& root);

}  // namespace trel

#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_options.h"
#include "cli/private_working_copy.h"
#include "update/start_checks.h"
#include "update/update_job.h"

namespace trel {

// Every keyword file the job would load: the main one in its XML form, and each further one.
std::vector<std::filesystem::path> KeywordFilesToLoad(const JobFileOptions& options);

// Start's checks, then the output file created empty when one is named, unless it is one of the
// files to send, which would be lost. Returns the refusal text, empty when the job may start.
std::string RefuseStart(const StartChoices& choices, const JobFileOptions& files,
                        const std::filesystem::path& outputPath);

// Imports the parameter list into the working copy and sets the job's files and flags as the
// desktop tool's Start does: the parameters from the working copy, the main keyword file, the
// further keyword files in the main file's folder, the reboot flag and the netprinter setting.
UpdateJob PrepareJob(const JobFileOptions& options, const PrivateWorkingCopy& workingCopy);

}  // namespace trel

#pragma once

#include <filesystem>
#include <string>

namespace trel {

// What became of one keyword file of a job.
enum class KeywordFileFate {
  kSent,
  kSendFailed,     // its frames did not all get through: the job failed there
  kNotXml,         // a main keyword file goes out only in its XML form
  kNotLoaded,      // missing, unreadable, or not a keyword file
  kFirmwareLevel,  // the printer's firmware level takes the main keyword file only
  kLeftOut,        // it could not be opened at Start, and the operator chose to send without it
};

struct KeywordFileReport {
  std::filesystem::path file;
  KeywordFileFate fate = KeywordFileFate::kSent;
};

// "sent", or "skipped: " and the reason.
std::string KeywordFileFateText(KeywordFileFate fate);

}  // namespace trel

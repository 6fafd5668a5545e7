#include "update/keyword_file_report.h"

namespace trel {

std::string KeywordFileFateText(KeywordFileFate fate) {
  switch (fate) {
    case KeywordFileFate::kSent:
      return "sent";
    case KeywordFileFate::kSendFailed:
      return "not sent: the printer did not take its frames";
    case KeywordFileFate::kNotXml:
      return "skipped: a main keyword file is sent only in its XML form (.xml)";
    case KeywordFileFate::kNotLoaded:
      return "skipped: it does not load as a keyword file";
    case KeywordFileFate::kFirmwareLevel:
      return "skipped: the printer's firmware level takes the main keyword file only";
    case KeywordFileFate::kLeftOut:
      return "skipped: it could not be opened when the update started";
  }
  return {};
}

}  // namespace trel

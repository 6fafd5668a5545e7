#include "update/keyword_download.h"

#include "update/exchange.h"
#include "update/frame.h"
#include "update/job_frames.h"
#include "update/update_job.h"

namespace trel {

bool DownloadKeywords(const KeywordTables& tables, const std::filesystem::path& file,
                      UpdateJob& job, FrameExchange& exchange, std::uint8_t closingCode) {
  const std::vector<KeywordPayload> payloads = BuildKeywordPayloads(tables, job.keywordFileCount);
  // The payloads and the closing frame.
  FramePlace place{JobPart::kKeywordFile, file, 1, static_cast<int>(payloads.size()) + 1};
  for (const KeywordPayload& payload : payloads) {
    if (!SendNextFrame(exchange, job, kCommandKeyword, payload.type, payload.bytes, job.saveXmlData,
                       place)) {
      return false;
    }
    ++place.frame;
  }
  const Frame closing =
      BuildClosingFrame(TakeSequence(job.sequence), closingCode,
                        static_cast<std::uint8_t>(job.keywordFileIndex), job.reboot != 0);
  return Accepted(job, exchange.ExchangeFrame(closing, job.saveXmlData), place);
}

}  // namespace trel

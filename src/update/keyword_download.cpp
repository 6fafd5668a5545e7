#include "update/keyword_download.h"

#include "update/exchange.h"
#include "update/frame.h"
#include "update/job_frames.h"
#include "update/update_job.h"

namespace trel {

bool DownloadKeywords(const KeywordTables& tables, UpdateJob& job, FrameExchange& exchange,
                      std::uint8_t closingCode) {
  for (const KeywordPayload& payload : BuildKeywordPayloads(tables, job.keywordFileCount)) {
    if (!SendNextFrame(exchange, job, kCommandKeyword, payload.type, payload.bytes,
                       job.saveXmlData)) {
      return false;
    }
  }
  const Frame closing =
      BuildClosingFrame(TakeSequence(job.sequence), closingCode,
                        static_cast<std::uint8_t>(job.keywordFileIndex), job.reboot != 0);
  return exchange.ExchangeFrame(closing, job.saveXmlData).accepted();
}

}  // namespace trel

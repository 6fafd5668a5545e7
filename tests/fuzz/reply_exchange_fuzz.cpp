// One frame exchanged with a printer that answers each send with chosen bursts of bytes, through
// the reply channel as the delivery thread hands them over. The exchange must end as the
// acknowledgement rule read over the bursts oldest first says: the first burst that belongs to the
// frame decides, with its firmware word; when bursts came but none belonged, the frame goes out
// once more; when none came, it counts as unanswered (accepted with nowait).
// Bytes: flags (bit 0 nowait), how many bursts answer the first send, the frame's length, the
// frame, then the bursts, each its length and its bytes.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_files.h"
#include "link/printer_link.h"
#include "update/acknowledgement.h"
#include "update/exchange.h"
#include "update/reply_channel.h"

namespace {

using Burst = std::vector<std::uint8_t>;
using Outcome = trel::ExchangeResult::Outcome;

// Answers the first send with the first bursts and the second with the rest, at once, as the
// delivery thread would.
class AnsweringLink : public trel::PrinterLink {
 public:
  AnsweringLink(trel::ReplyChannel& replies, std::vector<std::vector<Burst>> answers)
      : replies_(replies), answers_(std::move(answers)) {}
  int SerialSetLine(int, std::uint32_t) override { return 1; }
  int SerialOpen(const std::string&) override { return 1; }
  int SerialClose() override { return 1; }
  std::string lastOpenError() const override { return {}; }
  int SerialWrite(const std::uint8_t*, std::size_t) override {
    if (sends_ < answers_.size()) {
      for (const Burst& burst : answers_[sends_]) {
        replies_.OnReply(static_cast<std::uint32_t>(burst.size()), burst.data());
      }
    }
    ++sends_;
    return 1;
  }
  std::size_t sends() const { return sends_; }

 private:
  trel::ReplyChannel& replies_;
  std::vector<std::vector<Burst>> answers_;
  std::size_t sends_ = 0;
};

struct Expected {
  trel::ExchangeResult result;
  std::size_t sends = 0;
};

// The rule, send by send, on the bursts alone.
Expected Predict(const std::vector<std::vector<Burst>>& answers,
                 std::span<const std::uint8_t> frame, bool nowait) {
  const trel::ExchangeResult unanswered{nowait ? Outcome::kAccepted : Outcome::kNoAnswer, {}};
  for (std::size_t send = 0; send < 2; ++send) {
    if (answers[send].empty()) {
      return {unanswered, send + 1};
    }
    for (const Burst& burst : answers[send]) {
      const trel::Acknowledgement ack = trel::MatchAcknowledgement(burst, frame);
      if (ack.kind == trel::Acknowledgement::Kind::kAccepted) {
        return {{Outcome::kAccepted, ack.firmwareWord}, send + 1};
      }
      if (ack.kind == trel::Acknowledgement::Kind::kRefused) {
        return {{Outcome::kRefused, {}}, send + 1};
      }
    }
    if (nowait) {
      return {unanswered, send + 1};
    }
  }
  return {unanswered, 2};
}

// Reads "length, bytes" from the input; a length past its end takes what is left.
Burst TakeBlock(std::span<const std::uint8_t>& input) {
  if (input.empty()) {
    return {};
  }
  const std::size_t length = std::min<std::size_t>(input[0], input.size() - 1);
  Burst block(input.begin() + 1, input.begin() + 1 + static_cast<std::ptrdiff_t>(length));
  input = input.subspan(1 + length);
  return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  const bool nowait = (data[0] & 1) != 0;
  const std::size_t firstAnswerBursts = data[1] % 8;
  std::span<const std::uint8_t> input(data + 2, size - 2);
  const Burst frame = TakeBlock(input);
  std::vector<std::vector<Burst>> answers(2);
  while (!input.empty()) {
    answers[answers[0].size() < firstAnswerBursts ? 0 : 1].push_back(TakeBlock(input));
  }
  trel::fuzz::NoMessages messages;
  trel::ReplyChannel replies(messages);
  AnsweringLink link(replies, answers);
  trel::FrameExchange exchange(link, replies,
                               {.fileOnly = false,
                                .nowait = nowait,
                                .outputPath = {},
                                .replyWait = std::chrono::milliseconds(0)});
  const trel::ExchangeResult result = exchange.ExchangeFrame(frame, false);
  const Expected expected = Predict(answers, frame, nowait);
  FUZZ_CHECK(result.outcome == expected.result.outcome);
  FUZZ_CHECK(result.firmwareWord == expected.result.firmwareWord);
  FUZZ_CHECK(link.sends() == expected.sends);
  return 0;
}

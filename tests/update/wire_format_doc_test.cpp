#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "update/acknowledgement.h"
#include "update/frame.h"

namespace trel {
namespace {

// Every "frame:" line of the wire format page must be a frame BuildFrame would give for its own
// fields; every reply line must read as its label says against the frame above it.
TEST(WireFormatDoc, ExamplesReadAsDescribed) {
  using Kind = Acknowledgement::Kind;
  const std::map<std::string, Kind> replyKinds = {
      {"ack:", Kind::kAccepted}, {"refusal:", Kind::kRefused}, {"foreign:", Kind::kNoMatch}};
  std::ifstream doc(TREL_WIRE_FORMAT_DOC);
  std::vector<std::uint8_t> frame;
  int examples = 0;
  std::string text;
  for (int line = 1; std::getline(doc, text); ++line) {
    std::istringstream words(text);
    std::string label, word;
    words >> label;
    if (label != "frame:" && !replyKinds.contains(label)) {
      continue;
    }
    std::vector<std::uint8_t> bytes;
    while (words >> word) {
      bytes.push_back(static_cast<std::uint8_t>(std::stoul(word, nullptr, 16)));
    }
    if (label == "frame:") {
      frame = bytes;
      ASSERT_GE(frame.size(), kFrameOverhead) << "line " << line;
      const std::vector<std::uint8_t> payload(frame.begin() + kFramePayloadOffset, frame.end() - 3);
      EXPECT_EQ(BuildFrame(frame[2], frame[3], frame[4], payload, false), frame) << "line " << line;
      ++examples;
    } else {
      EXPECT_EQ(MatchAcknowledgement(bytes, frame).kind, replyKinds.at(label)) << "line " << line;
      ++examples;
    }
  }
  EXPECT_EQ(examples, 16);
}

}  // namespace
}  // namespace trel

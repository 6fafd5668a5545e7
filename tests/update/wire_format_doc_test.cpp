#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "update/acknowledgement.h"
#include "update/frame.h"

namespace trel {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ParseHex(std::istringstream& words) {
  Bytes bytes;
  std::string word;
  while (words >> word) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoul(word, nullptr, 16)));
  }
  return bytes;
}

// A frame rebuilt from its own fields must give the same bytes.
void ExpectWellFormed(const Bytes& frame, int line) {
  ASSERT_GE(frame.size(), kFrameOverhead) << "line " << line;
  const std::size_t payloadSize = frame.size() - kFrameOverhead;
  EXPECT_EQ(frame[kFrameLengthOffset], static_cast<std::uint8_t>(payloadSize + 1))
      << "line " << line;
  const Bytes payload(frame.begin() + kFramePayloadOffset, frame.end() - 3);
  EXPECT_EQ(BuildFrame(frame[kFrameSequenceOffset], frame[kFrameCommandOffset],
                       frame[kFrameArgumentOffset], payload, false),
            frame)
      << "line " << line;
}

TEST(WireFormatDoc, EveryExampleFrameAndReplyReadsAsDescribed) {
  std::ifstream doc(TREL_WIRE_FORMAT_DOC);
  ASSERT_TRUE(doc.good());
  const std::map<std::string, Acknowledgement::Kind> replyKinds = {
      {"ack:", Acknowledgement::Kind::kAccepted},
      {"refusal:", Acknowledgement::Kind::kRefused},
      {"foreign:", Acknowledgement::Kind::kNoMatch}};
  Bytes lastFrame;
  int frames = 0;
  int replies = 0;
  std::string text;
  for (int line = 1; std::getline(doc, text); ++line) {
    std::istringstream words(text);
    std::string label;
    words >> label;
    if (label == "frame:") {
      lastFrame = ParseHex(words);
      ExpectWellFormed(lastFrame, line);
      ++frames;
    } else if (const auto kind = replyKinds.find(label); kind != replyKinds.end()) {
      EXPECT_EQ(MatchAcknowledgement(ParseHex(words), lastFrame).kind, kind->second)
          << "line " << line;
      ++replies;
    }
  }
  EXPECT_EQ(frames, 12);
  EXPECT_EQ(replies, 3);
}

}  // namespace
}  // namespace trel

// Every kind of frame the engine builds, read back by the recording reader and described as
// `trel decode` prints it: the fields put in must be the fields read out.
#include <gtest/gtest.h>

#include <string_view>

#include "tables/keyword_tables.h"
#include "update/clock_frame.h"
#include "update/frame.h"
#include "update/frame_meaning.h"
#include "update/keyword_payloads.h"
#include "update/recording_reader.h"

namespace trel {
namespace {

using Bytes = std::vector<std::uint8_t>;

void SetText(auto& field, std::string_view text) {
  SetFieldText(field, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// Keyword tables with one entry of every kind: two first-level rows, one second-level key, one
// translation source in each list and their two texts.
KeywordTables SampleTables() {
  KeywordTables tables;
  tables.block = {};
  tables.firstCount = 2;
  tables.transCount1 = 1;
  tables.transCount2 = 1;
  FirstKeyRow& first = tables.block.firstKeys[1];
  first = {{}, {}, 1, 2, 3, 0x31, 4};
  SetText(first.key, "#");
  SetText(first.content, "\rTotal:");
  SecondKeyRow& second = tables.block.secondKeys[2][0];
  second.option1 = 5;
  second.flags = 0x40;
  SetText(second.key, ",,");
  SetText(second.content, "X");
  SetText(tables.block.transKeys1[0], "1");
  SetText(tables.block.transKeys2[0], "14");
  SetText(tables.block.transTexts[0], "Delivery");
  SetText(tables.block.transTexts[1], "Tip \"x\"");
  return tables;
}

// The frames of the sample tables, in the order a keyword download sends them, from counter 20.
std::vector<Frame> KeywordFrames() {
  std::vector<Frame> frames;
  std::uint8_t counter = 20;
  for (const KeywordPayload& payload : BuildKeywordPayloads(SampleTables(), 3)) {
    frames.push_back(BuildFrame(counter++, kCommandKeyword, payload.type, payload.bytes, false));
  }
  return frames;
}

struct RoundTrip {
  const char* kind;
  Frame frame;
  std::uint8_t sequence;  // as read back
  std::string meaning;
};

std::vector<RoundTrip> RoundTrips() {
  const std::vector<Frame> keyword = KeywordFrames();
  return {
      {"clock", BuildClockFrame({2026, 12, 8, 14, 30, 5}, kFirstSequence, false), 3,
       "clock 2026-12-08 14:30:05"},
      {"parameter data", BuildFrame(4, kCommandParameterData, 3, Bytes(100, 0x41), false), 4,
       "parameter data frame 3, 100 bytes"},
      {"parameter data, rebooting", BuildFrame(4, kCommandParameterData, 0, Bytes{7}, true), 20,
       "parameter data frame 0, 1 bytes"},
      {"parameter end",
       BuildFrame(5, kCommandParameterEnd, 0, Bytes{0xAA, 0x55, 0x55, 0xAA}, false), 5,
       "end of parameters"},
      {"keyword header", keyword[0], 20, "keyword header: 2 first-level keys, keyword files 3"},
      {"empty first-level key", keyword[1], 21,
       "first-level key 0: hasSecond 0 option1 0 option2 0 flags 0x00 secondCount 0 key \"\" "
       "content \"\""},
      {"first-level key", keyword[2], 22,
       "first-level key 1: hasSecond 1 option1 2 option2 3 flags 0x31 secondCount 4 key \"#\" "
       "content \"\\x0dTotal:\""},
      {"second-level key", keyword[3], 23,
       "second-level key group 2 entry 0: option1 5 option2 0 flags 0x40 key \",,\" content \"X\""},
      {"translation source, list 1", keyword[4], 24,
       "translation source 0: list 1 row 0 text \"1\""},
      {"translation source, list 2", keyword[5], 25,
       "translation source 1: list 2 row 0 text \"14\""},
      {"translation text", keyword[6], 26, "translation text 0: \"Delivery\""},
      {"translation text with quotes", keyword[7], 27, "translation text 1: \"Tip \\\"x\\\"\""},
      {"closing, main file", BuildClosingFrame(11, kClosingCodeMainFile, 0, false), 11,
       "end of main keyword file, file index 0"},
      {"closing, extra file", BuildClosingFrame(40, kClosingCodeExtraFile, 2, false), 40,
       "end of extra keyword file, file index 2"},
  };
}

void ExpectReadBack(const RoundTrip& trip, const RecordedFrame& read) {
  EXPECT_EQ(read.sequence, trip.sequence) << trip.kind;
  EXPECT_EQ(read.command, trip.frame[kFrameCommandOffset]) << trip.kind;
  EXPECT_EQ(read.argument, trip.frame[kFrameArgumentOffset]) << trip.kind;
  EXPECT_EQ(Bytes(read.payload.begin(), read.payload.end()),
            Bytes(trip.frame.begin() + kFramePayloadOffset, trip.frame.end() - 3))
      << trip.kind;
  EXPECT_TRUE(read.checksumGood()) << trip.kind;
  EXPECT_EQ(DescribeFrame(read), trip.meaning) << trip.kind;
}

TEST(FrameCodec, EveryFrameKindReadsBackAsBuilt) {
  const std::vector<RoundTrip> trips = RoundTrips();
  ASSERT_EQ(KeywordFrames().size(), 8u);  // every keyword entry of the sample has its row above
  for (const RoundTrip& trip : trips) {
    const RecordingWalk walk = WalkRecording(trip.frame);
    ASSERT_EQ(walk.frames.size(), 1u) << trip.kind;
    EXPECT_FALSE(walk.malformedAt) << trip.kind;
    ExpectReadBack(trip, walk.frames[0]);
  }
}

TEST(FrameCodec, ARecordingOfEveryKindReadsBackFrameByFrame) {
  const std::vector<RoundTrip> trips = RoundTrips();
  Bytes recording;
  std::vector<std::size_t> offsets;
  for (const RoundTrip& trip : trips) {
    offsets.push_back(recording.size());
    recording.insert(recording.end(), trip.frame.begin(), trip.frame.end());
  }
  const RecordingWalk walk = WalkRecording(recording);
  EXPECT_FALSE(walk.malformedAt);
  ASSERT_EQ(walk.frames.size(), trips.size());
  for (std::size_t i = 0; i < trips.size(); ++i) {
    EXPECT_EQ(walk.frames[i].offset, offsets[i]) << trips[i].kind;
    ExpectReadBack(trips[i], walk.frames[i]);
  }
}

}  // namespace
}  // namespace trel

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tables/text_encoding.h"

namespace trel {
namespace {

// Encodes into a destination of `limit` bytes pre-filled with 0xEE, so untouched bytes show.
struct Encoded {
  std::size_t result;
  std::string destination;
};

Encoded Encode(const TextEncoding& encoding, std::u16string& text, std::size_t limit) {
  std::string destination(limit, '\xEE');
  const std::size_t result = encoding.EncodeUtf8(
      text, std::span(reinterpret_cast<std::uint8_t*>(destination.data()), destination.size()));
  return {result, destination};
}

TEST(ExpandEscapes, SpaceReturnAndSeparatorPairs) {
  TextEncoding encoding;
  std::u16string text = u"A\\aB\\rC\\sD";
  EXPECT_EQ(encoding.ExpandEscapes(text), 7u);
  EXPECT_EQ(text, u"A B\rC\u00FFD");
}

TEST(ExpandEscapes, OtherPairsTrailingAndDoubledBackslashes) {
  TextEncoding encoding;
  std::u16string path = u"C:\\path";
  encoding.ExpandEscapes(path);
  EXPECT_EQ(path, u"C:\\path");

  std::u16string trailing = u"ab\\";
  encoding.ExpandEscapes(trailing);
  EXPECT_EQ(trailing, u"ab\\");

  // The first backslash does not escape the second: the second escapes the "a".
  std::u16string doubled = u"\\\\a";
  encoding.ExpandEscapes(doubled);
  EXPECT_EQ(doubled, u"\\ ");

  // Adjacent escapes each expand; the replacement is never re-read as a backslash.
  std::u16string adjacent = u"\\a\\r\\s";
  encoding.separatorCode = TextEncoding::kNetSeparator;
  encoding.ExpandEscapes(adjacent);
  EXPECT_EQ(adjacent, u" \r\u02FF");
}

TEST(ExpandEscapes, TextEndsAtItsFirstNul) {
  TextEncoding encoding;
  std::u16string text(u"x\\ay\0\\a", 7);
  EXPECT_EQ(encoding.ExpandEscapes(text), 3u);
  EXPECT_EQ(text, u"x y");
}

TEST(EncodeUtf8, EscapesBecomeTheirBytes) {
  TextEncoding encoding;
  std::u16string space = u"A\\aB";
  EXPECT_EQ(Encode(encoding, space, 8).destination.substr(0, 4), std::string("A B\0", 4));
  std::u16string ret = u"A\\rB";
  EXPECT_EQ(Encode(encoding, ret, 8).destination.substr(0, 3), "A\rB");
}

TEST(EncodeUtf8, SeparatorFollowsTheCurrentCode) {
  TextEncoding encoding;
  std::u16string plain = u"\\s";
  EXPECT_EQ(Encode(encoding, plain, 4).destination.substr(0, 3), std::string("\xC3\xBF\0", 3));
  encoding.separatorCode = TextEncoding::kNetSeparator;
  std::u16string net = u"\\s";
  EXPECT_EQ(Encode(encoding, net, 4).destination.substr(0, 3), std::string("\xCB\xBF\0", 3));
}

TEST(EncodeUtf8, CutsTwoCharactersAtATime) {
  TextEncoding encoding;
  std::u16string ascii(30, u'a');
  const Encoded cut = Encode(encoding, ascii, 20);
  EXPECT_EQ(cut.result, 18u);
  EXPECT_EQ(cut.destination, std::string(18, 'a') + std::string("\0\xEE", 2));
  EXPECT_EQ(ascii.size(), 18u);

  // Ten characters of three bytes each: cut to six (18 bytes and the NUL fit 20).
  std::u16string wide(10, u'\u20AC');
  const Encoded cutWide = Encode(encoding, wide, 20);
  EXPECT_EQ(cutWide.result, 18u);
  EXPECT_EQ(wide.size(), 6u);
  EXPECT_EQ(cutWide.destination[18], '\0');

  // An odd overshoot still drops two: 5 + NUL does not fit 5, so 3 characters remain.
  std::u16string five = u"abcde";
  EXPECT_EQ(Encode(encoding, five, 5).result, 3u);
  EXPECT_EQ(five, u"abc");
}

TEST(EncodeUtf8, ShortTextThatCannotFitIsCutAtTheLimitWithoutNul) {
  TextEncoding encoding;
  std::u16string two = u"\u20AC\u20AC";  // six bytes, cannot be shortened below two characters
  const Encoded cut = Encode(encoding, two, 4);
  EXPECT_EQ(cut.result, 3u);
  EXPECT_EQ(cut.destination, "\xE2\x82\xAC\xE2");
}

TEST(EncodeUtf8, EmptyTextAndEmptyDestination) {
  TextEncoding encoding;
  std::u16string empty;
  const Encoded nul = Encode(encoding, empty, 4);
  EXPECT_EQ(nul.result, 0u);
  EXPECT_EQ(nul.destination, std::string("\0\xEE\xEE\xEE", 4));

  std::u16string text = u"abc";
  EXPECT_EQ(Encode(encoding, text, 0).result, 0u);
}

TEST(EncodeUtf8, ChangesTheCallersTextButEncodedBytesDoesNot) {
  TextEncoding encoding;
  std::u16string text = u"x\\ay";
  Encode(encoding, text, 8);
  EXPECT_EQ(text, u"x y");

  const std::u16string kept = u"x\\ay";
  EXPECT_EQ(encoding.EncodedBytes(kept, 8), "x y");
  EXPECT_EQ(kept, u"x\\ay");
}

TEST(EncodeUtf8, CutThroughASurrogatePairGivesAReplacement) {
  TextEncoding encoding;
  // "a", U+1F600 (a pair), "b": dropping two leaves "a" and a lone high surrogate.
  std::u16string text = u"a\U0001F600b";
  EXPECT_EQ(encoding.EncodedBytes(text, 5), "a\xEF\xBF\xBD");
}

TEST(DecodeUtf8, CountsTheTerminatorOnlyWhenPresent) {
  std::u16string out = u"old";
  EXPECT_EQ(TextEncoding::DecodeUtf8("", out), 0u);
  EXPECT_EQ(out, u"old");

  EXPECT_EQ(TextEncoding::DecodeUtf8("Gr\xC3\xBC\xC3\x9F"
                                     "e",
                                     out),
            5u);
  EXPECT_EQ(out, u"Grüße");

  EXPECT_EQ(TextEncoding::DecodeUtf8(std::string_view("ab\0cd", 5), out), 3u);
  EXPECT_EQ(out, u"ab");

  EXPECT_EQ(TextEncoding::DecodeUtf8("\xFF"
                                     "a",
                                     out),
            2u);
  EXPECT_EQ(out, u"\uFFFDa");
}

}  // namespace
}  // namespace trel

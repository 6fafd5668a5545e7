#include <gtest/gtest.h>

#include <string>

#include "tables/text_encoding.h"

namespace trel {
namespace {

// The whole destination after encoding into `limit` bytes pre-filled with 0xEE, then the result.
std::pair<std::string, std::size_t> Encode(const TextEncoding& encoding, std::u16string& text,
                                           std::size_t limit) {
  std::string destination(limit, '\xEE');
  const std::size_t result = encoding.EncodeUtf8(
      text, std::span(reinterpret_cast<std::uint8_t*>(destination.data()), destination.size()));
  return {destination, result};
}

TEST(TextEncoding, EscapesExpandAndOtherBackslashesStay) {
  TextEncoding encoding;
  EXPECT_EQ(encoding.EncodedBytes(u"A\\aB", 8), "A B");
  EXPECT_EQ(encoding.EncodedBytes(u"A\\rB", 8), "A\rB");
  EXPECT_EQ(encoding.EncodedBytes(u"\\s", 8), "\xC3\xBF");
  encoding.separatorCode = TextEncoding::kNetSeparator;
  EXPECT_EQ(encoding.EncodedBytes(u"\\s", 8), "\xCB\xBF");
  EXPECT_EQ(encoding.EncodedBytes(u"C:\\path\\", 16), "C:\\path\\");
  EXPECT_EQ(encoding.EncodedBytes(u"\\\\a", 8), "\\ ");  // a doubled backslash is no escape
  EXPECT_EQ(encoding.EncodedBytes(std::u16string(u"x\0\\a", 4), 8), "x");  // ends at its NUL
}

TEST(TextEncoding, EncoderChangesTheCallersText) {
  TextEncoding encoding;
  std::u16string text = u"x\\ay";
  EXPECT_EQ(Encode(encoding, text, 8).second, 3u);
  EXPECT_EQ(text, u"x y");
}

TEST(TextEncoding, CutsTwoCharactersAtATimeUntilTheTextAndNulFit) {
  TextEncoding encoding;
  std::u16string ascii(30, u'a');
  EXPECT_EQ(Encode(encoding, ascii, 20),
            std::pair(std::string(18, 'a') + std::string("\0\xEE", 2), std::size_t{18}));

  std::u16string euros(10, u'\u20AC');  // three bytes each: six fit with the NUL
  EXPECT_EQ(Encode(encoding, euros, 20).second, 18u);
  EXPECT_EQ(euros.size(), 6u);

  // A cut through a surrogate pair leaves a lone half, which encodes as U+FFFD.
  EXPECT_EQ(encoding.EncodedBytes(u"a\U0001F600b", 5), "a\xEF\xBF\xBD");
}

TEST(TextEncoding, ShortEmptyAndZeroSizedCases) {
  TextEncoding encoding;
  std::u16string two = u"\u20AC\u20AC";  // cannot drop below two characters: cut, no NUL
  EXPECT_EQ(Encode(encoding, two, 4), std::pair(std::string("\xE2\x82\xAC\xE2"), std::size_t{3}));
  std::u16string empty;
  EXPECT_EQ(Encode(encoding, empty, 2), std::pair(std::string("\0\xEE", 2), std::size_t{0}));
  std::u16string text = u"abc";
  EXPECT_EQ(Encode(encoding, text, 0).second, 0u);
}

TEST(TextEncoding, DecodeCountsTheTerminatorOnlyWhenPresent) {
  std::u16string out = u"old";
  EXPECT_EQ(TextEncoding::DecodeUtf8("", out), 0u);
  EXPECT_EQ(out, u"old");
  EXPECT_EQ(TextEncoding::DecodeUtf8(std::string_view("Gr\xC3\xBC\0x", 5), out), 4u);
  EXPECT_EQ(out, u"Grü");
}

}  // namespace
}  // namespace trel

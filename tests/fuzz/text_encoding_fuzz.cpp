// A command text in every data mode, with either separator code: the value never reads past the
// text, has the size its mode gives, and in UTF8 mode decodes back to the text with its escapes
// expanded. The encoder into a destination of any size stays inside it and ends a text that fits
// with a NUL. Bytes: separator choice, destination size, then the text as UTF-16LE.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/utf_convert.h"
#include "tables/param_item.h"
#include "tables/text_encoding.h"
#include "update/parameter_block.h"

namespace {

bool HoldsLoneSurrogate(const std::u16string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
    const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
    if (low || (high && (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF))) {
      return true;
    }
    i += high ? 1 : 0;
  }
  return false;
}

void CheckEscapesExpanded(const trel::TextEncoding& encoding, std::u16string text) {
  const std::size_t before = text.size();
  FUZZ_CHECK(encoding.ExpandEscapes(text) == text.size() && text.size() <= before);
  FUZZ_CHECK(text.find(u'\0') == std::u16string::npos);
  for (const char16_t* pair : {u"\\a", u"\\r", u"\\s"}) {
    FUZZ_CHECK(text.find(pair) == std::u16string::npos);
  }
}

void CheckEveryMode(const trel::TextEncoding& encoding, const std::u16string& command) {
  if (command.empty()) {
    return;
  }
  FUZZ_CHECK(trel::PackItemValue(command, trel::kDataModeHex, encoding).size() ==
             (command.size() + 1) / 2);
  FUZZ_CHECK(trel::PackItemValue(command, trel::kDataModeAscii, encoding).size() == command.size());
  FUZZ_CHECK(trel::PackItemValue(command, trel::kDataModeUnicode, encoding).size() ==
             2 * command.size());
  FUZZ_CHECK(trel::PackItemValue(command, trel::kDataModeUtf8 + 1, encoding).empty());
  const std::vector<std::uint8_t> utf8 =
      trel::PackItemValue(command, trel::kDataModeUtf8, encoding);
  std::u16string expanded = command;
  encoding.ExpandEscapes(expanded);
  if (!HoldsLoneSurrogate(expanded)) {
    std::u16string decoded;
    trel::TextEncoding::DecodeUtf8(std::string(utf8.begin(), utf8.end()), decoded);
    FUZZ_CHECK(decoded == expanded);
  }
}

void CheckBoundedEncode(const trel::TextEncoding& encoding, std::u16string text,
                        std::size_t limit) {
  // Guard bytes on both sides catch a write outside the destination even without the sanitizer.
  std::vector<std::uint8_t> buffer(limit + 2, 0xA5);
  const std::size_t written = encoding.EncodeUtf8(text, std::span(buffer).subspan(1, limit));
  FUZZ_CHECK(buffer.front() == 0xA5 && buffer.back() == 0xA5);
  FUZZ_CHECK(written <= limit);
  // The text is left as it went out: expanded, and shortened when it did not fit.
  const std::string sent = trel::Utf16ToUtf8(text);
  if (sent.size() + 1 <= limit) {
    FUZZ_CHECK(written == sent.size() && buffer[1 + written] == 0);
    FUZZ_CHECK(std::string(buffer.begin() + 1,
                           buffer.begin() + 1 + static_cast<std::ptrdiff_t>(written)) == sent);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  trel::TextEncoding encoding;
  encoding.separatorCode =
      data[0] % 2 == 0 ? trel::TextEncoding::kPlainSeparator : trel::TextEncoding::kNetSeparator;
  const std::size_t limit = data[1];
  std::u16string command;
  for (std::size_t i = 2; i + 1 < size; i += 2) {
    command.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  CheckEscapesExpanded(encoding, command);
  CheckEveryMode(encoding, command);
  CheckBoundedEncode(encoding, command, limit);
  return 0;
}

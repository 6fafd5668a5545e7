#include "tables/text_encoding.h"

#include <algorithm>
#include <string>

#include "platform/utf_convert.h"

namespace trel {

namespace {

// A wide text is a C string: whatever follows its first NUL is not part of it.
void CutAtFirstNul(std::u16string& text) {
  const auto nul = text.find(u'\0');
  if (nul != std::u16string::npos) {
    text.resize(nul);
  }
}

}  // namespace

std::size_t TextEncoding::ExpandEscapes(std::u16string& text) const {
  CutAtFirstNul(text);
  // The scan stays at a replaced position: the replacement is never a backslash, so it moves on
  // at the next turn, and a doubled backslash is not an escape of its own.
  for (std::size_t i = 0; text.size() >= 2 && i < text.size() - 1; ++i) {
    if (text[i] != u'\\') {
      continue;
    }
    char16_t replacement = 0;
    switch (text[i + 1]) {
      case u'a':
        replacement = u' ';
        break;
      case u'r':
        replacement = u'\r';
        break;
      case u's':
        replacement = separatorCode;
        break;
      default:
        continue;
    }
    text.replace(i, 2, 1, replacement);
  }
  return text.size();
}

std::size_t TextEncoding::EncodeUtf8(std::u16string& text,
                                     std::span<std::uint8_t> destination) const {
  ExpandEscapes(text);
  const std::size_t limit = destination.size();
  // Shortened two characters at a time, never one, while the text and its NUL do not fit.
  while (Utf8Length(text) + 1 > limit && text.size() > 2) {
    text.resize(text.size() - 2);
  }
  if (limit == 0) {
    return 0;
  }
  std::string bytes = Utf16ToUtf8(text);
  bytes.push_back('\0');
  const std::size_t copied = std::min(bytes.size(), limit);
  std::copy_n(bytes.begin(), copied, destination.begin());
  return copied - 1;
}

std::string TextEncoding::EncodedBytes(std::u16string text, std::size_t limit) const {
  std::string destination(limit, '\0');
  const std::size_t written =
      EncodeUtf8(text, std::span(reinterpret_cast<std::uint8_t*>(destination.data()), limit));
  destination.resize(written);
  return destination;
}

std::size_t TextEncoding::DecodeUtf8(std::string_view bytes, std::u16string& out) {
  if (bytes.empty()) {
    return 0;
  }
  const auto nul = bytes.find('\0');
  const bool terminated = nul != std::string_view::npos;
  out = Utf8ToUtf16(bytes.substr(0, terminated ? nul : bytes.size()));
  return out.size() + (terminated ? 1 : 0);
}

}  // namespace trel

#include "platform/utf_convert.h"

namespace trel {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return byte >= 0x80 && byte <= 0xBF;
}

// What a lead byte promises: how many continuation bytes follow, the range the first of them must
// lie in (which rules out overlong forms, surrogates and code points above U+10FFFF), and the bits
// of the code point that the lead byte carries.
struct LeadByte {
  int continuations = 0;  // 0: not a lead byte of a multi-byte sequence
  unsigned char firstLow = 0x80;
  unsigned char firstHigh = 0xBF;
  char32_t bits = 0;
};

LeadByte ClassifyLead(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) {
    return {1, 0x80, 0xBF, static_cast<char32_t>(byte & 0x1F)};
  }
  if (byte >= 0xE0 && byte <= 0xEF) {
    const unsigned char low = byte == 0xE0 ? 0xA0 : 0x80;
    const unsigned char high = byte == 0xED ? 0x9F : 0xBF;
    return {2, low, high, static_cast<char32_t>(byte & 0x0F)};
  }
  if (byte >= 0xF0 && byte <= 0xF4) {
    const unsigned char low = byte == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = byte == 0xF4 ? 0x8F : 0xBF;
    return {3, low, high, static_cast<char32_t>(byte & 0x07)};
  }
  return {};
}

void AppendCodePoint(std::u16string& out, char32_t codePoint) {
  if (codePoint < 0x10000) {
    out.push_back(static_cast<char16_t>(codePoint));
    return;
  }
  const char32_t offset = codePoint - 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
}

// Decodes the sequence that starts at `pos` (a multi-byte lead byte), appends its character or one
// replacement, and returns the number of bytes it used.
std::size_t DecodeSequence(std::string_view bytes, std::size_t pos, std::u16string& out) {
  const LeadByte lead = ClassifyLead(static_cast<unsigned char>(bytes[pos]));
  if (lead.continuations == 0) {
    out.push_back(kReplacement);
    return 1;
  }
  if (pos + 1 < bytes.size()) {
    const auto first = static_cast<unsigned char>(bytes[pos + 1]);
    if (IsContinuation(first) && (first < lead.firstLow || first > lead.firstHigh)) {
      // A continuation byte the lead byte does not allow: the pair counts as one bad character,
      // and any continuation bytes after it are stray ones.
      out.push_back(kReplacement);
      return 2;
    }
  }
  char32_t codePoint = lead.bits;
  std::size_t used = 1;
  while (used <= static_cast<std::size_t>(lead.continuations) && pos + used < bytes.size()) {
    const auto next = static_cast<unsigned char>(bytes[pos + used]);
    if (!IsContinuation(next)) {
      break;
    }
    codePoint = (codePoint << 6) | (next & 0x3F);
    ++used;
  }
  if (used == static_cast<std::size_t>(lead.continuations) + 1) {
    AppendCodePoint(out, codePoint);
  } else {
    out.push_back(kReplacement);  // cut short: one replacement for what was there
  }
  return used;
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Calls `emit` with each code point of the text; a lone surrogate gives U+FFFD.
template <typename Emit>
void ForEachCodePoint(std::u16string_view text, Emit emit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      emit(0x10000 + ((static_cast<char32_t>(unit - 0xD800) << 10) | (text[i + 1] - 0xDC00)));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      emit(kReplacement);
    } else {
      emit(unit);
    }
  }
}

std::size_t EncodedSize(char32_t codePoint) {
  if (codePoint < 0x80) {
    return 1;
  }
  if (codePoint < 0x800) {
    return 2;
  }
  return codePoint < 0x10000 ? 3 : 4;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  const std::size_t size = EncodedSize(codePoint);
  if (size == 1) {
    out.push_back(static_cast<char>(codePoint));
    return;
  }
  static constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
  out.push_back(static_cast<char>(kLeadMarks[size] | (codePoint >> (6 * (size - 1)))));
  for (std::size_t shift = 6 * (size - 1); shift > 0; shift -= 6) {
    out.push_back(static_cast<char>(0x80 | ((codePoint >> (shift - 6)) & 0x3F)));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    if (byte < 0x80) {
      out.push_back(byte);
      ++pos;
    } else {
      pos += DecodeSequence(bytes, pos, out);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(Utf8Length(text));
  ForEachCodePoint(text, [&out](char32_t codePoint) { AppendUtf8(out, codePoint); });
  return out;
}

std::size_t Utf8Length(std::u16string_view text) {
  std::size_t length = 0;
  ForEachCodePoint(text, [&length](char32_t codePoint) { length += EncodedSize(codePoint); });
  return length;
}

}  // namespace trel

#include "platform/profile_syntax.h"

#include <algorithm>

#include "platform/private_profile.h"

namespace trel {

namespace {

bool IsQuote(char16_t c) {
  return c == u'"' || c == u'\'';
}

bool IsWrappedInQuotes(std::u16string_view text) {
  return text.size() >= 2 && IsQuote(text.front()) && text.front() == text.back();
}

char16_t FoldChar(char16_t c) {
  const bool upperAscii = c >= u'A' && c <= u'Z';
  const bool upperLatin1 = c >= 0xC0 && c <= 0xDE && c != 0xD7;
  const bool upperGreek = c >= 0x391 && c <= 0x3A9 && c != 0x3A2;
  const bool upperCyrillic = c >= 0x410 && c <= 0x42F;
  if (upperAscii || upperLatin1 || upperGreek || upperCyrillic) {
    return static_cast<char16_t>(c + 0x20);
  }
  if (c >= 0x400 && c <= 0x40F) {
    return static_cast<char16_t>(c + 0x50);
  }
  return c;
}

}  // namespace

bool IsProfileBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

std::u16string_view TrimProfileBlanks(std::u16string_view text) {
  while (!text.empty() && IsProfileBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsProfileBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::u16string_view UpToNul(std::u16string_view text) {
  return text.substr(0, std::min(text.find(u'\0'), text.size()));
}

bool HoldsLineBreak(std::u16string_view text) {
  return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

ProfileLine ParseProfileLine(std::u16string_view text) {
  const std::u16string_view line = TrimProfileBlanks(text);
  if (line.empty() || line.front() == u';') {
    return {};
  }
  if (line.front() == u'[') {
    const std::size_t close = line.rfind(u']');
    if (close != std::u16string_view::npos && close > 0) {
      return {ProfileLine::Kind::kSection,
              std::u16string(TrimProfileBlanks(line.substr(1, close - 1))),
              {}};
    }
  }
  const std::size_t equals = line.find(u'=');
  if (equals == std::u16string_view::npos) {
    return {};
  }
  const std::u16string_view name = TrimProfileBlanks(line.substr(0, equals));
  if (name.empty()) {
    return {};
  }
  return {ProfileLine::Kind::kKey, std::u16string(name),
          std::u16string(TrimProfileBlanks(line.substr(equals + 1)))};
}

std::u16string FoldProfileName(std::u16string_view name) {
  std::u16string folded(name);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldChar);
  return folded;
}

std::u16string ProfileValueAsRead(std::u16string_view stored) {
  stored = TrimProfileBlanks(stored);
  if (IsWrappedInQuotes(stored)) {
    stored = stored.substr(1, stored.size() - 2);
  }
  return std::u16string(stored.substr(0, kProfileValueLimit));
}

bool IsWritableSectionName(std::u16string_view name) {
  return !name.empty() && !HoldsLineBreak(name);
}

bool IsWritableKeyName(std::u16string_view name) {
  return IsWritableSectionName(name) && name.find(u'=') == std::u16string_view::npos &&
         name.front() != u';' && name.front() != u'[';
}

std::u16string SectionHeaderText(std::u16string_view name) {
  return u"[" + std::u16string(name) + u"]";
}

std::u16string KeyLineText(std::u16string_view name, std::u16string_view storedValue) {
  return std::u16string(name) + u"=" + std::u16string(storedValue);
}

}  // namespace trel

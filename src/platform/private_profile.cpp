#include "platform/private_profile.h"

#include <limits>
#include <mutex>

#include "platform/utf_convert.h"
#include "platform/whole_file.h"

namespace trel {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::u16string_view kLineEnd = u"\r\n";

char16_t UnitAt(std::string_view bytes, std::size_t pos, std::size_t unitSize) {
  const auto low = static_cast<unsigned char>(bytes[pos]);
  if (unitSize == 1) {
    return low;
  }
  return static_cast<char16_t>(low | (static_cast<unsigned char>(bytes[pos + 1]) << 8));
}

// Calls onLine(begin, end) with the byte range of each line of bytes[begin, end), which holds
// code units of `unitSize` bytes; CR, LF and CR LF each end a line.
template <typename OnLine>
void ForEachLine(std::string_view bytes, std::size_t begin, std::size_t end, std::size_t unitSize,
                 OnLine onLine) {
  std::size_t lineStart = begin;
  std::size_t pos = begin;
  while (pos < end) {
    const char16_t unit = UnitAt(bytes, pos, unitSize);
    pos += unitSize;
    if (unit != u'\r' && unit != u'\n') {
      continue;
    }
    onLine(lineStart, pos - unitSize);
    if (unit == u'\r' && pos < end && UnitAt(bytes, pos, unitSize) == u'\n') {
      pos += unitSize;
    }
    lineStart = pos;
  }
  if (lineStart < end) {
    onLine(lineStart, end);
  }
}

fs::path Normalised(const fs::path& file) {
  std::error_code error;
  const fs::path absolute = fs::absolute(file, error);
  return (error ? file : absolute).lexically_normal();
}

bool IsNumberBlank(char16_t c) {
  return IsProfileBlank(c) || c == u'\r' || c == u'\n';
}

}  // namespace

ProfileDocument ProfileDocument::Load(const fs::path& file) {
  ProfileDocument document;
  std::error_code error;
  std::optional<std::string> bytes = ReadWholeFile(file, error);
  if (bytes) {
    document.parse(std::move(*bytes));
  } else if (error != std::errc::no_such_file_or_directory) {
    document.unreadable_ = Normalised(file);
  }
  return document;
}

void ProfileDocument::parse(std::string bytes) {
  source_ = std::move(bytes);
  const std::string_view source = source_;
  std::size_t begin = 0;
  std::size_t end = source.size();
  std::size_t unitSize = 1;
  if (source.starts_with(kUtf16LeMark)) {
    encoding_ = Encoding::kUtf16Le;
    begin = kUtf16LeMark.size();
    end -= (end - begin) % 2;  // a cut-off last byte is no character
    unitSize = 2;
  } else if (source.starts_with(kUtf8Mark)) {
    encoding_ = Encoding::kUtf8WithMark;
    begin = kUtf8Mark.size();
  }
  ForEachLine(source, begin, end, unitSize,
              [this](std::size_t lineBegin, std::size_t lineEnd) { addLine(lineBegin, lineEnd); });
}

void ProfileDocument::addLine(std::size_t begin, std::size_t end) {
  Line line{ParseProfileLine(decode(begin, end)), begin, end, false};
  if (line.parsed.kind == ProfileLine::Kind::kSection) {
    sectionIndex_.try_emplace(FoldProfileName(line.parsed.name), sections_.size());
    sections_.emplace_back().lines.push_back(std::move(line));
    return;
  }
  Section& section = sections_.back();
  const bool insideSection = sections_.size() > 1;  // keys before the first header are ignored
  if (insideSection && line.parsed.kind == ProfileLine::Kind::kKey) {
    section.keys.try_emplace(FoldProfileName(line.parsed.name), section.lines.size());
    section.lastKeyLine = section.lines.size();
  }
  section.lines.push_back(std::move(line));
}

std::u16string ProfileDocument::decode(std::size_t begin, std::size_t end) const {
  const std::string_view bytes = std::string_view(source_).substr(begin, end - begin);
  if (encoding_ != Encoding::kUtf16Le) {
    return Utf8ToUtf16(bytes);
  }
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t pos = 0; pos + 1 < bytes.size(); pos += 2) {
    text.push_back(UnitAt(bytes, pos, 2));
  }
  return text;
}

std::string ProfileDocument::encode(std::u16string_view text) const {
  if (encoding_ != Encoding::kUtf16Le) {
    return Utf16ToUtf8(text);
  }
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

const ProfileDocument::Line* ProfileDocument::findKey(std::u16string_view section,
                                                      std::u16string_view key) const {
  const auto sectionAt = sectionIndex_.find(FoldProfileName(TrimProfileBlanks(UpToNul(section))));
  if (sectionAt == sectionIndex_.end()) {
    return nullptr;
  }
  const Section& found = sections_[sectionAt->second];
  const auto keyAt = found.keys.find(FoldProfileName(TrimProfileBlanks(UpToNul(key))));
  return keyAt == found.keys.end() ? nullptr : &found.lines[keyAt->second];
}

std::u16string ProfileDocument::get(std::u16string_view section, std::u16string_view key,
                                    std::u16string_view fallback) const {
  const Line* line = findKey(section, key);
  return line ? ProfileValueAsRead(line->parsed.value) : std::u16string(fallback);
}

bool ProfileDocument::set(std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) {
  section = TrimProfileBlanks(UpToNul(section));
  key = TrimProfileBlanks(UpToNul(key));
  value = UpToNul(value);
  if (!IsWritableSectionName(section) || !IsWritableKeyName(key) || HoldsLineBreak(value)) {
    return false;
  }
  // Stored as given, as Windows stores it: a read trims blanks at its ends and strips one pair of
  // outer quotes, so " X " reads back as "X".
  std::u16string stored(value);
  const auto sectionAt = sectionIndex_.find(FoldProfileName(section));
  if (sectionAt == sectionIndex_.end()) {
    appendSection(section, key, std::move(stored));
    return true;
  }
  Section& target = sections_[sectionAt->second];
  const auto [keyAt, isNew] = target.keys.try_emplace(FoldProfileName(key), 0);
  if (isNew) {
    keyAt->second = ++target.lastKeyLine;
    const Line line{{ProfileLine::Kind::kKey, std::u16string(key), {}}, 0, 0, true};
    target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(keyAt->second), line);
  }
  Line& line = target.lines[keyAt->second];
  if (isNew || line.parsed.value != stored) {
    line.parsed.value = std::move(stored);
    line.changed = true;
  }
  return true;
}

void ProfileDocument::appendSection(std::u16string_view section, std::u16string_view key,
                                    std::u16string value) {
  sectionIndex_.emplace(FoldProfileName(section), sections_.size());
  Section& added = sections_.emplace_back();
  added.lines.push_back({{ProfileLine::Kind::kSection, std::u16string(section), {}}, 0, 0, true});
  added.lines.push_back(
      {{ProfileLine::Kind::kKey, std::u16string(key), std::move(value)}, 0, 0, true});
  added.keys.emplace(FoldProfileName(key), 1);
  added.lastKeyLine = 1;
}

bool ProfileDocument::save(const fs::path& file, std::error_code& error) const {
  if (!unreadable_.empty() && Normalised(file) == unreadable_) {
    error = std::make_error_code(std::errc::io_error);
    return false;
  }
  std::string bytes;
  bytes.reserve(source_.size() + 256);
  if (encoding_ == Encoding::kUtf16Le) {
    bytes += kUtf16LeMark;
  } else if (encoding_ == Encoding::kUtf8WithMark) {
    bytes += kUtf8Mark;
  }
  const std::string lineEnd = encode(kLineEnd);
  for (const Section& section : sections_) {
    for (const Line& line : section.lines) {
      if (!line.changed) {
        bytes.append(source_, line.sourceBegin, line.sourceEnd - line.sourceBegin);
      } else if (line.parsed.kind == ProfileLine::Kind::kSection) {
        bytes += encode(SectionHeaderText(line.parsed.name));
      } else {
        bytes += encode(KeyLineText(line.parsed.name, line.parsed.value));
      }
      bytes += lineEnd;
    }
  }
  return ReplaceWholeFile(file, bytes, error);
}

std::u16string ReadProfileString(const fs::path& file, std::u16string_view section,
                                 std::u16string_view key, std::u16string_view fallback) {
  return ProfileDocument::Load(file).get(section, key, fallback);
}

bool WriteProfileString(const fs::path& file, std::u16string_view section, std::u16string_view key,
                        std::u16string_view value) {
  // Two threads writing the same file must not each start from the old contents and lose the
  // other's key.
  static std::mutex writeMutex;
  std::lock_guard lock(writeMutex);
  ProfileDocument document = ProfileDocument::Load(file);
  return document.set(section, key, value) && document.save(file);
}

std::int32_t ProfileNumber(std::u16string_view text) {
  constexpr std::int64_t kMagnitudeLimit = std::int64_t{1} << 31;
  std::size_t pos = 0;
  while (pos < text.size() && IsNumberBlank(text[pos])) {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
    negative = text[pos++] == u'-';
  }
  std::int64_t magnitude = 0;
  for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
    magnitude = std::min(magnitude * 10 + (text[pos] - u'0'), kMagnitudeLimit);
  }
  if (negative) {
    return static_cast<std::int32_t>(-magnitude);
  }
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(magnitude, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace trel

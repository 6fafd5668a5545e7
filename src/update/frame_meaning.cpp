#include "update/frame_meaning.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "update/frame.h"
#include "update/keyword_payloads.h"
#include "update/text_format.h"

namespace trel {

namespace {

// Reads a payload front to back; every read past its end fails instead of reading.
class PayloadCursor {
 public:
  explicit PayloadCursor(std::span<const std::uint8_t> payload) : rest_(payload) {}

  // The next N bytes, each one field.
  template <std::size_t N>
  std::optional<std::array<std::uint8_t, N>> fields() {
    const auto taken = bytes(N);
    if (!taken) {
      return std::nullopt;
    }
    std::array<std::uint8_t, N> values{};
    std::ranges::copy(*taken, values.begin());
    return values;
  }

  // The next `count` bytes as a quoted text.
  std::optional<std::string> quoted(std::size_t count) {
    const auto taken = bytes(count);
    if (!taken) {
      return std::nullopt;
    }
    return QuotedBytes(*taken);
  }

  // A length byte and that many bytes, as a quoted text.
  std::optional<std::string> countedText() {
    const auto length = fields<1>();
    return length ? quoted((*length)[0]) : std::nullopt;
  }

 private:
  std::optional<std::span<const std::uint8_t>> bytes(std::size_t count) {
    if (rest_.size() < count) {
      return std::nullopt;
    }
    const std::span<const std::uint8_t> taken = rest_.first(count);
    rest_ = rest_.subspan(count);
    return taken;
  }

  std::span<const std::uint8_t> rest_;
};

const std::string kCutShort = " (payload cut short)";

std::string DescribeClock(const RecordedFrame& frame) {
  const auto& p = frame.payload;
  if (p.size() < 5) {
    return "clock" + kCutShort;
  }
  // Every field is BCD, so its hex digits are its decimal digits.
  return Format("clock 20%02x-%02x-%02x %02x:%02x:%02x", frame.argument, p[0], p[1], p[2], p[3],
                p[4]);
}

std::string DescribeEnd(const RecordedFrame& frame) {
  static constexpr std::uint8_t kMarker[] = {0xAA, 0x55, 0x55, 0xAA};
  const bool markerOk = std::ranges::equal(frame.payload, kMarker);
  return markerOk ? "end of parameters" : "end of parameters, unexpected payload";
}

std::string DescribeHeader(PayloadCursor in) {
  const auto fields = in.fields<4>();
  if (!fields) {
    return "keyword header" + kCutShort;
  }
  const auto [counts, fixed, reserved, files] = *fields;
  return Format("keyword header: %d first-level keys, keyword files %d", counts & 0x0F, files);
}

// Key and content of a first- or second-level entry: their two lengths, then their bytes.
std::string DescribeKeyAndContent(PayloadCursor& in) {
  const auto lengths = in.fields<2>();
  const auto key = lengths ? in.quoted((*lengths)[0]) : std::nullopt;
  const auto content = lengths ? in.quoted((*lengths)[1]) : std::nullopt;
  if (!key || !content) {
    return kCutShort;
  }
  return " key " + *key + " content " + *content;
}

std::string DescribeFirstLevel(PayloadCursor in) {
  const auto fields = in.fields<6>();
  if (!fields) {
    return "first-level key" + kCutShort;
  }
  const auto [row, hasSecond, option1, option2, flags, secondCount] = *fields;
  return Format(
             "first-level key %d: hasSecond %d option1 %d option2 %d flags 0x%02x "
             "secondCount %d",
             row, hasSecond, option1, option2, flags, secondCount) +
         DescribeKeyAndContent(in);
}

std::string DescribeSecondLevel(PayloadCursor in) {
  const auto fields = in.fields<5>();
  if (!fields) {
    return "second-level key" + kCutShort;
  }
  const auto [group, entry, option1, option2, flags] = *fields;
  return Format("second-level key group %d entry %d: option1 %d option2 %d flags 0x%02x", group,
                entry, option1, option2, flags) +
         DescribeKeyAndContent(in);
}

std::string DescribeTranslationSource(PayloadCursor in) {
  const auto fields = in.fields<3>();
  const auto source = fields ? in.countedText() : std::nullopt;
  if (!source) {
    return "translation source" + kCutShort;
  }
  const auto [list, number, row] = *fields;
  return Format("translation source %d: list %d row %d text ", number, list, row) + *source;
}

std::string DescribeTranslationText(PayloadCursor in) {
  const auto index = in.fields<1>();
  const auto text = index ? in.countedText() : std::nullopt;
  if (!text) {
    return "translation text" + kCutShort;
  }
  return Format("translation text %d: ", (*index)[0]) + *text;
}

std::string DescribeClosing(const RecordedFrame& frame) {
  const char* which = frame.argument == kClosingCodeMainFile ? "main" : "extra";
  if (frame.payload.empty()) {
    return Format("end of %s keyword file", which) + kCutShort;
  }
  return Format("end of %s keyword file, file index %d", which, frame.payload[0]);
}

std::string DescribeKeywordFrame(const RecordedFrame& frame) {
  const PayloadCursor in(frame.payload);
  switch (frame.argument) {
    case kKeywordHeader:
      return DescribeHeader(in);
    case kKeywordFirstLevel:
      return DescribeFirstLevel(in);
    case kKeywordSecondLevel:
      return DescribeSecondLevel(in);
    case kKeywordTranslationSource:
      return DescribeTranslationSource(in);
    case kKeywordTranslationText:
      return DescribeTranslationText(in);
    case kClosingCodeMainFile:
    case kClosingCodeExtraFile:
      return DescribeClosing(frame);
    default:
      return Format("keyword frame of unknown type %d", frame.argument);
  }
}

}  // namespace

std::string DescribeFrame(const RecordedFrame& frame) {
  switch (frame.command) {
    case kCommandClock:
      return DescribeClock(frame);
    case kCommandParameterData:
      return Format("parameter data frame %d, %zu bytes", frame.argument, frame.payload.size());
    case kCommandParameterEnd:
      return DescribeEnd(frame);
    case kCommandKeyword:
      return DescribeKeywordFrame(frame);
    default:
      return Format("unknown command %d", frame.command);
  }
}

}  // namespace trel

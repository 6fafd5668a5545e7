#include "tables/xml_nesting.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace trel {

namespace {

constexpr std::size_t kStop = std::string_view::npos;

// Bytes the XML parser takes as one character when it reads text and attribute values: it steps
// over a whole UTF-8 sequence by its lead byte, whatever the following bytes are, so a lead byte
// before "<" or a quote hides that markup from it.
constexpr std::size_t CharacterLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) {
    return 4;
  }
  if (lead >= 0xE0 && lead <= 0xEF) {
    return 3;
  }
  return lead >= 0xC2 && lead <= 0xDF ? 2 : 1;
}

// Walks the text exactly as the XML parser does, tracking only how deep its elements nest. Each
// step mirrors one of the parser's node readers; where the parser gives up, the walk stops too, so
// nothing after that point can count. Character classes come from <cctype>, as in the parser, so
// the locale affects both alike.
class NestingWalk {
 public:
  NestingWalk(std::string_view xml, std::size_t deepest) : xml_(xml), deepest_(deepest) {}

  bool Within() {
    std::size_t at = SkipWhiteSpace(0);
    while (At(at) != '\0') {
      if (open_.empty() && At(at) != '<') {
        return true;  // text outside every element ends the document
      }
      at = At(at) == '<' ? Markup(at) : Text(at);
      if (deepestSeen_ > deepest_) {
        return false;
      }
      if (at == kStop) {
        return true;
      }
      at = SkipWhiteSpace(at);
    }
    return true;
  }

 private:
  // The byte at `at`; the text reads as ending in NULs, as the parser's buffer does.
  char At(std::size_t at) const { return at < xml_.size() ? xml_[at] : '\0'; }
  unsigned char Byte(std::size_t at) const { return static_cast<unsigned char>(At(at)); }

  static bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
  static bool IsAlpha(unsigned char c) { return c >= 127 || std::isalpha(c) != 0; }
  static bool IsNameChar(unsigned char c) {
    return c >= 127 || std::isalnum(c) != 0 || c == '_' || c == '-' || c == '.' || c == ':';
  }

  bool StartsWith(std::size_t at, std::string_view tag, bool ignoreCase = false) const {
    for (std::size_t k = 0; k < tag.size(); ++k) {
      const char c = At(at + k);
      const bool same = ignoreCase ? std::tolower(c) == tag[k] : c == tag[k];
      if (c == '\0' || !same) {
        return false;
      }
    }
    return true;
  }

  // White space, including the three-byte marks the parser skips as if they were blanks.
  std::size_t SkipWhiteSpace(std::size_t at) const {
    while (At(at) != '\0') {
      if (Byte(at) == 0xEF && ((Byte(at + 1) == 0xBB && Byte(at + 2) == 0xBF) ||
                               (Byte(at + 1) == 0xBF && (Byte(at + 2) & 0xFE) == 0xBE))) {
        at += 3;
      } else if (IsSpace(At(at))) {
        ++at;
      } else {
        break;
      }
    }
    return at;
  }

  // A numeric character reference "&#...;" or "&#x...;": the parser finds the first ";" and then
  // reads digits backwards only until it meets the "#" or "x", so anything between may be skipped.
  std::size_t NumericReferenceEnd(std::size_t at) const {
    const bool hex = At(at + 2) == 'x';
    if (hex && At(at + 3) == '\0') {
      return kStop;
    }
    std::size_t semicolon = at + (hex ? 3 : 2);
    while (At(semicolon) != '\0' && At(semicolon) != ';') {
      ++semicolon;
    }
    if (At(semicolon) == '\0') {
      return kStop;
    }
    const char marker = hex ? 'x' : '#';
    for (std::size_t digit = semicolon - 1; At(digit) != marker; --digit) {
      const bool valid = hex ? std::isxdigit(Byte(digit)) != 0 : std::isdigit(Byte(digit)) != 0;
      if (!valid) {
        return kStop;
      }
    }
    return semicolon + 1;
  }

  // One character of text or attribute value, as the parser reads it.
  std::size_t CharacterEnd(std::size_t at) const {
    const std::size_t length = CharacterLength(Byte(at));
    if (length == 1 && At(at) == '&' && At(at + 1) == '#' && At(at + 2) != '\0') {
      return NumericReferenceEnd(at);
    }
    return at + length;
  }

  // Characters up to and past `end`; kStop when the text ends first or right after it.
  std::size_t ReadTextTo(std::size_t at, char end) const {
    while (at != kStop && At(at) != '\0' && At(at) != end) {
      at = CharacterEnd(at);
    }
    if (at == kStop || At(at) == '\0' || At(at + 1) == '\0') {
      return kStop;
    }
    return at + 1;
  }

  std::size_t NameEnd(std::size_t at) const {
    if (!IsAlpha(Byte(at)) && At(at) != '_') {
      return kStop;
    }
    while (At(at) != '\0' && IsNameChar(Byte(at))) {
      ++at;
    }
    return at;
  }

  std::size_t AttributeEnd(std::size_t at) const {
    at = NameEnd(SkipWhiteSpace(at));
    if (at == kStop) {
      return kStop;
    }
    at = SkipWhiteSpace(at);
    if (At(at) != '=') {
      return kStop;
    }
    at = SkipWhiteSpace(at + 1);
    const char quote = At(at);
    if (quote == '"' || quote == '\'') {
      return ReadTextTo(at + 1, quote);
    }
    while (At(at) != '\0' && !IsSpace(At(at)) && At(at) != '/' && At(at) != '>') {
      if (At(at) == '"' || At(at) == '\'') {
        return kStop;
      }
      ++at;
    }
    return at;
  }

  // Text between elements: white space byte by byte, anything else character by character.
  std::size_t Text(std::size_t at) const {
    while (at != kStop && At(at) != '\0' && At(at) != '<') {
      at = IsSpace(At(at)) ? at + 1 : CharacterEnd(at);
    }
    return at == kStop || At(at) == '\0' ? kStop : at;
  }

  std::size_t Through(std::size_t at, std::string_view end) const {
    while (At(at) != '\0' && !StartsWith(at, end)) {
      ++at;
    }
    return At(at) == '\0' ? kStop : at + end.size();
  }

  std::size_t DeclarationEnd(std::size_t at) const {
    at += 5;
    while (at != kStop && At(at) != '\0') {
      if (At(at) == '>') {
        return at + 1;
      }
      at = SkipWhiteSpace(at);
      if (StartsWith(at, "version", true) || StartsWith(at, "encoding", true) ||
          StartsWith(at, "standalone", true)) {
        at = AttributeEnd(at);
        continue;
      }
      while (At(at) != '\0' && At(at) != '>' && !IsSpace(At(at))) {
        ++at;
      }
    }
    return kStop;
  }

  // An element's start tag; opens a level unless the tag closes itself. The element joins the
  // tree even when its tag is broken, so it counts from its "<" on.
  std::size_t StartTag(std::size_t at) {
    deepestSeen_ = std::max(deepestSeen_, open_.size() + 1);
    const std::size_t nameStart = SkipWhiteSpace(at + 1);
    at = NameEnd(nameStart);
    if (at == kStop) {
      return kStop;
    }
    const std::string_view name = xml_.substr(nameStart, at - nameStart);
    while (at != kStop && At(at) != '\0') {
      at = SkipWhiteSpace(at);
      if (At(at) == '/') {
        return At(at + 1) == '>' ? at + 2 : kStop;
      }
      if (At(at) == '>') {
        open_.push_back(name);
        return at + 1;
      }
      at = AttributeEnd(at);
    }
    return kStop;
  }

  // The end tag of the innermost open element; any other end tag ends the parse.
  std::size_t EndTag(std::size_t at) {
    const std::string_view name = open_.back();
    if (!StartsWith(at + 2, name)) {
      return kStop;
    }
    at = SkipWhiteSpace(at + 2 + name.size());
    if (At(at) != '>') {
      return kStop;
    }
    open_.pop_back();
    return at + 1;
  }

  // Whatever starts with "<", told apart as the parser tells it apart.
  std::size_t Markup(std::size_t at) {
    if (!open_.empty() && StartsWith(at, "</")) {
      return EndTag(at);
    }
    if (StartsWith(at, "<?xml", true)) {
      return DeclarationEnd(at);
    }
    if (StartsWith(at, "<!--")) {
      return Through(at + 4, "-->");
    }
    if (StartsWith(at, "<![CDATA[")) {
      return Through(at + 9, "]]>");
    }
    if (!StartsWith(at, "<!") && (IsAlpha(Byte(at + 1)) || At(at + 1) == '_')) {
      return StartTag(at);
    }
    return Through(at + 1, ">");  // anything else, "<!...>" and "<?...>" too, ends at the first ">"
  }

  std::string_view xml_;
  std::size_t deepest_;
  std::vector<std::string_view> open_;  // names of the elements open at this point
  std::size_t deepestSeen_ = 0;         // the deepest level an element has reached so far
};

}  // namespace

bool NestingWithin(std::string_view xml, std::size_t deepest) {
  return NestingWalk(xml, deepest).Within();
}

}  // namespace trel

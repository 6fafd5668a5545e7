#include "tables/xml_nesting.h"

namespace trel {

namespace {

// Position of the ">" that closes the tag opened at `start`, skipping quoted attribute values;
// npos when the text ends first.
std::size_t TagEnd(std::string_view xml, std::size_t start) {
  char quote = 0;
  for (std::size_t i = start + 1; i < xml.size(); ++i) {
    const char c = xml[i];
    if (quote != 0) {
      quote = c == quote ? 0 : quote;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i;
    }
  }
  return std::string_view::npos;
}

// Position of the last character of a comment or CDATA section starting at `start`, or of the
// tag's closing ">" for anything else.
std::size_t MarkupEnd(std::string_view xml, std::size_t start) {
  const std::string_view rest = xml.substr(start);
  if (rest.starts_with("<!--")) {
    const std::size_t end = xml.find("-->", start + 4);
    return end == std::string_view::npos ? end : end + 2;
  }
  if (rest.starts_with("<![CDATA[")) {
    const std::size_t end = xml.find("]]>", start + 9);
    return end == std::string_view::npos ? end : end + 2;
  }
  return TagEnd(xml, start);
}

}  // namespace

bool NestingWithin(std::string_view xml, std::size_t deepest) {
  std::size_t depth = 0;
  for (std::size_t i = xml.find('<'); i != std::string_view::npos; i = xml.find('<', i + 1)) {
    const std::size_t end = MarkupEnd(xml, i);
    if (end == std::string_view::npos) {
      return true;  // unterminated markup: the parser reports it
    }
    const char kind = i + 1 < xml.size() ? xml[i + 1] : '\0';
    const bool opening = kind != '/' && kind != '!' && kind != '?' && xml[end - 1] != '/';
    if (kind == '/' && depth > 0) {
      --depth;
    } else if (opening && ++depth > deepest) {
      return false;
    }
    i = end;
  }
  return true;
}

}  // namespace trel

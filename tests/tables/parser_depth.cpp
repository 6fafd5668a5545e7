#include "tables/parser_depth.h"

#include <tinyxml.h>

#include <algorithm>

#include "tables/xml_nesting.h"

namespace trel::testing {

namespace {

std::size_t DepthBelow(const TiXmlNode& node) {
  std::size_t deepest = 0;
  for (const TiXmlElement* child = node.FirstChildElement(); child != nullptr;
       child = child->NextSiblingElement()) {
    deepest = std::max(deepest, 1 + DepthBelow(*child));
  }
  return deepest;
}

}  // namespace

std::size_t ParserDepth(std::string xml) {
  xml.append(kNestingPadding, '\0');
  TiXmlDocument document;
  document.Parse(xml.c_str(), nullptr, TIXML_ENCODING_UTF8);
  return DepthBelow(document);
}

}  // namespace trel::testing

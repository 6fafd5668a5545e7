#pragma once

#include <cstddef>
#include <string>
#include <vector>

class TiXmlElement;

namespace trel {

// Longest "id", "base" and "format" attribute text kept, in bytes, and "value" text, in characters.
inline constexpr std::size_t kXmlAttributeLimit = 259;
inline constexpr std::size_t kXmlValueLimit = 259;
// Values 0 to 8 of an element mean something; later ones are not kept.
inline constexpr std::size_t kXmlValuesKept = 9;

// One "Element" of a keyword file as written: its attributes and the "value" texts of its "Int8"
// children, in document order.
struct XmlElementRecord {
  std::string id;
  std::string format;
  std::vector<std::u16string> values;
};

struct XmlElementRecords {
  std::string base;  // the "base" attribute of "Elements"; empty without it
  std::vector<XmlElementRecord> elements;
};

// Reads the first "Elements" child of the root. The walk over its "Element" children stops at the
// first one whose "format" is missing or is neither "vortell" nor "free".
XmlElementRecords ReadElementRecords(const TiXmlElement& root);

}  // namespace trel

#include "tables/keyword_xml_records.h"

#include <tinyxml.h>

#include <string_view>

#include "platform/utf_convert.h"

namespace trel {

namespace {

std::string AttributeText(const TiXmlElement& element, const char* name) {
  const char* value = element.Attribute(name);
  if (value == nullptr) {
    return {};
  }
  return std::string(std::string_view(value).substr(0, kXmlAttributeLimit));
}

bool KnownFormat(const TiXmlElement& element) {
  const char* format = element.Attribute("format");
  return format != nullptr &&
         (std::string_view(format) == "vortell" || std::string_view(format) == "free");
}

// The "value" of each "Int8" child of the first "Data" child; an "Int8" without one is skipped.
std::vector<std::u16string> ReadValues(const TiXmlElement& element) {
  std::vector<std::u16string> values;
  const TiXmlElement* data = element.FirstChildElement("Data");
  if (data == nullptr) {
    return values;
  }
  for (const TiXmlElement* item = data->FirstChildElement("Int8");
       item != nullptr && values.size() < kXmlValuesKept; item = item->NextSiblingElement("Int8")) {
    if (const char* value = item->Attribute("value")) {
      values.push_back(Utf8ToUtf16(value).substr(0, kXmlValueLimit));
    }
  }
  return values;
}

}  // namespace

XmlElementRecords ReadElementRecords(const TiXmlElement& root) {
  XmlElementRecords records;
  const TiXmlElement* elements = root.FirstChildElement("Elements");
  if (elements == nullptr) {
    return records;
  }
  records.base = AttributeText(*elements, "base");
  for (const TiXmlElement* element = elements->FirstChildElement("Element");
       element != nullptr && KnownFormat(*element);
       element = element->NextSiblingElement("Element")) {
    records.elements.push_back(
        {AttributeText(*element, "id"), AttributeText(*element, "format"), ReadValues(*element)});
  }
  return records;
}

}  // namespace trel

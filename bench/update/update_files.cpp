#include "update_files.h"

#include <fstream>
#include <string>

namespace trel::bench {

namespace {

constexpr int kItems = 160;

void Write(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

std::string Command(int item, int dataMode) {
  switch (dataMode) {
    case 0:
      return "1B40" + std::to_string(1000 + item);
    case 3:
      return "Grüße \\s " + std::to_string(item);
    default:
      return "Item " + std::to_string(item);
  }
}

std::string ParamList() {
  std::string text;
  for (int item = 1; item <= kItems; ++item) {
    const int dataMode = item % 4;
    text += "[" + std::to_string(item) + "]\r\nNameEn=Setting " + std::to_string(item) +
            "\r\nCommand=" + Command(item, dataMode) + "\r\nDataMode=" + std::to_string(dataMode) +
            "\r\nIsValid=1\r\nIsHide=" + std::to_string(item % 2) + "\r\n";
  }
  return text;
}

std::string Element(int id, const std::string& key, const std::string& content,
                    const std::string& count = "0", const std::string& link = "0") {
  return "<Element id=\"" + std::to_string(id) + "\" format=\"vortell\"><Data><Int8 value=\"" +
         key + "\"/><Int8 value=\"" + content + "\"/><Int8 value=\"" + count +
         "\"/><Int8 value=\"1\"/><Int8 value=\"0\"/><Int8 value=\"1\"/><Int8 value=\"0\"/>"
         "<Int8 value=\"" +
         link + "\"/></Data></Element>";
}

// Eight first-level keys, the first opening group 1 with ten second-level keys; eleven entries
// in the first translation list and twenty in the second.
std::string KeywordXml() {
  std::string elements = Element(0, "ORDER", "Order number", "10", "1");
  for (int row = 1; row < 8; ++row) {
    elements += Element(row, "KEY" + std::to_string(row), "Content of key " + std::to_string(row));
  }
  for (int entry = 0; entry < 10; ++entry) {
    elements += Element(16 + entry, "S" + std::to_string(entry), "Second " + std::to_string(entry));
  }
  for (int entry = 0; entry < 11; ++entry) {
    elements += Element(144 + entry, "a" + std::to_string(entry), "first " + std::to_string(entry));
  }
  for (int entry = 0; entry < 20; ++entry) {
    elements +=
        Element(160 + entry, "b" + std::to_string(entry), "second " + std::to_string(entry));
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VORTELL><Elements base=\"24\">" + elements +
         "</Elements></VORTELL>\n";
}

constexpr char kKeywordIni[] =
    "[General]\r\nFirstKeyNum=8\r\n[KeyTrans1]\r\nKeyTrans=11\r\n[KeyTrans2]\r\nKeyTrans=20\r\n";

}  // namespace

void WriteFullUpdate(const std::filesystem::path& folder) {
  Write(folder / "params.ini", ParamList());
  Write(folder / "keywords.xml", KeywordXml());
  Write(folder / "extra1.xml", KeywordXml());
  Write(folder / "extra2.ini", kKeywordIni);
}

std::vector<std::string> FullUpdateArguments(const std::filesystem::path& folder) {
  return {"--params",        (folder / "params.ini").string(),
          "--keywords",      (folder / "keywords.xml").string(),
          "--more-keywords", "extra1.xml;extra2.ini"};
}

}  // namespace trel::bench

#include "tables/xml_nesting.h"

#include <gtest/gtest.h>

#include <string>

#include "tables/parser_depth.h"

namespace trel {
namespace {

using testing::ParserDepth;

// The guard passes a document at exactly the depth the parser reaches, and refuses it one level
// below: it neither lets hidden levels through nor refuses levels the parser never builds.
void ExpectSameDepth(const std::string& xml) {
  const std::size_t depth = ParserDepth(xml);
  EXPECT_TRUE(NestingWithin(xml, depth)) << xml;
  if (depth > 0) {
    EXPECT_FALSE(NestingWithin(xml, depth - 1)) << xml;
  }
}

TEST(XmlNesting, CountsOnlyRealElements) {
  EXPECT_TRUE(NestingWithin("<?x?><a><!-- <b><c><d> --><e v=\"/>\"/><f/></a>", 2));
  EXPECT_FALSE(NestingWithin("<a><b v='>'><c></c></b></a>", 2));
  EXPECT_TRUE(NestingWithin("<a></a><b><![CDATA[<c><d>]]></b>", 1));
}

TEST(XmlNesting, MarkupEndsWhereTheParserEndsIt) {
  // "<!" and "<?" markup ends at the first ">", quotes or not; "<?xml" reads its own attributes.
  ExpectSameDepth("<a><!'><b><c>'></c></b></a>");
  ExpectSameDepth("<a><?pi \"><b><c>\"></c></b></a>");
  ExpectSameDepth("<?xml version='><a>'?><b><c/></b>");
  ExpectSameDepth("<?xml other='><a>'?><b><c/></b>");
  ExpectSameDepth("<a><!DOCTYPE x [<!ENTITY e '>'>]><b/></a>");
  // A UTF-8 lead byte or a numeric reference swallows the end tag after it.
  ExpectSameDepth("<a>\xE3</a><a>\xE3</a><a></a></a></a>");
  ExpectSameDepth("<a>&#x</a>x;<a>&#</a>#;<a/></a></a>");
  ExpectSameDepth("<a v=\"\xF0\"><b/>\"><c/></a>");
  // The parser gives up at a wrong end tag or stray text; nothing after it counts.
  ExpectSameDepth("<a><b></a><c><d><e></e></d></c>");
  ExpectSameDepth("text<a><b><c/></b></a>");
  ExpectSameDepth(
      "<a>\xEF\xBB\xBF<b>\xEF\xBF\xBE</b><\xEF\xBB\xBF"
      "c/></a>");
}

}  // namespace
}  // namespace trel

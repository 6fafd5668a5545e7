#include "tables/list_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trel {
namespace {

using Items = std::vector<std::u16string>;

TEST(ListTextSplit, SeparatorRulesOfEveryPart) {
  EXPECT_EQ(SplitListText(u"a;b;c;", u";"), (Items{u"a", u"b", u"c"}));
  EXPECT_EQ(SplitListText(u"a;b;c", u";"), (Items{u"a", u"b", u"c"}));
  EXPECT_EQ(SplitListText(u";a", u";"), (Items{u"", u"a"}));
  EXPECT_EQ(SplitListText(u"a;;b;", u";"), (Items{u"a", u"", u"b"}));
  EXPECT_EQ(SplitListText(u"", u";"), Items{});
  EXPECT_EQ(SplitListText(u"a||b", u"||"), (Items{u"a", u"b"}));
  EXPECT_EQ(SplitListText(u"a|b", u"||"), (Items{u"a|b"}));
  EXPECT_EQ(SplitListText(u"aXb", u"x"), (Items{u"aXb"}));  // case-sensitive
  EXPECT_EQ(SplitListText(u"a;b", u""), Items{});           // nothing to split at
}

TEST(ListTextJoin, SeparatorAfterEveryItemExceptALoneZero) {
  EXPECT_EQ(JoinListText({u"a", u"b", u"c"}, u";"), u"a;b;c;");
  EXPECT_EQ(JoinListText({}, u";"), u"");
  EXPECT_EQ(JoinListText({u"0"}, u";"), u"0");
  EXPECT_EQ(JoinListText({u"00"}, u";"), u"00;");
  EXPECT_EQ(JoinListText({u"0", u"0"}, u";"), u"0;0;");
  EXPECT_EQ(JoinListText({u"a", u"b"}, u"||"), u"a||b||");
}

}  // namespace
}  // namespace trel

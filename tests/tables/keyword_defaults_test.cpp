#include <gtest/gtest.h>

#include <array>
#include <string>

#include "table_test_helpers.h"
#include "tables/keyword_tables.h"

namespace trel {
namespace {

using testing::AsString;

const std::string kRule25 = "-------------------------";
const std::string kRule21 = "---------------------";

// The whole field: the text, then zeros to the field's end.
template <std::size_t N>
void ExpectField(const TextField<N>& field, const std::string& text) {
  ASSERT_LT(text.size(), N);
  std::string expected = text;
  expected.resize(N, '\0');
  EXPECT_EQ(AsString(field), expected);
}

struct FirstRowExpectation {
  std::string key, content;
  int hasSecond, option1, option2, flags, secondCount;
};

TEST(KeywordDefaults, EveryFirstLevelRowByteForByte) {
  const std::array<FirstRowExpectation, 8> rows = {{
      {"#", "", 0, 0, 0, 1, 0},
      {"*", "", 0, 0, 1, 1, 0},
      {"*", "", 0, 0, 1, 0, 0},
      {"*", "\xFF\r" + kRule25 + "\rOrder No:", 0, 0, 1, 0, 0},
      {"*", "\xFF\r" + kRule25, 1, 0, 0, 0, 3},
      {"*", "\r" + kRule25, 1, 0, 0, 0, 2},
      {"*", "\rTotal:", 0, 0, 1, 0, 0},
      {"#", "", 1, 0, 0, 0, 9},
  }};
  const PrintFormatBlock block = DefaultPrintFormatBlock();
  for (std::size_t r = 0; r < rows.size(); ++r) {
    SCOPED_TRACE(r);
    const FirstKeyRow& row = block.firstKeys[r];
    ExpectField(row.key, rows[r].key);
    ExpectField(row.content, rows[r].content);
    EXPECT_EQ(row.hasSecond, rows[r].hasSecond);
    EXPECT_EQ(row.option1, rows[r].option1);
    EXPECT_EQ(row.option2, rows[r].option2);
    EXPECT_EQ(row.flags, rows[r].flags);
    EXPECT_EQ(row.secondCount, rows[r].secondCount);
  }
}

struct SecondRowExpectation {
  int group, entry;
  std::string key, content;
  int option1, flags;
};

TEST(KeywordDefaults, EverySecondLevelRowByteForByteAndTheRestEmpty) {
  const std::string cusInfo = "\xFF\r" + kRule21 + "\rCus Info:";
  const std::vector<SecondRowExpectation> rows = {
      {4, 0, ",", "\r", 0, 0},
      {4, 1, ",", " X ", 0, 0},
      {4, 2, ";", "  ", 0, 0},
      {5, 0, ";", "\rDelivery Chg:", 0, 0},
      {5, 1, ";", "\rCC+Han fees:", 0, 0},
      {6, 0, ";", "", 0, 0},
      {6, 1, ";", "\rTotal:", 0, 0},
      {6, 2, ";", cusInfo, 0, 0},
      {6, 3, ";", "\r", 1, 0},
      {6, 4, ";", "\r", 0, 0},
      {6, 5, ";", "\r" + kRule25 + "\rRequested for:\xFF\r", 0, 0},
      {6, 6, ";", "\xFF\rPrevious order:", 0, 0},
      {6, 7, ";", "\r", 0, 0},
      {6, 8, ";", "\xFF\rPayment Card:", 1, 0},
      {6, 9, ";", "\r" + kRule25 + "\rCustomer Phone:\r", 0, 0},
      {7, 0, ";", cusInfo, 1, 0},
      {7, 1, ";", "\r", 0, 0},
      {7, 2, ";", "\r", 0, 0},
      {7, 3, ";", "\r" + kRule21 + "\rRequested for:\xFF\r", 0, 0},
      {7, 4, ";", "\xFF\rPrevious order:", 0, 0},
      {7, 5, ";", "\r", 1, 0},
      {7, 6, ";", "\xFF\rPayment Card:", 0, 0},
      {7, 7, ";", "\r" + kRule21 + "\rCustomer Phone:", 0, 1},
      {7, 8, ";", "\rComments:", 0, 0},
  };
  const PrintFormatBlock block = DefaultPrintFormatBlock();
  std::array<std::array<bool, 10>, 8> listed{};
  for (const SecondRowExpectation& expected : rows) {
    SCOPED_TRACE(::testing::Message() << expected.group << "," << expected.entry);
    const SecondKeyRow& row = block.secondKeys[expected.group][expected.entry];
    listed[expected.group][expected.entry] = true;
    ExpectField(row.key, expected.key);
    ExpectField(row.content, expected.content);
    EXPECT_EQ(row.option1, expected.option1);
    EXPECT_EQ(row.option2, 0);
    EXPECT_EQ(row.flags, expected.flags);
  }
  for (int g = 0; g < 8; ++g) {
    for (int k = 0; k < 10; ++k) {
      if (!listed[g][k]) {
        SCOPED_TRACE(::testing::Message() << g << "," << k);
        const SecondKeyRow& row = block.secondKeys[g][k];
        ExpectField(row.key, "");
        ExpectField(row.content, "");
        EXPECT_EQ(row.option1 | row.option2 | row.flags, 0);
      }
    }
  }
}

TEST(KeywordDefaults, TranslationSourcesAndTextsByteForByte) {
  const PrintFormatBlock block = DefaultPrintFormatBlock();
  const std::array<std::string, 11> list1 = {"1", "2", "3", "4", "5", "6", "7", "", "", "", ""};
  for (std::size_t j = 0; j < list1.size(); ++j) {
    ExpectField(block.transKeys1[j], list1[j]);
  }
  const std::array<std::string, 21> list2 = {"14", "13", "12", "11", "10", "9", "8",
                                             "7",  "6",  "5",  "4",  "3",  "2", "1"};
  for (std::size_t j = 0; j < list2.size(); ++j) {
    ExpectField(block.transKeys2[j], list2[j]);
  }
  const std::array<std::string, 31> texts = {"Delivery",        "Collection",
                                             "Reservation",     "Verified",
                                             "Not verified",    "Order Paid",
                                             "Order Not Paid",  " Lamb",
                                             " Chicken",        " Prawn",
                                             " King Prawn",     " Deep Pan",
                                             " Think Crust",    " Stuffed thin crust",
                                             " Large",          " Medium",
                                             " Super Size",     " Tikka Masala",
                                             " Hawawain Pizza", " Chinese Noodle",
                                             " Curry"};
  for (std::size_t t = 0; t < texts.size(); ++t) {
    ExpectField(block.transTexts[t], texts[t]);
  }
}

TEST(KeywordDefaults, TablesStartWithZeroCounts) {
  const KeywordTables tables;
  EXPECT_EQ(tables.firstCount, 0);
  EXPECT_EQ(tables.transCount1, 0);
  EXPECT_EQ(tables.transCount2, 0);
}

TEST(TextFields, CutAtWidthLessOneAndZeroTheRest) {
  TextField<3> key{};
  key.fill(0x55);
  const std::string text = "abcd";
  SetFieldText(key, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  ExpectField(key, "ab");
  EXPECT_EQ(AsString(FieldText(key)), "ab");
  TextField<3> full = {'x', 'y', 'z'};
  EXPECT_EQ(FieldText(full).size(), 3u);  // no NUL: the whole field, never beyond
}

}  // namespace
}  // namespace trel

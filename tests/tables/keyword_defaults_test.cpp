#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table_test_helpers.h"
#include "tables/keyword_tables.h"

namespace trel {
namespace {

using testing::AsString;

const std::string k25 = "-------------------------";
const std::string k21 = "---------------------";

// The whole field: the text, then zeros up to the field's end.
template <std::size_t N>
void ExpectField(const TextField<N>& field, const std::string& text) {
  std::string expected = text;
  expected.resize(N, '\0');
  EXPECT_EQ(AsString(field), expected);
}

// Rows past the listed texts must be all zero.
template <std::size_t N, std::size_t Rows>
void ExpectFields(const std::array<TextField<N>, Rows>& fields, std::vector<std::string> texts) {
  texts.resize(Rows);
  for (std::size_t row = 0; row < Rows; ++row) {
    SCOPED_TRACE(row);
    ExpectField(fields[row], texts[row]);
  }
}

TEST(KeywordDefaults, FirstLevelRows) {
  struct Row {
    std::string key, content;
    std::vector<int> bytes;  // hasSecond, option1, option2, flags, secondCount
  };
  const std::vector<Row> rows = {
      {"#", "", {0, 0, 0, 1, 0}},
      {"*", "", {0, 0, 1, 1, 0}},
      {"*", "", {0, 0, 1, 0, 0}},
      {"*", "\xFF\r" + k25 + "\rOrder No:", {0, 0, 1, 0, 0}},
      {"*", "\xFF\r" + k25, {1, 0, 0, 0, 3}},
      {"*", "\r" + k25, {1, 0, 0, 0, 2}},
      {"*", "\rTotal:", {0, 0, 1, 0, 0}},
      {"#", "", {1, 0, 0, 0, 9}},
  };
  const PrintFormatBlock block = DefaultPrintFormatBlock();
  for (std::size_t r = 0; r < rows.size(); ++r) {
    SCOPED_TRACE(r);
    const FirstKeyRow& row = block.firstKeys[r];
    ExpectField(row.key, rows[r].key);
    ExpectField(row.content, rows[r].content);
    EXPECT_EQ(
        std::vector<int>({row.hasSecond, row.option1, row.option2, row.flags, row.secondCount}),
        rows[r].bytes);
  }
}

TEST(KeywordDefaults, SecondLevelRowsAndNothingElse) {
  struct Row {
    int group, entry;
    std::string key, content;
    int option1, flags;
  };
  const std::string cusInfo = "\xFF\r" + k21 + "\rCus Info:";
  const std::vector<Row> rows = {
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
      {6, 5, ";", "\r" + k25 + "\rRequested for:\xFF\r", 0, 0},
      {6, 6, ";", "\xFF\rPrevious order:", 0, 0},
      {6, 7, ";", "\r", 0, 0},
      {6, 8, ";", "\xFF\rPayment Card:", 1, 0},
      {6, 9, ";", "\r" + k25 + "\rCustomer Phone:\r", 0, 0},
      {7, 0, ";", cusInfo, 1, 0},
      {7, 1, ";", "\r", 0, 0},
      {7, 2, ";", "\r", 0, 0},
      {7, 3, ";", "\r" + k21 + "\rRequested for:\xFF\r", 0, 0},
      {7, 4, ";", "\xFF\rPrevious order:", 0, 0},
      {7, 5, ";", "\r", 1, 0},
      {7, 6, ";", "\xFF\rPayment Card:", 0, 0},
      {7, 7, ";", "\r" + k21 + "\rCustomer Phone:", 0, 1},
      {7, 8, ";", "\rComments:", 0, 0},
  };
  // Build the expected groups from the list (every other row zero) and compare every byte.
  PrintFormatBlock expected{};
  for (const Row& row : rows) {
    SecondKeyRow& key = expected.secondKeys[row.group][row.entry];
    key.key = {static_cast<std::uint8_t>(row.key[0])};
    std::copy(row.content.begin(), row.content.end(), key.content.begin());
    key.option1 = static_cast<std::uint8_t>(row.option1);
    key.flags = static_cast<std::uint8_t>(row.flags);
  }
  EXPECT_EQ(DefaultPrintFormatBlock().secondKeys, expected.secondKeys);
}

TEST(KeywordDefaults, TranslationSourcesAndTexts) {
  const PrintFormatBlock block = DefaultPrintFormatBlock();
  ExpectFields(block.transKeys1, {"1", "2", "3", "4", "5", "6", "7"});
  ExpectFields(block.transKeys2,
               {"14", "13", "12", "11", "10", "9", "8", "7", "6", "5", "4", "3", "2", "1"});
  ExpectFields(block.transTexts, {"Delivery",        "Collection",
                                  "Reservation",     "Verified",
                                  "Not verified",    "Order Paid",
                                  "Order Not Paid",  " Lamb",
                                  " Chicken",        " Prawn",
                                  " King Prawn",     " Deep Pan",
                                  " Think Crust",    " Stuffed thin crust",
                                  " Large",          " Medium",
                                  " Super Size",     " Tikka Masala",
                                  " Hawawain Pizza", " Chinese Noodle",
                                  " Curry"});
}

}  // namespace
}  // namespace trel

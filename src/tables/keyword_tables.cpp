#include "tables/keyword_tables.h"

#include <string>
#include <string_view>

namespace trel {

namespace {

const std::string kFormFeed = "\xFF";
const std::string kReturn = "\r";

std::string Rule(int hyphens) {
  return std::string(static_cast<std::size_t>(hyphens), '-');
}

template <std::size_t N>
void SetText(TextField<N>& field, std::string_view text) {
  SetFieldText(field, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

struct DefaultFirstRow {
  std::string key;
  std::string content;
  std::uint8_t hasSecond;
  std::uint8_t option2;
  std::uint8_t flags;
  std::uint8_t secondCount;
};

struct DefaultSecondRow {
  int group;
  int entry;
  std::string key;
  std::string content;
  std::uint8_t option1;
  std::uint8_t flags;
};

void FillFirstKeys(PrintFormatBlock& block) {
  const DefaultFirstRow rows[kFirstKeyRows] = {
      {"#", "", 0, 0, 1, 0},
      {"*", "", 0, 1, 1, 0},
      {"*", "", 0, 1, 0, 0},
      {"*", kFormFeed + kReturn + Rule(25) + kReturn + "Order No:", 0, 1, 0, 0},
      {"*", kFormFeed + kReturn + Rule(25), 1, 0, 0, 3},
      {"*", kReturn + Rule(25), 1, 0, 0, 2},
      {"*", kReturn + "Total:", 0, 1, 0, 0},
      {"#", "", 1, 0, 0, 9},
  };
  for (int r = 0; r < kFirstKeyRows; ++r) {
    FirstKeyRow& row = block.firstKeys[r];
    SetText(row.key, rows[r].key);
    SetText(row.content, rows[r].content);
    row.hasSecond = rows[r].hasSecond;
    row.option2 = rows[r].option2;
    row.flags = rows[r].flags;
    row.secondCount = rows[r].secondCount;
  }
}

void FillSecondKeys(PrintFormatBlock& block) {
  const std::string customerInfo = kFormFeed + kReturn + Rule(21) + kReturn + "Cus Info:";
  const std::string previousOrder = kFormFeed + kReturn + "Previous order:";
  const std::string paymentCard = kFormFeed + kReturn + "Payment Card:";
  const DefaultSecondRow rows[] = {
      {4, 0, ",", kReturn, 0, 0},
      {4, 1, ",", " X ", 0, 0},
      {4, 2, ";", "  ", 0, 0},
      {5, 0, ";", kReturn + "Delivery Chg:", 0, 0},
      {5, 1, ";", kReturn + "CC+Han fees:", 0, 0},
      {6, 0, ";", "", 0, 0},
      {6, 1, ";", kReturn + "Total:", 0, 0},
      {6, 2, ";", customerInfo, 0, 0},
      {6, 3, ";", kReturn, 1, 0},
      {6, 4, ";", kReturn, 0, 0},
      {6, 5, ";", kReturn + Rule(25) + kReturn + "Requested for:" + kFormFeed + kReturn, 0, 0},
      {6, 6, ";", previousOrder, 0, 0},
      {6, 7, ";", kReturn, 0, 0},
      {6, 8, ";", paymentCard, 1, 0},
      {6, 9, ";", kReturn + Rule(25) + kReturn + "Customer Phone:" + kReturn, 0, 0},
      {7, 0, ";", customerInfo, 1, 0},
      {7, 1, ";", kReturn, 0, 0},
      {7, 2, ";", kReturn, 0, 0},
      {7, 3, ";", kReturn + Rule(21) + kReturn + "Requested for:" + kFormFeed + kReturn, 0, 0},
      {7, 4, ";", previousOrder, 0, 0},
      {7, 5, ";", kReturn, 1, 0},
      {7, 6, ";", paymentCard, 0, 0},
      {7, 7, ";", kReturn + Rule(21) + kReturn + "Customer Phone:", 0, 1},
      {7, 8, ";", kReturn + "Comments:", 0, 0},
  };
  for (const DefaultSecondRow& source : rows) {
    SecondKeyRow& row = block.secondKeys[source.group][source.entry];
    SetText(row.key, source.key);
    SetText(row.content, source.content);
    row.option1 = source.option1;
    row.flags = source.flags;
  }
}

// List 1 holds the order kinds "1" to "7", list 2 the item codes "14" down to "1"; the texts are
// numbered over both lists.
void FillTranslations(PrintFormatBlock& block) {
  for (int row = 0; row < 7; ++row) {
    SetText(block.transKeys1[row], std::to_string(row + 1));
  }
  for (int row = 0; row < 14; ++row) {
    SetText(block.transKeys2[row], std::to_string(14 - row));
  }
  const std::string_view texts[] = {
      "Delivery",        "Collection",
      "Reservation",     "Verified",
      "Not verified",    "Order Paid",
      "Order Not Paid",  " Lamb",
      " Chicken",        " Prawn",
      " King Prawn",     " Deep Pan",
      " Think Crust",    " Stuffed thin crust",
      " Large",          " Medium",
      " Super Size",     " Tikka Masala",
      " Hawawain Pizza", " Chinese Noodle",
      " Curry",
  };
  int row = 0;
  for (const std::string_view text : texts) {
    SetText(block.transTexts[row++], text);
  }
}

}  // namespace

PrintFormatBlock DefaultPrintFormatBlock() {
  PrintFormatBlock block{};
  FillFirstKeys(block);
  FillSecondKeys(block);
  FillTranslations(block);
  return block;
}

}  // namespace trel

#include "platform/natural_order.h"

#include <cctype>

namespace trel {
namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string_view TakeDigits(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && IsDigit(text[at])) {
    ++at;
  }
  std::string_view digits = text.substr(start, at - start);
  while (digits.size() > 1 && digits.front() == '0') {
    digits.remove_prefix(1);
  }
  return digits;
}

// -1, 0 or 1 as the number `a` is below, equal to or above `b`; any length of digits.
int CompareNumbers(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return a.size() < b.size() ? -1 : 1;
  }
  const int byText = a.compare(b);
  return byText < 0 ? -1 : (byText > 0 ? 1 : 0);
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const int order = CompareNumbers(TakeDigits(a, i), TakeDigits(b, j));
      if (order != 0) {
        return order < 0;
      }
      continue;
    }
    if (a[i] != b[j]) {
      return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    }
    ++i;
    ++j;
  }
  if (a.size() - i != b.size() - j) {
    return a.size() - i < b.size() - j;
  }
  return a < b;  // equal by value ("tty01" and "tty1"): keep a stable, total order
}

}  // namespace trel

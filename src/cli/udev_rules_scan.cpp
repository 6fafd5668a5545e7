#include "cli/udev_rules_scan.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace trel {
namespace {

// Rules are matched on lower-case text without blanks, so spacing and case never hide a match.
std::string Folded(const std::string& line) {
  std::string folded;
  for (const unsigned char c : line) {
    if (std::isspace(c) == 0) {
      folded += static_cast<char>(std::tolower(c));
    }
  }
  return folded;
}

// The rules of a file, one a logical line: a line ending in a backslash goes on in the next one.
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string pending;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!line.empty() && line.back() == '\\') {
      pending += line.substr(0, line.size() - 1);
      continue;
    }
    lines.push_back(pending + line);
    pending.clear();
  }
  if (!pending.empty()) {
    lines.push_back(pending);
  }
  return lines;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string WithoutLeadingZeros(const std::string& hex) {
  const std::size_t first = hex.find_first_not_of('0');
  return first == std::string::npos ? "0" : hex.substr(first);
}

bool Names(const std::string& rule, const UsbId& id) {
  const auto quoted = [](const std::string& value) { return "==\"" + value + "\""; };
  return (Has(rule, "{idvendor}" + quoted(id.vendor)) &&
          Has(rule, "{idproduct}" + quoted(id.product))) ||
         (Has(rule, "{id_vendor_id}" + quoted(id.vendor)) &&
          Has(rule, "{id_model_id}" + quoted(id.product))) ||
         Has(rule, "env{product}==\"" + WithoutLeadingZeros(id.vendor) + "/" +
                       WithoutLeadingZeros(id.product) + "/");
}

}  // namespace

UdevRulesScan::UdevRulesScan(const std::vector<UdevRulesFile>& files) {
  for (const UdevRulesFile& file : files) {
    for (const std::string& line : LogicalLines(file.text)) {
      std::string rule = Folded(line);
      if (!rule.empty() && rule.front() != '#') {
        rules_.push_back({Folded(file.name), std::move(rule)});
      }
    }
  }
}

bool UdevRulesScan::grantsAccess(const UsbId& id) const {
  return anyRuleNaming(id, "tag+=\"uaccess\"", false);
}

bool UdevRulesScan::keepsModemManagerAway(const UsbId& id) const {
  return anyRuleNaming(id, "env{id_mm_device_ignore}=\"1\"", false);
}

bool UdevRulesScan::claimedByBrltty(const UsbId& id) const {
  return anyRuleNaming(id, "", true);
}

bool UdevRulesScan::anyRuleNaming(const UsbId& id, const std::string& action,
                                  bool brlttyOnly) const {
  return std::ranges::any_of(rules_, [&](const Rule& rule) {
    return (!brlttyOnly || Has(rule.file, "brltty")) && Has(rule.text, action) &&
           Names(rule.text, id);
  });
}

}  // namespace trel

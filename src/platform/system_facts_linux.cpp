#include "platform/system_facts_linux.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <system_error>

#include "platform/whole_file.h"

namespace trel {
namespace {

namespace fs = std::filesystem;

// The rules folders in udev's order of precedence: a file in an earlier folder hides a file of the
// same name in a later one. /lib stands last for systems whose /lib is not /usr/lib.
constexpr std::array<const char*, 5> kRulesFolders = {"etc/udev/rules.d", "run/udev/rules.d",
                                                      "usr/local/lib/udev/rules.d",
                                                      "usr/lib/udev/rules.d", "lib/udev/rules.d"};

// getgr*_r and getpw*_r want room for the strings of the entry.
constexpr std::size_t kAccountBufferSize = 16384;
constexpr int kMostGroups = 1024;

std::string GroupName(gid_t gid) {
  group entry{};
  group* found = nullptr;
  std::vector<char> buffer(kAccountBufferSize);
  if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
    return found->gr_name;
  }
  return std::to_string(gid);
}

bool ProcessHoldsGroup(gid_t gid) {
  std::vector<gid_t> groups(kMostGroups);
  const int count = ::getgroups(kMostGroups, groups.data());
  groups.resize(count < 0 ? 0 : static_cast<std::size_t>(count));
  return ::getegid() == gid || std::ranges::find(groups, gid) != groups.end();
}

// Whether the account database puts this process's user into the group: what the next login gets.
bool AccountListsGroup(gid_t gid) {
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(kAccountBufferSize);
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr) {
    return false;
  }
  std::vector<gid_t> groups(kMostGroups);
  int count = kMostGroups;
  if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) {
    return false;
  }
  groups.resize(static_cast<std::size_t>(count));
  return std::ranges::find(groups, gid) != groups.end();
}

bool AllDigits(const std::string& name) {
  return !name.empty() &&
         std::ranges::all_of(name, [](unsigned char c) { return std::isdigit(c) != 0; });
}

class LinuxSystemFacts : public SystemFacts {
 public:
  explicit LinuxSystemFacts(fs::path root) : root_(std::move(root)) {}

  DeviceNodeAccess deviceNodeAccess(const std::string& devicePath) const override {
    const fs::path node = root_ / fs::path(devicePath).relative_path();
    struct stat status {};
    DeviceNodeAccess access;
    if (::stat(node.c_str(), &status) != 0) {
      return access;
    }
    access.exists = true;
    access.userCanOpen = ::access(node.c_str(), R_OK | W_OK) == 0;
    access.group = GroupName(status.st_gid);
    access.inGroupNow = ProcessHoldsGroup(status.st_gid);
    access.inGroupAtNextLogin = AccountListsGroup(status.st_gid);
    return access;
  }

  std::vector<UdevRulesFile> udevRules() const override {
    std::map<std::string, UdevRulesFile> byName;  // ordered by name, as udev applies them
    for (const char* folder : kRulesFolders) {
      std::error_code error;
      for (fs::directory_iterator entry(root_ / folder, error);
           !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (entry->path().extension() != ".rules" || byName.contains(name)) {
          continue;
        }
        std::error_code readError;
        // A link to /dev/null is a device, which is read as no text: the name is masked.
        byName[name] = {name, ReadWholeFile(entry->path(), readError).value_or(std::string())};
      }
    }
    std::vector<UdevRulesFile> files;
    for (auto& [name, file] : byName) {
      files.push_back(std::move(file));
    }
    return files;
  }

  bool processRunning(const std::string& name) const override {
    std::error_code error;
    for (fs::directory_iterator entry(root_ / "proc", error);
         !error && entry != fs::directory_iterator(); entry.increment(error)) {
      if (!AllDigits(entry->path().filename().string())) {
        continue;
      }
      std::error_code readError;
      std::string command = ReadWholeFile(entry->path() / "comm", readError).value_or("");
      if (!command.empty() && command.back() == '\n') {
        command.pop_back();
      }
      if (command == name) {
        return true;
      }
    }
    return false;
  }

  std::vector<UsbDeviceProblem> usbDeviceProblems() const override { return {}; }

 private:
  fs::path root_;
};

}  // namespace

std::unique_ptr<SystemFacts> SystemFactsBelow(const std::filesystem::path& root) {
  return std::make_unique<LinuxSystemFacts>(root);
}

std::unique_ptr<SystemFacts> LocalSystemFacts() {
  return SystemFactsBelow("/");
}

}  // namespace trel

// What the package installs beside the programs matches the programs: the version they report,
// the manual pages' commands, options and exit statuses, and the bash completion of `trel`.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "e2e/job_files.h"
#include "e2e/trel_process.h"
#include "support/child_process.h"
#include "support/fake_sysfs.h"
#include "support/temp_dir.h"

namespace trel::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = TREL_SOURCE_DIR;

// The options a help text lists (the first name of each row) and its subcommands.
std::set<std::string> HelpEntries(const std::string& help) {
  std::set<std::string> entries;
  const std::regex row(R"(^  (?:-\w,)?(--[\w-]+)|^  ([a-z]+)  )");
  std::istringstream in(help);
  for (std::string line; std::getline(in, line);) {
    if (std::smatch match; std::regex_search(line, match, row)) {
      entries.insert(match[1].matched ? match[1].str() : match[2].str());
    }
  }
  return entries;
}

std::set<std::string> TrelHelpEntries() {
  std::set<std::string> entries;
  for (const char* command : {"", "send", "record", "ports", "decode"}) {
    std::vector<std::string> arguments{"--help"};
    if (*command != '\0') {
      arguments.insert(arguments.begin(), command);
    }
    const std::set<std::string> found = HelpEntries(RunTrel(arguments).out);
    EXPECT_FALSE(found.empty()) << command;
    entries.insert(found.begin(), found.end());
  }
  return entries;
}

TEST(Version, ProgramsReportTheProjectsVersion) {
  EXPECT_EQ(RunTrel({"--version"}).out, std::string("trel ") + TREL_VERSION + "\n");
  EXPECT_EQ(RunProgram(ProgramPath("trel-printer-sim"), {"--version"}).out,
            std::string("trel-printer-sim ") + TREL_VERSION + "\n");
}

TEST(ManPages, TrelsPageNamesEveryCommandOptionAndExitStatus) {
  const std::string page = ReadBytes(kSourceDir / "packaging/man/trel.1.scd.in");
  const std::set<std::string> entries = TrelHelpEntries();
  EXPECT_TRUE(entries.contains("send") && entries.contains("--port")) << "help not understood";
  for (const std::string& entry : entries) {
    EXPECT_TRUE(Has(page, "*" + entry + "*")) << entry;
  }
  const std::string statuses = ReadBytes(kSourceDir / "src/cli/exit_status.h");
  const std::regex status(R"(= (\d+),)");
  int count = 0;
  for (std::sregex_iterator match(statuses.begin(), statuses.end(), status);
       match != std::sregex_iterator(); ++match, ++count) {
    EXPECT_TRUE(Has(page, "\n*" + (*match)[1].str() + "*\n")) << "exit status " << (*match)[1];
  }
  EXPECT_GE(count, 5);
}

TEST(ManPages, PrinterSimsPageNamesEveryOption) {
  const std::string page = ReadBytes(kSourceDir / "packaging/man/trel-printer-sim.1.scd.in");
  const std::set<std::string> options =
      HelpEntries(RunProgram(ProgramPath("trel-printer-sim"), {"--help"}).out);
  EXPECT_GE(options.size(), 18u);
  for (const std::string& option : options) {
    EXPECT_TRUE(Has(page, "*" + option + "*")) << option;
  }
}

// Runs the completion function as bash does when Tab is pressed after `words`, the last being
// the word under the cursor, and returns what it offers, one a line. `trel` there is a wrapper
// that runs our trel on the test's fake sysfs.
class Completion : public ::testing::Test {
 protected:
  std::set<std::string> offers(const std::vector<std::string>& words) {
    std::string script = "source \"$1\"; COMP_WORDS=(\"$2\"";
    for (const std::string& word : words) {
      script += " '" + word + "'";
    }
    script += "); COMP_CWORD=" + std::to_string(words.size()) +
              "; _trel; printf '%s\\n' \"${COMPREPLY[@]}\"";
    const TrelRun run =
        RunProgram("/bin/bash",
                   {"-c", script, "completion", (kSourceDir / "packaging/completion/trel").string(),
                    trelOnFakeSysfs().string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::set<std::string> offered;
    std::istringstream in(run.out);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty()) {
        offered.insert(line);
      }
    }
    return offered;
  }

  fs::path trelOnFakeSysfs() const {
    const fs::path wrapper = dir / "trel";
    if (!fs::exists(wrapper)) {
      dir.write("trel", "#!/bin/sh\nexport TREL_SYSFS_ROOT='" + sysfs.root().string() +
                            "'\nexec '" + ProgramPath("trel").string() + "' \"$@\"\n");
      fs::permissions(wrapper, fs::perms::owner_all);
    }
    return wrapper;
  }

  TempDir dir;
  FakeSysfs sysfs{dir / "sys"};
};

TEST_F(Completion, CommandsAndTheirOptions) {
  EXPECT_EQ(offers({""}),
            (std::set<std::string>{"send", "record", "ports", "decode", "--help", "--version"}));
  EXPECT_EQ(offers({"send", "--p"}), (std::set<std::string>{"--port", "--params"}));
  EXPECT_TRUE(offers({"record", "--"}).contains("--out"));
  EXPECT_FALSE(offers({"record", "--"}).contains("--port"));
  EXPECT_EQ(offers({"send", "--baud", ""}), (std::set<std::string>{"9600", "38400", "115200"}));
  EXPECT_EQ(offers({"send", "--stop-bits", "1"}), (std::set<std::string>{"1", "1.5"}));
}

TEST_F(Completion, EveryOptionOfTheHelp) {
  const std::set<std::string> offered = [this] {
    std::set<std::string> all = offers({""});
    for (const char* command : {"send", "record", "ports", "decode"}) {
      const std::set<std::string> options = offers({command, "-"});
      all.insert(options.begin(), options.end());
    }
    return all;
  }();
  for (const std::string& entry : TrelHelpEntries()) {
    EXPECT_TRUE(offered.contains(entry)) << entry;
  }
}

TEST_F(Completion, PortsAreThoseTrelPortsLists) {
  sysfs.addUsbPort({"ttyUSB0", "pl2303", "067b", "2303", "", 0, ""}, "A10K3Z7Q");
  sysfs.addBoardPort("ttyS0");
  EXPECT_EQ(offers({"send", "--port", ""}),
            (std::set<std::string>{"/dev/ttyS0", "/dev/ttyUSB0", "sn:A10K3Z7Q"}));
  EXPECT_EQ(offers({"send", "--port", "/dev/ttyU"}), (std::set<std::string>{"/dev/ttyUSB0"}));
}

}  // namespace
}  // namespace trel::testing

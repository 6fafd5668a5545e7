// `trel send` to several stand-in printers at once: what each printer receives, how each job
// ends, what is refused before anything is sent, and the JSON lines of --json and --log.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/job_files.h"
#include "e2e/trel_process.h"
#include "support/fake_sysfs.h"
#include "support/printer_sim_process.h"
#include "support/temp_dir.h"

namespace trel::testing {
namespace {

using nlohmann::json;
using SimOptions = std::vector<std::string>;

constexpr char kSuccess[] = "Download success.";
constexpr char kTryAgain[] = "Please try again or check the port.";
constexpr char kClockCommand = 6;

std::vector<json> JsonLines(const std::string& text) {
  std::vector<json> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(json::parse(line));  // throws, and fails the test, on anything but JSON
  }
  return lines;
}

// Stand-in printers, each logging the frames it receives into a folder of their own.
class Printers {
 public:
  explicit Printers(const std::vector<SimOptions>& options) {
    for (SimOptions each : options) {
      logs_.push_back(dir_ / ("sim" + std::to_string(logs_.size()) + ".jsonl"));
      each.insert(each.end(), {"--log", logs_.back().string()});
      sims_.push_back(std::make_unique<PrinterSimProcess>(each));
    }
  }
  std::vector<std::string> portArguments() const {
    std::vector<std::string> arguments;
    for (const auto& sim : sims_) {
      arguments.insert(arguments.end(), {"--port", sim->portPath()});
    }
    return arguments;
  }
  const std::string& port(std::size_t index) const { return sims_[index]->portPath(); }
  // The frames printer `index` received, the clock frame's time (and the checksum it gives its
  // answer) left out.
  std::vector<json> frames(std::size_t index) {
    sims_[index]->stop();
    std::vector<json> frames = JsonLines(ReadBytes(logs_[index]));
    for (json& frame : frames) {
      if (frame["command"] == kClockCommand) {
        for (const char* timed : {"argument", "payload", "meaning", "answer"}) {
          frame.erase(timed);
        }
      }
    }
    return frames;
  }

 private:
  TempDir dir_;
  std::vector<std::filesystem::path> logs_;
  std::vector<std::unique_ptr<PrinterSimProcess>> sims_;
};

class SeveralPrinters : public ::testing::Test {
 protected:
  // The examples with both extra keyword files, to the printers, with `extra` options.
  TrelRun Send(const std::vector<std::string>& ports, const std::vector<std::string>& extra = {},
               const std::vector<std::string>& environment = {}) {
    const std::string examples = TREL_EXAMPLES_DIR;
    std::vector<std::string> arguments{"send",
                                       "--params",
                                       examples + "/params.ini",
                                       "--keywords",
                                       examples + "/keywords.xml",
                                       "--more-keywords",
                                       "keywords-extra1.xml;keywords-extra2.ini"};
    arguments.insert(arguments.end(), ports.begin(), ports.end());
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return TrelProcess(arguments, environment).finish();
  }

  TempDir dir;
};

TEST_F(SeveralPrinters, EachPrinterReceivesWhatASendToItAloneGivesIt) {
  // Each printer's answers decide its own job: the extra files, the separator, too few items.
  const std::vector<SimOptions> printers = {{},
                                            {"--firmware-level", "1"},
                                            {"--escape-selector", "1"},
                                            {"--items-needed", "200"},
                                            {"--delay", "10"}};
  std::vector<std::vector<json>> alone;
  for (const SimOptions& options : printers) {
    Printers one({options});
    Send(one.portArguments());
    alone.push_back(one.frames(0));
  }
  Printers together(printers);
  const TrelRun run = Send(together.portArguments());
  EXPECT_EQ(run.exitCode, 1) << run.err;  // the printer that needs 200 items fails
  for (std::size_t index = 0; index < printers.size(); ++index) {
    EXPECT_FALSE(alone[index].empty()) << index;
    EXPECT_TRUE(together.frames(index) == alone[index]) << "printer " << index;
  }
}

struct Fixture {
  const char* name;
  std::vector<SimOptions> printers;  // an empty entry's port does not exist
  std::vector<std::string> outcomes;
  int exitCode;
};

void PrintTo(const Fixture& fixture, std::ostream* out) {
  *out << fixture.name;
}

class SeveralPrintersEnd : public SeveralPrinters, public ::testing::WithParamInterface<Fixture> {};

// One printer's failure never stops the others; the status is the first failure's, in the order
// the printers were named.
TEST_P(SeveralPrintersEnd, EachAsItsAnswersSayWithTheFirstFailuresStatus) {
  const Fixture& fixture = GetParam();
  std::vector<SimOptions> present;
  for (const SimOptions& options : fixture.printers) {
    if (options.empty() || options.front() != "missing") {
      present.push_back(options);
    }
  }
  Printers printers(present);
  std::vector<std::string> ports;
  std::vector<std::string> names;
  for (std::size_t index = 0, next = 0; index < fixture.printers.size(); ++index) {
    const bool missing =
        !fixture.printers[index].empty() && fixture.printers[index].front() == "missing";
    names.push_back(missing ? (dir / "missing").string() : printers.port(next++));
    ports.insert(ports.end(), {"--port", names.back()});
  }
  const TrelRun run = Send(ports);
  ASSERT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, fixture.exitCode) << run.err;
  int updated = 0;
  for (std::size_t index = 0; index < names.size(); ++index) {
    EXPECT_TRUE(Has(run.err, "\n" + names[index] + ": " + fixture.outcomes[index] + "\n"))
        << run.err;
    updated += fixture.outcomes[index] == kSuccess ? 1 : 0;
  }
  EXPECT_TRUE(Has(run.err, std::to_string(updated) + " of " + std::to_string(names.size()) +
                               " printers updated\n"))
      << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, SeveralPrintersEnd,
    ::testing::Values(Fixture{"RefusingAndSilentAmongGoodOnes",
                              {{}, {"--nak", "2"}, {"--drop", "2"}, {}},
                              {kSuccess, kTryAgain, kTryAgain, kSuccess},
                              1},
                      Fixture{"MissingPortFirst",
                              {{"missing"}, {"--nak", "2"}, {}},
                              {"Sorry,can't open the port,please try again.", kTryAgain, kSuccess},
                              3},
                      Fixture{"AllGood", {{}, {}, {}}, {kSuccess, kSuccess, kSuccess}, 0}),
    [](const ::testing::TestParamInfo<Fixture>& info) { return info.param.name; });

struct Refusal {
  const char* name;
  std::vector<std::string> ports;  // "@0", "@1": the stand-in printers' ports
  std::vector<std::string> extra;
  const char* text;
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
  *out << refusal.name;
}

class SeveralPrintersRefused : public SeveralPrinters,
                               public ::testing::WithParamInterface<Refusal> {};

// A machine with one adapter of serial number A10K3Z7Q, a second adapter whose two ports share
// the serial number TWIN, and two stand-in printers: every refusal comes before a frame is sent,
// and says what it found.
TEST_P(SeveralPrintersRefused, BeforeAnythingIsSent) {
  const Refusal& refusal = GetParam();
  FakeSysfs sysfs(dir / "sys");
  sysfs.addUsbPort({"ttyUSB97", "pl2303", "067b", "2303", "", 0, ""}, "A10K3Z7Q");
  sysfs.addUsbPort({"ttyUSB98", "ftdi_sio", "0403", "6010", "", 0, "1-9"}, "TWIN");
  sysfs.addUsbPort({"ttyUSB99", "ftdi_sio", "0403", "6010", "", 1, "1-9"}, "TWIN");
  ::mkdir((dir / "read-only").c_str(), 0555);
  Printers printers({{}, {}});
  std::vector<std::string> ports;
  for (const std::string& port : refusal.ports) {
    ports.push_back(port.starts_with("@") ? printers.port(std::stoul(port.substr(1))) : port);
  }
  std::vector<std::string> extra;
  for (const std::string& argument : refusal.extra) {
    extra.push_back(argument.starts_with("@") ? (dir / argument.substr(1)).string() : argument);
  }
  const TrelRun run = Send(ports, extra, {"TREL_SYSFS_ROOT=" + (dir / "sys").string()});
  EXPECT_EQ(run.exitCode, 2) << run.err;
  EXPECT_TRUE(Has(run.err, refusal.text)) << run.err;
  EXPECT_TRUE(printers.frames(0).empty());
  EXPECT_TRUE(printers.frames(1).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, SeveralPrintersRefused,
    ::testing::Values(
        Refusal{"ExpectedMore",
                {"--port", "@0", "--port", "@1"},
                {"--expect", "3"},
                "--expect 3: 2 printers are named: "},
        Refusal{"SamePortTwice",
                {"--port", "@0", "--port", "@1", "--port", "@0"},
                {},
                "are the same port"},
        Refusal{"NoSuchSerialNumber",
                {"--port", "@0", "--port", "sn:NOPE"},
                {},
                "sn:NOPE: no adapter has this serial number; adapters found: /dev/ttyUSB97 "
                "(A10K3Z7Q), /dev/ttyUSB98 (TWIN), /dev/ttyUSB99 (TWIN)"},
        Refusal{"SerialNumberOfTwoPorts",
                {"--port", "@0", "--port", "sn:twin"},
                {},
                "sn:twin: 2 ports have this serial number: /dev/ttyUSB98 (TWIN), /dev/ttyUSB99 "
                "(TWIN)"},
        Refusal{"AllFindsFewerThanExpected",
                {"--all"},
                {"--expect", "2"},
                "--expect 2: 1 printer is named: /dev/ttyUSB97"},
        Refusal{"OneRecordingForTwo",
                {"--port", "@0", "--port", "@1"},
                {"--record", "@sent.bin"},
                "--record takes one printer"},
        Refusal{"LogInAReadOnlyFolder",
                {"--port", "@0", "--port", "@1"},
                {"--log", "@read-only/log.jsonl"},
                "read-only/log.jsonl: Permission denied"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.name; });

// An sn: name finds its adapter in sysfs: the job opens that adapter's port (missing here, as
// the tree is made up) and its log line names the adapter.
TEST_F(SeveralPrinters, SerialNumberNamesTheAdapterOfThatNumber) {
  FakeSysfs sysfs(dir / "sys");
  sysfs.addUsbPort({"ttyUSB97", "pl2303", "067b", "2303", "", 0, ""}, "A10K3Z7Q");
  const std::string log = (dir / "log.jsonl").string();
  const TrelRun run = Send({"--port", "sn:a10k3z7q"}, {"--log", log},
                           {"TREL_SYSFS_ROOT=" + (dir / "sys").string()});
  EXPECT_EQ(run.exitCode, 3) << run.err;
  EXPECT_TRUE(Has(run.err, "/dev/ttyUSB97: no such port")) << run.err;
  const std::vector<json> lines = JsonLines(ReadBytes(log));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]["port"], "sn:a10k3z7q");
  EXPECT_EQ(lines[0]["device"], "/dev/ttyUSB97");
  EXPECT_EQ(lines[0]["adapter"],
            json({{"vid", "067b"}, {"pid", "2303"}, {"serialNumber", "A10K3Z7Q"}}));
}

// The two-item list of ParamList({{1, "A"}, {1, "B"}}) as sha256sum and stat see it.
constexpr char kParamsSha256[] = "526e9a1c8e5eec7855cfe30fc1e11899a11364d92a3b9837f4d75e41db5472e5";
constexpr int kParamsSize = 128;

// --log appends one line per printer to what the file held, --json prints events and nothing
// else on standard output; both parse and hold what each job did.
TEST_F(SeveralPrinters, LogAndJsonLinesTellWhatEachJobDid) {
  // The good printer answers its first data frame with another's sequence: that frame goes again.
  Printers printers({{"--firmware-level", "1", "--wrong-seq", "2"}, {"--nak", "2"}});
  const std::filesystem::path log = dir.write("log.jsonl", "{\"earlier\":true}\n");
  const std::string params = dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}})).string();
  const std::string keywords = std::string(TREL_EXAMPLES_DIR) + "/keywords.xml";
  const TrelRun run = TrelProcess({"send", "--port", printers.port(0), "--port", printers.port(1),
                                   "--params", params, "--keywords", keywords, "--more-keywords",
                                   "keywords-extra1.xml", "--log", log.string(), "--json"})
                          .finish();
  ASSERT_EQ(run.exitCode, 1) << run.err;

  const std::vector<json> lines = JsonLines(ReadBytes(log));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], json({{"earlier", true}}));
  for (const json& line : {lines[1], lines[2]}) {
    const bool good = line["port"] == printers.port(0);
    EXPECT_TRUE(std::regex_match(line["start"].get<std::string>(),
                                 std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z)")));
    EXPECT_GE(line["durationMs"].get<int>(), 0);
    EXPECT_EQ(line["trelVersion"], TREL_VERSION);
    EXPECT_EQ(line["adapter"], nullptr);
    EXPECT_EQ(line["ok"], good);
    EXPECT_EQ(line["status"], good ? 0 : 1);
    EXPECT_EQ(line["outcome"], good ? kSuccess : kTryAgain);
    EXPECT_EQ(line["firmwareLevel"], good ? 1 : 2);
    EXPECT_EQ(line["framesSent"] > 3, good) << line;  // the refused printer took the clock frame
    EXPECT_EQ(line["resends"], good ? 1 : 0);
    // The refused printer took no whole file; the good one the list and the main keyword file,
    // not the extra file, which its firmware level does not take.
    const json files = line["files"];
    ASSERT_EQ(files.size(), good ? 2u : 0u) << line;
    if (good) {
      EXPECT_EQ(files[0],
                json({{"path", params}, {"size", kParamsSize}, {"sha256", kParamsSha256}}));
      EXPECT_EQ(files[1]["path"], keywords);
    }
  }

  std::map<std::string, std::vector<std::string>> events;  // per port, in order
  for (const json& event : JsonLines(run.out)) {
    events[event["port"]].push_back(event["event"]);
    if (event["event"] == "outcome") {
      EXPECT_EQ(event["ok"], event["port"] == printers.port(0)) << event;
    }
  }
  for (std::size_t index = 0; index < 2; ++index) {
    const std::vector<std::string>& each = events[printers.port(index)];
    EXPECT_EQ(each.front(), "start");
    EXPECT_GT(std::count(each.begin(), each.end(), "progress"), 0);
    // The main keyword file sent, the extra one skipped; the refused printer came to neither.
    EXPECT_EQ(std::count(each.begin(), each.end(), "keyword-file"), index == 0 ? 2 : 0);
    EXPECT_EQ(each.back(), "outcome");
  }
}

// Ctrl-C ends every job at once: no printer receives a frame after it, and each job's line says
// it was interrupted.
TEST_F(SeveralPrinters, InterruptStopsEveryJobAtOnce) {
  Printers printers({{"--drop", "1", "--drop", "2"}, {"--drop", "1", "--drop", "2"}});
  const std::string log = (dir / "log.jsonl").string();
  TrelProcess trel({"send", "--port", printers.port(0), "--port", printers.port(1), "--params",
                    dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}})).string(), "--trace",
                    "--log", log});
  for (const std::string& port : {printers.port(0), printers.port(1)}) {
    // The trace of the first frame sent: the port, then the milliseconds, below 1000.
    ASSERT_TRUE(trel.waitForError(port + ":    ", std::chrono::seconds(10)));
  }
  trel.signal(SIGINT);
  const TrelRun run = trel.finish();
  EXPECT_EQ(run.exitCode, 130) << run.err;
  EXPECT_TRUE(Has(run.err, "0 of 2 printers updated")) << run.err;
  // The clock frame of each went out at most once: the interrupt may even come between its
  // trace and its write.
  EXPECT_EQ(CountOf(run.err, " sent "), 2) << run.err;
  for (std::size_t index = 0; index < 2; ++index) {
    EXPECT_LE(printers.frames(index).size(), 1u) << run.err;
  }
  for (const json& line : JsonLines(ReadBytes(log))) {
    EXPECT_EQ(line["outcome"], "interrupted");
    EXPECT_EQ(line["status"], 130);
  }
}

// On a terminal each printer's line is redrawn in place and ends with its outcome.
TEST_F(SeveralPrinters, OnATerminalEachPrinterHasALineOfItsOwn) {
  Printers printers({{}, {"--nak", "2"}});
  const TrelRun run =
      TrelProcess({"send", "--port", printers.port(0), "--port", printers.port(1), "--params",
                   dir.write("params.ini", ParamList({{1, "A"}, {1, "B"}})).string()},
                  {}, {.out = "", .err = "", .errorOutput = ErrorOutput::kTerminal})
          .finish();
  ASSERT_EQ(run.exitCode, 1) << run.err;
  // The rows drawn last, after the last move of the cursor up to them.
  const std::string rows = run.err.substr(run.err.rfind("\033[2A\033[J") + 7);
  EXPECT_TRUE(std::regex_search(
      rows, std::regex(printers.port(0) + R"(  \[#{20}\] 100%  3 frames sent  \d+:\d\d  )" +
                       kSuccess + "\n")))
      << rows;
  EXPECT_TRUE(Has(rows, printers.port(1) + "  [....................]   2%  2 frames sent")) << rows;
  EXPECT_TRUE(Has(run.err, printers.port(1) + ": Error: " + kTryAgain + "\n")) << run.err;
}

}  // namespace
}  // namespace trel::testing

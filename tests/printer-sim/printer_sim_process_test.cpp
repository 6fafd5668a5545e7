#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/serial_port.h"
#include "sim_frames.h"
#include "support/printer_sim_process.h"
#include "support/temp_dir.h"

namespace trel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using printer_sim::testing::ClockFrame;
using printer_sim::testing::MakeFrame;
using testing::PrinterSimProcess;

// Far beyond any answer's way; reaching it fails the test.
constexpr std::chrono::milliseconds kPatience{10000};

std::unique_ptr<SerialPort> OpenPort(const std::string& path) {
  auto opened = OpenSerialPort(path);
  EXPECT_EQ(opened.error, SerialOpenError::kNone) << opened.message;
  if (opened.port) {
    opened.port->setLine({115200, 0});
  }
  return std::move(opened.port);
}

// Reads until `count` bytes have come, the line fails or nothing comes for kPatience.
Bytes Receive(SerialPort& port, std::size_t count) {
  Bytes bytes(count);
  std::size_t got = 0;
  while (got < count && port.waitForInput(kPatience) == 1) {
    const long n = port.read(bytes.data() + got, count - got);
    if (n < 0) {
      break;
    }
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

bool Send(SerialPort& port, const Bytes& bytes) {
  return port.write(bytes.data(), bytes.size(), kPatience);
}

TEST(PrinterSimProcess, AnswersTheClockFrameOverARealPortAndServesSeveralJobs) {
  PrinterSimProcess sim(
      {"--firmware-level", "5", "--items-needed", "40", "--escape-selector", "1", "--verbose"});
  ASSERT_TRUE(sim.started());
  for (int job = 0; job < 2; ++job) {
    auto port = OpenPort(sim.portPath());
    ASSERT_NE(port, nullptr);
    ASSERT_TRUE(Send(*port, ClockFrame()));
    EXPECT_EQ(Receive(*port, 8), (Bytes{0xFE, 0x5B, 0x03, 5, 40, 1, 0, 0})) << "job " << job;
  }
  EXPECT_EQ(sim.stop(), 0);
  const std::string output = sim.output();
  EXPECT_NE(output.find("#1 seq 3 cmd 6 arg 0x26 (clock 2026-12-08 02:10:00)"), std::string::npos)
      << output;
  EXPECT_NE(output.find("#2 seq 3"), std::string::npos) << output;
}

TEST(PrinterSimProcess, SplitAnswerWithGarbageArrivesWhole) {
  PrinterSimProcess sim({"--split", "--split-pause", "20", "--garbage", "0102"});
  ASSERT_TRUE(sim.started());
  auto port = OpenPort(sim.portPath());
  ASSERT_NE(port, nullptr);
  ASSERT_TRUE(Send(*port, ClockFrame()));
  EXPECT_EQ(Receive(*port, 10), (Bytes{0x01, 0x02, 0xFE, 0x5B, 0x03, 2, 2, 0, 0, 0}));
}

TEST(PrinterSimProcess, HangUpEndsTheLineAfterTheAnswerAndTheSimExitsCleanly) {
  PrinterSimProcess sim({"--hang-up", "1"});
  ASSERT_TRUE(sim.started());
  auto port = OpenPort(sim.portPath());
  ASSERT_NE(port, nullptr);
  ASSERT_TRUE(Send(*port, ClockFrame()));
  EXPECT_EQ(sim.waitForExit(), 0);
  // The answer may be lost with the line (a pseudo-terminal drops its input on hang-up); what
  // must hold is that the port then reports the hang-up instead of waiting.
  Receive(*port, 8);
  EXPECT_EQ(port->waitForInput(kPatience), -1);
}

TEST(PrinterSimProcess, LinkAndLogAreWrittenAndTheLinkRemovedAtTheEnd) {
  testing::TempDir dir;
  const auto link = dir / "printer";
  const auto log = dir / "frames.jsonl";
  {
    PrinterSimProcess sim({"--link", link.string(), "--log", log.string(), "--drop", "1"});
    ASSERT_TRUE(sim.started());
    EXPECT_EQ(std::filesystem::read_symlink(link), sim.portPath());
    auto port = OpenPort(link.string());
    ASSERT_NE(port, nullptr);
    auto frames = ClockFrame();
    frames.back() = 0x00;  // a bad frame: reported, not answered
    const auto good = MakeFrame(4, 0, 0, {0xAA, 0x55, 0x55, 0xAA});
    frames.insert(frames.end(), good.begin(), good.end());
    frames.insert(frames.end(), good.begin(), good.end());
    ASSERT_TRUE(Send(*port, frames));
    // The first good frame is dropped, so the only answer is the second's: checksum (4 + 2) % 254.
    EXPECT_EQ(Receive(*port, 8), (Bytes{0xFE, 6, 4, 0, 0, 0, 0, 0}));
    EXPECT_EQ(sim.stop(), 0);
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
  const std::string lines = testing::ReadBytes(log);
  EXPECT_NE(lines.find("{\"good\":false,\"fault\":\"end bytes\""), std::string::npos) << lines;
  EXPECT_NE(lines.find("\"frame\":1,\"sequence\":4,\"command\":0,\"argument\":0,"
                       "\"meaning\":\"parameter end\",\"payload\":\"AA5555AA\",\"answer\":null"),
            std::string::npos)
      << lines;
  EXPECT_NE(lines.find("\"frame\":2,"), std::string::npos) << lines;
}

TEST(PrinterSimProcess, LinkRefusesToReplaceAnOrdinaryFile) {
  testing::TempDir dir;
  const auto precious = dir.write("precious", "keep me");
  PrinterSimProcess sim({"--link", precious.string()});
  EXPECT_FALSE(sim.started());
  EXPECT_NE(sim.waitForExit(), 0);
  EXPECT_EQ(testing::ReadBytes(precious), "keep me");
}

TEST(PrinterSimProcess, BadOptionsEndAtOnceWithoutAPort) {
  PrinterSimProcess badHex({"--garbage", "ABC"});
  EXPECT_FALSE(badHex.started());
  EXPECT_NE(badHex.waitForExit(), 0);

  PrinterSimProcess frameZero({"--nak", "0"});
  EXPECT_FALSE(frameZero.started());
  EXPECT_NE(frameZero.waitForExit(), 0);
}

TEST(PrinterSimProcess, IdleExitEndsASimNobodyTalksTo) {
  PrinterSimProcess sim({"--idle-exit", "1"});
  ASSERT_TRUE(sim.started());
  EXPECT_EQ(sim.waitForExit(), 0);
}

}  // namespace
}  // namespace trel

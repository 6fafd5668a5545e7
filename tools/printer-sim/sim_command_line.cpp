#include "sim_command_line.h"

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "hex_bytes.h"
#include "version/trel_version.h"

namespace printer_sim {
namespace {

// Options that name frames by number; each may be given several times.
void AddFrameNumberOption(CLI::App& app, const std::string& name, std::vector<unsigned>& numbers,
                          const std::string& help) {
  app.add_option(name, numbers, help)->check(CLI::PositiveNumber)->type_name("N");
}

void AddByteOption(CLI::App& app, const std::string& name, unsigned& value,
                   const std::string& help) {
  app.add_option(name, value, help)->check(CLI::Range(0U, 255U))->capture_default_str();
}

CLI::Validator HexBytesValidator() {
  return CLI::Validator(
      [](std::string& text) {
        return ParseHexBytes(text) ? std::string() : "not a list of hex bytes: " + text;
      },
      "HEX");
}

}  // namespace

std::optional<SimOptions> ParseSimCommandLine(int argc, char** argv, int& exitCode) {
  SimOptions options;
  AnswerOptions& answers = options.answers;
  std::vector<unsigned> nak, drop, wrongSeq, hangUp, noWord;
  std::string garbage;
  unsigned firmwareLevel = answers.firmwareLevel;
  unsigned itemsNeeded = answers.itemsNeeded;
  unsigned escapeSelector = answers.escapeSelector;
  long splitPauseMs = options.splitPause.count();
  long delayMs = 0;
  long idleExitSeconds = 0;

  CLI::App app{
      "A stand-in receipt printer on a pseudo-terminal: prints its port path as the first line, "
      "checks every frame and acknowledges the good ones."};
  app.set_version_flag("--version", std::string("trel-printer-sim ") + trel::kTrelVersion,
                       "Print the version and exit");
  AddByteOption(app, "--firmware-level", firmwareLevel, "R2 of the clock answer");
  AddByteOption(app, "--items-needed", itemsNeeded, "R3 of the clock answer");
  AddByteOption(app, "--escape-selector", escapeSelector, "R4 of the clock answer");
  AddFrameNumberOption(app, "--nak", nak, "refuse the Nth good frame (R2 = 3)");
  AddFrameNumberOption(app, "--drop", drop, "do not answer the Nth good frame");
  AddFrameNumberOption(app, "--wrong-seq", wrongSeq,
                       "answer the Nth good frame with another sequence");
  AddFrameNumberOption(app, "--hang-up", hangUp, "answer the Nth good frame, then close and exit");
  AddFrameNumberOption(app, "--no-word", noWord,
                       "answer the Nth good frame, a clock frame, with the firmware word 0");
  app.add_flag("--short-acks", answers.shortAcks, "answer with 6 bytes instead of 8");
  app.add_option("--garbage", garbage, "bytes sent before each answer")->check(HexBytesValidator());
  app.add_flag("--split", answers.split, "send each answer in two pieces");
  app.add_option("--split-pause", splitPauseMs, "pause between the two pieces, in ms")
      ->check(CLI::Range(0L, 60000L))
      ->capture_default_str();
  app.add_option("--delay", delayMs, "wait before each answer, in ms")
      ->check(CLI::Range(0L, 600000L));
  app.add_option("--idle-exit", idleExitSeconds, "end after this many seconds without input")
      ->check(CLI::Range(0L, 86400L * 365));
  app.add_option("--link", options.linkPath, "make a symlink to the port here");
  app.add_option("--log", options.logPath, "append each frame as a JSON line to this file");
  app.add_flag("--verbose,-v", options.verbose, "print each frame decoded");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    exitCode = app.exit(error);
    return std::nullopt;
  }
  answers.firmwareLevel = static_cast<std::uint8_t>(firmwareLevel);
  answers.itemsNeeded = static_cast<std::uint8_t>(itemsNeeded);
  answers.escapeSelector = static_cast<std::uint8_t>(escapeSelector);
  answers.nakFrames.insert(nak.begin(), nak.end());
  answers.dropFrames.insert(drop.begin(), drop.end());
  answers.wrongSeqFrames.insert(wrongSeq.begin(), wrongSeq.end());
  answers.hangUpFrames.insert(hangUp.begin(), hangUp.end());
  answers.noWordFrames.insert(noWord.begin(), noWord.end());
  answers.garbage = ParseHexBytes(garbage).value_or(std::vector<std::uint8_t>{});
  options.splitPause = std::chrono::milliseconds(splitPauseMs);
  options.delay = std::chrono::milliseconds(delayMs);
  options.idleExit = std::chrono::seconds(idleExitSeconds);
  return options;
}

}  // namespace printer_sim

#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <set>
#include <vector>

namespace printer_sim {

// How the stand-in printer answers, and which faults it injects. Frame numbers count the good
// frames received, from 1; a resent frame counts again.
struct AnswerOptions {
  std::uint8_t firmwareLevel = 2;
  std::uint8_t itemsNeeded = 2;
  std::uint8_t escapeSelector = 0;
  std::set<unsigned> nakFrames;       // R2 = 3: the frame is refused
  std::set<unsigned> dropFrames;      // no answer at all
  std::set<unsigned> wrongSeqFrames;  // the answer carries another sequence
  std::set<unsigned> hangUpFrames;    // answer, then close the line and end
  std::set<unsigned> noWordFrames;    // a clock answer with R2, R3 and R4 all 0: no firmware word
  bool shortAcks = false;             // 6-byte answers without padding
  std::vector<std::uint8_t> garbage;  // sent before each answer
  bool split = false;                 // each answer in two pieces
};

// What the simulator process does besides answering.
struct SimOptions {
  AnswerOptions answers;
  std::chrono::milliseconds splitPause{5};
  std::chrono::milliseconds delay{0};
  std::chrono::seconds idleExit{0};  // 0: never
  std::filesystem::path linkPath;    // empty: no symlink
  std::filesystem::path logPath;     // empty: no JSON-lines log
  bool verbose = false;
};

}  // namespace printer_sim

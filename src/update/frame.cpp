#include "update/frame.h"

namespace trel {

std::uint8_t SequenceByte(std::uint8_t counter, bool reboot) {
  return reboot && counter == kRebootCounterValue ? kRebootSequence : counter;
}

std::uint8_t FrameChecksum(std::uint8_t sequenceByte, std::uint8_t command, std::uint8_t argument,
                           std::span<const std::uint8_t> payload) {
  unsigned sum = static_cast<unsigned>(sequenceByte) + command + argument;
  for (std::uint8_t byte : payload) {
    sum = (sum + byte) % kChecksumModulus;
  }
  return static_cast<std::uint8_t>(sum % kChecksumModulus);
}

Frame BuildFrame(std::uint8_t counter, std::uint8_t command, std::uint8_t argument,
                 std::span<const std::uint8_t> payload, bool reboot) {
  const std::uint8_t sequence = SequenceByte(counter, reboot);
  Frame frame;
  frame.reserve(payload.size() + kFrameOverhead);
  frame.push_back(kFrameStart);
  frame.push_back(static_cast<std::uint8_t>(payload.size() + 1));
  frame.push_back(sequence);
  frame.push_back(command);
  frame.push_back(argument);
  frame.insert(frame.end(), payload.begin(), payload.end());
  frame.push_back(FrameChecksum(sequence, command, argument, payload));
  frame.push_back(kFrameEnd);
  frame.push_back(kFrameEnd);
  return frame;
}

Frame BuildClosingFrame(std::uint8_t counter, std::uint8_t closingCode, std::uint8_t fileIndex,
                        bool reboot) {
  const std::uint8_t payload[] = {fileIndex};
  return BuildFrame(counter, kCommandKeyword, closingCode, payload, reboot);
}

std::uint8_t TakeSequence(std::uint8_t& counter) {
  return counter++;
}

}  // namespace trel

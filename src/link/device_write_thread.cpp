#include "link/device_write_thread.h"

#include "platform/window_messages.h"

namespace trel {
namespace {

// The device type whose record selects the serial-protocol device (record bytes 01 00 01 00).
constexpr std::uint32_t kSerialDeviceTypeCode = 0x00010001;
// Records are honoured only once the line is configured past this state.
constexpr std::uint32_t kLastUnconfiguredLinkState = 5;

}  // namespace

TypeRecord TypeRecordFromMessage(std::uintptr_t wParam, std::intptr_t lParam) {
  const auto high = static_cast<std::uint32_t>(wParam);
  const auto low = static_cast<std::uint32_t>(lParam);
  TypeRecord record{};
  for (int i = 0; i < 4; ++i) {
    const int shift = 24 - 8 * i;
    record[i] = static_cast<std::uint8_t>(high >> shift);
    record[i + 4] = static_cast<std::uint8_t>(low >> shift);
  }
  return record;
}

bool CDeviceWriteThread::Start() {
  queue_.clear();
  return thread_.Start([this] { Run(); });
}

void CDeviceWriteThread::PostThreadMessage(unsigned message, std::uintptr_t wParam,
                                           std::intptr_t lParam) {
  queue_.post({message, wParam, lParam});
}

bool CDeviceWriteThread::Stop(std::chrono::milliseconds limit) {
  if (!thread_.Running()) {
    return true;
  }
  PostThreadMessage(WM_QUIT, 0, 0);
  return thread_.Stop(limit);
}

void CDeviceWriteThread::Run() {
  for (ThreadMessage message = queue_.take(); message.message != WM_QUIT; message = queue_.take()) {
    // Nothing handles a message the filter passes on.
    PreTranslateMessage(message);
  }
}

bool CDeviceWriteThread::PreTranslateMessage(const ThreadMessage& message) {
  switch (message.message) {
    case kLinkUpMessage:
      OnLinkUp();
      return true;
    case kLinkDownMessage:
      OnLinkDown();
      return true;
    case kTypeRecordMessage:
      if (state_.deviceActive.load()) {
        SelectFromTypeRecord(TypeRecordFromMessage(message.wParam, message.lParam));
      }
      return true;
    case kDeviceFilterMessage:
      return FilterThroughCurrent(message, false);
    default:
      return FilterThroughCurrent(message, true);
  }
}

void CDeviceWriteThread::OnLinkUp() {
  state_.deviceActive = true;
  if (CDeviceObject* current = state_.currentDevice.load()) {
    current->OnLinkEvent();
  }
  state_.currentDevice = &state_.idleDevice;
}

void CDeviceWriteThread::OnLinkDown() {
  state_.deviceTypeCode = 0;
  state_.deviceActive = false;
  if (CDeviceObject* current = state_.currentDevice.load()) {
    current->CancelAll(-1);
    current->Deactivate();
    current->OnLinkEvent();
  }
  state_.currentDevice = &state_.idleDevice;
}

void CDeviceWriteThread::SelectFromTypeRecord(const TypeRecord& record) {
  CDeviceObject* current = state_.currentDevice.load();
  if (state_.linkState.load() <= kLastUnconfiguredLinkState || record[1] != 0 || record[2] != 0) {
    if (current != nullptr) {
      current->OnTypeRecord(record);
    }
    return;
  }
  if (current != nullptr) {
    current->Deactivate();
  }
  state_.currentDevice = &state_.idleDevice;
  const std::uint32_t code =
      record[3] | record[4] << 8 | record[5] << 16 | static_cast<std::uint32_t>(record[6]) << 24;
  state_.deviceActive = true;
  state_.deviceTypeCode = code;
  if (!state_.messageThreadReady.load()) {
    return;
  }
  if (code != kSerialDeviceTypeCode) {
    // No device of ours speaks this protocol: end the read loop and with it the link.
    state_.reading = false;
    return;
  }
  CDeviceObject& target = state_.serialDevice;
  target.selectionValue = state_.selectionValue;
  target.Reset();
  target.Activate();
  state_.currentDevice = &target;
}

bool CDeviceWriteThread::FilterThroughCurrent(const ThreadMessage& message, bool idleMayFilter) {
  CDeviceObject* current = state_.currentDevice.load();
  const bool currentMayFilter =
      current != nullptr && (idleMayFilter || current != &state_.idleDevice);
  if (state_.deviceActive.load() && currentMayFilter) {
    return current->FilterThreadMessage(message);
  }
  return message.message >= kFirstUserMessage;
}

}  // namespace trel

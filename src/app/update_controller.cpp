#include "app/update_controller.h"

#include <algorithm>
#include <array>

#include "app/combo_list_ctrl.h"
#include "app/control_ids.h"
#include "app/device_link.h"
#include "app/file_commands.h"
#include "app/focus_handover.h"
#include "app/operator_dialogs.h"
#include "app/window_screen.h"
#include "link/port_discovery.h"
#include "platform/message_boxes.h"
#include "platform/private_profile.h"
#include "platform/utf_convert.h"
#include "platform/window_messages.h"
#include "update/failed_frame.h"
#include "update/job_keyword_files.h"
#include "update/more_xml_list.h"
#include "update/outcome.h"
#include "update/reply_channel.h"
#include "update/start_checks.h"

namespace trel {
namespace {

namespace c = control;

const std::vector<std::u16string> kOutputFilters = {u"BIN Files (*.bin)", u"GDM Files (*.gdm)",
                                                    u"All Files (*)"};

// The five controls an update greys out, which could change what it uses.
constexpr std::array<int, 5> kJobControls = {c::kStart, c::kBrowse, c::kImport, c::kExport,
                                             c::kMoreXmlEdit};

std::filesystem::path PathOf(std::u16string_view text) {
  return std::filesystem::path(std::u16string(text));
}

// Case-insensitive order of the port selector's sorted entries.
bool SortsAfter(std::u16string_view entry, std::u16string_view name) {
  return std::lexicographical_compare(
      name.begin(), name.end(), entry.begin(), entry.end(), [](char16_t a, char16_t b) {
        const auto lower = [](char16_t ch) {
          return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch - u'A' + u'a') : ch;
        };
        return lower(a) < lower(b);
      });
}

}  // namespace

UpdateController::UpdateController(WindowScreen& screen, CComboListCtrl& table,
                                   const WindowPaths& paths, const ToolSettings& settings,
                                   OperatorDialogs& dialogs, FileCommands& files,
                                   UpdateEnvironment environment, DeviceLink& link)
    : screen_(screen),
      table_(table),
      paths_(paths),
      settings_(settings),
      dialogs_(dialogs),
      files_(files),
      environment_(environment),
      link_(link) {}

void UpdateController::setStatus(std::u16string_view text) {
  screen_.setText(c::kStatus, text);
}

void UpdateController::setStatus(const std::string& text) {
  setStatus(Utf8ToUtf16(text));
}

std::optional<std::string> UpdateController::selectedPortEntry() const {
  const int index = screen_.selection(c::kPortSelector);
  // Text typed over the selected entry replaces it, as in a drop-down with an edit field.
  if (index < 0 || screen_.entryText(c::kPortSelector, index) != screen_.text(c::kPortSelector)) {
    return std::nullopt;
  }
  return Utf16ToUtf8(screen_.entryText(c::kPortSelector, index));
}

void UpdateController::writeLineSettings() const {
  const std::filesystem::path& file = paths_.settingsFile;
  WriteProfileString(file, kComSection, kComportKey, Utf8ToUtf16(job_.portName));
  WriteProfileString(file, kPrnSection, kPrnFile1Key, screen_.text(c::kXmlPath));
  WriteProfileString(file, kPrnSection, kXmlFile2Key, screen_.text(c::kMoreXmlPath));
  WriteProfileString(file, kComSection, kBaudRateKey, Utf8ToUtf16(std::to_string(job_.baudRate)));
  WriteProfileString(file, kComSection, kStopbitsKey, Utf8ToUtf16(std::to_string(job_.stopbits)));
}

bool UpdateController::checkPortAndSaveLine() {
  const StartChoices choices{Utf16ToUtf8(screen_.text(c::kIniPath)),
                             screen_.isChecked(c::kSaveIni),
                             screen_.isChecked(c::kSaveXml),
                             settings_.noPortSave,
                             portFound_,
                             Utf16ToUtf8(screen_.text(c::kPortSelector)),
                             selectedPortEntry()};
  const StartDecision decision = CheckStartChoices(choices);
  if (decision.refused()) {
    setStatus(decision.refusal);
    return false;
  }
  if (decision.portChecked) {
    job_.portName = decision.portName;
    job_.baudRate = BaudRateForSelectorIndex(screen_.selection(c::kBaudSelector));
    job_.stopbits = std::max(0, screen_.selection(c::kStopSelector));
    writeLineSettings();
  }
  return true;
}

// Each keyword file that cannot be opened is named before anything is sent; the operator sends
// without it or not at all.
bool UpdateController::confirmKeywordFiles() {
  for (const std::filesystem::path& file : UnreadableKeywordFiles(job_)) {
    const std::u16string cantOpen = u"Can't open:" + file.u16string();
    if (!dialogs_.askYesNo(cantOpen + u"\nSend the update without this file?", screen_.caption())) {
      setStatus(cantOpen);
      return false;
    }
    job_.keywordFilesLeftOut.push_back(file);
  }
  return true;
}

// What the table shows is what goes out: edits not yet saved are stored first, and a list that
// cannot be stored is not sent.
bool UpdateController::storeUnsavedEdits() {
  table_.endOpenEdit();
  if (!screen_.isEnabled(c::kSave)) {
    return true;
  }
  if (!files_.storeTable()) {
    return false;
  }
  screen_.setEnabled(c::kSave, false);
  return true;
}

bool UpdateController::chooseOutputFile() {
  const auto chosen = dialogs_.chooseFile(
      {paths_.startFolderFor(screen_.text(c::kIniPath)), u"bin", kOutputFilters});
  if (chosen && !chosen->empty()) {
    job_.outputPath = PathOf(*chosen);
    const std::string refusal = PrepareOutputFile(job_.outputPath, filesToSend());
    if (!refusal.empty()) {
      setStatus(refusal);
      job_.outputPath.clear();
      return false;
    }
  }
  job_.reboot = ReadRebootSetting(paths_.settingsFile);
  return true;
}

FilesToSend UpdateController::filesToSend() const {
  return {PathOf(screen_.text(c::kIniPath)), paths_.workingCopy, PathOf(screen_.text(c::kXmlPath)),
          files_.moreXmlList(), paths_.settingsFile};
}

void UpdateController::fillJobFiles() {
  job_.saveIniData = screen_.isChecked(c::kSaveIni);
  job_.saveXmlData = screen_.isChecked(c::kSaveXml);
  job_.nowait = settings_.nowait;
  job_.netprinter = settings_.netprinter;
  job_.workingCopyPath = paths_.workingCopy;
  job_.mainKeywordPath = PathOf(screen_.text(c::kXmlPath));
  AssignExtraKeywordFiles(job_, files_.moreXmlList());
}

void UpdateController::start() {
  screen_.stopTimer(kResetTimer);
  resetTimerActive_ = false;
  if (!checkPortAndSaveLine()) {
    return;
  }
  job_.reboot = 0;
  job_.outputPath.clear();
  job_.keywordFilesLeftOut.clear();
  fillJobFiles();
  if (!confirmKeywordFiles() || !storeUnsavedEdits()) {
    return;
  }
  if ((job_.saveIniData || job_.saveXmlData) && !chooseOutputFile()) {
    return;
  }
  setStatus(std::string(kDownloadingText));
  disableJobControls();
  progressSteps_ = 0;
  screen_.setProgress(c::kProgress, 0);
  if (worker_.IsRunning()) {
    return;
  }
  link_.SerialSetLine(job_.stopbits, job_.baudRate);
  // The worker must not touch the window: it asks the UI thread to enable the controls again.
  worker_.Start(job_, environment_, [this] { screen_.post([this] { enableJobControls(); }); });
}

// The focus of a control that disables itself would move on to Exit, which would then take Enter
// and Space as its own: it stays with the window itself instead, where Enter finds only the
// disabled Start.
void UpdateController::disableJobControls() {
  for (const int control : kJobControls) {
    DisableHandingFocusTo(screen_, control, WindowScreen::kWindow);
  }
  files_.lockEditing();
}

void UpdateController::enableJobControls() {
  for (const int control : kJobControls) {
    screen_.setEnabled(control, true);
  }
  files_.unlockEditing();
  // Unless the operator has moved the focus meanwhile, it goes back to Start.
  if (screen_.focusedControl() == WindowScreen::kWindow) {
    screen_.setFocus(c::kStart);
  }
}

void UpdateController::onUpdateStatus(std::uintptr_t wParam, std::intptr_t lParam) {
  if (wParam == kStatusReply) {
    if (const auto position = AdvanceProgress(progressSteps_)) {
      screen_.setProgress(c::kProgress, *position);
    }
    return;
  }
  if (wParam == kStatusJobEnded) {
    showOutcome(lParam);
  }
}

// The worker keeps the frame it failed at in its job before it posts the outcome, and touches the
// job no more: the UI thread may read it once the outcome has arrived.
void UpdateController::showOutcome(std::intptr_t outcome) {
  std::string text = OutcomeText(outcome, environment_.replies.longestReply());
  if (outcome == kJobFailed && worker_.job().failedFrame) {
    text += "\n" + FailedFrameText(*worker_.job().failedFrame);
  }
  // Why the port did not open: missing, in use by another program, not permitted.
  if (const std::string cause = link_.lastOpenError();
      outcome == kJobPortNotOpened && !cause.empty()) {
    text += "\n" + cause;
  }
  setStatus(text);
  if (outcome == kJobSucceeded) {
    screen_.setProgress(c::kProgress, kProgressFull);
    screen_.startTimer(kResetTimer, kResetDelayMs);
    resetTimerActive_ = true;
    return;
  }
  if (outcome == kJobPortNotOpened) {
    link_.SerialClose();
  }
  environment_.boxes.show(text, kErrorCaption);
}

void UpdateController::onTimer(int timerId) {
  if (timerId == kResetTimer) {
    screen_.stopTimer(kResetTimer);
    resetTimerActive_ = false;
    screen_.setProgress(c::kProgress, 0);
  }
}

void UpdateController::onPortFound(std::uintptr_t wParam, std::intptr_t lParam) {
  const std::u16string name = Utf8ToUtf16(UnpackPortName(wParam, lParam));
  portFound_ = true;
  setStatus(u"Had found port.");
  for (const std::u16string& known : discoveredPorts_) {
    if (known.find(name) != std::u16string::npos) {
      return;
    }
  }
  addDiscoveredPort(name);
}

void UpdateController::addDiscoveredPort(const std::u16string& name) {
  discoveredPorts_.push_back(name);
  // The selector keeps its entries sorted.
  const int count = screen_.entryCount(c::kPortSelector);
  int at = 0;
  while (at < count && !SortsAfter(screen_.entryText(c::kPortSelector, at), name)) {
    ++at;
  }
  screen_.insertEntry(c::kPortSelector, at, name);
  if (screen_.selection(c::kPortSelector) < 0) {
    screen_.select(c::kPortSelector, 0);
    return;
  }
  // With more than one entry, the port used last is chosen again when it is there.
  for (int entry = 0; count > 0 && entry <= count; ++entry) {
    if (screen_.entryText(c::kPortSelector, entry) == settings_.comport) {
      screen_.select(c::kPortSelector, entry);
      return;
    }
  }
}

bool UpdateController::mayClose() {
  if (!worker_.IsRunning()) {
    return true;
  }
  if (!dialogs_.askYesNo(u"An update is running. Stop it and close?", screen_.caption())) {
    return false;
  }
  endJob();
  return true;
}

void UpdateController::endJob() {
  if (worker_.IsRunning()) {
    link_.SerialClose();
  }
}

void UpdateController::endJobAndWait() {
  endJob();
  worker_.Join();
}

}  // namespace trel

#include "app/update_controller.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <array>

#include "app/device_link.h"
#include "app/file_commands.h"
#include "app/focus_handover.h"
#include "app/operator_dialogs.h"
#include "app/qt_text.h"
#include "app/ui_thread_queue.h"
#include "link/port_discovery.h"
#include "platform/message_boxes.h"
#include "platform/private_profile.h"
#include "platform/window_messages.h"
#include "tables/param_table_io.h"
#include "update/failed_frame.h"
#include "update/job_keyword_files.h"
#include "update/more_xml_list.h"
#include "update/outcome.h"
#include "update/reply_channel.h"
#include "update/start_checks.h"
#include "widgets/combo_list_ctrl.h"

namespace trel {
namespace {

const QStringList kOutputFilters = {QStringLiteral("BIN Files (*.bin)"),
                                    QStringLiteral("GDM Files (*.gdm)"),
                                    QStringLiteral("All Files (*)")};

}  // namespace

UpdateController::UpdateController(QWidget* window, MainWindowControls& controls,
                                   const WindowPaths& paths, const ToolSettings& settings,
                                   OperatorDialogs& dialogs, FileCommands& files,
                                   UpdateEnvironment environment, DeviceLink& link,
                                   UiThreadQueue& uiThread)
    : window_(window),
      c_(controls),
      paths_(paths),
      settings_(settings),
      dialogs_(dialogs),
      files_(files),
      environment_(environment),
      link_(link),
      uiThread_(uiThread) {
  resetTimer_.setSingleShot(true);
  resetTimer_.setInterval(kResetDelayMs);
  QObject::connect(&resetTimer_, &QTimer::timeout, window, [this] { c_.progress->setValue(0); });
}

void UpdateController::setStatus(const QString& text) {
  c_.status->setText(text);
}

std::optional<std::string> UpdateController::selectedPortEntry() const {
  const int index = c_.portSelector->currentIndex();
  // Text typed over the selected entry replaces it, as in a drop-down with an edit field.
  if (index < 0 || c_.portSelector->itemText(index) != c_.portSelector->currentText()) {
    return std::nullopt;
  }
  return c_.portSelector->itemText(index).toStdString();
}

void UpdateController::writeLineSettings() const {
  const std::filesystem::path& file = paths_.settingsFile;
  WriteProfileString(file, kComSection, kComportKey, ToU16(QString::fromStdString(job_.portName)));
  WriteProfileString(file, kPrnSection, kPrnFile1Key, ToU16(c_.xmlPath->text()));
  WriteProfileString(file, kPrnSection, kXmlFile2Key, ToU16(c_.moreXmlPath->text()));
  WriteProfileString(file, kComSection, kBaudRateKey, ToU16(QString::number(job_.baudRate)));
  WriteProfileString(file, kComSection, kStopbitsKey, ToU16(QString::number(job_.stopbits)));
}

bool UpdateController::checkPortAndSaveLine() {
  const StartChoices choices{c_.iniPath->text().toStdString(),
                             c_.saveIni->isChecked(),
                             c_.saveXml->isChecked(),
                             settings_.noPortSave,
                             portFound_,
                             c_.portSelector->currentText().toStdString(),
                             selectedPortEntry()};
  const StartDecision decision = CheckStartChoices(choices);
  if (decision.refused()) {
    setStatus(QString::fromStdString(decision.refusal));
    return false;
  }
  if (decision.portChecked) {
    job_.portName = decision.portName;
    job_.baudRate = BaudRateForSelectorIndex(c_.baudSelector->currentIndex());
    job_.stopbits = std::max(0, c_.stopSelector->currentIndex());
    writeLineSettings();
  }
  return true;
}

bool UpdateController::chooseOutputFile() {
  const auto chosen = dialogs_.chooseFile(
      {paths_.startFolderFor(c_.iniPath->text()), QStringLiteral("bin"), kOutputFilters});
  if (chosen && !chosen->isEmpty()) {
    job_.outputPath = ToPath(*chosen);
    const std::string refusal = PrepareOutputFile(job_.outputPath, filesToSend());
    if (!refusal.empty()) {
      setStatus(QString::fromUtf8(refusal));
      job_.outputPath.clear();
      return false;
    }
  }
  job_.reboot = ReadRebootSetting(paths_.settingsFile);
  return true;
}

FilesToSend UpdateController::filesToSend() const {
  return {ToPath(c_.iniPath->text()), paths_.workingCopy, ToPath(c_.xmlPath->text()),
          files_.moreXmlList(), paths_.settingsFile};
}

void UpdateController::fillJobFiles() {
  job_.saveIniData = c_.saveIni->isChecked();
  job_.saveXmlData = c_.saveXml->isChecked();
  job_.nowait = settings_.nowait;
  job_.netprinter = settings_.netprinter;
  job_.workingCopyPath = paths_.workingCopy;
  job_.mainKeywordPath = ToPath(c_.xmlPath->text());
  AssignExtraKeywordFiles(job_, files_.moreXmlList());
}

// Each keyword file that cannot be opened is named before anything is sent; the operator sends
// without it or not at all.
bool UpdateController::confirmKeywordFiles() {
  for (const std::filesystem::path& file : UnreadableKeywordFiles(job_)) {
    const QString cantOpen = QStringLiteral("Can't open:") + PathToQString(file);
    if (!dialogs_.askYesNo(cantOpen + QStringLiteral("\nSend the update without this file?"),
                           window_->windowTitle())) {
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
  c_.table->endOpenEdit();
  if (!c_.save->isEnabled()) {
    return true;
  }
  if (!files_.storeTable()) {
    return false;
  }
  c_.save->setEnabled(false);
  return true;
}

void UpdateController::start() {
  resetTimer_.stop();
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
  if ((c_.saveIni->isChecked() || c_.saveXml->isChecked()) && !chooseOutputFile()) {
    return;
  }
  setStatus(QString::fromUtf8(kDownloadingText));
  disableJobControls();
  progressSteps_ = 0;
  c_.progress->setValue(0);
  if (worker_.IsRunning()) {
    return;
  }
  link_.SerialSetLine(job_.stopbits, job_.baudRate);
  // The worker must not touch a widget: it asks the UI thread to enable the controls again.
  worker_.Start(job_, environment_, [this] { uiThread_.post([this] { enableJobControls(); }); });
}

namespace {

std::array<QWidget*, 5> JobControls(const MainWindowControls& c) {
  return {c.start, c.browse, c.import, c.exportButton, c.moreXmlEdit};
}

}  // namespace

// The focus of a control that disables itself would move on to Exit, which would then take Enter
// and Space as its own: it stays with the window itself instead, where Enter finds only the
// disabled Start.
void UpdateController::disableJobControls() {
  for (QWidget* control : JobControls(c_)) {
    DisableHandingFocusTo(control, window_);
  }
  files_.lockEditing();
}

void UpdateController::enableJobControls() {
  for (QWidget* control : JobControls(c_)) {
    control->setEnabled(true);
  }
  files_.unlockEditing();
  // Unless the operator has moved the focus meanwhile, it goes back to Start.
  if (window_->focusWidget() == window_) {
    c_.start->setFocus(Qt::OtherFocusReason);
  }
}

void UpdateController::onUpdateStatus(std::uintptr_t wParam, std::intptr_t lParam) {
  if (wParam == kStatusReply) {
    if (const auto position = AdvanceProgress(progressSteps_)) {
      c_.progress->setValue(*position);
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
  setStatus(QString::fromStdString(text));
  if (outcome == kJobSucceeded) {
    c_.progress->setValue(kProgressFull);
    resetTimer_.start();
    return;
  }
  if (outcome == kJobPortNotOpened) {
    link_.SerialClose();
  }
  environment_.boxes.show(text, kErrorCaption);
}

void UpdateController::onPortFound(std::uintptr_t wParam, std::intptr_t lParam) {
  const QString name = QString::fromStdString(UnpackPortName(wParam, lParam));
  portFound_ = true;
  setStatus(QStringLiteral("Had found port."));
  for (const QString& known : discoveredPorts_) {
    if (known.contains(name)) {
      return;
    }
  }
  addDiscoveredPort(name);
}

void UpdateController::addDiscoveredPort(const QString& name) {
  discoveredPorts_.append(name);
  QComboBox* selector = c_.portSelector;
  // The selector keeps its entries sorted.
  int at = 0;
  while (at < selector->count() &&
         QString::compare(selector->itemText(at), name, Qt::CaseInsensitive) <= 0) {
    ++at;
  }
  selector->insertItem(at, name);
  if (selector->currentIndex() < 0) {
    selector->setCurrentIndex(0);
  } else if (selector->count() > 1) {
    const int last = selector->findText(ToQString(settings_.comport),
                                        Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (last >= 0) {
      selector->setCurrentIndex(last);
    }
  }
}

bool UpdateController::mayClose() {
  if (!worker_.IsRunning()) {
    return true;
  }
  if (!dialogs_.askYesNo(QStringLiteral("An update is running. Stop it and close?"),
                         window_->windowTitle())) {
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

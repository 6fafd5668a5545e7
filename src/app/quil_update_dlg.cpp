#include "app/quil_update_dlg.h"

#include "app/control_ids.h"
#include "app/device_link.h"
#include "app/dialog_units.h"
#include "app/main_window_template.h"
#include "app/operator_dialogs.h"
#include "app/window_fit.h"
#include "platform/param_table.h"
#include "platform/private_profile.h"
#include "platform/whole_file.h"
#include "tables/param_table_io.h"
#include "update/outcome.h"

namespace trel {
namespace {

namespace c = control;

constexpr char16_t const* kBaudEntries[] = {u"9600", u"38400", u"115200"};
constexpr char16_t const* kStopBitEntries[] = {u"1", u"1.5", u"2"};
constexpr int kUnusedComboColumn = 5;
// The table still shows its header and this many rows when the window gives up table height.
constexpr int kShortestTableRows = 6;

ScreenRect PlaceOf(const DialogBaseUnits& units, int cx, int cy) {
  return DialogUnitsToPixels(units, 0, 0, cx, cy);
}

// The table gives up `pixels` of its height, and the controls under it move up by as many.
void ShortenTable(WindowScreen& screen, int pixels) {
  const ScreenRect table = screen.place(c::kTable);
  for (const ControlTemplate& design : kMainWindowTemplate.controls) {
    ScreenRect place = screen.place(design.id);
    if (place.y >= table.bottom()) {
      place.y -= pixels;
      screen.setPlace(design.id, place);
    }
  }
  screen.setPlace(c::kTable, ScreenRect{table.x, table.y, table.width, table.height - pixels});
}

// Makes the window's controls with the font and the table height that fit the screen, sizes the
// window and puts it, frame and all, in the middle of the screen's free area.
WindowScreen& MadeFittedControls(WindowScreen& screen) {
  const ScreenMetrics metrics = screen.metrics();
  const ControlTemplate& table = kMainWindowTemplate.control(c::kTable);
  const FontFit fit = FitFontAndTable(
      metrics.available, metrics.fontPointSize, metrics.smallestPointSize, [&](double pointSize) {
        const DialogBaseUnits units = screen.baseUnitsAt(pointSize);
        const ScreenRect window =
            PlaceOf(units, kMainWindowTemplate.widthDu, kMainWindowTemplate.heightDu);
        return DesignedSize{window.width, window.height, PlaceOf(units, 0, table.cy).height,
                            (kShortestTableRows + 1) * screen.rowHeightAt(pointSize)};
      });
  screen.createControls(kMainWindowTemplate, fit.pointSize, CquilUpdateDlg::kCaption);
  ShortenTable(screen, fit.tableCut);
  const ScreenRect designed = PlaceOf(screen.baseUnitsAt(fit.pointSize),
                                      kMainWindowTemplate.widthDu, kMainWindowTemplate.heightDu);
  const ScreenSize client{designed.width, designed.height - fit.tableCut};
  screen.setClientSize(client, client);
  const ScreenRect frame = CentredFrame(metrics.available, client);
  screen.moveFrameTo(frame.x, frame.y);
  return screen;
}

}  // namespace

CquilUpdateDlg::CquilUpdateDlg(Services services, WindowScreen& screen)
    : services_(std::move(services)),
      screen_(MadeFittedControls(screen)),
      paths_(WindowPaths::InFolder(services_.toolFolder)),
      messages_(screen_, [this](unsigned message, std::uintptr_t wParam,
                                std::intptr_t lParam) { windowProc(message, wParam, lParam); }),
      boxes_(screen_, services_.dialogs),
      replies_(messages_),
      keywordLoader_(encoding_, boxes_),
      table_(c::kTable, screen_.listView(c::kTable)) {
  files_ = std::make_unique<FileCommands>(screen_, table_, paths_, services_.dialogs, boxes_);
  updates_ = std::make_unique<UpdateController>(
      screen_, table_, paths_, settings_, services_.dialogs, *files_,
      UpdateEnvironment{services_.link, replies_, messages_, boxes_, encoding_, keywordLoader_,
                        keywordTables_},
      services_.link);
  screen_.setEvents(this);
}

CquilUpdateDlg::~CquilUpdateDlg() {
  shutdown();
  screen_.setEvents(nullptr);
}

bool CquilUpdateDlg::initialise() {
  services_.link.SerialSetDataCallback(replies_.dataCallback());
  if (services_.link.SerialStart(messages_) == 0) {
    return false;
  }
  linkStarted_ = true;
  screen_.setProgress(c::kProgress, 0);
  settings_ = ReadToolSettings(paths_.settingsFile);
  fillSelectors();
  encoding_.separatorCode = settings_.initialSeparatorCode();
  for (const int box : {c::kSaveIni, c::kSaveXml}) {
    screen_.setChecked(box, false);
    screen_.setVisible(box, settings_.openSel);
    screen_.setEnabled(box, settings_.openSel);
  }
  setUpTable();
  // The command text becomes one profile value when Change puts it into the table.
  screen_.setTextLimit(c::kCommandText, static_cast<int>(kProfileValueLimit));
  LoadParamTable(table_, paths_.workingCopy);
  for (const int button : {c::kSave, c::kChange, c::kEditCommand}) {
    screen_.setEnabled(button, false);
  }
  showSettings();
  if (settings_.hidesKeywordRow()) {
    hideKeywordRow();
  }
  files_->rebuildMoreXmlList();
  arrangeMoreXmlRow();
  table_.setNotifyCheckToggle(true);
  // One note fits under the status line's first line: settings that cannot be kept come first.
  if (!IsWritableFolder(services_.toolFolder)) {
    files_->noteUnwritableToolFolder();
  } else if (const std::string note = services_.missingPortNote(); !note.empty()) {
    files_->noteAtStartUp(note);
  }
  layout_.capture(screen_);
  layout_.apply(screen_, screen_.clientSize());
  return true;
}

void CquilUpdateDlg::fillSelectors() {
  for (int entry = 0; entry < 3; ++entry) {
    screen_.insertEntry(c::kBaudSelector, entry, kBaudEntries[entry]);
    screen_.insertEntry(c::kStopSelector, entry, kStopBitEntries[entry]);
  }
  screen_.select(c::kBaudSelector, settings_.baudSelectorIndex());
  screen_.select(c::kStopSelector, settings_.stopbits);
}

void CquilUpdateDlg::setUpTable() {
  table_.setCheckBoxes(true);
  table_.addColumn(u"ID", 2, 30);
  table_.addColumn(u"CommandName", 7, 30);
  table_.addColumn(u"DataMode", 3, 30);
  table_.addColumn(u"CommandStr", 17, 30);
  table_.addColumn(u"Split symbol", 3, 30);
  for (const int column : {ParamTable::kIdColumn, ParamTable::kNameColumn,
                           ParamTable::kDataModeColumn, ParamTable::kSplitSymbolColumn}) {
    table_.AddReadOnlyColumn(column);
  }
  table_.AddComboColumn(kUnusedComboColumn);
  table_.setOwner(this);
}

void CquilUpdateDlg::showSettings() {
  screen_.setText(c::kXmlPath, settings_.prnFile1);
  screen_.setText(c::kMoreXmlPath, settings_.xmlFile2);
  screen_.setText(c::kIniPath, settings_.iniFile);
}

void CquilUpdateDlg::hideKeywordRow() {
  for (const int control : {c::kXmlLabel, c::kXmlPath, c::kBrowse, c::kSaveXml}) {
    screen_.setVisible(control, false);
  }
  screen_.setEnabled(c::kSaveXml, false);
  screen_.setText(c::kMoreXmlPath, u"");
  // The rows below move up into the freed space, each keeping its horizontal place.
  const auto moveUpTo = [this](int control, int top) {
    ScreenRect place = screen_.place(control);
    place.y = top;
    screen_.setPlace(control, place);
  };
  const ScreenRect progress = screen_.place(c::kProgress);
  const int moreLabelTop = screen_.place(c::kMoreXmlLabel).y;
  moveUpTo(c::kProgress, screen_.place(c::kXmlLabel).y);
  moveUpTo(c::kStatus, moreLabelTop);
  moveUpTo(c::kSaveIni, moreLabelTop);
  const ScreenRect table = screen_.place(c::kTable);
  screen_.setPlace(
      c::kTable, ScreenRect{table.x, progress.y, table.width, table.height + table.y - progress.y});
}

void CquilUpdateDlg::arrangeMoreXmlRow() {
  const bool shown = !screen_.text(c::kMoreXmlPath).empty();
  for (const int control : {c::kMoreXmlLabel, c::kMoreXmlPath, c::kMoreXmlEdit}) {
    screen_.setVisible(control, shown);
  }
  if (shown) {
    screen_.setText(c::kXmlLabel, u"Select XML file1:");
  }
}

void CquilUpdateDlg::onCommand(int controlId) {
  switch (controlId) {
    case c::kStart:
      updates_->start();
      break;
    case c::kExit:
      exit();
      break;
    case c::kBrowse:
      files_->browse();
      break;
    case c::kImport:
      files_->importFile();
      break;
    case c::kExport:
      files_->exportFile();
      break;
    case c::kSave:
      files_->save();
      break;
    case c::kChange:
      files_->change();
      break;
    case c::kEditCommand:
      files_->editCommand();
      break;
    case c::kMoreXmlEdit:
      files_->editMoreXml();
      break;
    default:
      break;  // the Save boxes are read when Start needs them
  }
}

void CquilUpdateDlg::onTextChanged(int controlId) {
  if (controlId == c::kCommandText) {
    files_->onCommandTyped();
  }
}

std::optional<RefusedInput> CquilUpdateDlg::onTextEdited(int controlId, std::u16string_view before,
                                                         std::u16string_view after) {
  if (controlId != c::kCommandText) {
    return std::nullopt;
  }
  return files_->refuseCommandInput(before, after);
}

// During an update Escape does nothing: a stray key must not cut the update off.
void CquilUpdateDlg::onEscape() {
  if (!updates_->jobRunning()) {
    exit();
  }
}

void CquilUpdateDlg::exit() {
  if (mayClose()) {
    screen_.closeWindow();
  }
}

bool CquilUpdateDlg::mayClose() {
  return updates_->mayClose() && (updates_->jobRunning() || files_->mayCloseWithEdits());
}

void CquilUpdateDlg::onResized(ScreenSize client) {
  if (layout_.captured()) {
    layout_.apply(screen_, client);
  }
}

void CquilUpdateDlg::onTimer(int timerId) {
  updates_->onTimer(timerId);
}

void CquilUpdateDlg::windowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case WM_PORT_FOUND:
      updates_->onPortFound(wParam, lParam);
      break;
    case WM_UPDATE_STATUS:
      updates_->onUpdateStatus(wParam, lParam);
      break;
    default:
      break;  // a read loop that ended needs nothing here
  }
}

void CquilUpdateDlg::onListEdited(int, const CellEdit* edit) {
  files_->onListEdited(edit);
}

void CquilUpdateDlg::onRowSelected(int, int row) {
  files_->onRowSelected(row);
}

void CquilUpdateDlg::onGetChoices(int, std::vector<std::u16string>&) {}

void CquilUpdateDlg::onInputRefused(const std::string& note) {
  files_->showNote(note);
}

void CquilUpdateDlg::shutdown() {
  if (shutDown_) {
    return;
  }
  shutDown_ = true;
  // Late replies are turned away and a worker waiting for a reply or a box goes on; the link then
  // closes under a running job, which ends at its next write, and the worker is waited for before
  // anything it uses goes.
  replies_.StopAccepting();
  boxes_.release();
  updates_->endJobAndWait();
  if (linkStarted_) {
    services_.link.SerialShutdown();
  }
  keywordLoader_.FreeWorkingStorage();
  replies_.Clear();
}

}  // namespace trel

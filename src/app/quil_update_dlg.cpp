#include "app/quil_update_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>

#include "app/command_text_box.h"
#include "app/device_link.h"
#include "app/line_break_guard.h"
#include "app/qt_text.h"
#include "app/window_fitting.h"
#include "platform/whole_file.h"
#include "tables/param_table_io.h"
#include "update/outcome.h"
#include "widgets/combo_list_ctrl.h"
#include "widgets/dialog_units.h"

namespace trel {
namespace {

const QStringList kBaudEntries = {QStringLiteral("9600"), QStringLiteral("38400"),
                                  QStringLiteral("115200")};
const QStringList kStopBitEntries = {QStringLiteral("1"), QStringLiteral("1.5"),
                                     QStringLiteral("2")};
constexpr int kUnusedComboColumn = 5;

GuiMessageBoxes::ModalBox BoxOrDefault(GuiMessageBoxes::ModalBox box, QWidget* owner) {
  if (box) {
    return box;
  }
  return
      [owner](const QString& text, const QString& caption) { ShowModalBox(owner, text, caption); };
}

}  // namespace

const QString CquilUpdateDlg::kCaption = QStringLiteral("Printer Parameter Update");

CquilUpdateDlg::CquilUpdateDlg(Services services, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      paths_(WindowPaths::InFolder(services_.toolFolder)),
      tableCut_(FitWindowToScreen(*this)),
      controls_(BuildMainWindowControls(this)),
      messages_(uiThread_, [this](unsigned message, std::uintptr_t wParam,
                                  std::intptr_t lParam) { windowProc(message, wParam, lParam); }),
      boxes_(uiThread_, BoxOrDefault(services_.modalBox, this)),
      replies_(messages_),
      keywordLoader_(encoding_, boxes_) {
  setWindowTitle(kCaption);
  setWindowIcon(style()->standardIcon(QStyle::SP_DriveNetIcon));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  ShortenTable(controls_, tableCut_);
  const QSize designed =
      DialogUnitsToPixels(BaseUnitsOf(font()), 0, 0, kMainWindowWidthDu, kMainWindowHeightDu)
          .size() -
      QSize(0, tableCut_);
  resize(designed);
  setMinimumSize(designed);
  PlaceOnScreen(*this);
  files_ = std::make_unique<FileCommands>(this, controls_, paths_, services_.dialogs, boxes_);
  updates_ = std::make_unique<UpdateController>(
      this, controls_, paths_, settings_, services_.dialogs, *files_,
      UpdateEnvironment{services_.link, replies_, messages_, boxes_, encoding_, keywordLoader_,
                        keywordTables_},
      services_.link, uiThread_);
  connectCommands();
}

CquilUpdateDlg::~CquilUpdateDlg() {
  shutdown();
}

void CquilUpdateDlg::connectCommands() {
  FileCommands* files = files_.get();
  UpdateController* updates = updates_.get();
  const auto onClick = [this](QPushButton* button, auto handler) {
    connect(button, &QPushButton::clicked, this, handler);
  };
  onClick(controls_.start, [updates] { updates->start(); });
  onClick(controls_.exit, [this] { reject(); });
  onClick(controls_.browse, [files] { files->browse(); });
  onClick(controls_.import, [files] { files->importFile(); });
  onClick(controls_.exportButton, [files] { files->exportFile(); });
  onClick(controls_.save, [files] { files->save(); });
  onClick(controls_.change, [files] { files->change(); });
  onClick(controls_.editCommand, [files] { files->editCommand(); });
  onClick(controls_.moreXmlEdit, [files] { files->editMoreXml(); });
  connect(controls_.commandText, &CommandTextBox::textChanged, this,
          [files] { files->onCommandTyped(); });
  controls_.commandText->installEventFilter(new LineBreakGuard(controls_.commandText));
}

bool CquilUpdateDlg::initialise() {
  services_.link.SerialSetDataCallback(replies_.dataCallback());
  if (services_.link.SerialStart(messages_) == 0) {
    return false;
  }
  linkStarted_ = true;
  controls_.progress->setRange(0, kProgressFull);
  controls_.progress->setValue(0);
  settings_ = ReadToolSettings(paths_.settingsFile);
  fillSelectors();
  encoding_.separatorCode = settings_.initialSeparatorCode();
  controls_.saveIni->setChecked(false);
  controls_.saveXml->setChecked(false);
  for (QCheckBox* box : {controls_.saveIni, controls_.saveXml}) {
    box->setVisible(settings_.openSel);
    box->setEnabled(settings_.openSel);
  }
  setUpTable();
  LoadParamTable(*controls_.table, paths_.workingCopy);
  controls_.save->setEnabled(false);
  controls_.change->setEnabled(false);
  controls_.editCommand->setEnabled(false);
  showSettings();
  if (settings_.hidesKeywordRow()) {
    hideKeywordRow();
  }
  files_->rebuildMoreXmlList();
  arrangeMoreXmlRow();
  controls_.table->setNotifyCheckToggle(true);
  if (!IsWritableFolder(services_.toolFolder)) {
    files_->noteUnwritableToolFolder();
  }
  layout_.capture(controls_.laidOut(), size());
  layout_.apply(size());
  return true;
}

void CquilUpdateDlg::fillSelectors() {
  controls_.baudSelector->addItems(kBaudEntries);
  controls_.baudSelector->setCurrentIndex(settings_.baudSelectorIndex());
  controls_.stopSelector->addItems(kStopBitEntries);
  controls_.stopSelector->setCurrentIndex(settings_.stopbits);
}

void CquilUpdateDlg::setUpTable() {
  CComboListCtrl* table = controls_.table;
  table->setCheckBoxes(true);
  table->addColumn(QStringLiteral("ID"), 2, 30);
  table->addColumn(QStringLiteral("CommandName"), 7, 30);
  table->addColumn(QStringLiteral("DataMode"), 3, 30);
  table->addColumn(QStringLiteral("CommandStr"), 17, 30);
  table->addColumn(QStringLiteral("Split symbol"), 3, 30);
  for (const int column : {ParamTable::kIdColumn, ParamTable::kNameColumn,
                           ParamTable::kDataModeColumn, ParamTable::kSplitSymbolColumn}) {
    table->AddReadOnlyColumn(column);
  }
  table->AddComboColumn(kUnusedComboColumn);
  table->setOwner(this);
}

void CquilUpdateDlg::showSettings() {
  controls_.xmlPath->setText(ToQString(settings_.prnFile1));
  controls_.moreXmlPath->setText(ToQString(settings_.xmlFile2));
  controls_.iniPath->setText(ToQString(settings_.iniFile));
}

void CquilUpdateDlg::hideKeywordRow() {
  MainWindowControls& c = controls_;
  for (QWidget* control : {static_cast<QWidget*>(c.xmlLabel), static_cast<QWidget*>(c.xmlPath),
                           static_cast<QWidget*>(c.browse)}) {
    control->hide();
  }
  c.saveXml->setEnabled(false);
  c.saveXml->hide();
  c.moreXmlPath->clear();
  // The rows below move up into the freed space, each keeping its horizontal place.
  const int progressTop = c.progress->y();
  c.progress->move(c.progress->x(), c.xmlLabel->y());
  c.status->move(c.status->x(), c.moreXmlLabel->y());
  c.saveIni->move(c.saveIni->x(), c.moreXmlLabel->y());
  const QRect table = c.table->geometry();
  c.table->setGeometry(table.x(), progressTop, table.width(),
                       table.height() + table.y() - progressTop);
}

void CquilUpdateDlg::arrangeMoreXmlRow() {
  const bool shown = !controls_.moreXmlPath->text().isEmpty();
  controls_.moreXmlLabel->setVisible(shown);
  controls_.moreXmlPath->setVisible(shown);
  controls_.moreXmlEdit->setVisible(shown);
  if (shown) {
    controls_.xmlLabel->setText(QStringLiteral("Select XML file1:"));
  }
}

void CquilUpdateDlg::bringToFront() {
  setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  show();
  raise();
  activateWindow();
}

void CquilUpdateDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (layout_.captured()) {
    layout_.apply(event->size());
  }
}

void CquilUpdateDlg::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel) && updates_->jobRunning()) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CquilUpdateDlg::reject() {
  if (updates_->mayClose() && (updates_->jobRunning() || files_->mayCloseWithEdits())) {
    QDialog::reject();
  }
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

void CquilUpdateDlg::onGetChoices(int, QStringList&) {}

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

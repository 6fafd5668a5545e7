#pragma once

#include <QDialog>
#include <filesystem>
#include <memory>

#include "app/file_commands.h"
#include "app/gui_message_boxes.h"
#include "app/gui_window_messages.h"
#include "app/layout_record.h"
#include "app/main_window_controls.h"
#include "app/tool_settings.h"
#include "app/ui_thread_queue.h"
#include "app/update_controller.h"
#include "app/window_paths.h"
#include "tables/keyword_loader.h"
#include "tables/keyword_tables.h"
#include "tables/text_encoding.h"
#include "update/reply_channel.h"
#include "widgets/list_owner.h"

namespace trel {

class DeviceLink;
class OperatorDialogs;

// The main window: the operator picks the port and line, the parameter list and keyword files,
// edits the parameters and starts the update. It handles the messages of the link, the worker and
// its parameter table on the UI thread.
class CquilUpdateDlg : public QDialog, public ListOwner {
  Q_OBJECT

 public:
  struct Services {
    DeviceLink& link;
    OperatorDialogs& dialogs;
    GuiMessageBoxes::ModalBox modalBox;
    std::filesystem::path toolFolder;
  };

  static const QString kCaption;

  explicit CquilUpdateDlg(Services services, QWidget* parent = nullptr);
  ~CquilUpdateDlg() override;

  // Start-up: starts the link, reads the settings, fills the selectors and the table, arranges the
  // optional rows and captures the layout. False when the link cannot start.
  bool initialise();

  // Another start on the same tool folder asks for this window: shown, raised and made active where
  // the desktop allows it.
  void bringToFront();

  // Handles a message posted by the link, the port scan or the worker.
  void windowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

  const MainWindowControls& controls() const { return controls_; }
  const ToolSettings& settings() const { return settings_; }
  const TextEncoding& encoding() const { return encoding_; }
  const FileCommands& fileCommands() const { return *files_; }
  const UpdateController& updates() const { return *updates_; }
  WindowMessages& messages() { return messages_; }

  // ListOwner
  void onListEdited(int controlId, const CellEdit* edit) override;
  void onRowSelected(int controlId, int row) override;
  void onGetChoices(int column, QStringList& choices) override;

 public slots:
  // Exit, Escape and the close box. During an update the operator is asked first.
  void reject() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // During an update Escape does nothing: a stray key must not cut the update off.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void fillSelectors();
  void setUpTable();
  void showSettings();
  void hideKeywordRow();
  void arrangeMoreXmlRow();
  void connectCommands();
  void shutdown();

  Services services_;
  WindowPaths paths_;
  int tableCut_;  // what the table gives up so that the window fits its screen
  MainWindowControls controls_;
  ToolSettings settings_;
  LayoutRecord layout_;
  UiThreadQueue uiThread_;
  GuiWindowMessages messages_;
  GuiMessageBoxes boxes_;
  ReplyChannel replies_;
  TextEncoding encoding_;
  KeywordTables keywordTables_;
  KeywordLoader keywordLoader_;
  std::unique_ptr<FileCommands> files_;
  std::unique_ptr<UpdateController> updates_;
  bool linkStarted_ = false;
  bool shutDown_ = false;
};

}  // namespace trel

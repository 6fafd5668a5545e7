#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/combo_list_ctrl.h"
#include "app/file_commands.h"
#include "app/layout_record.h"
#include "app/list_owner.h"
#include "app/posted_window_messages.h"
#include "app/tool_settings.h"
#include "app/update_controller.h"
#include "app/window_message_boxes.h"
#include "app/window_paths.h"
#include "app/window_screen.h"
#include "tables/keyword_loader.h"
#include "tables/keyword_tables.h"
#include "tables/text_encoding.h"
#include "update/reply_channel.h"

namespace trel {

class DeviceLink;
class OperatorDialogs;

// The main window: the operator picks the port and line, the parameter list and keyword files,
// edits the parameters and starts the update. It handles the messages of the link, the worker and
// its parameter table on the UI thread. It draws nothing itself: its renderer (the screen) makes
// the controls from the template and reports what the operator did.
class CquilUpdateDlg : private WindowEvents, private ListOwner {
 public:
  static constexpr char16_t kCaption[] = u"Printer Parameter Update";

  struct Services {
    DeviceLink& link;
    OperatorDialogs& dialogs;
    std::filesystem::path toolFolder;
    // Why no printer's port is there, for the status line at start-up; empty when a port is there
    // or nothing is known.
    std::function<std::string()> missingPortNote = [] { return std::string(); };
  };

  // Makes the window's controls on the screen, fitted to it.
  CquilUpdateDlg(Services services, WindowScreen& screen);
  ~CquilUpdateDlg() override;
  CquilUpdateDlg(const CquilUpdateDlg&) = delete;
  CquilUpdateDlg& operator=(const CquilUpdateDlg&) = delete;

  // Start-up: starts the link, reads the settings, fills the selectors and the table, arranges the
  // optional rows, names the cause when no printer's port is there and captures the layout. False
  // when the link cannot start.
  bool initialise();

  // Handles a message posted by the link, the port scan or the worker.
  void windowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

  const ToolSettings& settings() const { return settings_; }
  const TextEncoding& encoding() const { return encoding_; }
  const FileCommands& fileCommands() const { return *files_; }
  const UpdateController& updates() const { return *updates_; }
  const CComboListCtrl& table() const { return table_; }
  WindowMessages& messages() { return messages_; }

  // Exit, Escape and the close box: during an update the operator is asked first, with unsaved
  // edits likewise; true when the window may close.
  bool mayClose();

 private:
  void fillSelectors();
  void setUpTable();
  void showSettings();
  void hideKeywordRow();
  void arrangeMoreXmlRow();
  void shutdown();
  void exit();

  // WindowEvents
  void onCommand(int controlId) override;
  void onTextChanged(int controlId) override;
  std::optional<RefusedInput> onTextEdited(int controlId, std::u16string_view before,
                                           std::u16string_view after) override;
  void onEscape() override;
  bool onCloseRequested() override { return mayClose(); }
  void onResized(ScreenSize client) override;
  void onTimer(int timerId) override;

  // ListOwner
  void onListEdited(int controlId, const CellEdit* edit) override;
  void onRowSelected(int controlId, int row) override;
  void onGetChoices(int column, std::vector<std::u16string>& choices) override;
  void onInputRefused(const std::string& note) override;

  Services services_;
  WindowScreen& screen_;
  WindowPaths paths_;
  ToolSettings settings_;
  LayoutRecord layout_;
  PostedWindowMessages messages_;
  WindowMessageBoxes boxes_;
  ReplyChannel replies_;
  TextEncoding encoding_;
  KeywordTables keywordTables_;
  KeywordLoader keywordLoader_;
  CComboListCtrl table_;
  std::unique_ptr<FileCommands> files_;
  std::unique_ptr<UpdateController> updates_;
  bool linkStarted_ = false;
  bool shutDown_ = false;
};

}  // namespace trel

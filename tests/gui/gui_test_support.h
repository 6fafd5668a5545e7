#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/fake_device_link.h"
#include "app/list_owner.h"
#include "app/operator_dialogs.h"

class QWidget;

namespace trel {
class QtEditListDialog;
}

// Failure messages show a QString as its text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace trel::testing {

// The one QApplication of the test program, on the offscreen platform unless one was chosen.
void EnsureApplication();

// Base of every test with widgets: the application exists before the fixture's own members.
class GuiTest : public ::testing::Test {
 protected:
  GuiTest() { EnsureApplication(); }
};

// Runs the event loop until the condition holds; false when the limit ran out first.
bool WaitUntil(const std::function<bool()>& condition, int limitMs);

// Shows a window and makes it the active one, so focus changes happen as they do for an operator.
void ShowActive(QWidget& window);

// An in-place edit as a list reported it.
struct RecordedEdit {
  int row = -1;
  int column = -1;
  QString text;
};

// Records what a list control tells its owner.
class RecordingOwner : public ListOwner {
 public:
  void onListEdited(int controlId, const CellEdit* edit) override;
  void onRowSelected(int controlId, int row) override;
  void onGetChoices(int column, std::vector<std::u16string>& choices) override;
  void onInputRefused(const std::string& note) override;

  std::vector<std::optional<RecordedEdit>> edits;  // nothing for a check-box toggle
  std::vector<int> selectedRows;
  QStringList choices;
  std::vector<int> choiceRequests;
  QStringList notes;
};

// Message boxes the window would show: text and caption.
struct ShownBox {
  QString text;
  QString caption;
};

// A file dialog as the window asked for it.
struct RecordedFileRequest {
  QString startFolder;
  QString defaultSuffix;
  QStringList filters;
  bool save = false;
};

// File dialogs answer from a script; the Edit List dialog (the real one, not run modally) is
// driven by a test function; message boxes are recorded.
class ScriptedDialogs : public OperatorDialogs {
 public:
  void showMessage(std::u16string_view text, std::u16string_view caption) override;
  std::optional<std::u16string> chooseFile(const FileDialogRequest& request) override;
  bool runEditList(CEditList& list) override;
  bool askYesNo(std::u16string_view text, std::u16string_view caption) override;
  Answer askYesNoCancel(std::u16string_view text, std::u16string_view caption) override;

  std::vector<ShownBox> boxes;
  std::deque<QString> fileAnswers;  // a null QString() answers Cancel
  std::vector<RecordedFileRequest> fileRequests;
  std::function<bool(QtEditListDialog&)> editList;
  std::deque<bool> yesNoAnswers;          // none left answers No
  std::deque<Answer> yesNoCancelAnswers;  // none left answers No
  QStringList questions;
};

}  // namespace trel::testing

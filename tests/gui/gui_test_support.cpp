#include "gui_test_support.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <string_view>

#include "qt/qt_edit_list_dialog.h"
#include "qt/qt_text.h"

namespace trel::testing {

void EnsureApplication() {
  if (QApplication::instance() != nullptr) {
    return;
  }
  // Off screen, the window meets the most common laptop screen, 1366 x 768.
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform == nullptr || std::string_view(platform) == "offscreen") {
    setenv("QT_QPA_PLATFORM", "offscreen:configfile=" TREL_GUI_SCREEN_CONFIG, 1);
  }
  static int argc = 1;
  static char name[] = "gui_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the test program
}

bool WaitUntil(const std::function<bool()>& condition, int limitMs) {
  return QTest::qWaitFor(condition, limitMs);
}

void ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  (void)QTest::qWaitForWindowActive(&window);
}

void RecordingOwner::onListEdited(int, const CellEdit* edit) {
  edits.push_back(edit == nullptr ? std::nullopt
                                  : std::optional<RecordedEdit>(RecordedEdit{
                                        edit->row, edit->column, ToQString(edit->text)}));
}

void RecordingOwner::onRowSelected(int, int row) {
  selectedRows.push_back(row);
}

void RecordingOwner::onGetChoices(int column, std::vector<std::u16string>& list) {
  choiceRequests.push_back(column);
  for (const QString& choice : choices) {
    list.push_back(ToU16(choice));
  }
}

void RecordingOwner::onInputRefused(const std::string& note) {
  notes << QString::fromStdString(note);
}

void ScriptedDialogs::showMessage(std::u16string_view text, std::u16string_view caption) {
  boxes.push_back(ShownBox{ToQString(text), ToQString(caption)});
}

std::optional<std::u16string> ScriptedDialogs::chooseFile(const FileDialogRequest& request) {
  fileRequests.push_back(RecordedFileRequest{ToQString(request.startFolder),
                                             ToQString(request.defaultSuffix),
                                             ToQStringList(request.filters), request.save});
  if (fileAnswers.empty()) {
    return std::nullopt;
  }
  const QString answer = fileAnswers.front();
  fileAnswers.pop_front();
  if (answer.isNull()) {
    return std::nullopt;
  }
  return ToU16(answer);
}

bool ScriptedDialogs::runEditList(CEditList& list) {
  QtEditListDialog dialog(list);
  return editList ? editList(dialog) : false;
}

bool ScriptedDialogs::askYesNo(std::u16string_view text, std::u16string_view caption) {
  questions << ToQString(caption) + ": " + ToQString(text);
  if (yesNoAnswers.empty()) {
    return false;
  }
  const bool answer = yesNoAnswers.front();
  yesNoAnswers.pop_front();
  return answer;
}

Answer ScriptedDialogs::askYesNoCancel(std::u16string_view text, std::u16string_view caption) {
  questions << ToQString(caption) + ": " + ToQString(text);
  if (yesNoCancelAnswers.empty()) {
    return Answer::kNo;
  }
  const Answer answer = yesNoCancelAnswers.front();
  yesNoCancelAnswers.pop_front();
  return answer;
}

}  // namespace trel::testing

// LeakSanitizer: the system's font library keeps its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

// ThreadSanitizer: Qt's libraries are not built for it, so it cannot see how their own threads (the
// image and font pools) hand memory over; only the accesses of our instrumented code are checked.
extern "C" const char* __tsan_default_options() {
  return "ignore_noninstrumented_modules=1";
}

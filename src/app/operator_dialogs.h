#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trel {

class CEditList;

// A file dialog: it starts in a folder, adds the default suffix to a name typed without one, and
// accepts a name that does not exist yet. An "Open"-style dialog by default; a "Save" dialog asks
// before it replaces an existing file (No the default).
struct FileDialogRequest {
  std::u16string startFolder;
  std::u16string defaultSuffix;         // without the dot
  std::vector<std::u16string> filters;  // "XML Files (*.xml)", ...
  bool save = false;
};

// The answers of a question with Yes, No and Cancel.
enum class Answer { kYes, kNo, kCancel };

// The modal dialogs the window opens for the operator, the renderer's boxes and file dialogs.
// Tests put a scripted stand-in in their place, so no test ever waits on a real modal dialog.
class OperatorDialogs {
 public:
  virtual ~OperatorDialogs() = default;
  // A message: the caption, the text and OK.
  virtual void showMessage(std::u16string_view text, std::u16string_view caption) = 0;
  // The chosen path, or nothing on Cancel.
  virtual std::optional<std::u16string> chooseFile(const FileDialogRequest& request) = 0;
  // Runs the Edit List dialog modally; true when it ended with OK.
  virtual bool runEditList(CEditList& list) = 0;
  // A question with Yes and No, No the default; true for Yes.
  virtual bool askYesNo(std::u16string_view text, std::u16string_view caption) = 0;
  // A question with Yes, No and Cancel, Cancel the default (also when the box is closed).
  virtual Answer askYesNoCancel(std::u16string_view text, std::u16string_view caption) = 0;
};

}  // namespace trel

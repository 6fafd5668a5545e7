#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace trel {

class CEditList;

// A file dialog: it starts in a folder, adds the default suffix to a name typed without one, and
// accepts a name that does not exist yet. An "Open"-style dialog by default; a "Save" dialog asks
// before it replaces an existing file (No the default).
struct FileDialogRequest {
  QString startFolder;
  QString defaultSuffix;  // without the dot
  QStringList filters;    // "XML Files (*.xml)", ...
  bool save = false;
};

// The answers of a question with Yes, No and Cancel.
enum class Answer { kYes, kNo, kCancel };

// The modal dialogs the main window opens for the operator. Tests put a scripted stand-in in their
// place, so no test ever waits on a real modal dialog.
class OperatorDialogs {
 public:
  virtual ~OperatorDialogs() = default;
  // The chosen path, or nothing on Cancel.
  virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;
  // Runs the Edit List dialog modally; true when it ended with OK.
  virtual bool runEditList(CEditList& dialog) = 0;
  // A question with Yes and No, No the default; true for Yes.
  virtual bool askYesNo(const QString& text, const QString& caption) = 0;
  // A question with Yes, No and Cancel, Cancel the default (also when the box is closed).
  virtual Answer askYesNoCancel(const QString& text, const QString& caption) = 0;
};

// The real dialogs.
class QtOperatorDialogs : public OperatorDialogs {
 public:
  explicit QtOperatorDialogs(QWidget* owner) : owner_(owner) {}
  // The window the dialogs open over, once it exists.
  void setOwner(QWidget* owner) { owner_ = owner; }
  std::optional<QString> chooseFile(const FileDialogRequest& request) override;
  bool runEditList(CEditList& dialog) override;
  bool askYesNo(const QString& text, const QString& caption) override;
  Answer askYesNoCancel(const QString& text, const QString& caption) override;

 private:
  QWidget* owner_;
};

}  // namespace trel

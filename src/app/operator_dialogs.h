#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace trel {

class CEditList;

// An "Open"-style file dialog: it starts in a folder, adds the default suffix to a name typed
// without one, and accepts a name that does not exist yet.
struct FileDialogRequest {
  QString startFolder;
  QString defaultSuffix;  // without the dot
  QStringList filters;    // "XML Files (*.xml)", ...
};

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

 private:
  QWidget* owner_;
};

}  // namespace trel

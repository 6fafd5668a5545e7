#include "qt/qt_main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <QThread>
#include <QTimer>

#include "app/control_ids.h"
#include "qt/command_text_box.h"
#include "qt/line_break_guard.h"
#include "qt/qt_dialog_units.h"
#include "qt/qt_list_view.h"
#include "qt/qt_text.h"

namespace trel {

QtMainWindow::QtMainWindow(QWidget* parent) : QDialog(parent) {
  setWindowIcon(style()->standardIcon(QStyle::SP_DriveNetIcon));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
}

QtMainWindow::~QtMainWindow() = default;

QFont QtMainWindow::fontAt(double pointSize) const {
  QFont sized = font();
  if (pointSize > 0) {
    sized.setPointSizeF(pointSize);
  }
  return sized;
}

ScreenMetrics QtMainWindow::metrics() const {
  const QScreen* shown = screen();
  return ScreenMetrics{shown != nullptr ? ToScreenRect(shown->availableGeometry())
                                        : ScreenRect{0, 0, 1 << 20, 1 << 20},
                       font().pointSizeF(),
                       QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont).pointSizeF()};
}

DialogBaseUnits QtMainWindow::baseUnitsAt(double pointSize) const {
  return BaseUnitsOfFont(fontAt(pointSize));
}

// As the list view's rows: the font's height and a margin.
int QtMainWindow::rowHeightAt(double pointSize) const {
  return QFontMetrics(fontAt(pointSize)).height() + 6;
}

void QtMainWindow::createControls(const DialogTemplate&, double pointSize,
                                  std::u16string_view caption) {
  setWindowTitle(ToQString(caption));
  setFont(fontAt(pointSize));
  controls_ = BuildMainWindowControls(this);
  controls_.progress->setRange(0, 100);
  connectEvents();
}

void QtMainWindow::connectEvents() {
  for (const auto& [id, widget] : controls_.byId) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      connect(button, &QAbstractButton::clicked, this, [this, id = id] {
        if (events_ != nullptr) {
          events_->onCommand(id);
        }
      });
    }
  }
  CommandTextBox* box = controls_.commandText;
  box->setInputCheck([this](std::u16string_view before, std::u16string_view after) {
    return events_ != nullptr ? events_->onTextEdited(control::kCommandText, before, after)
                              : std::nullopt;
  });
  connect(box, &CommandTextBox::typed, this, [this] {
    if (events_ != nullptr) {
      events_->onTextChanged(control::kCommandText);
    }
  });
  box->installEventFilter(new LineBreakGuard(box));
}

std::u16string QtMainWindow::caption() const {
  return ToU16(windowTitle());
}

std::u16string QtMainWindow::text(int id) const {
  QWidget* widget = control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    return ToU16(edit->text());
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    return ToU16(combo->currentText());
  }
  if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
    return ToU16(box->toPlainText());
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    return ToU16(label->text());
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    return ToU16(button->text());
  }
  return {};
}

void QtMainWindow::setText(int id, std::u16string_view text) {
  QWidget* widget = control(id);
  const QString shown = ToQString(text);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(shown);
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->setEditText(shown);
  } else if (auto* box = qobject_cast<CommandTextBox*>(widget)) {
    box->showText(shown);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(shown);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(shown);
  }
}

bool QtMainWindow::isEnabled(int id) const {
  return control(id)->isEnabled();
}

void QtMainWindow::setEnabled(int id, bool enabled) {
  control(id)->setEnabled(enabled);
}

// Shown or hidden as the window has set it, also before the window itself is shown.
bool QtMainWindow::isVisible(int id) const {
  return !control(id)->isHidden();
}

void QtMainWindow::setVisible(int id, bool visible) {
  control(id)->setVisible(visible);
}

bool QtMainWindow::isChecked(int id) const {
  return qobject_cast<QAbstractButton*>(control(id))->isChecked();
}

void QtMainWindow::setChecked(int id, bool checked) {
  qobject_cast<QAbstractButton*>(control(id))->setChecked(checked);
}

void QtMainWindow::setReadOnly(int id, bool readOnly) {
  if (auto* box = qobject_cast<QPlainTextEdit*>(control(id))) {
    box->setReadOnly(readOnly);
  } else if (auto* edit = qobject_cast<QLineEdit*>(control(id))) {
    edit->setReadOnly(readOnly);
  }
}

void QtMainWindow::setTextLimit(int id, int limit) {
  if (auto* box = qobject_cast<CommandTextBox*>(control(id))) {
    box->setMaxLength(limit);
  } else if (auto* edit = qobject_cast<QLineEdit*>(control(id))) {
    edit->setMaxLength(limit);
  }
}

int QtMainWindow::entryCount(int id) const {
  return qobject_cast<QComboBox*>(control(id))->count();
}

std::u16string QtMainWindow::entryText(int id, int index) const {
  return ToU16(qobject_cast<QComboBox*>(control(id))->itemText(index));
}

void QtMainWindow::insertEntry(int id, int index, std::u16string_view text) {
  qobject_cast<QComboBox*>(control(id))->insertItem(index, ToQString(text));
}

int QtMainWindow::selection(int id) const {
  return qobject_cast<QComboBox*>(control(id))->currentIndex();
}

void QtMainWindow::select(int id, int index) {
  qobject_cast<QComboBox*>(control(id))->setCurrentIndex(index);
}

void QtMainWindow::setProgress(int id, int position) {
  qobject_cast<QProgressBar*>(control(id))->setValue(position);
}

int QtMainWindow::progress(int id) const {
  return qobject_cast<QProgressBar*>(control(id))->value();
}

ListView& QtMainWindow::listView(int id) {
  return *qobject_cast<QtListView*>(control(id));
}

ScreenRect QtMainWindow::place(int id) const {
  return ToScreenRect(control(id)->geometry());
}

void QtMainWindow::setPlace(int id, const ScreenRect& place) {
  control(id)->setGeometry(ToQRect(place));
}

ScreenSize QtMainWindow::clientSize() const {
  return ScreenSize{width(), height()};
}

void QtMainWindow::setClientSize(ScreenSize size, ScreenSize minimum) {
  resize(size.width, size.height);
  setMinimumSize(minimum.width, minimum.height);
}

// A top-level widget's position is its frame's.
void QtMainWindow::moveFrameTo(int x, int y) {
  move(x, y);
}

int QtMainWindow::focusedControl() const {
  for (const QWidget* focused = focusWidget(); focused != nullptr;
       focused = focused->parentWidget()) {
    if (focused == this) {
      return kWindow;
    }
    for (const auto& [id, widget] : controls_.byId) {
      if (widget == focused) {
        return id;
      }
    }
  }
  return kNoControl;
}

void QtMainWindow::setFocus(int id) {
  QWidget* target = id == kWindow ? static_cast<QWidget*>(this) : control(id);
  target->setFocus(Qt::OtherFocusReason);
}

void QtMainWindow::startTimer(int id, int milliseconds) {
  QTimer*& timer = timers_[id];
  if (timer == nullptr) {
    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, id] {
      if (events_ != nullptr) {
        events_->onTimer(id);
      }
    });
  }
  timer->start(milliseconds);
}

void QtMainWindow::stopTimer(int id) {
  if (const auto found = timers_.find(id); found != timers_.end()) {
    found->second->stop();
  }
}

bool QtMainWindow::onUiThread() const {
  return QThread::currentThread() == thread();
}

void QtMainWindow::closeWindow() {
  done(QDialog::Rejected);
}

void QtMainWindow::bringToFront() {
  setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  show();
  raise();
  activateWindow();
}

void QtMainWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (events_ != nullptr) {
    events_->onResized(ScreenSize{event->size().width(), event->size().height()});
  }
}

// Escape goes to the window's logic, not to the dialog's default rejection.
void QtMainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    if (events_ != nullptr) {
      events_->onEscape();
    }
    return;
  }
  QDialog::keyPressEvent(event);
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
  if (events_ != nullptr && !events_->onCloseRequested()) {
    event->ignore();
    return;
  }
  event->accept();
  closeWindow();
}

}  // namespace trel

#pragma once

#include <QObject>

namespace trel {

// Keeps Enter from typing a line break into a text box whose text becomes one profile value: a
// value cannot hold a line break, so the next save of it would fail. Enter does nothing there (it
// does not start an update either).
class LineBreakGuard : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace trel

#include "qt/main_window_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>

#include "app/control_ids.h"
#include "qt/command_text_box.h"
#include "qt/qt_dialog_units.h"
#include "qt/qt_list_view.h"

namespace trel {
namespace {

QWidget* MakeControl(const ControlTemplate& design, QWidget* window) {
  const QString text = QString::fromUtf8(design.text);
  switch (design.kind) {
    case ControlKind::kGroupBox:
      return new QGroupBox(text, window);
    case ControlKind::kLabel:
    case ControlKind::kLeftLabel: {
      auto* label = new QLabel(text, window);
      label->setAlignment(design.kind == ControlKind::kLeftLabel ? Qt::AlignLeft | Qt::AlignTop
                                                                 : Qt::AlignHCenter | Qt::AlignTop);
      return label;
    }
    case ControlKind::kEditableCombo:
    case ControlKind::kListCombo: {
      auto* combo = new QComboBox(window);
      combo->setEditable(design.kind == ControlKind::kEditableCombo);
      combo->setInsertPolicy(QComboBox::NoInsert);
      return combo;
    }
    case ControlKind::kButton:
      return new QPushButton(text, window);
    case ControlKind::kLineEdit:
      return new QLineEdit(window);
    case ControlKind::kProgressBar: {
      auto* bar = new QProgressBar(window);
      bar->setTextVisible(false);
      return bar;
    }
    case ControlKind::kTreeView:
      return new QTreeView(window);
    case ControlKind::kCheckBox:
      return new QCheckBox(text, window);
    case ControlKind::kTable:
      return new QtListView(window);
    case ControlKind::kMultiLineEdit:
      return new CommandTextBox(window);
  }
  return nullptr;
}

QRect PlaceOf(const ControlTemplate& design, const DialogBaseUnits& units, const QWidget* made) {
  QRect place = DialogUnitsToQRect(units, design.x, design.y, design.cx, design.cy);
  // A combo box's designed height includes its drop-down; the box itself is one line high.
  if (design.kind == ControlKind::kEditableCombo || design.kind == ControlKind::kListCombo) {
    place.setHeight(made->sizeHint().height());
  }
  return place;
}

// A caption wider than its place is drawn in a smaller font rather than cut off.
void FitLabelText(QLabel* label) {
  QFont font = label->font();
  while (font.pointSizeF() > 6 &&
         QFontMetrics(font).horizontalAdvance(label->text()) > label->width()) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  label->setFont(font);
}

template <typename T>
T* Typed(const std::map<int, QWidget*>& byId, int id) {
  return static_cast<T*>(byId.at(id));
}

}  // namespace

QWidget* MainWindowControls::control(int id) const {
  const auto found = byId.find(id);
  return found == byId.end() ? nullptr : found->second;
}

std::vector<std::pair<QWidget*, HorizontalRule>> MainWindowControls::laidOut() const {
  std::vector<std::pair<QWidget*, HorizontalRule>> controls;
  for (const ControlTemplate& design : kMainWindowTemplate.controls) {
    if (const auto rule = HorizontalRuleOf(design.id)) {
      controls.emplace_back(control(design.id), *rule);
    }
  }
  return controls;
}

MainWindowControls BuildMainWindowControls(QWidget* window) {
  const DialogBaseUnits units = BaseUnitsOfFont(window->font());
  MainWindowControls controls;
  for (const ControlTemplate& design : kMainWindowTemplate.controls) {
    QWidget* made = MakeControl(design, window);
    made->setGeometry(PlaceOf(design, units, made));
    made->setVisible(!design.hidden);
    if (design.kind == ControlKind::kLabel) {
      FitLabelText(static_cast<QLabel*>(made));
    }
    controls.byId[design.id] = made;
  }
  const auto& ids = controls.byId;
  controls.portSelector = Typed<QComboBox>(ids, control::kPortSelector);
  controls.baudSelector = Typed<QComboBox>(ids, control::kBaudSelector);
  controls.stopSelector = Typed<QComboBox>(ids, control::kStopSelector);
  controls.start = Typed<QPushButton>(ids, control::kStart);
  controls.exit = Typed<QPushButton>(ids, control::kExit);
  controls.iniPath = Typed<QLineEdit>(ids, control::kIniPath);
  controls.import = Typed<QPushButton>(ids, control::kImport);
  controls.exportButton = Typed<QPushButton>(ids, control::kExport);
  controls.xmlLabel = Typed<QLabel>(ids, control::kXmlLabel);
  controls.xmlPath = Typed<QLineEdit>(ids, control::kXmlPath);
  controls.browse = Typed<QPushButton>(ids, control::kBrowse);
  controls.moreXmlLabel = Typed<QLabel>(ids, control::kMoreXmlLabel);
  controls.moreXmlPath = Typed<QLineEdit>(ids, control::kMoreXmlPath);
  controls.moreXmlEdit = Typed<QPushButton>(ids, control::kMoreXmlEdit);
  controls.progress = Typed<QProgressBar>(ids, control::kProgress);
  controls.status = Typed<QLabel>(ids, control::kStatus);
  controls.saveIni = Typed<QCheckBox>(ids, control::kSaveIni);
  controls.saveXml = Typed<QCheckBox>(ids, control::kSaveXml);
  controls.table = Typed<QtListView>(ids, control::kTable);
  controls.commandText = Typed<CommandTextBox>(ids, control::kCommandText);
  controls.change = Typed<QPushButton>(ids, control::kChange);
  controls.editCommand = Typed<QPushButton>(ids, control::kEditCommand);
  controls.save = Typed<QPushButton>(ids, control::kSave);
  Typed<QPushButton>(ids, kMainWindowTemplate.defaultButton)->setDefault(true);
  return controls;
}

}  // namespace trel

#pragma once

#include <map>
#include <utility>
#include <vector>

#include "app/main_window_template.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace trel {

class CommandTextBox;
class QtListView;

// The main window's Qt controls, made from its template in tab order, placed in pixels from dialog
// units with the window's font.
struct MainWindowControls {
  QComboBox* portSelector = nullptr;
  QComboBox* baudSelector = nullptr;
  QComboBox* stopSelector = nullptr;
  QPushButton* start = nullptr;
  QPushButton* exit = nullptr;
  QLineEdit* iniPath = nullptr;
  QPushButton* import = nullptr;
  QPushButton* exportButton = nullptr;
  QLabel* xmlLabel = nullptr;
  QLineEdit* xmlPath = nullptr;
  QPushButton* browse = nullptr;
  QLabel* moreXmlLabel = nullptr;
  QLineEdit* moreXmlPath = nullptr;
  QPushButton* moreXmlEdit = nullptr;
  QProgressBar* progress = nullptr;
  QLabel* status = nullptr;
  QCheckBox* saveIni = nullptr;
  QCheckBox* saveXml = nullptr;
  QtListView* table = nullptr;
  CommandTextBox* commandText = nullptr;
  QPushButton* change = nullptr;
  QPushButton* editCommand = nullptr;
  QPushButton* save = nullptr;
  std::map<int, QWidget*> byId;

  QWidget* control(int id) const;
  // Every control the layout keeps in place, with its rule.
  std::vector<std::pair<QWidget*, HorizontalRule>> laidOut() const;
};

MainWindowControls BuildMainWindowControls(QWidget* window);

}  // namespace trel

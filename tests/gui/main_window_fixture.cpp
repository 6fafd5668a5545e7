#include "main_window_fixture.h"

#include <QPushButton>
#include <QTest>

#include "platform/private_profile.h"
#include "qt/qt_list_view.h"
#include "qt/qt_text.h"

namespace trel::testing {

std::string LongParamList(int items) {
  std::string text;
  for (int item = 1; item <= items; ++item) {
    const std::string number = std::to_string(item);
    text += "[" + number + "]\r\nCommand=C" + number + "\r\nNameEn=Item " + number +
            "\r\nIsValid=1\r\nDataMode=1\r\nIsHide=0\r\n";
  }
  return text;
}

QString MainWindowFixture::pathText(std::string_view name) const {
  return PathToQString(folder / name);
}

std::u16string MainWindowFixture::setting(std::u16string_view section,
                                          std::u16string_view key) const {
  return ReadProfileString(settingsFile(), section, key, u"<missing>");
}

void MainWindowFixture::make(DeviceLink* linkToUse) {
  closeWindow();
  DeviceLink& chosen = linkToUse != nullptr ? *linkToUse : link;
  screen_ = std::make_unique<QtMainWindow>();
  logic_ = std::make_unique<CquilUpdateDlg>(
      CquilUpdateDlg::Services{chosen, dialogs, folder.path()}, *screen_);
}

bool MainWindowFixture::open(DeviceLink* linkToUse) {
  make(linkToUse);
  if (!logic_->initialise()) {
    return false;
  }
  ShowActive(*screen_);
  return true;
}

void MainWindowFixture::importFile(const std::filesystem::path& file) {
  dialogs.fileAnswers.push_back(QString::fromStdString(file.string()));
  window().controls().import->click();
}

void MainWindowFixture::paintTable() {
  controls().table->viewport()->repaint();
}

void MainWindowFixture::clickRow(int row, int columnIndex) {
  QtListView* table = controls().table;
  const QRect cell = table->visualRect(table->model()->index(row, columnIndex));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  paintTable();
}

QStringList MainWindowFixture::column(int columnIndex) const {
  QStringList texts;
  for (int row = 0; row < controls().table->rowCount(); ++row) {
    texts << controls().table->itemText(row, columnIndex);
  }
  return texts;
}

}  // namespace trel::testing

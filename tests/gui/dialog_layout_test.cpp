// Dialogs are laid out in dialog units, so they grow and shrink with their font: a horizontal unit
// is a quarter of the font's average letter width, a vertical one an eighth of its height.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPushButton>
#include <cmath>

#include "gui_test_support.h"
#include "qt/qt_edit_list_dialog.h"
#include "qt/qt_list_view.h"

namespace trel {
namespace {

class NoBoxes : public MessageBoxes {
 public:
  void show(const std::string&, const std::string&) override {}
};

// Sets the application's font for one test and puts the old one back.
class ApplicationFont {
 public:
  explicit ApplicationFont(const QFont& font) : saved_(QApplication::font()) {
    QApplication::setFont(font);
  }
  ~ApplicationFont() { QApplication::setFont(saved_); }
  ApplicationFont(const ApplicationFont&) = delete;
  ApplicationFont& operator=(const ApplicationFont&) = delete;

 private:
  QFont saved_;
};

class DialogLayoutTest : public testing::GuiTest {};

TEST_F(DialogLayoutTest, EditListTakesItsSizeFromTheFontsMetrics) {
  for (const int pixels : {11, 23}) {
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    const ApplicationFont applied(font);
    const QFontMetrics metrics(font);
    const int letterWidth = static_cast<int>(std::lround(
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52.0));
    const int height = metrics.height();
    SCOPED_TRACE(pixels);

    NoBoxes boxes;
    CEditList list(u"a;b;", u";", boxes);
    QtEditListDialog dialog(list);
    // The template: the dialog 249 x 170 units, the list at (7, 7) 224 x 135, OK at (117, 149)
    // 50 x 14.
    EXPECT_EQ(dialog.size(), QSize(249 * letterWidth / 4, 170 * height / 8));
    EXPECT_EQ(dialog.list()->geometry(),
              QRect(7 * letterWidth / 4, 7 * height / 8, 224 * letterWidth / 4, 135 * height / 8));
    EXPECT_EQ(dialog.okButton()->geometry(), QRect(117 * letterWidth / 4, 149 * height / 8,
                                                   50 * letterWidth / 4, 14 * height / 8));
  }
}

}  // namespace
}  // namespace trel

#include <QApplication>

#include "app/quil_update_app.h"
#include "qt/qt_renderer.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  trel::QtRenderer renderer;
  return trel::CquilUpdateApp(renderer).run();
}

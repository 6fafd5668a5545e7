#include <QApplication>

#include "app/quil_update_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  return trel::CquilUpdateApp().run();
}

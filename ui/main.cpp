#include <QApplication>
#include <QMainWindow>

#include "gbk_qt.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(Q("Tavrel项目核算软件"));
  window.showMaximized();
  return app.exec();
}

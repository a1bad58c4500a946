#include <QApplication>
#include <QMainWindow>
#include <clocale>

#include "gbk_qt.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Qt takes the user's locale; amounts and SQL numbers are always written with a "." point.
  std::setlocale(LC_NUMERIC, "C");
  QMainWindow window;
  window.setWindowTitle(Q("Tavrel项目核算软件"));
  window.showMaximized();
  return app.exec();
}

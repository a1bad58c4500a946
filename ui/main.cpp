#include <clocale>
#include <cstdio>
#include <cstring>

#include "app/application.h"
#include "base/version.h"
#include "command_wiring.h"
#include "glyph_icon.h"
#include "main_frame.h"
#include "qt_platform.h"
#include "tavrel_application.h"

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that it works without a display.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("tavrel %s\n", TavrelVersion());
    return 0;
  }
  TavrelApplication qtApp(argc, argv);
  // Qt takes the user's locale; amounts and SQL numbers are always written with a "." point.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setWindowIcon(ProgramIcon());
  QApplication::setDesktopFileName("tavrel");

  QtPlatform platform;
  SetPlatform(&platform);
  int result = 0;
  {
    CQirnApp app;
    CMainFrame frame(app);
    WireCommands(app, frame);
    // Qt has taken its own options out of the arguments already.
    std::vector<std::string> args;
    QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
    if (app.InitInstance(args, frame)) result = qtApp.exec();
    app.ExitInstance();
  }
  SetPlatform(nullptr);
  return result;
}

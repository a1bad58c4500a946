#pragma once
// What the Qt tests share: one QApplication for the whole run, a scripted login, and a folder for the
// pictures the tests take of the windows.
#include <QApplication>
#include <clocale>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/login_rules.h"
#include "base/dialog_asker.h"
#include "tavrel_application.h"

inline QApplication& TestQtApp() {
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* a = new TavrelApplication(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return a;
  }();
  return *app;
}

// Plays the user in front of the login dialog's model once installed (after the main window under test is
// made, whose own face it stands in for) until it goes.
class ScriptedLogin {
 public:
  std::function<bool(CHobdFileDlg&)> act = [](CHobdFileDlg& d) { return d.OnOk(); };
  void Install() {
    face_.emplace([this](CHobdFileDlg& dialog) {
      dialog.OnInitDialog();
      return act(dialog);
    });
  }

 private:
  std::optional<ScopedFace<CHobdFileDlg>> face_;
};

inline bool ChooseOperator(CHobdFileDlg& d, const std::string& opno) {
  for (size_t i = 0; i < d.operatorItems.size(); ++i)
    if (d.operatorItems[i].substr(0, 3) == opno) d.selectedOperator = static_cast<int>(i);
  return d.OnOk();
}

// Where the tests leave their pictures: $TAVREL_SHOTS, else a folder under the temporary folder.
inline std::string ShotPath(const std::string& name) {
  const char* env = std::getenv("TAVREL_SHOTS");
  std::filesystem::path dir = env && *env ? env : std::filesystem::temp_directory_path() / "tavrel-shots";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

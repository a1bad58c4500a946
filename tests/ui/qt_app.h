#pragma once
// One QApplication for the Qt tests (offscreen platform), and where their pictures go.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Pictures and PDF files of the tests: $TAVREL_SHOT_DIR, else the temporary folder.
inline std::string ShotPath(const std::string& name) {
  const char* dir = std::getenv("TAVREL_SHOT_DIR");
  std::filesystem::path base =
      dir && *dir ? std::filesystem::path(dir) : std::filesystem::temp_directory_path();
  std::filesystem::create_directories(base);
  return (base / name).string();
}

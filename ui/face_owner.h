#pragma once
// The window a dialog the core asks for opens over: the innermost window that is asking (a list dialog
// whose 增加 opens the add dialog), or else the main window.
#include <QWidget>
#include <functional>

// While it lives, the faces asked for open over its window; refresh, when given, brings that window up to
// date before each of them (a series of add dialogs shows the lines added so far behind the next one).
class FaceOwner {
 public:
  explicit FaceOwner(QWidget* window, std::function<void()> refresh = {});
  ~FaceOwner();
  FaceOwner(const FaceOwner&) = delete;
  FaceOwner& operator=(const FaceOwner&) = delete;

  // The innermost owner's window, refreshed first; fallback when there is none.
  static QWidget* Over(QWidget* fallback);

 private:
  QWidget* window_;
  std::function<void()> refresh_;
  FaceOwner* outer_;
};

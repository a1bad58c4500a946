#pragma once
// The Qt face of every dialog model the core asks for (AskDialog): one table, registered by the main window
// for as long as it lives (tests that show a dialog without it register the table themselves). A face opens
// over the window that is asking (FaceOwner), or else over the main window.
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class CVyDataEnv;

class DialogFaces {
 public:
  // env: the open year file, whose stored variables the calculator lists (may be null).
  DialogFaces(QWidget* mainWindow, CVyDataEnv* env);
  ~DialogFaces();
  DialogFaces(const DialogFaces&) = delete;
  DialogFaces& operator=(const DialogFaces&) = delete;

 private:
  template <class Model>
  void Add(std::function<bool(Model&, QWidget*)> show);

  QWidget* main_;
  std::vector<std::shared_ptr<void>> registered_;
};

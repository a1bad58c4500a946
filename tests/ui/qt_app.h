#pragma once
// The form-view tests' name for the one QApplication of the Qt tests.
#include "ui/qt_test_app.h"

inline QApplication& App() {
  return TestQtApp();
}

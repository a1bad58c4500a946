#pragma once
// What the dialog smoke tests share: the application object, a scripted platform, a fresh account set,
// and screenshots written where every Qt test leaves its pictures (ShotPath).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "data/data_env.h"
#include "data/year_files.h"
#include "dialog_faces.h"
#include "gbk_qt.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"
#include "ui/qt_test_app.h"

inline QApplication& TestApp() { return TestQtApp(); }

// The widget's child of a kind whose text is the given one (GBK, with its mnemonic); nullptr when none.
template <class Child>
Child* ChildNamed(QWidget& w, const char* gbkText) {
  for (auto* c : w.findChildren<Child*>())
    if (G(c->text()) == std::string(gbkText)) return c;
  return nullptr;
}
inline QPushButton* ButtonNamed(QWidget& w, const char* gbkText) { return ChildNamed<QPushButton>(w, gbkText); }

// Shows the widget, lets it lay itself out and saves what it draws.
inline QString Screenshot(QWidget& w, const char* name) {
  w.show();
  QApplication::processEvents();
  QString path = QString::fromStdString(ShotPath(name));
  EXPECT_TRUE(w.grab().save(path)) << path.toStdString();
  return path;
}

// Types text into a widget as a user does: plain characters as keys, Chinese ones as the input method
// commits them.
inline void TypeText(QWidget* w, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(w, c.toLatin1());
      continue;
    }
    QInputMethodEvent commit;
    commit.setCommitString(QString(c));
    QApplication::sendEvent(w, &commit);
  }
}

// Runs the event loop until done() holds or the time is up.
template <class Done>
bool SpinUntil(Done done, int ms = 10000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    path = CreateAccountSetFile(dir.Path(), 2026);
    ASSERT_TRUE(env.Open(path, "101", 1));
  }
  ScriptedPlatform platform;
  TempDir dir;
  std::string path;
  CVyDataEnv env;
  // The faces the program shows for the dialogs the core asks for, without a main window behind them.
  DialogFaces faces{nullptr, &env};
};

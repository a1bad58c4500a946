// The keyboard robot of the journey tests: steps wait for their window, then type.
#include "journey/key_robot.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "ui/qt_test_app.h"

void KeyRobot::Step(const std::string& what, Ready ready, Act act) {
  steps_.push_back({what, std::move(ready), std::move(act)});
}

void KeyRobot::Keys(const std::string& what, Ready ready, const QString& keys) {
  Step(what, std::move(ready), [keys] { Type(keys); });
}

void KeyRobot::Then(const std::string& what, Act act) {
  Step(what, [] { return true; }, std::move(act));
}

namespace {
QElapsedTimer waiting;
int stepLimit = 15000;
bool inTick = false;
}  // namespace

void KeyRobot::Tick() {
  if (!failure_.empty()) {
    // Unwind: close whatever modal window still waits, innermost first.
    if (QWidget* modal = QApplication::activeModalWidget())
      if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
    return;
  }
  if (inTick || next_ >= steps_.size()) return;
  Entry& e = steps_[next_];
  if (!e.ready()) {
    if (waiting.elapsed() > stepLimit) {
      failure_ = "step " + std::to_string(next_ + 1) + " (" + e.what + "): its window did not come";
      if (QWidget* top = TopWindow()) {
        failure_ += "; on screen: \"" + top->windowTitle().toStdString() + "\"";
        if (auto* box = qobject_cast<QMessageBox*>(top)) failure_ += " saying \"" + box->text().toStdString() + "\"";
        Snapshot(top, "journey-failure.png");
      }
    }
    return;
  }
  // The step counts as taken before it acts: acting may open a modal window whose own loop plays the rest.
  ++next_;
  waiting.restart();
  inTick = true;
  QApplication::processEvents();
  inTick = false;
  e.act();
}

bool KeyRobot::Run(int msPerStep) {
  stepLimit = msPerStep;
  waiting.restart();
  QTimer timer;
  timer.setInterval(15);
  QObject::connect(&timer, &QTimer::timeout, [this] { Tick(); });
  timer.start();
  while (failure_.empty() && next_ < steps_.size()) QApplication::processEvents(QEventLoop::AllEvents, 20);
  // Let the last keys take effect.
  for (int i = 0; i < 5; ++i) QApplication::processEvents(QEventLoop::AllEvents, 20);
  while (!failure_.empty() && QApplication::activeModalWidget()) Tick(), QApplication::processEvents();
  return failure_.empty();
}

QWidget* KeyRobot::TopWindow() {
  if (QWidget* w = QApplication::activePopupWidget()) return w;
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  return QApplication::activeWindow();
}

QWidget* KeyRobot::Target() {
  if (QWidget* w = QApplication::activePopupWidget()) return w;
  if (QWidget* w = QApplication::focusWidget()) return w;
  return TopWindow();
}

namespace {
void TypeText(const QString& text) {
  for (QChar c : text) {
    QWidget* target = KeyRobot::Target();
    if (!target) return;
    if (c.unicode() < 0x80) {
      QTest::keyClick(target, c.toLatin1());
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString(c));
      QApplication::sendEvent(target, &commit);
    }
  }
}

void TypeKey(const QString& name) {
  QKeyCombination key = name == "Enter" ? QKeyCombination(Qt::Key_Return)
                                        : QKeySequence::fromString(name, QKeySequence::PortableText)[0];
  QWidget* target = KeyRobot::Target();
  if (target) QTest::keyClick(target, key.key(), key.keyboardModifiers());
}
}  // namespace

void KeyRobot::Type(const QString& keys) {
  int i = 0;
  while (i < keys.size()) {
    if (keys[i] == ' ') {
      ++i;
    } else if (keys[i] == '\'') {
      int end = keys.indexOf('\'', i + 1);
      if (end < 0) end = keys.size();
      TypeText(keys.mid(i + 1, end - i - 1));
      i = end + 1;
    } else {
      int end = keys.indexOf(' ', i);
      if (end < 0) end = keys.size();
      QString token = keys.mid(i, end - i);
      int times = 1;
      if (int star = token.lastIndexOf('*'); star > 0) {
        times = token.mid(star + 1).toInt();
        token = token.left(star);
      }
      for (int t = 0; t < times; ++t) {
        TypeKey(token);
        QApplication::processEvents();
      }
      i = end;
    }
    QApplication::processEvents();
  }
}

KeyRobot::Ready KeyRobot::ModalTitled(const QString& title) {
  return [title] {
    QWidget* w = QApplication::activeModalWidget();
    return w && w->isVisible() && w->windowTitle() == title && !qobject_cast<QMessageBox*>(w);
  };
}

KeyRobot::Ready KeyRobot::MessageSaying(const QString& part) {
  return [part] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box && box->isVisible() && box->text().contains(part);
  };
}

KeyRobot::Ready KeyRobot::NoModal() {
  return [] { return QApplication::activeModalWidget() == nullptr; };
}

void Snapshot(QWidget* w, const std::string& name) {
  if (!w) return;
  QApplication::processEvents();
  w->grab().save(QString::fromStdString(ShotPath(name)));
}

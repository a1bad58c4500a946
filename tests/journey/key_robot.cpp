// The keyboard robot of the journey tests: steps wait for their window, then type.
#include "journey/key_robot.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "gbk_qt.h"
#include "ui/qt_test_app.h"

void KeyRobot::Step(const std::string& what, Ready ready, Act act) {
  steps_.push_back({what, std::move(ready), std::move(act)});
}

void KeyRobot::Keys(const std::string& what, Ready ready, const QString& keys) {
  Step(what, std::move(ready), [keys] { Type(keys); });
}

void KeyRobot::AnswerUntil(const std::string& what, Ready done) {
  steps_.push_back({what, std::move(done), [] {}, true});
}

void KeyRobot::Keys(const std::string& what, Ready ready, const char* gbkKeys) {
  Keys(what, std::move(ready), Q(gbkKeys));
}

void KeyRobot::Then(const std::string& what, Act act) {
  Step(what, [] { return true; }, std::move(act));
}

namespace {
QElapsedTimer waiting;
int stepLimit = 15000;
bool inTick = false;

// While a step types or waits on its own, the event loop turns (after each key, in a pause), and the
// robot's timer must not start the next step then: the next step's window may be the very one being typed
// into. Only a modal window that a key opened runs the following steps inside its own loop.
struct Typing {
  static inline int depth = 0;
  static inline QWidget* modal = nullptr;
  static inline QWidget* popup = nullptr;
  int outerDepth;
  QWidget *outerModal, *outerPopup;
  Typing() : outerDepth(depth), outerModal(modal), outerPopup(popup) {
    if (depth++ > 0) return;
    modal = QApplication::activeModalWidget();
    popup = QApplication::activePopupWidget();
  }
  ~Typing() {
    depth = outerDepth;
    modal = outerModal;
    popup = outerPopup;
  }
  // A window's own menu also runs a loop of its own, like a modal window.
  static bool Busy() {
    return depth > 0 && QApplication::activeModalWidget() == modal && QApplication::activePopupWidget() == popup;
  }
};
}  // namespace

void KeyRobot::Tick() {
  if (!failure_.empty()) {
    // Unwind: close whatever modal window still waits, innermost first.
    if (QWidget* modal = QApplication::activeModalWidget())
      if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
    return;
  }
  if (inTick || Typing::Busy() || next_ >= steps_.size()) return;
  Entry& e = steps_[next_];
  if (e.answering && !e.ready()) {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box && box->isVisible()) {
      waiting.restart();
      inTick = true;
      QApplication::processEvents();
      inTick = false;
      Type(box->button(QMessageBox::Yes) ? "Alt+Y" : "Enter");
      return;
    }
  }
  if (!e.ready() || !Settled()) {
    static qint64 lastTrace = 0;
    if (waiting.elapsed() < lastTrace) lastTrace = 0;
    if (std::getenv("JOURNEY_TRACE") && waiting.elapsed() - lastTrace > 2000) {
      lastTrace = waiting.elapsed();
      QWidget* top = TopWindow();
      QWidget* focus = QApplication::focusWidget();
      QWindow* fw = QGuiApplication::focusWindow();
      std::fprintf(stderr, "[journey]   focus window %s %s; ready %d settled %d; wait cursor %d\n",
                   fw ? fw->metaObject()->className() : "-", fw ? fw->title().toUtf8().constData() : "", e.ready(),
                   Settled(), QApplication::overrideCursor() != nullptr);
      std::fprintf(stderr, "[journey]   waiting %lld ms; top %s \"%s\"; focus %s\n", static_cast<long long>(lastTrace),
                   top ? top->metaObject()->className() : "-", top ? top->windowTitle().toUtf8().constData() : "",
                   focus ? focus->metaObject()->className() : "-");
    }
    if (waiting.elapsed() > stepLimit) {
      const std::string picture = "journey-failure-" + std::to_string(next_ + 1) + ".png";
      failure_ = "step " + std::to_string(next_ + 1) + " (" + Q(e.what).toStdString() + "): not ready after " +
                 std::to_string(stepLimit / 1000) + " s";
      QWidget* top = TopWindow();
      if (!top) top = QApplication::activeModalWidget();
      failure_ += top ? "; active: \"" + top->windowTitle().toStdString() + "\"" : "; no window is active";
      if (auto* box = qobject_cast<QMessageBox*>(top)) failure_ += " saying \"" + box->text().toStdString() + "\"";
      if (QWidget* focus = QApplication::focusWidget()) failure_ += "; focus on " + std::string(focus->metaObject()->className());
      if (QApplication::overrideCursor()) failure_ += "; the wait cursor is up";
      else if (!Settled()) failure_ += "; a button is still down";
      for (QWidget* w : QApplication::topLevelWidgets())
        if (!top && w->isVisible() && !w->isModal()) top = w;
      Snapshot(top, picture);
      failure_ += "; picture " + ShotPath(picture);
      std::fprintf(stderr, "[journey] %s\n", failure_.c_str());
    }
    return;
  }
  std::fprintf(stderr, "[journey] %zu %s\n", next_ + 1, Q(e.what).toUtf8().constData());
  // The step counts as taken before it acts: acting may open a modal window whose own loop plays the rest.
  ++next_;
  waiting.restart();
  inTick = true;
  QApplication::processEvents();
  inTick = false;
  // Acted from a timer of its own: Qt never runs a timer again while its slot runs, and the act may block in
  // a modal window whose loop must keep this robot's timer going.
  QTimer::singleShot(0, e.act);
}

bool KeyRobot::Run(int msPerStep) {
  // JOURNEY_STEP_MS shortens the wait while a stage is being written.
  const char* limit = std::getenv("JOURNEY_STEP_MS");
  stepLimit = limit && *limit ? std::atoi(limit) : msPerStep;
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

bool KeyRobot::Settled() {
  // The program is computing (the wait cursor is up): what it shows is not finished yet.
  if (QApplication::overrideCursor()) return false;
  // A button pressed by its mnemonic stays down a moment before it clicks: the step before is not done.
  if (QWidget* top = TopWindow())
    for (QAbstractButton* b : top->findChildren<QAbstractButton*>())
      if (b->isDown() && !b->inherits("QToolButton")) return false;  // Qt's file dialog keeps tool buttons down
  return true;
}

namespace {
void TypeChars(const QString& text) {
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

void TypeText(const QString& text) {
  Typing typing;
  auto* list = qobject_cast<QAbstractItemView*>(KeyRobot::Target());
  if (!list) return TypeChars(text);
  // A list searches for what is typed within a short interval. A user pauses before a new search, and on a
  // busy machine the letters of one word may come too far apart: types again until the search finds it.
  for (int attempt = 0; attempt < 10; ++attempt) {
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    TypeChars(text);
    if (list->currentIndex().data().toString().trimmed().startsWith(text)) return;
    std::fprintf(stderr, "[journey]   the list is on \"%s\", not on \"%s\": typed again\n",
                 list->currentIndex().data().toString().toUtf8().constData(), text.toUtf8().constData());
  }
}

void TypeKey(const QString& name) {
  QKeyCombination key = name == "Enter"   ? QKeyCombination(Qt::Key_Return)
                        : name == "Alt+-" ? QKeyCombination(Qt::AltModifier, Qt::Key_Minus)
                                          : QKeySequence::fromString(name, QKeySequence::PortableText)[0];
  QWidget* target = KeyRobot::Target();
  if (target) QTest::keyClick(target, key.key(), key.keyboardModifiers());
}
}  // namespace

void KeyRobot::Type(const char* gbkKeys) {
  Type(Q(gbkKeys));
}

void KeyRobot::Type(const QString& keys) {
  Typing typing;
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

namespace {
// The window has the keys: it is the active window and the focus is inside it.
bool HasKeys(QWidget* w) {
  if (!w || !w->isVisible() || QApplication::activeWindow() != w || QApplication::activePopupWidget()) return false;
  QWidget* focus = QApplication::focusWidget();
  return focus && focus->window() == w;
}
}  // namespace

KeyRobot::Ready KeyRobot::ModalTitled(const QString& title) {
  return [title] {
    QWidget* w = QApplication::activeModalWidget();
    return HasKeys(w) && w->windowTitle() == title && !qobject_cast<QMessageBox*>(w);
  };
}

KeyRobot::Ready KeyRobot::MessageSaying(const QString& part) {
  return [part] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box && HasKeys(box) && box->text().contains(part);
  };
}

KeyRobot::Ready KeyRobot::WindowTitled(const QString& title) {
  return [title] {
    QWidget* w = QApplication::activeWindow();
    return HasKeys(w) && w->windowTitle() == title;
  };
}

KeyRobot::Ready KeyRobot::NoModal() {
  return [] { return QApplication::activeModalWidget() == nullptr; };
}

KeyRobot::Ready KeyRobot::MainWindow(QWidget* mainWindow) {
  // A main window with no child window open has no focus widget: its keys go to the window itself.
  return [mainWindow] {
    QWidget* focus = QApplication::focusWidget();
    return !QApplication::activeModalWidget() && !QApplication::activePopupWidget() &&
           QApplication::activeWindow() == mainWindow && (!focus || focus->window() == mainWindow);
  };
}

KeyRobot::Ready KeyRobot::ModalWith(const QString& text) {
  return [text] {
    QWidget* w = QApplication::activeModalWidget();
    if (!HasKeys(w) || qobject_cast<QMessageBox*>(w)) return false;
    for (auto* l : w->findChildren<QLabel*>())
      if (l->isVisible() && l->text().remove('&').contains(text)) return true;
    for (auto* b : w->findChildren<QAbstractButton*>())
      if (b->isVisible() && b->text().remove('&').contains(text)) return true;
    for (auto* g : w->findChildren<QGroupBox*>())
      if (g->isVisible() && g->title().contains(text)) return true;
    return false;
  };
}

KeyRobot::Ready KeyRobot::ChildTitled(QWidget* mainWindow, const QString& title) {
  return [mainWindow, title] {
    if (QApplication::activeModalWidget() || !HasKeys(mainWindow)) return false;
    auto* area = mainWindow->findChild<QMdiArea*>();
    QMdiSubWindow* sub = area ? area->activeSubWindow() : nullptr;
    return sub && sub->windowTitle().startsWith(title) && sub->isAncestorOf(QApplication::focusWidget());
  };
}

KeyRobot::Ready KeyRobot::PopupMenu(const QString& title) {
  return [title] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return menu && menu->isVisible() && (title.isEmpty() || menu->title() == title);
  };
}

void KeyRobot::ChooseFromMenu(const QString& item) {
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  bool found = false;
  for (int i = 0; menu && i < 40 && !found; ++i) {
    found = menu->activeAction() && menu->activeAction()->text().remove('&').startsWith(item);
    if (!found) Type("Down");
  }
  if (!found) {
    // Down passes over grey items: say which one, and why it is grey.
    for (QAction* a : menu ? menu->actions() : QList<QAction*>())
      if (a->text().remove('&').startsWith(item))
        std::fprintf(stderr, "[journey] \"%s\" is grey: %s\n", item.toUtf8().constData(),
                     a->statusTip().toUtf8().constData());
    Type("Esc");
    return;
  }
  Type("Enter");
}

void KeyRobot::Menu(QWidget* mainWindow, const QString& menuTitle, const QString& item) {
  int amp = menuTitle.indexOf("(&");
  const QString key = QString("Alt+") + menuTitle.at(amp + 2);
  Keys(G(menuTitle).value_or("?"), MainWindow(mainWindow), key);
  Step(G(item).value_or("?"), PopupMenu(menuTitle), [item] { ChooseFromMenu(item); });
}

void Snapshot(QWidget* w, const std::string& name) {
  if (!w) return;
  Typing typing;
  QApplication::processEvents();
  w->grab().save(QString::fromStdString(ShotPath(name)));
}

#pragma once
// A bookkeeper at the keyboard, for the tests that drive the whole program through a year: keys go to the
// widget that has the focus, the way the window system sends them (shortcuts and mnemonics included), and
// Chinese text arrives as an input method commits it. The robot waits for the window it expects before it
// types, so modal dialogs and message boxes are answered as a user answers them.
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class KeyRobot {
 public:
  using Ready = std::function<bool()>;
  using Act = std::function<void()>;

  // Adds a step: when ready() holds (checked every few milliseconds), act() runs once.
  void Step(const std::string& what, Ready ready, Act act);
  // Shorthands: wait for the condition, then type the keys (see Type()).
  void Keys(const std::string& what, Ready ready, const QString& keys);
  void Keys(const std::string& what, Ready ready, const char* gbkKeys);
  // Answers every message box that comes (是 where it asks, else its default) until done() holds.
  void AnswerUntil(const std::string& what, Ready done);
  // A step that only checks or looks: runs as soon as every step before it has run.
  void Then(const std::string& what, Act act);

  // Plays every step in order inside the event loop; false (and a picture of the screen, named after the
  // step) when a step's window did not come within the time. The steps may open modal dialogs: they are played inside them.
  bool Run(int msPerStep = 60000);
  const std::string& Failure() const { return failure_; }

  // Types a line of keys into the focused widget: names separated by blanks, as QKeySequence spells them
  // ("Tab", "Enter", "Esc", "Ctrl+S", "Alt+F", "F2", "Down"); a word in single quotes is typed as text
  // (ASCII as key presses, anything else committed as an input method does); "×3" after a key repeats it.
  static void Type(const QString& keys);
  static void Type(const char* gbkKeys);  // the tests' literals are GBK
  static QWidget* Target();

  // The top window a user sees: the active modal dialog, else the active window.
  static QWidget* TopWindow();
  static Ready ModalTitled(const QString& title);
  static Ready MessageSaying(const QString& part);
  static Ready NoModal();
  // The active window has this title and the keys (Qt's own dialogs, shown while a print is under way).
  static Ready WindowTitled(const QString& title);
  // The main window has the keys, no dialog over it.
  static Ready MainWindow(QWidget* mainWindow);
  // A menu has dropped down (of this title, when one is given).
  static Ready PopupMenu(const QString& title = QString());
  // Walks down the open menu to the item and chooses it with Enter.
  static void ChooseFromMenu(const QString& item);
  // The program is not computing, and no button is still down from a key that pressed it.
  static bool Settled();
  // A modal dialog (not a message box) showing a label, button or group with this text.
  static Ready ModalWith(const QString& text);
  // The main window's active child window, titled starting with this text, has the focus.
  static Ready ChildTitled(QWidget* mainWindow, const QString& title);
  // Two steps: once the main window has the keys, opens a menu of the menu bar ("帐户目录(&K)") with its Alt
  // key; once it has dropped down, walks down to the item and chooses it, as a user does.
  void Menu(QWidget* mainWindow, const QString& menuTitle, const QString& item);

 private:
  struct Entry {
    std::string what;
    Ready ready;
    Act act;
    bool answering = false;
  };
  void Tick();

  std::vector<Entry> steps_;
  size_t next_ = 0;
  std::string failure_;
};

// Saves a picture of the window under the folder where the Qt tests leave theirs.
void Snapshot(QWidget* w, const std::string& name);

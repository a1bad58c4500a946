#pragma once
// The Qt application of the program. A database error that escapes a dialog's or window's handler ends
// only what that handler was doing: its message is shown and the program goes on. Qt's own dialogs and
// buttons (file dialogs, the print dialog, standard buttons) speak Chinese like the rest of the program,
// Enter presses the focused push button in every dialog, a button's mnemonic acts before the next key, and
// a closing dialog hands the keys back to the
// window that opened it.
#include <QApplication>

class TavrelApplication : public QApplication {
  Q_OBJECT
 public:
  TavrelApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
  // Whether Qt's Chinese translations were found and installed.
  bool ChineseLoaded() const { return chineseLoaded_; }

 private:
  bool chineseLoaded_ = false;
};

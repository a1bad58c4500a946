#pragma once
// The program's help page, listing every menu and command, in a window of its own.
#include <QDialog>

class QTextBrowser;

class HelpDialog : public QDialog {
  Q_OBJECT
 public:
  explicit HelpDialog(QWidget* parent = nullptr);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

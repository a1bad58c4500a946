#pragma once
// The about box: the software name and its version.
#include <QDialog>

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  AboutDialog(const QString& text, QWidget* parent = nullptr);
};

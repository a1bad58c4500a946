#pragma once
// Refuses, as it is typed, any character GBK cannot hold and any text longer than its field (counted in
// GBK bytes).
#include <QValidator>

class GbkValidator : public QValidator {
  Q_OBJECT
 public:
  explicit GbkValidator(int maxBytes, QObject* parent = nullptr) : QValidator(parent), maxBytes_(maxBytes) {}
  State validate(QString& input, int& pos) const override;

 private:
  int maxBytes_;
};

#pragma once
// Binds a dialog field to its rule: the field takes only what the rule admits (counted in GBK bytes) and
// nothing GBK cannot hold.
#include <QValidator>

#include "base/field_rule.h"

class QLineEdit;

class FieldValidator : public QValidator {
 public:
  FieldValidator(FieldRule rule, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  FieldRule rule_;
};

// Puts a validator of the rule on the edit.
void ApplyFieldRule(QLineEdit* edit, const FieldRule& rule);

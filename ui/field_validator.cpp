#include "field_validator.h"

#include <QLineEdit>

#include "gbk_qt.h"

FieldValidator::FieldValidator(FieldRule rule, QObject* parent) : QValidator(parent), rule_(rule) {}

QValidator::State FieldValidator::validate(QString& input, int&) const {
  auto gbk = G(input);
  return gbk && FieldAccepts(rule_, *gbk) ? Acceptable : Invalid;
}

void ApplyFieldRule(QLineEdit* edit, const FieldRule& rule) {
  edit->setValidator(new FieldValidator(rule, edit));
}

#include "gbk_validator.h"

#include "gbk_qt.h"

QValidator::State GbkValidator::validate(QString& input, int&) const {
  auto gbkText = G(input);
  if (!gbkText || static_cast<int>(gbkText->size()) > maxBytes_) return Invalid;
  return Acceptable;
}

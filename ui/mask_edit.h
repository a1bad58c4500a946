#pragma once
// A one-line text field that admits only what its input mask admits (the masks of the form cells). Every
// way text arrives — typing, the input method, pasting, dropping — is checked as one insertion; deleting
// is always allowed. Texts the program cannot hold as GBK are refused too.
#include <QLineEdit>
#include <string>

#include "base/input_mask.h"

class MaskEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit MaskEdit(QWidget* parent = nullptr);
  // "MDBSTRING" is kept as "STRING NOT |[]'"; an empty mask admits everything.
  void SetMask(const std::string& mask, int maxLength = 0, int decimals = 0);
  void SetMask(const FieldMask& field) { SetMask(field.mask, field.maxLength, field.decimals); }
  const std::string& Mask() const { return mask_; }
  // The text as GBK ("" when it holds a character GBK cannot hold, which the field never admits).
  std::string GbkText() const;
  void SetGbkText(const std::string& text);

 signals:
  // The text changed and stays so: after an admitted edit, or when the program set it. A refused edit sends
  // nothing here, while QLineEdit's own textEdited and textChanged still carry its refused text.
  void GbkTextChanged(const std::string& text);
  // An edit the mask refused (the field kept its text): what was to be inserted, as typed.
  void Refused(const QString& inserted);

 private:
  void OnTextChanged(const QString& now);
  void OnTextEdited(const QString& now);

  std::string mask_;
  int maxLength_ = 0, decimals_ = 0;
  QString current_;
};

#include "mask_edit.h"

#include <algorithm>

#include "base/input_mask.h"
#include "gbk_qt.h"

MaskEdit::MaskEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, &MaskEdit::OnTextChanged);
  connect(this, &QLineEdit::textEdited, this, &MaskEdit::OnTextEdited);
}

void MaskEdit::SetMask(const std::string& mask, int maxLength, int decimals) {
  mask_ = mask.starts_with("MDBSTRING") ? std::string("STRING NOT |[]'") : mask;
  maxLength_ = maxLength;
  decimals_ = decimals;
}

std::string MaskEdit::GbkText() const {
  return G(text()).value_or(std::string());
}

void MaskEdit::SetGbkText(const std::string& text) {
  setText(Q(text));
}

// textEdited comes before textChanged, so current_ still holds the text the user's edit started from. A
// refused edit is undone inside textEdited; the textChanged that follows then carries a text no longer
// there, hence text() rather than the signal's argument.
void MaskEdit::OnTextChanged(const QString&) {
  if (text() == current_) return;
  current_ = text();
  emit GbkTextChanged(GbkText());
}

void MaskEdit::OnTextEdited(const QString& now) {
  const QString before = current_;
  qsizetype prefix = 0;
  qsizetype shorter = std::min(before.size(), now.size());
  while (prefix < shorter && before[prefix] == now[prefix]) ++prefix;
  qsizetype suffix = 0;
  while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == now[now.size() - 1 - suffix])
    ++suffix;
  QString inserted = now.mid(prefix, now.size() - prefix - suffix);
  if (inserted.isEmpty()) return;  // a deletion

  auto gInserted = G(inserted);
  auto gLeft = G(before.left(prefix));
  auto gRest = G(before.right(suffix));
  bool admitted =
      gInserted && gLeft && gRest &&
      (mask_.empty() || ValidateInsert(*gInserted, *gLeft + *gRest, static_cast<int>(gLeft->size()), mask_,
                                       maxLength_, decimals_));
  if (admitted) return;  // current_ follows in OnTextChanged
  setText(before);
  setCursorPosition(static_cast<int>(prefix));
  emit Refused(inserted);
}

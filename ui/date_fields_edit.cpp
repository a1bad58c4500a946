#include "date_fields_edit.h"

#include <QHBoxLayout>
#include <QLabel>

#include "dialog_kit.h"
#include "gbk_qt.h"
#include "mask_edit.h"

namespace {

MaskEdit* Part(const FieldMask& mask, const std::string& text, int chars) {
  auto* edit = new MaskEdit;
  edit->SetMask(mask);
  edit->setMaxLength(mask.maxLength);
  edit->SetGbkText(text);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(chars + 2, '0')) + 12);
  return edit;
}

}  // namespace

DateFieldsEdit::DateFieldsEdit(const DateFields& fields, QWidget* parent) : QWidget(parent) {
  year_ = Part(DateFields::YearMask(), fields.year, 4);
  month_ = Part(DateFields::PartMask(), fields.month, 2);
  day_ = Part(DateFields::PartMask(), fields.day, 2);
  FieldRow({year_, "年", month_, "月", day_, "日"}, true, this)->setContentsMargins(0, 0, 0, 0);
}

DateFields DateFieldsEdit::Fields() const {
  return {year_->GbkText(), month_->GbkText(), day_->GbkText()};
}

void DateFieldsEdit::FocusPart(DateFields::Part part) {
  MaskEdit* edit = part == DateFields::kMonth ? month_ : part == DateFields::kDay ? day_ : year_;
  edit->setFocus();
  edit->selectAll();
}

std::vector<QWidget*> DateFieldsEdit::Parts() const {
  return {year_, month_, day_};
}

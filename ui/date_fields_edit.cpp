#include "date_fields_edit.h"

#include <QHBoxLayout>
#include <QLabel>

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
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(year_);
  row->addWidget(new QLabel(Q("年")));
  row->addWidget(month_);
  row->addWidget(new QLabel(Q("月")));
  row->addWidget(day_);
  row->addWidget(new QLabel(Q("日")));
  row->addStretch();
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

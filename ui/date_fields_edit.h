#pragma once
// A date typed as 年 / 月 / 日 in three short fields (DateFields of the interest dialogs).
#include <QWidget>
#include <vector>

#include "base/date_fields.h"

class MaskEdit;

class DateFieldsEdit : public QWidget {
  Q_OBJECT
 public:
  explicit DateFieldsEdit(const DateFields& fields, QWidget* parent = nullptr);
  DateFields Fields() const;
  void FocusPart(DateFields::Part part);
  // The three fields, year first: Enter moves through them in this order.
  std::vector<QWidget*> Parts() const;

 private:
  MaskEdit *year_, *month_, *day_;
};

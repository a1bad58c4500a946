#pragma once
// The pieces the parameter dialogs are built from: masked fields, the year/month/day row of a date, the
// button rows, and the focus on the field a refused 确认 names.
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <map>
#include <string>

#include "base/date_fields.h"
#include "base/input_mask.h"
#include "gbk_qt.h"
#include "mask_edit.h"

class QDialogButtonBox;
class QLineEdit;
class QPushButton;

FieldMask DigitMask(int n);
// A masked field of a fixed width, holding text (GBK).
MaskEdit* MaskField(const FieldMask& mask, const std::string& text, int width);
// A two-character month field, as the ledgers' and the books' dialogs show one.
QLineEdit* MonthEdit(const std::string& text);

// Year, month and day fields in one row, bound to a date of the model.
struct DateRow {
  MaskEdit *year, *month, *day;
  explicit DateRow(const DateFields& d)
      : year(MaskField(DigitMask(4), d.year, 56)),
        month(MaskField(DigitMask(2), d.month, 36)),
        day(MaskField(DigitMask(2), d.day, 36)) {}
  QHBoxLayout* Layout() {
    auto* row = new QHBoxLayout;
    row->addWidget(year);
    row->addWidget(new QLabel(Q("年")));
    row->addWidget(month);
    row->addWidget(new QLabel(Q("月")));
    row->addWidget(day);
    row->addWidget(new QLabel(Q("日")));
    row->addStretch();
    return row;
  }
  void Read(DateFields& d) const { d = {year->GbkText(), month->GbkText(), day->GbkText()}; }
};

// An account-code field with its browse button beside it; stretch keeps both at the left of a wide cell.
QHBoxLayout* BrowseRow(QWidget* field, QPushButton* browse, bool stretch);

// ok (the default button) and a button of cancelText that rejects the dialog, at the right.
QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton* ok, const char* cancelText);
// The ledgers' button box: ok accepts the dialog, cancel rejects it.
QDialogButtonBox* OkCancelBox(QDialog* dialog, const char* ok, const char* cancel);

// After a refused 确认 the field the model names takes the focus, its text selected.
void FocusNamed(const std::map<std::string, QWidget*>& fields, const std::string& name);
// The same for the ledgers' month fields: "end", or else the start.
void FocusStartOrEnd(const std::string& focus, QLineEdit* start, QLineEdit* end);
// Shows a dialog made for one showing modally, and deletes it; true when accepted.
bool ExecOnce(QDialog* dialog);

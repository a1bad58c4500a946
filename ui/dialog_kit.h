#pragma once
// The pieces the parameter dialogs are built from: masked fields, the year/month/day row of a date, the
// button rows, and the focus on the field a refused 确认 names.
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>

#include "base/date_fields.h"
#include "base/input_mask.h"
#include "gbk_qt.h"
#include "mask_edit.h"

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;

FieldMask DigitMask(int n);
// A masked field of a fixed width, holding text (GBK).
MaskEdit* MaskField(const FieldMask& mask, const std::string& text, int width);
// A two-character month field, as the ledgers' and the books' dialogs show one.
QLineEdit* MonthEdit(const std::string& text);

// One piece of a row of fields: a field, or the words (GBK) between the fields.
struct RowPart {
  RowPart(QWidget* field) : widget(field) {}
  RowPart(const char* words) : text(words) {}
  RowPart(std::string words) : text(std::move(words)) {}
  QWidget* widget = nullptr;
  std::string text;
};
// The fields of a date or a period in one row with their words between them ("年", "月 至", ...), laid on
// host when given; stretch keeps them at the left.
QHBoxLayout* FieldRow(std::initializer_list<RowPart> parts, bool stretch = true, QWidget* host = nullptr);

// Year, month and day fields in one row, bound to a date of the model.
struct DateRow {
  MaskEdit *year, *month, *day;
  explicit DateRow(const DateFields& d)
      : year(MaskField(DigitMask(4), d.year, 56)),
        month(MaskField(DigitMask(2), d.month, 36)),
        day(MaskField(DigitMask(2), d.day, 36)) {}
  QHBoxLayout* Layout() { return FieldRow({year, "年", month, "月", day, "日"}); }
  void Read(DateFields& d) const { d = {year->GbkText(), month->GbkText(), day->GbkText()}; }
};

// An account-code field with its browse button beside it; stretch keeps both at the left of a wide cell.
QHBoxLayout* BrowseRow(QWidget* field, QPushButton* browse, bool stretch);

// The balance tables' check box that leaves out accounts with nothing to show.
QCheckBox* NonzeroBox(bool checked);

// ok and cancel at the right of a row, as they are (the caller makes one the default button or not).
QHBoxLayout* ButtonPair(QPushButton* ok, QPushButton* cancel);
// ok (the default button) and a button of cancelText that rejects the dialog, at the right; the cancel
// button takes Enter while it has the focus. cancel, when given, receives it.
QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton* ok, const char* cancelText,
                         QPushButton** cancel = nullptr);
// The ledgers' button box: ok accepts the dialog, cancel rejects it.
QDialogButtonBox* OkCancelBox(QDialog* dialog, const char* ok, const char* cancel);
// A button box whose ok, the default button, runs onOk (which accepts the dialog when the model agrees), and
// whose cancel rejects the dialog. okButton, when given, receives ok.
QDialogButtonBox* ConfirmBox(QDialog* dialog, const char* ok, const char* cancel, std::function<void()> onOk,
                             QPushButton** okButton = nullptr);

// After a refused 确认 the field the model names takes the focus, its text selected.
void FocusNamed(const std::map<std::string, QWidget*>& fields, const std::string& name);
// The same for the ledgers' month fields: "end", or else the start.
void FocusStartOrEnd(const std::string& focus, QLineEdit* start, QLineEdit* end);
// Shows a dialog made for one showing modally, and deletes it; true when accepted.
bool ExecOnce(QDialog* dialog);

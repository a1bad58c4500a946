#include "dialog_kit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

FieldMask DigitMask(int n) {
  return {"STRING 0123456789", n};
}

MaskEdit* MaskField(const FieldMask& mask, const std::string& text, int width) {
  auto* edit = new MaskEdit;
  edit->SetMask(mask);
  edit->SetGbkText(text);
  edit->setFixedWidth(width);
  return edit;
}

QLineEdit* MonthEdit(const std::string& text) {
  auto* e = new QLineEdit(Q(text));
  e->setMaxLength(2);
  e->setFixedWidth(40);
  return e;
}

QHBoxLayout* FieldRow(std::initializer_list<RowPart> parts, bool stretch, QWidget* host) {
  auto* row = new QHBoxLayout(host);
  for (const RowPart& part : parts) row->addWidget(part.widget ? part.widget : new QLabel(Q(part.text)));
  if (stretch) row->addStretch();
  return row;
}

QHBoxLayout* BrowseRow(QWidget* field, QPushButton* browse, bool stretch) {
  auto* row = new QHBoxLayout;
  row->addWidget(field);
  row->addWidget(browse);
  if (stretch) row->addStretch();
  return row;
}

QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton* ok, const char* cancelText, QPushButton** cancelOut) {
  auto* cancel = new QPushButton(Q(cancelText));
  if (cancelOut) *cancelOut = cancel;
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  ok->setDefault(true);
  return ButtonPair(ok, cancel);
}

QHBoxLayout* ButtonPair(QPushButton* ok, QPushButton* cancel) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

namespace {

QDialogButtonBox* TwoButtonBox(QDialog* dialog, const char* ok, const char* cancel, QPushButton*& okButton) {
  auto* box = new QDialogButtonBox;
  okButton = box->addButton(Q(ok), QDialogButtonBox::AcceptRole);
  box->addButton(Q(cancel), QDialogButtonBox::RejectRole);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return box;
}

}  // namespace

QDialogButtonBox* OkCancelBox(QDialog* dialog, const char* ok, const char* cancel) {
  QPushButton* okButton;
  QDialogButtonBox* box = TwoButtonBox(dialog, ok, cancel, okButton);
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  return box;
}

QDialogButtonBox* ConfirmBox(QDialog* dialog, const char* ok, const char* cancel, std::function<void()> onOk,
                             QPushButton** okButton) {
  QPushButton* button;
  QDialogButtonBox* box = TwoButtonBox(dialog, ok, cancel, button);
  button->setDefault(true);
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, std::move(onOk));
  if (okButton) *okButton = button;
  return box;
}

void FocusNamed(const std::map<std::string, QWidget*>& fields, const std::string& name) {
  auto it = fields.find(name);
  if (it == fields.end()) return;
  it->second->setFocus();
  if (auto* edit = qobject_cast<QLineEdit*>(it->second)) edit->selectAll();
}

void FocusStartOrEnd(const std::string& focus, QLineEdit* start, QLineEdit* end) {
  QLineEdit* field = focus == "end" ? end : start;
  field->setFocus();
  field->selectAll();
}

bool ExecOnce(QDialog* dialog) {
  std::unique_ptr<QDialog> owned(dialog);
  return dialog->exec() == QDialog::Accepted;
}

QCheckBox* NonzeroBox(bool checked) {
  auto* box = new QCheckBox(Q("&Z.只列有余额或发生额的科目"));
  box->setChecked(checked);
  return box;
}

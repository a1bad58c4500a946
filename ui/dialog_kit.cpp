#include "dialog_kit.h"

#include <QDialogButtonBox>
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

QHBoxLayout* BrowseRow(QWidget* field, QPushButton* browse, bool stretch) {
  auto* row = new QHBoxLayout;
  row->addWidget(field);
  row->addWidget(browse);
  if (stretch) row->addStretch();
  return row;
}

QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton* ok, const char* cancelText) {
  auto* cancel = new QPushButton(Q(cancelText));
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  ok->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

QDialogButtonBox* OkCancelBox(QDialog* dialog, const char* ok, const char* cancel) {
  auto* box = new QDialogButtonBox;
  box->addButton(Q(ok), QDialogButtonBox::AcceptRole);
  box->addButton(Q(cancel), QDialogButtonBox::RejectRole);
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
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

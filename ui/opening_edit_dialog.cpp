#include "opening_edit_dialog.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "confirm_row.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

namespace {

MaskEdit* NumberField(const FieldMask& mask, const std::string& text) {
  auto* field = new MaskEdit;
  field->SetMask(mask);
  field->SetGbkText(text);
  field->setAlignment(Qt::AlignRight);
  field->setMinimumWidth(180);
  return field;
}

}  // namespace

OpeningEditDialog::OpeningEditDialog(COpeningEditDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(model_.Title()));
  debit_ = new QRadioButton(Q("借(&+)"));
  credit_ = new QRadioButton(Q("贷(&-)"));
  (model_.debit ? debit_ : credit_)->setChecked(true);
  auto* sides = new QButtonGroup(this);
  sides->addButton(debit_);
  sides->addButton(credit_);
  auto* sideBox = new QGroupBox(Q(model_.SideCaption()));
  auto* sideRow = new QHBoxLayout(sideBox);
  sideRow->addWidget(debit_);
  sideRow->addWidget(credit_);

  auto* fields = new QFormLayout;
  if (model_.HasQuantity()) {
    quantity_ = NumberField(COpeningEditDlg::QuantityMask(), model_.quantity);
    price_ = NumberField(COpeningEditDlg::PriceMask(), model_.price);
    fields->addRow(Q(model_.QuantityLabel()), quantity_);
    fields->addRow(Q(model_.PriceLabel()), price_);
  }
  amount_ = NumberField(COpeningEditDlg::AmountMask(), model_.amount);
  // The field takes digits only (its mask); the amount with its thousands separators stands beside it.
  echo_ = new QLabel(Q(model_.AmountEcho()));
  auto* amountRow = new QHBoxLayout;
  amountRow->addWidget(amount_);
  amountRow->addWidget(echo_);
  fields->addRow(Q(model_.AmountLabel()), amountRow);
  connect(amount_, &MaskEdit::GbkTextChanged, this, [this](const std::string& text) {
    model_.amount = text;
    echo_->setText(Q(model_.AmountEcho()));
  });
  for (MaskEdit* f : {quantity_, price_, amount_})
    if (f) f->installEventFilter(this);

  // Only what the user types recomputes: a field the dialog fills itself sends nothing on.
  if (model_.HasQuantity()) {
    auto fromQuantity = [this](const std::string&) {
      if (showing_) return;
      Take();
      model_.OnQuantityOrPriceChanged();
      Show();
    };
    connect(quantity_, &MaskEdit::GbkTextChanged, this, fromQuantity);
    connect(price_, &MaskEdit::GbkTextChanged, this, fromQuantity);
    connect(amount_, &MaskEdit::GbkTextChanged, this, Guard([this](const std::string&) {
              if (showing_) return;
              Take();
              model_.OnAmountChanged();
              Show();
            }));
  }

  QHBoxLayout* buttons = ConfirmRow(this, ok_, cancel_);
  connect(ok_, &QPushButton::clicked, this, Guard(this, &OpeningEditDialog::OnOk));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(sideBox);
  layout->addLayout(fields);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  (quantity_ ? quantity_ : amount_)->setFocus();
}

void OpeningEditDialog::Take() {
  model_.debit = debit_->isChecked();
  model_.amount = amount_->GbkText();
  if (quantity_) model_.quantity = quantity_->GbkText();
  if (price_) model_.price = price_->GbkText();
}

void OpeningEditDialog::Show() {
  showing_ = true;
  if (amount_->GbkText() != model_.amount) amount_->SetGbkText(model_.amount);
  if (price_ && price_->GbkText() != model_.price) price_->SetGbkText(model_.price);
  showing_ = false;
}

void OpeningEditDialog::OnOk() {
  Take();
  if (AcceptWhenTaken()) return;
  switch (model_.focus) {
    case COpeningEditDlg::Focus::Quantity:
      if (quantity_) quantity_->setFocus();
      break;
    case COpeningEditDlg::Focus::Price:
      if (price_) price_->setFocus();
      break;
    default:
      amount_->setFocus();
      break;
  }
}

bool OpeningEditDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // Field by field, then on to 确认, where Enter confirms.
      if (watched == quantity_)
        price_->setFocus();
      else if (watched == price_)
        amount_->setFocus();
      else if (watched == amount_)
        ok_->setFocus();
      else
        return QDialog::eventFilter(watched, event);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

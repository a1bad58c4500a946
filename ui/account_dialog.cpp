#include "account_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialog_kit.h"
#include "enter_order.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

AccountDialog::AccountDialog(CAccountDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(model_.Caption()));

  prefix_ = new QLineEdit(Q(model_.Prefix()));
  prefix_->setReadOnly(true);
  prefix_->setEnabled(!model_.Prefix().empty());
  code_ = new MaskEdit;
  code_->SetMask(model_.CodeMask());
  code_->SetGbkText(model_.ownPart);
  name_ = new MaskEdit;
  name_->SetMask(CAccountDlg::NameMask());
  name_->SetGbkText(model_.name);
  name_->setMinimumWidth(240);

  auto* top = new QGridLayout;
  top->addWidget(new QLabel(Q("父科目代码")), 0, 0);
  top->addWidget(prefix_, 0, 1);
  top->addWidget(new QLabel(Q("输入或修改代码")), 1, 0);
  top->addWidget(code_, 1, 1);
  top->addWidget(new QLabel(Q("注意：代码必须是数字")), 1, 2);
  top->addWidget(new QLabel(Q("输入或修改科目名称")), 2, 0);
  top->addWidget(name_, 2, 1, 1, 2);

  quantity_ = new QCheckBox(Q("数量金额"));
  currency_ = new QCheckBox(Q("外币核算"));
  unit_ = new MaskEdit;
  unit_->SetMask(CAccountDlg::UnitMask());
  unit_->SetGbkText(model_.unit);
  currencies_ = new QComboBox;
  currencies_->setMinimumWidth(150);
  auto* aux = new QGroupBox(Q("辅助核算"));
  auto* auxGrid = new QGridLayout(aux);
  auxGrid->addWidget(quantity_, 0, 0);
  auxGrid->addWidget(new QLabel(Q("数量单位")), 0, 1);
  auxGrid->addWidget(unit_, 0, 2);
  auxGrid->addWidget(currency_, 1, 0);
  auxGrid->addWidget(new QLabel(Q("外币币种")), 1, 1);
  auxGrid->addWidget(currencies_, 1, 2);

  multi_ = new QCheckBox(Q("需要"));
  debit_ = new QRadioButton(Q("借方"));
  credit_ = new QRadioButton(Q("贷方"));
  auto* sides = new QButtonGroup(this);
  sides->addButton(debit_);
  sides->addButton(credit_);
  width_ = new QSpinBox;
  width_->setRange(0, kMaxColumnWidth);
  width_->setValue(model_.width);
  auto* multi = new QGroupBox(Q("多栏式帐页"));
  auto* multiGrid = new QGridLayout(multi);
  multiGrid->addWidget(multi_, 0, 0);
  multiGrid->addWidget(debit_, 0, 1);
  multiGrid->addWidget(credit_, 0, 2);
  multiGrid->addWidget(new QLabel(Q("栏宽(汉字数)")), 1, 1);
  multiGrid->addWidget(width_, 1, 2);

  ok_ = new QPushButton(Q("&S.确认"));
  QHBoxLayout* buttons = OkCancelRow(this, ok_, "&X.取消", &cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(aux);
  layout->addWidget(multi);
  layout->addLayout(buttons);

  multi_->setChecked(model_.multiColumn);
  debit_->setChecked(model_.side == 1);
  credit_->setChecked(model_.side == -1);
  Sync();

  connect(name_, &MaskEdit::GbkTextChanged, this, Guard([this](const std::string& text) {
            model_.OnNameChanged(text);
            width_->setValue(model_.width);
          }));
  connect(quantity_, &QCheckBox::clicked, this, Guard([this](bool on) {
            model_.OnQuantityTicked(on);
            Sync();
          }));
  connect(currency_, &QCheckBox::clicked, this, Guard([this](bool on) {
            model_.OnCurrencyTicked(on);
            Sync();
          }));
  connect(ok_, &QPushButton::clicked, this, Guard(this, &AccountDialog::OnOk));
  // Enter after the code moves to the name; Enter after the name confirms, ready for the next account.
  new EnterOrder(this, {code_, name_}, ok_);
  code_->setFocus();
}

// Shows the model's choices and what may be changed.
void AccountDialog::Sync() {
  quantity_->setChecked(model_.quantity);
  currency_->setChecked(model_.currency);
  quantity_->setEnabled(model_.quantityEnabled);
  currency_->setEnabled(model_.currencyEnabled);
  unit_->setEnabled(model_.quantityEnabled && model_.quantity);
  QString chosen = currencies_->currentText();
  if (chosen.isEmpty()) chosen = Q(model_.currencyLine);
  currencies_->clear();
  for (const std::string& line : model_.currencies) currencies_->addItem(Q(line));
  currencies_->setCurrentIndex(currencies_->findText(chosen));
  currencies_->setEnabled(model_.currencyEnabled && model_.currency);
  for (QWidget* w : std::initializer_list<QWidget*>{debit_, credit_, width_})
    w->setEnabled(model_.columnEnabled);
}

void AccountDialog::OnOk() {
  model_.ownPart = code_->GbkText();
  model_.name = name_->GbkText();
  model_.unit = unit_->GbkText();
  model_.currencyLine = G(currencies_->currentText()).value_or(std::string());
  model_.multiColumn = multi_->isChecked();
  model_.side = debit_->isChecked() ? 1 : credit_->isChecked() ? -1 : 0;
  model_.width = width_->value();
  if (AcceptWhenTaken()) return;
  // The fields come back as the checks left them: the code without its zeros, a width raised to the name.
  code_->SetGbkText(model_.ownPart);
  width_->setValue(model_.width);
  Sync();
  // In the order of CAccountDlg::Focus.
  QWidget* const fields[] = {code_, name_, unit_, currencies_, debit_, width_};
  QWidget* field = fields[static_cast<int>(model_.focus)];
  field->setFocus();
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

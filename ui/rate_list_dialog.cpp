#include "rate_list_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "base/text.h"
#include "column_list.h"
#include "face_owner.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "rate_dialog.h"

RateListDialog::RateListDialog(CVyDataEnv& env, QWidget* parent) : ListEditDialog(env, parent) {
  setWindowTitle(Q(CRateListDlg::Caption()));
  auto captions = CRateListDlg::ColumnCaptions();
  // "%4s  %s" with a name of up to 10 characters.
  currencies_ = MakeColumnList({{captions[0], 16}});
  rates_ = MakeColumnList({{captions[1], 10}, {captions[2], 10, true}, {captions[3], 10, true}});
  for (QTreeWidget* l : {currencies_, rates_}) l->installEventFilter(this);
  auto* grid = new QGridLayout(this);
  grid->setVerticalSpacing(2);
  grid->addWidget(currencies_, 1, 0);
  grid->addWidget(rates_, 1, 1);
  grid->addWidget(new QLabel(Q(CRateListDlg::CurrencyHint())), 2, 0, Qt::AlignTop);
  grid->addWidget(new QLabel(Q(ReplaceAll(CRateListDlg::RateHint(), "\r", "\n"))), 2, 1, Qt::AlignTop);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add_);
  buttons->addStretch();
  buttons->addWidget(close_);
  grid->addLayout(buttons, 3, 0, 1, 2);
  grid->setRowStretch(1, 1);
  grid->setColumnStretch(1, 1);

  connect(currencies_, &QTreeWidget::currentItemChanged, this, Guard([this] {
            model_.OnCurrencySelected(CurrentRow(currencies_));
            Sync();
          }));
  connect(rates_, &QTreeWidget::currentItemChanged, this,
          Guard([this] { model_.OnRateSelected(CurrentRow(rates_)); }));
  WireEditing(rates_);

  ready_ = model_.OnInitDialog();
  Sync();
  currencies_->setFocus();
}

void RateListDialog::Sync() {
  std::vector<std::vector<std::string>> currencies, rates;
  for (const std::string& line : model_.currencyLines) currencies.push_back({line});
  for (const auto& r : model_.rates) rates.push_back({r.date, r.foreign, r.base});
  FillColumnList(currencies_, currencies, model_.selectedCurrency);
  FillColumnList(rates_, rates, model_.selectedRate);
}

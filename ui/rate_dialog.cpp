#include "rate_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_kit.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

RateDialog::RateDialog(CRateDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(CRateDlg::Caption()));
  year_ = MaskField(CRateDlg::YearMask(), model_.year, 56);
  month_ = MaskField(CRateDlg::MonthMask(), model_.month, 40);
  day_ = MaskField(CRateDlg::DayMask(), model_.day, 40);
  foreign_ = MaskField(CRateDlg::AmountMask(), model_.foreign, 130);
  base_ = MaskField(CRateDlg::AmountMask(), model_.base, 130);

  auto* date = new QHBoxLayout;
  for (auto [edit, unit] : {std::pair{year_, "年"}, {month_, "月"}, {day_, "日"}}) {
    date->addWidget(edit);
    date->addWidget(new QLabel(Q(unit)));
  }
  date->addStretch();
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Q("设置时间")), 0, 0);
  grid->addLayout(date, 0, 1);
  grid->addWidget(new QLabel(Q("外币数")), 1, 0);
  grid->addWidget(foreign_, 1, 1, Qt::AlignLeft);
  grid->addWidget(new QLabel(Q("本位币数")), 2, 0);
  grid->addWidget(base_, 2, 1, Qt::AlignLeft);

  ok_ = new QPushButton(Q("&S.确认"));
  QHBoxLayout* buttons = OkCancelRow(this, ok_, "&X.取消");
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, Guard(this, &RateDialog::OnOk));
  year_->setFocus();
}

void RateDialog::OnOk() {
  model_.year = year_->GbkText();
  model_.month = month_->GbkText();
  model_.day = day_->GbkText();
  model_.foreign = foreign_->GbkText();
  model_.base = base_->GbkText();
  if (AcceptWhenTaken()) return;
  MaskEdit* fields[] = {year_, month_, day_, foreign_, base_};
  MaskEdit* field = fields[static_cast<int>(model_.focus)];
  field->setFocus();
  field->selectAll();
}

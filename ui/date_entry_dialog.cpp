#include "date_entry_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_kit.h"
#include "enter_order.h"
#include "gbk_qt.h"
#include "guarded.h"

DateEntryDialog::DateEntryDialog(CDateEntryDlg& model, QWidget* parent) : ModelDialog(parent, model) {
  setWindowTitle(Q(CDateEntryDlg::Title()));
  year_ = MaskField(CDateEntryDlg::YearMask(), "", 60);
  month_ = MaskField(CDateEntryDlg::DayMask(), "", 40);
  day_ = MaskField(CDateEntryDlg::DayMask(), "", 40);
  ok_ = new QPushButton(Q("&S.确认"));
  auto* cancel = new QPushButton(Q("取消"));
  auto* box = new QGroupBox(Q(CDateEntryDlg::Caption()));
  FieldRow({"日期: ", year_, "年", month_, "月", day_, "日"}, false, box);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addLayout(ButtonPair(ok_, cancel));

  year_->SetGbkText(model_.yearText);
  month_->SetGbkText(model_.monthText);
  day_->SetGbkText(model_.dayText);
  new EnterOrder(this, {year_, month_, day_}, ok_);
  connect(ok_, &QPushButton::clicked, this, Guard([this] {
            model_.yearText = year_->GbkText();
            model_.monthText = month_->GbkText();
            model_.dayText = day_->GbkText();
            if (AcceptWhenTaken()) return;
            day_->setFocus();
            day_->selectAll();
          }));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  year_->setFocus();
}

bool DateEntryDialog::Ask(CDateEntryDlg& model, QWidget* parent) {
  if (!model.OnInitDialog()) return false;
  DateEntryDialog dialog(model, parent);
  return dialog.exec() == QDialog::Accepted;
}

#include "set_info_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_kit.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

namespace {

QComboBox* DropDown(const std::vector<std::string>& items, int selected) {
  auto* box = new QComboBox;
  for (auto& i : items) box->addItem(Q(i));
  box->setCurrentIndex(selected);
  return box;
}

QLabel* Shown(const std::string& text) {
  auto* label = new QLabel(Q(text));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

AccountInfoDialog::AccountInfoDialog(CVyDataEnv& env, QWidget* parent) : ModelDialog(parent, env) {
  setWindowTitle(Q(CAccountInfoDlg::Caption()));
  ready_ = model_.OnInitDialog();

  unitEdit_ = new MaskEdit;
  unitEdit_->SetMask(CAccountInfoDlg::UnitNameMask());
  unitEdit_->SetGbkText(model_.unitName);
  unitEdit_->setMinimumWidth(320);
  unitEdit_->installEventFilter(this);
  chiefEdit_ = new MaskEdit;
  chiefEdit_->SetMask(CAccountInfoDlg::ChiefMask());
  chiefEdit_->SetGbkText(model_.chief);
  chiefEdit_->setMaximumWidth(120);
  startBox_ = DropDown(model_.startDates, model_.selectedStart);
  endBox_ = DropDown(model_.endDates, model_.selectedEnd);
  closingBox_ = DropDown(model_.closingDays, model_.selectedClosing);
  closingBox_->setEnabled(model_.closingEnabled);

  auto* form = new QFormLayout;
  form->addRow(Q("文件："), Shown(model_.fileText));
  auto* yearRow = new QHBoxLayout;
  yearRow->addWidget(Shown(model_.yearText));
  yearRow->addSpacing(40);
  yearRow->addWidget(new QLabel(Q("已月结月：")));
  yearRow->addWidget(Shown(model_.closedMonthText));
  yearRow->addStretch();
  form->addRow(Q("年度："), yearRow);
  form->addRow(Q("核算单位："), unitEdit_);
  form->addRow(Q("会计主管："), chiefEdit_);
  auto* dates = new QHBoxLayout;
  dates->addWidget(startBox_);
  dates->addSpacing(16);
  dates->addWidget(new QLabel(Q("年末日：")));
  dates->addWidget(endBox_);
  dates->addSpacing(16);
  dates->addWidget(new QLabel(Q("月结日：")));
  dates->addWidget(closingBox_);
  dates->addStretch();
  form->addRow(Q("年 初 日："), dates);

  QDialogButtonBox* buttons = ConfirmBox(this, "确认", "取消", Guard(this, &AccountInfoDialog::OnOk));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addSpacing(8);
  layout->addWidget(buttons);
  unitEdit_->setFocus();
}

bool AccountInfoDialog::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the unit name goes on to the chief accountant instead of closing the dialog.
  if (watched == unitEdit_ && event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      chiefEdit_->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void AccountInfoDialog::OnOk() {
  model_.unitName = unitEdit_->GbkText();
  model_.chief = chiefEdit_->GbkText();
  model_.selectedStart = startBox_->currentIndex();
  model_.selectedEnd = endBox_->currentIndex();
  model_.selectedClosing = closingBox_->currentIndex();
  if (AcceptWhenTaken()) return;
  using Focus = CAccountInfoDlg::Focus;
  switch (model_.focus) {
    case Focus::StartDate:
      startBox_->setFocus();
      break;
    case Focus::EndDate:
      endBox_->setFocus();
      break;
    case Focus::ClosingDay:
      closingBox_->setFocus();
      break;
    case Focus::Chief:
      chiefEdit_->setFocus();
      break;
    default:
      unitEdit_->setFocus();
      break;
  }
}

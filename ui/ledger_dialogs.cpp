#include "ledger_dialogs.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "data/db_guard.h"
#include "gbk_qt.h"
#include "ledgers/aux_catalogue_dlg.h"
#include "ledgers/ledger_period_dlg.h"

QLineEdit* MonthEdit(const std::string& text) {
  auto* e = new QLineEdit(Q(text));
  e->setMaxLength(2);
  e->setFixedWidth(40);
  return e;
}

namespace {

QDialogButtonBox* Buttons(QDialog* d, const char* ok, const char* cancel) {
  auto* box = new QDialogButtonBox;
  box->addButton(Q(ok), QDialogButtonBox::AcceptRole);
  box->addButton(Q(cancel), QDialogButtonBox::RejectRole);
  QObject::connect(box, &QDialogButtonBox::accepted, d, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, d, &QDialog::reject);
  return box;
}

// After a refused 确认 the field at fault takes the focus.
void FocusField(const std::string& focus, QLineEdit* start, QLineEdit* end) {
  QLineEdit* field = focus == "end" ? end : start;
  field->setFocus();
  field->selectAll();
}

}  // namespace

LedgerPeriodDialog::LedgerPeriodDialog(CLedgerPeriodDlg& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setWindowTitle(Q("Tavrel软件(项目核算)"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Q("输入查询时条件")));
  auto* dates = new QHBoxLayout;
  start_ = MonthEdit(model.startMonth);
  end_ = MonthEdit(model.endMonth);
  dates->addWidget(new QLabel(Q("日期:")));
  dates->addWidget(new QLabel(Q(model.yearText)));
  dates->addWidget(new QLabel(Q("年")));
  dates->addWidget(start_);
  dates->addWidget(new QLabel(Q("月 至")));
  dates->addWidget(end_);
  dates->addWidget(new QLabel(Q("月")));
  dates->addStretch();
  layout->addLayout(dates);
  auto* kind = new QHBoxLayout;
  reached_ = new QRadioButton(Q("本帐已达"));
  unreached_ = new QRadioButton(Q("本帐未达"));
  (model.reached ? reached_ : unreached_)->setChecked(true);
  kind->addWidget(new QLabel(Q("类型:")));
  kind->addWidget(reached_);
  kind->addWidget(unreached_);
  kind->addStretch();
  layout->addLayout(kind);
  layout->addWidget(Buttons(this, "确认", "取消"));
}

void LedgerPeriodDialog::accept() {
  model_.startMonth = G(start_->text()).value_or("");
  model_.endMonth = G(end_->text()).value_or("");
  model_.reached = reached_->isChecked();
  bool confirmed = false;
  if (!RunCatchingDbErrors([&] { confirmed = model_.Confirm(); })) return;
  if (!confirmed) return FocusField(model_.focus, start_, end_);
  QDialog::accept();
}

AuxCatalogueDialog::AuxCatalogueDialog(CAuxCatalogueDlg& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setWindowTitle(Q(model.Caption()));
  auto* layout = new QVBoxLayout(this);
  std::vector<std::string> h = model.Headers();
  auto* headers = new QLabel(Q(h[0]) + "      " + Q(h[1]) + "                " + Q(h[2]));
  layout->addWidget(headers);
  list_ = new QListWidget;
  list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  for (const std::string& line : model.lines) list_->addItem(Q(line));
  list_->setCurrentRow(model.selected);
  list_->setMinimumWidth(560);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  layout->addWidget(list_);
  auto* group = new QGroupBox(Q("&T.查询时段"));
  auto* months = new QHBoxLayout(group);
  start_ = MonthEdit(model.startMonth);
  end_ = MonthEdit(model.endMonth);
  months->addWidget(new QLabel(Q("从")));
  months->addWidget(new QLabel(Q(model.Caption().substr(0, 4))));
  months->addWidget(new QLabel(Q("年")));
  months->addWidget(start_);
  months->addWidget(new QLabel(Q("月 至")));
  months->addWidget(end_);
  months->addWidget(new QLabel(Q("月")));
  months->addStretch();
  layout->addWidget(group);
  layout->addWidget(Buttons(this, "&S.确认", "&X.取消"));
}

void AuxCatalogueDialog::accept() {
  model_.selected = list_->currentRow();
  model_.startMonth = G(start_->text()).value_or("");
  model_.endMonth = G(end_->text()).value_or("");
  bool confirmed = false;
  if (!RunCatchingDbErrors([&] { confirmed = model_.Confirm(); })) return;
  if (!confirmed) return FocusField(model_.focus, start_, end_);
  QDialog::accept();
}

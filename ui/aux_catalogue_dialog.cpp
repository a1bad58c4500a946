#include "aux_catalogue_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "data/db_guard.h"
#include "dialog_kit.h"
#include "ledgers/aux_catalogue_dlg.h"

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
  layout->addWidget(OkCancelBox(this, "&S.确认", "&X.取消"));
}

void AuxCatalogueDialog::accept() {
  model_.selected = list_->currentRow();
  model_.startMonth = G(start_->text()).value_or("");
  model_.endMonth = G(end_->text()).value_or("");
  bool confirmed = false;
  if (!RunCatchingDbErrors([&] { confirmed = model_.Confirm(); })) return;
  if (!confirmed) return FocusStartOrEnd(model_.focus, start_, end_);
  QDialog::accept();
}

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
    : ModelDialog(parent, model) {
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
  start_ = MonthEdit(model.startMonth);
  end_ = MonthEdit(model.endMonth);
  FieldRow({"从", model.Caption().substr(0, 4), "年", start_, "月 至", end_, "月"}, true, group);
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

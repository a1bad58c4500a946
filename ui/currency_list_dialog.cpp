#include "currency_list_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/text.h"
#include "column_list.h"
#include "currency_dialog.h"
#include "face_owner.h"
#include "gbk_qt.h"
#include "guarded.h"

CurrencyListDialog::CurrencyListDialog(CVyDataEnv& env, QWidget* parent) : ListEditDialog(env, parent) {
  setWindowTitle(Q(CCurrencyListDlg::Caption()));
  auto captions = CCurrencyListDlg::ColumnCaptions();
  list_ = MakeColumnList({{captions[0], 8}, {captions[1], 16}, {captions[2], 14}});
  list_->installEventFilter(this);
  auto* hint = new QLabel(Q(ReplaceAll(CCurrencyListDlg::Hint(), "\r", "\n")));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(hint, 1);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Q(CCurrencyListDlg::ListCaption())));
  layout->setSpacing(2);
  layout->addWidget(list_, 1);
  layout->addSpacing(6);
  layout->addLayout(buttons);

  connect(list_, &QTreeWidget::currentItemChanged, this,
          Guard([this] { model_.OnSelect(CurrentRow(list_)); }));
  WireEditing(list_);

  ready_ = model_.OnInitDialog();
  Sync();
  list_->setFocus();
}

void CurrencyListDialog::Sync() {
  std::vector<std::vector<std::string>> rows;
  for (const auto& c : model_.currencies) rows.push_back({c.code, c.name, c.gainAccount});
  FillColumnList(list_, rows, model_.selected);
}

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

CurrencyListDialog::CurrencyListDialog(CVyDataEnv& env, QWidget* parent) : ModelDialog(parent, env) {
  setWindowTitle(Q(CCurrencyListDlg::Caption()));
  auto captions = CCurrencyListDlg::ColumnCaptions();
  list_ = MakeColumnList({{captions[0], 8}, {captions[1], 16}, {captions[2], 14}});
  list_->installEventFilter(this);
  add_ = new QPushButton(Q(CCurrencyListDlg::AddButtonText()));
  add_->setAutoDefault(false);
  auto* close = new QPushButton(Q("&X.退出"));
  close->setAutoDefault(false);
  auto* hint = new QLabel(Q(ReplaceAll(CCurrencyListDlg::Hint(), "\r", "\n")));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(hint, 1);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Q(CCurrencyListDlg::ListCaption())));
  layout->setSpacing(2);
  layout->addWidget(list_, 1);
  layout->addSpacing(6);
  layout->addLayout(buttons);

  connect(list_, &QTreeWidget::currentItemChanged, this,
          Guard([this] { model_.OnSelect(CurrentRow(list_)); }));
  connect(list_, &QTreeWidget::itemDoubleClicked, this, Guard([this] { OnModify(); }));
  connect(add_, &QPushButton::clicked, this, Guard([this] {
            FaceOwner over(this);
            model_.OnAdd();
            Sync();
            list_->setFocus();
          }));
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  ready_ = model_.OnInitDialog();
  Sync();
  list_->setFocus();
}

void CurrencyListDialog::Sync() {
  std::vector<std::vector<std::string>> rows;
  for (const auto& c : model_.currencies) rows.push_back({c.code, c.name, c.gainAccount});
  FillColumnList(list_, rows, model_.selected);
}

void CurrencyListDialog::OnModify() {
  FaceOwner over(this);
  model_.OnModify();
  Sync();
}

bool CurrencyListDialog::eventFilter(QObject* watched, QEvent* event) {
  auto remove = [this] {
    model_.OnDeleteKey();
    Sync();
  };
  if (watched == list_ && ListEditKey(
                              event, [this] { OnModify(); }, remove))
    return true;
  return QDialog::eventFilter(watched, event);
}

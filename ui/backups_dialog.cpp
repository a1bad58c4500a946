#include "backups_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "face_owner.h"
#include "gbk_qt.h"
#include "guarded.h"

BackupsDialog::BackupsDialog(CVyDataEnv& env, QWidget* parent) : ModelDialog(parent, env) {
  setWindowTitle(Q(CBackupsDlg::Caption()));
  list_ = new QListWidget;
  list_->setMinimumSize(520, 260);
  backup_ = new QPushButton(Q("&B.备份"));
  restore_ = new QPushButton(Q("&R.恢复"));
  auto* close = new QPushButton(Q("关闭"));
  for (QPushButton* b : {backup_, restore_}) b->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(backup_);
  buttons->addWidget(restore_);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Q("本年度的备份（最新的在前）：")));
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    model_.selected = row;
    restore_->setEnabled(model_.RestoreEnabled());
  });
  connect(backup_, &QPushButton::clicked, this, Guard([this] {
            FaceOwner over(this);
            model_.OnBackup();
            Sync();
          }));
  connect(restore_, &QPushButton::clicked, this, Guard([this] {
            FaceOwner over(this);
            model_.OnRestore();
            Sync();
          }));
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  model_.OnInitDialog();
  Sync();
}

void BackupsDialog::Sync() {
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (const std::string& line : model_.lines) list_->addItem(Q(line));
  list_->setCurrentRow(model_.selected);
  restore_->setEnabled(model_.RestoreEnabled());
}

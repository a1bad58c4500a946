#include "operators_dialog.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QHBoxLayout>
#include <QPushButton>

#include "face_owner.h"
#include "dialog_pictures.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "operator_dialog.h"

OperatorsDialog::OperatorsDialog(CVyDataEnv& env, QWidget* parent) : ModelDialog(parent, env) {
  setWindowTitle(Q(COperatorsDlg::Caption()));

  // The items are "%-11s%s": a face of even widths keeps the names in one column.
  QFont fixed("WenQuanYi Micro Hei Mono");
  fixed.setStyleHint(QFont::Monospace);
  auto* heading = new QLabel(Q(COperatorsDlg::ListHeading()));
  heading->setFont(fixed);
  operatorList_ = new QListWidget;
  operatorList_->setFont(fixed);
  operatorList_->setMinimumWidth(200);
  operatorList_->installEventFilter(this);
  rightsList_ = new QListWidget;
  rightsList_->setMinimumWidth(200);
  rightsList_->installEventFilter(this);
  addButton_ = new QPushButton(Q(COperatorsDlg::AddButtonText()));
  addButton_->setAutoDefault(false);
  clearButton_ = new QPushButton(Q("&R.清除口令"));
  clearButton_->setAutoDefault(false);
  hint_ = new QLabel;
  arrow_ = new QLabel;
  arrow_->setFixedSize(40, 40);
  arrow_->setAlignment(Qt::AlignCenter);

  auto* grid = new QGridLayout(this);
  grid->addWidget(heading, 0, 0);
  grid->addWidget(new QLabel(Q("操作员权限表")), 0, 2);
  grid->addWidget(operatorList_, 1, 0);
  grid->addWidget(arrow_, 1, 1, Qt::AlignCenter);
  grid->addWidget(rightsList_, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(addButton_);
  buttons->addWidget(clearButton_);
  buttons->addStretch();
  grid->addLayout(buttons, 2, 0);
  grid->addWidget(hint_, 2, 1, 1, 2);
  grid->setRowStretch(1, 1);
  resize(560, 460);

  connect(operatorList_, &QListWidget::currentRowChanged, this, Guard([this](int row) {
            if (row < 0) return;
            model_.OnOperatorSelected(row);
            Sync();
          }));
  connect(operatorList_, &QListWidget::itemDoubleClicked, this, Guard([this] { OnModify(); }));
  connect(rightsList_, &QListWidget::itemChanged, this, Guard([this](QListWidgetItem* item) {
            model_.OnRightToggled(rightsList_->row(item));
            Sync();
          }));
  connect(addButton_, &QPushButton::clicked, this, Guard(this, &OperatorsDialog::OnAdd));
  connect(clearButton_, &QPushButton::clicked, this, Guard([this] {
            FaceOwner over(this);
            model_.OnClearPassword();
            Sync();
          }));

  ready_ = model_.OnInitDialog();
  Sync();
  operatorList_->setFocus();
}

void OperatorsDialog::Sync() {
  QSignalBlocker b1(operatorList_), b2(rightsList_);
  if (operatorList_->count() != static_cast<int>(model_.operatorItems.size())) operatorList_->clear();
  for (int i = 0; i < static_cast<int>(model_.operatorItems.size()); ++i) {
    QString text = Q(model_.operatorItems[static_cast<size_t>(i)]);
    if (i >= operatorList_->count()) operatorList_->addItem(text);
    QListWidgetItem* item = operatorList_->item(i);
    item->setText(text);
    item->setSizeHint(QSize(0, 20));
  }
  operatorList_->setCurrentRow(model_.selectedOperator);

  if (rightsList_->count() != static_cast<int>(model_.rights.size())) rightsList_->clear();
  for (int i = 0; i < static_cast<int>(model_.rights.size()); ++i) {
    const auto& r = model_.rights[static_cast<size_t>(i)];
    if (i >= rightsList_->count()) rightsList_->addItem(Q(r.name));
    QListWidgetItem* item = rightsList_->item(i);
    item->setText(Q(r.name));
    // Locked rights show their state and refuse the click.
    item->setFlags(r.changeable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
                                : Qt::ItemIsSelectable);
    item->setCheckState(r.ticked ? Qt::Checked : Qt::Unchecked);
  }

  hint_->setText(Q(model_.hint));
  addButton_->setEnabled(model_.addEnabled);
  clearButton_->setEnabled(model_.ClearPasswordEnabled());
  arrow_->setPixmap(ArrowPicture(model_.arrowPicture));
}

void OperatorsDialog::OnModify() {
  FaceOwner over(this);
  model_.OnModify();
  Sync();
}

void OperatorsDialog::OnAdd() {
  FaceOwner over(this, [this] { Sync(); });
  model_.OnAdd();
  Sync();
  operatorList_->setFocus();
}

bool OperatorsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && (watched == operatorList_ || watched == rightsList_)) {
    model_.OnFocus(watched == operatorList_ ? COperatorsDlg::Focus::OperatorList
                                            : COperatorsDlg::Focus::RightsList);
    Sync();
  }
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  int key = static_cast<QKeyEvent*>(event)->key();
  if (watched == operatorList_) {
    switch (key) {
      case Qt::Key_Right:
        rightsList_->setFocus();
        return true;
      case Qt::Key_Delete:
        model_.OnDeleteKey();
        Sync();
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        OnModify();
        return true;
      default:
        break;
    }
  } else if (watched == rightsList_ && key == Qt::Key_Left) {
    operatorList_->setFocus();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

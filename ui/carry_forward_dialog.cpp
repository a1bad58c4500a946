#include "carry_forward_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "base/platform.h"
#include "gbk_qt.h"
#include "guarded.h"

namespace {

QLabel* Shown(const std::string& text) {
  auto* label = new QLabel(Q(text));
  label->setFrameShape(QFrame::StyledPanel);
  label->setMinimumWidth(90);
  return label;
}

}  // namespace

CarryForwardDialog::CarryForwardDialog(CVyDataEnv& env, QWidget* parent) : ModelDialog(parent, env) {
  setWindowTitle(Q(CCarryForwardDlg::Caption()));
  ready_ = model_.OnInitDialog();

  auto* head = new QGridLayout;
  head->addWidget(new QLabel(Q("帐  套：")), 0, 0);
  auto* unit = Shown(model_.unitText);
  head->addWidget(unit, 0, 1, 1, 3);
  head->addWidget(new QLabel(Q("上年度：")), 1, 0);
  head->addWidget(Shown(model_.sourceYearText), 1, 1);
  head->addWidget(new QLabel(Q("本年度：")), 1, 2);
  head->addWidget(Shown(model_.currentYearText), 1, 3);

  auto* group = new QGroupBox(Q("复制结转项目"));
  auto* choices = new QGridLayout(group);
  for (int i = 0; i < CCarryForwardDlg::kItems; ++i) {
    items_[i] = new QCheckBox(Q(CCarryForwardDlg::ItemText(i)));
    choices->addWidget(items_[i], i / 2, i % 2);
    connect(items_[i], &QCheckBox::clicked, this, Guard([this, i](bool on) {
              model_.OnItemToggled(i, on);
              Sync();
            }));
  }

  status_ = new QLabel;
  status_->setFrameShape(QFrame::Panel);
  status_->setFrameShadow(QFrame::Sunken);
  status_->setMinimumWidth(380);
  progress_ = new QProgressBar;
  progress_->setRange(1, 100);
  progress_->setTextVisible(false);
  percent_ = new QLabel;
  percent_->setMinimumWidth(40);
  auto* bar = new QHBoxLayout;
  bar->addWidget(progress_, 1);
  bar->addWidget(percent_);

  okButton_ = new QPushButton(Q("&S.确认"));
  cancelButton_ = new QPushButton(Q("&X.取消"));
  auto* help = new QPushButton(Q("&H.帮助"));
  okButton_->setDefault(true);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  buttons->addWidget(help);
  buttons->addStretch();

  auto* left = new QVBoxLayout;
  left->addLayout(head);
  left->addWidget(group);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 1);
  top->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(status_);
  layout->addLayout(bar);

  timer_ = new QTimer(this);
  timer_->setInterval(10);
  connect(timer_, &QTimer::timeout, this, Guard([this] {
            model_.OnTimer();
            Sync();
          }));
  // During the run the window redraws itself as the work goes on; the user's input waits.
  model_.onChange = [this] {
    Sync();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  connect(okButton_, &QPushButton::clicked, this, Guard(this, &CarryForwardDialog::OnOk));
  connect(cancelButton_, &QPushButton::clicked, this, &CarryForwardDialog::reject);
  connect(help, &QPushButton::clicked, this,
          Guard([] { ShowMessage(CCarryForwardDlg::HelpText(), MsgIcon::Information); }));
  Sync();
}

void CarryForwardDialog::Sync() {
  for (int i = 0; i < CCarryForwardDlg::kItems; ++i) {
    items_[i]->setEnabled(model_.enabled[i] && model_.okEnabled);
    items_[i]->setChecked(model_.chosen[i]);
  }
  status_->setText(Q(model_.status));
  progress_->setVisible(model_.progressVisible);
  percent_->setVisible(model_.progressVisible);
  progress_->setValue(model_.progressPos);
  percent_->setText(Q(model_.PercentText()));
  okButton_->setEnabled(model_.okEnabled);
  cancelButton_->setEnabled(model_.okEnabled);
  if (model_.timerRunning && !timer_->isActive()) timer_->start();
  if (!model_.timerRunning && timer_->isActive()) timer_->stop();
}

void CarryForwardDialog::OnOk() {
  bool done = model_.OnOk();
  Sync();
  if (done) accept();
}

void CarryForwardDialog::reject() {
  if (!model_.okEnabled) return;  // a run is not left half-way
  model_.OnCancel();
  QDialog::reject();
}

#include "copy_info_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/platform.h"
#include "data/db_error.h"
#include "gbk_qt.h"
#include "guarded.h"

ProgressField::ProgressField(const CCopyInfoDlg& model, QWidget* parent) : QWidget(parent), model_(model) {
  setMinimumHeight(24);
}

QSize ProgressField::sizeHint() const {
  return {420, 24};
}

void ProgressField::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QRect frame = rect().adjusted(0, 0, -1, -1);
  p.fillRect(rect(), palette().base());
  p.setPen(palette().mid().color());
  p.drawRect(frame);
  QRect inside = frame.adjusted(1, 1, 0, 0);
  if (!model_.progressVisible) {
    p.setPen(palette().text().color());
    p.drawText(inside.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, Q(model_.status));
    return;
  }
  QRect done = inside;
  done.setWidth(inside.width() * model_.Percent() / 100);
  p.fillRect(done, QColor(0, 0, 128));
  // The percentage reads in white over the bar and in black beside it.
  QString text = Q(model_.PercentText());
  p.setPen(Qt::black);
  p.drawText(inside, Qt::AlignCenter, text);
  p.setClipRect(done);
  p.setPen(Qt::white);
  p.drawText(inside, Qt::AlignCenter, text);
}

CopySourceFileDialog::CopySourceFileDialog(CCopyZwData& model, QWidget* parent)
    : QFileDialog(parent), model_(model) {
  setOption(QFileDialog::DontUseNativeDialog);
  setWindowTitle(Q(CCopyZwData::Title()));
  setFileMode(QFileDialog::AnyFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  setNameFilter(Q("Tavrel帐务数据文件") + " (*.vyx *.VYX *.Vyx)");
  setDirectory(Q(model_.InitialFolder()));
  selectFile(Q(model_.InitialName()));
  setLabelText(QFileDialog::Accept, Q(CCopyZwData::OkCaption()));
  setLabelText(QFileDialog::Reject, Q("取消"));
}

void CopySourceFileDialog::accept() {
  QStringList files = selectedFiles();
  if (files.isEmpty()) return;
  std::optional<std::string> path = G(files.first());
  if (!path) return;  // a name GBK cannot hold is no year file of ours
  if (model_.OnOk(*path)) QDialog::accept();
}

CopyInfoDialog::CopyInfoDialog(CVyDataEnv& env, QWidget* parent) : QDialog(parent), env_(env), model_(env) {
  setWindowTitle(Q(CCopyInfoDlg::Caption()));
  model_.OnInitDialog();

  unit_ = new QLabel;
  file_ = new QLabel;
  for (QLabel* l : {unit_, file_}) {
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(320);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  auto* form = new QFormLayout;
  form->addRow(Q("源帐套名："), unit_);
  form->addRow(Q("文    件："), file_);

  auto* group = new QGroupBox(Q("拷贝内容"));
  auto* choices = new QGridLayout(group);
  for (int i = 0; i < CCopyInfoDlg::kItems; ++i) {
    items_[i] = new QCheckBox(Q(CCopyInfoDlg::ItemText(i)));
    choices->addWidget(items_[i], i / 3, i % 3);
    connect(items_[i], &QCheckBox::clicked, this, Guard([this, i](bool on) {
              model_.OnItemToggled(i, on);
              Sync();
            }));
  }
  status_ = new ProgressField(model_);

  okButton_ = new QPushButton(Q("&S.确认"));
  cancelButton_ = new QPushButton(Q("&X.取消"));
  chooseButton_ = new QPushButton(Q("选帐套"));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(chooseButton_);
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  buttons->addStretch();

  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addWidget(group);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 1);
  top->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(status_);

  model_.onChange = [this] {
    Sync();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  connect(chooseButton_, &QPushButton::clicked, this, Guard(this, &CopyInfoDialog::ChooseSource));
  connect(okButton_, &QPushButton::clicked, this, Guard(this, &CopyInfoDialog::OnOk));
  connect(cancelButton_, &QPushButton::clicked, this, &CopyInfoDialog::reject);
  Sync();
}

void CopyInfoDialog::ChooseSource() {
  CCopyZwData chooser(env_);
  CopySourceFileDialog dialog(chooser, this);
  if (dialog.exec() != QDialog::Accepted) return;
  TakeSource(chooser.chosenPath, chooser.unitName);
}

void CopyInfoDialog::TakeSource(const std::string& path, const std::string& unitName) {
  try {
    model_.OnSourceChosen(path, unitName);
  } catch (const jet::DbError& e) {
    ShowMessage(e.what(), MsgIcon::Stop);
  }
  Sync();
}

void CopyInfoDialog::Sync() {
  unit_->setText(Q(model_.sourceUnit));
  file_->setText(Q(model_.sourcePath));
  for (int i = 0; i < CCopyInfoDlg::kItems; ++i) {
    items_[i]->setEnabled(model_.enabled[i] && model_.chooseEnabled);
    items_[i]->setChecked(model_.chosen[i]);
  }
  okButton_->setEnabled(model_.okEnabled);
  cancelButton_->setEnabled(model_.cancelEnabled);
  chooseButton_->setEnabled(model_.chooseEnabled);
  status_->update();
}

void CopyInfoDialog::OnOk() {
  bool done = model_.OnOk();
  Sync();
  if (done) accept();
}

void CopyInfoDialog::reject() {
  if (!model_.cancelEnabled) return;  // a copy is not left half-way
  QDialog::reject();
}

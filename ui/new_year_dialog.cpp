#include "new_year_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_kit.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

NewYearDialog::NewYearDialog(CVyDataEnv& env, QWidget* parent) : ModelDialog(parent, env) {
  setWindowTitle(Q(CNewYearDlg::Caption()));
  model_.OnInitDialog();

  auto* folder = new QLabel(Q(model_.folder));
  folder->setFrameShape(QFrame::StyledPanel);
  folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
  folder->setWordWrap(true);
  yearEdit_ = new MaskEdit;
  yearEdit_->SetMask(CNewYearDlg::YearMask());
  yearEdit_->setFixedWidth(80);
  auto* yearLabel = new QLabel(Q("输入新建年度："));
  yearLabel->setBuddy(yearEdit_);
  yearList_ = new QListWidget;
  yearList_->setFixedWidth(110);
  yearList_->installEventFilter(this);
  auto* note = new QLabel(Q(CNewYearDlg::Note()));
  note->setStyleSheet("color: #8b0000;");
  createButton_ = new QPushButton(Q("新建(&N)"));

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Q("路径：")), 0, 0);
  grid->addWidget(folder, 0, 1, 1, 2);
  grid->addWidget(yearLabel, 1, 0);
  grid->addWidget(yearEdit_, 1, 1, Qt::AlignLeft);
  grid->addWidget(new QLabel(Q("已有年度文件：")), 1, 2);
  grid->addWidget(note, 2, 0, 1, 2, Qt::AlignTop);
  auto* listColumn = new QVBoxLayout;
  listColumn->addWidget(yearList_);
  listColumn->addWidget(new QLabel(Q(CNewYearDlg::DeleteHint())));
  grid->addLayout(listColumn, 2, 2);
  grid->setColumnStretch(1, 1);

  QHBoxLayout* buttons = OkCancelRow(this, createButton_, "取消(&X)", &cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  resize(460, 320);

  for (auto& y : model_.years) yearList_->addItem(Q(y));
  connect(yearEdit_, &MaskEdit::GbkTextChanged, this, Guard([this](const std::string& text) {
            model_.OnYearTextChanged(text);
            Sync();
          }));
  connect(yearList_, &QListWidget::currentRowChanged, this,
          Guard([this](int row) { model_.OnYearSelected(row); }));
  connect(createButton_, &QPushButton::clicked, this, Guard([this] {
            bool done = model_.OnCreate();
            Sync();
            if (done) accept();
          }));
  Sync();
  yearEdit_->setFocus();
}

void NewYearDialog::Sync() {
  createButton_->setEnabled(model_.createEnabled);
  cancelButton_->setEnabled(model_.cancelEnabled);
}

bool NewYearDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == yearList_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    model_.OnDeleteKey();
    QSignalBlocker block(yearList_);
    if (yearList_->count() != static_cast<int>(model_.years.size())) {
      yearList_->clear();
      for (auto& y : model_.years) yearList_->addItem(Q(y));
    }
    yearList_->setCurrentRow(model_.selectedYear);
    Sync();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

#include "account_set_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_pictures.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

namespace {

// Makes the list hold exactly these texts, touching it only when they differ.
void SetItems(QListWidget* list, const std::vector<std::string>& texts) {
  bool same = list->count() == static_cast<int>(texts.size());
  for (int i = 0; same && i < list->count(); ++i)
    same = list->item(i)->text() == Q(texts[static_cast<size_t>(i)]);
  if (same) return;
  list->clear();
  for (auto& t : texts) list->addItem(Q(t));
}

}  // namespace

AccountSetDialog::AccountSetDialog(CAccountSetDlg::Form form, const std::string& dataDir,
                                   const std::string& year, QWidget* parent)
    : ModelDialog(parent, form, dataDir, year) {
  setWindowTitle(Q(CAccountSetDlg::Caption()));
  auto home = G(QDir::homePath());
  roots_ = AccountSetSearch::DefaultRoots(home ? *home : std::string(), dataDir);

  auto* folderLabel = new QLabel(Q("&N.帐套文件夹："));
  folderEdit_ = new MaskEdit;
  folderEdit_->SetMask(CAccountSetDlg::FolderMask());
  folderLabel->setBuddy(folderEdit_);
  folderList_ = new QListWidget;
  yearList_ = new QListWidget;
  yearList_->setFixedWidth(90);
  busy_ = new QLabel;
  busy_->setFixedSize(44, 44);
  busy_->setAlignment(Qt::AlignCenter);

  createButton_ = new QPushButton(Q("建立"));
  openButton_ = new QPushButton(Q("打开"));
  searchButton_ = new QPushButton(Q("搜索"));
  cancelButton_ = new QPushButton(Q("取消"));

  // The chart a new set starts from: the shipped standard chart unless the user chooses otherwise.
  chartBox_ = new QComboBox;
  for (const std::string& item : model_.chartItems) chartBox_->addItem(Q(item));
  chartBox_->setCurrentIndex(model_.selectedChart);
  auto* chartLabel = new QLabel(Q("&K.新帐套的科目表："));
  chartLabel->setBuddy(chartBox_);
  auto* chartRow = new QHBoxLayout;
  chartRow->addWidget(chartLabel);
  chartRow->addWidget(chartBox_, 1);

  auto* grid = new QGridLayout;
  grid->addWidget(folderLabel, 0, 0, 1, 3);
  grid->addWidget(folderEdit_, 1, 0, 1, 3);
  grid->addLayout(chartRow, 2, 0, 1, 3);
  grid->addWidget(new QLabel(Q("帐套文件夹")), 3, 0);
  grid->addWidget(new QLabel(Q("年度")), 3, 1);
  grid->addWidget(folderList_, 4, 0);
  grid->addWidget(yearList_, 4, 1);
  grid->addWidget(busy_, 4, 2, Qt::AlignTop);
  grid->setColumnStretch(0, 1);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {createButton_, openButton_, searchButton_, cancelButton_}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  resize(640, 340);

  // Only the user's edits: Sync() sets the text itself. textEdited also comes for an edit the field refused,
  // so the text is read from the field, not from the signal.
  connect(folderEdit_, &QLineEdit::textEdited, this, Guard([this] {
            model_.OnFolderTextChanged(folderEdit_->GbkText());
            Sync();
          }));
  connect(folderList_, &QListWidget::currentRowChanged, this, Guard([this](int row) {
            if (model_.Searching() || row < 0) return;
            model_.OnFolderSelected(row);
            Sync();
          }));
  connect(yearList_, &QListWidget::currentRowChanged, this,
          Guard([this](int row) { model_.OnYearSelected(row); }));
  connect(chartBox_, &QComboBox::currentIndexChanged, this, [this](int index) { model_.selectedChart = index; });
  connect(createButton_, &QPushButton::clicked, this, Guard(this, &AccountSetDialog::OnCreate));
  connect(openButton_, &QPushButton::clicked, this, Guard(this, &AccountSetDialog::OnOpen));
  connect(searchButton_, &QPushButton::clicked, this, Guard(this, &AccountSetDialog::StartSearch));
  connect(cancelButton_, &QPushButton::clicked, this, &AccountSetDialog::reject);
  stepTimer_.setInterval(0);
  connect(&stepTimer_, &QTimer::timeout, this, Guard(this, &AccountSetDialog::SearchStep));
  tickTimer_.setInterval(5000);
  connect(&tickTimer_, &QTimer::timeout, this, Guard([this] {
    model_.OnTimer();
    Sync();
  }));

  model_.OnInitDialog();
  Sync();
  folderEdit_->setFocus();
}

void AccountSetDialog::Sync() {
  QSignalBlocker b1(folderList_), b2(yearList_);
  QString text = Q(model_.folderText);
  if (folderEdit_->text() != text) folderEdit_->setText(text);
  SetItems(folderList_, model_.folders);
  folderList_->setCurrentRow(model_.selectedFolder);
  SetItems(yearList_, model_.years);
  yearList_->setCurrentRow(model_.selectedYear);
  createButton_->setEnabled(model_.createEnabled);
  openButton_->setEnabled(model_.openEnabled);
  searchButton_->setEnabled(model_.searchEnabled);
  cancelButton_->setEnabled(model_.cancelEnabled);
  chartBox_->setEnabled(model_.createEnabled);
  folderEdit_->setReadOnly(model_.Searching());
  if (shownPicture_ != model_.busyPicture) {
    shownPicture_ = model_.busyPicture;
    busy_->setPixmap(BusyPicture(shownPicture_));
  }
}

void AccountSetDialog::StartSearch() {
  if (model_.Searching()) return;
  model_.BeginSearch(roots_);
  Sync();
  stepTimer_.start();
  tickTimer_.start();
}

void AccountSetDialog::SearchStep() {
  if (!model_.SearchStep()) {
    stepTimer_.stop();
    tickTimer_.stop();
  }
  Sync();
}

void AccountSetDialog::OnCreate() {
  if (model_.OnCreate())
    accept();
  else
    Sync();
}

void AccountSetDialog::OnOpen() {
  if (model_.OnOpen())
    accept();
  else
    Sync();
}

void AccountSetDialog::reject() {
  // Nothing closes the dialog while the search runs: 取消 is disabled, and so are Esc and the title bar.
  if (!model_.Searching()) QDialog::reject();
}

std::string AccountSetDialog::Browse(QWidget* parent, const std::string& dataDir, const std::string& year) {
  AccountSetDialog dialog(CAccountSetDlg::Form::Browse, dataDir, year, parent);
  return dialog.exec() == QDialog::Accepted ? dialog.Result() : std::string();
}

void AccountSetDialog::Create(QWidget* parent, const std::string& dataDir, const std::string& year) {
  AccountSetDialog dialog(CAccountSetDlg::Form::Create, dataDir, year, parent);
  dialog.exec();
}

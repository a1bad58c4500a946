#include "account_query_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/text.h"
#include "column_list.h"
#include "gbk_qt.h"
#include "guarded.h"
#include "mask_edit.h"

AccountQueryDialog::AccountQueryDialog(CVyDataEnv& env, int mode, const std::string& preset, QWidget* parent)
    : ModelDialog(parent, env, mode, preset) {
  setWindowTitle(Q(CAccountQueryDlg::Caption()));

  combo_ = new QComboBox;
  combo_->setMinimumWidth(150);
  parentName_ = new QLabel;
  parentName_->setMinimumWidth(200);
  up_ = new QToolButton;
  up_->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
  up_->setToolTip(Q("返回上一级"));
  up_->setFocusPolicy(Qt::NoFocus);
  auto* top = new QHBoxLayout;
  top->addWidget(combo_);
  top->addWidget(parentName_, 1);
  top->addWidget(up_);

  list_ = MakeColumnList({{CAccountQueryDlg::CodeHeading(), CAccountQueryDlg::kNameColumn - 2},
                          {CAccountQueryDlg::NameHeading(), 30}});
  list_->setMinimumHeight(300);
  list_->installEventFilter(this);
  count_ = new QLabel;

  filter_ = new MaskEdit;
  filter_->SetMask(CAccountQueryDlg::FilterMask());
  filter_->installEventFilter(this);
  clear_ = new QPushButton(Q("&C.清条件"));
  down_ = new QPushButton(Q("&N.进子目"));
  for (QPushButton* b : {clear_, down_}) b->setAutoDefault(false);
  auto* filterBox = new QGroupBox(Q("&V.查询条件"));
  auto* filterRow = new QHBoxLayout(filterBox);
  filterRow->addWidget(filter_, 1);
  filterRow->addWidget(clear_);
  filterRow->addWidget(down_);

  ok_ = new QPushButton(Q("确认"));
  cancel_ = new QPushButton(Q("取消"));
  ok_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(count_);
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  // The search over every level, beside the level's own filter: Enter or a double click on a found
  // account shows its level with it selected.
  search_ = new MaskEdit;
  search_->SetMask(CAccountQueryDlg::FilterMask());
  search_->setPlaceholderText(Q("代码、名称或拼音首字母"));
  search_->installEventFilter(this);
  found_ = MakeColumnList({{CAccountQueryDlg::CodeHeading(), CAccountQueryDlg::kNameColumn - 2},
                           {CAccountQueryDlg::NameHeading(), 20}});
  found_->installEventFilter(this);
  auto* searchBox = new QGroupBox(Q("&F.各级查找"));
  auto* searchColumn = new QVBoxLayout(searchBox);
  searchColumn->addWidget(search_);
  searchColumn->addWidget(found_, 1);

  auto* level = new QVBoxLayout;
  level->addLayout(top);
  level->addWidget(list_, 1);
  level->addLayout(buttons);
  level->addWidget(filterBox);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(level, 3);
  layout->addWidget(searchBox, 2);

  connect(search_, &MaskEdit::GbkTextChanged, this, Guard([this](const std::string& text) {
            model_.OnSearch(text);
            std::vector<std::vector<std::string>> rows;
            for (const std::string& line : model_.found)
              rows.push_back({Trim(line.substr(0, CAccountQueryDlg::kNameColumn)),
                              line.size() > CAccountQueryDlg::kNameColumn ? line.substr(CAccountQueryDlg::kNameColumn) : ""});
            FillColumnList(found_, rows, rows.empty() ? -1 : 0);
          }));
  connect(found_, &QTreeWidget::itemDoubleClicked, this, Guard([this](QTreeWidgetItem* item) {
            Act([&] { model_.OnFoundChosen(found_->indexOfTopLevelItem(item)); });
            list_->setFocus();
          }));

  connect(combo_, &QComboBox::activated, this,
          Guard([this](int index) { Act([&] { model_.OnComboChosen(index); }); }));
  connect(up_, &QToolButton::clicked, this, Guard([this] { Act([&] { model_.OnUp(); }); }));
  connect(list_, &QTreeWidget::currentItemChanged, this,
          Guard([this] { model_.OnSelect(CurrentRow(list_)); }));
  connect(list_, &QTreeWidget::itemDoubleClicked, this, Guard([this](QTreeWidgetItem* item) {
            Act([&] { model_.OnLineChosen(list_->indexOfTopLevelItem(item)); });
          }));
  connect(filter_, &MaskEdit::GbkTextChanged, this, Guard([this](const std::string& text) {
            model_.filter = text;
            clear_->setEnabled(model_.ClearEnabled());
          }));
  connect(clear_, &QPushButton::clicked, this, Guard([this] {
            Act([&] { model_.OnClearFilter(); });
            list_->setFocus();
          }));
  connect(down_, &QPushButton::clicked, this, Guard([this] {
            Act([&] { model_.OnEnterChildren(); });
            list_->setFocus();
          }));
  connect(ok_, &QPushButton::clicked, this, Guard([this] { Act([&] { model_.OnOk(); }); }));
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  ready_ = model_.OnInitDialog();
  Sync();
  list_->setFocus();
}

std::optional<std::string> AccountQueryDialog::Ask(QWidget* parent, CVyDataEnv& env, int mode,
                                                   const std::string& preset) {
  AccountQueryDialog dialog(env, mode, preset, parent);
  if (!dialog.Ready()) return std::nullopt;
  if (dialog.exec() != QDialog::Accepted || dialog.Model().state != CAccountQueryDlg::State::Chosen)
    return std::nullopt;
  return dialog.Model().result;
}

void AccountQueryDialog::Sync() {
  {
    QSignalBlocker b2(combo_), b3(filter_);
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < static_cast<int>(model_.lines.size()); ++i)
      rows.push_back({model_.CodeOf(i), model_.NameOf(i)});
    FillColumnList(list_, rows, model_.selected);
    combo_->clear();
    for (const std::string& code : model_.comboCodes) combo_->addItem(Q(code));
    combo_->setCurrentIndex(model_.comboSelected);
    combo_->setEnabled(model_.ComboEnabled());
    if (filter_->GbkText() != model_.filter) filter_->SetGbkText(model_.filter);
  }
  parentName_->setText(Q(model_.parentName));
  count_->setText(Q(model_.StatusText()));
  clear_->setEnabled(model_.ClearEnabled());
  up_->setEnabled(model_.UpEnabled());
  if (model_.focus == CAccountQueryDlg::Focus::Filter) filter_->setFocus();

  if (model_.state == CAccountQueryDlg::State::Chosen) accept();
}

bool AccountQueryDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && (watched == list_ || watched == filter_))
    model_.focus = watched == list_ ? CAccountQueryDlg::Focus::List : CAccountQueryDlg::Focus::Filter;
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  int key = static_cast<QKeyEvent*>(event)->key();
  if ((watched == search_ || watched == found_) && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
    Act([&] { model_.OnFoundChosen(CurrentRow(found_)); });
    list_->setFocus();
    return true;
  }
  if (watched == search_ && key == Qt::Key_Down) {
    found_->setFocus();
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    model_.focus = watched == filter_ ? CAccountQueryDlg::Focus::Filter : CAccountQueryDlg::Focus::List;
    Act([&] { model_.OnOk(); });
    return true;
  }
  if (watched == list_ && key == Qt::Key_Right) {
    Act([&] { model_.OnEnterChildren(); });
    return true;
  }
  if (watched == list_ && key == Qt::Key_Left) {
    Act([&] { model_.OnUp(); });
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

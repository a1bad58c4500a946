#include "chart_setup_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "account_dialog.h"
#include "face_owner.h"
#include "gbk_qt.h"
#include "guarded.h"

ChartSetupDialog::ChartSetupDialog(CVyDataEnv& env, QWidget* parent) : ModelDialog(parent, env) {
  setWindowTitle(Q(CChartSetupDlg::Caption()));

  // The lines are "%-17s%s": a face of even widths keeps the names in one column.
  QFont fixed("WenQuanYi Micro Hei Mono");
  fixed.setStyleHint(QFont::Monospace);
  heading_ = new QLabel;
  level_ = new QComboBox;
  level_->setEditable(true);
  level_->setInsertPolicy(QComboBox::NoInsert);
  level_->setMinimumWidth(200);
  level_->lineEdit()->installEventFilter(this);
  // The column heading stands over the code and name of the lines, whatever the face's width of a Chinese
  // character.
  auto* codeHeading = new QLabel(Q("代码"));
  auto* columns = new QHBoxLayout;
  columns->setContentsMargins(4, 0, 0, 0);
  columns->setSpacing(0);
  columns->addWidget(codeHeading);
  columns->addWidget(new QLabel(Q("名称")), 1);
  list_ = new QListWidget;
  list_->setFont(fixed);
  list_->setMinimumSize(360, 300);
  list_->installEventFilter(this);
  codeHeading->setFixedWidth(list_->fontMetrics().horizontalAdvance(QString(17, ' ')));
  status_ = new QLabel;

  up_ = new QPushButton(Q("← 上级"));
  up_->setToolTip(Q("返回上一级科目"));
  add_ = new QPushButton(Q("增加(&A)"));
  modify_ = new QPushButton(Q("修改(&S)"));
  children_ = new QPushButton(Q("&B.子目操纵"));
  close_ = new QPushButton(Q("关闭"));
  auto* menu = new QMenu(this);
  children_->setMenu(menu);
  for (QPushButton* b : {up_, add_, modify_, children_, close_}) b->setAutoDefault(false);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {up_, add_, modify_, children_}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(close_);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(Q("当前科目：")), 0, 0);
  grid->addWidget(heading_, 0, 1);
  grid->addWidget(new QLabel(Q("本级科目：")), 1, 0);
  grid->addWidget(level_, 1, 1);
  grid->addLayout(columns, 2, 0, 1, 2);
  grid->addWidget(list_, 3, 0, 1, 2);
  grid->addLayout(buttons, 3, 2);
  grid->addWidget(status_, 4, 0, 1, 3);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(1, 1);

  connect(up_, &QPushButton::clicked, this, Guard([this] { Act([this] { model_.OnUp(); }); }));
  connect(add_, &QPushButton::clicked, this, Guard([this] {
            FaceOwner over(this, [this] { Sync(); });
            Act([&] { model_.OnAdd(); });
          }));
  connect(modify_, &QPushButton::clicked, this, Guard([this] {
            FaceOwner over(this);
            Act([&] { model_.OnModify(); });
          }));
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  menu->addAction(Q("进入子目录(&E)"), this, [this] { Act([this] { model_.OnEnter(); }); });
  menu->addAction(Q("复制子科目(&C)"), this, [this] { Act([this] { model_.OnCopyChildren(); }); });
  menu->addAction(Q("移动子科目(&M)"), this, [this] { Act([this] { model_.OnMoveChildren(); }); });
  menu->addAction(Q("粘贴子科目(&P)"), this, [this] { Act([this] { model_.OnPasteChildren(); }); });
  menu->addAction(Q("删除子科目(&D)"), this, [this] { Act([this] { model_.OnDeleteChildren(); }); });
  connect(list_, &QListWidget::currentRowChanged, this, Guard([this](int row) { model_.OnSelect(row); }));
  connect(list_, &QListWidget::itemDoubleClicked, this, Guard([this] { Act([this] { model_.OnEnter(); }); }));
  connect(level_, &QComboBox::textActivated, this, Guard([this](const QString& text) {
            std::string chosen = G(text).value_or(std::string());
            Act([&] { model_.OnLevelChosen(chosen); });
          }));

  ready_ = model_.OnInitDialog();
  Sync();
  resize(560, 480);
  list_->setFocus();
}

void ChartSetupDialog::Act(const std::function<void()>& action) {
  int scroll = list_->verticalScrollBar()->value();
  action();
  Sync();
  if (model_.keepScroll) {
    list_->verticalScrollBar()->setValue(scroll);
    model_.keepScroll = false;
  }
  if (model_.closeRequested) {
    accept();
    return;
  }
  list_->setFocus();
}

void ChartSetupDialog::Sync() {
  QSignalBlocker b1(list_), b2(level_);
  list_->clear();
  for (const std::string& line : model_.items) list_->addItem(Q(line));
  list_->setCurrentRow(model_.selected);
  if (model_.selected >= 0) list_->scrollToItem(list_->currentItem());
  heading_->setText(Q(model_.heading));
  status_->setText(Q(model_.status));
  level_->clear();
  for (const std::string& line : model_.levelItems) level_->addItem(Q(line));
  level_->setEnabled(!model_.levelItems.empty());
  for (int i = 0; i < level_->count(); ++i)
    if (level_->itemText(i).section(' ', 0, 0) == Q(model_.directory)) level_->setCurrentIndex(i);
  up_->setEnabled(!model_.directory.empty());
  add_->setDefault(model_.addIsDefault);
}

bool ChartSetupDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  // A code typed into the level selector is looked up on Enter; a line of its list arrives as chosen.
  if (watched == level_->lineEdit() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
    std::string typed = G(level_->currentText()).value_or(std::string());
    Act([&] { model_.OnLevelChosen(typed); });
    return true;
  }
  if (watched != list_) return QDialog::eventFilter(watched, event);
  switch (key) {
    case Qt::Key_Right:
      Act([this] { model_.OnEnter(); });
      return true;
    case Qt::Key_Left:
      Act([this] { model_.OnUp(); });
      return true;
    case Qt::Key_Delete:
      Act([this] { model_.OnDeleteKey(); });
      return true;
    default:
      return QDialog::eventFilter(watched, event);
  }
}
